#include "platform/io/Recordset.h"

#include "platform/io/WorkbookSql.h"

#include <iterator>
#include <new>

IMPLEMENT_DYNAMIC(CRecordset, CObject)

void CDBVariant::Clear()
{
    if (m_dwType == DBVT_STRING || m_dwType == DBVT_ASTRING)
        delete m_pstring;
    m_dwType = DBVT_NULL;
    m_dblVal = 0.0;
}

CRecordset::CRecordset(CDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CRecordset::~CRecordset()
{
    Close();
}

BOOL CRecordset::Open(UINT, LPCTSTR lpszSQL, DWORD)
{
    if (m_bOpen)
        ThrowDBException("The record set is already open");
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        ThrowDBException("The record set has no open database");
    const CString sql = lpszSQL ? CString(lpszSQL) : GetDefaultSQL();
    WorkbookSqlStatement statement;
    CString error;
    if (!ParseWorkbookSql(sql, statement, error))
        ThrowDBException(error);
    if (statement.kind != WorkbookSqlStatement::Select)
        ThrowDBException("A record set opens on a selection (SELECT * FROM [sheet$])");

    try
    {
        OpenSelection(sql, statement);
    }
    catch (const std::bad_alloc&)
    {
        Close();
        ThrowDBException("The worksheet is too large to read");
    }
    return TRUE;
}

void CRecordset::OpenSelection(const CString& sql, const WorkbookSqlStatement& statement)
{
    WorkbookSheet sheet = m_pDatabase->SelectTable(statement.table);
    const int columns = sheet.ColumnCount();
    const bool named = m_pDatabase->FirstRowHasNames();
    size_t first = 0;
    m_fields.assign(static_cast<size_t>(columns), CODBCFieldInfo());
    for (int c = 0; c < columns; ++c)
    {
        CODBCFieldInfo& info = m_fields[static_cast<size_t>(c)];
        if (named && !sheet.rows.empty())
            info.m_strName = sheet.rows[0].At(c).AsText();
        if (info.m_strName.IsEmpty())
            info.m_strName.Format("F%d", c + 1);
    }
    if (named)
        first = 1;

    m_records.clear();
    // Up to the last row that holds a cell. The rows keep only the cells they hold: a column
    // the widest row reaches costs the others nothing.
    size_t last = sheet.rows.size();
    while (last > first && sheet.rows[last - 1].IsEmpty())
        --last;
    if (last > first)
        m_records.assign(std::make_move_iterator(sheet.rows.begin() + static_cast<std::ptrdiff_t>(first)),
                         std::make_move_iterator(sheet.rows.begin() + static_cast<std::ptrdiff_t>(last)));
    std::vector<bool> numbers(static_cast<size_t>(columns), false);
    std::vector<bool> other(static_cast<size_t>(columns), false);
    for (const WorkbookRow& record : m_records)
    {
        for (const auto& [c, cell] : record.Cells())
        {
            numbers[static_cast<size_t>(c)] = numbers[static_cast<size_t>(c)] || cell.kind == WorkbookCell::Number;
            other[static_cast<size_t>(c)] = other[static_cast<size_t>(c)] || cell.kind == WorkbookCell::Text;
        }
    }
    for (int c = 0; c < columns; ++c)
    {
        const bool numeric = numbers[static_cast<size_t>(c)] && !other[static_cast<size_t>(c)];
        CODBCFieldInfo& info = m_fields[static_cast<size_t>(c)];
        info.m_nSQLType = numeric ? SQL_DOUBLE : SQL_VARCHAR;
        info.m_nPrecision = numeric ? 15 : 255;
    }
    m_strSQL = sql;
    m_strTableName = statement.table;
    m_current = 0;
    m_bOpen = true;
}

void CRecordset::Close()
{
    m_bOpen = false;
    m_fields.clear();
    m_records.clear();
    m_current = 0;
}

BOOL CRecordset::IsBOF() const
{
    return !m_bOpen || m_records.empty();
}

BOOL CRecordset::IsEOF() const
{
    return !m_bOpen || m_current >= m_records.size();
}

void CRecordset::MoveNext()
{
    if (!m_bOpen)
        ThrowDBException("The record set is not open");
    if (m_current >= m_records.size())
        ThrowDBException("MoveNext past the end of the record set");
    ++m_current;
}

void CRecordset::MoveFirst()
{
    if (!m_bOpen)
        ThrowDBException("The record set is not open");
    m_current = 0;
}

LONG CRecordset::GetRecordCount() const
{
    if (!m_bOpen)
        return 0;
    const size_t seen = m_current >= m_records.size() ? m_records.size() : m_current + 1;
    return static_cast<LONG>(m_records.empty() ? 0 : seen);
}

short CRecordset::GetODBCFieldCount() const
{
    return static_cast<short>(m_fields.size());
}

void CRecordset::GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo) const
{
    if (!m_bOpen)
        ThrowDBException("The record set is not open");
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_fields.size())
        ThrowDBException("Field index out of range");
    fieldinfo = m_fields[static_cast<size_t>(nIndex)];
}

void CRecordset::GetODBCFieldInfo(LPCTSTR lpszName, CODBCFieldInfo& fieldinfo) const
{
    GetODBCFieldInfo(FieldIndex(lpszName), fieldinfo);
}

short CRecordset::FieldIndex(LPCTSTR lpszName) const
{
    if (!m_bOpen)
        ThrowDBException("The record set is not open");
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].m_strName.CompareNoCase(lpszName ? lpszName : "") == 0)
            return static_cast<short>(i);
    CString message;
    message.Format("The record set has no field \"%s\"", lpszName ? lpszName : "");
    ThrowDBException(message);
}

const WorkbookCell& CRecordset::Cell(short nIndex) const
{
    if (!m_bOpen)
        ThrowDBException("The record set is not open");
    if (m_current >= m_records.size())
        ThrowDBException("There is no current record");
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_fields.size())
        ThrowDBException("Field index out of range");
    return m_records[m_current].At(nIndex);
}

void CRecordset::GetFieldValue(short nIndex, CString& strValue) const
{
    strValue = Cell(nIndex).AsText();
}

void CRecordset::GetFieldValue(LPCTSTR lpszName, CString& strValue) const
{
    GetFieldValue(FieldIndex(lpszName), strValue);
}

void CRecordset::GetFieldValue(short nIndex, CDBVariant& varValue, short nFieldType) const
{
    const WorkbookCell& cell = Cell(nIndex);
    varValue.Clear();
    if (cell.kind == WorkbookCell::Empty)
        return;
    if (nFieldType == SQL_C_CHAR || (nFieldType == DEFAULT_FIELD_TYPE && cell.kind == WorkbookCell::Text))
    {
        varValue.m_pstring = new CString(cell.AsText());
        varValue.m_dwType = DBVT_STRING;
        return;
    }
    if (cell.kind == WorkbookCell::Number)
    {
        varValue.m_dblVal = cell.number;
        varValue.m_dwType = DBVT_DOUBLE;
        return;
    }
    // Text asked for as a number: a number when it reads as one, else no value.
    bool ok = false;
    const double value = cell.text.ToQString().trimmed().toDouble(&ok);
    if (ok)
    {
        varValue.m_dblVal = value;
        varValue.m_dwType = DBVT_DOUBLE;
    }
}

void CRecordset::GetFieldValue(LPCTSTR lpszName, CDBVariant& varValue, short nFieldType) const
{
    GetFieldValue(FieldIndex(lpszName), varValue, nFieldType);
}
