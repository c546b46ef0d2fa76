// CExcelColumnComboBox: the combo box with which the user picks the source column of one
// import field: "Skip", then the column numbers "1" to "26". Entry n stands for the 0-based
// column n − 1, entry 0 ("Skip") for no column (-1).
#pragma once

#include "platform/ui/ComboBox.h"

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
    // The selected entry's column (-1 for "Skip"); the column last set when nothing is
    // selected.
    int GetColumn() const;

    int m_Column = -1;  // the column last set
    int m_ListKind = 0; // 0: the numbered column list
};
