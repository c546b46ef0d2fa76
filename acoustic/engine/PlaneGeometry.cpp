#include "acoustic/engine/PlaneGeometry.h"

#include <cmath>
#include <cstdint>
#include <utility>

void OffsetToGrid(double e0, double n0, double x, double y, double headingDegrees, double* e, double* n)
{
    const double h = headingDegrees * 0.017453292519943;
    RotateOffset(e0, n0, x, y, std::sin(h), std::cos(h), e, n);
}

void RotateAboutCentre(double x, double y, double cx, double cy, double sine, double cosine, double* xOut,
                       double* yOut)
{
    const double dx = x - cx, dy = y - cy;
    if (xOut)
        *xOut = cx + dx * cosine - dy * sine;
    if (yOut)
        *yOut = cy + dx * sine + dy * cosine;
}

bool LinesMeet(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
               double* x, double* y)
{
    return IntersectSegments(x1, y1, x2, y2, x3, y3, x4, y4, x, y) != 0;
}

namespace
{
// Which edge an end was moved onto: none, an x edge (x = value) or a y edge (y = value).
struct EdgeHit
{
    int axis = 0; // 0 none, 1 x edge, 2 y edge
    double t = 0.0;
    double value = 0.0;
};

// The part of the segment inside the rectangle as line parameters (Liang-Barsky). Whichever
// edge limits a parameter is the edge that end is moved onto. False when no stretch of the
// segment is inside.
bool ClipParameters(double x1, double y1, double dx, double dy, double xMin, double xMax, double yMin,
                    double yMax, EdgeHit& enter, EdgeHit& leave)
{
    enter = EdgeHit();
    leave = EdgeHit();
    enter.t = 0.0;
    leave.t = 1.0;
    struct Edge
    {
        double p, q;
        int axis;
        double value;
    };
    // x edges first, then y edges.
    const Edge edges[4] = {{-dx, x1 - xMin, 1, xMin},
                           {dx, xMax - x1, 1, xMax},
                           {-dy, y1 - yMin, 2, yMin},
                           {dy, yMax - y1, 2, yMax}};
    for (const Edge& edge : edges)
    {
        if (edge.p == 0.0)
        {
            if (edge.q < 0.0)
                return false;
            continue;
        }
        const double t = edge.q / edge.p;
        if (edge.p < 0.0)
        {
            if (t > enter.t)
                enter = {edge.axis, t, edge.value};
        }
        else if (t < leave.t)
        {
            leave = {edge.axis, t, edge.value};
        }
    }
    return enter.t < leave.t;
}

template <typename T> bool IsOutsideAxisParallel(T x1, T y1, T x2, T y2, T xMin, T xMax, T yMin, T yMax)
{
    if (x1 == x2 && (x1 < xMin || x1 > xMax))
        return true;
    return y1 == y2 && (y1 < yMin || y1 > yMax);
}
} // namespace

int ClipSegment(double& x1, double& y1, double& x2, double& y2, double xMin, double xMax, double yMin,
                double yMax)
{
    if (xMin > xMax)
        std::swap(xMin, xMax);
    if (yMin > yMax)
        std::swap(yMin, yMax);
    if (IsOutsideAxisParallel(x1, y1, x2, y2, xMin, xMax, yMin, yMax))
        return CLIP_OUTSIDE;
    if (x1 == x2 && y1 == y2)
        return CLIP_ZERO_LENGTH;
    const double dx = x2 - x1, dy = y2 - y1;
    EdgeHit enter, leave;
    if (!ClipParameters(x1, y1, dx, dy, xMin, xMax, yMin, yMax, enter, leave))
        return CLIP_OUTSIDE;
    // A moved end lies exactly on its edge; only the other coordinate is interpolated.
    auto place = [&](const EdgeHit& hit, double& x, double& y) {
        if (hit.axis == 1)
        {
            x = hit.value;
            y = y1 + (hit.value - x1) * dy / dx;
        }
        else if (hit.axis == 2)
        {
            y = hit.value;
            x = x1 + (hit.value - y1) * dx / dy;
        }
    };
    double ax = x1, ay = y1, bx = x2, by = y2;
    place(enter, ax, ay);
    place(leave, bx, by);
    if (ax == bx && ay == by)
        return CLIP_OUTSIDE;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    return CLIP_INSIDE;
}

int ClipSegment(int& x1, int& y1, int& x2, int& y2, int xMin, int xMax, int yMin, int yMax)
{
    if (xMin > xMax)
        std::swap(xMin, xMax);
    if (yMin > yMax)
        std::swap(yMin, yMax);
    if (IsOutsideAxisParallel(x1, y1, x2, y2, xMin, xMax, yMin, yMax))
        return CLIP_OUTSIDE;
    if (x1 == x2 && y1 == y2)
        return CLIP_ZERO_LENGTH;
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    EdgeHit enter, leave;
    if (!ClipParameters(x1, y1, double(dx), double(dy), xMin, xMax, yMin, yMax, enter, leave))
        return CLIP_OUTSIDE;
    auto place = [&](const EdgeHit& hit, int& x, int& y) {
        if (hit.axis == 1)
        {
            const int64_t edge = int64_t(hit.value);
            x = int(edge);
            y = int(y1 + (edge - x1) * dy / dx);
        }
        else if (hit.axis == 2)
        {
            const int64_t edge = int64_t(hit.value);
            y = int(edge);
            x = int(x1 + (edge - y1) * dx / dy);
        }
    };
    int ax = x1, ay = y1, bx = x2, by = y2;
    place(enter, ax, ay);
    place(leave, bx, by);
    if (ax == bx && ay == by)
        return CLIP_OUTSIDE;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    return CLIP_INSIDE;
}
