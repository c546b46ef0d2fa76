#include "outside/alpha/AlphaView.h"

#include "platform/ui/GdiObject.h"
#include "platform/ui/WindowDc.h"

BEGIN_MESSAGE_MAP(CAlphaView, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CAlphaView::Create(CWnd* parent)
{
    return CWnd::Create(nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), parent, 0);
}

void CAlphaView::SetSettings(int textHeight, COLORREF background, bool border)
{
    m_nTextHeight = textHeight;
    m_Background = background;
    m_bBorder = border;
    if (GetSafeHwnd())
        Invalidate();
}

BOOL CAlphaView::OnEraseBkgnd(CDC*)
{
    // The paint covers the whole box.
    return TRUE;
}

void CAlphaView::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, m_Background);
    if (m_bBorder)
    {
        CPen pen(PS_SOLID, 1, 0x808080);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(client.left, client.top);
        dc.LineTo(client.right - 1, client.top);
        dc.LineTo(client.right - 1, client.bottom - 1);
        dc.LineTo(client.left, client.bottom - 1);
        dc.LineTo(client.left, client.top);
        dc.SelectObject(old);
    }
    Draw(&dc, client);
}
