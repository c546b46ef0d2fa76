#include "platform/ui/ToolTipCtrl.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"

#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace
{
struct Tool
{
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    CRect rect;
    CString text;
    LPARAM lParam = 0;
};

class TipWidget : public QLabel
{
public:
    TipWidget(HWND hWnd, QWidget* parent) : QLabel(parent), m_hWnd(hWnd)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
        setMargin(2);
        setAutoFillBackground(true);
        m_show.setSingleShot(true);
        m_pop.setSingleShot(true);
        QObject::connect(&m_show, &QTimer::timeout, this, [this] { ShowTip(); });
        QObject::connect(&m_pop, &QTimer::timeout, this, [this] { Pop(); });
        ApplyColours();
    }

    void ApplyColours()
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, ToQColor(m_back));
        p.setColor(QPalette::WindowText, ToQColor(m_textColour));
        setPalette(p);
    }

    // The tool under a point of a window (client coordinates), or -1.
    int HitTest(HWND hwnd, POINT pt) const
    {
        for (size_t i = 0; i < m_tools.size(); ++i)
        {
            const Tool& t = m_tools[i];
            if (t.flags & TTF_IDISHWND)
            {
                if (reinterpret_cast<HWND>(t.id) == hwnd)
                    return static_cast<int>(i);
            }
            else if (t.hwnd == hwnd && t.rect.PtInRect(pt))
                return static_cast<int>(i);
        }
        return -1;
    }

    int Find(HWND hwnd, UINT_PTR id) const
    {
        for (size_t i = 0; i < m_tools.size(); ++i)
        {
            const Tool& t = m_tools[i];
            const bool byWindow = (t.flags & TTF_IDISHWND) != 0;
            if ((byWindow && reinterpret_cast<HWND>(t.id) == hwnd && (id == 0 || id == t.id)) ||
                (!byWindow && t.hwnd == hwnd && t.id == id))
                return static_cast<int>(i);
        }
        return -1;
    }

    void Relay(const MSG& msg)
    {
        if (!m_active)
            return;
        switch (msg.message)
        {
        case WM_MOUSEMOVE: {
            const POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            const int tool = HitTest(msg.hwnd, pt);
            if (tool != m_current)
            {
                Pop();
                m_current = tool;
                if (tool >= 0)
                    m_show.start(m_initial);
            }
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            Pop();
            break;
        default:
            break;
        }
    }

    void ShowTip()
    {
        if (!m_active || m_current < 0 || m_current >= static_cast<int>(m_tools.size()))
            return;
        const Tool& t = m_tools[static_cast<size_t>(m_current)];
        if (t.text.IsEmpty())
            return;
        setText(Cp1252ToQString(t.text.GetString(), t.text.GetLength()));
        setWordWrap(m_maxWidth > 0);
        if (m_maxWidth > 0)
            setMaximumWidth(m_maxWidth);
        adjustSize();
        move(QCursor::pos() + QPoint(0, 20));
        show();
        raise();
        m_pop.start(m_autopop);
    }

    void Pop()
    {
        m_show.stop();
        m_pop.stop();
        hide();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Tools added with TTF_SUBCLASS: their windows' mouse moves come here directly.
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            return false;
        CWnd* wnd = CWnd::FromWidget(w);
        if (!wnd)
            return false;
        MSG msg{};
        msg.hwnd = wnd->GetSafeHwnd();
        switch (event->type())
        {
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            msg.message = WM_MOUSEMOVE;
            msg.lParam = MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y()));
            Relay(msg);
            break;
        }
        case QEvent::MouseButtonPress:
            msg.message = WM_LBUTTONDOWN;
            Relay(msg);
            break;
        case QEvent::Leave:
            m_current = -1;
            Pop();
            break;
        default:
            break;
        }
        return false;
    }

    void Watch(HWND hwnd)
    {
        if (CWnd* wnd = CWnd::FromHandle(hwnd))
            if (QWidget* w = wnd->GetWidget())
            {
                w->setMouseTracking(true);
                w->installEventFilter(this);
            }
    }

    HWND m_hWnd;
    std::vector<Tool> m_tools;
    bool m_active = true;
    int m_current = -1;
    int m_initial = 500;
    int m_autopop = 5000;
    int m_reshow = 100;
    int m_maxWidth = -1;
    COLORREF m_back = GetSysColor(COLOR_INFOBK);
    COLORREF m_textColour = GetSysColor(COLOR_INFOTEXT);
    QTimer m_show;
    QTimer m_pop;
};

TipWidget* TipWidgetOf(CWnd* pWnd)
{
    return pWnd ? dynamic_cast<TipWidget*>(pWnd->GetWidget()) : nullptr;
}

QWidget* MakeTip(HWND hWnd, const CREATESTRUCT&, QWidget* parent)
{
    return new TipWidget(hWnd, parent);
}

BOOL TipProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    TipWidget* w = TipWidgetOf(pWnd);
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    const auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
    switch (message)
    {
    case TTM_ACTIVATE:
        w->m_active = wParam != 0;
        if (!w->m_active)
            w->Pop();
        return TRUE;
    case TTM_ADDTOOL: {
        if (!info || !info->hwnd)
            return TRUE;
        Tool t;
        t.flags = info->uFlags;
        t.hwnd = info->hwnd;
        t.id = info->uId;
        t.rect = info->rect;
        t.text = (info->lpszText && info->lpszText != LPSTR_TEXTCALLBACK) ? info->lpszText : "";
        t.lParam = info->lParam;
        w->m_tools.push_back(t);
        if (t.flags & TTF_SUBCLASS)
            w->Watch((t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.hwnd);
        result = TRUE;
        return TRUE;
    }
    case TTM_DELTOOL:
        if (info)
        {
            const int i =
                w->Find((info->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info->uId) : info->hwnd,
                        (info->uFlags & TTF_IDISHWND) ? 0 : info->uId);
            if (i >= 0)
            {
                if (i == w->m_current)
                {
                    w->Pop();
                    w->m_current = -1;
                }
                else if (i < w->m_current)
                    --w->m_current;
                w->m_tools.erase(w->m_tools.begin() + i);
            }
        }
        return TRUE;
    case TTM_NEWTOOLRECT:
    case TTM_UPDATETIPTEXT:
    case TTM_GETTEXT:
    case TTM_GETTOOLINFO: {
        if (!info)
            return TRUE;
        const int i = w->Find((info->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info->uId) : info->hwnd,
                              (info->uFlags & TTF_IDISHWND) ? 0 : info->uId);
        if (i < 0)
            return TRUE;
        Tool& t = w->m_tools[static_cast<size_t>(i)];
        auto* out = const_cast<TOOLINFO*>(info);
        if (message == TTM_NEWTOOLRECT)
            t.rect = info->rect;
        else if (message == TTM_UPDATETIPTEXT)
        {
            t.text = (info->lpszText && info->lpszText != LPSTR_TEXTCALLBACK) ? info->lpszText : "";
            if (i == w->m_current && w->isVisible())
                w->setText(Cp1252ToQString(t.text.GetString(), t.text.GetLength()));
        }
        else if (message == TTM_GETTEXT)
        {
            // The caller's buffer: wParam bytes (80 when not given, as older callers assume).
            if (out->lpszText && out->lpszText != LPSTR_TEXTCALLBACK)
            {
                const int size = wParam ? static_cast<int>(wParam) : 80;
                const int n = std::min(size - 1, t.text.GetLength());
                std::copy(t.text.GetString(), t.text.GetString() + n, out->lpszText);
                out->lpszText[n] = '\0';
            }
        }
        else
        {
            out->uFlags = t.flags;
            out->rect = t.rect;
            out->lParam = t.lParam;
            result = TRUE;
        }
        return TRUE;
    }
    case TTM_GETTOOLCOUNT:
        result = static_cast<LRESULT>(w->m_tools.size());
        return TRUE;
    case TTM_RELAYEVENT:
        if (const MSG* msg = reinterpret_cast<const MSG*>(lParam))
            w->Relay(*msg);
        return TRUE;
    case TTM_POPUP: {
        if (w->m_current < 0)
        {
            // The tool under the cursor.
            POINT pt;
            GetCursorPos(&pt);
            const HWND under = WindowFromPoint(pt);
            if (under)
            {
                ScreenToClient(under, &pt);
                w->m_current = w->HitTest(under, pt);
            }
        }
        w->ShowTip();
        return TRUE;
    }
    case TTM_POP:
        w->Pop();
        return TRUE;
    case TTM_UPDATE:
        if (w->isVisible())
            w->ShowTip();
        return TRUE;
    case TTM_SETDELAYTIME: {
        const int time = static_cast<int>(static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam))));
        switch (wParam)
        {
        case TTDT_AUTOMATIC:
            w->m_initial = time < 0 ? 500 : time;
            w->m_autopop = w->m_initial * 10;
            w->m_reshow = w->m_initial / 5;
            break;
        case TTDT_INITIAL:
            w->m_initial = time < 0 ? 500 : time;
            break;
        case TTDT_AUTOPOP:
            w->m_autopop = time < 0 ? 5000 : time;
            break;
        case TTDT_RESHOW:
            w->m_reshow = time < 0 ? 100 : time;
            break;
        default:
            break;
        }
        return TRUE;
    }
    case TTM_GETDELAYTIME:
        result = wParam == TTDT_AUTOPOP ? w->m_autopop : (wParam == TTDT_RESHOW ? w->m_reshow : w->m_initial);
        return TRUE;
    case TTM_SETMAXTIPWIDTH:
        result = w->m_maxWidth;
        w->m_maxWidth = static_cast<int>(lParam);
        return TRUE;
    case TTM_GETMAXTIPWIDTH:
        result = w->m_maxWidth;
        return TRUE;
    case TTM_SETTIPBKCOLOR:
        w->m_back = static_cast<COLORREF>(wParam);
        w->ApplyColours();
        return TRUE;
    case TTM_SETTIPTEXTCOLOR:
        w->m_textColour = static_cast<COLORREF>(wParam);
        w->ApplyColours();
        return TRUE;
    case TTM_GETTIPBKCOLOR:
        result = static_cast<LRESULT>(w->m_back);
        return TRUE;
    case TTM_GETTIPTEXTCOLOR:
        result = static_cast<LRESULT>(w->m_textColour);
        return TRUE;
    default:
        return FALSE;
    }
}

const struct TipClassRegistrar
{
    TipClassRegistrar() { AfxRegisterControlClass(TOOLTIPS_CLASS, &MakeTip, &TipProc); }
} tipClassRegistrar;

TOOLINFO InfoFor(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info{};
    info.cbSize = sizeof(TOOLINFO);
    info.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (nIDTool == 0)
    {
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
    }
    else
        info.uId = nIDTool;
    return info;
}

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || !lpszText)
        return FALSE;
    TOOLINFO info = InfoFor(pWnd, lpRectTool ? (nIDTool ? nIDTool : 1) : nIDTool);
    if (lpRectTool)
    {
        info.uFlags &= ~TTF_IDISHWND;
        info.rect = *lpRectTool;
    }
    info.lpszText = const_cast<LPSTR>(lpszText);
    return AddTool(&info);
}

BOOL CToolTipCtrl::AddTool(const TOOLINFO* pToolInfo)
{
    return static_cast<BOOL>(Send(this, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(pToolInfo)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info = InfoFor(pWnd, nIDTool);
    Send(this, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(Send(this, TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO info = InfoFor(pWnd, nIDTool);
    info.lpszText = const_cast<LPSTR>(lpszText);
    Send(this, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFO info = InfoFor(pWnd, nIDTool);
    char buffer[1024] = {};
    info.lpszText = buffer;
    Send(this, TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
    str = buffer;
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO info = InfoFor(pWnd, nIDTool);
    if (lpRect)
        info.rect = *lpRect;
    Send(this, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    Send(this, TTM_ACTIVATE, static_cast<WPARAM>(bActivate));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    Send(this, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Popup()
{
    Send(this, TTM_POPUP);
}

void CToolTipCtrl::Pop()
{
    Send(this, TTM_POP);
}

void CToolTipCtrl::Update()
{
    Send(this, TTM_UPDATE);
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    Send(this, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(static_cast<WORD>(nDelay), 0));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    Send(this, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(static_cast<WORD>(iTime), 0));
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return static_cast<int>(Send(this, TTM_GETDELAYTIME, dwDuration));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(Send(this, TTM_SETMAXTIPWIDTH, 0, iWidth));
}

int CToolTipCtrl::GetMaxTipWidth() const
{
    return static_cast<int>(Send(this, TTM_GETMAXTIPWIDTH));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    Send(this, TTM_SETTIPBKCOLOR, clr);
}

void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    Send(this, TTM_SETTIPTEXTCOLOR, clr);
}

COLORREF CToolTipCtrl::GetTipBkColor() const
{
    return static_cast<COLORREF>(Send(this, TTM_GETTIPBKCOLOR));
}

COLORREF CToolTipCtrl::GetTipTextColor() const
{
    return static_cast<COLORREF>(Send(this, TTM_GETTIPTEXTCOLOR));
}
