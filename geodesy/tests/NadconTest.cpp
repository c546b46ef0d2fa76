#include "geodesy/Datum.h"
#include "geodesy/Nadcon.h"
#include "geodesy/tests/GeodesyTestData.h"

#include <cmath>
#include <functional>

using namespace geodesytest;

namespace
{
constexpr int NC = 30, NR = 20;
constexpr double XMIN = -100.0, DX = 0.25, YMIN = 30.0, DY = 0.25;

// Shifts linear in column and row, so bilinear interpolation is exact; the first value of the
// latitude file is 0, as is every record's leading word, which a reader that looks for the
// first non-zero word to find the data would trip over.
double Las(double c, double r)
{
    return 0.5 * c + 0.25 * r;
}
double Los(double c, double r)
{
    return 2.0 + 0.1 * c - 0.3 * r;
}

QByteArray GridBytes(const std::function<double(double, double)>& value, int nc = NC, float dx = float(DX))
{
    QByteArray bytes = QByteArray("NADCON EXTRACTED REGION").leftJustified(56, ' ');
    bytes += QByteArray("NADGRD").leftJustified(8, ' ');
    AppendInt32(bytes, nc);
    AppendInt32(bytes, NR);
    AppendInt32(bytes, 1);
    for (float f : {float(XMIN), dx, float(YMIN), float(DY), 0.0f})
        bytes.append(reinterpret_cast<const char*>(&f), 4);
    bytes = bytes.leftJustified((nc + 1) * 4, '\0');
    for (int r = 0; r < NR; ++r)
    {
        AppendInt32(bytes, 0);
        for (int c = 0; c < nc; ++c)
        {
            const float f = float(value(c, r));
            bytes.append(reinterpret_cast<const char*>(&f), 4);
        }
    }
    return bytes;
}

void WritePair(const char* code)
{
    WriteGlobalFile((std::string(code) + ".las").c_str(), GridBytes(Las));
    WriteGlobalFile((std::string(code) + ".los").c_str(), GridBytes(Los));
}

const char* kFolder = "C:\\MyData\\Global\\";
} // namespace

TEST(NadconGrid, ReadsTheSameNodesAsGdalsLosLasDriver)
{
    WritePair("CONUS");
    NadconGrid grid;
    ASSERT_TRUE(grid.Load(kFolder, "CONUS", "Conterminous U S (lower 48 states)"));
    EXPECT_STREQ("NADGRD", grid.Header.Program);
    for (const auto& row : ReadFixture("nadcon_gdal_values.csv"))
    {
        if (row[0] == "column")
            continue;
        const int c = std::stoi(row[0]), r = std::stoi(row[1]);
        EXPECT_NEAR(std::stod(row[2]), grid.LatitudeShifts[r * NC + c], 1e-6) << c << "," << r;
        EXPECT_NEAR(std::stod(row[3]), grid.LongitudeShifts[r * NC + c], 1e-6) << c << "," << r;
    }
}

TEST(NadconGrid, ForwardIsExactForLinearShiftsAndInverseUndoesIt)
{
    WritePair("CONUS");
    NadconGrid grid;
    ASSERT_TRUE(grid.Load(kFolder, "CONUS", "x"));
    const struct
    {
        double lat, lon;
    } points[] = {{31.13, -97.41}, {34.6, -93.0}, {30.01, -99.99}, {34.74, -92.76}};
    for (const auto& p : points)
    {
        const double c = (p.lon - XMIN) / DX, r = (p.lat - YMIN) / DY;
        double lat, lon;
        ASSERT_TRUE(grid.Forward(p.lat, p.lon, &lat, &lon));
        EXPECT_NEAR(p.lat + Las(c, r) / 3600.0, lat, 1e-9);
        EXPECT_NEAR(p.lon - Los(c, r) / 3600.0, lon, 1e-9);
        double backLat, backLon;
        ASSERT_TRUE(grid.Inverse(lat, lon, &backLat, &backLon));
        EXPECT_NEAR(p.lat, backLat, 1e-9);
        EXPECT_NEAR(p.lon, backLon, 1e-9);
    }
    // Positive east longitudes are taken a full turn west.
    double a1, o1, a2, o2;
    ASSERT_TRUE(grid.Forward(31.0, -97.0, &a1, &o1));
    ASSERT_TRUE(grid.Forward(31.0, 263.0, &a2, &o2));
    EXPECT_DOUBLE_EQ(a1, a2);
    EXPECT_DOUBLE_EQ(o1, o2);
}

TEST(NadconGrid, BordersAreOutsideAndBadPairsLoadNothing)
{
    WritePair("CONUS");
    NadconGrid grid;
    ASSERT_TRUE(grid.Load(kFolder, "CONUS", "x"));
    EXPECT_FALSE(grid.Contains(YMIN, -97.0));
    EXPECT_FALSE(grid.Contains(31.0, XMIN));
    EXPECT_FALSE(grid.Contains(YMIN + (NR - 1) * DY, -97.0));
    EXPECT_TRUE(grid.Contains(YMIN + 0.001, XMIN + 0.001));
    double lat = 7.0, lon = 7.0;
    EXPECT_FALSE(grid.Forward(29.0, -97.0, &lat, &lon));
    EXPECT_EQ(7.0, lat);

    // A ".los" whose header differs from the ".las".
    WriteGlobalFile("ALASKA.las", GridBytes(Las));
    WriteGlobalFile("ALASKA.los", GridBytes(Los, NC, 0.5f));
    EXPECT_FALSE(grid.Load(kFolder, "ALASKA", "y"));
    EXPECT_FALSE(grid.IsLoaded());
    // A file cut short.
    WriteGlobalFile("STPAUL.las", GridBytes(Las).left(500));
    WriteGlobalFile("STPAUL.los", GridBytes(Los));
    EXPECT_FALSE(grid.Load(kFolder, "STPAUL", "z"));
    // A missing pair.
    EXPECT_FALSE(grid.Load(kFolder, "STGEORGE", "z"));
}

TEST(NadconGrid, SearchTakesTheFirstAreaThatHoldsThePoint)
{
    // Only the second area exists.
    WriteGlobalFile("ALASKA.las", GridBytes(Las));
    WriteGlobalFile("ALASKA.los", GridBytes(Los));
    NadconGrid grid;
    ASSERT_TRUE(grid.Select(kFolder, NADCON_AREAS, 31.0, -97.0));
    EXPECT_STREQ("ALASKA", grid.AreaCode);
    EXPECT_STREQ("Alaska, incl. Aleutian Islands", grid.Description);
    EXPECT_FALSE(grid.Select(kFolder, NADCON_AREAS, 45.0, -97.0));
    EXPECT_FALSE(grid.IsLoaded());
    EXPECT_STREQ("Not Selected", grid.Description);
}

TEST(NadconDatum, ConvertsThroughTheGridAndFailsOutsideWithoutTouchingTheTarget)
{
    WritePair("CONUS");
    CSpheroid toSpheroid;
    CDatum datum;
    datum.SetToSide(&toSpheroid, nullptr);
    ASSERT_TRUE(datum.SetDatum(4, 0, 1));
    EXPECT_STREQ("NAD27", datum.m_FromName);
    EXPECT_STREQ("NAD83", datum.m_ToName);
    EXPECT_STREQ("GRS80", toSpheroid.m_Name);

    double lat, lon;
    ASSERT_TRUE(datum.ConvertGeographic(31.13 * kDegree, -97.41 * kDegree, 0.0, &lat, &lon, nullptr, 1));
    const double c = (-97.41 - XMIN) / DX, r = (31.13 - YMIN) / DY;
    EXPECT_NEAR(31.13 + Las(c, r) / 3600.0, lat / kDegree, 1e-9);
    EXPECT_NEAR(-97.41 - Los(c, r) / 3600.0, lon / kDegree, 1e-9);
    EXPECT_STREQ("  (Conterminous U S (lower 48 states))", datum.m_AreaText);

    // Index 1 is the inverse; direction -1 of index 0 is the same.
    double back1Lat, back1Lon, back2Lat, back2Lon;
    ASSERT_TRUE(datum.SetDatum(4, 1, 1));
    ASSERT_TRUE(datum.ConvertGeographic(lat, lon, 0.0, &back1Lat, &back1Lon, nullptr, 1));
    EXPECT_NEAR(31.13, back1Lat / kDegree, 1e-9);
    ASSERT_TRUE(datum.SetDatum(4, 0, 1));
    ASSERT_TRUE(datum.ConvertGeographic(lat, lon, 0.0, &back2Lat, &back2Lon, nullptr, -1));
    EXPECT_NEAR(-97.41, back2Lon / kDegree, 1e-9);

    // Outside every area: failure, the target untouched, the text kept.
    DatumPoint from{}, to{};
    CDatum::SetFromGeographic(&from, nullptr, 45.0 * kDegree, -97.0 * kDegree, 0.0);
    to.Latitude = 0.5;
    to.Longitude = -1.5;
    EXPECT_FALSE(datum.Convert(&from, &to, 1));
    EXPECT_EQ(0.5, to.Latitude);
    EXPECT_EQ(-1.5, to.Longitude);
    EXPECT_STREQ(" (Out Of Limits)", datum.m_AreaText);
}
