#include "foundation/BaseEdit.h"

#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/WindowDc.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CBaseEdit, CEdit)

BEGIN_MESSAGE_MAP(CBaseEdit, CEdit)
ON_WM_CREATE()
ON_WM_LBUTTONUP()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CBaseEdit::CBaseEdit() = default;

CBaseEdit::~CBaseEdit()
{
    if (CCmdTarget* main = AfxGetMainWnd())
        main->PostMessage(UM_EDITBOX_KILL_FOCUS_DATA, 0, 0);
}

void CBaseEdit::SetEnabled(BOOL bEnabled)
{
    m_bEnabled = bEnabled;
    if (GetSafeHwnd())
        EnableWindow(bEnabled);
}

void CBaseEdit::InitControl()
{
    if (m_bInitialised)
        return;
    m_bInitialised = TRUE;
    EnableWindow(m_bEnabled);
    if (m_bReadOnly)
        CEdit::SetReadOnly(TRUE);
}

BOOL CBaseEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (GetSafeHwnd())
        CEdit::SetReadOnly(bReadOnly);
    return TRUE;
}

BOOL CBaseEdit::IsReadOnly() const
{
    return m_bReadOnly || (GetSafeHwnd() && (GetStyle() & ES_READONLY));
}

void CBaseEdit::SetInPlace(int nItem, int nSubItem, LPCTSTR lpszText)
{
    m_bInPlace = TRUE;
    m_nItem = nItem;
    m_nSubItem = nSubItem;
    m_bTab = FALSE;
    m_bCancel = FALSE;
    m_Text = lpszText ? lpszText : "";
}

void CBaseEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    InitControl();
}

int CBaseEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitControl();
    if (m_bInPlace)
    {
        if (CWnd* list = GetParent())
            SetFont(list->GetFont());
        if (!m_Text.IsEmpty())
            SetWindowText(m_Text);
        SetFocus();
        SetSel(0, -1);
        WidenToText();
    }
    return 0;
}

void CBaseEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    CEdit::OnLButtonUp(nFlags, point);
    if (m_bJustFocused && m_bSelectAllOnClick && GetSafeHwnd())
    {
        m_bJustFocused = FALSE;
        int start = 0, end = 0;
        GetSel(start, end);
        if (start == end)
            SetSel(0, -1);
    }
}

void CBaseEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    SetSel(0, -1);
    m_bJustFocused = TRUE;
    if (!IsReadOnly())
        if (CCmdTarget* main = AfxGetMainWnd())
            main->PostMessage(UM_EDITBOX_FOCUS_DATA, 0, 0);
}

void CBaseEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_bJustFocused = FALSE;
    if (!m_bInPlace || !GetSafeHwnd())
        return;

    CString text;
    GetWindowText(text);
    if (CWnd* list = GetParent())
    {
        NMLVDISPINFO info{};
        info.hdr.hwndFrom = list->GetSafeHwnd();
        info.hdr.idFrom = static_cast<UINT_PTR>(list->GetDlgCtrlID());
        info.hdr.code = LVN_ENDLABELEDIT;
        info.item.mask = LVIF_TEXT;
        info.item.iItem = m_nItem;
        info.item.iSubItem = m_nSubItem;
        info.item.pszText = m_bCancel ? nullptr : text.GetBuffer();
        info.item.cchTextMax = text.GetLength();
        info.item.lParam = m_bTab;
        if (CWnd* owner = list->GetParent())
            owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(list->GetDlgCtrlID()),
                               reinterpret_cast<LPARAM>(&info));
    }
    if (m_ToolTip.GetSafeHwnd())
        m_ToolTip.DestroyWindow();
    m_bToolAdded = FALSE;
    DestroyWindow();
}

BOOL CBaseEdit::PreTranslateMessage(MSG* pMsg)
{
    const bool mouse = pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONDBLCLK;
    const bool key = pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSCHAR;
    if (m_bToolAdded && (mouse || key) && m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);

    if (pMsg->message == WM_KEYDOWN)
    {
        // An in-place editor keeps the keys that end or edit it from the dialog around it.
        if (m_bInPlace && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE ||
                           pMsg->wParam == VK_ESCAPE || GetKeyState(VK_CONTROL) < 0))
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
        if (m_bEnterAsTab && pMsg->wParam == VK_RETURN)
            pMsg->wParam = VK_TAB;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CBaseEdit::WidenToText()
{
    CWnd* parent = GetParent();
    if (!parent || !GetSafeHwnd())
        return;
    CString text;
    GetWindowText(text);
    CSize extent;
    {
        CClientDC dc(parent);
        CFont* font = parent->GetFont();
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        extent = dc.GetTextExtent(text);
        if (old)
            dc.SelectObject(old);
    }
    CRect rc;
    GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    CRect client;
    parent->GetClientRect(&client);
    int width = extent.cx + 5;
    if (width <= rc.Width())
        return;
    width = std::min(width, static_cast<int>(client.right - rc.left));
    if (width > rc.Width())
        SetWindowPos(nullptr, 0, 0, width, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBaseEdit::SetToolTipText(LPCTSTR lpszText)
{
    if (!GetSafeHwnd())
        return;
    m_ToolTipText = lpszText ? lpszText : "";
    if (!m_bToolAdded)
    {
        if (!m_ToolTip.GetSafeHwnd() && !m_ToolTip.Create(this))
            return;
        m_bToolAdded = m_ToolTip.AddTool(this, m_ToolTipText);
    }
    else
        m_ToolTip.UpdateTipText(m_ToolTipText, this);
}
