// CExcelColumnComboBox: the combo box with which the user picks the source column of one
// import field: "Skip", then the column numbers "1" to "26" of a CSV file, or the column
// letters "A" to "Z" of a worksheet. Entry n stands for the 0-based column n − 1, entry 0
// ("Skip") for no column (-1).
#pragma once

#include "platform/ui/ComboBox.h"

// The kinds of column list.
const int EXCEL_COLUMN_NUMBERS = 0; // "1" .. "26", a CSV file's fields
const int EXCEL_COLUMN_LETTERS = 1; // "A" .. "Z", a worksheet's columns

class CExcelColumnComboBox : public CComboBox
{
public:
    CExcelColumnComboBox() = default;

    // The box's highest column (0-based): entries run from "Skip" to "26".
    static const int kLastColumn = 25;

    // Shows `column` (0-based; negative: "Skip"). Fills the box first when it is empty, and
    // empties it first when it held another kind of list. A column past the last entry leaves
    // nothing selected, and GetColumn then keeps reporting that column.
    void SetColumn(int column);
    // The same for a source of `kind` (EXCEL_COLUMN_LETTERS for a workbook, any other value a
    // CSV file): the list is filled again only when the kind changes.
    void SetColumn(int column, int kind);
    // The selected entry's column (-1 for "Skip"); the column last set when nothing is
    // selected.
    int GetColumn() const;

    int m_Column = -1;  // the column last set
    int m_ListKind = 0; // EXCEL_COLUMN_NUMBERS or EXCEL_COLUMN_LETTERS
};
