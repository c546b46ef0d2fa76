// Menus: CMenu over menu handles (items with ids, texts, check and grey states, separators,
// owner-drawn items and popups), menu templates registered by id for LoadMenu, and popup
// menus shown by TrackPopupMenu over a Qt menu, or answered through the modal hook
// (ModalHook.h) while it is enabled.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

#define MF_INSERT 0x00000000u
#define MF_CHANGE 0x00000080u
#define MF_APPEND 0x00000100u
#define MF_DELETE 0x00000200u
#define MF_REMOVE 0x00001000u
#define MF_BYCOMMAND 0x00000000u
#define MF_BYPOSITION 0x00000400u
#define MF_SEPARATOR 0x00000800u
#define MF_ENABLED 0x00000000u
#define MF_GRAYED 0x00000001u
#define MF_DISABLED 0x00000002u
#define MF_UNCHECKED 0x00000000u
#define MF_CHECKED 0x00000008u
#define MF_USECHECKBITMAPS 0x00000200u
#define MF_STRING 0x00000000u
#define MF_BITMAP 0x00000004u
#define MF_OWNERDRAW 0x00000100u
#define MF_POPUP 0x00000010u
#define MF_MENUBARBREAK 0x00000020u
#define MF_MENUBREAK 0x00000040u
#define MF_UNHILITE 0x00000000u
#define MF_HILITE 0x00000080u
#define MF_DEFAULT 0x00001000u
#define MF_RADIOCHECK 0x00000200u
// Marks the last item of a level in a menu template.
#define MF_END 0x00000080u

#define MFT_STRING MF_STRING
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RADIOCHECK MF_RADIOCHECK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFS_GRAYED 0x00000003u
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_DEFAULT MF_DEFAULT

#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_HORIZONTAL 0x0000u
#define TPM_VERTICAL 0x0040u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u
#define TPM_RECURSE 0x0001u

#define MIM_MAXHEIGHT 0x00000001u
#define MIM_BACKGROUND 0x00000002u
#define MIM_HELPID 0x00000004u
#define MIM_MENUDATA 0x00000008u
#define MIM_STYLE 0x00000010u
#define MIM_APPLYTOSUBMENUS 0x80000000u

struct MENUINFO
{
    DWORD cbSize;
    DWORD fMask;
    DWORD dwStyle;
    UINT cyMax;
    HBRUSH hbrBack;
    DWORD dwContextHelpID;
    ULONG_PTR dwMenuData;
};
using LPMENUINFO = MENUINFO*;
using LPCMENUINFO = const MENUINFO*;

// One item of a menu template: popups (MF_POPUP) are followed by their items; MF_END marks the
// last item of each level.
struct MENU_TEMPLATE_ITEM
{
    UINT flags;
    UINT id;
    const char* text;
};
// Registers the template of a menu resource (kept by pointer: a static table).
PLATFORM_API void AfxRegisterMenuTemplate(UINT nIDResource, const MENU_TEMPLATE_ITEM* items);

class PLATFORM_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    // Destroys the menu it holds.
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // The object holding a menu, or a temporary one that lives as long as the menu.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // Builds the menu of a registered template; FALSE when there is none.
    BOOL LoadMenu(UINT nIDResource);
    // Destroys the menu and its popups.
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // With MF_POPUP, nIDNewItem is the popup's HMENU (the menu then owns it); with
    // MF_OWNERDRAW, lpszNewItem is the item's data for WM_MEASUREITEM / WM_DRAWITEM.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    // RemoveMenu keeps a removed popup alive; DeleteMenu destroys it.
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);

    // The previous MF_CHECKED / MF_UNCHECKED state, or (UINT)-1 when there is no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    // The previous MF_ENABLED / MF_GRAYED / MF_DISABLED state, or (UINT)-1.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    // The item's MF_* flags (for a popup, its item count in the high byte); (UINT)-1 when none.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const;
    // -1 for a popup, 0 for a separator; (UINT)-1 when out of range.
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);
    BOOL SetMenuInfo(LPCMENUINFO lpcmi);
    BOOL GetMenuInfo(LPMENUINFO lpcmi) const;

    // Shows the menu at the screen point for pWnd (which gets WM_INITMENUPOPUP first, unless
    // TPM_NONOTIFY). With TPM_RETURNCMD returns the chosen id (0 for none); otherwise posts
    // WM_COMMAND with the chosen id to pWnd and returns TRUE.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Owner-drawn items of this menu, when the owner passes the messages on.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

// void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
// clang-format off
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_WND_ENTRY_(WM_INITMENUPOPUP, 0,                                                                      \
                   void (ThisClass::*pfn_)(CMenu*, UINT, BOOL) = &ThisClass::OnInitMenuPopup;                \
                   (self_->*pfn_)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam_)), LOWORD(lParam_),       \
                                  HIWORD(lParam_));                                                          \
                   return 0;)
// clang-format on

PLATFORM_API HMENU CreatePopupMenu();
PLATFORM_API HMENU CreateMenu();
PLATFORM_API BOOL DestroyMenu(HMENU hMenu);
PLATFORM_API BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
PLATFORM_API BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                                 const RECT* prcRect);
PLATFORM_API BOOL IsMenu(HMENU hMenu);
#define AppendMenuA AppendMenu
