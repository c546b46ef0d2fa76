#include "platform/ui/BasePane.h"

IMPLEMENT_DYNAMIC(CBasePane, CWnd)
IMPLEMENT_DYNAMIC(CPane, CBasePane)

void CBasePane::ShowPane(BOOL bShow, BOOL, BOOL)
{
    if (GetSafeHwnd() != nullptr)
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

BOOL CBasePane::IsVisible() const
{
    return GetSafeHwnd() != nullptr && IsWindowVisible();
}
