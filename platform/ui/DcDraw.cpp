// CDC: lines, shapes, rectangles, regions, edges and pixels.
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiPrivate.h"

#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>

using namespace DcImpl;

namespace
{
// The current pen as this context draws it.
struct PenPlan
{
    bool visible = false;
    QPen pen;
    int width = 1;       // device pixels
    bool styled = false; // has gaps (filled with the background colour in OPAQUE mode)
    bool insideFrame = false;
};

QVector<qreal> DashPattern(DWORD style, const std::vector<DWORD>& user)
{
    switch (style & PS_STYLE_MASK)
    {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
        return {1, 1};
    case PS_USERSTYLE: {
        QVector<qreal> pattern;
        for (DWORD v : user)
            pattern << std::max<qreal>(1, v);
        if (pattern.size() % 2)
            pattern << pattern;
        return pattern;
    }
    default:
        return {};
    }
}

PenPlan MakePen(HDC d)
{
    PenPlan plan;
    GdiHandle* g = d->a.pen;
    const DWORD style = g ? (g->penStyle & PS_STYLE_MASK) : PS_NULL;
    if (!g || style == PS_NULL || d->a.rop2 == R2_NOP)
        return plan;
    COLORREF colour = g->dcColour ? d->a.dcPenColour : g->colour;
    if (d->a.rop2 == R2_BLACK)
        colour = RGB(0, 0, 0);
    else if (d->a.rop2 == R2_WHITE)
        colour = RGB(255, 255, 255);
    const bool geometric = (g->penStyle & PS_TYPE_MASK) == PS_GEOMETRIC;
    int width = 1;
    if (geometric || g->penWidth > 1)
        width = std::max(1, static_cast<int>(std::lround(g->penWidth * std::abs(ScaleX(d)))));
    plan.visible = true;
    plan.width = width;
    plan.pen = QPen(Colour(d, colour));
    const QVector<qreal> dashes = DashPattern(g->penStyle, g->userStyle);
    if (width <= 1)
    {
        // One pixel, leaving out the last one of every line as GDI does.
        plan.pen.setWidth(0);
        plan.pen.setCapStyle(Qt::FlatCap);
        plan.pen.setJoinStyle(Qt::MiterJoin);
        if (!dashes.isEmpty())
        {
            plan.pen.setDashPattern(dashes);
            plan.styled = true;
        }
        return plan;
    }
    plan.pen.setWidth(width);
    plan.insideFrame = style == PS_INSIDEFRAME;
    if (geometric)
    {
        switch (g->penStyle & PS_ENDCAP_MASK)
        {
        case PS_ENDCAP_SQUARE:
            plan.pen.setCapStyle(Qt::SquareCap);
            break;
        case PS_ENDCAP_FLAT:
            plan.pen.setCapStyle(Qt::FlatCap);
            break;
        default:
            plan.pen.setCapStyle(Qt::RoundCap);
            break;
        }
        switch (g->penStyle & PS_JOIN_MASK)
        {
        case PS_JOIN_BEVEL:
            plan.pen.setJoinStyle(Qt::BevelJoin);
            break;
        case PS_JOIN_MITER:
            plan.pen.setJoinStyle(Qt::MiterJoin);
            break;
        default:
            plan.pen.setJoinStyle(Qt::RoundJoin);
            break;
        }
        if (!dashes.isEmpty())
        {
            QVector<qreal> scaled;
            for (qreal v : dashes)
                scaled << std::max<qreal>(0.5, v / 3.0);
            plan.pen.setDashPattern(scaled);
            plan.styled = true;
        }
    }
    else
    {
        // A wide pen made by CreatePen draws solid, with round ends and joins.
        plan.pen.setCapStyle(Qt::RoundCap);
        plan.pen.setJoinStyle(Qt::RoundJoin);
    }
    return plan;
}

bool SupportsRasterOps(HDC d)
{
    QPaintEngine* engine = d->painter->paintEngine();
    return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

void SetMode(HDC d, QPainter::CompositionMode mode)
{
    QPaintEngine* engine = d->painter->paintEngine();
    const bool plain = mode == QPainter::CompositionMode_SourceOver;
    const bool porterDuff = mode <= QPainter::CompositionMode_Xor;
    if (plain || (porterDuff ? engine && engine->hasFeature(QPaintEngine::PorterDuff) : SupportsRasterOps(d)))
        d->painter->setCompositionMode(mode);
    else
        d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QPainter::CompositionMode PenMode(HDC d)
{
    return Rop2Mode(d->a.rop2);
}

// Strokes with the current pen; in OPAQUE mode the gaps of a styled pen take the background
// colour.
template <typename Draw> void Stroke(HDC d, const PenPlan& plan, Draw draw)
{
    if (!plan.visible)
        return;
    QPainter* p = d->painter;
    SetMode(d, PenMode(d));
    p->setBrush(Qt::NoBrush);
    if (plan.styled && d->a.bkMode == OPAQUE)
    {
        QPen background(plan.pen);
        background.setStyle(Qt::SolidLine);
        background.setColor(Colour(d, d->a.bkColour));
        p->setPen(background);
        draw(p);
    }
    p->setPen(plan.pen);
    draw(p);
    p->setPen(Qt::NoPen);
}

void StrokePath(HDC d, const PenPlan& plan, const QPainterPath& path)
{
    Stroke(d, plan, [&](QPainter* p) { p->drawPath(path); });
}

// Calls plot(x, y) for the pixels of a one-pixel line from a towards b, leaving b out, as GDI
// draws it whichever way the line runs.
template <typename Plot> void WalkLinePixels(QPoint a, QPoint b, Plot plot)
{
    const int dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int err = dx - dy;
    int x = a.x(), y = a.y();
    while (x != b.x() || y != b.y())
    {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 > -dy)
        {
            err -= dy;
            x += sx;
        }
        if (e2 < dx)
        {
            err += dx;
            y += sy;
        }
    }
}

// Which of a styled pen's pixels are drawn: the n-th pixel along the lines (n from 0) falls on
// a dash or in a gap of the pattern, counted in whole pixels.
class DashWalk
{
public:
    explicit DashWalk(const QVector<qreal>& pattern)
    {
        for (qreal v : pattern)
        {
            m_Lengths.push_back(static_cast<int>(v));
            m_Period += static_cast<int>(v);
        }
    }
    bool On(int n) const
    {
        int at = m_Period > 0 ? n % m_Period : 0;
        int k = 0;
        while (k < m_Lengths.size() && at >= m_Lengths[k])
            at -= m_Lengths[k++];
        return k % 2 == 0;
    }

private:
    QVector<int> m_Lengths;
    int m_Period = 0;
};

// The image of a context whose one-pixel lines can be written straight into its pixels: a
// 32-bit image, painted without a transform, clipped to one rectangle at most, in a pen mode
// that copies or inverts by the pen's colour. Those pixels are exactly the ones the painter's
// points would set, without a call into the painter for each.
class DirectPixels
{
public:
    bool Open(HDC d)
    {
        QImage* image = DirectSurface(d, &m_Clip);
        if (!image)
            return false;
        const int rop = d->a.rop2;
        if (rop != R2_COPYPEN && rop != R2_BLACK && rop != R2_WHITE && rop != R2_XORPEN)
            return false;
        m_Xor = rop == R2_XORPEN;
        // The painter's own buffer, shared or not: a detaching write would leave it behind.
        m_Bits = const_cast<uchar*>(image->constBits());
        m_Stride = image->bytesPerLine();
        return true;
    }
    // The colour a pixel takes, opaque as the painter's solid points write it.
    void SetColour(const QColor& colour) { m_Colour = colour.rgba() | 0xFF000000u; }
    bool Misses(QPoint a, QPoint b) const
    {
        return m_Clip.isEmpty() || std::max(a.x(), b.x()) < m_Clip.left() || std::min(a.x(), b.x()) > m_Clip.right() ||
               std::max(a.y(), b.y()) < m_Clip.top() || std::min(a.y(), b.y()) > m_Clip.bottom();
    }
    void Plot(int x, int y) const
    {
        if (x < m_Clip.left() || x > m_Clip.right() || y < m_Clip.top() || y > m_Clip.bottom())
            return;
        QRgb* pixel = reinterpret_cast<QRgb*>(m_Bits + static_cast<qsizetype>(y) * m_Stride) + x;
        // As the painter's exclusive-or mode: the colour's red, green and blue, alpha kept.
        *pixel = m_Xor ? *pixel ^ (m_Colour & 0x00FFFFFFu) : m_Colour;
    }

private:
    uchar* m_Bits = nullptr;
    qsizetype m_Stride = 0;
    QRect m_Clip;
    QRgb m_Colour = 0;
    bool m_Xor = false;
};

// The one-pixel lines written into the image: every segment's pixels but its last, so each
// pixel of a polyline is drawn once (which an exclusive-or pen relies on), the style counted in
// pixels along the lines. A segment wholly outside the clip is skipped, only counted.
void StrokeThinPolylineDirect(HDC d, const PenPlan& plan, const QPolygon& points, DirectPixels& target)
{
    target.SetColour(plan.pen.color());
    if (!plan.styled)
    {
        for (int i = 1; i < points.size(); ++i)
            if (!target.Misses(points[i - 1], points[i]))
                WalkLinePixels(points[i - 1], points[i], [&target](int x, int y) { target.Plot(x, y); });
        return;
    }
    // The dashes, then the gaps over them where the line crosses itself, as the painter's
    // points are drawn.
    const DashWalk dashes(plan.pen.dashPattern());
    DirectPixels background = target;
    background.SetColour(Colour(d, d->a.bkColour));
    for (const bool on : {true, false})
    {
        if (!on && d->a.bkMode != OPAQUE)
            break;
        const DirectPixels& pixels = on ? target : background;
        int n = 0;
        for (int i = 1; i < points.size(); ++i)
        {
            const QPoint a = points[i - 1], b = points[i];
            if (pixels.Misses(a, b))
            {
                n += std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
                continue;
            }
            WalkLinePixels(a, b, [&](int x, int y) {
                if (dashes.On(n++) == on)
                    pixels.Plot(x, y);
            });
        }
    }
}

// Draws one-pixel lines through the points (each segment without its last pixel, so every
// pixel is drawn once), with the pen's style counted in pixels along the lines.
void StrokeThinPolyline(HDC d, const PenPlan& plan, const QPolygon& points)
{
    if (!plan.visible || points.size() < 2)
        return;
    DirectPixels target;
    if (target.Open(d))
    {
        StrokeThinPolylineDirect(d, plan, points, target);
        return;
    }
    QVector<QPoint> pixels;
    for (int i = 1; i < points.size(); ++i)
        WalkLinePixels(points[i - 1], points[i], [&pixels](int x, int y) { pixels << QPoint(x, y); });
    QPainter* p = d->painter;
    SetMode(d, PenMode(d));
    QPen dot(plan.pen.color(), 0);
    if (!plan.styled)
    {
        p->setPen(dot);
        p->drawPoints(pixels.constData(), static_cast<int>(pixels.size()));
        p->setPen(Qt::NoPen);
        return;
    }
    const DashWalk dashes(plan.pen.dashPattern());
    QVector<QPoint> on, off;
    for (int i = 0; i < pixels.size(); ++i)
        (dashes.On(i) ? on : off) << pixels[i];
    p->setPen(dot);
    p->drawPoints(on.constData(), static_cast<int>(on.size()));
    if (d->a.bkMode == OPAQUE && !off.isEmpty())
    {
        p->setPen(QPen(Colour(d, d->a.bkColour), 0));
        p->drawPoints(off.constData(), static_cast<int>(off.size()));
    }
    p->setPen(Qt::NoPen);
}

void StrokePolyline(HDC d, const PenPlan& plan, const QPolygon& points)
{
    if (plan.width <= 1)
        StrokeThinPolyline(d, plan, points);
    else
        Stroke(d, plan, [&](QPainter* p) { p->drawPolyline(points); });
}

// Logical points to device pixels: a shift for the identity mapping, worked out once.
void AppendDevicePoints(HDC d, const POINT* points, int count, QPolygon& out)
{
    out.reserve(out.size() + count);
    if (!IsIdentityMapping(d))
    {
        for (int i = 0; i < count; ++i)
            out << ToDevice(d, points[i].x, points[i].y);
        return;
    }
    const QPoint shift = ToDevice(d, 0, 0);
    for (int i = 0; i < count; ++i)
        out << QPoint(points[i].x + shift.x(), points[i].y + shift.y());
}

// A brush fill of a shape with the current ROP2 (R2_BLACK and R2_WHITE fill in their colour).
void FillCurrent(HDC d, const QPainterPath& path)
{
    if (d->a.rop2 == R2_NOP)
        return;
    GdiHandle* brush = d->a.brush;
    if (!brush || brush->brushStyle == BS_NULL)
        return;
    if (d->a.rop2 == R2_BLACK || d->a.rop2 == R2_WHITE)
    {
        GdiHandle solid;
        solid.type = OBJ_BRUSH;
        solid.brushStyle = BS_SOLID;
        solid.colour = d->a.rop2 == R2_BLACK ? RGB(0, 0, 0) : RGB(255, 255, 255);
        FillShape(d, path, &solid, QPainter::CompositionMode_SourceOver);
        return;
    }
    FillShape(d, path, brush, PenMode(d));
}

Qt::BrushStyle HatchStyle(ULONG_PTR hatch)
{
    switch (hatch)
    {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

QRectF OutlineRect(const QRect& r)
{
    // A one-pixel outline through the first and last columns and rows of the rectangle.
    return QRectF(r.x(), r.y(), std::max(0, r.width() - 1), std::max(0, r.height() - 1));
}

QPointF ArcPoint(const QRectF& ellipse, double angle)
{
    const double radians = angle * M_PI / 180.0;
    return QPointF(ellipse.center().x() + ellipse.width() / 2 * std::cos(radians),
                   ellipse.center().y() - ellipse.height() / 2 * std::sin(radians));
}

// The angles (degrees, counter-clockwise from three o'clock, as QPainterPath takes them) at
// which the radials through the start and end points meet the ellipse, and the sweep in the
// context's arc direction.
void ArcAngles(HDC d, const QRectF& ellipse, QPointF start, QPointF end, double* startAngle, double* sweep)
{
    const QPointF c = ellipse.center();
    const double rx = std::max(ellipse.width() / 2, 0.5), ry = std::max(ellipse.height() / 2, 0.5);
    const double a1 = std::atan2(-(start.y() - c.y()) / ry, (start.x() - c.x()) / rx) * 180.0 / M_PI;
    const double a2 = std::atan2(-(end.y() - c.y()) / ry, (end.x() - c.x()) / rx) * 180.0 / M_PI;
    double span = a2 - a1;
    if (d->a.arcDirection == AD_CLOCKWISE)
    {
        while (span >= 0)
            span -= 360;
    }
    else
    {
        while (span <= 0)
            span += 360;
    }
    *startAngle = a1;
    *sweep = span;
}

QRegion RegionToDevice(HDC d, const QRegion& region)
{
    if (IsIdentityMapping(d))
    {
        const QPoint offset = ToDevice(d, 0, 0);
        return region.translated(offset);
    }
    QRegion mapped;
    for (const QRect& r : region)
        mapped += DeviceRect(d, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return mapped;
}

QPainterPath RegionPath(const QRegion& region)
{
    QPainterPath path;
    path.addRegion(region);
    return path;
}

GdiHandle* BrushOf(CBrush* brush)
{
    return brush ? Gdi::Lookup(brush->m_hObject, OBJ_BRUSH) : nullptr;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Fills shared with the other sources.

void DcImpl::FillShape(HDC d, const QPainterPath& path, GdiHandle* brush, QPainter::CompositionMode mode)
{
    if (!brush || brush->brushStyle == BS_NULL)
        return;
    QPainter* p = d->painter;
    p->setPen(Qt::NoPen);
    SetMode(d, mode);
    const COLORREF colour = brush->dcColour ? d->a.dcBrushColour : brush->colour;
    switch (brush->brushStyle)
    {
    case BS_HATCHED:
        if (d->a.bkMode == OPAQUE)
        {
            p->setBrush(Colour(d, d->a.bkColour));
            p->drawPath(path);
        }
        p->setBrushOrigin(d->a.brushOrg);
        p->setBrush(QBrush(Colour(d, colour), HatchStyle(brush->hatch)));
        p->drawPath(path);
        break;
    case BS_PATTERN: {
        QImage texture = brush->pattern;
        if (brush->patternMono)
        {
            // A monochrome pattern takes the text colour for black and the background colour
            // for white.
            const QRgb fore = Colour(d, d->a.textColour).rgb(), back = Colour(d, d->a.bkColour).rgb();
            for (int y = 0; y < texture.height(); ++y)
            {
                auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
                for (int x = 0; x < texture.width(); ++x)
                    line[x] = (line[x] & 0xFFFFFF) == 0xFFFFFF ? back : fore;
            }
        }
        else if (d->monochrome)
        {
            for (int y = 0; y < texture.height(); ++y)
            {
                auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
                for (int x = 0; x < texture.width(); ++x)
                    line[x] = Gdi::MonoPixel((line[x] & 0xFFFFFF) == 0xFFFFFF);
            }
        }
        p->setBrushOrigin(d->a.brushOrg);
        p->setBrush(QBrush(texture));
        p->drawPath(path);
        break;
    }
    default:
        p->setBrush(Colour(d, colour));
        p->drawPath(path);
        break;
    }
    p->setBrush(Qt::NoBrush);
    p->setBrushOrigin(0, 0);
}

void DcImpl::FillDeviceRect(HDC d, const QRect& rect, GdiHandle* brush, QPainter::CompositionMode mode)
{
    if (rect.isEmpty() || !brush)
        return;
    if (brush->brushStyle == BS_SOLID)
    {
        SetMode(d, mode);
        d->painter->fillRect(rect, Colour(d, brush->dcColour ? d->a.dcBrushColour : brush->colour));
        return;
    }
    QPainterPath path;
    path.addRect(rect);
    FillShape(d, path, brush, mode);
}

void DcImpl::FillDeviceRect(HDC d, const QRect& rect, const QColor& colour)
{
    if (rect.isEmpty())
        return;
    SetMode(d, QPainter::CompositionMode_SourceOver);
    d->painter->fillRect(rect, colour);
}

// ---------------------------------------------------------------------------------------
// Lines

CPoint CDC::GetCurrentPosition() const
{
    return m_hDC ? ToCPoint(m_hDC->a.currentPos) : CPoint();
}

CPoint CDC::MoveTo(int x, int y)
{
    if (!m_hDC)
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.currentPos);
    m_hDC->a.currentPos = QPoint(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return FALSE;
    Sync(d);
    const QPoint from = ToDevice(d, d->a.currentPos.x(), d->a.currentPos.y());
    const QPoint to = ToDevice(d, x, y);
    d->a.currentPos = QPoint(x, y);
    const PenPlan plan = MakePen(d);
    // A line of no length draws nothing.
    if (from != to || plan.width > 1)
        StrokePolyline(d, plan, QPolygon() << from << to);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpPoints || nCount < 2)
        return FALSE;
    Sync(d);
    QPolygon polygon;
    AppendDevicePoints(d, lpPoints, nCount, polygon);
    StrokePolyline(d, MakePen(d), polygon);
    return TRUE;
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpPoints || nCount < 1)
        return FALSE;
    Sync(d);
    QPolygon polygon;
    polygon.reserve(nCount + 1);
    polygon << ToDevice(d, d->a.currentPos.x(), d->a.currentPos.y());
    AppendDevicePoints(d, lpPoints, nCount, polygon);
    StrokePolyline(d, MakePen(d), polygon);
    d->a.currentPos = QPoint(lpPoints[nCount - 1].x, lpPoints[nCount - 1].y);
    return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    if (!lpPoints || !lpPolyPoints || nCount <= 0)
        return FALSE;
    int first = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (!Polyline(lpPoints + first, static_cast<int>(lpPolyPoints[i])))
            return FALSE;
        first += static_cast<int>(lpPolyPoints[i]);
    }
    return TRUE;
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpPoints || nCount < 4 || (nCount - 1) % 3 != 0)
        return FALSE;
    Sync(d);
    QPainterPath path(ToDevice(d, lpPoints[0].x, lpPoints[0].y));
    for (int i = 1; i + 2 < nCount; i += 3)
        path.cubicTo(ToDevice(d, lpPoints[i].x, lpPoints[i].y),
                     ToDevice(d, lpPoints[i + 1].x, lpPoints[i + 1].y),
                     ToDevice(d, lpPoints[i + 2].x, lpPoints[i + 2].y));
    StrokePath(d, MakePen(d), path);
    return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return FALSE;
    Sync(d);
    const QRect r = DeviceRect(d, x1, y1, x2, y2);
    const QRectF ellipse(r.x() + 0.5, r.y() + 0.5, r.width() - 1, r.height() - 1);
    double start = 0, sweep = 0;
    ArcAngles(d, ellipse, ToDeviceF(d, x3, y3), ToDeviceF(d, x4, y4), &start, &sweep);
    QPainterPath path(ArcPoint(ellipse, start));
    path.arcTo(ellipse, start, sweep);
    StrokePath(d, MakePen(d), path);
    return TRUE;
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect ? Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                        ptEnd.x, ptEnd.y)
                  : FALSE;
}

// ---------------------------------------------------------------------------------------
// Filled shapes

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return FALSE;
    Sync(d);
    const QRect r = DeviceRect(d, x1, y1, x2, y2);
    const PenPlan plan = MakePen(d);
    QPainterPath fill;
    if (!plan.visible)
    {
        // Without a pen the fill stops a pixel short on the right and bottom.
        fill.addRect(QRect(r.x(), r.y(), r.width() - 1, r.height() - 1));
        FillCurrent(d, fill);
        return TRUE;
    }
    if (plan.width <= 1)
    {
        // Fill and frame never overlap, so an XOR rectangle drawn twice leaves no trace.
        if (r.width() > 2 && r.height() > 2)
        {
            fill.addRect(r.adjusted(1, 1, -1, -1));
            FillCurrent(d, fill);
        }
        if (!r.isEmpty())
            Stroke(d, plan, [&](QPainter* p) { p->drawRect(OutlineRect(r)); });
        return TRUE;
    }
    const double w = plan.width;
    fill.addRect(QRect(r.x(), r.y(), r.width() - 1, r.height() - 1));
    FillCurrent(d, fill);
    QRectF frame = plan.insideFrame ? QRectF(r).adjusted(w / 2, w / 2, -w / 2, -w / 2)
                                    : QRectF(r.x() + 0.5, r.y() + 0.5, r.width() - 1, r.height() - 1);
    QPainterPath path;
    path.addRect(frame);
    StrokePath(d, plan, path);
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect ? Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

namespace
{
// Fills and outlines a closed shape built on the rectangle (x1, y1, x2, y2): its outline runs
// through the first and last pixel columns and rows, or inside the frame for PS_INSIDEFRAME.
template <typename Build> BOOL DrawClosedShape(HDC d, int x1, int y1, int x2, int y2, Build build)
{
    if (!Ready(d))
        return FALSE;
    Sync(d);
    const QRect r = DeviceRect(d, x1, y1, x2, y2);
    const PenPlan plan = MakePen(d);
    // Without a pen the shape fills one pixel less on the right and bottom; a pen runs through
    // the centres of the first and last pixel columns and rows (inside the frame for
    // PS_INSIDEFRAME).
    QRectF box = OutlineRect(r);
    if (plan.visible)
    {
        const double w = plan.width;
        box = plan.insideFrame && w > 1 ? QRectF(r).adjusted(w / 2, w / 2, -w / 2, -w / 2)
                                        : QRectF(r.x() + 0.5, r.y() + 0.5, r.width() - 1, r.height() - 1);
    }
    const QPainterPath path = build(box);
    FillCurrent(d, path);
    StrokePath(d, plan, path);
    return TRUE;
}
} // namespace

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return DrawClosedShape(m_hDC, x1, y1, x2, y2, [](const QRectF& box) {
        QPainterPath path;
        path.addEllipse(box);
        return path;
    });
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return lpRect ? Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    HDC d = m_hDC;
    if (!d)
        return FALSE;
    const double rx = std::abs(x3 * ScaleX(d)) / 2, ry = std::abs(y3 * ScaleY(d)) / 2;
    return DrawClosedShape(d, x1, y1, x2, y2, [&](const QRectF& box) {
        QPainterPath path;
        path.addRoundedRect(box, std::min(rx, box.width() / 2), std::min(ry, box.height() / 2));
        return path;
    });
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return lpRect ? RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y)
                  : FALSE;
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    HDC d = m_hDC;
    if (!d)
        return FALSE;
    return DrawClosedShape(d, x1, y1, x2, y2, [&](const QRectF& box) {
        double start = 0, sweep = 0;
        ArcAngles(d, box, ToDeviceF(d, x3, y3), ToDeviceF(d, x4, y4), &start, &sweep);
        QPainterPath path(box.center());
        path.arcTo(box, start, sweep);
        path.closeSubpath();
        return path;
    });
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect ? Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                        ptEnd.x, ptEnd.y)
                  : FALSE;
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    HDC d = m_hDC;
    if (!d)
        return FALSE;
    return DrawClosedShape(d, x1, y1, x2, y2, [&](const QRectF& box) {
        double start = 0, sweep = 0;
        ArcAngles(d, box, ToDeviceF(d, x3, y3), ToDeviceF(d, x4, y4), &start, &sweep);
        QPainterPath path(ArcPoint(box, start));
        path.arcTo(box, start, sweep);
        path.closeSubpath();
        return path;
    });
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect ? Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                          ptEnd.x, ptEnd.y)
                  : FALSE;
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    const int counts[1] = {nCount};
    return PolyPolygon(lpPoints, counts, 1);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const int* lpPolyCounts, int nCount)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpPoints || !lpPolyCounts || nCount <= 0)
        return FALSE;
    Sync(d);
    QPainterPath path;
    path.setFillRule(d->a.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    int first = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (lpPolyCounts[i] < 2)
            return FALSE;
        QPolygon polygon;
        for (int k = 0; k < lpPolyCounts[i]; ++k)
            polygon << ToDevice(d, lpPoints[first + k].x, lpPoints[first + k].y);
        path.addPolygon(polygon);
        path.closeSubpath();
        first += lpPolyCounts[i];
    }
    FillCurrent(d, path);
    StrokePath(d, MakePen(d), path);
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Rectangles and regions with a given brush or colour

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect)
        return;
    Sync(d);
    FillDeviceRect(d, DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom),
                   BrushOf(pBrush), QPainter::CompositionMode_SourceOver);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect || lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top)
        return;
    Sync(d);
    const QRect r = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    const QRegion frame = QRegion(r).subtracted(QRegion(r.adjusted(1, 1, -1, -1)));
    FillShape(d, RegionPath(frame), BrushOf(pBrush), QPainter::CompositionMode_SourceOver);
}

void CDC::InvertRect(LPCRECT lpRect)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect)
        return;
    Sync(d);
    SetMode(d, QPainter::RasterOp_SourceXorDestination);
    d->painter->fillRect(DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom), Qt::white);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    HDC d = m_hDC;
    GdiHandle* brush = BrushOf(pBrush);
    if (!Ready(d) || !pRgn || !brush || !Gdi::Lookup(pRgn->m_hObject, OBJ_REGION))
        return FALSE;
    Sync(d);
    FillShape(d, RegionPath(RegionToDevice(d, pRgn->ToQRegion())), brush,
              QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    HDC d = m_hDC;
    GdiHandle* brush = BrushOf(pBrush);
    if (!Ready(d) || !pRgn || !brush || !Gdi::Lookup(pRgn->m_hObject, OBJ_REGION))
        return FALSE;
    Sync(d);
    const QRegion region = RegionToDevice(d, pRgn->ToQRegion());
    const int w = std::max(1, static_cast<int>(std::lround(std::abs(nWidth * ScaleX(d)))));
    const int h = std::max(1, static_cast<int>(std::lround(std::abs(nHeight * ScaleY(d)))));
    const QRegion inner = region.intersected(region.translated(w, 0))
                              .intersected(region.translated(-w, 0))
                              .intersected(region.translated(0, h))
                              .intersected(region.translated(0, -h));
    FillShape(d, RegionPath(region.subtracted(inner)), brush, QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    HDC d = m_hDC;
    if (!Ready(d) || !pRgn || !Gdi::Lookup(pRgn->m_hObject, OBJ_REGION))
        return FALSE;
    Sync(d);
    SetMode(d, QPainter::RasterOp_SourceXorDestination);
    for (const QRect& r : RegionToDevice(d, pRgn->ToQRegion()))
        d->painter->fillRect(r, Qt::white);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    HDC d = m_hDC;
    if (!Ready(d) || !pRgn || !Gdi::Lookup(pRgn->m_hObject, OBJ_REGION))
        return FALSE;
    Sync(d);
    FillCurrent(d, RegionPath(RegionToDevice(d, pRgn->ToQRegion())));
    return TRUE;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    HDC d = m_hDC;
    if (!d || !lpRect)
        return;
    // As the framework does it: through the background colour, which keeps the colour.
    SetBkColor(clr);
    if (!Ready(d))
        return;
    Sync(d);
    QRect r = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    SetMode(d, QPainter::CompositionMode_SourceOver);
    d->painter->fillRect(r, Colour(d, clr));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect)
        return;
    Sync(d);
    const QRect r = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    if (r.isEmpty())
        return;
    // Every other pixel of the frame, inverted.
    static const QImage dots = [] {
        QImage image(2, 2, QImage::Format_RGB32);
        image.setPixel(0, 0, 0xFFFFFFFF);
        image.setPixel(1, 1, 0xFFFFFFFF);
        image.setPixel(1, 0, 0xFF000000);
        image.setPixel(0, 1, 0xFF000000);
        return image;
    }();
    const QRegion frame = QRegion(r).subtracted(QRegion(r.adjusted(1, 1, -1, -1)));
    QPainter* p = d->painter;
    SetMode(d, QPainter::RasterOp_SourceXorDestination);
    p->setPen(Qt::NoPen);
    p->setBrushOrigin(0, 0);
    p->setBrush(QBrush(dots));
    p->drawPath(RegionPath(frame));
    p->setBrush(Qt::NoBrush);
}

namespace
{
struct EdgeColours
{
    COLORREF topLeft;
    COLORREF bottomRight;
};

// Draws one ring of an edge on the sides asked for; returns the rectangle inside it.
QRect DrawEdgeRing(HDC d, const QRect& r, UINT flags, EdgeColours colours)
{
    if (r.isEmpty())
        return r;
    const QColor tl = Colour(d, colours.topLeft), br = Colour(d, colours.bottomRight);
    if (flags & BF_TOP)
        FillDeviceRect(d, QRect(r.left(), r.top(), r.width(), 1), tl);
    if (flags & BF_LEFT)
        FillDeviceRect(d, QRect(r.left(), r.top(), 1, r.height()), tl);
    if (flags & BF_BOTTOM)
        FillDeviceRect(d, QRect(r.left(), r.bottom(), r.width(), 1), br);
    if (flags & BF_RIGHT)
        FillDeviceRect(d, QRect(r.right(), r.top(), 1, r.height()), br);
    return r.adjusted(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                      flags & BF_BOTTOM ? -1 : 0);
}
} // namespace

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect)
        return FALSE;
    Sync(d);
    QRect r = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    const UINT outer = nEdge & BDR_OUTER, inner = nEdge & BDR_INNER;
    const bool soft = nFlags & BF_SOFT;
    EdgeColours outerColours{0, 0}, innerColours{0, 0};
    if (nFlags & BF_MONO)
    {
        outerColours = {GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)};
        innerColours = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)};
    }
    else if (nFlags & BF_FLAT)
    {
        outerColours = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)};
        innerColours = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE)};
    }
    else
    {
        if (outer & BDR_RAISEDOUTER)
            outerColours = {GetSysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT),
                            GetSysColor(COLOR_3DDKSHADOW)};
        else
            outerColours = {GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW),
                            GetSysColor(COLOR_BTNHIGHLIGHT)};
        if (inner & BDR_RAISEDINNER)
            innerColours = {GetSysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT),
                            GetSysColor(COLOR_BTNSHADOW)};
        else
            innerColours = {GetSysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW),
                            GetSysColor(COLOR_3DLIGHT)};
    }
    if (outer)
        r = DrawEdgeRing(d, r, nFlags, outerColours);
    if (inner)
        r = DrawEdgeRing(d, r, nFlags, innerColours);
    if ((nFlags & BF_MIDDLE) && !r.isEmpty())
        FillDeviceRect(d, r, Colour(d, GetSysColor((nFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (nFlags & BF_ADJUST)
    {
        const QPoint tl = ToLogical(d, r.left(), r.top());
        const QPoint br = ToLogical(d, r.left() + r.width(), r.top() + r.height());
        *lpRect = RECT{tl.x(), tl.y(), br.x(), br.y()};
    }
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    HDC d = m_hDC;
    if (!Ready(d) || !lpRect || nType != DFC_BUTTON)
        return FALSE;
    if (nState & DFCS_BUTTONPUSH)
    {
        UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
        if (nState & DFCS_FLAT)
            flags |= BF_FLAT;
        if (nState & DFCS_MONO)
            flags |= BF_MONO;
        if (nState & DFCS_ADJUSTRECT)
            flags |= BF_ADJUST;
        return DrawEdge(lpRect, (nState & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED, flags);
    }
    Sync(d);
    // Check boxes and radio buttons: a square of the smaller side, at most 13 pixels,
    // centred vertically at the left of the rectangle.
    const QRect area = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    const int side = std::min({area.width(), area.height(), 13});
    if (side <= 0)
        return TRUE;
    const QRect box(area.left(), area.top() + (area.height() - side) / 2, side, side);
    const bool inactive = nState & DFCS_INACTIVE;
    const COLORREF face = GetSysColor((inactive || (nState & DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW);
    const COLORREF mark = GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    QPainter* p = d->painter;
    SetMode(d, QPainter::CompositionMode_SourceOver);
    if (nState & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE))
    {
        p->setPen(QPen(Colour(d, GetSysColor(COLOR_BTNSHADOW)), 0));
        p->setBrush(Colour(d, face));
        p->drawEllipse(OutlineRect(box));
        if (nState & DFCS_CHECKED)
        {
            p->setPen(Qt::NoPen);
            p->setBrush(Colour(d, mark));
            p->drawEllipse(QRectF(box).adjusted(side / 3.0, side / 3.0, -side / 3.0, -side / 3.0));
        }
        p->setBrush(Qt::NoBrush);
        p->setPen(Qt::NoPen);
        return TRUE;
    }
    QRect inside =
        DrawEdgeRing(d, box, BF_RECT, {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)});
    inside = DrawEdgeRing(d, inside, BF_RECT, {GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)});
    FillDeviceRect(d, inside, Colour(d, face));
    if ((nState & DFCS_CHECKED) && inside.width() >= 3)
    {
        // A tick: down from the left third, then up to the right.
        const QPointF a(inside.left() + inside.width() * 0.2, inside.top() + inside.height() * 0.5);
        const QPointF b(inside.left() + inside.width() * 0.4, inside.top() + inside.height() * 0.75);
        const QPointF c(inside.left() + inside.width() * 0.8, inside.top() + inside.height() * 0.2);
        p->setPen(QPen(Colour(d, mark), std::max(1, side / 6), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p->drawPolyline(QPolygonF() << a << b << c);
        p->setPen(Qt::NoPen);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Pixels

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return CLR_INVALID;
    Sync(d);
    const QPoint p = ToDevice(d, x, y);
    const QRgb pixel = Pixel(d, crColor);
    // A picture drawn a pixel at a time (a sonar's points) writes its pixels itself, with no
    // call into the painter for each; the painter writes its image at once too, so every later
    // read or drawing sees them.
    QRect clip;
    if (QImage* image = DirectSurface(d, &clip))
    {
        if (!clip.contains(p))
            return CLR_INVALID;
        uchar* line = const_cast<uchar*>(image->constBits()) + static_cast<qsizetype>(p.y()) * image->bytesPerLine();
        reinterpret_cast<QRgb*>(line)[p.x()] = pixel;
        return ColorRefFromQRgb(pixel);
    }
    if (!IsVisible(d, p))
        return CLR_INVALID;
    SetMode(d, QPainter::CompositionMode_SourceOver);
    d->painter->fillRect(QRect(p, QSize(1, 1)), QColor(pixel));
    return ColorRefFromQRgb(pixel);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return SetPixel(x, y, crColor) != CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    HDC d = m_hDC;
    if (!d)
        return CLR_INVALID;
    QImage* image = TargetImage(d);
    const QPoint p = ToDevice(d, x, y);
    if (!image || !IsVisible(d, p) || !image->rect().contains(p))
        return CLR_INVALID;
    return ColorRefFromQRgb(image->pixel(p));
}
