// CInPlaceEdit: the text editor a CMyListCtrl opens on one cell. Free text, or text held to a
// set of characters (numbers); it reports the result with LVN_ENDLABELEDIT to the list's parent
// when it loses the focus, and closes itself. Escape gives back the initial text.
#pragma once

#include "platform/ui/Edit.h"
#include "platform/ui/ListCtrl.h"

class CInPlaceEdit : public CEdit
{
    DECLARE_DYNAMIC(CInPlaceEdit)
public:
    CInPlaceEdit() = default;

    // Set before each edit. An empty set of characters allows any.
    void Setup(int nItem, int nColumn, LPCTSTR lpszAllowed, LPCTSTR lpszInitial);
    int GetItem() const { return m_nItem; }
    int GetColumn() const { return m_nColumn; }
    BOOL WasCancelled() const { return m_bCancel; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Sends LVN_ENDLABELEDIT for a cell edit that ended with `text` (the initial text when
    // cancelled) to the list's parent, from `pEditor` on the list. Shared by every editor.
    static void SendEndEdit(CWnd* pEditor, int nItem, int nColumn, const CString& text, UINT mask,
                            int nImage);
    // Whether every character of `text` is in `allowed`.
    static bool AllAllowed(const CString& text, const CString& allowed);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnPaste(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    int m_nItem = -1;
    int m_nColumn = -1;
    bool m_bCancel = false;
    CString m_Allowed;
    CString m_Initial;
};
