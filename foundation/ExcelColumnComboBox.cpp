#include "foundation/ExcelColumnComboBox.h"

void CExcelColumnComboBox::SetColumn(int column)
{
    SetColumn(column, EXCEL_COLUMN_NUMBERS);
}

void CExcelColumnComboBox::SetColumn(int column, int kind)
{
    kind = kind == EXCEL_COLUMN_LETTERS ? EXCEL_COLUMN_LETTERS : EXCEL_COLUMN_NUMBERS;
    if (m_ListKind != kind)
        ResetContent();
    m_Column = column;
    m_ListKind = kind;
    if (GetCount() == 0)
    {
        AddString("Skip");
        CString name;
        for (int i = 0; i <= kLastColumn; ++i)
        {
            if (kind == EXCEL_COLUMN_LETTERS)
                name.Format("%c", 'A' + i);
            else
                name.Format("%d", i + 1);
            AddString(name);
        }
    }
    SetCurSel(column < 0 ? 0 : column + 1);
}

int CExcelColumnComboBox::GetColumn() const
{
    const int selected = GetCurSel();
    if (selected == CB_ERR)
        return m_Column;
    return selected - 1;
}
