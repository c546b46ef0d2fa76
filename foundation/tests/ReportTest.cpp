#include "foundation/Report.h"

#include "platform/core/Path.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace
{
QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// One report line as a file holds it: the indent, `column` blanks, the text, CR LF.
QByteArray Line(int column, const QByteArray& text)
{
    return QByteArray(CReport::kIndent + column, ' ') + text + "\r\n";
}

// A file report opened on `name` on drive C:, through the file dialog.
bool OpenFileReport(CReport& report, const char* name, int openMode = CReport::OPEN_WRITE)
{
    report.m_OutputMode = CReport::OUTPUT_FILE;
    report.m_OpenMode = openMode;
    ModalHook::AnswerFileDialog({CString("C:\\") + name});
    return report.Open();
}

size_t MessageBoxesShown()
{
    size_t n = 0;
    for (const MODAL_RECORD& r : ModalHook::Shown())
        n += r.kind == MODAL_RECORD::MessageBox;
    return n;
}

} // namespace

TEST(ReportFile, WrapAlignmentAndMargins)
{
    CReport report;
    ASSERT_TRUE(OpenFileReport(report, "wrap.txt"));
    EXPECT_EQ(report.m_LinesPerPage, 55);
    EXPECT_EQ(report.m_Width, 80);
    EXPECT_EQ(ModalHook::Shown().back().text, "Text File (*.TXT)|*.TXT|Data File (*.DAT)|*.DAT|ASCII File "
                                              "(*.ASC)|*.ASC|Print File (*.PRN)|*.PRN||");

    QByteArray longText;
    for (int i = 0; i < 200; ++i)
        longText += char('a' + i % 26);
    report.m_Margin = 5;
    report.m_Wrap = true;
    EXPECT_TRUE(report.PrintLine(longText.constData()));
    report.m_Wrap = false;
    EXPECT_TRUE(report.PrintLine(longText.left(100).constData())) << "unwrapped, a long line stays whole";
    report.m_Margin = 2;
    report.m_Alignment = CReport::ALIGN_CENTRE;
    report.PrintLine("centre");
    report.m_Alignment = CReport::ALIGN_RIGHT;
    report.PrintLine("right");
    const QByteArray full(80, 'w');
    report.m_Alignment = CReport::ALIGN_CENTRE;
    report.PrintLine(full.constData());
    report.m_Alignment = CReport::ALIGN_RIGHT;
    report.PrintLine(full.constData());
    EXPECT_TRUE(report.PrintBlankLine());
    EXPECT_FALSE(report.PrintLine(nullptr));
    EXPECT_EQ(report.m_Line, 9);
    ASSERT_TRUE(report.Close());

    const QByteArray want = Line(5, longText.mid(0, 75)) + Line(5, longText.mid(75, 75)) +
                            Line(5, longText.mid(150)) + Line(5, longText.left(100)) + Line(37, "centre") +
                            Line(73, "right") + Line(2, full) + Line(2, full) + "\r\n";
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("wrap.txt")), want);
}

TEST(ReportFile, PagesFillWithLineEnds)
{
    CReport report;
    ASSERT_TRUE(OpenFileReport(report, "pages.txt"));
    for (int i = 1; i <= 56; ++i)
        report.PrintLine(QByteArray::number(i).constData());
    EXPECT_EQ(report.m_Line, 1);
    EXPECT_EQ(report.m_Page, 2);
    report.NewPage();
    report.PrintLine("third page");
    ASSERT_TRUE(report.Close());
    EXPECT_EQ(report.m_Line, 0);
    EXPECT_EQ(report.m_Page, 0);

    QByteArray want;
    for (int i = 1; i <= 56; ++i)
        want += Line(0, QByteArray::number(i));
    want += QByteArray(54, '\n').replace("\n", "\r\n"); // the rest of page 2
    want += Line(0, "third page");
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("pages.txt")), want);
}

TEST(ReportFile, OpenModesOnAnExistingFile)
{
    const QString path = TempDrives::Current()->OnC("modes.txt");
    const QByteArray old = "first old line\r\nsecond old line\r\n";
    struct
    {
        int mode;
        QByteArray want;
    } cases[] = {
        {CReport::OPEN_APPEND, old + Line(0, "new")},
        {CReport::OPEN_WRITE, Line(0, "new")},
        {CReport::OPEN_UPDATE, Line(0, "new") + old.mid(9)},
    };
    for (const auto& c : cases)
    {
        WriteBytes(path, old);
        CReport report;
        ASSERT_TRUE(OpenFileReport(report, "modes.txt", c.mode)) << c.mode;
        EXPECT_EQ(ModalHook::Shown().back().open, c.mode == CReport::OPEN_UPDATE ? TRUE : FALSE);
        report.PrintLine("new");
        ASSERT_TRUE(report.Close());
        EXPECT_EQ(ReadBytes(path), c.want) << "mode " << c.mode;
    }
}

TEST(ReportFile, ProposedNameAndAutoOpen)
{
    CReport report;
    report.m_OutputMode = CReport::OUTPUT_FILE;
    report.m_FileName = "C:\\Reports\\boxin";
    ModalHook::AnswerFileDialog({"C:\\auto.txt"});
    EXPECT_TRUE(report.PrintLine("opened on first use"));
    EXPECT_EQ(ModalHook::Shown().back().fileName, "C:\\Reports\\boxin.TXT");
    report.Close();
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("auto.txt")), Line(0, "opened on first use"));

    CReport manual;
    manual.m_OutputMode = CReport::OUTPUT_FILE;
    manual.m_AutoOpen = false;
    EXPECT_FALSE(manual.PrintLine("never"));
    EXPECT_EQ(ModalHook::Shown().size(), 1u) << "no dialog without auto-open";
}

TEST(ReportFile, CancelWritesNothingAndSaysNothing)
{
    CReport report;
    report.m_OutputMode = CReport::OUTPUT_FILE;
    ModalHook::CancelFileDialog();
    EXPECT_FALSE(report.Open());
    EXPECT_EQ(report.GetOpenResult(), CReport::OPEN_CANCELLED);
    EXPECT_EQ(MessageBoxesShown(), 0u);
    EXPECT_TRUE(QDir(TempDrives::Current()->DriveC()).entryList(QDir::Files).isEmpty());
}

TEST(ReportFile, UnopenableFilesAreReportedByName)
{
    // A folder that does not exist, a missing file to update, and a read-only file.
    const QString readOnly = TempDrives::Current()->OnC("locked.txt");
    WriteBytes(readOnly, "keep");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    struct
    {
        const char* path;
        int mode;
    } cases[] = {
        {"C:\\No Such Folder\\r.txt", CReport::OPEN_WRITE},
        {"C:\\missing.txt", CReport::OPEN_UPDATE},
        {"C:\\locked.txt", CReport::OPEN_APPEND},
    };
    for (const auto& c : cases)
    {
        CReport report;
        report.m_OutputMode = CReport::OUTPUT_FILE;
        report.m_OpenMode = c.mode;
        ModalHook::AnswerFileDialog({c.path});
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_FALSE(report.PrintLine("lost?")) << c.path;
        EXPECT_EQ(report.GetOpenResult(), CReport::OPEN_FAILED) << c.path;
        const MODAL_RECORD& shown = ModalHook::Shown().back();
        ASSERT_EQ(shown.kind, MODAL_RECORD::MessageBox) << c.path;
        EXPECT_NE(shown.text.Find(c.path), -1) << shown.text.GetString();
        EXPECT_FALSE(report.IsOpen());
    }
    EXPECT_EQ(ReadBytes(readOnly), "keep");
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("missing.txt")));
}

TEST(ReportFile, WriteErrorIsReportedAtClose)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // A report file that is a link to the always-full device.
    ASSERT_TRUE(QFile::link("/dev/full", TempDrives::Current()->OnC("full.txt")));
    CReport report;
    ASSERT_TRUE(OpenFileReport(report, "full.txt"));
    for (int i = 0; i < 100; ++i)
        report.PrintLine("a line that cannot be kept");
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(report.Close());
    EXPECT_NE(ModalHook::Shown().back().text.Find("full"), -1) << ModalHook::Shown().back().text.GetString();
}

TEST(ReportFile, DegenerateWidthsStillEnd)
{
    CReport report;
    ASSERT_TRUE(OpenFileReport(report, "narrow.txt"));
    report.m_Wrap = true;
    report.m_Width = 0;
    EXPECT_TRUE(report.PrintLine("abc"));
    report.m_Width = 80;
    report.m_Margin = 200; // wider than the page
    EXPECT_TRUE(report.PrintLine("de"));
    report.m_Margin = 0;
    report.m_LinesPerPage = 0;
    EXPECT_TRUE(report.PrintLine("f"));
    ASSERT_TRUE(report.Close());
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("narrow.txt")),
              Line(0, "a") + Line(0, "b") + Line(0, "c") + Line(200, "d") + Line(200, "e") + Line(0, "f"));
}

TEST(ReportPrinter, PrintsEveryLineToPdfInOrder)
{
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\report.pdf";
    ModalHook::AnswerPrintDialog(answer);
    CReport report;
    report.m_Title = "Transit Fix";
    ASSERT_TRUE(report.Open());
    EXPECT_TRUE(ModalHook::Shown().back().flags & PD_RETURNDC);
    const int linesPerPage = report.m_LinesPerPage;
    // A 10-point page: tens of lines of tens of characters, so 120 lines take several pages.
    ASSERT_GT(linesPerPage, 30);
    ASSERT_LT(linesPerPage, 120);
    ASSERT_GT(report.m_Width, 60);
    for (int i = 1; i <= 120; ++i)
        ASSERT_TRUE(
            report.PrintLine(QByteArray("Report line ") + QByteArray::number(i).rightJustified(3, '0')));
    ASSERT_TRUE(report.Close());

    const QString pdf = LinuxPathFromWindows(answer.outputFile);
    ASSERT_TRUE(QFile::exists(pdf));
    const QByteArray text = PdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not checked";
    const int pages = (120 + linesPerPage - 1) / linesPerPage;
    EXPECT_EQ(text.count('\f'), pages);
    int from = 0;
    for (int i = 1; i <= 120; ++i)
    {
        const QByteArray line = QByteArray("Report line ") + QByteArray::number(i).rightJustified(3, '0');
        const int at = text.indexOf(line, from);
        ASSERT_NE(at, -1) << line.constData();
        // Each line lies on the page the line count puts it on.
        EXPECT_EQ(text.left(at).count('\f'), (i - 1) / linesPerPage) << line.constData();
        from = at + line.size();
    }
}

TEST(ReportPrinter, CancelWritesNoFile)
{
    PRINT_DIALOG_ANSWER cancel;
    cancel.ok = false;
    cancel.outputFile = "C:\\never.pdf";
    ModalHook::AnswerPrintDialog(cancel);
    CReport report;
    EXPECT_FALSE(report.PrintLine("nothing"));
    EXPECT_EQ(report.GetOpenResult(), CReport::OPEN_CANCELLED);
    EXPECT_EQ(MessageBoxesShown(), 0u);
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows("C:\\never.pdf")));
}
