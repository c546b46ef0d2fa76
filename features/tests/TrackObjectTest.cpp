// Vessel and template records: tracking points and their names, target selection from the
// waypoint and sail-line lists, grid heading, target box and target position, the target
// plot's local scale, and the "VSL" and "TPL" files byte for byte.
#include "features/Barge.h"
#include "features/GridWaypointList.h"
#include "features/SailLineList.h"
#include "features/TargetPlot.h"
#include "features/Template.h"
#include "geodesy/Gps.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace featuretest;

namespace
{
TrackingPointDef Point(const char* name, double x, double y, double z = 0.0)
{
    TrackingPointDef p;
    p.Name = name;
    p.X = x;
    p.Y = y;
    p.Z = z;
    return p;
}

// A waypoint file held in memory, as the grid-waypoint pane hands it over.
CGridWaypoint* WaypointFile(const char* path, const std::vector<GridWaypointDef>& points)
{
    CGridWaypoint* file = new CGridWaypoint;
    file->m_FilePath = path;
    for (const GridWaypointDef& p : points)
        file->Add(p);
    return file;
}

CSailLine* SailLineFile(const char* path, const std::vector<tagXY>& ends)
{
    CSailLine* file = new CSailLine;
    file->m_FilePath = path;
    for (size_t i = 0; i + 1 < ends.size(); i += 2)
    {
        SailLineDef line{};
        line.Start = ends[i];
        line.End = ends[i + 1];
        file->Add(line);
    }
    return file;
}

QByteArray Lines(const std::vector<const char*>& lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

const double kDegree = M_PI / 180.0;
} // namespace

TEST(TrackObject, TypeNamesAndWhichObjectHasWhichPoints)
{
    const struct
    {
        int type;
        const char* name;
        bool onVessel;
        bool onTemplate;
    } cases[] = {
        {0, "Common Reference Point", false, false},
        {1, "Antenna", true, true},
        {2, "Offset", true, true},
        {3, "Leg", true, false},
        {4, "Crane", true, false},
        {5, "Transducer", true, false},
        {6, "Ref System", true, false},
        {7, "Clump Weight", true, false},
        {8, "Reflector", false, true},
        {9, "Beacon", false, true},
        {10, "", false, false},
        {-1, "", false, false},
    };
    CBarge barge;
    CTemplate tpl;
    for (int type = 1; type <= 9; ++type)
    {
        if (CTrackingPointArray* points = barge.GetTrackingPointArray(type))
            points->AddPoint(Point(TrackingPointTypeName(type), type, 0));
        if (CTrackingPointArray* points = tpl.GetTrackingPointArray(type))
            points->AddPoint(Point(TrackingPointTypeName(type), type, 0));
    }
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.type);
        barge.m_TrkPtType = c.type;
        EXPECT_STREQ(barge.GetTrackingPointTypeName(), c.name);

        const TrackingPointDef* onVessel = barge.GetTrackingPoint(c.type, 0);
        const TrackingPointDef* onTemplate = tpl.GetTrackingPoint(c.type, 0);
        EXPECT_EQ(onVessel != nullptr, c.onVessel);
        EXPECT_EQ(onTemplate != nullptr, c.onTemplate);
        // Each type has an array of its own: the record found is the one added for it.
        if (onVessel)
        {
            EXPECT_EQ(onVessel->X, c.type);
        }
        if (onTemplate)
        {
            EXPECT_EQ(onTemplate->X, c.type);
        }
        EXPECT_EQ(barge.GetTrackingPoint(c.type, 1), nullptr);
        EXPECT_EQ(barge.GetTrackingPoint(c.type, -1), nullptr);
    }
}

TEST(TrackObject, TrackingPointName)
{
    CBarge barge;
    barge.m_Heading = 0.0;
    EXPECT_STREQ(barge.GetTrackingPointName(), "n/a"); // the CRP without antennas

    barge.m_Antennas.AddPoint(Point("DGPS Fwd", 1, 2));
    barge.m_Antennas.AddPoint(Point("DGPS Aft", 1, -30));
    barge.m_Legs.AddPoint(Point("Leg PS", -10, 5));
    barge.m_Cranes.AddPoint(Point("Main Crane", 5, 5));
    // Without a heading the vessel cannot place a point by its offsets: its primary antenna is
    // the tracking point whatever is selected.
    const struct
    {
        double heading;
        int primary;
        int type;
        int number;
        const char* name;
    } cases[] = {
        {0.0, 1, TP_COMMON_REFERENCE_POINT, 0, "CRP - DGPS Aft"},
        {0.0, 2, TP_COMMON_REFERENCE_POINT, 0, "n/a"},
        {0.0, 1, TP_LEG, 0, "Leg PS"},
        {0.0, 1, TP_CRANE, 0, "Main Crane"},
        {0.0, 1, TP_CRANE, 1, "n/a"},
        {-1.0, 1, TP_CRANE, 0, "DGPS Aft"},
        {-1.0, 0, TP_COMMON_REFERENCE_POINT, 0, "DGPS Fwd"},
        {-1.0, 2, TP_LEG, 0, "n/a"},
        {-1.0, -1, TP_LEG, 0, "n/a"},
        {359.5, 0, TP_LEG, 0, "Leg PS"},
    };
    for (const auto& c : cases)
    {
        barge.m_Heading = c.heading;
        barge.m_PrimaryGps = c.primary;
        barge.m_TrkPtType = c.type;
        barge.m_TrkPtNo = c.number;
        EXPECT_STREQ(barge.GetTrackingPointName(), c.name) << c.heading << " " << c.primary << " " << c.type;
    }
    // Through the base, as the chart and the target panes hold it.
    const CTrackObject& object = barge;
    barge.m_Heading = -1.0;
    barge.m_PrimaryGps = 0;
    EXPECT_STREQ(object.GetTrackingPointName(), "DGPS Fwd");

    // A template keeps the selected point without a heading.
    CTemplate tpl;
    tpl.m_Beacons.AddPoint(Point("Beacon A", 0, 0));
    tpl.m_TrkPtType = TP_BEACON;
    EXPECT_STREQ(tpl.GetTrackingPointName(), "Beacon A");
    tpl.m_TrkPtType = TP_LEG; // no legs on a template
    EXPECT_STREQ(tpl.GetTrackingPointName(), "n/a");
}

TEST(TrackObject, TargetWaypointSelection)
{
    CGridWaypointList list;
    list.Add(WaypointFile("C:\\MyData\\Wpt\\a.txt", {{100, 200, 1, "A1", 0}}));
    list.Add(WaypointFile("C:\\MyData\\Wpt\\b.txt", {}));
    list.Add(WaypointFile("C:\\MyData\\Wpt\\c.txt",
                          {{500000, 6000000, -12.5, "Drill Centre", 25}, {0, 0, 0, "Origin", 0}}));
    CBarge barge;

    // Without a list nothing can be selected.
    barge.SetTargetWaypoint(0, 0);
    EXPECT_FALSE(barge.m_bTargetValid);
    EXPECT_STREQ(barge.GetTargetWaypointFileName(), "");

    barge.m_pWaypointList = &list;
    // File 7 of three files is the last file; then its point 0.
    barge.SetTargetWaypoint(7, 0);
    EXPECT_EQ(barge.m_WaypointFileIndex, 2);
    EXPECT_EQ(barge.m_WaypointNo, 0);
    EXPECT_TRUE(barge.m_bTargetValid);
    EXPECT_EQ(barge.m_TargetWaypoint.Easting, 500000.0);
    EXPECT_EQ(barge.m_TargetWaypoint.Northing, 6000000.0);
    EXPECT_EQ(barge.m_TargetWaypoint.Height, -12.5);
    EXPECT_STREQ(barge.m_TargetWaypoint.Name, "Drill Centre");
    EXPECT_EQ(barge.m_TargetWaypoint.Radius, 25.0);
    EXPECT_STREQ(barge.GetTargetWaypointFileName(), "C:\\MyData\\Wpt\\c.txt");

    // A point past the end is the last point: here the one at (0, 0), which is no target.
    // The box corners keep what the valid target gave them.
    const tagXY corner = barge.m_BoxCorner[0];
    barge.SetTargetWaypoint(-1, 9);
    EXPECT_EQ(barge.m_WaypointFileIndex, 2);
    EXPECT_EQ(barge.m_WaypointNo, 1);
    EXPECT_FALSE(barge.m_bTargetValid);
    EXPECT_STREQ(barge.m_TargetWaypoint.Name, "Origin");
    EXPECT_EQ(barge.m_BoxCorner[0].x, corner.x);
    EXPECT_EQ(barge.m_BoxCorner[0].y, corner.y);

    // A negative file keeps the current file.
    barge.SetTargetWaypoint(-1, 0);
    EXPECT_EQ(barge.m_WaypointFileIndex, 2);
    EXPECT_TRUE(barge.m_bTargetValid);

    // An empty file: the file index stays, the target is cleared.
    barge.SetTargetWaypoint(1, 0);
    EXPECT_EQ(barge.m_WaypointFileIndex, 1);
    EXPECT_EQ(barge.m_WaypointNo, 0);
    EXPECT_FALSE(barge.m_bTargetValid);
    EXPECT_EQ(barge.m_TargetWaypoint.Easting, 0.0);
    EXPECT_STREQ(barge.m_TargetWaypoint.Name, "");
    EXPECT_STREQ(barge.GetTargetWaypointFileName(), "C:\\MyData\\Wpt\\b.txt");
}

TEST(TrackObject, TargetSailLineSelection)
{
    CSailLineList list;
    list.Add(SailLineFile("C:\\MyData\\Lines\\plan.csv",
                          {{1000, 2000}, {1000, 3000}, {1500, 2500}, {1500, 2500}}));
    CTemplate tpl;
    tpl.SetTargetSailLine(0, 0);
    EXPECT_FALSE(tpl.m_bLineValid);
    EXPECT_STREQ(tpl.GetTargetSailLineFileName(), "");

    tpl.m_pSailLineList = &list;
    tpl.SetTargetSailLine(3, 0);
    EXPECT_EQ(tpl.m_SailLineFileIndex, 0);
    EXPECT_EQ(tpl.m_SailLineNo, 0);
    EXPECT_TRUE(tpl.m_bLineValid);
    EXPECT_EQ(tpl.m_TargetSailLine.Start.y, 2000.0);
    EXPECT_EQ(tpl.m_TargetSailLine.End.y, 3000.0);
    EXPECT_STREQ(tpl.GetTargetSailLineFileName(), "C:\\MyData\\Lines\\plan.csv");

    // A line whose start and end coincide is no line; past the last line is the last line.
    tpl.SetTargetSailLine(-1, 5);
    EXPECT_EQ(tpl.m_SailLineNo, 1);
    EXPECT_FALSE(tpl.m_bLineValid);
    EXPECT_EQ(tpl.m_TargetSailLine.Start.x, 1500.0);
}

TEST(TrackObject, GridHeading)
{
    const struct
    {
        double target;
        double convergence;
        double grid;
    } cases[] = {
        {1.0, 2.0, 359.0}, {90.0, -1.5, 91.5}, {0.0, 0.0, 0.0}, {360.0, 0.0, 360.0}, {45.0, 45.0, 0.0}};
    CBarge barge;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.target);
        barge.m_Convergence = c.convergence;
        barge.SetTargetHeading(c.target);
        EXPECT_NEAR(barge.m_GridHeading, c.grid, 1e-12);
        EXPECT_NEAR(barge.m_SinHeading, std::sin(c.grid * kDegree), 1e-12);
        EXPECT_NEAR(barge.m_CosHeading, std::cos(c.grid * kDegree), 1e-12);
    }
    // Outside 0..360 there is no heading: sine and cosine 0, the grid heading as it was.
    for (double bad : {370.0, -0.5})
    {
        barge.m_Convergence = 0.0;
        barge.SetTargetHeading(30.0);
        barge.SetTargetHeading(bad);
        EXPECT_EQ(barge.m_SinHeading, 0.0);
        EXPECT_EQ(barge.m_CosHeading, 0.0);
        EXPECT_EQ(barge.m_GridHeading, 30.0);
    }
}

TEST(TrackObject, BoxCornersAndTargetPositionAtAKnownHeading)
{
    CGridWaypointList list;
    list.Add(WaypointFile("C:\\w.txt", {{500000.25, 6000000.75, 0, "T", 0}}));
    CBarge barge;
    barge.m_pWaypointList = &list;
    barge.m_BoxDx = 10.0; // to starboard
    barge.m_BoxDy = 5.0;  // forward
    barge.m_Legs.AddPoint(Point("Leg SB Aft", 3.0, -20.0));
    barge.m_Antennas.AddPoint(Point("GPS", -1.0, 12.0));

    const double E = 500000.25, N = 6000000.75;
    for (double heading : {0.0, 30.0, 90.0, 217.5})
    {
        SCOPED_TRACE(heading);
        barge.m_Convergence = 2.0;
        barge.SetTargetHeading(heading + 2.0);
        barge.SetTargetWaypoint(0, 0);
        ASSERT_TRUE(barge.m_bTargetValid);

        // The box: starboard and forward axes of a vessel heading `heading` clockwise from grid
        // north; each corner offset turned onto the grid, rounded to the metre, then placed on
        // the target.
        const double h = heading * kDegree;
        const double starboard[2] = {std::cos(h), -std::sin(h)};
        const double forward[2] = {std::sin(h), std::cos(h)};
        const double corners[4][2] = {{10, 5}, {10, -5}, {-10, -5}, {-10, 5}};
        for (int i = 0; i < 4; ++i)
        {
            const double dE = corners[i][0] * starboard[0] + corners[i][1] * forward[0];
            const double dN = corners[i][0] * starboard[1] + corners[i][1] * forward[1];
            EXPECT_EQ(barge.m_BoxCorner[i].x, std::round(dE) + E) << i;
            EXPECT_EQ(barge.m_BoxCorner[i].y, std::round(dN) + N) << i;
        }

        // The leg on the target: the common reference point lies back along the leg's offset.
        barge.m_TrkPtType = TP_LEG;
        barge.m_TrkPtNo = 0;
        tagXY crp{};
        barge.GetTargetPosition(crp);
        const double legE = crp.x + 3.0 * starboard[0] - 20.0 * forward[0];
        const double legN = crp.y + 3.0 * starboard[1] - 20.0 * forward[1];
        EXPECT_NEAR(legE, E, 1e-6);
        EXPECT_NEAR(legN, N, 1e-6);
        EXPECT_EQ(barge.m_TargetPosition.x, crp.x);
        EXPECT_EQ(barge.m_TargetPosition.y, crp.y);

        // The common reference point itself, and a point that does not exist: the target.
        for (int type : {int(TP_COMMON_REFERENCE_POINT), int(TP_TRANSDUCER)})
        {
            barge.m_TrkPtType = type;
            barge.GetTargetPosition(crp);
            EXPECT_EQ(crp.x, E);
            EXPECT_EQ(crp.y, N);
        }
    }

    // Heading east: starboard is south, so the (10 starboard, 5 forward) corner is 5 east and
    // 10 south of the target.
    barge.m_Convergence = 0.0;
    barge.SetTargetHeading(90.0);
    barge.ComputeTargetOutline();
    EXPECT_EQ(barge.m_BoxCorner[0].x, E + 5.0);
    EXPECT_EQ(barge.m_BoxCorner[0].y, N - 10.0);
}

TEST(TargetPlot, LocalScaleOnWgs84)
{
    // Meridian radius, parallel radius and the length of a minute of latitude on WGS 84.
    const struct
    {
        double latitude;
        double meridian;
        double parallel;
        double minute;
    } cases[] = {
        {0.0, 6335439.327, 6378137.000, 1842.905},
        {45.0, 6367381.816, 4517590.879, 1852.196},
        {-60.0, 6383453.857, 3197104.587, 1856.871},
    };
    CTargetPlot plot;
    EXPECT_FALSE(plot.m_bScaleSet);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.latitude);
        plot.SetLatitude(c.latitude * kDegree);
        EXPECT_TRUE(plot.m_bScaleSet);
        EXPECT_NEAR(plot.m_MetresPerRadianLat, c.meridian, 1e-3);
        EXPECT_NEAR(plot.m_MetresPerRadianLon, c.parallel, 1e-3);
        EXPECT_NEAR(1.0 / plot.m_MinutesPerMetre, c.minute, 1e-3);
    }

    // The same latitude again changes nothing; another spheroid is taken at the next call,
    // even at the same latitude.
    plot.m_MetresPerRadianLat = 1.0;
    plot.SetLatitude(-60.0 * kDegree);
    EXPECT_EQ(plot.m_MetresPerRadianLat, 1.0);
    plot.SetSpheroid(6378137.0, 0.0); // a sphere
    plot.SetLatitude(-60.0 * kDegree);
    EXPECT_NEAR(plot.m_MetresPerRadianLat, 6378137.0, 1e-3);
    EXPECT_NEAR(plot.m_MetresPerRadianLon, 6378137.0 * 0.5, 1e-3);

    // No spheroid gives no scale, not an infinite one.
    plot.SetSpheroid(0.0, 0.0);
    plot.SetLatitude(0.1);
    EXPECT_EQ(plot.m_MinutesPerMetre, 0.0);
}

namespace
{
// A barge with a value in every field the file holds, and points whose names hold the
// characters the record must escape.
void FillBarge(CBarge& b)
{
    b.m_Name = "Barge 7";
    b.m_Draft = 4.25;
    b.m_WaterLineToZero = 1.5;
    b.m_bActive = true;
    b.m_PrimaryGps = 1;
    b.m_PrimaryMru = 2;
    b.m_TrkPtType = TP_LEG;
    b.m_TrkPtNo = 0;
    b.m_TrkPtSymbolSize = 3;
    b.m_WaypointFileIndex = 4;
    b.m_WaypointNo = 5;
    b.m_WaypointColour = 65535;
    b.m_bEnableTrail = true;
    b.m_bShowTrail = false;
    b.m_TrailColour = 255;
    b.m_MaxTrailSize = 1000;
    b.m_bShowOutline = false;
    b.m_OutlineFile = "C:\\Outlines\\Barge,7.dxf";
    b.m_OutlineColour = 16711680;
    b.m_OutlineSize = 2;
    b.m_OutlineStyle = 1;
    b.m_OutlineFill = -1;
    b.m_ShadowColour = 8421504;
    b.m_ShadowSize = 3;
    b.m_ShadowStyle = 0;
    b.m_ShadowFill = 65534;
    b.m_LengthA = 60.0;
    b.m_LengthB = 40.5;
    b.m_WidthA = 12.0;
    b.m_WidthB = 12.25;
    b.m_TargetHeading = 217.25;
    TargetPlotOptionsDef& o = b.m_PlotOptions;
    o.NorthUp = false;
    o.NauticalMiles = true;
    o.DisplayLabels = true;
    o.LabelRings = false;
    o.CardinalColour = 128;
    o.TextColour = 0;
    o.DrawZoneLines = true;
    o.StartZoneLine = 45.0;
    o.StopZoneLine = 135.5;
    o.ZoneLineColour = 32768;
    o.ShapeBox = true;
    o.BoxSizeX = 20.0;
    o.BoxSizeY = 7.5;
    o.DrawRings = true;
    o.NoRings = 4;
    o.RadiusMetres = 25.0;
    o.RadiusNM = 0.25;
    o.RingColour = 12632256;

    TrackingPointDef gps = Point("DGPS 1", -2.5, 10.0, 15.25);
    gps.Flag = true;
    gps.Value32 = -7;
    gps.Value16[0] = 1;
    gps.Value16[1] = 2;
    gps.Value16[2] = -3;
    gps.Extra[0] = 0.5;
    gps.Extra[1] = 1234.5678;
    b.m_Antennas.AddPoint(gps);
    b.m_Antennas.AddPoint(Point("DGPS 2", 2.5, -1.0004, 0.0));
    b.m_HeadingTolerance = 2.0;
    b.m_PitchTolerance = 0.5;
    b.m_RollTolerance = 0.75;
    b.m_DepthTolerance = 0.1;
    b.m_SailLineFileIndex = 1;
    b.m_SailLineNo = 12;
    b.m_SailLineColour = 16776960;
    b.m_Cranes.AddPoint(Point("Crane, Main", 8.0, 20.0, 30.0));
    b.m_Legs.AddPoint(Point("Leg SB Aft", 3.0, -20.0, -5.0));
    b.m_Transducers.AddPoint(Point("", 0.0, 0.0, -4.0));
    b.m_bDeclutter = true;
}
} // namespace

TEST(VesselFiles, VslGolden)
{
    CBarge barge;
    FillBarge(barge);
    barge.Save();

    // The point lines: fields joined by ", "; in a name a comma is written 0xAB "COMMA>" 0xBB
    // and an empty name as one blank.
    const QByteArray expected = Lines({"Draft = 4.250",
                                       "Water Line To Zero = 1.500",
                                       "Active = 1",
                                       "Primary GPS = 1",
                                       "Primary MRU = 2",
                                       "Trk Pt Type = 3",
                                       "Trk Pt No = 0",
                                       "Trk Pt Symbol Size = 3",
                                       "Waypoint File Index = 4",
                                       "Waypoint no = 5",
                                       "Waypoint Colour = 65535",
                                       "Enable Trail = 1",
                                       "Show Trail = 0",
                                       "Trail Colour = 255",
                                       "Max Trail Size = 1000",
                                       "Show = 0",
                                       "Outline File = C:\\Outlines\\Barge\xAB"
                                       "COMMA\xBB"
                                       "7.dxf",
                                       "Outline Colour = 16711680",
                                       "Outline Size = 2",
                                       "Outline Style = 1",
                                       "Outline Fill = -1",
                                       "Shadow Colour = 8421504",
                                       "Shadow Size = 3",
                                       "Shadow Style = 0",
                                       "Shadow Fill = 65534",
                                       "Length A = 60.000",
                                       "Length B = 40.500",
                                       "Width A = 12.000",
                                       "Width B = 12.250",
                                       "True Alignment = 217.250",
                                       "North Up = 0",
                                       "Nautical Miles = 1",
                                       "Display Labels = 1",
                                       "Label Rings = 0",
                                       "Cardinal Colour = 128",
                                       "Text Colour = 0",
                                       "Draw Zone Lines = 1",
                                       "Start Zone Line = 45.000",
                                       "Stop Zone Line = 135.500",
                                       "Zone Line Colour = 32768",
                                       "Shape Box = 1",
                                       "Box Size X = 20.000",
                                       "Box Size Y = 7.500",
                                       "Draw Rings = 1",
                                       "No Rings = 4",
                                       "Radius Metres = 25.000",
                                       "Radius NM = 0.250",
                                       "Ring Colour = 12632256",
                                       "[Antenna]",
                                       "DGPS 1, 1, -2.500, 10.000, 15.250, -7, 1, 2, -3, 0.500, 1234.568",
                                       "DGPS 2, 0, 2.500, -1.000, 0.000, 0, 0, 0, 0, 0.000, 0.000",
                                       "Heading Tolerance = 2.000",
                                       "Pitch Tolerance = 0.500",
                                       "Roll Tolerance = 0.750",
                                       "Depth Tolerance = 0.100",
                                       "SailLine File Index = 1",
                                       "SailLine no = 12",
                                       "Sail Line Colour = 16776960",
                                       "[Cranes]",
                                       "Crane\xAB"
                                       "COMMA>\xBB"
                                       " Main, 0, 8.000, 20.000, 30.000, 0, 0, 0, 0, 0.000, 0.000",
                                       "[Legs]",
                                       "Leg SB Aft, 0, 3.000, -20.000, -5.000, 0, 0, 0, 0, 0.000, 0.000",
                                       "[Transducers]",
                                       " , 0, 0.000, 0.000, -4.000, 0, 0, 0, 0, 0.000, 0.000",
                                       "Declutter = 1"});
    const QByteArray actual = ReadBytes("C:\\MyData\\Vessel\\Barge 7.VSL");
    EXPECT_EQ(actual, expected) << actual.constData();

    // The outline drawing's display settings go to a file of their own, named by the drawing.
    EXPECT_EQ(ReadBytes(InSettings("Barge,7.DXI")), Lines({"Use = 1", "Show Text = 1", "Scale = 1.000"}));
}

TEST(VesselFiles, TplGolden)
{
    CTemplate tpl;
    tpl.m_Name = "Manifold";
    tpl.m_bActive = false;
    tpl.m_Offsets.AddPoint(Point("Hub", 1.0, 2.0, 3.0));
    tpl.m_Reflectors.AddPoint(Point("R1", -4.0, 4.0, 0.5));
    tpl.m_Reflectors.AddPoint(Point("R2", 4.0, 4.0, 0.5));
    tpl.m_Beacons.AddPoint(Point("B1", 0.0, -6.0, 1.0));
    tpl.Save();

    // Defaults throughout, no antennas (so no "[Antenna]" line at all) and no outline file
    // (so no display-settings file).
    std::vector<const char*> lines = {"Active = 0",
                                       "Primary GPS = 0",
                                       "Primary MRU = 0",
                                       "Trk Pt Type = 0",
                                       "Trk Pt No = 0",
                                       "Trk Pt Symbol Size = 2",
                                       "Waypoint File Index = 0",
                                       "Waypoint no = 0",
                                       "Waypoint Colour = 65535",
                                       "Enable Trail = 0",
                                       "Show Trail = 0",
                                       "Trail Colour = 255",
                                       "Max Trail Size = 500",
                                       "Show = 1",
                                       "Outline File = ",
                                       "Outline Colour = 0",
                                       "Outline Size = 1",
                                       "Outline Style = 0",
                                       "Outline Fill = 0",
                                       "Shadow Colour = 8421504",
                                       "Shadow Size = 1",
                                       "Shadow Style = 0",
                                       "Shadow Fill = 0",
                                       "Length A = 0.000",
                                       "Length B = 0.000",
                                       "Width A = 0.000",
                                       "Width B = 0.000",
                                       "True Alignment = 0.000",
                                       "North Up = 1",
                                       "Nautical Miles = 0",
                                       "Display Labels = 1",
                                       "Label Rings = 1",
                                       "Cardinal Colour = 0",
                                       "Text Colour = 0",
                                       "Draw Zone Lines = 0",
                                       "Start Zone Line = 0.000",
                                       "Stop Zone Line = 0.000",
                                       "Zone Line Colour = 255",
                                       "Shape Box = 0",
                                       "Box Size X = 10.000",
                                       "Box Size Y = 10.000",
                                       "Draw Rings = 1",
                                       "No Rings = 5",
                                       "Radius Metres = 10.000",
                                       "Radius NM = 0.100",
                                       "Ring Colour = 8421504",
                                       "[Offsets]",
                                       "Hub, 0, 1.000, 2.000, 3.000, 0, 0, 0, 0, 0.000, 0.000",
                                       "Heading Tolerance = 1.000",
                                       "Pitch Tolerance = 1.000",
                                       "Roll Tolerance = 1.000",
                                       "Depth Tolerance = 0.500",
                                       "SailLine File Index = 0",
                                       "SailLine no = 0",
                                       "Sail Line Colour = 16711680",
                                       "[Reflectos]",
                                       "R1, 0, -4.000, 4.000, 0.500, 0, 0, 0, 0, 0.000, 0.000",
                                       "R2, 0, 4.000, 4.000, 0.500, 0, 0, 0, 0, 0.000, 0.000",
                                       "[Beacons]",
                                       "B1, 0, 0.000, -6.000, 1.000, 0, 0, 0, 0, 0.000, 0.000"};
    const QByteArray actual = ReadBytes("C:\\MyData\\Vessel\\Manifold.TPL");
    EXPECT_EQ(actual, Lines(lines)) << actual.constData();
    EXPECT_FALSE(Exists(InSettings(".DXI")));

    // The positioning pane's choices persist through the same writer: the primary CRP source
    // and the primary MRU, and nothing else of the file changes.
    tpl.m_PrimaryGps = 3;
    tpl.m_PrimaryMru = 1;
    tpl.m_Positions[3] = tagXY{500010.0, 6000020.0};
    tpl.m_GpsHeading = 44.0;
    tpl.Save();
    lines[1] = "Primary GPS = 3";
    lines[2] = "Primary MRU = 1";
    const QByteArray changed = ReadBytes("C:\\MyData\\Vessel\\Manifold.TPL");
    EXPECT_EQ(changed, Lines(lines)) << changed.constData();
}

TEST(VesselFiles, ReadBackWhatWasWritten)
{
    CBarge saved;
    FillBarge(saved);
    saved.Save();

    CGridWaypointList waypoints;
    waypoints.Add(WaypointFile("C:\\w.txt", {{1, 2, 0, "a", 0}}));
    CBarge read;
    read.m_Name = "Barge 7";
    read.m_pWaypointList = &waypoints;
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_Draft, 4.25);
    EXPECT_EQ(read.m_WaterLineToZero, 1.5);
    EXPECT_EQ(read.m_PrimaryMru, 2);
    EXPECT_EQ(read.m_TrkPtType, TP_LEG);
    EXPECT_EQ(read.m_MaxTrailSize, 1000);
    EXPECT_FALSE(read.m_bShowOutline);
    EXPECT_STREQ(read.m_OutlineFile, "C:\\Outlines\\Barge,7.dxf");
    EXPECT_EQ(read.m_OutlineFill, -1);
    EXPECT_EQ(read.m_WidthB, 12.25);
    EXPECT_EQ(read.m_PlotOptions.StopZoneLine, 135.5);
    EXPECT_EQ(read.m_PlotOptions.RingColour, 12632256u);
    EXPECT_EQ(read.m_DepthTolerance, 0.1);
    EXPECT_EQ(read.m_SailLineNo, 12);
    EXPECT_EQ(read.m_SailLineColour, 16776960u);
    // The target heading gives the grid heading; the stored waypoint index 4 is past the one
    // file the list holds, so the last file is taken.
    EXPECT_EQ(read.m_GridHeading, 217.25);
    EXPECT_EQ(read.m_WaypointFileIndex, 0);
    EXPECT_TRUE(read.m_bTargetValid);

    ASSERT_EQ(read.m_Antennas.GetSize(), 2);
    const TrackingPointDef* gps = read.m_Antennas[0];
    EXPECT_STREQ(gps->Name, "DGPS 1");
    EXPECT_TRUE(gps->Flag);
    EXPECT_EQ(gps->X, -2.5);
    EXPECT_EQ(gps->Z, 15.25);
    EXPECT_EQ(gps->Value32, -7);
    EXPECT_EQ(gps->Value16[2], -3);
    EXPECT_EQ(gps->Extra[1], 1234.568);
    EXPECT_EQ(read.m_Offsets.GetSize(), 0);
    ASSERT_EQ(read.m_Cranes.GetSize(), 1);
    EXPECT_STREQ(read.m_Cranes[0]->Name, "Crane, Main");
    EXPECT_EQ(read.m_ClumpWeights.GetSize(), 0);
    ASSERT_EQ(read.m_Transducers.GetSize(), 1);
    EXPECT_STREQ(read.m_Transducers[0]->Name, "");
    EXPECT_EQ(read.m_Transducers[0]->Z, -4.0);
    EXPECT_TRUE(read.m_bDeclutter);

    // A file written before the declutter choice was kept loads with declutter off.
    const char* path = "C:\\MyData\\Vessel\\Barge 7.VSL";
    QByteArray older = ReadBytes(path);
    ASSERT_TRUE(older.endsWith("Declutter = 1\r\n"));
    older.chop(static_cast<int>(sizeof("Declutter = 1\r\n") - 1));
    WriteBytes(path, older);
    CBarge before;
    before.m_Name = "Barge 7";
    before.m_bDeclutter = true;
    ASSERT_TRUE(before.Load());
    EXPECT_FALSE(before.m_bDeclutter);
    EXPECT_EQ(before.m_SailLineColour, 16776960u);

    CBarge missing;
    missing.m_Name = "No Such Barge";
    missing.m_Draft = 3.0;
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.m_Draft, 3.0);
}

TEST(VesselFiles, NothingIsWrittenWithoutANameOrAFolder)
{
    CBarge unnamed;
    unnamed.Save();
    EXPECT_FALSE(Exists("C:\\MyData\\Vessel\\.VSL"));

    // A file where the data folder should be: the vessel file cannot be made, and that is
    // no error.
    WriteBytes("C:\\MyData\\Vessel", "not a folder");
    CTemplate tpl;
    tpl.m_Name = "T";
    tpl.Save();
    EXPECT_EQ(ReadBytes("C:\\MyData\\Vessel"), QByteArray("not a folder"));
}

TEST(VesselFiles, RunTimeStateNeverReachesTheFilesAndTheyRewriteByteForByte)
{
    // Each object is saved, its run-time state set, saved again, then read into a fresh
    // object and saved once more: the three files are one.
    auto roundTrip = [](CTrackObject& saved, CTrackObject& read, const char* path, auto setRunTime) {
        saved.Save();
        const QByteArray golden = ReadBytes(path);
        ASSERT_FALSE(golden.isEmpty()) << path;
        setRunTime();
        saved.Save();
        EXPECT_EQ(ReadBytes(path), golden) << path;
        read.m_Name = saved.m_Name;
        ASSERT_TRUE(read.Load());
        read.Save();
        EXPECT_EQ(ReadBytes(path), golden) << path;
    };

    CBarge barge, bargeRead;
    FillBarge(barge);
    barge.m_ClumpWeights.AddPoint(Point("CW 1", 0.0, -30.0, 0.0));
    roundTrip(barge, bargeRead, "C:\\MyData\\Vessel\\Barge 7.VSL", [&barge] {
        barge.m_Position = tagXY{452000.0, 6231000.0};
        barge.m_Heading = 90.0;
        barge.m_OutlineMode = 3;
        barge.m_OutlineShape.Add(OutlinePointDef{0, 1.0, 2.0});
        barge.m_bTargetDisplay = true;
        barge.m_TargetMode = 4;
        barge.m_Trail.Add(tagXY{1.0, 2.0});
        barge.m_DroppedClumpWeights.Add(DroppedClumpWeightDef{10.0, 20.0, 1});
        barge.m_DividerStart = tagXY{3.0, 4.0};
        barge.m_Antennas[0]->Position = tagXY{5.0, 6.0};
        barge.m_Antennas[0]->Companion.Enabled = true;
        barge.m_GpsHeading = 33.0;
        barge.m_TargetRange = 120.0;
        barge.m_TargetBearing = 270.0;
        barge.m_CrpKp = 1.5;
        barge.m_CrpDcc = -2.0;
        barge.m_PositionX = 4.0;
    });

    CTemplate tpl, tplRead;
    tpl.m_Name = "Manifold";
    tpl.m_Reflectors.AddPoint(Point("R1", -4.0, 4.0, 0.5));
    roundTrip(tpl, tplRead, "C:\\MyData\\Vessel\\Manifold.TPL", [&tpl] {
        tpl.m_Positions[2] = tagXY{7.0, 8.0};
        tpl.m_TotalStationHeading = 12.0;
        tpl.m_BaselineObserved = 3.0;
        tpl.m_Heading = 45.0;
    });
}

TEST(TrackObject, RunTimeDefaultsAndSelections)
{
    CBarge barge;
    EXPECT_EQ(barge.m_Heading, -1.0);
    EXPECT_FALSE(barge.HasHeading());
    barge.m_Heading = 0.0;
    EXPECT_TRUE(barge.HasHeading());

    // The pens come from the stored outline and shadow settings.
    barge.m_OutlineStyle = 2;
    barge.m_OutlineSize = 3;
    barge.m_OutlineColour = 0x123456;
    barge.m_OutlineFill = -1;
    const tagPen outline = barge.GetOutlinePen();
    EXPECT_EQ(outline.nStyle, 2);
    EXPECT_EQ(outline.nThickness, 3);
    EXPECT_EQ(outline.Colour, 0x123456u);
    EXPECT_EQ(outline.nFill, -1);
    EXPECT_EQ(barge.GetShadowPen().Colour, 0x808080u);

    CTemplate tpl;
    tpl.m_Positions[4] = tagXY{1.0, 2.0};
    const struct
    {
        int index;
        double e;
    } cases[] = {{4, 1.0}, {0, 0.0}, {5, 0.0}, {-1, 0.0}};
    for (const auto& c : cases)
    {
        tpl.m_PrimaryGps = c.index;
        EXPECT_EQ(tpl.GetSelectedPosition().x, c.e) << c.index;
    }
}

TEST(TrackingPoint, DrawingFieldsTakeTheSpareFieldsOfTheLine)
{
    TrackingPointDef point = Point("Prism", 1.0, 2.0, 3.0);
    point.SetEnabled(true);
    point.SetColour(0x00C08040);
    point.SetSymbol(18);
    point.SetSymbolSize(4);
    point.SetLabelPosition(2);
    point.SetRadius(12.5);
    EXPECT_EQ(point.FormatLine(), CString("Prism, 1, 1.000, 2.000, 3.000, 12615744, 18, 4, 2, 12.500, 0.000"));

    // Reading the line back keeps what the host computed for the point.
    TrackingPointDef read;
    read.Position = tagXY{9.0, 8.0};
    read.Companion.Label = "GPS";
    ASSERT_TRUE(read.ParseLine(point.FormatLine()));
    EXPECT_TRUE(read.IsEnabled());
    EXPECT_EQ(read.GetColour(), 0x00C08040u);
    EXPECT_EQ(read.GetSymbol(), 18);
    EXPECT_EQ(read.GetSymbolSize(), 4);
    EXPECT_EQ(read.GetLabelPosition(), 2);
    EXPECT_EQ(read.GetRadius(), 12.5);
    EXPECT_EQ(read.Position.x, 9.0);
    EXPECT_STREQ(read.Companion.Label, "GPS");

    // A colour with its top byte set survives the signed 32-bit field.
    point.SetColour(0xFF000001);
    ASSERT_TRUE(read.ParseLine(point.FormatLine()));
    EXPECT_EQ(read.GetColour(), 0xFF000001u);
}

TEST(TrackObject, ActiveReceiverFallsBackPastSilentOnes)
{
    CBarge vessel;
    TrackingPointDef antenna = Point("GPS", 0.0, 0.0);
    antenna.SetEnabled(true);
    for (int i = 0; i < 3; ++i)
        vessel.m_Antennas.AddPoint(antenna);
    CGps gps[3];
    CArray<CGps*, CGps*> receivers;
    for (CGps& g : gps)
    {
        g.Restart();
        g.m_AntennaEasting = 500.0;
        g.m_PositionQuality = 2;
        receivers.Add(&g);
    }
    vessel.m_PrimaryGps = 1;
    EXPECT_EQ(vessel.SelectActiveGps(&receivers), 1);

    // The primary silent: the first other live one, and the primary's last fix is cleared.
    gps[1].m_TimedOut = 1;
    EXPECT_EQ(vessel.SelectActiveGps(&receivers), 0);
    EXPECT_EQ(gps[1].m_AntennaEasting, 0.0);
    EXPECT_EQ(gps[1].m_PositionQuality, -1);
    EXPECT_EQ(gps[0].m_AntennaEasting, 500.0);

    // A disabled antenna is passed over; a receiver silent longer than its limit is too.
    vessel.m_Antennas[0]->SetEnabled(false);
    EXPECT_EQ(vessel.SelectActiveGps(&receivers), 2);
    gps[2].m_StartTime -= gps[2].m_Limit + 1.0;
    EXPECT_EQ(vessel.SelectActiveGps(&receivers), 1); // none live: the primary
    EXPECT_EQ(gps[2].m_PositionQuality, -1);

    // No receivers, or a primary index outside them: the index as it is, nothing touched.
    gps[0].m_TimedOut = 1;
    gps[0].m_AntennaEasting = 7.0;
    for (int primary : {-1, 3})
    {
        vessel.m_PrimaryGps = primary;
        EXPECT_EQ(vessel.SelectActiveGps(&receivers), primary);
    }
    vessel.m_PrimaryGps = 0;
    EXPECT_EQ(vessel.SelectActiveGps(nullptr), 0);
    EXPECT_EQ(gps[0].m_AntennaEasting, 7.0);
}

TEST(TrackObject, TrailCopiesAndSelfAssignmentKeepsIt)
{
    CTrail trail;
    trail.Add(tagXY{1.0, 2.0});
    trail.Add(tagXY{3.0, 4.0});
    CTrail copy;
    copy.Add(tagXY{9.0, 9.0});
    copy = trail;
    ASSERT_EQ(copy.GetSize(), 2);
    EXPECT_EQ(copy[1].y, 4.0);
    copy[0].x = 5.0;
    EXPECT_EQ(trail[0].x, 1.0);
    CTrail& same = copy;
    copy = same;
    ASSERT_EQ(copy.GetSize(), 2);
    EXPECT_EQ(copy[0].x, 5.0);
}

namespace
{
// Range and bearing between two of the template's CRP sources: grid bearings clockwise from
// north, so the expected bearing is atan2(dE, dN) taken into [0, 360).
TEST(TemplateCrp, RangeAndBearingFromThePrimarySource)
{
    const double kDeg = 180.0 / M_PI;
    const struct
    {
        const char* what;
        int primary;
        int other;
        tagXY a;
        tagXY b;
        double range;
        double bearing;
    } cases[] = {
        {"no primary position", 0, 1, {0.0, 0.0}, {5.0, 5.0}, 0.0, 0.0},
        {"no other position", 0, 1, {5.0, 5.0}, {0.0, 0.0}, 0.0, 0.0},
        {"due north", 0, 1, {1.0, 0.0}, {1.0, 10.0}, 10.0, 0.0},
        {"north-east", 2, 3, {100.0, 100.0}, {103.0, 104.0}, 5.0, std::atan2(3.0, 4.0) * kDeg},
        {"south-east", 1, 4, {100.0, 100.0}, {104.0, 97.0}, 5.0, std::atan2(4.0, -3.0) * kDeg},
        {"south-west", 4, 0, {100.0, 100.0}, {97.0, 96.0}, 5.0, std::atan2(-3.0, -4.0) * kDeg + 360.0},
        {"north-west", 3, 2, {100.0, 100.0}, {96.0, 103.0}, 5.0, std::atan2(-4.0, 3.0) * kDeg + 360.0},
        {"other source beyond the table", 0, 7, {1.0, 1.0}, {2.0, 2.0}, 0.0, 0.0},
        {"other source negative", 0, -1, {1.0, 1.0}, {2.0, 2.0}, 0.0, 0.0},
        {"primary source beyond the table", 5, 1, {1.0, 1.0}, {2.0, 2.0}, 0.0, 0.0},
    };
    for (const auto& c : cases)
    {
        CTemplate tpl;
        for (tagXY& p : tpl.m_Positions)
            p = tagXY{1.0, 1.0};
        tpl.m_PrimaryGps = c.primary;
        if (c.primary >= 0 && c.primary < CTemplate::kPositionSources)
            tpl.m_Positions[c.primary] = c.a;
        if (c.other >= 0 && c.other < CTemplate::kPositionSources)
            tpl.m_Positions[c.other] = c.b;
        const auto [range, bearing] = tpl.GetCrpRangeBearing(c.other);
        EXPECT_NEAR(range, c.range, 1e-9) << c.what;
        EXPECT_NEAR(bearing, c.bearing, 1e-7) << c.what;
    }
}
} // namespace
