// Drawing of a whole graph (frame, backgrounds, title, legend, axes, read-outs and series) and
// of its series, markers and read-outs.
#include "acoustic/engine/Graph.h"

#include "acoustic/engine/GraphPaint.h"
#include "acoustic/engine/PlaneGeometry.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

namespace
{
CGraphSeries* SeriesAt(POSITION& pos, const CPtrList& list)
{
    return static_cast<CGraphSeries*>(list.GetNext(pos));
}

// The frame lines of a rectangle w pixels wide, inside its right and bottom.
void DrawFrame(CDC* dc, const CRect& r, const GraphPenDef& pen)
{
    const int w = pen.width;
    GraphPenScope scope(dc, pen.style, w, pen.colour);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.right - w, r.top);
    dc->LineTo(r.right - w, r.bottom - w);
    dc->LineTo(r.left, r.bottom - w);
    dc->LineTo(r.left, r.top);
}

void Fill(CDC* dc, const CRect& r, COLORREF colour, int hatch = -1)
{
    CBrush brush;
    if (hatch < 0)
        brush.CreateSolidBrush(colour);
    else
        brush.CreateHatchBrush(hatch, colour);
    dc->FillRect(&r, &brush);
}

bool NoValue(double v)
{
    return v == DBL_MAX || !std::isfinite(v);
}

// The value turned for a logarithmic axis: no value (a break) at or below 0.
double LogOf(double v)
{
    return v > 0.0 ? std::log10(v) : std::nan("");
}

// Pixel along an axis running from `start` towards `far` (dir +1 rightwards, -1 upwards) of
// the value v (raw: the value before any offset, for the logarithm).
double AxisPixel(const CGraphAxis& axis, double v, double raw, double start, double far, double dir)
{
    switch (axis.valueMode)
    {
    case GRAPH_VALUE_MIRRORED:
        return start + dir * (2.0 * axis.max - v - axis.min) * axis.scale;
    case GRAPH_VALUE_REVERSED:
        return far - dir * (v - axis.min) * axis.scale;
    case GRAPH_VALUE_LOG10:
        return start + dir * LogOf(raw) * axis.scale;
    default:
        return start + dir * (v - axis.min) * axis.scale;
    }
}

// Pixel of a point of a line or marker series (modes 0 and 1), or false for a break.
bool LinePoint(const tagXY& point, const CGraphSeries& s, const RECT& p, double* px, double* py)
{
    if (NoValue(point.x) || NoValue(point.y))
        return false;
    *px = AxisPixel(*s.horizontalAxis, point.x - s.xOffset, point.x, p.left, p.right, 1.0);
    *py = AxisPixel(*s.verticalAxis, point.y, point.y, p.bottom, p.top, -1.0);
    return std::isfinite(*px) && std::isfinite(*py);
}

// Pixel of a point of mode 5, about the axes' origins.
bool OriginPoint(const tagXY& point, const CGraphSeries& s, double* px, double* py)
{
    if (NoValue(point.x) || NoValue(point.y))
        return false;
    const CGraphAxis& a = *s.horizontalAxis;
    const CGraphAxis& b = *s.verticalAxis;
    const double x = a.valueMode == GRAPH_VALUE_LOG10 ? LogOf(point.x) : point.x;
    const double y = b.valueMode == GRAPH_VALUE_LOG10 ? LogOf(point.y) : point.y;
    *px = x * a.scale + a.origin;
    *py = b.origin - y * b.scale;
    return std::isfinite(*px) && std::isfinite(*py);
}

// Segments between pixel points, each cut to the plot and drawn when anything is left of it.
// Segments that join end to start go out as one polyline, which draws the same pixels as
// line after line at a fraction of the calls.
class ClippedLines
{
public:
    ClippedLines(CDC* dc, const RECT& plot) : m_Dc(dc), m_Plot(plot) {}
    ~ClippedLines() { Flush(); }
    ClippedLines(const ClippedLines&) = delete;
    ClippedLines& operator=(const ClippedLines&) = delete;

    void Add(double x1, double y1, double x2, double y2)
    {
        if (!Inside(x1, y1) || !Inside(x2, y2))
        {
            const int result =
                ClipSegment(x1, y1, x2, y2, m_Plot.left, m_Plot.right, m_Plot.top, m_Plot.bottom);
            if (result != CLIP_INSIDE && result != CLIP_ZERO_LENGTH)
                return;
        }
        POINT from;
        POINT to;
        if (!GraphPoint(x1, y1, &from) || !GraphPoint(x2, y2, &to))
            return;
        if (m_Run.empty() || m_Run.back().x != from.x || m_Run.back().y != from.y)
        {
            Flush();
            m_Run.push_back(from);
        }
        m_Run.push_back(to);
    }
    void Flush()
    {
        if (m_Run.size() >= 2)
            m_Dc->Polyline(m_Run.data(), static_cast<int>(m_Run.size()));
        m_Run.clear();
    }

private:
    // Wholly inside, a segment needs no cutting (most of a plotted series).
    bool Inside(double x, double y) const
    {
        return x >= m_Plot.left && x <= m_Plot.right && y >= m_Plot.top && y <= m_Plot.bottom;
    }

    CDC* m_Dc;
    RECT m_Plot;
    std::vector<POINT> m_Run;
};

bool Inside(const RECT& p, double x, double y)
{
    return x >= p.left && x <= p.right && y >= p.top && y <= p.bottom;
}
} // namespace

CGraphAxis* CGraphAxisWalk::Next(const CGraphSeries* series, int axisIndex)
{
    CGraphAxis* axis = axisIndex == 0 ? series->horizontalAxis : series->verticalAxis;
    const bool drawn = axis && axis != m_Last[axisIndex];
    m_Last[axisIndex] = axis;
    return drawn ? axis : nullptr;
}

void DrawShadow(CDC* dc, RECT* rect)
{
    {
        GraphPenScope pen(dc, PS_SOLID, 2, 0);
        dc->MoveTo(rect->left + 4, rect->bottom);
        dc->LineTo(rect->right, rect->bottom);
        dc->LineTo(rect->right, rect->top + 4);
    }
    rect->right -= 1;
    rect->bottom -= 1;
}

void CGraph::Draw(CDC* dc, RECT area)
{
    graphArea = area;
    dc->GetTextMetrics(&textMetric);
    m_DrawingDc = dc;
    if (shadow == 1)
        DrawShadow(dc, &graphArea);
    const int w = graphFramePen.width;
    if (w > 0)
    {
        DrawFrame(dc, graphArea, graphFramePen);
        graphArea.DeflateRect(w < 2 ? 1 : w / 2, w < 2 ? 1 : w / 2);
    }
    Fill(dc, graphArea, graphBackground);
    Layout(&graphArea);
    if (!seriesList.IsEmpty())
    {
        Fill(dc, plotArea, plotBackground);
        if (hatchStyle != -1)
            Fill(dc, plotArea, hatchColour, hatchStyle);
    }
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    if (!title.IsEmpty())
    {
        GraphFontScope font(dc, format.GetFont(GRAPH_FONT_TITLE));
        const COLORREF oldColour = dc->SetTextColor(titleColour);
        const int x =
            plotArea.left + (plotArea.right - plotArea.left) / 2 - (title.GetLength() * font.charWidth) / 2;
        const int y =
            titleAtBottom == 0 ? graphArea.top + font.lineHeight / 2 : graphArea.bottom - font.lineHeight;
        dc->TextOut(x, y, title);
        dc->SetTextColor(oldColour);
    }
    if (legendPosition != GRAPH_LEGEND_NONE)
        DrawLegend(dc);

    // Ranges: every axis first forgets its scan, so an axis shared by several series spans
    // all of their data.
    for (POSITION pos = seriesList.GetHeadPosition(); pos;)
    {
        CGraphSeries* s = SeriesAt(pos, seriesList);
        for (CGraphAxis* axis : {s->horizontalAxis, s->verticalAxis})
            if (axis)
            {
                axis->rangeGiven = axis->min != axis->max;
                axis->rangeStarted = 0;
            }
    }
    for (POSITION pos = seriesList.GetHeadPosition(); pos;)
    {
        CGraphSeries* s = SeriesAt(pos, seriesList);
        if (s->horizontalAxis)
            s->horizontalAxis->AutoRange(s->data, 0);
        if (s->verticalAxis)
            s->verticalAxis->AutoRange(s->data, 1);
    }

    const int seriesCount = static_cast<int>(seriesList.GetCount());
    int barWidth = 0;
    bool bars = false;
    if (mode == GRAPH_BARS)
    {
        INT_PTR n = 0;
        for (POSITION pos = seriesList.GetHeadPosition(); pos;)
        {
            const CGraphSeries* s = SeriesAt(pos, seriesList);
            if (s->data)
                n = std::max(n, s->data->GetSize());
        }
        if (n > 0)
        {
            // Signed: a span too small for the gaps gives the narrowest bar, not a wrapped one.
            const long long span = barsAcrossHeight == 0 ? plotArea.Width() : plotArea.Height();
            const long long free = span - 2LL * barGap * n;
            barWidth = static_cast<int>(std::max(1LL, free > 0 ? (free / n) / seriesCount : 1LL));
            bars = true;
        }
    }

    CGraphAxisWalk walk;
    int readout = 0;
    int slot = 0;
    for (POSITION pos = seriesList.GetHeadPosition(); pos;)
    {
        CGraphSeries* s = SeriesAt(pos, seriesList);
        for (int axisIndex = 0; axisIndex < 2; ++axisIndex)
        {
            CGraphAxis* axis = walk.Next(s, axisIndex);
            if (!axis || !(axis->max - axis->min > 0.0) || !std::isfinite(axis->max - axis->min))
                continue;
            const bool horizontal = axisIndex == 0;
            int pixels = horizontal ? plotArea.Width() : plotArea.Height();
            if (axis->position == 2)
            {
                axis->origin =
                    horizontal ? (plotArea.top + plotArea.bottom) / 2 : (plotArea.left + plotArea.right) / 2;
                pixels = horizontal ? plotArea.Height() : plotArea.Width();
            }
            axis->scale = pixels / (axis->max - axis->min);
            if (axis->autoStep == 1)
                axis->AutoStep();
            if (mode == GRAPH_POLAR)
                axis->DrawPolar(dc, &plotArea, axisIndex);
            else if (horizontal)
                axis->DrawHorizontal(dc, &plotArea);
            else
                axis->DrawVertical(dc, &plotArea);
        }
        if (s->showLastX || s->showLastY)
            s->DrawReadout(dc, readout++);
        s->Draw(dc, &plotArea, this, bars ? &barWidth : nullptr, slot);
        slot = (slot + 1) % seriesCount;
    }
    dc->SetBkMode(oldMode);
    m_DrawingDc = nullptr;
}

void CGraph::Layout(const RECT* area)
{
    const int a = textMetric.tmAveCharWidth;
    const int h = textMetric.tmHeight;
    graphArea = *area;
    plotArea = CRect(area->left + a, area->top + h, area->right - a, area->bottom - h);

    // Fonts are measured on a context of the owner window, else on the one being drawn.
    std::unique_ptr<CClientDC> ownerDc;
    CDC* measure = m_DrawingDc;
    if (owner && owner->GetSafeHwnd())
    {
        ownerDc = std::make_unique<CClientDC>(owner);
        measure = ownerDc.get();
    }
    auto metricsOf = [&](CFont* font, int* charWidth, int* lineHeight) {
        *charWidth = a;
        *lineHeight = h;
        if (font && measure)
        {
            GraphFontScope scope(measure, font);
            *charWidth = scope.charWidth;
            *lineHeight = scope.lineHeight;
        }
    };

    if (!title.IsEmpty())
    {
        int titleWidth = 0;
        int titleHeight = 0;
        metricsOf(format.GetFont(GRAPH_FONT_TITLE), &titleWidth, &titleHeight);
        if (titleAtBottom == 0)
            plotArea.top += titleHeight;
        else
            plotArea.bottom -= titleHeight;
    }

    if (legendPosition != GRAPH_LEGEND_NONE)
    {
        int la = 0;
        int lh = 0;
        metricsOf(format.GetFont(GRAPH_FONT_LEGEND), &la, &lh);
        const int frame = legendFramePen.width;
        int longest = 0;
        for (POSITION pos = seriesList.GetHeadPosition(); pos;)
            longest = std::max(longest, SeriesAt(pos, seriesList)->name.GetLength());
        const int width = longest * la + (2 * la + 17 + frame) * 2;
        const int height = (static_cast<int>(seriesList.GetCount()) + 1) * lh + 2 * frame;
        const int middleRow = graphArea.bottom / 2 - height / 2;
        const int middleColumn = graphArea.right / 2 - width / 2;
        switch (legendPosition)
        {
        case GRAPH_LEGEND_LEFT:
            legendBox = CRect(plotArea.left, middleRow, plotArea.left + width, middleRow + height);
            plotArea.left = legendBox.right + a;
            break;
        case GRAPH_LEGEND_TOP:
            legendBox = CRect(middleColumn, plotArea.top, middleColumn + width, plotArea.top + height);
            plotArea.top = legendBox.bottom + h;
            break;
        case GRAPH_LEGEND_RIGHT:
            legendBox = CRect(plotArea.right - width, middleRow, plotArea.right, middleRow + height);
            plotArea.right = legendBox.left - a;
            break;
        case GRAPH_LEGEND_BOTTOM:
            legendBox = CRect(middleColumn, plotArea.bottom - height, middleColumn + width, plotArea.bottom);
            plotArea.bottom = legendBox.top - h;
            break;
        default:
            break;
        }
    }

    CGraphAxisWalk walk;
    for (POSITION pos = seriesList.GetHeadPosition(); pos;)
    {
        const CGraphSeries* s = SeriesAt(pos, seriesList);
        for (int axisIndex = 0; axisIndex < 2; ++axisIndex)
        {
            const CGraphAxis* axis = walk.Next(s, axisIndex);
            if (!axis)
                continue;
            const int e = axis->GetLabelExtent(a, h);
            const int length = axis->title.GetLength();
            const int major = axis->majorTickLength;
            const int style = axis->tickStyle;
            const bool outerLabels = style == 1 || style == 3 || style == 4 || style == 6;
            const bool innerLabels = style == 2 || style == 3 || style == 5 || style == 6;
            if (axisIndex == 0)
            {
                const int t = axis->titleAngle == 0 ? (length + 2) * a : 2 * h;
                if (axis->position == 0)
                {
                    plotArea.top += t;
                    if (axis->ticksShown)
                    {
                        plotArea.right -= e / 2;
                        if (outerLabels)
                            plotArea.top += major;
                    }
                }
                else
                {
                    if (axis->ticksShown)
                        plotArea.right -= e / 2;
                    if (axis->ticksShown && innerLabels)
                        plotArea.bottom -= axis->titleAngle == 0 ? major + t + e : major + 2 * h;
                    else
                        plotArea.bottom -= t;
                }
            }
            else
            {
                const int t = axis->titleAngle != 0 ? (length + 2) * a : 2 * a;
                if (axis->position == 1)
                {
                    if (axis->ticksShown && innerLabels)
                        plotArea.right += 2 * a - major - t - e;
                    else
                        plotArea.right -= t;
                }
                else if (axis->ticksShown && outerLabels)
                    plotArea.left += major + t + e + a;
                else
                    plotArea.left += t;
            }
        }
    }

    int readout = 0;
    for (POSITION pos = seriesList.GetHeadPosition(); pos;)
    {
        CGraphSeries* s = SeriesAt(pos, seriesList);
        if (!s->showLastX && !s->showLastY)
            continue;
        if (readout++ % 2 == 0)
        {
            s->readoutX = plotArea.left;
            s->readoutY = plotArea.top;
            plotArea.top += h;
        }
        else
        {
            s->readoutX = plotArea.right;
            s->readoutY = plotArea.top - h;
        }
    }

    if (squarePlot == 1)
    {
        if (plotArea.Width() > plotArea.Height())
            plotArea.right = plotArea.left + plotArea.Height();
        else
            plotArea.bottom = plotArea.top + plotArea.Width();
    }
    const int shorter = std::min(plotArea.Width(), plotArea.Height());
    if (shorter > 0)
        labelScale = static_cast<float>(a) / static_cast<float>(shorter);
}

void CGraph::DrawLegend(CDC* dc)
{
    if (legendShadow == 1)
        DrawShadow(dc, &legendBox);
    const int frame = legendFramePen.width;
    if (frame > 1)
        legendBox.DeflateRect(frame / 2, frame / 2);
    Fill(dc, legendBox, legendBackground);
    if (frame > 0)
        DrawFrame(dc, legendBox, legendFramePen);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc->SetTextColor(legendTextColour);
    GraphFontScope font(dc, format.GetFont(GRAPH_FONT_LEGEND));
    const int a = font.charWidth;
    const int h = font.lineHeight;
    const int x = legendBox.left + frame + a;
    int y = legendBox.top + frame + h;
    for (POSITION pos = seriesList.GetHeadPosition(); pos; y += h)
    {
        CGraphSeries* s = SeriesAt(pos, seriesList);
        if (mode == GRAPH_LINES || mode == GRAPH_LINES_ABOUT_ORIGIN)
        {
            GraphPenScope pen(dc, PS_SOLID, 1, s->colour);
            dc->MoveTo(x, y);
            dc->LineTo(x + 30, y);
        }
        if ((mode == GRAPH_LINES || mode == GRAPH_MARKERS || mode == GRAPH_POLAR ||
             mode == GRAPH_LINES_ABOUT_ORIGIN) &&
            s->markerKind != GRAPH_MARKER_NONE)
            s->DrawMarker(dc, s->markerColour, s->markerKind, "", x + 15, y);
        if (mode == GRAPH_BARS || mode == GRAPH_AREA)
        {
            GraphPenScope pen(dc, PS_SOLID, 1, 0);
            GraphBrushScope brush(dc, s->colour);
            dc->Rectangle(x + 1, y - h / 2 + 1, x + 14, y - h / 2 + 14);
        }
        dc->TextOut(x + 34 + a / 2 - a, y - h / 2, s->name);
    }
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}

void CGraphSeries::Draw(CDC* dc, const RECT* plot, CGraph* graph, const int* barWidth, int barSlot)
{
    if (!data || data->GetSize() == 0 || !horizontalAxis || !verticalAxis)
        return;
    const RECT p = *plot;
    const int mode = graph->mode;
    const bool filled = mode == GRAPH_BARS || mode == GRAPH_AREA;
    GraphPenScope pen(dc, linePen.style, linePen.width, filled ? outlineColour : colour);
    const INT_PTR count = data->GetSize();
    CString text;
    switch (mode)
    {
    case GRAPH_LINES:
    case GRAPH_MARKERS:
    case GRAPH_LINES_ABOUT_ORIGIN: {
        bool started = false;
        double lastX = 0.0;
        double lastY = 0.0;
        ClippedLines lines(dc, p);
        for (INT_PTR i = 0; i < count; ++i)
        {
            const tagXY& point = data->GetAt(i);
            double x = 0.0;
            double y = 0.0;
            const bool valid = mode == GRAPH_LINES_ABOUT_ORIGIN ? OriginPoint(point, *this, &x, &y)
                                                                : LinePoint(point, *this, p, &x, &y);
            if (!valid)
            {
                started = false;
                continue;
            }
            if (started && mode != GRAPH_MARKERS)
                lines.Add(lastX, lastY, x, y);
            started = true;
            lastX = x;
            lastY = y;
            if (markerKind != GRAPH_MARKER_NONE && Inside(p, x, y))
            {
                lines.Flush(); // the line so far lies under the marker
                verticalAxis->FormatValue(text, point.y);
                DrawMarker(dc, markerColour, markerKind, text, static_cast<int>(x), static_cast<int>(y));
            }
        }
        break;
    }
    case GRAPH_BARS: {
        if (!barWidth)
            break;
        const CGraphAxis& a = *horizontalAxis;
        const CGraphAxis& b = *verticalAxis;
        const int width = *barWidth;
        const int offset = width * barSlot;
        const int gap = graph->barGap;
        GraphBrushScope brush(dc, colour);
        const bool thinSolid = linePen.style == PS_SOLID && linePen.width <= 1;
        std::unique_ptr<CBrush> outlineBrush;
        if (thinSolid)
        {
            outlineBrush = std::make_unique<CBrush>();
            outlineBrush->CreateSolidBrush(outlineColour);
        }
        for (INT_PTR i = 0; i < count; ++i)
        {
            const tagXY& point = data->GetAt(i);
            if (NoValue(point.x) || NoValue(point.y))
                continue;
            const double dx = point.x - a.min - a.origin;
            const double dy = point.y - b.min + b.origin;
            double x = p.left + (a.valueMode == GRAPH_VALUE_LOG10 ? LogOf(dx) : dx) * a.scale;
            double y = p.bottom - (b.valueMode == GRAPH_VALUE_LOG10 ? LogOf(dy) : dy) * b.scale;
            POINT at;
            if (!GraphPoint(x, y, &at))
                continue;
            CRect bar;
            if (graph->barsAcrossHeight == 0)
            {
                const int left = at.x + gap + offset;
                bar = a.position == 1 ? CRect(left, at.y, left + width, p.bottom)
                                      : CRect(left, p.top, left + width, at.y);
            }
            else
            {
                const int bottom = at.y - gap - offset;
                bar = b.position == 1 ? CRect(at.x, bottom - width, p.right, bottom)
                                      : CRect(p.left, bottom - width, at.x, bottom);
            }
            bar.NormalizeRect();
            const CRect shown(std::max(bar.left, p.left), std::max(bar.top, p.top),
                              std::min(bar.right, p.right), std::min(bar.bottom, p.bottom));
            if (shown.left >= shown.right || shown.top >= shown.bottom)
                continue;
            dc->FillRect(&shown, brush.Brush());
            // Outlined on both sides and the far end; the base stays open.
            POINT outline[4];
            if (graph->barsAcrossHeight == 0)
            {
                const bool up = a.position == 1;
                const int base = up ? shown.bottom : shown.top;
                const int end = up ? shown.top : shown.bottom - 1;
                outline[0] = {shown.left, base};
                outline[1] = {shown.left, end};
                outline[2] = {shown.right - 1, end};
                outline[3] = {shown.right - 1, base};
            }
            else
            {
                const bool fromLeft = b.position != 1;
                const int base = fromLeft ? shown.left : shown.right;
                const int end = fromLeft ? shown.right - 1 : shown.left;
                outline[0] = {base, shown.top};
                outline[1] = {end, shown.top};
                outline[2] = {end, shown.bottom - 1};
                outline[3] = {base, shown.bottom - 1};
            }
            if (thinSolid)
            {
                // A solid one-pixel pen covers exactly these rectangles, which fill far faster
                // than a line is stroked.
                for (int side = 0; side < 3; ++side)
                {
                    const POINT& from = outline[side];
                    const POINT& to = outline[side + 1];
                    CRect edge(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                               std::max(from.y, to.y) + 1);
                    // The lines leave out their last pixels; of those only the base of the
                    // last side is not drawn by the next.
                    if (side == 2)
                    {
                        if (to.y > from.y)
                            edge.bottom -= 1;
                        else if (to.y < from.y)
                            edge.top += 1;
                        else if (to.x > from.x)
                            edge.right -= 1;
                        else
                            edge.left += 1;
                    }
                    dc->FillRect(&edge, outlineBrush.get());
                }
            }
            else
                dc->Polyline(outline, 4);
            if (markerKind == GRAPH_MARKER_TEXT)
            {
                b.FormatValue(text, point.y);
                DrawMarker(dc, markerColour, GRAPH_MARKER_TEXT, text, (shown.left + shown.right) / 2,
                           shown.top);
            }
        }
        break;
    }
    case GRAPH_AREA: {
        std::vector<tagXY> points;
        for (INT_PTR i = 0; i < count; ++i)
        {
            double x = 0.0;
            double y = 0.0;
            if (LinePoint(data->GetAt(i), *this, p, &x, &y))
                points.push_back({x, y});
        }
        if (points.empty())
            break;
        // Cut to the plot before it turns into pixels: far-off corners would overflow them
        // and cost the rasteriser dearly.
        std::vector<tagXY> polygon{{points.front().x, static_cast<double>(p.bottom)}};
        polygon.insert(polygon.end(), points.begin(), points.end());
        polygon.push_back({points.back().x, static_cast<double>(p.bottom)});
        polygon = ClipPolygonToRect(polygon, p.left, p.top, p.right, p.bottom);
        if (polygon.size() >= 3)
        {
            std::vector<POINT> pixels;
            for (const tagXY& corner : polygon)
            {
                POINT pixel;
                if (GraphPoint(corner.x, corner.y, &pixel))
                    pixels.push_back(pixel);
            }
            GraphBrushScope brush(dc, colour);
            GraphPenScope noPen(dc, PS_NULL, 1, 0);
            const int oldFill = dc->SetPolyFillMode(WINDING);
            dc->Polygon(pixels.data(), static_cast<int>(pixels.size()));
            dc->SetPolyFillMode(oldFill);
        }
        ClippedLines lines(dc, p);
        for (size_t i = 1; i < points.size(); ++i)
            lines.Add(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
        break;
    }
    case GRAPH_POLAR: {
        const double w = (p.right - p.left) / 2;
        const double cx = p.left + w;
        const double cy = p.top + w;
        const double radians = std::acos(-1.0) / 180.0;
        for (INT_PTR i = 1; i < count; ++i)
        {
            const tagXY& point = data->GetAt(i);
            if (NoValue(point.x) || NoValue(point.y))
                continue;
            const double r = w * (90.0 - point.x) / 90.0;
            POINT at;
            if (!GraphPoint(cx + std::sin(point.y * radians) * r, cy + std::cos(point.y * radians) * r, &at))
                continue;
            dc->SetPixel(at.x, at.y, colour);
            if (markerKind != GRAPH_MARKER_NONE && Inside(p, at.x, at.y))
            {
                verticalAxis->FormatValue(text, point.y);
                DrawMarker(dc, markerColour, markerKind, text, at.x, at.y);
            }
        }
        break;
    }
    default:
        break;
    }
}

void CGraphSeries::DrawReadout(CDC* dc, int index)
{
    if (!verticalAxis)
        return;
    CString value;
    if (data && data->GetSize() > 0)
    {
        const tagXY& last = data->GetAt(data->GetSize() - 1);
        verticalAxis->FormatValue(value, showLastX ? last.x : last.y);
    }
    CString label;
    label.Format("%s: ", name.GetString());
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    const int a = tm.tmAveCharWidth;
    const int h = tm.tmHeight;
    int x = readoutX;
    if (index % 2 == 1)
        x -= verticalAxis->GetLabelExtent(a, h) + label.GetLength() * a;
    const COLORREF oldColour = dc->SetTextColor(readoutNameColour);
    dc->TextOut(x, readoutY, label);
    dc->SetTextColor(readoutValueColour);
    dc->TextOut(x + (label.GetLength() + 1) * a, readoutY, value);
    dc->SetTextColor(oldColour);
}

namespace
{
// The outline or filled shape of markers 3 to 8 about (x, y), with the selected pen and brush.
void DrawMarkerShape(CDC* dc, int kind, int x, int y)
{
    const POINT diamond[4] = {{x, y - 8}, {x + 4, y}, {x, y + 8}, {x - 4, y}};
    const POINT triangle[3] = {{x, y - 4}, {x + 4, y + 4}, {x - 4, y + 4}};
    switch (kind)
    {
    case GRAPH_MARKER_DASH:
        dc->MoveTo(x - 4, y);
        dc->LineTo(x + 4, y);
        break;
    case GRAPH_MARKER_CROSS:
        dc->MoveTo(x - 4, y);
        dc->LineTo(x + 4, y);
        dc->MoveTo(x, y - 4);
        dc->LineTo(x, y + 4);
        break;
    case GRAPH_MARKER_DIAMOND:
        dc->Polygon(diamond, 4);
        break;
    case GRAPH_MARKER_TRIANGLE:
        dc->Polygon(triangle, 3);
        break;
    case GRAPH_MARKER_SQUARE:
        dc->Rectangle(x - 4, y - 4, x + 4, y + 4);
        break;
    case GRAPH_MARKER_CIRCLE:
        dc->Ellipse(x - 4, y - 4, x + 4, y + 4);
        break;
    default:
        break;
    }
}
} // namespace

void CGraphSeries::DrawMarkerShadow(CDC* dc, int kind, int x, int y)
{
    if (kind < GRAPH_MARKER_DASH || kind > GRAPH_MARKER_CIRCLE)
        return;
    GraphPenScope pen(dc, PS_SOLID, 2, 0);
    GraphBrushScope brush(dc, 0);
    DrawMarkerShape(dc, kind, x + 1, y + 1);
}

void CGraphSeries::DrawMarker(CDC* dc, COLORREF markColour, int kind, const char* text, int x, int y)
{
    if (shadow == 1)
        DrawMarkerShadow(dc, kind, x, y);
    {
        GraphPenScope pen(dc, PS_SOLID, kind == GRAPH_MARKER_DASH || kind == GRAPH_MARKER_CROSS ? 3 : 1,
                          markColour);
        GraphBrushScope brush(dc, markColour);
        switch (kind)
        {
        case GRAPH_MARKER_TEXT: {
            GraphFontScope font(dc, format.GetFont(GRAPH_FONT_MARKER_TEXT));
            const COLORREF oldColour = dc->SetTextColor(markColour);
            const CString shown(text ? text : "");
            dc->TextOut(x - shown.GetLength() * font.charWidth / 2, y - font.lineHeight, shown);
            dc->SetTextColor(oldColour);
            break;
        }
        case GRAPH_MARKER_PIXEL:
            dc->SetPixel(x, y, markColour);
            break;
        default:
            DrawMarkerShape(dc, kind, x, y);
            break;
        }
    }
    dc->MoveTo(x, y);
}
