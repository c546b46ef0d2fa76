// The yearly tide data files, the year load, the "NP159" settings and the current port: round
// trips through a writer of every file kind, and damaged files answered without numbers.
#include "TideFileWriter.h"

#include "marevo/NP159.h"
#include "marevo/TideCalendar.h"
#include "marevo/TideFileReader.h"
#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cfloat>
#include <cmath>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

namespace
{
constexpr double kRadPerDegree = 0.017453292519943;

TidalFactorDef Day(double base)
{
    TidalFactorDef day;
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
        day.Constituent[k] = {base + 10.0 * k, 1.0 + 0.01 * k};
    return day;
}

std::vector<double> Values(int count, double base)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(base + 0.5 * i);
    return values;
}

const MoonPhaseDef kMoon = {{{2024, 1, 11, 11, 57}, {2024, 1, 18, 3, 53}, {2024, 1, 25, 17, 54}, {2024, 2, 2, 23, 18}}};

const TestPort kFirst = {"0012a", "First Harbour", "Second text", 50.5, -1.25, Values(13, 1.0), -130};
const TestPort kSecond = {"0007", "Second Harbour", "", -33.75, 151.5, Values(13, 20.0), 530};

std::vector<std::string> FileProblems(const CNP159& data)
{
    std::vector<std::string> texts;
    for (const TideLoadProblem& problem : data.GetLoadProblems())
        texts.push_back(problem.Format().GetString());
    return texts;
}

void WriteTwoPorts()
{
    WriteTideFile("Part324.DAT", PortRecord(kFirst) + PortRecord(kSecond));
}
} // namespace

TEST(TideFiles, EveryFileKindRoundTripsFieldByField)
{
    ScopedTimeZone utc("UTC");
    WriteTideFile("TAF24.DAT", FactorRecord(Day(100.0)) + FactorRecord(Day(200.0)));
    WriteTideFile("MOON24.DAT", MoonRecord(kMoon));
    WriteTwoPorts();
    // Port numbers match without regard to case.
    WriteTideFile("TableVI24.DAT", TableVIRecord("0012A", 3, Values(9, 0.1)));
    WriteTideFile("Seasonal24.DAT", CorrectionRecord("0012A", "0007", Values(13, 0.01)));
    WriteTideFile("M224.DAT", CorrectionRecord("0007", "hM", Values(13, 1.5)) + CorrectionRecord("0007", "gM2", Values(13, 90.0)));
    WriteTideFile("S224.DAT", CorrectionRecord("0012a", "HM", Values(13, 0.5)) + CorrectionRecord("0012a", "g", Values(13, 45.0)));
    WriteTideFile("CoTidal.dat", CoTidalRecord(7, Values(8, 3.0)));

    CNP159 data;
    data.Load(2024);

    EXPECT_TRUE(FileProblems(data).empty());
    EXPECT_EQ(data.m_nYear, 2024);
    ASSERT_EQ(data.m_TidalFactors.GetSize(), 2);
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
    {
        EXPECT_EQ(data.m_TidalFactors[1].Constituent[k].dArgument, 200.0 + 10.0 * k);
        EXPECT_EQ(data.m_TidalFactors[1].Constituent[k].dFactor, 1.0 + 0.01 * k);
    }
    ASSERT_EQ(data.m_MoonPhases.GetSize(), 1);
    EXPECT_EQ(data.m_MoonPhases[0].Phase[3].nMinute, 18);
    ASSERT_EQ(data.m_PhaseInstants.GetSize(), 4);
    EXPECT_EQ(data.m_PhaseInstants[0], 1704974220); // 2024-01-11 11:57 UT
    EXPECT_EQ(data.m_PhaseInstants[3], 1706915880); // 2024-02-02 23:18 UT

    ASSERT_EQ(data.m_pPorts->GetSize(), 2);
    const CTidalPort& first = *data.m_pPorts->GetAt(0);
    const CTidalPort& second = *data.m_pPorts->GetAt(1);
    EXPECT_STREQ(first.m_strNumber, "0012a");
    EXPECT_STREQ(first.m_strName, "First Harbour");
    EXPECT_STREQ(first.m_strText, "Second text");
    EXPECT_STREQ(second.m_strText, "");
    EXPECT_DOUBLE_EQ(first.m_dPosition[0], 50.5 * kRadPerDegree);
    EXPECT_DOUBLE_EQ(first.m_dPosition[1], -1.25 * kRadPerDegree);
    for (int i = 0; i < CONSTANT_COUNT; ++i)
        EXPECT_EQ(second.m_dConstants[i], 20.0 + 0.5 * i);
    EXPECT_EQ(first.m_nTimeZone, -(3600 + 30 * 60));
    EXPECT_EQ(second.m_nTimeZone, 5 * 3600 + 30 * 60);

    EXPECT_TRUE(first.m_TableVI.bPresent);
    EXPECT_EQ(first.m_TableVI.nDayOffset, 3);
    EXPECT_EQ(first.m_TableVI.dValue[8], 0.1 + 0.5 * 8);
    EXPECT_FALSE(second.m_TableVI.bPresent);
    // The seasonal range runs from the first port through the second.
    EXPECT_TRUE(first.m_Seasonal.bPresent);
    EXPECT_TRUE(second.m_Seasonal.bPresent);
    EXPECT_EQ(second.m_Seasonal.dValue[12], 0.01 + 0.5 * 12);
    EXPECT_TRUE(second.m_Monthly[MONTHLY_M2_H].bPresent);
    EXPECT_EQ(second.m_Monthly[MONTHLY_M2_H].dValue[0], 1.5);
    EXPECT_EQ(second.m_Monthly[MONTHLY_M2_G].dValue[11], 90.0 + 0.5 * 11);
    EXPECT_FALSE(first.m_Monthly[MONTHLY_M2_H].bPresent);
    EXPECT_EQ(first.m_Monthly[MONTHLY_S2_H].dValue[1], 1.0);
    EXPECT_EQ(first.m_Monthly[MONTHLY_S2_G].dValue[0], 45.0);
    // Co-tidal block 7 goes to the port numbered "0007"; the other keeps its marks of none.
    EXPECT_EQ(second.m_dCoTidal[7], 3.0 + 0.5 * 7);
    EXPECT_EQ(first.m_dCoTidal[2], DBL_MAX);
    EXPECT_EQ(first.m_dCoTidal[0], 0.0);
}

TEST(TideFiles, YearLoadKeepsALoadedYearAndTakesTheClockYearForZero)
{
    WriteTideFile("TAF24.DAT", FactorRecord(Day(100.0)));
    WriteTideFile("MOON24.DAT", MoonRecord(kMoon));
    CNP159 data;
    EXPECT_EQ(data.m_nYear, 0);
    EXPECT_EQ(data.m_nCurrentPort, -1);
    data.Load(2024);
    ASSERT_EQ(data.m_TidalFactors.GetSize(), 1);
    EXPECT_EQ(data.m_dStart, 757296000.0); // 1 January 2024 is 8 765 days after 2 January 2000
    EXPECT_EQ(data.m_dEnd - data.m_dStart, 366 * 86400.0);

    // The same year with factors and phases is not read again.
    WriteTideFile("TAF24.DAT", FactorRecord(Day(100.0)) + FactorRecord(Day(5.0)));
    data.Load(2024);
    EXPECT_EQ(data.m_TidalFactors.GetSize(), 1);

    // Another year is: its missing files leave their parts empty, without a problem.
    data.Load(2025);
    EXPECT_EQ(data.m_nYear, 2025);
    EXPECT_TRUE(data.m_TidalFactors.IsEmpty());
    EXPECT_TRUE(data.m_PhaseInstants.IsEmpty());
    EXPECT_TRUE(FileProblems(data).empty());

    DateTimeDef now;
    GetLocalDateTime(now);
    data.Load(0);
    EXPECT_EQ(data.m_nYear, now.nYear);
}

TEST(TideFiles, RedirectedDataFolderComesBeforeTheDrives)
{
    WriteTideFile("TAF24.DAT", FactorRecord(Day(1.0)));
    const QString elsewhere = TempDrives::Current()->OnC("Elsewhere/Tides");
    QDir().mkpath(elsewhere);
    QFile taf(elsewhere + "/TAF24.DAT");
    ASSERT_TRUE(taf.open(QIODevice::WriteOnly));
    const std::string two = FactorRecord(Day(1.0)) + FactorRecord(Day(2.0));
    taf.write(two.data(), static_cast<qint64>(two.size()));
    taf.close();

    CNP159 fromDrives;
    fromDrives.Load(2024);
    EXPECT_EQ(fromDrives.m_TidalFactors.GetSize(), 1);

    QDir().mkpath(TempDrives::Current()->OnC("MyDrives"));
    QFile pointer(TempDrives::Current()->OnC("MyDrives/MyData.INI"));
    ASSERT_TRUE(pointer.open(QIODevice::WriteOnly));
    pointer.write("C:\\Elsewhere\r\n");
    pointer.close();
    CNP159 redirected;
    redirected.Load(2024);
    EXPECT_EQ(redirected.m_TidalFactors.GetSize(), 2);
}

TEST(TideFiles, CurrentPortHoldsTheOnlyCurveOfAYearAndFallsBackToTheFirst)
{
    WriteTideFile("TAF24.DAT", Repeat(FactorRecord(Day(10.0)), 367));
    CNP159 data;
    data.Load(2024);
    EXPECT_EQ(data.GetCurrentPort(), nullptr); // no ports

    WriteTwoPorts();
    data.m_nCurrentPort = 1;
    CTidalPort* second = data.GetCurrentPort(); // the list is filled for the loaded year
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second->m_strNumber, "0007");
    // A leap year's curve: one sample a minute, up to but not including the year's end.
    ASSERT_EQ(second->m_Curve.GetSize(), 527040);
    EXPECT_EQ(second->m_Curve[0].dTime, data.m_dStart);
    EXPECT_EQ(second->m_Curve[527039].dTime, data.m_dEnd - 60.0);

    data.m_nCurrentPort = 7;
    CTidalPort* first = data.GetCurrentPort();
    EXPECT_EQ(data.m_nCurrentPort, 0);
    EXPECT_STREQ(first->m_strNumber, "0012a");
    EXPECT_EQ(first->m_Curve.GetSize(), 527040);
    EXPECT_TRUE(second->m_Curve.IsEmpty());
}

// ---------------------------------------------------------------------------------------
// Damaged files
// ---------------------------------------------------------------------------------------

namespace
{
struct DamagedFile
{
    const char* label;
    const char* file;
    std::string bytes;
    int factors; // records kept in the factor array
    int ports;
    int phases;  // moon records kept
    const char* problem;
};

std::string WithNaN(std::string record, int offset)
{
    TideRecordBytes nan(static_cast<int>(record.size()));
    const std::string bits = nan.Double(offset, std::numeric_limits<double>::quiet_NaN()).Bytes();
    record.replace(static_cast<size_t>(offset), 8, bits, static_cast<size_t>(offset), 8);
    return record;
}

std::string WithInfinity(std::string record, int offset)
{
    TideRecordBytes inf(static_cast<int>(record.size()));
    const std::string bits = inf.Double(offset, -std::numeric_limits<double>::infinity()).Bytes();
    record.replace(static_cast<size_t>(offset), 8, bits, static_cast<size_t>(offset), 8);
    return record;
}
} // namespace

TEST(TideFilesBadInput, DamagedRecordStopsItsFileKeepingWhatCameBefore)
{
    const std::string day = FactorRecord(Day(30.0));
    MoonPhaseDef badMonth = kMoon;
    badMonth.Phase[2].nMonth = 13;
    const DamagedFile cases[] = {
        {"truncated record", "TAF24.DAT", Repeat(day, 199) + day.substr(0, 40), 199, 2, 1,
         "TAF24.DAT record 200: 40 of 64 bytes"},
        {"empty file", "TAF24.DAT", "", 0, 2, 1, "TAF24.DAT record 1: the file is empty"},
        {"NaN factor", "TAF24.DAT", day + WithNaN(day, 24) + day, 1, 2, 1,
         "TAF24.DAT record 2: a number that is not finite"},
        {"10 000 records", "TAF24.DAT", Repeat(day, 10000), 367, 2, 1,
         "TAF24.DAT record 368: more than 367 records; the rest is not read"},
        {"infinite constant", "Part324.DAT", PortRecord(kFirst) + WithInfinity(PortRecord(kSecond), 112 + 8 * 4), 1,
         1, 1, "Part324.DAT record 2: a number that is not finite"},
        {"truncated port", "Part324.DAT", PortRecord(kFirst).substr(0, 223), 1, 0, 1,
         "Part324.DAT record 1: 223 of 224 bytes"},
        {"moon month 13", "MOON24.DAT", MoonRecord(kMoon) + MoonRecord(badMonth), 1, 2, 1,
         "MOON24.DAT record 2: phase 3 is not a date and time"},
    };
    for (const DamagedFile& c : cases)
    {
        SCOPED_TRACE(c.label);
        QDir(TideFolder()).removeRecursively();
        WriteTideFile("TAF24.DAT", day);
        WriteTideFile("MOON24.DAT", MoonRecord(kMoon));
        WriteTwoPorts();
        WriteTideFile(c.file, c.bytes);
        CNP159 data;
        data.Load(2024);
        EXPECT_EQ(data.m_TidalFactors.GetSize(), c.factors);
        EXPECT_EQ(data.m_pPorts->GetSize(), c.ports);
        EXPECT_EQ(data.m_MoonPhases.GetSize(), c.phases);
        EXPECT_EQ(data.m_PhaseInstants.GetSize(), 4 * c.phases);
        EXPECT_EQ(FileProblems(data), std::vector<std::string>{c.problem});
        for (const TidalFactorDef& kept : data.m_TidalFactors)
            EXPECT_EQ(kept.Constituent[1].dFactor, 1.01);
    }
}

TEST(TideFilesBadInput, HugeFactorFileIsReadOnlyToItsLimit)
{
    WriteTideFile("TAF24.DAT", "");
    QFile taf(TideFolder() + "/TAF24.DAT");
    ASSERT_TRUE(taf.resize(qint64(1) << 30)); // a gigabyte of zeros, sparse where it can be
    QElapsedTimer timer;
    timer.start();
    CNP159 data;
    data.Load(2024);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(data.m_TidalFactors.GetSize(), CTideFileReader::kMaxFactorRecords);
    EXPECT_LE(data.m_TidalFactors.GetAllocSize(), 2 * CTideFileReader::kMaxFactorRecords);
    ASSERT_EQ(data.GetLoadProblems().size(), 1u);
    QFile::remove(TideFolder() + "/TAF24.DAT");
}

TEST(TideFilesBadInput, CorrectionRecordsApplyOnlyToTheirPorts)
{
    const TestPort third = {"0099", "Third", "", 0, 0, Values(13, 40.0), 0};
    struct Case
    {
        const char* label;
        std::string seasonal;
        std::string m2;
        bool present[3]; // seasonal table of each port
        bool amplitude[3]; // M2 amplitude table of each port
        size_t problems;
    } cases[] = {
        {"last port never comes: from the first to the end", CorrectionRecord("0007", "0555", Values(13, 1)), "",
         {false, true, true}, {false, false, false}, 0},
        {"first port matches none: no port", CorrectionRecord("0555", "0099", Values(13, 1)), "",
         {false, false, false}, {false, false, false}, 0},
        {"last port before the first: no port", CorrectionRecord("0099", "0007", Values(13, 1)), "",
         {false, false, false}, {false, false, false}, 0},
        {"one port as first and last", CorrectionRecord("0007", "0007", Values(13, 1)), "",
         {false, true, false}, {false, false, false}, 0},
        {"unknown M2 tag leaves the tables, the next record still counts", "",
         CorrectionRecord("0007", "Amp", Values(13, 1)) + CorrectionRecord("0099", "hm", Values(13, 2)),
         {false, false, false}, {false, false, true}, 1},
        {"Hm tag of a port that is not there", "", CorrectionRecord("0555", "HM", Values(13, 1)),
         {false, false, false}, {false, false, false}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        QDir(TideFolder()).removeRecursively();
        WriteTideFile("Part324.DAT", PortRecord(kFirst) + PortRecord(kSecond) + PortRecord(third));
        if (!c.seasonal.empty())
            WriteTideFile("Seasonal24.DAT", c.seasonal);
        if (!c.m2.empty())
            WriteTideFile("M224.DAT", c.m2);
        CNP159 data;
        data.Load(2024);
        ASSERT_EQ(data.m_pPorts->GetSize(), 3);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(data.m_pPorts->GetAt(i)->m_Seasonal.bPresent, c.present[i]) << i;
            EXPECT_EQ(data.m_pPorts->GetAt(i)->m_Monthly[MONTHLY_M2_H].bPresent, c.amplitude[i]) << i;
            EXPECT_FALSE(data.m_pPorts->GetAt(i)->m_Monthly[MONTHLY_M2_G].bPresent);
        }
        EXPECT_EQ(data.GetLoadProblems().size(), c.problems);
    }
}

TEST(TideFilesBadInput, CorrectionFilesWithoutPortsAreNotRead)
{
    WriteTideFile("TableVI24.DAT", "damaged");
    WriteTideFile("Seasonal24.DAT", "damaged");
    WriteTideFile("CoTidal.dat", "x");
    CNP159 data;
    data.Load(2024);
    EXPECT_TRUE(data.m_pPorts->IsEmpty());
    EXPECT_TRUE(FileProblems(data).empty());
}

// ---------------------------------------------------------------------------------------
// "NP159" settings
// ---------------------------------------------------------------------------------------

TEST(TideFilesBadInput, SettingsLinesTakeTheirDefaultsWhenDamaged)
{
    const std::string longLine = "Port = 4" + std::string(1 << 20, '5') + "\n";
    struct Case
    {
        const char* label;
        const char* text; // null: no file
        std::string raw;
        int index;
        BYTE flags[4];
        std::vector<std::string> problems;
    } cases[] = {
        {"no file", nullptr, "", 0, {1, 0, 1, 0}, {}},
        {"whole file, flags into bytes 0, 2, 1, 3", "Port = 3\nA = 1\nB = 0\nC = 1\nD = 1\n", "", 3, {1, 1, 0, 1}, {}},
        {"index only", "Port = 2\n", "", 2, {0, 1, 1, 0},
         {"NP159.INI line 2: the line is missing", "NP159.INI line 3: the line is missing",
          "NP159.INI line 4: the line is missing", "NP159.INI line 5: the line is missing"}},
        {"no '=' and not a number", "Port 3\nA = 1\nB = x\nC = 0\nD = 1\n", "", 0, {1, 0, 1, 1},
         {"NP159.INI line 1: the line has no '='", "NP159.INI line 3: the value is not a whole number"}},
        {"a line of a megabyte", nullptr, longLine + "A = 0\nB = 0\nC = 0\nD = 0\n", 0, {0, 0, 0, 0},
         {"NP159.INI line 1: the line is too long"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        CConfigFile probe;
        const CString path = probe.GetSettingsFileName("NP159");
        CConfigFile::WriteWhole(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary,
                                [&](CConfigFile& file) { file.WriteString(c.text ? c.text : c.raw.c_str()); });
        if (!c.text && c.raw.empty())
            CFile::Remove(path);
        CNP159 data;
        EXPECT_EQ(data.ReadSettings(), c.index);
        EXPECT_EQ(data.m_nCurrentPort, c.index);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(data.m_bFlags[i], c.flags[i]) << i;
        EXPECT_EQ(FileProblems(data), c.problems);
    }
}
