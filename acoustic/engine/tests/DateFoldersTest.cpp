#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/tests/FixtureLines.h"

#include "platform/core/Path.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace
{
void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// C-locale strftime of a date, the reference for FormatDate.
std::string CStrftime(const char* format, int day, int month, int year)
{
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    char text[128];
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    strftime_l(text, sizeof text, format, &t, c);
    freelocale(c);
    return text;
}
} // namespace

TEST(SplitTimeSince2000, AgreesWithGnuDate)
{
    int rows = ForEachFixtureLine(
        "split_time_since_2000.txt", [](const std::string& first, std::istringstream& rest) {
            const double seconds = std::stod(first);
            int year = 0, day = 0, secondsOfDay = 0;
            rest >> year >> day >> secondsOfDay;
            int gotDay = 0, gotYear = 0;
            double gotSeconds = -1;
            // A quarter second on top shows the fraction is kept.
            ASSERT_TRUE(SplitTimeSince2000(&gotDay, &gotYear, &gotSeconds, seconds + 0.25)) << first;
            ASSERT_EQ(gotYear, year) << first;
            ASSERT_EQ(gotDay, day) << first;
            ASSERT_DOUBLE_EQ(gotSeconds, secondsOfDay + 0.25) << first;
        });
    EXPECT_EQ(rows, 5000);
}

TEST(SplitTimeSince2000, YearBoundariesAndBadTimes)
{
    struct Case
    {
        double seconds;
        int year, day;
        double secondsOfDay;
    } cases[] = {
        {0.0, 2000, 1, 0.0},
        {366 * 86400.0 - 1, 2000, 366, 86399.0},
        {366 * 86400.0, 2001, 1, 0.0},
        {366 * 86400.0 + 1, 2001, 1, 1.0},
        {-1.0, 1999, 365, 86399.0},
        {-36524 * 86400.0, 1900, 1, 0.0},                          // 1900 is not a leap year
        {(365 * 8000.0 + 1940) * 86400.0 - 1, 9999, 365, 86399.0}, // last second of 9999
    };
    for (const Case& c : cases)
    {
        int day = 0, year = 0;
        double s = -1;
        ASSERT_TRUE(SplitTimeSince2000(&day, &year, &s, c.seconds)) << c.seconds;
        EXPECT_EQ(year, c.year) << c.seconds;
        EXPECT_EQ(day, c.day) << c.seconds;
        EXPECT_EQ(s, c.secondsOfDay) << c.seconds;
    }
    // Null outputs are skipped.
    int year = 0;
    EXPECT_TRUE(SplitTimeSince2000(nullptr, &year, nullptr, 366 * 86400.0));
    EXPECT_EQ(year, 2001);

    for (double bad : {std::nan(""), 1e300, -1e300, std::numeric_limits<double>::infinity(),
                       -36524 * 86400.0 - 1, (365 * 8000.0 + 1940) * 86400.0})
    {
        int d = 7, y = 7;
        double s = 7;
        EXPECT_FALSE(SplitTimeSince2000(&d, &y, &s, bad)) << bad;
        EXPECT_EQ(d + y + s, 21.0) << "outputs untouched for " << bad;
        EXPECT_EQ(GetDateTextSince2000(bad, DATE_SLASHES), "") << bad;
    }
}

TEST(DateText, KindsFollowCStrftime)
{
    const char* formats[] = {"%d/%m/%Y", "%d %b %Y", "%d %B %Y", "%m\\%d\\%Y"};
    // Whatever the process locale says, the names stay English.
    const char* before = std::setlocale(LC_TIME, nullptr);
    const std::string saved = before ? before : "C";
    std::setlocale(LC_TIME, "de_DE.UTF-8");
    struct
    {
        int day, month, year;
    } dates[] = {{1, 1, 1900}, {5, 3, 2021}, {29, 2, 2024}, {31, 12, 9999}, {31, 2, 2023}};
    for (const auto& d : dates)
        for (int kind = 0; kind < 4; ++kind)
            EXPECT_EQ(std::string(FormatDate(d.day, d.month, d.year, kind)),
                      CStrftime(formats[kind], d.day, d.month, d.year))
                << d.day << "/" << d.month << "/" << d.year << " kind " << kind;
    EXPECT_EQ(FormatDate(5, 3, 2021, DATE_LONG_MONTH), "05 March 2021");
    EXPECT_EQ(FormatDate(31, 2, 2023, DATE_SLASHES), "31/02/2023") << "left to the C formatting";
    std::setlocale(LC_TIME, saved.c_str());

    EXPECT_EQ(FormatDate(1, 13, 2000, 0), "");
    EXPECT_EQ(FormatDate(0, 1, 2000, 0), "");
    EXPECT_EQ(FormatDate(32, 1, 2000, 0), "");
    EXPECT_EQ(FormatDate(1, 1, 1899, 0), "");
    EXPECT_EQ(FormatDate(1, 1, 2000, 4), "");

    // Day 60 of a leap year is 29 February; of another year 1 March.
    EXPECT_EQ(GetDateTextSince2000(59 * 86400.0 + 3600, DATE_SHORT_MONTH), "29 Feb 2000");
    EXPECT_EQ(GetDateTextSince2000((366 + 59) * 86400.0, DATE_SHORT_MONTH), "01 Mar 2001");

    // Today's date is the local calendar's: the day before the call or the day after it, should
    // the call fall across midnight. Read from the clock the call reads: time() reads a coarser
    // one that can lag it.
    auto localDate = [] {
        timespec clock{};
        clock_gettime(CLOCK_REALTIME, &clock);
        const std::time_t now = clock.tv_sec;
        std::tm local{};
        localtime_r(&now, &local);
        return CStrftime("%d %b %Y", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    };
    const std::string dayBefore = localDate();
    const std::string today(GetDateText());
    const std::string dayAfter = localDate();
    EXPECT_TRUE(today == dayBefore || today == dayAfter)
        << today << " read between " << dayBefore << " and " << dayAfter;
}

TEST(TimeText, KindsSignsAndTimesOfDay)
{
    EXPECT_EQ(FormatTime(1, 2, 3, 4, TIME_MILLISECONDS), "01:02:03.004");
    EXPECT_EQ(FormatTime(1, 2, 3, 4, TIME_SECONDS), "01:02:03");
    EXPECT_EQ(FormatTime(1, 2, 3, 4, TIME_MINUTES), "01:02");
    EXPECT_EQ(FormatTime(0, 0, -30, 0, TIME_SECONDS), "-00:00:30");
    EXPECT_EQ(FormatTime(-1, 0, 0, 0, TIME_MINUTES), "-01:00");
    EXPECT_EQ(FormatTime(1, 2, 3, 4, 3), "");

    EXPECT_EQ(FormatTimeOfDaySeconds(0.0, TIME_MILLISECONDS), "00:00:00.000");
    EXPECT_EQ(FormatTimeOfDaySeconds(45296.789, TIME_MILLISECONDS), "12:34:56.789");
    EXPECT_EQ(FormatTimeOfDaySeconds(86400.0 + 61.5, TIME_MILLISECONDS), "00:01:01.500");
    EXPECT_EQ(FormatTimeOfDaySeconds(-30.25, TIME_MILLISECONDS), "-00:00:30.250");
    EXPECT_EQ(FormatTimeOfDaySeconds(-3661.0, TIME_SECONDS), "-01:01:01");
    EXPECT_EQ(FormatTimeOfDaySeconds(std::nan(""), TIME_SECONDS), "");
    EXPECT_EQ(FormatTimeOfDaySeconds(1e300, TIME_SECONDS), "");
    EXPECT_EQ(FormatTimeOfDaySeconds(-std::numeric_limits<double>::infinity(), TIME_SECONDS), "");
    EXPECT_EQ(GetTimeText().GetLength(), 8);
}

TEST(Folders, FileNamesAndDataFolders)
{
    EXPECT_EQ(GetFileNameFromPath("C:\\MyData\\Calibration\\a.TFX"), "a.TFX");
    EXPECT_EQ(GetFileNameFromPath("plain.txt"), "plain.txt");
    EXPECT_EQ(GetFileNameFromPath("C:\\MyData\\"), "");

    // The pointer's folder without a trailing backslash gets one.
    TempDrives* drives = TempDrives::Current();
    WriteFile(drives->OnC("MyDrives/MyData.INI"), "C:\\Survey Data  \r\nsecond line\r\n");
    const CString logs = GetThermoclineLogFolder();
    EXPECT_EQ(logs, "C:\\Survey Data\\Logs\\" + GetYearMonthFolder() + "Thermocline\\");
    EXPECT_TRUE(QDir(LinuxPathFromWindows(logs)).exists());

    // Without a pointer, the drive search finds (and makes) MyData on C:.
    QFile::remove(drives->OnC("MyDrives/MyData.INI"));
    EXPECT_EQ(GetThermoclineLogFolder(), "C:\\MyData\\Logs\\" + GetYearMonthFolder() + "Thermocline\\");
}

TEST(Folders, YearMonthFolderIsUtc)
{
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    // 2026-01-31 23:59:00 UTC: already February 1 fourteen hours east of Greenwich, still
    // January 31 twelve hours west.
    const long long lastMinute = 1769903940;
    for (const char* zone : {"EAST-14", "WEST+12", "UTC0"})
    {
        setenv("TZ", zone, 1);
        tzset();
        EXPECT_EQ(GetYearMonthFolder(lastMinute), "2026\\January\\") << zone;
        EXPECT_EQ(GetYearMonthFolder(lastMinute + 60), "2026\\February\\") << zone;
    }
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Folders, DocumentsFolderAsWindowsPath)
{
    // Documents outside drive C: come back through the root drive Z:.
    TempDrives* drives = TempDrives::Current();
    const QString docs = drives->Root() + "/Docs";
    QDir().mkpath(docs);
    WriteFile(drives->Root() + "/config/user-dirs.dirs",
              QByteArray("XDG_DOCUMENTS_DIR=\"") + docs.toUtf8() + "\"\n");
    const CString folder = GetMyDocumentsFolder();
    EXPECT_EQ(folder, WindowsPathFromLinux(docs) + "\\");
    EXPECT_EQ(folder.Left(3), "Z:\\");
    const CString reports = GetMyDocumentsFolder("Reports");
    EXPECT_EQ(reports, folder + "Reports\\");
    EXPECT_TRUE(QDir(docs + "/Reports").exists());

    // Documents on C: keep their drive letter.
    const QString onC = drives->OnC("Users/me/Documents");
    QDir().mkpath(onC);
    WriteFile(drives->Root() + "/config/user-dirs.dirs",
              QByteArray("XDG_DOCUMENTS_DIR=\"") + onC.toUtf8() + "\"\n");
    EXPECT_EQ(GetMyDocumentsFolder(), "C:\\Users\\me\\Documents\\");
}
