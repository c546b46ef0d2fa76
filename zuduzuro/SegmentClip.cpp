#include "zuduzuro/SegmentClip.h"

#include "chart/geometry/PointInPolygon.h"
#include "foundation/Geometry.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>
#include <vector>

namespace
{
bool AllFinite(double startX, double startY, double endX, double endY, const tagXY* polygon, int count)
{
    if (!std::isfinite(startX) || !std::isfinite(startY) || !std::isfinite(endX) || !std::isfinite(endY))
        return false;
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(polygon[i].x) || !std::isfinite(polygon[i].y))
            return false;
    return true;
}
} // namespace

int ClipSegmentToPolygon(double startX, double startY, double endX, double endY, const tagXY* polygon,
                         int count, SegmentPieceDef** pieces)
{
    delete[] * pieces;
    *pieces = nullptr;
    if (count < 1 || !polygon || !AllFinite(startX, startY, endX, endY, polygon, count))
        return 0;

    std::vector<tagXY> crossings;
    std::vector<double> distances;
    SegmentPieceDef* out = nullptr;
    try
    {
        crossings.reserve(static_cast<size_t>(count));
        distances.reserve(static_cast<size_t>(count));
        out = new SegmentPieceDef[static_cast<size_t>(count)];
    }
    catch (const std::bad_alloc&)
    {
        return 0;
    }

    const tagXY start{startX, startY};
    const tagXY end{endX, endY};
    // The closed ring: the closing edge (last vertex to vertex 0) first, then the others in order.
    for (int i = 0; i < count; ++i)
    {
        const tagXY& from = polygon[i == 0 ? count - 1 : i - 1];
        const tagXY& to = polygon[i];
        tagXY crossing{0.0, 0.0};
        if (IntersectSegmentPoints(&start, &end, &from, &to, &crossing) != 2)
            continue;
        const double distance = std::hypot(crossing.x - startX, crossing.y - startY);
        if (distance == 0.0)
            continue;
        crossings.push_back(crossing);
        distances.push_back(distance);
    }

    // A stable sort keeps equal distances in edge order.
    std::vector<size_t> order(crossings.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return distances[a] < distances[b]; });

    // Whether the stretch from the start to the first crossing lies inside, from its middle:
    // no crossing lies within it, so its middle says what the whole stretch is. Asking the
    // start itself would count a start on the outline as inside even where the line leaves
    // the polygon, and report a piece that lies wholly outside.
    const tagXY firstEnd = order.empty() ? end : crossings[order.front()];
    const bool startInside =
        PointInPolygon((startX + firstEnd.x) / 2.0, (startY + firstEnd.y) / 2.0, polygon, count);

    if (order.empty())
    {
        if (!startInside)
        {
            delete[] out;
            return 0;
        }
        out[0] = SegmentPieceDef{start, end};
        *pieces = out;
        return 1;
    }

    // Points go in two to a piece: the start when inside, then every crossing in order.
    std::vector<tagXY> points;
    points.reserve(order.size() + 2);
    if (startInside)
        points.push_back(start);
    for (size_t i : order)
        points.push_back(crossings[i]);
    if (points.size() % 2 == 1 && PointInPolygon(endX, endY, polygon, count))
        points.push_back(end);

    const int made = static_cast<int>(points.size() / 2);
    for (int i = 0; i < made; ++i)
        out[i] = SegmentPieceDef{points[2 * i], points[2 * i + 1]};
    if (made == 0)
    {
        delete[] out;
        return 0;
    }
    *pieces = out;
    return made;
}
