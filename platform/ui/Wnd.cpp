#include "platform/ui/Wnd.h"

#include "platform/core/Exception.h"
#include "platform/core/SysColor.h"
#include "platform/core/WinApp.h"
#include "platform/core/WinThread.h"
#include "platform/ui/Colour.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/WndPrivate.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

namespace
{
QHash<const QWidget*, CWndBridge*>& Bridges()
{
    static QHash<const QWidget*, CWndBridge*> bridges;
    return bridges;
}

HWND g_capture = nullptr;
// The window last told WM_SETFOCUS and not yet WM_KILLFOCUS, and the window last told
// WM_KILLFOCUS while no window of the layer took the focus (the application went inactive).
HWND g_focusWnd = nullptr;
HWND g_lastFocusLost = nullptr;

struct DepthScope
{
    DepthScope() { ++WndEventDepth(); }
    ~DepthScope() { --WndEventDepth(); }
};

struct MessageScope
{
    MessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        WndMessagesInFlight().push_back(MSG{hwnd, message, wParam, lParam, 0, POINT{0, 0}});
    }
    ~MessageScope() { WndMessagesInFlight().pop_back(); }
};

CWndBridge* BridgeOf(const CWnd* pWnd)
{
    return pWnd ? CWndBridge::FromHandle(pWnd->GetSafeHwnd()) : nullptr;
}

bool IsChildStyle(DWORD style)
{
    return (style & WS_CHILD) != 0;
}

} // namespace

// ---------------------------------------------------------------------------------------
// CWndBridge
// ---------------------------------------------------------------------------------------

CWndBridge::CWndBridge()
{
    scroll[0].cbSize = scroll[1].cbSize = sizeof(SCROLLINFO);
}

CWndBridge::~CWndBridge()
{
    // The widget went without DestroyWindow (its Qt parent was deleted): let the object go.
    if (CWnd* o = wnd)
    {
        wnd = nullptr;
        o->m_pBridge = nullptr;
        o->m_hWnd = nullptr;
        if (o->m_bLayerOwned)
            delete o;
    }
    auto& bridges = Bridges();
    for (auto it = bridges.begin(); it != bridges.end();)
    {
        if (it.value() == this)
            it = bridges.erase(it);
        else
            ++it;
    }
    if (g_capture == m_hWnd)
        g_capture = nullptr;
    if (g_focusWnd == m_hWnd)
        g_focusWnd = nullptr;
    if (g_lastFocusLost == m_hWnd)
        g_lastFocusLost = nullptr;
}

CWndBridge* CWndBridge::FromHandle(HWND hWnd)
{
    return dynamic_cast<CWndBridge*>(CCmdTarget::FromHandle(hWnd));
}

CWndBridge* CWndBridge::FromWidget(const QWidget* widget)
{
    return widget ? Bridges().value(widget, nullptr) : nullptr;
}

CWndBridge* CWndBridge::Enclosing(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (CWndBridge* b = FromWidget(w))
            return b;
    return nullptr;
}

void CWndBridge::AttachWidget(QWidget* w)
{
    widget = w;
    setParent(w);
    w->installEventFilter(this);
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    Bridges().insert(w, this);
    InstallInnerInputRouter();
}

void CWndBridge::AddInputWidget(QWidget* inner)
{
    if (!inner || inner == widget || Bridges().contains(inner))
        return;
    inputWidgets.emplace_back(inner);
    inner->installEventFilter(this);
    inner->setMouseTracking(true);
    Bridges().insert(inner, this);
}

LRESULT CWndBridge::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return wnd ? wnd->WindowProc(message, wParam, lParam) : 0;
}

bool CWndBridge::SelfPainting() const
{
    if (!cls || !cls->factory || cls->layerPainted)
        return true;
    return wnd && wnd->FindMessageEntry(WM_PAINT) != nullptr;
}

QRect CWndBridge::ClientRect() const
{
    return widget ? QRect(QPoint(0, 0), widget->size()) : QRect();
}

QImage& CWndBridge::Surface()
{
    const QSize size = widget ? widget->size() : QSize();
    if (surface.size() != size && painters == 0)
    {
        QImage grown(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
        grown.fill(QRgbFromColorRef(GetSysColor(COLOR_WINDOW)));
        if (!surface.isNull())
        {
            QPainter p(&grown);
            p.drawImage(0, 0, surface);
        }
        surface = grown;
    }
    return surface;
}

void CWndBridge::InvalidateAll(bool erase)
{
    invalid = QRegion(ClientRect());
    if (erase)
        erasePending = true;
    if (widget && redraw)
        widget->update();
}

void CWndBridge::timerEvent(QTimerEvent* event)
{
    for (const auto& t : timers)
    {
        if (t.second.qtId != event->timerId())
            continue;
        const UINT_PTR id = t.first;
        const TIMERPROC proc = t.second.proc;
        DepthScope depth;
        if (proc)
            proc(m_hWnd, WM_TIMER, id, 0);
        else if (wnd)
            AfxCallWndProc(wnd, WM_TIMER, id, 0);
        return;
    }
}

bool CWndBridge::eventFilter(QObject* watched, QEvent* event)
{
    if (!wnd || destroying || !watched->isWidgetType())
        return false;
    auto* receiver = static_cast<QWidget*>(watched);
    const bool own = receiver == widget;
    if (!own && FromWidget(receiver) != this)
        return false;
    DepthScope depth;
    QPointer<CWndBridge> self(this);
    if (wnd->OnQtEvent(event))
        return true;
    if (!self || !wnd)
        return true;
    switch (event->type())
    {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return HandleKey(receiver, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return HandleMouse(receiver, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
        return HandleWheel(receiver, static_cast<QWheelEvent*>(event));
    case QEvent::Leave:
        if (own && trackLeave)
        {
            trackLeave = false;
            AfxCallWndProc(wnd, WM_MOUSELEAVE, 0, 0);
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return HandleFocus(receiver, static_cast<QFocusEvent*>(event), event->type() == QEvent::FocusIn);
    case QEvent::Paint:
        return own && HandlePaint(static_cast<QPaintEvent*>(event));
    case QEvent::Resize:
    case QEvent::Move:
        if (own)
            HandleGeometry();
        return false;
    case QEvent::Close:
        if (!own)
            return false;
        // The window goes only through DestroyWindow (WM_CLOSE's default), never by Qt.
        event->ignore();
        AfxCallWndProc(wnd, WM_CLOSE, 0, 0);
        return true;
    case QEvent::ContextMenu:
        // WM_CONTEXTMENU comes from the right-button release, as on Windows.
        return true;
    case QEvent::WindowStateChange:
        if (own && widget->isWindow() && showing == 0)
            HandleStateChange();
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (own && widget->isWindow())
            AfxCallWndProc(wnd, WM_ACTIVATE,
                           event->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0);
        return false;
    default:
        return false;
    }
}

bool CWndBridge::HandleFocus(QWidget* receiver, QFocusEvent* event, bool in)
{
    // A popup menu takes the keyboard for a while; Windows windows keep the focus then.
    if (event->reason() == Qt::PopupFocusReason)
        return false;
    // A widget that is none of this window's own takes the event as Qt delivers it.
    QEvent* deliver = FromWidget(receiver) == this ? event : nullptr;
    if (in)
    {
        // A move between widgets of one window is no change of the window's focus.
        if (g_focusWnd == m_hWnd)
            return false;
        HWND old = g_focusWnd ? g_focusWnd : g_lastFocusLost;
        // Coming back when the application is active again: no window of ours had it meanwhile.
        if (old == m_hWnd)
            old = nullptr;
        g_focusWnd = m_hWnd;
        g_lastFocusLost = nullptr;
        WndInput input{m_hWnd, receiver, deliver, WM_SETFOCUS, reinterpret_cast<WPARAM>(old)};
        WndInputs().push_back(&input);
        AfxCallWndProc(wnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
        WndInputs().pop_back();
        return deliver != nullptr;
    }
    QWidget* focus = QApplication::focusWidget();
    CWndBridge* next = focus ? Enclosing(focus) : nullptr;
    if (next == this)
        return false;
    const HWND hNext = next ? next->m_hWnd : nullptr;
    if (g_focusWnd == m_hWnd)
        g_focusWnd = nullptr;
    g_lastFocusLost = m_hWnd;
    WndInput input{m_hWnd, receiver, deliver, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hNext)};
    WndInputs().push_back(&input);
    AfxCallWndProc(wnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hNext), 0);
    WndInputs().pop_back();
    return deliver != nullptr;
}

void CWndBridge::NoteShowCommand(int nCmdShow)
{
    switch (nCmdShow)
    {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        askedMinimised = true;
        minimisePending = true;
        minimiseAsked.start();
        break;
    case SW_SHOWMAXIMIZED:
        askedMinimised = false;
        askedMaximised = true;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        askedMinimised = false;
        askedMaximised = false;
        break;
    default:
        break; // SW_SHOW and the like keep the state the window is in
    }
}

void CWndBridge::HandleStateChange()
{
    if (!widget || !widget->isMinimized())
        return;
    // A window system acts on a minimise in its own time: under load it may come after the
    // show command that replaced it, and would leave the program's window minimised.
    constexpr qint64 kLateMinimiseMs = 5000;
    const bool stale = minimisePending && !askedMinimised && minimiseAsked.isValid() &&
                       minimiseAsked.elapsed() < kLateMinimiseMs;
    minimisePending = false;
    if (!stale)
        return;
    QPointer<QWidget> w(widget);
    const bool maximised = askedMaximised;
    QMetaObject::invokeMethod(
        this,
        [w, maximised]() {
            if (!w || !w->isMinimized())
                return;
            if (maximised)
                w->showMaximized();
            else
                w->showNormal();
        },
        Qt::QueuedConnection);
}

bool CWndBridge::HandlePaint(QPaintEvent* event)
{
    if (!SelfPainting())
        return false;
    QPointer<CWndBridge> self(this);
    Surface();
    if (!surfaceValid || erasePending || !invalid.isEmpty())
    {
        if (!surfaceValid)
            invalid = QRegion(ClientRect());
        surfaceValid = true;
        inQtPaint = true;
        paintedNatively = false;
        WndInput input{m_hWnd, widget, event, WM_PAINT, 0};
        WndInputs().push_back(&input);
        AfxCallWndProc(wnd, WM_PAINT, 0, 0);
        WndInputs().pop_back();
        if (!self)
            return true;
        inQtPaint = false;
        // A window that drew nothing leaves nothing invalid behind: Qt asks again when needed.
        invalid = QRegion();
        erasePending = false;
        if (paintedNatively)
            return true;
    }
    if (!widget)
        return true;
    QPainter p(widget);
    p.setClipRegion(event->region());
    p.drawImage(0, 0, surface);
    return true;
}

void CWndBridge::HandleGeometry()
{
    if (!widget || !wnd)
        return;
    const QSize size = widget->size();
    QPointer<CWndBridge> self(this);
    if (size != lastSize)
    {
        lastSize = size;
        if (SelfPainting())
        {
            Surface();
            InvalidateAll(true);
        }
        const WPARAM type = widget->isMinimized()   ? SIZE_MINIMIZED
                            : widget->isMaximized() ? SIZE_MAXIMIZED
                                                    : SIZE_RESTORED;
        AfxCallWndProc(wnd, WM_SIZE, type,
                       MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
    }
    if (!self || !widget || !wnd)
        return;
    const QPoint pos = widget->isWindow() ? widget->mapToGlobal(QPoint(0, 0)) : widget->pos();
    if (pos != lastPos)
    {
        lastPos = pos;
        AfxCallWndProc(wnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(pos.x()), static_cast<WORD>(pos.y())));
    }
}

void PaintNow(CWndBridge* b)
{
    if (!b || !b->widget || !b->wnd)
        return;
    if (!b->SelfPainting())
    {
        b->widget->repaint();
        return;
    }
    if (b->invalid.isEmpty() && !b->erasePending && b->surfaceValid)
        return;
    b->Surface();
    if (!b->surfaceValid)
        b->invalid = QRegion(b->ClientRect());
    b->surfaceValid = true;
    QPointer<CWndBridge> self(b);
    AfxCallWndProc(b->wnd, WM_PAINT, 0, 0);
    if (!self)
        return;
    b->invalid = QRegion();
    b->erasePending = false;
    if (b->widget)
        b->widget->update();
}

// ---------------------------------------------------------------------------------------
// Destruction
// ---------------------------------------------------------------------------------------

namespace
{
void CollectBridges(QWidget* w, std::vector<QPointer<CWndBridge>>& out)
{
    if (!w)
        return;
    if (CWndBridge* b = Bridges().value(w, nullptr); b && b->widget == w)
        out.emplace_back(b);
    for (QObject* child : w->children())
        if (child->isWidgetType())
            CollectBridges(static_cast<QWidget*>(child), out);
}

void FinishBridge(CWndBridge* b)
{
    for (const auto& t : b->timers)
        b->killTimer(t.second.qtId);
    b->timers.clear();
    if (g_capture == b->m_hWnd)
    {
        g_capture = nullptr;
        if (b->widget)
            b->widget->releaseMouse();
    }
    if (CWnd* o = b->wnd)
    {
        AfxCallWndProc(o, WM_NCDESTROY, 0, 0);
        // A WM_NCDESTROY handler that did not reach CWnd::OnNcDestroy leaves the object bound.
        if (b->wnd == o)
        {
            WndAccess::Unbind(o);
            o->PostNcDestroy();
        }
    }
    b->Unregister();
    if (b->widget)
    {
        b->widget->removeEventFilter(b);
        Bridges().remove(b->widget);
    }
    for (const auto& inner : b->inputWidgets)
        if (inner)
        {
            inner->removeEventFilter(b);
            Bridges().remove(inner);
        }
}
} // namespace

BOOL DestroyBridge(CWndBridge* bridge)
{
    if (!bridge || bridge->destroying)
        return FALSE;
    QPointer<QWidget> widget = bridge->widget;
    std::vector<QPointer<CWndBridge>> tree;
    CollectBridges(widget, tree);
    if (tree.empty() || tree.front() != bridge)
        tree.insert(tree.begin(), QPointer<CWndBridge>(bridge));
    // WM_DESTROY goes to the window first, then to its children.
    for (auto& b : tree)
    {
        if (!b || b->destroying)
            continue;
        b->destroying = true;
        if (b->wnd)
            AfxCallWndProc(b->wnd, WM_DESTROY, 0, 0);
    }
    // WM_NCDESTROY to the children first, the window last.
    for (auto it = tree.rbegin(); it != tree.rend(); ++it)
        if (*it)
            FinishBridge(*it);
    if (widget)
    {
        // Only when nothing of the layer's is running (no Qt event of a window, no message
        // being handled) can no caller still be inside the widget.
        if (WndEventDepth() == 0 && WndMessagesInFlight().empty())
            delete widget.data();
        else
        {
            // Deleting a widget inside one of its own events would pull it from under Qt.
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// CWnd: creation
// ---------------------------------------------------------------------------------------

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_pBridge)
        DestroyWindow();
    // The handle belongs to the window, never to this object: keep CCmdTarget from
    // unregistering it.
    m_pBridge = nullptr;
    m_hWnd = nullptr;
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    reinterpret_cast<LPVOID>(pContext));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CWnd* parent = FromHandle(hWndParent);
    const UINT id = (dwStyle & WS_CHILD) ? static_cast<UINT>(reinterpret_cast<uintptr_t>(nIDorHMenu)) : 0;
    if (x == CW_USEDEFAULT || nWidth == CW_USEDEFAULT)
    {
        const RECT r{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
        return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, r, parent, id, lpParam);
    }
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, CRect(x, y, x + nWidth, y + nHeight),
                    parent, id, lpParam);
}

namespace
{
// Creation shared by CreateEx and CreateFromWidget: `makeWidget` runs once the handle exists.
BOOL FinishCreate(CWnd* self, CREATESTRUCT& cs, const std::function<QWidget*(HWND, QWidget*)>& makeWidget);
} // namespace

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_pBridge)
        return FALSE;
    CREATESTRUCT cs{};
    cs.lpCreateParams = lpParam;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID));
    cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    const bool byDefault = rect.left == CW_USEDEFAULT || rect.right == CW_USEDEFAULT;
    cs.x = byDefault ? CW_USEDEFAULT : rect.left;
    cs.y = byDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    return FinishCreate(this, cs, [this, &cs](HWND, QWidget* parent) { return CreateWidget(cs, parent); });
}

BOOL CWnd::CreateFromWidget(QWidget* widget, DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle,
                            const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_pBridge || !widget)
        return FALSE;
    CREATESTRUCT cs{};
    cs.lpCreateParams = lpParam;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID));
    cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.dwExStyle = dwExStyle;
    return FinishCreate(this, cs, [widget, &cs](HWND, QWidget* parent) {
        // A child lands in its parent below; a top-level keeps the flags FinishCreate gives it.
        if (parent && widget->parentWidget() != parent && !IsChildStyle(static_cast<DWORD>(cs.style)))
            widget->setParent(parent, widget->windowFlags());
        return widget;
    });
}

namespace
{
Qt::WindowFlags TopLevelFlags(DWORD style, DWORD exStyle, bool dialog)
{
    Qt::WindowFlags f = dialog ? Qt::Dialog : Qt::Window;
    if (exStyle & WS_EX_TOOLWINDOW)
        f = Qt::Tool;
    if ((style & WS_POPUP) && !(style & WS_CAPTION))
        f |= Qt::FramelessWindowHint;
    if (exStyle & WS_EX_TOPMOST)
        f |= Qt::WindowStaysOnTopHint;
    if (style & WS_CAPTION)
    {
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (style & WS_SYSMENU)
            f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX)
            f |= Qt::WindowMinimizeButtonHint;
        if (style & WS_MAXIMIZEBOX)
            f |= Qt::WindowMaximizeButtonHint;
    }
    return f;
}

BOOL FinishCreate(CWnd* self, CREATESTRUCT& cs, const std::function<QWidget*(HWND, QWidget*)>& makeWidget)
{
    RegisterStandardClasses();
    const DWORD style = static_cast<DWORD>(cs.style);
    CWnd* parent = CWnd::FromHandle(cs.hwndParent);
    CWndBridge* parentBridge = BridgeOf(parent);
    if (IsChildStyle(style) && (!parentBridge || !parentBridge->widget))
    {
        self->PostNcDestroy();
        return FALSE;
    }
    auto* bridge = new CWndBridge;
    const HWND hWnd = bridge->Register();
    bridge->style = style & ~(WS_VISIBLE | WS_DISABLED);
    bridge->exStyle = cs.dwExStyle;
    bridge->id = IsChildStyle(style) ? static_cast<UINT>(reinterpret_cast<uintptr_t>(cs.hMenu)) : 0;
    bridge->owner = IsChildStyle(style) ? nullptr : cs.hwndParent;
    bridge->cls = FindWndClass(cs.lpszClass);
    // Bound before the widget exists, so that the factory already has the window's handle.
    WndAccess::Bind(self, bridge);

    QWidget* parentWidget = parentBridge ? parentBridge->widget.data() : nullptr;
    if (!IsChildStyle(style) && parentWidget)
        parentWidget = parentWidget->window();
    QWidget* widget = makeWidget(hWnd, parentWidget);
    if (!widget)
    {
        WndAccess::Unbind(self);
        delete bridge;
        self->PostNcDestroy();
        return FALSE;
    }
    if (!IsChildStyle(style))
    {
        const bool dialog = qobject_cast<QDialog*>(widget) != nullptr;
        widget->setWindowFlags(TopLevelFlags(style, cs.dwExStyle, dialog));
    }
    else if (widget->parentWidget() != parentWidget || widget->isWindow())
    {
        // A child window is a child whatever its widget was made as: one made without a
        // parent is a window of its own to Qt and would show loose on the screen.
        widget->setParent(parentWidget, Qt::Widget);
    }
    bridge->AttachWidget(widget);

    // Geometry, before WM_CREATE so that OnCreate sees its size.
    if (cs.x == CW_USEDEFAULT || cs.cx == CW_USEDEFAULT)
    {
        if (IsChildStyle(style))
        {
            if (widget->size().isEmpty())
                widget->resize(640, 480);
        }
        else
        {
            // A window placed by default takes a good part of the screen, as the system gives
            // it, and never less than 640 x 480.
            QRect area(0, 0, 1024, 768);
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                area = screen->availableGeometry();
            widget->resize(std::max(640, area.width() * 3 / 4), std::max(480, area.height() * 3 / 4));
            widget->move(area.left() + area.width() / 8, area.top() + area.height() / 8);
        }
    }
    else
    {
        widget->move(cs.x, cs.y);
        widget->resize(cs.cx > 0 ? cs.cx : 0, cs.cy > 0 ? cs.cy : 0);
    }
    if (style & WS_DISABLED)
        widget->setEnabled(false);
    if (IsChildStyle(style) && !(style & WS_VISIBLE))
        widget->hide();
    if (cs.lpszName)
        self->DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cs.lpszName));

    QPointer<CWndBridge> guard(bridge);
    if (AfxCallWndProc(self, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1)
    {
        // The object may be gone after this (a self-deleting one deletes itself in
        // PostNcDestroy): nothing of it is touched afterwards.
        if (guard)
            DestroyBridge(guard);
        return FALSE;
    }
    if (!guard || !guard->widget || guard->wnd != self)
        return FALSE;
    bridge->HandleGeometry();
    if (!guard || guard->wnd != self)
        return FALSE;
    if (style & WS_VISIBLE)
    {
        if (IsChildStyle(style))
            widget->show();
        else
            self->ShowWindow(SW_SHOW);
    }
    return guard && guard->wnd == self;
}
} // namespace

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

QWidget* CWnd::CreateWidget(CREATESTRUCT& cs, QWidget* parent)
{
    std::shared_ptr<WndClassInfo> cls = FindWndClass(cs.lpszClass);
    if (cls && cls->factory)
        return cls->factory(m_hWnd, cs, parent);
    auto* w = new QWidget(parent);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

BOOL CWnd::OnQtEvent(QEvent*)
{
    return FALSE;
}

BOOL CWnd::DestroyWindow()
{
    return DestroyBridge(m_pBridge);
}

void CWnd::PostNcDestroy()
{
    if (m_bLayerOwned)
        delete this;
}

void CWnd::OnNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
    {
        // The program ends with its main window.
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    if (m_pBridge)
        m_pBridge->wnd = nullptr;
    m_pBridge = nullptr;
    m_hWnd = nullptr;
    PostNcDestroy();
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_pBridge)
        return FALSE;
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!b || b->destroying)
        return FALSE;
    CWnd* old = b->wnd;
    if (old && !old->m_bLayerOwned)
        return FALSE;
    if (old)
    {
        old->m_pBridge = nullptr;
        old->m_hWnd = nullptr;
        delete old;
    }
    b->wnd = this;
    m_pBridge = b;
    m_hWnd = hWnd;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* item = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

void CWnd::PreSubclassWindow() {}

HWND CWnd::UnsubclassWindow()
{
    CWndBridge* b = m_pBridge;
    if (!b)
        return nullptr;
    const HWND h = m_hWnd;
    m_pBridge = nullptr;
    m_hWnd = nullptr;
    auto* plain = new CWnd;
    plain->m_bLayerOwned = true;
    plain->m_pBridge = b;
    plain->m_hWnd = h;
    b->wnd = plain;
    return h;
}

// ---------------------------------------------------------------------------------------
// Handles and Qt
// ---------------------------------------------------------------------------------------

CWnd* CWnd::FromHandle(HWND hWnd)
{
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    return b ? b->wnd : nullptr;
}

QWidget* CWnd::GetWidget() const
{
    return m_pBridge ? m_pBridge->widget.data() : nullptr;
}

CWnd* CWnd::FromWidget(const QWidget* widget)
{
    CWndBridge* b = CWndBridge::FromWidget(widget);
    return b ? b->wnd : nullptr;
}

void CWnd::AddInputWidget(QWidget* inner)
{
    if (m_pBridge)
        m_pBridge->AddInputWidget(inner);
}

QImage CWnd::RenderToImage()
{
    QWidget* w = GetWidget();
    if (!w)
        return QImage();
    if (m_pBridge->SelfPainting())
        PaintNow(m_pBridge);
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------------------
// Family
// ---------------------------------------------------------------------------------------

int CWnd::GetDlgCtrlID() const
{
    return m_pBridge ? static_cast<int>(m_pBridge->id) : 0;
}

int CWnd::SetDlgCtrlID(int nID)
{
    if (!m_pBridge)
        return 0;
    const int old = static_cast<int>(m_pBridge->id);
    m_pBridge->id = static_cast<UINT>(nID);
    return old;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    QWidget* w = GetWidget();
    if (!w)
        return nullptr;
    for (QObject* child : w->children())
    {
        if (!child->isWidgetType())
            continue;
        CWndBridge* b = CWndBridge::FromWidget(static_cast<QWidget*>(child));
        if (b && b->widget == child && !b->destroying && b->id == static_cast<UINT>(nID) &&
            (b->style & WS_CHILD))
            return b->wnd;
    }
    return nullptr;
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    if (phWnd)
    {
        CWnd* item = GetDlgItem(nID);
        *phWnd = item ? item->m_hWnd : nullptr;
    }
}

CWnd* CWnd::GetParent() const
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return nullptr;
    if (!(b->style & WS_CHILD))
        return FromHandle(b->owner);
    CWndBridge* p = CWndBridge::Enclosing(b->widget->parentWidget());
    return p ? p->wnd : nullptr;
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return nullptr;
    CWnd* old = GetParent();
    QWidget* np = pWndNewParent ? pWndNewParent->GetWidget() : nullptr;
    const bool wasShown = !b->widget->isHidden();
    if (b->style & WS_CHILD)
    {
        if (!np)
            return nullptr;
        b->widget->setParent(np);
    }
    else
    {
        b->owner = pWndNewParent ? pWndNewParent->m_hWnd : nullptr;
        b->widget->setParent(np ? np->window() : nullptr, b->widget->windowFlags());
    }
    if (wasShown)
        b->widget->show();
    return old;
}

CWnd* CWnd::GetOwner() const
{
    if (!m_pBridge)
        return nullptr;
    if (m_pBridge->owner)
        return FromHandle(m_pBridge->owner);
    return GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    if (m_pBridge)
        m_pBridge->owner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr;
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

CFrameWnd* CWnd::ToFrameWnd()
{
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w; w = w->GetParent())
        if (w->IsFrameWnd())
            return w->ToFrameWnd();
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* found = nullptr;
    const CWnd* w = this;
    while (w)
    {
        if (w->IsFrameWnd())
            found = const_cast<CWnd*>(w)->ToFrameWnd();
        w = w->GetParent();
    }
    return found;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_pBridge)
        return nullptr;
    CWnd* top = const_cast<CWnd*>(this);
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        top = p;
    return top;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    QWidget* w = GetWidget();
    if (!w)
        return nullptr;
    auto bridgedChildren = [](QWidget* parent) {
        std::vector<CWndBridge*> out;
        if (!parent)
            return out;
        for (QObject* child : parent->children())
            if (child->isWidgetType())
                if (CWndBridge* b = CWndBridge::FromWidget(static_cast<QWidget*>(child));
                    b && b->widget == child && !b->destroying && b->wnd && (b->style & WS_CHILD))
                    out.push_back(b);
        return out;
    };
    switch (nCmd)
    {
    case GW_CHILD: {
        auto kids = bridgedChildren(w);
        return kids.empty() ? nullptr : kids.front()->wnd;
    }
    case GW_OWNER:
        return (m_pBridge->style & WS_CHILD) ? nullptr : FromHandle(m_pBridge->owner);
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
        if (!(m_pBridge->style & WS_CHILD))
            return nullptr;
        auto sibs = bridgedChildren(w->parentWidget());
        if (sibs.empty())
            return nullptr;
        if (nCmd == GW_HWNDFIRST)
            return sibs.front()->wnd;
        if (nCmd == GW_HWNDLAST)
            return sibs.back()->wnd;
        for (size_t i = 0; i < sibs.size(); ++i)
        {
            if (sibs[i] != m_pBridge)
                continue;
            if (nCmd == GW_HWNDNEXT)
                return i + 1 < sibs.size() ? sibs[i + 1]->wnd : nullptr;
            return i > 0 ? sibs[i - 1]->wnd : nullptr;
        }
        return nullptr;
    }
    default:
        return nullptr;
    }
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    QWidget* mine = GetWidget();
    QWidget* theirs = pWnd ? pWnd->GetWidget() : nullptr;
    if (!mine || !theirs || mine == theirs)
        return FALSE;
    for (QWidget* p = theirs; p && !p->isWindow(); p = p->parentWidget())
        if (p->parentWidget() == mine)
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    SetWindowPos(nullptr, x, y, nWidth, nHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return FALSE;
    QWidget* w = b->widget;
    QPointer<CWndBridge> guard(b);
    if (!(nFlags & SWP_NOMOVE))
        w->move(x, y);
    if (!(nFlags & SWP_NOSIZE))
        w->resize(cx > 0 ? cx : 0, cy > 0 ? cy : 0);
    if (!(nFlags & SWP_NOZORDER) && pWndInsertAfter)
    {
        if (pWndInsertAfter == &wndTop || pWndInsertAfter == &wndTopMost)
            w->raise();
        else if (pWndInsertAfter == &wndBottom)
            w->lower();
        else if (QWidget* after = pWndInsertAfter->GetWidget();
                 after && after->parentWidget() == w->parentWidget())
            w->stackUnder(after);
        if (pWndInsertAfter == &wndTopMost || pWndInsertAfter == &wndNoTopMost)
        {
            b->exStyle =
                pWndInsertAfter == &wndTopMost ? (b->exStyle | WS_EX_TOPMOST) : (b->exStyle & ~WS_EX_TOPMOST);
            if (w->isWindow())
                w->setWindowFlag(Qt::WindowStaysOnTopHint, pWndInsertAfter == &wndTopMost);
        }
    }
    b->HandleGeometry();
    if (!guard)
        return TRUE;
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow((nFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (nFlags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    if (guard && !(nFlags & SWP_NOREDRAW) && !(nFlags & (SWP_NOSIZE)) && guard->widget)
        guard->widget->update();
    return TRUE;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    QWidget* w = GetWidget();
    *lpRect = w ? RECT{0, 0, w->width(), w->height()} : RECT{0, 0, 0, 0};
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    QWidget* w = GetWidget();
    if (!w)
    {
        *lpRect = RECT{0, 0, 0, 0};
        return;
    }
    const QPoint origin = w->mapToGlobal(QPoint(0, 0));
    *lpRect = RECT{origin.x(), origin.y(), origin.x() + w->width(), origin.y() + w->height()};
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    QWidget* w = GetWidget();
    if (!w || !lpPoint)
        return;
    const QPoint p = w->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    QWidget* w = GetWidget();
    if (!w || !lpPoint)
        return;
    const QPoint p = w->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    for (UINT i = 0; lpPoint && i < nCount; ++i)
    {
        ClientToScreen(&lpPoint[i]);
        if (pwndTo)
            pwndTo->ScreenToClient(&lpPoint[i]);
    }
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    MapWindowPoints(pwndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    QWidget* w = GetWidget();
    if (!w)
        return;
    CWnd* around = pAlternateOwner ? pAlternateOwner : GetParent();
    QRect area;
    if (around && around->GetWidget())
    {
        CRect r;
        around->GetWindowRect(&r);
        area = ToQRect(r);
    }
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QPoint topLeft = area.center() - QPoint(w->width() / 2, w->height() / 2);
    if (m_pBridge->style & WS_CHILD)
        topLeft = w->parentWidget()->mapFromGlobal(topLeft);
    SetWindowPos(nullptr, topLeft.x(), topLeft.y(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    QWidget* w = GetWidget();
    if (!w || !lpwndpl)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    lpwndpl->flags = 0;
    lpwndpl->showCmd = w->isHidden()      ? SW_HIDE
                       : w->isMinimized() ? SW_SHOWMINIMIZED
                       : w->isMaximized() ? SW_SHOWMAXIMIZED
                                          : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    const QRect normal = w->isWindow() ? w->normalGeometry() : w->geometry();
    const QRect g = normal.isValid() ? normal : w->geometry();
    lpwndpl->rcNormalPosition = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    if (!GetWidget() || !lpwndpl)
        return FALSE;
    const RECT& r = lpwndpl->rcNormalPosition;
    SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(static_cast<int>(lpwndpl->showCmd));
    return TRUE;
}

void CWnd::BringWindowToTop()
{
    if (QWidget* w = GetWidget())
    {
        w->raise();
        if (w->isWindow())
            w->activateWindow();
    }
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    QWidget* w = GetWidget();
    if (!w)
        return nullptr;
    if (!QRect(QPoint(0, 0), w->size()).contains(point.x, point.y))
        return nullptr;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
    {
        QWidget* cw = child->GetWidget();
        if (cw && !cw->isHidden() && cw->geometry().contains(point.x, point.y))
            return child;
    }
    return const_cast<CWnd*>(this);
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    QWidget* w = QApplication::widgetAt(point.x, point.y);
    CWndBridge* b = CWndBridge::Enclosing(w);
    return b ? b->wnd : nullptr;
}

// ---------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------

namespace
{
// A show command that activates: the window comes to the front and takes the keyboard.
void BringForward(QWidget* top)
{
    // The offscreen platform (tests, headless runs) has no stacking to change.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        top->raise();
    top->activateWindow();
}
} // namespace

BOOL CWnd::ShowWindow(int nCmdShow)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return FALSE;
    QWidget* w = b->widget;
    const BOOL wasVisible = !w->isHidden();
    QPointer<CWndBridge> guard(b);
    if (w->isWindow())
        b->NoteShowCommand(nCmdShow);
    struct Showing
    {
        QPointer<CWndBridge> bridge;
        explicit Showing(CWndBridge* b) : bridge(b) { ++bridge->showing; }
        ~Showing()
        {
            if (bridge)
                --bridge->showing;
        }
    } showing(b);
    switch (nCmdShow)
    {
    case SW_HIDE:
        if (wasVisible)
        {
            AfxCallWndProc(this, WM_SHOWWINDOW, FALSE, 0);
            if (guard && guard->widget)
                guard->widget->hide();
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        if (!wasVisible)
            AfxCallWndProc(this, WM_SHOWWINDOW, TRUE, 0);
        if (guard && guard->widget)
        {
            if (guard->widget->isWindow())
                guard->widget->showMinimized();
            else
                guard->widget->show();
        }
        break;
    case SW_SHOWMAXIMIZED:
        if (!wasVisible)
            AfxCallWndProc(this, WM_SHOWWINDOW, TRUE, 0);
        if (guard && guard->widget)
        {
            if (guard->widget->isWindow())
            {
                guard->widget->showMaximized();
                BringForward(guard->widget);
            }
            else
                guard->widget->show();
        }
        break;
    default:
        if (!wasVisible)
            AfxCallWndProc(this, WM_SHOWWINDOW, TRUE, 0);
        if (guard && guard->widget)
        {
            QWidget* gw = guard->widget;
            if (gw->isWindow() && (nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL) &&
                (gw->isMinimized() || gw->isMaximized()))
                gw->showNormal();
            else
                gw->show();
            if (gw->isWindow() && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
                BringForward(gw);
        }
        break;
    }
    if (guard)
        guard->HandleGeometry();
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* w = GetWidget();
    return w && w->isVisible();
}

BOOL CWnd::IsIconic() const
{
    QWidget* w = GetWidget();
    return w && w->isWindow() && w->isMinimized();
}

BOOL CWnd::IsZoomed() const
{
    QWidget* w = GetWidget();
    return w && w->isWindow() && w->isMaximized();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    QWidget* w = GetWidget();
    if (!w)
        return FALSE;
    const BOOL wasDisabled = w->testAttribute(Qt::WA_ForceDisabled);
    if ((bEnable != FALSE) == !wasDisabled)
        return wasDisabled;
    QPointer<CWndBridge> guard(m_pBridge);
    w->setEnabled(bEnable != FALSE);
    if (guard)
        AfxCallWndProc(this, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* w = GetWidget();
    return w && !w->testAttribute(Qt::WA_ForceDisabled);
}

DWORD CWnd::GetStyle() const
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return 0;
    DWORD s = b->style;
    if (!b->widget->isHidden())
        s |= WS_VISIBLE;
    if (b->widget->testAttribute(Qt::WA_ForceDisabled))
        s |= WS_DISABLED;
    if (b->widget->isWindow() && b->widget->isMinimized())
        s |= WS_MINIMIZE;
    if (b->widget->isWindow() && b->widget->isMaximized())
        s |= WS_MAXIMIZE;
    return s;
}

DWORD CWnd::GetExStyle() const
{
    return m_pBridge ? m_pBridge->exStyle : 0;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    CWnd* w = FromHandle(hWnd);
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!w || !b)
        return FALSE;
    const DWORD old = w->GetStyle();
    const DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    b->style = now & ~(WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    if ((old ^ now) & WS_DISABLED)
        w->EnableWindow((now & WS_DISABLED) == 0);
    if ((old ^ now) & WS_VISIBLE)
        w->ShowWindow((now & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    STYLESTRUCT ss{old, now};
    if (IsWindow(hWnd))
        ::SendMessage(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&ss));
    if (nFlags && IsWindow(hWnd))
        w->SetWindowPos(nullptr, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!b)
        return FALSE;
    const DWORD old = b->exStyle;
    const DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    b->exStyle = now;
    STYLESTRUCT ss{old, now};
    ::SendMessage(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), reinterpret_cast<LPARAM>(&ss));
    if (nFlags && IsWindow(hWnd))
        if (CWnd* w = FromHandle(hWnd))
            w->SetWindowPos(nullptr, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    const_cast<CWnd*>(this)->SendMessage(WM_SETTEXT, 0,
                                         reinterpret_cast<LPARAM>(lpszString ? lpszString : ""));
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                                                 reinterpret_cast<LPARAM>(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const
{
    const int n = GetWindowTextLength();
    std::string buffer(static_cast<size_t>(n) + 1, '\0');
    const int got = GetWindowText(&buffer[0], n + 1);
    rString = CString(buffer.data(), got);
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    const auto h = reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT, 0, 0));
    return h ? CFont::FromHandle(h) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase)
{
    if (m_pBridge)
        m_pBridge->InvalidateAll(bErase != FALSE);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return;
    if (!lpRect)
    {
        b->InvalidateAll(bErase != FALSE);
        return;
    }
    const QRect r = ToQRect(*lpRect).normalized().intersected(b->ClientRect());
    b->invalid += r;
    if (bErase)
        b->erasePending = true;
    if (b->redraw)
        b->widget->update(r);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget)
        return;
    if (!pRgn)
    {
        b->InvalidateAll(bErase != FALSE);
        return;
    }
    const QRegion r = pRgn->ToQRegion().intersected(b->ClientRect());
    b->invalid += r;
    if (bErase)
        b->erasePending = true;
    if (b->redraw)
        b->widget->update(r);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    CWndBridge* b = m_pBridge;
    if (!b)
        return;
    if (!lpRect)
        b->invalid = QRegion();
    else
        b->invalid -= ToQRect(*lpRect);
    if (b->invalid.isEmpty())
        b->erasePending = false;
}

void CWnd::UpdateWindow()
{
    PaintNow(m_pBridge);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    if (!m_pBridge)
        return FALSE;
    if (flags & RDW_INVALIDATE)
    {
        if (prgnUpdate)
            InvalidateRgn(prgnUpdate, (flags & RDW_ERASE) != 0);
        else
            InvalidateRect(lpRectUpdate, (flags & RDW_ERASE) != 0);
    }
    if (flags & RDW_VALIDATE)
        ValidateRect(lpRectUpdate);
    if ((flags & RDW_ALLCHILDREN) && GetWidget())
        for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            child->RedrawWindow(nullptr, nullptr, flags & ~RDW_UPDATENOW);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateWindow();
    return TRUE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    if (!m_pBridge || !m_pBridge->widget)
        return;
    m_pBridge->redraw = bRedraw != FALSE;
    m_pBridge->widget->setUpdatesEnabled(bRedraw != FALSE);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL)
{
    if (!m_pBridge)
        return FALSE;
    const QRect r = m_pBridge->invalid.boundingRect();
    if (lpRect)
        *lpRect = r.isEmpty() ? RECT{0, 0, 0, 0} : RECT(ToCRect(r));
    return r.isEmpty() ? FALSE : TRUE;
}

CDC* CWnd::GetDC()
{
    return m_pBridge ? new CClientDC(this) : nullptr;
}

CDC* CWnd::GetWindowDC()
{
    return m_pBridge ? new CWindowDC(this) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    delete pDC;
    return pDC ? 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Focus, capture, activation
// ---------------------------------------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    QWidget* w = GetWidget();
    if (!w)
        return old;
    // Windows activates the top-level window of a window given the focus.
    ActivateTopLevel(w->window());
    if (w->focusPolicy() == Qt::NoFocus && !w->focusProxy())
        w->setFocusPolicy(Qt::ClickFocus);
    w->setFocus(Qt::OtherFocusReason);
    return old;
}

void ActivateTopLevel(QWidget* top)
{
    if (!top || !top->isVisible() || top->isActiveWindow())
        return;
    top->activateWindow();
    QApplication::setActiveWindow(top);
}

bool TakesKeys(const CWnd* pWnd)
{
    if (!pWnd)
        return false;
    for (UINT message : {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR})
        if (pWnd->FindMessageEntry(message))
            return true;
    return false;
}

CWnd* CWnd::GetFocus()
{
    CWndBridge* b = CWndBridge::Enclosing(QApplication::focusWidget());
    return b ? b->wnd : nullptr;
}

CWnd* CWnd::SetCapture()
{
    CWnd* old = GetCapture();
    if (!m_pBridge || old == this)
        return old;
    const HWND previous = g_capture;
    g_capture = m_hWnd;
    if (CWndBridge* pb = CWndBridge::FromHandle(previous); pb && pb->widget)
        pb->widget->releaseMouse();
    if (m_pBridge->widget && m_pBridge->widget->isVisible())
        m_pBridge->widget->grabMouse();
    if (previous && IsWindow(previous))
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    return old;
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(g_capture);
}

CWnd* CWnd::SetActiveWindow()
{
    CWnd* old = GetActiveWindow();
    if (QWidget* w = GetWidget())
    {
        QWidget* top = w->window();
        top->activateWindow();
        if (top->isVisible())
            QApplication::setActiveWindow(top);
    }
    return old;
}

CWnd* CWnd::GetActiveWindow()
{
    CWndBridge* b = CWndBridge::FromWidget(QApplication::activeWindow());
    return b ? b->wnd : nullptr;
}

BOOL CWnd::SetForegroundWindow()
{
    SetActiveWindow();
    return GetWidget() != nullptr;
}

CWnd* CWnd::GetForegroundWindow()
{
    return GetActiveWindow();
}

CWnd* CWnd::GetDesktopWindow()
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    CWndBridge* b = m_pBridge;
    if (!b)
        return 0;
    KillTimer(nIDEvent);
    // Windows clamps timers to at least 10 ms.
    const int qtId = b->startTimer(static_cast<int>(nElapse < 10           ? 10
                                                    : nElapse > 0x7FFFFFFF ? 0x7FFFFFFF
                                                                           : nElapse));
    if (!qtId)
        return 0;
    b->timers[nIDEvent] = CWndBridge::Timer{qtId, lpfnTimer};
    return nIDEvent ? nIDEvent : 1;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    CWndBridge* b = m_pBridge;
    if (!b)
        return FALSE;
    auto it = b->timers.find(nIDEvent);
    if (it == b->timers.end())
        return FALSE;
    b->killTimer(it->second.qtId);
    b->timers.erase(it);
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------------------

namespace
{
SCROLLINFO* ScrollOf(CWndBridge* b, int nBar)
{
    if (!b || (nBar != SB_HORZ && nBar != SB_VERT))
        return nullptr;
    return &b->scroll[nBar];
}

int ClampScrollPos(const SCROLLINFO& si, int pos)
{
    const int page = si.nPage > 0 ? static_cast<int>(si.nPage) - 1 : 0;
    const int maxPos = si.nMax - page > si.nMin ? si.nMax - page : si.nMin;
    return pos < si.nMin ? si.nMin : pos > maxPos ? maxPos : pos;
}
} // namespace

BOOL CWnd::SetScrollInfo(int nBar, LPCSCROLLINFO lpScrollInfo, BOOL)
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    if (!si || !lpScrollInfo)
        return FALSE;
    if (lpScrollInfo->fMask & SIF_RANGE)
    {
        si->nMin = lpScrollInfo->nMin;
        si->nMax = lpScrollInfo->nMax;
    }
    if (lpScrollInfo->fMask & SIF_PAGE)
        si->nPage = lpScrollInfo->nPage;
    if (lpScrollInfo->fMask & SIF_POS)
        si->nPos = lpScrollInfo->nPos;
    si->nPos = ClampScrollPos(*si, si->nPos);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    if (!si || !lpScrollInfo)
        return FALSE;
    const UINT mask = lpScrollInfo->fMask ? lpScrollInfo->fMask : nMask;
    if (mask & SIF_RANGE)
    {
        lpScrollInfo->nMin = si->nMin;
        lpScrollInfo->nMax = si->nMax;
    }
    if (mask & SIF_PAGE)
        lpScrollInfo->nPage = si->nPage;
    if (mask & SIF_POS)
        lpScrollInfo->nPos = si->nPos;
    if (mask & SIF_TRACKPOS)
        lpScrollInfo->nTrackPos = si->nPos;
    return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL)
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    if (!si)
        return 0;
    const int old = si->nPos;
    si->nPos = ClampScrollPos(*si, nPos);
    return old;
}

int CWnd::GetScrollPos(int nBar) const
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    return si ? si->nPos : 0;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL)
{
    if (SCROLLINFO* si = ScrollOf(m_pBridge, nBar))
    {
        si->nMin = nMinPos;
        si->nMax = nMaxPos;
        si->nPos = ClampScrollPos(*si, si->nPos);
    }
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    if (lpMinPos)
        *lpMinPos = si ? si->nMin : 0;
    if (lpMaxPos)
        *lpMaxPos = si ? si->nMax : 0;
}

int CWnd::GetScrollLimit(int nBar) const
{
    SCROLLINFO* si = ScrollOf(m_pBridge, nBar);
    if (!si)
        return 0;
    const int page = si->nPage > 0 ? static_cast<int>(si->nPage) - 1 : 0;
    return si->nMax - page > si->nMin ? si->nMax - page : si->nMin;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (!m_pBridge)
        return;
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        m_pBridge->scrollShown[SB_HORZ] = bShow != FALSE;
    if (nBar == SB_VERT || nBar == SB_BOTH)
        m_pBridge->scrollShown[SB_VERT] = bShow != FALSE;
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    ShowScrollBar(static_cast<UINT>(nBar), bEnable);
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    CWndBridge* b = m_pBridge;
    if (!b || !b->widget || (xAmount == 0 && yAmount == 0))
        return;
    const QRect client = b->ClientRect();
    QRect area = lpRect ? ToQRect(*lpRect).intersected(client) : client;
    if (lpClipRect)
        area = area.intersected(ToQRect(*lpClipRect));
    if (b->SelfPainting() && b->painters == 0)
    {
        QImage& s = b->Surface();
        const QImage copy = s.copy(area);
        QPainter p(&s);
        p.setClipRect(area);
        p.drawImage(area.topLeft() + QPoint(xAmount, yAmount), copy);
    }
    QRegion uncovered(area);
    uncovered -= area.translated(xAmount, yAmount);
    b->invalid += uncovered;
    b->erasePending = true;
    if (!lpRect)
        for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            if (QWidget* cw = child->GetWidget())
                cw->move(cw->pos() + QPoint(xAmount, yAmount));
    b->widget->update(area);
}

// ---------------------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageScope scope(m_hWnd, message, wParam, lParam);
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
    {
        LRESULT r = 0;
        const BOOL handled = OnNotify(wParam, lParam, &r);
        if (pResult)
            *pResult = r;
        return handled;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_CTLCOLOR))
        {
            AFX_CTLCOLOR cc{reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                            message - WM_CTLCOLORMSGBOX};
            const LRESULT r = entry->pfn(this, wParam, reinterpret_cast<LPARAM>(&cc));
            if (pResult)
                *pResult = r;
            return TRUE;
        }
    }
    return CCmdTarget::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const auto hCtl = reinterpret_cast<HWND>(lParam);
    if (hCtl && hCtl != m_hWnd && ReflectLastMsg(hCtl))
        return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (header->hwndFrom && header->hwndFrom != m_hWnd && ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, header};
    const int code = static_cast<int>(MAKELONG(LOWORD(header->code), WM_NOTIFY));
    return OnCmdMsg(static_cast<UINT>(header->idFrom), code, &notify, nullptr);
}

namespace
{
const AFX_MSGMAP_ENTRY* FindReflected(const AFX_MSGMAP* map, UINT message, UINT code, bool anyCode)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e)
            if (!e->pRegistered && e->nMessage == message && (anyCode || e->nCode == code))
                return e;
    return nullptr;
}
} // namespace

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP* map = GetMessageMap();
    switch (message)
    {
    case WM_COMMAND: {
        const AFX_MSGMAP_ENTRY* e = FindReflected(map, WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), false);
        if (!e)
            return FALSE;
        const LRESULT r = e->pfn(this, wParam, lParam);
        if (pResult)
            *pResult = r;
        return r != 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header)
            return FALSE;
        const AFX_MSGMAP_ENTRY* e =
            FindReflected(map, WM_REFLECT_BASE + WM_NOTIFY, LOWORD(header->code), false);
        if (!e)
            return FALSE;
        LRESULT local = 0;
        AFX_NOTIFY notify{pResult ? pResult : &local, header};
        return e->pfn(this, wParam, reinterpret_cast<LPARAM>(&notify)) != 0;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        const AFX_MSGMAP_ENTRY* e = FindReflected(map, WM_REFLECT_BASE + WM_CTLCOLOR, 0, true);
        if (!e)
            return FALSE;
        AFX_CTLCOLOR cc{m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        const LRESULT brush = e->pfn(this, wParam, reinterpret_cast<LPARAM>(&cc));
        if (!brush)
            return FALSE;
        if (pResult)
            *pResult = brush;
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const AFX_MSGMAP_ENTRY* e = FindReflected(map, WM_REFLECT_BASE + message, 0, true);
        if (!e)
            return FALSE;
        const LRESULT r = e->pfn(this, wParam, lParam);
        if (pResult)
            *pResult = r;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

const MSG* CWnd::GetCurrentMessage()
{
    static MSG none{};
    auto& inFlight = WndMessagesInFlight();
    return inFlight.empty() ? &none : &inFlight.back();
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandle(hWndChild);
    return child ? child->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* msg = GetCurrentMessage();
    return OnChildNotify(msg->message, msg->wParam, msg->lParam, pResult);
}

LRESULT CWnd::Default()
{
    const MSG* msg = GetCurrentMessage();
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (CWnd* child = GetWindow(GW_CHILD); child;)
    {
        CWnd* next = child->GetWindow(GW_HWNDNEXT);
        const HWND h = child->m_hWnd;
        if (!bOnlyPerm || !child->m_bLayerOwned)
            child->SendMessage(message, wParam, lParam);
        if (bDeep && IsWindow(h))
            if (CWnd* still = FromHandle(h))
                still->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
        child = next;
    }
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    CWnd* item = GetDlgItem(nID);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    CWnd* item = GetDlgItem(nID);
    if (!item)
    {
        if (lpStr && nMaxCount > 0)
            lpStr[0] = '\0';
        return 0;
    }
    return item->GetWindowText(lpStr, nMaxCount);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    CString text;
    if (bSigned)
        text.Format("%d", static_cast<int>(nValue));
    else
        text.Format("%u", nValue);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    if (lpTrans)
        *lpTrans = FALSE;
    CString text;
    if (!GetDlgItem(nID))
        return 0;
    GetDlgItemText(nID, text);
    text.Trim();
    const char* s = text.GetString();
    if (!*s || (!bSigned && *s == '-'))
        return 0;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s, &end, 10);
    if (end == s || *end != '\0' || errno == ERANGE)
        return 0;
    if (bSigned ? (v < INT_MIN || v > INT_MAX) : (v < 0 || v > static_cast<long long>(UINT_MAX)))
        return 0;
    if (lpTrans)
        *lpTrans = TRUE;
    return static_cast<UINT>(v);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    SendDlgItemMessage(nIDButton, BM_SETCHECK, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return static_cast<UINT>(SendDlgItemMessage(nIDButton, BM_GETCHECK, 0, 0));
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (GetDlgItem(id))
            SendDlgItemMessage(id, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (GetDlgItem(id) && IsDlgButtonChecked(id))
            return id;
    return 0;
}

CMenu* CWnd::GetMenu() const
{
    return m_pBridge ? m_pBridge->menu : nullptr;
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    if (!m_pBridge)
        return FALSE;
    m_pBridge->menu = pMenu;
    return TRUE;
}

CMenu* CWnd::GetSystemMenu(BOOL) const
{
    return nullptr;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (!m_pBridge)
        return nullptr;
    HICON old = m_pBridge->icons[bBigIcon ? 1 : 0];
    m_pBridge->icons[bBigIcon ? 1 : 0] = hIcon;
    return old;
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return m_pBridge ? m_pBridge->icons[bBigIcon ? 1 : 0] : nullptr;
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (m_pBridge)
        m_pBridge->exStyle =
            bAccept ? (m_pBridge->exStyle | WS_EX_ACCEPTFILES) : (m_pBridge->exStyle & ~WS_EX_ACCEPTFILES);
}

// ---------------------------------------------------------------------------------------
// Modal loops
// ---------------------------------------------------------------------------------------

int CWnd::RunModalLoop(DWORD)
{
    if (!m_bModalLoop)
        return m_nModalResult;
    QEventLoop loop;
    m_pModalLoop = &loop;
    // The object may go while its loop runs (a window destroyed by its own handler): only
    // the handle is trusted afterwards.
    const HWND self = m_hWnd;
    QPointer<CWndBridge> guard(m_pBridge);
    loop.exec(QEventLoop::DialogExec);
    if (guard && guard->wnd == this)
        m_pModalLoop = nullptr;
    (void)self;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return m_bModalLoop ? TRUE : FALSE;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    m_bModalLoop = false;
    if (m_pModalLoop)
        static_cast<QEventLoop*>(m_pModalLoop)->exit(nResult);
}
