#include "foundation/ColourButton.h"

#include "platform/ui/Dc.h"

IMPLEMENT_DYNAMIC(CColourButton, CMFCButton)

BEGIN_MESSAGE_MAP(CColourButton, CMFCButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CColourButton::CColourButton()
{
    SetNightMode(FALSE);
}

void CColourButton::SetNightMode(BOOL bNight)
{
    m_bNight = bNight;
    const COLORREF* set = bNight ? kNightColours : kDayColours;
    m_FaceColour = set[0];
    m_PressedColour = set[1];
    m_TextColour = set[2];
    m_HoverColour = set[3];
    m_HoverTextColour = set[4];
    m_CurrentFaceColour = set[5];
    m_CurrentPressedColour = set[6];
    m_CurrentTextColour = set[7];
    if (GetSafeHwnd())
        Invalidate();
}

void CColourButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    CRect rc(lpDrawItemStruct->rcItem);
    const bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(rc, pressed ? m_CurrentPressedColour : m_CurrentFaceColour);
    pDC->DrawEdge(rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    CString text;
    GetWindowText(text);
    CRect textRect(rc);
    textRect.DeflateRect(5, 0);
    // The height of the wrapped text first, so that it can be centred vertically.
    CRect measure(textRect);
    const int height = pDC->DrawText(text, measure, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    textRect.top = rc.top + (rc.Height() - height) / 2;
    textRect.bottom = textRect.top + height;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(m_CurrentTextColour);
    pDC->DrawText(text, textRect, DT_CENTER | DT_WORDBREAK);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);

    if (lpDrawItemStruct->itemState & ODS_FOCUS)
    {
        CRect focus(rc);
        focus.DeflateRect(5, 5);
        pDC->DrawFocusRect(focus);
    }
}

void CColourButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_CurrentFaceColour != m_HoverColour || m_CurrentTextColour != m_HoverTextColour ||
        m_CurrentPressedColour != m_HoverColour)
    {
        m_CurrentFaceColour = m_HoverColour;
        m_CurrentPressedColour = m_HoverColour;
        m_CurrentTextColour = m_HoverTextColour;
        Invalidate();
    }
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&track);
    CMFCButton::OnMouseMove(nFlags, point);
}

void CColourButton::OnMouseLeave()
{
    m_CurrentFaceColour = m_FaceColour;
    m_CurrentPressedColour = m_PressedColour;
    m_CurrentTextColour = m_TextColour;
    Invalidate();
    CMFCButton::OnMouseLeave();
}
