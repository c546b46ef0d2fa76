#include "platform/ui/PrintDialog.h"

#include "platform/ui/Gdi.h"
#include "platform/ui/ModalHook.h"

#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace
{
// The text of a PDF, or a null array when pdftotext is missing.
QByteArray PdfText(const QString& path)
{
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (exe.isEmpty())
        return QByteArray();
    QProcess p;
    p.start(exe, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}
} // namespace

TEST(PrintDialog, OkToAPdfFileGivesAPrinterContextThatWritesIt)
{
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\out\\listing.pdf";
    answer.copies = 3;
    answer.collate = true;
    answer.fromPage = 2; // the dialog offers no page numbers: ignored
    answer.toPage = 4;
    ModalHook::AnswerPrintDialog(answer);
    ASSERT_TRUE(QDir().mkpath(TempDrives::Current()->OnC("out")));

    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_EQ(shown.kind, MODAL_RECORD::PrintDialog);
    EXPECT_EQ(shown.flags & (PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC),
              PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC);
    EXPECT_EQ(dlg.GetCopies(), 3);
    EXPECT_TRUE(dlg.PrintCollate());
    EXPECT_TRUE(dlg.PrintAll());
    EXPECT_EQ(dlg.GetFromPage(), -1);
    ASSERT_NE(dlg.GetPrinterDC(), nullptr);

    CDC dc;
    ASSERT_TRUE(dc.Attach(dlg.GetPrinterDC()));
    EXPECT_TRUE(dc.IsPrinting());
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX), dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const int w = dc.GetDeviceCaps(HORZRES), h = dc.GetDeviceCaps(VERTRES);
    EXPECT_EQ(dpiX, 600);
    EXPECT_EQ(dpiY, 600);
    // A printable page of a few inches each way, taller than wide (portrait).
    EXPECT_GT(w, 6 * dpiX);
    EXPECT_GT(h, w);
    EXPECT_LT(h, 12 * dpiY);

    DOCINFO info{};
    info.cbSize = sizeof info;
    info.lpszDocName = "Listing";
    ASSERT_GT(dc.StartDoc(&info), 0);
    for (const char* text : {"First page text", "Second page text"})
    {
        ASSERT_GT(dc.StartPage(), 0);
        dc.TextOut(dpiX, dpiY, text);
        ASSERT_GT(dc.EndPage(), 0);
    }
    ASSERT_GT(dc.EndDoc(), 0);
    dc.DeleteDC();

    const QString pdf = TempDrives::Current()->OnC("out/listing.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const QByteArray text = PdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the PDF's text is not checked";
    EXPECT_NE(text.indexOf("First page text"), -1);
    EXPECT_NE(text.indexOf("Second page text"), -1);
    EXPECT_EQ(text.count('\f'), 2) << "two pages";
}

TEST(PrintDialog, PageRangeOnlyWhenOfferedAndCancelGivesNoContext)
{
    PRINT_DIALOG_ANSWER range;
    range.fromPage = 2;
    range.toPage = 5;
    ModalHook::AnswerPrintDialog(range);
    CPrintDialog withPages(FALSE, PD_NOSELECTION);
    ASSERT_EQ(withPages.DoModal(), IDOK);
    EXPECT_TRUE(withPages.PrintRange());
    EXPECT_EQ(withPages.GetFromPage(), 2);
    EXPECT_EQ(withPages.GetToPage(), 5);
    EXPECT_FALSE(withPages.PrintCollate());
    EXPECT_EQ(withPages.GetCopies(), 1);
    EXPECT_EQ(withPages.GetPrinterDC(), nullptr) << "no PD_RETURNDC";
    EXPECT_EQ(withPages.GetDeviceName(), "PDF");

    PRINT_DIALOG_ANSWER cancel;
    cancel.ok = false;
    ModalHook::AnswerPrintDialog(cancel);
    CPrintDialog dlg(FALSE, PD_RETURNDC);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
    EXPECT_EQ(ModalHook::Shown().back().result, IDCANCEL);
}

// With no printer installed the print dialog is a "Print to PDF" file chooser: the file chosen is
// where the pages go, a cancelled chooser prints nothing.
TEST(PrintDialog, WithNoPrinterTheChoiceIsThePdfFile)
{
    ASSERT_TRUE(QDir().mkpath(TempDrives::Current()->OnC("Prints")));
    ModalHook::AnswerFileDialog({"C:\\Prints\\sheet.pdf"});
    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC);
    dlg.m_strPdfName = "Survey: Day 2";
    dlg.m_strPdfFolder = "C:\\Prints\\";
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_EQ(shown.kind, MODAL_RECORD::FileDialog);
    EXPECT_STREQ(shown.caption, "Print to PDF");
    EXPECT_STREQ(shown.fileName, "Survey_ Day 2.pdf") << "no ':' in a file name";
    EXPECT_STREQ(shown.folder, "C:\\Prints\\");
    EXPECT_FALSE(shown.open);
    EXPECT_EQ(dlg.GetDeviceName(), "PDF");
    EXPECT_EQ(dlg.GetPortName(), "C:\\Prints\\sheet.pdf");
    CDC dc;
    ASSERT_TRUE(dc.Attach(dlg.GetPrinterDC()));
    ASSERT_GT(dc.StartDoc("Sheet"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    dc.TextOut(100, 100, "Printed");
    ASSERT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.EndDoc(), 0);
    dc.DeleteDC();
    EXPECT_TRUE(QFile::exists(TempDrives::Current()->OnC("Prints/sheet.pdf")));
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("Sheet.pdf"))) << "a file written unasked";

    ModalHook::CancelFileDialog();
    CPrintDialog cancelled(FALSE, PD_RETURNDC);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPrinterDC(), nullptr);
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::FileDialog);
}
