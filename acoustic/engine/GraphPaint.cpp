#include "acoustic/engine/GraphPaint.h"

#include <cmath>

namespace
{
const double kPixelLimit = 268435456.0; // 2^28: far beyond any device, far within an int
} // namespace

bool GraphPixel(double v, int* pixel)
{
    if (!std::isfinite(v))
        return false;
    *pixel = static_cast<int>(std::fmax(-kPixelLimit, std::fmin(kPixelLimit, v)));
    return true;
}

bool GraphPoint(double x, double y, POINT* point)
{
    int px = 0;
    int py = 0;
    if (!GraphPixel(x, &px) || !GraphPixel(y, &py))
        return false;
    point->x = px;
    point->y = py;
    return true;
}

std::vector<tagXY> ClipPolygonToRect(const std::vector<tagXY>& polygon, double xMin, double yMin, double xMax,
                                     double yMax)
{
    // One side at a time: side 0 left, 1 right, 2 top, 3 bottom.
    auto inside = [&](const tagXY& p, int side) {
        switch (side)
        {
        case 0:
            return p.x >= xMin;
        case 1:
            return p.x <= xMax;
        case 2:
            return p.y >= yMin;
        default:
            return p.y <= yMax;
        }
    };
    auto crossing = [&](const tagXY& a, const tagXY& b, int side) {
        const double edge = side == 0 ? xMin : side == 1 ? xMax : side == 2 ? yMin : yMax;
        if (side < 2)
        {
            const double t = (edge - a.x) / (b.x - a.x);
            return tagXY{edge, a.y + t * (b.y - a.y)};
        }
        const double t = (edge - a.y) / (b.y - a.y);
        return tagXY{a.x + t * (b.x - a.x), edge};
    };
    std::vector<tagXY> out = polygon;
    for (int side = 0; side < 4 && !out.empty(); ++side)
    {
        const std::vector<tagXY> in = std::move(out);
        out.clear();
        tagXY previous = in.back();
        for (const tagXY& current : in)
        {
            const bool currentIn = inside(current, side);
            if (currentIn != inside(previous, side))
                out.push_back(crossing(previous, current, side));
            if (currentIn)
                out.push_back(current);
            previous = current;
        }
    }
    return out;
}

long long GraphTickCount(double min, double max, double step, int pixels)
{
    if (!(step > 0.0) || !std::isfinite(min) || !std::isfinite(max) || max < min)
        return 0;
    const double count = std::floor((max - min) / step) + 1.0;
    if (!std::isfinite(count) || count > static_cast<double>(pixels) + 1.0)
        return 0;
    return static_cast<long long>(count);
}

GraphPenScope::GraphPenScope(CDC* dc, int style, int width, COLORREF colour) : m_Dc(dc)
{
    m_Pen.CreatePen(style, width, colour);
    m_Old = m_Dc->SelectObject(&m_Pen);
}

GraphPenScope::~GraphPenScope()
{
    if (m_Old)
        m_Dc->SelectObject(m_Old);
}

GraphBrushScope::GraphBrushScope(CDC* dc, COLORREF colour, int hatch) : m_Dc(dc)
{
    if (hatch < 0)
        m_Brush.CreateSolidBrush(colour);
    else
        m_Brush.CreateHatchBrush(hatch, colour);
    m_Old = m_Dc->SelectObject(&m_Brush);
}

GraphBrushScope::~GraphBrushScope()
{
    if (m_Old)
        m_Dc->SelectObject(m_Old);
}

GraphFontScope::GraphFontScope(CDC* dc, CFont* font) : m_Dc(dc)
{
    if (font)
        m_Old = m_Dc->SelectObject(font);
    TEXTMETRIC tm{};
    m_Dc->GetTextMetrics(&tm);
    charWidth = tm.tmAveCharWidth;
    lineHeight = tm.tmHeight;
}

GraphFontScope::~GraphFontScope()
{
    if (m_Old)
        m_Dc->SelectObject(m_Old);
}

bool MakeTurnedFont(CDC* dc, CFont* font, CFont* turned)
{
    CFont* from = font ? font : dc->GetCurrentFont();
    LOGFONT lf{};
    if (!from || !from->GetLogFont(&lf))
        return false;
    lf.lfEscapement = 2700;
    lf.lfOrientation = 2700;
    return turned->CreateFontIndirect(&lf);
}
