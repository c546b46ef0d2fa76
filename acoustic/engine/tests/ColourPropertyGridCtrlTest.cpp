// The calibration program's grid: its day and dark colours as drawn, the right-click "Print",
// and the printed table read back from the PDF.
#include "acoustic/engine/ColourPropertyGridCtrl.h"

#include "platform/core/Path.h"
#include "platform/core/Exception.h"
#include "platform/ui/Dc.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"
#include "testsupport/EventPump.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTreeWidget>

#include <array>

namespace
{
using Colours = std::array<COLORREF, 7>;

Colours ColoursOf(const CMFCColourPropertyGridCtrl& grid)
{
    Colours c{};
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c;
}

QColor Colour(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A value of a kind the grid has no words for (a date).
COleVariant DateValue()
{
    COleVariant date;
    date.vt = 7;
    return date;
}

struct ColourGridTest : ::testing::Test
{
    CWnd top;
    CMFCColourPropertyGridCtrl grid;
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "USBL Calibration", WS_OVERLAPPEDWINDOW, CRect(0, 0, 420, 420), nullptr,
                                 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 400), &top, 1));
    }

    // Two groups, the second nested in the first, a hidden leaf and a value that cannot be shown.
    void FillCalibration()
    {
        auto* transponder = new CMFCPropertyGridProperty("Transponder");
        transponder->AddSubItem(new CMFCPropertyGridProperty("Easting", COleVariant(CString("512345.67")), ""));
        transponder->AddSubItem(new CMFCPropertyGridProperty("Northing", COleVariant(CString("6123456.78")), ""));
        auto* hidden = new CMFCPropertyGridProperty("Secret", COleVariant(CString("not printed")), "");
        hidden->Show(FALSE);
        transponder->AddSubItem(hidden);
        auto* corrections = new CMFCPropertyGridProperty("Corrections");
        corrections->AddSubItem(new CMFCPropertyGridProperty("Heading", COleVariant(CString("1.25")), ""));
        corrections->AddSubItem(new CMFCPropertyGridProperty("Scale Factor", DateValue(), ""));
        transponder->AddSubItem(corrections);
        grid.AddProperty(transponder);
        auto* results = new CMFCPropertyGridProperty("Results");
        results->AddSubItem(new CMFCPropertyGridProperty("Fixes", COleVariant(CString("24")), ""));
        grid.AddProperty(results);
        grid.ExpandAll();
    }

    static QString PdfPath(const char* name)
    {
        return LinuxPathFromWindows((CString("C:\\") + name).GetString());
    }

    // Prints through the hook to C:\<name> and returns the PDF's text (null: poppler missing).
    QByteArray PrintToPdf(const char* name, CStringArray* header, int copies = 1)
    {
        PRINT_DIALOG_ANSWER answer;
        answer.outputFile = CString("C:\\") + name;
        answer.copies = copies;
        ModalHook::AnswerPrintDialog(answer);
        grid.Print(header);
        EXPECT_TRUE(QFile::exists(PdfPath(name))) << name;
        return PdfText(PdfPath(name));
    }
};

QStringList Lines(const QByteArray& text)
{
    QStringList lines;
    for (const QString& line : QString::fromLatin1(text).split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line;
    return lines;
}

// The left column where `word` starts on the line holding it; -1 when no line does.
int ColumnOf(const QStringList& lines, const QString& word)
{
    for (const QString& line : lines)
        if (int at = line.indexOf(word); at >= 0)
            return at;
    return -1;
}
} // namespace

TEST_F(ColourGridTest, DayAndDarkColoursAreSetAndDrawn)
{
    FillCalibration();
    top.ShowWindow(SW_SHOW);
    struct Case
    {
        BYTE dark;
        Colours colours;
        const char* png;
    };
    const Case cases[] = {
        {0, {0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555}, "/colour_grid_day.png"},
        {1, {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}, "/colour_grid_dark.png"},
    };
    auto* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    for (const Case& c : cases)
    {
        grid.m_DarkScheme = c.dark;
        grid.SetCustomColours(0);
        EXPECT_EQ(grid.m_ColoursSet, 1);
        EXPECT_EQ(ColoursOf(grid), c.colours) << int(c.dark);
        PumpFor(30);
        const QImage image = grid.GetWidget()->grab().toImage();
        image.save(QString(SUITE_VISUAL_DIR) + c.png);
        // Right end of a row: past its text, so the row's own background shows.
        const auto probe = [&](QTreeWidgetItem* item) {
            const QRect r = tree->visualItemRect(item);
            return image.pixelColor(tree->viewport()->mapTo(grid.GetWidget(), QPoint(r.right() - 3, r.center().y())));
        };
        // The second group: the first holds the current row, drawn in the selection colour.
        QTreeWidgetItem* group = tree->topLevelItem(1);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(probe(group), Colour(0x555555)) << int(c.dark);
        EXPECT_EQ(probe(group->child(0)), Colour(c.colours[0])) << int(c.dark);
    }
}

TEST_F(ColourGridTest, RowsAreCollectedInOrderWithHeadingsForGroupsAndUnshowableValues)
{
    FillCalibration();
    CClientDC dc(&grid);
    for (int i = 0; i < grid.GetPropertyCount(); ++i)
        grid.CollectPrintRows(dc.GetSafeHdc(), grid.GetProperty(i));
    const QStringList expected = {
        "TITLE|Transponder", "Easting|512345.67", "Northing|6123456.78",   "TITLE|Corrections",
        "Heading|1.25",      "TITLE|Scale Factor", "TITLE|Results",        "Fixes|24",
    };
    QStringList rows;
    ASSERT_EQ(grid.m_PrintNames.GetSize(), grid.m_PrintValues.GetSize());
    for (INT_PTR i = 0; i < grid.m_PrintNames.GetSize(); ++i)
        rows << QString(grid.m_PrintNames[i].GetString()) + "|" + grid.m_PrintValues[i].GetString();
    EXPECT_EQ(rows, expected);
    // A name is measured before its value is known to print as a heading.
    EXPECT_STREQ(grid.m_WidestName, "Scale Factor");
    EXPECT_STREQ(grid.m_WidestValue, "6123456.78");
    EXPECT_STREQ(grid.m_WidestLine, "Scale Factor      6123456.78");
    try
    {
        grid.m_PrintNames.GetAt(rows.size());
        ADD_FAILURE() << "an index past the end raised nothing";
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

TEST_F(ColourGridTest, RightClickOffersPrintOnAGreyMenuAndPrintsUnderTheHeader)
{
    FillCalibration();
    CStringArray header;
    header.Add("USBL\\Calibration");
    header.Add("Vessel: Survey One");
    grid.m_pPrintHeader = &header;
    top.ShowWindow(SW_SHOW);
    PumpFor(30);

    QImage menuPicture;
    ModalHook::AnswerMenuShown([&menuPicture](QWidget* menu) {
        menuPicture = menu->grab().toImage();
        return CMFCColourPropertyGridCtrl::kPrintCommand;
    });
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\menu.pdf";
    ModalHook::AnswerPrintDialog(answer);
    UserInput::RightClickClient(&grid, 200, 60);

    ASSERT_FALSE(menuPicture.isNull()) << "no menu on a right click";
    const MODAL_RECORD* menu = nullptr;
    for (const MODAL_RECORD& r : ModalHook::Shown())
        if (r.kind == MODAL_RECORD::Menu)
            menu = &r;
    ASSERT_NE(menu, nullptr);
    EXPECT_STREQ(menu->text, "Print");
    EXPECT_TRUE(menu->flags & TPM_RETURNCMD);
    EXPECT_TRUE(menu->flags & TPM_RIGHTBUTTON);
    int grey = 0;
    for (int y = 0; y < menuPicture.height(); ++y)
        for (int x = 0; x < menuPicture.width(); ++x)
            grey += menuPicture.pixelColor(x, y) == QColor(0xD6, 0xD6, 0xD6);
    EXPECT_GT(grey, menuPicture.width() * menuPicture.height() / 2) << "the menu is not grey";
    menuPicture.save(QString(SUITE_VISUAL_DIR) + "/colour_grid_menu.png");

    const QByteArray text = PdfText(PdfPath("menu.pdf"));
    ASSERT_TRUE(QFile::exists(PdfPath("menu.pdf")));
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QStringList lines = Lines(text);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains("USBL Calibration")) << "backslashes print as blanks: " << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains("Vessel: Survey One"));
    EXPECT_TRUE(lines[2].contains("Transponder")) << "the table follows the box";
}

TEST_F(ColourGridTest, PrintedTableHasCentredHeadingsNamesLeftValuesRight)
{
    FillCalibration();
    const QByteArray text = PrintToPdf("table.pdf", nullptr);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_EQ(text.count('\f'), 1);
    const QStringList lines = Lines(text);
    const QStringList order = {"Transponder", "Easting", "Northing", "Corrections", "Heading",
                               "Scale Factor", "Results", "Fixes"};
    int from = 0;
    for (const QString& word : order)
    {
        const int at = text.indexOf(word.toLatin1(), from);
        ASSERT_GE(at, 0) << word.toStdString();
        from = at;
    }
    EXPECT_EQ(text.indexOf("Secret"), -1) << "a hidden property is not printed";
    EXPECT_EQ(lines[0].trimmed(), "Transponder") << "with no header the table comes first";

    // Names share a left edge, values a right edge, and headings sit between them.
    const int nameLeft = ColumnOf(lines, "Easting");
    EXPECT_EQ(ColumnOf(lines, "Northing"), nameLeft);
    EXPECT_EQ(ColumnOf(lines, "Fixes"), nameLeft);
    const auto rightEnd = [&](const QString& value) -> int {
        for (const QString& line : lines)
            if (line.contains(value))
                return line.indexOf(value) + static_cast<int>(value.size());
        return -1;
    };
    const int valueRight = rightEnd("6123456.78");
    EXPECT_EQ(rightEnd("512345.67"), valueRight);
    EXPECT_EQ(rightEnd("24"), valueRight);
    for (const char* heading : {"Transponder", "Results", "Scale Factor"})
    {
        const int left = ColumnOf(lines, heading);
        const int middle = left + static_cast<int>(qstrlen(heading)) / 2;
        EXPECT_GT(left, nameLeft) << heading;
        EXPECT_NEAR(middle, (nameLeft + valueRight) / 2, 3) << heading;
    }

    // A picture of the page for a person to look at.
    if (QProcess::execute("pdftoppm", {"-png", "-r", "60", "-singlefile", PdfPath("table.pdf"),
                                       QString(SUITE_VISUAL_DIR) + "/colour_grid_print"}) != 0)
        ADD_FAILURE() << "pdftoppm could not render the page";
}

TEST_F(ColourGridTest, EachCopyIsTheSamePage)
{
    FillCalibration();
    const QByteArray text = PrintToPdf("copies.pdf", nullptr, 2);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QList<QByteArray> pages = text.split('\f');
    ASSERT_GE(pages.size(), 2);
    EXPECT_EQ(text.count('\f'), 2);
    EXPECT_EQ(pages[0], pages[1]);
}

TEST_F(ColourGridTest, ALongValueShrinksTheFontToThreePointsAtLeast)
{
    auto* group = new CMFCPropertyGridProperty("Notes");
    auto* note = new CMFCPropertyGridProperty("Remark", COleVariant(CString("short")), "");
    group->AddSubItem(note);
    grid.AddProperty(group);

    // The printed font's size shows in the PDF as the width of the heading's characters.
    const auto headingWidth = [&](const char* name) -> double {
        PRINT_DIALOG_ANSWER answer;
        answer.outputFile = CString("C:\\") + name;
        ModalHook::AnswerPrintDialog(answer);
        grid.Print(nullptr);
        QProcess p;
        p.start("pdftotext", {"-bbox", PdfPath(name), "-"});
        if (!p.waitForFinished(20000))
            return -1;
        const QString html = QString::fromLatin1(p.readAllStandardOutput());
        const QRegularExpressionMatch m =
            QRegularExpression(R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">Notes<)re").match(html);
        return m.hasMatch() ? m.captured(2).toDouble() - m.captured(1).toDouble() : -1;
    };
    const double normal = headingWidth("short.pdf");
    if (normal < 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    note->SetValue(COleVariant(CString(QByteArray(150, 'W').constData())));
    const double smaller = headingWidth("long.pdf");
    note->SetValue(COleVariant(CString(QByteArray(2000, 'W').constData())));
    const double smallest = headingWidth("huge.pdf");
    EXPECT_LT(smaller, normal * 0.8);
    EXPECT_GT(smaller, normal * 3 / 12 * 0.9);
    // 12 points down to 3 and no further: a quarter of the width, however long the value.
    EXPECT_NEAR(smallest, normal * 3 / 12, normal * 0.05);
}

TEST_F(ColourGridTest, ALongGridGoesOnOverFurtherPagesWithEveryRow)
{
    auto* group = new CMFCPropertyGridProperty("Observations");
    for (int i = 1; i <= 200; ++i)
    {
        CString name, value;
        name.Format("Range %03d", i);
        value.Format("%d.50 m", 100 + i);
        group->AddSubItem(new CMFCPropertyGridProperty(name, COleVariant(value), ""));
    }
    grid.AddProperty(group);
    CStringArray header;
    header.Add("Observation list");
    const QByteArray text = PrintToPdf("long.pdf", &header);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_GE(text.count('\f'), 3);
    int from = 0;
    for (int i = 1; i <= 200; ++i)
    {
        const QByteArray name = QByteArray("Range ") + QByteArray::number(i).rightJustified(3, '0');
        const int at = text.indexOf(name, from);
        ASSERT_GE(at, 0) << name.constData() << " is missing";
        from = at;
    }
    EXPECT_EQ(text.count("Observation list"), 1) << "the header box is on the first page only";
}

TEST_F(ColourGridTest, CancelPrintsNothingAndAFailedStartIsReported)
{
    FillCalibration();
    PRINT_DIALOG_ANSWER cancel;
    cancel.ok = false;
    cancel.outputFile = "C:\\cancelled.pdf";
    ModalHook::AnswerPrintDialog(cancel);
    grid.Print(nullptr);
    EXPECT_FALSE(QFile::exists(PdfPath("cancelled.pdf")));
    for (const MODAL_RECORD& r : ModalHook::Shown())
        EXPECT_NE(r.kind, MODAL_RECORD::MessageBox) << "cancelling says nothing";

    PRINT_DIALOG_ANSWER nowhere;
    nowhere.outputFile = "C:\\no such folder\\grid.pdf";
    ModalHook::AnswerPrintDialog(nowhere);
    ModalHook::AnswerMessageBox(IDOK);
    grid.Print(nullptr);
    ASSERT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    EXPECT_NE(ModalHook::Shown().back().text.Find("could not be printed"), -1);
    EXPECT_EQ(grid.m_PrintNames.GetSize(), 0);
}
