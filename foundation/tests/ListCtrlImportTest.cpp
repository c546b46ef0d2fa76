// List import: the field-to-column mapping and its settings file, reading a CSV file and a
// spreadsheet worksheet record by record through one mapping, joining a record, and the
// column combo box.
#include "foundation/ExcelColumnComboBox.h"
#include "foundation/Folders.h"
#include "foundation/ListCtrlImport.h"
#include "platform/core/Path.h"
#include "platform/io/Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char kSettings[] = "Pipeline_CSV.INI";

void WriteFile(const char* windowsPath, const QByteArray& bytes)
{
    const QString linux = LinuxPathFromWindows(windowsPath);
    QDir().mkpath(QFileInfo(linux).path());
    QFile f(linux);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << windowsPath;
    f.write(bytes);
}

QByteArray ReadFile(const char* windowsPath)
{
    QFile f(LinuxPathFromWindows(windowsPath));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// The pipeline fields an import dialog would offer.
void AddPipelineFields(CListCtrlImport& import)
{
    for (const char* name : {"Easting", "Northing", "KP", "Name"})
        import.AddField(name);
}

std::vector<std::string> Strings(const CStringArray& fields)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
        out.emplace_back((LPCSTR)fields[i]);
    return out;
}

using Records = std::vector<std::vector<std::string>>;

Records ReadCsv(CListCtrlImport& import)
{
    Records records;
    CStdioFile file;
    if (!import.OpenFile(file))
        return records;
    CStringArray fields;
    while (import.ReadRecord(file, fields))
        records.push_back(Strings(fields));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull) << "the file is closed at its end";
    return records;
}

Records ReadSheet(CListCtrlImport& import)
{
    Records records;
    if (!import.OpenSpreadsheet())
        return records;
    CStringArray fields;
    while (import.ReadSpreadsheetRecord(fields))
        records.push_back(Strings(fields));
    EXPECT_FALSE(import.m_Database.IsOpen()) << "the source is closed at its end";
    return records;
}
} // namespace

TEST(ListCtrlImport, FirstRunMapsFieldsInOrder)
{
    CListCtrlImport import;
    AddPipelineFields(import);
    for (INT_PTR i = 0; i < import.GetSize(); ++i)
        EXPECT_EQ(import[i].Column, -1) << "a new field takes no column";

    import.LoadSettings();
    EXPECT_STREQ(import.m_SettingsName, "Pipeline CSV");
    EXPECT_STREQ(import.m_FullPath, "C:\\Documents\\");
    EXPECT_STREQ(import.m_SpreadsheetName, "Sheet1");
    EXPECT_EQ(import.m_Mode, 0);
    EXPECT_EQ(import.m_SkipNoLines, 0);
    for (INT_PTR i = 0; i < import.GetSize(); ++i)
        EXPECT_EQ(import[i].Column, i);
}

TEST(ListCtrlImport, MappingSavedReloadedAndAppliedToACsvFile)
{
    const char kData[] = "C:\\Survey\\Lay, 2024\\as-laid.csv";
    WriteFile(kData, "Pipeline as-laid\r\n"
                     "Name,Northing,KP,Easting\r\n"
                     "P1,6000100.5,0.000,401000.25\r\n"
                     "P2,6000200.5\r\n"
                     "P3,6000300.5,0.200,401200.75,extra\r\n");
    {
        CListCtrlImport import;
        AddPipelineFields(import);
        import.LoadSettings();
        import.m_FullPath = kData;
        import.m_SpreadsheetName = "As Laid";
        import.m_Mode = 2;
        import.m_SkipNoLines = 2;
        import[0].Column = 3;  // Easting: the fourth value
        import[1].Column = 1;  // Northing
        import[2].Column = -1; // KP skipped
        import[3].Column = 0;  // Name
        import.SaveSettings();
    }
    // Text values escape their commas; the fields follow by name with their columns.
    EXPECT_EQ(ReadFile(GetSettingsFolder() + kSettings), QByteArray("Full Path = C:\\Survey\\Lay\xAB"
                                                                    "COMMA\xBB"
                                                                    " 2024\\as-laid.csv\r\n"
                                                                    "Spreadsheet Name = As Laid\r\n"
                                                                    "Mode = 2\r\n"
                                                                    "Skip No Lines = 2\r\n"
                                                                    "Easting = 3\r\n"
                                                                    "Northing = 1\r\n"
                                                                    "KP = -1\r\n"
                                                                    "Name = 0\r\n"));

    CListCtrlImport import;
    AddPipelineFields(import);
    import.LoadSettings();
    EXPECT_STREQ(import.m_FullPath, kData);
    EXPECT_STREQ(import.m_SpreadsheetName, "As Laid");
    EXPECT_EQ(import.m_Mode, 2);
    EXPECT_EQ(import.m_SkipNoLines, 2);

    const Records expected = {
        {"401000.25", "6000100.5", "n/a", "P1"},
        {"", "6000200.5", "n/a", "P2"}, // a short line: its missing column is empty
        {"401200.75", "6000300.5", "n/a", "P3"},
    };
    EXPECT_EQ(ReadCsv(import), expected);
}

TEST(ListCtrlImport, ShortSettingsFileGivesPerLineDefaults)
{
    WriteFile(GetSettingsFolder() + kSettings, "Full Path = C:\\a.csv\r\n"
                                               "Spreadsheet Name = S\r\n"
                                               "Mode = 1\r\n"
                                               "Skip No Lines\r\n" // no '='
                                               "Easting = 4\r\n");
    CListCtrlImport import;
    AddPipelineFields(import);
    import.LoadSettings();
    EXPECT_STREQ(import.m_FullPath, "C:\\a.csv");
    EXPECT_EQ(import.m_Mode, 1);
    EXPECT_EQ(import.m_SkipNoLines, 0);
    const int expected[] = {4, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(import[i].Column, expected[i]) << i;
}

// Two-line column titles as keys, in a definition whose fields start skipped: the file keeps
// one line per field, so every column comes back to its own field; a missing file or line
// leaves the field skipped.
TEST(ListCtrlImport, TwoLineLabelsSavedOneLineEachAndUnsetFieldsSkipped)
{
    const char* const labels[] = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\r\nHeading", "USBL\nX"};
    const auto define = [&labels](CListCtrlImport& import) {
        import.m_UnsetFieldsSkipped = true;
        for (const char* label : labels)
            import.AddField(label);
        import.LoadSettings("Usbl Calibration CSV");
    };
    {
        CListCtrlImport import;
        define(import);
        for (INT_PTR i = 0; i < import.GetSize(); ++i)
            EXPECT_EQ(import[i].Column, -1) << "no file: field " << i << " skipped";
        for (INT_PTR i = 0; i < import.GetSize(); ++i)
            import[i].Column = static_cast<int>(3 - i);
        import.SaveSettings();
    }
    const char kFile[] = "Usbl_Calibration_CSV.INI";
    EXPECT_EQ(ReadFile(GetSettingsFolder() + kFile), QByteArray("Full Path = C:\\Documents\\\r\n"
                                                              "Spreadsheet Name = Sheet1\r\n"
                                                              "Mode = 0\r\n"
                                                              "Skip No Lines = 0\r\n"
                                                              "Vessel Easting = 3\r\n"
                                                              "Vessel Northing = 2\r\n"
                                                              "Gyro  Heading = 1\r\n"
                                                              "USBL X = 0\r\n"));
    {
        CListCtrlImport import;
        define(import);
        for (INT_PTR i = 0; i < import.GetSize(); ++i)
            EXPECT_EQ(import[i].Column, 3 - i) << i;
    }
    // A file cut short after the second field, and a damaged third line: those fields skipped.
    WriteFile(GetSettingsFolder() + kFile, "Full Path = C:\\a.csv\r\n"
                                           "Spreadsheet Name = S\r\n"
                                           "Mode = 0\r\n"
                                           "Skip No Lines = 1\r\n"
                                           "Vessel Easting = 7\r\n"
                                           "Vessel Northing\r\n");
    CListCtrlImport import;
    define(import);
    const int expected[] = {7, -1, -1, -1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(import[i].Column, expected[i]) << i;
}

TEST(ListCtrlImport, OpenFileFailures)
{
    CListCtrlImport import;
    AddPipelineFields(import);
    import.LoadSettings();
    CStdioFile file;

    import.m_FullPath = "C:\\missing.csv";
    EXPECT_FALSE(import.OpenFile(file));

    // Two lines to skip in a one-line file: no data line, and the file is closed again.
    WriteFile("C:\\one.csv", "only line\r\n");
    import.m_FullPath = "C:\\one.csv";
    import.m_SkipNoLines = 2;
    EXPECT_FALSE(import.OpenFile(file));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);

    // Every field skipped: the line is read but gives no record.
    import.m_SkipNoLines = 0;
    for (INT_PTR i = 0; i < import.GetSize(); ++i)
        import[i].Column = -1;
    ASSERT_TRUE(import.OpenFile(file));
    CStringArray fields;
    EXPECT_FALSE(import.ReadRecord(file, fields));
    EXPECT_EQ(Strings(fields), (std::vector<std::string>{"n/a", "n/a", "n/a", "n/a"}));
    file.Close();
}

TEST(ListCtrlImport, MappingAppliedToAWorkbook)
{
    // The same layout as a CSV file would have: a title row, a heading row, then data with a
    // number column, a text column and a gap.
    const char kBook[] = "C:\\Survey\\as-laid.xlsx";
    std::vector<WorkbookSheet> sheets(2);
    sheets[0].name = "Notes";
    sheets[0].rows = {{WorkbookCell::FromText("not this sheet")}};
    sheets[1].name = "As Laid";
    auto T = [](const char* s) { return WorkbookCell::FromText(s); };
    auto N = [](double v) { return WorkbookCell::FromNumber(v); };
    sheets[1].rows = {
        {T("Pipeline as-laid")},
        {T("Name"), T("Northing"), T("KP"), T("Easting")},
        {T("P1"), N(6000100.5), N(0.0), N(401000.25)},
        {T("P2"), N(6000200.5)},
        {T("P3"), N(6000300.5), N(0.2), N(401200.75), T("extra")},
    };
    QDir().mkpath(LinuxPathFromWindows("C:\\Survey"));
    CString error;
    ASSERT_TRUE(WriteXlsxWorkbook(LinuxPathFromWindows(kBook), sheets, error)) << (LPCSTR)error;

    {
        CListCtrlImport import;
        AddPipelineFields(import);
        import.LoadSettings();
        import.m_FullPath = kBook;
        import.m_SpreadsheetName = "As Laid";
        import.m_SkipNoLines = 2;
        import[0].Column = 3;
        import[1].Column = 1;
        import[2].Column = -1;
        import[3].Column = 0;
        import.SaveSettings();
    }
    CListCtrlImport import;
    AddPipelineFields(import);
    import.LoadSettings();
    const Records expected = {
        {"401000.25", "6000100.5", "n/a", "P1"},
        {"", "6000200.5", "n/a", "P2"},
        {"401200.75", "6000300.5", "n/a", "P3"},
    };
    EXPECT_EQ(ReadSheet(import), expected);

    // A column past the widest row is empty, not an error.
    import[2].Column = 9;
    import.m_SkipNoLines = 4;
    EXPECT_EQ(ReadSheet(import), (Records{{"401200.75", "6000300.5", "", "P3"}}));

    // Failures leave nothing open: a missing sheet, a sheet shorter than the lines to skip,
    // a file that is no workbook.
    import.m_SpreadsheetName = "Missing";
    EXPECT_FALSE(import.OpenSpreadsheet());
    EXPECT_FALSE(import.m_Database.IsOpen());
    import.m_SpreadsheetName = "Notes";
    import.m_SkipNoLines = 2;
    EXPECT_FALSE(import.OpenSpreadsheet());
    EXPECT_FALSE(import.m_Database.IsOpen());
    WriteFile("C:\\Survey\\plain.xlsx", "Name,Easting\r\n");
    import.m_FullPath = "C:\\Survey\\plain.xlsx";
    import.m_SkipNoLines = 0;
    EXPECT_FALSE(import.OpenSpreadsheet());
    EXPECT_FALSE(import.m_Database.IsOpen());
}

TEST(ListCtrlImport, JoinImportFields)
{
    const struct
    {
        std::vector<const char*> fields;
        const char* joined;
    } cases[] = {
        {{"a", "n/a", "<NULL>", "d"}, "a,,d"},
        {{"401000.25", "6000100.5", "P1"}, "401000.25,6000100.5,P1"},
        {{"n/a", "x", "n/a"}, "x"},
        {{"n/a", "n/a"}, ""},
        {{"N/A", "<null>", "b"}, "N/A,,b"}, // "n/a" exactly; "<NULL>" in any case
        // A leading empty field keeps its place, so the fields after it stay in their columns.
        {{"<NULL>", "b", "c"}, ",b,c"},
        {{"", "b"}, ",b"},
    };
    for (const auto& c : cases)
    {
        CStringArray fields;
        for (const char* f : c.fields)
            fields.Add(f);
        EXPECT_STREQ(JoinImportFields(fields), c.joined) << c.joined;
    }
}

namespace
{
class CImportHost : public CWnd
{
public:
    CImportHost() { CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0); }
};
} // namespace

TEST(ExcelColumnComboBox, SetColumnSelectsItsEntry)
{
    CImportHost host;
    CExcelColumnComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 120, 300), &host, 1001));

    const struct
    {
        int column;
        const char* shown;
        int reported;
    } cases[] = {{-5, "Skip", -1}, {-1, "Skip", -1}, {0, "1", 0}, {3, "4", 3}, {25, "26", 25}};
    for (const auto& c : cases)
    {
        combo.SetColumn(c.column);
        ASSERT_EQ(combo.GetCount(), 27);
        CString shown;
        combo.GetLBText(combo.GetCurSel(), shown);
        EXPECT_STREQ(shown, c.shown) << c.column;
        EXPECT_EQ(combo.GetColumn(), c.reported) << c.column;
    }
    CString last;
    combo.GetLBText(26, last);
    EXPECT_STREQ(last, "26");

    // Past the last entry nothing is selected, and the column set is still what is reported.
    combo.SetColumn(30);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetColumn(), 30);

    // The user's choice is the column.
    combo.SetCurSel(8);
    EXPECT_EQ(combo.GetColumn(), 7);

    // A box that held another kind of list is emptied and filled with the columns.
    combo.ResetContent();
    combo.AddString("Other");
    combo.m_ListKind = 1;
    combo.SetColumn(2);
    EXPECT_EQ(combo.GetCount(), 27);
    EXPECT_EQ(combo.m_ListKind, 0);
    EXPECT_EQ(combo.GetColumn(), 2);
}

// Numbers too large for their fields (a column of -2147483649) are damage: each takes its
// line's default instead of whatever a conversion would make of it.
TEST(ListCtrlImportBadInput, OutOfRangeNumbersTakeTheirDefaults)
{
    QFile fixture(SUITE_SOURCE_DIR "/foundation/tests/data/bad_import_settings.INI");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    WriteFile(GetSettingsFolder() + kSettings, fixture.readAll());
    CListCtrlImport import;
    AddPipelineFields(import);
    import.LoadSettings();
    EXPECT_EQ(import.m_Mode, 1);
    EXPECT_EQ(import.m_SkipNoLines, 2);
    const int expected[] = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(import[i].Column, expected[i]) << i;
}
