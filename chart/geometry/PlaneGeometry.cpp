#include "chart/geometry/PlaneGeometry.h"

#include "foundation/Geometry.h"

#include <cmath>

void RotatePoint(double* x, double* y, double cx, double cy, double sinA, double cosA)
{
    if (!x || !y)
        return;
    const double dx = *x - cx;
    const double dy = *y - cy;
    *x = dx * cosA - dy * sinA + cx;
    *y = dx * sinA + dy * cosA + cy;
}

bool IsPointNearSegment(double px, double py, double x1, double y1, double x2, double y2, int tolerance)
{
    double bearing = 0.0, length = 0.0;
    ComputeRangeBearing(x1, y1, x2, y2, &bearing, &length);
    const double sinB = std::sin(bearing);
    const double cosB = std::cos(bearing);
    const double along = cosB * (py - y1) + sinB * (px - x1);
    if (!(along >= 0.0 && along <= length))
        return false;
    const double across = std::fabs(cosB * (px - x1) - sinB * (py - y1));
    // tolerance >= int(across), without converting a far distance to int.
    return across < static_cast<double>(tolerance) + 1.0;
}

bool IsPointNearSegment(const tagXY& point, int x1, int y1, int x2, int y2, int tolerance)
{
    return IsPointNearSegment(point.x, point.y, x1, y1, x2, y2, tolerance);
}
