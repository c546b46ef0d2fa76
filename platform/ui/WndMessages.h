// Window constants and records, with their Windows values: window styles, show and
// positioning flags, virtual-key codes, mouse-key flags, the styles, messages and
// notification codes of the standard controls, and the records that messages carry.
//
// The standard controls' constants live here, in one place, because a control's behaviour
// belongs to its window class (see AfxRegisterControlClass in Wnd.h): dialog templates, the
// window classes and the C++ control classes all speak these numbers.
#pragma once

#include "platform/core/Messages.h"
#include "platform/ui/Gdi.h"

class CWnd;

struct HMENU__;
using HMENU = HMENU__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HACCEL__;
using HACCEL = HACCEL__*;

// ---------------------------------------------------------------------------------------
// Window styles
// ---------------------------------------------------------------------------------------

#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_MINIMIZE 0x20000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_MAXIMIZE 0x01000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_VSCROLL 0x00200000u
#define WS_HSCROLL 0x00100000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW                                                                                  \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW WS_CHILD

#define WS_EX_DLGMODALFRAME 0x00000001u
#define WS_EX_NOPARENTNOTIFY 0x00000004u
#define WS_EX_TOPMOST 0x00000008u
#define WS_EX_ACCEPTFILES 0x00000010u
#define WS_EX_TRANSPARENT 0x00000020u
#define WS_EX_MDICHILD 0x00000040u
#define WS_EX_TOOLWINDOW 0x00000080u
#define WS_EX_WINDOWEDGE 0x00000100u
#define WS_EX_CLIENTEDGE 0x00000200u
#define WS_EX_CONTEXTHELP 0x00000400u
#define WS_EX_RIGHT 0x00001000u
#define WS_EX_LEFT 0x00000000u
#define WS_EX_RTLREADING 0x00002000u
#define WS_EX_LTRREADING 0x00000000u
#define WS_EX_LEFTSCROLLBAR 0x00004000u
#define WS_EX_CONTROLPARENT 0x00010000u
#define WS_EX_STATICEDGE 0x00020000u
#define WS_EX_APPWINDOW 0x00040000u
#define WS_EX_LAYERED 0x00080000u
#define WS_EX_NOACTIVATE 0x08000000u
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)

// Answers to WM_MOUSEACTIVATE.
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

// Class styles (AfxRegisterWndClass).
#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define CS_DBLCLKS 0x0008u
#define CS_OWNDC 0x0020u
#define CS_CLASSDC 0x0040u
#define CS_PARENTDC 0x0080u
#define CS_NOCLOSE 0x0200u
#define CS_SAVEBITS 0x0800u

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

// ---------------------------------------------------------------------------------------
// Showing, positioning, redrawing
// ---------------------------------------------------------------------------------------

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define SW_FORCEMINIMIZE 11

// WM_SHOWWINDOW status (lParam).
#define SW_PARENTCLOSING 1
#define SW_OTHERZOOM 2
#define SW_PARENTOPENING 3
#define SW_OTHERUNZOOM 4

// WM_SIZE types (wParam).
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2
#define SIZE_MAXSHOW 3
#define SIZE_MAXHIDE 4

#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOREDRAW 0x0008u
#define SWP_NOACTIVATE 0x0010u
#define SWP_FRAMECHANGED 0x0020u
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_SHOWWINDOW 0x0040u
#define SWP_HIDEWINDOW 0x0080u
#define SWP_NOCOPYBITS 0x0100u
#define SWP_NOOWNERZORDER 0x0200u
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
#define SWP_NOSENDCHANGING 0x0400u
#define SWP_DEFERERASE 0x2000u
#define SWP_ASYNCWINDOWPOS 0x4000u

// SetWindowPos's insert-after handles, for the Win32 function.
#define HWND_TOP (reinterpret_cast<HWND>(static_cast<intptr_t>(0)))
#define HWND_BOTTOM (reinterpret_cast<HWND>(static_cast<intptr_t>(1)))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-2)))

#define RDW_INVALIDATE 0x0001u
#define RDW_INTERNALPAINT 0x0002u
#define RDW_ERASE 0x0004u
#define RDW_VALIDATE 0x0008u
#define RDW_NOINTERNALPAINT 0x0010u
#define RDW_NOERASE 0x0020u
#define RDW_NOCHILDREN 0x0040u
#define RDW_ALLCHILDREN 0x0080u
#define RDW_UPDATENOW 0x0100u
#define RDW_ERASENOW 0x0200u
#define RDW_FRAME 0x0400u
#define RDW_NOFRAME 0x0800u

// GetWindow.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

// GetWindowLong.
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_ID (-12)
#define GWLP_ID GWL_ID
#define GWL_USERDATA (-21)
#define GWLP_USERDATA GWL_USERDATA

// Messages not numbered in the core table.
#define WM_STYLECHANGING 0x007C
#define WM_STYLECHANGED 0x007D

// WM_STYLECHANGED's lParam (wParam is GWL_STYLE or GWL_EXSTYLE).
struct STYLESTRUCT
{
    DWORD styleOld;
    DWORD styleNew;
};
using LPSTYLESTRUCT = STYLESTRUCT*;

// WM_ACTIVATE states.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_SYSCOMMAND codes.
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

// Hit-test codes (WM_SETCURSOR).
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2

// ---------------------------------------------------------------------------------------
// Keyboard and mouse
// ---------------------------------------------------------------------------------------

#define MK_LBUTTON 0x0001u
#define MK_RBUTTON 0x0002u
#define MK_SHIFT 0x0004u
#define MK_CONTROL 0x0008u
#define MK_MBUTTON 0x0010u
#define MK_XBUTTON1 0x0020u
#define MK_XBUTTON2 0x0040u

#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(wParam) (static_cast<short>(HIWORD(wParam)))
#define GET_KEYSTATE_WPARAM(wParam) (LOWORD(wParam))

// Bits of a key message's lParam high word (nFlags of the On... handlers).
#define KF_EXTENDED 0x0100
#define KF_DLGMODE 0x0800
#define KF_MENUMODE 0x1000
#define KF_ALTDOWN 0x2000
#define KF_REPEAT 0x4000
#define KF_UP 0x8000

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_EXECUTE 0x2B
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
// '0'..'9' and 'A'..'Z' are their ASCII codes.
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_F13 0x7C
#define VK_F14 0x7D
#define VK_F15 0x7E
#define VK_F16 0x7F
#define VK_F17 0x80
#define VK_F18 0x81
#define VK_F19 0x82
#define VK_F20 0x83
#define VK_F21 0x84
#define VK_F22 0x85
#define VK_F23 0x86
#define VK_F24 0x87
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA      // ';:' on a US keyboard
#define VK_OEM_PLUS 0xBB   // '=+'
#define VK_OEM_COMMA 0xBC  // ',<'
#define VK_OEM_MINUS 0xBD  // '-_'
#define VK_OEM_PERIOD 0xBE // '.>'
#define VK_OEM_2 0xBF      // '/?'
#define VK_OEM_3 0xC0      // '`~'
#define VK_OEM_4 0xDB      // '[{'
#define VK_OEM_5 0xDC      // '\|'
#define VK_OEM_6 0xDD      // ']}'
#define VK_OEM_7 0xDE      // ''"'
#define VK_OEM_102 0xE2
#define VK_PACKET 0xE7

// TrackMouseEvent.
#define TME_HOVER 0x00000001u
#define TME_LEAVE 0x00000002u
#define TME_QUERY 0x40000000u
#define TME_CANCEL 0x80000000u
#define HOVER_DEFAULT 0xFFFFFFFFu

struct TRACKMOUSEEVENT
{
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
using LPTRACKMOUSEEVENT = TRACKMOUSEEVENT*;

// ---------------------------------------------------------------------------------------
// Records carried by messages
// ---------------------------------------------------------------------------------------

struct CREATESTRUCT
{
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
using CREATESTRUCTA = CREATESTRUCT;
using LPCREATESTRUCT = CREATESTRUCT*;

struct MINMAXINFO
{
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};
using LPMINMAXINFO = MINMAXINFO*;

struct WINDOWPOS
{
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};
using LPWINDOWPOS = WINDOWPOS*;

struct WINDOWPLACEMENT
{
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
using LPWINDOWPLACEMENT = WINDOWPLACEMENT*;
#define WPF_SETMINPOSITION 0x0001
#define WPF_RESTORETOMAXIMIZED 0x0002

struct PAINTSTRUCT
{
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

// WM_NOTIFY: every notification record starts with this header.
struct NMHDR
{
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
using LPNMHDR = NMHDR*;

// Owner-drawn controls (WM_DRAWITEM, WM_MEASUREITEM).
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
#define ODS_COMBOBOXEDIT 0x1000
#define ODS_HOTLIGHT 0x0040
#define ODS_INACTIVE 0x0080
#define ODS_NOACCEL 0x0100
#define ODS_NOFOCUSRECT 0x0200

struct DRAWITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

struct MEASUREITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    ULONG_PTR itemData;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

// WM_GETDLGCODE answers.
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// Dialog messages.
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

// WM_CTLCOLOR kinds (nCtlColor of OnCtlColor): the message number less WM_CTLCOLORMSGBOX.
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

// Scroll bars (WM_HSCROLL / WM_VSCROLL codes, SetScrollInfo).
#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8
#define SIF_RANGE 0x0001u
#define SIF_PAGE 0x0002u
#define SIF_POS 0x0004u
#define SIF_DISABLENOSCROLL 0x0008u
#define SIF_TRACKPOS 0x0010u
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
#define ESB_ENABLE_BOTH 0x0000u
#define ESB_DISABLE_BOTH 0x0003u
#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004

struct SCROLLINFO
{
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// System metrics (GetSystemMetrics).
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80

// ---------------------------------------------------------------------------------------
// Standard controls: window class names, styles, messages, notifications
// ---------------------------------------------------------------------------------------

#define WC_BUTTON "Button"
#define WC_EDIT "Edit"
#define WC_STATIC "Static"
#define WC_COMBOBOX "ComboBox"
#define WC_COMBOBOXEX "ComboBoxEx32"
#define WC_LISTBOX "ListBox"
#define WC_SCROLLBAR "ScrollBar"
#define PROGRESS_CLASS "msctls_progress32"
#define TRACKBAR_CLASS "msctls_trackbar32"
#define UPDOWN_CLASS "msctls_updown32"
#define TOOLTIPS_CLASS "tooltips_class32"
#define WC_LISTVIEW "SysListView32"
#define WC_TREEVIEW "SysTreeView32"
#define WC_TABCONTROL "SysTabControl32"

// Buttons.
#define BS_PUSHBUTTON 0x00000000u
#define BS_DEFPUSHBUTTON 0x00000001u
#define BS_CHECKBOX 0x00000002u
#define BS_AUTOCHECKBOX 0x00000003u
#define BS_RADIOBUTTON 0x00000004u
#define BS_3STATE 0x00000005u
#define BS_AUTO3STATE 0x00000006u
#define BS_GROUPBOX 0x00000007u
#define BS_USERBUTTON 0x00000008u
#define BS_AUTORADIOBUTTON 0x00000009u
#define BS_PUSHBOX 0x0000000Au
#define BS_OWNERDRAW 0x0000000Bu
#define BS_TYPEMASK 0x0000000Fu
#define BS_LEFTTEXT 0x00000020u
#define BS_TEXT 0x00000000u
#define BS_ICON 0x00000040u
#define BS_BITMAP 0x00000080u
#define BS_LEFT 0x00000100u
#define BS_RIGHT 0x00000200u
#define BS_CENTER 0x00000300u
#define BS_TOP 0x00000400u
#define BS_BOTTOM 0x00000800u
#define BS_VCENTER 0x00000C00u
#define BS_PUSHLIKE 0x00001000u
#define BS_MULTILINE 0x00002000u
#define BS_NOTIFY 0x00004000u
#define BS_FLAT 0x00008000u

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#define BM_GETIMAGE 0x00F6
#define BM_SETIMAGE 0x00F7

#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008

#define BN_CLICKED 0
#define BN_PAINT 1
#define BN_HILITE 2
#define BN_UNHILITE 3
#define BN_DISABLE 4
#define BN_DOUBLECLICKED 5
#define BN_PUSHED BN_HILITE
#define BN_UNPUSHED BN_UNHILITE
#define BN_DBLCLK BN_DOUBLECLICKED
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7

// Edits.
#define ES_LEFT 0x0000u
#define ES_CENTER 0x0001u
#define ES_RIGHT 0x0002u
#define ES_MULTILINE 0x0004u
#define ES_UPPERCASE 0x0008u
#define ES_LOWERCASE 0x0010u
#define ES_PASSWORD 0x0020u
#define ES_AUTOVSCROLL 0x0040u
#define ES_AUTOHSCROLL 0x0080u
#define ES_NOHIDESEL 0x0100u
#define ES_OEMCONVERT 0x0400u
#define ES_READONLY 0x0800u
#define ES_WANTRETURN 0x1000u
#define ES_NUMBER 0x2000u

#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_GETRECT 0x00B2
#define EM_SETRECT 0x00B3
#define EM_SCROLL 0x00B5
#define EM_LINESCROLL 0x00B6
#define EM_SCROLLCARET 0x00B7
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_GETLINECOUNT 0x00BA
#define EM_LINEINDEX 0x00BB
#define EM_LINELENGTH 0x00C1
#define EM_REPLACESEL 0x00C2
#define EM_GETLINE 0x00C4
#define EM_LIMITTEXT 0x00C5
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_CANUNDO 0x00C6
#define EM_UNDO 0x00C7
#define EM_LINEFROMCHAR 0x00C9
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_EMPTYUNDOBUFFER 0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY 0x00CF
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_SETMARGINS 0x00D3
#define EM_GETMARGINS 0x00D4
#define EM_GETLIMITTEXT 0x00D5
#define EM_POSFROMCHAR 0x00D6
#define EM_CHARFROMPOS 0x00D7

#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_ERRSPACE 0x0500
#define EN_MAXTEXT 0x0501
#define EN_HSCROLL 0x0601
#define EN_VSCROLL 0x0602

// Statics.
#define SS_LEFT 0x00000000u
#define SS_CENTER 0x00000001u
#define SS_RIGHT 0x00000002u
#define SS_ICON 0x00000003u
#define SS_BLACKRECT 0x00000004u
#define SS_GRAYRECT 0x00000005u
#define SS_WHITERECT 0x00000006u
#define SS_BLACKFRAME 0x00000007u
#define SS_GRAYFRAME 0x00000008u
#define SS_WHITEFRAME 0x00000009u
#define SS_SIMPLE 0x0000000Bu
#define SS_LEFTNOWORDWRAP 0x0000000Cu
#define SS_OWNERDRAW 0x0000000Du
#define SS_BITMAP 0x0000000Eu
#define SS_ETCHEDHORZ 0x00000010u
#define SS_ETCHEDVERT 0x00000011u
#define SS_ETCHEDFRAME 0x00000012u
#define SS_TYPEMASK 0x0000001Fu
#define SS_NOPREFIX 0x00000080u
#define SS_NOTIFY 0x00000100u
#define SS_CENTERIMAGE 0x00000200u
#define SS_RIGHTJUST 0x00000400u
#define SS_SUNKEN 0x00001000u
#define SS_ENDELLIPSIS 0x00004000u
#define SS_PATHELLIPSIS 0x00008000u
#define SS_WORDELLIPSIS 0x0000C000u

#define STM_SETICON 0x0170
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173

#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3

// Combo boxes.
#define CBS_SIMPLE 0x0001u
#define CBS_DROPDOWN 0x0002u
#define CBS_DROPDOWNLIST 0x0003u
#define CBS_OWNERDRAWFIXED 0x0010u
#define CBS_OWNERDRAWVARIABLE 0x0020u
#define CBS_AUTOHSCROLL 0x0040u
#define CBS_OEMCONVERT 0x0080u
#define CBS_SORT 0x0100u
#define CBS_HASSTRINGS 0x0200u
#define CBS_NOINTEGRALHEIGHT 0x0400u
#define CBS_DISABLENOSCROLL 0x0800u
#define CBS_UPPERCASE 0x2000u
#define CBS_LOWERCASE 0x4000u

#define CB_ERR (-1)
#define CB_ERRSPACE (-2)
#define CB_GETEDITSEL 0x0140
#define CB_LIMITTEXT 0x0141
#define CB_SETEDITSEL 0x0142
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_DIR 0x0145
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SELECTSTRING 0x014D
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152
#define CB_SETITEMHEIGHT 0x0153
#define CB_GETITEMHEIGHT 0x0154
#define CB_SETEXTENDEDUI 0x0155
#define CB_GETEXTENDEDUI 0x0156
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_SETDROPPEDWIDTH 0x0160
#define CB_GETDROPPEDWIDTH 0x015F

#define CBN_ERRSPACE (-1)
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define CBN_SELENDCANCEL 10

// List boxes.
#define LBS_NOTIFY 0x0001u
#define LBS_SORT 0x0002u
#define LBS_NOREDRAW 0x0004u
#define LBS_MULTIPLESEL 0x0008u
#define LBS_OWNERDRAWFIXED 0x0010u
#define LBS_OWNERDRAWVARIABLE 0x0020u
#define LBS_HASSTRINGS 0x0040u
#define LBS_USETABSTOPS 0x0080u
#define LBS_NOINTEGRALHEIGHT 0x0100u
#define LBS_MULTICOLUMN 0x0200u
#define LBS_WANTKEYBOARDINPUT 0x0400u
#define LBS_EXTENDEDSEL 0x0800u
#define LBS_DISABLENOSCROLL 0x1000u
#define LBS_NOSEL 0x4000u
#define LBS_STANDARD (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)

#define LB_ERR (-1)
#define LB_ERRSPACE (-2)
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_SELITEMRANGEEX 0x0183
#define LB_RESETCONTENT 0x0184
#define LB_SETSEL 0x0185
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_GETSELCOUNT 0x0190
#define LB_GETSELITEMS 0x0191
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_SETCARETINDEX 0x019E
#define LB_GETCARETINDEX 0x019F
#define LB_SETITEMHEIGHT 0x01A0
#define LB_GETITEMHEIGHT 0x01A1
#define LB_FINDSTRINGEXACT 0x01A2

#define LBN_ERRSPACE (-2)
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define LBN_SELCANCEL 3
#define LBN_SETFOCUS 4
#define LBN_KILLFOCUS 5

// Progress bars.
#define PBS_SMOOTH 0x01u
#define PBS_VERTICAL 0x04u
#define PBS_MARQUEE 0x08u
#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_DELTAPOS (WM_USER + 3)
#define PBM_SETSTEP (WM_USER + 4)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_SETRANGE32 (WM_USER + 6)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)
#define PBM_SETBARCOLOR (WM_USER + 9)
#define PBM_SETMARQUEE (WM_USER + 10)
#define PBM_SETBKCOLOR 0x2001

// Track bars (sliders).
#define TBS_AUTOTICKS 0x0001u
#define TBS_VERT 0x0002u
#define TBS_HORZ 0x0000u
#define TBS_TOP 0x0004u
#define TBS_BOTTOM 0x0000u
#define TBS_LEFT 0x0004u
#define TBS_RIGHT 0x0000u
#define TBS_BOTH 0x0008u
#define TBS_NOTICKS 0x0010u
#define TBS_ENABLESELRANGE 0x0020u
#define TBS_FIXEDLENGTH 0x0040u
#define TBS_NOTHUMB 0x0080u
#define TBS_TOOLTIPS 0x0100u
#define TBM_GETPOS (WM_USER)
#define TBM_GETRANGEMIN (WM_USER + 1)
#define TBM_GETRANGEMAX (WM_USER + 2)
#define TBM_GETTIC (WM_USER + 3)
#define TBM_SETTIC (WM_USER + 4)
#define TBM_SETPOS (WM_USER + 5)
#define TBM_SETRANGE (WM_USER + 6)
#define TBM_SETRANGEMIN (WM_USER + 7)
#define TBM_SETRANGEMAX (WM_USER + 8)
#define TBM_CLEARTICS (WM_USER + 9)
#define TBM_SETTICFREQ (WM_USER + 20)
#define TBM_SETPAGESIZE (WM_USER + 21)
#define TBM_GETPAGESIZE (WM_USER + 22)
#define TBM_SETLINESIZE (WM_USER + 23)
#define TBM_GETLINESIZE (WM_USER + 24)
#define TB_LINEUP 0
#define TB_LINEDOWN 1
#define TB_PAGEUP 2
#define TB_PAGEDOWN 3
#define TB_THUMBPOSITION 4
#define TB_THUMBTRACK 5
#define TB_TOP 6
#define TB_BOTTOM 7
#define TB_ENDTRACK 8

// Up-down (spin) controls.
#define UDS_WRAP 0x0001u
#define UDS_SETBUDDYINT 0x0002u
#define UDS_ALIGNRIGHT 0x0004u
#define UDS_ALIGNLEFT 0x0008u
#define UDS_AUTOBUDDY 0x0010u
#define UDS_ARROWKEYS 0x0020u
#define UDS_HORZ 0x0040u
#define UDS_NOTHOUSANDS 0x0080u
#define UDS_HOTTRACK 0x0100u
#define UDM_SETRANGE (WM_USER + 101)
#define UDM_GETRANGE (WM_USER + 102)
#define UDM_SETPOS (WM_USER + 103)
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETBUDDY (WM_USER + 105)
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)
#define UDM_GETACCEL (WM_USER + 108)
#define UDM_SETBASE (WM_USER + 109)
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)

// Common notification codes (WM_NOTIFY), as negative numbers.
#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)
#define UDN_FIRST (0U - 721U)
#define UDN_DELTAPOS (UDN_FIRST - 1)
#define TTN_FIRST (0U - 520U)
#define TTN_GETDISPINFO (TTN_FIRST - 0)
#define TTN_SHOW (TTN_FIRST - 1)
#define TTN_POP (TTN_FIRST - 2)
#define TTN_NEEDTEXT TTN_GETDISPINFO
#define CBEN_FIRST (0U - 800U)

// The record of UDN_DELTAPOS.
struct NMUPDOWN
{
    NMHDR hdr;
    int iPos;
    int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;
using NM_UPDOWN = NMUPDOWN;

// ---------------------------------------------------------------------------------------
// Message-map entries for window messages, in the framework's style:
//
//     BEGIN_MESSAGE_MAP(CMyView, CWnd)
//         ON_WM_CREATE()
//         ON_WM_LBUTTONDOWN()
//         ON_BN_CLICKED(IDC_APPLY, &CMyView::OnApply)
//         ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN, &CMyView::OnDeltaPosSpin)
//     END_MESSAGE_MAP()
//
// Each ON_WM_xxx() entry calls the member of the usual name and signature (OnCreate,
// OnLButtonDown...), so a class declares the handler and lists the entry. Reflected entries
// (..._REFLECT) sit in a control's map and take the notifications its parent got from it.
// ---------------------------------------------------------------------------------------

// Reflected messages are looked up in the control's map at this offset from the message.
#define WM_REFLECT_BASE 0xBC00

// What a WM_CTLCOLOR entry receives in lParam: the WM_CTLCOLORxxx message cracked.
struct AFX_CTLCOLOR
{
    HWND hWnd;     // the control
    HDC hDC;       // the control's drawing context
    UINT nCtlType; // CTLCOLOR_*
};

// What a WM_NOTIFY entry receives in lParam.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// clang-format off
#define AFX_WND_ENTRY_(message, code, body)                                                                  \
    {static_cast<UINT>(message), nullptr, static_cast<UINT>(code), 0, 0,                                     \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {                                    \
         ThisClass* self_ = static_cast<ThisClass*>(target_);                                                \
         (void)self_; (void)wParam_; (void)lParam_;                                                          \
         body                                                                                                \
     }},

#define AFX_HWND_(v) reinterpret_cast<HWND>(static_cast<uintptr_t>(v))
#define AFX_POINT_(l) CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))

// void Handler()
#define ON_MESSAGE_VOID(message, memberFxn)                                                                  \
    AFX_WND_ENTRY_(message, 0, void (ThisClass::*pfn_)() = memberFxn; (self_->*pfn_)(); return 0;)

#define ON_WM_CREATE()                                                                                       \
    AFX_WND_ENTRY_(WM_CREATE, 0, int (ThisClass::*pfn_)(LPCREATESTRUCT) = &ThisClass::OnCreate;              \
                   return (self_->*pfn_)(reinterpret_cast<LPCREATESTRUCT>(lParam_));)
#define ON_WM_DESTROY()                                                                                      \
    AFX_WND_ENTRY_(WM_DESTROY, 0, void (ThisClass::*pfn_)() = &ThisClass::OnDestroy; (self_->*pfn_)(); return 0;)
#define ON_WM_NCDESTROY()                                                                                    \
    AFX_WND_ENTRY_(WM_NCDESTROY, 0, void (ThisClass::*pfn_)() = &ThisClass::OnNcDestroy; (self_->*pfn_)();   \
                   return 0;)
#define ON_WM_CLOSE()                                                                                        \
    AFX_WND_ENTRY_(WM_CLOSE, 0, void (ThisClass::*pfn_)() = &ThisClass::OnClose; (self_->*pfn_)(); return 0;)
#define ON_WM_SIZE()                                                                                         \
    AFX_WND_ENTRY_(WM_SIZE, 0, void (ThisClass::*pfn_)(UINT, int, int) = &ThisClass::OnSize;                 \
                   (self_->*pfn_)(static_cast<UINT>(wParam_), LOWORD(static_cast<uintptr_t>(lParam_)),        \
                                  HIWORD(static_cast<uintptr_t>(lParam_)));                                  \
                   return 0;)
#define ON_WM_MOVE()                                                                                         \
    AFX_WND_ENTRY_(WM_MOVE, 0, void (ThisClass::*pfn_)(int, int) = &ThisClass::OnMove;                       \
                   (self_->*pfn_)(GET_X_LPARAM(lParam_), GET_Y_LPARAM(lParam_)); return 0;)
#define ON_WM_PAINT()                                                                                        \
    AFX_WND_ENTRY_(WM_PAINT, 0, void (ThisClass::*pfn_)() = &ThisClass::OnPaint; (self_->*pfn_)(); return 0;)
#define ON_WM_ERASEBKGND()                                                                                   \
    AFX_WND_ENTRY_(WM_ERASEBKGND, 0, BOOL (ThisClass::*pfn_)(CDC*) = &ThisClass::OnEraseBkgnd;               \
                   return (self_->*pfn_)(CDC::FromHandle(reinterpret_cast<HDC>(wParam_)));)
#define ON_WM_TIMER()                                                                                        \
    AFX_WND_ENTRY_(WM_TIMER, 0, void (ThisClass::*pfn_)(UINT_PTR) = &ThisClass::OnTimer;                     \
                   (self_->*pfn_)(static_cast<UINT_PTR>(wParam_)); return 0;)
#define ON_WM_SHOWWINDOW()                                                                                   \
    AFX_WND_ENTRY_(WM_SHOWWINDOW, 0, void (ThisClass::*pfn_)(BOOL, UINT) = &ThisClass::OnShowWindow;         \
                   (self_->*pfn_)(static_cast<BOOL>(wParam_), static_cast<UINT>(lParam_)); return 0;)
#define ON_WM_GETMINMAXINFO()                                                                                \
    AFX_WND_ENTRY_(WM_GETMINMAXINFO, 0, void (ThisClass::*pfn_)(MINMAXINFO*) = &ThisClass::OnGetMinMaxInfo;  \
                   (self_->*pfn_)(reinterpret_cast<MINMAXINFO*>(lParam_)); return 0;)
#define ON_WM_ACTIVATE()                                                                                     \
    AFX_WND_ENTRY_(WM_ACTIVATE, 0, void (ThisClass::*pfn_)(UINT, CWnd*, BOOL) = &ThisClass::OnActivate;      \
                   (self_->*pfn_)(LOWORD(wParam_), CWnd::FromHandle(AFX_HWND_(lParam_)), HIWORD(wParam_));   \
                   return 0;)
#define ON_WM_ENABLE()                                                                                       \
    AFX_WND_ENTRY_(WM_ENABLE, 0, void (ThisClass::*pfn_)(BOOL) = &ThisClass::OnEnable;                       \
                   (self_->*pfn_)(static_cast<BOOL>(wParam_)); return 0;)

#define AFX_MOUSE_ENTRY_(message, fn)                                                                        \
    AFX_WND_ENTRY_(message, 0, void (ThisClass::*pfn_)(UINT, CPoint) = &ThisClass::fn;                       \
                   (self_->*pfn_)(static_cast<UINT>(wParam_), AFX_POINT_(lParam_)); return 0;)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY_(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY_(WM_MOUSEMOVE, OnMouseMove)
// The point is in screen coordinates, as the framework gives it.
#define ON_WM_MOUSEWHEEL()                                                                                   \
    AFX_WND_ENTRY_(WM_MOUSEWHEEL, 0, BOOL (ThisClass::*pfn_)(UINT, short, CPoint) = &ThisClass::OnMouseWheel;\
                   return (self_->*pfn_)(LOWORD(wParam_), static_cast<short>(HIWORD(wParam_)),               \
                                         AFX_POINT_(lParam_));)
#define ON_WM_MOUSELEAVE()                                                                                   \
    AFX_WND_ENTRY_(WM_MOUSELEAVE, 0, void (ThisClass::*pfn_)() = &ThisClass::OnMouseLeave; (self_->*pfn_)(); \
                   return 0;)
// int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT mouseMessage): an MA_* answer.
#define ON_WM_MOUSEACTIVATE()                                                                                \
    AFX_WND_ENTRY_(WM_MOUSEACTIVATE, 0, int (ThisClass::*pfn_)(CWnd*, UINT, UINT) = &ThisClass::OnMouseActivate; \
                   return (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(wParam_)),                               \
                                         LOWORD(static_cast<uintptr_t>(lParam_)),                            \
                                         HIWORD(static_cast<uintptr_t>(lParam_)));)

#define AFX_KEY_ENTRY_(message, fn)                                                                          \
    AFX_WND_ENTRY_(message, 0, void (ThisClass::*pfn_)(UINT, UINT, UINT) = &ThisClass::fn;                   \
                   (self_->*pfn_)(static_cast<UINT>(wParam_), LOWORD(static_cast<uintptr_t>(lParam_)),        \
                                  HIWORD(static_cast<uintptr_t>(lParam_)));                                  \
                   return 0;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY_(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY_(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY_(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY_(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY_(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY_(WM_SYSCHAR, OnSysChar)

#define ON_WM_SETFOCUS()                                                                                     \
    AFX_WND_ENTRY_(WM_SETFOCUS, 0, void (ThisClass::*pfn_)(CWnd*) = &ThisClass::OnSetFocus;                  \
                   (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(wParam_))); return 0;)
#define ON_WM_KILLFOCUS()                                                                                    \
    AFX_WND_ENTRY_(WM_KILLFOCUS, 0, void (ThisClass::*pfn_)(CWnd*) = &ThisClass::OnKillFocus;                \
                   (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(wParam_))); return 0;)
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_WND_ENTRY_(WM_CAPTURECHANGED, 0, void (ThisClass::*pfn_)(CWnd*) = &ThisClass::OnCaptureChanged;      \
                   (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(lParam_))); return 0;)
// The position is in screen coordinates; (-1, -1) when the keyboard asked for the menu.
#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_WND_ENTRY_(WM_CONTEXTMENU, 0, void (ThisClass::*pfn_)(CWnd*, CPoint) = &ThisClass::OnContextMenu;    \
                   (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(wParam_)), AFX_POINT_(lParam_)); return 0;)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_WND_ENTRY_(WM_SETCURSOR, 0, BOOL (ThisClass::*pfn_)(CWnd*, UINT, UINT) = &ThisClass::OnSetCursor;    \
                   return (self_->*pfn_)(CWnd::FromHandle(AFX_HWND_(wParam_)),                               \
                                         static_cast<UINT>(static_cast<short>(LOWORD(lParam_))),             \
                                         HIWORD(lParam_));)
#define ON_WM_GETDLGCODE()                                                                                   \
    AFX_WND_ENTRY_(WM_GETDLGCODE, 0, UINT (ThisClass::*pfn_)() = &ThisClass::OnGetDlgCode;                   \
                   return (self_->*pfn_)();)
#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_WND_ENTRY_(WM_SYSCOMMAND, 0, void (ThisClass::*pfn_)(UINT, LPARAM) = &ThisClass::OnSysCommand;       \
                   (self_->*pfn_)(static_cast<UINT>(wParam_), lParam_); return 0;)
#define ON_WM_SYSCOLORCHANGE()                                                                               \
    AFX_WND_ENTRY_(WM_SYSCOLORCHANGE, 0, void (ThisClass::*pfn_)() = &ThisClass::OnSysColorChange;           \
                   (self_->*pfn_)(); return 0;)
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    AFX_WND_ENTRY_(WM_WINDOWPOSCHANGED, 0,                                                                   \
                   void (ThisClass::*pfn_)(WINDOWPOS*) = &ThisClass::OnWindowPosChanged;                     \
                   (self_->*pfn_)(reinterpret_cast<WINDOWPOS*>(lParam_)); return 0;)

#define ON_WM_HSCROLL()                                                                                      \
    AFX_WND_ENTRY_(WM_HSCROLL, 0, void (ThisClass::*pfn_)(UINT, UINT, CScrollBar*) = &ThisClass::OnHScroll;  \
                   (self_->*pfn_)(LOWORD(wParam_), HIWORD(wParam_),                                          \
                                  reinterpret_cast<CScrollBar*>(CWnd::FromHandle(AFX_HWND_(lParam_))));           \
                   return 0;)
#define ON_WM_VSCROLL()                                                                                      \
    AFX_WND_ENTRY_(WM_VSCROLL, 0, void (ThisClass::*pfn_)(UINT, UINT, CScrollBar*) = &ThisClass::OnVScroll;  \
                   (self_->*pfn_)(LOWORD(wParam_), HIWORD(wParam_),                                          \
                                  reinterpret_cast<CScrollBar*>(CWnd::FromHandle(AFX_HWND_(lParam_))));           \
                   return 0;)
// void HScroll(UINT nSBCode, UINT nPos), in the control.
#define ON_WM_HSCROLL_REFLECT()                                                                              \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_HSCROLL, 0, void (ThisClass::*pfn_)(UINT, UINT) = &ThisClass::HScroll;\
                   (self_->*pfn_)(LOWORD(wParam_), HIWORD(wParam_)); return 1;)
#define ON_WM_VSCROLL_REFLECT()                                                                              \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_VSCROLL, 0, void (ThisClass::*pfn_)(UINT, UINT) = &ThisClass::VScroll;\
                   (self_->*pfn_)(LOWORD(wParam_), HIWORD(wParam_)); return 1;)

// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor): every WM_CTLCOLORxxx message.
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_WND_ENTRY_(WM_CTLCOLOR, 0, HBRUSH (ThisClass::*pfn_)(CDC*, CWnd*, UINT) = &ThisClass::OnCtlColor;    \
                   const AFX_CTLCOLOR* cc_ = reinterpret_cast<const AFX_CTLCOLOR*>(lParam_);                 \
                   return reinterpret_cast<LRESULT>((self_->*pfn_)(CDC::FromHandle(cc_->hDC),                \
                                                                   CWnd::FromHandle(cc_->hWnd),              \
                                                                   cc_->nCtlType));)
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor), in the control; a null brush leaves the message
// to the parent's default.
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_CTLCOLOR, 0,                                                         \
                   HBRUSH (ThisClass::*pfn_)(CDC*, UINT) = &ThisClass::CtlColor;                             \
                   const AFX_CTLCOLOR* cc_ = reinterpret_cast<const AFX_CTLCOLOR*>(lParam_);                 \
                   return reinterpret_cast<LRESULT>(                                                         \
                       (self_->*pfn_)(CDC::FromHandle(cc_->hDC), cc_->nCtlType));)
#define ON_WM_DRAWITEM()                                                                                     \
    AFX_WND_ENTRY_(WM_DRAWITEM, 0, void (ThisClass::*pfn_)(int, LPDRAWITEMSTRUCT) = &ThisClass::OnDrawItem;  \
                   (self_->*pfn_)(static_cast<int>(wParam_), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam_));   \
                   return TRUE;)
// void DrawItem(LPDRAWITEMSTRUCT), in the control.
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_DRAWITEM, 0,                                                         \
                   void (ThisClass::*pfn_)(LPDRAWITEMSTRUCT) = &ThisClass::DrawItem;                         \
                   (self_->*pfn_)(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam_)); return TRUE;)
#define ON_WM_MEASUREITEM()                                                                                  \
    AFX_WND_ENTRY_(WM_MEASUREITEM, 0,                                                                        \
                   void (ThisClass::*pfn_)(int, LPMEASUREITEMSTRUCT) = &ThisClass::OnMeasureItem;            \
                   (self_->*pfn_)(static_cast<int>(wParam_), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam_));\
                   return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_MEASUREITEM, 0,                                                      \
                   void (ThisClass::*pfn_)(LPMEASUREITEMSTRUCT) = &ThisClass::MeasureItem;                   \
                   (self_->*pfn_)(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam_)); return TRUE;)

// Control notifications (WM_COMMAND): void OnFoo().
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// A control's own notification, reflected to it by its parent: void OnFoo().
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode),                             \
                   void (ThisClass::*pfn_)() = memberFxn; (self_->*pfn_)(); return TRUE;)
// BOOL OnFoo(): FALSE lets the parent see the notification too.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode),                             \
                   BOOL (ThisClass::*pfn_)() = memberFxn; return (self_->*pfn_)();)
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
#define ON_EN_CHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(EN_CHANGE, memberFxn)
#define ON_CBN_SELCHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(CBN_SELCHANGE, memberFxn)

// WM_NOTIFY from control `id` with `code`: void OnFoo(NMHDR* pNMHDR, LRESULT* pResult).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, nullptr, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),          \
     static_cast<UINT>(id), [](CCmdTarget* target_, WPARAM, LPARAM lParam_) -> LRESULT {                     \
         void (ThisClass::*pfn_)(NMHDR*, LRESULT*) = memberFxn;                                              \
         const AFX_NOTIFY* n_ = reinterpret_cast<const AFX_NOTIFY*>(lParam_);                                \
         (static_cast<ThisClass*>(target_)->*pfn_)(n_->pNMHDR, n_->pResult);                                 \
         return TRUE;                                                                                        \
     }},
// void OnFoo(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                             \
    {WM_NOTIFY, nullptr, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(idFirst),     \
     static_cast<UINT>(idLast), [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {         \
         void (ThisClass::*pfn_)(UINT, NMHDR*, LRESULT*) = memberFxn;                                        \
         const AFX_NOTIFY* n_ = reinterpret_cast<const AFX_NOTIFY*>(lParam_);                                \
         (static_cast<ThisClass*>(target_)->*pfn_)(static_cast<UINT>(wParam_), n_->pNMHDR, n_->pResult);     \
         return TRUE;                                                                                        \
     }},
// BOOL OnFoo(UINT id, NMHDR* pNMHDR, LRESULT* pResult): FALSE lets the notification go on.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY, nullptr, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),          \
     static_cast<UINT>(id), [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {             \
         BOOL (ThisClass::*pfn_)(UINT, NMHDR*, LRESULT*) = memberFxn;                                        \
         const AFX_NOTIFY* n_ = reinterpret_cast<const AFX_NOTIFY*>(lParam_);                                \
         return (static_cast<ThisClass*>(target_)->*pfn_)(static_cast<UINT>(wParam_), n_->pNMHDR,            \
                                                           n_->pResult);                                     \
     }},
// In the control: void OnFoo(NMHDR* pNMHDR, LRESULT* pResult).
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(wNotifyCode),                              \
                   void (ThisClass::*pfn_)(NMHDR*, LRESULT*) = memberFxn;                                    \
                   const AFX_NOTIFY* n_ = reinterpret_cast<const AFX_NOTIFY*>(lParam_);                      \
                   (self_->*pfn_)(n_->pNMHDR, n_->pResult); return TRUE;)
// BOOL OnFoo(NMHDR* pNMHDR, LRESULT* pResult): FALSE lets the parent see it too.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(wNotifyCode),                              \
                   BOOL (ThisClass::*pfn_)(NMHDR*, LRESULT*) = memberFxn;                                    \
                   const AFX_NOTIFY* n_ = reinterpret_cast<const AFX_NOTIFY*>(lParam_);                      \
                   return (self_->*pfn_)(n_->pNMHDR, n_->pResult);)
// clang-format on
