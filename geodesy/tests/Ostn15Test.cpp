#include "geodesy/Ostn15Grid.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "geodesy/tests/GeodesyTestData.h"

#include "platform/core/FileApi.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace geodesytest;

namespace
{
// Airy 1830 as the National Grid defines it.
const double kAiryA = 6377563.396;
const double kAiryB = 6356256.909;

NationalGridConstantsDef Airy()
{
    NationalGridConstantsDef c;
    ComputeNationalGridConstants(kAiryA, kAiryB, c);
    return c;
}

// The National Grid as the engine's transverse Mercator: Airy 1830, true origin 49 N 2 W,
// scale 0.9996012717, false origin 400000 m, -100000 m.
struct NationalGridProjection
{
    CSpheroid spheroid;
    CProjection projection;
    NationalGridProjection()
    {
        spheroid.SetAxes(kAiryA, kAiryA / (kAiryA - kAiryB));
        projection.SetSpheroid(&spheroid);
        projection.SetParametersDegrees(49.0, -2.0, 400000.0, -100000.0, 0.9996012717);
    }
};

// A single-grid NTv2 file pair for the tests: 50 N..51 N, 1 W..3 W (positive west: 3600..10800),
// every half degree (3 x 5 nodes), with shifts linear in row and column so that bilinear
// interpolation reproduces them exactly. The steps are exact in 32-bit floats.
struct PairSpec
{
    double sLat = 180000, nLat = 183600, eLong = 3600, wLong = 10800, latInc = 1800, longInc = 1800;
    double latBase, lonBase; // arc-seconds at the first node

    int Rows() const { return static_cast<int>((nLat - sLat) / latInc) + 1; }
    int Columns() const { return static_cast<int>((wLong - eLong) / longInc) + 1; }
    double LatShift(double row, double col) const { return latBase + 0.25 * row + 0.125 * col; }
    double LonShift(double row, double col) const { return lonBase - 0.5 * row + 0.0625 * col; }
    // Shifts at a latitude and longitude in radians (positive north and east).
    double LatShiftAt(double lat, double lon) const
    {
        return LatShift((lat / kArcSecond - sLat) / latInc, (-lon / kArcSecond - eLong) / longInc);
    }
    double LonShiftAt(double lat, double lon) const
    {
        return LonShift((lat / kArcSecond - sLat) / latInc, (-lon / kArcSecond - eLong) / longInc);
    }
};

const PairSpec kOsgbToEtrs = {180000, 183600, 3600, 10800, 1800, 1800, -1.5, 4.0};
const PairSpec kEtrsToOsgb = {180000, 183600, 3600, 10800, 1800, 1800, 1.5, -4.0};

void AppendText8(QByteArray& bytes, const char* text)
{
    char field[8];
    std::memset(field, ' ', 8);
    std::memcpy(field, text, std::min<size_t>(8, std::strlen(text)));
    bytes.append(field, 8);
}

void AppendRecord(QByteArray& bytes, const char* name, double value)
{
    AppendText8(bytes, name);
    AppendDouble(bytes, value);
}

void AppendCount(QByteArray& bytes, const char* name, int32_t value)
{
    AppendText8(bytes, name);
    AppendInt32(bytes, value);
    AppendInt32(bytes, 0);
}

QByteArray GsbFile(const PairSpec& g, int32_t countDelta = 0, int cutBytes = 0)
{
    QByteArray bytes;
    AppendCount(bytes, "NUM_OREC", 11);
    AppendCount(bytes, "NUM_SREC", 11);
    AppendCount(bytes, "NUM_FILE", 1);
    AppendText8(bytes, "GS_TYPE");
    AppendText8(bytes, "SECONDS");
    AppendText8(bytes, "VERSION");
    AppendText8(bytes, "OSTN15");
    AppendText8(bytes, "SYSTEM_F");
    AppendText8(bytes, "OSGB36");
    AppendText8(bytes, "SYSTEM_T");
    AppendText8(bytes, "ETRS89");
    AppendRecord(bytes, "MAJOR_F", kAiryA);
    AppendRecord(bytes, "MINOR_F", kAiryB);
    AppendRecord(bytes, "MAJOR_T", 6378137.0);
    AppendRecord(bytes, "MINOR_T", 6356752.314140356);
    AppendText8(bytes, "SUB_NAME");
    AppendText8(bytes, "OSTN15");
    AppendText8(bytes, "PARENT");
    AppendText8(bytes, "NONE");
    AppendText8(bytes, "CREATED");
    AppendText8(bytes, "");
    AppendText8(bytes, "UPDATED");
    AppendText8(bytes, "");
    AppendRecord(bytes, "S_LAT", g.sLat);
    AppendRecord(bytes, "N_LAT", g.nLat);
    AppendRecord(bytes, "E_LONG", g.eLong);
    AppendRecord(bytes, "W_LONG", g.wLong);
    AppendRecord(bytes, "LAT_INC", g.latInc);
    AppendRecord(bytes, "LONG_INC", g.longInc);
    AppendCount(bytes, "GS_COUNT", g.Rows() * g.Columns() + countDelta);
    for (int k = 0; k < g.Rows() * g.Columns(); ++k)
    {
        const float values[4] = {static_cast<float>(g.LatShift(k / g.Columns(), k % g.Columns())),
                                 static_cast<float>(g.LonShift(k / g.Columns(), k % g.Columns())), 0.001f,
                                 0.001f};
        bytes.append(reinterpret_cast<const char*>(values), 16);
    }
    AppendText8(bytes, "END");
    AppendDouble(bytes, 0.0);
    bytes.chop(cutBytes);
    return bytes;
}

// Writes the pair (either may be left out) into "C:\Program\" and returns that folder.
CString WritePair(const QByteArray* etrsToOsgb, const QByteArray* osgbToEtrs)
{
    QDir().mkpath(TempDrives::Current()->OnC("Program"));
    auto write = [](const char* name, const QByteArray& bytes) {
        QFile f(TempDrives::Current()->OnC(QString("Program/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    if (etrsToOsgb)
        write("OSTN15_NTv2_ETRStoOSGB.gsb", *etrsToOsgb);
    if (osgbToEtrs)
        write("OSTN15_NTv2_OSGBtoETRS.gsb", *osgbToEtrs);
    return CString("C:\\Program\\");
}

bool HeaderIsZero(const BYTE* header)
{
    for (int i = 0; i < COstn15Grid::HEADER_BYTES; ++i)
        if (header[i])
            return false;
    return true;
}

bool IsEmpty(const COstn15Grid& grid)
{
    return !grid.m_pEtrsToOsgb && !grid.m_pOsgbToEtrs && HeaderIsZero(grid.m_EtrsToOsgbHeader) &&
           HeaderIsZero(grid.m_OsgbToEtrsHeader);
}
} // namespace

TEST(Ostn15Round, HalvesGoAwayFromZero)
{
    const struct
    {
        double x, expected;
    } cases[] = {{2.5, 3},   {-2.5, -3}, {2.4999, 2}, {-2.4999, -2},       {0.5, 1},
                 {-0.5, -1}, {0, 0},     {7, 7},      {-183600.5, -183601}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfAwayFromZero(c.x), c.expected) << c.x;
}

TEST(Ostn15NationalGrid, TrueOriginAndItsInverse)
{
    const NationalGridConstantsDef airy = Airy();
    double e = 0, n = 0;
    GeographicToNationalGrid(&e, &n, airy, 49 * kDegree, -2 * kDegree);
    EXPECT_NEAR(e, 400000.0, 1e-6);
    EXPECT_NEAR(n, -100000.0, 1e-6);
    double lat = 0, lon = 0;
    NationalGridToGeographic(lat, &lon, airy, 400000.0, -100000.0);
    EXPECT_NEAR(lat, 49 * kDegree, 4.848136811095278e-9);
    EXPECT_NEAR(lon, -2 * kDegree, 1e-12);
    // Either output may be left out; the latitude passed in is only where the search starts.
    double start = 0.9;
    NationalGridToGeographic(start, nullptr, airy, 400000.0, -100000.0);
    EXPECT_NEAR(start, lat, 1e-12);
    GeographicToNationalGrid(nullptr, &n, airy, 49 * kDegree, -2 * kDegree);
    GeographicToNationalGrid(&e, nullptr, airy, 49 * kDegree, -2 * kDegree);
}

// Against the exact projection over the whole extent of the OSTN15 grid (49.75 N..61 N,
// 9 W..2 E), from the table of ostn15_generate_fixtures.py: forward within 0.1 mm everywhere;
// the inverse series within 0.1 mm up to 5 degrees from the central meridian (7 W) and
// within 1.5 mm at 7 degrees (9 W).
TEST(Ostn15NationalGrid, AgreesWithTheExactProjection)
{
    const NationalGridConstantsDef airy = Airy();
    const auto rows = ReadFixture("ostn15_national_grid.csv");
    ASSERT_EQ(rows.size(), 16u * 23u);
    for (const auto& r : rows)
    {
        const double lat = std::stod(r[0]) * kDegree;
        const double lon = std::stod(r[1]) * kDegree;
        const double wantE = std::stod(r[2]);
        const double wantN = std::stod(r[3]);
        SCOPED_TRACE(testing::Message() << r[0] << ", " << r[1]);
        double e, n;
        GeographicToNationalGrid(&e, &n, airy, lat, lon);
        EXPECT_LE(std::hypot(e - wantE, n - wantN), 0.0001);
        double gotLat = 0, gotLon = 0;
        NationalGridToGeographic(gotLat, &gotLon, airy, wantE, wantN);
        const double inverseTolerance = std::fabs(std::stod(r[1]) + 2.0) <= 5.0 ? 0.0001 : 0.0015;
        EXPECT_LE(std::hypot((gotLat - lat) * 6.4e6, (gotLon - lon) * 6.4e6 * std::cos(lat)),
                  inverseTolerance);
    }
}

// The same against the projection engine's transverse Mercator, within 3.5 degrees of the
// central meridian where that is itself within 0.05 mm of the exact projection.
TEST(Ostn15NationalGrid, AgreesWithTheProjectionEngine)
{
    const NationalGridConstantsDef airy = Airy();
    NationalGridProjection tm;
    for (double latDeg = 49.5; latDeg <= 61.0; latDeg += 0.5)
    {
        for (double lonDeg = -5.5; lonDeg <= 1.5; lonDeg += 0.25)
        {
            const double lat = latDeg * kDegree;
            const double lon = lonDeg * kDegree;
            SCOPED_TRACE(testing::Message() << latDeg << ", " << lonDeg);
            double e, n, te, tn;
            GeographicToNationalGrid(&e, &n, airy, lat, lon);
            ASSERT_TRUE(tm.projection.GeographicToGrid(lat, lon, &te, &tn));
            EXPECT_LE(std::hypot(e - te, n - tn), 0.0001);
            double gotLat = 0, gotLon = 0, tmLat, tmLon;
            NationalGridToGeographic(gotLat, &gotLon, airy, te, tn);
            ASSERT_TRUE(tm.projection.GridToGeographic(te, tn, &tmLat, &tmLon));
            EXPECT_LE(std::hypot((gotLat - tmLat) * 6.4e6, (gotLon - tmLon) * 6.4e6 * std::cos(lat)), 0.0001);
        }
    }
}

TEST(Ostn15Grid, EmptyUntilLoadedAndRefusesToConvert)
{
    COstn15Grid grid;
    EXPECT_TRUE(IsEmpty(grid));
    double a = 5, b = 6;
    EXPECT_FALSE(grid.OsgbToEtrs(a, b, 100000, 400000));
    EXPECT_FALSE(grid.EtrsToOsgb(a, b, -2 * kDegree, 50.5 * kDegree));
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
}

// OSGB36 grid to ETRS89: the National Grid inverse on Airy, then the OSGB-to-ETRS shift at
// that latitude and longitude.
TEST(Ostn15Grid, OsgbToEtrsShiftsTheProjectedPoint)
{
    const QByteArray etrs = GsbFile(kEtrsToOsgb);
    const QByteArray osgb = GsbFile(kOsgbToEtrs);
    COstn15Grid grid;
    ASSERT_TRUE(grid.LoadFromFolder(WritePair(&etrs, &osgb)));
    EXPECT_EQ(grid.m_Columns, 5);
    EXPECT_EQ(grid.m_SLat, 180000);
    EXPECT_EQ(grid.m_WLong, 10800);
    EXPECT_EQ(grid.m_FromConstants.a, kAiryA);
    EXPECT_EQ(grid.m_ToConstants.a, 6378137.0);

    const NationalGridConstantsDef airy = Airy();
    const double points[][2] = {{50.25, -1.75}, {50.9, -2.95}, {50.0001, -1.0001}, {50.5, -2.0}};
    for (const auto& p : points)
    {
        SCOPED_TRACE(testing::Message() << p[0] << ", " << p[1]);
        double e, n;
        GeographicToNationalGrid(&e, &n, airy, p[0] * kDegree, p[1] * kDegree);
        double lat = 0, lon = 0;
        NationalGridToGeographic(lat, &lon, airy, e, n);
        double gotLat = 0, gotLon = 0;
        ASSERT_TRUE(grid.OsgbToEtrs(gotLat, gotLon, n, e));
        EXPECT_NEAR(gotLat, lat + kOsgbToEtrs.LatShiftAt(lat, lon) * kArcSecond, 1e-13);
        EXPECT_NEAR(gotLon, lon - kOsgbToEtrs.LonShiftAt(lat, lon) * kArcSecond, 1e-13);
        // The round trip through the projection stays within a millimetre here.
        EXPECT_NEAR(lat, p[0] * kDegree, 1e-10);
    }
}

// ETRS89 to OSGB36 grid: the ETRS-to-OSGB shift at the point, then the National Grid forward
// on Airy. Points on the north and west boundaries are inside, and served by the last cell.
TEST(Ostn15Grid, EtrsToOsgbShiftsThenProjectsUpToTheBoundary)
{
    const QByteArray etrs = GsbFile(kEtrsToOsgb);
    const QByteArray osgb = GsbFile(kOsgbToEtrs);
    COstn15Grid grid;
    ASSERT_TRUE(grid.LoadFromFolder(WritePair(&etrs, &osgb)));
    const NationalGridConstantsDef airy = Airy();

    // The largest latitude and west longitude (radians) that the inclusive bounds test accepts
    // for a boundary given in arc-seconds.
    auto onBoundary = [](double seconds) {
        double r = seconds / 206264.80624716;
        while (r * 206264.80624716 > seconds)
            r = std::nextafter(r, 0.0);
        return r;
    };
    const double north = onBoundary(183600);
    const double west = onBoundary(10800);
    const double south = 180000 * kArcSecond;
    const double east = 3600 * kArcSecond;
    // The boundary points really do fall in the last row and column of nodes.
    ASSERT_GE(std::floor((north * 57.2957795131 * 3600 - 180000) / 1800), 1.0);
    const struct
    {
        const char* what;
        double lat, west;
    } cases[] = {
        {"inside", 50.3 * kDegree, 1.6 * kDegree},   {"the north boundary", north, 1.6 * kDegree},
        {"the west boundary", 50.3 * kDegree, west}, {"the north-west corner", north, west},
        {"the south-east corner", south, east},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const double lon = -c.west;
        double e = 0, n = 0;
        ASSERT_TRUE(grid.EtrsToOsgb(e, n, lon, c.lat));
        double wantE, wantN;
        GeographicToNationalGrid(&wantE, &wantN, airy,
                                 c.lat + kEtrsToOsgb.LatShiftAt(c.lat, lon) * kArcSecond,
                                 lon - kEtrsToOsgb.LonShiftAt(c.lat, lon) * kArcSecond);
        EXPECT_NEAR(e, wantE, 1e-6);
        EXPECT_NEAR(n, wantN, 1e-6);
    }

    // One arc-second outside any side is refused, with the outputs untouched.
    const double outside[][2] = {{(180000 - 1) * kArcSecond, 1.6 * kDegree},
                                 {(183600 + 1) * kArcSecond, 1.6 * kDegree},
                                 {50.3 * kDegree, (3600 - 1) * kArcSecond},
                                 {50.3 * kDegree, (10800 + 1) * kArcSecond}};
    for (const auto& p : outside)
    {
        double e = 1, n = 2;
        EXPECT_FALSE(grid.EtrsToOsgb(e, n, -p[1], p[0]));
        EXPECT_EQ(e, 1);
        EXPECT_EQ(n, 2);
    }
    double e, n;
    GeographicToNationalGrid(&e, &n, airy, (180000 - 1) * kArcSecond, -1.6 * kDegree);
    double lat = 3, lon = 4;
    EXPECT_FALSE(grid.OsgbToEtrs(lat, lon, n, e));
    EXPECT_EQ(lat, 3);
    EXPECT_EQ(lon, 4);
}

// Both files load or neither is kept; a file that is not whole, or whose node count is not its
// grid's, counts as missing.
TEST(Ostn15Grid, LoadsBothFilesOrNeither)
{
    const QByteArray good = GsbFile(kOsgbToEtrs);
    const QByteArray cut = GsbFile(kOsgbToEtrs, 0, 16 + 16 * 3);
    const QByteArray cutHeader = good.left(300);
    const QByteArray huge = GsbFile(kOsgbToEtrs, 0x7FFFFFFF - 15);
    const QByteArray shortCount = GsbFile(kOsgbToEtrs, -1);
    const QByteArray extraRow = GsbFile(kOsgbToEtrs, 5);
    QByteArray twoGrids = good;
    const int32_t two = 2;
    std::memcpy(twoGrids.data() + 40, &two, 4);
    QByteArray noAxis = good;
    const double zero = 0.0;
    std::memcpy(noAxis.data() + 136, &zero, 8); // MINOR_F
    // The last node's latitude shift (the end record's 16 bytes follow it) is no number.
    QByteArray nanNode = good;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(nanNode.data() + nanNode.size() - 32, &nan, 4);

    const struct
    {
        const char* what;
        const QByteArray* etrs;
        const QByteArray* osgb;
        bool loads;
    } cases[] = {
        {"both whole", &good, &good, true},
        {"no first file", nullptr, &good, false},
        {"no second file", &good, nullptr, false},
        {"first file cut in its records", &cut, &good, false},
        {"second file cut in its records", &good, &cut, false},
        {"second file cut in its header", &good, &cutHeader, false},
        {"GS_COUNT of two thousand million", &huge, &good, false},
        {"GS_COUNT one short of the grid", &good, &shortCount, false},
        {"GS_COUNT beyond the grid", &good, &extraRow, false},
        {"two sub-grids announced", &twoGrids, &good, false},
        {"no minor axis", &good, &noAxis, false},
        {"a node that is not a number", &nanNode, &good, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        QFile::remove(TempDrives::Current()->OnC("Program/OSTN15_NTv2_ETRStoOSGB.gsb"));
        QFile::remove(TempDrives::Current()->OnC("Program/OSTN15_NTv2_OSGBtoETRS.gsb"));
        COstn15Grid grid;
        // A reload starts from nothing: what an earlier load held goes first.
        const QByteArray etrs = GsbFile(kEtrsToOsgb);
        ASSERT_TRUE(grid.LoadFromFolder(WritePair(&etrs, &good)));
        QFile::remove(TempDrives::Current()->OnC("Program/OSTN15_NTv2_ETRStoOSGB.gsb"));
        QFile::remove(TempDrives::Current()->OnC("Program/OSTN15_NTv2_OSGBtoETRS.gsb"));
        const CString folder = WritePair(c.etrs, c.osgb);
        EXPECT_EQ(grid.LoadFromFolder(folder), c.loads);
        EXPECT_EQ(grid.IsLoaded(), c.loads);
        if (!c.loads)
        {
            EXPECT_TRUE(IsEmpty(grid));
        }
        double lat, lon;
        EXPECT_EQ(grid.OsgbToEtrs(lat, lon, 50000, 450000) ||
                      grid.EtrsToOsgb(lat, lon, -1.6 * kDegree, 50.3 * kDegree),
                  c.loads);
    }
}

// Load finds the pair in the running program's folder, also when the program was started with
// an argument that is a path of its own.
TEST(Ostn15Grid, LoadLooksInTheProgramFolder)
{
    const QByteArray etrs = GsbFile(kEtrsToOsgb);
    const QByteArray osgb = GsbFile(kOsgbToEtrs);
    WritePair(&etrs, &osgb);

    // The test program's own command line comes back afterwards.
    const CString saved(GetCommandLineA());
    CString program = saved;
    if (program.GetLength() > 0 && program[0] == '"')
        program = program.Mid(1, program.Find('"', 1) - 1);
    struct Restore
    {
        CString program;
        ~Restore()
        {
            char* argv[] = {const_cast<char*>(program.GetString())};
            AfxSetCommandLine(1, argv);
        }
    } restore{program};

    char arg0[] = "C:\\Program\\Geodetic.exe";
    char arg1[] = "C:\\Other Folder\\points.csv";
    char* argv[] = {arg0, arg1};
    AfxSetCommandLine(2, argv);
    COstn15Grid grid;
    EXPECT_TRUE(grid.Load());
    EXPECT_TRUE(grid.IsLoaded());
}
