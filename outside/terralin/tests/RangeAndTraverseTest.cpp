// Range and bearing between two typed positions against geodesics known independently of the
// pane's own computation, and a traverse of legs from a start point.
#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/panes/settings/GridSettings.h"
#include "outside/terralin/Geodesic.h"
#include "outside/terralin/RangeAndBearingPane.h"
#include "outside/terralin/TraversePane.h"
#include "outside/terralin/tests/PaneTestSupport.h"

#include <QFile>
#include <QList>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double kArcSecond = kDegree / 3600.0;
constexpr double kPi = 3.14159265358979323846;

double Dms(int d, int m, double s)
{
    return (d + m / 60.0 + s / 3600.0) * kDegree;
}

struct RangeFixture : ::testing::Test
{
    COwnerWindow owner;
    CSpheroid spheroid;
    CProjection projection;
    CRangeAndBearingPane pane;

    void Start(int spheroidRow, int zone, int hemisphere)
    {
        ASSERT_TRUE(spheroid.SetFromTable(spheroidRow));
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(zone, 0, hemisphere));
        ASSERT_TRUE(owner.Make());
        ASSERT_TRUE(pane.Create(&owner, 32788, &projection));
        pane.RefreshProjection();
    }
    void TypePoints(const char* lat1, const char* lon1, const char* lat2, const char* lon2)
    {
        using P = CRangeAndBearingPane;
        ASSERT_TRUE(Type(pane, P::ITEM_LATITUDE, lat1));
        ASSERT_TRUE(Type(pane, P::ITEM_LONGITUDE, lon1));
        ASSERT_TRUE(Type(pane, P::ITEM_LATITUDE + P::SECOND_POINT, lat2));
        ASSERT_TRUE(Type(pane, P::ITEM_LONGITUDE + P::SECOND_POINT, lon2));
    }
};
} // namespace

// The worked example of the national geodetic agency's Vincenty guide, on GRS80: Flinders
// Peak to Buninyong, 54 972.271 m, azimuth 306 52 05.37, reverse azimuth 127 10 25.07.
TEST_F(RangeFixture, PublishedGeodesicOnGrs80)
{
    Start(17, 55, 1);
    TypePoints("37 57 03.72030 S", "144 25 29.52440 E", "37 39 10.15610 S", "143 55 35.38390 E");
    EXPECT_NEAR(pane.GetGeodesicDistance(), 54972.271, 0.001);
    EXPECT_NEAR(pane.GetForwardAzimuth(), Dms(306, 52, 5.37), 0.01 * kArcSecond);
    EXPECT_NEAR(pane.GetReverseAzimuth(), Dms(127, 10, 25.07), 0.01 * kArcSecond);

    // The grid side: plane distance and bearing between the projection's own grid positions.
    double e1, n1, e2, n2;
    ASSERT_TRUE(projection.GeographicToGrid(-Dms(37, 57, 3.7203), Dms(144, 25, 29.5244), &e1, &n1));
    ASSERT_TRUE(projection.GeographicToGrid(-Dms(37, 39, 10.1561), Dms(143, 55, 35.3839), &e2, &n2));
    EXPECT_NEAR(pane.GetGridDistance(), std::hypot(e2 - e1, n2 - n1), 1e-6);
    EXPECT_NEAR(pane.GetGridBearing(), std::atan2(e2 - e1, n2 - n1) + 2.0 * kPi, 1e-9);
    // Grid and geodesic distances differ by the zone's scale, well under a part in a thousand.
    EXPECT_NEAR(pane.GetGridDistance() / pane.GetGeodesicDistance(), 1.0, 1e-3);
}

// Along the equator a geodesic is an arc of the equator; along a meridian it is the meridian
// arc of the spheroid's series.
TEST(GeodesicTest, EquatorAndMeridianArcs)
{
    CSpheroid wgs84;
    const double a = wgs84.m_SemiMajor, f = 1.0 / wgs84.m_InverseFlattening;
    double s, az1, az2;
    ASSERT_TRUE(GeodesicInverse(a, f, 0.0, 1.0 * kDegree, 0.0, 3.0 * kDegree, &s, &az1, &az2));
    EXPECT_NEAR(s, a * 2.0 * kDegree, 1e-4);
    EXPECT_NEAR(az1, kPi / 2.0, 1e-12);
    EXPECT_NEAR(az2, 3.0 * kPi / 2.0, 1e-12);

    const struct
    {
        double lat1, lat2;
    } meridians[] = {{10.0, 20.0}, {-45.0, 30.0}, {60.0, 89.0}};
    for (const auto& m : meridians)
    {
        ASSERT_TRUE(GeodesicInverse(a, f, m.lat1 * kDegree, 0.3, m.lat2 * kDegree, 0.3, &s, &az1, &az2));
        EXPECT_NEAR(s, wgs84.MeridionalArc(m.lat2 * kDegree) - wgs84.MeridionalArc(m.lat1 * kDegree), 1e-3)
            << m.lat1 << " to " << m.lat2;
        EXPECT_NEAR(az1, 0.0, 1e-12);
        EXPECT_NEAR(az2, kPi, 1e-12);
    }
    // The same point.
    ASSERT_TRUE(GeodesicInverse(a, f, 0.5, 0.5, 0.5, 0.5, &s, &az1, &az2));
    EXPECT_EQ(s, 0.0);
}

// Nearly antipodal pairs, where Vincenty's iteration settles late, wrongly or never, are
// answered within 0.1 mm of GeodSolve (tests/data/geod_antipodal_generate_fixtures.py).
TEST(GeodesicTest, NearlyAntipodalPairsAgreeWithGeodSolve)
{
    CSpheroid grs80;
    grs80.SetFromTable(17);
    const double a = grs80.m_SemiMajor, f = 1.0 / grs80.m_InverseFlattening;
    QFile file(SUITE_SOURCE_DIR "/outside/terralin/tests/data/geod_antipodal_grs80.csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    file.readLine();
    int pairs = 0;
    while (!file.atEnd())
    {
        const QList<QByteArray> v = file.readLine().trimmed().split(',');
        ASSERT_EQ(v.size(), 7);
        double s = -1, az1 = -1, az2 = -1;
        ASSERT_TRUE(GeodesicInverse(a, f, v[0].toDouble() * kDegree, v[1].toDouble() * kDegree,
                                    v[2].toDouble() * kDegree, v[3].toDouble() * kDegree, &s, &az1, &az2))
            << v[0].constData() << " " << v[1].constData();
        EXPECT_NEAR(s, v[6].toDouble(), 1e-4) << v[0].constData() << " " << v[1].constData();
        // GeodSolve gives the heading at the second point; the reverse azimuth is its opposite.
        const double forward = std::remainder(az1 - v[4].toDouble() * kDegree, 2 * kPi);
        const double reverse = std::remainder(az2 - v[5].toDouble() * kDegree - kPi, 2 * kPi);
        EXPECT_NEAR(forward, 0.0, 1e-9);
        EXPECT_NEAR(reverse, 0.0, 1e-9);
        ++pairs;
    }
    EXPECT_EQ(pairs, 65);
}

TEST_F(RangeFixture, UpdatesReformatResultsAndGridPointsConvert)
{
    Start(26, 31, 0);
    using P = CRangeAndBearingPane;
    ASSERT_TRUE(Type(pane, P::ITEM_EASTING, "500000"));
    ASSERT_TRUE(Type(pane, P::ITEM_NORTHING, "5500000"));
    ASSERT_TRUE(Type(pane, P::ITEM_EASTING + P::SECOND_POINT, "501000"));
    ASSERT_TRUE(Type(pane, P::ITEM_NORTHING + P::SECOND_POINT, "5501000"));
    EXPECT_NEAR(pane.GetGridDistance(), std::sqrt(2.0) * 1000.0, 1e-9);
    EXPECT_NEAR(pane.GetGridBearing(), kPi / 4.0, 1e-12);
    // On the central meridian the scale is 0.9996: the ground is a little longer.
    EXPECT_NEAR(pane.GetGeodesicDistance(), pane.GetGridDistance() / 0.9996, 0.05);

    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_DEGREES, 3));
    pane.UpdateAngles();
    EXPECT_STREQ(pane.GetShownText(P::ITEM_GRID_BEARING), "045\xB0.000");
    GridSettingsDef units;
    units.Units = GRID_UNITS_INTERNATIONAL_FEET;
    units.DistanceDecimals = 1;
    ASSERT_TRUE(SaveGridSettings(units));
    pane.UpdateGrid();
    EXPECT_STREQ(pane.GetShownText(P::ITEM_GRID_DISTANCE), "4639.8ft");
}

namespace
{
struct TraverseFixture : ::testing::Test
{
    COwnerWindow owner;
    CSpheroid spheroid;
    CProjection projection;
    CTraversePane pane;

    void SetUp() override
    {
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(31, 0, 0));
        ASSERT_TRUE(owner.Make());
        ASSERT_TRUE(pane.Create(&owner, 32789, &projection));
        pane.RefreshProjection();
    }
};
} // namespace

TEST_F(TraverseFixture, LegsFromTheStartGiveTheEndPoint)
{
    using P = CTraversePane;
    ASSERT_TRUE(Type(pane, P::ITEM_START_EASTING, "450000"));
    ASSERT_TRUE(Type(pane, P::ITEM_START_NORTHING, "5600000"));
    ASSERT_TRUE(Type(pane, P::ITEM_LEG_COUNT, "3"));
    ASSERT_EQ(pane.GetLegCount(), 3);
    const struct
    {
        const char* bearing;
        const char* distance;
    } legs[] = {{"90", "1000"}, {"180 00 00", "500"}, {"315", "100"}};
    for (int i = 0; i < 3; ++i)
    {
        // The end is there only once every leg is.
        EXPECT_EQ(pane.GetEndEasting(), DBL_MAX);
        ASSERT_TRUE(Type(pane, P::LegItem(i, P::LEG_BEARING), legs[i].bearing));
        ASSERT_TRUE(Type(pane, P::LegItem(i, P::LEG_DISTANCE), legs[i].distance));
    }
    const double e = 450000.0 + 1000.0 - 100.0 * std::sqrt(0.5);
    const double n = 5600000.0 - 500.0 + 100.0 * std::sqrt(0.5);
    EXPECT_NEAR(pane.GetEndEasting(), e, 1e-6);
    EXPECT_NEAR(pane.GetEndNorthing(), n, 1e-6);
    double lat, lon;
    ASSERT_TRUE(projection.GridToGeographic(pane.GetEndEasting(), pane.GetEndNorthing(), &lat, &lon));
    EXPECT_EQ(pane.GetEndLatitude(), lat);
    EXPECT_EQ(pane.GetEndLongitude(), lon);

    // Fewer legs keep the first ones; more legs wait for the new one.
    ASSERT_TRUE(Type(pane, P::ITEM_LEG_COUNT, "1"));
    EXPECT_NEAR(pane.GetEndEasting(), 451000.0, 1e-6);
    ASSERT_TRUE(Type(pane, P::ITEM_LEG_COUNT, "2"));
    EXPECT_EQ(pane.GetEndEasting(), DBL_MAX);
    EXPECT_FALSE(Type(pane, P::ITEM_LEG_COUNT, "21"));
    EXPECT_EQ(pane.GetLegCount(), 2);
}

TEST_F(TraverseFixture, DistancesInTheUsersUnitAndAStartTypedAsGeographicals)
{
    GridSettingsDef units;
    units.Units = GRID_UNITS_US_SURVEY_FEET;
    ASSERT_TRUE(SaveGridSettings(units));
    using P = CTraversePane;
    ASSERT_TRUE(Type(pane, P::ITEM_START_LATITUDE, "52 N"));
    ASSERT_TRUE(Type(pane, P::ITEM_START_LONGITUDE, "3 E"));
    double e0, n0;
    ASSERT_TRUE(projection.GeographicToGrid(52.0 * kDegree, 3.0 * kDegree, &e0, &n0));
    ASSERT_TRUE(Type(pane, P::LegItem(0, P::LEG_BEARING), "0"));
    ASSERT_TRUE(Type(pane, P::LegItem(0, P::LEG_DISTANCE), "3937"));
    EXPECT_NEAR(pane.GetEndEasting(), e0, 1e-6);
    EXPECT_NEAR(pane.GetEndNorthing(), n0 + 1200.0, 1e-6);

    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 2, 'N', 'E'));
    pane.UpdateGeographicals();
    EXPECT_STREQ(pane.GetShownText(P::ITEM_START_LATITUDE), "52\xB0 00' 00\".00N");
}
