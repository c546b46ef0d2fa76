// CMFCMenuBar: the frame's menu as a menu bar across the top of the frame. Each popup is
// brought up to date (ON_UPDATE_COMMAND_UI through the frame's command routing) just before it
// opens; a chosen item sends its command to the frame.
#pragma once

#include "platform/ui/ToolBar.h"

class QMenu;
class QMenuBar;

class PLATFORM_API CMFCMenuBar : public CMFCToolBar
{
    DECLARE_DYNCREATE(CMFCMenuBar)
public:
    CMFCMenuBar();
    ~CMFCMenuBar() override;

    // Shows the parent frame's menu. FALSE without a parent or window.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                UINT nID = AFX_IDW_MENUBAR) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, CRect rcBorders = CRect(1, 1, 1, 1),
                  UINT nID = AFX_IDW_MENUBAR) override;
    // Shows another menu (its items stay the caller's).
    void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    HMENU GetHMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hMenu; }
    // The titles of the top-level popups as shown ('&' marks the mnemonic).
    CString GetMenuTitle(int nIndex) const;
    int GetMenuCount() const;

    static void SetShowAllCommands(BOOL = TRUE) {}
    static void SetRecentlyUsedMenus(BOOL = TRUE) {}
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // Rebuilds the Qt menus from the menu's items.
    void Rebuild();

    HMENU m_hMenu = nullptr;
};

// Accepted: popup menus never take the keyboard focus from the frame here.
class PLATFORM_API CMFCPopupMenu
{
public:
    static void SetForceMenuFocus(BOOL bValue) { m_bForceMenuFocus = bValue; }
    static BOOL GetForceMenuFocus() { return m_bForceMenuFocus; }

private:
    static BOOL m_bForceMenuFocus;
};
