#include "outside/gps/SatelliteBarPane.h"

#include "platform/ui/GdiObject.h"

#include <algorithm>

namespace
{
const int kLeftMargin = 30;
const int kRightMargin = 6;
const int kTopMargin = 20;
const int kBottomMargin = 18;
const int kMaxBarWidth = 36;
} // namespace

CSatelliteBarPane::CSatelliteBarPane(const char* title, int scale) : m_pszTitle(title), m_nScale(scale) {}

CRect CSatelliteBarPane::PlotRect(const CRect& rcClient) const
{
    return CRect(rcClient.left + kLeftMargin, rcClient.top + kTopMargin,
                 std::max(rcClient.left + kLeftMargin + 1, rcClient.right - kRightMargin),
                 std::max(rcClient.top + kTopMargin + 1, rcClient.bottom - kBottomMargin));
}

CRect CSatelliteBarPane::BarRect(const CRect& rcClient, int i) const
{
    const CRect plot = PlotRect(rcClient);
    const int count = std::max(1, GetSatelliteCount());
    const int slot = plot.Width() / count;
    const int width = std::max(2, std::min(kMaxBarWidth, slot * 3 / 4));
    const int left = plot.left + i * slot + (slot - width) / 2;
    const int value = std::clamp(BarValue(GetSatellite(i)), 0, m_nScale);
    const int height = plot.Height() * value / m_nScale;
    return CRect(left, plot.bottom - height, left + width, plot.bottom);
}

void CSatelliteBarPane::Draw(CDC* pDC, const CRect& rcClient)
{
    pDC->FillSolidRect(&rcClient, BackColour());
    pDC->SetBkMode(TRANSPARENT);
    const CRect plot = PlotRect(rcClient);
    CPaneFont font(pDC, 10);

    // Scale lines at quarters, with their values on the left.
    CPen grid(PS_SOLID, 1, GridColour());
    CPen* old = pDC->SelectObject(&grid);
    pDC->SetTextColor(TextColour());
    for (int q = 0; q <= 4; ++q)
    {
        const int y = plot.bottom - plot.Height() * q / 4;
        pDC->MoveTo(plot.left, y);
        pDC->LineTo(plot.right, y);
        // A low plot labels only its ends, a very low one nothing.
        if (plot.Height() < 28 || (plot.Height() < 60 && q != 0 && q != 4))
            continue;
        CString label;
        label.Format("%d", m_nScale * q / 4);
        CRect rc(rcClient.left, y - 7, plot.left - 3, y + 7);
        pDC->DrawText(label, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    pDC->SelectObject(old);
    CRect rcTitle(plot.left, rcClient.top + 2, plot.right, plot.top - 2);
    pDC->DrawText(m_pszTitle, -1, &rcTitle, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    for (int i = 0; i < GetSatelliteCount(); ++i)
    {
        const SatelliteDef& sat = GetSatellite(i);
        const CRect bar = BarRect(rcClient, i);
        if (!bar.IsRectEmpty())
            pDC->FillSolidRect(&bar, sat.bUsed ? UsedColour() : UnusedColour());
        pDC->SetTextColor(TextColour());
        CString prn;
        prn.Format("%d", static_cast<int>(sat.nPrn));
        CRect rcPrn(bar.left - 6, plot.bottom + 2, bar.right + 6, rcClient.bottom);
        pDC->DrawText(prn, &rcPrn, DT_CENTER | DT_TOP | DT_SINGLELINE);
        CString value;
        value.Format("%d", BarValue(sat));
        CRect rcValue(bar.left - 6, bar.top - 14, bar.right + 6, bar.top);
        pDC->DrawText(value, &rcValue, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    }
}
