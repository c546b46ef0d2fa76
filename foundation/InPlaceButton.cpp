#include "foundation/InPlaceButton.h"

IMPLEMENT_DYNAMIC(CInPlaceButton, CButton)

BEGIN_MESSAGE_MAP(CInPlaceButton, CButton)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CInPlaceButton::Setup(int nItem, int nColumn, LPCTSTR lpszText)
{
    m_nItem = nItem;
    m_nColumn = nColumn;
    m_Text = lpszText ? lpszText : "";
}

int CInPlaceButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* list = GetParent())
        SetFont(list->GetFont());
    SetFocus();
    return 0;
}

void CInPlaceButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    PostMessage(WM_CLOSE);
}
