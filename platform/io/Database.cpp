#include "platform/io/Database.h"

#include "platform/core/Path.h"
#include "platform/io/WorkbookSql.h"

#include <QFileInfo>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CDBException, CException)
IMPLEMENT_DYNAMIC(CDatabase, CObject)

struct WorkbookTable
{
    CString name;
    std::vector<WorkbookSqlColumn> columns;
    std::vector<std::vector<WorkbookCell>> rows;
};

struct WorkbookConnection
{
    CString connect;  // as given, without "ODBC;"
    CString workbook; // Windows path
    QString linuxPath;
    bool create = false; // CREATE_DB: a new workbook, written at Close
    bool firstRowHasNames = true;
    bool failed = false; // a statement failed: nothing is written
    std::vector<WorkbookTable> tables;
};

namespace
{
// Text such as "12", " 3.5 ", "-1", "1e3": what a NUMBER column stores as a number.
bool IsNumberText(const CString& text, double& value)
{
    CString t(text);
    t.Trim();
    if (t.IsEmpty() || t.SpanIncluding("0123456789.+-eE").GetLength() != t.GetLength() ||
        t.FindOneOf("0123456789") < 0)
        return false;
    char* end = nullptr;
    value = std::strtod(t.GetString(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

WorkbookTable* FindTable(std::vector<WorkbookTable>& tables, const CString& name)
{
    for (WorkbookTable& t : tables)
        if (t.name.CompareNoCase(name) == 0)
            return &t;
    return nullptr;
}

struct ConnectionPair
{
    CString key; // upper case
    CString value;
};

std::vector<ConnectionPair> ParseConnectionString(const CString& text)
{
    std::vector<ConnectionPair> pairs;
    int i = 0;
    const int n = text.GetLength();
    while (i < n)
    {
        while (i < n && (text[i] == ';' || text[i] == ' '))
            ++i;
        const int eq = text.Find('=', i);
        if (eq < 0)
            break;
        ConnectionPair pair;
        pair.key = text.Mid(i, eq - i);
        pair.key.Trim();
        pair.key.MakeUpper();
        i = eq + 1;
        while (i < n && text[i] == ' ')
            ++i;
        if (i < n && (text[i] == '{' || text[i] == '"'))
        {
            const char close = text[i] == '{' ? '}' : '"';
            const int end = text.Find(close, i + 1);
            if (end < 0)
            {
                pair.value = text.Mid(i + 1);
                i = n;
            }
            else
            {
                pair.value = text.Mid(i + 1, end - i - 1);
                i = end + 1;
            }
            const int semi = text.Find(';', i);
            i = semi < 0 ? n : semi + 1;
        }
        else
        {
            const int semi = text.Find(';', i);
            pair.value = semi < 0 ? text.Mid(i) : text.Mid(i, semi - i);
            pair.value.Trim();
            i = semi < 0 ? n : semi + 1;
        }
        pairs.push_back(pair);
    }
    return pairs;
}

const CString* Value(const std::vector<ConnectionPair>& pairs, const char* key)
{
    const CString* found = nullptr;
    for (const ConnectionPair& p : pairs)
        if (p.key == key)
            found = &p.value;
    return found;
}

WorkbookSheet SheetOf(const WorkbookTable& table)
{
    WorkbookSheet sheet;
    sheet.name = table.name;
    std::vector<WorkbookCell> headings;
    for (const WorkbookSqlColumn& c : table.columns)
        headings.push_back(WorkbookCell::FromText(c.name));
    sheet.rows.emplace_back(headings);
    for (const std::vector<WorkbookCell>& row : table.rows)
        sheet.rows.emplace_back(row);
    return sheet;
}
} // namespace

// ---------------------------------------------------------------------------------------

CDBException::CDBException(RETCODE nRetCode, const char* error)
    : m_nRetCode(nRetCode), m_strError(error),
      m_strStateNativeOrigin("State:S1000,Native:0,Origin:[workbook]")
{
}

BOOL CDBException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    const CString text = m_strError.IsEmpty() ? CString("A database error occurred.") : m_strError;
    std::strncpy(buffer, text.GetString(), maxLength - 1);
    buffer[maxLength - 1] = '\0';
    return TRUE;
}

void AfxThrowDBException(RETCODE nRetCode, CDatabase*, HSTMT)
{
    throw new CDBException(nRetCode, nullptr);
}

void ThrowDBException(const char* message)
{
    throw new CDBException(SQL_ERROR, message);
}

// ---------------------------------------------------------------------------------------

CDatabase::CDatabase() = default;

CDatabase::~CDatabase()
{
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

BOOL CDatabase::IsOpen() const
{
    return m_pConnection != nullptr;
}

BOOL CDatabase::CanUpdate() const
{
    return m_pConnection && m_pConnection->create;
}

CString CDatabase::GetConnect() const
{
    return m_pConnection ? "ODBC;" + m_pConnection->connect : CString();
}

CString CDatabase::GetDatabaseName() const
{
    return m_pConnection ? m_pConnection->workbook : CString();
}

bool CDatabase::FirstRowHasNames() const
{
    return !m_pConnection || m_pConnection->firstRowHasNames;
}

BOOL CDatabase::OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions)
{
    if (m_pConnection)
        ThrowDBException("The connection is already open");
    CString connect(lpszConnectString);
    if (connect.Left(5).CompareNoCase("ODBC;") == 0)
        connect = connect.Mid(5);
    const BOOL opened = Connect(connect);
    if (opened && (dwOptions & openReadOnly) && m_pConnection->create)
    {
        m_pConnection.reset();
        m_hdbc = nullptr;
        ThrowDBException("A workbook cannot be created on a read-only connection");
    }
    return opened;
}

BOOL CDatabase::Open(LPCTSTR lpszDSN, BOOL, BOOL bReadOnly, LPCTSTR lpszConnect, BOOL)
{
    CString connect(lpszConnect);
    if (connect.Left(5).CompareNoCase("ODBC;") == 0)
        connect = connect.Mid(5);
    if (lpszDSN && *lpszDSN)
        connect = CString("DSN=") + lpszDSN + (connect.IsEmpty() ? "" : ";") + connect;
    return OpenEx(connect, bReadOnly ? openReadOnly : 0);
}

BOOL CDatabase::Connect(const CString& connect)
{
    const std::vector<ConnectionPair> pairs = ParseConnectionString(connect);
    const CString* driver = Value(pairs, "DRIVER");
    const CString* dsn = Value(pairs, "DSN");
    if (!driver && !dsn)
        ThrowDBException("The connection string names no data source and no driver");
    CString message;
    if (driver && driver->CompareNoCase(OdbcWorkbookDriverDescription()) != 0)
    {
        message.Format("The driver \"%s\" is not installed", driver->GetString());
        ThrowDBException(message);
    }
    if (dsn && !dsn->IsEmpty() && dsn->CompareNoCase(OdbcWorkbookDataSourceName()) != 0)
    {
        message.Format("The data source \"%s\" does not exist", dsn->GetString());
        ThrowDBException(message);
    }

    auto connection = std::make_unique<WorkbookConnection>();
    connection->connect = connect;
    const CString* createDb = Value(pairs, "CREATE_DB");
    const CString* dbq = Value(pairs, "DBQ");
    const CString* names = Value(pairs, "FIRSTROWHASNAMES");
    if (names)
    {
        CString flag(*names);
        connection->firstRowHasNames = flag.Trim() != "0";
    }
    if (createDb && !createDb->IsEmpty())
    {
        connection->create = true;
        connection->workbook = *createDb;
    }
    else if (dbq && !dbq->IsEmpty())
        connection->workbook = *dbq;
    else
        ThrowDBException("The connection string names no workbook (DBQ or CREATE_DB)");

    connection->linuxPath = LinuxPathFromWindows(connection->workbook);
    if (connection->linuxPath.isEmpty())
    {
        message.Format("The path \"%s\" names no drive that exists", connection->workbook.GetString());
        ThrowDBException(message);
    }
    const QFileInfo info(connection->linuxPath);
    if (connection->create)
    {
        const QFileInfo folder(info.absolutePath());
        if (!folder.isDir() || !folder.isWritable() || info.isDir())
        {
            message.Format("The workbook \"%s\" cannot be created there", connection->workbook.GetString());
            ThrowDBException(message);
        }
    }
    else if (!info.isFile() || !info.isReadable())
    {
        message.Format("The workbook \"%s\" cannot be found", connection->workbook.GetString());
        ThrowDBException(message);
    }
    m_pConnection = std::move(connection);
    m_hdbc = m_pConnection.get();
    return TRUE;
}

void CDatabase::Fail(const char* message)
{
    if (m_pConnection)
        m_pConnection->failed = true;
    ThrowDBException(message);
}

void CDatabase::ExecuteSQL(LPCTSTR lpszSQL)
{
    if (!m_pConnection)
        ThrowDBException("The connection is not open");
    WorkbookConnection& c = *m_pConnection;
    WorkbookSqlStatement statement;
    CString error;
    if (!ParseWorkbookSql(lpszSQL, statement, error))
        Fail(error);
    CString message;
    if (statement.kind == WorkbookSqlStatement::Select)
        Fail("A selection runs through a record set (CRecordset::Open), not ExecuteSQL");
    if (!c.create)
        Fail("This connection reads an existing workbook; only a connection that creates one (CREATE_DB) "
             "can add tables and rows");

    if (statement.kind == WorkbookSqlStatement::CreateTable)
    {
        if (!IsValidWorksheetName(statement.table))
        {
            message.Format("\"%s\" cannot name a worksheet (1 to 31 characters, none of []:*?/\\)",
                           statement.table.GetString());
            Fail(message);
        }
        if (FindTable(c.tables, statement.table))
        {
            message.Format("The table \"%s\" already exists", statement.table.GetString());
            Fail(message);
        }
        if (statement.columns.size() > static_cast<size_t>(kWorkbookMaxColumns))
            Fail("A worksheet holds at most 16384 columns");
        for (const WorkbookSqlColumn& column : statement.columns)
            if (column.name.GetLength() > kWorkbookMaxCellText)
                Fail("A column name is longer than a cell holds");
        WorkbookTable table;
        table.name = statement.table;
        table.columns = statement.columns;
        c.tables.push_back(table);
        return;
    }

    WorkbookTable* table = FindTable(c.tables, statement.table);
    if (!table)
    {
        message.Format("The table \"%s\" does not exist", statement.table.GetString());
        Fail(message);
    }
    if (statement.values.size() != table->columns.size())
    {
        message.Format("The table \"%s\" has %d columns but %d values were given", table->name.GetString(),
                       static_cast<int>(table->columns.size()), static_cast<int>(statement.values.size()));
        Fail(message);
    }
    if (table->rows.size() + 1 >= static_cast<size_t>(kWorkbookMaxRows))
        Fail("The worksheet is full");
    std::vector<WorkbookCell> row;
    row.reserve(statement.values.size());
    for (size_t i = 0; i < statement.values.size(); ++i)
    {
        const WorkbookSqlValue& v = statement.values[i];
        if (v.text.GetLength() > kWorkbookMaxCellText)
            Fail("A value is longer than a cell holds (32767 characters)");
        double number = 0.0;
        if (v.null)
            row.push_back(WorkbookCell());
        else if (table->columns[i].numeric && IsNumberText(v.text, number))
            row.push_back(WorkbookCell::FromNumber(number));
        else
            row.push_back(WorkbookCell::FromText(v.text));
    }
    table->rows.push_back(std::move(row));
}

WorkbookSheet CDatabase::SelectTable(const CString& table) const
{
    if (!m_pConnection)
        ThrowDBException("The connection is not open");
    CString message;
    if (m_pConnection->create)
    {
        if (WorkbookTable* t = FindTable(m_pConnection->tables, table))
            return SheetOf(*t);
        message.Format("The workbook has no sheet \"%s\"", table.GetString());
        ThrowDBException(message);
    }
    std::vector<WorkbookSheet> sheets;
    CString error;
    if (!ReadXlsxWorkbook(m_pConnection->linuxPath, sheets, error))
    {
        message.Format("The workbook \"%s\" cannot be read: %s", m_pConnection->workbook.GetString(),
                       error.GetString());
        ThrowDBException(message);
    }
    for (WorkbookSheet& sheet : sheets)
        if (sheet.name.CompareNoCase(table) == 0)
            return std::move(sheet);
    message.Format("The workbook has no sheet \"%s\"", table.GetString());
    ThrowDBException(message);
}

void CDatabase::Close()
{
    if (!m_pConnection)
        return;
    std::unique_ptr<WorkbookConnection> c = std::move(m_pConnection);
    m_hdbc = nullptr;
    if (!c->create || c->tables.empty())
        return;
    CString message;
    if (c->failed)
    {
        message.Format("The workbook \"%s\" was not written because a statement failed",
                       c->workbook.GetString());
        ThrowDBException(message);
    }
    std::vector<WorkbookSheet> sheets;
    for (const WorkbookTable& t : c->tables)
        sheets.push_back(SheetOf(t));
    CString error;
    if (!WriteXlsxWorkbook(c->linuxPath, sheets, error))
    {
        message.Format("The workbook \"%s\" could not be written: %s", c->workbook.GetString(),
                       error.GetString());
        ThrowDBException(message);
    }
}
