#include "chart/geometry/ClipSegment.h"

#include <cmath>
#include <utility>

namespace
{
// Points slid along the segment's line. Every slide starts from the given start point, so two
// ends slid to the same x (or y) land on bit-identical points: a segment that misses the
// rectangle then collapses to one point and is reported invisible, never as a sliver.
class LineThrough
{
public:
    LineThrough(double x1, double y1, double x2, double y2) : m_X(x1), m_Y(y1), m_Dx(x2 - x1), m_Dy(y2 - y1) {}

    void ToX(double x, double& px, double& py) const
    {
        py = m_Y + (x - m_X) * m_Dy / m_Dx;
        px = x;
    }
    void ToY(double y, double& px, double& py) const
    {
        px = m_X + (y - m_Y) * m_Dx / m_Dy;
        py = y;
    }
    // Into xmin..xmax, then into ymin..ymax, each along the line.
    void Clamp(double& px, double& py, double xmin, double ymin, double xmax, double ymax) const
    {
        if (px > xmax)
            ToX(xmax, px, py);
        else if (px < xmin)
            ToX(xmin, px, py);
        if (py > ymax)
            ToY(ymax, px, py);
        else if (py < ymin)
            ToY(ymin, px, py);
    }

private:
    double m_X;
    double m_Y;
    double m_Dx;
    double m_Dy;
};
} // namespace

int ClipSegmentToRect(double x1, double y1, double x2, double y2, double xmin, double ymin, double xmax,
                      double ymax, double* outX1, double* outY1, double* outX2, double* outY2)
{
    for (double v : {x1, y1, x2, y2, xmin, ymin, xmax, ymax})
        if (!std::isfinite(v))
            return 1;
    if (ymin > ymax)
        std::swap(ymin, ymax);
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0.0)
    {
        if (dy == 0.0)
            return 2;
        if (x1 < xmin || x1 > xmax)
            return 1;
    }
    else if (dy == 0.0 && (y1 < ymin || y1 > ymax))
        return 1;

    const LineThrough line(x1, y1, x2, y2);
    double sx = x1, sy = y1, ex = x2, ey = y2;
    line.Clamp(sx, sy, xmin, ymin, xmax, ymax);
    line.Clamp(ex, ey, xmin, ymin, xmax, ymax);
    if (sx == ex && sy == ey)
        return 1;
    if (outX1)
        *outX1 = sx;
    if (outY1)
        *outY1 = sy;
    if (outX2)
        *outX2 = ex;
    if (outY2)
        *outY2 = ey;
    return 0;
}

int ClipSegmentToRect(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                      double ymax)
{
    return ClipSegmentToRect(x1, y1, x2, y2, xmin, ymin, xmax, ymax, &x1, &y1, &x2, &y2);
}
