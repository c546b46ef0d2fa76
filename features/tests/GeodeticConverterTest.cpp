#include "features/GeodeticConverter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
const double kDegreeRad = CProjection::DEG_TO_RAD;

// Rows of the built-in spheroid table.
const int kAiry = 0;
const int kGrs80 = 17;
const int kInternational = 20;
const int kPlessis = 23; // on no national grid
const int kWgs84 = 26;

// The UTM grid 31 as SetZone makes it, with usable constants.
void ExpectUtm31(CProjection& p)
{
    EXPECT_EQ(p.m_DataType, 0);
    EXPECT_EQ(p.m_Zone, 31);
    EXPECT_EQ(p.m_Name, "Grid Zone 31 (3\xB0 E)");
    EXPECT_NEAR(p.m_OriginLongitude, 3.0 * kDegreeRad, 1e-12);
    EXPECT_EQ(p.m_FalseEasting, 500000.0);
    EXPECT_EQ(p.m_ScaleFactor, 0.9996);
    double e = 0.0, n = 0.0;
    ASSERT_TRUE(p.GeographicToGrid(52.0 * kDegreeRad, 3.0 * kDegreeRad, &e, &n));
    EXPECT_NEAR(e, 500000.0, 1e-6);
    EXPECT_GT(n, 5700000.0);
}
} // namespace

TEST(GeodeticConverter, StartsGridToGridOnWgs84)
{
    CGeodeticConverter c;
    EXPECT_EQ(c.m_Spheroid.m_TableIndex, kWgs84);
    EXPECT_EQ(c.m_ToSpheroid.m_TableIndex, kWgs84);
    EXPECT_EQ(c.m_ToSpheroid.m_Name, "WGS84");
    EXPECT_EQ(c.m_Spheroid.m_DistanceMethod, 0);
    EXPECT_EQ(c.m_ToSpheroid.m_DistanceMethod, 0);
    EXPECT_EQ(c.m_Projection.m_pSpheroid, &c.m_Spheroid);
    EXPECT_EQ(c.m_ToProjection.m_pSpheroid, &c.m_ToSpheroid);
    ExpectUtm31(c.m_Projection);
    // The "to" grid is entry 1 of the national grids.
    EXPECT_EQ(c.m_ToProjection.m_DataType, 1);
    EXPECT_EQ(c.m_ToProjection.m_Zone, 1);
    EXPECT_EQ(c.m_ToProjection.m_Name, "OSGRS80 Grid");
    EXPECT_EQ(c.m_pLinkedSpheroid, nullptr);
    EXPECT_EQ(c.m_pLinkedProjection, nullptr);
    EXPECT_EQ(c.m_Method, 0);
    EXPECT_EQ(c.m_Flag, 1);
    EXPECT_TRUE(c.m_DatumName.IsEmpty());
}

TEST(GeodeticConverter, GridToGridCopiesTheFromSpheroidToTheLinkedOne)
{
    CGeodeticConverter c;
    c.m_Tx = 1.0;
    c.m_Ry = 2.0;
    c.m_Ds = 3.0;
    ASSERT_TRUE(c.m_Spheroid.SetFromTable(kInternational));
    CSpheroid linked;
    CProjection linkedGrid;
    linkedGrid.SetSpheroid(&linked);
    c.Link(&linked, &linkedGrid);

    EXPECT_TRUE(c.SetDatum(7, 0, 5));
    EXPECT_EQ(c.m_Method, 0);
    EXPECT_EQ(c.m_Flag, 5);
    EXPECT_EQ(c.m_DatumName, "Grid To Grid");
    EXPECT_EQ(c.m_FromName, "International Spheroid");
    EXPECT_EQ(c.m_ToName, "International Spheroid");
    for (double p : {c.m_Tx, c.m_Ty, c.m_Tz, c.m_Rx, c.m_Ry, c.m_Rz, c.m_Ds})
        EXPECT_EQ(p, 0.0);
    EXPECT_EQ(linked.m_Name, "International Spheroid");
    EXPECT_EQ(linked.m_Country, "(Hayford 1910)");
    EXPECT_EQ(linked.m_SemiMajor, 6378388.0);
    EXPECT_EQ(linked.m_InverseFlattening, 297.0);
    EXPECT_EQ(linked.m_Code, 7022);
    // Its constants follow the new axes.
    EXPECT_NEAR(linked.m_E2, 2.0 / 297.0 - 1.0 / (297.0 * 297.0), 1e-15);

    // Without a link only the texts and parameters change.
    CGeodeticConverter alone;
    EXPECT_TRUE(alone.SetDatum(0, 0, 1));
    EXPECT_EQ(alone.m_FromName, "WGS84");
    EXPECT_TRUE(alone.m_ToName.IsEmpty());
}

TEST(GeodeticConverter, OtherMethodsAreRefusedAndLeaveTheTexts)
{
    CGeodeticConverter c;
    ASSERT_TRUE(c.SetDatum(0, 0, 1));
    c.m_Tx = 9.0;
    for (int method : {1, 3, 9, -1})
    {
        EXPECT_FALSE(c.SetDatum(0, method, 1)) << method;
        EXPECT_EQ(c.m_Method, method);
        EXPECT_EQ(c.m_DatumName, "Grid To Grid");
        EXPECT_EQ(c.m_FromName, "WGS84");
        EXPECT_EQ(c.m_Tx, 9.0);
        double lat = 0.0;
        EXPECT_FALSE(c.ConvertGeographic(0.9, 0.05, 10.0, &lat, nullptr, nullptr, 1));
        EXPECT_EQ(lat, 0.0);
    }
    // Grid to grid passes the geographic position through, either way.
    ASSERT_TRUE(c.SetDatum(0, 0, 1));
    double lat = 0.0, lon = 0.0, h = 0.0;
    EXPECT_TRUE(c.ConvertGeographic(0.9, 0.05, 10.0, &lat, &lon, &h, -1));
    EXPECT_EQ(lat, 0.9);
    EXPECT_EQ(lon, 0.05);
    EXPECT_EQ(h, 10.0);
}

TEST(GeodeticConverter, ZoneFollowsItsSpheroid)
{
    CSpheroid spheroid;
    CProjection grid;
    grid.SetSpheroid(&spheroid);

    // A UTM zone suits every spheroid.
    ASSERT_TRUE(spheroid.SetFromTable(kAiry));
    EXPECT_TRUE(CGeodeticConverter::MatchZoneToSpheroid(grid));
    ExpectUtm31(grid);

    // The British grid is on Airy: kept while the spheroid is Airy.
    ASSERT_TRUE(grid.SetZone(0, 1, 0));
    EXPECT_EQ(spheroid.m_TableIndex, kAiry);
    EXPECT_TRUE(CGeodeticConverter::MatchZoneToSpheroid(grid));
    EXPECT_EQ(grid.m_Name, "Ordnance Survey");

    // On the International spheroid the first national grid on it is taken.
    ASSERT_TRUE(spheroid.SetFromTable(kInternational));
    EXPECT_FALSE(CGeodeticConverter::MatchZoneToSpheroid(grid));
    EXPECT_EQ(grid.m_DataType, 1);
    EXPECT_EQ(grid.m_Zone, 4);
    EXPECT_EQ(grid.m_Name, "Shell North Sea");
    EXPECT_EQ(spheroid.m_TableIndex, kInternational);

    // GRS80: entry 1.
    ASSERT_TRUE(spheroid.SetFromTable(kGrs80));
    EXPECT_FALSE(CGeodeticConverter::MatchZoneToSpheroid(grid));
    EXPECT_EQ(grid.m_Zone, 1);
    EXPECT_EQ(grid.m_Name, "OSGRS80 Grid");
}

TEST(GeodeticConverter, ZoneOnNoGridOfItsSpheroidFallsBackToUtm31)
{
    // No national grid lies on Plessis 1817: the grid becomes UTM zone 31 with all its
    // parameters, not a refused zone that keeps the old grid's.
    CSpheroid spheroid;
    CProjection grid;
    grid.SetSpheroid(&spheroid);
    ASSERT_TRUE(grid.SetZone(0, 1, 0));
    ASSERT_EQ(grid.m_FalseNorthing, -100000.0);
    ASSERT_TRUE(spheroid.SetFromTable(kPlessis));
    EXPECT_FALSE(CGeodeticConverter::MatchZoneToSpheroid(grid));
    ExpectUtm31(grid);
    EXPECT_EQ(grid.m_FalseNorthing, 0.0);
    EXPECT_EQ(spheroid.m_TableIndex, kPlessis);

    // The same through SetDatum, on the linked grid.
    CGeodeticConverter c;
    ASSERT_TRUE(c.m_Spheroid.SetFromTable(kPlessis));
    CSpheroid linked;
    CProjection linkedGrid;
    linkedGrid.SetSpheroid(&linked);
    ASSERT_TRUE(linkedGrid.SetZone(4, 1, 0));
    c.Link(&linked, &linkedGrid);
    EXPECT_TRUE(c.SetDatum(0, 0, 1));
    EXPECT_EQ(linked.m_Name, "Plessis 1817");
    ExpectUtm31(linkedGrid);
}

TEST(GeodeticConverter, UtmZoneNames)
{
    struct
    {
        int zone;
        const char* name;
    } cases[] = {
        {31, "Grid Zone 31 (3\xB0 E)"},   {30, "Grid Zone 30 (3\xB0 W)"}, {1, "Grid Zone  1 (177\xB0 W)"},
        {60, "Grid Zone 60 (177\xB0 E)"}, {32, "Grid Zone 32 (9\xB0 E)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetUtmZoneName(c.zone), c.name) << c.zone;
}
