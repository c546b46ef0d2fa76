// CToolTipCtrl: the tooltip control ("tooltips_class32" window class): a small pop-up window
// that shows a tool's text when the mouse rests on the tool.
//
// A tool is a window (TTF_IDISHWND) or a rectangle of a window. The control learns where the
// mouse is from the mouse messages its owner relays to it (RelayEvent, usually from
// PreTranslateMessage), or, for tools added with TTF_SUBCLASS, by watching the tool window
// itself. The tip shows after the initial delay (500 ms unless set) while the mouse stays on a
// tool, hides when the mouse leaves it, on a button press or after the pop-up delay, and never
// while the control is deactivated.
#pragma once

#include "platform/ui/Wnd.h"

#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1)))
#endif

#define TTS_ALWAYSTIP 0x01u
#define TTS_NOPREFIX 0x02u
#define TTS_NOANIMATE 0x10u
#define TTS_NOFADE 0x20u
#define TTS_BALLOON 0x40u

#define TTF_IDISHWND 0x0001u
#define TTF_CENTERTIP 0x0002u
#define TTF_RTLREADING 0x0004u
#define TTF_SUBCLASS 0x0010u
#define TTF_TRACK 0x0020u
#define TTF_ABSOLUTE 0x0080u
#define TTF_TRANSPARENT 0x0100u

#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOL (WM_USER + 4)
#define TTM_DELTOOL (WM_USER + 5)
#define TTM_NEWTOOLRECT (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLINFO (WM_USER + 8)
#define TTM_SETTOOLINFO (WM_USER + 9)
#define TTM_GETTEXT (WM_USER + 11)
#define TTM_UPDATETIPTEXT (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_POP (WM_USER + 28)
#define TTM_UPDATE (WM_USER + 29)
#define TTM_POPUP (WM_USER + 34)

struct TOOLINFO
{
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
using TTTOOLINFO = TOOLINFO;
using TTTOOLINFOA = TOOLINFO;
using LPTOOLINFO = TOOLINFO*;

class PLATFORM_API CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    using CWnd::Create;
    // A tooltip window owned by the parent's top-level window.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool: the whole window (no rectangle), or a rectangle of it (client coordinates)
    // named by nIDTool. FALSE without a window or text.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(const TOOLINFO* pToolInfo);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const;
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);

    void Activate(BOOL bActivate);
    // Passes a mouse message (WM_MOUSEMOVE, button messages) of a tool's window.
    void RelayEvent(LPMSG lpMsg);
    // Shows the tip of the tool under the cursor now; Pop hides it.
    void Popup();
    void Pop();
    void Update();

    // In milliseconds: TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW; SetDelayTime(n) sets the
    // initial delay to n and the others by it.
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    int SetMaxTipWidth(int iWidth);
    int GetMaxTipWidth() const;
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;
};
