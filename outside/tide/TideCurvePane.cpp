#include "outside/tide/TideCurvePane.h"

#include "foundation/GridLook.h"
#include "foundation/WindowMessages.h"
#include "marevo/Clearance.h"
#include "marevo/NP159.h"
#include "marevo/TideCalendar.h"
#include "marevo/TimeZone.h"
#include "outside/tide/TideText.h"
#include "platform/ui/WindowDc.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace
{
constexpr int kChooserHeight = 24;
constexpr int kDropHeight = 300;
constexpr double kDaySeconds = 86400.0;
} // namespace

BEGIN_MESSAGE_MAP(CTideCurveGraph, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTideCurveGraph::OnPaint()
{
    CPaintDC dc(this);
    if (m_pPane != nullptr)
        m_pPane->Draw(dc);
}

BOOL CTideCurveGraph::OnEraseBkgnd(CDC*)
{
    // The whole window is painted over.
    return TRUE;
}

BEGIN_MESSAGE_MAP(CTideCurvePane, CMyDockablePane)
ON_WM_SIZE()
ON_CBN_SELCHANGE(CTideCurvePane::IDC_CURVE_DAY, &CTideCurvePane::OnDaySelChange)
END_MESSAGE_MAP()

CTideCurvePane::~CTideCurvePane()
{
    m_Graph.DestroyWindow();
    m_Day.DestroyWindow();
    m_Font.DeleteObject();
}

BOOL CTideCurvePane::Create(CWnd* pOwner, int nID, CNP159* pData, CStandardPortList* pPorts, CTimeZone* pZone,
                            CClearance* pClearance)
{
    m_pData = pData;
    m_pPorts = pPorts;
    m_pZone = pZone;
    m_pClearance = pClearance;
    if (!CMyDockablePane::Create(pOwner, nID, "Tide Curve"))
        return FALSE;
    if (!m_Day.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 100, kDropHeight), this,
                      IDC_CURVE_DAY))
        return FALSE;
    m_Graph.m_pPane = this;
    if (!m_Graph.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), this, IDC_CURVE_GRAPH))
        return FALSE;
    MakeMessageFont(m_Font);
    FillDays();
    // Today when the data set holds this year, so the pane opens on the tide that matters now.
    const time_t now = time(nullptr);
    struct tm local
    {
    };
    if (m_pData != nullptr && localtime_r(&now, &local) != nullptr && local.tm_year + 1900 == m_pData->m_nYear)
        SetDay(local.tm_yday);
    else
        SetDay(0);
    AdjustLayout();
    return TRUE;
}

int CTideCurvePane::DaysInYear() const
{
    if (m_pData == nullptr || m_pData->m_nYear < 1 || m_pData->m_nYear > 9999)
        return 0;
    return DaysInGregorianYear(m_pData->m_nYear);
}

void CTideCurvePane::FillDays()
{
    const int year = m_pData != nullptr ? m_pData->m_nYear : 0;
    if (year == m_nFilledYear || m_Day.GetSafeHwnd() == nullptr)
        return;
    m_nFilledYear = year;
    m_Day.ResetContent();
    for (int i = 0; i < DaysInYear(); ++i)
        m_Day.AddString(TideDayOfYearText(year, i));
    m_nDay = std::clamp(m_nDay, 0, std::max(0, DaysInYear() - 1));
    m_Day.SetCurSel(DaysInYear() > 0 ? m_nDay : -1);
}

void CTideCurvePane::SetPortIndex(int index)
{
    if (m_pData != nullptr && m_pData->m_pPorts != nullptr && index >= 0 && index < m_pData->m_pPorts->GetSize())
        m_pData->m_nCurrentPort = index;
    FillDays();
    if (m_Graph.GetSafeHwnd() != nullptr)
        m_Graph.Invalidate(TRUE);
}

void CTideCurvePane::SetDay(int index)
{
    FillDays();
    m_nDay = std::clamp(index, 0, std::max(0, DaysInYear() - 1));
    if (m_Day.GetSafeHwnd() != nullptr)
        m_Day.SetCurSel(DaysInYear() > 0 ? m_nDay : -1);
    if (m_Graph.GetSafeHwnd() != nullptr)
        m_Graph.Invalidate(TRUE);
}

void CTideCurvePane::OnDaySelChange()
{
    const int chosen = m_Day.GetCurSel();
    if (chosen < 0)
        return;
    m_nDay = chosen;
    m_Graph.Invalidate(TRUE);
    if (m_pOwner != nullptr)
        m_pOwner->PostMessage(UM_NP159_TIDE_CURVE, 0, static_cast<LPARAM>(-1));
}

std::vector<std::pair<double, double>> CTideCurvePane::DaySamples()
{
    std::vector<std::pair<double, double>> samples;
    if (m_pData == nullptr || DaysInYear() == 0 || m_pData->m_TidalFactors.GetSize() == 0)
        return samples;
    const CTidalPort* port = m_pData->GetCurrentPort();
    if (port == nullptr)
        return samples;
    const bool ut = m_pZone != nullptr && m_pZone->GetZone() == CTimeZone::ZONE_UT;
    const double shift = ut ? static_cast<double>(port->m_nTimeZone) : 0.0;
    const double dayStart = m_pData->m_dStart + m_nDay * kDaySeconds;
    for (INT_PTR i = 0; i < port->m_Curve.GetSize(); ++i)
    {
        const TideDataDef& sample = port->m_Curve.GetAt(i);
        const double seconds = sample.dTime - shift - dayStart;
        if (seconds >= 0.0 && seconds <= kDaySeconds && std::isfinite(sample.dHeight))
            samples.emplace_back(seconds, sample.dHeight);
    }
    return samples;
}

bool CTideCurvePane::ClearanceHeight(double* height) const
{
    if (m_pClearance == nullptr || !m_pClearance->m_bClearance)
        return false;
    const double value = m_pClearance->m_dValue[0] + m_pClearance->m_dValue[1] + m_pClearance->m_dValue[2];
    if (!std::isfinite(value))
        return false;
    *height = value;
    return true;
}

CRect CTideCurvePane::PlotRect() const
{
    CRect client(0, 0, 0, 0);
    if (m_Graph.GetSafeHwnd() != nullptr)
        m_Graph.GetClientRect(&client);
    return CRect(client.left + kLeftMargin, client.top + kTopMargin,
                 std::max(client.left + kLeftMargin + 1, static_cast<int>(client.right) - kRightMargin),
                 std::max(client.top + kTopMargin + 1, static_cast<int>(client.bottom) - kBottomMargin));
}

bool CTideCurvePane::HeightSpan(double* low, double* high)
{
    const auto samples = DaySamples();
    if (samples.empty())
        return false;
    double lo = samples.front().second, hi = lo;
    for (const auto& sample : samples)
    {
        lo = std::min(lo, sample.second);
        hi = std::max(hi, sample.second);
    }
    double clearance = 0.0;
    if (ClearanceHeight(&clearance))
    {
        lo = std::min(lo, clearance);
        hi = std::max(hi, clearance);
    }
    // A flat day still gets an axis a metre tall, so nothing divides by zero.
    if (hi - lo < 1e-6)
    {
        lo -= 0.5;
        hi += 0.5;
    }
    *low = lo;
    *high = hi;
    return true;
}

int CTideCurvePane::TimeToX(double seconds) const
{
    const CRect plot = PlotRect();
    return plot.left + static_cast<int>(std::lround(seconds / kDaySeconds * (plot.Width() - 1)));
}

int CTideCurvePane::HeightToY(double height, double low, double high) const
{
    const CRect plot = PlotRect();
    return plot.bottom - 1 - static_cast<int>(std::lround((height - low) / (high - low) * (plot.Height() - 1)));
}

void CTideCurvePane::Draw(CDC& dc)
{
    FillDays();
    CRect client;
    m_Graph.GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    CFont* oldFont = dc.SelectObject(&m_Font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));

    double low = 0.0, high = 0.0;
    if (!HeightSpan(&low, &high))
    {
        const CString text("No data");
        const CSize size = dc.GetTextExtent(text);
        dc.TextOut(client.CenterPoint().x - size.cx / 2, client.CenterPoint().y - size.cy / 2, text);
        dc.SelectObject(oldFont);
        return;
    }
    const CRect plot = PlotRect();
    CPen axisPen(PS_SOLID, 1, RGB(96, 96, 96));
    CPen tickPen(PS_SOLID, 1, RGB(208, 208, 208));
    CPen* oldPen = dc.SelectObject(&tickPen);
    for (int hour = 0; hour <= 24; ++hour)
    {
        const int x = TimeToX(hour * 3600.0);
        dc.MoveTo(x, plot.top);
        dc.LineTo(x, plot.bottom);
        if (hour % 3 == 0)
        {
            CString label;
            label.Format("%02d", hour);
            const CSize size = dc.GetTextExtent(label);
            dc.TextOut(x - size.cx / 2, plot.bottom + 4, label);
        }
    }
    dc.SelectObject(&axisPen);
    dc.MoveTo(plot.left, plot.top);
    dc.LineTo(plot.left, plot.bottom - 1);
    dc.LineTo(plot.right, plot.bottom - 1);
    const int decimals = m_pZone != nullptr ? m_pZone->GetHeightDecimals() : 2;
    for (double height : {low, high})
    {
        const CString label = TideNumberText(height, decimals) + " m";
        const CSize size = dc.GetTextExtent(label);
        dc.TextOut(plot.left - size.cx - 4, HeightToY(height, low, high) - size.cy / 2, label);
    }

    double clearance = 0.0;
    CPen clearancePen(PS_DASH, 1, kClearanceColour);
    if (ClearanceHeight(&clearance))
    {
        dc.SelectObject(&clearancePen);
        const int y = HeightToY(clearance, low, high);
        dc.MoveTo(plot.left, y);
        dc.LineTo(plot.right, y);
    }

    CPen curvePen(PS_SOLID, 2, kCurveColour);
    dc.SelectObject(&curvePen);
    std::vector<POINT> points;
    for (const auto& sample : DaySamples())
        points.push_back({TimeToX(sample.first), HeightToY(sample.second, low, high)});
    if (points.size() >= 2)
        dc.Polyline(points.data(), static_cast<int>(points.size()));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void CTideCurvePane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_Day.GetSafeHwnd() == nullptr || m_Graph.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_Day.SetWindowPos(nullptr, client.left, client.top, client.Width(), kDropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    m_Graph.SetWindowPos(nullptr, client.left, client.top + kChooserHeight, client.Width(),
                         std::max(0, client.Height() - kChooserHeight), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTideCurvePane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}
