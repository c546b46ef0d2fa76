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

#include <initializer_list>
#include <utility>
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

// One row of a worksheet: only the cells that hold something, with their columns, so that a
// row with one cell far to the right costs one cell and not the whole width of the sheet.
class PLATFORM_API WorkbookRow
{
public:
    WorkbookRow() = default;
    // The cells from column 0 on; empty ones are not held.
    WorkbookRow(std::initializer_list<WorkbookCell> cells);
    explicit WorkbookRow(const std::vector<WorkbookCell>& cells);

    // The cell at a 0-based column: an empty cell where the row holds none.
    const WorkbookCell& At(int column) const;
    // One past the last column that holds a cell; 0 for a row without cells.
    int Width() const;
    bool IsEmpty() const { return m_cells.empty(); }
    // The cells held, in column order.
    const std::vector<std::pair<int, WorkbookCell>>& Cells() const { return m_cells; }

    // Places a cell (an empty one is not held). Cells placed out of column order, or twice in
    // one column, are held in any order until PutInOrder, which keeps the last of a column:
    // a reader pays for the order of its file once per row, not once per cell.
    void Place(int column, WorkbookCell cell);
    void PutInOrder();

private:
    std::vector<std::pair<int, WorkbookCell>> m_cells;
    bool m_ordered = true;
};

struct WorkbookSheet
{
    CString name;
    // Row 0 is the sheet's first row; rows may be shorter than the widest one.
    std::vector<WorkbookRow> rows;

    int ColumnCount() const;
};

// Reads every worksheet of an .xlsx file, in the workbook's order. False with a message when
// the file cannot be opened or is not a workbook this engine reads, or when it is larger than
// any list an import fills: it unpacks to more than kWorkbookMaxUnpackedBytes, or holds more
// than kWorkbookMaxCells cells, or cells holding more than kWorkbookMaxTextBytes of text.
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
// What a workbook this engine reads may hold, all its sheets together: the bytes its parts
// unpack to, its cells (a list of 26 columns, as many as an import's column picker offers, and
// 20 000 rows), and the text of those cells (a shared string counts once for every cell that
// names it).
constexpr unsigned long long kWorkbookMaxUnpackedBytes = 64ull * 1024ull * 1024ull;
constexpr long long kWorkbookMaxCells = 524288;
constexpr long long kWorkbookMaxTextBytes = 16ll * 1024ll * 1024ll;
// Rows and columns of a worksheet.
constexpr int kWorkbookMaxRows = 1048576;
constexpr int kWorkbookMaxColumns = 16384;
