// Painting of the scrolling graph: layout, labels, value texts, the three drawing modes and
// the scale lines.
#include "rov/ScrollingAreaGraph.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{
// Vertical scale lines stand this many pixels apart, counted from the newest sample.
constexpr int kScaleLineSpacing = 60;
// The space around the labels and plot when nothing else is known of the font.
constexpr int kFallbackCharWidth = 8;

// Pixels of a value's offset from the axis minimum, truncated only at the end so that an
// axis taller than the plot in pixels still spreads its samples over the plot.
int Truncated(double pixels)
{
    return static_cast<int>(pixels);
}
} // namespace

CPoint CScrollingAreaGraph::FrameOffset()
{
    return CPoint(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
}

void CScrollingAreaGraph::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    const CPoint frame = FrameOffset();
    client.DeflateRect(frame.x, frame.y);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height()))
        return;
    CBitmap* previous = memory.SelectObject(&bitmap);
    memory.SetBkMode(TRANSPARENT);
    Draw(&memory, CRect(0, 0, client.Width(), client.Height()));
    pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    memory.DeleteDC();
    bitmap.DeleteObject();
}

void CScrollingAreaGraph::Draw(CDC* pDC, const CRect& area)
{
    CFont* oldFont = pDC->SelectObject(&m_Font);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int h = tm.tmHeight;
    const int w = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : kFallbackCharWidth;
    pDC->FillSolidRect(&area, 0x000000);
    pDC->SetBkMode(TRANSPARENT);

    // The labels' width sets the drawing width and the drawing width the samples the axis
    // covers: the axis is worked out again for the width its first labels leave.
    CString minLabel, maxLabel;
    auto layout = [&](int n) {
        const GRAPH_AXIS axis = AutomaticAxis(m_Trace1, m_Trace2, n, m_nMinSpan, m_bZeroMode);
        m_nAxisMin = axis.minimum;
        m_nAxisMax = axis.maximum;
        m_nAxisSamples = n;
        minLabel.Format("%d ", m_nAxisMin);
        maxLabel.Format("%d ", m_nAxisMax);
        m_PlotRect = area;
        m_PlotRect.left += (maxLabel.GetLength() + 1) * w;
        m_PlotRect.top += h / 2 + (m_bShowValues ? h / 2 : 0);
        m_PlotRect.right -= w;
        m_PlotRect.bottom -= h / 2;
        m_DrawRect = m_PlotRect;
        m_DrawRect.DeflateRect(3, 3);
    };
    layout(area.Width());
    layout(std::max(0, m_DrawRect.Width()));

    CBrush frameBrush;
    frameBrush.CreateSolidBrush(m_Colours[PLOT_FRAME]);
    pDC->FrameRect(&m_PlotRect, &frameBrush);
    frameBrush.DeleteObject();

    pDC->SetTextColor(m_Colours[LABEL_TEXT]);
    const UINT oldAlign = pDC->SetTextAlign(TA_RIGHT | TA_TOP);
    const int labelX = m_PlotRect.left - w / 2;
    const CString& topLabel = m_bEchoSounderMode ? minLabel : maxLabel;
    const CString& bottomLabel = m_bEchoSounderMode ? maxLabel : minLabel;
    pDC->TextOut(labelX, m_PlotRect.top - h / 2, topLabel);
    pDC->TextOut(labelX, m_PlotRect.bottom - h / 2, bottomLabel);
    pDC->SetTextAlign(oldAlign);

    ShowValues(pDC, w);

    CRect inner = m_PlotRect;
    inner.DeflateRect(1, 1);
    pDC->FillSolidRect(&inner, m_Colours[PLOT_BACKGROUND]);

    const int height = std::abs(m_nAxisMax - m_nAxisMin);
    m_dPixelsPerUnit = height > 0 ? static_cast<double>(m_DrawRect.bottom - m_DrawRect.top) / height : 0.0;
    if (m_DrawRect.Width() > 0 && m_DrawRect.Height() > 0)
    {
        // Only samples the axis was worked out for are drawn, so all stay inside the rectangle.
        const int count = DrawnSamples();
        if (m_bTraceMode)
        {
            DrawScaleLines(pDC);
            DrawTraceLine(pDC, m_Trace1, count, m_Colours[TRACE1]);
            DrawTraceLine(pDC, m_Trace2, count, m_Colours[TRACE2]);
        }
        else if (m_bDepthOfBurialMode)
        {
            DrawColumns(pDC, count, false);
            DrawTraceLine(pDC, m_Trace2, count, m_Colours[TRACE2]);
            DrawScaleLines(pDC);
        }
        else
        {
            DrawColumns(pDC, count, true);
            DrawScaleLines(pDC);
        }
    }
    pDC->SelectObject(oldFont);
}

int CScrollingAreaGraph::DrawnSamples() const
{
    const INT_PTR samples = std::min(m_Trace1.GetSize(), m_Trace2.GetSize());
    return static_cast<int>(std::max<INT_PTR>(0, std::min<INT_PTR>({samples, m_DrawRect.Width(), m_nAxisSamples})));
}

int CScrollingAreaGraph::SampleToX(int index) const
{
    return m_bLeftToRight ? m_DrawRect.left + index : m_DrawRect.right - index;
}

int CScrollingAreaGraph::ValueToY(double value) const
{
    const double offset = (value - m_nAxisMin) * m_dPixelsPerUnit;
    return m_bEchoSounderMode ? Truncated(m_DrawRect.top + offset) : Truncated(m_DrawRect.bottom - offset);
}

bool CScrollingAreaGraph::ShownValue(int trace, double* value) const
{
    const CDoubleArray& samples = trace == 0 ? m_Trace1 : m_Trace2;
    if (samples.GetSize() == 0 || !IsGraphValue(samples[0]))
        return false;
    *value = samples[0];
    if (trace == 1 && m_bDepthPlusAltitude && m_Trace1.GetSize() > 0 && IsGraphValue(m_Trace1[0]))
        *value -= m_Trace1[0];
    return true;
}

CString CScrollingAreaGraph::ValueText(int trace) const
{
    return trace == 0 || trace == 1 ? m_strShown[trace] : CString();
}

void CScrollingAreaGraph::ShowValues(CDC* pDC, int w)
{
    const CString* names[2] = {&m_strTrace1, &m_strTrace2};
    for (int trace = 0; trace < 2; ++trace)
    {
        double value = 0.0;
        m_strShown[trace].Empty();
        if (ShownValue(trace, &value))
            m_strShown[trace].Format("%s %.1lf", names[trace]->GetString(), value);
    }
    CString caption = m_strName;
    if (!m_bShowValues)
    {
        for (const CString& shown : m_strShown)
            if (!shown.IsEmpty())
                caption += "  " + shown;
    }
    else
    {
        int x = m_PlotRect.left;
        const COLORREF colours[2] = {m_Colours[TRACE1], m_Colours[TRACE2]};
        for (int trace = 0; trace < 2; ++trace)
        {
            if (m_strShown[trace].IsEmpty())
                continue;
            pDC->SetTextColor(colours[trace]);
            pDC->TextOut(x, 0, m_strShown[trace]);
            x += (m_strShown[trace].GetLength() + 3) * w;
        }
    }
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
    {
        CString current;
        m_pOwner->GetWindowText(current);
        if (current != caption)
            m_pOwner->SetWindowText(caption);
    }
}

void CScrollingAreaGraph::DrawTraceLine(CDC* pDC, const CDoubleArray& trace, int count, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = pDC->SelectObject(&pen);
    // A sample that is no measurement breaks the line: the runs on either side are drawn apart.
    std::vector<POINT> run(static_cast<size_t>(std::max(count, 1)));
    int length = 0;
    auto flush = [&]() {
        if (length == 1)
            pDC->SetPixel(run[0], colour);
        else if (length > 1)
            pDC->Polyline(run.data(), length);
        length = 0;
    };
    for (int i = 0; i < count && i < trace.GetSize(); ++i)
    {
        if (!IsGraphValue(trace[i]))
        {
            flush();
            continue;
        }
        run[static_cast<size_t>(length++)] = POINT{SampleToX(i), ValueToY(trace[i])};
    }
    flush();
    pDC->SelectObject(old);
}

void CScrollingAreaGraph::DrawColumns(CDC* pDC, int count, bool bands)
{
    CPen trace1(PS_SOLID, 1, m_Colours[TRACE1]);
    CPen beyond(PS_SOLID, 1, m_Colours[BAND_BEYOND]);
    CPen otherwise(PS_SOLID, 1, m_Colours[BAND_OTHERWISE]);
    CPen* old = pDC->SelectObject(&trace1);
    const int bottom = m_DrawRect.bottom;
    for (int i = 0; i < count; ++i)
    {
        const double v1 = m_Trace1[i];
        if (!IsGraphValue(v1))
            continue;
        const int x = SampleToX(i);
        const int y1 = ValueToY(v1);
        pDC->MoveTo(x, bottom);
        pDC->LineTo(x, y1);
    }
    if (bands)
        for (int i = 0; i < count; ++i)
        {
            const double v1 = m_Trace1[i];
            const double v2 = m_Trace2[i];
            if (!IsGraphValue(v1) || !IsGraphValue(v2))
                continue;
            const int x = SampleToX(i);
            pDC->SelectObject(v2 - m_nAxisMin > v1 - m_nAxisMin ? &beyond : &otherwise);
            pDC->MoveTo(x, ValueToY(v1));
            pDC->LineTo(x, ValueToY(v2));
        }
    pDC->SelectObject(old);
}

void CScrollingAreaGraph::DrawScaleLines(CDC* pDC)
{
    const CRect& r = m_DrawRect;
    CPen dotted(PS_DOT, 1, m_Colours[SCALE_LINES]);
    CPen* old = pDC->SelectObject(&dotted);
    for (int k = 1;; ++k)
    {
        const int x = m_bLeftToRight ? r.left + k * kScaleLineSpacing : r.right - k * kScaleLineSpacing;
        if (x <= r.left || x >= r.right)
            break;
        pDC->MoveTo(x, r.top);
        pDC->LineTo(x, r.bottom);
    }

    CPen dashed(PS_DASH, 1, m_Colours[SCALE_LINES]);
    pDC->SelectObject(&dashed);
    // 64 bits: on a very tall axis five times the step passes the range of int.
    const int64_t range = std::llabs(static_cast<int64_t>(m_nAxisMax) - m_nAxisMin);
    int64_t step = std::max(1, m_nMinSpan / 5);
    while (range / step > 5)
        step *= 5;
    for (int64_t k = 1; k * step < range; ++k)
    {
        const double offset = static_cast<double>(k * step) * m_dPixelsPerUnit;
        const int y = m_bEchoSounderMode ? Truncated(r.top + offset) : Truncated(r.bottom - offset);
        pDC->MoveTo(r.left, y);
        pDC->LineTo(r.right, y);
    }
    pDC->SelectObject(old);
}
