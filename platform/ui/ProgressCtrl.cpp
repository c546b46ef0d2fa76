#include "platform/ui/ProgressCtrl.h"

#include "platform/ui/Colour.h"

#include <QPalette>
#include <QProgressBar>

#include <algorithm>

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

namespace
{
class ProgressWidget : public QProgressBar
{
public:
    explicit ProgressWidget(QWidget* parent) : QProgressBar(parent)
    {
        setTextVisible(false);
        Sync();
    }

    // Qt shows a busy bar for an empty range: the bar keeps at least one step of range, while
    // the control reports the range it was given.
    void Sync()
    {
        const int low = std::min(m_low, m_high);
        const int high = std::max(std::max(m_low, m_high), low + 1);
        if (m_marquee)
            setRange(0, 0);
        else
        {
            setRange(low, high);
            setValue(m_pos);
        }
    }

    int Clamp(int pos) const
    {
        const int low = std::min(m_low, m_high);
        const int high = std::max(m_low, m_high);
        return std::min(std::max(pos, low), high);
    }

    int Move(int pos)
    {
        const int previous = m_pos;
        m_pos = Clamp(pos);
        Sync();
        return previous;
    }

    void ApplyColours()
    {
        QPalette p = palette();
        if (m_bar != CLR_DEFAULT)
            p.setColor(QPalette::Highlight, ToQColor(m_bar));
        if (m_back != CLR_DEFAULT)
        {
            p.setColor(QPalette::Base, ToQColor(m_back));
            p.setColor(QPalette::Window, ToQColor(m_back));
        }
        setPalette(p);
    }

    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
    int m_step = 10;
    bool m_marquee = false;
    COLORREF m_bar = CLR_DEFAULT;
    COLORREF m_back = CLR_DEFAULT;
};

QWidget* MakeProgress(HWND, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* w = new ProgressWidget(parent);
    if (cs.style & PBS_VERTICAL)
        w->setOrientation(Qt::Vertical);
    return w;
}

BOOL ProgressProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<ProgressWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    switch (message)
    {
    case PBM_SETRANGE:
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(w->m_low), static_cast<WORD>(w->m_high)));
        w->m_low = LOWORD(static_cast<uintptr_t>(lParam));
        w->m_high = HIWORD(static_cast<uintptr_t>(lParam));
        w->Move(w->m_pos);
        return TRUE;
    case PBM_SETRANGE32:
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(w->m_low), static_cast<WORD>(w->m_high)));
        w->m_low = static_cast<int>(static_cast<intptr_t>(wParam));
        w->m_high = static_cast<int>(lParam);
        w->Move(w->m_pos);
        return TRUE;
    case PBM_GETRANGE:
        if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
        {
            range->iLow = w->m_low;
            range->iHigh = w->m_high;
        }
        result = wParam ? w->m_low : w->m_high;
        return TRUE;
    case PBM_SETPOS:
        result = w->Move(static_cast<int>(static_cast<intptr_t>(wParam)));
        return TRUE;
    case PBM_DELTAPOS:
        result = w->Move(w->m_pos + static_cast<int>(static_cast<intptr_t>(wParam)));
        return TRUE;
    case PBM_GETPOS:
        result = w->m_pos;
        return TRUE;
    case PBM_SETSTEP:
        result = w->m_step;
        w->m_step = static_cast<int>(static_cast<intptr_t>(wParam));
        return TRUE;
    case PBM_GETSTEP:
        result = w->m_step;
        return TRUE;
    case PBM_STEPIT: {
        result = w->m_pos;
        const int low = std::min(w->m_low, w->m_high);
        const int high = std::max(w->m_low, w->m_high);
        int pos = w->m_pos + w->m_step;
        // Past one end, the bar starts over from the other.
        if (high > low)
        {
            if (pos > high)
                pos = low + (pos - high);
            else if (pos < low)
                pos = high - (low - pos);
        }
        w->Move(pos);
        return TRUE;
    }
    case PBM_SETBARCOLOR:
        result = static_cast<LRESULT>(w->m_bar);
        w->m_bar = static_cast<COLORREF>(lParam);
        w->ApplyColours();
        return TRUE;
    case PBM_SETBKCOLOR:
        result = static_cast<LRESULT>(w->m_back);
        w->m_back = static_cast<COLORREF>(lParam);
        w->ApplyColours();
        return TRUE;
    case PBM_GETBARCOLOR:
        result = static_cast<LRESULT>(w->m_bar);
        return TRUE;
    case PBM_GETBKCOLOR:
        result = static_cast<LRESULT>(w->m_back);
        return TRUE;
    case PBM_SETMARQUEE:
        w->m_marquee = wParam != 0 && (GetWindowLong(pWnd->GetSafeHwnd(), GWL_STYLE) & PBS_MARQUEE);
        w->Sync();
        result = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

const struct ProgressClassRegistrar
{
    ProgressClassRegistrar() { AfxRegisterControlClass(PROGRESS_CLASS, &MakeProgress, &ProgressProc); }
} progressClassRegistrar;

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}
} // namespace

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    Send(this, PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nLower), static_cast<WORD>(nUpper)));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    Send(this, PBM_SETRANGE32, static_cast<WPARAM>(static_cast<intptr_t>(nLower)), nUpper);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range{0, 0};
    Send(this, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const
{
    return static_cast<int>(Send(this, PBM_GETPOS));
}

int CProgressCtrl::SetPos(int nPos)
{
    return static_cast<int>(Send(this, PBM_SETPOS, static_cast<WPARAM>(static_cast<intptr_t>(nPos))));
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return static_cast<int>(Send(this, PBM_DELTAPOS, static_cast<WPARAM>(static_cast<intptr_t>(nPos))));
}

int CProgressCtrl::StepIt()
{
    return static_cast<int>(Send(this, PBM_STEPIT));
}

int CProgressCtrl::SetStep(int nStep)
{
    return static_cast<int>(Send(this, PBM_SETSTEP, static_cast<WPARAM>(static_cast<intptr_t>(nStep))));
}

int CProgressCtrl::GetStep() const
{
    return static_cast<int>(Send(this, PBM_GETSTEP));
}

COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar)
{
    return static_cast<COLORREF>(Send(this, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(clrBar)));
}

COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew)
{
    return static_cast<COLORREF>(Send(this, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(clrNew)));
}

COLORREF CProgressCtrl::GetBarColor() const
{
    return static_cast<COLORREF>(Send(this, PBM_GETBARCOLOR));
}

COLORREF CProgressCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(Send(this, PBM_GETBKCOLOR));
}

BOOL CProgressCtrl::SetMarquee(BOOL fMarqueeMode, int nInterval)
{
    return static_cast<BOOL>(Send(this, PBM_SETMARQUEE, static_cast<WPARAM>(fMarqueeMode), nInterval));
}
