// The standard ports with their turning points, the tidal diamonds, the co-tidal chart and the
// clearance settings: round trips through a test-side writer of each file kind, and damaged or
// hostile files answered without numbers from them.
#include "TideFileWriter.h"

#include "foundation/ConfigFile.h"
#include "marevo/Clearance.h"
#include "marevo/CoTidalChart.h"
#include "marevo/StandardPortList.h"
#include "marevo/TidalDiamond.h"
#include "platform/core/FileApi.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

namespace
{
// 12:00 UT on 1 June 2005 and the days after it.
constexpr int64_t kNoon = 1117627200;
constexpr int64_t kDay = 86400;

template <typename Loaded> std::vector<std::string> Problems(const Loaded& loaded)
{
    std::vector<std::string> texts;
    for (const TideLoadProblem& problem : loaded.GetLoadProblems())
        texts.push_back(problem.Format().GetString());
    return texts;
}

CString Folder()
{
    TideFolder();
    return "C:\\MyData\\Tides\\";
}

double KeptHeight(const TurningPointDef& def)
{
    double height;
    std::memcpy(&height, def.Kept, sizeof height);
    return height;
}

QString ReadMissing()
{
    QFile file(TideFolder() + "/Missing.txt");
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString("<none>");
}

// Two ports of 2005: "12" (UT) on two days, "123A" (an hour east) on one.
void WriteTwoPortsOf2005()
{
    WriteTideFile("TP5.IDX", IndexRecord(5, "Dover", "00012", "+0000") + IndexRecord(10, "Ostend Bay", "0123A", "+0100"));
    WriteTideFile("TP05.DAT", TurningRecord("00012", kNoon, 5.5) + TurningRecord("00012", kNoon + 6 * 3600, 1.25) +
                                  TurningRecord("00012", kNoon + kDay, 5.75) + TurningRecord("0123A", kNoon, 3.0));
}
} // namespace

// ---------------------------------------------------------------------------------------
// Standard ports and turning points
// ---------------------------------------------------------------------------------------

TEST(StandardPorts, YearFilesRoundTripIntoPortsAndDays)
{
    ScopedTimeZone utc("UTC");
    EXPECT_STREQ(CStandardPortList::MakeIndexFileName("C:\\T\\", 2005), "C:\\T\\TP5.IDX");
    EXPECT_STREQ(CStandardPortList::MakeDataFileName("C:\\T\\", 2005), "C:\\T\\TP05.DAT");
    EXPECT_STREQ(CStandardPortList::MakeIndexFileName("C:\\T\\", 2024), "C:\\T\\TP24.IDX");
    WriteTwoPortsOf2005();

    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    EXPECT_TRUE(Problems(ports).empty());
    ASSERT_EQ(ports.GetSize(), 2);

    const CStandardPort* dover = ports[0];
    EXPECT_STREQ(dover->m_strNumber, "12");
    EXPECT_STREQ(dover->m_strName, "Dover");
    EXPECT_STREQ(dover->m_strTimeZone, "UT(GMT)");
    EXPECT_EQ(dover->m_nTimeZone, 0);
    ASSERT_EQ(dover->GetSize(), 2);
    const CTurningPoint* first = (*dover)[0];
    EXPECT_EQ(first->m_nDay, 1);
    EXPECT_EQ(first->m_nMonth, 6);
    EXPECT_EQ(first->m_nYear, 2005);
    ASSERT_EQ(first->GetSize(), 2);
    EXPECT_EQ((*first)[1]->nTime, kNoon + 6 * 3600);
    EXPECT_EQ(KeptHeight(*(*first)[1]), 1.25);
    EXPECT_EQ((*dover)[1]->m_nDay, 2);
    EXPECT_EQ(KeptHeight(*(*(*dover)[1])[0]), 5.75);

    const CStandardPort* ostend = ports[1];
    EXPECT_STREQ(ostend->m_strNumber, "123A");
    EXPECT_STREQ(ostend->m_strName, "Ostend Bay");
    EXPECT_STREQ(ostend->m_strTimeZone, "+0100");
    EXPECT_EQ(ostend->m_nTimeZone, 100);
    EXPECT_EQ(ostend->GetSize(), 1);

    EXPECT_EQ(ports.FindNumber("123a"), ostend);
    EXPECT_EQ(ports.FindNumber("0123A"), nullptr);
}

TEST(StandardPorts, IndexLookUpIsExactAndDaysAreLocal)
{
    // The index number "123a" is not the data file's "123A"; only the diamond link ignores case.
    WriteTideFile("TP5.IDX", IndexRecord(4, "Port", "123a ", "+0100"));
    // 23:30 UT on 30 June and 00:30 UT on 1 July: both on 1 July in Berlin's summer time, a
    // day and a month apart in UT. The same day of two months is two days.
    const int64_t lateJune = kNoon + 29 * kDay + 11 * 3600 + 1800;
    WriteTideFile("TP05.DAT", TurningRecord("123A ", lateJune, 1.0) + TurningRecord("123A ", lateJune + 3600, 2.0) +
                                  TurningRecord("123A ", lateJune + 31 * kDay, 3.0));
    struct
    {
        const char* zone;
        std::vector<std::vector<int>> days; // day, month, points
    } cases[] = {
        {"UTC", {{30, 6, 1}, {1, 7, 1}, {31, 7, 1}}},
        {"Europe/Berlin", {{1, 7, 2}, {1, 8, 1}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.zone);
        ScopedTimeZone zone(c.zone);
        CStandardPortList ports;
        ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
        ASSERT_EQ(ports.GetSize(), 1);
        EXPECT_STREQ(ports[0]->m_strName, "");
        EXPECT_STREQ(ports[0]->m_strTimeZone, "");
        ASSERT_EQ(ports[0]->GetSize(), static_cast<INT_PTR>(c.days.size()));
        for (size_t i = 0; i < c.days.size(); ++i)
        {
            const CTurningPoint* day = (*ports[0])[static_cast<INT_PTR>(i)];
            EXPECT_EQ(std::vector<int>({day->m_nDay, day->m_nMonth, static_cast<int>(day->GetSize())}), c.days[i]);
        }
    }
}

TEST(StandardPorts, AYearWithoutDataEmptiesTheList)
{
    ScopedTimeZone utc("UTC");
    WriteTwoPortsOf2005();
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    ASSERT_EQ(ports.GetSize(), 2);
    // 2006 has an index file but no data file.
    WriteTideFile("TP6.IDX", IndexRecord(5, "Dover", "00012", "+0000"));
    EXPECT_FALSE(ports.LoadFromFolder(Folder(), 2006));
    EXPECT_TRUE(ports.IsEmpty());
    EXPECT_TRUE(Problems(ports).empty());
    // An empty data file is no data either, and says so.
    WriteTideFile("TP06.DAT", "");
    EXPECT_FALSE(ports.LoadFromFolder(Folder(), 2006));
    EXPECT_EQ(Problems(ports), std::vector<std::string>{"TP06.DAT record 1: the file is empty"});
    EXPECT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    EXPECT_EQ(ports.GetSize(), 2);
}

// ---------------------------------------------------------------------------------------
// Tidal diamonds
// ---------------------------------------------------------------------------------------

TEST(TidalDiamonds, FileRoundTripsAndLinksToTheStandardPorts)
{
    ScopedTimeZone utc("UTC");
    const std::vector<TestDiamondRow> rows = {{-60, 359, 50, 25}, {0, 0x1234, 255, 0}, {127, 7, 1, 2}};
    WriteTideFile("TidalDiamond.TDD",
                  DiamondRecord(7, 1, 255, 12, 0, 0.875, -0.0125, 9, 3, rows) +
                      DiamondRecord(12, 1, 2, 123, 'a', 1.0, 2.0, 0, 0, {}) + DiamondRecord(3, 0, 0, 0, 0, 3.0, 4.0, 0, 0, {}) +
                      DiamondRecord(300, 26, 0, 99, 0, 5.0, 6.0, 0, 0, {}) + DiamondRecord(301, 192, 1, 99, 0, 0, 0, 0, 0, {}) +
                      DiamondRecord(302, 0, 0, 98, 0, 0, 0, 0, 0, {}) + DiamondRecord(303, 0, 0, 99, 0, 0, 0, 0, 0, {}));
    CTidalDiamond diamonds;
    ASSERT_TRUE(diamonds.LoadFromFolder(Folder()));
    EXPECT_TRUE(Problems(diamonds).empty());
    ASSERT_EQ(diamonds.GetSize(), 7);

    const TidalDiamondDef& a = *diamonds[0];
    EXPECT_STREQ(a.strName, "007A");
    EXPECT_STREQ(a.strReference, "12");
    EXPECT_EQ(a.dPosition[0], 0.875);
    EXPECT_EQ(a.dPosition[1], -0.0125);
    EXPECT_EQ(a.nKept[0], 9);
    EXPECT_EQ(a.nKept[1], 3);
    ASSERT_EQ(a.nRows, 3);
    EXPECT_EQ(a.Rows[0].dHours, -6.0);
    EXPECT_EQ(a.Rows[0].nDirection, 359);
    EXPECT_EQ(a.Rows[0].dSpringRate, 2.5);
    EXPECT_EQ(a.Rows[0].dNeapRate, 1.25);
    EXPECT_EQ(a.Rows[1].nDirection, 0x1234);
    EXPECT_EQ(a.Rows[1].dSpringRate, 12.75);
    EXPECT_DOUBLE_EQ(a.Rows[2].dHours, 12.7);
    EXPECT_EQ(a.pPort, nullptr);
    EXPECT_STREQ(diamonds[1]->strName, "012AB");
    EXPECT_STREQ(diamonds[1]->strReference, "123a");
    EXPECT_STREQ(diamonds[2]->strName, "003");
    EXPECT_STREQ(diamonds[2]->strReference, "");
    EXPECT_STREQ(diamonds[3]->strName, "300Z");
    // A code that wraps round to NUL is no letter; the next one still counts.
    EXPECT_EQ(diamonds[4]->strName.GetLength(), 4);
    EXPECT_STREQ(diamonds[4]->strName, "301A");

    WriteTwoPortsOf2005();
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    diamonds.Link(ports);
    EXPECT_EQ(diamonds[0]->pPort, ports[0]);
    EXPECT_STREQ(diamonds[0]->strReferenceName, "Dover");
    // Without regard to case.
    EXPECT_EQ(diamonds[1]->pPort, ports[1]);
    EXPECT_STREQ(diamonds[1]->strReferenceName, "Ostend Bay");
    EXPECT_EQ(diamonds[2]->pPort, nullptr);
    // Two unmatched diamonds in a row with one reference write it once; no reference, no line.
    EXPECT_EQ(ReadMissing(), "99\r\n98\r\n99\r\n");

    // A year without the ports: every link goes, and the file is made anew.
    ports.LoadFromFolder(Folder(), 2006);
    diamonds.Link(ports);
    for (const TidalDiamondDef* def : diamonds)
    {
        EXPECT_EQ(def->pPort, nullptr);
        EXPECT_STREQ(def->strReferenceName, "");
    }
    EXPECT_EQ(ReadMissing(), "12\r\n123a\r\n99\r\n98\r\n99\r\n");
}

TEST(TidalDiamonds, MissingListThatCannotBeMadeIsLeftOut)
{
    WriteTideFile("TidalDiamond.TDD", DiamondRecord(1, 0, 0, 5, 0, 0, 0, 0, 0, {}));
    ASSERT_TRUE(QDir().mkpath(TideFolder() + "/Missing.txt"));
    CTidalDiamond diamonds;
    ASSERT_TRUE(diamonds.LoadFromFolder(Folder()));
    CStandardPortList none;
    diamonds.Link(none);
    EXPECT_TRUE(QFileInfo(TideFolder() + "/Missing.txt").isDir());
    EXPECT_EQ(QDir(TideFolder()).entryList(QDir::Files), QStringList{"TidalDiamond.TDD"});

    CTidalDiamond without;
    EXPECT_FALSE(without.LoadFromFolder("C:\\Nowhere\\"));
    EXPECT_TRUE(without.IsEmpty());
}

TEST(TidalDiamonds, SpheroidIsTheTableWgs84WithItsDerivedConstants)
{
    CTidalDiamond diamonds;
    CSpheroid table;
    ASSERT_TRUE(table.SetFromTable(26));
    const CSpheroid& own = diamonds.m_Spheroid;
    EXPECT_STREQ(own.m_Name, "WGS84");
    EXPECT_EQ(own.m_SemiMajor, 6378137.0);
    EXPECT_EQ(own.m_InverseFlattening, 298.257223563);
    EXPECT_EQ(own.m_SemiMinor, 6356752.314245179);
    EXPECT_EQ(own.m_TableIndex, 26);
    EXPECT_EQ(own.m_Code, 7030);
    const double CSpheroid::*derived[] = {
        &CSpheroid::m_E2,  &CSpheroid::m_E,  &CSpheroid::m_HalfE, &CSpheroid::m_PolarFactor, &CSpheroid::m_N,
        &CSpheroid::m_OneMinusE2, &CSpheroid::m_Ep2, &CSpheroid::m_OnePlusEp2, &CSpheroid::m_A0, &CSpheroid::m_A2,
        &CSpheroid::m_A4,  &CSpheroid::m_A6, &CSpheroid::m_RectifyingFactor, &CSpheroid::m_ArcSlopeAtEquator,
        &CSpheroid::m_N1,  &CSpheroid::m_F2, &CSpheroid::m_F4,    &CSpheroid::m_F6,          &CSpheroid::m_F8};
    for (size_t i = 0; i < sizeof derived / sizeof derived[0]; ++i)
    {
        EXPECT_NE(own.*derived[i], 0.0) << i;
        EXPECT_EQ(own.*derived[i], table.*derived[i]) << i;
    }
    EXPECT_EQ(diamonds.m_nDisplayValue, 3);
    EXPECT_FALSE(diamonds.m_bDisplayFlag);
    EXPECT_EQ(diamonds.m_dDisplayValue, -1.0);
    EXPECT_EQ(diamonds.m_nDisplayIndex, -1);
}

// ---------------------------------------------------------------------------------------
// Co-tidal chart
// ---------------------------------------------------------------------------------------

namespace
{
constexpr double kRadiansPerDegree = 0.017453292519943;

// Second angles from 50 to 51 degrees at 7' (60/7 gives 8, so 9 rows) and first angles from
// -2 to 0 degrees at 25' (120/25 gives 4, so 5 columns): 45 nodes.
std::string ChartHeader()
{
    return CoTidalHeader(-2.0 * kRadiansPerDegree, 50.0 * kRadiansPerDegree, 0.0, 51.0 * kRadiansPerDegree, 7, 25);
}

std::string Nodes(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += CoTidalNode(10.0 * i);
    return bytes;
}

bool IsEmptyNode(const CoTidalDef& node)
{
    for (int i = 0; i < 8; ++i)
        if (node.dValue[i] != (i < 4 ? 0.0 : DBL_MAX))
            return false;
    return true;
}
} // namespace

TEST(CoTidalChart, GridComesFromTheHeaderAndMissingNodesAreEmpty)
{
    struct
    {
        const char* label;
        int nodes;
    } cases[] = {{"every node", 45}, {"half of them", 22}, {"header only", 0}, {"more than the grid", 50}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        WriteTideFile("5058.CTC", ChartHeader() + Nodes(c.nodes));
        CCoTidalChart chart;
        ASSERT_TRUE(chart.LoadFromFolder(Folder(), "5058"));
        EXPECT_TRUE(Problems(chart).empty());
        EXPECT_STREQ(chart.m_strFileName, "5058");
        EXPECT_EQ(chart.m_nRows, 9);
        EXPECT_EQ(chart.m_nColumns, 5);
        EXPECT_EQ(chart.m_nRowSpacing, 7);
        EXPECT_EQ(chart.m_nColumnSpacing, 25);
        EXPECT_EQ(chart.m_dCorner3[0], 0.0);
        EXPECT_EQ(chart.m_dCorner3[1], 50.0 * kRadiansPerDegree);
        EXPECT_EQ(chart.m_dCorner4[0], -2.0 * kRadiansPerDegree);
        EXPECT_EQ(chart.m_dCorner4[1], 51.0 * kRadiansPerDegree);
        ASSERT_EQ(chart.GetSize(), 45);
        for (int i = 0; i < 45; ++i)
        {
            if (i < c.nodes)
                EXPECT_EQ(chart[i].dValue[7], 10.0 * i + 7) << i;
            else
                EXPECT_TRUE(IsEmptyNode(chart[i])) << i;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Clearance settings
// ---------------------------------------------------------------------------------------

TEST(Clearance, SettingsLinesGiveFlagAndValuesOrZero)
{
    struct
    {
        const char* label;
        const char* text; // null: no file
        bool flag;
        double values[3];
        std::vector<std::string> problems;
    } cases[] = {
        {"no file", nullptr, false, {0, 0, 0}, {}},
        {"whole file", "Clearance = 1\nDraught = 4.25\nSafety = 0.5\nSquat = -0.125\n", true, {4.25, 0.5, -0.125}, {}},
        {"damaged lines", "Clearance\nDraught = deep\nSafety = 2\nSquat\n", false, {0, 2, 0},
         {"Clearance.INI line 1: the line has no '='", "Clearance.INI line 2: the value is not a number",
          "Clearance.INI line 4: the line has no '='"}},
        {"cut short", "Clearance = 7\nDraught = 3\n", true, {3, 0, 0},
         {"Clearance.INI line 3: the line is missing", "Clearance.INI line 4: the line is missing"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        CConfigFile probe;
        const CString path = probe.GetSettingsFileName("Clearance");
        if (c.text)
            ASSERT_TRUE(CConfigFile::WriteWhole(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary,
                                                [&](CConfigFile& file) { file.WriteString(c.text); }));
        else
            DeleteFileA(path);
        CClearance clearance;
        EXPECT_EQ(clearance.m_bClearance, c.flag);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(clearance.m_dValue[i], c.values[i]) << i;
        EXPECT_EQ(Problems(clearance), c.problems);
    }
}

// ---------------------------------------------------------------------------------------
// Damaged and hostile files
// ---------------------------------------------------------------------------------------

TEST(TideChartFilesBadInput, IndexNameLengthIsHeldToItsField)
{
    const char* const forty = "Port of Forty Letters In Its Field Name.";
    ASSERT_EQ(std::strlen(forty), 40u);
    WriteTideFile("TP5.IDX", IndexRecord(127, forty, "00001", "+0000") + IndexRecord(-5, "Lost", "00002", "-0330") +
                                 IndexRecord(3, "Ryde", "00003", "+0000"));
    WriteTideFile("TP05.DAT", TurningRecord("00001", kNoon, 1.0) + TurningRecord("00002", kNoon, 1.0) +
                                  TurningRecord("00003", kNoon, 1.0));
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    EXPECT_TRUE(Problems(ports).empty());
    ASSERT_EQ(ports.GetSize(), 3);
    EXPECT_STREQ(ports[0]->m_strName, forty);
    EXPECT_STREQ(ports[1]->m_strName, "");
    EXPECT_STREQ(ports[1]->m_strTimeZone, "-0330");
    EXPECT_EQ(ports[1]->m_nTimeZone, -330);
    EXPECT_STREQ(ports[2]->m_strName, "Ryd");
}

TEST(TideChartFilesBadInput, TruncatedRecordStopsItsFileKeepingWhatCameBefore)
{
    ScopedTimeZone utc("UTC");
    const std::string index = IndexRecord(5, "Dover", "00012", "+0000");
    const std::string turn = TurningRecord("00012", kNoon, 2.0);
    const std::string diamond = DiamondRecord(1, 0, 0, 12, 0, 0, 0, 0, 2, {{10, 90, 20, 10}, {20, 180, 40, 20}});
    const std::string chart = ChartHeader() + Nodes(2);
    struct
    {
        const char* label;
        const char* file;
        std::string bytes;
        int kept; // index names, turning points, diamonds or chart nodes read
        std::string problem;
    } cases[] = {
        {"index", "TP5.IDX", index + index.substr(0, 30), 1, "TP5.IDX record 2: 30 of 54 bytes"},
        {"turning point", "TP05.DAT", turn + turn.substr(0, 10), 1, "TP05.DAT record 2: 10 of 24 bytes"},
        {"diamond header", "TidalDiamond.TDD", diamond + diamond.substr(0, 20), 1,
         "TidalDiamond.TDD record 2: 20 of 32 bytes"},
        {"diamond row", "TidalDiamond.TDD", diamond + diamond.substr(0, 32 + 5 + 2), 1,
         "TidalDiamond.TDD record 2: row 2 of 2: 2 of 5 bytes"},
        {"chart node", "5058.CTC", chart + CoTidalNode(0.0).substr(0, 32), 2, "5058.CTC record 3: 32 of 64 bytes"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        QDir(TideFolder()).removeRecursively();
        WriteTideFile("TP5.IDX", index);
        WriteTideFile("TP05.DAT", turn);
        WriteTideFile(c.file, c.bytes);
        CStandardPortList ports;
        ports.LoadFromFolder(Folder(), 2005);
        CTidalDiamond diamonds;
        diamonds.LoadFromFolder(Folder());
        CCoTidalChart cotidal;
        cotidal.LoadFromFolder(Folder(), "5058");
        std::vector<std::string> problems = Problems(ports);
        for (const std::string& p : Problems(diamonds))
            problems.push_back(p);
        for (const std::string& p : Problems(cotidal))
            problems.push_back(p);
        EXPECT_EQ(problems, std::vector<std::string>{c.problem});
        ASSERT_EQ(ports.GetSize(), 1);
        EXPECT_STREQ(ports[0]->m_strName, "Dover");
        const std::string kind = c.file;
        if (kind == "TP05.DAT")
        {
            EXPECT_EQ((*ports[0])[0]->GetSize(), c.kept);
        }
        if (kind == "TidalDiamond.TDD")
        {
            ASSERT_EQ(diamonds.GetSize(), c.kept);
            EXPECT_EQ(diamonds[0]->nRows, 2);
            EXPECT_EQ(diamonds[0]->Rows[1].nDirection, 180);
        }
        if (kind == "5058.CTC")
        {
            ASSERT_EQ(cotidal.GetSize(), 45);
            EXPECT_EQ(cotidal[1].dValue[0], 10.0);
            EXPECT_TRUE(IsEmptyNode(cotidal[2]));
        }
    }
}

TEST(TideChartFilesBadInput, TurningPointsWhoseTimeIsNoDateAreLeftOut)
{
    ScopedTimeZone utc("UTC");
    WriteTideFile("TP05.DAT", TurningRecord("00012", kNoon, 1.0) + TurningRecord("00012", -1, 2.0) +
                                  TurningRecord("00012", std::numeric_limits<int64_t>::min(), 3.0) +
                                  TurningRecord("00012", 32535216000, 4.0) + TurningRecord("00012", kNoon + 60, 5.0) +
                                  TurningRecord("00077", 32535215999, 6.0));
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    EXPECT_EQ(Problems(ports),
              (std::vector<std::string>{"TP05.DAT record 2: the time is not a date; the turning point is left out",
                                        "TP05.DAT: 2 more turning points whose time is not a date were left out"}));
    ASSERT_EQ(ports.GetSize(), 2);
    ASSERT_EQ(ports[0]->GetSize(), 1);
    const CTurningPoint& day = *(*ports[0])[0];
    ASSERT_EQ(day.GetSize(), 2);
    EXPECT_EQ(KeptHeight(*day[1]), 5.0);
    // The last second the calendar reaches still converts.
    ASSERT_EQ(ports[1]->GetSize(), 1);
    EXPECT_EQ((*ports[1])[0]->m_nYear, 3000);
    EXPECT_EQ((*ports[1])[0]->m_nDay, 31);
}

TEST(TideChartFilesBadInput, DiamondOfMoreRowsThanItsRoomKeeps25AndTheNextStartsInPlace)
{
    std::vector<TestDiamondRow> rows;
    for (int i = 0; i < 26; ++i)
        rows.push_back({static_cast<int8_t>(i - 13), static_cast<uint16_t>(10 * i), static_cast<uint8_t>(i), 0});
    WriteTideFile("TidalDiamond.TDD", DiamondRecord(1, 1, 0, 5, 0, 1.0, 2.0, 0, 26, rows) +
                                          DiamondRecord(2, 2, 0, 6, 'B', 3.0, 4.0, 7, 1, {{-5, 45, 10, 5}}));
    CTidalDiamond diamonds;
    ASSERT_TRUE(diamonds.LoadFromFolder(Folder()));
    EXPECT_EQ(Problems(diamonds),
              std::vector<std::string>{"TidalDiamond.TDD record 1: 26 rows; the last 1 are left out"});
    ASSERT_EQ(diamonds.GetSize(), 2);
    EXPECT_EQ(diamonds[0]->nRows, 25);
    EXPECT_EQ(diamonds[0]->nKept[1], 26);
    EXPECT_EQ(diamonds[0]->Rows[24].nDirection, 240);
    const TidalDiamondDef& next = *diamonds[1];
    EXPECT_STREQ(next.strName, "002B");
    EXPECT_STREQ(next.strReference, "6B");
    EXPECT_EQ(next.dPosition[1], 4.0);
    EXPECT_EQ(next.nKept[0], 7);
    ASSERT_EQ(next.nRows, 1);
    EXPECT_EQ(next.Rows[0].dHours, -0.5);
    EXPECT_EQ(next.Rows[0].nDirection, 45);
    EXPECT_EQ(next.Rows[0].dSpringRate, 0.5);
    EXPECT_EQ(next.Rows[0].dNeapRate, 0.25);
}

TEST(TideChartFilesBadInput, ChartHeaderWithoutASensibleGridFailsAsAMissingFile)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double d = kRadiansPerDegree;
    struct
    {
        const char* label;
        std::string bytes; // empty: no file
        std::string problem;
    } cases[] = {
        {"no file", "", ""},
        {"row spacing 0", CoTidalHeader(0, 0, d, d, 0, 10) + Nodes(1), "5058.CTC: the corners and spacings give no grid"},
        {"column spacing negative", CoTidalHeader(0, 0, d, d, 10, -10), "5058.CTC: the corners and spacings give no grid"},
        {"NaN corner", CoTidalHeader(nan, 0, d, d, 10, 10), "5058.CTC: a corner that is not finite"},
        {"infinite corner", CoTidalHeader(0, 0, d, HUGE_VAL, 10, 10), "5058.CTC: a corner that is not finite"},
        {"huge corner", CoTidalHeader(0, -1e300, d, d, 10, 10), "5058.CTC: the corners and spacings give no grid"},
        {"corners the wrong way", CoTidalHeader(0, 2 * d, d, 0, 10, 10), "5058.CTC: the corners and spacings give no grid"},
        {"32768 rows", CoTidalHeader(0, 0, 0, 32767 * d / 60 + 1e-9, 1, 1), "5058.CTC: the corners and spacings give no grid"},
        {"above the cap", CoTidalHeader(0, 0, 1100 * d / 60 + 1e-9, 1000 * d / 60 + 1e-9, 1, 1),
         "5058.CTC: a grid of 1001 x 1101 nodes, more than 1048576"},
        {"short header", CoTidalHeader(0, 0, d, d, 10, 10).substr(0, 20), "5058.CTC: the header has 20 of 36 bytes"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        QDir(TideFolder()).removeRecursively();
        if (!c.bytes.empty())
            WriteTideFile("5058.CTC", c.bytes);
        CCoTidalChart chart;
        EXPECT_FALSE(chart.LoadFromFolder(Folder(), "5058"));
        EXPECT_EQ(Problems(chart), c.problem.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.problem});
        EXPECT_TRUE(chart.IsEmpty());
        EXPECT_EQ(chart.m_nRows, 0);
        EXPECT_EQ(chart.m_nColumns, 0);
        EXPECT_EQ(chart.m_nRowSpacing, 0x7FFF);
        EXPECT_EQ(chart.m_nColumnSpacing, 0x7FFF);
        for (const double* corner : {chart.m_dCorner1, chart.m_dCorner2, chart.m_dCorner3, chart.m_dCorner4})
            EXPECT_TRUE(corner[0] == DBL_MAX && corner[1] == DBL_MAX);
    }
    // The largest grid under the cap loads.
    WriteTideFile("5058.CTC", CoTidalHeader(0, 0, 1023 * d / 60 + 1e-9, 1023 * d / 60 + 1e-9, 1, 1));
    CCoTidalChart chart;
    ASSERT_TRUE(chart.LoadFromFolder(Folder(), "5058"));
    EXPECT_EQ(chart.GetSize(), 1048576);
    EXPECT_TRUE(IsEmptyNode(chart[1048575]));
}

TEST(TideChartFilesBadInput, LongFilesAreReadOnlyToTheirCaps)
{
    ScopedTimeZone utc("UTC");
    WriteTideFile("TP5.IDX", Repeat(IndexRecord(4, "Port", "00001", "+0000"), CStandardPortList::kMaxIndexRecords + 1));
    WriteTideFile("TidalDiamond.TDD", Repeat(DiamondRecord(1, 0, 0, 0, 0, 0, 0, 0, 0, {}), CTidalDiamond::kMaxDiamonds + 1));
    // A data file of zeros one record past its cap, sparse where it can be.
    WriteTideFile("TP05.DAT", "");
    QFile data(TideFolder() + "/TP05.DAT");
    ASSERT_TRUE(data.resize(qint64(CStandardPortList::kDataRecordSize) * (CStandardPortList::kMaxDataRecords + 1)));
    // Processor time: other tests on the same processors stretch the wall clock, not the work.
    const std::clock_t start = std::clock();
    CStandardPortList ports;
    EXPECT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    CTidalDiamond diamonds;
    EXPECT_TRUE(diamonds.LoadFromFolder(Folder()));
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 10.0);
    EXPECT_EQ(Problems(ports), (std::vector<std::string>{"TP5.IDX record 10001: more than 10000 records; the rest is not read",
                                                        "TP05.DAT record 2000001: more than 2000000 records; the rest is not read"}));
    EXPECT_EQ(Problems(diamonds),
              std::vector<std::string>{"TidalDiamond.TDD record 10001: more than 10000 records; the rest is not read"});
    ASSERT_EQ(ports.GetSize(), 1);
    ASSERT_EQ(ports[0]->GetSize(), 1);
    EXPECT_EQ((*ports[0])[0]->GetSize(), CStandardPortList::kMaxDataRecords);
    EXPECT_EQ(diamonds.GetSize(), CTidalDiamond::kMaxDiamonds);
    ports.FreeAll();
    QFile::remove(TideFolder() + "/TP05.DAT");
}

TEST(TideChartFilesBadInput, ManyPortsAndDiamondsAreMatchedWithoutSearchingEveryOneEachTime)
{
    ScopedTimeZone utc("UTC");
    constexpr int kPorts = 90000; // numbers 00000 to 89999; the index holds 90000 to 99999
    std::string index, data, diamonds;
    char number[8];
    for (int i = 0; i < CStandardPortList::kMaxIndexRecords; ++i)
    {
        std::snprintf(number, sizeof number, "%05d", 90000 + i);
        index += IndexRecord(4, "Name", number, "+0000");
    }
    for (int i = 0; i < kPorts; ++i)
    {
        std::snprintf(number, sizeof number, "%05d", i);
        data += TurningRecord(number, kNoon, 1.0);
    }
    for (int i = 0; i < CTidalDiamond::kMaxDiamonds; ++i)
        diamonds += DiamondRecord(1, 0, 0, static_cast<uint16_t>(60000 + i % 5000), 0, 0, 0, 0, 0, {});
    WriteTideFile("TP5.IDX", index);
    WriteTideFile("TP05.DAT", data + TurningRecord("99999", kNoon, 1.0));
    WriteTideFile("TidalDiamond.TDD", diamonds);
    const std::clock_t start = std::clock();
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(Folder(), 2005));
    CTidalDiamond tidal;
    ASSERT_TRUE(tidal.LoadFromFolder(Folder()));
    tidal.Link(ports);
    // Measured 0.7 s of processor time; a search of every index entry per port and of every
    // port per diamond took 6.8 s.
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 3.0);
    ASSERT_EQ(ports.GetSize(), kPorts + 1);
    EXPECT_STREQ(ports[kPorts]->m_strName, "Name");
    EXPECT_STREQ(ports[kPorts - 1]->m_strName, "");
    EXPECT_EQ(tidal[0]->pPort, ports[60000]);
    EXPECT_EQ(tidal[CTidalDiamond::kMaxDiamonds - 1]->pPort, ports[64999]);
}
