#include "platform/ui/SpinButtonCtrl.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <vector>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace
{
class SpinWidget : public QWidget
{
public:
    SpinWidget(HWND hWnd, QWidget* parent) : QWidget(parent), m_hWnd(hWnd)
    {
        setFocusPolicy(Qt::NoFocus);
        m_repeat.setSingleShot(false);
        QObject::connect(&m_repeat, &QTimer::timeout, this, [this] {
            m_repeat.setInterval(100);
            Step(m_part);
        });
    }

    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE)); }
    bool Horizontal() const { return (Style() & UDS_HORZ) != 0; }

    // The buddy's text, when it shows the position; false when there is no such buddy.
    bool BuddyText(CString& text) const
    {
        if (!m_buddy || !IsWindow(m_buddy) || !(Style() & UDS_SETBUDDYINT))
            return false;
        const int length = GetWindowTextLength(m_buddy);
        std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
        GetWindowText(m_buddy, buffer.data(), length + 1);
        text = buffer.data();
        return true;
    }

    // The position, read from the buddy when it shows it; `error` when its text is no number.
    int Pos(bool* error = nullptr) const
    {
        if (error)
            *error = false;
        CString text;
        if (!BuddyText(text))
            return m_pos;
        text.Remove(',');
        text.Trim();
        const bool hex = m_base == 16;
        if (hex && (text.Left(2) == "0x" || text.Left(2) == "0X"))
            text = text.Mid(2);
        char* end = nullptr;
        const long value = std::strtol(text.GetString(), &end, hex ? 16 : 10);
        if (text.IsEmpty() || !end || *end != '\0')
        {
            if (error)
                *error = true;
            return m_pos;
        }
        return static_cast<int>(value);
    }

    int Clamp(int pos) const
    {
        return std::min(std::max(pos, std::min(m_lower, m_upper)), std::max(m_lower, m_upper));
    }

    // Sets the position and shows it in the buddy; returns the previous one.
    int SetPos(int pos)
    {
        const int previous = Pos();
        m_pos = Clamp(pos);
        ShowInBuddy();
        return previous;
    }

    void ShowInBuddy()
    {
        if (!m_buddy || !IsWindow(m_buddy) || !(Style() & UDS_SETBUDDYINT))
            return;
        CString text;
        if (m_base == 16)
            text.Format("0x%X", static_cast<unsigned int>(m_pos));
        else
        {
            text.Format("%d", std::abs(m_pos));
            if (!(Style() & UDS_NOTHOUSANDS))
                for (int i = text.GetLength() - 3; i > 0; i -= 3)
                    text.Insert(i, ',');
            if (m_pos < 0)
                text.Insert(0, '-');
        }
        SetWindowText(m_buddy, text);
    }

    // Places the control beside its buddy, as the alignment style asks.
    void Align()
    {
        const DWORD style = Style();
        if (!m_buddy || !IsWindow(m_buddy) || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)))
            return;
        const HWND parent = GetParent(m_hWnd);
        RECT r{};
        GetWindowRect(m_buddy, &r);
        POINT topLeft{r.left, r.top};
        POINT bottomRight{r.right, r.bottom};
        if (parent)
        {
            ScreenToClient(parent, &topLeft);
            ScreenToClient(parent, &bottomRight);
        }
        const int spin = width() > 0 ? width() : 16;
        const int buddyWidth = std::max(0, static_cast<int>(bottomRight.x - topLeft.x) - spin);
        const int height = bottomRight.y - topLeft.y;
        if (style & UDS_ALIGNRIGHT)
        {
            MoveWindow(m_buddy, topLeft.x, topLeft.y, buddyWidth, height, TRUE);
            MoveWindow(m_hWnd, topLeft.x + buddyWidth, topLeft.y, spin, height, TRUE);
        }
        else
        {
            MoveWindow(m_buddy, topLeft.x + spin, topLeft.y, buddyWidth, height, TRUE);
            MoveWindow(m_hWnd, topLeft.x, topLeft.y, spin, height, TRUE);
        }
    }

    int Increment() const
    {
        const qint64 seconds = m_held.isValid() ? m_held.elapsed() / 1000 : 0;
        int inc = 1;
        for (const UDACCEL& a : m_accel)
            if (static_cast<qint64>(a.nSec) <= seconds)
                inc = static_cast<int>(a.nInc);
        return inc;
    }

    // One step up (+1) or down (-1).
    void Step(int direction)
    {
        const HWND hWnd = m_hWnd;
        NMUPDOWN nm{};
        nm.iPos = Pos();
        nm.iDelta = direction * Increment() * (m_upper >= m_lower ? 1 : -1);
        if (AfxNotifyParent(hWnd, UDN_DELTAPOS, &nm.hdr) != 0 || !IsWindow(hWnd))
            return;
        int pos = nm.iPos + nm.iDelta;
        const int low = std::min(m_lower, m_upper);
        const int high = std::max(m_lower, m_upper);
        const bool wrap = (Style() & UDS_WRAP) != 0;
        if (pos > high)
            pos = wrap ? low : high;
        else if (pos < low)
            pos = wrap ? high : low;
        m_pos = pos;
        ShowInBuddy();
        Scroll(SB_THUMBPOSITION, pos);
    }

    void Scroll(UINT code, int pos)
    {
        if (const HWND parent = GetParent(m_hWnd))
            SendMessage(parent, Horizontal() ? WM_HSCROLL : WM_VSCROLL,
                        MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(m_hWnd));
    }

    HWND m_hWnd;
    HWND m_buddy = nullptr;
    int m_lower = 100; // the framework's starting range, upper end 0
    int m_upper = 0;
    int m_pos = 0;
    int m_base = 10;
    std::vector<UDACCEL> m_accel{{0, 1}, {2, 5}, {5, 20}};
    int m_part = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || !isEnabled())
            return;
        const QPoint p = event->position().toPoint();
        m_part = Horizontal() ? (p.x() >= width() / 2 ? 1 : -1) : (p.y() < height() / 2 ? 1 : -1);
        m_held.start();
        update();
        m_repeat.start(400);
        Step(m_part);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || m_part == 0)
            return;
        m_repeat.stop();
        m_part = 0;
        m_held.invalidate();
        update();
        Scroll(SB_ENDSCROLL, Pos());
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool horizontal = Horizontal();
        const QRect first =
            horizontal ? QRect(0, 0, width() / 2, height()) : QRect(0, 0, width(), height() / 2);
        const QRect second = horizontal ? QRect(width() / 2, 0, width() - width() / 2, height())
                                        : QRect(0, height() / 2, width(), height() - height() / 2);
        // First part: up (or left, which steps down); second: down (or right, which steps up).
        PaintPart(painter, first, horizontal ? QStyle::PE_IndicatorArrowLeft : QStyle::PE_IndicatorArrowUp,
                  m_part == (horizontal ? -1 : 1));
        PaintPart(painter, second,
                  horizontal ? QStyle::PE_IndicatorArrowRight : QStyle::PE_IndicatorArrowDown,
                  m_part == (horizontal ? 1 : -1));
    }

private:
    void PaintPart(QPainter& painter, const QRect& rect, QStyle::PrimitiveElement arrow, bool pressed)
    {
        QStyleOption option;
        option.initFrom(this);
        option.rect = rect;
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        option.rect = rect.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(arrow, &option, &painter, this);
    }

    QTimer m_repeat;
    QElapsedTimer m_held;
};

HWND SetBuddy(SpinWidget* w, HWND buddy)
{
    const HWND previous = w->m_buddy;
    w->m_buddy = buddy;
    w->Align();
    return previous;
}

QWidget* MakeSpin(HWND hWnd, const CREATESTRUCT&, QWidget* parent)
{
    return new SpinWidget(hWnd, parent);
}

BOOL SpinProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<SpinWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    switch (message)
    {
    case WM_CREATE:
        if (w->Style() & UDS_AUTOBUDDY)
            SetBuddy(w, GetWindow(w->m_hWnd, GW_HWNDPREV));
        return FALSE;
    case UDM_SETBUDDY:
        result = reinterpret_cast<LRESULT>(SetBuddy(w, reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case UDM_GETBUDDY:
        result = reinterpret_cast<LRESULT>(w->m_buddy);
        return TRUE;
    case UDM_SETRANGE:
        w->m_upper = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
        w->m_lower = static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)));
        return TRUE;
    case UDM_GETRANGE:
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(w->m_upper), static_cast<WORD>(w->m_lower)));
        return TRUE;
    case UDM_SETRANGE32:
        w->m_lower = static_cast<int>(static_cast<intptr_t>(wParam));
        w->m_upper = static_cast<int>(lParam);
        return TRUE;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = w->m_lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = w->m_upper;
        return TRUE;
    case UDM_SETPOS:
        result = static_cast<WORD>(w->SetPos(static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)))));
        return TRUE;
    case UDM_SETPOS32:
        result = w->SetPos(static_cast<int>(lParam));
        return TRUE;
    case UDM_GETPOS: {
        bool error = false;
        const int pos = w->Pos(&error);
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pos), error ? 1 : 0));
        return TRUE;
    }
    case UDM_GETPOS32: {
        bool error = false;
        result = w->Pos(&error);
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
        return TRUE;
    }
    case UDM_SETBASE: {
        const int base = static_cast<int>(wParam);
        if (base != 10 && base != 16)
            return TRUE;
        result = w->m_base;
        w->m_base = base;
        w->ShowInBuddy();
        return TRUE;
    }
    case UDM_GETBASE:
        result = w->m_base;
        return TRUE;
    case UDM_SETACCEL: {
        const auto* accel = reinterpret_cast<const UDACCEL*>(lParam);
        if (!accel || wParam == 0)
            return TRUE;
        w->m_accel.assign(accel, accel + wParam);
        result = TRUE;
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* accel = reinterpret_cast<UDACCEL*>(lParam);
        const size_t n = std::min<size_t>(wParam, w->m_accel.size());
        if (accel)
            std::copy(w->m_accel.begin(), w->m_accel.begin() + static_cast<ptrdiff_t>(n), accel);
        result = static_cast<LRESULT>(w->m_accel.size());
        return TRUE;
    }
    default:
        return FALSE;
    }
}

const struct SpinClassRegistrar
{
    SpinClassRegistrar() { AfxRegisterControlClass(UPDOWN_CLASS, &MakeSpin, &SpinProc); }
} spinClassRegistrar;

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}
} // namespace

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(UPDOWN_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        Send(this, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(Send(this, UDM_GETBUDDY)));
}

int CSpinButtonCtrl::SetBase(int nBase)
{
    return static_cast<int>(Send(this, UDM_SETBASE, static_cast<WPARAM>(nBase)));
}

UINT CSpinButtonCtrl::GetBase() const
{
    return static_cast<UINT>(Send(this, UDM_GETBASE));
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return static_cast<BOOL>(
        Send(this, UDM_SETACCEL, static_cast<WPARAM>(nAccel), reinterpret_cast<LPARAM>(pAccel)));
}

UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
{
    return static_cast<UINT>(
        Send(this, UDM_GETACCEL, static_cast<WPARAM>(nAccel), reinterpret_cast<LPARAM>(pAccel)));
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    return static_cast<short>(Send(this, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(nPos), 0)));
}

int CSpinButtonCtrl::GetPos() const
{
    return static_cast<int>(Send(this, UDM_GETPOS));
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    return static_cast<int>(Send(this, UDM_SETPOS32, 0, nPos));
}

int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const
{
    return static_cast<int>(Send(this, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    Send(this, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nUpper), static_cast<WORD>(nLower)));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    Send(this, UDM_SETRANGE32, static_cast<WPARAM>(static_cast<intptr_t>(nLower)), nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const
{
    return static_cast<DWORD>(Send(this, UDM_GETRANGE));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    const DWORD range = GetRange();
    upper = static_cast<short>(LOWORD(range));
    lower = static_cast<short>(HIWORD(range));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    Send(this, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
