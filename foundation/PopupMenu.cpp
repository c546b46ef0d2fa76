#include "foundation/PopupMenu.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Dc.h"

IMPLEMENT_DYNAMIC(CPopupMenu, CMenu)

CPopupMenu::CPopupMenu() : CPopupMenu(GetSysColor(COLOR_MENU)) {}

CPopupMenu::CPopupMenu(COLORREF background) : m_BackgroundColour(background)
{
    m_Brush.CreateSolidBrush(background);
}

CPopupMenu::~CPopupMenu()
{
    DestroyMenu();
    m_Brush.DeleteObject();
}

BOOL CPopupMenu::CreatePopupMenu()
{
    if (!CMenu::CreatePopupMenu())
        return FALSE;
    MENUINFO info{};
    info.cbSize = sizeof(MENUINFO);
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = GetBackgroundBrush();
    SetMenuInfo(&info);
    return TRUE;
}

void CPopupMenu::DrawHeading(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = lpDrawItemStruct != nullptr ? CDC::FromHandle(lpDrawItemStruct->hDC) : nullptr;
    if (dc == nullptr)
        return;
    CRect area(lpDrawItemStruct->rcItem);
    dc->FillSolidRect(area, COLORREF(0x404040));
    const int mode = dc->SetBkMode(TRANSPARENT);
    const COLORREF colour = dc->SetTextColor(COLORREF(0xFFFFFF));
    const ULONG_PTR data = lpDrawItemStruct->itemData;
    dc->DrawText(data != 0 ? reinterpret_cast<const char*>(data) : "", area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetTextColor(colour);
    dc->SetBkMode(mode);
}
