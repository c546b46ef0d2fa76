#include "platform/ui/SliderCtrl.h"

#include <QKeyEvent>
#include <QSlider>

#include <algorithm>

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

namespace
{
class SliderWidget : public QSlider
{
public:
    SliderWidget(HWND hWnd, QWidget* parent) : QSlider(parent), m_hWnd(hWnd)
    {
        setRange(0, 100);
        setSingleStep(1);
        setPageStep(20);
        QObject::connect(this, &QAbstractSlider::actionTriggered, this,
                         [this](int action) { OnAction(action); });
        QObject::connect(this, &QAbstractSlider::sliderReleased, this, [this] {
            Notify(TB_THUMBPOSITION, sliderPosition());
            Notify(TB_ENDTRACK, 0);
        });
    }

    void Notify(UINT code, int pos)
    {
        const HWND parent = GetParent(m_hWnd);
        if (!parent)
            return;
        const UINT message = orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
        SendMessage(parent, message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                    reinterpret_cast<LPARAM>(m_hWnd));
    }

    HWND m_hWnd;
    int m_ticFrequency = 1;
    std::vector<int> m_tics;

protected:
    // The keys as a Windows track bar takes them: Left and Up towards the minimum, Right and
    // Down towards the maximum, and the page keys likewise, whatever the orientation.
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key())
        {
        case Qt::Key_Left:
        case Qt::Key_Up:
            triggerAction(SliderSingleStepSub);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            triggerAction(SliderSingleStepAdd);
            break;
        case Qt::Key_PageUp:
            triggerAction(SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            triggerAction(SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            triggerAction(SliderToMinimum);
            break;
        case Qt::Key_End:
            triggerAction(SliderToMaximum);
            break;
        default:
            event->ignore();
            return;
        }
        event->accept();
    }

private:
    void OnAction(int action)
    {
        // Qt has moved the slider's position (not yet its value) when it reports the action.
        switch (action)
        {
        case QAbstractSlider::SliderSingleStepAdd:
            Notify(TB_LINEDOWN, 0);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            Notify(TB_LINEUP, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            Notify(TB_PAGEDOWN, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            Notify(TB_PAGEUP, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            Notify(TB_TOP, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            Notify(TB_BOTTOM, 0);
            break;
        case QAbstractSlider::SliderMove:
            Notify(TB_THUMBTRACK, sliderPosition());
            return;
        default:
            return;
        }
        Notify(TB_ENDTRACK, 0);
    }
};

void ApplyStyle(SliderWidget* w, DWORD style)
{
    const bool vertical = (style & TBS_VERT) != 0;
    w->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    // Windows puts a vertical track bar's minimum at the top.
    w->setInvertedAppearance(vertical);
    if (style & TBS_NOTICKS)
        w->setTickPosition(QSlider::NoTicks);
    else if (style & TBS_AUTOTICKS)
        w->setTickPosition((style & TBS_BOTH)
                               ? QSlider::TicksBothSides
                               : ((style & TBS_TOP) ? QSlider::TicksAbove : QSlider::TicksBelow));
    else
        w->setTickPosition(QSlider::NoTicks);
}

QWidget* MakeSlider(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* w = new SliderWidget(hWnd, parent);
    ApplyStyle(w, static_cast<DWORD>(cs.style));
    return w;
}

BOOL SliderProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<SliderWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    const QSignalBlocker quiet(w);
    switch (message)
    {
    case TBM_GETPOS:
        result = w->sliderPosition();
        return TRUE;
    case TBM_SETPOS:
        w->setValue(static_cast<int>(lParam));
        return TRUE;
    case TBM_SETRANGE:
        w->setRange(static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam))),
                    static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam))));
        return TRUE;
    case TBM_SETRANGEMIN:
        w->setMinimum(static_cast<int>(lParam));
        return TRUE;
    case TBM_SETRANGEMAX:
        w->setMaximum(static_cast<int>(lParam));
        return TRUE;
    case TBM_GETRANGEMIN:
        result = w->minimum();
        return TRUE;
    case TBM_GETRANGEMAX:
        result = w->maximum();
        return TRUE;
    case TBM_SETLINESIZE:
        result = w->singleStep();
        w->setSingleStep(static_cast<int>(lParam));
        return TRUE;
    case TBM_GETLINESIZE:
        result = w->singleStep();
        return TRUE;
    case TBM_SETPAGESIZE:
        result = w->pageStep();
        w->setPageStep(static_cast<int>(lParam));
        return TRUE;
    case TBM_GETPAGESIZE:
        result = w->pageStep();
        return TRUE;
    case TBM_SETTICFREQ:
        w->m_ticFrequency = std::max(1, static_cast<int>(wParam));
        w->setTickInterval(w->m_ticFrequency);
        return TRUE;
    case TBM_SETTIC:
        if (static_cast<int>(lParam) < w->minimum() || static_cast<int>(lParam) > w->maximum())
            return TRUE;
        w->m_tics.push_back(static_cast<int>(lParam));
        result = TRUE;
        return TRUE;
    case TBM_CLEARTICS:
        w->m_tics.clear();
        return TRUE;
    case TBM_GETNUMTICS:
        // The two ends and the tics between them.
        result = 2 + static_cast<LRESULT>(w->m_tics.size());
        if ((GetWindowLong(pWnd->GetSafeHwnd(), GWL_STYLE) & TBS_AUTOTICKS) && w->m_ticFrequency > 0)
            result = 2 + std::max(0, (w->maximum() - w->minimum() - 1) / w->m_ticFrequency);
        return TRUE;
    case WM_STYLECHANGED:
        ApplyStyle(w, static_cast<DWORD>(GetWindowLong(pWnd->GetSafeHwnd(), GWL_STYLE)));
        return FALSE;
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS;
        return TRUE;
    default:
        return FALSE;
    }
}

const struct SliderClassRegistrar
{
    SliderClassRegistrar() { AfxRegisterControlClass(TRACKBAR_CLASS, &MakeSlider, &SliderProc); }
} sliderClassRegistrar;

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}
} // namespace

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetPos() const
{
    return static_cast<int>(Send(this, TBM_GETPOS));
}

void CSliderCtrl::SetPos(int nPos)
{
    Send(this, TBM_SETPOS, TRUE, nPos);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    Send(this, TBM_SETRANGEMIN, FALSE, nMin);
    Send(this, TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw)
{
    Send(this, TBM_SETRANGEMIN, static_cast<WPARAM>(bRedraw), nMin);
}

void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw)
{
    Send(this, TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}

int CSliderCtrl::GetRangeMin() const
{
    return static_cast<int>(Send(this, TBM_GETRANGEMIN));
}

int CSliderCtrl::GetRangeMax() const
{
    return static_cast<int>(Send(this, TBM_GETRANGEMAX));
}

int CSliderCtrl::SetLineSize(int nSize)
{
    return static_cast<int>(Send(this, TBM_SETLINESIZE, 0, nSize));
}

int CSliderCtrl::GetLineSize() const
{
    return static_cast<int>(Send(this, TBM_GETLINESIZE));
}

int CSliderCtrl::SetPageSize(int nSize)
{
    return static_cast<int>(Send(this, TBM_SETPAGESIZE, 0, nSize));
}

int CSliderCtrl::GetPageSize() const
{
    return static_cast<int>(Send(this, TBM_GETPAGESIZE));
}

void CSliderCtrl::SetTicFreq(int nFreq)
{
    Send(this, TBM_SETTICFREQ, static_cast<WPARAM>(nFreq));
}

BOOL CSliderCtrl::SetTic(int nTic)
{
    return static_cast<BOOL>(Send(this, TBM_SETTIC, 0, nTic));
}

void CSliderCtrl::ClearTics(BOOL bRedraw)
{
    Send(this, TBM_CLEARTICS, static_cast<WPARAM>(bRedraw));
}

UINT CSliderCtrl::GetNumTics() const
{
    return static_cast<UINT>(Send(this, TBM_GETNUMTICS));
}
