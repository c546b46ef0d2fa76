// The framework's database connection and exception over the workbook engine: a
// connection names the one data source of OdbcApi.h and a workbook file, and statements are
// run on the workbook's sheets as tables.
//
// Creating a workbook (as list exports do):
//
//     CDatabase db;
//     db.OpenEx("DRIVER={Excel Workbook Driver (*.xlsx)};DSN=Excel Files;FIRSTROWHASNAMES=1;"
//               "READONLY=FALSE;CREATE_DB=\"C:\\MyData\\list.XLS\";DBQ=C:\\MyData\\list.XLS",
//               CDatabase::noOdbcDialog);
//     db.ExecuteSQL("CREATE TABLE \"Points\" (\"Easting\" NUMBER, \"Name\" TEXT);");
//     db.ExecuteSQL("INSERT INTO \"Points\" VALUES ('401234.5', 'O''Neill');");
//     db.Close(); // the workbook is written here, whole
//
// Reading one (CRecordset, Recordset.h) opens with "ODBC;DRIVER={...};DSN=...;DBQ=<path>" (or
// OpenEx without the "ODBC;") and selects "SELECT * FROM [Sheet1$]".
//
// Connection strings: KEY=value pairs separated by ';', a value in braces or double quotes
// when it holds ';'. DRIVER (the driver description) or DSN (the data source name) must name
// the engine. CREATE_DB names a workbook to make (its folder must exist): it is written at
// Close, to a temporary name renamed over the target, and only when no statement of the
// connection failed, so an export that went wrong leaves nothing half-written (and an older
// file of that name untouched). Without CREATE_DB, DBQ names an existing .xlsx workbook to
// read; such a connection only selects. FIRSTROWHASNAMES=0 makes the first row data and the
// columns "F1", "F2", ... (the default, 1, takes the names from the first row).
//
// A workbook is an .xlsx file whatever its extension: the system's exports name theirs ".XLS"
// and still get an .xlsx package, which spreadsheet programs open by its content.
//
// Failures throw CDBException (as a pointer, caught as CException*): a connection that does
// not open, an unknown statement, a bad table or value. OpenEx returns FALSE only for a
// connection dialog the user cancelled, which this layer never shows.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/io/OdbcApi.h"
#include "platform/io/Workbook.h"

#include <memory>

class CDatabase;

class PLATFORM_API CDBException : public CException
{
    DECLARE_DYNAMIC(CDBException)
public:
    explicit CDBException(RETCODE nRetCode = SQL_ERROR, const char* error = nullptr);
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

    RETCODE m_nRetCode;
    CString m_strError;             // what went wrong, for a person
    CString m_strStateNativeOrigin; // "State:S1000,Native:0,Origin:[workbook]"
};

[[noreturn]] PLATFORM_API void AfxThrowDBException(RETCODE nRetCode, CDatabase* pdb, HSTMT hstmt);
// The layer's own: a CDBException with this message.
[[noreturn]] PLATFORM_API void ThrowDBException(const char* message);

struct WorkbookConnection;

class PLATFORM_API CDatabase : public CObject
{
    DECLARE_DYNAMIC(CDatabase)
public:
    enum DbOpenOptions
    {
        openExclusive = 0x0001,
        openReadOnly = 0x0002,
        useCursorLib = 0x0004,
        noOdbcDialog = 0x0008,
        forceOdbcDialog = 0x0010
    };

    CDatabase();
    // Closes the connection (writing a created workbook as Close does, but never throwing).
    ~CDatabase() override;
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    virtual BOOL OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions = 0);
    // lpszConnect starts with "ODBC;"; a data source name given here stands for DSN=.
    virtual BOOL Open(LPCTSTR lpszDSN, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE,
                      LPCTSTR lpszConnect = "ODBC;", BOOL bUseCursorLib = TRUE);
    // Ends the connection. A connection that created a workbook writes it now; when that
    // fails the connection is closed all the same and a CDBException says why.
    virtual void Close();
    BOOL IsOpen() const;
    BOOL CanUpdate() const;
    // "ODBC;" and the connection string as given.
    CString GetConnect() const;
    // The workbook's path.
    CString GetDatabaseName() const;

    // Runs CREATE TABLE or INSERT INTO; throws CDBException for anything else and for
    // failures (an existing or invalid table, a value count that does not match the table).
    void ExecuteSQL(LPCTSTR lpszSQL);

    // For CRecordset: the rows of a table as a selection sees them (headings first when the
    // connection takes names from the first row). Throws CDBException when there is none.
    WorkbookSheet SelectTable(const CString& table) const;
    bool FirstRowHasNames() const;

    HDBC m_hdbc = nullptr; // not null while open

private:
    BOOL Connect(const CString& connect);
    // Remembers that a statement failed (the workbook will not be written) and throws.
    [[noreturn]] void Fail(const char* message);

    std::unique_ptr<WorkbookConnection> m_pConnection;
};
