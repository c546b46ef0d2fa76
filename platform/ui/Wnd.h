// CWnd: a window object over a Qt widget, created in two steps (construct, then Create),
// reached by messages through its message map.
//
// Windows and objects. The window (the Qt widget with its handle, id, style, text and font)
// and the C++ object bound to it are apart, as in the framework: a window keeps its HWND for
// its whole life, and the object bound to it may change (SubclassWindow binds a new object
// to an existing window, e.g. a CButton to a dialog's button). Every window made by this
// layer has an object: windows that nothing subclassed (dialog items) get a plain CWnd that
// the layer owns and deletes. So GetDlgItem(id) always gives a live CWnd, and casting it to
// a control class works as long as control classes keep their state in the window (the
// widget or its window class), not in C++ members. The handle is registered with the core
// for the window, not for the object: CWnd::FromHandle gives a window's object (the core's
// CCmdTarget::FromHandle gives the window itself, which passes messages on to the object).
//
// Window classes. A window's behaviour comes from its window class, found by the class name
// given to Create (case-insensitively): the class makes the Qt widget, wires the widget's
// signals to notifications (WM_COMMAND / WM_NOTIFY to the parent) and answers the class's
// messages (BM_GETCHECK, EM_SETSEL, CB_ADDSTRING...) when the object's map leaves them to the
// default (see AfxRegisterControlClass). The standard classes ("Button", "Edit", "Static",
// "ComboBox", "ListBox", progress, track bar, up-down) have plain built-in versions; a
// registered class of the same name replaces them. Unknown or null class names make a plain
// window that paints only through its WM_ERASEBKGND and WM_PAINT handlers.
//
// Messages. Qt events of the widget become window messages, each first offered to
// PreTranslateMessage of the window and its parents (then the application), then sent to the
// window's WindowProc:
// - key presses: WM_KEYDOWN with the Windows virtual-key code, then, for keys that type a
//   character, WM_CHAR with the Windows-1252 character ('\r' for Enter, 8 for Backspace, 27
//   for Escape, 9 for Tab, 1..26 for Ctrl+A..Z); with Alt held, WM_SYSKEYDOWN / WM_SYSCHAR;
//   releases are WM_KEYUP / WM_SYSKEYUP;
// - mouse buttons, double clicks, moves: WM_xBUTTONDOWN/UP/DBLCLK, WM_MOUSEMOVE with MK_*
//   flags in wParam and the client position in lParam; WM_MOUSEWHEEL with the screen
//   position; WM_MOUSELEAVE once after TrackMouseEvent(TME_LEAVE); a right-button release
//   left to the default makes WM_CONTEXTMENU, which the default passes on to the parent;
// - focus: WM_KILLFOCUS to the window losing it, then WM_SETFOCUS to the one gaining it; a
//   move between widgets inside one window (a grid's tree and its in-place editor) is none;
// - a button pressed in a child window (or in an inactive top-level one) first asks the window
//   WM_MOUSEACTIVATE, whose default lets the parents answer: MA_ACTIVATE activates the
//   top-level window, and a plain window that handles keys (WM_KEYDOWN, WM_CHAR...) takes the
//   focus, as a view does (CView); the ...ANDEAT answers swallow the press;
// - keys go to the window that has the focus. A key typed into a Qt widget inside a window
//   that the layer did not make a window of (a property grid's tree, an in-place editor) is
//   first offered to PreTranslateMessage of that window and its parents, so that the frame's
//   accelerators and a dialog's keys work whatever has the focus; a key that the inner widget
//   leaves goes on to the window's own WM_KEYDOWN / WM_CHAR;
// - painting: WM_ERASEBKGND (when erasing is due) and WM_PAINT; size and moves: WM_SIZE and
//   WM_MOVE; the window manager's close: WM_CLOSE (whose default is DestroyWindow).
// The widget acts on an input event only when the message reaches the default handling
// (DefWindowProc, through Default() or a base class's On... handler): a handler that does
// not call the base swallows the key or click. The default of WM_KEYDOWN acts on keys that
// type no character; WM_CHAR's default acts on the others. Input messages sent with
// SendMessage have the same effect: their default makes the matching Qt event for the widget
// (SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)) presses a button).
//
// Drawing. A window that paints itself (a plain window, or any window whose map handles
// WM_PAINT or WM_ERASEBKGND) keeps its pixels in a surface image of its client size, as a
// window's pixels persist on Windows: CPaintDC, CClientDC and CWindowDC (WindowDc.h) all draw
// on it, so an XOR rubber band drawn with CClientDC and drawn again is gone; the widget shows
// the surface whenever Qt repaints it. Other windows are drawn by their Qt widget.
//
// Threads: windows live on the user-interface thread. PostMessage to a window is safe from
// any thread; everything else is called on the user-interface thread.
#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/String.h"
#include "platform/ui/Dc.h"
#include "platform/ui/WndMessages.h"

#include <functional>

class CDC;
class CFont;
class CMenu;
class CRgn;
class CFrameWnd;
class CScrollBar;
class CDataExchange;
struct CCreateContext;
class QWidget;
class QEvent;
class QImage;
class CWndBridge;

using TIMERPROC = void (*)(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

class PLATFORM_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // Destroys the window when it still exists.
    ~CWnd() override;

    // SetWindowPos's insert-after windows.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // ----- Creation and destruction -----------------------------------------------------

    // A child (WS_CHILD) takes `rect` in its parent's client coordinates; other windows in
    // screen coordinates (CW_USEDEFAULT lets the layer choose). The order of events:
    // PreCreateWindow (FALSE fails), the widget is made, WM_CREATE (OnCreate; -1 destroys the
    // window again, with WM_DESTROY and WM_NCDESTROY, and Create returns FALSE), WM_SIZE and
    // WM_MOVE, then the window is shown when WS_VISIBLE is set. FALSE also when the object
    // already has a window or the parent has none.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // WM_DESTROY to the window, then to its children (parents first); then WM_NCDESTROY to
    // the children and the window (children first), whose default unbinds the object and
    // calls PostNcDestroy. The widget is deleted (later, when destroyed from inside one of
    // its own events). FALSE when there is no window.
    virtual BOOL DestroyWindow();
    // Called last, after the window is gone; self-deleting classes (frames) delete themselves.
    virtual void PostNcDestroy();

    // Binding an object to an existing window. FALSE when this object already has a window or
    // the window already has an object of its own (the plain object the layer made for a
    // dialog item gives way and is deleted). PreSubclassWindow runs once bound.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    virtual void PreSubclassWindow();
    // Unbinds the object; the window gets a plain layer-owned object again.
    HWND UnsubclassWindow();
    BOOL Attach(HWND hWndNew) { return SubclassWindow(hWndNew); }
    HWND Detach() { return UnsubclassWindow(); }

    // ----- Handles and Qt ---------------------------------------------------------------

    // The object bound to a window; null for null, unknown or destroyed handles.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    operator HWND() const { return m_hWnd; }

    // The widget of the window (null without a window), and the object of a widget made by
    // this layer (also for a widget inside a window's widget that SetInputWidget names).
    QWidget* GetWidget() const;
    static CWnd* FromWidget(const QWidget* widget);
    // Makes a window of an existing widget (made by a window class's factory, or by a
    // control class that builds its own widget), as Create does from CREATESTRUCT onwards;
    // the widget is reparented into the parent's widget and owned by the window.
    BOOL CreateFromWidget(QWidget* widget, DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // Key and mouse events of `inner` (a widget inside this window's widget, such as a combo
    // box's line edit) become this window's messages, in this window's coordinates.
    void AddInputWidget(QWidget* inner);
    // What the window shows, rendered now (the surface of a self-painting window, with its
    // child windows drawn over it), for tests and previews.
    QImage RenderToImage();

    // ----- Family -----------------------------------------------------------------------

    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    // The direct child with the id; null when there is none.
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    // The nearest enclosing window that is a frame (IsFrameWnd), or null.
    CFrameWnd* GetParentFrame() const;
    // The outermost frame (the main frame), or null.
    CFrameWnd* GetTopLevelFrame() const;
    // The outermost window above this one (this window when it is not a child).
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const { return GetTopLevelParent(); }
    // GW_CHILD, GW_HWNDFIRST/LAST/NEXT/PREV (siblings in creation order), GW_OWNER.
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
    BOOL IsChild(const CWnd* pWnd) const;
    // Virtuals are defined in the platform, never inline: a library built with hidden symbols
    // would otherwise hold a copy of its own beside every other library's.
    virtual BOOL IsFrameWnd() const;
    // Frames return themselves.
    virtual CFrameWnd* ToFrameWnd();

    // ----- Geometry ---------------------------------------------------------------------

    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetClientRect(LPRECT lpRect) const;
    // In screen coordinates.
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void BringWindowToTop();
    // The child window at a client point (this window when no child is there).
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);

    // ----- State ------------------------------------------------------------------------

    // TRUE when the window was visible before.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    // TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // TRUE when the style changed. SWP_* flags in nFlags also reposition (redraw).
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Text (through WM_SETTEXT / WM_GETTEXT, so controls show it).
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    // Fonts (WM_SETFONT / WM_GETFONT). The font object must outlive its use by the window.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // ----- Painting ---------------------------------------------------------------------

    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    // Paints what is invalid now (WM_ERASEBKGND, WM_PAINT) instead of at the next event loop.
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    // A CClientDC made with new; give it back to ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // ----- Focus, capture, activation ---------------------------------------------------

    // Activates the top-level window when needed. Returns the window that had the focus.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    // Mouse messages go to this window until ReleaseCapture. Returns the previous capture.
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();

    // ----- Timers -----------------------------------------------------------------------

    // WM_TIMER(nIDEvent) every nElapse ms, or calls lpfnTimer; the same id restarts the timer.
    // Returns nIDEvent, 0 without a window.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ----- Scrolling (ranges and positions kept for the window's code; no bars drawn) ----

    BOOL SetScrollInfo(int nBar, LPCSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    int GetScrollLimit(int nBar) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    // Moves the surface's pixels and invalidates what was uncovered.
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // ----- Messages ---------------------------------------------------------------------

    // Routes through the map; DefWindowProc when no entry takes the message.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Control notifications are first offered to the control (ON_CONTROL_REFLECT).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // WM_NOTIFY: first to the control (ON_NOTIFY_REFLECT), then ON_NOTIFY entries.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window class's and the layer's default handling (see the top of this file).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The default handling of the message being handled now.
    LRESULT Default();
    // TRUE when the message needs no dispatch (see the top of this file).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A message a child sent its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM,
    // WM_MEASUREITEM, WM_HSCROLL/VSCROLL), offered back to the child; TRUE when it took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Looks the message up among the reflected entries of this window's map.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the parent's current message to the child `hWndChild`.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // The message being handled by the object now (MFC's GetCurrentMessage).
    static const MSG* GetCurrentMessage();
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Dialog items of this window.
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    // The item's number; *lpTrans (when given) FALSE when the text is no number.
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    // Checks nIDCheckButton and clears the other buttons of nIDFirst..nIDLast.
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);

    // Data exchange with the window's controls (Dialog.h has CDataExchange and DDX_...).
    // FALSE when a value failed validation; the failing control then has the focus.
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // A message box owned by this window (MessageBox.h); IDOK, IDYES...
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = 0);
    // No menu bar belongs to a plain window: null.
    virtual CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() {}
    CMenu* GetSystemMenu(BOOL bRevert) const;
    // Icons are accepted and not shown.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // The clipboard, for the Win32 clipboard functions (Clipboard.h).
    BOOL OpenClipboard();

    // ----- Modal loops ------------------------------------------------------------------

    // Runs a nested event loop (posted messages and timers keep arriving) until
    // EndModalLoop; returns its result.
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // ----- Default message handlers (each passes its message to the default handling) ---

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnEnable(BOOL bEnable);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnMouseLeave();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnCaptureChanged(CWnd* pWnd);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    UINT OnGetDlgCode();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnSysColorChange();
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // The base versions of these offer the message to the control first (reflection).
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);

protected:
    // Makes the widget for CreateEx (the window class's factory by default). `parent` is
    // the parent's widget, or null for a top-level window.
    virtual QWidget* CreateWidget(CREATESTRUCT& cs, QWidget* parent);
    // Every Qt event of the widget, before the layer turns it into messages; TRUE consumes
    // it. For control classes that need a Qt event the messages do not carry.
    virtual BOOL OnQtEvent(QEvent* event);
    // Makes the next RunModalLoop run (again) until EndModalLoop.
    void ResetModalState()
    {
        m_bModalLoop = true;
        m_nModalResult = -1;
    }

    DECLARE_MESSAGE_MAP()

    // The result EndModalLoop gave.
    int m_nModalResult = -1;

private:
    friend class CWndBridge;
    friend struct WndAccess;
    CWndBridge* m_pBridge = nullptr;
    bool m_bLayerOwned = false; // the plain object the layer made for a window; deleted with it
    bool m_bModalLoop = false;
    void* m_pModalLoop = nullptr;
};

// A scroll bar control: what OnHScroll/OnVScroll hand over (cast it to the control class
// that sent the message, e.g. CSliderCtrl).
class PLATFORM_API CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;
};

// ---------------------------------------------------------------------------------------
// Window classes
// ---------------------------------------------------------------------------------------

// Makes the Qt widget of a window of the class (as a child of `parent`, or top-level when it
// is null) and wires its signals to notifications. The window's handle exists already: slots
// must reach the window through `hWnd` (never through a CWnd pointer, since another object
// may be bound to the window later), e.g. AfxNotifyParent(hWnd, BN_CLICKED).
using AFX_CONTROL_FACTORY = std::function<QWidget*(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)>;
// The class's default handling of a message: TRUE when it took it (its result in *pResult).
// Messages it leaves go to the layer's own default handling (text, fonts, input events).
using AFX_CONTROL_PROC =
    std::function<BOOL(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)>;
// Registers (or replaces) a window class by name, case-insensitively. Call at start-up, e.g.
// from a static object's constructor in the control's source file.
PLATFORM_API void AfxRegisterControlClass(LPCTSTR lpszClassName, AFX_CONTROL_FACTORY factory,
                                          AFX_CONTROL_PROC proc);
// Registers a plain window class with a class style, cursor and background brush (erased
// with by WM_ERASEBKGND's default); returns its name, valid for the process's life.
PLATFORM_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                         HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// Sends WM_COMMAND(MAKEWPARAM(id, nCode), hWndCtrl) to the control's parent; 0 when it has
// none.
PLATFORM_API LRESULT AfxNotifyParent(HWND hWndCtrl, UINT nCode);
// Fills the header's hwndFrom, idFrom and code and sends WM_NOTIFY to the control's parent.
PLATFORM_API LRESULT AfxNotifyParent(HWND hWndCtrl, UINT nCode, NMHDR* pHeader);

// The application's main window as a window (null when it has none or it is no window);
// AfxGetMainWnd() gives it as the message target it is to the core.
PLATFORM_API CWnd* AfxGetMainCWnd();

// ---------------------------------------------------------------------------------------
// The Win32 functions of the same names, on handles
// ---------------------------------------------------------------------------------------

PLATFORM_API HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
PLATFORM_API int GetDlgCtrlID(HWND hWnd);
PLATFORM_API HWND GetParent(HWND hWnd);
PLATFORM_API HWND SetFocus(HWND hWnd);
PLATFORM_API HWND GetFocus();
PLATFORM_API HWND SetCapture(HWND hWnd);
PLATFORM_API HWND GetCapture();
// Ends the capture (WM_CAPTURECHANGED to the window that had it).
PLATFORM_API BOOL ReleaseCapture();
PLATFORM_API HWND GetActiveWindow();
PLATFORM_API HWND GetForegroundWindow();
PLATFORM_API BOOL SetForegroundWindow(HWND hWnd);
PLATFORM_API HWND GetDesktopWindow();
PLATFORM_API HWND WindowFromPoint(POINT point);
PLATFORM_API BOOL IsWindowVisible(HWND hWnd);
PLATFORM_API BOOL IsWindowEnabled(HWND hWnd);
PLATFORM_API BOOL EnableWindow(HWND hWnd, BOOL bEnable);
PLATFORM_API BOOL ShowWindow(HWND hWnd, int nCmdShow);
PLATFORM_API BOOL DestroyWindow(HWND hWnd);
PLATFORM_API BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
PLATFORM_API BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
PLATFORM_API BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
PLATFORM_API BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
PLATFORM_API BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
PLATFORM_API BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
PLATFORM_API int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
PLATFORM_API BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase);
PLATFORM_API BOOL UpdateWindow(HWND hWnd);
PLATFORM_API BOOL SetWindowText(HWND hWnd, LPCSTR lpString);
PLATFORM_API int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount);
PLATFORM_API int GetWindowTextLength(HWND hWnd);
PLATFORM_API LONG GetWindowLong(HWND hWnd, int nIndex);
PLATFORM_API LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
PLATFORM_API LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
PLATFORM_API LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
PLATFORM_API BOOL IsChild(HWND hWndParent, HWND hWnd);
PLATFORM_API HWND GetWindow(HWND hWnd, UINT uCmd);
PLATFORM_API LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT message, WPARAM wParam,
                                        LPARAM lParam);
PLATFORM_API UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
PLATFORM_API BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
PLATFORM_API BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
#define _TrackMouseEvent TrackMouseEvent
// Key state as of the input being handled: the high bit (a negative value) while the key is
// down; the low bit toggled for VK_CAPITAL / VK_NUMLOCK. Mouse buttons VK_LBUTTON... too.
PLATFORM_API SHORT GetKeyState(int nVirtKey);
PLATFORM_API SHORT GetAsyncKeyState(int vKey);
// In screen coordinates.
PLATFORM_API BOOL GetCursorPos(LPPOINT lpPoint);
PLATFORM_API BOOL SetCursorPos(int x, int y);
PLATFORM_API int GetSystemMetrics(int nIndex);
PLATFORM_API UINT GetDoubleClickTime();
PLATFORM_API BOOL MessageBeep(UINT uType);
// The character messages of a key message are generated by the layer; TranslateMessage
// called from PreTranslateMessage on a key message that it then swallows (returns TRUE)
// keeps the character messages coming.
PLATFORM_API BOOL TranslateMessage(const MSG* lpMsg);
// Sends a message to its window's WindowProc (the input message being handled, when it is
// that one, with its default acting on the Qt event).
PLATFORM_API LRESULT DispatchMessage(const MSG* lpMsg);
// Dialog keys for a dialog window: Enter (the focused push button or the default button),
// Escape (IDCANCEL), Tab / Shift+Tab (next / previous tab stop). TRUE when taken.
PLATFORM_API BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
// Lets the event loop run everything that is waiting (posted messages, timers, paints),
// then reports that no message is left, so that "while (PeekMessage(...))" loops end.
#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u
#define PM_NOYIELD 0x0002u
PLATFORM_API BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                              UINT wRemoveMsg);
#define PeekMessageA PeekMessage
#define SetWindowTextA SetWindowText
#define GetWindowTextA GetWindowText

// Qt key code <-> Windows virtual-key code (0 when there is none).
PLATFORM_API UINT VirtualKeyFromQtKey(int qtKey, unsigned int qtModifiers);
PLATFORM_API int QtKeyFromVirtualKey(UINT nVirtKey);
