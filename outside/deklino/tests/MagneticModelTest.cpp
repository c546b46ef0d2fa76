// The magnetic model against the values NOAA NCEI and BGS publish with the World Magnetic Model
// 2025: the technical report's test table (12 points, components to 0.1 nT, angles to 0.01
// degree, with their annual change) and rows of the high-precision test-value file
// ("WMM2025_TestValues.txt"); then the coefficient-file reader, dates and the grid.
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/deklino/MagneticModel.h"
#include "testsupport/TempDrives.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
constexpr double kDegreeRad = 3.14159265358979323846 / 180.0;

MagneticFieldDef At(const CMagneticModel& model, double year, double heightKm, double latDeg, double lonDeg)
{
    return model.Compute(latDeg * kDegreeRad, lonDeg * kDegreeRad, heightKm * 1000.0, year);
}

std::string ReadFixture(const char* name)
{
    std::ifstream in(std::string(SUITE_SOURCE_DIR) + "/outside/deklino/tests/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

// The report's table: date, height (km), latitude, longitude, X, Y, Z, H, F (nT), I, D
// (degrees), then the annual change of X, Y, Z, H, F (nT) and of I, D (degrees).
TEST(MagneticModelTest, ReproducesThePublishedTestTable)
{
    const struct
    {
        double year, height, lat, lon, x, y, z, h, f, i, d;
        double xDot, yDot, zDot, hDot, fDot, iDot, dDot;
    } table[] = {
        {2025.0, 0, 80, 0, 6521.6, 145.9, 54791.5, 6523.2, 55178.5, 83.21, 1.28, -8.3, 59.5, 31.1, -7.0, 30.1,
         0.01, 0.52},
        {2025.0, 0, 0, 120, 39677.8, -109.6, -10580.2, 39677.9, 41064.3, -14.93, -0.16, 9.5, -23.1, 79.4, 9.6,
         -11.2, 0.11, -0.03},
        {2025.0, 0, -80, 240, 6117.5, 15751.9, -52022.5, 16898.1, 54698.2, -72.00, 68.78, 33.3, -8.6, 95.5,
         4.0, -89.6, 0.03, -0.12},
        {2025.0, 100, 80, 0, 6216.0, 92.4, 52598.8, 6216.7, 52964.9, 83.26, 0.85, -7.7, 56.5, 28.7, -6.9,
         27.6, 0.01, 0.52},
        {2025.0, 100, 0, 120, 37688.6, -96.2, -10152.1, 37688.7, 39032.1, -15.08, -0.15, 9.2, -21.0, 72.9,
         9.2, -10.0, 0.11, -0.03},
        {2025.0, 100, -80, 240, 5907.6, 14780.3, -49540.7, 15917.1, 52035.0, -72.19, 68.21, 30.6, -8.0, 89.2,
         3.9, -83.8, 0.03, -0.11},
        {2027.5, 0, 80, 0, 6500.8, 294.5, 54869.4, 6507.5, 55253.9, 83.24, 2.59, -8.3, 59.5, 31.1, -5.6, 30.3,
         0.01, 0.53},
        {2027.5, 0, 0, 120, 39701.6, -167.4, -10381.8, 39702.0, 41036.9, -14.65, -0.24, 9.5, -23.1, 79.4, 9.6,
         -10.7, 0.11, -0.03},
        {2027.5, 0, -80, 240, 6200.7, 15730.3, -51783.7, 16908.3, 54474.2, -71.92, 68.49, 33.3, -8.6, 95.5,
         4.2, -89.5, 0.04, -0.12},
        {2027.5, 100, 80, 0, 6196.7, 233.8, 52670.5, 6201.1, 53034.3, 83.29, 2.16, -7.7, 56.5, 28.7, -5.6,
         27.8, 0.01, 0.52},
        {2027.5, 100, 0, 120, 37711.5, -148.7, -9969.8, 37711.8, 39007.4, -14.81, -0.23, 9.2, -21.0, 72.9,
         9.3, -9.7, 0.11, -0.03},
        {2027.5, 100, -80, 240, 5984.0, 14760.1, -49317.7, 15927.0, 51825.7, -72.10, 67.93, 30.6, -8.0, 89.2,
         4.0, -83.7, 0.03, -0.11},
    };
    const CMagneticModel model;
    for (const auto& t : table)
    {
        SCOPED_TRACE(testing::Message() << t.year << " " << t.height << " km " << t.lat << " " << t.lon);
        const MagneticFieldDef f = At(model, t.year, t.height, t.lat, t.lon);
        // Printed to 0.1 nT and 0.01 degree: within half the last digit (and a hair).
        EXPECT_NEAR(f.dNorth, t.x, 0.051);
        EXPECT_NEAR(f.dEast, t.y, 0.051);
        EXPECT_NEAR(f.dDown, t.z, 0.051);
        EXPECT_NEAR(f.dHorizontal, t.h, 0.051);
        EXPECT_NEAR(f.dTotal, t.f, 0.051);
        EXPECT_NEAR(f.dInclination / kDegreeRad, t.i, 0.0051);
        EXPECT_NEAR(f.dDeclination / kDegreeRad, t.d, 0.0051);
        EXPECT_NEAR(f.dNorthRate, t.xDot, 0.051);
        EXPECT_NEAR(f.dEastRate, t.yDot, 0.051);
        EXPECT_NEAR(f.dDownRate, t.zDot, 0.051);
        EXPECT_NEAR(f.dHorizontalRate, t.hDot, 0.051);
        EXPECT_NEAR(f.dTotalRate, t.fDot, 0.051);
        EXPECT_NEAR(f.dInclinationRate / kDegreeRad, t.iDot, 0.0051);
        EXPECT_NEAR(f.dDeclinationRate / kDegreeRad, t.dDot, 0.0051);
    }
}

// Rows of the high-precision file, reaching one degree from the pole, the south auroral zone
// and half-year dates: date, height (km), latitude, longitude, D, I (degrees), H, X, Y, Z, F (nT).
TEST(MagneticModelTest, ReproducesTheHighPrecisionTestValues)
{
    const struct
    {
        double year, height, lat, lon, d, i, h, x, y, z, f;
    } rows[] = {
        {2025.0, 28, 89, -121, -99.77, 88.47, 1504.298146, -255.388723, -1482.460628, 56194.288771,
         56214.419888},
        {2025.0, 65, 43, 93, 0.50, 64.10, 24300.764692, 24299.852822, 210.517066, 50037.923998, 55626.621348},
        {2025.0, 51, -33, 109, -5.49, -67.50, 21838.046477, 21737.778822, -2090.274098, -52710.00392,
         57054.752538},
        {2025.5, 6, -36, -137, 20.28, -52.11, 25353.230658, 23781.930678, 8786.698927, -32577.518648,
         41280.516301},
        {2025.5, 8, -66, 17, -33.14, -59.55, 18154.870136, 15201.438652, -9925.501123, -30881.123197,
         35822.382382},
        {2026.0, 74, -57, 3, -22.51, -58.65, 14362.206593, 13268.119649, -5498.179626, -23576.062921,
         27606.226129},
        {2026.0, 62, -14, 99, -1.43, -44.70, 33448.275663, 33437.82863, -835.919473, -33100.922253,
         47058.03012},
        {2026.5, 14, 0, 80, -3.10, -17.15, 39489.089663, 39431.415992, -2133.456168, -12188.838466,
         41327.424134},
        {2027.0, 37, -66, -5, -17.22, -59.04, 17159.8365, 16390.771268, -5079.626554, -28608.243575,
         33360.029814},
        {2027.5, 73, -72, 95, -102.64, -76.49, 13306.747292, -2912.418045, -12984.118939, -55399.217725,
         56974.931751},
    };
    const CMagneticModel model;
    for (const auto& t : rows)
    {
        SCOPED_TRACE(testing::Message() << t.year << " " << t.height << " km " << t.lat << " " << t.lon);
        const MagneticFieldDef f = At(model, t.year, t.height, t.lat, t.lon);
        EXPECT_NEAR(f.dDeclination / kDegreeRad, t.d, 0.0051);
        EXPECT_NEAR(f.dInclination / kDegreeRad, t.i, 0.0051);
        // The file prints components to 1e-6 nT; its own X differs from an exact evaluation by
        // up to a few 1e-4 nT, so hold every component to 0.01 nT.
        EXPECT_NEAR(f.dHorizontal, t.h, 0.01);
        EXPECT_NEAR(f.dNorth, t.x, 0.01);
        EXPECT_NEAR(f.dEast, t.y, 0.01);
        EXPECT_NEAR(f.dDown, t.z, 0.01);
        EXPECT_NEAR(f.dTotal, t.f, 0.01);
    }
}

TEST(MagneticModelTest, BuiltInModelIsWmm2025)
{
    const CMagneticModel model;
    EXPECT_EQ(model.GetName(), "WMM-2025");
    EXPECT_EQ(model.GetReleaseDate(), "11/13/2024");
    EXPECT_DOUBLE_EQ(model.GetEpoch(), 2025.0);
    EXPECT_EQ(model.GetDegree(), 12);
    // Valid from the epoch up to, not including, five years on.
    EXPECT_FALSE(model.IsValidYear(2024.999));
    EXPECT_TRUE(model.IsValidYear(2025.0));
    EXPECT_TRUE(model.IsValidYear(2029.999));
    EXPECT_FALSE(model.IsValidYear(2030.0));
}

// The published coefficient file, read back, is the built-in table: same results everywhere.
TEST(MagneticModelTest, CoefficientFileReadsAsTheBuiltInModel)
{
    const QString path = TempDrives::Current()->OnC("WMM.COF");
    ASSERT_TRUE(QFile::copy(QString(SUITE_SOURCE_DIR) + "/outside/deklino/tests/WMM2025.COF", path));
    CMagneticModel loaded;
    ASSERT_TRUE(loaded.ParseCof("2020.0 WMM-2020 12/10/2019\n1 0 -29404.5 0.0 6.7 0.0\n"
                                "1 1 -1450.7 4652.9 7.7 -25.1\n"));
    EXPECT_EQ(loaded.GetDegree(), 1);
    ASSERT_TRUE(loaded.LoadCof("C:\\WMM.COF"));
    const CMagneticModel builtIn;
    EXPECT_EQ(loaded.GetName(), builtIn.GetName());
    EXPECT_EQ(loaded.GetReleaseDate(), builtIn.GetReleaseDate());
    EXPECT_EQ(loaded.GetDegree(), 12);
    for (int n = 0; n <= 12; ++n)
        for (int m = 0; m <= n; ++m)
        {
            SCOPED_TRACE(testing::Message() << "n " << n << " m " << m);
            EXPECT_EQ(loaded.GetG(n, m), builtIn.GetG(n, m));
            EXPECT_EQ(loaded.GetH(n, m), builtIn.GetH(n, m));
            EXPECT_EQ(loaded.GetGRate(n, m), builtIn.GetGRate(n, m));
            EXPECT_EQ(loaded.GetHRate(n, m), builtIn.GetHRate(n, m));
        }
    const MagneticFieldDef a = At(loaded, 2026.3, 0.5, 51.5, -1.2);
    const MagneticFieldDef b = At(builtIn, 2026.3, 0.5, 51.5, -1.2);
    EXPECT_DOUBLE_EQ(a.dDeclination, b.dDeclination);
    EXPECT_DOUBLE_EQ(a.dTotal, b.dTotal);
}

// Anything that is not a whole coefficient file leaves the model as it was.
TEST(MagneticModelTest, MalformedCoefficientFilesAreRefused)
{
    const std::string good = ReadFixture("WMM2025.COF");
    ASSERT_FALSE(good.empty());
    const std::string firstRow = "  1  0   -29351.8       0.0       12.0        0.0\n";
    ASSERT_NE(good.find(firstRow), std::string::npos);
    auto without = [&](const std::string& part) {
        std::string text = good;
        text.erase(text.find(part), part.size());
        return text;
    };
    auto replaced = [&](const std::string& part, const std::string& by) {
        std::string text = good;
        text.replace(text.find(part), part.size(), by);
        return text;
    };
    const struct
    {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no header", without("    2025.0            WMM-2025     11/13/2024\n")},
        {"header without a name", replaced("WMM-2025     11/13/2024", "")},
        {"epoch not a number", replaced("2025.0 ", "20x5.0 ")},
        {"a row missing", without(firstRow)},
        {"a row twice", replaced(firstRow, firstRow + firstRow)},
        {"a short row", replaced(firstRow, "  1  0   -29351.8       0.0       12.0\n")},
        {"a word in a row", replaced(firstRow, "  1  0   -29351.8       0.0       12.0        x\n")},
        {"an extra field", replaced(firstRow, "  1  0   -29351.8       0.0       12.0        0.0  7\n")},
        {"order above degree", replaced(firstRow, "  1  2   -29351.8       0.0       12.0        0.0\n")},
        {"degree above 12",
         replaced(firstRow, firstRow + " 13  0        1.0       0.0        0.0        0.0\n")},
    };
    CMagneticModel model;
    ASSERT_TRUE(model.ParseCof("2020.0 WMM-2020 12/10/2019\n1 0 -29404.5 0.0 6.7 0.0\n"
                               "1 1 -1450.7 4652.9 7.7 -25.1\n"));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(model.ParseCof(c.text.c_str()));
        EXPECT_EQ(model.GetName(), "WMM-2020");
        EXPECT_EQ(model.GetDegree(), 1);
        EXPECT_EQ(model.GetG(1, 0), -29404.5);
    }
    // Lines after the end mark are not read.
    EXPECT_TRUE(model.ParseCof((good + "garbage\n").c_str()));
    EXPECT_FALSE(model.LoadCof("C:\\missing.COF"));
    EXPECT_EQ(model.GetName(), "WMM-2025");
}

TEST(MagneticModelTest, DecimalYearsCountDaysOfTheYear)
{
    const struct
    {
        int year, month, day;
        double decimal;
    } cases[] = {
        {2025, 1, 1, 2025.0},
        {2025, 7, 2, 2025.0 + 182.0 / 365.0},
        {2028, 12, 31, 2028.0 + 365.0 / 366.0}, // leap year
        {2100, 3, 1, 2100.0 + 59.0 / 365.0},    // not a leap year
        {2000, 3, 1, 2000.0 + 60.0 / 366.0},    // a leap year
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_DOUBLE_EQ(CMagneticModel::DecimalYear(c.year, c.month, c.day), c.decimal);
        int y = 0, m = 0, d = 0;
        CMagneticModel::DateOfDecimalYear(c.decimal, y, m, d);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, c.day);
    }
    EXPECT_EQ(CMagneticModel::DecimalYear(2025, 2, 29), 0.0);
    EXPECT_EQ(CMagneticModel::DecimalYear(2025, 13, 1), 0.0);
    EXPECT_EQ(CMagneticModel::DecimalYear(2025, 4, 31), 0.0);
}

// Grid variation: against the projection engine's own UTM convergence in the mid-latitudes,
// and the polar stereographic rule poleward of 55 degrees.
TEST(MagneticModelTest, GridVariationRefersToTheUtmOrPolarGrid)
{
    CSpheroid wgs84;
    CProjection utm;
    utm.SetSpheroid(&wgs84);
    const struct
    {
        double lat, lon;
    } points[] = {{51.5, -1.2}, {-33.9, 18.4}, {10.0, 104.9}, {54.9, 179.5}, {-54.0, -177.0}, {0.5, 2.0}};
    const CMagneticModel model;
    for (const auto& p : points)
    {
        SCOPED_TRACE(testing::Message() << p.lat << " " << p.lon);
        const int zone = CProjection::UtmZoneFromLongitude(p.lon * kDegreeRad);
        ASSERT_TRUE(utm.SetZone(zone, 0, p.lat < 0 ? 1 : 0)) << zone;
        double e = 0, n = 0, convergence = 0;
        ASSERT_TRUE(utm.GeographicToGrid(p.lat * kDegreeRad, p.lon * kDegreeRad, &e, &n, &convergence));
        // Within a tenth of an arc-second.
        EXPECT_NEAR(CMagneticModel::GridConvergence(p.lat * kDegreeRad, p.lon * kDegreeRad), convergence,
                    0.1 / 3600 * kDegreeRad);
        const MagneticFieldDef f = At(model, 2026.0, 0, p.lat, p.lon);
        EXPECT_NEAR(f.dGridVariation, f.dDeclination - convergence, 0.1 / 3600 * kDegreeRad);
    }
    // North of 55 degrees: declination less longitude; south of -55: plus longitude, kept to
    // +-180 degrees (the report's 80 S 240 E point: 68.78 + 240 - 360).
    EXPECT_NEAR(At(model, 2025.0, 0, 80, 0).dGridVariation / kDegreeRad, 1.28, 0.0051);
    EXPECT_NEAR(At(model, 2025.0, 0, -80, 240).dGridVariation / kDegreeRad, 68.78 - 120.0, 0.0051);
    const MagneticFieldDef north = At(model, 2025.0, 28, 89, -121);
    EXPECT_NEAR(north.dGridVariation / kDegreeRad, -99.77 + 121.0, 0.0051);
}

// At the geographic poles the east component has only a limit: the field there is finite, the
// same whatever longitude is given for its intensities, and continuous with its surroundings.
TEST(MagneticModelTest, PolesGiveFiniteContinuousFields)
{
    const CMagneticModel model;
    for (double pole : {90.0, -90.0})
    {
        SCOPED_TRACE(pole);
        const MagneticFieldDef a = At(model, 2026.0, 0, pole, 0);
        const MagneticFieldDef b = At(model, 2026.0, 0, pole, 120);
        const MagneticFieldDef near = At(model, 2026.0, 0, pole - std::copysign(1e-6, pole), 0);
        for (const MagneticFieldDef* f : {&a, &b})
        {
            EXPECT_TRUE(std::isfinite(f->dDeclination) && std::isfinite(f->dDeclinationRate));
            EXPECT_TRUE(std::isfinite(f->dGridVariation));
            EXPECT_NEAR(f->dTotal, near.dTotal, 0.01);
            EXPECT_NEAR(f->dHorizontal, near.dHorizontal, 0.01);
            EXPECT_NEAR(f->dInclination, near.dInclination, 1e-6);
        }
        EXPECT_NEAR(a.dDeclination, near.dDeclination, 1e-6);
    }
}
