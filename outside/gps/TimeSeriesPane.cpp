#include "outside/gps/TimeSeriesPane.h"

#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "geodesy/Gps.h"
#include "geodesy/Timeout.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Menu.h"

#include <algorithm>
#include <cmath>

namespace
{
const int kPlotLeft = 78;
const int kPlotRight = 8;
const int kPlotTop = 6;
const int kPlotBottom = 18;
const int kPlotGap = 6;
const int kTextHeight = 11;
} // namespace

BEGIN_MESSAGE_MAP(CTimeSeriesPane, CGpsPane)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CTimeSeriesPane::CTimeSeriesPane(std::vector<Series> series, bool stacked)
    : m_Series(std::move(series)), m_bStacked(stacked)
{
    m_YSpans.resize(static_cast<size_t>(GetPlotCount()));
}

void CTimeSeriesPane::Update(CGps* pGps)
{
    UpdateAt(pGps, CTimeout::Now());
}

void CTimeSeriesPane::UpdateAt(CGps* pGps, double time)
{
    if (pGps == nullptr)
        return;
    std::vector<double> values(m_Series.size(), 0.0);
    if (Sample(pGps, values))
        AddSample(time, values);
}

void CTimeSeriesPane::AddSample(double time, const std::vector<double>& values)
{
    if (values.size() != m_Series.size() || !std::isfinite(time))
        return;
    for (double v : values)
        if (!std::isfinite(v))
            return;
    if (!m_Samples.empty() && std::fabs(time - m_Samples.back().time) < SAME_EPOCH)
        m_Samples.back() = {m_Samples.back().time, values};
    else
        m_Samples.push_back({time, values});
    while (m_Samples.size() > MAX_SAMPLES)
        m_Samples.pop_front();
    if (!m_bSpanStartSet)
    {
        m_SpanStart = m_Samples.front().time;
        m_bSpanStartSet = true;
    }
    // Dropped samples take the start of the axis with them.
    m_SpanStart = std::max(m_SpanStart, m_Samples.front().time);
    for (size_t s = 0; s < m_Series.size(); ++s)
    {
        const int plot = PlotOf(static_cast<int>(s));
        Widen(m_YSpans[static_cast<size_t>(plot)], values[s], MinimumSpan(plot), Lowest(plot));
    }
    Redraw();
}

void CTimeSeriesPane::Clear()
{
    m_Samples.clear();
    for (Span& span : m_YSpans)
        span = Span();
    m_SpanStart = 0.0;
    m_bSpanStartSet = false;
    Redraw();
}

void CTimeSeriesPane::ResetTimeSpan()
{
    if (m_Samples.empty())
    {
        m_bSpanStartSet = false;
        m_SpanStart = 0.0;
    }
    else
    {
        m_SpanStart = m_Samples.back().time;
        m_bSpanStartSet = true;
    }
    Redraw();
}

void CTimeSeriesPane::SetYSpan()
{
    for (Span& span : m_YSpans)
        span = Span();
    for (const SampleDef& sample : m_Samples)
    {
        if (sample.time < m_SpanStart)
            continue;
        for (size_t s = 0; s < m_Series.size(); ++s)
        {
            const int plot = PlotOf(static_cast<int>(s));
            Widen(m_YSpans[static_cast<size_t>(plot)], sample.values[s], MinimumSpan(plot), Lowest(plot));
        }
    }
    Redraw();
}

double CTimeSeriesPane::MinimumSpan(int plot) const
{
    if (m_bStacked)
        return m_Series[static_cast<size_t>(plot)].minimumSpan;
    double widest = 0.0;
    for (const Series& s : m_Series)
        widest = std::max(widest, s.minimumSpan);
    return widest;
}

double CTimeSeriesPane::Lowest(int plot) const
{
    double lowest = HUGE_VAL;
    for (int s = 0; s < GetSeriesCount(); ++s)
        if (PlotOf(s) == plot)
            lowest = std::min(lowest, m_Series[static_cast<size_t>(s)].lowest);
    return lowest;
}

int CTimeSeriesPane::Decimals(int plot) const
{
    int decimals = 0;
    for (int s = 0; s < GetSeriesCount(); ++s)
        if (PlotOf(s) == plot)
            decimals = std::max(decimals, m_Series[static_cast<size_t>(s)].decimals);
    return decimals;
}

void CTimeSeriesPane::Widen(Span& span, double value, double minimumSpan, double lowest) const
{
    if (!span.valid)
    {
        span.valid = true;
        span.minimum = value - minimumSpan / 2.0;
        span.maximum = value + minimumSpan / 2.0;
    }
    else if (value < span.minimum || value > span.maximum)
    {
        // A little room beyond the new value, so a slowly drifting value does not rescale the
        // axis at every sample.
        const double margin = (span.maximum - span.minimum) * 0.05;
        if (value < span.minimum)
            span.minimum = value - margin;
        if (value > span.maximum)
            span.maximum = value + margin;
    }
    // No room below what the series can be (no satellites below none): the span moves up.
    if (span.minimum < lowest)
    {
        span.maximum += lowest - span.minimum;
        span.minimum = lowest;
    }
}

CString CTimeSeriesPane::FormatAxisValue(double value, int decimals)
{
    CString text;
    text.Format("%.*f", decimals, value);
    // A small negative value rounds to a zero that keeps its sign.
    if (text.GetLength() > 1 && text[0] == '-' && text.Mid(1).SpanIncluding("0.") == text.Mid(1))
        text = text.Mid(1);
    return text;
}

int CTimeSeriesPane::GetMinimumHeight() const
{
    const int plots = GetPlotCount();
    return kPlotTop + kPlotBottom + plots * MIN_PLOT_HEIGHT + (plots - 1) * kPlotGap;
}

std::vector<CString> CTimeSeriesPane::GetAxisLabels(const CRect& rcClient, int plot) const
{
    std::vector<CString> labels;
    const Span& span = m_YSpans.at(static_cast<size_t>(plot));
    if (!span.valid)
        return labels;
    const int decimals = Decimals(plot);
    labels.push_back(FormatAxisValue(span.maximum, decimals));
    // A middle value where the plot has room for three.
    if (PlotRect(rcClient, plot).Height() >= 5 * kTextHeight)
        labels.push_back(FormatAxisValue((span.maximum + span.minimum) / 2.0, decimals));
    labels.push_back(FormatAxisValue(span.minimum, decimals));
    return labels;
}

bool CTimeSeriesPane::GetYSpan(int plot, double& minimum, double& maximum) const
{
    if (plot < 0 || plot >= GetPlotCount() || !m_YSpans[static_cast<size_t>(plot)].valid)
        return false;
    minimum = m_YSpans[static_cast<size_t>(plot)].minimum;
    maximum = m_YSpans[static_cast<size_t>(plot)].maximum;
    return true;
}

void CTimeSeriesPane::GetTimeAxis(double& start, double& end) const
{
    start = m_SpanStart;
    end = m_Samples.empty() ? start : std::max(start, m_Samples.back().time);
    if (end - start < MIN_TIME_SPAN)
        end = start + MIN_TIME_SPAN;
}

CRect CTimeSeriesPane::PlotRect(const CRect& rcClient, int plot) const
{
    const int plots = GetPlotCount();
    const int top = rcClient.top + kPlotTop;
    const int bottom = rcClient.bottom - kPlotBottom;
    // Below its least height a plot keeps that height; the surface then cuts the last ones.
    const int height = std::max(MIN_PLOT_HEIGHT, (bottom - top - (plots - 1) * kPlotGap) / plots);
    const int y = top + plot * (height + kPlotGap);
    return CRect(rcClient.left + kPlotLeft, y,
                 std::max(rcClient.left + kPlotLeft + 1, rcClient.right - kPlotRight), y + height);
}

CPoint CTimeSeriesPane::ValueToPoint(const CRect& rcClient, int series, double time, double value) const
{
    const int plot = PlotOf(series);
    const CRect rc = PlotRect(rcClient, plot);
    double start, end;
    GetTimeAxis(start, end);
    const Span& span = m_YSpans[static_cast<size_t>(plot)];
    const double low = span.valid ? span.minimum : 0.0;
    const double high = span.valid ? span.maximum : 1.0;
    const double fx = (time - start) / (end - start);
    const double fy = high > low ? (value - low) / (high - low) : 0.5;
    const int x = rc.left + static_cast<int>(std::lround(fx * (rc.Width() - 1)));
    const int y = rc.bottom - 1 - static_cast<int>(std::lround(fy * (rc.Height() - 1)));
    return CPoint(x, y);
}

void CTimeSeriesPane::Draw(CDC* pDC, const CRect& rcClient)
{
    pDC->FillSolidRect(&rcClient, BackColour());
    pDC->SetBkMode(TRANSPARENT);
    CPaneFont font(pDC, kTextHeight);
    for (int plot = 0; plot < GetPlotCount(); ++plot)
        DrawPlot(pDC, rcClient, PlotRect(rcClient, plot), plot);

    // Series lines, clipped to their plot.
    double start, end;
    GetTimeAxis(start, end);
    for (int s = 0; s < GetSeriesCount(); ++s)
    {
        std::vector<POINT> points;
        for (const SampleDef& sample : m_Samples)
            if (sample.time >= start && sample.time <= end)
                points.push_back(
                    ValueToPoint(rcClient, s, sample.time, sample.values[static_cast<size_t>(s)]));
        if (points.empty())
            continue;
        const CRect rc = PlotRect(rcClient, PlotOf(s));
        pDC->SaveDC();
        pDC->IntersectClipRect(&rc);
        CPen pen(PS_SOLID, 2, m_Series[static_cast<size_t>(s)].colour);
        CPen* old = pDC->SelectObject(&pen);
        if (points.size() == 1)
        {
            pDC->MoveTo(points[0]);
            pDC->LineTo(points[0].x + 1, points[0].y);
        }
        else
            pDC->Polyline(points.data(), static_cast<int>(points.size()));
        pDC->SelectObject(old);
        pDC->RestoreDC(-1);
    }

    // Time labels under the last plot.
    const CRect last = PlotRect(rcClient, GetPlotCount() - 1);
    pDC->SetTextColor(TextColour());
    CRect rcText(last.left, last.bottom + 2, last.right, rcClient.bottom);
    pDC->DrawText(FormatTimeOfDay(start), &rcText, DT_LEFT | DT_TOP | DT_SINGLELINE);
    pDC->DrawText(FormatTimeOfDay(end), &rcText, DT_RIGHT | DT_TOP | DT_SINGLELINE);
}

void CTimeSeriesPane::DrawPlot(CDC* pDC, const CRect& rcClient, const CRect& rc, int plot) const
{
    // Grid: quarters of each axis.
    CPen grid(PS_SOLID, 1, GridColour());
    CPen* old = pDC->SelectObject(&grid);
    for (int i = 1; i < 4; ++i)
    {
        const int y = rc.top + rc.Height() * i / 4;
        pDC->MoveTo(rc.left, y);
        pDC->LineTo(rc.right, y);
        const int x = rc.left + rc.Width() * i / 4;
        pDC->MoveTo(x, rc.top);
        pDC->LineTo(x, rc.bottom);
    }
    CPen axis(PS_SOLID, 1, TextColour());
    pDC->SelectObject(&axis);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(&rc);
    pDC->SelectObject(old);

    // The value axis: its top and bottom values, and its middle one where there is room.
    pDC->SetTextColor(TextColour());
    const std::vector<CString> labels = GetAxisLabels(rcClient, plot);
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const int y = labels.size() > 1 ? rc.top + static_cast<int>((rc.Height() - 1) * i / (labels.size() - 1))
                                        : rc.top;
        CRect rcLabel(rcClient.left, y - kTextHeight, rc.left - 3, y + kTextHeight);
        const UINT vertical = i == 0 ? DT_TOP : (i + 1 == labels.size() ? DT_BOTTOM : DT_VCENTER);
        if (i == 0)
            rcLabel.top = rc.top;
        if (i + 1 == labels.size())
            rcLabel.bottom = rc.bottom;
        pDC->DrawText(labels[i], &rcLabel, DT_RIGHT | vertical | DT_SINGLELINE);
    }

    // Legend: the names of the plot's series in their colours.
    int x = rc.left + 4;
    for (int s = 0; s < GetSeriesCount(); ++s)
    {
        if (PlotOf(s) != plot)
            continue;
        const Series& series = m_Series[static_cast<size_t>(s)];
        pDC->SetTextColor(series.colour);
        pDC->TextOut(x, rc.top + 2, series.name, -1);
        x += pDC->GetTextExtent(series.name, -1).cx + 10;
    }
}

void CTimeSeriesPane::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_RESET_GRAPH, "Reset Graph");
    menu.AppendMenu(MF_STRING, ID_RESET_TIME_SPAN, "Reset Time Span");
    menu.AppendMenu(MF_STRING, ID_RESET_Y_SPAN, "Reset Y Span");
    if (point.x == -1 && point.y == -1)
    {
        // From the keyboard: at the pane's top left corner.
        CRect rc;
        GetWindowRect(&rc);
        point = rc.TopLeft();
    }
    const UINT command =
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    UINT message = 0;
    switch (command)
    {
    case ID_RESET_GRAPH:
        message = UM_RESET_GRAPH;
        break;
    case ID_RESET_TIME_SPAN:
        message = UM_RESET_TIME_SPAN;
        break;
    case ID_RESET_Y_SPAN:
        message = UM_RESET_Y_SPAN;
        break;
    default:
        return;
    }
    // The frame resets all graph panes together, so the message goes to the outermost window.
    CWnd* target = this;
    while (target->GetParent() != nullptr)
        target = target->GetParent();
    if (target != this)
        target->PostMessage(message, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}
