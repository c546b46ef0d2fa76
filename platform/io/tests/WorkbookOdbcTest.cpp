#include "platform/io/Database.h"
#include "platform/io/OdbcApi.h"
#include "platform/io/Recordset.h"

#include "testsupport/ExternalTools.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cstring>
#include <functional>
#include <string>

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

// Damaged workbooks give the import's own message, never an exception of another kind and never
// all the memory: a cell in the last row and column, a row numbered 0, a package that claims
// gigabytes.
TEST(WorkbookBadInput, DamagedWorkbooksAreRefusedWithAMessage)
{
    struct Case
    {
        const char* fixture;
        const char* message;
    } cases[] = {
        {"bad_xlsx_far_cell.xlsx", "has a cell at row 1048576, column 16384"},
        {"bad_xlsx_row_zero.xlsx", "has a row number out of range"},
        {"bad_xlsx_claimed_size.xlsx", "unpacks to more than 256 MB"},
    };
    for (const Case& c : cases)
    {
        const QString target = TempDrives::Current()->OnC(c.fixture);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QString(SUITE_SOURCE_DIR "/platform/io/tests/data/") + c.fixture, target));
        CString windowsPath;
        windowsPath.Format("C:\\%s", c.fixture);
        const CString error = DbError([&] {
            CDatabase db;
            db.OpenEx(ReadConnect(windowsPath), CDatabase::noOdbcDialog);
            CRecordset rs(&db);
            rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]", CRecordset::readOnly);
        });
        EXPECT_NE(error.Find(c.message), -1) << c.fixture << ": " << error.GetString();
    }
}
