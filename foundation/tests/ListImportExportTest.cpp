// Observation lists filled from CSV files and workbooks by an import definition, and written
// back out as CSV, workbooks and print: the row rules, the settings file, the column picker,
// and exports that import back the same.
#include "foundation/ExcelColumnComboBox.h"
#include "foundation/ListCtrlImport.h"
#include "foundation/ListOutput.h"
#include "foundation/MyListCtrl.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/io/OdbcApi.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/PrintDialog.h"
#include "testsupport/EventPump.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/ResourceProbe.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <string>
#include <vector>

namespace
{
using Table = std::vector<std::vector<std::string>>;

bool WriteText(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A list control in a window, with the columns of the calibration's range observations.
struct ListImportExportTest : ::testing::Test
{
    CWnd owner;
    CMyListCtrl list;
    CListCtrlImport import;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Observations", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300),
                                   nullptr, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 580, 280), &owner, 100));
        Columns({"Station", "Range", "Time"});
    }
    void TearDown() override { owner.DestroyWindow(); }

    void Columns(const std::vector<const char*>& headings)
    {
        while (list.DeleteColumn(0))
        {
        }
        import.RemoveAll();
        for (size_t c = 0; c < headings.size(); ++c)
        {
            list.InsertColumn(static_cast<int>(c), headings[c], LVCFMT_LEFT, 80);
            import.AddField(headings[c]);
        }
    }
    void Map(const std::vector<int>& columns)
    {
        for (size_t i = 0; i < columns.size(); ++i)
            import.SetColumn(static_cast<int>(i), columns[i]);
    }
    void Fill(const Table& rows)
    {
        list.DeleteAllItems();
        for (size_t r = 0; r < rows.size(); ++r)
        {
            list.InsertItem(static_cast<int>(r), rows[r][0].c_str());
            for (size_t c = 1; c < rows[r].size(); ++c)
                list.SetItemText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
        }
    }
    Table Rows()
    {
        Table rows;
        const int columns = ListColumnCount(list);
        for (int r = 0; r < list.GetItemCount(); ++r)
        {
            std::vector<std::string> row;
            for (int c = 0; c < columns; ++c)
                row.push_back(list.GetItemText(r, c).GetString());
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<DWORD_PTR> ItemData()
    {
        std::vector<DWORD_PTR> data;
        for (int r = 0; r < list.GetItemCount(); ++r)
            data.push_back(list.GetItemData(r));
        return data;
    }
    int Image(int row)
    {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list.GetItem(&item);
        return item.iImage;
    }
};
} // namespace

TEST_F(ListImportExportTest, CsvRowsOverAMapping)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        std::vector<int> mapping;
        int skip;
        Table rows;
        std::vector<DWORD_PTR> records;
    } cases[] = {
        {"in order",
         "A,101.5,10:00\nB,202.25,10:01\n",
         {0, 1, 2},
         0,
         {{"A", "101.5", "10:00"}, {"B", "202.25", "10:01"}},
         {0, 1}},
        {"reordered", "10:00,x,A,101.5\n", {2, 3, 0}, 0, {{"A", "101.5", "10:00"}}, {0}},
        {"skipped field", "A,101.5,10:00\n", {0, -1, 2}, 0, {{"A", "", "10:00"}}, {0}},
        {"skipped first field", "A,101.5,10:00\n", {-1, 1, 2}, 0, {{"", "101.5", "10:00"}}, {0}},
        // A short line or an empty value drops the row, and the next row takes its place.
        {"short and empty",
         "A,1,t1\nB,2\nC,,t3\nD,4,t4\n",
         {0, 1, 2},
         0,
         {{"A", "1", "t1"}, {"D", "4", "t4"}},
         {0, 3}},
        // The lines to skip hold headings.
        {"heading", "Station,Range,Time\nA,1,t1\n", {0, 1, 2}, 1, {{"A", "1", "t1"}}, {0}},
        {"quoted",
         "\"A, north\",\"1\",\"say \"\"hi\"\"\"\r\n",
         {0, 1, 2},
         0,
         {{"A, north", "1", "say \"hi\""}},
         {0}},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WriteText(TempDrives::Current()->OnC("obs.csv"), c.file));
        import.m_FullPath = "C:\\obs.csv";
        import.m_SkipNoLines = c.skip;
        Map(c.mapping);
        EXPECT_TRUE(import.ImportCsv(list)) << c.name;
        EXPECT_EQ(Rows(), c.rows) << c.name;
        EXPECT_EQ(ItemData(), c.records) << c.name;
        for (int r = 0; r < list.GetItemCount(); ++r)
            EXPECT_EQ(Image(r), 1) << c.name;
        EXPECT_EQ(import.m_RecordCount, -1) << c.name;
    }
}

// Run under AddressSanitizer too: sources that are missing, damaged or too large give an empty
// list and the reason in words, or the rows they hold.
using ListImportBadInput = ListImportExportTest;

TEST_F(ListImportBadInput, MissingSourcesGiveAnEmptyListAndAReason)
{
    Fill({{"old", "1", "2"}});
    import.m_FullPath = "C:\\missing.csv";
    Map({0, 1, 2});
    EXPECT_FALSE(import.ImportCsv(list));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_NE(import.m_ImportError.Find("missing.csv"), -1) << import.m_ImportError.GetString();
    EXPECT_EQ(import.m_RecordCount, -1);

    // A workbook that is not there, and sheet names the query cannot hold.
    Fill({{"old", "1", "2"}});
    import.m_FullPath = "C:\\missing.xlsx";
    EXPECT_FALSE(import.ImportExcel(list));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_FALSE(import.m_ImportError.IsEmpty());
    import.m_SpreadsheetName = "Ranges]";
    EXPECT_FALSE(import.ImportExcel(list));
    EXPECT_NE(import.m_ImportError.Find("]"), -1);
    import.m_SpreadsheetName = CString('x', 1020);
    EXPECT_FALSE(import.ImportExcel(list));
    EXPECT_NE(import.m_ImportError.Find("too long"), -1);
    EXPECT_EQ(import.m_RecordCount, -1);
}

// Workbooks refused by the reader leave the list empty and say why, in the reader's words; a
// sheet with one cell far to the right on each row imports those cells.
TEST_F(ListImportBadInput, WorkbooksTooLargeForAListAreRefusedInWords)
{
    struct Case
    {
        const char* fixture;
        const char* reason;
    } cases[] = {
        {"bad_xlsx_many_cells.xlsx", "more than 524288 cells, more than a list shows"},
        {"bad_xlsx_shared_text.xlsx", "more than 16 MB of text"},
        {"bad_xlsx_claimed_size.xlsx", "unpacks to more than 64 MB"},
    };
    Map({0, 1, 2});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        Fill({{"old", "1", "2"}});
        const QString target = TempDrives::Current()->OnC(c.fixture);
        ASSERT_TRUE(QFile::copy(QString(SUITE_SOURCE_DIR "/platform/io/tests/data/") + c.fixture, target));
        import.m_FullPath = CString("C:\\") + c.fixture;
        EXPECT_FALSE(import.ImportExcel(list));
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_NE(import.m_ImportError.Find(c.reason), -1) << import.m_ImportError.GetString();
        EXPECT_EQ(import.m_RecordCount, -1);
    }

    // Rows 2 to 1001 of the sheet hold their own row number in column 16000 and nothing else.
    const QString wide = TempDrives::Current()->OnC("wide.xlsx");
    ASSERT_TRUE(QFile::copy(QString(SUITE_SOURCE_DIR "/platform/io/tests/data/bad_xlsx_wide_rows.xlsx"), wide));
    import.m_FullPath = "C:\\wide.xlsx";
    Map({15999, -1, -1});
    ASSERT_TRUE(import.ImportExcel(list)) << import.m_ImportError.GetString();
    ASSERT_EQ(list.GetItemCount(), 1000);
    EXPECT_EQ(list.GetItemText(0, 0), "2");
    EXPECT_EQ(list.GetItemText(999, 0), "1001");
    EXPECT_EQ(list.GetItemData(999), 999u);
}

// Damaged CSV files: what each line gives is placed by the usual rules, and nothing is read
// beyond the line.
TEST_F(ListImportBadInput, DamagedCsvFilesGiveWhatTheirLinesHold)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        bool read;
        bool checkRows; // false: any rows, so long as nothing is read beyond the file
        Table rows;
    } cases[] = {
        {"unclosed quote", "\"A, north,1,t1\nB,2,t2\n", true, true, {{"B", "2", "t2"}}},
        {"NUL inside a line", QByteArray("A,1,t1\nB\0,2,t2\nC,3,t3\n", 22), true, true,
         {{"A", "1", "t1"}, {"C", "3", "t3"}}},
        {"only separators", ",,,,\n,,\n", true, true, {}},
        {"empty", "", false, true, {}},
        {"bytes of every value",
         [] {
             QByteArray bytes;
             for (int i = 0; i < 4096; ++i)
                 bytes += static_cast<char>((i * 7919) & 0xFF);
             return bytes;
         }(),
         true, false, {}},
    };
    Map({0, 1, 2});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteText(TempDrives::Current()->OnC("damaged.csv"), c.file));
        import.m_FullPath = "C:\\damaged.csv";
        EXPECT_EQ(import.ImportCsv(list), c.read);
        if (c.checkRows)
        {
            EXPECT_EQ(Rows(), c.rows);
        }
        EXPECT_EQ(import.m_RecordCount, -1);
    }
}

// An observation file of three lines of a megabyte each imports within a second of processor
// time and 100 MB.
TEST_F(ListImportExportTest, MegabyteLinesImportWithinASecondAnd100Megabytes)
{
    QByteArray line;
    for (int field = 0; line.size() < 1024 * 1024; ++field)
        line += QByteArray::number(field) + ",";
    line.chop(1);
    ASSERT_TRUE(WriteText(TempDrives::Current()->OnC("long.csv"), line + "\r\n" + line + "\r\n" + line + "\r\n"));
    import.m_FullPath = "C:\\long.csv";
    Map({0, 1000, 150000});
    bool read = false;
    const ResourceUse use = MeasureResources([&] { read = import.ImportCsv(list); }, 1.0);
    ASSERT_TRUE(read) << import.m_ImportError.GetString();
    EXPECT_EQ(Rows(), (Table(3, {"0", "1000", "150000"})));
    EXPECT_LT(use.cpuSeconds, 1.0);
    EXPECT_LT(use.peakMegabytes, 100.0);
}

TEST_F(ListImportExportTest, CsvExportImportsBackTheSame)
{
    const Table rows = {
        {"A, north", "say \"hi\"", "O'Neill"}, {"two\nlines", "1.5", ""}, {"plain", "-3", "x,y"}};
    Fill(rows);
    list.m_ExportFolder = "C:\\";
    ASSERT_TRUE(list.ExportCsv("observations"));
    // One line a row, no heading line, cells quoted only where they must be.
    EXPECT_EQ(ReadAll(TempDrives::Current()->OnC("observations.CSV")),
              QByteArray("\"A, north\",\"say \"\"hi\"\"\",O'Neill\r\n"
                         "two lines,1.5,\r\n"
                         "plain,-3,\"x,y\"\r\n"));
    import.m_FullPath = "C:\\observations.CSV";
    Map({0, 1, 2});
    list.DeleteAllItems();
    EXPECT_TRUE(import.ImportCsv(list));
    // The row with an empty cell is dropped on import; the others come back as they were, the
    // line feed as a blank.
    EXPECT_EQ(Rows(), (Table{{"A, north", "say \"hi\"", "O'Neill"}, {"plain", "-3", "x,y"}}));

    // A folder that cannot be written: false and the reason, nothing left behind.
    list.m_ExportFolder = "C:\\no such folder\\";
    EXPECT_FALSE(list.ExportCsv("observations"));
    EXPECT_NE(list.m_ExportError.Find("observations.CSV"), -1);
}

TEST_F(ListImportExportTest, WorkbookExportAndImport)
{
    CString driver, source;
    ASSERT_TRUE(FindExcelOdbcDriver(driver, source));
    EXPECT_EQ(source, OdbcWorkbookDataSourceName());
    EXPECT_EQ(driver, OdbcWorkbookDriverDescription());
    EXPECT_NE(source.Find("Excel"), -1);
    EXPECT_NE(driver.Find("Excel"), -1);

    Columns({"Station", "", "Note"});
    Fill({{"A", "101.5", "it's"}, {"B", "-2", "x"}});
    CExcelColumn columns;
    ASSERT_EQ(GetListExcelColumns(list, columns), 3);
    EXPECT_STREQ(CExcelWriter::BuildCreateTableSql("Grid On Grid", columns),
                 "CREATE TABLE \"Grid On Grid\" (\"Station\" TEXT, \"B1\" NUMBER, \"Note\" TEXT);");
    columns[0].Value = "A";
    columns[1].Value = "101.5";
    columns[2].Value = "it's";
    EXPECT_STREQ(CExcelWriter::BuildInsertSql("Grid On Grid", columns),
                 "INSERT INTO \"Grid On Grid\" VALUES ('A', '101.5', 'it''s');");

    list.m_ExportFolder = "C:\\";
    ASSERT_TRUE(list.ExportExcel("observations")) << list.m_ExportError.GetString();
    import.m_FullPath = "C:\\observations.XLS";
    import.m_SpreadsheetName = "Grid On Grid";
    Map({0, 1, 2});
    list.DeleteAllItems();
    EXPECT_TRUE(import.ImportExcel(list)) << import.m_ImportError.GetString();
    EXPECT_EQ(Rows(), (Table{{"A", "101.5", "it's"}, {"B", "-2", "x"}}));
    EXPECT_EQ(ItemData(), (std::vector<DWORD_PTR>{0, 1}));
    EXPECT_EQ(Image(0), 1);
    EXPECT_EQ(import.m_RecordCount, -1);
    // Letters pick the columns of a sheet as numbers do those of a file: C, A, skip.
    Map({2, 0, -1});
    EXPECT_TRUE(import.ImportExcel(list));
    EXPECT_EQ(Rows(), (Table{{"it's", "A", ""}, {"x", "B", ""}}));
    // A sheet that is not in the workbook.
    import.m_SpreadsheetName = "Sheet9";
    EXPECT_FALSE(import.ImportExcel(list));
    EXPECT_NE(import.m_ImportError.Find("Sheet9"), -1);

    // An independent reader sees the same workbook.
    const QString python = PythonWith("openpyxl");
    if (python.isEmpty())
        GTEST_SKIP() << "python3 with openpyxl (Debian python3-openpyxl) is not installed";
    const QString copy = TempDrives::Current()->OnC("observations-copy.xlsx");
    ASSERT_TRUE(QFile::copy(TempDrives::Current()->OnC("observations.XLS"), copy));
    QProcess p;
    p.start(python, {"-c",
                     "import json, sys, openpyxl\n"
                     "wb = openpyxl.load_workbook(sys.argv[1])\n"
                     "ws = wb[wb.sheetnames[0]]\n"
                     "print(json.dumps({'sheets': wb.sheetnames, 'rows': [[type(v).__name__, v] for r in "
                     "ws.iter_rows(values_only=True) for v in r]}))\n",
                     copy});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QJsonObject out = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(out["sheets"].toArray().at(0).toString(), "Grid On Grid");
    const QJsonArray cells = out["rows"].toArray();
    ASSERT_EQ(cells.size(), 9);
    const char* texts[] = {"Station", "B1", "Note", "A", nullptr, "it's", "B", nullptr, "x"};
    for (int i = 0; i < 9; ++i)
    {
        if (texts[i])
        {
            EXPECT_EQ(cells[i].toArray().at(1).toString(), texts[i]) << i;
        }
    }
    EXPECT_EQ(cells[4].toArray().at(1).toDouble(), 101.5);
    EXPECT_NE(cells[4].toArray().at(0).toString(), "str");
    EXPECT_EQ(cells[7].toArray().at(1).toDouble(), -2.0);
}

TEST_F(ListImportExportTest, SettingsFileBesideItsReader)
{
    import.LoadSettings(nullptr);
    EXPECT_EQ(import.m_SettingsName, "Spreadsheet");
    EXPECT_EQ(import.m_SpreadsheetName, "Sheet1");
    EXPECT_EQ(import.m_Mode, 0);
    EXPECT_EQ(import.m_SkipNoLines, 0);
    EXPECT_EQ(import.m_FullPath.Right(1), "\\");
    import.m_FullPath = "C:\\Data\\ranges.csv";
    import.m_SpreadsheetName = "Ranges";
    import.m_Mode = 1;
    import.m_SkipNoLines = 2;
    Map({3, -1, 0});
    import.SaveSettings();
    const QString path = LinuxPathFromWindows(import.GetSettingsFileName());
    EXPECT_TRUE(path.endsWith("/Spreadsheet.INI")) << path.toStdString();
    EXPECT_EQ(ReadAll(path),
              QByteArray("Full Path = C:\\Data\\ranges.csv\r\nSpreadsheet Name = Ranges\r\nMode = 1\r\n"
                         "Skip No Lines = 2\r\nStation = 3\r\nRange = -1\r\nTime = 0\r\n"));
    CListCtrlImport back;
    for (const char* field : {"Station", "Range", "Time"})
        back.AddField(field);
    back.LoadSettings("");
    EXPECT_EQ(back.m_FullPath, "C:\\Data\\ranges.csv");
    EXPECT_EQ(back.m_SpreadsheetName, "Ranges");
    EXPECT_EQ(back.m_Mode, 1);
    EXPECT_EQ(back.m_SkipNoLines, 2);
    EXPECT_EQ(back[0].Column, 3);
    EXPECT_EQ(back[1].Column, -1);
    EXPECT_EQ(back[2].Column, 0);
    // A named definition keeps a file of its own.
    back.LoadSettings("USBL Ranges");
    EXPECT_EQ(back.m_SpreadsheetName, "Sheet1");
}

TEST_F(ListImportExportTest, ColumnPickerForFilesAndSheets)
{
    CExcelColumnComboBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &owner, 200));
    auto texts = [&] {
        std::vector<std::string> all;
        for (int i = 0; i < box.GetCount(); ++i)
        {
            CString text;
            box.GetLBText(i, text);
            all.push_back(text.GetString());
        }
        return all;
    };
    box.SetColumn(2, EXCEL_COLUMN_NUMBERS);
    std::vector<std::string> numbers = texts();
    ASSERT_EQ(numbers.size(), 27u);
    EXPECT_EQ(numbers[0], "Skip");
    EXPECT_EQ(numbers[1], "1");
    EXPECT_EQ(numbers[26], "26");
    EXPECT_EQ(box.GetCurSel(), 3);
    EXPECT_EQ(box.GetColumn(), 2);
    box.SetColumn(-4, EXCEL_COLUMN_LETTERS);
    std::vector<std::string> letters = texts();
    ASSERT_EQ(letters.size(), 27u);
    EXPECT_EQ(letters[0], "Skip");
    EXPECT_EQ(letters[1], "A");
    EXPECT_EQ(letters[26], "Z");
    EXPECT_EQ(box.GetCurSel(), 0);
    EXPECT_EQ(box.GetColumn(), -1);
    // The same kind again: the list stays, only the selection moves.
    box.SetItemData(5, 77);
    box.SetColumn(25, EXCEL_COLUMN_LETTERS);
    EXPECT_EQ(box.GetItemData(5), 77u);
    EXPECT_EQ(box.GetCurSel(), 26);
    box.SetColumn(0, EXCEL_COLUMN_NUMBERS);
    EXPECT_EQ(box.GetItemData(5), 0u);
    EXPECT_EQ(texts()[1], "1");
}

TEST_F(ListImportExportTest, PrintsEveryRowAtTwelvePoints)
{
    Table rows;
    for (int r = 0; r < 120; ++r)
        rows.push_back({"Stn" + std::to_string(1000 + r), std::to_string(r * 3) + ".25", "12:00"});
    Fill(rows);
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = "C:\\observations.pdf";
    ModalHook::AnswerPrintDialog(answer);
    CStringArray titles;
    titles.Add("Range Observations");
    ASSERT_TRUE(list.Print(&titles));
    const QString pdf = TempDrives::Current()->OnC("observations.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const QByteArray text = PdfText(pdf);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not checked";
    const QList<QByteArray> pages = text.split('\f');
    ASSERT_GE(pages.size(), 2);
    int found = 0;
    for (const QByteArray& page : pages)
    {
        if (page.trimmed().isEmpty())
            continue;
        EXPECT_NE(page.indexOf("Range Observations"), -1);
        EXPECT_NE(page.indexOf("Station"), -1);
        for (int r = 0; r < 120; ++r)
            found += page.contains(QByteArray("Stn") + QByteArray::number(1000 + r));
    }
    EXPECT_EQ(found, 120);
    // Nothing to print: no dialog, false.
    list.DeleteAllItems();
    EXPECT_FALSE(list.Print());
}
