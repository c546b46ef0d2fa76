// Almanac files no one should meet but someone will: a gigabyte of anything, lines megabytes
// long, a folder of thousands. The loader and the range scan read a bounded few lines of each,
// so the cost stays that of a good file and the outcome rests on those lines alone.
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"

#include "testsupport/ResourceProbe.h"

#include <gtest/gtest.h>

using namespace almanactest;

namespace
{
constexpr qint64 kGigabyte = qint64(1) << 30;

// Writes the bytes and stretches the file with a hole of NUL bytes to `size`: the file system
// stores none of it, the reader sees all of it.
void WriteSparse(const QString& path, const QByteArray& bytes, qint64 size)
{
    WriteBytes(path, bytes);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(size));
}
} // namespace

TEST(AlmanacFileBadInput, GigabyteFilesCostNoMoreThanTheirFirstLines)
{
    struct Case
    {
        const char* what;
        QByteArray head; // before the gigabyte of NUL bytes
        bool loads;
        int failedLine;
    };
    const QByteArray golden = Fixture("sarsun24.dat");
    const Case cases[] = {
        {"nothing but NUL bytes", QByteArray(), false, 1},
        {"a title, then NUL bytes", "Sun for 2024\r\n", false, 2},
        {"twelve months, a trailer, then NUL bytes", golden + "END\r\n", true, 0},
        {"twelve months, then NUL bytes", golden, false, 14},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteSparse(AlmanacPath(2024), c.head, kGigabyte);
        CSunObservation sun;
        bool loaded = !c.loads;
        const ResourceUse use = MeasureResources([&] { loaded = sun.LoadAlmanac(2024); }, 0.0);
        EXPECT_EQ(loaded, c.loads);
        EXPECT_EQ(sun.GetLoadError().nLine, c.failedLine) << sun.GetLoadError().Format().GetString();
        EXPECT_LT(use.cpuSeconds, 0.5);
        EXPECT_LT(use.peakMegabytes, 8.0);
    }
}

TEST(AlmanacFileBadInput, LinesMegabytesLongFailWithinTheirBuffer)
{
    const QByteArray longLine(16 << 20, '7');
    QList<QByteArray> lines = Fixture("sarsun24.dat").split('\n');
    struct Case
    {
        const char* what;
        int index; // the line replaced (0 the title)
        QByteArray line;
        int failedLine;
    };
    const Case cases[] = {
        {"a 16 MB title", 0, "Sun for 2024 " + longLine + "\r", 1},
        {"a 16 MB data line", 4, "5," + longLine + "\r", 5},
        {"a 16 MB number", 6, "7,1." + longLine + ",2,3,4,5,6,7,8,9,10,11,12,13,14\r", 7},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        QList<QByteArray> changed = lines;
        changed[c.index] = c.line;
        WriteAlmanac(2024, changed.join('\n'));
        CSunObservation sun;
        bool loaded = true;
        const ResourceUse use = MeasureResources([&] { loaded = sun.LoadAlmanac(2024); }, 0.0);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(sun.GetLoadError().nLine, c.failedLine) << sun.GetLoadError().Format().GetString();
        EXPECT_LT(use.peakMegabytes, 8.0) << "a 16 MB line never held whole";
    }
}

// Thousands of matching files, each a gigabyte behind its title: only the titles are read.
TEST(AlmanacFileBadInput, RangeScanOfThousandsReadsOnlyTitles)
{
    CString folder;
    ASSERT_TRUE(GetAlmanacFolder(folder));
    const QString linuxFolder = LinuxPathFromWindows(folder);
    for (int i = 0; i < 2000; ++i)
    {
        const int year = 1950 + i % 120; // 1950 .. 2069
        WriteSparse(linuxFolder + QString::asprintf("sarsun_%04d.dat", i),
                    "Sun for " + QByteArray::number(year) + " copy " + QByteArray::number(i) + "\r\n", kGigabyte);
    }
    COleDateTime first;
    COleDateTime last;
    bool found = false;
    const ResourceUse use = MeasureResources([&] { found = GetAlmanacYearRange(first, last); }, 0.0);
    ASSERT_TRUE(found);
    EXPECT_EQ(first, COleDateTime(1950, 1, 1, 0, 0, 0));
    EXPECT_EQ(last, COleDateTime(2069, 12, 31, 23, 59, 59));
    EXPECT_LT(use.cpuSeconds, 5.0);
    EXPECT_LT(use.peakMegabytes, 16.0);
}
