#include "foundation/DateTime.h"
#include "testsupport/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
using ScopedTz = ScopedTimeZone;

// 00:00 UTC on 2 January 2000, in seconds since 1970: zero of the scale when local time is UTC.
constexpr long long kScaleZeroUnix = 946771200;
} // namespace

// Reference dates from GNU date, generated once with TZ=UTC (so that local time and UTC agree
// and the scale is the Unix time less kScaleZeroUnix):
//
//   { seq 0 53 182986 | sed 's/.*/1900-01-01 +& days/';
//     for y in 1900 1901 1950 1999 2000 2001 2100 2399 2400; do
//       for d in 01-01 01-15 01-31 02-28 02-29 03-01 12-31; do echo "$y-$d"; done; done; } |
//   TZ=UTC LC_ALL=C date -f - '+%Y %m %d %j %u %s %d %b %Y' 2>/dev/null > calendar_utc.txt
//
// Each line: year, month, day, day of year, ISO day of week (1 Monday), Unix time of 00:00,
// and the date as "%d %b %Y". Invalid dates (29 February 1900) are absent from the file.
TEST(DateTime, ScaleDayOfWeekAndDateTextAgreeWithTheReferenceCalendar)
{
    ScopedTz utc("UTC");
    std::ifstream file(SUITE_SOURCE_DIR "/foundation/tests/data/calendar_utc.txt");
    ASSERT_TRUE(file.is_open());
    std::string line;
    int checked = 0;
    while (std::getline(file, line))
    {
        std::istringstream fields(line);
        int year = 0, month = 0, day = 0, dayOfYear = 0, dayOfWeek = 0;
        long long unixTime = 0;
        std::string dd, mon, yyyy;
        fields >> year >> month >> day >> dayOfYear >> dayOfWeek >> unixTime >> dd >> mon >> yyyy;
        ASSERT_FALSE(fields.fail()) << line;
        const std::string text = dd + " " + mon + " " + yyyy;

        DateTimeDef dt;
        dt.nYear = year;
        dt.nMonth = month;
        dt.nDay = day;
        dt.nHour = 13;
        dt.nMinute = 14;
        dt.nSecond = 15;
        dt.nMillisecond = 500;
        CompleteDateTime(dt);
        const double midnight = static_cast<double>(unixTime - kScaleZeroUnix);
        ASSERT_EQ(dt.nDayOfYear, dayOfYear) << line;
        ASSERT_EQ(dt.nDayOfWeek, dayOfWeek) << line;
        ASSERT_EQ(dt.dSecondsOfDay, 13 * 3600 + 14 * 60 + 15.5) << line;
        ASSERT_EQ(dt.dSeconds, midnight + dt.dSecondsOfDay) << line;
        ASSERT_EQ(dt.bLeapYear, (year % 4 == 0 && year % 100 != 0) || year % 400 == 0) << line;
        ASSERT_EQ(dt.nMonth, month) << line;
        ASSERT_EQ(dt.nDay, day) << line;

        // The date text of any moment of that day: first and last second included.
        for (double within : {0.0, 43200.25, 86399.0, 86399.999})
            ASSERT_STREQ(FormatDateSince2000(midnight + within), text.c_str()) << line << " +" << within;
        ASSERT_STREQ(FormatDate(day, month, year), text.c_str()) << line;

        int m = 0, d = 0;
        ASSERT_TRUE(MonthDayOfYear(year, dayOfYear, &m, &d));
        ASSERT_EQ(m, month);
        ASSERT_EQ(d, day);
        ++checked;
    }
    EXPECT_GT(checked, 3000);
}

TEST(DateTime, ScaleEdges)
{
    DateTimeDef dt;
    dt.nYear = 2000;
    dt.nMonth = 1;
    dt.nDay = 2;
    CompleteDateTime(dt);
    EXPECT_EQ(dt.dSeconds, 0.0);
    EXPECT_EQ(dt.nDayOfWeek, 7); // a Sunday
    EXPECT_STREQ(FormatDateSince2000(0.0), "02 Jan 2000");
    dt.nDay = 1;
    CompleteDateTime(dt);
    EXPECT_EQ(dt.dSeconds, -86400.0);
    EXPECT_STREQ(FormatDateSince2000(-86400.0), "01 Jan 2000");
    EXPECT_STREQ(FormatDateSince2000(-86400.5), "31 Dec 1999");
    EXPECT_EQ(SecondsSince2000(2000, 2, 0.0), 0.0);
    EXPECT_EQ(DayOfWeek(2000, 3), 1); // Monday

    // Nonsense values make no date and no time, rather than undefined arithmetic.
    EXPECT_STREQ(FormatDateSince2000(DBL_MAX), "");
    EXPECT_STREQ(FormatDateSince2000(std::nan("")), "");
    EXPECT_STREQ(FormatDateSince2000(SecondsSince2000(1899, 365, 0.0)), ""); // before 1900
    EXPECT_STREQ(FormatTimeOfDay(std::nan("")), "");
}

TEST(DateTime, InvalidDatesFallBackToZero)
{
    struct Case
    {
        int day, month, year;
        bool valid;
    };
    const Case cases[] = {
        {29, 2, 2000, true},  {29, 2, 2400, true}, {29, 2, 1900, false}, {29, 2, 2100, false},
        {31, 4, 2001, false}, {0, 1, 2001, false}, {1, 13, 2001, false}, {1, 0, 2001, false},
        {31, 12, 2001, true}, {28, 2, 1900, true},
    };
    for (const Case& c : cases)
    {
        DateTimeDef dt;
        dt.nDay = c.day;
        dt.nMonth = c.month;
        dt.nYear = c.year;
        CompleteDateTime(dt);
        EXPECT_EQ(dt.nMonth, c.valid ? c.month : 0) << c.day << "/" << c.month << "/" << c.year;
        EXPECT_EQ(dt.nDay, c.valid ? c.day : 0) << c.day << "/" << c.month << "/" << c.year;
        if (!c.valid)
        {
            EXPECT_EQ(dt.nDayOfYear, 0);
            EXPECT_EQ(dt.dSeconds, SecondsSince2000(c.year, 0, 0.0)); // the day before 1 January
        }
    }
}

TEST(DateTime, CalendarTables)
{
    struct Case
    {
        int year;
        bool leap;
    };
    for (const Case& c : {Case{1900, false}, Case{2000, true}, Case{2023, false}, Case{2024, true},
                          Case{2100, false}, Case{2400, true}})
    {
        EXPECT_EQ(SetCalendarYear(c.year), c.leap) << c.year;
        EXPECT_EQ(GetCalendarDaysInMonth(2), c.leap ? 29 : 28);
        EXPECT_EQ(GetCalendarDaysBeforeMonth(3), c.leap ? 60 : 59);
        EXPECT_EQ(GetCalendarDaysBeforeMonth(12), c.leap ? 335 : 334);
        EXPECT_EQ(GetCalendarDaysBeforeMonth(13), c.leap ? 366 : 365);
    }
    EXPECT_EQ(GetCalendarDaysInMonth(1), 31);
    EXPECT_EQ(GetCalendarDaysBeforeMonth(1), 0);
    EXPECT_EQ(GetCalendarDaysInMonth(13), 0);
    EXPECT_EQ(GetCalendarDaysBeforeMonth(0), 0);

    int m = -1, d = -1;
    EXPECT_FALSE(MonthDayOfYear(2001, 366, &m, &d));
    EXPECT_EQ(m, 0);
    EXPECT_EQ(d, 0);
    EXPECT_TRUE(MonthDayOfYear(2000, 366, &m, &d));
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 31);
}

TEST(DateTime, Texts)
{
    struct Date
    {
        int day, month, year;
        const char* want;
    };
    for (const Date& c : {Date{2, 1, 2000, "02 Jan 2000"}, Date{31, 12, 1900, "31 Dec 1900"},
                          Date{1, 1, 1899, ""}, Date{0, 5, 2000, ""}, Date{32, 5, 2000, ""},
                          Date{1, 13, 2000, ""}, Date{9, 9, 12345, "09 Sep 12345"}})
        EXPECT_STREQ(FormatDate(c.day, c.month, c.year), c.want) << c.day << "/" << c.month << "/" << c.year;

    struct Time
    {
        double seconds;
        const char* want;
    };
    for (const Time& c : {Time{-30, "-00:00:30"}, Time{86400, "00:00:00"}, Time{0, "00:00:00"},
                          Time{45296.999, "12:34:56"}, Time{86399.9, "23:59:59"}, Time{90061, "01:01:01"},
                          Time{-86430, "-00:00:30"}, Time{1e12, "01:46:40"}})
        EXPECT_STREQ(FormatTimeOfDay(c.seconds), c.want) << c.seconds;
}

TEST(DateTime, TimeOfDayFromSeconds)
{
    struct Case
    {
        double seconds;
        int hour, minute, second, millisecond;
    };
    for (const Case& c : {Case{45296.25, 12, 34, 56, 250}, Case{-30, 23, 59, 30, 0}, Case{90000, 1, 0, 0, 0},
                          Case{59.9996, 0, 1, 0, 0}, Case{86399.9994, 23, 59, 59, 999}, Case{86400, 0, 0, 0, 0}})
    {
        DateTimeDef dt;
        dt.nDay = 29;
        dt.nMonth = 2;
        dt.nYear = 2024;
        CompleteDateTime(dt);
        SetTimeOfDay(dt, c.seconds);
        EXPECT_EQ(dt.nHour, c.hour) << c.seconds;
        EXPECT_EQ(dt.nMinute, c.minute) << c.seconds;
        EXPECT_EQ(dt.nSecond, c.second) << c.seconds;
        EXPECT_EQ(dt.nMillisecond, c.millisecond) << c.seconds;
        const double ofDay = c.hour * 3600.0 + c.minute * 60.0 + c.second + c.millisecond / 1000.0;
        EXPECT_DOUBLE_EQ(dt.dSecondsOfDay, ofDay) << c.seconds;
        EXPECT_DOUBLE_EQ(dt.dSeconds, SecondsSince2000(2024, 60, ofDay)) << c.seconds;
    }
    DateTimeDef kept;
    kept.nHour = 5;
    SetTimeOfDay(kept, std::nan(""));
    EXPECT_EQ(kept.nHour, 5);
}

TEST(DateTime, LocalDateTimeFollowsTheClockAndZone)
{
    // A zone with daylight saving time, so either branch may be in force when this runs.
    ScopedTz eastern("EST5EDT,M3.2.0,M11.1.0");
    DateTimeDef dt;
    dt.nDaylightBias = 12345;
    // Bracketed by the clock GetLocalTime reads: time() reads a coarser one that can lag it.
    timespec clock{};
    clock_gettime(CLOCK_REALTIME, &clock);
    const time_t before = clock.tv_sec;
    const bool daylight = GetLocalDateTime(dt);
    clock_gettime(CLOCK_REALTIME, &clock);
    const time_t after = clock.tv_sec;

    struct tm local
    {
    };
    localtime_r(&before, &local);
    EXPECT_EQ(daylight, local.tm_isdst > 0);
    EXPECT_EQ(dt.nBias, 300);
    EXPECT_STREQ(dt.szTimeZone, daylight ? "EDT" : "EST");
    EXPECT_EQ(dt.nDaylightBias, daylight ? -60 : 12345);

    // The scale value is local wall-clock time counted from 2 January 2000.
    const long long offset = local.tm_gmtoff;
    // Whole seconds of the readings; the value carries its milliseconds too.
    EXPECT_GE(dt.dSeconds, static_cast<double>(before + offset - kScaleZeroUnix));
    EXPECT_LT(dt.dSeconds, static_cast<double>(after + offset - kScaleZeroUnix) + 1.0);
    EXPECT_EQ(dt.nYear, local.tm_year + 1900);
    EXPECT_GE(dt.nDayOfYear, 1);
    EXPECT_GE(dt.nDayOfWeek, 1);
    EXPECT_LE(dt.nDayOfWeek, 7);
}

TEST(DateTime, DateAndTimeStampsOfNow)
{
    ScopedTz zone("Etc/GMT-14");
    const time_t before = std::time(nullptr);
    const CString date = FormatDate();
    const CString stamp = FormatTimeStamp();
    const time_t after = std::time(nullptr);
    // Local (not UTC) date, "%d%b%Y" in the C locale: "05Dec2026".
    char expected[2][32] = {};
    for (int i = 0; i < 2; ++i)
    {
        const time_t t = i == 0 ? before : after;
        struct tm local
        {
        };
        localtime_r(&t, &local);
        std::strftime(expected[i], sizeof(expected[i]), "%d%b%Y", &local);
    }
    EXPECT_TRUE(date == expected[0] || date == expected[1]) << date.GetString();
    ASSERT_EQ(date.GetLength(), 9);
    // "<date>@hhmmss".
    ASSERT_EQ(stamp.GetLength(), 16) << stamp.GetString();
    EXPECT_EQ(stamp[9], '@');
    for (int i = 10; i < 16; ++i)
        EXPECT_TRUE(stamp[i] >= '0' && stamp[i] <= '9') << stamp.GetString();
    const int hour = std::atoi(stamp.Mid(10, 2));
    struct tm local
    {
    };
    localtime_r(&after, &local);
    EXPECT_TRUE(hour == local.tm_hour || hour == (local.tm_hour + 23) % 24) << stamp.GetString();
}
