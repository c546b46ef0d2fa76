#include "geodesy/NTv2.h"
#include "geodesy/NTv2Thread.h"
#include "geodesy/tests/GeodesyTestData.h"

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/StdioFile.h"

#include <QFile>

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <thread>

using namespace geodesytest;

namespace
{
const double kRadToDeg = 180.0 / 3.14159265358979323846;

// A sub-grid for a test: its header and shifts that are linear in the node's row and column,
// so that bilinear interpolation reproduces them exactly anywhere in a cell. The steps are
// powers of two, exact in the file's 32-bit floats.
struct SubGridShape
{
    const char* name;
    const char* parent;
    double sLat, nLat, eLong, wLong, latInc, longInc; // arc-seconds, longitude positive west
    double latBase, lonBase;                          // shifts at the first node, arc-seconds

    int Rows() const { return static_cast<int>((nLat - sLat) / latInc) + 1; }
    int Columns() const { return static_cast<int>((wLong - eLong) / longInc) + 1; }
    // Shifts (arc-seconds) at a position given in nodes from the first.
    double LatShift(double row, double col) const { return latBase + 0.25 * row + 0.125 * col; }
    double LonShift(double row, double col) const { return lonBase - 0.5 * row + 0.0625 * col; }
    double LatShiftAt(double lat, double west) const
    {
        return LatShift((lat - sLat) / latInc, (west - eLong) / longInc);
    }
    double LonShiftAt(double lat, double west) const
    {
        return LonShift((lat - sLat) / latInc, (west - eLong) / longInc);
    }
};

// Canada-like: a parent of 5 x 9 nodes at 900" and a child of 4 x 7 nodes at 300" inside it.
const SubGridShape kParent = {"PARENT", "NONE", 180000, 183600, 360000, 367200, 900, 900, 1.0, -2.0};
const SubGridShape kChild = {"CHILD", "PARENT", 181800, 182700, 363600, 365400, 300, 300, 3.0, 4.0};
// Southern and eastern: 48 S..47 S, 170 E..168 E (positive west: -612000..-604800).
const SubGridShape kSouthEast = {"SE", "NONE", -172800, -169200, -612000, -604800, 1800, 1800, 0.5, -1.0};
// Across Greenwich: 1 E..1 W.
const SubGridShape kGreenwich = {"GW", "NONE", 180000, 183600, -3600, 3600, 1800, 1800, 2.0, 1.0};
// Up to the 180th meridian: 180 E..178 E.
const SubGridShape kDateLine = {"DL", "NONE", -162000, -158400, -648000, -640800, 1800, 1800, 1.0, 1.0};

void AppendText8(QByteArray& bytes, const char* text)
{
    char field[8];
    std::memset(field, ' ', 8);
    std::memcpy(field, text, std::min<size_t>(8, std::strlen(text)));
    bytes.append(field, 8);
}

void AppendFloat(QByteArray& bytes, float value)
{
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.append(raw, 4);
}

void AppendIntRecord(QByteArray& bytes, const char* name, int32_t value)
{
    AppendText8(bytes, name);
    AppendInt32(bytes, value);
    AppendInt32(bytes, 0);
}

void AppendTextRecord(QByteArray& bytes, const char* name, const char* value)
{
    AppendText8(bytes, name);
    AppendText8(bytes, value);
}

void AppendDoubleRecord(QByteArray& bytes, const char* name, double value)
{
    AppendText8(bytes, name);
    AppendDouble(bytes, value);
}

// What a test may spoil in a file it writes.
struct Damage
{
    int32_t numOrec = 11;
    bool setNumFile = false; // NUM_FILE as below rather than the number of sub-grids
    int32_t numFile = 0;
    int32_t countDelta = 0;          // added to GS_COUNT of the first sub-grid
    bool recordsFollowCount = false; // write as many records as the spoilt GS_COUNT says
    int cutBytes = 0;                // bytes cut off the end of the file
    float childShift = 0.0f;         // when not 0, the latitude shift of the child's last node
};

QByteArray GsbFile(const std::vector<SubGridShape>& grids, const Damage& damage = Damage())
{
    QByteArray bytes;
    AppendIntRecord(bytes, "NUM_OREC", damage.numOrec);
    AppendIntRecord(bytes, "NUM_SREC", 11);
    AppendIntRecord(bytes, "NUM_FILE",
                    damage.setNumFile ? damage.numFile : static_cast<int32_t>(grids.size()));
    AppendTextRecord(bytes, "GS_TYPE", "SECONDS");
    AppendTextRecord(bytes, "VERSION", "NTv2.0");
    AppendTextRecord(bytes, "SYSTEM_F", "NAD27");
    AppendTextRecord(bytes, "SYSTEM_T", "NAD83");
    AppendDoubleRecord(bytes, "MAJOR_F", 6378206.4);
    AppendDoubleRecord(bytes, "MINOR_F", 6356583.8);
    AppendDoubleRecord(bytes, "MAJOR_T", 6378137.0);
    AppendDoubleRecord(bytes, "MINOR_T", 6356752.314);
    for (size_t n = 0; n < grids.size(); ++n)
    {
        const SubGridShape& g = grids[n];
        const int32_t count = g.Rows() * g.Columns() + (n == 0 ? damage.countDelta : 0);
        AppendTextRecord(bytes, "SUB_NAME", g.name);
        AppendTextRecord(bytes, "PARENT", g.parent);
        AppendTextRecord(bytes, "CREATED", "20240611");
        AppendTextRecord(bytes, "UPDATED", "20240612");
        AppendDoubleRecord(bytes, "S_LAT", g.sLat);
        AppendDoubleRecord(bytes, "N_LAT", g.nLat);
        AppendDoubleRecord(bytes, "E_LONG", g.eLong);
        AppendDoubleRecord(bytes, "W_LONG", g.wLong);
        AppendDoubleRecord(bytes, "LAT_INC", g.latInc);
        AppendDoubleRecord(bytes, "LONG_INC", g.longInc);
        AppendIntRecord(bytes, "GS_COUNT", count);
        const int written = (n == 0 && damage.recordsFollowCount) ? count : g.Rows() * g.Columns();
        for (int k = 0; k < written; ++k)
        {
            const int row = k / g.Columns();
            const int col = k % g.Columns();
            const bool spoilt = n == 1 && damage.childShift != 0.0f && k == written - 1;
            AppendFloat(bytes, spoilt ? damage.childShift : static_cast<float>(g.LatShift(row, col)));
            AppendFloat(bytes, static_cast<float>(g.LonShift(row, col)));
            AppendFloat(bytes, 0.01f);
            AppendFloat(bytes, 0.02f);
        }
    }
    AppendTextRecord(bytes, "END", "");
    bytes.chop(damage.cutBytes);
    return bytes;
}

// Loads "NTV2_0.GSB" of the global data folder into `grid` as the datum does, and waits for
// the thread to end.
void LoadAndWait(CNTv2& grid)
{
    std::atomic<bool> loading{false};
    ASSERT_NE(CNTv2Thread::StartLoad(&grid, &loading), nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((loading || !grid.m_bFinished) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(grid.m_bFinished);
    ASSERT_FALSE(loading) << "the thread clears the owner's flag when it goes";
}

// A grid in memory with the given sub-grids, as a load would leave it.
void Fill(CNTv2& grid, const std::vector<SubGridShape>& specs)
{
    for (const SubGridShape& s : specs)
    {
        auto* g = new DataSetDef;
        g->m_SubName = s.name;
        g->m_Parent = s.parent;
        g->m_SLat = s.sLat;
        g->m_NLat = s.nLat;
        g->m_ELong = s.eLong;
        g->m_WLong = s.wLong;
        g->m_LatInc = s.latInc;
        g->m_LongInc = s.longInc;
        for (int k = 0; k < s.Rows() * s.Columns(); ++k)
        {
            const int row = k / s.Columns();
            const int col = k % s.Columns();
            g->m_Records.Add(
                {static_cast<float>(s.LatShift(row, col)), static_cast<float>(s.LonShift(row, col)), 0, 0});
        }
        grid.Add(g);
    }
    grid.m_bLoaded = true;
}

double SecondsToRadians(double seconds)
{
    return seconds * kArcSecond;
}
} // namespace

TEST(NTv2Load, ReadsHeaderAndSubGridsInFileOrder)
{
    WriteGlobalFile("NTV2_0.GSB", GsbFile({kParent, kChild}));
    CNTv2 grid;
    LoadAndWait(grid);
    ASSERT_TRUE(grid.m_bLoaded);
    EXPECT_STREQ(grid.m_Version, "NTv2.0  ") << "VERSION keeps its blanks";
    EXPECT_STREQ(grid.m_FromSystem, "NAD27");
    EXPECT_STREQ(grid.m_ToSystem, "NAD83");
    EXPECT_EQ(grid.m_FromMajorAxis, 6378206.4);
    EXPECT_EQ(grid.m_FromMinorAxis, 6356583.8);
    EXPECT_EQ(grid.m_ToMajorAxis, 6378137.0);
    EXPECT_EQ(grid.m_ToMinorAxis, 6356752.314);
    ASSERT_EQ(grid.GetSize(), 2);
    const DataSetDef* parent = grid[0];
    const DataSetDef* child = grid[1];
    EXPECT_STREQ(parent->m_SubName, "PARENT");
    EXPECT_STREQ(parent->m_Parent, "NONE");
    EXPECT_STREQ(child->m_Parent, "PARENT");
    EXPECT_STREQ(child->m_Created, "20240611");
    EXPECT_EQ(parent->m_SLat, 180000);
    EXPECT_EQ(parent->m_NLat, 183600);
    EXPECT_EQ(parent->m_ELong, 360000);
    EXPECT_EQ(parent->m_WLong, 367200);
    EXPECT_EQ(parent->m_Records.GetSize(), 5 * 9);
    EXPECT_EQ(child->m_Records.GetSize(), 4 * 7);
    const GridShiftRecordDef& last = child->m_Records[4 * 7 - 1];
    EXPECT_EQ(last.LatitudeShift, static_cast<float>(kChild.LatShift(3, 6)));
    EXPECT_EQ(last.LongitudeShift, static_cast<float>(kChild.LonShift(3, 6)));
    EXPECT_EQ(last.LatitudeAccuracy, 0.01f);
    EXPECT_EQ(last.LongitudeAccuracy, 0.02f);
}

// A damaged file is refused whole: the grid stays empty and unloaded, the thread ends, and
// nothing is allocated for counts the file cannot hold.
TEST(NTv2Load, DamagedFilesAreRefusedWhole)
{
    struct Case
    {
        const char* what;
        Damage damage;
    };
    std::vector<Case> cases;
    Damage d;
    cases.push_back({"no damage (control)", d});
    d = Damage();
    d.numOrec = 12;
    cases.push_back({"NUM_OREC not 11", d});
    d = Damage();
    d.cutBytes = 16 + 16 * 10;
    cases.push_back({"cut in the child's records", d});
    d = Damage();
    d.cutBytes = 16;
    cases.push_back({"cut before the end record", d});
    d = Damage();
    d.cutBytes = 1712 - 1100; // the file is 1712 bytes; the second header runs from 1072 to 1248
    cases.push_back({"cut in the second header", d});
    d = Damage();
    d.countDelta = 0x7FFFFFFF - 5 * 9;
    cases.push_back({"GS_COUNT of two thousand million", d});
    d = Damage();
    d.countDelta = -1;
    d.recordsFollowCount = true;
    cases.push_back({"GS_COUNT one short of the grid, file consistent with it", d});
    d = Damage();
    d.countDelta = 9;
    d.recordsFollowCount = true;
    cases.push_back({"GS_COUNT one row beyond the grid", d});
    // A node that is no number would come back from Transform as a shift that is no number.
    d = Damage();
    d.childShift = std::numeric_limits<float>::quiet_NaN();
    cases.push_back({"a node that is not a number", d});
    d = Damage();
    d.childShift = std::numeric_limits<float>::infinity();
    cases.push_back({"an infinite node", d});
    for (int32_t numFile : {1000000, 0, -3})
    {
        d = Damage();
        d.setNumFile = true;
        d.numFile = numFile;
        cases.push_back({numFile > 0 ? "NUM_FILE beyond the file" : "NUM_FILE nought or negative", d});
    }

    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = GsbFile({kParent, kChild}, c.damage);
        if (c.damage.cutBytes == 0 && c.damage.countDelta == 0)
        {
            ASSERT_EQ(bytes.size(), 1712);
        }
        WriteGlobalFile("NTV2_0.GSB", bytes);
        CNTv2 grid;
        LoadAndWait(grid);
        const bool control = std::strcmp(c.what, "no damage (control)") == 0;
        EXPECT_EQ(static_cast<bool>(grid.m_bLoaded), control);
        EXPECT_EQ(grid.GetSize(), control ? 2 : 0);
        EXPECT_EQ(grid.Transform(nullptr, nullptr, SecondsToRadians(181000), -SecondsToRadians(361000)),
                  control ? 0 : -1);
    }
}

TEST(NTv2Load, MissingOrBadlySpacedFilesOnlyFinish)
{
    {
        CNTv2 grid;
        LoadAndWait(grid);
        EXPECT_FALSE(grid.m_bLoaded);
        EXPECT_EQ(grid.GetSize(), 0);
    }
    for (double spacing : {0.0, -900.0, std::nan("")})
    {
        QByteArray bytes = GsbFile({kParent});
        std::memcpy(bytes.data() + 176 + 8 * 16 + 8, &spacing, 8); // LAT_INC
        WriteGlobalFile("NTV2_0.GSB", bytes);
        CNTv2 grid;
        LoadAndWait(grid);
        EXPECT_FALSE(grid.m_bLoaded) << spacing;
        EXPECT_EQ(grid.GetSize(), 0);
    }
}

// FindSubGrid: the deepest sub-grid that holds the point, lower bounds inclusive; a point on an
// edge or beyond it by no more than 1e-5 of the spacings (0.018" for the parent's 900") belongs
// to that sub-grid, the same on all four edges.
TEST(NTv2FindSubGrid, NestedGridsAndEdges)
{
    CNTv2 grid;
    Fill(grid, {kParent, kChild});
    struct Case
    {
        const char* what;
        double lat, lon;
        int32_t expected;
    } cases[] = {
        {"in the parent, outside the child", 180100, 360100, 0},
        {"in the child", 182000, 364000, 1},
        {"the child's south-east corner", 181800, 363600, 1},
        {"the child's north edge", 182700, 364000, 1},
        {"the child's west edge", 182000, 365400, 1},
        {"the child's north-west corner", 182700, 365400, 1},
        {"the parent's south-east corner", 180000, 360000, 0},
        {"the parent's north edge", 183600, 361000, 0},
        {"the parent's west edge", 181000, 367200, 0},
        {"the parent's north-west corner", 183600, 367200, 0},
        {"0.01\" north of the parent", 183600.01, 361000, 0},
        {"0.01\" south of the parent", 179999.99, 361000, 0},
        {"0.01\" east of the parent", 181000, 359999.99, 0},
        {"0.01\" west of the parent", 181000, 367200.01, 0},
        {"0.01\" beyond the parent's south-east corner", 179999.99, 359999.99, 0},
        {"0.03\" north of the parent", 183600.03, 361000, -1},
        {"0.03\" south of the parent", 179999.97, 361000, -1},
        {"0.03\" east of the parent", 181000, 359999.97, -1},
        {"0.03\" west of the parent", 181000, 367200.03, -1},
        {"0.4\" north of the parent", 183600.4, 361000, -1},
        {"the mirror image of a point in the parent", -181000, -361000, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.FindSubGrid(c.lat, c.lon), c.expected) << c.what;
}

// Sub-grids that name one another as parents must not keep the search going for ever.
TEST(NTv2FindSubGrid, ParentCycleEnds)
{
    SubGridShape a = kParent;
    a.name = "LOOP";
    a.parent = "NONE";
    SubGridShape b = kParent;
    b.name = "LOOP";
    b.parent = "LOOP";
    CNTv2 grid;
    Fill(grid, {a, b});
    EXPECT_EQ(grid.FindSubGrid(181000, 361000), 1);
}

// Transform interpolates bilinearly; along the north and west edges the last cell inside
// serves, so every point the search accepts gets an answer.
TEST(NTv2Transform, InterpolatesInsideAndAlongTheEdges)
{
    CNTv2 grid;
    Fill(grid, {kParent, kChild});
    struct Case
    {
        const char* what;
        double lat, west; // arc-seconds
        int32_t index;
        const SubGridShape* shape;
        double expectLat, expectWest; // where the shifts are read, when not the point itself
    } cases[] = {
        {"inside the parent", 180123.25, 360456.5, 0, &kParent, 0, 0},
        {"on a node of the parent", 180900, 360900, 0, &kParent, 0, 0},
        {"inside the child", 182111.5, 364222.75, 1, &kChild, 0, 0},
        {"the parent's north edge (fy = 0)", 183600, 361234.5, 0, &kParent, 0, 0},
        {"the parent's west edge", 180555.5, 367200, 0, &kParent, 0, 0},
        {"the parent's north-west corner", 183600, 367200, 0, &kParent, 0, 0},
        {"the child's north-west corner", 182700, 365400, 1, &kChild, 0, 0},
        {"0.01\" beyond the parent's north edge", 183600.01, 361234.5, 0, &kParent, 183600, 361234.5},
        {"0.01\" beyond the parent's west edge", 180555.5, 367200.01, 0, &kParent, 180555.5, 367200},
        {"0.01\" beyond the parent's south edge", 179999.99, 361234.5, 0, &kParent, 180000, 361234.5},
        {"0.01\" beyond the parent's east edge", 180555.5, 359999.99, 0, &kParent, 180555.5, 360000},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        double lat = -99, lon = -99;
        ASSERT_EQ(grid.Transform(&lat, &lon, SecondsToRadians(c.lat), -SecondsToRadians(c.west)), c.index);
        const double atLat = c.expectLat ? c.expectLat : c.lat;
        const double atWest = c.expectWest ? c.expectWest : c.west;
        const double wantLat = c.lat + c.shape->LatShiftAt(atLat, atWest);
        const double wantWest = c.west + c.shape->LonShiftAt(atLat, atWest);
        EXPECT_NEAR(lat / kArcSecond, wantLat, 2e-6);
        EXPECT_NEAR(-lon / kArcSecond, wantWest, 2e-6);
        EXPECT_EQ(grid.m_LastOutputLatitude, lat);
        EXPECT_EQ(grid.m_LastOutputLongitude, lon);
    }
    // Either output may be left out.
    double lat = 0;
    EXPECT_EQ(grid.Transform(&lat, nullptr, SecondsToRadians(180123.25), -SecondsToRadians(360456.5)), 0);
    EXPECT_NEAR(lat / kArcSecond, 180123.25 + kParent.LatShiftAt(180123.25, 360456.5), 2e-6);
}

// Latitudes keep their sign and longitudes are positive east outside the grid, so a point in
// the southern or eastern hemisphere is shifted where it is, not at its mirror image.
TEST(NTv2Transform, KeepsSignsInEveryHemisphere)
{
    CNTv2 grid;
    Fill(grid, {kSouthEast, kGreenwich, kDateLine});
    struct Case
    {
        const char* what;
        double lat, west; // arc-seconds, positive north and west
        int32_t index;
        const SubGridShape* shape;
        double gridWest; // the longitude as the grid holds it
    } cases[] = {
        {"47.5 S 169 E", -171000, -608400, 0, &kSouthEast, -608400},
        {"50.5 N 0.5 E", 181800, -1800, 1, &kGreenwich, -1800},
        {"50.5 N 0.5 W", 181800, 1800, 1, &kGreenwich, 1800},
        {"44.5 S 180 W, held as 180 E", -160200, 648000, 2, &kDateLine, -648000},
        {"44.5 S 179.5 E", -160200, -646200, 2, &kDateLine, -646200},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        double lat = 0, lon = 0;
        ASSERT_EQ(grid.Transform(&lat, &lon, SecondsToRadians(c.lat), -SecondsToRadians(c.west)), c.index);
        EXPECT_NEAR(lat / kArcSecond, c.lat + c.shape->LatShiftAt(c.lat, c.gridWest), 2e-6);
        EXPECT_NEAR(-lon / kArcSecond, c.west + c.shape->LonShiftAt(c.lat, c.gridWest), 2e-6);
    }
    // The mirror images lie in no sub-grid: nothing is written.
    for (const auto& p : {std::pair<double, double>{171000, 608400}, {-181800, 1800 + 648000}})
    {
        double lat = 7, lon = 8;
        EXPECT_EQ(grid.Transform(&lat, &lon, SecondsToRadians(p.first), -SecondsToRadians(p.second)), -1);
        EXPECT_EQ(lat, 7);
        EXPECT_EQ(lon, 8);
    }
}

// The settings file "NTv2" holds the last conversion's input and output in radians, with 16
// decimals; before any conversion it holds zeros.
TEST(NTv2Settings, DestructorWritesTheLastConversion)
{
    auto readLines = [] {
        CConfigFile names;
        CStdioFile file;
        std::vector<std::string> lines;
        if (!file.Open(names.GetSettingsFileName("NTv2"), CFile::modeRead | CFile::typeText))
            return lines;
        CString line;
        while (file.ReadString(line))
            lines.emplace_back(line.GetString());
        return lines;
    };
    {
        CNTv2 grid;
    }
    EXPECT_EQ(readLines(), (std::vector<std::string>{"NAD27 Latitude = 0.0000000000000000",
                                                     "NAD27 Longitude = 0.0000000000000000",
                                                     "NAD83 Latitude = 0.0000000000000000",
                                                     "NAD83 Longitude = 0.0000000000000000"}));
    double inLat = SecondsToRadians(180123.25), inLon = -SecondsToRadians(360456.5);
    double outLat = 0, outLon = 0;
    {
        CNTv2 grid;
        Fill(grid, {kParent});
        ASSERT_EQ(grid.Transform(&outLat, &outLon, inLat, inLon), 0);
    }
    const std::vector<std::string> lines = readLines();
    ASSERT_EQ(lines.size(), 4u);
    const char* keys[] = {
        "NAD27 Latitude = ", "NAD27 Longitude = ", "NAD83 Latitude = ", "NAD83 Longitude = "};
    const double values[] = {inLat, inLon, outLat, outLon};
    for (int i = 0; i < 4; ++i)
    {
        CString expected;
        expected.Format("%s%.16f", keys[i], values[i]);
        EXPECT_EQ(lines[i], expected.GetString());
    }
}

// A load can be stopped: a thread that has not started is let go (its owner's flag cleared,
// nothing loaded when it is resumed later); a running one ends before StopLoading returns and
// leaves either the whole grid or nothing.
TEST(NTv2Thread, StopLoadingLetsNoLoaderWriteAfterwards)
{
    WriteGlobalFile("NTV2_0.GSB", GsbFile({kParent, kChild}));
    {
        CNTv2 grid;
        std::atomic<bool> loading{false};
        auto* thread = static_cast<CNTv2Thread*>(
            AfxBeginThread(RUNTIME_CLASS(CNTv2Thread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_NE(thread, nullptr);
        thread->SetTarget(&grid, &loading);
        loading = true;
        grid.StopLoading();
        EXPECT_FALSE(loading);
        thread->ResumeThread(); // runs, finds no target, deletes itself
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(grid.GetSize(), 0);
        EXPECT_FALSE(grid.m_bLoaded);
        // A new load after the stop fills the grid once.
        LoadAndWait(grid);
        EXPECT_TRUE(grid.m_bLoaded);
        EXPECT_EQ(grid.GetSize(), 2);
    }

    // A grid large enough to be caught mid-read: 1 x 200001 nodes (3.2 MB).
    const SubGridShape wide = {"WIDE", "NONE", 0, 0, 0, 200000, 1, 1, 0, 0};
    WriteGlobalFile("NTV2_0.GSB", GsbFile({wide}));
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        CNTv2 grid;
        std::atomic<bool> loading{false};
        ASSERT_NE(CNTv2Thread::StartLoad(&grid, &loading), nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(attempt));
        grid.StopLoading();
        EXPECT_FALSE(loading);
        if (grid.m_bLoaded)
            EXPECT_EQ(grid.GetSize(), 1);
        else
            EXPECT_EQ(grid.GetSize(), 0);
    }
    // Destroying a grid while it loads waits for its loader instead of leaving it writing.
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        std::atomic<bool> loading{false};
        {
            CNTv2 grid;
            ASSERT_NE(CNTv2Thread::StartLoad(&grid, &loading), nullptr);
        }
        EXPECT_FALSE(loading);
    }
}

// Real grids of Debian's proj-data shifted by our code and by PROJ (the checked-in table of
// ntv2_generate_fixtures.py): within 1e-9 degree.
TEST(NTv2Transform, AgreesWithProjOnRealGrids)
{
    const auto rows = ReadFixture("ntv2_proj_shifts.csv");
    std::map<std::string, std::vector<const std::vector<std::string>*>> byGrid;
    for (const auto& r : rows)
        byGrid[r[0]].push_back(&r);
    ASSERT_EQ(byGrid.size(), 3u);
    for (const auto& [name, points] : byGrid)
    {
        SCOPED_TRACE(name);
        if (!CopyProjGridAsNTv2(name.c_str()))
            GTEST_SKIP() << name << " is missing: install Debian's proj-data (scripts/setup.sh does) to compare with PROJ";
        CNTv2 grid;
        LoadAndWait(grid);
        ASSERT_TRUE(grid.m_bLoaded);
        for (const auto* p : points)
        {
            const double lat = std::stod((*p)[1]);
            const double lon = std::stod((*p)[2]);
            double outLat = 0, outLon = 0;
            ASSERT_EQ(grid.Transform(&outLat, &outLon, SecondsToRadians(lat), SecondsToRadians(lon)), 0)
                << lat << ", " << lon;
            EXPECT_NEAR(outLat * kRadToDeg, std::stod((*p)[3]), 1e-9) << lat << ", " << lon;
            EXPECT_NEAR(outLon * kRadToDeg, std::stod((*p)[4]), 1e-9) << lat << ", " << lon;
        }
    }
}

// Points anywhere between the nodes are shifted at their full precision: PROJ's result within
// 0.02 mm (cutting the input to 0.00001" cost up to 0.36 mm).
TEST(NTv2Transform, KeepsTheInputsFullPrecision)
{
    if (!CopyProjGridAsNTv2("BETA2007.gsb"))
        GTEST_SKIP() << "install Debian's proj-data (scripts/setup.sh does) to compare with PROJ";
    CNTv2 grid;
    LoadAndWait(grid);
    ASSERT_TRUE(grid.m_bLoaded);
    for (const auto& r : ReadFixture("datum_ntv2_proj.csv"))
    {
        double lat, lon;
        ASSERT_GE(grid.Transform(&lat, &lon, std::stod(r[0]) * kDegree, std::stod(r[1]) * kDegree), 0);
        EXPECT_NEAR(std::stod(r[2]), lat * kRadToDeg, 2e-10) << r[0] << ", " << r[1];
        EXPECT_NEAR(std::stod(r[3]), lon * kRadToDeg, 2e-10) << r[0] << ", " << r[1];
    }
}
