// Electronic bearing lines and the divider: their measures and labels (the geographic ones
// against GeographicLib's GeodSolve and RhumbSolve, the lines of data/geodesic_lines.csv made
// by data/geodesic_generate_fixtures.py), the moving of their ends, and the saved list.
#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "chart/geometry/Geodesic.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QList>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace
{
const double kDeg = M_PI / 180.0;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Text(const CString& s)
{
    return std::string(s.GetString());
}

// A line of the chart's kind: grid or geographic, great circle or rhumb line.
struct LineFixture
{
    BYTE grid = 1;
    BYTE greatCircle = 0;
    CEllipsoid ellipsoid;
    CEBL line;

    LineFixture(BYTE gridMode, BYTE gc) : grid(gridMode), greatCircle(gc) { line.Reset(&ellipsoid, &grid, &greatCircle); }
    void Set(double x1, double y1, double x2, double y2)
    {
        line.startX = x1;
        line.startY = y1;
        line.endX = x2;
        line.endY = y2;
        line.Update();
    }
};

// The lines of the geodesic fixture: ends in radians, GeodSolve's s12 (m), azi1 and azi2
// (degrees), RhumbSolve's s12 and azi12.
struct ReferenceLine
{
    std::string ellipsoid;
    double lat1, lon1, lat2, lon2;
    double s12, azi1, azi2, rhumbS12, rhumbAzi;
};

std::vector<ReferenceLine> ReferenceLines()
{
    std::vector<ReferenceLine> lines;
    QFile f(SUITE_SOURCE_DIR "/chart/tests/data/geodesic_lines.csv");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = f.readAll().split('\n');
    for (int i = 1; i < rows.size(); ++i)
    {
        const QList<QByteArray> r = rows[i].trimmed().split(',');
        if (r.size() < 10)
            continue;
        lines.push_back({r[0].toStdString(), r[1].toDouble() * kDeg, r[2].toDouble() * kDeg, r[3].toDouble() * kDeg,
                         r[4].toDouble() * kDeg, r[5].toDouble(), r[6].toDouble(), r[7].toDouble(), r[8].toDouble(),
                         r[9].toDouble()});
    }
    return lines;
}

// A bearing label's degrees: the number after the leading "  " or "R ".
double LabelDegrees(const CString& label)
{
    return std::stod(Text(label).substr(2));
}

double Degrees360(double degrees)
{
    return std::fmod(degrees + 720.0, 360.0);
}

// The difference of two bearings in degrees, in (-180, 180].
double DegreesApart(double a, double b)
{
    double d = std::fmod(a - b + 540.0, 360.0) - 180.0;
    return d == -180.0 ? 180.0 : d;
}
} // namespace

TEST(Ebl, NewLineHasTheDefaults)
{
    CEBL line;
    line.startX = 5;
    line.tag1 = 3;
    line.colour = 0xFF;
    line.Add(tagXY{1, 2});
    BYTE grid = 1, gc = 0;
    line.Reset(nullptr, &grid, &gc);
    EXPECT_EQ(line.startX, 0.0);
    EXPECT_EQ(line.tag1, 0);
    EXPECT_EQ(line.GetSize(), 0);
    EXPECT_EQ(line.colour, 0xFFFFFFu);
    EXPECT_EQ(Text(line.distanceLabel), "0");
    EXPECT_EQ(Text(line.bearingLabel), "000.0\xB0");
    EXPECT_EQ(Text(line.reverseLabel), "000.0\xB0");
    EXPECT_EQ(line.showLabel, 1);
    EXPECT_EQ(line.labelShowsBearing, 1);
    EXPECT_EQ(line.arrowEnd, 1);
    EXPECT_EQ(line.penWidth, 1);
    EXPECT_EQ(line.endSymbol, 3);
}

TEST(Ebl, GridLabelsArePaddedWithZeros)
{
    struct Case
    {
        double dx, dy;
        const char* distance;
        const char* bearing;
        const char* reverse;
    } cases[] = {
        {100, 100, "141.42m", "  045.00\xB0G", "R 225.00\xB0G"},
        {3, -4, "5.00m", "  143.13\xB0G", "R 323.13\xB0G"},
        {-10, 0, "10.00m", "  270.00\xB0G", "R 090.00\xB0G"},
        {0, 7.5, "7.50m", "  000.00\xB0G", "R 180.00\xB0G"},
        {0, 0, "0.00m", "  000.00\xB0G", "R 180.00\xB0G"},
    };
    LineFixture f(1, 1);
    for (const Case& c : cases)
    {
        f.Set(500000.0, 6000000.0, 500000.0 + c.dx, 6000000.0 + c.dy);
        EXPECT_EQ(Text(f.line.distanceLabel), c.distance) << c.dx << " " << c.dy;
        EXPECT_EQ(Text(f.line.bearingLabel), c.bearing) << c.dx << " " << c.dy;
        EXPECT_EQ(Text(f.line.reverseLabel), c.reverse) << c.dx << " " << c.dy;
        EXPECT_EQ(f.line.GetSize(), 0);
    }
    f.Set(0, 0, 30, 40);
    EXPECT_DOUBLE_EQ(f.line.distance, 50.0);
    EXPECT_EQ(f.line.GetLabelPoint().x, 15.0);
    EXPECT_EQ(f.line.GetLabelPoint().y, 20.0);
}

TEST(Ebl, GeographicLineWithoutAnEllipsoidIsMeasuredOnTheGrid)
{
    BYTE grid = 0, gc = 1;
    CEBL line;
    line.Reset(nullptr, &grid, &gc);
    line.endX = 3;
    line.endY = 4;
    line.Update();
    EXPECT_EQ(Text(line.distanceLabel), "5.00m");
    EXPECT_EQ(Text(line.bearingLabel), "  036.87\xB0G");
    EXPECT_EQ(line.GetSize(), 0);
}

TEST(Ebl, GreatCircleLabelsMatchGeodSolve)
{
    int checked = 0;
    for (const ReferenceLine& r : ReferenceLines())
    {
        SCOPED_TRACE(r.ellipsoid + " " + std::to_string(r.lat1 / kDeg) + " " + std::to_string(r.lon1 / kDeg) +
                     " -> " + std::to_string(r.lat2 / kDeg) + " " + std::to_string(r.lon2 / kDeg));
        LineFixture f(0, 1);
        if (r.ellipsoid == "Hayford")
        {
            f.ellipsoid.SetAxes(6378388.0, 297.0);
            f.ellipsoid.ComputeConstants();
        }
        f.Set(r.lon1, r.lat1, r.lon2, r.lat2);

        CString expected;
        expected.Format("GC %.2lfNm", r.s12 / 1852.0);
        EXPECT_EQ(Text(f.line.distanceLabel), Text(expected));
        // The bearing labels to their printed 0.01 degree (the series' bearings are within
        // 3e-3 degrees of the exact geodesic's on 2000 km lines).
        EXPECT_EQ(Text(f.line.bearingLabel).substr(0, 2), "  ");
        EXPECT_EQ(Text(f.line.bearingLabel).substr(8), "\xB0T");
        EXPECT_NEAR(DegreesApart(LabelDegrees(f.line.bearingLabel), Degrees360(r.azi1)), 0.0, 0.008);
        EXPECT_EQ(Text(f.line.reverseLabel).substr(0, 2), "R ");
        EXPECT_NEAR(DegreesApart(LabelDegrees(f.line.reverseLabel), Degrees360(r.azi2 + 180.0)), 0.0, 0.008);

        CXYArray points;
        GreatCirclePoints(&f.ellipsoid, points, r.lon1, r.lat1, r.lon2, r.lat2);
        ASSERT_EQ(f.line.GetSize(), points.GetSize());
        ASSERT_GE(f.line.GetSize(), 2);
        for (INT_PTR i = 0; i < points.GetSize(); ++i)
        {
            EXPECT_EQ(f.line.GetAt(i).x, points.GetAt(i).x);
            EXPECT_EQ(f.line.GetAt(i).y, points.GetAt(i).y);
        }

        ++checked;
        // The free line's label sits half way along the geodesic. Checked by the inverse,
        // which from a point on the equator to one just off it has no normal-section bearing:
        // such lines are left out.
        if (r.lat1 == 0.0 || r.lat2 == 0.0)
            continue;
        const tagXY mid = f.line.GetLabelPoint();
        double toMid = 0, fromMid = 0;
        ASSERT_TRUE(GeodesicInverse(&f.ellipsoid, &toMid, nullptr, nullptr, r.lat1, r.lon1, mid.y, mid.x));
        ASSERT_TRUE(GeodesicInverse(&f.ellipsoid, &fromMid, nullptr, nullptr, mid.y, mid.x, r.lat2, r.lon2));
        EXPECT_NEAR(toMid, r.s12 / 2, 1e-4 * r.s12 + 0.01);
        EXPECT_NEAR(fromMid, r.s12 / 2, 1e-4 * r.s12 + 0.01);
    }
    EXPECT_GE(checked, 30);
}

TEST(Ebl, RhumbLineLabelsMatchRhumbSolveAndShowTheReverseBearing)
{
    int checked = 0;
    for (const ReferenceLine& r : ReferenceLines())
    {
        if (r.ellipsoid != "WGS84")
            continue;
        SCOPED_TRACE(std::to_string(r.lat1 / kDeg) + " " + std::to_string(r.lon1 / kDeg) + " -> " +
                     std::to_string(r.lat2 / kDeg) + " " + std::to_string(r.lon2 / kDeg));
        LineFixture f(0, 0);
        f.Set(r.lon1, r.lat1, r.lon2, r.lat2);
        CString expected;
        expected.Format("RL %.2lfNm", r.rhumbS12 / 1852.0);
        EXPECT_EQ(Text(f.line.distanceLabel), Text(expected));
        EXPECT_EQ(f.line.GetSize(), 0);
        const double bearing = LabelDegrees(f.line.bearingLabel);
        EXPECT_NEAR(DegreesApart(bearing, Degrees360(r.rhumbAzi)), 0.0, 0.006);
        // The way back along a rhumb line is the bearing turned half round.
        const double reverse = LabelDegrees(f.line.reverseLabel);
        EXPECT_NEAR(DegreesApart(reverse, bearing + 180.0), 0.0, 0.011);
        EXPECT_GE(reverse, 0.0);
        EXPECT_LT(reverse, 360.0);
        // A rhumb line is labelled at the mean of its ends.
        EXPECT_EQ(f.line.GetLabelPoint().x, (r.lon1 + r.lon2) / 2);
        ++checked;
    }
    EXPECT_GE(checked, 15);
}

TEST(Ebl, GeographicLabelsArePaddedWithBlanks)
{
    LineFixture f(0, 0);
    // Due east along a parallel: the rhumb bearing is exactly 90 degrees.
    f.Set(3.0 * kDeg, 52.0 * kDeg, 3.1 * kDeg, 52.0 * kDeg);
    EXPECT_EQ(Text(f.line.bearingLabel), "   90.00\xB0T");
    EXPECT_EQ(Text(f.line.reverseLabel), "R 270.00\xB0T");
    f.Set(3.1 * kDeg, 52.0 * kDeg, 3.0 * kDeg, 52.0 * kDeg);
    EXPECT_EQ(Text(f.line.bearingLabel), "  270.00\xB0T");
    EXPECT_EQ(Text(f.line.reverseLabel), "R  90.00\xB0T");
}

TEST(Ebl, MissingEndsGiveZerosNeverNaN)
{
    const double missing[] = {kNaN, std::numeric_limits<double>::infinity(), DBL_MAX};
    struct Mode
    {
        BYTE grid, gc;
        const char* distance;
        const char* bearing;
        const char* reverse;
    } modes[] = {
        {1, 0, "0.00m", "  000.00\xB0G", "R 000.00\xB0G"},
        {0, 1, "GC 0.00Nm", "    0.00\xB0T", "R   0.00\xB0T"},
        {0, 0, "RL 0.00Nm", "    0.00\xB0T", "R   0.00\xB0T"},
    };
    for (const Mode& m : modes)
        for (double bad : missing)
        {
            LineFixture f(m.grid, m.gc);
            f.Set(0.1, 0.5, 0.2, 0.6); // a line before, so that stale figures would show
            f.Set(0.1, bad, 0.2, 0.6);
            EXPECT_EQ(f.line.distance, 0.0);
            EXPECT_EQ(f.line.bearing, 0.0);
            EXPECT_EQ(Text(f.line.distanceLabel), m.distance) << bad;
            EXPECT_EQ(Text(f.line.bearingLabel), m.bearing) << bad;
            EXPECT_EQ(Text(f.line.reverseLabel), m.reverse) << bad;
            EXPECT_EQ(f.line.GetSize(), 0);
        }
}

TEST(Ebl, ToTextKeepsGridEndsToMillimetresAndGeographicOnesWhole)
{
    LineFixture grid(1, 0);
    grid.Set(500000.12345, 6000000.5, 500100.0004, 5999999.9996);
    grid.line.tag1 = 15;
    grid.line.tag2 = -2;
    grid.line.showLabel = 0;
    grid.line.arrowEnd = 0;
    grid.line.colour = 0x0080FF;
    grid.line.penWidth = 3;
    grid.line.penStyle = 2;
    grid.line.endSymbol = 7;
    EXPECT_EQ(Text(grid.line.ToText()),
              "500000.123, 6000000.500, 500100.000, 6000000.000, 15, -2, 0, 1, 0, 33023, 3, 2, 7");

    LineFixture geographic(0, 1);
    geographic.Set(0.05235987755982988, -0.5, 0.1, 0.25);
    EXPECT_EQ(Text(geographic.line.ToText()),
              "0.0523598775598299, -0.5000000000000000, 0.1000000000000000, 0.2500000000000000, 0, 0, 1, 1, "
              "1, 16777215, 1, 0, 3");
}

TEST(EblList, MovePointMovesTheEndsTheEditSays)
{
    struct Case
    {
        int editEnd;
        BYTE fixedStart;
        bool startMoves, endMoves;
    } cases[] = {
        {0, 0, true, true}, {0, 1, false, true}, {1, 0, true, false},
        {1, 1, false, true}, {2, 0, false, true}, {2, 1, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.editEnd) + " fixed " + std::to_string(c.fixedStart));
        CEBLList list;
        auto* line = new CEBL;
        line->Reset(nullptr, &list.gridMode, &list.greatCircle);
        line->endX = 10;
        line->fixedStart = c.fixedStart;
        list.Add(line);
        list.current = 0;
        list.editEnd = c.editEnd;
        list.MovePoint(30, 40);
        EXPECT_EQ(line->startX, c.startMoves ? 30.0 : 0.0);
        EXPECT_EQ(line->startY, c.startMoves ? 40.0 : 0.0);
        EXPECT_EQ(line->endX, c.endMoves ? 30.0 : 10.0);
        EXPECT_EQ(line->endY, c.endMoves ? 40.0 : 0.0);
        // The line is measured again after the move.
        EXPECT_DOUBLE_EQ(line->distance, std::hypot(line->endX - line->startX, line->endY - line->startY));
    }
}

TEST(EblList, MovePointOutsideTheListDoesNothing)
{
    CEBLList list;
    auto* line = new CEBL;
    line->endX = 10;
    list.Add(line);
    for (int current : {-1, 1, 5})
    {
        list.current = current;
        list.editEnd = 0;
        list.MovePoint(30, 40);
        EXPECT_EQ(line->startX, 0.0);
        EXPECT_EQ(line->endX, 10.0);
    }
    CEBLList empty;
    empty.current = 0;
    empty.MovePoint(1, 2);
}

TEST(EblList, DeleteLineKeepsTheCurrentLine)
{
    CEBLList list;
    CEBL* lines[3];
    for (CEBL*& line : lines)
    {
        line = new CEBL;
        list.Add(line);
    }
    list.current = 2;
    list.DeleteLine(0);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.current, 1);
    EXPECT_EQ(list.GetAt(list.current), lines[2]);
    list.DeleteLine(1);
    EXPECT_EQ(list.current, -1);
    list.DeleteLine(5);
    EXPECT_EQ(list.GetSize(), 1);
}

namespace
{
QString SettingsPath(const char* name)
{
    return LinuxPathFromWindows(CConfigFile().GetSettingsFileName(name));
}

QByteArray SettingsBytes(const char* name)
{
    QFile file(SettingsPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A list of two lines in the list's mode.
void Fill(CEBLList& list)
{
    const double ends[2][4] = {{100.0, 200.0, 300.5, 400.25}, {0.1, 0.2, 0.3, 0.4}};
    for (const auto& e : ends)
    {
        auto* line = new CEBL;
        line->Reset(list.spheroid, &list.gridMode, &list.greatCircle);
        line->startX = e[0];
        line->startY = e[1];
        line->endX = e[2];
        line->endY = e[3];
        line->Update();
        list.Add(line);
    }
}
} // namespace

TEST(EblList, SaveWritesTheFlagsAndOneLineEachByMode)
{
    CEBLList grid;
    grid.gridMode = 1;
    grid.show = 1;
    grid.displayLabel = 0;
    grid.greatCircle = 1;
    Fill(grid);
    grid.GetAt(1)->tag1 = 9;
    ASSERT_TRUE(grid.Save());
    EXPECT_EQ(SettingsBytes("EBL_GRID"), QByteArray("Show = 1\r\n"
                                                    "Display Label = 0\r\n"
                                                    "Great Circle = 1\r\n"
                                                    "[Electronic Bearing Lines]\r\n"
                                                    "100.000, 200.000, 300.500, 400.250, 0, 0, 1, 1, 1, 16777215, 1, 0, 3\r\n"
                                                    "0.100, 0.200, 0.300, 0.400, 9, 0, 1, 1, 1, 16777215, 1, 0, 3\r\n"));

    CEllipsoid wgs84;
    CEBLList geographic;
    geographic.spheroid = &wgs84;
    geographic.gridMode = 0;
    geographic.show = 0;
    geographic.greatCircle = 0;
    Fill(geographic);
    geographic.DeleteLine(0);
    ASSERT_TRUE(geographic.Save());
    EXPECT_EQ(SettingsBytes("EBL_GEOG"),
              QByteArray("Show = 0\r\n"
                         "Display Label = 1\r\n"
                         "Great Circle = 0\r\n"
                         "[Electronic Bearing Lines]\r\n"
                         "0.1000000000000000, 0.2000000000000000, 0.3000000000000000, 0.4000000000000000, "
                         "0, 0, 1, 1, 1, 16777215, 1, 0, 3\r\n"));
    // The grid file is left as it was.
    EXPECT_TRUE(SettingsBytes("EBL_GRID").startsWith("Show = 1\r\n"));

    CEBLList none;
    ASSERT_TRUE(none.Save());
    EXPECT_EQ(SettingsBytes("EBL_GRID"),
              QByteArray("Show = 1\r\nDisplay Label = 1\r\nGreat Circle = 1\r\n[Electronic Bearing Lines]\r\n"));
}

TEST(EblList, UnwritableFileLeavesTheOldOneWhole)
{
    CEBLList list;
    Fill(list);
    ASSERT_TRUE(list.Save());
    const QByteArray before = SettingsBytes("EBL_GRID");
    ASSERT_FALSE(before.isEmpty());
    // The new file is written beside the old one first; a folder in its way stops that.
    const QString blocker = SettingsPath("EBL_GRID") + ".new~";
    ASSERT_TRUE(QDir().mkpath(blocker));
    list.DeleteLine(0);
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(SettingsBytes("EBL_GRID"), before);
    QDir(blocker).removeRecursively();
    EXPECT_TRUE(list.Save());
    EXPECT_NE(SettingsBytes("EBL_GRID"), before);
}

TEST(Divider, FirstPointStartsItAndLaterPointsMoveTheEnd)
{
    CDivider divider;
    divider.geographic = 1;
    divider.SetPoint(1000.0, 2000.0);
    EXPECT_EQ(divider.visible, 1);
    EXPECT_EQ(divider.geographic, 0);
    EXPECT_EQ(divider.startE, 1000.0);
    EXPECT_EQ(divider.startN, 2000.0);
    EXPECT_EQ(divider.endE, 1000.0);
    EXPECT_EQ(divider.distance, 0.0);

    divider.SetPoint(1030.0, 1960.0);
    EXPECT_EQ(divider.startE, 1000.0);
    EXPECT_EQ(divider.startN, 2000.0);
    EXPECT_EQ(divider.endE, 1030.0);
    EXPECT_EQ(divider.endN, 1960.0);
    EXPECT_DOUBLE_EQ(divider.distance, 50.0);
    EXPECT_NEAR(divider.bearing, M_PI - std::atan2(30.0, 40.0), 1e-12);
    EXPECT_EQ(divider.GetLabelPoint().x, 1015.0);
    EXPECT_EQ(divider.GetLabelPoint().y, 1980.0);

    // A missing point changes nothing.
    divider.SetPoint(kNaN, 5.0);
    divider.SetPoint(5.0, DBL_MAX);
    EXPECT_EQ(divider.endE, 1030.0);
    EXPECT_DOUBLE_EQ(divider.distance, 50.0);

    // Hidden again by its host, it starts afresh.
    divider.visible = 0;
    divider.SetPoint(7.0, 8.0);
    EXPECT_EQ(divider.startE, 7.0);
    EXPECT_EQ(divider.distance, 0.0);
}

TEST(Divider, GeographicLabelPointIsHalfWayAlongTheGeodesic)
{
    CDivider divider;
    divider.geographic = 1;
    divider.visible = 1;
    divider.startE = 3.0 * kDeg;
    divider.startN = 52.0 * kDeg;
    divider.distance = 100000.0;
    divider.bearing = 60.0 * kDeg;
    const tagXY mid = divider.GetLabelPoint();
    double s = 0, b = 0;
    ASSERT_TRUE(GeodesicInverse(&divider.spheroid, &s, &b, nullptr, divider.startN, divider.startE, mid.y, mid.x));
    EXPECT_NEAR(s, 50000.0, 0.01);
    EXPECT_NEAR(b, 60.0 * kDeg, 1e-7);
}
