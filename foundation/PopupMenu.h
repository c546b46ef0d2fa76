// CPopupMenu: a context menu with a background brush of its own (a solid colour given at
// construction), which it applies when it is created and deletes when it goes, and the way its
// owner-drawn headings look.
#pragma once

#include "platform/ui/GdiObject.h"
#include "platform/ui/Menu.h"

class CPopupMenu : public CMenu
{
    DECLARE_DYNAMIC(CPopupMenu)
public:
    // The system's menu colour unless one is given.
    CPopupMenu();
    explicit CPopupMenu(COLORREF background);
    // Deletes the brush and destroys the menu.
    ~CPopupMenu() override;

    // An empty popup menu with the background brush set (SetMenuInfo, MIM_BACKGROUND).
    BOOL CreatePopupMenu();
    // The background brush, for callers that set the menu information themselves.
    HBRUSH GetBackgroundBrush() const { return static_cast<HBRUSH>(m_Brush.GetSafeHandle()); }
    COLORREF GetBackgroundColour() const { return m_BackgroundColour; }

    // Draws an owner-drawn heading item (its item data the heading's text): white text centred
    // on dark grey (0x404040). The menu's owner calls it from its draw-item handler.
    static void DrawHeading(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    COLORREF m_BackgroundColour;
    CBrush m_Brush;
};
