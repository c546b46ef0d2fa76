#include "platform/ui/BasePane.h"

IMPLEMENT_DYNAMIC(CBasePane, CWnd)
IMPLEMENT_DYNAMIC(CPane, CBasePane)

void CBasePane::EnableDocking(DWORD dwAlignment)
{
    m_dwDockAlignment = dwAlignment;
}

void CBasePane::SetPaneStyle(DWORD dwNewStyle)
{
    m_dwPaneStyle = dwNewStyle;
}

DWORD CBasePane::GetPaneStyle() const
{
    return m_dwPaneStyle;
}

BOOL CBasePane::IsAutoHideMode() const
{
    return FALSE;
}

BOOL CBasePane::IsDocked() const
{
    return TRUE;
}

void CBasePane::ShowPane(BOOL bShow, BOOL, BOOL)
{
    if (GetSafeHwnd() != nullptr)
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

BOOL CBasePane::IsVisible() const
{
    return GetSafeHwnd() != nullptr && IsWindowVisible();
}
