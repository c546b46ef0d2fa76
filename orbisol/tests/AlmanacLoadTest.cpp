// Loading a year's almanac: which files load, what a failed one leaves behind, when the file is
// read again, and the span of years the folder's files cover.
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"
#include "testsupport/TempDrives.h"

#include <QList>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace almanactest;

namespace
{
bool AllCleared(const CSunObservation& sun)
{
    const SunAlmanacDef zero{};
    for (const SunAlmanacDef& month : sun.m_Months)
        if (std::memcmp(&month, &zero, sizeof zero) != 0)
            return false;
    return true;
}

// The golden 2024 almanac with its lines replaced or added, as text with LF line ends.
QByteArray Golden2024With(const std::function<void(QList<QByteArray>&)>& change)
{
    QList<QByteArray> lines = Fixture("sarsun24.dat").replace("\r\n", "\n").split('\n');
    if (lines.back().isEmpty())
        lines.removeLast();
    change(lines);
    return lines.isEmpty() ? QByteArray() : lines.join('\n') + '\n';
}

// The line with its comma-separated field `index` (0 the month) replaced.
QByteArray WithField(const QByteArray& line, int index, const QByteArray& value)
{
    QList<QByteArray> fields = line.split(',');
    fields[index] = value;
    return fields.join(',');
}

} // namespace

TEST(AlmanacLoad, FolderAndFileNames)
{
    CString folder;
    ASSERT_TRUE(GetAlmanacFolder(folder));
    EXPECT_STREQ(folder, "C:\\MyData\\Star Almanac\\");
    EXPECT_TRUE(QFileInfo(LinuxPathFromWindows(folder)).isDir()) << "made when missing";
    EXPECT_STREQ(GetAlmanacFilePath(2024), "C:\\MyData\\Star Almanac\\sarsun24.dat");
    EXPECT_STREQ(GetAlmanacFilePath(2100), "C:\\MyData\\Star Almanac\\sarsun00.dat");
    EXPECT_STREQ(GetAlmanacFilePath(2007), "C:\\MyData\\Star Almanac\\sarsun07.dat");

    // The drives file's first line comes before the drive search.
    WriteBytes(TempDrives::Current()->OnC("MyDrives/MyData.INI"), "C:\\Survey Data\r\nsecond line\r\n");
    ASSERT_TRUE(GetAlmanacFolder(folder));
    EXPECT_STREQ(folder, "C:\\Survey Data\\Star Almanac\\");
    EXPECT_TRUE(QFileInfo(TempDrives::Current()->OnC("Survey Data/Star Almanac")).isDir());
}

// The golden file as the generator writes it, and the same with each of the loading rules at
// work: how many data lines, which month numbers, what else a line holds.
TEST(AlmanacLoad, LoadingRules)
{
    struct Case
    {
        const char* what;
        std::function<void(QList<QByteArray>&)> change;
        bool loads;
        int failedLine; // the line the error names (1 the title; 0 none)
    };
    const Case cases[] = {
        {"LF line ends", [](QList<QByteArray>&) {}, true, 0},
        {"a trailer after the twelve months", [](QList<QByteArray>& l) { l.append("END OF ALMANAC"); }, true, 0},
        {"blanks before the numbers", [](QList<QByteArray>& l) { l[3].replace(",", ", "); }, true, 0},
        {"eleven data lines", [](QList<QByteArray>& l) { l.removeLast(); }, false, 0},
        {"thirteen data lines", [](QList<QByteArray>& l) { l.append(l[12]); }, false, 14},
        {"no title: the first month is taken for it", [](QList<QByteArray>& l) { l.removeFirst(); }, false, 0},
        {"a missing number", [](QList<QByteArray>& l) { l[5] = l[5].left(l[5].lastIndexOf(',')); }, false, 6},
        {"a blank before a comma", [](QList<QByteArray>& l) { l[2].replace(",", " ,"); }, false, 3},
        {"a blank line between months", [](QList<QByteArray>& l) { l.insert(4, ""); }, false, 5},
        {"nan", [](QList<QByteArray>& l) { l[7] = WithField(l[7], 8, "nan"); }, false, 8},
        {"inf", [](QList<QByteArray>& l) { l[2] = WithField(l[2], 1, "-inf"); }, false, 3},
        {"1e999", [](QList<QByteArray>& l) { l[12] = WithField(l[12], 14, "1e999"); }, false, 13},
        {"a month beyond int", [](QList<QByteArray>& l) { l[6] = WithField(l[6], 0, "99999999999"); }, true, 0},
        {"a NUL byte", [](QList<QByteArray>& l) { l[9][4] = '\0'; }, false, 10},
        {"a title of 1023 characters", [](QList<QByteArray>& l) { l[0] = l[0].leftJustified(1023, 'x'); }, true, 0},
        {"a title of 1024 characters", [](QList<QByteArray>& l) { l[0] = l[0].leftJustified(1024, 'x'); }, false, 1},
        {"an empty file", [](QList<QByteArray>& l) { l.clear(); }, false, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        // A year loaded before shows that a failed load leaves none behind.
        WriteAlmanac(2025, Fixture("sarsun25.dat"));
        CSunObservation sun;
        ASSERT_TRUE(sun.LoadAlmanac(2025));
        WriteAlmanac(2024, Golden2024With(c.change));
        EXPECT_EQ(sun.LoadAlmanac(2024), c.loads);
        EXPECT_EQ(sun.m_nLoadedYear, c.loads ? 2024 : 0);
        EXPECT_EQ(sun.HasResults(), c.loads);
        EXPECT_EQ(sun.GetLoadError().IsEmpty(), c.loads) << sun.GetLoadError().Format().GetString();
        if (!c.loads)
        {
            EXPECT_TRUE(AllCleared(sun));
            EXPECT_EQ(sun.GetLoadError().nLine, c.failedLine) << sun.GetLoadError().Format().GetString();
            EXPECT_NE(std::string(sun.GetLoadError().Format().GetString()).find("sarsun24.dat"), std::string::npos);
        }
    }
}

TEST(AlmanacLoad, RecordsAndCheckSums)
{
    InstallFixtures(2024, 2024);
    CSunObservation sun;
    ASSERT_TRUE(sun.LoadAlmanac(2024));
    // January's line of the generated file, as written.
    const SunAlmanacDef& jan = sun.m_Months[0];
    EXPECT_DOUBLE_EQ(jan.dRa0, 6.6110374101);
    EXPECT_DOUBLE_EQ(jan.dDa0, -23.1310322427);
    EXPECT_DOUBLE_EQ(jan.dEa0, 11.9565927559);
    EXPECT_DOUBLE_EQ(jan.dSDa1, -0.0005422218);
    for (const SunAlmanacDef& m : sun.m_Months)
    {
        EXPECT_DOUBLE_EQ(m.dDecCheckSum, 0.0 + m.dDa0 + m.dDa1 + m.dDa2 + m.dDa3 + m.dDa4);
        EXPECT_DOUBLE_EQ(m.dECheckSum, 0.0 + m.dEa0 + m.dEa1 + m.dEa2 + m.dEa3 + m.dEa4);
        EXPECT_NE(m.dDa0, 0.0);
    }
}

// Month numbers outside 1..12 count towards the twelve lines but are not stored; a month given
// twice keeps its later line.
TEST(AlmanacLoad, MonthNumbers)
{
    QByteArray text = "Sun for 2024\r\n";
    for (int month = 1; month <= 12; ++month)
    {
        const int given = month == 5 ? 13 : month == 8 ? 3 : month;
        text += MonthLine(given, 10.0 * month, 0.0, 12.0) + "\r\n";
    }
    WriteAlmanac(2024, text);
    CSunObservation sun;
    ASSERT_TRUE(sun.LoadAlmanac(2024));
    const SunAlmanacDef zero{};
    EXPECT_EQ(std::memcmp(&sun.m_Months[4], &zero, sizeof zero), 0) << "May was given as month 13";
    EXPECT_EQ(std::memcmp(&sun.m_Months[7], &zero, sizeof zero), 0) << "August was given as month 3";
    EXPECT_DOUBLE_EQ(sun.m_Months[2].dDa0, 80.0) << "the later line of March";
    EXPECT_DOUBLE_EQ(sun.m_Months[2].dDecCheckSum, 80.0);
    EXPECT_DOUBLE_EQ(sun.m_Months[11].dDa0, 120.0);
}

// Loading the loaded year again opens nothing; another year and then the first open both files.
// A failed load leaves no year loaded, so the next request reads its file again.
TEST(AlmanacLoad, ReloadOpensTheFileOnlyForAnotherYear)
{
    InstallFixtures(2024, 2025);
    CString folder;
    ASSERT_TRUE(GetAlmanacFolder(folder));
    OpenCounter counter(LinuxPathFromWindows(folder));
    CSunObservation sun;
    ASSERT_TRUE(sun.LoadAlmanac(2024));
    EXPECT_EQ(counter.Opens("sarsun24.dat"), 1);
    ASSERT_TRUE(sun.LoadAlmanac(2024));
    EXPECT_EQ(counter.Opens("sarsun24.dat"), 0);
    ASSERT_TRUE(sun.LoadAlmanac(2025));
    ASSERT_TRUE(sun.LoadAlmanac(2024));
    EXPECT_EQ(counter.Opens("sarsun25.dat"), 1);
    EXPECT_EQ(counter.Opens("sarsun24.dat"), 1);

    QFile::remove(AlmanacPath(2026));
    EXPECT_FALSE(sun.LoadAlmanac(2026));
    WriteAlmanac(2026, Fixture("sarsun26.dat"));
    EXPECT_TRUE(sun.LoadAlmanac(2026)) << "a failed year is read again";
    EXPECT_EQ(counter.Opens("sarsun26.dat"), 1);
}

TEST(AlmanacLoad, YearRange)
{
    COleDateTime first(2000, 6, 1, 12, 0, 0);
    COleDateTime last(2000, 6, 2, 12, 0, 0);
    const COleDateTime firstBefore = first;
    const COleDateTime lastBefore = last;
    // No file (and then none that names a year): both left as they were.
    EXPECT_FALSE(GetAlmanacYearRange(first, last));
    WriteAlmanac(2099, "Sun for 1899\r\n");
    WriteAlmanac(2098, "Sun for 2101\r\n");
    WriteAlmanac(2097, "Sun for \r\n");
    WriteAlmanac(2096, "Moon for 2030\r\n");
    WriteAlmanac(2095, "");
    WriteAlmanac(2094, "Sun for 2024" + QByteArray(1100, 'x') + "\r\n"); // a title too long to load
    EXPECT_FALSE(GetAlmanacYearRange(first, last));
    EXPECT_EQ(first, firstBefore);
    EXPECT_EQ(last, lastBefore);

    InstallFixtures(2031, 2031);
    WriteAlmanac(2027, MarkedAlmanac(2027));
    // A name the pattern matches whatever year its title gives.
    WriteBytes(AlmanacPath(2024).replace("sarsun24.dat", "sarsun-extra.dat"), "Sun for 2026 extra\r\n");
    // A folder of a matching name is no almanac.
    QDir().mkpath(AlmanacPath(2024).replace("sarsun24.dat", "sarsun2040.dat"));
    ASSERT_TRUE(GetAlmanacYearRange(first, last));
    EXPECT_EQ(first, COleDateTime(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(last, COleDateTime(2031, 12, 31, 23, 59, 59));
}

// The demo drive computes out of the box: its almanacs are the generated ones, 2024 to 2035.
TEST(AlmanacLoad, DemoDriveHoldsTheGeneratedAlmanacs)
{
    for (int year = 2024; year <= 2035; ++year)
    {
        const QString name = QString::asprintf("sarsun%02d.dat", year % 100);
        SCOPED_TRACE(name.toStdString());
        const QByteArray demo = ReadBytes(QString(SUITE_SOURCE_DIR) + "/data/demo/MyData/Star Almanac/" + name);
        EXPECT_EQ(demo, Fixture(name.toLatin1().constData()));
        EXPECT_TRUE(demo.startsWith("Sun for " + QByteArray::number(year) + " "));
    }
}
