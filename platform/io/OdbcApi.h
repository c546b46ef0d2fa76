// The ODBC driver-manager calls the system makes to find a data source: allocating an
// environment, setting its ODBC version, walking the data sources and freeing the handle.
//
// There is no driver manager behind them: the one data source listed is the layer's own
// workbook engine (Database.h), which reads and writes .xlsx workbooks. Its name and its
// driver description both contain "Excel".
//
//     SQLHENV env = SQL_NULL_HENV;
//     SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
//     SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
//     SQLCHAR name[256], desc[256];
//     SQLSMALLINT nameLen, descLen;
//     SQLUSMALLINT direction = SQL_FETCH_FIRST;
//     while (SQL_SUCCEEDED(SQLDataSources(env, direction, name, 255, &nameLen, desc, 255, &descLen)))
//     {
//         direction = SQL_FETCH_NEXT;
//         ...
//     }
//     SQLFreeHandle(SQL_HANDLE_ENV, env);
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdint>

using SQLCHAR = unsigned char;
using SQLSMALLINT = int16_t;
using SQLUSMALLINT = uint16_t;
using SQLINTEGER = int32_t;
using SQLUINTEGER = uint32_t;
using SQLLEN = int64_t;
using SQLULEN = uint64_t;
using SQLRETURN = SQLSMALLINT;
using SQLPOINTER = void*;
using SQLHANDLE = void*;
using SQLHENV = SQLHANDLE;
using SQLHDBC = SQLHANDLE;
using SQLHSTMT = SQLHANDLE;
using RETCODE = SQLRETURN;
using HENV = SQLHENV;
using HDBC = SQLHDBC;
using HSTMT = SQLHSTMT;

#define SQL_NULL_HANDLE nullptr
#define SQL_NULL_HENV nullptr
#define SQL_NULL_HDBC nullptr
#define SQL_NULL_HSTMT nullptr

#define SQL_HANDLE_ENV 1
#define SQL_HANDLE_DBC 2
#define SQL_HANDLE_STMT 3
#define SQL_HANDLE_DESC 4

#define SQL_SUCCESS 0
#define SQL_SUCCESS_WITH_INFO 1
#define SQL_NO_DATA 100
#define SQL_NO_DATA_FOUND SQL_NO_DATA
#define SQL_ERROR (-1)
#define SQL_INVALID_HANDLE (-2)
#define SQL_SUCCEEDED(rc) ((((rc) & (~1)) == 0))

#define SQL_ATTR_ODBC_VERSION 200
#define SQL_OV_ODBC2 2UL
#define SQL_OV_ODBC3 3UL

#define SQL_FETCH_NEXT 1
#define SQL_FETCH_FIRST 2
#define SQL_FETCH_FIRST_USER 31
#define SQL_FETCH_FIRST_SYSTEM 32

#define SQL_MAX_DSN_LENGTH 32

// Column types the workbook engine reports (CRecordset::GetODBCFieldInfo).
#define SQL_UNKNOWN_TYPE 0
#define SQL_CHAR 1
#define SQL_NUMERIC 2
#define SQL_DOUBLE 8
#define SQL_VARCHAR 12
#define SQL_LONGVARCHAR (-1)

#define SQL_NO_NULLS 0
#define SQL_NULLABLE 1
#define SQL_NULLABLE_UNKNOWN 2

// SQL_ERROR when the output pointer is null or the type is not an environment (the only handle
// made here); SQL_INVALID_HANDLE for an environment request with a parent handle.
PLATFORM_API SQLRETURN SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle, SQLHANDLE* OutputHandle);
// SQL_ATTR_ODBC_VERSION with SQL_OV_ODBC2 or SQL_OV_ODBC3; anything else is SQL_ERROR.
PLATFORM_API SQLRETURN SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value,
                                     SQLINTEGER StringLength);
// The next data source of the environment: SQL_FETCH_FIRST (or _USER / _SYSTEM) starts again,
// SQL_FETCH_NEXT goes on. Names are copied NUL-ended into the buffers (truncated to fit, with
// SQL_SUCCESS_WITH_INFO); the lengths are the full lengths. SQL_NO_DATA after the last one.
PLATFORM_API SQLRETURN SQLDataSources(SQLHENV EnvironmentHandle, SQLUSMALLINT Direction, SQLCHAR* ServerName,
                                      SQLSMALLINT BufferLength1, SQLSMALLINT* NameLength1Ptr,
                                      SQLCHAR* Description, SQLSMALLINT BufferLength2,
                                      SQLSMALLINT* NameLength2Ptr);
PLATFORM_API SQLRETURN SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle);

// The data source the engine lists, and the driver description that names it in connection
// strings ("DRIVER={...}").
PLATFORM_API const char* OdbcWorkbookDataSourceName();
PLATFORM_API const char* OdbcWorkbookDriverDescription();
