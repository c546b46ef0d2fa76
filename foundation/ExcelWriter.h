// Excel worksheets over ODBC: the column description of a table (CExcelColumn), the search
// for a data source that handles workbooks (FindExcelOdbcDriver) and a small writer that
// creates one worksheet as a table and inserts its rows with SQL (CExcelWriter).
//
// Statements are executed on the connection as built: an SQL failure raises the database's
// CDBException (platform/io/Database.h) to the caller.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/io/Database.h"
#include "platform/io/Recordset.h"

struct ExcelColumnDef
{
    CString Heading; // the column's name in the table
    int Numeric = 0; // 1: NUMBER, 0: TEXT
    CString Value;   // the cell text of the row being inserted
    int Spare = 0;   // carried along, never read
};

// Stored as two framework strings and two 32-bit integers each (a record holding strings
// cannot be stored as raw bytes).
void SerializeElements(CArchive& ar, ExcelColumnDef* elements, INT_PTR count);

class CExcelColumn : public CArray<ExcelColumnDef, ExcelColumnDef&>
{
public:
    CExcelColumn() = default;
    ~CExcelColumn() override;
    // Appends a copy of the definition; its index.
    INT_PTR Add(const ExcelColumnDef& definition);
};

// The cell name of an unnamed column: 'A' + index mod 26 and index / 26 + 1 ("A1" .. "Z1",
// then "A2").
CString ExcelCellName(int column);

// Walks the ODBC data sources for the first whose name and description both contain "Excel"
// (case-sensitive). The out-strings hold the last source seen either way.
bool FindExcelOdbcDriver(CString& driverDescription, CString& dataSourceName);

class CExcelWriter
{
public:
    CExcelWriter();
    ~CExcelWriter();

    // Opens a connection that creates the workbook `file` and creates the table `sheet` with
    // one column per definition. False when no data source is found or the connection does
    // not open; SQL errors are thrown (CDBException).
    bool CreateExcelTable(const char* file, const char* sheet, CExcelColumn& columns);
    // Inserts one row: every column's Value as a quoted text literal. SQL errors are thrown.
    bool InsertExcelRow(CExcelColumn& columns);

    // The texts of the statements, as executed.
    static CString BuildCreateTableSql(const char* sheet, const CExcelColumn& columns);
    static CString BuildInsertSql(const char* table, const CExcelColumn& columns);

    CString m_TableName;
    CDatabase m_Database;
    CRecordset m_RecordSet;
};
