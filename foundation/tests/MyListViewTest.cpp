#include "foundation/MyListView.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"

#include "testsupport/ExternalTools.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <string>
#include <vector>

namespace
{
using Table = std::vector<std::vector<CString>>;

void PumpEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MyListViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "List", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 400)));
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CMyListView);
        m_view = static_cast<CMyListView*>(m_frame->CreateView(&context));
        ASSERT_NE(m_view, nullptr);
        m_frame->InitialUpdateFrame(nullptr, TRUE);
        PumpEvents();
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->DestroyWindow(); // the frame and its view delete themselves
        PumpEvents();
    }

    CListCtrl& List() { return m_view->GetListCtrl(); }

    void Fill(const std::vector<CString>& headings, const Table& rows)
    {
        CListCtrl& list = List();
        list.DeleteAllItems();
        while (list.DeleteColumn(0))
        {
        }
        for (size_t c = 0; c < headings.size(); ++c)
            list.InsertColumn(static_cast<int>(c), headings[c], LVCFMT_LEFT, 80);
        for (size_t r = 0; r < rows.size(); ++r)
        {
            list.InsertItem(static_cast<int>(r), rows[r][0]);
            for (size_t c = 1; c < rows[r].size(); ++c)
                list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
        }
    }

    std::vector<CString> Headings()
    {
        std::vector<CString> headings;
        CHeaderCtrl* header = List().GetHeaderCtrl();
        for (int c = 0; c < header->GetItemCount(); ++c)
        {
            char buffer[256] = {0};
            LVCOLUMN lvc{};
            lvc.mask = LVCF_TEXT;
            lvc.pszText = buffer;
            lvc.cchTextMax = sizeof buffer;
            List().GetColumn(c, &lvc);
            headings.emplace_back(buffer);
        }
        return headings;
    }

    Table Rows()
    {
        Table rows;
        const int columns = List().GetHeaderCtrl()->GetItemCount();
        for (int r = 0; r < List().GetItemCount(); ++r)
        {
            std::vector<CString> row;
            for (int c = 0; c < columns; ++c)
                row.push_back(List().GetItemText(r, c));
            rows.push_back(row);
        }
        return rows;
    }

    Table ManyRows(int count)
    {
        Table rows;
        for (int r = 0; r < count; ++r)
        {
            CString name, kp;
            name.Format("Row%03d", r);
            kp.Format("%d.%03d", r / 10, r * 7 % 1000);
            rows.push_back({name, kp, "Pipeline"});
        }
        return rows;
    }

    CFrameWnd* m_frame = nullptr;
    CMyListView* m_view = nullptr;
};
} // namespace

TEST_F(MyListViewTest, SavedToExcelAndReadBackThroughOurReader)
{
    ASSERT_TRUE(QDir().mkpath(TempDrives::Current()->OnC("Out")));
    Fill({"Name", "Structure Height\ninc blade\nMHWS", "", "Mixed"},
         {{"O'Neill's mark", "12", "1", "7"}, {"B", " 3.5 ", "2", ""}, {"C", "-1", "3", "n/a"}});
    m_view->m_ExportFolder = "C:\\Out\\";
    m_view->m_ExportName = "Turbines";
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(m_view->SaveToExcel());
    EXPECT_EQ(ModalHook::Shown().back().text, "Turbines.XLSX\n saved in \nC:\\Out\\");

    CDatabase db;
    ASSERT_TRUE(db.OpenEx("DRIVER={Excel Workbook Driver (*.xlsx)};DBQ=C:\\Out\\Turbines.XLSX"));
    CRecordset rs(&db);
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Turbines$]", CRecordset::readOnly));
    ASSERT_EQ(rs.GetODBCFieldCount(), 4);
    const char* names[] = {"Name", "Structure Height inc blade MHWS", "C1", "Mixed"};
    const SQLSMALLINT types[] = {SQL_VARCHAR, SQL_DOUBLE, SQL_DOUBLE, SQL_VARCHAR};
    for (short i = 0; i < 4; ++i)
    {
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(i, info);
        EXPECT_EQ(info.m_strName, names[i]);
        EXPECT_EQ(info.m_nSQLType, types[i]) << names[i];
    }
    Table back;
    while (!rs.IsEOF())
    {
        std::vector<CString> row;
        for (short i = 0; i < 4; ++i)
        {
            CString v;
            rs.GetFieldValue(i, v);
            row.push_back(v);
        }
        back.push_back(row);
        rs.MoveNext();
    }
    const Table expected = {
        {"O'Neill's mark", "12", "1", "7"}, {"B", "3.5", "2", ""}, {"C", "-1", "3", "n/a"}};
    EXPECT_EQ(back, expected);

    // Without an export name: "_<default name>.XLSX", the sheet named without the '_'.
    m_view->m_ExportName.Empty();
    m_view->m_DefaultName = "_routes";
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(m_view->SaveToExcel());
    EXPECT_EQ(ModalHook::Shown().back().text, "__routes.XLSX\n saved in \nC:\\Out\\");
    CDatabase db2;
    ASSERT_TRUE(db2.OpenEx("DRIVER={Excel Workbook Driver (*.xlsx)};DBQ=C:\\Out\\__routes.XLSX"));
    CRecordset rs2(&db2);
    EXPECT_TRUE(rs2.Open(CRecordset::forwardOnly, "SELECT * FROM [routes$]"));
}

TEST_F(MyListViewTest, SavedWorkbookOpensInAnIndependentReader)
{
    const QString python = PythonWith("openpyxl");
    if (python.isEmpty())
        GTEST_SKIP()
            << "python3 with openpyxl (Debian python3-openpyxl) is not installed: the workbook is not "
               "checked by an independent reader";
    Fill({"Name", "Depth\n(m)", "Code"}, {{"it's", "12", "A1"}, {"x", "3.25", "007"}, {"", "-1", "B"}});
    m_view->m_ExportFolder = "C:\\";
    m_view->m_ExportName = "Survey";
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(m_view->SaveToExcel());

    const char* script = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": wb.sheetnames, "rows": []}
for row in wb[wb.sheetnames[0]].iter_rows(values_only=True):
    out["rows"].append([[type(v).__name__, v] for v in row])
print(json.dumps(out))
)PY";
    // The reader goes by the name's extension before it looks at the content.
    const QString copy = TempDrives::Current()->OnC("Survey-copy.xlsx");
    ASSERT_TRUE(QFile::copy(TempDrives::Current()->OnC("Survey.XLSX"), copy));
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), copy});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QJsonObject doc = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(doc["sheets"].toArray(), QJsonArray({"Survey"}));
    const QJsonArray rows = doc["rows"].toArray();
    ASSERT_EQ(rows.size(), 4);
    const QJsonArray expected[] = {
        {QJsonArray{"str", "Name"}, QJsonArray{"str", "Depth (m)"}, QJsonArray{"str", "Code"}},
        {QJsonArray{"str", "it's"}, QJsonArray{"int", 12}, QJsonArray{"str", "A1"}},
        {QJsonArray{"str", "x"}, QJsonArray{"float", 3.25}, QJsonArray{"str", "007"}},
        {QJsonArray{"NoneType", QJsonValue::Null}, QJsonArray{"int", -1}, QJsonArray{"str", "B"}},
    };
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(rows[r].toArray(), expected[r])
            << "row " << r << ": " << QJsonDocument(rows[r].toArray()).toJson().constData();
}

TEST_F(MyListViewTest, CsvRoundTripKeepsCommasQuotesAndRowsTogether)
{
    ASSERT_TRUE(QDir().mkpath(TempDrives::Current()->OnC("Data")));
    Fill({"Name", "\nLatitude", "Note"}, {{"plain", "1.5", "a,b"},
                                          {"say \"hi\"", "2", "line\nbreak"},
                                          {"\"quoted start", "3", "x"},
                                          {"both, \"q\"", "4", ""},
                                          {"12\" pipe", "$GPGGA*12", "end"}});
    m_view->m_ExportFolder = "C:\\Data\\";
    m_view->m_DefaultName = "survey";
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(m_view->SaveToCsv());
    EXPECT_EQ(ModalHook::Shown().back().text, "_survey.CSV\n saved in \nC:\\Data\\");
    // The name the user is told is the file's name, letter for letter.
    EXPECT_EQ(QDir(TempDrives::Current()->OnC("Data")).entryList(QDir::Files), QStringList{"_survey.CSV"});

    const QByteArray expectedFile = "Name, Latitude,Note\r\n"
                                    "plain,1.5,\"a,b\"\r\n"
                                    "\"say \"\"hi\"\"\",2,line break\r\n"
                                    "\"\"\"quoted start\",3,x\r\n"
                                    "\"both, \"\"q\"\"\",4,\r\n"
                                    "\"12\"\" pipe\",$GPGGA*12,end\r\n";
    EXPECT_EQ(ReadAll(TempDrives::Current()->OnC("Data/_survey.CSV")), expectedFile);

    m_view->m_bFirstLineHoldsHeadings = true;
    m_view->LoadCsv("C:\\Data\\_survey.CSV");
    EXPECT_EQ(Headings(), (std::vector<CString>{"Name", "Latitude", "Note"}));
    const Table expectedRows = {{"plain", "1.5", "a,b"},
                                {"say \"hi\"", "2", "line break"},
                                {"\"quoted start", "3", "x"},
                                {"both, \"q\"", "4", ""},
                                {"12\" pipe", "$GPGGA*12", "end"}};
    EXPECT_EQ(Rows(), expectedRows);
}

TEST_F(MyListViewTest, LoadingMakesColumnsForTheLongestLineAndTitlesTheFrame)
{
    QFile f(TempDrives::Current()->OnC("ragged.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1,2\r\n3,4,5,6\r\n\r\n7\r\n");
    f.close();
    m_view->LoadCsv("C:\\ragged.csv");
    EXPECT_EQ(Headings(), (std::vector<CString>{"", "", "", ""}));
    // A blank line holds no row and shifts none.
    const Table expected = {{"1", "2", "", ""}, {"3", "4", "5", "6"}, {"7", "", "", ""}};
    EXPECT_EQ(Rows(), expected);
    ASSERT_EQ(m_view->m_Headings.GetSize(), 2);
    EXPECT_EQ(m_view->m_Headings[1], "2");
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_EQ(title, "C:\\ragged.csv");

    m_view->LoadCsv("C:\\nowhere.csv");
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(List().GetHeaderCtrl()->GetItemCount(), 0);
    m_frame->GetWindowText(title);
    EXPECT_EQ(title, "C:\\nowhere.csv");
}

TEST_F(MyListViewTest, ExportsThatCannotOpenTheirFileSaySoAndWriteNothing)
{
    Fill({"A"}, {{"1"}});
    m_view->m_ExportFolder = "C:\\No Such Folder\\";
    m_view->m_ExportName = "x";
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_view->SaveToCsv());
    EXPECT_EQ(ModalHook::Shown().back().text, "Error Opening CSV File");
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_view->SaveToExcel());
    EXPECT_EQ(ModalHook::Shown().back().text, "Error Opening EXCEL File");

    // A sheet name the workbook refuses fails the export as a whole.
    m_view->m_ExportFolder = "C:\\";
    m_view->m_ExportName = "a:b";
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_view->SaveToExcel());
    EXPECT_EQ(ModalHook::Shown().back().text.Left(24), "Error Opening EXCEL File");
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("a:b.XLSX")));
}

TEST_F(MyListViewTest, MenuEntriesFollowRowsAndSelection)
{
    // The menu's commands, one a line, without its owner-drawn title bands.
    auto commands = [](const CString& shown) {
        CString out;
        for (const QString& line : shown.ToQString().split('\n'))
            if (!line.isEmpty() && line != QLatin1String("(owner-drawn)"))
                out += (out.IsEmpty() ? "" : "\n") + CString::FromQString(line);
        return out;
    };
    const CString load = "Load CSV File";
    const CString exports = "\nSave to CSV\nSave to Excel\nPrint";
    const struct
    {
        int rows;
        std::vector<int> selected;
        CString menu;
    } cases[] = {
        {0, {}, load},
        {3, {}, load + exports},
        {3, {1}, load + "\nDelete Row" + exports},
        {3, {0, 2}, load + "\nDelete Selected Rows" + exports},
    };
    for (const auto& c : cases)
    {
        Fill({"A"}, Table(static_cast<size_t>(c.rows), std::vector<CString>{"v"}));
        for (int r : c.selected)
            List().SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        ModalHook::AnswerMenu(0);
        m_view->ShowContextMenu(CPoint(10, 10));
        EXPECT_EQ(commands(ModalHook::Shown().back().text), c.menu) << c.rows << " rows";
    }

    // Deleting removes exactly the selected rows.
    Fill({"A"}, {{"0"}, {"1"}, {"2"}, {"3"}, {"4"}});
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    List().SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    ModalHook::AnswerMenu(ID_LISTVIEW_DELETE_ROWS);
    m_view->ShowContextMenu(CPoint(10, 10));
    EXPECT_EQ(Rows(), (Table{{"0"}, {"2"}, {"4"}}));
}

TEST_F(MyListViewTest, ChoosingAFileRemembersItInTheMemoFile)
{
    m_view->m_SettingsName = "Points View";
    ModalHook::AnswerFileDialog({"C:\\Data\\points.csv"});
    ASSERT_TRUE(m_view->ChooseCsvFile());
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_EQ(shown.caption, "Data File");
    EXPECT_EQ(shown.text, "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(m_view->m_DataFilePath, "C:\\Data\\points.csv");
    EXPECT_EQ(m_view->m_ExportFolder, "C:\\Data\\");
    EXPECT_EQ(m_view->m_DefaultName, "points");
    CConfigFile names;
    const QString memo = LinuxPathFromWindows(names.GetSettingsFileName("Points View"));
    EXPECT_TRUE(memo.endsWith("Points_View.INI")) << memo.toStdString();
    EXPECT_EQ(ReadAll(memo), QByteArray("C:\\Data\\points.csv"));

    ModalHook::CancelFileDialog();
    EXPECT_FALSE(m_view->ImportCsv());
}

TEST_F(MyListViewTest, PrintsEveryRowAcrossPagesWithHeadingsOnEach)
{
    Fill({"Name", "KP", "Feature"}, ManyRows(130));
    m_view->m_ExportName = "Pipeline Listing";
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\listing.pdf";
    ModalHook::AnswerPrintDialog(answer);
    ASSERT_TRUE(m_view->Print());
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_EQ(shown.flags & (PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC),
              PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC);

    const ListPrintLayout& layout = m_view->GetLastPrintLayout();
    ASSERT_GE(layout.pages.size(), 2u);
    EXPECT_EQ(layout.pointSize, 12) << "a narrow table keeps the largest size";
    // Pages follow on without gaps, and each is as full as the page height lets it be.
    int next = 0;
    const int h = layout.rowHeight;
    for (const auto& page : layout.pages)
    {
        EXPECT_EQ(page.first, next);
        const int rows = page.second - page.first;
        const int yAfter = layout.top + 2 * h + h / 2 + rows * h;
        if (page.second < 130)
        {
            EXPECT_GE(yAfter, layout.height - h - h / 2);
            EXPECT_LT(yAfter - h, layout.height - h - h / 2);
        }
        next = page.second;
    }
    EXPECT_EQ(next, 130);

    const QString pdf = TempDrives::Current()->OnC("listing.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const QByteArray text = PdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not checked";
    const QList<QByteArray> pages = text.split('\f');
    ASSERT_GE(pages.size(), static_cast<int>(layout.pages.size()));
    for (size_t p = 0; p < layout.pages.size(); ++p)
    {
        const QByteArray& page = pages[static_cast<int>(p)];
        EXPECT_NE(page.indexOf("Feature"), -1) << "page " << p + 1;
        for (int r = layout.pages[p].first; r < layout.pages[p].second; ++r)
            EXPECT_NE(page.indexOf(QByteArray("Row") + QByteArray::number(r).rightJustified(3, '0')), -1)
                << "row " << r << " on page " << p + 1;
    }
}

TEST_F(MyListViewTest, CopiesRepeatPagesOrTheWholeDocument)
{
    Fill({"Name", "KP", "Feature"}, ManyRows(130));
    m_view->m_DefaultName = "copies";
    for (bool collate : {false, true})
    {
        PRINT_DIALOG_ANSWER answer;
        answer.outputFile = collate ? "C:\\collated.pdf" : "C:\\uncollated.pdf";
        answer.copies = 2;
        answer.collate = collate;
        ModalHook::AnswerPrintDialog(answer);
        ASSERT_TRUE(m_view->Print());
        const ListPrintLayout& layout = m_view->GetLastPrintLayout();
        const int n = static_cast<int>(layout.pages.size());
        std::vector<int> expected;
        for (int i = 0; i < 2 * n; ++i)
            expected.push_back(collate ? i % n + 1 : i / 2 + 1);
        EXPECT_EQ(layout.printedPages, expected) << (collate ? "collated" : "uncollated");
        const QByteArray text = PdfText(LinuxPathFromWindows(answer.outputFile));
        if (!text.isNull())
        {
            EXPECT_EQ(text.count('\f'), 2 * n);
        }
    }
    PRINT_DIALOG_ANSWER cancel;
    cancel.ok = false;
    ModalHook::AnswerPrintDialog(cancel);
    EXPECT_FALSE(m_view->Print());
}

TEST_F(MyListViewTest, FontStepsDownUntilTheSampleLineFits)
{
    const CString wide = "A rather long description of a seabed feature";
    Fill({"One", "Two", "Three", "Four"}, {{wide, wide, wide, wide}, {"x", "y", "z", "w"}});
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\wide.pdf";
    ModalHook::AnswerPrintDialog(answer);
    ASSERT_TRUE(m_view->Print());
    const ListPrintLayout& layout = m_view->GetLastPrintLayout();
    ASSERT_GE(layout.fitting.size(), 2u) << "the sample line is wider than the page at 12 points";
    for (size_t i = 0; i < layout.fitting.size(); ++i)
    {
        EXPECT_EQ(layout.fitting[i].first, 12 - static_cast<int>(i));
        if (i + 1 < layout.fitting.size())
        {
            EXPECT_GT(layout.fitting[i].second, layout.width) << layout.fitting[i].first << " points";
            EXPECT_GT(layout.fitting[i].second, layout.fitting[i + 1].second) << "smaller type, shorter line";
        }
    }
    const auto chosen = layout.fitting.back();
    EXPECT_EQ(layout.pointSize, chosen.first);
    EXPECT_LE(chosen.second, layout.width);
    EXPECT_GE(chosen.first, 3);
    // The table drawn at that size stays within the printable width.
    EXPECT_LE(layout.right - layout.left, layout.width + 2 * layout.margin);

    // So many columns that not even 3 points fit: 3 points it is.
    std::vector<CString> headings;
    std::vector<CString> row;
    for (int c = 0; c < 40; ++c)
    {
        headings.push_back("Heading");
        row.push_back(wide);
    }
    Fill(headings, {row});
    ModalHook::AnswerPrintDialog(answer);
    ASSERT_TRUE(m_view->Print());
    EXPECT_EQ(m_view->GetLastPrintLayout().pointSize, 3);
    EXPECT_GT(m_view->GetLastPrintLayout().fitting.back().second, m_view->GetLastPrintLayout().width);
}

TEST_F(MyListViewTest, RightClickShowsTheMenuAndTitleBandsDrawThemselves)
{
    const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT;
    EXPECT_EQ(List().GetExtendedStyle() & styles, styles);
    EXPECT_EQ(List().GetBkColor(), static_cast<COLORREF>(0xD6D6D6));

    // The list tells its parent; the notification comes back to the view's map.
    ModalHook::AnswerMenu(0);
    NMITEMACTIVATE click{};
    click.iItem = -1;
    AfxNotifyParent(m_view->GetSafeHwnd(), NM_RCLICK, &click.hdr);
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::Menu);
    EXPECT_EQ(ModalHook::Shown().back().flags & (TPM_RETURNCMD | TPM_RIGHTBUTTON),
              TPM_RETURNCMD | TPM_RIGHTBUTTON);

    // A title item (id 100 or more) is a dark band with its text in white; others are left alone.
    const COLORREF ground = RGB(10, 200, 10);
    for (UINT id : {1000u, 1u})
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 200, 24);
        CBitmap* previous = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 200, 24, ground);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, 200, 24);
        dis.itemData = reinterpret_cast<ULONG_PTR>("Export Data");
        m_view->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        int white = 0;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 24; ++y)
                white += dc.GetPixel(x, y) == RGB(255, 255, 255);
        if (id >= 100)
        {
            EXPECT_EQ(dc.GetPixel(1, 1), static_cast<COLORREF>(0x404040));
            EXPECT_GT(white, 20) << "the title's text";
        }
        else
        {
            EXPECT_EQ(dc.GetPixel(1, 1), ground);
            EXPECT_EQ(white, 0);
        }
        dc.SelectObject(previous);
    }
}

TEST_F(MyListViewTest, ExcelColumnsAreNumbersOnlyWhenEveryCellIsNumeric)
{
    Fill({"Depth", "", "Gap", "Name"},
         {{"12", "1", "5", "a"}, {" 3.5 ", "2", "", "b"}, {"-1", "3", "6", "c"}});
    CExcelColumn columns;
    EXPECT_EQ(m_view->GetExcelColumns(columns), 4);
    ASSERT_EQ(columns.GetSize(), 4);
    const struct
    {
        const char* heading;
        int numeric;
    } expected[] = {{"Depth", 1}, {"B1", 1}, {"Gap", 0}, {"Name", 0}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(columns[i].Heading, expected[i].heading);
        EXPECT_EQ(columns[i].Numeric, expected[i].numeric) << expected[i].heading;
        EXPECT_TRUE(columns[i].Value.IsEmpty());
    }
    // Without rows no column is a number column.
    Fill({"Depth"}, {});
    m_view->GetExcelColumns(columns);
    ASSERT_EQ(columns.GetSize(), 1);
    EXPECT_EQ(columns[0].Numeric, 0);
}
