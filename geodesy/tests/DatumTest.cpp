#include "geodesy/Datum.h"
#include "geodesy/tests/GeodesyTestData.h"

#include "foundation/ConfigFile.h"
#include "geodesy/NTv2Thread.h"
#include "platform/core/Path.h"

#include <QThread>
#include <atomic>

#include <cmath>

using namespace geodesytest;

namespace
{
// The "To" side a program gives the datum.
struct ToSide
{
    CSpheroid spheroid;
    CProjection projection;
    ToSide() { projection.SetSpheroid(&spheroid); }
};

QByteArray UserFileHead(const char* from, const char* to, const char* region, const char* fromSpheroid,
                        const char* toSpheroid, const char* toCountry)
{
    QByteArray bytes;
    for (const char* line : {from, to, region, fromSpheroid, "", toSpheroid, toCountry})
        bytes.append(line).append("\r\n");
    return bytes;
}

QByteArray DmfBytes(const double (&p)[7], int32_t rotationSign, const double (&rates)[7] = {},
                    double reference = 0, double fixed = 0, bool timeDependent = false)
{
    QByteArray bytes = UserFileHead("A", "B", "", "WGS84", "International Spheroid", "(Hayford 1910)");
    for (double v : p)
        AppendDouble(bytes, v);
    AppendInt32(bytes, rotationSign);
    AppendInt32(bytes, 0);
    for (double v : rates)
        AppendDouble(bytes, v);
    AppendDouble(bytes, reference);
    AppendDouble(bytes, fixed);
    bytes.append(char(timeDependent ? 1 : 0)).append(char(1)).append(QByteArray(6, '\0'));
    return bytes;
}

double MetresApart(const CSpheroid& s, double lat1, double lon1, double lat2, double lon2)
{
    return s.m_SemiMajor * std::hypot(lat1 - lat2, (lon1 - lon2) * std::cos(lat1));
}
} // namespace

// Rotation sign 0 is PROJ's position-vector convention; sign 1 its coordinate-frame one.
TEST(Datum, BuiltInHelmertSetsMatchProj_Sign0PositionVector_Sign1CoordinateFrame)
{
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    int rows = 0;
    for (const auto& row : ReadFixture("datum_helmert_proj.csv"))
    {
        if (row[0] == "index")
            continue;
        const int index = std::stoi(row[0]);
        ASSERT_TRUE(datum.SetDatum(1, index, 1));
        EXPECT_EQ(std::stoi(row[1]), datum.m_RotationSign);
        double lat, lon, h;
        ASSERT_TRUE(datum.ConvertGeographic(std::stod(row[3]) * kDegree, std::stod(row[4]) * kDegree,
                                            std::stod(row[5]), &lat, &lon, &h, 1));
        EXPECT_LT(
            MetresApart(to.spheroid, std::stod(row[6]) * kDegree, std::stod(row[7]) * kDegree, lat, lon),
            0.001)
            << "set " << index << " at " << row[3] << "," << row[4];
        EXPECT_NEAR(std::stod(row[8]), h, 0.001) << "set " << index;
        ++rows;
    }
    EXPECT_EQ(220, rows);
}

TEST(Datum, SetDatumRangesAndNames)
{
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    ASSERT_TRUE(datum.SetDatum(1, 54, 1));
    EXPECT_STREQ("Camacupa Vumbatumba", datum.m_ToName);
    EXPECT_EQ(12, to.spheroid.m_TableIndex);
    const struct
    {
        int method, index;
    } bad[] = {{1, 55}, {1, -1}, {3, 3}, {4, 6}, {5, 1}, {6, 8}, {2, 1}, {0, 1}, {10, 0}, {-1, 0}, {7, 0}};
    for (const auto& b : bad)
    {
        EXPECT_FALSE(datum.SetDatum(b.method, b.index, 1)) << b.method << "/" << b.index;
        EXPECT_EQ(b.method, datum.m_Method);
        EXPECT_STREQ("Camacupa Vumbatumba", datum.m_ToName); // names left as they were
    }
    ASSERT_TRUE(datum.SetDatum(6, 0, 1));
    EXPECT_EQ(20, datum.m_Spheroid.m_TableIndex);
    EXPECT_EQ(3, to.spheroid.m_TableIndex);
    ASSERT_TRUE(datum.SetDatum(3, 1, 1));
    EXPECT_STREQ("Norway South 62", datum.m_Region);
    EXPECT_DOUBLE_EQ(90.365, datum.m_Tx);
    ASSERT_TRUE(datum.SetDatum(5, 0, 1));
    EXPECT_STREQ("Canada NTv2", datum.m_Region);
    EXPECT_EQ(7, to.spheroid.m_TableIndex);
}

TEST(Datum, RoundTripReverseAndDirection)
{
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    ASSERT_TRUE(datum.SetDatum(1, 2, 1));
    const double lat0 = 57.3 * kDegree, lon0 = 1.7 * kDegree;
    double lat, lon, h, backLat, backLon, backH;
    ASSERT_TRUE(datum.ConvertGeographic(lat0, lon0, 10.0, &lat, &lon, &h, 1));
    EXPECT_GT(MetresApart(to.spheroid, lat0, lon0, lat, lon), 50.0);
    ASSERT_TRUE(datum.ConvertGeographic(lat, lon, h, &backLat, &backLon, &backH, -1));
    EXPECT_LT(MetresApart(to.spheroid, lat0, lon0, backLat, backLon), 0.001);
    EXPECT_NEAR(10.0, backH, 0.001);

    // Reverse twice restores every parameter; once, it swaps names and spheroids.
    ASSERT_TRUE(datum.SetDatum(1, 8, 1));
    datum.Reverse();
    EXPECT_STREQ("Nahrwan", datum.m_FromName);
    EXPECT_EQ(11, datum.m_Spheroid.m_TableIndex);
    EXPECT_EQ(26, to.spheroid.m_TableIndex);
    EXPECT_DOUBLE_EQ(-0.5544, datum.m_Rz);
    datum.Reverse();
    EXPECT_DOUBLE_EQ(233.4, datum.m_Tx);
    EXPECT_DOUBLE_EQ(0.5544, datum.m_Rz);
    EXPECT_DOUBLE_EQ(-0.2263, datum.m_Ds);
    EXPECT_EQ(1, datum.m_RotationSign);
    EXPECT_STREQ("WGS 84", datum.m_FromName);
    EXPECT_STREQ("Grid Zone 31 (3\xB0 E)", datum.m_Projection.m_Name);

    // SetDatum with direction -1 converts the other way round.
    ASSERT_TRUE(datum.SetDatum(1, 2, -1));
    EXPECT_STREQ("E.D. 50", datum.m_FromName);
    ASSERT_TRUE(datum.ConvertGeographic(lat, lon, h, &backLat, &backLon, nullptr, 1));
    EXPECT_LT(MetresApart(to.spheroid, lat0, lon0, backLat, backLon), 0.001);
}

TEST(Datum, MethodNoneCopiesTheSpheroidAndNoToSideGivesZeros)
{
    ToSide to;
    to.spheroid.SetFromTable(20);
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    ASSERT_TRUE(datum.SetDatum(0, 0, 1));
    EXPECT_STREQ("WGS84", to.spheroid.m_Name);
    EXPECT_STREQ("Grid To Grid", datum.m_Region);
    double lat, lon;
    ASSERT_TRUE(datum.ConvertGeographic(0.9, 0.05, 0.0, &lat, &lon, nullptr, 1));
    EXPECT_EQ(0.9, lat);

    CDatum lone;
    DatumPoint from{}, target{};
    target.Latitude = 3.0;
    CDatum::SetFromGeographic(&from, nullptr, 0.9, 0.05, 0.0);
    EXPECT_FALSE(lone.Convert(&from, &target, 1));
    EXPECT_EQ(0.0, target.Latitude);
}

TEST(Datum, NorwayNorthOf65IsTheSetThenTheFixedHelmertAndSouthFailsWithoutThePolynomial)
{
    ToSide to;
    CDatum norway, first, second;
    norway.SetToSide(&to.spheroid, nullptr);
    ToSide mid, end;
    first.SetToSide(&mid.spheroid, nullptr);
    second.SetToSide(&end.spheroid, nullptr);
    ASSERT_TRUE(norway.SetDatum(3, 2, 1));
    ASSERT_TRUE(first.SetDatum(1, 42, 1));
    ASSERT_TRUE(second.SetDatum(6, 6, 1));
    double lat, lon, h, mLat, mLon, mH, eLat, eLon;
    ASSERT_TRUE(norway.ConvertGeographic(68.0 * kDegree, 15.0 * kDegree, 0.0, &lat, &lon, &h, 1));
    ASSERT_TRUE(first.ConvertGeographic(68.0 * kDegree, 15.0 * kDegree, 0.0, &mLat, &mLon, &mH, 1));
    ASSERT_TRUE(second.ConvertGeographic(mLat, mLon, mH, &eLat, &eLon, nullptr, 1));
    EXPECT_LT(MetresApart(to.spheroid, lat, lon, eLat, eLon), 0.001);

    lat = 1.0;
    EXPECT_FALSE(norway.ConvertGeographic(60.0 * kDegree, 5.0 * kDegree, 0.0, &lat, &lon, nullptr, 1));
    EXPECT_EQ(1.0, lat);
    EXPECT_FALSE(norway.ConvertGeographic(63.5 * kDegree, 5.0 * kDegree, 0.0, &lat, &lon, nullptr, 1));
}

TEST(Datum, UserFilesAreChosenByPositionInTheSortedListing)
{
    const double nahrwan[7] = {233.4, 160.7, -381.5, 0, 0, 0.5544, -0.2263};
    const double flipped[7] = {233.4, 160.7, -381.5, 0, 0, -0.5544, -0.2263};
    WriteGlobalFile("a_other.DMF", DmfBytes(nahrwan, 0));
    WriteGlobalFile("B_sign1.DMF", DmfBytes(nahrwan, 1));
    WriteGlobalFile("c_flipped.DMF", DmfBytes(flipped, 0));
    ToSide userTo;
    CDatum user;
    user.SetToSide(&userTo.spheroid, nullptr);
    double results[2][2];
    for (int index : {1, 2})
    {
        ASSERT_TRUE(user.SetDatum(7, index, 1));
        EXPECT_STREQ(index == 1 ? "B_sign1" : "c_flipped", user.m_FileName);
        EXPECT_STREQ(user.m_FileName, user.m_Region); // an empty region text becomes the title
        EXPECT_EQ(20, userTo.spheroid.m_TableIndex);
        ASSERT_TRUE(user.ConvertGeographic(26.0 * kDegree, 51.0 * kDegree, 0.0, &results[index - 1][0],
                                           &results[index - 1][1], nullptr, 1));
    }
    // Rotation sign 1 with the stored rotations is sign 0 with them negated.
    EXPECT_LT(MetresApart(userTo.spheroid, results[0][0], results[0][1], results[1][0], results[1][1]), 1e-6);
    EXPECT_FALSE(user.SetDatum(7, 3, 1));

    // GSF: constant shifts; direction -1 undoes them.
    QByteArray gsf = UserFileHead("X", "Y", "Shifted", "WGS84", "WGS84", "");
    AppendDouble(gsf, 3.6);
    AppendDouble(gsf, -7.2);
    AppendDouble(gsf, 1.5);
    WriteGlobalFile("shift.GSF", gsf);
    ASSERT_TRUE(user.SetDatum(8, 0, 1));
    EXPECT_STREQ("Shifted", user.m_Region);
    double sLat, sLon, sH, bLat, bLon, bH;
    ASSERT_TRUE(user.ConvertGeographic(0.9, 0.1, 2.0, &sLat, &sLon, &sH, 1));
    EXPECT_NEAR(0.9 + 0.001 * kDegree, sLat, 1e-15);
    EXPECT_NEAR(0.1 - 0.002 * kDegree, sLon, 1e-15);
    EXPECT_DOUBLE_EQ(3.5, sH);
    ASSERT_TRUE(user.ConvertGeographic(sLat, sLon, sH, &bLat, &bLon, &bH, -1));
    EXPECT_NEAR(0.9, bLat, 1e-15);
    EXPECT_NEAR(2.0, bH, 1e-12);

    // GRD: an affine map of the grid; direction -1 solves it back.
    QByteArray grd = UserFileHead("G1", "G2", "", "WGS84", "WGS84", "");
    double c[CDatum::GRD_COEFFICIENTS] = {500000, 6000000, 1.0001, 0.0002, -0.0002, 1.0001, 12.5, -30.25};
    for (double v : c)
        AppendDouble(grd, v);
    WriteGlobalFile("z_grid.GRD", grd);
    ToSide gridTo;
    CDatum grid;
    grid.SetToSide(&gridTo.spheroid, &gridTo.projection);
    ASSERT_TRUE(grid.SetDatum(9, 0, 1));
    DatumPoint from{}, target{}, back{};
    CDatum::SetFromGrid(&from, &grid.m_Projection, 510000.0, 6010000.0, 0.0);
    ASSERT_TRUE(grid.Convert(&from, &target, 1));
    EXPECT_NEAR(500000 + 12.5 + 1.0001 * 10000 + 0.0002 * 10000, target.Easting, 1e-3);
    EXPECT_NEAR(6000000 - 30.25 - 0.0002 * 10000 + 1.0001 * 10000, target.Northing, 1e-3);
    ASSERT_TRUE(grid.Convert(&back, &target, -1));
    EXPECT_NEAR(510000.0, back.Easting, 1e-3);
    EXPECT_NEAR(6010000.0, back.Northing, 1e-3);

    // A file cut short: nothing in force, the default spheroids.
    WriteGlobalFile("short.GSF", gsf.left(gsf.size() - 4));
    EXPECT_FALSE(user.SetDatum(8, 1, 1)); // "shift" lists before "short"
    EXPECT_EQ(26, user.m_Spheroid.m_TableIndex);
    EXPECT_EQ(20, userTo.spheroid.m_TableIndex);
    EXPECT_EQ(0.0, user.m_LatitudeShift);
}

TEST(Datum, SettingsMissingStartWithUkooaAndSavedSettingsComeBack)
{
    {
        ToSide to;
        CDatum datum;
        datum.SetToSide(&to.spheroid, &to.projection);
        datum.LoadSettings();
        EXPECT_EQ(1, datum.m_Method);
        EXPECT_EQ(2, datum.m_Index);
        EXPECT_STREQ("UKOOA Recommended", datum.m_Region);
        ASSERT_TRUE(datum.SetDatum(6, 3, 1));
        ASSERT_TRUE(datum.SaveSettings());
    }
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    datum.LoadSettings();
    EXPECT_EQ(6, datum.m_Method);
    EXPECT_EQ(3, datum.m_Index);
    EXPECT_STREQ("Algerian Landfall", datum.m_Region);
}

TEST(Datum, TimeDependentParametersAtTheFixedEpoch)
{
    const double base[7] = {1, 2, 3, 0.1, 0.2, 0.3, 0.5};
    const double rates[7] = {0.1, 0.1, 0.1, 0.01, 0.01, 0.01, 0.05};
    const double atEpoch[7] = {2, 3, 4, 0.2, 0.3, 0.4, 1.0};
    WriteGlobalFile("a.DMF", DmfBytes(base, 0, rates, 2010.0, 2020.0, true));
    WriteGlobalFile("b.DMF", DmfBytes(atEpoch, 0));
    ToSide to1, to2;
    CDatum d1, d2;
    d1.SetToSide(&to1.spheroid, nullptr);
    d2.SetToSide(&to2.spheroid, nullptr);
    ASSERT_TRUE(d1.SetDatum(7, 0, 1));
    ASSERT_TRUE(d2.SetDatum(7, 1, 1));
    double a1, o1, a2, o2;
    ASSERT_TRUE(d1.ConvertGeographic(0.8, 0.2, 0.0, &a1, &o1, nullptr, 1));
    ASSERT_TRUE(d2.ConvertGeographic(0.8, 0.2, 0.0, &a2, &o2, nullptr, 1));
    EXPECT_LT(MetresApart(to1.spheroid, a1, o1, a2, o2), 1e-6);
}

// The OSTN road through the datum against PROJ on the same small grid pair: ETRS89 to National
// Grid easting and northing, and National Grid back to ETRS89.
TEST(Datum, OstnMatchesProjBothWays)
{
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, &to.projection);
    ASSERT_TRUE(datum.SetDatum(2, 0, 1));
    const CString folder =
        WindowsPathFromLinux(QString(SUITE_SOURCE_DIR) + "/geodesy/tests/data/ostn_window") + "\\";
    ASSERT_TRUE(datum.m_Ostn.LoadFromFolder(folder));
    EXPECT_EQ(0, to.spheroid.m_TableIndex); // Airy 1830 under the National Grid
    int rows = 0;
    for (const auto& row : ReadFixture("datum_ostn_proj.csv"))
    {
        const double in1 = std::stod(row[1]), in2 = std::stod(row[2]);
        const double out1 = std::stod(row[3]), out2 = std::stod(row[4]);
        DatumPoint from{}, target{};
        if (row[0] == "forward")
        {
            CDatum::SetFromGeographic(&from, &datum.m_Projection, in1 * kDegree, in2 * kDegree, 0.0);
            ASSERT_TRUE(datum.Convert(&from, &target, 1));
            EXPECT_NEAR(out1, target.Easting, 0.001) << in1 << "," << in2;
            EXPECT_NEAR(out2, target.Northing, 0.001) << in1 << "," << in2;
            EXPECT_STREQ("  (1km Squares)", datum.m_AreaText);
        }
        else
        {
            CDatum::SetFromGrid(&target, &to.projection, in1, in2, 0.0);
            ASSERT_TRUE(datum.Convert(&from, &target, -1));
            EXPECT_LT(MetresApart(to.spheroid, out1 * kDegree, out2 * kDegree, from.Latitude, from.Longitude),
                      0.001)
                << in1 << "," << in2;
        }
        ++rows;
    }
    EXPECT_EQ(40, rows);
}

// The NTv2 file shifts NAD27 to NAD83; the datum names NAD83 its "From" side, so direction +1
// undoes the file's shift and -1 applies it (PROJ's inverse and forward on a real grid).
TEST(Datum, NTv2GoesFromNad83ToNad27)
{
    if (!CopyProjGridAsNTv2("BETA2007.gsb"))
        GTEST_SKIP() << "install Debian's proj-data (scripts/setup.sh does) to compare with PROJ";
    ToSide to;
    CDatum datum;
    datum.SetToSide(&to.spheroid, nullptr);
    ASSERT_TRUE(datum.SetDatum(5, 0, 1));
    std::atomic<bool> loading{false};
    ASSERT_NE(CNTv2Thread::StartLoad(&datum.m_NTv2, &loading), nullptr);
    for (int i = 0; i < 2000 && !datum.m_NTv2.m_bFinished; ++i)
        QThread::msleep(5);
    ASSERT_TRUE(datum.m_NTv2.m_bLoaded);
    int rows = 0;
    for (const auto& row : ReadFixture("datum_ntv2_proj.csv"))
    {
        const double lat = std::stod(row[0]) * kDegree, lon = std::stod(row[1]) * kDegree;
        double oLat, oLon;
        ASSERT_TRUE(datum.ConvertGeographic(lat, lon, 0.0, &oLat, &oLon, nullptr, 1));
        EXPECT_LT(MetresApart(to.spheroid, std::stod(row[4]) * kDegree, std::stod(row[5]) * kDegree, oLat, oLon),
                  0.001)
            << row[0] << "," << row[1];
        ASSERT_TRUE(datum.ConvertGeographic(lat, lon, 0.0, &oLat, &oLon, nullptr, -1));
        EXPECT_LT(MetresApart(to.spheroid, std::stod(row[2]) * kDegree, std::stod(row[3]) * kDegree, oLat, oLon),
                  0.001)
            << row[0] << "," << row[1];
        ++rows;
    }
    EXPECT_EQ(12, rows);
}
