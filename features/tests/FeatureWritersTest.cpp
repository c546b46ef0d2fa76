// The writers of changed feature files: each writes a real file that its feature's reader
// reads back field by field, with golden bytes for one file each; the data orders without a
// layout, the emptied boundary and design route, and writes that cannot be made, which leave
// the old file as it was.
#include "features/Boundary.h"
#include "features/DesignRoute.h"
#include "features/FeatureWriters.h"
#include "features/GridWaypoint.h"
#include "features/Route.h"
#include "features/SailLine.h"
#include "features/Structure.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <string>

using namespace featuretest;

namespace
{
const char kWritersFolder[] = "C:\\MyData\\Survey\\";

// A file of the survey folder, which exists: the writers rewrite files that were loaded.
CString PathOf(const char* name)
{
    EXPECT_TRUE(CreateFolderPath(kWritersFolder));
    return CString(kWritersFolder) + name;
}

// What makes a write fail on any machine (root included): a folder where the temporary file
// of the rewrite has to go.
void BlockRewrite(const CString& path)
{
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows(path + ".new~")));
}

// Nothing but the file and the blocking folder: no half-written copy beside it.
void ExpectNoStrayFiles(const CString& path)
{
    const QFileInfo file(LinuxPathFromWindows(path));
    const QStringList names = file.dir().entryList({file.fileName() + "*"}, QDir::Files);
    EXPECT_EQ(names, QStringList{file.fileName()});
}

GridWaypointDef Waypoint(const char* name, double e, double n, double z, double radius)
{
    return GridWaypointDef{e, n, z, name, radius};
}
} // namespace

TEST(FeatureWriters, WaypointFileNameEastingNorthingToThreeDecimals)
{
    CGridWaypoint file;
    file.m_FilePath = PathOf("Targets.txt");
    file.m_DataOrder = GWP_NAME_ENG_NNG;
    file.Add(Waypoint("Wreck", 452000.5, 6231000.25, 12.0, 0.0));
    file.Add(Waypoint("Buoy, north", 452100.0, 6231100.0, 0.0, 0.0));
    file.Add(Waypoint("Two\r\nlines", 452200.0, 6231200.0, 0.0, 0.0));
    file.Add(Waypoint("", 452300.0, 6231300.0, 0.0, 0.0));
    ASSERT_TRUE(SaveWaypointFile(&file));
    EXPECT_EQ(ReadBytes(file.m_FilePath), "Wreck, 452000.500, 6231000.250\r\n"
                                          "Buoy\xAB"
                                          "COMMA>\xBB north, 452100.000, 6231100.000\r\n"
                                          "Two\xAB"
                                          "CR>\xBB\xAB"
                                          "LF>\xBBlines, 452200.000, 6231200.000\r\n"
                                          " , 452300.000, 6231300.000\r\n");

    CGridWaypoint read;
    ASSERT_TRUE(read.Load(file.m_FilePath));
    ASSERT_EQ(read.GetSize(), 4);
    EXPECT_EQ(std::string(read[1].Name), "Buoy, north");
    EXPECT_EQ(read[2].Northing, 6231200.0);
    EXPECT_EQ(std::string(read[3].Name), "Wpt 4");
}

TEST(FeatureWriters, WaypointFileInEveryDataOrderReadsBack)
{
    for (int order = 0; order < GWP_DATA_ORDER_COUNT; ++order)
    {
        SCOPED_TRACE(order);
        CGridWaypoint file;
        file.m_FilePath = PathOf("Obstructions.csv");
        file.m_DataOrder = order;
        file.m_Clearance = 12.5;
        file.m_RingColour = 0x123456;
        file.m_ZuduzuroMode = true;
        file.Add(Waypoint("Anchor block", 452000.125, 6231000.875, -45.5, 7.25));
        file.Add(Waypoint("Riser", 452010.0, 6231020.0, 3.0, 15.0));
        ASSERT_TRUE(SaveWaypointFile(&file));

        CGridWaypoint read;
        ASSERT_TRUE(read.Load(file.m_FilePath));
        EXPECT_EQ(read.m_DataOrder, order);
        EXPECT_EQ(read.m_Clearance, 12.5);
        EXPECT_EQ(read.m_RingColour, 0x123456u);
        EXPECT_TRUE(read.m_ZuduzuroMode);
        ASSERT_EQ(read.GetSize(), file.GetSize());
        for (INT_PTR i = 0; i < file.GetSize(); ++i)
        {
            EXPECT_EQ(read[i].Easting, file[i].Easting);
            EXPECT_EQ(read[i].Northing, file[i].Northing);
            EXPECT_EQ(read[i].Height, CGridWaypoint::HasHeight(order) ? file[i].Height : 0.0);
            EXPECT_EQ(read[i].Radius, CGridWaypoint::HasRadius(order) ? file[i].Radius : 0.0);
            if (CGridWaypoint::HasName(order))
            {
                EXPECT_EQ(std::string(read[i].Name), std::string(file[i].Name));
            }
        }
    }
}

TEST(FeatureWriters, FilesThatCannotBeWrittenKeepTheirBytes)
{
    CGridWaypoint waypoints;
    waypoints.m_FilePath = PathOf("Targets.txt");
    waypoints.Add(Waypoint("Wreck", 452000.0, 6231000.0, 0.0, 0.0));
    const QByteArray old = "old contents\r\n";
    WriteBytes(waypoints.m_FilePath, old);

    // A data order without a layout would write empty lines.
    waypoints.m_DataOrder = 12;
    EXPECT_FALSE(SaveWaypointFile(&waypoints));
    EXPECT_EQ(ReadBytes(waypoints.m_FilePath), old);

    // A folder that takes no new file.
    waypoints.m_DataOrder = GWP_ENG_NNG;
    BlockRewrite(waypoints.m_FilePath);
    EXPECT_FALSE(SaveWaypointFile(&waypoints));
    EXPECT_EQ(ReadBytes(waypoints.m_FilePath), old);
    ExpectNoStrayFiles(waypoints.m_FilePath);

    CBoundary boundary;
    boundary.LoadStatus(PathOf("Site.bnd"));
    boundary.Add(tagXY{1.0, 2.0});
    WriteBytes(boundary.m_FilePath, old);
    BlockRewrite(boundary.m_FilePath);
    EXPECT_FALSE(SaveBoundaryFile(&boundary));
    EXPECT_EQ(ReadBytes(boundary.m_FilePath), old);

    CDesignRoute route;
    route.LoadStatus(PathOf("Cable.txt"));
    RouteDef point;
    point.Position = {1.0, 2.0};
    route.Add(point);
    WriteBytes(route.m_FilePath, old);
    BlockRewrite(route.m_FilePath);
    EXPECT_FALSE(SaveDesignRouteFile(&route));
    EXPECT_EQ(ReadBytes(route.m_FilePath), old);

    EXPECT_FALSE(SaveWaypointFile(nullptr));
    EXPECT_FALSE(SaveSailLineFile(nullptr));
    EXPECT_FALSE(SaveRouteFile(nullptr));
    EXPECT_FALSE(SaveDesignRouteFile(nullptr));
    EXPECT_FALSE(SaveBoundaryFile(nullptr));
    EXPECT_FALSE(SaveStructureFile(nullptr));
}

TEST(FeatureWriters, SailLineFileWithItsCompanions)
{
    CSailLine file;
    file.LoadStatus(PathOf("Sail Plan.csv"));
    file.m_Status = false;
    file.m_Highlight = true;
    for (double offset : {0.0, 100.0})
    {
        SailLineDef line{};
        line.Start = {452000.0 + offset, 6231000.0};
        line.End = {452000.0 + offset, 6232000.5};
        file.Add(line);
    }
    ASSERT_TRUE(SaveSailLineFile(&file));
    EXPECT_EQ(ReadBytes(file.m_FilePath), "452000.000, 6231000.000, 452000.000, 6232000.500\r\n"
                                          "452100.000, 6231000.000, 452100.000, 6232000.500\r\n");
    EXPECT_EQ(ReadBytes(InSettings("Sail_Plan_DATA_ORDER.INI")), "Data Order = 0\r\n");

    CSailLine read;
    ASSERT_TRUE(read.Load(file.m_FilePath));
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(read[1].Start.x, 452100.0);
    EXPECT_EQ(read[1].End.y, 6232000.5);
    EXPECT_NEAR(read[1].Leg.Length, 1000.5, 1e-9);
    EXPECT_FALSE(read.m_Status);
    EXPECT_TRUE(read.m_Highlight);

    // Only data order 0 has a layout: another keeps the file as it is.
    const QByteArray before = ReadBytes(file.m_FilePath);
    file.m_DataOrder = 1;
    file.RemoveAt(1);
    EXPECT_FALSE(SaveSailLineFile(&file));
    EXPECT_EQ(ReadBytes(file.m_FilePath), before);
}

TEST(FeatureWriters, RouteFileInItsDataOrder)
{
    CRoute route;
    route.LoadStatus(PathOf("Tie Line.csv"));
    route.m_DataOrder = ROUTE_NAME_ENG_NNG;
    for (const char* name : {"SOL", "Bend, east", "EOL"})
    {
        RouteDef p;
        p.Name = name;
        p.Position = {452000.0 + 10.0 * route.GetSize(), 6231000.0 + 500.0 * route.GetSize()};
        route.AppendPoint(p);
    }
    ASSERT_TRUE(SaveRouteFile(&route));
    EXPECT_EQ(ReadBytes(route.m_FilePath), "SOL, 452000.000, 6231000.000\r\n"
                                           "Bend\xAB"
                                           "COMMA>\xBB east, 452010.000, 6231500.000\r\n"
                                           "EOL, 452020.000, 6232000.000\r\n");
    CRoute read;
    ASSERT_TRUE(read.Load(route.m_FilePath));
    EXPECT_EQ(read.m_DataOrder, ROUTE_NAME_ENG_NNG);
    ASSERT_EQ(read.GetSize(), 3);
    for (INT_PTR i = 0; i < 3; ++i)
    {
        EXPECT_EQ(std::string(read[i].Name), std::string(route[i].Name));
        EXPECT_EQ(read[i].Position.x, route[i].Position.x);
        EXPECT_EQ(read[i].Position.y, route[i].Position.y);
        EXPECT_EQ(read[i].Leg.Bearing, route[i].Leg.Bearing);
    }
}

TEST(FeatureWriters, DesignRouteFileAndItsDeletion)
{
    CDesignRoute route;
    route.LoadStatus(PathOf("Export Cable.txt"));
    for (const tagXY& at : {tagXY{452000, 6231000}, tagXY{452000, 6232000}, tagXY{453000, 6232000.25}})
    {
        RouteDef p;
        p.Position = at;
        p.TurnRadius = route.GetSize() == 1 ? 250.0 : -5.0;
        route.AppendIntersectionPoint(p);
    }
    ASSERT_TRUE(SaveDesignRouteFile(&route));
    EXPECT_EQ(ReadBytes(route.m_FilePath), "452000.000, 6231000.000\r\n"
                                           "452000.000, 6232000.000, 250.000\r\n"
                                           "453000.000, 6232000.250\r\n");
    CDesignRoute read;
    ASSERT_TRUE(read.Load(route.m_FilePath));
    ASSERT_EQ(read.GetSize(), 3);
    for (INT_PTR i = 0; i < 3; ++i)
    {
        EXPECT_EQ(read[i].Position.x, route[i].Position.x);
        EXPECT_EQ(read[i].Position.y, route[i].Position.y);
        EXPECT_EQ(read[i].TurnRadius, route[i].TurnRadius > 0 ? route[i].TurnRadius : 0.0);
        EXPECT_EQ(read[i].Kp, route[i].Kp);
    }

    // Deleting intersection points down to none deletes the file.
    while (read.GetSize() > 1)
    {
        ASSERT_TRUE(read.RemoveIntersectionPoint(0));
        ASSERT_TRUE(SaveDesignRouteFile(&read));
        ASSERT_TRUE(Exists(read.m_FilePath));
    }
    ASSERT_TRUE(read.RemoveIntersectionPoint(0));
    EXPECT_TRUE(SaveDesignRouteFile(&read));
    EXPECT_FALSE(Exists(read.m_FilePath));
    EXPECT_TRUE(SaveDesignRouteFile(&read)); // no file is left either way
}

TEST(FeatureWriters, BoundaryFileAndItsLastVertex)
{
    CBoundary boundary;
    boundary.LoadStatus(PathOf("Site Limit.bnd"));
    boundary.Add(tagXY{452000.0, 6231000.0});
    boundary.Add(tagXY{452500.125, 6231000.0});
    boundary.Add(tagXY{452500.125, 6231600.0});
    ASSERT_TRUE(SaveBoundaryFile(&boundary));
    EXPECT_EQ(ReadBytes(boundary.m_FilePath), "452000.000, 6231000.000\r\n"
                                              "452500.125, 6231000.000\r\n"
                                              "452500.125, 6231600.000\r\n");
    CBoundary read;
    ASSERT_TRUE(read.Load(boundary.m_FilePath));
    ASSERT_EQ(read.GetSize(), 3);
    for (INT_PTR i = 0; i < 3; ++i)
    {
        EXPECT_EQ(read[i].x, boundary[i].x);
        EXPECT_EQ(read[i].y, boundary[i].y);
    }

    // The last vertex deleted: an empty file, and nothing comes back.
    read.RemoveAll();
    ASSERT_TRUE(SaveBoundaryFile(&read));
    EXPECT_TRUE(Exists(read.m_FilePath));
    EXPECT_EQ(ReadBytes(read.m_FilePath), QByteArray());
    CBoundary again;
    EXPECT_FALSE(again.Load(read.m_FilePath));
    EXPECT_EQ(again.GetSize(), 0);
}

TEST(FeatureWriters, StructureFileOfTwoStructures)
{
    CStructure structures;
    structures.LoadStatus(PathOf("Structures.dat"));
    StructureDef alpha;
    alpha.ShapeIndex = 2;
    alpha.Name = "Platform Alpha";
    alpha.Shape = "Jacket";
    alpha.Position = {452123.456, 6231987.654};
    alpha.Height = 35.5;
    alpha.Heading = 45.0;
    alpha.Length = 60.0;
    structures.Add(alpha);
    StructureDef second;
    second.Name = "Structure 2";
    second.Show = false;
    second.Position = {-12.3, -0.5};
    second.Heading = 360.0;
    structures.Add(second);
    ASSERT_TRUE(SaveStructureFile(&structures));
    // One empty line between the blocks, none after the last.
    EXPECT_EQ(ReadBytes(structures.m_FilePath), Fixture("struct_two.dat"));

    CStructure read;
    ASSERT_TRUE(read.Load(structures.m_FilePath));
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(std::string(read[0].Name), "Platform Alpha");
    EXPECT_EQ(read[0].ShapeIndex, 2);
    EXPECT_EQ(read[0].Position.y, 6231987.654);
    EXPECT_FALSE(read[1].Show);
    EXPECT_EQ(read[1].Heading, 360.0);
}
