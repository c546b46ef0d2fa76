// Point in polygon against shapely, and the two small plane operations on cases worked by hand.
#include "chart/geometry/PlaneGeometry.h"
#include "chart/geometry/PointInPolygon.h"

#include "ClipCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(PointInPolygon, MatchesShapelyContains)
{
    const ClipCases& cases = ClipCases::Get();
    int probes = 0;
    for (const ClipCasePolygon& polygon : cases.polygons)
        for (const ClipCasePoint& p : polygon.probes)
        {
            ++probes;
            EXPECT_EQ(PointInPolygon(p.x, p.y, polygon.points.data(), static_cast<int>(polygon.points.size())),
                      p.inside)
                << "polygon " << polygon.id << " at " << p.x << ", " << p.y;
        }
    EXPECT_EQ(probes, 1000);
}

TEST(PointInPolygon, VerticesDegenerateOutlinesAndTheNodeList)
{
    // An L shape, its re-entrant corner at (10, 10).
    const std::vector<tagXY> shape = {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
    const int n = static_cast<int>(shape.size());
    for (const tagXY& v : shape)
        EXPECT_TRUE(PointInPolygon(v.x, v.y, shape.data(), n)) << v.x << ", " << v.y;
    EXPECT_TRUE(PointInPolygon(5, 5, shape.data(), n));
    EXPECT_TRUE(PointInPolygon(15, 5, shape.data(), n));
    EXPECT_FALSE(PointInPolygon(15, 15, shape.data(), n));
    EXPECT_FALSE(PointInPolygon(-1, 5, shape.data(), n));

    EXPECT_FALSE(PointInPolygon(0, 0, shape.data(), 2));
    EXPECT_FALSE(PointInPolygon(0, 0, shape.data(), 0));
    EXPECT_FALSE(PointInPolygon(0, 0, nullptr, 6));

    // The same outline as a ring of work-list nodes, and as a straight list closed by a copy.
    std::vector<PolygonNode> ring(shape.size() + 1);
    for (size_t i = 0; i < ring.size(); ++i)
    {
        ring[i] = PolygonNode{};
        ring[i].x = shape[i % shape.size()].x;
        ring[i].y = shape[i % shape.size()].y;
    }
    for (size_t i = 0; i + 1 < ring.size(); ++i)
        ring[i].next = &ring[i + 1];
    for (const bool closedByCopy : {false, true})
    {
        ring[shape.size() - 1].next = closedByCopy ? &ring[shape.size()] : &ring[0];
        EXPECT_TRUE(PointInPolygon(5, 5, &ring[0]));
        EXPECT_TRUE(PointInPolygon(10, 10, &ring[0]));
        EXPECT_FALSE(PointInPolygon(15, 15, &ring[0]));
    }
    EXPECT_FALSE(PointInPolygon(0, 0, static_cast<const PolygonNode*>(nullptr)));
}

TEST(PlaneGeometry, RotatePoint)
{
    struct Case
    {
        double x, y, cx, cy, degrees, ex, ey;
    };
    const Case cases[] = {
        {10, 0, 0, 0, 90, 0, 10},
        {12, 5, 2, 5, 180, -8, 5},
        {3, 4, 1, 1, -90, 4, -1},
        {1, 1, 0, 0, 45, 0, std::sqrt(2.0)},
        {7, -3, 7, -3, 33, 7, -3},
    };
    for (const Case& c : cases)
    {
        double x = c.x, y = c.y;
        const double a = c.degrees * M_PI / 180.0;
        RotatePoint(&x, &y, c.cx, c.cy, std::sin(a), std::cos(a));
        EXPECT_NEAR(x, c.ex, 1e-12) << c.degrees;
        EXPECT_NEAR(y, c.ey, 1e-12) << c.degrees;
    }
}

TEST(PlaneGeometry, IsPointNearSegment)
{
    struct Case
    {
        double px, py;
        int x1, y1, x2, y2, tolerance;
        bool near;
    };
    const Case cases[] = {
        {5, 2, 0, 0, 10, 0, 3, true},     // beside a horizontal segment
        {5, 3.9, 0, 0, 10, 0, 3, true},   // 3.9 truncates to 3
        {5, 4.2, 0, 0, 10, 0, 3, false},
        {5, -3.5, 0, 0, 10, 0, 3, true},  // the other side
        {-0.5, 0, 0, 0, 10, 0, 3, false}, // before the start
        {10.5, 0, 0, 0, 10, 0, 3, false}, // beyond the end
        {10, 1, 0, 0, 10, 0, 0, true},    // at the end, within one unit
        {3, 5, 0, 0, 0, 10, 3, true},     // vertical
        {3.5, 5, 0, 0, 0, 10, 2, false},
        {5, 7, 0, 0, 10, 10, 1, true},    // diagonal: 2/√2 = 1.41 truncates to 1
        {4, 8, 0, 0, 10, 10, 2, true},    // 4/√2 = 2.83 truncates to 2
        {4, 8, 0, 0, 10, 10, 1, false},
        {2, 9, 10, 10, 0, 0, 4, true},    // reversed: 7/√2 = 4.95 truncates to 4
        {2, 9, 10, 10, 0, 0, 3, false},
        {1e300, 0, 0, 0, 10, 10, 5, false},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(IsPointNearSegment(c.px, c.py, c.x1, c.y1, c.x2, c.y2, c.tolerance), c.near)
            << c.px << ", " << c.py << " tolerance " << c.tolerance;
        EXPECT_EQ(IsPointNearSegment(tagXY{c.px, c.py}, c.x1, c.y1, c.x2, c.y2, c.tolerance), c.near)
            << c.px << ", " << c.py << " tolerance " << c.tolerance;
    }
}
