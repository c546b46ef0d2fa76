// The default handling of window messages (DefWindowProc and the base On... handlers), the
// registry of window classes, and the Win32 functions that work on window handles.
#include "platform/core/SysColor.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Monitor.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/WndPrivate.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>

#include <cctype>
#include <cstring>
#include <list>
#include <map>
#include <memory>
#include <string>

namespace
{
struct ClassRegistry
{
    std::map<std::string, std::shared_ptr<WndClassInfo>> registered;
    std::map<std::string, std::shared_ptr<WndClassInfo>> builtin;
    std::list<std::string> names; // AfxRegisterWndClass's results, alive for the process
};

ClassRegistry& Registry()
{
    static ClassRegistry* registry = new ClassRegistry;
    return *registry;
}

std::string ClassKey(const char* name)
{
    std::string key(name ? name : "");
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

int CopyText(const CString& text, LPTSTR buffer, int nMax)
{
    if (!buffer || nMax <= 0)
        return 0;
    const int n = text.GetLength() < nMax - 1 ? text.GetLength() : nMax - 1;
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

void DeliverToWidget(QWidget* w, QEvent* e)
{
    if (w && e)
        static_cast<QObject*>(w)->event(e);
}

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYDOWN && message <= WM_SYSCHAR;
}
} // namespace

void AfxRegisterControlClass(LPCTSTR lpszClassName, AFX_CONTROL_FACTORY factory, AFX_CONTROL_PROC proc)
{
    if (!lpszClassName || !*lpszClassName)
        return;
    auto info = std::make_shared<WndClassInfo>();
    info->name = lpszClassName;
    info->factory = std::move(factory);
    info->proc = std::move(proc);
    Registry().registered[ClassKey(lpszClassName)] = info;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    CString name;
    name.Format("Afx:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    ClassRegistry& r = Registry();
    const std::string key = ClassKey(name);
    auto it = r.registered.find(key);
    if (it == r.registered.end())
    {
        auto info = std::make_shared<WndClassInfo>();
        info->name = name;
        info->classStyle = nClassStyle;
        info->background = hbrBackground;
        it = r.registered.emplace(key, info).first;
        r.names.emplace_back(name.GetString());
        return r.names.back().c_str();
    }
    for (const std::string& n : r.names)
        if (ClassKey(n.c_str()) == key)
            return n.c_str();
    return nullptr;
}

std::shared_ptr<WndClassInfo> FindWndClass(const char* name)
{
    if (!name || !*name)
        return nullptr;
    RegisterStandardClasses();
    ClassRegistry& r = Registry();
    const std::string key = ClassKey(name);
    if (auto it = r.registered.find(key); it != r.registered.end())
        return it->second;
    if (auto it = r.builtin.find(key); it != r.builtin.end())
        return it->second;
    return nullptr;
}

void AddBuiltinClass(const char* name, AFX_CONTROL_FACTORY factory, AFX_CONTROL_PROC proc, bool layerPainted)
{
    auto info = std::make_shared<WndClassInfo>();
    info->name = name;
    info->layerPainted = layerPainted;
    info->factory = std::move(factory);
    info->proc = std::move(proc);
    Registry().builtin[ClassKey(name)] = info;
}

// ---------------------------------------------------------------------------------------
// DefWindowProc
// ---------------------------------------------------------------------------------------

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWndBridge* b = m_pBridge;
    if (!b)
        return 0;
    const HWND self = m_hWnd;
    QPointer<CWndBridge> guard(b);
    if (b->cls && b->cls->proc)
    {
        LRESULT r = 0;
        if (b->cls->proc(this, message, wParam, lParam, &r))
            return r;
        if (!guard || guard->wnd != this)
            return r;
    }
    QWidget* w = b->widget;
    const bool native = b->cls && b->cls->factory;
    const bool nativePaint = native && !b->cls->layerPainted;

    if (IsInputMessage(message))
    {
        WndInput* in = PendingInput(self);
        if (in && in->event && !in->delivered && in->defaultMsg == message && in->defaultW == wParam)
        {
            in->delivered = true;
            DeliverToWidget(in->receiver, in->event);
        }
        else if (native && w)
        {
            std::unique_ptr<QEvent> e(SynthesizeInputEvent(w, message, wParam, lParam));
            if (e)
                DeliverToWidget(IsKeyMessage(message) && w->focusProxy() ? w->focusProxy() : w, e.get());
        }
        if (!guard || guard->wnd != this)
            return 0;
        if (message == WM_RBUTTONUP)
        {
            // The context menu follows the release of the right button.
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(&pt);
            SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self),
                        MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
        }
        else if ((message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) && !native && (b->style & WS_CHILD))
        {
            // A window that does not scroll passes the wheel on to its parent.
            if (CWnd* parent = GetParent())
                return parent->SendMessage(message, wParam, lParam);
        }
        return 0;
    }

    switch (message)
    {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        WndInput* in = PendingInput(self);
        if (in && in->event && !in->delivered && in->defaultMsg == message)
        {
            in->delivered = true;
            DeliverToWidget(in->receiver, in->event);
        }
        return 0;
    }
    case WM_PAINT: {
        WndInput* in = PendingInput(self);
        if (nativePaint && b->inQtPaint && in && in->event && !in->delivered && in->defaultMsg == WM_PAINT)
        {
            in->delivered = true;
            b->paintedNatively = true;
            DeliverToWidget(in->receiver, in->event);
            return 0;
        }
        if (nativePaint && !b->inQtPaint)
        {
            if (w)
                w->update();
            return 0;
        }
        CPaintDC dc(this);
        return 0;
    }
    case WM_ERASEBKGND: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!pDC)
            return 0;
        const HBRUSH brush =
            b->cls && b->cls->background ? b->cls->background : GetSysColorBrush(COLOR_WINDOW);
        CRect rc;
        GetClientRect(&rc);
        pDC->FillRect(&rc, CBrush::FromHandle(brush));
        return 1;
    }
    case WM_SETTEXT: {
        b->text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : "";
        if (w && w->isWindow())
            w->setWindowTitle(b->text.ToQString());
        // A document window's caption is its sub-window's, in the area's title bar or tab.
        else if (auto* sub = qobject_cast<QMdiSubWindow*>(w ? w->parentWidget() : nullptr))
            sub->setWindowTitle(b->text.ToQString());
        return TRUE;
    }
    case WM_GETTEXT:
        return CopyText(b->text, reinterpret_cast<LPTSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return b->text.GetLength();
    case WM_SETFONT: {
        b->font = reinterpret_cast<HFONT>(wParam);
        if (w)
        {
            if (CFont* font = b->font ? CFont::FromHandle(b->font) : nullptr)
                w->setFont(font->ToQFont());
            else
                w->setFont(QFont());
            if (lParam)
                w->update();
        }
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(b->font);
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0)
        {
        case SC_CLOSE:
            SendMessage(WM_CLOSE);
            break;
        case SC_MINIMIZE:
            ShowWindow(SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        const int background =
            (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) ? COLOR_WINDOW : COLOR_3DFACE;
        if (CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam)))
        {
            pDC->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            pDC->SetBkColor(GetSysColor(background));
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
    }
    case WM_CONTEXTMENU:
        if (b->style & WS_CHILD)
            if (CWnd* parent = GetParent())
                return parent->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        // A child lets its parents answer first; the first answer given up the line stands.
        if (b->style & WS_CHILD)
            if (CWnd* parent = GetParent())
                if (const LRESULT answer = parent->SendMessage(WM_MOUSEACTIVATE, wParam, lParam))
                    return answer;
        return MA_ACTIVATE;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------
// Default handlers
// ---------------------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnMove(int, int)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}

void CWnd::OnEnable(BOOL)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnMButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnMouseLeave()
{
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSysChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}

int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnSysColorChange()
{
    Default();
}

void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    // The "scroll bar" is whatever control sent the message (a slider, a spin button).
    auto* control = reinterpret_cast<CWnd*>(pScrollBar);
    if (control && control->SendChildNotifyLastMsg())
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    // The "scroll bar" is whatever control sent the message (a slider, a spin button).
    auto* control = reinterpret_cast<CWnd*>(pScrollBar);
    if (control && control->SendChildNotifyLastMsg())
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd && pWnd != this && pWnd->SendChildNotifyLastMsg(&result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU &&
        ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU)
        if (CWnd* child = GetDlgItem(nIDCtl); child && child->SendChildNotifyLastMsg())
            return;
    Default();
}

// ---------------------------------------------------------------------------------------
// Helpers for window classes
// ---------------------------------------------------------------------------------------

LRESULT AfxNotifyParent(HWND hWndCtrl, UINT nCode)
{
    CWnd* ctrl = CWnd::FromHandle(hWndCtrl);
    CWnd* parent = ctrl ? ctrl->GetParent() : nullptr;
    if (!parent)
        return 0;
    return parent->SendMessage(WM_COMMAND,
                               MAKEWPARAM(static_cast<WORD>(ctrl->GetDlgCtrlID()), static_cast<WORD>(nCode)),
                               reinterpret_cast<LPARAM>(hWndCtrl));
}

LRESULT AfxNotifyParent(HWND hWndCtrl, UINT nCode, NMHDR* pHeader)
{
    CWnd* ctrl = CWnd::FromHandle(hWndCtrl);
    CWnd* parent = ctrl ? ctrl->GetParent() : nullptr;
    if (!parent || !pHeader)
        return 0;
    pHeader->hwndFrom = hWndCtrl;
    pHeader->idFrom = static_cast<UINT_PTR>(ctrl->GetDlgCtrlID());
    pHeader->code = nCode;
    return parent->SendMessage(WM_NOTIFY, pHeader->idFrom, reinterpret_cast<LPARAM>(pHeader));
}

CWnd* AfxGetMainCWnd()
{
    return dynamic_cast<CWnd*>(AfxGetMainWnd());
}

// ---------------------------------------------------------------------------------------
// Win32 functions on handles
// ---------------------------------------------------------------------------------------

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    CWnd* dlg = CWnd::FromHandle(hDlg);
    CWnd* item = dlg ? dlg->GetDlgItem(nIDDlgItem) : nullptr;
    return item ? item->GetSafeHwnd() : nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->GetDlgCtrlID() : 0;
}

HWND GetParent(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* p = w ? w->GetParent() : nullptr;
    return p ? p->GetSafeHwnd() : nullptr;
}

HWND SetFocus(HWND hWnd)
{
    CWnd* old = CWnd::GetFocus();
    if (CWnd* w = CWnd::FromHandle(hWnd))
        w->SetFocus();
    return old ? old->GetSafeHwnd() : nullptr;
}

HWND GetFocus()
{
    CWnd* w = CWnd::GetFocus();
    return w ? w->GetSafeHwnd() : nullptr;
}

HWND SetCapture(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* old = w ? w->SetCapture() : CWnd::GetCapture();
    return old ? old->GetSafeHwnd() : nullptr;
}

HWND GetCapture()
{
    CWnd* w = CWnd::GetCapture();
    return w ? w->GetSafeHwnd() : nullptr;
}

HWND GetActiveWindow()
{
    CWnd* w = CWnd::GetActiveWindow();
    return w ? w->GetSafeHwnd() : nullptr;
}

HWND GetForegroundWindow()
{
    return GetActiveWindow();
}

BOOL SetForegroundWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->SetForegroundWindow() : FALSE;
}

HWND GetDesktopWindow()
{
    return nullptr;
}

HWND WindowFromPoint(POINT point)
{
    CWnd* w = CWnd::WindowFromPoint(point);
    return w ? w->GetSafeHwnd() : nullptr;
}

BOOL IsWindowVisible(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->IsWindowVisible() : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->IsWindowEnabled() : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->EnableWindow(bEnable) : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->ShowWindow(nCmdShow) : FALSE;
}

BOOL DestroyWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->DestroyWindow() : FALSE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->MoveWindow(x, y, nWidth, nHeight, bRepaint);
    return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    const CWnd* after = nullptr;
    if (hWndInsertAfter == HWND_TOP)
        after = &CWnd::wndTop;
    else if (hWndInsertAfter == HWND_BOTTOM)
        after = &CWnd::wndBottom;
    else if (hWndInsertAfter == HWND_TOPMOST)
        after = &CWnd::wndTopMost;
    else if (hWndInsertAfter == HWND_NOTOPMOST)
        after = &CWnd::wndNoTopMost;
    else
        after = CWnd::FromHandle(hWndInsertAfter);
    return w->SetWindowPos(after, x, y, cx, cy, uFlags);
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w || !lpRect)
        return FALSE;
    w->GetClientRect(lpRect);
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w || !lpRect)
        return FALSE;
    w->GetWindowRect(lpRect);
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    w->ClientToScreen(lpPoint);
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    w->ScreenToClient(lpPoint);
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    CWnd* from = CWnd::FromHandle(hWndFrom);
    CWnd* to = CWnd::FromHandle(hWndTo);
    POINT origin{0, 0};
    if (from)
        from->ClientToScreen(&origin);
    POINT target{0, 0};
    if (to)
        to->ClientToScreen(&target);
    const int dx = origin.x - target.x;
    const int dy = origin.y - target.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i)
    {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->InvalidateRect(lpRect, bErase);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->UpdateWindow();
    return TRUE;
}

BOOL SetWindowText(HWND hWnd, LPCSTR lpString)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
        return FALSE;
    w->SetWindowText(lpString);
    return TRUE;
}

int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w)
    {
        if (lpString && nMaxCount > 0)
            lpString[0] = '\0';
        return 0;
    }
    return w->GetWindowText(lpString, nMaxCount);
}

int GetWindowTextLength(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->GetWindowTextLength() : 0;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!w || !b)
        return 0;
    switch (nIndex)
    {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->GetStyle()));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->GetExStyle()));
    case GWL_ID:
        return w->GetDlgCtrlID();
    case GWL_USERDATA:
        return b->userData;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!w || !b)
        return 0;
    const LONG_PTR old = GetWindowLongPtr(hWnd, nIndex);
    switch (nIndex)
    {
    case GWL_STYLE: {
        const DWORD now = static_cast<DWORD>(dwNewLong);
        const DWORD was = w->GetStyle();
        CWnd::ModifyStyle(hWnd, was & ~now, now & ~was, 0);
        break;
    }
    case GWL_EXSTYLE: {
        const DWORD now = static_cast<DWORD>(dwNewLong);
        const DWORD was = w->GetExStyle();
        CWnd::ModifyStyleEx(hWnd, was & ~now, now & ~was, 0);
        break;
    }
    case GWL_ID:
        w->SetDlgCtrlID(static_cast<int>(dwNewLong));
        break;
    case GWL_USERDATA:
        b->userData = dwNewLong;
        break;
    default:
        return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hWnd, int nIndex)
{
    return static_cast<LONG>(GetWindowLongPtr(hWnd, nIndex));
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    return static_cast<LONG>(SetWindowLongPtr(hWnd, nIndex, dwNewLong));
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    CWnd* p = CWnd::FromHandle(hWndParent);
    return p ? p->IsChild(CWnd::FromHandle(hWnd)) : FALSE;
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    CWnd* r = w ? w->GetWindow(uCmd) : nullptr;
    return r ? r->GetSafeHwnd() : nullptr;
}

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* dlg = CWnd::FromHandle(hDlg);
    return dlg ? dlg->SendDlgItemMessage(nIDDlgItem, message, wParam, lParam) : 0;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->SetTimer(nIDEvent, uElapse, lpTimerFunc) : 0;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->KillTimer(uIDEvent) : FALSE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (!lpEventTrack)
        return FALSE;
    CWndBridge* b = CWndBridge::FromHandle(lpEventTrack->hwndTrack);
    if (!b)
        return FALSE;
    if (lpEventTrack->dwFlags & TME_QUERY)
    {
        lpEventTrack->dwFlags = b->trackLeave ? TME_LEAVE : 0;
        return TRUE;
    }
    if (!(lpEventTrack->dwFlags & TME_LEAVE))
        return TRUE;
    if (lpEventTrack->dwFlags & TME_CANCEL)
    {
        b->trackLeave = false;
        return TRUE;
    }
    // WM_MOUSELEAVE comes once, when the mouse next leaves the widget.
    b->trackLeave = true;
    return TRUE;
}

int GetSystemMetrics(int nIndex)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect geometry = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QRect available = screen ? screen->availableGeometry() : geometry;
    // The primary monitor as the monitor functions give it (a test's list stands in for it).
    MONITORINFO primary{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary))
    {
        const auto toQRect = [](const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); };
        geometry = toQRect(primary.rcMonitor);
        available = toQRect(primary.rcWork);
    }
    QStyle* style =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    const int scrollExtent = style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 17;
    switch (nIndex)
    {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return geometry.width();
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return geometry.height();
    case SM_XVIRTUALSCREEN:
        return geometry.x();
    case SM_YVIRTUALSCREEN:
        return geometry.y();
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
        return available.width();
    case SM_CYFULLSCREEN:
    case SM_CYMAXIMIZED:
        return available.height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return scrollExtent;
    case SM_CYCAPTION:
    case SM_CYMENU:
    case SM_CYSIZE:
    case SM_CXSIZE:
        return 20;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return QApplication::startDragDistance();
    case SM_CMONITORS:
        return static_cast<int>(QGuiApplication::screens().size());
    default:
        return 0;
    }
}
