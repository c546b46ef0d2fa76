#include "foundation/InPlaceEdit.h"

#include "foundation/ClipboardText.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CInPlaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_MESSAGE(WM_PASTE, &CInPlaceEdit::OnPaste)
END_MESSAGE_MAP()

void CInPlaceEdit::Setup(int nItem, int nColumn, LPCTSTR lpszAllowed, LPCTSTR lpszInitial)
{
    m_nItem = nItem;
    m_nColumn = nColumn;
    m_bCancel = false;
    m_Allowed = lpszAllowed ? lpszAllowed : "";
    m_Initial = lpszInitial ? lpszInitial : "";
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* list = GetParent())
        SetFont(list->GetFont());
    ShowWindow(SW_SHOW);
    SetWindowText(m_Initial);
    SetSel(0, -1);
    SetFocus();
    return 0;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        if (pMsg->wParam == VK_ESCAPE)
            m_bCancel = true;
        // Taking the focus away ends the edit through WM_KILLFOCUS.
        if (CWnd* list = GetParent())
            list->SetFocus();
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CString text;
    GetWindowText(text);
    SendEndEdit(this, m_nItem, m_nColumn, m_bCancel ? m_Initial : text, LVIF_TEXT, 0);
    PostMessage(WM_CLOSE);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_Allowed.IsEmpty() || m_Allowed.Find(static_cast<char>(nChar)) >= 0 || nChar == 8 || nChar == 3 ||
        nChar == 22 || nChar == 24)
    {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
}

LRESULT CInPlaceEdit::OnPaste(WPARAM, LPARAM)
{
    // Free-text cells take nothing from the clipboard; restricted ones only text made wholly
    // of their characters.
    if (m_Allowed.IsEmpty())
        return 0;
    if (!AllAllowed(GetClipboardText(), m_Allowed))
        return 0;
    return Default();
}

bool CInPlaceEdit::AllAllowed(const CString& text, const CString& allowed)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (allowed.Find(text[i]) < 0)
            return false;
    return true;
}


void CInPlaceEdit::SendEndEdit(CWnd* pEditor, int nItem, int nColumn, const CString& text, UINT mask,
                               int nImage)
{
    CWnd* list = pEditor->GetParent();
    if (!list)
        return;
    CWnd* owner = list->GetParent();
    if (!owner)
        return;
    // The notification carries its own copy so that the receivers may keep the pointer while
    // they run, whatever happens to the editor's window.
    CString copy = text;
    NMLVDISPINFO info{};
    info.hdr.hwndFrom = list->GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(pEditor->GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = mask;
    info.item.iItem = nItem;
    info.item.iSubItem = nColumn;
    info.item.pszText = copy.GetBuffer();
    info.item.cchTextMax = copy.GetLength();
    info.item.iImage = nImage;
    owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(list->GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
    copy.ReleaseBuffer();
}
