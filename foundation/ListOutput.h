// What a report list writes out: its rows as CSV lines, as a workbook table, and as a
// printout on pages. The list view's right-click exports and the list control's own exports
// go through these one writer each and this one printer.
#pragma once

#include "foundation/ExcelWriter.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <vector>

class CDC;
class CListCtrl;
class CWnd;

// Header columns of the list.
int ListColumnCount(CListCtrl& list);
// A column's heading (whole, however long) and, when asked, its LVCFMT_* format; empty for a
// column that does not exist.
CString ListColumnHeading(CListCtrl& list, int column, int* format = nullptr);

// One cell of a CSV line. A line break inside a cell becomes a blank, so each row stays one
// line. A cell holding the separator or a double quote is written in double quotes with its
// quotes doubled, so that it reads back as one cell; every other cell is written as it is.
CString CsvCell(CString text);
// Writes the list to `path` as CSV lines, the headings first when `headingLine`: whole, or
// (false) not at all.
bool WriteListCsv(CListCtrl& list, const char* path, bool headingLine);

// One definition per header column: its heading, or the cell name ("A1") of an unnamed one;
// NUMBER when the list has rows and every cell of the column is a number, else TEXT. The
// header column count.
int GetListExcelColumns(CListCtrl& list, CExcelColumn& columns);
// Writes the list as a new workbook at `path` holding the table `table` (the headings, then
// one row a list row, line feeds in cells as blanks): whole, or (false, with the reason in
// *error when given) not at all.
bool WriteListWorkbook(CListCtrl& list, const char* path, const char* table, CString* error = nullptr);

// How a printout was laid out, in device pixels: for checking the layout.
struct ListPrintLayout
{
    int left = 0, top = 0, width = 0, height = 0; // L, T, W, H
    // Every point size tried and the width of the sample line at it, in the order tried.
    std::vector<std::pair<int, int>> fitting;
    int pointSize = 0;
    int margin = 0;    // m: two blanks
    int rowHeight = 0; // h
    std::vector<int> columnWidths;
    int right = 0;                          // R
    std::vector<std::pair<int, int>> pages; // first row and one past the last, per page
    std::vector<int> printedPages;          // 1-based page numbers in the order printed
};

// The look of a printout. The list view fits one point size (12 down to 3) to the paper's
// width; the list control prints at 12 points and scales the columns to the width instead.
struct ListPrintStyle
{
    bool fitFont = true;
    int headingWeight = 500;
    int rowWeight = 300;
    int titleWeight = 700;
    CStringArray* titleLines = nullptr; // printed above the headings on every page
};

// Lays the list out on a printer context that the caller made and prints it: the document
// named `title`, `copies` copies (collated or each page repeated), pages fromPage..toPage
// (1-based; 0 for no range), in "Tahoma" with rule lines of 0.3 mm and 0.065 mm. Result:
// whether every page printed.
bool PrintListOnDC(CListCtrl& list, CDC* pDC, const CString& title, int copies, bool collate, int fromPage,
                   int toPage, const ListPrintStyle& style, ListPrintLayout& layout);

// Asks for a printer (the print dialog, owned by `parent`) and prints the list there as
// PrintListOnDC does, with the copies and pages chosen. False for an empty list, a cancelled
// dialog or a printout that failed.
bool PrintListWithDialog(CListCtrl& list, CWnd* parent, const CString& title, const ListPrintStyle& style,
                         ListPrintLayout& layout);
