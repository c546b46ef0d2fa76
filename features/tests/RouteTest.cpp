// Routes and corridors: the data-order, corridor and route files (golden both ways, in every
// data order), reading edge cases, legs, the corridor corners (collinear legs included), the
// coordinate listing with its turn arcs, and the route list.
#include "features/Route.h"
#include "features/RouteList.h"
#include "features/tests/FeatureTestFiles.h"
#include "foundation/Geometry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QList>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace featuretest;

namespace
{
const char kRoutePath[] = "C:\\MyData\\Lines\\Survey Line.csv";
const char kRoutes[] = "C:\\MyData\\Routes\\";
const char kCorridorFile[] = "C:\\MyData\\Routes\\Survey Line.COR";
const char kDataOrderFile[] = "Survey_Line_DATA_ORDER.INI";
const char kCoordList[] = "C:\\MyData\\Routes\\Survey Line_CoordList.CSV";
const double kE0 = 452000.0;
const double kN0 = 6231000.0;

struct Waypoint
{
    const char* name;
    double e, n;
};

// The waypoints of the golden route files route_order*.csv.
const std::vector<Waypoint> kGolden = {{"SOL", kE0 + 1000.0, kN0 + 1000.0},
                                       {"Turn A", kE0 + 1000.0, kN0 + 2000.0},
                                       {"Turn B, east", kE0 + 2000.0, kN0 + 2000.0},
                                       {"EOL", kE0 + 2000.0, kN0 + 3000.0}};

QByteArray Lines(const std::vector<const char*>& lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

void SetRoutePoints(CRoute& route, const std::vector<Waypoint>& points)
{
    route.RemoveAll();
    for (const Waypoint& w : points)
    {
        RouteDef p;
        p.Position = {w.e, w.n};
        p.Name = w.name;
        route.Add(p);
    }
    route.ComputeLegs();
}

void WriteDataOrder(const char* text)
{
    WriteBytes(InSettings(kDataOrderFile), text);
}

// A route read from `bytes` at kPath with the data order `order` in its companion.
void LoadRoute(CRoute& route, const QByteArray& bytes, int order, bool expectPoints = true)
{
    WriteDataOrder(QByteArray("Data Order = ") + QByteArray::number(order) + "\r\n");
    WriteBytes(kRoutePath, bytes);
    EXPECT_EQ(route.Load(kRoutePath), expectPoints);
}

std::vector<std::pair<double, double>> ReadListing(const char* path)
{
    std::vector<std::pair<double, double>> points;
    for (const QByteArray& line : ReadBytes(path).split('\n'))
    {
        if (line.trimmed().isEmpty())
            continue;
        const QList<QByteArray> fields = line.trimmed().split(',');
        EXPECT_EQ(fields.size(), 2) << line.constData();
        if (fields.size() == 2)
            points.emplace_back(fields[0].trimmed().toDouble(), fields[1].trimmed().toDouble());
    }
    return points;
}

void ExpectNear(const tagXY& p, double e, double n, double tolerance = 1e-6)
{
    EXPECT_NEAR(p.x, e, tolerance);
    EXPECT_NEAR(p.y, n, tolerance);
}
} // namespace

// ---------------------------------------------------------------------------------------
// Companion files
// ---------------------------------------------------------------------------------------

TEST(Corridor, FileIsGoldenBothWays)
{
    CCorridor corridor;
    corridor.m_DisplayCorridor = true;
    corridor.m_PortWidth = 25.5;
    corridor.m_StarboardWidth = 40.125;
    corridor.m_CorridorColour = 0x00FF00;
    corridor.m_CorridorFill = -2;
    corridor.Save("Survey Line");
    EXPECT_EQ(ReadBytes(kCorridorFile), Fixture("route_Survey_Line.COR"));

    CCorridor read;
    EXPECT_TRUE(read.Load("Survey Line"));
    EXPECT_TRUE(read.m_DisplayCorridor);
    EXPECT_EQ(read.m_PortWidth, 25.5);
    EXPECT_EQ(read.m_StarboardWidth, 40.125);
    EXPECT_EQ(read.m_CorridorColour, 0x00FF00u);
    EXPECT_EQ(read.m_CorridorFill, -2);
}

TEST(Corridor, ShortOrMissingFileGivesDefaults)
{
    // Keys are not compared: the lines are taken by place.
    WriteBytes(kCorridorFile, Lines({"Display Corridor = 1", "Anything = 12.5"}));
    CCorridor corridor;
    EXPECT_TRUE(corridor.Load("Survey Line"));
    EXPECT_TRUE(corridor.m_DisplayCorridor);
    EXPECT_EQ(corridor.m_PortWidth, 12.5);
    EXPECT_EQ(corridor.m_StarboardWidth, 0.0);
    EXPECT_EQ(corridor.m_CorridorColour, 0xFFFF00u);
    EXPECT_EQ(corridor.m_CorridorFill, 4);

    corridor.m_PortWidth = 3.0;
    EXPECT_FALSE(corridor.Load("No Such Route"));
    EXPECT_FALSE(corridor.m_DisplayCorridor);
    EXPECT_EQ(corridor.m_PortWidth, 0.0);
    EXPECT_EQ(corridor.m_StarboardWidth, 0.0);
    EXPECT_EQ(corridor.m_CorridorColour, 0xFFFF00u);
    EXPECT_EQ(corridor.m_CorridorFill, 4);
}

TEST(Route, DataOrderFileIsGoldenAndReadBack)
{
    CRoute route;
    route.LoadStatus(kRoutePath);
    route.m_DataOrder = ROUTE_NAME_ENG_NNG;
    route.SaveDataOrder();
    EXPECT_EQ(ReadBytes(InSettings(kDataOrderFile)), Fixture("route_Survey_Line_DATA_ORDER.INI"));
    EXPECT_EQ(CRoute::ReadDataOrder(kRoutePath), ROUTE_NAME_ENG_NNG);
}

TEST(Route, DataOrderFileEdgeCases)
{
    struct Case
    {
        const char* content; // null: no file
        int order;
    } cases[] = {
        {nullptr, 0},
        {"Data Order = 2\r\n", 2},
        {"Data Order 2\r\n", 0},       // no '='
        {"Data Order = 65537\r\n", 1}, // kept as 16 bits
        {"Data Order = 7\r\n", 0},     // no layout of its own: read as easting, northing
        {"Data Order = -1\r\n", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.content ? c.content : "no file");
        QFile::remove(LinuxPathFromWindows(InSettings(kDataOrderFile)));
        if (c.content)
            WriteDataOrder(c.content);
        EXPECT_EQ(CRoute::ReadDataOrder(kRoutePath), c.order);
    }
}

// ---------------------------------------------------------------------------------------
// The route file
// ---------------------------------------------------------------------------------------

class RouteWriter : public ::testing::TestWithParam<int>
{
};

TEST_P(RouteWriter, WritesTheGoldenFileAndReadsItBack)
{
    const int order = GetParam();
    const std::string fixture = "route_order" + std::to_string(order) + ".csv";

    CRoute route;
    route.LoadStatus(kRoutePath);
    route.m_Status = false;
    route.m_DataOrder = order;
    SetRoutePoints(route, kGolden);
    ASSERT_TRUE(CreateFolderPath("C:\\MyData\\Lines\\"));
    EXPECT_TRUE(route.Save());
    EXPECT_EQ(ReadBytes(kRoutePath), Fixture(fixture.c_str()));
    EXPECT_EQ(ReadBytes("C:\\MyData\\Lines\\Survey Line.INI"), Lines({"Status = 0", "Highlight = 0"}));

    CRoute read;
    EXPECT_TRUE(read.Load(kRoutePath));
    EXPECT_EQ(read.m_DataOrder, order);
    EXPECT_FALSE(read.m_Status);
    ASSERT_EQ(read.GetSize(), static_cast<INT_PTR>(kGolden.size()));
    for (size_t i = 0; i < kGolden.size(); ++i)
    {
        SCOPED_TRACE(i);
        const RouteDef& p = read[static_cast<INT_PTR>(i)];
        EXPECT_EQ(p.Position.x, kGolden[i].e);
        EXPECT_EQ(p.Position.y, kGolden[i].n);
        if (order == ROUTE_ENG_NNG)
            EXPECT_EQ(std::string(p.Name), "WPT " + std::to_string(i + 1));
        else
            EXPECT_EQ(std::string(p.Name), kGolden[i].name);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDataOrder, RouteWriter, ::testing::Values(0, 1, 2));

TEST(Route, EmptyRouteWritesAnEmptyFileAndAnUnwritableOneIsReported)
{
    CRoute route;
    route.LoadStatus(kRoutePath);
    ASSERT_TRUE(CreateFolderPath("C:\\MyData\\Lines\\"));
    EXPECT_TRUE(route.Save());
    EXPECT_TRUE(Exists(kRoutePath));
    EXPECT_TRUE(ReadBytes(kRoutePath).isEmpty());

    CRoute lost;
    lost.LoadStatus("C:\\No Such Folder\\Line.csv");
    SetRoutePoints(lost, kGolden);
    EXPECT_FALSE(lost.Save());
    EXPECT_FALSE(Exists("C:\\No Such Folder\\Line.csv"));
}

TEST(Route, UnknownDataOrderNeitherLosesPointsNorEmptiesTheFile)
{
    // Read as easting, northing, and written back in that order.
    CRoute route;
    LoadRoute(route, Lines({"100.0, 200.0", "300.0, 400.0"}), 5);
    ASSERT_EQ(route.GetSize(), 2);
    EXPECT_EQ(route.m_DataOrder, ROUTE_ENG_NNG);

    route.m_DataOrder = 9; // as a caller might leave it
    EXPECT_TRUE(route.Save());
    EXPECT_EQ(ReadBytes(kRoutePath), Lines({"100.000, 200.000", "300.000, 400.000"}));
    EXPECT_EQ(ReadBytes(InSettings(kDataOrderFile)), Lines({"Data Order = 0"}));
}

TEST(Route, ReadingSkipsWhatIsNotAPoint)
{
    struct Case
    {
        const char* what;
        int order;
        std::vector<const char*> lines;
        std::vector<Waypoint> want;
    } cases[] = {
        {"order 0 numbers only the valid lines",
         0,
         {"Easting, Northing", "100.5, 200.5", "", "0, 0", "?, 300", "300, 400", "500 600"},
         {{"WPT 1", 100.5, 200.5}, {"WPT 2", 300, 400}, {"WPT 3", 500, 600}}},
        {"a header or blank last line keeps the last waypoint",
         1,
         {"Name, Easting, Northing", "A, 10, 20", "B, 30, 40", "Name, Easting, Northing", ""},
         {{"A", 10, 20}, {"B", 30, 40}}},
        {"order 2 with a missing name",
         2,
         {"10, 20, First", "30, 40", "0, 0, Origin", "50, 60, Last"},
         {{"First", 10, 20}, {"", 30, 40}, {"Last", 50, 60}}},
        {"a tab is not folded into a separator",
         0,
         {"10\t20", "30,40"},
         {{"WPT 1", 10, 20}, {"WPT 2", 30, 40}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CRoute route;
        LoadRoute(route, Lines(c.lines), c.order);
        ASSERT_EQ(route.GetSize(), static_cast<INT_PTR>(c.want.size()));
        for (size_t i = 0; i < c.want.size(); ++i)
        {
            const RouteDef& p = route[static_cast<INT_PTR>(i)];
            EXPECT_EQ(std::string(p.Name), c.want[i].name);
            EXPECT_EQ(p.Position.x, c.want[i].e);
            EXPECT_EQ(p.Position.y, c.want[i].n);
        }
    }
}

TEST(Route, LegsAndDistances)
{
    CRoute route;
    LoadRoute(route, Lines({"1000, 1000", "1000, 2000", "1000, 2000", "1300, 1600"}), 0);
    ASSERT_EQ(route.GetSize(), 4);

    const RouteDef& north = route[0];
    EXPECT_DOUBLE_EQ(north.Leg.Length, 1000.0);
    EXPECT_DOUBLE_EQ(north.Leg.Bearing, 0.0);
    EXPECT_DOUBLE_EQ(north.Leg.ReverseBearing, M_PI);
    EXPECT_DOUBLE_EQ(north.Leg.CosBearing, 1.0);
    EXPECT_NEAR(north.DistanceScale, 0.001, 1e-15);
    EXPECT_EQ(north.DistanceToHere, 0.0);

    // Two identical consecutive points: a leg of no length.
    const RouteDef& still = route[1];
    EXPECT_EQ(still.Leg.Length, 0.0);
    EXPECT_EQ(still.Leg.Bearing, 0.0);
    EXPECT_EQ(still.DistanceScale, 1.0);
    EXPECT_EQ(still.DistanceToHere, 1000.0);

    // 300 east, 400 south: a 3-4-5 leg.
    const RouteDef& southEast = route[2];
    EXPECT_DOUBLE_EQ(southEast.Leg.Length, 500.0);
    EXPECT_DOUBLE_EQ(southEast.Leg.Bearing, std::atan2(300.0, -400.0));
    EXPECT_DOUBLE_EQ(southEast.Leg.SinBearing, 0.6);
    EXPECT_DOUBLE_EQ(southEast.Leg.CosBearing, -0.8);
    EXPECT_DOUBLE_EQ(southEast.Leg.ReverseBearing, southEast.Leg.Bearing + M_PI);
    EXPECT_EQ(southEast.DistanceToHere, 1000.0);

    const RouteDef& last = route[3];
    EXPECT_EQ(last.Leg.Length, 0.0);
    EXPECT_EQ(last.Leg.SinBearing, 0.0);
    EXPECT_EQ(last.Leg.CosBearing, 0.0);
    EXPECT_EQ(last.DistanceScale, 0.0);
    EXPECT_DOUBLE_EQ(last.DistanceToHere, 1500.0);
    EXPECT_EQ(route.m_Mark[0], -2);
    EXPECT_EQ(route.m_Mark[1], -1);
}

TEST(Route, OnePointRouteKeepsItsName)
{
    CRoute route;
    LoadRoute(route, Lines({"Lonely, 100, 200"}), 1);
    ASSERT_EQ(route.GetSize(), 1);
    EXPECT_EQ(std::string(route[0].Name), "Lonely");
    EXPECT_EQ(route[0].Leg.Length, 0.0);
    EXPECT_EQ(route[0].DistanceScale, 0.0);
    bool thrown = false;
    try
    {
        route.GetAt(1);
    }
    catch (CException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Route, MissingFileStillReadsOptionsAndCorridor)
{
    WriteBytes(kCorridorFile, Fixture("route_Survey_Line.COR"));
    WriteBytes("C:\\MyData\\Routes\\Survey Line.DRW", Fixture("drw_golden.DRW"));
    CRoute route;
    route.m_Mark[0] = 7;
    EXPECT_FALSE(route.Load(kRoutePath));
    EXPECT_EQ(route.GetSize(), 0);
    EXPECT_EQ(std::string(route.m_FilePath), kRoutePath);
    EXPECT_EQ(std::string(route.m_Title), "Survey Line");
    EXPECT_EQ(route.m_Mark[0], -2);
    EXPECT_TRUE(route.m_DisplayCorridor);
    EXPECT_EQ(route.m_PortWidth, 25.5);
    EXPECT_EQ(route.m_VectorSymbol, VECTOR_ANCHOR);
    EXPECT_TRUE(route.m_ShowLegLabel);
}

TEST(Route, DrawingOptionsGoToTheRoutesFolder)
{
    CRoute route;
    route.LoadStatus(kRoutePath);
    route.m_Pen.Colour = 255;
    route.SaveDrawingOptions();
    CDrawingOptions read;
    EXPECT_TRUE(read.Load(kRoutes, "Survey Line"));
    EXPECT_EQ(read.m_Pen.Colour, 255u);
}

// ---------------------------------------------------------------------------------------
// The corridor
// ---------------------------------------------------------------------------------------

TEST(Route, CorridorOfASingleLegIsSquareAtBothEnds)
{
    CRoute route;
    SetRoutePoints(route, {{"A", 1000, 1000}, {"B", 1000, 2000}});
    route.m_PortWidth = 10.0;
    route.m_StarboardWidth = 20.0;
    route.ComputeCorridor();
    ExpectNear(route[0].PortCorridor, 990, 1000);
    ExpectNear(route[0].StarboardCorridor, 1020, 1000);
    ExpectNear(route[1].PortCorridor, 990, 2000);
    ExpectNear(route[1].StarboardCorridor, 1020, 2000);
}

TEST(Route, CorridorCornersOfTurnsAndOfCollinearLegs)
{
    CRoute route;
    // North, on north (in line), then east: the in-line vertex has no crossing of its offset
    // lines, and must not get a corner at the origin.
    SetRoutePoints(route,
              {{"A", kE0, kN0}, {"B", kE0, kN0 + 500}, {"C", kE0, kN0 + 1000}, {"D", kE0 + 800, kN0 + 1000}});
    route.m_PortWidth = 10.0;
    route.m_StarboardWidth = 20.0;
    route.ComputeCorridor();

    ExpectNear(route[1].PortCorridor, kE0 - 10, kN0 + 500);
    ExpectNear(route[1].StarboardCorridor, kE0 + 20, kN0 + 500);
    // A right turn: the port edge's corner lies outside the turn, the starboard one inside.
    ExpectNear(route[2].PortCorridor, kE0 - 10, kN0 + 1010, 1e-5);
    ExpectNear(route[2].StarboardCorridor, kE0 + 20, kN0 + 980, 1e-5);
    // The last point is square to the last leg (east).
    ExpectNear(route[3].PortCorridor, kE0 + 800, kN0 + 1010);
    ExpectNear(route[3].StarboardCorridor, kE0 + 800, kN0 + 980);

    // Fewer than two points: nothing changes.
    CRoute one;
    SetRoutePoints(one, {{"A", 5, 5}});
    one.m_PortWidth = 10;
    one.ComputeCorridor();
    ExpectNear(one[0].PortCorridor, 0, 0);
}

TEST(Route, LoadComputesTheCorridorFromTheCorridorFile)
{
    WriteBytes(kCorridorFile, Fixture("route_Survey_Line.COR"));
    CRoute route;
    LoadRoute(route, Lines({"1000, 1000", "2000, 1000"}), 0);
    // East: port is north, starboard south.
    ExpectNear(route[0].PortCorridor, 1000, 1025.5);
    ExpectNear(route[0].StarboardCorridor, 1000, 959.875);
}

// ---------------------------------------------------------------------------------------
// The coordinate listing
// ---------------------------------------------------------------------------------------

namespace
{
void SetTurn(RouteDef& p, tagXY centre, tagXY start, tagXY end, double startAngle, double sweep,
             int direction)
{
    p.TurnRadius = 100.0;
    p.TurnCentre = centre;
    p.TurnStart = start;
    p.TurnEnd = end;
    p.TurnStartAngle = startAngle;
    p.TurnSweep = sweep;
    p.TurnDirection = direction;
}

// The route of the golden listing: a starboard turn, then a port turn, both of 100 m.
void MakeGoldenTurns(CRoute& route)
{
    route.LoadStatus(kRoutePath);
    SetRoutePoints(route, kGolden);
    SetTurn(route[1], {kE0 + 1100, kN0 + 1900}, {kE0 + 1000, kN0 + 1900}, {kE0 + 1100, kN0 + 2000},
            1.5 * M_PI, M_PI / 2, 1);
    SetTurn(route[2], {kE0 + 1900, kN0 + 2100}, {kE0 + 1900, kN0 + 2000}, {kE0 + 2000, kN0 + 2100}, M_PI,
            M_PI / 2, -1);
}
} // namespace

TEST(RouteCoordinateList, MatchesTheGoldenFile)
{
    CRoute route;
    MakeGoldenTurns(route);
    EXPECT_EQ(std::string(route.GetCoordinateListFileName()), kCoordList);
    EXPECT_TRUE(route.ExportCoordinateList());
    EXPECT_EQ(ReadBytes(kCoordList), Fixture("route_Survey_Line_CoordList.CSV"));
}

TEST(RouteCoordinateList, WithoutTurnsOneLineAPoint)
{
    CRoute route;
    route.LoadStatus(kRoutePath);
    SetRoutePoints(route, {{"A", 1.0, 2.0}, {"B", 1000.12345, 2000.5}, {"C", -3.25, 4.0}});
    // The end points never take an arc, whatever their records say.
    route[0].TurnRadius = 50.0;
    route[2].TurnRadius = 50.0;
    EXPECT_TRUE(CRouteList::ExportCoordinateList(&route));
    EXPECT_EQ(ReadBytes(kCoordList), Lines({"1.000, 2.000", "1000.123, 2000.500", "-3.250, 4.000"}));

    CRoute one;
    one.LoadStatus("C:\\MyData\\Lines\\One.csv");
    SetRoutePoints(one, {{"A", 1.0, 2.0}});
    EXPECT_FALSE(one.ExportCoordinateList());
    EXPECT_FALSE(Exists("C:\\MyData\\Routes\\One_CoordList.CSV"));
    EXPECT_FALSE(CRouteList::ExportCoordinateList(nullptr));
}

TEST(RouteCoordinateList, ArcRunsFromTheStartAngleInTheTurnDirection)
{
    const double step = std::acos(0.99);
    for (int direction : {1, -1})
    {
        SCOPED_TRACE(direction);
        CRoute route;
        route.LoadStatus(kRoutePath);
        SetRoutePoints(route, {{"A", 0, -500}, {"B", 0, 100}, {"C", 500, 100}});
        SetTurn(route[1], {0, 0}, {-1, -1}, {-2, -2}, 0.0, M_PI / 2, direction);
        ASSERT_TRUE(route.ExportCoordinateList());
        const auto lines = ReadListing(kCoordList);

        std::vector<double> angles;
        for (double a = 0.0; direction == 1 ? a < M_PI / 2 : a > -M_PI / 2; a += direction * step)
            angles.push_back(a);
        ASSERT_EQ(angles.size(), 12u);
        ASSERT_EQ(lines.size(), angles.size() + 4); // first, turn start, arc, turn end, last
        EXPECT_EQ(lines[1], std::make_pair(-1.0, -1.0));
        for (size_t k = 0; k < angles.size(); ++k)
        {
            EXPECT_NEAR(lines[2 + k].first, 100 * std::sin(angles[k]), 0.0005);
            EXPECT_NEAR(lines[2 + k].second, 100 * std::cos(angles[k]), 0.0005);
        }
        EXPECT_EQ(lines[angles.size() + 2], std::make_pair(-2.0, -2.0));
    }
}

// Routes with sharp and gentle turns whose arcs are fitted by the plane geometry: the listing
// must run along each circle from one tangent point to the other, on the side of the turn.
TEST(RouteCoordinateList, FittedArcsFollowTheirCircles)
{
    const std::vector<Waypoint> points = {{"S", kE0, kN0},
                                          {"V1", kE0, kN0 + 2000},                  // 150° to starboard
                                          {"V2", kE0 + 500, kN0 + 2000 - 866.0254}, // 150° to port
                                          {"V3", kE0 + 500, kN0 + 3000},            // 30° to starboard
                                          {"E", kE0 + 1000, kN0 + 3000 + 866.0254}};
    const double radii[] = {0, 150, 80, 400, 0};
    CRoute route;
    route.LoadStatus(kRoutePath);
    SetRoutePoints(route, points);
    std::vector<ArcDef> arcs(points.size());
    for (INT_PTR i = 1; i + 1 < route.GetSize(); ++i)
    {
        ArcDef& arc = arcs[static_cast<size_t>(i)];
        arc.Radius = radii[i];
        ASSERT_TRUE(FitTurnArc(route[i - 1].Position, route[i].Position, route[i + 1].Position, &arc));
        RouteDef& p = route[i];
        p.TurnRadius = arc.Radius;
        p.TurnCentre = {arc.CentreE, arc.CentreN};
        p.TurnStart = {arc.StartE, arc.StartN};
        p.TurnEnd = {arc.EndE, arc.EndN};
        p.TurnStartAngle = arc.StartBearing;
        p.TurnEndAngle = arc.EndBearing;
        p.TurnSweep = arc.TurnAngle;
        p.TurnDirection = arc.TurnSide;
    }
    EXPECT_EQ(arcs[1].TurnSide, 1);
    EXPECT_EQ(arcs[2].TurnSide, -1);
    EXPECT_EQ(arcs[3].TurnSide, 1);

    ASSERT_TRUE(route.ExportCoordinateList());
    const auto lines = ReadListing(kCoordList);
    size_t at = 0;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[at++], std::make_pair(kE0, kN0));
    for (size_t i = 1; i + 1 < points.size(); ++i)
    {
        SCOPED_TRACE("vertex " + std::to_string(i));
        const ArcDef& arc = arcs[i];
        const tagXY previous = route[static_cast<INT_PTR>(i - 1)].Position;
        const tagXY vertex = route[static_cast<INT_PTR>(i)].Position;
        const tagXY next = route[static_cast<INT_PTR>(i + 1)].Position;
        const double step = std::acos((arc.Radius - 1) / arc.Radius);

        // The turn start lies on the incoming leg, the turn end on the outgoing one.
        ASSERT_LT(at, lines.size());
        double kp = 0, along = 0, across = 0, toEnd = 0;
        OffsetFromLine(lines[at].first, lines[at].second, previous.x, previous.y, vertex.x, vertex.y, &kp,
                       &along, &across, &toEnd);
        EXPECT_NEAR(across, 0.0, 0.001);
        EXPECT_GT(toEnd, 0.0);
        ++at;

        // Arc lines: on the circle, one step apart, from the start angle through the sweep.
        const double expectedLines = std::ceil(arc.TurnAngle / step);
        for (int k = 0; k < static_cast<int>(expectedLines); ++k, ++at)
        {
            ASSERT_LT(at, lines.size());
            const double dE = lines[at].first - arc.CentreE;
            const double dN = lines[at].second - arc.CentreN;
            EXPECT_NEAR(std::hypot(dE, dN), arc.Radius, 0.001);
            const double a = arc.StartBearing + arc.TurnSide * k * step;
            EXPECT_NEAR(dE, arc.Radius * std::sin(a), 0.001);
            EXPECT_NEAR(dN, arc.Radius * std::cos(a), 0.001);
            // Every point of the turn lies on the inside of the corner: the side the turn is to.
            double kp2 = 0, along2 = 0, across2 = 0, toEnd2 = 0;
            OffsetFromLine(lines[at].first, lines[at].second, previous.x, previous.y, vertex.x, vertex.y,
                           &kp2, &along2, &across2, &toEnd2);
            EXPECT_GE(arc.TurnSide * across2, -0.001);
        }
        ASSERT_LT(at, lines.size());
        OffsetFromLine(lines[at].first, lines[at].second, vertex.x, vertex.y, next.x, next.y, &kp, &along,
                       &across, &toEnd);
        EXPECT_NEAR(across, 0.0, 0.001);
        EXPECT_GT(along, 0.0);
        EXPECT_NEAR(std::hypot(lines[at].first - arc.EndE, lines[at].second - arc.EndN), 0.0, 0.001);
        ++at;
    }
    ASSERT_EQ(at + 1, lines.size());
    EXPECT_NEAR(lines[at].first, kE0 + 1000, 0.0005);
}

TEST(RouteCoordinateList, DamagedTurnsEndAndWriteTheirTangentPoints)
{
    struct Case
    {
        const char* what;
        double radius, startAngle, sweep;
        int direction;
    } cases[] = {
        {"radius so large the step is 0", 1e300, 0.0, M_PI / 2, 1},
        {"radius below half a metre", 0.2, 0.0, M_PI, 1},
        {"negative radius", -50.0, 0.0, M_PI / 2, -1},
        {"no sweep", 100.0, 0.0, 0.0, 1},
        {"sweep not a number", 100.0, 0.0, std::numeric_limits<double>::quiet_NaN(), 1},
        {"start angle too large for the step", 1e5, 1e16, 8.0, 1},
        {"endless sweep", 100.0, 0.0, std::numeric_limits<double>::infinity(), 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CRoute route;
        route.LoadStatus(kRoutePath);
        SetRoutePoints(route, {{"A", 0, -500}, {"B", 0, 100}, {"C", 500, 100}});
        RouteDef& p = route[1];
        p.TurnRadius = c.radius;
        p.TurnStart = {7, 8};
        p.TurnEnd = {9, 10};
        p.TurnStartAngle = c.startAngle;
        p.TurnSweep = c.sweep;
        p.TurnDirection = c.direction;
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(route.ExportCoordinateList());
        EXPECT_LT(timer.elapsed(), 15000); // generous: shared machines run slow
        const QList<QByteArray> lines = ReadBytes(kCoordList).split('\n');
        ASSERT_GE(lines.size(), 5);
        EXPECT_LE(lines.size(), 10000 + 5); // one arc never runs past 10000 lines
        EXPECT_EQ(lines[1], "7.000, 8.000\r");
        EXPECT_EQ(lines[lines.size() - 3], "9.000, 10.000\r");
    }
}

TEST(RouteCoordinateList, UnwritableFileIsReported)
{
    CRoute route;
    MakeGoldenTurns(route);
    // A folder where the listing should go.
    ASSERT_TRUE(CreateFolderPath(CString(kCoordList) + "\\"));
    EXPECT_FALSE(route.ExportCoordinateList());
}

// ---------------------------------------------------------------------------------------
// The route list
// ---------------------------------------------------------------------------------------

TEST(RouteList, AddFileLoadsOrStartsARouteAndSavesTheList)
{
    CRouteList list;
    list.m_ListName = "Routes";
    WriteBytes(kRoutePath, Fixture("route_order0.csv"));
    EXPECT_TRUE(list.AddFile(kRoutePath));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetSize(), 4);

    // A missing file: one point at (0, 0) with an empty name, its leg computed.
    list.SetEditPoint(0, 2);
    EXPECT_TRUE(list.AddFile("C:\\MyData\\Lines\\Tie 2.txt"));
    ASSERT_EQ(list.GetSize(), 2);
    const CRoute& fresh = *list[1];
    ASSERT_EQ(fresh.GetSize(), 1);
    EXPECT_EQ(fresh[0].Position.x, 0.0);
    EXPECT_EQ(fresh[0].Position.y, 0.0);
    EXPECT_TRUE(fresh[0].Name.IsEmpty());
    EXPECT_EQ(fresh[0].Leg.Length, 0.0);
    EXPECT_EQ(fresh[0].DistanceScale, 0.0);
    EXPECT_TRUE(fresh.m_Status);
    EXPECT_EQ(std::string(fresh.m_FilePath), "C:\\MyData\\Lines\\Tie 2.txt");

    list.SetEditPoint(1, 0);
    EXPECT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("Routes.FLS")), Fixture("route_Routes.FLS"));
    EXPECT_EQ(ReadBytes(InSettings("Routes.INI")), Fixture("route_Routes.INI"));
}

TEST(RouteList, SamePathInAnyCaseIsNotAddedTwice)
{
    CRouteList list;
    list.m_ListName = "Routes";
    WriteBytes(kRoutePath, Fixture("route_order0.csv"));
    ASSERT_TRUE(list.AddFile(kRoutePath));
    list[0]->RemoveAt(3);
    WriteBytes(kRoutePath, Lines({"1, 2"}));
    QFile::remove(LinuxPathFromWindows(InSettings("Routes.FLS")));

    EXPECT_FALSE(list.AddFile("c:\\mydata\\LINES\\survey line.CSV"));
    EXPECT_FALSE(list.AddFile(""));
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetSize(), 3);
    EXPECT_EQ(list.FindFile("C:\\MYDATA\\Lines\\Survey Line.csv"), 0);
    EXPECT_FALSE(Exists(InSettings("Routes.FLS")));
}

// A file that is there but gives no point (text of no route, a folder of that name) is refused
// and left as it was: a route started over it would later be saved over it.
TEST(RouteList, AFileThatIsThereButGivesNoPointIsRefused)
{
    CRouteList list;
    list.m_ListName = "Routes";
    const QByteArray notes = Lines({"Route notes, not coordinates"});
    WriteBytes(kRoutePath, notes);
    EXPECT_FALSE(list.AddFile(kRoutePath));
    QDir().mkpath(LinuxPathFromWindows("C:\\MyData\\Lines\\folder.csv"));
    EXPECT_FALSE(list.AddFile("C:\\MyData\\Lines\\folder.csv"));
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(ReadBytes(kRoutePath), notes);
    EXPECT_FALSE(Exists(InSettings("Routes.FLS")));
}

TEST(RouteList, SetEditPointKeepsIndicesInRange)
{
    CRouteList list;
    for (const char* path : {"C:\\A.csv", "C:\\B.csv", "C:\\C.csv"})
        list.AddFile(path);
    list.SetEditPoint(1, 0);
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(list.m_EditPointIndex, 0);
    list.SetEditPoint(5, 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    list.SetEditPoint(2, 1); // the started route has one point
    EXPECT_EQ(list.m_EditFileIndex, 2);
    EXPECT_EQ(list.m_EditPointIndex, -1);
}
