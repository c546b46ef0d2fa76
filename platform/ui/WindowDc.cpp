#include "platform/ui/WindowDc.h"

#include "platform/ui/Colour.h"
#include "platform/ui/WndPrivate.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace
{
// Starts drawing on the window's surface; the bridge drawn on, or null.
CWndBridge* BeginSurface(CWnd* pWnd, CDC& dc, const std::function<BOOL(QPaintDevice*)>& attach)
{
    CWndBridge* b = pWnd ? CWndBridge::FromHandle(pWnd->GetSafeHwnd()) : nullptr;
    if (!b || !b->widget)
        return nullptr;
    QImage& surface = b->Surface();
    // A window of no size has no surface: there is nothing to draw on, and a painter begun on
    // nothing only says so on standard error.
    if (surface.isNull() || !attach(&surface))
        return nullptr;
    ++b->painters;
    return b;
}

void EndSurface(HWND hWnd, const QRect& changed)
{
    CWndBridge* b = CWndBridge::FromHandle(hWnd);
    if (!b)
        return;
    if (b->painters > 0)
        --b->painters;
    // Inside the widget's paint event the surface is shown right after; otherwise later.
    if (!b->inQtPaint && b->widget)
    {
        if (changed.isEmpty())
            b->widget->update();
        else
            b->widget->update(changed);
    }
}
} // namespace

CPaintDC::CPaintDC(CWnd* pWnd)
{
    CWndBridge* b = BeginSurface(pWnd, *this, [this](QPaintDevice* d) { return AttachDevice(d); });
    if (!b)
        return;
    m_hWnd = pWnd->GetSafeHwnd();
    m_ps.hdc = m_hDC;
    const QRegion region = b->invalid.isEmpty() ? QRegion(b->ClientRect()) : b->invalid;
    const QRect box = region.boundingRect();
    m_ps.rcPaint = ToCRect(box);
    IntersectClipRect(&m_ps.rcPaint);
    b->invalid = QRegion();
    if (b->erasePending)
    {
        b->erasePending = false;
        const LRESULT erased = ::SendMessage(m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(m_hDC), 0);
        m_ps.fErase = erased ? FALSE : TRUE;
    }
}

CPaintDC::~CPaintDC()
{
    if (!m_hWnd)
        return;
    ReleaseDevice();
    EndSurface(m_hWnd, ToQRect(m_ps.rcPaint));
}

CClientDC::CClientDC(CWnd* pWnd)
{
    if (BeginSurface(pWnd, *this, [this](QPaintDevice* d) { return AttachDevice(d); }))
        m_hWnd = pWnd->GetSafeHwnd();
}

CClientDC::~CClientDC()
{
    if (!m_hWnd)
        return;
    ReleaseDevice();
    EndSurface(m_hWnd, QRect());
}

CWindowDC::CWindowDC(CWnd* pWnd)
{
    if (BeginSurface(pWnd, *this, [this](QPaintDevice* d) { return AttachDevice(d); }))
        m_hWnd = pWnd->GetSafeHwnd();
}

CWindowDC::~CWindowDC()
{
    if (!m_hWnd)
        return;
    ReleaseDevice();
    EndSurface(m_hWnd, QRect());
}
