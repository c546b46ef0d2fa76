#include "foundation/ExcelWriter.h"

#include "platform/io/OdbcApi.h"

#include <cstring>

void SerializeElements(CArchive& ar, ExcelColumnDef* elements, INT_PTR count)
{
    for (INT_PTR i = 0; i < count; ++i)
    {
        ExcelColumnDef& d = elements[i];
        AfxArchiveString(ar, d.Heading);
        int32_t numbers[2] = {d.Numeric, d.Spare};
        if (AfxArchiveIsStoring(ar))
            AfxArchiveWriteBytes(ar, numbers, sizeof numbers);
        else
        {
            AfxArchiveReadBytes(ar, numbers, sizeof numbers);
            d.Numeric = numbers[0];
            d.Spare = numbers[1];
        }
        AfxArchiveString(ar, d.Value);
    }
}

CExcelColumn::~CExcelColumn()
{
    RemoveAll();
}

INT_PTR CExcelColumn::Add(const ExcelColumnDef& definition)
{
    ExcelColumnDef copy = definition;
    return CArray<ExcelColumnDef, ExcelColumnDef&>::Add(copy);
}

CString ExcelCellName(int column)
{
    CString name;
    name.Format("%c%d", 'A' + column % 26, column / 26 + 1);
    return name;
}

bool FindExcelOdbcDriver(CString& driverDescription, CString& dataSourceName)
{
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR name[256] = {0};
    SQLCHAR description[256] = {0};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    bool found = false;
    while (SQL_SUCCEEDED(
        SQLDataSources(env, direction, name, 255, &nameLength, description, 255, &descriptionLength)))
    {
        direction = SQL_FETCH_NEXT;
        dataSourceName = reinterpret_cast<const char*>(name);
        driverDescription = reinterpret_cast<const char*>(description);
        if (dataSourceName.Find("Excel") >= 0 && driverDescription.Find("Excel") >= 0)
        {
            found = true;
            break;
        }
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

namespace
{
// A name inside double quotes holds a double quote as two; left alone, one would end the
// name early and the whole statement would fail.
CString QuotedName(const CString& name)
{
    CString inner(name);
    inner.Replace("\"", "\"\"");
    return "\"" + inner + "\"";
}
} // namespace

CExcelWriter::CExcelWriter() : m_RecordSet(&m_Database) {}

CExcelWriter::~CExcelWriter() = default;

CString CExcelWriter::BuildCreateTableSql(const char* sheet, const CExcelColumn& columns)
{
    CString sql = "CREATE TABLE " + QuotedName(sheet) + " (";
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        if (i > 0)
            sql += ", ";
        CString heading = columns[i].Heading;
        heading.Remove('\r');
        heading.Replace('\n', ' ');
        const char* type = columns[i].Numeric ? "NUMBER" : "TEXT";
        if (!heading.IsEmpty())
            sql += QuotedName(heading) + " " + type;
        else
            sql += "\"" + ExcelCellName(static_cast<int>(i)) + "\" " + type;
    }
    sql += ");";
    return sql;
}

CString CExcelWriter::BuildInsertSql(const char* table, const CExcelColumn& columns)
{
    CString sql = "INSERT INTO " + QuotedName(table) + " VALUES (";
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        if (i > 0)
            sql += ", ";
        CString value = columns[i].Value;
        value.Replace("'", "''");
        sql += "'" + value + "'";
    }
    sql += ");";
    return sql;
}

bool CExcelWriter::CreateExcelTable(const char* file, const char* sheet, CExcelColumn& columns)
{
    CString driver;
    CString dataSource;
    if (!FindExcelOdbcDriver(driver, dataSource))
        return false;
    CString connect;
    connect.Format("DRIVER={%s};DSN=%s;FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"%s\";DBQ=%s",
                   driver.GetString(), dataSource.GetString(), file, file);
    try
    {
        if (!m_Database.OpenEx(connect, CDatabase::noOdbcDialog))
            return false;
    }
    catch (CDBException* e)
    {
        e->Delete();
        return false;
    }
    m_TableName = sheet;
    m_Database.ExecuteSQL(BuildCreateTableSql(sheet, columns));
    return true;
}

bool CExcelWriter::InsertExcelRow(CExcelColumn& columns)
{
    m_Database.ExecuteSQL(BuildInsertSql(m_TableName, columns));
    return true;
}
