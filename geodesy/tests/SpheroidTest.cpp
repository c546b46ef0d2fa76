#include "geodesy/Spheroid.h"
#include "geodesy/SinCos.h"
#include "geodesy/tests/GeodesyTestData.h"

#include "foundation/ConfigFile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace geodesytest;

namespace
{
struct EpsgEllipsoid
{
    std::string name;
    double a;
    double rf; // 0 for a sphere
};

std::map<int, EpsgEllipsoid> EpsgEllipsoids()
{
    std::map<int, EpsgEllipsoid> out;
    for (const auto& row : ReadFixture("epsg_ellipsoids.csv"))
        out[std::stoi(row[0])] = {row[1], std::stod(row[2]), std::stod(row[3])};
    return out;
}
} // namespace

// Every row against EPSG's dataset. The rows listed here keep older published values on
// purpose (data surveyed on them must convert as before); every other row must agree.
TEST(SpheroidTable, RowsAgreeWithEpsg)
{
    const std::set<int> legacy = {
        7007, // Clarke 1858: 1/f rounded to 294.3 (EPSG 294.2607, from the axes in Clarke's feet)
        7028, // Struve 1860: a = 6378297, EPSG's value before its revision to 6378298.3
        7029, // War Office: a = 6378300.583 (EPSG 6378300)
        7034, // Clarke 1880: a = 6378249.2 with 1/f = 293.465 (EPSG from Clarke's feet)
        7042, // Everest (1830 Definition): from an older value of the Indian foot (5 mm in a)
        7046, // Bessel (GLM): a = 6377397.155 in German legal metres, as Namibia's grids use it
        7051, // "Danish Spheroid": the row's stored axes (a = 6378160, 1/f = 298.25), not Danish 1876
    };
    const auto epsg = EpsgEllipsoids();
    ASSERT_EQ(epsg.size(), 53u);
    std::set<int> differing;
    for (int i = 0; i < CSpheroid::TABLE_ROWS; ++i)
    {
        const SpheroidTableRow& row = CSpheroid::TableRow(i);
        SCOPED_TRACE(testing::Message() << "row " << i << " " << row.name);
        ASSERT_EQ(epsg.count(row.code), 1u);
        const EpsgEllipsoid& ref = epsg.at(row.code);
        if (ref.rf == 0.0)
        {
            // A sphere: stored as 1/f = 1 with b = a.
            EXPECT_EQ(row.inverseFlattening, 1.0);
            EXPECT_EQ(row.semiMinor, row.semiMajor);
            EXPECT_NEAR(row.semiMajor, ref.a, 1e-6);
            continue;
        }
        // b as stored is a(1 - f) to 0.1 mm in every row.
        EXPECT_NEAR(row.semiMinor, row.semiMajor * (1.0 - 1.0 / row.inverseFlattening), 1e-4);
        if (std::fabs(row.semiMajor - ref.a) > 0.0005 || std::fabs(row.inverseFlattening - ref.rf) > 1e-5)
            differing.insert(row.code);
    }
    EXPECT_EQ(differing, legacy);
}

TEST(SpheroidTable, SelectsRowsAndRefusesAnIndexPastTheEnd)
{
    // Rows keep their stored values: projection files name rows by position.
    CSpheroid danish;
    ASSERT_TRUE(danish.SetFromTable(43));
    EXPECT_STREQ("Danish Spheroid", danish.m_Name);
    EXPECT_EQ(7051, danish.m_Code);
    EXPECT_EQ(6378160.0, danish.m_SemiMajor);
    EXPECT_EQ(6356774.719195305, danish.m_SemiMinor);
    EXPECT_EQ(298.25, danish.m_InverseFlattening);

    CSpheroid s;
    EXPECT_EQ(s.m_Name, "WGS84"); // the default everywhere
    EXPECT_EQ(s.m_TableIndex, 26);
    ASSERT_TRUE(s.SetFromTable(0));
    EXPECT_FALSE(s.SetFromTable(53));
    EXPECT_FALSE(s.SetFromTable(-1));
    EXPECT_EQ(s.m_Name, "Airy 1830");
    EXPECT_EQ(s.m_Country, "OSGB");
    EXPECT_EQ(s.m_Code, 7001);
    EXPECT_EQ(s.m_SemiMajor, 6377563.39635);
    ASSERT_TRUE(s.SetFromTable(52));
    EXPECT_EQ(s.m_Name, "CGCS2000");
    EXPECT_EQ(s.m_Country, "China");
    EXPECT_EQ(s.m_Code, 1024);
    ASSERT_TRUE(s.SetFromTable(5));
    EXPECT_EQ(s.m_Country, ""); // a row without a qualifier
}

TEST(SpheroidConstants, DerivedFromAAndInverseFlatteningOnly)
{
    CSpheroid s; // WGS84
    const double f = 1.0 / 298.257223563;
    EXPECT_NEAR(s.m_E2, 0.00669437999014, 1e-14);
    EXPECT_NEAR(s.m_E, std::sqrt(s.m_E2), 1e-16);
    EXPECT_NEAR(s.m_Ep2, 0.00673949674228, 1e-14);
    EXPECT_NEAR(s.m_N, f / (2.0 - f), 1e-16);
    EXPECT_EQ(s.m_N1, s.m_N);
    EXPECT_NEAR(s.m_OneMinusE2 * s.m_OnePlusEp2, 1.0, 1e-15);
    EXPECT_NEAR(s.m_PolarFactor, std::sqrt(std::pow(1 + s.m_E, 1 + s.m_E) * std::pow(1 - s.m_E, 1 - s.m_E)),
                1e-15);
    EXPECT_NEAR(s.m_RectifyingFactor, s.m_SemiMajor * s.m_A0, 1e-6);
    // The quarter meridian of WGS84 is 10 001 965.7293 m.
    EXPECT_NEAR(s.MeridionalArc(M_PI / 2), 10001965.7293, 1e-4);
    // The slope of the arc at the equator is the meridian radius there, a(1 - e^2) (to the
    // A8 term, which the slope leaves out).
    EXPECT_NEAR(s.m_ArcSlopeAtEquator * s.m_SemiMajor, s.m_SemiMajor * s.m_OneMinusE2, 1e-3);

    // 1/f not above 0 zeroes every derived member.
    s.m_InverseFlattening = 0.0;
    s.ComputeConstants();
    EXPECT_EQ(s.m_E2, 0.0);
    EXPECT_EQ(s.m_A0, 0.0);
    EXPECT_EQ(s.m_F8, 0.0);
}

TEST(SpheroidConstants, SetAxesReplacesAnImplausibleFlattening)
{
    CSpheroid s;
    s.SetAxes(6378137.0, 289.9);
    EXPECT_EQ(s.m_InverseFlattening, 297.0);
    EXPECT_DOUBLE_EQ(s.m_SemiMinor, 6378137.0 * (1.0 - 1.0 / 297.0));
    s.SetAxes(6378137.0, 310.0);
    EXPECT_EQ(s.m_InverseFlattening, 310.0);
    s.SetAxes(0.0, 0.0);
    EXPECT_EQ(s.m_SemiMajor, 0.0);
    EXPECT_EQ(s.m_InverseFlattening, 297.0);
}

// The sphere rows (1/f = 1) compute as a sphere: the Transverse Mercator series then reduce to
// the closed spherical forms, which the projection tests rely on.
TEST(SpheroidConstants, SphereRowsComputeAsASphere)
{
    for (int row : {31, 39, 40, 44, 49, 51})
    {
        CSpheroid s;
        ASSERT_TRUE(s.SetFromTable(row));
        SCOPED_TRACE(row);
        EXPECT_TRUE(s.IsSphere());
        EXPECT_EQ(s.m_InverseFlattening, 1.0); // the stored value is kept
        EXPECT_EQ(s.m_E2, 0.0);
        EXPECT_EQ(s.m_N, 0.0);
        EXPECT_EQ(s.m_A0, 1.0);
        EXPECT_EQ(s.m_PolarFactor, 1.0);
        EXPECT_NEAR(s.MeridionalArc(0.7), s.m_SemiMajor * 0.7, 1e-6);
        EXPECT_NEAR(s.LatitudeFromIsometricLatitude(s.IsometricLatitude(1.2)), 1.2, 1e-12);
    }
}

TEST(SpheroidNames, FindByNameAndIsSame)
{
    CSpheroid s;
    EXPECT_TRUE(s.FindByName("WGS84", "anything")); // row 26 matches on its name alone
    EXPECT_EQ(s.m_TableIndex, 26);
    EXPECT_FALSE(s.FindByName("Airy 1830", "")); // row 0's qualifier is "OSGB"
    EXPECT_EQ(s.m_SemiMajor, 0.0);
    EXPECT_EQ(s.m_InverseFlattening, 297.0);
    EXPECT_EQ(s.m_Name, "");
    EXPECT_EQ(s.m_Country, "");
    EXPECT_TRUE(s.FindByName("Airy 1830", "OSGB"));
    EXPECT_EQ(s.m_Code, 7001);
    EXPECT_FALSE(s.FindByName("airy 1830", "OSGB")); // exact, case-sensitive

    // Searching for its own name keeps the texts when nothing matches.
    s.m_Name = "Nowhere";
    s.m_Country = "Land";
    EXPECT_FALSE(s.FindByName());
    EXPECT_EQ(s.m_Name, "Nowhere");
    EXPECT_EQ(s.m_Country, "Land");
    EXPECT_EQ(s.m_SemiMajor, 0.0);

    struct Case
    {
        const char *name1, *country1, *name2, *country2;
        bool same;
    };
    const Case cases[] = {
        {"WGS84", "", "WGS84", "", true},    {"WGS84", "X", "WGS84", "", false},
        {"WGS84", "", "WGS84", "X", false},  {"WGS84", "X", "WGS84", "X", true},
        {"WGS84", "X", "WGS84", "x", false}, {"WGS84", "", "wgs84", "", false},
    };
    for (const Case& c : cases)
    {
        CSpheroid a, b;
        a.m_Name = c.name1;
        a.m_Country = c.country1;
        b.m_Name = c.name2;
        b.m_Country = c.country2;
        EXPECT_EQ(a.IsSame(b), c.same)
            << c.name1 << "/" << c.country1 << " vs " << c.name2 << "/" << c.country2;
        EXPECT_EQ(a.IsSame(&b), c.same);
    }
    EXPECT_FALSE(s.IsSame(nullptr));
}

TEST(SpheroidFiles, UserFileIsReadAndFoundByName)
{
    WriteGlobalFile("Local.SPD", SpheroidFileBytes("Harbour", "Local Grid", 6378000.5, 6356700.25, 298.5));
    const CString untitled =
        WriteGlobalFile("Untitled.SPD", SpheroidFileBytes("", "", 6377000.0, 6355000.0, 290.0));

    CSpheroid s;
    ASSERT_TRUE(s.FindByName("Harbour", "Local Grid"));
    EXPECT_EQ(s.m_FileName, "Local");
    EXPECT_EQ(s.m_Code, 0);
    EXPECT_EQ(s.m_SemiMajor, 6378000.5);
    EXPECT_EQ(s.m_SemiMinor, 6356700.25);
    EXPECT_EQ(s.m_InverseFlattening, 298.5);
    EXPECT_NEAR(s.m_E2, 2.0 / 298.5 - 1.0 / (298.5 * 298.5), 1e-16);

    ASSERT_TRUE(s.LoadFile(untitled));
    EXPECT_EQ(s.m_Name, "Untitled"); // both texts empty: the title names it
    EXPECT_FALSE(s.FindByName("Harbour", "Other Grid"));
}

TEST(SpheroidFiles, UnreadableFileFallsBackToWgs84)
{
    const QByteArray whole = SpheroidFileBytes("Short", "", 6378000.0, 6356000.0, 298.0);
    const CString shortFile = WriteGlobalFile("Short.SPD", whole.left(whole.size() - 1));
    const CString noLines = WriteGlobalFile("NoLines.SPD", QByteArray("no line end"));
    for (const char* path :
         {shortFile.GetString(), noLines.GetString(), "C:\\MyData\\Global\\Missing.SPD", ""})
    {
        CSpheroid s;
        s.SetFromTable(0);
        EXPECT_FALSE(s.LoadFile(path)) << path;
        EXPECT_EQ(s.m_TableIndex, 26);
        EXPECT_EQ(s.m_Name, "WGS84");
        EXPECT_EQ(s.m_SemiMajor, 6378137.0);
    }
}

TEST(SpheroidSettings, SavedSpheroidIsFoundAgain)
{
    CSpheroid saved;
    saved.SetFromTable(0);
    ASSERT_TRUE(saved.SaveSettings("(From)"));
    CConfigFile probe;
    const CString path = probe.GetSettingsFileName("Spheroid (From)");
    EXPECT_TRUE(path.Find("Spheroid_(From).INI") > 0);
    QFile file(TempDrives::Current()->OnC(QString(path.Mid(3).GetString()).replace('\\', '/')));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Name = Airy 1830\r\nCountry = OSGB\r\n"));
    EXPECT_FALSE(QFile::exists(file.fileName() + ".tmp")); // written aside, then moved in place

    CSpheroid loaded;
    EXPECT_TRUE(loaded.LoadSettings("(From)"));
    EXPECT_EQ(loaded.m_Name, "Airy 1830");
    EXPECT_EQ(loaded.m_Code, 7001);

    // No file: WGS84.
    CSpheroid fresh;
    fresh.SetFromTable(3);
    EXPECT_TRUE(fresh.LoadSettings("(To)"));
    EXPECT_EQ(fresh.m_Name, "WGS84");

    // Without a suffix the file is "Spheroid".
    ASSERT_TRUE(saved.SaveSettings(""));
    EXPECT_TRUE(QFile::exists(TempDrives::Current()->OnC(
        QString(probe.GetSettingsFileName("Spheroid").Mid(3).GetString()).replace('\\', '/'))));
}

TEST(SpheroidLatitudes, MeridionalArcInvertsFromAnyStart)
{
    CSpheroid s;
    EXPECT_EQ(s.LatitudeFromMeridionalArc(0.5, 0.0), 0.0);
    for (double degrees : {-89.5, -60.0, -1e-6, 1e-7, 0.5, 30.0, 52.6, 75.0, 89.99})
    {
        const double lat = degrees * kDegree;
        const double arc = s.MeridionalArc(lat);
        // The iteration stops at a change of 5e-9 rad and converges by a factor of about 200
        // a round.
        for (double start : {0.0, 1.0, -1.0, 2.0, lat})
            EXPECT_NEAR(s.LatitudeFromMeridionalArc(start, arc), lat, 5e-11) << degrees << " from " << start;
        // The footpoint series alone is the inverse to 1e-13 rad.
        EXPECT_NEAR(s.FootpointLatitude(arc), lat, 1e-13) << degrees;
        double sn = 0, cs = 0;
        s.LatitudeFromMeridionalArc(lat, arc, &sn, &cs);
        EXPECT_NEAR(sn, std::sin(lat), 1e-15);
        EXPECT_NEAR(cs, std::cos(lat), 1e-15);
    }
}

// The footpoint's sine and cosine come from its own series, not from the C library: they
// must be those of the latitude it returns, on every spheroid kind, up to the poles and
// beyond them (a northing past a pole gives no latitude, and the callers see that in the
// cosine's sign).
TEST(SpheroidLatitudes, FootpointSineAndCosineAreThoseOfItsLatitude)
{
    for (int row : {0, 20, 26})
    {
        CSpheroid s;
        s.SetFromTable(row);
        const double quadrant = s.MeridionalArc(M_PI / 2.0);
        for (double fraction : {-1.5, -1.0, -0.9999999, -0.7, -0.3, -1e-9, 0.0, 1e-12, 0.2, 0.5, 0.8, 0.99,
                                0.9999999999, 1.0, 1.2, 2.5})
        {
            double sn = 2.0, cs = 2.0;
            const double foot = s.FootpointLatitude(fraction * quadrant, &sn, &cs);
            EXPECT_EQ(foot, s.FootpointLatitude(fraction * quadrant)) << row << " " << fraction;
            EXPECT_NEAR(sn, std::sin(foot), 5e-16) << row << " " << fraction;
            EXPECT_NEAR(cs, std::cos(foot), 5e-16) << row << " " << fraction;
            if (std::fabs(fraction) > 1.0)
            {
                EXPECT_LT(cs, 0.0) << row << " " << fraction;
            }
        }
    }
}

TEST(SpheroidLatitudes, SmallAngleSineAndCosineWithinTwoUnitsInTheLastPlace)
{
    double worstSine = 0.0, worstCosine = 0.0;
    for (int i = -100000; i <= 100000; ++i)
    {
        const double x = i * (M_PI / 4.0 / 100000.0);
        double sn, cs;
        geodesy::SinCosSmall(x, sn, cs);
        const long double trueSine = std::sin(static_cast<long double>(x));
        const long double trueCosine = std::cos(static_cast<long double>(x));
        const auto ulp = [](long double v) {
            const double d = static_cast<double>(std::fabs(v));
            return d == 0.0 ? 4.9406564584124654e-324 : std::nextafter(d, 2.0) - d;
        };
        worstSine = std::max(worstSine, static_cast<double>(std::fabs(sn - trueSine) / ulp(trueSine)));
        worstCosine = std::max(worstCosine, static_cast<double>(std::fabs(cs - trueCosine) / ulp(trueCosine)));
    }
    EXPECT_LE(worstSine, 2.0);
    EXPECT_LE(worstCosine, 2.0);
    double sn = 1.0, cs = 0.0;
    geodesy::SinCosSmall(0.0, sn, cs);
    EXPECT_EQ(sn, 0.0);
    EXPECT_EQ(cs, 1.0);
}

// The inversion must hold to the poles: the Mercator inverse depends on it. (Halving the
// correction from phi = psi does not converge above about 72.6 degrees.)
TEST(SpheroidLatitudes, IsometricLatitudeInvertsUpToThePoles)
{
    for (int row : {0, 20, 26})
    {
        CSpheroid s;
        s.SetFromTable(row);
        for (double degrees :
             {0.0, 1e-8, 10.0, 45.0, 72.0, 72.6, 73.0, 80.0, 85.0, 89.0, 89.9, 89.9999, 89.9999999})
        {
            for (double sign : {1.0, -1.0})
            {
                const double lat = sign * degrees * kDegree;
                EXPECT_NEAR(s.LatitudeFromIsometricLatitude(s.IsometricLatitude(lat)), lat, 1e-12)
                    << "row " << row << " latitude " << sign * degrees;
            }
        }
        EXPECT_DOUBLE_EQ(s.LatitudeFromIsometricLatitude(1e6), M_PI / 2);
        EXPECT_DOUBLE_EQ(s.LatitudeFromIsometricLatitude(-1e6), -M_PI / 2);
    }
}

TEST(SpheroidGeocentric, RoundTripsEverywhereIncludingThe180Meridian)
{
    CSpheroid s;
    for (double latDeg : {-90.0, -89.999, -45.0, 0.0, 0.001, 30.0, 89.9, 90.0})
    {
        for (double lonDeg : {-180.0, -179.9999, -90.0, 0.0, 45.0, 90.0, 135.0, 179.9999, 180.0})
        {
            for (double h : {-500.0, 0.0, 1234.567, 35786000.0})
            {
                const double lat = latDeg * kDegree;
                const double lon = lonDeg * kDegree;
                double X, Y, Z;
                s.GeodeticToGeocentric(lat, lon, h, &X, &Y, &Z);
                double gotLat = 0.0, gotLon = 0.0, gotH = 0.0;
                ASSERT_TRUE(s.GeocentricToGeodetic(X, Y, Z, &gotLat, &gotLon, &gotH));
                SCOPED_TRACE(testing::Message() << latDeg << " " << lonDeg << " " << h);
                EXPECT_NEAR(gotLat, lat, 1e-11);
                EXPECT_NEAR(gotH, h, 1e-4);
                EXPECT_LE(gotLon, M_PI);
                EXPECT_GT(gotLon, -M_PI - 1e-15);
                if (std::fabs(latDeg) < 90.0)
                {
                    EXPECT_NEAR(std::remainder(gotLon - lon, 2 * M_PI), 0.0, 1e-12);
                }
            }
        }
    }
}

TEST(SpheroidGeocentric, AxisPointsAndDegenerateSpheroids)
{
    CSpheroid s;
    double lat = 0.3, lon = 0.3, h = 0.3;
    // X = 0, Y < 0 is longitude -90 degrees, in the same range as every other longitude.
    ASSERT_TRUE(s.GeocentricToGeodetic(0.0, -6378137.0, 0.0, &lat, &lon, &h));
    EXPECT_NEAR(lon, -M_PI / 2, 1e-15);
    EXPECT_NEAR(lat, 0.0, 1e-10);
    EXPECT_NEAR(h, 0.0, 1e-6);
    // On the 180 degree meridian the height is the height (not a division by sin(180)).
    ASSERT_TRUE(s.GeocentricToGeodetic(-6378137.0 - 10.0, 0.0, 0.0, &lat, &lon, &h));
    EXPECT_NEAR(h, 10.0, 1e-6);
    EXPECT_NEAR(lon, M_PI, 1e-15);
    // The poles.
    ASSERT_TRUE(s.GeocentricToGeodetic(0.0, 0.0, -s.m_SemiMinor - 25.0, &lat, &lon, &h));
    EXPECT_EQ(lat, -M_PI / 2);
    EXPECT_NEAR(h, 25.0, 1e-6);
    // The centre, and a spheroid without eccentricity: false, all zero.
    EXPECT_FALSE(s.GeocentricToGeodetic(0.0, 0.0, 0.0, &lat, &lon, &h));
    EXPECT_EQ(lat, 0.0);
    EXPECT_EQ(h, 0.0);
    CSpheroid sphere;
    sphere.SetFromTable(31);
    lat = lon = h = 1.0;
    EXPECT_FALSE(sphere.GeocentricToGeodetic(6371000.0, 0.0, 0.0, &lat, &lon, &h));
    EXPECT_EQ(lat, 0.0);
    EXPECT_EQ(lon, 0.0);
    EXPECT_EQ(h, 0.0);
    // A wild first estimate still converges.
    const double X = 3875000.0, Y = 332000.0, Z = 5029000.0;
    double a = 0.0, b = 0.0;
    lat = 1e9;
    ASSERT_TRUE(s.GeocentricToGeodetic(X, Y, Z, &lat, &lon, &h));
    a = lat;
    lat = -1.5;
    ASSERT_TRUE(s.GeocentricToGeodetic(X, Y, Z, &lat, &lon, &h));
    b = lat;
    EXPECT_NEAR(a, b, 1e-11);
}
