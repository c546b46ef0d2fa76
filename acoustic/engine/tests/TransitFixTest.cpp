#include "acoustic/engine/TransitFix.h"
#include "acoustic/engine/tests/FixtureLines.h"

#include "foundation/ConfigFile.h"
#include "foundation/Report.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct FixtureCase
{
    std::string name;
    int legs = 0;
    std::vector<tagXY> points, crossings;
    tagXY centre{};
    double radius = 0;
};

std::vector<FixtureCase> ReadFixture()
{
    std::vector<FixtureCase> cases;
    ForEachFixtureLine("transit_fix.txt", [&cases](const std::string& kind, std::istringstream& fields) {
        tagXY p{};
        if (kind == "case")
        {
            cases.emplace_back();
            fields >> cases.back().name >> cases.back().legs;
        }
        else if (kind == "pt" && fields >> p.x >> p.y)
            cases.back().points.push_back(p);
        else if (kind == "cross" && fields >> p.x >> p.y)
            cases.back().crossings.push_back(p);
        else if (kind == "centre")
            fields >> cases.back().centre.x >> cases.back().centre.y >> cases.back().radius;
    });
    return cases;
}

QString LinuxPath(const CString& windowsPath)
{
    return LinuxPathFromWindows(windowsPath);
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray PointLines(const std::vector<tagXY>& points)
{
    QByteArray bytes;
    for (const tagXY& p : points)
        bytes += QByteArray::number(p.x, 'f', 3) + "," + QByteArray::number(p.y, 'f', 3) + "\r\n";
    return bytes;
}

// Loads a points file of these bytes as "<name>.TFX".
void LoadBytes(CTransitFix& fix, const char* name, const QByteArray& bytes)
{
    WriteBytes(LinuxPath(CTransitFix::GetPathName(name)), bytes);
    ASSERT_TRUE(fix.Load(name));
}

std::vector<CString> Problems(const CTransitFix& fix)
{
    CStringArray all;
    fix.GetProblems(all);
    std::vector<CString> out;
    for (INT_PTR i = 0; i < all.GetSize(); ++i)
        out.push_back(all[i]);
    return out;
}

// Four legs crossing round (1000, 2000): L1 west-east at northing 2010, L2 west-east at 1990,
// L3 south-north at easting 1010, L4 south-north at 990.
std::vector<tagXY> Square()
{
    return {{900, 2010},  {900, 1990},  {1010, 1900}, {990, 1900},
            {1100, 1990}, {1100, 2010}, {990, 2100},  {1010, 2100}};
}
} // namespace

TEST(TransitFix, FixesAgreeWithRationalGeometry)
{
    const auto cases = ReadFixture();
    ASSERT_EQ(cases.size(), 7u);
    for (const FixtureCase& c : cases)
    {
        CTransitFix fix;
        LoadBytes(fix, c.name.c_str(), PointLines(c.points));
        ASSERT_EQ(fix.m_NumberOfLegs, c.legs) << c.name;
        EXPECT_EQ(fix.m_NumberOfPoints, 2 * c.legs);
        ASSERT_TRUE(fix.m_Computed) << c.name;
        for (size_t i = 0; i < c.crossings.size(); ++i)
        {
            EXPECT_TRUE(fix.m_IntersectionComputed[i]);
            EXPECT_NEAR(fix.m_Intersections[i].x, c.crossings[i].x, 1e-6) << c.name << " " << char('A' + i);
            EXPECT_NEAR(fix.m_Intersections[i].y, c.crossings[i].y, 1e-6) << c.name << " " << char('A' + i);
        }
        EXPECT_NEAR(fix.m_Centre.x, c.centre.x, 1e-6) << c.name;
        EXPECT_NEAR(fix.m_Centre.y, c.centre.y, 1e-6) << c.name;
        EXPECT_NEAR(fix.m_Radius, c.radius, 1e-6) << c.name;
    }
    // The right triangle's circle: centre (1050, 1050), radius 70.7107.
    EXPECT_EQ(cases[0].name, "right_triangle");
    EXPECT_NEAR(cases[0].radius, 70.7107, 5e-5);
}

TEST(TransitFix, FourLegBearingsRunBetweenTheIntersections)
{
    CTransitFix fix;
    LoadBytes(fix, "square", PointLines(Square()));
    ASSERT_TRUE(fix.m_Computed);
    // A = (1010, 2010), B = (1010, 1990), C = (990, 1990), D = (990, 2010).
    EXPECT_NEAR(fix.m_Intersections[0].x, 1010, 1e-9);
    EXPECT_NEAR(fix.m_Intersections[0].y, 2010, 1e-9);
    EXPECT_NEAR(fix.m_Intersections[2].x, 990, 1e-9);
    EXPECT_NEAR(fix.m_Centre.x, 1000, 1e-9);
    EXPECT_NEAR(fix.m_Centre.y, 2000, 1e-9);
    const double pi = 3.14159265358979323846;
    EXPECT_NEAR(fix.m_Bearings[0], pi, 1e-12);       // A to B: south
    EXPECT_NEAR(fix.m_Bearings[1], pi, 1e-12);       // D to C: south
    EXPECT_NEAR(fix.m_Bearings[2], 1.5 * pi, 1e-12); // A to D: west
    EXPECT_NEAR(fix.m_Bearings[3], 1.5 * pi, 1e-12); // B to C: west
}

TEST(TransitFix, LineCountDecidesTheKindOfFix)
{
    const auto square = Square();
    CTransitFix fix;
    // 7 lines: four legs, point 8 not entered, so L3 and intersections A and B are missing.
    LoadBytes(fix, "seven", PointLines({square.begin(), square.begin() + 7}));
    EXPECT_EQ(fix.m_NumberOfLegs, 4);
    EXPECT_EQ(fix.m_Points[7].x, 0.0);
    EXPECT_FALSE(fix.m_IntersectionComputed[0]);
    EXPECT_FALSE(fix.m_IntersectionComputed[1]);
    EXPECT_TRUE(fix.m_IntersectionComputed[2]);
    EXPECT_TRUE(fix.m_IntersectionComputed[3]);
    EXPECT_FALSE(fix.m_Computed);
    EXPECT_EQ(fix.m_Centre.x, 0.0);

    // More than 8 lines: the rest is ignored.
    QByteArray nine = PointLines(square) + "5,5\r\n";
    LoadBytes(fix, "nine", nine);
    EXPECT_EQ(fix.m_NumberOfLegs, 4);
    EXPECT_TRUE(fix.m_Computed);

    // A line that is not two numbers is a point not entered, and is named; it still counts.
    QByteArray damaged = PointLines(square);
    damaged.replace("1010.000,1900.000", "1010.000;1900.000");
    LoadBytes(fix, "damaged", damaged);
    EXPECT_EQ(fix.m_Points[2].x, 0.0);
    EXPECT_FALSE(fix.m_Computed);
    const auto problems = Problems(fix);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].Find("Line 3 of "), -1) << problems[0].GetString();
    EXPECT_NE(problems[0].Find("damaged.TFX"), -1) << problems[0].GetString();

    // A missing file: nothing, four legs, and false.
    CTransitFix none;
    EXPECT_FALSE(none.Load("missing"));
    EXPECT_EQ(none.m_NumberOfLegs, 4);
    EXPECT_FALSE(none.m_Computed);
}

TEST(TransitFix, ZeroEastingLeavesItsLinesUncomputed)
{
    auto points = Square();
    points[5].x = 0.0; // point 6 ends L1, which makes A and D
    CTransitFix fix;
    LoadBytes(fix, "zero", PointLines(points));
    EXPECT_FALSE(fix.m_IntersectionComputed[0]);
    EXPECT_TRUE(fix.m_IntersectionComputed[1]);
    EXPECT_TRUE(fix.m_IntersectionComputed[2]);
    EXPECT_FALSE(fix.m_IntersectionComputed[3]);
    EXPECT_FALSE(fix.m_Computed);
    EXPECT_EQ(fix.m_Centre.x, 0.0);
    EXPECT_EQ(fix.m_Centre.y, 0.0);
    EXPECT_EQ(Problems(fix).front(), "Point 6 is not entered: its leg has no line.");
}

TEST(TransitFix, ParallelLegsAndFixesWithoutACircle)
{
    // L1 and L3 both run west-east: no intersection A, and no fix near (0, 0).
    auto points = Square();
    points[2] = {900, 2030};
    points[7] = {1100, 2030};
    CTransitFix fix;
    LoadBytes(fix, "parallel", PointLines(points));
    EXPECT_FALSE(fix.m_IntersectionComputed[0]);
    EXPECT_FALSE(fix.m_IntersectionComputed[1]) << "L2 is west-east too";
    EXPECT_FALSE(fix.m_Computed);
    EXPECT_EQ(fix.m_Centre.x, 0.0);
    const auto problems = Problems(fix);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "Legs 1 and 3 are parallel: they have no intersection A.");
    EXPECT_EQ(problems[1], "Legs 2 and 3 are parallel: they have no intersection B.");

    // Points on one line have no circle; one point three times is its own centre.
    tagXY centre{7, 7};
    double radius = 7;
    EXPECT_FALSE(CTransitFix::CircleThroughPoints({1, 1}, {2, 2}, {3, 3}, &centre, &radius));
    EXPECT_FALSE(CTransitFix::CircleThroughPoints({452000.1, 6231000.1}, {452100.1, 6231100.1},
                                                  {452300.1, 6231300.1}, &centre, &radius));
    EXPECT_EQ(centre.x, 7.0);
    ASSERT_TRUE(CTransitFix::CircleThroughPoints({5, 6}, {5, 6}, {5, 6}, &centre, &radius));
    EXPECT_EQ(centre.x, 5.0);
    EXPECT_EQ(radius, 0.0);

    // Three legs through one point (the perfect transit) give that point, radius 0.
    CTransitFix perfect;
    LoadBytes(perfect, "perfect",
              PointLines({{900, 2000}, {1000, 1900}, {900, 1900}, {1100, 2000}, {1000, 2100}, {1100, 2100}}));
    ASSERT_EQ(perfect.m_NumberOfLegs, 3);
    ASSERT_TRUE(perfect.m_Computed);
    EXPECT_NEAR(perfect.m_Centre.x, 1000, 1e-9);
    EXPECT_NEAR(perfect.m_Centre.y, 2000, 1e-9);
    EXPECT_EQ(perfect.m_Radius, 0.0);
}

TEST(TransitFix, SaveWritesTheFilesByteForByte)
{
    {
        CTransitFix fix;
        EXPECT_EQ(fix.m_NumberOfLegs, 4);
        EXPECT_EQ(fix.m_FileName, "TransitFix");
        fix.m_NumberOfLegs = 3;
        fix.m_NumberOfPoints = 6;
        fix.m_FileName = "Site, north";
        const tagXY points[] = {{452001.2344, 6231000.5}, {1, 2}, {-3.0006, 4}, {5, 6}, {7, 8}, {9, 10}};
        std::copy(std::begin(points), std::end(points), fix.m_Points);
        fix.m_Points[6] = {99, 99}; // beyond the three legs: not written
        ASSERT_TRUE(fix.Save());
    }
    EXPECT_EQ(
        ReadBytes(LinuxPath(CTransitFix::GetPathName("Site, north"))),
        QByteArray("452001.234,6231000.500\r\n1.000,2.000\r\n-3.001,4.000\r\n5.000,6.000\r\n7.000,8.000\r\n"
                   "9.000,10.000\r\n"));
    EXPECT_TRUE(LinuxPath(CTransitFix::GetFolder()).endsWith("/MyData/Calibration/Transit Fix/"));
    CConfigFile names;
    const QString settings = LinuxPath(names.GetSettingsFileName("Transit Fix"));
    EXPECT_TRUE(settings.endsWith("/Transit_Fix.INI"));
    EXPECT_EQ(ReadBytes(settings), QByteArray("No of Legs = 3\r\nFileName = Site\xAB"
                                              "COMMA\xBB north\r\n"));

    // The constructor reads the settings back and loads the file they name.
    CTransitFix back;
    EXPECT_EQ(back.m_FileName, "Site, north");
    EXPECT_EQ(back.m_NumberOfLegs, 3);
    EXPECT_EQ(back.m_Points[0].x, 452001.234);
    EXPECT_EQ(back.m_Points[6].x, 0.0);

    // A points file that cannot be replaced is reported, and keeps its bytes.
    const QString path = LinuxPath(CTransitFix::GetPathName("Site, north"));
    const QByteArray before = ReadBytes(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    back.m_Points[0].x = 1.0;
    EXPECT_FALSE(back.Save());
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(TransitFix, FolderFollowsTheMyDrivesPointer)
{
    WriteBytes(TempDrives::Current()->OnC("MyDrives/MyData.INI"), "C:\\Survey\r\n");
    EXPECT_EQ(CTransitFix::GetPathName("a"), "C:\\Survey\\Calibration\\Transit Fix\\a.TFX");
    EXPECT_TRUE(QDir(TempDrives::Current()->OnC("Survey/Calibration/Transit Fix")).exists());
}

TEST(TransitFix, ReportGoldenText)
{
    CTransitFix fix;
    LoadBytes(fix, "square", PointLines(Square()));
    CReport report;
    report.m_OutputMode = CReport::OUTPUT_FILE;
    report.m_OpenMode = CReport::OPEN_WRITE;
    ModalHook::AnswerFileDialog({"C:\\fix.txt"});
    ASSERT_TRUE(fix.PrintReport(report));
    EXPECT_FALSE(report.IsOpen());
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("fix.txt")),
              QByteArray("    square\r\n\r\n\r\n\r\n"
                         "    Fix 1  : 900.00 E 2010.00 N\r\n"
                         "    Fix 2  : 900.00 E 1990.00 N\r\n"
                         "    Fix 3  : 1010.00 E 1900.00 N\r\n"
                         "    Fix 4  : 990.00 E 1900.00 N\r\n"
                         "    Fix 5  : 1100.00 E 1990.00 N\r\n"
                         "    Fix 6  : 1100.00 E 2010.00 N\r\n"
                         "    Fix 7  : 990.00 E 2100.00 N\r\n"
                         "    Fix 8  : 1010.00 E 2100.00 N\r\n\r\n"
                         "    Leg A  : 1010.00 E 2010.00 N\r\n"
                         "    Leg B  : 1010.00 E 1990.00 N\r\n"
                         "    Leg C  : 990.00 E 1990.00 N\r\n"
                         "    Leg D  : 990.00 E 2010.00 N\r\n\r\n"
                         "    Centre : 1000.00 E 2000.00 N\r\n"));

    // An uncomputed fix says so and why, and shows no centre.
    auto points = Square();
    points[2] = {900, 2030};
    points[7] = {1100, 2030};
    LoadBytes(fix, "parallel", PointLines(points));
    CReport second;
    second.m_OutputMode = CReport::OUTPUT_FILE;
    second.m_OpenMode = CReport::OPEN_WRITE;
    ModalHook::AnswerFileDialog({"C:\\parallel.txt"});
    ASSERT_TRUE(fix.PrintReport(second));
    const QByteArray text = ReadBytes(TempDrives::Current()->OnC("parallel.txt"));
    EXPECT_TRUE(text.contains("    Leg A  : not computed\r\n")) << text.constData();
    EXPECT_TRUE(text.endsWith("    Centre : not computed\r\n"
                              "    Legs 1 and 3 are parallel: they have no intersection A.\r\n"
                              "    Legs 2 and 3 are parallel: they have no intersection B.\r\n"))
        << text.constData();

    // A cancelled report prints nothing.
    ModalHook::CancelFileDialog();
    CReport cancelled;
    cancelled.m_OutputMode = CReport::OUTPUT_FILE;
    EXPECT_FALSE(fix.PrintReport(cancelled));
}

// Damaged points files, under AddressSanitizer too: a line whose numbers are not finite or lie
// beyond any survey grid, and every line of a UTF-16 file, is a point not entered and named, and
// nothing computed from the rest is other than a finite number.
TEST(TransitFixBadInput, DamagedPointFilesEnterOnlyPointsAGridCanHold)
{
    struct Case
    {
        const char* fixture;
        std::vector<int> refusedLines;
        int legs;
    } cases[] = {
        {"bad_tfx_huge.TFX", {3}, 4},
        {"bad_tfx_nan_and_far.TFX", {5, 7}, 4},
        {"bad_tfx_utf16.TFX", {1, 2, 3, 4, 5, 6, 7}, 4}, // the last line: the NUL after the last line feed
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        QFile fixture(QString(SUITE_SOURCE_DIR "/acoustic/engine/tests/data/") + c.fixture);
        ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
        const QByteArray bytes = fixture.readAll();
        CTransitFix fix;
        LoadBytes(fix, "damaged", bytes);
        EXPECT_EQ(fix.m_NumberOfLegs, c.legs);
        const auto problems = Problems(fix);
        ASSERT_GE(problems.size(), c.refusedLines.size());
        for (size_t i = 0; i < c.refusedLines.size(); ++i)
        {
            CString line;
            line.Format("Line %d of ", c.refusedLines[i]);
            EXPECT_EQ(problems[i].Find(line), 0) << problems[i].GetString();
            EXPECT_EQ(fix.m_Points[c.refusedLines[i] - 1].x, 0.0);
        }
        EXPECT_FALSE(fix.m_Computed);
        for (const tagXY& p : fix.m_Points)
            EXPECT_TRUE(std::fabs(p.x) <= 1e10 && std::fabs(p.y) <= 1e10);
        for (const tagXY& p : fix.m_Intersections)
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_TRUE(std::isfinite(fix.m_Centre.x) && std::isfinite(fix.m_Centre.y) && std::isfinite(fix.m_Radius));
        // The file itself is left as it was.
        EXPECT_EQ(ReadBytes(LinuxPath(CTransitFix::GetPathName("damaged"))), bytes);
    }

    // A line of a megabyte, and bytes of every value, are points not entered too.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    for (const QByteArray& bytes : {QByteArray(1024 * 1024, '9') + ",1\n", garbage})
    {
        CTransitFix fix;
        LoadBytes(fix, "noise", bytes);
        for (const tagXY& p : fix.m_Points)
            EXPECT_TRUE(std::fabs(p.x) <= 1e10 && std::fabs(p.y) <= 1e10);
        EXPECT_TRUE(std::isfinite(fix.m_Centre.x) && std::isfinite(fix.m_Centre.y));
    }
}

// Three legs make the triangle A (1000, 1000), B (1100, 1000), C (1000, 1100): its bearings
// come in the order of the leg names, A to B, B to C, A to C.
TEST(TransitFix, ThreeLegBearingsFollowTheLegNames)
{
    CTransitFix fix;
    LoadBytes(fix, "triangle",
              PointLines({{1000, 900}, {1150, 950}, {900, 1000}, {1000, 1200}, {950, 1150}, {1200, 1000}}));
    ASSERT_EQ(fix.m_NumberOfLegs, 3);
    ASSERT_TRUE(fix.m_Computed);
    const double pi = 3.14159265358979323846;
    EXPECT_NEAR(fix.m_Bearings[0], 0.5 * pi, 1e-12);  // A to B: east
    EXPECT_NEAR(fix.m_Bearings[1], 1.75 * pi, 1e-12); // B to C: north-west
    EXPECT_NEAR(fix.m_Bearings[2], 0.0, 1e-12);       // A to C: north
    EXPECT_EQ(fix.m_Bearings[3], 0.0);
    EXPECT_NEAR(fix.m_Centre.x, 1050, 1e-9);
    EXPECT_NEAR(fix.m_Centre.y, 1050, 1e-9);
}

// The load's own problems are the lines it could not take; points that are simply missing or
// legs that do not cross are problems of the fix, not of the file.
TEST(TransitFix, LoadProblemsNameOnlyLinesOfTheFile)
{
    const auto square = Square();
    const auto loadProblems = [](const CTransitFix& fix) {
        CStringArray problems;
        fix.GetLoadProblems(problems);
        return problems.GetSize();
    };
    CTransitFix fix;
    LoadBytes(fix, "seven", PointLines({square.begin(), square.begin() + 7}));
    EXPECT_FALSE(Problems(fix).empty());
    EXPECT_EQ(loadProblems(fix), 0);

    QByteArray damaged = PointLines(square);
    damaged.replace("990.000,2100.000", "990.000,north");
    LoadBytes(fix, "damaged", damaged);
    EXPECT_EQ(loadProblems(fix), 1);

    // A file that does not open has nothing to blame.
    EXPECT_FALSE(fix.Load("missing"));
    EXPECT_EQ(loadProblems(fix), 0);
}

// Files of 10 MB: nothing after the eighth line is read, and a line of 10 MB is a point not
// entered without losing its place for the lines after it. The file stays as it was.
TEST(TransitFixBadInput, HugeFilesAreReadOnlyAsFarAsTheirPoints)
{
    const auto square = Square();
    const QByteArray tail(10 * 1024 * 1024, '7');
    const QByteArray cases[] = {PointLines(square) + tail,
                                tail + "\r\n" + PointLines({square.begin() + 1, square.end()})};
    for (int c = 0; c < 2; ++c)
    {
        SCOPED_TRACE(c);
        CTransitFix fix;
        LoadBytes(fix, "huge", cases[c]);
        CStringArray problems;
        fix.GetLoadProblems(problems);
        ASSERT_EQ(problems.GetSize(), c == 0 ? 0 : 1);
        if (c == 1)
        {
            EXPECT_EQ(problems[0].Find("Line 1 of "), 0) << problems[0].GetString();
        }
        for (int i = c == 0 ? 0 : 1; i < 8; ++i)
        {
            EXPECT_EQ(fix.m_Points[i].x, square[static_cast<size_t>(i)].x) << i;
            EXPECT_EQ(fix.m_Points[i].y, square[static_cast<size_t>(i)].y) << i;
        }
        EXPECT_EQ(fix.m_Computed, c == 0);
        EXPECT_EQ(ReadBytes(LinuxPath(CTransitFix::GetPathName("huge"))), cases[c]);
    }
}
