#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "geodesy/tests/GeodesyTestData.h"

#include "foundation/ConfigFile.h"

#include <cmath>

using namespace geodesytest;

namespace
{
// UTM zone 31 north on WGS84, the projection every program starts with.
struct Utm31
{
    CSpheroid spheroid;
    CProjection projection;
    Utm31() { projection.SetSpheroid(&spheroid); }
};

// Largest disagreements with the exact projection, per band of distance from the central
// meridian.
struct Band
{
    double maxDegrees;  // band reaches this far from the central meridian
    double position;    // metres, forward and (as a distance on the ground) inverse
    double convergence; // arc-seconds
    double scale;
};

// The bands hold the measured agreement of the series with some margin: 0.05 mm, 1e-6" and
// 2e-10 in scale out to 3.5 degrees; 0.5 mm at 6 degrees; 8 mm forward, 14 mm inverse and
// 0.0014" at 9 degrees.
const Band kBands[] = {
    {3.5, 0.001, 0.01, 1e-9},
    {6.0, 0.001, 0.01, 1e-8},
    {9.0, 0.020, 0.01, 1e-7},
};

void CheckAgainstExact(const char* fixture, CProjection& p, double falseEasting)
{
    const auto rows = ReadFixture(fixture);
    ASSERT_GT(rows.size(), 1000u);
    const double lon0 = p.m_OriginLongitude / kDegree;
    int checked = 0;
    for (const auto& r : rows)
    {
        const double latDeg = std::stod(r[0]);
        const double lonDeg = std::stod(r[1]);
        const double x = std::stod(r[2]) + falseEasting;
        const double y = std::stod(r[3]);
        const double gamma = std::stod(r[4]);
        const double k = std::stod(r[5]);
        const double lat = latDeg * kDegree;
        const double lon = lonDeg * kDegree;
        if (std::fabs(lat) < 1e-9 && std::fabs(lon) < 1e-9)
            continue; // latitude and longitude 0 is the "no position" input
        const double offset = std::fabs(lonDeg - lon0);
        const Band* band = kBands;
        while (offset > band->maxDegrees + 1e-9)
            ++band;
        SCOPED_TRACE(testing::Message() << fixture << ": " << latDeg << ", " << lonDeg);

        double e, n, c, s;
        ASSERT_TRUE(p.GeographicToGrid(lat, lon, &e, &n, &c, &s));
        EXPECT_LE(std::hypot(e - x, n - y), band->position);
        EXPECT_LE(std::fabs(c / kArcSecond - gamma * 3600.0), band->convergence);
        EXPECT_LE(std::fabs(s - k), band->scale);

        if (std::fabs(x) < 0.001 && std::fabs(y) < 0.001)
            continue; // easting and northing 0 is the "no position" input
        double gotLat, gotLon;
        ASSERT_TRUE(p.GridToGeographic(x, y, &gotLat, &gotLon, &c, &s));
        const double north = (gotLat - lat) * 6.4e6;
        const double east = (gotLon - lon) * 6.4e6 * std::cos(lat);
        EXPECT_LE(std::hypot(north, east), band->position);
        EXPECT_LE(std::fabs(c / kArcSecond - gamma * 3600.0), band->convergence);
        EXPECT_LE(std::fabs(s - k), band->scale);
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}
} // namespace

// The exact projection (GeographicLib, Karney 2011) on a grid of points out to 9 degrees.
TEST(TransverseMercator, AgreesWithTheExactProjectionOnWgs84)
{
    Utm31 utm;
    ASSERT_TRUE(utm.projection.SetZone(31, 0, 0));
    CheckAgainstExact("tm_wgs84.csv", utm.projection, 500000.0);
}

TEST(TransverseMercator, AgreesWithTheExactProjectionOnBessel)
{
    CSpheroid bessel;
    bessel.SetFromTable(3);
    CProjection p;
    p.SetSpheroid(&bessel);
    p.m_DataType = 2;
    p.SetParametersDegrees(0.0, 12.0, 0.0, 0.0, 1.0);
    CheckAgainstExact("tm_bessel.csv", p, 0.0);
}

// Out to 40 degrees from the central meridian the engine holds PROJ's etmerc within a
// millimetre both ways; it refuses only where no series holds a centimetre.
TEST(TransverseMercator, FarFromTheCentralMeridianAgreesWithProj)
{
    Utm31 utm;
    CProjection& p = utm.projection;
    ASSERT_TRUE(p.SetZone(31, 0, 0));
    int checked = 0;
    for (const auto& r : ReadFixture("tm_far_proj.csv"))
    {
        const double lat = std::stod(r[0]) * kDegree, lon = std::stod(r[1]) * kDegree;
        const double x = std::stod(r[2]), y = std::stod(r[3]);
        const double gamma = std::stod(r[4]) * 3600.0, k = std::stod(r[5]);
        SCOPED_TRACE(testing::Message() << r[0] << ", " << r[1]);
        double e, n, c, s;
        ASSERT_TRUE(p.GeographicToGrid(lat, lon, &e, &n, &c, &s));
        EXPECT_LE(std::hypot(e - x, n - y), 0.001);
        EXPECT_LE(std::fabs(c / kArcSecond - gamma), 0.01);
        EXPECT_NEAR(k, s, 1e-8);
        double gotLat, gotLon;
        ASSERT_TRUE(p.GridToGeographic(x, y, &gotLat, &gotLon, &c, &s));
        EXPECT_LE(std::hypot((gotLat - lat) * 6.4e6, (gotLon - lon) * 6.4e6 * std::cos(lat)), 0.001);
        EXPECT_LE(std::fabs(c / kArcSecond - gamma), 0.01);
        EXPECT_NEAR(k, s, 1e-8);
        ++checked;
    }
    EXPECT_EQ(117, checked);

    // On the equator the series drifts past a centimetre beyond about 71 degrees: refused, not
    // returned as a position.
    double e = 1.0, n = 1.0;
    EXPECT_TRUE(p.GeographicToGrid(0.0, 68.0 * kDegree, &e, &n));
    EXPECT_FALSE(p.GeographicToGrid(0.0, 78.0 * kDegree, &e, &n));
    EXPECT_EQ(0.0, e);
    double lat = 1.0, lon = 1.0;
    EXPECT_FALSE(p.GridToGeographic(500000.0 + 12.0e6, 0.0, &lat, &lon));
    EXPECT_EQ(0.0, lat);
}

// Ordnance Survey, "A guide to coordinate systems in Great Britain", worked example of the
// National Grid (Airy 1830, true origin 49 N 2 W, E0 400 000, N0 -100 000, F0 0.9996012717).
TEST(TransverseMercator, OrdnanceSurveyWorkedExample)
{
    CSpheroid airy;
    airy.SetFromTable(0);
    CProjection p;
    p.SetSpheroid(&airy);
    p.m_DataType = 1;
    p.SetParametersDegrees(49.0, -2.0, 400000.0, -100000.0, 0.9996012717);
    const double lat = (52.0 + 39.0 / 60.0 + 27.2531 / 3600.0) * kDegree;
    const double lon = (1.0 + 43.0 / 60.0 + 4.5177 / 3600.0) * kDegree;
    double e, n;
    ASSERT_TRUE(p.GeographicToGrid(lat, lon, &e, &n));
    EXPECT_NEAR(e, 651409.903, 0.0005);
    EXPECT_NEAR(n, 313177.270, 0.0005);
    double gotLat, gotLon;
    ASSERT_TRUE(p.GridToGeographic(651409.903, 313177.270, &gotLat, &gotLon));
    EXPECT_NEAR(gotLat, lat, 0.0001 * kArcSecond);
    EXPECT_NEAR(gotLon, lon, 0.0001 * kArcSecond);
}

// The closed spherical forms: x = k0 R atanh(cos(phi) sin(w)), y = k0 R atan(tan(phi) / cos(w)).
TEST(TransverseMercator, ReducesToTheSphericalFormsOnASphere)
{
    CSpheroid sphere;
    sphere.SetFromTable(31);
    CProjection p;
    p.SetSpheroid(&sphere);
    p.m_DataType = 1;
    p.SetParametersDegrees(0.0, 0.0, 0.0, 0.0, 0.9996);
    const double R = 6371000.0 * 0.9996;
    for (double latDeg : {-70.0, -10.0, 20.0, 55.0, 80.0})
    {
        for (double w : {-3.0, 1.0, 3.5})
        {
            const double lat = latDeg * kDegree, lon = w * kDegree;
            double e, n, c;
            ASSERT_TRUE(p.GeographicToGrid(lat, lon, &e, &n, &c));
            EXPECT_NEAR(e, R * std::atanh(std::cos(lat) * std::sin(lon)), 1e-4);
            EXPECT_NEAR(n, R * std::atan(std::tan(lat) / std::cos(lon)), 1e-4);
            EXPECT_NEAR(c, std::atan(std::tan(lon) * std::sin(lat)), 1e-10);
            double gotLat, gotLon;
            ASSERT_TRUE(p.GridToGeographic(e, n, &gotLat, &gotLon, &c));
            EXPECT_NEAR(gotLat, lat, 1e-11);
            EXPECT_NEAR(gotLon, lon, 1e-11);
            EXPECT_NEAR(c, std::atan(std::tan(lon) * std::sin(lat)), 1e-10);
        }
    }
}

TEST(TransverseMercator, ZoneOriginAndTheZeroResult)
{
    Utm31 utm;
    CProjection& p = utm.projection;
    double lat = 9, lon = 9, c = 9, k = 9;
    ASSERT_TRUE(p.GridToGeographic(500000.0, 0.0, &lat, &lon, &c, &k));
    EXPECT_EQ(lat, 0.0);
    EXPECT_NEAR(lon, 3.0 * CProjection::DEG_TO_RAD, 1e-15);
    EXPECT_EQ(c, 0.0);
    EXPECT_EQ(k, 0.9996);
    double e = 9, n = 9;
    ASSERT_TRUE(p.GeographicToGrid(0.0, 3.0 * CProjection::DEG_TO_RAD, &e, &n, &c, &k));
    EXPECT_NEAR(e, 500000.0, 1e-9);
    EXPECT_EQ(n, 0.0);

    // Easting and northing both within 0.001: no position.
    EXPECT_FALSE(p.GridToGeographic(0.0009, -0.0009, &lat, &lon, &c, &k));
    EXPECT_EQ(lat, 0.0);
    EXPECT_EQ(lon, 0.0);
    EXPECT_EQ(c, 0.0);
    EXPECT_EQ(k, 0.9996);
    EXPECT_TRUE(p.GridToGeographic(0.0005, 1000.0, &lat, &lon)); // converts
    EXPECT_NE(lon, 0.0);
    // Latitude and longitude both within 0.001": the zero result, written only when both
    // grid values are asked for.
    e = n = 7;
    EXPECT_FALSE(p.GeographicToGrid(4e-9, -4e-9, &e, &n, &c, &k));
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(n, 0.0);
    EXPECT_EQ(c, 0.0);
    EXPECT_EQ(k, 0.9996);
    e = 7;
    EXPECT_FALSE(p.GeographicToGrid(0.0, 0.0, &e, nullptr));
    EXPECT_EQ(e, 7.0);
}

TEST(TransverseMercator, UnusableProjectionsGiveTheZeroResult)
{
    CProjection noSpheroid;
    double lat = 1, lon = 1, e = 1, n = 1, c = 1, k = 1;
    EXPECT_FALSE(noSpheroid.GridToGeographic(400000.0, 5000000.0, &lat, &lon, &c, &k));
    EXPECT_EQ(lat, 0.0);
    EXPECT_EQ(k, 0.9996);
    EXPECT_FALSE(noSpheroid.GeographicToGrid(0.8, 0.1, &e, &n, &c, &k));
    EXPECT_EQ(e, 0.0);

    Utm31 zeroScale;
    zeroScale.projection.SetParameters(0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_FALSE(zeroScale.projection.GeographicToGrid(0.8, 0.1, &e, &n, &c, &k));
    EXPECT_EQ(n, 0.0);
    EXPECT_EQ(k, 0.0);

    Utm31 noAxes; // a spheroid that matched no name
    noAxes.spheroid.FindByName("Unknown", "");
    noAxes.projection.ComputeConstants();
    EXPECT_FALSE(noAxes.projection.GridToGeographic(400000.0, 5000000.0, &lat, &lon));
    EXPECT_EQ(lat, 0.0);
}

TEST(TransverseMercator, WrapsLongitudeDifferences)
{
    Utm31 utm;
    CProjection& p = utm.projection;
    const double lat = 0.9;
    double e1, n1, e2, n2;
    ASSERT_TRUE(p.GeographicToGrid(lat, 4.0 * kDegree, &e1, &n1));
    ASSERT_TRUE(p.GeographicToGrid(lat, 4.0 * kDegree + 2.0 * M_PI, &e2, &n2));
    EXPECT_NEAR(e1, e2, 1e-6);
    EXPECT_NEAR(n1, n2, 1e-6);
    ASSERT_TRUE(p.GeographicToGrid(lat, 4.0 * kDegree - 4.0 * M_PI, &e2, &n2));
    EXPECT_NEAR(e1, e2, 1e-6);

    // Zone 60 (177 E): a point at 179 W lies 4 degrees east and comes back as 179 W.
    ASSERT_TRUE(p.SetZone(60, 0, 0));
    ASSERT_TRUE(p.GeographicToGrid(lat, -179.0 * kDegree, &e1, &n1));
    EXPECT_GT(e1, 500000.0);
    double gotLat, gotLon;
    ASSERT_TRUE(p.GridToGeographic(e1, n1, &gotLat, &gotLon));
    EXPECT_NEAR(gotLon, -179.0 * kDegree, 1e-10);
    EXPECT_NEAR(gotLat, lat, 1e-10);
}

// The inverse once began its footpoint iteration from whatever the caller's latitude variable
// held; the result must not depend on it, and must hold up to the poles and south of the
// equator.
TEST(TransverseMercator, InverseIgnoresTheCallersLatitudeAndHoldsAtHighLatitude)
{
    Utm31 utm;
    for (int method : {0, 1})
    {
        ASSERT_TRUE(utm.projection.SetZone(31, 0, method));
        for (double latDeg : {-89.99, -84.0, -45.0, 0.5, 60.0, 84.0, 89.9, 89.999})
        {
            const double lat = latDeg * kDegree;
            const double lon = 4.5 * kDegree;
            double e, n;
            ASSERT_TRUE(utm.projection.GeographicToGrid(lat, lon, &e, &n));
            for (double garbage : {0.0, 1.0, -1.0, 1e300, std::nan("")})
            {
                double gotLat = garbage, gotLon = garbage;
                ASSERT_TRUE(utm.projection.GridToGeographic(e, n, &gotLat, &gotLon)) << latDeg;
                EXPECT_NEAR(gotLat, lat, 1e-10) << latDeg << " method " << method << " start " << garbage;
                if (std::fabs(latDeg) < 89.99)
                {
                    EXPECT_NEAR(gotLon, lon, 1e-9) << latDeg;
                }
            }
        }
    }
}

TEST(TransverseMercator, LoCountsWestingsAndSouthingsPositive)
{
    CSpheroid clarke;
    clarke.SetFromTable(12);
    CProjection lo;
    lo.SetSpheroid(&clarke);
    lo.m_DataType = 3;
    lo.SetParametersDegrees(0.0, 17.0, 0.0, 0.0, 1.0);
    CProjection tm = lo;
    tm.m_DataType = 1;
    const double lat = -30.0 * kDegree, lon = 16.0 * kDegree;
    double y, x, e, n;
    ASSERT_TRUE(lo.GeographicToGrid(lat, lon, &y, &x));
    ASSERT_TRUE(tm.GeographicToGrid(lat, lon, &e, &n));
    EXPECT_GT(y, 0.0); // west of the central meridian
    EXPECT_GT(x, 0.0); // south of the equator
    EXPECT_EQ(y, -e);
    EXPECT_EQ(x, -n);
    double gotLat, gotLon;
    ASSERT_TRUE(lo.GridToGeographic(y, x, &gotLat, &gotLon));
    EXPECT_NEAR(gotLat, lat, 1e-12);
    EXPECT_NEAR(gotLon, lon, 1e-12);
}

// Every type converts once its constants are computed for it, as the zone table and the setters
// do; a type switched under a projection without them (the conic's cone, the oblique Mercator's
// azimuth) converts nothing rather than something wrong, and type 13, whose tables the system
// does not have, never converts.
TEST(TransverseMercator, OtherTypesConvertOnlyWithTheirConstants)
{
    Utm31 utm;
    for (int type : {6, 11, 13})
    {
        utm.projection.m_DataType = type;
        utm.projection.m_Method = 0;
        double e = 1, n = 1, lat = 1, lon = 1;
        EXPECT_FALSE(utm.projection.GeographicToGrid(0.9, 0.1, &e, &n)) << type;
        EXPECT_EQ(e, 0.0);
        EXPECT_FALSE(utm.projection.GridToGeographic(400000.0, 5000000.0, &lat, &lon)) << type;
        EXPECT_EQ(lat, 0.0);
    }
    utm.projection.m_DataType = 12;
    utm.projection.m_Method = 0; // the 1927 State Plane Transverse Mercator in metres
    double e, n;
    EXPECT_TRUE(utm.projection.GeographicToGrid(0.9, 0.1, &e, &n));
    utm.projection.m_Method = 1; // the 1927 Lambert, with no cone yet
    EXPECT_FALSE(utm.projection.GeographicToGrid(0.9, 0.1, &e, &n));
    utm.projection.ComputeConstants(); // still none: no standard parallels
    EXPECT_FALSE(utm.projection.GeographicToGrid(0.9, 0.1, &e, &n));

    for (int type : {5, 7, 8, 10})
    {
        CSpheroid s;
        CProjection p;
        p.SetSpheroid(&s);
        p.m_DataType = type;
        p.SetParametersDegrees(45.0, 5.0, 100000.0, 200000.0, 1.0);
        double lat, lon;
        ASSERT_TRUE(p.GeographicToGrid(46.0 * kDegree, 6.0 * kDegree, &e, &n)) << type;
        ASSERT_TRUE(p.GridToGeographic(e, n, &lat, &lon)) << type;
        EXPECT_NEAR(lat, 46.0 * kDegree, 1e-10) << type; // Cassini's inverse series: 3e-11
        EXPECT_NEAR(lon, 6.0 * kDegree, 1e-10) << type;
    }
}

TEST(UtmZones, NamesMeridiansAndZonesOfLongitudes)
{
    EXPECT_EQ(CProjection::UtmZoneName(30), "Grid Zone 30 (3\xB0 W)");
    EXPECT_EQ(CProjection::UtmZoneName(31), "Grid Zone 31 (3\xB0 E)");
    EXPECT_EQ(CProjection::UtmZoneName(1), "Grid Zone  1 (177\xB0 W)");
    EXPECT_EQ(CProjection::UtmZoneName(60), "Grid Zone 60 (177\xB0 E)");
    EXPECT_DOUBLE_EQ(CProjection::UtmCentralLongitude(31), 3.0 * 0.017453292519943);
    EXPECT_DOUBLE_EQ(CProjection::UtmCentralLongitude(1), -177.0 * 0.017453292519943);

    struct Case
    {
        double degrees;
        int zone;
    };
    const Case cases[] = {
        {-180.0, 1}, {-179.9, 1},    {-174.0, 2}, {-3.0, 30},   {-0.0001, 30}, {0.0, 31},
        {0.5, 31},   {2.9, 31},      {3.0, 31},   {5.9999, 31}, {6.0, 32},     {6.5, 32},
        {177.0, 60}, {179.9999, 60}, {180.0, 60}, {181.0, 60},  {-181.0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CProjection::UtmZoneFromLongitude(c.degrees * kDegree), c.zone) << c.degrees;
    EXPECT_EQ(CProjection::UtmZoneFromLongitude(M_PI), 60);
    EXPECT_EQ(CProjection::UtmZoneFromLongitude(-M_PI), 1);
    EXPECT_EQ(CProjection::UtmZoneFromLongitude(std::nan("")), 1);
}

TEST(UtmZones, EntryCounts)
{
    const int counts[] = {0, 39, 36, 10, 54, 5, 76, 2, 1, 3, 1, 4, 0, 0, 2};
    for (int type = 0; type < 15; ++type)
        EXPECT_EQ(CProjection::EntryCount(type), counts[type]) << type;
    EXPECT_EQ(CProjection::EntryCount(15), 0);
    EXPECT_EQ(CProjection::EntryCount(-1), 0);
}

TEST(ProjectionState, ConstructionSettersAndConstants)
{
    CProjection p;
    EXPECT_EQ(p.m_DataType, 0);
    EXPECT_EQ(p.m_Zone, 31);
    EXPECT_EQ(p.m_Name, "Grid Zone 31 (3\xB0 E)");
    EXPECT_EQ(p.m_Country, "");
    EXPECT_EQ(p.m_ScaleFactor, 0.9996);
    EXPECT_EQ(p.m_pSpheroid, nullptr);
    EXPECT_EQ(p.m_FixedZone, 0);
    EXPECT_NEAR(p.m_InverseScaleDeviation, 2500.0, 1e-6);

    CSpheroid s;
    p.SetSpheroid(&s);
    p.SetParametersDegrees(52.0, 5.0, 1.0, 2.0, 1.0);
    EXPECT_EQ(p.m_InverseScaleDeviation, 1.0);
    EXPECT_DOUBLE_EQ(p.m_OriginLatitude, 52.0 * 0.017453292519943);
    EXPECT_DOUBLE_EQ(p.m_SinLat0, std::sin(p.m_OriginLatitude));
    EXPECT_DOUBLE_EQ(p.m_TanLat0, std::tan(p.m_OriginLatitude));
    EXPECT_DOUBLE_EQ(p.m_M0, s.MeridionalArc(p.m_OriginLatitude));
    EXPECT_DOUBLE_EQ(p.m_Psi0, s.IsometricLatitude(p.m_OriginLatitude));
    const double w = 1.0 - s.m_E2 * p.m_SinLat0 * p.m_SinLat0;
    EXPECT_DOUBLE_EQ(p.m_Nu0, s.m_SemiMajor / std::sqrt(w));
    EXPECT_DOUBLE_EQ(p.m_Rho0, s.m_SemiMajor * s.m_OneMinusE2 / std::pow(w, 1.5));

    p.SetNames(nullptr, "x");
    EXPECT_EQ(p.m_Name, "");
    EXPECT_EQ(p.m_Country, "x");
    p.SetMethod(2);
    EXPECT_EQ(p.m_Method, 2);
    p.SetConstants(1, 2, 3, 4, 5, 6, false);
    EXPECT_EQ(p.m_Constants[5], 6.0);
    p.SetConstants(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11);
    EXPECT_EQ(p.m_Constants[10], 11.0);
    p.SetConstantWord(1, 33);
    EXPECT_EQ(p.GetConstantWord(1), 33);
    EXPECT_EQ(p.m_Constants[10], 11.0);
    // A conic of one parallel takes the parallel as its latitude of origin.
    p.SetMethod(0);
    p.SetStandardParallels(40.0, 50.0);
    EXPECT_DOUBLE_EQ(p.m_OriginLatitude, 40.0 * 0.017453292519943);
    p.SetMethod(1);
    p.SetStandardParallels(40.0, 50.0);
    EXPECT_DOUBLE_EQ(p.m_Parallel2, 50.0 * 0.017453292519943);
}

TEST(ProjectionZones, UtmZonesOfTheTable)
{
    Utm31 utm;
    CProjection& p = utm.projection;
    ASSERT_TRUE(p.SetZone(31, 0, 7)); // any other method is north
    EXPECT_EQ(p.m_Method, 0);
    EXPECT_EQ(p.m_FalseNorthing, 0.0);
    ASSERT_TRUE(p.SetZone(31, 0, 1));
    EXPECT_EQ(p.m_FalseNorthing, 10000000.0);
    ASSERT_TRUE(p.SetZone(0, 0, 0));
    EXPECT_DOUBLE_EQ(p.m_OriginLongitude, -183.0 * 0.017453292519943);
    EXPECT_FALSE(p.SetZone(62, 0, 0));
    EXPECT_EQ(p.m_Zone, 62); // stored, parameters unchanged
    EXPECT_DOUBLE_EQ(p.m_OriginLongitude, -183.0 * 0.017453292519943);
    EXPECT_FALSE(p.SetZone(0, 15, 0));

    // A spheroid that matched nothing becomes WGS84 for a UTM zone; any other is kept.
    utm.spheroid.FindByName("Unknown", "");
    ASSERT_TRUE(p.SetZone(31, 0, 0));
    EXPECT_EQ(utm.spheroid.m_Name, "WGS84");
    utm.spheroid.SetFromTable(20);
    ASSERT_TRUE(p.SetZone(31, 0, 0));
    EXPECT_EQ(utm.spheroid.m_Name, "International Spheroid");
}

TEST(ProjectionFiles, UserFileLoadsAndIsFoundByName)
{
    const double values[7] = {0.0, 9.0 * kDegree, 500000.0, 0.0, 0.9996, 0.0, 0.0};
    WriteGlobalFile("Harbour.PRJ", ProjectionFileBytes("Harbour Grid", "Local", "International Spheroid",
                                                       "(Hayford 1910)", 1, 0, values));
    const double other[7] = {0.5, 0.1, 1.0, 2.0, 1.0, 0.0, 0.0};
    WriteGlobalFile("Another.PRJ", ProjectionFileBytes("", "", "WGS84", "", 2, 0, other));
    WriteGlobalFile("Broken.PRJ", QByteArray("Broken\r\nGrid\r\nWGS84\r\n\r\n\x01\x00"));

    CSpheroid s;
    CProjection p;
    p.SetSpheroid(&s);
    ASSERT_TRUE(p.LoadFile("C:\\MyData\\Global\\Harbour.PRJ"));
    EXPECT_EQ(p.m_FileName, "Harbour");
    EXPECT_EQ(p.m_Name, "Harbour Grid");
    EXPECT_EQ(p.m_Country, "Local");
    EXPECT_EQ(p.m_DataType, 1);
    EXPECT_EQ(s.m_Name, "International Spheroid");
    EXPECT_DOUBLE_EQ(p.m_OriginLongitude, 9.0 * kDegree);
    EXPECT_EQ(p.m_ScaleFactor, 0.9996);
    double e, n;
    ASSERT_TRUE(p.GeographicToGrid(56.0 * kDegree, 9.0 * kDegree, &e, &n));
    EXPECT_NEAR(e, 500000.0, 1e-6);

    EXPECT_EQ(CProjection::ReadFileType("C:\\MyData\\Global\\Harbour.PRJ"), 1);
    EXPECT_EQ(CProjection::ReadFileType("C:\\MyData\\Global\\Another.PRJ"), 2);
    EXPECT_EQ(CProjection::ReadFileType("C:\\MyData\\Global\\Broken.PRJ"), -1);
    EXPECT_EQ(CProjection::ReadFileType("C:\\MyData\\Global\\Missing.PRJ"), -1);

    // A broken or missing file: origin, false origin zeroed, scale 1, failure.
    EXPECT_FALSE(p.LoadFile("C:\\MyData\\Global\\Broken.PRJ"));
    EXPECT_EQ(p.m_FalseEasting, 0.0);
    EXPECT_EQ(p.m_OriginLongitude, 0.0);
    EXPECT_EQ(p.m_ScaleFactor, 1.0);
    EXPECT_EQ(p.m_Name, "Harbour Grid"); // nothing else taken from a file not read whole

    // Untitled texts: the file title names it.
    ASSERT_TRUE(p.LoadFile("C:\\MyData\\Global\\Another.PRJ"));
    EXPECT_EQ(p.m_Name, "Another");

    // User files are counted after a type's built-in entries.
    EXPECT_EQ(CProjection::FindUserFile(1, 39), "C:\\MyData\\Global\\Harbour.PRJ");
    EXPECT_EQ(CProjection::FindUserFile(1, 40), "");
    EXPECT_EQ(CProjection::FindUserFile(1, 38), "");
    EXPECT_EQ(CProjection::FindUserFile(2, 36), "C:\\MyData\\Global\\Another.PRJ");

    // Found by name (without regard to case) on the same spheroid; the caller's spheroid is
    // kept and never changed by the search.
    CSpheroid hayford;
    hayford.SetFromTable(20);
    CProjection q;
    q.SetSpheroid(&hayford);
    ASSERT_TRUE(q.FindByName("HARBOUR GRID", "local", 1, 0, &hayford));
    EXPECT_EQ(q.m_pSpheroid, &hayford);
    EXPECT_EQ(q.m_Zone, 39);
    EXPECT_DOUBLE_EQ(q.m_OriginLongitude, 9.0 * kDegree);
    // On another spheroid it is no match: zeroed origin, scale 1, the searched texts.
    CSpheroid wgs;
    EXPECT_FALSE(q.FindByName("Harbour Grid", "Local", 1, 0, &wgs));
    EXPECT_EQ(wgs.m_Name, "WGS84");
    EXPECT_EQ(q.m_pSpheroid, &wgs);
    EXPECT_EQ(q.m_OriginLongitude, 0.0);
    EXPECT_EQ(q.m_ScaleFactor, 1.0);
    EXPECT_EQ(q.m_Name, "Harbour Grid");
    EXPECT_FALSE(q.FindByName("Harbour Grid", "Local", 15, 0, &hayford));

    // SelectZoneOrFile: the built-in entry, else the user file at that list position.
    q.SetSpheroid(&hayford);
    q.m_DataType = 1;
    q.m_Zone = 39;
    q.m_Method = 0;
    ASSERT_TRUE(q.SelectZoneOrFile());
    EXPECT_EQ(q.m_Zone, 39);
    EXPECT_EQ(q.m_Name, "Harbour Grid");
    q.m_DataType = 0;
    q.m_Zone = 32;
    ASSERT_TRUE(q.SelectZoneOrFile());
    EXPECT_EQ(q.m_FileName, "");
    EXPECT_EQ(q.m_Name, "Grid Zone 32 (9\xB0 E)");
}

TEST(ProjectionSettings, SavedUtmZoneIsFoundAgain)
{
    {
        CSpheroid s;
        s.SetFromTable(20);
        CProjection p;
        p.SetSpheroid(&s);
        ASSERT_TRUE(p.SetZone(33, 0, 1));
        ASSERT_TRUE(p.SaveSettings("(From)"));
        CConfigFile probe;
        QFile file(TempDrives::Current()->OnC(
            QString(probe.GetSettingsFileName("Projection (From)").Mid(3).GetString()).replace('\\', '/')));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(
            file.readAll(),
            QByteArray("Name = Grid Zone 33 (15\xB0 E)\r\nCountry = \r\nData Type = 0\r\nMethod = 1\r\n"));
    }
    CSpheroid s;
    CProjection p;
    p.SetSpheroid(&s);
    EXPECT_TRUE(p.LoadSettings("(From)"));
    EXPECT_EQ(s.m_Name, "International Spheroid");
    EXPECT_EQ(p.m_Zone, 33);
    EXPECT_EQ(p.m_Method, 1);
    EXPECT_EQ(p.m_FalseNorthing, 10000000.0);

    // No file: UTM zone 31 on the spheroid's default, WGS84.
    CSpheroid t;
    t.SetFromTable(0);
    CProjection q;
    q.SetSpheroid(&t);
    q.SetZone(40, 0, 0);
    EXPECT_TRUE(q.LoadSettings("(To)"));
    EXPECT_EQ(q.m_Zone, 31);
    EXPECT_EQ(t.m_Name, "WGS84");
}

TEST(ProjectionSettings, UnknownGridFallsBackToUtm31)
{
    const double values[7] = {0.0, 9.0 * kDegree, 500000.0, 0.0, 0.9996, 0.0, 0.0};
    const CString path =
        WriteGlobalFile("Gone.PRJ", ProjectionFileBytes("Gone Grid", "Local", "WGS84", "", 1, 0, values));
    CSpheroid s;
    CProjection p;
    p.SetSpheroid(&s);
    ASSERT_TRUE(p.LoadFile(path));
    ASSERT_TRUE(p.SaveSettings());
    QFile::remove(TempDrives::Current()->OnC("MyData/Global/Gone.PRJ"));
    CProjection q;
    q.SetSpheroid(&s);
    EXPECT_FALSE(q.LoadSettings());
    EXPECT_EQ(q.m_DataType, 0);
    EXPECT_EQ(q.m_Zone, 31);
    EXPECT_EQ(q.m_ScaleFactor, 0.9996);
}

TEST(ProjectionSettings, MatchSpheroidMovesAZoneOffItsSpheroid)
{
    // A user grid defined on Hayford, used with a local spheroid that no grid of the type is
    // defined on: it becomes UTM zone 31, on that spheroid.
    const double values[7] = {0.0, 9.0 * kDegree, 500000.0, 0.0, 0.9996, 0.0, 0.0};
    WriteGlobalFile("Hayford.PRJ", ProjectionFileBytes("Hayford Grid", "", "International Spheroid",
                                                       "(Hayford 1910)", 1, 0, values));
    WriteGlobalFile("Local.SPD", SpheroidFileBytes("Local Spheroid", "Harbour", 6378100.0, 6356700.0, 298.0));
    CSpheroid local;
    ASSERT_TRUE(local.FindByName("Local Spheroid", "Harbour"));
    CProjection p;
    p.SetSpheroid(&local);
    p.m_DataType = 1;
    p.m_Zone = 39;
    p.m_Method = 0;
    EXPECT_FALSE(p.MatchSpheroid());
    EXPECT_EQ(p.m_DataType, 0);
    EXPECT_EQ(p.m_Zone, 31);
    EXPECT_EQ(local.m_Name, "Local Spheroid");
    EXPECT_EQ(local.m_SemiMajor, 6378100.0);

    // On its own spheroid it stays.
    CSpheroid hayford;
    hayford.SetFromTable(20);
    CProjection q;
    q.SetSpheroid(&hayford);
    q.m_DataType = 1;
    q.m_Zone = 39;
    EXPECT_TRUE(q.MatchSpheroid());
    EXPECT_EQ(q.m_DataType, 1);
    // UTM is never moved.
    CProjection utm;
    utm.SetSpheroid(&local);
    EXPECT_TRUE(utm.MatchSpheroid());
    EXPECT_EQ(utm.m_Zone, 31);
}
