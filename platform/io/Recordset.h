// The framework's record set over the workbook engine: a selection of one worksheet, read
// forward record by record.
//
//     CRecordset rs(&db);
//     rs.Open(CRecordset::forwardOnly, "SELECT * FROM [Sheet1$]", CRecordset::readOnly);
//     for (short i = 0; i < rs.GetODBCFieldCount(); ++i)
//     {
//         CODBCFieldInfo info;
//         rs.GetODBCFieldInfo(i, info); // info.m_strName: the heading
//     }
//     while (!rs.IsEOF())
//     {
//         CString value;
//         rs.GetFieldValue((short)0, value);
//         rs.GetFieldValue("Easting", value);
//         rs.MoveNext();
//     }
//     rs.Close();
//
// Columns: as many as the widest row of the sheet; named by the first row (a column without a
// heading is "F<n>", 1-based), or all "F<n>" when the connection says FIRSTROWHASNAMES=0.
// Records: every row after the headings up to the last that holds a cell; empty rows in
// between come as records of empty fields. A column is SQL_DOUBLE when every cell it holds is
// a number, else SQL_VARCHAR. Numbers read as text are the shortest text that reads back to
// the same number ("12", "3.5"); an empty cell is empty text (DBVT_NULL as a CDBVariant).
//
// Failures throw CDBException: a closed database, a statement other than a selection, a
// missing sheet, an unreadable workbook, reading without a current record, a field index or
// name that does not exist, MoveNext past the end.
#pragma once

#include "platform/io/Database.h"

#include <vector>

struct WorkbookSqlStatement;

#define AFX_DB_USE_DEFAULT_TYPE (0xFFFFFFFFu)

#define DBVT_NULL 0
#define DBVT_BOOL 1
#define DBVT_UCHAR 2
#define DBVT_SHORT 3
#define DBVT_LONG 4
#define DBVT_SINGLE 5
#define DBVT_DOUBLE 6
#define DBVT_DATE 7
#define DBVT_STRING 8
#define DBVT_BINARY 9
#define DBVT_ASTRING 10
#define DBVT_WSTRING 11

#define SQL_C_CHAR SQL_CHAR
#define SQL_C_DOUBLE SQL_DOUBLE
#define DEFAULT_FIELD_TYPE SQL_UNKNOWN_TYPE

class PLATFORM_API CODBCFieldInfo
{
public:
    CString m_strName;
    SQLSMALLINT m_nSQLType = SQL_UNKNOWN_TYPE;
    SQLULEN m_nPrecision = 0;
    SQLSMALLINT m_nScale = 0;
    SQLSMALLINT m_nNullability = SQL_NULLABLE;
};

// A field value of its own type: DBVT_NULL, DBVT_DOUBLE (m_dblVal) or DBVT_STRING (m_pstring,
// owned by the variant).
class PLATFORM_API CDBVariant
{
public:
    CDBVariant() = default;
    ~CDBVariant() { Clear(); }
    CDBVariant(const CDBVariant&) = delete;
    CDBVariant& operator=(const CDBVariant&) = delete;
    void Clear();

    DWORD m_dwType = DBVT_NULL;
    union {
        BOOL m_boolVal;
        unsigned char m_chVal;
        short m_iVal;
        LONG m_lVal;
        float m_fltVal;
        double m_dblVal;
        CString* m_pstring;
        CString* m_pstringA;
    };
};

class PLATFORM_API CRecordset : public CObject
{
    DECLARE_DYNAMIC(CRecordset)
public:
    enum OpenType
    {
        dynaset,
        snapshot,
        forwardOnly,
        dynamic
    };
    enum OpenOptions
    {
        none = 0x0,
        readOnly = 0x0004,
        appendOnly = 0x0008,
        skipDeletedRecords = 0x0001,
        noDirtyFieldCheck = 0x0010,
        useBookmarks = 0x0100,
        executeDirect = 0x2000
    };

    explicit CRecordset(CDatabase* pDatabase = nullptr);
    ~CRecordset() override;
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Selects "SELECT * FROM [sheet$]" (lpszSQL, or GetDefaultSQL when null). TRUE when open;
    // failures throw CDBException.
    virtual BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, LPCTSTR lpszSQL = nullptr,
                      DWORD dwOptions = none);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }
    BOOL IsBOF() const;
    BOOL IsEOF() const;
    void MoveNext();
    void MoveFirst();
    // Records seen so far (the framework's count: the highest reached), or all once at the end.
    LONG GetRecordCount() const;

    short GetODBCFieldCount() const;
    void GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo) const;
    void GetODBCFieldInfo(LPCTSTR lpszName, CODBCFieldInfo& fieldinfo) const;

    void GetFieldValue(short nIndex, CString& strValue) const;
    void GetFieldValue(LPCTSTR lpszName, CString& strValue) const;
    void GetFieldValue(short nIndex, CDBVariant& varValue, short nFieldType = DEFAULT_FIELD_TYPE) const;
    void GetFieldValue(LPCTSTR lpszName, CDBVariant& varValue, short nFieldType = DEFAULT_FIELD_TYPE) const;

    virtual CString GetDefaultSQL() { return CString(); }
    const CString& GetSQL() const { return m_strSQL; }
    const CString& GetTableName() const { return m_strTableName; }

    CDatabase* m_pDatabase;
    CString m_strFilter;
    CString m_strSort;

private:
    // The work of Open once the statement is known to be a selection.
    void OpenSelection(const CString& sql, const WorkbookSqlStatement& statement);
    short FieldIndex(LPCTSTR lpszName) const;
    const WorkbookCell& Cell(short nIndex) const;

    bool m_bOpen = false;
    CString m_strSQL;
    CString m_strTableName;
    std::vector<CODBCFieldInfo> m_fields;
    std::vector<WorkbookRow> m_records;
    size_t m_current = 0;
};
