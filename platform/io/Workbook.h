// The workbook engine behind the ODBC layer (Database.h): worksheets held as grids of cells,
// read from and written to .xlsx files.
//
// Reading takes the package apart with minizip and reads its XML (the workbook's sheet list,
// the shared strings, each sheet's cells: shared, inline and formula strings, numbers and
// booleans). Writing goes through libxlsxwriter, to "<target>.partial" renamed over the
// target once the whole package is written, so a failed write leaves no half-written file
// and an older file of that name untouched.
//
// Text is Windows-1252 (CString) here and UTF-8 in the files.
#pragma once

#include "platform/core/String.h"

#include <QString>

#include <vector>

struct WorkbookCell
{
    enum Kind
    {
        Empty,
        Number,
        Text
    };
    Kind kind = Empty;
    double number = 0.0;
    CString text;

    static WorkbookCell FromNumber(double value)
    {
        WorkbookCell c;
        c.kind = Number;
        c.number = value;
        return c;
    }
    static WorkbookCell FromText(const CString& value)
    {
        WorkbookCell c;
        c.kind = value.IsEmpty() ? Empty : Text;
        c.text = value;
        return c;
    }
    // A number as the shortest text that reads back to it ("12", "3.5", "-0.125").
    CString AsText() const;
};

struct WorkbookSheet
{
    CString name;
    // Row 0 is the sheet's first row; rows may be shorter than the widest one.
    std::vector<std::vector<WorkbookCell>> rows;

    int ColumnCount() const;
};

// Reads every worksheet of an .xlsx file, in the workbook's order. False with a message when
// the file cannot be opened or is not a workbook this engine reads.
PLATFORM_API bool ReadXlsxWorkbook(const QString& linuxPath, std::vector<WorkbookSheet>& sheets,
                                   CString& error);

// Writes the sheets as a new workbook at the path (replacing a file of that name only when
// the whole workbook was written). False with a message otherwise.
PLATFORM_API bool WriteXlsxWorkbook(const QString& linuxPath, const std::vector<WorkbookSheet>& sheets,
                                    CString& error);

// Whether a name may name a worksheet: 1 to 31 characters, none of []:*?/\ and no
// apostrophe at either end.
PLATFORM_API bool IsValidWorksheetName(const CString& name);

// The largest text a cell holds.
constexpr int kWorkbookMaxCellText = 32767;
// Rows and columns of a worksheet.
constexpr int kWorkbookMaxRows = 1048576;
constexpr int kWorkbookMaxColumns = 16384;
