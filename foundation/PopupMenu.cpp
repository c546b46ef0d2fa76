#include "foundation/PopupMenu.h"

#include "platform/core/SysColor.h"

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
