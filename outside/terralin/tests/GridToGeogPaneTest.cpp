// The grid-to-geographicals pane driven as a surveyor would: a grid position typed gives the
// projection engine's latitude and longitude, convergence and scale; a geographic position
// typed gives the grid; texts that cannot be read leave the position alone; the user's
// formats and a new projection are taken up when the program says so.
#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/panes/settings/GridSettings.h"
#include "outside/terralin/GridToGeogPane.h"
#include "outside/terralin/tests/PaneTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct GridToGeogFixture : ::testing::Test
{
    COwnerWindow owner;
    CSpheroid spheroid;
    CProjection projection;
    CGridToGeogPane pane;

    void SetUp() override
    {
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(31, 0, 0));
        ASSERT_TRUE(owner.Make());
        ASSERT_TRUE(pane.Create(&owner, 32786, &projection));
        pane.RefreshProjection();
    }
};
} // namespace

TEST_F(GridToGeogFixture, TypedGridGivesTheEnginesGeographicals)
{
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_PROJECTION), projection.m_Name);
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_SPHEROID), "WGS84");
    const struct
    {
        const char* easting;
        const char* northing;
        double e, n;
    } cases[] = {
        {"431000.25", "5411000.5", 431000.25, 5411000.5},
        {"699999", "1000", 699999.0, 1000.0},
        {"500000m", "9000000", 500000.0, 9000000.0}, // a unit after the number is allowed
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_EASTING, c.easting));
        ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_NORTHING, c.northing));
        double lat = 0, lon = 0, convergence = 0, scale = 0;
        ASSERT_TRUE(projection.GridToGeographic(c.e, c.n, &lat, &lon, &convergence, &scale));
        EXPECT_EQ(pane.GetLatitude(), lat) << c.easting;
        EXPECT_EQ(pane.GetLongitude(), lon) << c.easting;
        EXPECT_EQ(pane.GetConvergence(), convergence) << c.easting;
        EXPECT_EQ(pane.GetScaleFactor(), scale) << c.easting;
        EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_LATITUDE),
                     FormatAngle(lat, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
        EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_LONGITUDE),
                     FormatAngle(lon, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
    }
}

TEST_F(GridToGeogFixture, TypedGeographicalsGiveTheGridAndBadTextIsRefused)
{
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, "51 30 15.5 N"));
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_LONGITUDE, "1\xB0 20' 00\" E"));
    const double lat = (51.0 + 30.0 / 60.0 + 15.5 / 3600.0) * kDegree;
    const double lon = (1.0 + 20.0 / 60.0) * kDegree;
    EXPECT_NEAR(pane.GetLatitude(), lat, 1e-12);
    EXPECT_NEAR(pane.GetLongitude(), lon, 1e-12);
    double e = 0, n = 0;
    ASSERT_TRUE(projection.GeographicToGrid(pane.GetLatitude(), pane.GetLongitude(), &e, &n));
    EXPECT_EQ(pane.GetEasting(), e);
    EXPECT_EQ(pane.GetNorthing(), n);
    EXPECT_NEAR(e, 383817.0, 1000.0); // west of the zone's central meridian
    EXPECT_GT(pane.GetScaleFactor(), 0.9996);

    // A slip of the keyboard changes nothing.
    for (const char* bad : {"abc", "", "95 N", "95", "N", "S 10 N"})
    {
        EXPECT_FALSE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, bad)) << bad;
        EXPECT_NEAR(pane.GetLatitude(), lat, 1e-12) << bad;
        EXPECT_NE(pane.FindItem(CGridToGeogPane::ITEM_LATITUDE)->GetDescription().Find("refused"), -1) << bad;
    }
    // A latitude of 0 is a real one.
    for (const char* zero : {"0", "0 00 N", "-0"})
    {
        ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, "10 N"));
        EXPECT_TRUE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, zero)) << zero;
        EXPECT_EQ(pane.GetLatitude(), 0.0) << zero;
    }
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, "51 30 15.5 N"));
    EXPECT_FALSE(Type(pane, CGridToGeogPane::ITEM_EASTING, "east"));
    EXPECT_EQ(pane.GetEasting(), e);
}

TEST_F(GridToGeogFixture, UpdatesReformatAndRefreshRecomputes)
{
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_EASTING, "431000.25"));
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_NORTHING, "5411000.5"));
    const double lat = pane.GetLatitude(), convergence = pane.GetConvergence();

    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DEGREES, 4, 'N', 'E'));
    pane.UpdateGeographicals();
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_LATITUDE), FormatAngle(lat, ANGLE_LATITUDE, 2, 4));

    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_DMS, 1));
    pane.UpdateAngles();
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_CONVERGENCE),
                 FormatAngle(convergence, ANGLE_SIGNED, 0, 1));

    GridSettingsDef grid;
    grid.GridDecimals = 0;
    ASSERT_TRUE(SaveGridSettings(grid));
    pane.UpdateGrid();
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_EASTING), "431000");
    EXPECT_EQ(pane.GetEasting(), 431000.25); // the value itself is kept whole

    // The program moved the working projection to zone 32: the same grid is another place.
    ASSERT_TRUE(projection.SetZone(32, 0, 0));
    pane.RefreshProjection();
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_PROJECTION), projection.m_Name);
    double lat32 = 0, lon32 = 0;
    ASSERT_TRUE(projection.GridToGeographic(431000.25, 5411000.5, &lat32, &lon32));
    EXPECT_EQ(pane.GetLongitude(), lon32);
    EXPECT_NEAR(pane.GetLatitude(), lat, 1e-12);
}

TEST_F(GridToGeogFixture, DayAndNight)
{
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());
}

TEST_F(GridToGeogFixture, ShownTextGivenBackKeepsTheExactValueAndUnshownDigitsCount)
{
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_EASTING, "431000.25"));
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_NORTHING, "5411000.5"));
    const double lat = pane.GetLatitude();

    // An editor opened on the computed latitude and closed again: nothing moves.
    const CString shown = pane.GetShownText(CGridToGeogPane::ITEM_LATITUDE);
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_LATITUDE, shown));
    EXPECT_EQ(pane.GetLatitude(), lat);
    EXPECT_EQ(pane.GetEasting(), 431000.25);

    // A millimetre the two shown decimals hide still reaches the conversion.
    ASSERT_TRUE(Type(pane, CGridToGeogPane::ITEM_NORTHING, "5411000.503"));
    EXPECT_STREQ(pane.GetShownText(CGridToGeogPane::ITEM_NORTHING), "5411000.50");
    double expected = 0, lon = 0;
    ASSERT_TRUE(projection.GridToGeographic(431000.25, 5411000.503, &expected, &lon));
    EXPECT_EQ(pane.GetLatitude(), expected);
    EXPECT_NE(pane.GetLatitude(), lat);
}
