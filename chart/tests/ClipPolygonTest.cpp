// The polygon clipper: against shapely's intersections on seeded random polygons and on
// polygons that meet the view's edges exactly, its whole-polygon and empty results, clip
// polygons other than a rectangle, and its refusals.
#include "chart/geometry/ClipPolygon.h"

#include "ClipCases.h"
#include "FailingAllocation.h"
#include "foundation/Geometry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr double kTolerance = 0.001;

// The view as the chart hands it over: five points, the first repeated at the end.
std::vector<tagXY> ViewRectangle(double xmin, double ymin, double xmax, double ymax)
{
    return {{xmin, ymin}, {xmax, ymin}, {xmax, ymax}, {xmin, ymax}, {xmin, ymin}};
}

double Perimeter(const std::vector<tagXY>& points)
{
    double length = 0.0;
    for (size_t i = 0; i < points.size(); ++i)
    {
        const tagXY& a = points[i];
        const tagXY& b = points[(i + 1) % points.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

// A clipped result owned for the length of a test.
struct Clipped
{
    tagXY* points = nullptr;
    int count = 0;
    int result = 0;
    Clipped(const std::vector<tagXY>& clip, const std::vector<tagXY>& subject, double tolerance = kTolerance)
    {
        result = ClipPolygon(clip.data(), static_cast<int>(clip.size()), subject.data(),
                             static_cast<int>(subject.size()), &points, &count, tolerance);
    }
    ~Clipped() { FreeClipResult(&points); }
    double Area() const
    {
        double total = 0.0;
        for (const ClipPiece& piece : Pieces(points, count))
            total += piece.area;
        return total;
    }
    // Whether a piece, filled by the winding rule as the chart fills it, covers (x, y).
    bool Covers(double x, double y) const
    {
        int winding = 0;
        int start = 0;
        for (int i = 0; i < count; ++i)
        {
            if (points[i].x == DBL_MAX)
            {
                if (winding != 0)
                    return true;
                winding = 0;
                start = i + 1;
                continue;
            }
            const tagXY& a = points[i];
            const tagXY& b = (i + 1 < count && points[i + 1].x != DBL_MAX) ? points[i + 1] : points[start];
            const double side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
            if (a.y <= y && b.y > y && side > 0)
                ++winding;
            else if (a.y > y && b.y <= y && side < 0)
                --winding;
        }
        return winding != 0;
    }
};
} // namespace

TEST(ClipPolygon, MatchesShapelyOnSeededPolygons)
{
    const ClipCases& cases = ClipCases::Get();
    ASSERT_EQ(cases.polygons.size(), 200u);
    const std::vector<tagXY> view = ViewRectangle(cases.xmin, cases.ymin, cases.xmax, cases.ymax);
    // Pieces that touch at a point may come back as one piece pinched there.
    for (const ClipCasePolygon& polygon : cases.polygons)
    {
        const Clipped clipped(view, polygon.points);
        ASSERT_EQ(clipped.result, 1) << "polygon " << polygon.id;
        int pieces = 0;
        double area = 0.0;
        for (const ClipPiece& piece : Pieces(clipped.points, clipped.count))
        {
            pieces += piece.area > 0.0 ? 1 : 0;
            area += piece.area;
        }
        EXPECT_GE(pieces, polygon.joined) << "polygon " << polygon.id;
        EXPECT_LE(pieces, polygon.pieces) << "polygon " << polygon.id;
        EXPECT_NEAR(area, polygon.area, 1e-9 * polygon.area + 1e-9) << "polygon " << polygon.id;
    }
}

TEST(ClipPolygon, PolygonsMeetingTheViewEdgesMatchShapely)
{
    // Vertices on the edges and corners, runs along an edge, touches at a point or along an
    // edge, from inside and outside, each both ways round; then random outlines snapped onto
    // the edges. The complement of the answer, or a piece that misses, shows in the area and
    // in the points probed.
    const ClipCases& cases = ClipCases::EdgeCases();
    ASSERT_EQ(cases.polygons.size(), 448u);
    const double viewArea = (cases.xmax - cases.xmin) * (cases.ymax - cases.ymin);
    for (const std::vector<tagXY>& view :
         {ViewRectangle(cases.xmin, cases.ymin, cases.xmax, cases.ymax),
          std::vector<tagXY>{{cases.xmax, cases.ymax}, {cases.xmin, cases.ymax}, {cases.xmin, cases.ymin},
                             {cases.xmax, cases.ymin}}})
        for (const ClipCasePolygon& polygon : cases.polygons)
        {
            const Clipped clipped(view, polygon.points);
            ASSERT_EQ(clipped.result, 1) << "polygon " << polygon.id;
            EXPECT_NEAR(clipped.Area(), polygon.area, 1e-6 * polygon.area + 1e-12 * viewArea)
                << "polygon " << polygon.id;
            for (int i = 0; i < clipped.count; ++i)
            {
                const tagXY& p = clipped.points[i];
                if (p.x == DBL_MAX)
                    continue;
                EXPECT_TRUE(p.x >= cases.xmin && p.x <= cases.xmax && p.y >= cases.ymin && p.y <= cases.ymax)
                    << "polygon " << polygon.id << " point " << p.x << ", " << p.y;
            }
            int pieces = 0;
            for (const ClipPiece& piece : Pieces(clipped.points, clipped.count))
                pieces += piece.area > 1e-12 * viewArea ? 1 : 0;
            EXPECT_GE(pieces, polygon.joined) << "polygon " << polygon.id;
            EXPECT_LE(pieces, polygon.pieces) << "polygon " << polygon.id;
            for (const ClipCasePoint& probe : polygon.probes)
                EXPECT_EQ(clipped.Covers(probe.x, probe.y), probe.inside)
                    << "polygon " << polygon.id << " at " << probe.x << ", " << probe.y;
        }
}

TEST(ClipPolygon, TriangleAlongTheBottomEdgeGivesTheTrapezoid)
{
    // Its bottom edge runs along the view's bottom edge and its apex lies on the top edge.
    const std::vector<tagXY> triangle = {{1500, 0}, {700, 600}, {-100, 0}};
    const Clipped clipped(ViewRectangle(0, 0, 1000, 600), triangle);
    ASSERT_EQ(clipped.result, 1);
    ASSERT_EQ(clipped.count, 7); // five vertices, the first again, the separator
    EXPECT_EQ(clipped.Area(), 382500.0);
    const std::vector<std::pair<double, double>> trapezoid = {{0, 0}, {1000, 0}, {1000, 375}, {700, 600}, {0, 75}};
    for (const auto& corner : trapezoid)
    {
        bool found = false;
        for (int i = 0; i < 5; ++i)
            found = found || (clipped.points[i].x == corner.first && clipped.points[i].y == corner.second);
        EXPECT_TRUE(found) << corner.first << ", " << corner.second;
    }
}

TEST(ClipPolygon, WholeInsideContainingAndOutside)
{
    const std::vector<tagXY> view = ViewRectangle(0, 0, 100, 80);
    const std::vector<tagXY> inside = {{10, 10}, {40, 15}, {30, 60}};
    const std::vector<tagXY> containing = {{-50, -50}, {200, -50}, {200, 200}, {-50, 200}};
    const std::vector<tagXY> outside = {{150, 10}, {190, 10}, {170, 60}};
    struct Case
    {
        const char* name;
        const std::vector<tagXY>& subject;
        const std::vector<tagXY>& expected; // before the separator
    };
    const std::vector<tagXY> none;
    for (const Case& c : {Case{"inside", inside, inside}, Case{"containing", containing, view},
                          Case{"outside", outside, none}})
    {
        const Clipped clipped(view, c.subject);
        ASSERT_EQ(clipped.result, 1) << c.name;
        if (c.expected.empty())
        {
            EXPECT_EQ(clipped.count, 0) << c.name;
            EXPECT_EQ(clipped.points, nullptr) << c.name;
            continue;
        }
        ASSERT_EQ(clipped.count, static_cast<int>(c.expected.size()) + 1) << c.name;
        for (size_t i = 0; i < c.expected.size(); ++i)
        {
            EXPECT_EQ(clipped.points[i].x, c.expected[i].x) << c.name << i;
            EXPECT_EQ(clipped.points[i].y, c.expected[i].y) << c.name << i;
        }
        EXPECT_EQ(clipped.points[c.expected.size()].x, DBL_MAX) << c.name;
        EXPECT_EQ(clipped.points[c.expected.size()].y, DBL_MAX) << c.name;
    }
}

TEST(ClipPolygon, CrossingResultIsClosedAndSeparated)
{
    // A square over the view's right edge: one piece, written as its vertices, the first
    // again, then the separator.
    const Clipped clipped(ViewRectangle(0, 0, 100, 80), {{80, 20}, {120, 20}, {120, 60}, {80, 60}});
    ASSERT_EQ(clipped.result, 1);
    ASSERT_EQ(clipped.count, 6);
    EXPECT_EQ(clipped.points[4].x, clipped.points[0].x);
    EXPECT_EQ(clipped.points[4].y, clipped.points[0].y);
    EXPECT_EQ(clipped.points[5].x, DBL_MAX);
    EXPECT_DOUBLE_EQ(clipped.Area(), 20.0 * 40.0);
    for (int i = 0; i < 5; ++i)
        EXPECT_LE(clipped.points[i].x, 100.0) << i;
}

TEST(ClipPolygon, VerticesOnTheViewEdgesAreClippedExactly)
{
    // The triangle's apex lies exactly on the view's top edge; the second's base runs along
    // the bottom edge; the third has a vertex on a corner. Nothing is moved, so the areas are
    // the exact ones.
    const std::vector<tagXY> view = ViewRectangle(0, 0, 100, 80);
    struct Case
    {
        const char* name;
        std::vector<tagXY> subject;
        double area;
    };
    const Case cases[] = {
        {"apex on top edge", {{20, 40}, {60, 40}, {40, 80}}, 800.0},
        {"apex above, base on bottom edge", {{20, 0}, {60, 0}, {40, 120}}, 40.0 * 120.0 / 2.0 * (1.0 - (40.0 / 120.0) * (40.0 / 120.0))},
        {"corner vertex", {{0, 0}, {50, 10}, {10, 50}}, 1200.0},
    };
    for (const Case& c : cases)
    {
        const Clipped clipped(view, c.subject);
        ASSERT_EQ(clipped.result, 1) << c.name;
        EXPECT_NEAR(clipped.Area(), c.area, 1e-9 * c.area) << c.name;
    }
}

TEST(ClipPolygon, VertexOnSlopedEdgeEndsWithTheRightArea)
{
    // The subject's vertex (5, 5) lies on the diamond's edge x + y = 10 with its coordinates
    // equal to neither end's: the crossing falls exactly on the edge's end (ua = 1), and only
    // moving the vertex anyway makes the next pass differ.
    const std::vector<tagXY> diamond = {{0, -10}, {10, 0}, {0, 10}, {-10, 0}};
    double ua = 0.0, ub = 0.0;
    ASSERT_TRUE(SegmentCrossingParameters(0, 0, 5, 5, 10, 0, 0, 10, &ua, &ub));
    ASSERT_EQ(ua, 1.0);
    const std::vector<tagXY> subject = {{0, 0}, {5, 5}, {0, 8}};
    const Clipped clipped(diamond, subject);
    ASSERT_EQ(clipped.result, 1);
    EXPECT_NEAR(clipped.Area(), 20.0, 2.0 * kTolerance * Perimeter(subject));

    // With no tolerance nothing moves: the clipper gives up instead of looping.
    const Clipped stuck(diamond, subject, 0.0);
    EXPECT_EQ(stuck.result, -1);
    EXPECT_EQ(stuck.count, 0);
    EXPECT_EQ(stuck.points, nullptr);
}

TEST(ClipPolygon, OtherClipPolygonsThroughAVertexOrAlongAnEdge)
{
    // A clip that is no rectangle goes the crossing walk: a subject edge through one of its
    // corners, or along one of its edges, moves the subject by about the tolerance instead of
    // giving the complement.
    const std::vector<tagXY> diamond = {{0, -10}, {10, 0}, {0, 10}, {-10, 0}};
    struct Case
    {
        const char* name;
        std::vector<tagXY> subject;
        double area;
    };
    const Case cases[] = {
        // the square's bottom edge passes through the diamond's left and right corners
        {"edge through two corners", {{-20, 0}, {20, 0}, {20, 20}, {-20, 20}}, 100.0},
        // the triangle's edge runs along the diamond's upper right edge
        {"edge along an edge", {{10, 0}, {0, 10}, {20, 20}}, 0.0},
        {"edge along an edge, inside", {{10, 0}, {0, 10}, {0, 0}}, 50.0},
    };
    for (const Case& c : cases)
    {
        const Clipped clipped(diamond, c.subject);
        ASSERT_EQ(clipped.result, 1) << c.name;
        EXPECT_NEAR(clipped.Area(), c.area, 4.0 * kTolerance * Perimeter(c.subject)) << c.name;
    }
}

TEST(ClipPolygon, RefusesBadArgumentsWithoutTouchingTheResult)
{
    const std::vector<tagXY> view = ViewRectangle(0, 0, 100, 80);
    const std::vector<tagXY> square = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<tagXY> notFinite = {{10, 10}, {nan, 10}, {20, 20}};
    const std::vector<tagXY> infinite = {{10, 10}, {inf, 10}, {20, 20}};
    tagXY sentinel{1.0, 2.0};
    struct Case
    {
        const char* name;
        const tagXY* clip;
        int clipCount;
        const tagXY* subject;
        int subjectCount;
        bool nullResult;
        double tolerance;
    };
    const Case cases[] = {
        {"null clip", nullptr, 5, square.data(), 4, false, kTolerance},
        {"null subject", view.data(), 5, nullptr, 4, false, kTolerance},
        {"null result", view.data(), 5, square.data(), 4, true, kTolerance},
        {"zero clip count", view.data(), 0, square.data(), 4, false, kTolerance},
        {"negative subject count", view.data(), 5, square.data(), -3, false, kTolerance},
        {"NaN vertex", view.data(), 5, notFinite.data(), 3, false, kTolerance},
        {"infinite clip vertex", infinite.data(), 3, square.data(), 4, false, kTolerance},
        {"NaN tolerance", view.data(), 5, square.data(), 4, false, nan},
    };
    for (const Case& c : cases)
    {
        tagXY* result = &sentinel;
        int count = 99;
        FailingAllocation::FailAfter(-1);
        EXPECT_EQ(ClipPolygon(c.clip, c.clipCount, c.subject, c.subjectCount, c.nullResult ? nullptr : &result,
                              &count, c.tolerance),
                  -1)
            << c.name;
        EXPECT_EQ(count, 0) << c.name;
        EXPECT_EQ(result, &sentinel) << c.name;
        EXPECT_EQ(FailingAllocation::Count(), 0) << c.name;
    }
    tagXY* result = nullptr;
    EXPECT_EQ(ClipPolygon(view.data(), 5, square.data(), 4, &result, nullptr, kTolerance), -1);
    EXPECT_EQ(result, nullptr);
}

TEST(ClipPolygon, EveryFailedAllocationIsReportedAndKeepsThePreviousResult)
{
    // Each allocation in turn fails: the work buffers give −1, the final array 255; in neither
    // case does the caller's previous result change. The view goes the exact rectangle path,
    // the octagon the crossing walk, whose circle has enough vertices for node blocks to run
    // out while building, crossing and tracing.
    std::vector<tagXY> octagon;
    for (int i = 0; i < 8; ++i)
        octagon.push_back({50.0 + 60.0 * std::cos(M_PI * i / 4.0), 40.0 + 60.0 * std::sin(M_PI * i / 4.0)});
    std::vector<tagXY> subject;
    for (int i = 0; i < 3000; ++i)
    {
        const double a = 2.0 * M_PI * i / 3000.0;
        subject.push_back({100.0 + 30.0 * std::cos(a), 40.0 + 30.0 * std::sin(a)});
    }
    struct Case
    {
        const char* name;
        std::vector<tagXY> clip;
        int fewestAllocations;
    };
    for (const Case& c : {Case{"view", ViewRectangle(0, 0, 100, 80), 3}, Case{"octagon", octagon, 6}})
    {
        FailingAllocation::FailAfter(-1);
        const Clipped clean(c.clip, subject);
        const int allocations = FailingAllocation::Count();
        ASSERT_EQ(clean.result, 1) << c.name;
        EXPECT_GT(clean.Area(), 0.0) << c.name;
        ASSERT_GE(allocations, c.fewestAllocations) << c.name;

        const int subjectCount = static_cast<int>(subject.size());
        tagXY previous[1] = {{7.0, 7.0}};
        for (int failAt = 0; failAt < allocations; ++failAt)
        {
            tagXY* result = previous;
            int count = 42;
            FailingAllocation::FailAfter(failAt);
            const int code = ClipPolygon(c.clip.data(), static_cast<int>(c.clip.size()), subject.data(), subjectCount,
                                         &result, &count, kTolerance);
            FailingAllocation::FailAfter(-1);
            EXPECT_EQ(code, failAt == allocations - 1 ? 255 : -1) << c.name << " " << failAt;
            EXPECT_EQ(count, 0) << c.name << " " << failAt;
            EXPECT_EQ(result, previous) << c.name << " " << failAt;
        }
    }
    const Clipped half(ViewRectangle(0, 0, 100, 80), subject);
    EXPECT_NEAR(half.Area(), M_PI * 900.0 / 2.0, 1.0);
}
