#include "outside/alpha/LargeGpsPane.h"

#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"
#include "geodesy/Gps.h"

#include <algorithm>

namespace
{
const UINT_PTR kTimeoutTimer = 1;
const char* const kLargeLabels[CLargeGpsPane::ROW_COUNT] = {"Latitude",   "Longitude", "Height",     "Quality",
                                                       "Satellites", "HDOP",      "Time (UTC)", "Date"};
const char* const kNoValue = "n/a";
} // namespace

BEGIN_MESSAGE_MAP(CLargeGpsPane, CGpsPane)
ON_WM_TIMER()
END_MESSAGE_MAP()

CLargeGpsPane::CLargeGpsPane()
{
    for (CString& value : m_Values)
        value = kNoValue;
}

CLargeGpsPane::~CLargeGpsPane()
{
    if (GetSafeHwnd())
        KillTimer(kTimeoutTimer);
}

BOOL CLargeGpsPane::Create(CGps* pGps, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                           BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                           DWORD dwControlBarStyle)
{
    m_pGps = pGps;
    return Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwControlBarStyle);
}

BOOL CLargeGpsPane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                           UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle,
                           CCreateContext* pContext)
{
    if (!CGpsPane::Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                          dwControlBarStyle, pContext))
        return FALSE;
    // A receiver that falls silent sends nothing, so the pane looks for itself.
    SetTimer(kTimeoutTimer, TIMEOUT_CHECK_MS);
    if (m_pGps)
        Update();
    return TRUE;
}

const char* CLargeGpsPane::GetLabel(int row)
{
    return row >= 0 && row < ROW_COUNT ? kLargeLabels[row] : "";
}

CString CLargeGpsPane::QualityText(int quality)
{
    switch (quality)
    {
    case 0:
        return "No Fix";
    case 1:
        return "GPS";
    case 2:
        return "DGPS";
    case 3:
        return "PPS";
    case 4:
        return "RTK Fixed";
    case 5:
        return "RTK Float";
    case 6:
        return "Estimated";
    case 7:
        return "Manual";
    case 8:
        return "Simulation";
    default: {
        CString text;
        text.Format("%d", quality);
        return text;
    }
    }
}

void CLargeGpsPane::Update(CGps* pGps)
{
    if (pGps != nullptr)
        m_pGps = pGps;
    Update();
}

void CLargeGpsPane::Update()
{
    CGps* gps = m_pGps;
    if (gps == nullptr)
        return;
    if (gps->m_PositionSource == -1 && gps->m_Wgs84Latitude == 0.0 && gps->m_Wgs84Longitude == 0.0)
    {
        // No position has come yet: a position of 0, 0 would be a lie.
        m_Values[ROW_LATITUDE] = kNoValue;
        m_Values[ROW_LONGITUDE] = kNoValue;
        m_Values[ROW_HEIGHT] = kNoValue;
    }
    else
    {
        m_Values[ROW_LATITUDE] = FormatAngle(gps->m_Wgs84Latitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE);
        m_Values[ROW_LONGITUDE] =
            FormatAngle(gps->m_Wgs84Longitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE);
        m_Values[ROW_HEIGHT].Format("%.3f m", gps->m_Wgs84Height);
    }
    m_Values[ROW_QUALITY] = QualityText(gps->m_PositionQuality);
    m_Values[ROW_SATELLITES].Format("%d", static_cast<int>(gps->m_SatellitesUsed));
    m_Values[ROW_HDOP].Format("%.1f", gps->m_Hdop);
    m_Values[ROW_TIME] = FormatTimeOfDay(gps->m_UtcSeconds);
    m_Values[ROW_DATE] = gps->m_DateText.IsEmpty() ? CString(kNoValue) : gps->m_DateText;
    m_bTimedOut = gps->IsTimedOut();
    Redraw();
}

void CLargeGpsPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimeoutTimer || m_pGps == nullptr)
        return;
    const bool timedOut = m_pGps->IsTimedOut();
    if (timedOut != m_bTimedOut)
    {
        m_bTimedOut = timedOut;
        Redraw();
    }
}

CRect CLargeGpsPane::ValueRect(const CRect& rcClient, int row) const
{
    const int rowHeight = std::max(1, rcClient.Height() / ROW_COUNT);
    const int labelWidth = rcClient.Width() * 3 / 10;
    const int top = rcClient.top + row * rowHeight;
    return CRect(rcClient.left + labelWidth, top, rcClient.right - 4, top + rowHeight);
}

void CLargeGpsPane::Draw(CDC* pDC, const CRect& rcClient)
{
    pDC->FillSolidRect(&rcClient, BackColour());
    pDC->SetBkMode(TRANSPARENT);
    const int rowHeight = std::max(1, rcClient.Height() / ROW_COUNT);
    // As large as the rows allow, and small enough that the widest value fits.
    const int textHeight = std::max(8, std::min(rowHeight * 6 / 10, rcClient.Width() / 16));
    CPaneFont labelFont(pDC, std::max(8, textHeight * 2 / 3));
    for (int row = 0; row < ROW_COUNT; ++row)
    {
        const CRect value = ValueRect(rcClient, row);
        CRect label(rcClient.left + 4, value.top, value.left - 4, value.bottom);
        pDC->SetTextColor(TextColour());
        pDC->DrawText(kLargeLabels[row], -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    CPaneFont valueFont(pDC, textHeight, true);
    pDC->SetTextColor(m_bTimedOut ? TimeoutColour() : TextColour());
    for (int row = 0; row < ROW_COUNT; ++row)
    {
        CRect value = ValueRect(rcClient, row);
        pDC->DrawText(m_Values[row], &value, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
