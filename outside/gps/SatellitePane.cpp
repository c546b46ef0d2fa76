#include "outside/gps/SatellitePane.h"

#include "platform/ui/GdiObject.h"

#include <algorithm>
#include <cmath>

namespace
{
const double kDegToRad = 0.017453292519943;
const int kLabelRoom = 16; // room for the N, E, S, W letters around the horizon
const int kSmallestLabelledDisc = 7; // a PRN in the 9-pixel font fits a disc of this radius
} // namespace

void CSatellitePane::GetSky(const CRect& rcClient, CPoint& centre, int& radius) const
{
    centre = rcClient.CenterPoint();
    radius = std::max(10, std::min(rcClient.Width(), rcClient.Height()) / 2 - kLabelRoom);
}

CPoint CSatellitePane::SatellitePoint(const CRect& rcClient, int i) const
{
    const SatelliteDef& sat = GetSatellite(i);
    CPoint centre;
    int radius;
    GetSky(rcClient, centre, radius);
    const double elevation = std::clamp(sat.nElevation, 0, 90);
    const double r = radius * (90.0 - elevation) / 90.0;
    const double azimuth = sat.nAzimuth * kDegToRad;
    return CPoint(centre.x + static_cast<int>(std::lround(r * std::sin(azimuth))),
                  centre.y - static_cast<int>(std::lround(r * std::cos(azimuth))));
}

int CSatellitePane::GetMinimumHeight() const
{
    return 2 * (MIN_SKY_RADIUS + kLabelRoom);
}

int CSatellitePane::DiscRadius(const CRect& rcClient) const
{
    CPoint centre;
    int radius;
    GetSky(rcClient, centre, radius);
    return std::clamp(radius / 8, 3, static_cast<int>(DISC_RADIUS));
}

void CSatellitePane::Draw(CDC* pDC, const CRect& rcClient)
{
    pDC->FillSolidRect(&rcClient, BackColour());
    pDC->SetBkMode(TRANSPARENT);
    CPoint c;
    int radius;
    GetSky(rcClient, c, radius);

    // Elevation rings at 0, 30 and 60 degrees and the four cardinal lines.
    CPen grid(PS_SOLID, 1, GridColour());
    CPen* old = pDC->SelectObject(&grid);
    pDC->SelectStockObject(NULL_BRUSH);
    for (int elevation = 0; elevation < 90; elevation += 30)
    {
        const int r = radius * (90 - elevation) / 90;
        pDC->Ellipse(c.x - r, c.y - r, c.x + r + 1, c.y + r + 1);
    }
    pDC->MoveTo(c.x - radius, c.y);
    pDC->LineTo(c.x + radius + 1, c.y);
    pDC->MoveTo(c.x, c.y - radius);
    pDC->LineTo(c.x, c.y + radius + 1);
    pDC->SelectObject(old);

    CPaneFont font(pDC, 11, true);
    pDC->SetTextColor(TextColour());
    struct Cardinal
    {
        const char* letter;
        int dx, dy;
    };
    const Cardinal cardinals[] = {{"N", 0, -1}, {"E", 1, 0}, {"S", 0, 1}, {"W", -1, 0}};
    for (const Cardinal& k : cardinals)
    {
        const int x = c.x + k.dx * (radius + kLabelRoom / 2);
        const int y = c.y + k.dy * (radius + kLabelRoom / 2);
        CRect rc(x - 8, y - 8, x + 8, y + 8);
        pDC->DrawText(k.letter, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    const int disc = DiscRadius(rcClient);
    for (int i = 0; i < GetSatelliteCount(); ++i)
    {
        const SatelliteDef& sat = GetSatellite(i);
        const CPoint p = SatellitePoint(rcClient, i);
        const COLORREF colour = sat.bUsed ? UsedColour() : UnusedColour();
        CBrush brush(colour);
        CPen pen(PS_SOLID, 1, colour);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        CPen* oldPen = pDC->SelectObject(&pen);
        pDC->Ellipse(p.x - disc, p.y - disc, p.x + disc + 1, p.y + disc + 1);
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
        if (disc < kSmallestLabelledDisc)
            continue;
        CString prn;
        prn.Format("%d", static_cast<int>(sat.nPrn));
        pDC->SetTextColor(RGB(255, 255, 255));
        CRect rc(p.x - DISC_RADIUS, p.y - DISC_RADIUS, p.x + DISC_RADIUS + 1, p.y + DISC_RADIUS + 1);
        CPaneFont small(pDC, 9);
        pDC->DrawText(prn, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
