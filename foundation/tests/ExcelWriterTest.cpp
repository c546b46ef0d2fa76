#include "foundation/ExcelWriter.h"

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace
{
CExcelColumn Columns(std::initializer_list<std::pair<const char*, int>> defs)
{
    CExcelColumn columns;
    for (const auto& d : defs)
    {
        ExcelColumnDef def;
        def.Heading = d.first;
        def.Numeric = d.second;
        columns.Add(def);
    }
    return columns;
}
} // namespace

TEST(ExcelWriter, CreateTableTextNamesEveryColumn)
{
    // Headings with line breaks get blanks; unnamed columns are named by their cell.
    CExcelColumn columns = Columns({{"Structure Height\ninc blade\nMHWS", 1}, {"", 0}, {"\r\nKP", 1}});
    EXPECT_STREQ(
        CExcelWriter::BuildCreateTableSql("Wind Farm", columns),
        "CREATE TABLE \"Wind Farm\" (\"Structure Height inc blade MHWS\" NUMBER, \"B1\" TEXT, \" KP\" "
        "NUMBER);");

    CExcelColumn many;
    for (int i = 0; i < 28; ++i)
        many.Add(ExcelColumnDef{"", i == 27 ? 1 : 0, "", 0});
    const CString sql = CExcelWriter::BuildCreateTableSql("S", many);
    EXPECT_EQ(sql.Left(38), "CREATE TABLE \"S\" (\"A1\" TEXT, \"B1\" TEXT");
    EXPECT_NE(sql.Find("\"Z1\" TEXT, \"A2\" TEXT, \"B2\" NUMBER);"), -1) << sql.GetString();

    // A double quote inside a name is doubled, so the statement stays whole.
    EXPECT_STREQ(CExcelWriter::BuildCreateTableSql("T", Columns({{"Pipe 12\"", 0}})),
                 "CREATE TABLE \"T\" (\"Pipe 12\"\"\" TEXT);");

    const struct
    {
        int column;
        const char* name;
    } names[] = {{0, "A1"}, {25, "Z1"}, {26, "A2"}, {27, "B2"}, {52, "A3"}};
    for (const auto& n : names)
        EXPECT_STREQ(ExcelCellName(n.column), n.name) << n.column;
}

TEST(ExcelWriter, InsertTextQuotesEveryValueAndDoublesApostrophes)
{
    CExcelColumn columns = Columns({{"Name", 0}, {"Depth", 1}, {"Note", 0}});
    columns[0].Value = "O'Neill's";
    columns[1].Value = "12.5";
    columns[2].Value = "";
    EXPECT_STREQ(CExcelWriter::BuildInsertSql("Points", columns),
                 "INSERT INTO \"Points\" VALUES ('O''Neill''s', '12.5', '');");
}

TEST(ExcelWriter, FindsTheExcelDataSource)
{
    CString driver, source;
    ASSERT_TRUE(FindExcelOdbcDriver(driver, source));
    EXPECT_NE(driver.Find("Excel"), -1);
    EXPECT_NE(source.Find("Excel"), -1);
}

TEST(ExcelWriter, WritesTheTableAndFailsWithoutAFolder)
{
    CExcelColumn columns = Columns({{"Name", 0}, {"Depth", 1}});
    {
        CExcelWriter writer;
        ASSERT_TRUE(writer.CreateExcelTable("C:\\book.XLS", "Sheet", columns));
        columns[0].Value = "a";
        columns[1].Value = "1";
        EXPECT_TRUE(writer.InsertExcelRow(columns));
        writer.m_Database.Close();
    }
    CDatabase db;
    ASSERT_TRUE(db.OpenEx("DRIVER={Excel Workbook Driver (*.xlsx)};DBQ=C:\\book.XLS"));
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet$]");
    CString value;
    rs.GetFieldValue("Depth", value);
    EXPECT_EQ(value, "1");

    CExcelWriter nowhere;
    EXPECT_FALSE(nowhere.CreateExcelTable("C:\\missing folder\\book.XLS", "Sheet", columns));
    EXPECT_FALSE(nowhere.m_Database.IsOpen());
    // A statement the workbook refuses reaches the caller.
    CExcelWriter bad;
    bool thrown = false;
    try
    {
        bad.CreateExcelTable("C:\\bad.XLS", "a:b", columns);
    }
    catch (CDBException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(ExcelWriter, ColumnArrayStoresItsStringsNotTheirAddresses)
{
    CExcelColumn columns = Columns({{"Heading\nTwo", 1}, {"Other", 0}});
    columns[1].Value = "v";
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        columns.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CExcelColumn back;
    {
        CArchive ar(&file, CArchive::load);
        back.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0].Heading, "Heading\nTwo");
    EXPECT_EQ(back[0].Numeric, 1);
    EXPECT_EQ(back[1].Value, "v");
    EXPECT_EQ(back[1].Numeric, 0);
}
