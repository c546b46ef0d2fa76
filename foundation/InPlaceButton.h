// CInPlaceButton: the "..." button a CMyListCtrl shows at the right end of a button cell; a
// click reaches the list as WM_COMMAND from control id 1000, and the owner opens its own
// editor. It sends no end-of-edit notification.
#pragma once

#include "platform/ui/Button.h"

class CInPlaceButton : public CButton
{
    DECLARE_DYNAMIC(CInPlaceButton)
public:
    CInPlaceButton() = default;
    void Setup(int nItem, int nColumn, LPCTSTR lpszText);
    int GetItem() const { return m_nItem; }
    int GetColumn() const { return m_nColumn; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    int m_nItem = -1;
    int m_nColumn = -1;
    CString m_Text;
};
