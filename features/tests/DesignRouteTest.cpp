// Design routes: KPs, turn arcs and corridor corners against plane geometry worked out here,
// the turns that do not fit, the route point operations, the design route file read back, and
// the design route list.
#include "features/DesignRoute.h"
#include "features/DesignRouteList.h"
#include "features/RouteList.h"
#include "features/tests/FeatureTestFiles.h"
#include "foundation/Geometry.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <string>
#include <vector>

using namespace featuretest;

namespace
{
const char kPath[] = "C:\\MyData\\Design\\Export Cable.txt";
const double kPort = 20.0;
const double kStarboard = 30.0;

struct Ip
{
    double e, n, radius;
};

void SetPoints(CDesignRoute& route, const std::vector<Ip>& points)
{
    route.RemoveAll();
    for (const Ip& ip : points)
    {
        RouteDef p;
        p.Position = {ip.e, ip.n};
        p.TurnRadius = ip.radius;
        route.Add(p);
    }
    route.m_PortWidth = kPort;
    route.m_StarboardWidth = kStarboard;
    route.Recompute();
}

void ExpectAt(const tagXY& p, const tagXY& expected, const char* what)
{
    EXPECT_NEAR(p.x, expected.x, 1e-6) << what;
    EXPECT_NEAR(p.y, expected.y, 1e-6) << what;
}

tagXY Along(const tagXY& from, double bearing, double distance)
{
    return {from.x + distance * std::sin(bearing), from.y + distance * std::cos(bearing)};
}

// The corners square to a leg of `bearing` through `p`: port to its left, starboard right.
void ExpectSquareCorners(const tagXY& port, const tagXY& starboard, const tagXY& p, double bearing,
                         const char* what)
{
    ExpectAt(port, Along(p, bearing - M_PI_2, kPort), what);
    ExpectAt(starboard, Along(p, bearing + M_PI_2, kStarboard), what);
}

// The design route file as the chart writes it: "E, N" and ", R" for a radius above 0.
QByteArray WriteDesignFile(const CDesignRoute& route)
{
    QByteArray bytes;
    for (INT_PTR i = 0; i < route.GetSize(); ++i)
    {
        const RouteDef& p = route[i];
        bytes += QByteArray::number(p.Position.x, 'f', 3) + ", " + QByteArray::number(p.Position.y, 'f', 3);
        if (p.TurnRadius > 0.0)
            bytes += ", " + QByteArray::number(p.TurnRadius, 'f', 3);
        bytes += "\r\n";
    }
    return bytes;
}
} // namespace

TEST(DesignRoute, TwoPointsGiveKpsAndNoArc)
{
    CDesignRoute route;
    SetPoints(route, {{1000, 2000, 0}, {4000, 6000, 50}});
    EXPECT_EQ(route[0].Kp, 0.0);
    EXPECT_NEAR(route[1].Kp, 5.0, 1e-12);
    for (INT_PTR i = 0; i < 2; ++i)
        EXPECT_FALSE(route[i].HasTurnArc());
    EXPECT_EQ(route[1].TurnRadius, 50.0); // kept, though an end point never turns
    const double bearing = std::atan2(3000.0, 4000.0);
    EXPECT_NEAR(route[0].Leg.Bearing, bearing, 1e-12);
    EXPECT_NEAR(route[0].Leg.Length, 5000.0, 1e-9);
    ExpectSquareCorners(route[0].PortCorridor, route[0].StarboardCorridor, {1000, 2000}, bearing, "start");
    ExpectSquareCorners(route[1].PortCorridor, route[1].StarboardCorridor, {4000, 6000}, bearing, "end");
}

TEST(DesignRoute, TurnArcMatchesPlaneGeometry)
{
    // North for 1000 m into the intersection point at the origin, then 1000 m on the new
    // heading; the tangent points lie r·tan(Δ/2) either side of the intersection point.
    struct Case
    {
        double turnDegrees; // + to starboard, − to port
        double radius;
    } cases[] = {{90, 100}, {-30, 250}, {150, 50}, {-120, 400}, {10, 2000}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.turnDegrees);
        const double delta = std::fabs(c.turnDegrees) * M_PI / 180.0;
        const double out = c.turnDegrees * M_PI / 180.0; // bearing of the outgoing leg
        const tagXY ip{0, 0};
        const tagXY end = Along(ip, out, 1000);
        CDesignRoute route;
        SetPoints(route, {{0, -1000, 0}, {0, 0, c.radius}, {end.x, end.y, 0}});

        const double t = c.radius * std::tan(delta / 2);
        const RouteDef& p = route[1];
        ASSERT_TRUE(p.HasTurnArc());
        EXPECT_EQ(p.TurnDirection, c.turnDegrees > 0 ? 1 : -1);
        ExpectAt(p.TurnStart, {0, -t}, "tangent in");
        ExpectAt(p.TurnEnd, Along(ip, out, t), "tangent out");
        EXPECT_NEAR(p.TurnLength, c.radius * delta, 1e-9);
        EXPECT_NEAR(p.TurnSweep, delta, 1e-12);
        // The centre is r from both tangent points, on the inside of the turn.
        ExpectAt(p.TurnCentre, Along(p.TurnStart, c.turnDegrees > 0 ? M_PI_2 : -M_PI_2, c.radius), "centre");

        EXPECT_NEAR(p.TurnStartKp, (1000 - t) / 1000, 1e-12);
        EXPECT_NEAR(p.TurnEndKp, (1000 - t + c.radius * delta) / 1000, 1e-12);
        EXPECT_NEAR(route[2].Kp, (2000 - 2 * t + c.radius * delta) / 1000, 1e-12);
        // The leg leaves from the tangent-out point.
        EXPECT_NEAR(p.Leg.Length, 1000 - t, 1e-9);

        // Corners square to each leg at its tangent point, whichever side is inside.
        ExpectSquareCorners(p.PortCorridor, p.StarboardCorridor, p.TurnStart, 0.0, "turn start corners");
        ExpectSquareCorners(p.PortCorridorEnd, p.StarboardCorridorEnd, p.TurnEnd, out, "turn end corners");
        const double portFromCentre =
            std::hypot(p.PortCorridor.x - p.TurnCentre.x, p.PortCorridor.y - p.TurnCentre.y);
        EXPECT_NEAR(portFromCentre, c.turnDegrees < 0 ? c.radius - kPort : c.radius + kPort, 1e-6);
    }
}

TEST(DesignRoute, SharpPointBetweenTurnsMeasuresFromTheTurnBefore)
{
    // North, a turn to starboard of 100 m at (0, 1000), a sharp turn to port at (1000, 1000),
    // a turn to starboard of 100 m at (1000, 2000), then east.
    CDesignRoute route;
    SetPoints(route, {{0, 0, 0}, {0, 1000, 100}, {1000, 1000, 0}, {1000, 2000, 100}, {2000, 2000, 0}});
    const double arc = 100 * M_PI / 2;
    ASSERT_TRUE(route[1].HasTurnArc());
    ASSERT_FALSE(route[2].HasTurnArc());
    ASSERT_TRUE(route[3].HasTurnArc());
    EXPECT_NEAR(route[1].TurnStartKp, 0.9, 1e-12);
    EXPECT_NEAR(route[1].TurnEndKp, (900 + arc) / 1000, 1e-12);
    // From the tangent-out point (100, 1000), not from the intersection point (0, 1000).
    EXPECT_NEAR(route[2].Kp, (900 + arc + 900) / 1000, 1e-12);
    EXPECT_NEAR(route[3].TurnStartKp, (900 + arc + 900 + 900) / 1000, 1e-12);
    EXPECT_NEAR(route[4].Kp, (4 * 900 + 2 * arc) / 1000, 1e-12);

    // The sharp corner turns to port: the mitred port corner is inside, the starboard outside.
    ExpectAt(route[2].PortCorridor, {1000 - kPort, 1000 + kPort}, "port corner");
    ExpectAt(route[2].StarboardCorridor, {1000 + kStarboard, 1000 - kStarboard}, "starboard corner");
}

TEST(DesignRoute, TurnsThatDoNotFitAreSharpCorners)
{
    struct Case
    {
        const char* what;
        std::vector<Ip> points;
    } cases[] = {
        // r·tan 45° = 1000 m, but the legs are 100 m long.
        {"radius too large for the legs", {{0, 0, 0}, {0, 100, 1000}, {100, 100, 0}}},
        {"legs straight on", {{0, 0, 0}, {0, 100, 50}, {0, 200, 0}}},
        {"negative radius", {{0, 0, 0}, {0, 100, -50}, {100, 100, 0}}},
        {"turn overlapping the turn before it",
         {{0, 0, 0}, {0, 1000, 100}, {150, 1000, 100}, {150, 2000, 0}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDesignRoute route;
        SetPoints(route, c.points);
        const INT_PTR sharp = route.GetSize() - 2;
        const RouteDef& p = route[sharp];
        EXPECT_FALSE(p.HasTurnArc());
        EXPECT_EQ(p.TurnRadius, c.points[static_cast<size_t>(sharp)].radius);
        EXPECT_EQ(p.TurnLength, 0.0);
        EXPECT_EQ(p.TurnStart.x, 0.0);
        EXPECT_EQ(p.TurnEnd.y, 0.0);

        const tagXY before = sharp == 1 ? route[0].Position : route[sharp - 1].TurnEnd;
        const double beforeKp = sharp == 1 ? 0.0 : route[sharp - 1].TurnEndKp;
        EXPECT_NEAR(p.Kp, beforeKp + std::hypot(p.Position.x - before.x, p.Position.y - before.y) / 1000,
                    1e-12);
        tagXY port{}, starboard{};
        ComputeCorridorVertex(route[sharp - 1].Position, p.Position, route[sharp + 1].Position, kPort,
                              kStarboard, &port, &starboard);
        ExpectAt(p.PortCorridor, port, "port");
        ExpectAt(p.StarboardCorridor, starboard, "starboard");
        EXPECT_NEAR(p.Leg.Length,
                    std::hypot(route[sharp + 1].Position.x - p.Position.x,
                               route[sharp + 1].Position.y - p.Position.y),
                    1e-9);
    }
}

TEST(DesignRoute, RefusedTurnIsLeftOutOfTheCoordinateListing)
{
    CDesignRoute route;
    route.LoadStatus(kPath);
    SetPoints(route, {{0, 0, 0}, {0, 1000, 100}, {1000, 1000, 0}});
    ASSERT_TRUE(route[1].HasTurnArc());
    route[1].TurnRadius = 5000; // does not fit: the arc found before must go
    route.Recompute();
    ASSERT_TRUE(CRouteList::ExportCoordinateList(&route));
    const QList<QByteArray> lines = ReadBytes(route.GetCoordinateListFileName()).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "0.000, 0.000\r");
    EXPECT_EQ(lines[1], "0.000, 1000.000\r");
    EXPECT_EQ(lines[2], "1000.000, 1000.000\r");
}

TEST(DesignRoute, FewerThanTwoPointsAreLeftAlone)
{
    CDesignRoute route;
    route.Recompute();
    RouteDef p;
    p.Position = {5, 6};
    p.Kp = 7.5;
    p.Leg.Length = 3;
    route.Add(p);
    route.Recompute();
    EXPECT_EQ(route[0].Kp, 7.5);
    EXPECT_EQ(route[0].Leg.Length, 3.0);
}

TEST(RoutePoints, SetAndAppendKeepTheLegsUpToDate)
{
    CRoute route;
    for (const tagXY& at : {tagXY{0, 0}, tagXY{0, 100}, tagXY{100, 100}})
    {
        RouteDef p;
        p.Position = at;
        route.AppendPoint(p);
    }
    EXPECT_NEAR(route[0].Leg.Length, 100, 1e-12);
    EXPECT_NEAR(route[1].Leg.Bearing, M_PI_2, 1e-12);
    EXPECT_NEAR(route[1].Leg.ReverseBearing, 1.5 * M_PI, 1e-12);
    EXPECT_EQ(route[2].Leg.Length, 0.0);

    // The last point keeps the leg it comes with; the one before points at it.
    RouteDef last;
    last.Position = {100, 0};
    last.Leg.Length = 42;
    last.Leg.Bearing = 1.25;
    ASSERT_TRUE(route.SetPoint(2, last));
    EXPECT_EQ(route[2].Leg.Length, 42.0);
    EXPECT_EQ(route[2].Leg.Bearing, 1.25);
    EXPECT_NEAR(route[1].Leg.Bearing, 3 * M_PI_4, 1e-12);
    EXPECT_NEAR(route[1].Leg.Length, std::hypot(100, 100), 1e-9);

    // An inner point: its own leg to the next, and the leg into it.
    RouteDef inner;
    inner.Position = {0, 200};
    ASSERT_TRUE(route.SetPoint(1, inner));
    EXPECT_NEAR(route[0].Leg.Length, 200, 1e-12);
    EXPECT_NEAR(route[1].Leg.Bearing, std::atan2(100.0, -200.0), 1e-12);

    // Coincident points: bearing 0 and length 0.
    RouteDef same;
    same.Position = {0, 0};
    ASSERT_TRUE(route.SetPoint(1, same));
    EXPECT_EQ(route[0].Leg.Bearing, 0.0);
    EXPECT_EQ(route[0].Leg.Length, 0.0);
    EXPECT_EQ(route[0].Leg.CosBearing, 1.0);

    // Appending a copy of one of the route's own points.
    route.AppendPoint(route[0]);
    EXPECT_NEAR(route[2].Leg.Length, 100, 1e-12);

    EXPECT_FALSE(route.SetPoint(4, same));
    EXPECT_FALSE(route.SetPoint(-1, same));
    EXPECT_EQ(route.GetSize(), 4);
}

TEST(DesignRoute, PointOperationsRecomputeEveryLaterKp)
{
    CDesignRoute route;
    SetPoints(route, {{0, 0, 0}, {0, 1000, 0}, {1000, 1000, 0}, {1000, 2000, 0}});
    EXPECT_NEAR(route[3].Kp, 3.0, 1e-12);

    RouteDef detour;
    detour.Position = {-1000, 1000};
    ASSERT_TRUE(route.InsertIntersectionPoint(1, detour));
    ASSERT_EQ(route.GetSize(), 5);
    EXPECT_NEAR(route[1].Kp, std::hypot(1000, 1000) / 1000, 1e-12);
    EXPECT_NEAR(route[2].Kp, (std::hypot(1000, 1000) + 1000) / 1000, 1e-12);
    EXPECT_NEAR(route[4].Kp, (std::hypot(1000, 1000) + 3000) / 1000, 1e-12);

    ASSERT_TRUE(route.RemoveIntersectionPoint(1));
    EXPECT_NEAR(route[3].Kp, 3.0, 1e-12);

    RouteDef round;
    round.Position = {0, 1000};
    round.TurnRadius = 100;
    ASSERT_TRUE(route.SetIntersectionPoint(1, round));
    EXPECT_TRUE(route[1].HasTurnArc());
    EXPECT_NEAR(route[3].Kp, (3000 - 200 + 100 * M_PI / 2) / 1000, 1e-12);

    RouteDef tail;
    tail.Position = {1000, 3000};
    route.AppendIntersectionPoint(tail);
    EXPECT_NEAR(route[4].Kp, (4000 - 200 + 100 * M_PI / 2) / 1000, 1e-12);

    EXPECT_FALSE(route.InsertIntersectionPoint(6, tail));
    EXPECT_FALSE(route.RemoveIntersectionPoint(5));
    EXPECT_FALSE(route.SetIntersectionPoint(-1, tail));
    EXPECT_EQ(route.GetSize(), 5);
}

TEST(DesignRoute, FileReadsRecomputesAndReadsBackTheSame)
{
    WriteBytes(kPath, "452000.000, 6231000.000\r\n"
                      "not a point\r\n"
                      "452000.000, 6232000.000, 250.000\r\n"
                      "452500\r\n"
                      "\r\n"
                      "453000.000, 6232500.000, 0\r\n"
                      "453000.000 6234000.000\r\n");
    CDesignRoute route;
    ASSERT_TRUE(route.Load(kPath));
    ASSERT_EQ(route.GetSize(), 4);
    EXPECT_EQ(std::string(route[1].Name), "IP2");
    EXPECT_EQ(route[1].TurnRadius, 250.0);
    EXPECT_TRUE(route[1].HasTurnArc());
    EXPECT_GT(route[3].Kp, 3.0);

    const QByteArray written = WriteDesignFile(route);
    EXPECT_EQ(written, "452000.000, 6231000.000\r\n"
                       "452000.000, 6232000.000, 250.000\r\n"
                       "453000.000, 6232500.000\r\n"
                       "453000.000, 6234000.000\r\n");
    WriteBytes(kPath, written);
    CDesignRoute again;
    ASSERT_TRUE(again.Load(kPath));
    ASSERT_EQ(again.GetSize(), route.GetSize());
    for (INT_PTR i = 0; i < route.GetSize(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(again[i].Position.x, route[i].Position.x);
        EXPECT_EQ(again[i].Position.y, route[i].Position.y);
        EXPECT_EQ(again[i].TurnRadius, route[i].TurnRadius);
        EXPECT_EQ(again[i].Kp, route[i].Kp);
        EXPECT_EQ(again[i].TurnEndKp, route[i].TurnEndKp);
        EXPECT_EQ(again[i].PortCorridor.x, route[i].PortCorridor.x);
    }
}

TEST(DesignRouteList, AddsReadableFilesOnly)
{
    CDesignRouteList list;
    list.m_ListName = "Design Routes";
    WriteBytes(kPath, "0, 0\r\n0, 1000, 100\r\n1000, 1000\r\n");
    EXPECT_TRUE(list.AddFile(kPath));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetSize(), 3);
    EXPECT_TRUE(list[0]->m_Status);

    EXPECT_FALSE(list.AddFile("c:\\mydata\\DESIGN\\export cable.TXT"));
    EXPECT_FALSE(list.AddFile(""));
    EXPECT_FALSE(list.AddFile("C:\\MyData\\Design\\Missing.txt"));
    EXPECT_EQ(list.GetSize(), 1);

    // An empty file is a design route still to be drawn.
    WriteBytes("C:\\MyData\\Design\\New.txt", "");
    EXPECT_TRUE(list.AddFile("C:\\MyData\\Design\\New.txt"));
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[1]->GetSize(), 0);

    list.SetEditPoint(0, 2);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, 2);
    list.SetEditPoint(1, 0);
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    EXPECT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("Design_Routes.FLS")),
              "[Design Route]\r\nC:\\MyData\\Design\\Export Cable.txt\r\nC:\\MyData\\Design\\New.txt\r\n");
}
