#include "outside/panes/PropertyGridScrollbar.h"

#include "platform/ui/Dc.h"

#include <algorithm>

CMFCPropertyGridScrollbar::CMFCPropertyGridScrollbar(const CString& strName, int nValue, int nMaximum, bool bNight,
                                                     LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(nValue)), lpszDescr, dwData),
      m_nMaximum(nMaximum), m_bNight(bNight)
{
    AllowEdit(FALSE);
}

void CMFCPropertyGridScrollbar::SetValue(int nValue)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(static_cast<long>(nValue)));
}

void CMFCPropertyGridScrollbar::SetMaximum(int nMaximum)
{
    m_nMaximum = nMaximum;
    Redraw();
}

void CMFCPropertyGridScrollbar::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    Redraw();
}

double CMFCPropertyGridScrollbar::GetFilledShare() const
{
    if (m_nMaximum <= 0)
        return 0.0;
    return std::clamp(static_cast<double>(GetLevel()) / m_nMaximum, 0.0, 1.0);
}

CString CMFCPropertyGridScrollbar::FormatProperty()
{
    CString text;
    text.Format("%d", GetLevel());
    return text;
}

BOOL CMFCPropertyGridScrollbar::OnEdit(LPPOINT)
{
    return FALSE;
}

void CMFCPropertyGridScrollbar::OnDrawValue(CDC* pDC, CRect rect)
{
    CRect track = rect;
    track.DeflateRect(2, 3);
    if (track.Width() <= 2 || track.Height() <= 2)
        return;
    pDC->FillSolidRect(&track, m_bNight ? 0x202020 : 0xD8D8D8);
    CRect filled = track;
    filled.right = track.left + static_cast<int>(track.Width() * GetFilledShare() + 0.5);
    if (filled.Width() > 0)
        pDC->FillSolidRect(&filled, GetBarColour());
    pDC->Draw3dRect(&track, 0x808080, 0x808080);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_bNight ? 0xC0C0C0 : 0x000000);
    CRect t = track;
    t.DeflateRect(4, 0);
    pDC->DrawText(FormatProperty(), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}
