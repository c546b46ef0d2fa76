#include "foundation/Geometry.h"
#include "foundation/NmeaChecksum.h"
#include "foundation/TextFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

namespace
{
constexpr double kEps = 1e-9;

// Perpendicular distance of p from the line through a and b, positive to the right of a → b.
double RightOfLine(const tagXY& p, const tagXY& a, const tagXY& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    return ((p.x - a.x) * dy - (p.y - a.y) * dx) / std::hypot(dx, dy);
}
} // namespace

TEST(Geometry, RangeAndBearing)
{
    struct Case
    {
        double e2, n2, bearing, range;
    };
    const Case cases[] = {
        {0, 10, 0.0, 10},
        {10, 0, M_PI / 2, 10},
        {0, -10, M_PI, 10},
        {-10, 0, 3 * M_PI / 2, 10},
        {3, 4, std::atan2(3.0, 4.0), 5},
        {-1e-300, 10, 0.0, 10}, // just west of north: wraps to 2π, reported as 0
        {0, 0, 0.0, 0},
    };
    for (const Case& c : cases)
    {
        double bearing = -1, range = -1;
        ComputeRangeBearing(0, 0, c.e2, c.n2, &bearing, &range);
        EXPECT_NEAR(bearing, c.bearing, kEps) << c.e2 << "," << c.n2;
        EXPECT_GE(bearing, 0.0);
        EXPECT_LT(bearing, 2 * M_PI);
        EXPECT_NEAR(range, c.range, kEps);
    }
    double only = -1;
    ComputeRangeBearing(5, 5, 5, 6, &only, nullptr);
    ComputeRangeBearing(5, 5, 5, 6, nullptr, nullptr);
    EXPECT_EQ(only, 0.0);

    // A point at a range and bearing gives that range and bearing back.
    double e = 0, n = 0, b = 0, r = 0;
    PointAtRangeBearing(500000.0, 6000000.0, 1234.5, 4.0, &e, &n);
    ComputeRangeBearing(500000.0, 6000000.0, e, n, &b, &r);
    EXPECT_NEAR(b, 4.0, 1e-9);
    EXPECT_NEAR(r, 1234.5, 1e-7);
}

TEST(Geometry, VesselOffsetsAndPerpendiculars)
{
    // Heading east: forward is east, starboard south.
    double e = 0, n = 0;
    RotateOffset(100, 200, 2, 10, 1.0, 0.0, &e, &n);
    EXPECT_NEAR(e, 110, kEps);
    EXPECT_NEAR(n, 198, kEps);

    // Leg heading north: port lies west, starboard east.
    tagXY port{}, stbd{};
    OffsetPerpendicular(100, 200, 0.0, 1.0, 10, 20, &port, &stbd);
    EXPECT_NEAR(port.x, 90, kEps);
    EXPECT_NEAR(port.y, 200, kEps);
    EXPECT_NEAR(stbd.x, 120, kEps);
    EXPECT_NEAR(stbd.y, 200, kEps);

    // Both forms agree at any bearing.
    for (double bearing : {0.3, 1.9, 3.5, 5.9})
    {
        tagXY p1{}, s1{}, p2{}, s2{};
        OffsetPerpendicular(7, 8, std::sin(bearing), std::cos(bearing), 3, 4, &p1, &s1);
        PortStarboardPoints(7, 8, bearing, 3, 4, &p2, &s2);
        EXPECT_NEAR(p1.x, p2.x, kEps);
        EXPECT_NEAR(p1.y, p2.y, kEps);
        EXPECT_NEAR(s1.x, s2.x, kEps);
        EXPECT_NEAR(s1.y, s2.y, kEps);
        EXPECT_NEAR(RightOfLine(p1, {7, 8}, {7 + std::sin(bearing), 8 + std::cos(bearing)}), -3, kEps);
        EXPECT_NEAR(RightOfLine(s1, {7, 8}, {7 + std::sin(bearing), 8 + std::cos(bearing)}), 4, kEps);
    }
}

TEST(Geometry, ProjectOntoSegment)
{
    // Leg north from (100, 100), 50 long, starting at KP 2.
    struct Case
    {
        double e, n, direction;
        int result;
        double kp, along, across, toEnd;
    };
    const Case cases[] = {
        {105, 120, 0.0, 0, 2.020, 20, 5, 30},  {95, 90, 0.0, -1, 1.990, -10, -5, 60},
        {100, 160, 0.0, 1, 2.060, 60, 0, -10}, {100, 150, 0.0, 0, 2.050, 50, 0, 0},
        {100, 100, 0.0, 0, 2.000, 0, 0, 50},   {105, 120, -1.0, 0, 2.020, 20, -5, 30},
        {0, 0, 0.0, -3, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        double kp = -9, along = -9, across = -9, toEnd = -9;
        EXPECT_EQ(ProjectOntoSegment(c.e, c.n, 100, 100, 2.0, 0.0, 1.0, 50, c.direction, &kp, &along, &across,
                                     &toEnd),
                  c.result)
            << c.e << "," << c.n;
        EXPECT_NEAR(kp, c.kp, kEps);
        EXPECT_NEAR(along, c.along, kEps);
        EXPECT_NEAR(across, c.across, kEps);
        EXPECT_NEAR(toEnd, c.toEnd, kEps);
    }
    // (0, 0) is "no point" whatever the leg, and outputs may be absent.
    EXPECT_EQ(ProjectOntoSegment(0, 0, 0, 0, 5.0, 0.6, 0.8, 10, 1.0, nullptr, nullptr, nullptr, nullptr), -3);

    // OffsetFromLine on a leg heading east: a point north of it is to port (negative).
    double kp = 0, along = 0, across = 0, toEnd = 0;
    EXPECT_EQ(OffsetFromLine(30, 14, 10, 10, 110, 10, &kp, &along, &across, &toEnd), 0);
    EXPECT_NEAR(along, 20, kEps);
    EXPECT_NEAR(across, -4, kEps);
    EXPECT_NEAR(kp, 0.020, kEps);
    EXPECT_NEAR(toEnd, 80, kEps);
}

TEST(Geometry, IntersectSegments)
{
    struct Case
    {
        double x1, y1, x2, y2, x3, y3, x4, y4;
        int result;
        double x, y;
    };
    const Case cases[] = {
        {0, 0, 10, 10, 0, 10, 10, 0, 2, 5, 5},  // cross in the middle
        {0, 0, 1, 1, 1, 1, 2, 0, 2, 1, 1},      // meet at a shared end point
        {0, 0, 10, 0, 10, -5, 10, 5, 2, 10, 0}, // one ends on the other
        {0, 0, 1, 0, 5, -1, 5, 1, 1, 5, 0},     // lines cross beyond the first segment
        {0, 0, 10, 0, 0, 1, 10, 1, 0, 0, 0},    // parallel
        {0, 0, 10, 0, 5, 0, 20, 0, 0, 0, 0},    // collinear and overlapping: still parallel
        {3, 3, 3, 3, 0, 0, 1, 1, 0, 0, 0},      // a point is no line
    };
    for (const Case& c : cases)
    {
        double x = -7, y = -7;
        EXPECT_EQ(IntersectSegments(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4, &x, &y), c.result);
        EXPECT_NEAR(x, c.x, kEps);
        EXPECT_NEAR(y, c.y, kEps);
        double lx = -7, ly = -7;
        EXPECT_EQ(IntersectLines({c.x1, c.y1}, {c.x2, c.y2}, {c.x3, c.y3}, {c.x4, c.y4}, &lx, &ly), c.result);
        EXPECT_EQ(lx, x);
        EXPECT_EQ(ly, y);
    }
}

TEST(Geometry, CorridorVertexMitresTheOffsetLegs)
{
    tagXY port{}, stbd{};
    // North, then a right turn to east: port 10 to the west/north, starboard 20 east/south.
    ComputeCorridorVertex({0, 0}, {0, 100}, {100, 100}, 10, 20, &port, &stbd);
    EXPECT_NEAR(port.x, -10, kEps);
    EXPECT_NEAR(port.y, 110, kEps);
    EXPECT_NEAR(stbd.x, 20, kEps);
    EXPECT_NEAR(stbd.y, 80, kEps);

    // At any turn, each corner lies at its width from both legs, on its side.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
    for (int i = 0; i < 200; ++i)
    {
        const tagXY a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)}, c{coord(rng), coord(rng)};
        double b1 = 0, b2 = 0;
        ComputeRangeBearing(a.x, a.y, b.x, b.y, &b1, nullptr);
        ComputeRangeBearing(b.x, b.y, c.x, c.y, &b2, nullptr);
        if (std::fabs(std::cos(b2 - b1)) > 0.99) // nearly straight or doubling back: mitre far off
            continue;
        ComputeCorridorVertex(a, b, c, 15, 25, &port, &stbd);
        EXPECT_NEAR(RightOfLine(port, a, b), -15, 1e-6);
        EXPECT_NEAR(RightOfLine(port, b, c), -15, 1e-6);
        EXPECT_NEAR(RightOfLine(stbd, a, b), 25, 1e-6);
        EXPECT_NEAR(RightOfLine(stbd, b, c), 25, 1e-6);
    }
}

TEST(Geometry, CorridorVertexOfLegsInLineIsThePerpendicular)
{
    // Three collinear points are common on routes and pipelines: the offset lines are parallel
    // and never cross, and the corners must still sit beside the vertex, not at (0, 0).
    struct Case
    {
        const char* what;
        tagXY a, b, c;
        tagXY port, stbd;
    };
    const double e0 = 512345.678, n0 = 6123456.789;
    const Case cases[] = {
        {"straight on, north", {0, 0}, {0, 100}, {0, 200}, {-10, 100}, {20, 100}},
        {"straight on, east", {0, 0}, {100, 0}, {250, 0}, {100, 10}, {100, -20}},
        {"doubling back", {0, 0}, {0, 100}, {0, 50}, {-10, 100}, {20, 100}},
        {"first leg has no length", {0, 100}, {0, 100}, {100, 100}, {0, 110}, {0, 80}},
        {"second leg has no length", {0, 0}, {0, 100}, {0, 100}, {-10, 100}, {20, 100}},
        // Grid coordinates in line up to rounding: a near-zero crossing would land far away.
        {"grid coordinates in line",
         {e0, n0},
         {e0 + 3 * 123.4, n0 + 3 * 567.8},
         {e0 + 7 * 123.4, n0 + 7 * 567.8},
         {e0 + 3 * 123.4 - 10 * 567.8 / std::hypot(123.4, 567.8),
          n0 + 3 * 567.8 + 10 * 123.4 / std::hypot(123.4, 567.8)},
         {e0 + 3 * 123.4 + 20 * 567.8 / std::hypot(123.4, 567.8),
          n0 + 3 * 567.8 - 20 * 123.4 / std::hypot(123.4, 567.8)}},
    };
    for (const Case& k : cases)
    {
        tagXY port{}, stbd{};
        ComputeCorridorVertex(k.a, k.b, k.c, 10, 20, &port, &stbd);
        EXPECT_NEAR(port.x, k.port.x, 1e-6) << k.what;
        EXPECT_NEAR(port.y, k.port.y, 1e-6) << k.what;
        EXPECT_NEAR(stbd.x, k.stbd.x, 1e-6) << k.what;
        EXPECT_NEAR(stbd.y, k.stbd.y, 1e-6) << k.what;
    }

    // A bend too slight for its offset lines to be crossed reliably still mitres smoothly:
    // the corner lies at the width from both legs to well under a millimetre.
    for (double bend : {1e-13, 1e-9, 1e-7, 3e-6})
    {
        const tagXY a{e0, n0}, b{e0, n0 + 1000.0};
        const tagXY c{e0 + 1000.0 * std::sin(bend), n0 + 1000.0 + 1000.0 * std::cos(bend)};
        tagXY port{}, stbd{};
        ComputeCorridorVertex(a, b, c, 10, 20, &port, &stbd);
        EXPECT_NEAR(RightOfLine(port, a, b), -10, 1e-4) << bend;
        EXPECT_NEAR(RightOfLine(stbd, a, b), 20, 1e-4) << bend;
        EXPECT_NEAR(port.y, b.y, 1e-3) << bend;
    }
}

TEST(Geometry, FitTurnArc)
{
    struct Case
    {
        const char* what;
        tagXY next;
        int side;
        double centreE, centreN, startE, startN, endE, endN, startBearing, endBearing;
    };
    // In from the south along the northing axis to the vertex (0, 0), radius 10.
    const Case cases[] = {
        {"right turn", {100, 0}, 1, 10, -10, 0, -10, 10, 0, 3 * M_PI / 2, 0},
        {"left turn", {-100, 0}, -1, -10, -10, 0, -10, -10, 0, M_PI / 2, 0},
    };
    for (const Case& c : cases)
    {
        ArcDef arc{};
        arc.Radius = 10;
        EXPECT_TRUE(FitTurnArc({0, -100}, {0, 0}, c.next, &arc)) << c.what;
        EXPECT_EQ(arc.TurnSide, c.side) << c.what;
        EXPECT_NEAR(arc.TurnAngle, M_PI / 2, kEps);
        EXPECT_NEAR(arc.ArcLength, 5 * M_PI, kEps);
        EXPECT_NEAR(arc.CentreE, c.centreE, kEps) << c.what;
        EXPECT_NEAR(arc.CentreN, c.centreN, kEps) << c.what;
        EXPECT_NEAR(arc.StartE, c.startE, kEps) << c.what;
        EXPECT_NEAR(arc.StartN, c.startN, kEps) << c.what;
        EXPECT_NEAR(arc.EndE, c.endE, kEps) << c.what;
        EXPECT_NEAR(arc.EndN, c.endN, kEps) << c.what;
        EXPECT_NEAR(arc.StartBearing, c.startBearing, kEps) << c.what;
        EXPECT_NEAR(std::fmod(arc.EndBearing + M_PI, 2 * M_PI) - M_PI, c.endBearing, kEps) << c.what;
    }

    // Any turn: both legs tangent to the circle, tangent points on the legs, bearings in range.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
    for (int i = 0; i < 200; ++i)
    {
        const tagXY a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)}, c{coord(rng), coord(rng)};
        ArcDef arc{};
        arc.Radius = 37.5;
        ASSERT_TRUE(FitTurnArc(a, b, c, &arc));
        const tagXY centre{arc.CentreE, arc.CentreN};
        EXPECT_NEAR(std::fabs(RightOfLine(centre, a, b)), 37.5, 1e-6);
        EXPECT_NEAR(std::fabs(RightOfLine(centre, b, c)), 37.5, 1e-6);
        EXPECT_EQ(RightOfLine(centre, a, b) > 0 ? 1 : -1, arc.TurnSide); // centre inside the turn
        EXPECT_NEAR(RightOfLine({arc.StartE, arc.StartN}, a, b), 0, 1e-6);
        EXPECT_NEAR(RightOfLine({arc.EndE, arc.EndN}, b, c), 0, 1e-6);
        EXPECT_NEAR(std::hypot(arc.StartE - arc.CentreE, arc.StartN - arc.CentreN), 37.5, 1e-6);
        EXPECT_NEAR(arc.ArcLength, arc.TurnAngle * 37.5, 1e-9);
        EXPECT_GE(arc.StartBearing, 0.0);
        EXPECT_LT(arc.EndBearing, 2 * M_PI);
    }

    // Nothing is filled without a positive radius or a turn.
    struct Refusal
    {
        const char* what;
        double radius;
        tagXY a, b, c;
    };
    const Refusal refusals[] = {
        {"zero radius", 0, {0, -100}, {0, 0}, {100, 0}},
        {"negative radius", -5, {0, -100}, {0, 0}, {100, 0}},
        {"straight on", 10, {0, -100}, {0, 0}, {0, 100}},
        {"straight back", 10, {0, -100}, {0, 0}, {0, -50}},
        {"leg without length", 10, {0, 0}, {0, 0}, {100, 0}},
    };
    for (const Refusal& r : refusals)
    {
        ArcDef arc{};
        arc.Radius = r.radius;
        arc.CentreE = 123;
        EXPECT_FALSE(FitTurnArc(r.a, r.b, r.c, &arc)) << r.what;
        EXPECT_EQ(arc.CentreE, 123) << r.what;
        EXPECT_EQ(arc.TurnSide, 0) << r.what;
    }
}

TEST(Geometry, FitArcAtIntersection)
{
    // The legs (0,-100)→(0,-50) and (50,0)→(100,0) meet at the origin beyond both segments.
    ArcDef arc{};
    arc.Radius = 10;
    tagXY crossing{-1, -1};
    EXPECT_EQ(FitArcAtIntersection({0, -100}, {0, -50}, {50, 0}, {100, 0}, &crossing, &arc), 1);
    EXPECT_NEAR(crossing.x, 0, kEps);
    EXPECT_NEAR(crossing.y, 0, kEps);
    EXPECT_EQ(arc.TurnSide, 1);
    EXPECT_NEAR(arc.CentreE, 10, kEps);
    EXPECT_NEAR(arc.CentreN, -10, kEps);

    // Crossing behind the first segment's start: the legs keep their directions.
    ArcDef behind{};
    behind.Radius = 10;
    EXPECT_EQ(FitArcAtIntersection({0, 50}, {0, 60}, {50, 0}, {100, 0}, &crossing, &behind), 1);
    EXPECT_EQ(behind.TurnSide, 1);
    EXPECT_NEAR(behind.CentreE, 10, kEps);
    EXPECT_NEAR(behind.CentreN, -10, kEps);

    ArcDef none{};
    none.Radius = 10;
    EXPECT_EQ(FitArcAtIntersection({0, 0}, {0, 10}, {5, 0}, {5, 10}, &crossing, &none), 0);
    EXPECT_EQ(crossing.x, 0);
    EXPECT_EQ(none.TurnSide, 0);
}

TEST(TextFunctions, FormatFixed)
{
    struct Case
    {
        double value;
        int width, decimals;
        bool plus, zero;
        const char* want;
    };
    const Case cases[] = {
        {1234.5, 5, 1, false, false, "999.9"},     {-1234.5, 5, 1, false, false, "-99.9"},
        {12.34, 5, 1, false, false, " 12.3"},      {3.14159, 8, 3, true, false, "  +3.142"},
        {3.14159, 8, 3, true, true, "+003.142"},   {-3.14159, 8, 3, false, true, "-003.142"},
        {1234.5, 5, 1, true, false, "+99.9"},      {2.5, 6, -1, false, false, "  2.50"},
        {-5.0, 4, 1, false, false, " 0.0"}, // fewer than 3 places before the decimals: no negatives
        {-5.0, 5, 1, false, false, " -5.0"},       {1e9, 6, 0, false, false, "999999"},
        {1e9, 6, 0, true, false, "+99999"},        {-1e9, 6, 0, false, false, "-99999"},
        {DBL_MAX, 8, 2, false, false, "99999.99"}, {7.0, 0, 2, false, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FormatFixed(c.value, c.width, c.decimals, c.plus, c.zero), c.want)
            << c.value << " w" << c.width << " d" << c.decimals;
}

TEST(TextFunctions, FormatFixedInt)
{
    struct Case
    {
        int value, width;
        bool plus, zero;
        const char* want;
    };
    const Case cases[] = {
        {5000, 3, false, true, "999"},
        {-5000, 3, false, false, "-99"},
        {7, 4, true, true, "+007"},
        {42, 5, false, false, "   42"},
        {-3, 4, false, true, "-003"},
        {12, 1, true, false, "+0"}, // the plus sign leaves no room for a digit
        // Widths past the 32-bit range clamp nothing (their limit once overflowed an int).
        {INT_MAX, 10, false, false, "2147483647"},
        {INT_MIN, 12, false, false, " -2147483648"},
        {INT_MAX, 20, true, false, "         +2147483647"},
    };
    for (const Case& c : cases)
    {
        CString out("old");
        EXPECT_STREQ(FormatFixedInt(out, c.value, c.width, c.plus, c.zero), c.want)
            << c.value << " w" << c.width;
        EXPECT_STREQ(out, c.want);
    }
}

TEST(Geometry, IntersectSegmentPointsForwardsTheCrossing)
{
    const tagXY a1{0, 0}, a2{10, 10}, b1{0, 10}, b2{10, 0}, far1{20, 0}, far2{30, -10};
    tagXY at{-1, -1};
    EXPECT_EQ(IntersectSegmentPoints(&a1, &a2, &b1, &b2, &at), 2);
    EXPECT_DOUBLE_EQ(at.x, 5.0);
    EXPECT_DOUBLE_EQ(at.y, 5.0);
    EXPECT_EQ(IntersectSegmentPoints(&a1, &a2, &far1, &far2, &at), 1);
    EXPECT_DOUBLE_EQ(at.x, 10.0);
    EXPECT_DOUBLE_EQ(at.y, 10.0);
    const tagXY p1{0, 1}, p2{10, 11};
    EXPECT_EQ(IntersectSegmentPoints(&a1, &a2, &p1, &p2, &at), 0);
    EXPECT_EQ(at.x, 0.0);
    EXPECT_EQ(at.y, 0.0);
}

TEST(Geometry, NearestPointOnSegment)
{
    struct Case
    {
        double e, n;
        double wantX, wantY, wantAlong, wantOffset;
    };
    // The segment runs north from (100, 200) to (100, 300): right of it is east.
    const Case cases[] = {
        {110, 250, 100, 250, 50, 10},  // square to the line, to the right
        {95, 220, 100, 220, 20, -5},   // to the left
        {100, 260, 100, 260, 60, 0},   // on it
        {103, 196, 100, 200, 0, 5},    // before the start: distance to the start
        {94, 308, 100, 300, 100, -10}, // past the end, to the left
    };
    for (const Case& c : cases)
    {
        tagXY p{0, 0};
        double along = -1.0, offset = -1.0;
        NearestPointOnSegment(c.e, c.n, 100, 200, 100, 300, &p, &along, &offset);
        EXPECT_NEAR(p.x, c.wantX, 1e-12) << c.e << "," << c.n;
        EXPECT_NEAR(p.y, c.wantY, 1e-12) << c.e << "," << c.n;
        EXPECT_NEAR(along, c.wantAlong, 1e-12) << c.e << "," << c.n;
        EXPECT_NEAR(offset, c.wantOffset, 1e-12) << c.e << "," << c.n;
    }
    double along = -1.0, offset = -1.0;
    NearestPointOnSegment(3, 4, 0, 0, 0, 0, nullptr, &along, &offset);
    EXPECT_EQ(along, 0.0);
    EXPECT_DOUBLE_EQ(offset, 5.0);
}

TEST(TextFunctions, SmallHelpers)
{
    struct Trim
    {
        const char* in;
        const char* want;
    };
    for (const Trim& t : {Trim{"1.500", "1.5"}, Trim{"2.000", "2"}, Trim{"100", "100"}, Trim{"100.0 ", "100"},
                          Trim{"-0.250", "-0.25"}, Trim{".000", "0"}, Trim{"1.0e10", "1.0e10"}, Trim{"", ""}})
        EXPECT_STREQ(TrimTrailingZeros(t.in), t.want) << t.in;

    CString line("text\r\n\r\n");
    StripCrLf(line);
    EXPECT_STREQ(line, "text");

    struct Lines
    {
        const char* text;
        int want;
    };
    for (const Lines& l : {Lines{"", 0}, Lines{"a", 1}, Lines{"a\n", 1}, Lines{"a\nb", 2}, Lines{"a\n\n", 2},
                           Lines{"\n", 1}, Lines{"a\r\nb\r\n", 2}})
        EXPECT_EQ(CountLines(l.text), l.want) << l.text;

    struct Field
    {
        const char* line;
        int index;
        char sep;
        bool collapse;
        bool found;
        const char* want;
    };
    const Field fields[] = {
        {"a,b,c", 1, ',', false, true, "a"},
        {"a,b,c", 3, ',', false, true, "c"},
        {"a,b,c", 4, ',', false, false, ""},
        {"a,,c", 2, ',', false, true, ""},
        {"a,,c", 2, ',', true, true, "c"},
        {"  12.5   7  x", 2, ' ', true, true, "7"},
        {"  12.5   7  x", 1, ' ', true, true, "12.5"},
        {"  12.5   7  ", 3, ' ', true, false, ""},
        {"a\tb", 2, '\t', false, true, "b"},
        {"a,b", 0, ',', false, false, ""},
    };
    for (const Field& f : fields)
    {
        CString got("junk");
        EXPECT_EQ(GetDelimitedField(f.line, f.index, got, f.sep, f.collapse), f.found)
            << f.line << " #" << f.index;
        EXPECT_STREQ(got, f.want) << f.line << " #" << f.index;
    }

    EXPECT_TRUE(IsDigit('0') && IsDigit('9') && !IsDigit('a') && !IsDigit('.'));
    EXPECT_TRUE(IsNumericChar('.') && IsNumericChar('+') && IsNumericChar('-') && !IsNumericChar('e'));
    for (const char* yes : {"12", " -1.5 ", "1.2.3", "+-"})
        EXPECT_TRUE(IsNumericText(yes)) << yes;
    for (const char* no : {"", "   ", "1e5", "12a", "1 2"})
        EXPECT_FALSE(IsNumericText(no)) << no;

    CStringArray names;
    names.Add("Alpha");
    names.Add("Beta");
    EXPECT_TRUE(IsInStringArray("beta", names));
    EXPECT_FALSE(IsInStringArray("Gamma", names));

    void* p = ReallocBuffer(nullptr, 16);
    ASSERT_NE(p, nullptr);
    std::memset(p, 0x5A, 16);
    p = ReallocBuffer(p, 4096);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(p)[15], 0x5A);
    std::free(p);

    EXPECT_EQ(AtofC("2.5"), 2.5);
    EXPECT_EQ(AtofC("-1e3x"), -1000.0);
}

TEST(NmeaChecksum, XorBetweenDollarAndStar)
{
    struct Case
    {
        const char* sentence;
        int want;
    };
    const Case cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", 0x47},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", 0x47},   // no '*': all after '$'
        {"GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00", 0x47}, // no '$': from the start
        {"$*12", 0},
        {"", 0},
        {"$A", 'A'},
        {"$AB*CD*", 'A' ^ 'B'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeNmeaChecksum(c.sentence), c.want) << c.sentence;

    EXPECT_STREQ(FormatNmeaChecksum(0x47), "*47");
    EXPECT_STREQ(FormatNmeaChecksum(0x0A), "*0A");
    EXPECT_STREQ(FormatNmeaChecksum(0), "*00");
    EXPECT_STREQ(FormatNmeaChecksum(0xFF), "*FF");
}
