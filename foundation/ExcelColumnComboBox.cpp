#include "foundation/ExcelColumnComboBox.h"

void CExcelColumnComboBox::SetColumn(int column)
{
    if (m_ListKind != 0)
        ResetContent();
    m_Column = column;
    m_ListKind = 0;
    if (GetCount() == 0)
    {
        AddString("Skip");
        CString number;
        for (int i = 1; i <= kLastColumn + 1; ++i)
        {
            number.Format("%d", i);
            AddString(number);
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
