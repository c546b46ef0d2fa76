// The statements the workbook engine understands, taken apart:
//
//     CREATE TABLE "Sheet" ("Easting" NUMBER, "Name" TEXT)
//     INSERT INTO "Sheet" VALUES ('1.5', 'O''Neill')
//     SELECT * FROM [Sheet$]
//
// Keywords in any case; names in double quotes ("" is a quote inside), in brackets, or bare
// words; text in single quotes ('' is an apostrophe inside); INSERT also takes numbers and
// NULL. A trailing semicolon is allowed. Anything else is refused with a message that says
// what was expected.
#pragma once

#include "platform/core/String.h"

#include <vector>

struct WorkbookSqlColumn
{
    CString name;
    bool numeric = false; // NUMBER (else TEXT)
};

struct WorkbookSqlValue
{
    bool null = false;
    CString text; // as written, without its quotes
};

struct WorkbookSqlStatement
{
    enum Kind
    {
        CreateTable,
        Insert,
        Select
    };
    Kind kind = Select;
    CString table; // a [name$] selection names the sheet "name"
    std::vector<WorkbookSqlColumn> columns;
    std::vector<WorkbookSqlValue> values;
};

PLATFORM_API bool ParseWorkbookSql(const char* sql, WorkbookSqlStatement& statement, CString& error);
