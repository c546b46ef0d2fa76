#include "platform/io/Database.h"
#include "platform/io/OdbcApi.h"
#include "platform/io/Recordset.h"

#include "testsupport/ExternalTools.h"
#include "testsupport/ResourceProbe.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <zip.h>

namespace
{
const char* const kCreate = "DRIVER={%s};DSN=%s;FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"%s\";DBQ=%s";

CString CreateConnect(const char* windowsPath)
{
    CString s;
    s.Format(kCreate, OdbcWorkbookDriverDescription(), OdbcWorkbookDataSourceName(), windowsPath,
             windowsPath);
    return s;
}

CString ReadConnect(const char* windowsPath)
{
    CString s;
    s.Format("ODBC;DRIVER={%s};DSN=%s;DBQ=%s", OdbcWorkbookDriverDescription(), OdbcWorkbookDataSourceName(),
             windowsPath);
    return s;
}

// The message of the CDBException that `run` throws; empty when it throws none.
CString DbError(const std::function<void()>& run)
{
    try
    {
        run();
    }
    catch (CDBException* e)
    {
        CString message = e->m_strError;
        e->Delete();
        return message.IsEmpty() ? CString("(no message)") : message;
    }
    return CString();
}

QByteArray RunPython(const QString& exe, const QString& script, const QStringList& args)
{
    QProcess p;
    p.start(exe, QStringList{QStringLiteral("-c"), script} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    return p.readAllStandardOutput();
}

// A package of a workbook with one worksheet "Sheet1" of these rows (the inside of <sheetData>),
// and shared strings when given (the inside of <sst>), each part deflated.
void WritePackage(const QString& path, const QByteArray& rows, const QByteArray& shared = QByteArray())
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray pkg = "http://schemas.openxmlformats.org/package/2006/relationships";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    QByteArray bookRels = "<?xml version=\"1.0\"?><Relationships xmlns=\"" + pkg +
                          "\"><Relationship Id=\"rId1\" Type=\"" + rel +
                          "/worksheet\" Target=\"worksheets/sheet1.xml\"/>";
    if (!shared.isNull())
        bookRels += "<Relationship Id=\"rId2\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    bookRels += "</Relationships>";
    // Each part in pieces, written one after another: a sheet of tens of megabytes is not copied.
    std::vector<std::pair<const char*, std::vector<QByteArray>>> parts = {
        {"[Content_Types].xml", {"<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
                                 "package/2006/content-types\"><Default Extension=\"xml\" "
                                 "ContentType=\"application/xml\"/></Types>"}},
        {"_rels/.rels", {"<?xml version=\"1.0\"?><Relationships xmlns=\"" + pkg +
                         "\"><Relationship Id=\"rId1\" Type=\"" + rel +
                         "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"}},
        {"xl/workbook.xml", {"<?xml version=\"1.0\"?><workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                             "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"}},
        {"xl/_rels/workbook.xml.rels", {bookRels}},
        {"xl/worksheets/sheet1.xml",
         {"<?xml version=\"1.0\"?><worksheet xmlns=\"" + main + "\"><sheetData>", rows, "</sheetData></worksheet>"}},
    };
    if (!shared.isNull())
        parts.push_back({"xl/sharedStrings.xml", {"<?xml version=\"1.0\"?><sst xmlns=\"" + main + "\">", shared, "</sst>"}});
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, pieces] : parts)
    {
        zip_fileinfo info{};
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0),
                  ZIP_OK);
        for (const QByteArray& piece : pieces)
            ASSERT_EQ(zipWriteInFileInZip(zip, piece.constData(), static_cast<unsigned>(piece.size())), ZIP_OK);
        ASSERT_EQ(zipCloseFileInZip(zip), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

// A copy of a damaged workbook of the data folder on drive C:; its Windows path.
CString FixtureOnC(const char* fixture)
{
    const QString target = TempDrives::Current()->OnC(fixture);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(QString(SUITE_SOURCE_DIR "/platform/io/tests/data/") + fixture, target));
    CString windowsPath;
    windowsPath.Format("C:\\%s", fixture);
    return windowsPath;
}

struct Field
{
    CString name;
    SQLSMALLINT type;
};

std::vector<Field> Fields(CRecordset& rs)
{
    std::vector<Field> fields;
    for (short i = 0; i < rs.GetODBCFieldCount(); ++i)
    {
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(i, info);
        fields.push_back({info.m_strName, info.m_nSQLType});
    }
    return fields;
}

std::vector<std::vector<CString>> Records(CRecordset& rs)
{
    std::vector<std::vector<CString>> rows;
    while (!rs.IsEOF())
    {
        std::vector<CString> row;
        for (short i = 0; i < rs.GetODBCFieldCount(); ++i)
        {
            CString v;
            rs.GetFieldValue(i, v);
            row.push_back(v);
        }
        rows.push_back(row);
        rs.MoveNext();
    }
    return rows;
}
} // namespace

TEST(OdbcDataSources, ListsOneWorkbookSourceNamedExcel)
{
    SQLHENV env = SQL_NULL_HENV;
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env), SQL_SUCCESS);
    ASSERT_EQ(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              SQL_SUCCESS);

    SQLCHAR name[256], desc[256];
    SQLSMALLINT nameLen = 0, descLen = 0;
    ASSERT_EQ(SQLDataSources(env, SQL_FETCH_FIRST, name, 255, &nameLen, desc, 255, &descLen), SQL_SUCCESS);
    const std::string n(reinterpret_cast<char*>(name)), d(reinterpret_cast<char*>(desc));
    EXPECT_NE(n.find("Excel"), std::string::npos);
    EXPECT_NE(d.find("Excel"), std::string::npos);
    EXPECT_EQ(nameLen, static_cast<SQLSMALLINT>(n.size()));
    EXPECT_EQ(d, OdbcWorkbookDriverDescription());
    EXPECT_EQ(SQLDataSources(env, SQL_FETCH_NEXT, name, 255, &nameLen, desc, 255, &descLen), SQL_NO_DATA);
    // FIRST starts again; a small buffer cuts the name and says so.
    SQLCHAR small[4];
    EXPECT_EQ(SQLDataSources(env, SQL_FETCH_FIRST, small, 4, &nameLen, desc, 255, &descLen),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(std::strlen(reinterpret_cast<char*>(small)), 3u);
    EXPECT_EQ(nameLen, static_cast<SQLSMALLINT>(n.size()));

    EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_ENV, env), SQL_SUCCESS);
    EXPECT_EQ(SQLFreeHandle(SQL_HANDLE_ENV, env), SQL_INVALID_HANDLE);
    EXPECT_EQ(SQLDataSources(env, SQL_FETCH_FIRST, name, 255, &nameLen, desc, 255, &descLen),
              SQL_INVALID_HANDLE);
    SQLHANDLE dbc = nullptr;
    EXPECT_EQ(SQLAllocHandle(SQL_HANDLE_DBC, SQL_NULL_HANDLE, &dbc), SQL_ERROR);
}

TEST(WorkbookOdbc, CreatedWorkbookReadsBackWithNamesTypesAndValues)
{
    {
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(CreateConnect("C:\\out.XLS"), CDatabase::noOdbcDialog));
        EXPECT_TRUE(db.IsOpen());
        db.ExecuteSQL(
            "CREATE TABLE \"Survey Points\" (\"Name\" TEXT, \"Easting\" NUMBER, \"Structure Height inc "
            "blade MHWS\" NUMBER, \"Note\" TEXT);");
        db.ExecuteSQL("INSERT INTO \"Survey Points\" VALUES ('O''Neill''s', '12', ' 3.5 ', 'it''s');");
        db.ExecuteSQL("INSERT INTO \"Survey Points\" VALUES ('B', '-1', '', '12');");
        db.ExecuteSQL("INSERT INTO \"Survey Points\" VALUES ('C', 'n/a', '1e3', '');");
        // Nothing is on disk until the connection closes.
        EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("out.XLS")));
        db.Close();
        EXPECT_FALSE(db.IsOpen());
    }
    ASSERT_TRUE(QFile::exists(TempDrives::Current()->OnC("out.XLS")));
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("out.XLS.partial")));

    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, FALSE, TRUE, ReadConnect("C:\\out.XLS")));
    CRecordset rs(&db);
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Survey Points$]", CRecordset::readOnly));
    const std::vector<Field> fields = Fields(rs);
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0].name, "Name");
    EXPECT_EQ(fields[1].name, "Easting");
    EXPECT_EQ(fields[2].name, "Structure Height inc blade MHWS");
    // "n/a" in a NUMBER column stays text, so that column reads as text.
    EXPECT_EQ(fields[0].type, SQL_VARCHAR);
    EXPECT_EQ(fields[1].type, SQL_VARCHAR);
    EXPECT_EQ(fields[2].type, SQL_DOUBLE);
    EXPECT_EQ(fields[3].type, SQL_VARCHAR);

    CDBVariant v;
    rs.GetFieldValue("Easting", v);
    EXPECT_EQ(v.m_dwType, static_cast<DWORD>(DBVT_DOUBLE));
    EXPECT_EQ(v.m_dblVal, 12.0);
    rs.GetFieldValue(static_cast<short>(3), v);
    ASSERT_EQ(v.m_dwType, static_cast<DWORD>(DBVT_STRING));
    EXPECT_EQ(*v.m_pstring, "it's");

    const auto rows = Records(rs);
    const std::vector<std::vector<CString>> expected = {
        {"O'Neill's", "12", "3.5", "it's"},
        {"B", "-1", "", "12"},
        {"C", "n/a", "1000", ""},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_NE(DbError([&] { rs.MoveNext(); }), "");
    EXPECT_NE(DbError([&] {
                  CString s;
                  rs.GetFieldValue(static_cast<short>(0), s);
              }),
              "");
    rs.Close();
    db.Close();
}

TEST(WorkbookOdbc, StatementsOutsideTheSubsetAreRefusedWithAMessage)
{
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(CreateConnect("C:\\bad.xlsx"), CDatabase::noOdbcDialog));
    db.ExecuteSQL("CREATE TABLE \"T\" (\"A\" NUMBER, \"B\" TEXT)");
    const struct
    {
        const char* sql;
        const char* messagePart;
    } cases[] = {
        {"DROP TABLE \"T\"", "Unsupported statement"},
        {"UPDATE \"T\" SET A = 1", "Unsupported statement"},
        {"INSERT INTO \"T\" VALUES ('1')", "2 columns but 1 values"},
        {"INSERT INTO \"Nope\" VALUES ('1', '2')", "does not exist"},
        {"INSERT INTO \"T\" VALUES ('1', 'unterminated)", "no closing quote"},
        {"CREATE TABLE \"T\" (\"A\" TEXT)", "already exists"},
        {"CREATE TABLE \"a/b\" (\"A\" TEXT)", "cannot name a worksheet"},
        {"CREATE TABLE \"An exceedingly long worksheet name\" (\"A\" TEXT)", "cannot name a worksheet"},
        {"CREATE TABLE \"U\" (\"A\" INTEGER)", "NUMBER or TEXT"},
        {"SELECT * FROM [T$]", "record set"},
    };
    for (const auto& c : cases)
    {
        const CString message = DbError([&] { db.ExecuteSQL(c.sql); });
        EXPECT_NE(message.Find(c.messagePart), -1) << c.sql << " -> " << message.GetString();
    }
    EXPECT_NE(DbError([&] {
                  CRecordset rs(&db);
                  rs.Open(CRecordset::forwardOnly, "SELECT Name FROM [T$]");
              }).Find("SELECT * FROM"),
              -1);
}

TEST(WorkbookOdbc, AFailedExportWritesNothingAndKeepsTheOlderFile)
{
    QFile old(TempDrives::Current()->OnC("keep.xls"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older contents");
    old.close();
    {
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(CreateConnect("C:\\keep.xls"), CDatabase::noOdbcDialog));
        db.ExecuteSQL("CREATE TABLE \"T\" (\"A\" TEXT)");
        db.ExecuteSQL("INSERT INTO \"T\" VALUES ('1')");
        EXPECT_NE(DbError([&] { db.ExecuteSQL("INSERT INTO \"T\" VALUES ('1', '2')"); }), "");
        EXPECT_NE(DbError([&] { db.Close(); }).Find("not written"), -1);
        EXPECT_FALSE(db.IsOpen());
    }
    {
        // Left to its destructor, a failed connection writes nothing either.
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(CreateConnect("C:\\keep.xls"), CDatabase::noOdbcDialog));
        db.ExecuteSQL("CREATE TABLE \"T\" (\"A\" TEXT)");
        EXPECT_NE(DbError([&] { db.ExecuteSQL("INSERT INTO \"T\" VALUES ('1', '2')"); }), "");
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("older contents"));
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("keep.xls.partial")));
}

TEST(WorkbookOdbc, ConnectionsThatCannotOpenThrow)
{
    CString wrongDriver;
    wrongDriver.Format("DRIVER={Some Other Driver};DBQ=C:\\x.xlsx");
    const CString cases[] = {
        wrongDriver,
        "DSN=Nowhere;DBQ=C:\\x.xlsx",
        "DBQ=C:\\x.xlsx",                            // names no source
        ReadConnect("C:\\missing.xlsx"),             // nothing to read
        CreateConnect("C:\\no such folder\\x.xlsx"), // nowhere to write
        CreateConnect("Q:\\x.xlsx"),                 // no such drive
    };
    for (const CString& connect : cases)
    {
        CDatabase db;
        EXPECT_NE(DbError([&] { db.OpenEx(connect, CDatabase::noOdbcDialog); }), "") << connect.GetString();
        EXPECT_FALSE(db.IsOpen());
    }
    // A file that is not a workbook opens (the path is fine) but cannot be selected from.
    QFile junk(TempDrives::Current()->OnC("junk.xlsx"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a zip");
    junk.close();
    CDatabase db;
    ASSERT_TRUE(db.OpenEx(ReadConnect("C:\\junk.xlsx")));
    CRecordset rs(&db);
    EXPECT_NE(
        DbError([&] { rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]"); }).Find("not an .xlsx"),
        -1);
    EXPECT_NE(DbError([&] { db.ExecuteSQL("CREATE TABLE \"T\" (\"A\" TEXT)"); }).Find("CREATE_DB"), -1);
}

// A workbook made without this engine: shared and inline strings, a formula's text, a boolean,
// a sparse row, an empty row inside the data and a column without a heading.
TEST(WorkbookOdbc, ReadsAWorkbookFromAnotherWriter)
{
    const QString python = PythonWith("zipfile");
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed: the hand-made workbook cannot be built";
    const char* script = R"PY(
import sys, zipfile
ct = '''<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/x/book.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
</Types>'''
rels = '''<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="x/book.xml"/>
</Relationships>'''
book = '''<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="First" sheetId="1" r:id="rA"/><sheet name="Data" sheetId="2" r:id="rB"/></sheets></workbook>'''
bookrels = '''<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rA" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="s/one.xml"/>
<Relationship Id="rB" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/x/s/two.xml"/>
<Relationship Id="rS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/>
</Relationships>'''
strings = '''<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<si><t>Depth</t></si><si><r><t>Ru</t></r><r><t>n</t></r><rPh><t>x</t></rPh></si><si><t>caf\u00e9 \u00b0</t></si></sst>'''
one = '''<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>1</v></c></row></sheetData></worksheet>'''
two = '''<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="inlineStr"><is><t>Label</t></is></c></row>
<row r="2"><c r="A2"><v>12.5</v></c><c r="B2" t="b"><v>1</v></c><c r="C2" t="s"><v>2</v></c></row>
<row r="4"><c r="A4"><f>1+1</f><v>2</v></c><c r="C4" t="str"><f>"a"</f><v>a_x0009_b</v></c></row>
</sheetData></worksheet>'''
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('[Content_Types].xml', ct)
    z.writestr('_rels/.rels', rels)
    z.writestr('x/book.xml', book)
    z.writestr('x/_rels/book.xml.rels', bookrels)
    z.writestr('x/strings.xml', strings.encode('utf-8'))
    z.writestr('x/s/one.xml', one)
    z.writestr('x/s/two.xml', two)
)PY";
    RunPython(python, QString::fromUtf8(script), {TempDrives::Current()->OnC("other.xlsx")});

    CDatabase db;
    ASSERT_TRUE(db.OpenEx(ReadConnect("C:\\other.xlsx")));
    CRecordset rs(&db);
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM [data$]", CRecordset::readOnly));
    const std::vector<Field> fields = Fields(rs);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].name, "Depth");
    EXPECT_EQ(fields[1].name, "F2");
    EXPECT_EQ(fields[2].name, "Label");
    EXPECT_EQ(fields[0].type, SQL_DOUBLE);
    const auto rows = Records(rs);
    const std::vector<std::vector<CString>> expected = {
        {"12.5", "1", "caf\xE9 \xB0"},
        {"", "", ""},
        {"2", "", "a\tb"},
    };
    EXPECT_EQ(rows, expected);
    rs.Close();

    CRecordset first(&db);
    ASSERT_TRUE(first.Open(CRecordset::forwardOnly, "SELECT * FROM [First$]"));
    ASSERT_EQ(first.GetODBCFieldCount(), 1);
    CODBCFieldInfo info;
    first.GetODBCFieldInfo(static_cast<short>(0), info);
    EXPECT_EQ(info.m_strName, "Run");
    EXPECT_TRUE(first.IsEOF());
    first.Close();

    CRecordset missing(&db);
    EXPECT_NE(
        DbError([&] { missing.Open(CRecordset::forwardOnly, "SELECT * FROM [Nope$]"); }).Find("no sheet"),
        -1);
}

TEST(WorkbookOdbc, WithoutNamesInTheFirstRowEveryRowIsARecord)
{
    {
        CDatabase db;
        db.OpenEx(CreateConnect("C:\\plain.xlsx"));
        db.ExecuteSQL("CREATE TABLE Sheet1 (\"H\" TEXT)");
        db.ExecuteSQL("INSERT INTO Sheet1 VALUES ('v')");
        db.Close();
    }
    CDatabase db;
    db.OpenEx("DRIVER={Excel Workbook Driver (*.xlsx)};FIRSTROWHASNAMES=0;DBQ=C:\\plain.xlsx");
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, "select * from [Sheet1$];");
    const std::vector<std::vector<CString>> expected = {{"H"}, {"v"}};
    CODBCFieldInfo info;
    rs.GetODBCFieldInfo("F1", info);
    EXPECT_EQ(info.m_strName, "F1");
    EXPECT_EQ(Records(rs), expected);
}

TEST(WorkbookOdbc, NamesAndValuesInEveryQuotedForm)
{
    {
        CDatabase db;
        db.OpenEx(CreateConnect("C:\\forms.xlsx"));
        db.ExecuteSQL("create table \"Q\"\"s\" (\"a\"\"b\" TEXT, [c] number, d Text)");
        db.ExecuteSQL("INSERT INTO [Q\"s] VALUES ('x''y', 12, NULL);");
        db.ExecuteSQL("INSERT INTO \"Q\"\"s\" VALUES ('', -0.5, '  padded ')");
        db.Close();
    }
    CDatabase db;
    db.OpenEx(ReadConnect("C:\\forms.xlsx"));
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM [q\"S$]");
    const std::vector<Field> fields = Fields(rs);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].name, "a\"b");
    EXPECT_EQ(fields[1].name, "c");
    EXPECT_EQ(fields[2].name, "d");
    const std::vector<std::vector<CString>> expected = {{"x'y", "12", ""}, {"", "-0.5", "  padded "}};
    EXPECT_EQ(Records(rs), expected);
}

// Damaged workbooks, and workbooks larger than any list an import fills, give the import's own
// message, never an exception of another kind and never all the memory: a row numbered 0, a
// package that claims gigabytes, more cells or shared strings than a list shows, a long shared
// string named by thousands of cells.
TEST(WorkbookBadInput, DamagedWorkbooksAreRefusedWithAMessage)
{
    struct Case
    {
        const char* fixture;
        const char* message;
    } cases[] = {
        {"bad_xlsx_row_zero.xlsx", "has a row number out of range"},
        {"bad_xlsx_claimed_size.xlsx", "unpacks to more than 64 MB"},
        {"bad_xlsx_many_cells.xlsx", "holds more than 524288 cells, more than a list shows"},
        {"bad_xlsx_many_strings.xlsx", "holds more than 524288 shared strings"},
        {"bad_xlsx_shared_text.xlsx", "cells hold more than 16 MB of text"},
    };
    for (const Case& c : cases)
    {
        const CString windowsPath = FixtureOnC(c.fixture);
        const CString error = DbError([&] {
            CDatabase db;
            db.OpenEx(ReadConnect(windowsPath), CDatabase::noOdbcDialog);
            CRecordset rs(&db);
            rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]", CRecordset::readOnly);
        });
        EXPECT_NE(error.Find(c.message), -1) << c.fixture << ": " << error.GetString();
    }
}

// A cell far to the right, or far down, costs its row that one cell, not the width or height of
// the sheet: each cell is read where the file put it, and the fields reach the farthest column.
TEST(WorkbookBadInput, FarCellsAreReadWhereTheyStand)
{
    struct Case
    {
        const char* fixture;
        size_t records;
        short fields;
        size_t firstHeld; // the first record with a value in the last field
        size_t held;      // how many records have one
        const char* lastValue;
    } cases[] = {
        // A heading in A1, then rows 2 to 1001 with their own number in column 16000.
        {"bad_xlsx_wide_rows.xlsx", 1000, 16000, 0, 1000, "1001"},
        // Only XFD1048576: every row up to it a record, the last one holding the cell.
        {"bad_xlsx_far_cell.xlsx", 1048575, 16384, 1048574, 1, "1"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        const CString windowsPath = FixtureOnC(c.fixture);
        CDatabase db;
        ASSERT_TRUE(db.OpenEx(ReadConnect(windowsPath), CDatabase::noOdbcDialog));
        CRecordset rs(&db);
        ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]", CRecordset::readOnly));
        ASSERT_EQ(rs.GetODBCFieldCount(), c.fields);
        const short last = static_cast<short>(c.fields - 1);
        size_t records = 0;
        size_t held = 0;
        size_t firstHeld = 0;
        CString value, lastValue, first;
        for (; !rs.IsEOF(); rs.MoveNext(), ++records)
        {
            rs.GetFieldValue(static_cast<short>(0), first);
            EXPECT_TRUE(first.IsEmpty()) << "record " << records;
            rs.GetFieldValue(last, value);
            if (value.IsEmpty())
                continue;
            if (held++ == 0)
                firstHeld = records;
            lastValue = value;
        }
        EXPECT_EQ(records, c.records);
        EXPECT_EQ(held, c.held);
        EXPECT_EQ(firstHeld, c.firstHeld);
        EXPECT_EQ(lastValue, c.lastValue);
    }
}

// Workbooks of about a megabyte, whatever they hold, are read or refused within a second of
// processor time and 100 MB: varied numbers, a cell far to the right on every row, distinct
// shared strings, and the same cell repeated to 60 MB of sheet (a package that claims more than
// 64 MB is refused before anything unpacks: WorkbookBadInput).
TEST(WorkbookBounds, MegabyteWorkbooksTakeASecondAnd100MegabytesAtMost)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString&)> write;
        long long records; // -1: refused
        const char* refusal;
    };
    const Case cases[] = {
        {"numbers",
         [](const QString& path) {
             QByteArray rows;
             uint32_t x = 12345;
             for (int r = 1; r <= 16000; ++r)
             {
                 rows += "<row r=\"" + QByteArray::number(r) + "\">";
                 for (char c = 'A'; c < 'I'; ++c)
                 {
                     x = x * 1103515245u + 12345u;
                     rows += "<c r=\"" + QByteArray(1, c) + QByteArray::number(r) + "\"><v>" +
                             QByteArray::number((x >> 8) % 1000000) + "." + QByteArray::number(x % 1000) + "</v></c>";
                 }
                 rows += "</row>";
             }
             WritePackage(path, rows);
         },
         15999, nullptr},
        {"far cells",
         [](const QString& path) {
             QByteArray rows;
             for (int r = 1; r <= 135000; ++r)
                 rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"XFD" + QByteArray::number(r) + "\"><v>" +
                         QByteArray::number(r) + "</v></c></row>";
             WritePackage(path, rows);
         },
         134999, nullptr},
        {"shared strings",
         [](const QString& path) {
             QByteArray rows, shared;
             for (int r = 0; r < 90000; ++r)
             {
                 rows += "<row><c t=\"s\"><v>" + QByteArray::number(r) + "</v></c></row>";
                 shared += "<si><t>Station " + QByteArray::number(r * 7919 % 1000003) + "</t></si>";
             }
             WritePackage(path, rows, shared);
         },
         89999, nullptr},
        {"60 MB of one cell",
         [](const QString& path) {
             const QByteArray row = "<row>" + QByteArray("<c><v>1</v></c>").repeated(100) + "</row>";
             WritePackage(path, row.repeated(60 * 1024 * 1024 / row.size()));
         },
         -1, "more than 524288 cells"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString path = TempDrives::Current()->OnC("bound.xlsx");
        QFile::remove(path);
        c.write(path);
        EXPECT_LT(QFileInfo(path).size(), 1600 * 1024);
        long long records = 0;
        CString error;
        const ResourceUse use = MeasureResources([&] {
            records = 0;
            error = DbError([&] {
                CDatabase db;
                db.OpenEx(ReadConnect("C:\\bound.xlsx"), CDatabase::noOdbcDialog);
                CRecordset rs(&db);
                rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]", CRecordset::readOnly);
                CString value;
                for (; !rs.IsEOF(); rs.MoveNext(), ++records)
                    rs.GetFieldValue(static_cast<short>(rs.GetODBCFieldCount() - 1), value);
            });
        }, 1.0);
        if (c.refusal)
            EXPECT_NE(error.Find(c.refusal), -1) << error.GetString();
        else
        {
            EXPECT_TRUE(error.IsEmpty()) << error.GetString();
            EXPECT_EQ(records, c.records);
        }
        EXPECT_LT(use.cpuSeconds, 1.0);
        EXPECT_LT(use.peakMegabytes, 100.0);
    }
}
