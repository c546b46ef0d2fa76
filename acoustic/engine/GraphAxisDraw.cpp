// Drawing of graph axes: grid, marker lines, the axis line, ticks with their labels and the
// title, along a side of the plot area or (graph mode 4) as rings about its centre.
#include "acoustic/engine/GraphAxis.h"

#include "acoustic/engine/GraphPaint.h"

#include <algorithm>
#include <cmath>

namespace
{
bool LabelsAbove(int style)
{
    return style == 1 || style == 4;
}

bool EndsOnly(int style)
{
    return style >= 4 && style <= 6;
}

// Pixels along the axis of value v at `index` steps from min.
double TickValue(double min, double step, long long index)
{
    return min + static_cast<double>(index) * step;
}

void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void Text(CDC* dc, int x, int y, const CString& text)
{
    dc->TextOut(x, y, text);
}

// A title in the title colour and font, turned to run down the page when `turned`.
void DrawTitle(CDC* dc, CGraphLabelFormat& format, COLORREF colour, bool turned, int x, int y,
               const CString& text)
{
    dc->SetTextColor(colour);
    CFont turnedFont;
    CFont* font = format.GetFont(GRAPH_FONT_TITLE);
    if (turned && MakeTurnedFont(dc, font, &turnedFont))
        font = &turnedFont;
    GraphFontScope scope(dc, font);
    Text(dc, x, y, text);
}
// The row (horizontal axis) or column (vertical) of the axis line between the plot's sides
// `nearSide` (top or left) and `farSide`.
int AxisLine(const CGraphAxis& axis, int nearSide, int farSide)
{
    int at = (nearSide + farSide) / 2;
    if (axis.position == 0)
        GraphPixel(nearSide + axis.scale * axis.origin, &at);
    else if (axis.position == 1)
        GraphPixel(farSide - axis.scale * axis.origin, &at);
    return at;
}

// Grid lines at every major step and the shown marker lines, each through line(pixel) for the
// pixel along the axis from `start` in direction `dir`.
template <typename DrawLine>
void GridAndMarkers(CDC* dc, const CGraphAxis& axis, double start, double dir, int pixels, DrawLine line)
{
    auto pixelOf = [&](double v, int* at) {
        return GraphPixel(start + dir * (v - axis.min + axis.origin) * axis.scale, at);
    };
    if (axis.grid == 1 && axis.majorStep > 0.0)
    {
        GraphPenScope pen(dc, axis.gridPen.style, axis.gridPen.width, axis.gridPen.colour);
        const long long n = GraphTickCount(axis.min, axis.max, axis.majorStep, pixels);
        for (long long i = 0; i < n; ++i)
        {
            int at = 0;
            if (pixelOf(TickValue(axis.min, axis.majorStep, i), &at))
                line(at);
        }
    }
    const double markers[2] = {axis.markerValue1, axis.markerValue2};
    const bool shown[2] = {axis.marker1Shown != 0, axis.marker2Shown != 0};
    for (int i = 0; i < 2; ++i)
    {
        int at = 0;
        if (!shown[i] || !(markers[i] > axis.min && markers[i] < axis.max) || !pixelOf(markers[i], &at))
            continue;
        GraphPenScope pen(dc, axis.gridPen.style, axis.gridPen.width, axis.markerColour);
        line(at);
    }
}

// Text settings of tick labels, put back when the ticks are done.
class TickTextScope
{
public:
    TickTextScope(CDC* dc, const CGraphAxis& axis, UINT align)
        : m_Dc(dc), m_Mode(dc->SetBkMode(axis.labelBackgroundMode)),
          m_Colour(dc->SetTextColor(axis.labelColour)), m_Align(dc->SetTextAlign(align)),
          font(dc, axis.format.GetFont(GRAPH_FONT_TICK_LABEL))
    {
    }
    ~TickTextScope()
    {
        m_Dc->SetTextAlign(m_Align);
        m_Dc->SetTextColor(m_Colour);
        m_Dc->SetBkMode(m_Mode);
    }
    TickTextScope(const TickTextScope&) = delete;
    TickTextScope& operator=(const TickTextScope&) = delete;

private:
    CDC* m_Dc;
    int m_Mode;
    COLORREF m_Colour;
    UINT m_Align;

public:
    GraphFontScope font;
};

// Calls tick(pixel, label) for every tick of `step` along an axis whose min lies at pixel
// `start` and max at `end` (the label is filled only for the major step): the two ends for
// tick styles 4 to 6; n evenly spaced decades 0.1, 1, 10 ... on a logarithmic axis with a
// min above 0; else min, min + step, ... up to max.
template <typename Tick> void WalkTicks(const CGraphAxis& axis, int start, int end, double step, Tick tick)
{
    const bool labelled = step == axis.majorStep;
    const int dir = end >= start ? 1 : -1;
    const int pixels = (end - start) * dir;
    CString label;
    if (EndsOnly(axis.tickStyle))
    {
        if (!labelled)
            return;
        axis.FormatTickLabel(label, axis.min);
        tick(start, label);
        axis.FormatTickLabel(label, axis.max);
        tick(end, label);
        return;
    }
    if (axis.valueMode == GRAPH_VALUE_LOG10)
    {
        if (!(axis.min > 0.0))
            return;
        CString text;
        axis.FormatValue(text, axis.min);
        int n = text.GetLength();
        axis.FormatValue(text, axis.max);
        n = 1 + std::max(n, text.GetLength());
        for (int i = 0; i < n; ++i)
        {
            if (labelled)
                axis.FormatValue(label, 0.1 * std::pow(10.0, i));
            tick(start + dir * (pixels / n) * i, label);
        }
        return;
    }
    const long long n = GraphTickCount(axis.min, axis.max, step, pixels);
    for (long long i = 0; i < n; ++i)
    {
        const double v = TickValue(axis.min, step, i);
        int at = 0;
        if (!GraphPixel(start + dir * (v - axis.min) * axis.scale, &at))
            continue;
        if (labelled)
            axis.FormatTickLabel(label, v);
        tick(at, label);
    }
}
} // namespace

void CGraphAxis::DrawHorizontal(CDC* dc, const RECT* plot)
{
    const CRect p(*plot);
    GraphFontScope metrics(dc, nullptr);
    const int a = metrics.charWidth;
    const int h = metrics.lineHeight;
    GridAndMarkers(dc, *this, p.left, 1.0, p.Width(), [&](int x) { Line(dc, x, p.bottom, x, p.top); });
    {
        const int y = AxisLine(*this, p.top, p.bottom);
        GraphPenScope pen(dc, axisPen.style, axisPen.width, axisPen.colour);
        Line(dc, p.left, y, p.right, y);
        if (ticksShown)
        {
            if (tickFlags & GRAPH_MINOR_TICKS)
                DrawHorizontalTicks(dc, minorTickLength, plot, minorStep);
            if (tickFlags & GRAPH_MAJOR_TICKS)
                DrawHorizontalTicks(dc, majorTickLength, plot, majorStep);
        }
    }
    if (title.IsEmpty())
        return;
    const int length = title.GetLength();
    const int x = (p.left + p.right) / 2 - length * a / 2;
    int y = p.bottom + majorTickLength + 3 * h;
    if (ticksShown && position == 0)
        y = LabelsAbove(tickStyle) ? p.top - majorTickLength - 5 * h / 2 : p.top - 2 * h;
    else if (ticksShown)
        y = LabelsAbove(tickStyle) ? p.bottom + h : p.bottom + majorTickLength + 2 * h;
    const bool turned = titleAngle != 90;
    DrawTitle(dc, format, titleColour, turned, x, y, title);
    if (valueMode == GRAPH_VALUE_LOG10 && position == 0)
        DrawTitle(dc, format, titleColour, turned, x, y - h, "(Log10)");
}

void CGraphAxis::DrawVertical(CDC* dc, const RECT* plot)
{
    const CRect p(*plot);
    GraphFontScope metrics(dc, nullptr);
    const int a = metrics.charWidth;
    const int h = metrics.lineHeight;
    GridAndMarkers(dc, *this, p.bottom, -1.0, p.Height(), [&](int y) { Line(dc, p.left, y, p.right, y); });
    {
        const int x = AxisLine(*this, p.left, p.right);
        GraphPenScope pen(dc, axisPen.style, axisPen.width, axisPen.colour);
        Line(dc, x, p.bottom, x, p.top);
        if (ticksShown)
        {
            if (tickFlags & GRAPH_MINOR_TICKS)
                DrawVerticalTicks(dc, minorTickLength, plot, minorStep);
            if (tickFlags & GRAPH_MAJOR_TICKS)
                DrawVerticalTicks(dc, majorTickLength, plot, majorStep);
        }
    }
    if (title.IsEmpty())
        return;
    const int extent = GetLabelExtent(a, h);
    const int middle = p.top + (p.bottom - p.top) / 2;
    const bool turned = titleAngle == 0;
    // The x of a text of `length` characters beside the axis.
    auto titleX = [&](int length) {
        if (position == 1)
            return ticksShown ? p.right + 2 * a + majorTickLength + extent : p.right + a + extent;
        if (!ticksShown)
            return p.left - (length + 1) * a - a / 2;
        if (!LabelsAbove(tickStyle))
            return p.left - length * a - majorTickLength - extent;
        return turned ? p.left - majorTickLength - extent
                      : p.left - (length + 3) * a - majorTickLength - extent;
    };
    const int length = title.GetLength();
    const int y = turned ? middle - (length / 2) * a : middle - h / 2;
    DrawTitle(dc, format, titleColour, turned, titleX(length), y, title);
    if (valueMode == GRAPH_VALUE_LOG10)
        DrawTitle(dc, format, titleColour, false, titleX(7), middle - h / 2 + h, "(Log10)");
}

void CGraphAxis::DrawHorizontalTicks(CDC* dc, int tickLength, const RECT* plot, double step)
{
    if (step <= 0.0 || tickLength <= 0)
        return;
    const CRect p(*plot);
    TickTextScope text(dc, *this, TA_CENTER | TA_TOP);
    const int h = text.font.lineHeight;
    const int major = majorTickLength;
    const int y = AxisLine(*this, p.top, p.bottom);
    const bool labelled = step == majorStep;
    WalkTicks(*this, p.left, p.right, step, [&](int x, const CString& label) {
        const int style = tickStyle;
        const int length = EndsOnly(style) ? major : tickLength;
        if (style == 1 || style == 4)
            Line(dc, x, y, x, y - length);
        else if (style == 2 || style == 5)
            Line(dc, x, y, x, y + length);
        else
            Line(dc, x, y - length, x, y + length);
        if (!labelled)
            return;
        if (style == 1 || style == 4)
            Text(dc, x, y - major - h, label);
        else if (style == 2 || style == 5)
            Text(dc, x, y + major + h / 2, label);
        else
        {
            Text(dc, x, y - major - h / 2 - h, label);
            Text(dc, x, y + major + h / 2, label);
        }
    });
}

void CGraphAxis::DrawVerticalTicks(CDC* dc, int tickLength, const RECT* plot, double step)
{
    if (step <= 0.0 || tickLength <= 0)
        return;
    const CRect p(*plot);
    TickTextScope text(dc, *this, TA_RIGHT | TA_TOP);
    const int a = text.font.charWidth;
    const int h = text.font.lineHeight;
    const int major = majorTickLength;
    const int x = AxisLine(*this, p.left, p.right);
    const bool labelled = step == majorStep;
    CString label;
    int longest = 0;
    for (double v : {min, max})
    {
        FormatTickLabel(label, v);
        longest = std::max(longest, label.GetLength());
    }
    const int rightEnd = x + major + (valueMode == GRAPH_VALUE_LOG10 ? a : 5 * a);
    WalkTicks(*this, p.bottom, p.top, step, [&](int y, const CString& label) {
        const int style = tickStyle;
        const int length = EndsOnly(style) ? major : tickLength;
        if (style == 1 || style == 4)
            Line(dc, x, y, x - length, y);
        else if (style == 2 || style == 5)
            Line(dc, x, y, x + length, y);
        else
            Line(dc, x - length, y, x + length, y);
        if (!labelled)
            return;
        const int top = y - h / 2;
        if (style == 1 || style == 4)
            Text(dc, x - major - a, top, label);
        else if (style == 2 || style == 5)
            Text(dc, rightEnd, top, label);
        else if (style == 3)
        {
            Text(dc, x - (longest + 1) * a - major, top, label);
            Text(dc, x + major + a, top, label);
        }
        else
        {
            Text(dc, x - major - a, top, label);
            Text(dc, rightEnd, top, label);
        }
    });
}

void CGraphAxis::DrawPolar(CDC* dc, const RECT* plot, int axisIndex)
{
    const CRect p(*plot);
    const CPoint c((p.left + p.right) / 2, (p.top + p.bottom) / 2);
    dc->SetPixel(c.x, c.y, gridPen.colour);
    GraphPenScope pen(dc, gridPen.style, gridPen.width, gridPen.colour);
    GraphBrushScope brush(dc, 0x00FF00);
    // Pixel radius of the ring of value v.
    auto radius = [&](double v, int* r) { return GraphPixel((v - min) * scale * 0.5, r); };
    if (!ticksShown)
    {
        int r = 0;
        if (GraphPixel((max - min) * scale * 0.5, &r))
            dc->Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
        return;
    }
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc->SetTextColor(labelColour);
    {
        GraphFontScope font(dc, format.GetFont(GRAPH_FONT_TICK_LABEL));
        const int a = font.charWidth;
        const int h = font.lineHeight;
        const int pixels = std::max(p.Width(), p.Height());
        if (majorStep > 0.0 && majorTickLength > 0)
        {
            // max, max - major, ... while above min: the largest ring first, so each smaller
            // one is drawn over it.
            const long long n = GraphTickCount(min, max, majorStep, pixels);
            for (long long i = 0; i < n; ++i)
            {
                const double v = max - static_cast<double>(i) * majorStep;
                int r = 0;
                if (!(v > min) || !radius(v, &r))
                    continue;
                dc->Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
                if (tickStyle == 0)
                    continue;
                const bool end = v == max || v == min;
                const bool both = tickStyle == 3 || (tickStyle == 6 && end);
                CString text;
                FormatValue(text, v);
                const int half = text.GetLength() * a / 2;
                if (axisIndex == 0)
                {
                    if (tickStyle == 1 || both)
                        Text(dc, c.x - half, c.y - r - h / 2, text);
                    if (tickStyle == 2 || both)
                        Text(dc, c.x - half, c.y + r - h / 2, text);
                }
                else
                {
                    if (tickStyle == 1 || both)
                        Text(dc, c.x - r - half, c.y - h / 2, text);
                    if (tickStyle == 2 || both)
                        Text(dc, c.x + r - half, c.y - h / 2, text);
                }
            }
        }
    }
    GraphPenScope axis(dc, axisPen.style, axisPen.width, axisPen.colour);
    const int half = minorTickLength / 2;
    const long long n = GraphTickCount(min, max, minorStep, std::max(p.Width(), p.Height()));
    for (long long i = 0; i < n; ++i)
    {
        int r = 0;
        if (!radius(TickValue(min, minorStep, i), &r))
            continue;
        Line(dc, c.x - half, c.y - r, c.x + half, c.y - r);
        Line(dc, c.x - half, c.y + r, c.x + half, c.y + r);
        Line(dc, c.x - r, c.y - half, c.x - r, c.y + half);
        Line(dc, c.x + r, c.y - half, c.x + r, c.y + half);
    }
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}
