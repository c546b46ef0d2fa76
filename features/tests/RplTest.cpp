#include "features/Rpl.h"
#include "features/RplList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

using namespace featuretest;

namespace
{
// Grid metres: the fixtures hold coordinates to 0.1 mm.
const double kMetres = 2e-3;
const double kKm = 2e-6;
const double kRadians = 1e-6;

struct Vec
{
    double x, y;
};

Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(double k, Vec a)
{
    return {k * a.x, k * a.y};
}
double Dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y;
}
double Norm(Vec a)
{
    return std::sqrt(Dot(a, a));
}
Vec Unit(Vec from, Vec to)
{
    const Vec d = to - from;
    return (1.0 / Norm(d)) * d;
}
// The left (port) normal of a direction of travel.
Vec Left(Vec d)
{
    return {-d.y, d.x};
}

// The fixtures' design route (rpl_generate_fixtures.py), worked out here with vectors: a turn of
// angle a at a vertex has its tangent points R tan(a/2) either side of it along the straights
// and its centre R from them, square to the straights on the inside of the turn.
struct Turn
{
    Vec vertex;
    double radius;
    int side; // +1 starboard
    double angle;
    Vec in, out; // directions of the straights
    Vec tpIn, tpOut, centre;
    double kpIn, kpOut;
};

struct Design
{
    Vec start, end;
    std::vector<Turn> turns;
    Vec firstDirection, lastDirection;
    double firstLeg;
    std::vector<double> legs; // leaving each turn
    double total;             // km
};

Design MakeDesign()
{
    const double e0 = 452000.0, n0 = 6231000.0;
    Design d;
    d.start = {e0 + 1000.0, n0 + 1000.0};
    const std::vector<std::pair<Vec, double>> vertices = {{{e0 + 1000.0, n0 + 2000.0}, 200.0},
                                                          {{e0 + 2000.0, n0 + 2000.0}, 100.0},
                                                          {{e0 + 2000.0, n0 + 3000.0}, 300.0}};
    d.end = {e0 + 2000.0 + 800.0 * std::sqrt(0.5), n0 + 3000.0 + 800.0 * std::sqrt(0.5)};
    std::vector<Vec> points = {d.start};
    for (const auto& v : vertices)
        points.push_back(v.first);
    points.push_back(d.end);

    for (size_t i = 0; i < vertices.size(); ++i)
    {
        Turn t;
        t.vertex = vertices[i].first;
        t.radius = vertices[i].second;
        t.in = Unit(points[i], t.vertex);
        t.out = Unit(t.vertex, points[i + 2]);
        const double cross = t.in.x * t.out.y - t.in.y * t.out.x;
        t.side = cross > 0.0 ? -1 : 1;
        t.angle = std::acos(Dot(t.in, t.out));
        const double tangent = t.radius * std::tan(t.angle / 2.0);
        t.tpIn = t.vertex - tangent * t.in;
        t.tpOut = t.vertex + tangent * t.out;
        t.centre = t.tpIn - (t.side * t.radius) * Left(t.in);
        d.turns.push_back(t);
    }
    d.firstDirection = d.turns.front().in;
    d.lastDirection = d.turns.back().out;
    d.firstLeg = Norm(d.turns[0].tpIn - d.start);
    double kp = d.firstLeg / 1000.0;
    for (size_t i = 0; i < d.turns.size(); ++i)
    {
        Turn& t = d.turns[i];
        t.kpIn = kp;
        t.kpOut = kp + t.radius * t.angle / 1000.0;
        const Vec next = i + 1 < d.turns.size() ? d.turns[i + 1].tpIn : d.end;
        d.legs.push_back(Norm(next - t.tpOut));
        kp = t.kpOut + d.legs.back() / 1000.0;
    }
    d.total = kp;
    return d;
}

void ExpectAt(const char* what, double e, double n, Vec want, double tolerance = kMetres)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(e, want.x, tolerance);
    EXPECT_NEAR(n, want.y, tolerance);
}

void ExpectAt(const char* what, const tagXY& p, Vec want, double tolerance = kMetres)
{
    ExpectAt(what, p.x, p.y, want, tolerance);
}

// Corridor widths the layout tests load with.
const double kPort = 50.0;
const double kStarboard = 30.0;

void WriteCorridorSettings(const char* path, double port, double starboard)
{
    CRPL settings;
    settings.m_FilePath = path;
    settings.m_PortCorridor = port;
    settings.m_StarboardCorridor = starboard;
    settings.SaveSettings();
}

struct LayoutCase
{
    const char* fixture;
    const char* path;
    CRPL::LAYOUT layout;
    bool legsLeaveArcs; // the layout gives each arc the straight that leaves it
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.fixture;
}

class RplLayout : public testing::TestWithParam<LayoutCase>
{
};

const char kOnlyPath[] = "C:\\MyData\\RPL\\Route A.csv";
} // namespace

// Every layout of the design route gives the same elements: the start, a vertex per turn with
// its arc, and the end, with KPs along the straights and arcs and the corridor either side.
TEST_P(RplLayout, MatchesTheDesignRoute)
{
    const LayoutCase& c = GetParam();
    const Design d = MakeDesign();
    WriteBytes(c.path, Fixture(c.fixture));
    WriteCorridorSettings(c.path, kPort, kStarboard);

    CRPL rpl;
    ASSERT_TRUE(rpl.Load(c.path));
    EXPECT_EQ(rpl.GetLayout(), c.layout);
    ASSERT_EQ(rpl.GetSize(), 5);

    const RPLDef& first = rpl[0];
    ExpectAt("start", first.Easting, first.Northing, d.start);
    EXPECT_EQ(first.KP, 0.0);
    EXPECT_EQ(first.Radius, 0.0);
    EXPECT_NEAR(first.Length, d.firstLeg, kMetres);
    EXPECT_NEAR(first.Bearing, 0.0, kRadians); // due north
    EXPECT_NEAR(first.ReverseBearing, M_PI, kRadians);
    ExpectAt("start port", first.PortStart, d.start + kPort * Left(d.firstDirection));
    ExpectAt("start starboard", first.StarboardStart, d.start - kStarboard * Left(d.firstDirection));

    for (size_t i = 0; i < d.turns.size(); ++i)
    {
        const Turn& t = d.turns[i];
        const RPLDef& r = rpl[static_cast<INT_PTR>(i + 1)];
        SCOPED_TRACE(testing::Message() << "turn " << i + 1);
        ExpectAt("vertex", r.Easting, r.Northing, t.vertex);
        EXPECT_NEAR(r.Radius, t.radius, kMetres);
        EXPECT_EQ(r.TurnSide, t.side);
        ExpectAt("centre", r.CentreE, r.CentreN, t.centre);
        ExpectAt("arc start", r.ArcStartE, r.ArcStartN, t.tpIn);
        ExpectAt("arc end", r.ArcEndE, r.ArcEndN, t.tpOut);
        EXPECT_NEAR(r.ArcAngle, t.angle, kRadians);
        EXPECT_NEAR(r.PiMinusAngle, M_PI - t.angle, kRadians);
        EXPECT_NEAR(r.ArcLength, t.radius * t.angle, kMetres);
        EXPECT_NEAR(r.KPArcStart, t.kpIn, kKm);
        EXPECT_NEAR(r.KPArcEnd, t.kpOut, kKm);
        EXPECT_NEAR(r.KP, t.kpIn, kKm);
        const Vec toStart = t.tpIn - t.centre, toEnd = t.tpOut - t.centre;
        EXPECT_NEAR(std::sin(r.StartBearing), toStart.x / t.radius, kRadians);
        EXPECT_NEAR(std::cos(r.StartBearing), toStart.y / t.radius, kRadians);
        EXPECT_NEAR(std::sin(r.EndBearing), toEnd.x / t.radius, kRadians);
        EXPECT_NEAR(std::cos(r.EndBearing), toEnd.y / t.radius, kRadians);
        if (c.legsLeaveArcs)
        {
            EXPECT_NEAR(r.Length, d.legs[i], kMetres);
            const Vec next = i + 1 < d.turns.size() ? d.turns[i + 1].tpIn : d.end;
            const Vec dir = Unit(t.tpOut, next);
            EXPECT_NEAR(r.SinBearing, dir.x, kRadians);
            EXPECT_NEAR(r.CosBearing, dir.y, kRadians);
        }
        // The corridor's edges run parallel to the route, the widths off it on either side.
        ExpectAt("port start", r.PortStart, t.tpIn + kPort * Left(t.in));
        ExpectAt("port end", r.PortEnd, t.tpOut + kPort * Left(t.out));
        ExpectAt("starboard start", r.StarboardStart, t.tpIn - kStarboard * Left(t.in));
        ExpectAt("starboard end", r.StarboardEnd, t.tpOut - kStarboard * Left(t.out));
    }

    const RPLDef& last = rpl[4];
    ExpectAt("end", last.Easting, last.Northing, d.end);
    EXPECT_EQ(last.Radius, 0.0);
    EXPECT_NEAR(last.KP, d.total, kKm);
    ExpectAt("end port", last.PortStart, d.end + kPort * Left(d.lastDirection));
    ExpectAt("end starboard", last.StarboardStart, d.end - kStarboard * Left(d.lastDirection));
    ExpectAt("end port end", last.PortEnd, d.end + kPort * Left(d.lastDirection));
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, RplLayout,
    testing::Values(
        LayoutCase{"rpl_route.rlx", "C:\\MyData\\RPL\\Route.rlx", CRPL::LAYOUT_RLX, false},
        LayoutCase{"rpl_route_tp.csv", "C:\\MyData\\RPL\\Route TP.csv", CRPL::LAYOUT_TANGENT_POINTS, true},
        LayoutCase{"rpl_route_ip.csv", "C:\\MyData\\RPL\\Route IP.csv", CRPL::LAYOUT_VERTICES, true},
        LayoutCase{"rpl_route_coded.csv", "C:\\MyData\\RPL\\Route Coded.txt", CRPL::LAYOUT_CODED, true}));

TEST(Rpl, RlxIsChosenByExtensionInAnyCaseAndAnySeparator)
{
    const QByteArray commas = Fixture("rpl_route.rlx");
    const QList<QByteArray> lines = commas.split('\n');
    struct Case
    {
        const char* path;
        const char* separator;
    };
    for (const Case& c :
         {Case{"C:\\MyData\\A.RLX", ","}, Case{"C:\\MyData\\b.Rlx", "\t"}, Case{"C:\\MyData\\c.rlx", "   "}})
    {
        SCOPED_TRACE(c.path);
        QByteArray bytes;
        for (int i = 0; i < lines.size(); ++i)
            bytes += i < 2 ? lines[i] + '\n' : QByteArray(lines[i]).replace(",", c.separator) + '\n';
        bytes += "\r\n"; // a trailing empty line holds no tangent point
        WriteBytes(c.path, bytes);
        CRPL rpl;
        ASSERT_TRUE(rpl.Load(c.path));
        EXPECT_EQ(rpl.GetLayout(), CRPL::LAYOUT_RLX);
        ASSERT_EQ(rpl.GetSize(), 5);
        EXPECT_NEAR(rpl[4].KP, MakeDesign().total, kKm);
    }
}

TEST(Rpl, FilesThatGiveNoRoute)
{
    struct Case
    {
        const char* what;
        const char* path;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {"RLX of headers only", "C:\\MyData\\H.rlx", "Header\r\n1,x\r\n"},
        {"four fields", kOnlyPath, "1,2,3,4\r\n5,6,7,8\r\n"},
        {"one field", kOnlyPath, "453000\r\n453100\r\n"},
        {"empty first line", kOnlyPath, "\r\n453000,6232000,0\r\n"},
        {"no usable position", kOnlyPath, "0,0,0\r\n?,6232000,0\r\n,6232000,5\r\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteBytes(c.path, c.bytes);
        CRPL rpl;
        EXPECT_FALSE(rpl.Load(c.path));
        EXPECT_EQ(rpl.GetSize(), 0);
        EXPECT_EQ(rpl.GetLayout(), CRPL::LAYOUT_NONE);
    }
}

TEST(Rpl, MissingFileStillLoadsTheSettings)
{
    WriteCorridorSettings("C:\\MyData\\Gone.csv", 12.0, 34.0);
    CRPL rpl;
    EXPECT_FALSE(rpl.Load("C:\\MyData\\Gone.csv"));
    EXPECT_EQ(rpl.GetSize(), 0);
    EXPECT_EQ(rpl.m_PortCorridor, 12.0);
    EXPECT_EQ(rpl.m_StarboardCorridor, 34.0);
}

TEST(Rpl, TwoVerticesGiveOneStraightLeg)
{
    WriteBytes(kOnlyPath, "1000,2000,0\r\n1300,2400,\r\n");
    CRPL rpl;
    ASSERT_TRUE(rpl.Load(kOnlyPath));
    ASSERT_EQ(rpl.GetSize(), 2);
    EXPECT_EQ(rpl[0].KP, 0.0);
    EXPECT_NEAR(rpl[0].Length, 500.0, 1e-9);
    EXPECT_NEAR(rpl[0].SinBearing, 0.6, 1e-12);
    EXPECT_NEAR(rpl[1].KP, 0.5, 1e-12);
    // Square to the leg at both ends (default widths 100).
    ExpectAt("start port", rpl[0].PortStart, Vec{1000.0 - 80.0, 2000.0 + 60.0});
    ExpectAt("end starboard", rpl[1].StarboardStart, Vec{1300.0 + 80.0, 2400.0 - 60.0});
}

// A vertex without a radius, or where no arc fits, is a plain corner: the route and the KP run
// through it and the corridor is mitred there.
TEST(Rpl, PlainVerticesAreMitred)
{
    WriteCorridorSettings(kOnlyPath, 20.0, 10.0);
    // A 60° turn to port without a radius, a vertex with a radius on a straight run, and a
    // radius on the first point, which has nothing to turn from.
    const Vec a{1000.0, 1000.0}, b{1000.0, 1500.0}, c{1000.0 - 500.0 * std::sin(M_PI / 3), 1500.0 + 250.0};
    const Vec e = c + 2.0 * (c - b);
    CString text;
    text.Format("%.6f,%.6f,250\r\n%.6f,%.6f,\r\n%.6f,%.6f,300\r\n%.6f,%.6f,0\r\n", a.x, a.y, b.x, b.y, c.x,
                c.y, e.x, e.y);
    WriteBytes(kOnlyPath, QByteArray(text.GetString()));
    CRPL rpl;
    ASSERT_TRUE(rpl.Load(kOnlyPath));
    ASSERT_EQ(rpl.GetSize(), 4);
    for (INT_PTR i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(rpl[i].Radius, 0.0);
        EXPECT_EQ(rpl[i].TurnSide, 0);
        ExpectAt("arc start is the vertex", rpl[i].ArcStartE, rpl[i].ArcStartN,
                 {rpl[i].Easting, rpl[i].Northing}, 0.0);
    }
    EXPECT_NEAR(rpl[1].KP, 0.5, 1e-12);
    EXPECT_NEAR(rpl[2].KP, 1.0, 1e-9);
    EXPECT_NEAR(rpl[3].KP, 2.0, 1e-9);

    const Vec d1 = Unit(a, b), d2 = Unit(b, c);
    const Vec mitre = (1.0 / (1.0 + Dot(d1, d2))) * (Left(d1) + Left(d2));
    ExpectAt("port corner", rpl[1].PortStart, b + 20.0 * mitre, 1e-6);
    ExpectAt("starboard corner", rpl[1].StarboardStart, b - 10.0 * mitre, 1e-6);
    // Straight on through c: square to the line.
    ExpectAt("port on the straight", rpl[2].PortStart, c + 20.0 * Left(d2), 1e-6);
}

TEST(Rpl, CodedLayoutTakesThePendingRadius)
{
    // The start, stored at once with no radius; a position after a TP line with radius 500; a
    // position with its own radius 250; then positions without any radius between them, each
    // replacing the one before, so that only the last (the end point) is stored.
    WriteBytes(kOnlyPath, "SP,0,1000,1000,\r\n"
                          "TP,1,1000,1400,500\r\n"
                          " ip ,1,1000,2000,\r\n"
                          "IP,2,2000,2000,250\r\n"
                          "XX,3,9000,9000,\r\n"
                          "IP,4,2000,3000,\r\n"
                          "cp,4,2100,3000,\r\n"
                          "EP,5,2000,4000,\r\n");
    CRPL rpl;
    ASSERT_TRUE(rpl.Load(kOnlyPath));
    EXPECT_EQ(rpl.GetLayout(), CRPL::LAYOUT_CODED);
    ASSERT_EQ(rpl.GetSize(), 4);
    ExpectAt("start", rpl[0].Easting, rpl[0].Northing, {1000.0, 1000.0}, 0.0);
    ExpectAt("vertex 1", rpl[1].Easting, rpl[1].Northing, {1000.0, 2000.0}, 0.0);
    EXPECT_EQ(rpl[1].Radius, 500.0);
    ExpectAt("vertex 2", rpl[2].Easting, rpl[2].Northing, {2000.0, 2000.0}, 0.0);
    EXPECT_EQ(rpl[2].Radius, 250.0);
    ExpectAt("end", rpl[3].Easting, rpl[3].Northing, {2000.0, 4000.0}, 0.0);
    EXPECT_EQ(rpl[3].Radius, 0.0);
}

TEST(Rpl, TangentPointsPairUpAfterTheStart)
{
    // Start, one pair of a 90° turn of radius 100 about (1100, 1900), and an end point.
    const char* route = "1000,1000\r\n1000,1900\r\n1100,2000\r\n2000,2000\r\n";
    struct Case
    {
        const char* what;
        QByteArray bytes;
        INT_PTR records;
        Vec end;
        double endKp;
    };
    const double arc = 100.0 * M_PI / 2.0;
    const std::vector<Case> cases = {
        {"start, pair, end", route, 3, {2000.0, 2000.0}, (900.0 + arc + 900.0) / 1000.0},
        {"start and end only", "1000,1000\r\n1000,1500\r\n", 2, {1000.0, 1500.0}, 0.5},
        // Without an end point the route stops on the pair's last point.
        {"start and pair",
         "1000,1000\r\n1000,1900\r\n1100,2000\r\n",
         2,
         {1100.0, 2000.0},
         std::hypot(100.0, 1000.0) / 1000.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteBytes(kOnlyPath, c.bytes);
        CRPL rpl;
        ASSERT_TRUE(rpl.Load(kOnlyPath));
        EXPECT_EQ(rpl.GetLayout(), CRPL::LAYOUT_TANGENT_POINTS);
        ASSERT_EQ(rpl.GetSize(), c.records);
        const RPLDef& last = rpl[c.records - 1];
        ExpectAt("end", last.Easting, last.Northing, c.end, 1e-9);
        EXPECT_NEAR(last.KP, c.endKp, 1e-9);
    }

    WriteBytes(kOnlyPath, route);
    CRPL rpl;
    ASSERT_TRUE(rpl.Load(kOnlyPath));
    const RPLDef& turn = rpl[1];
    ExpectAt("vertex", turn.Easting, turn.Northing, {1000.0, 2000.0}, 1e-9);
    EXPECT_NEAR(turn.Radius, 100.0, 1e-9);
    ExpectAt("centre", turn.CentreE, turn.CentreN, {1100.0, 1900.0}, 1e-9);
    EXPECT_NEAR(turn.KPArcStart, 0.9, 1e-12);
    EXPECT_NEAR(turn.KPArcEnd, 0.9 + arc / 1000.0, 1e-12);
}

TEST(Rpl, SettingsFileInWriterOrder)
{
    CRPL rpl;
    rpl.m_FilePath = "C:\\MyData\\RPL\\Export Route.rlx";
    EXPECT_EQ(rpl.GetSettingsName(), "Export Route_RPL");
    rpl.m_Use = false;
    rpl.m_DisplayCorridor = true;
    rpl.m_PortCorridor = 150.5;
    rpl.m_StarboardCorridor = 75.25;
    rpl.m_CorridorPen = {2, 3, 0x00FF00, -2};
    rpl.m_PipelinePen = {0, 4, 0x123456, 1};
    rpl.m_Diameter = 36;
    rpl.m_Clearance = 12.5;
    rpl.m_Tolerance = 30.0;
    rpl.SaveSettings();
    const QByteArray expected = "Use = 0\r\n"
                                "Display Corridor = 1\r\n"
                                "Port Corridor = 150.500\r\n"
                                "Stdb Corridor = 75.250\r\n"
                                "Corridor Pen = 65280, 2, 3, -2\r\n"
                                "Pipeline Pen = 1193046, 0, 4, 1\r\n"
                                "Diameter = 36\r\n"
                                "Clearance = 12.500\r\n"
                                "Tolerance = 30.000\r\n";
    ASSERT_EQ(ReadBytes(InSettings("Export_Route_RPL.INI")), expected);

    CRPL back;
    back.m_FilePath = "Z:\\elsewhere\\Export Route.csv";
    back.LoadSettings();
    EXPECT_FALSE(back.m_Use);
    EXPECT_TRUE(back.m_DisplayCorridor);
    EXPECT_EQ(back.m_PortCorridor, 150.5);
    EXPECT_EQ(back.m_StarboardCorridor, 75.25);
    EXPECT_EQ(back.m_CorridorPen.Colour, 0x00FF00u);
    EXPECT_EQ(back.m_CorridorPen.nFill, -2);
    EXPECT_EQ(back.m_PipelinePen.nThickness, 4);
    EXPECT_EQ(back.m_Diameter, 36);
    EXPECT_EQ(back.m_Clearance, 12.5);
    EXPECT_EQ(back.m_Tolerance, 30.0);

    // A file cut after the corridor pen: per-line defaults, the alarm values kept.
    WriteBytes(InSettings("Export_Route_RPL.INI"), expected.left(expected.indexOf("Pipeline Pen")));
    back.LoadSettings();
    EXPECT_EQ(back.m_CorridorPen.Colour, 0x00FF00u);
    EXPECT_EQ(back.m_PipelinePen.nStyle, 0);
    EXPECT_EQ(back.m_PipelinePen.nThickness, 1);
    EXPECT_EQ(back.m_PipelinePen.Colour, 0u);
    EXPECT_EQ(back.m_Diameter, 0);
    EXPECT_EQ(back.m_Clearance, 10.0);
    EXPECT_EQ(back.m_Tolerance, 25.0);
}

TEST(Rpl, MissingSettingsFileGivesTheDefaults)
{
    CRPL rpl;
    rpl.m_FilePath = "C:\\MyData\\New.csv";
    rpl.m_Use = false;
    rpl.m_PortCorridor = 1.0;
    rpl.m_Clearance = 0.0;
    rpl.LoadSettings();
    EXPECT_TRUE(rpl.m_Use);
    EXPECT_FALSE(rpl.m_DisplayCorridor);
    EXPECT_EQ(rpl.m_PortCorridor, 100.0);
    EXPECT_EQ(rpl.m_StarboardCorridor, 100.0);
    EXPECT_EQ(rpl.m_CorridorPen.nStyle, 5);
    EXPECT_EQ(rpl.m_CorridorPen.Colour, 0x80u);
    EXPECT_EQ(rpl.m_PipelinePen.nThickness, 2);
    EXPECT_EQ(rpl.m_PipelinePen.Colour, 0xFF0000u);
    EXPECT_EQ(rpl.m_Diameter, 0);
    EXPECT_EQ(rpl.m_Clearance, 10.0);
    EXPECT_EQ(rpl.m_Tolerance, 25.0);
}

TEST(RplList, SavesThePathsInOrder)
{
    CRPLList list;
    for (const char* path : {"C:\\MyData\\RPL\\One.csv", "D:\\Routes\\Two.rlx"})
    {
        CRPL* rpl = new CRPL;
        rpl->m_FilePath = path;
        list.Add(rpl);
    }
    ASSERT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("RPLs.FLS")),
              QByteArray("[RPLs]\r\nC:\\MyData\\RPL\\One.csv\r\nD:\\Routes\\Two.rlx\r\n"));
    CStringArray paths;
    ASSERT_TRUE(CRPLList::LoadFileList(paths));
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(paths[1], "D:\\Routes\\Two.rlx");
}
