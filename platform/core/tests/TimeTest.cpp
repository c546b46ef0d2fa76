#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"
#include "testsupport/TempDrives.h"
#include "testsupport/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using ScopedTz = ScopedTimeZone;

// The clock GetSystemTime and GetLocalTime read. time() reads a coarser clock that can lag it by
// a tick, so a second can turn between the two.
time_t RealtimeSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec;
}

bool ZoneInstalled(const char* zone)
{
    struct stat st
    {
    };
    return stat((std::string("/usr/share/zoneinfo/") + zone).c_str(), &st) == 0;
}

std::string Name(const WCHAR* name)
{
    std::string out;
    for (int i = 0; i < 32 && name[i]; ++i)
        out += static_cast<char>(name[i]);
    return out;
}

// Points LOCPATH at a folder for one test and puts the old value back.
class ScopedLocPath
{
public:
    ScopedLocPath()
    {
        const char* old = std::getenv("LOCPATH");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
    }
    ~ScopedLocPath()
    {
        if (m_hadOld)
            setenv("LOCPATH", m_old.c_str(), 1);
        else
            unsetenv("LOCPATH");
    }
    void Set(const std::string& path) { setenv("LOCPATH", path.c_str(), 1); }

private:
    bool m_hadOld = false;
    std::string m_old;
};

// Makes LC_TIME a non-English locale: an installed one, else one compiled into the test's
// temporary folder when the locale sources are there. Returns its name, or "" when none.
std::string SetForeignTimeLocale(ScopedLocPath& locPath)
{
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "es_ES.UTF-8", "de_DE"})
        if (std::setlocale(LC_TIME, name))
            return name;
    if (access("/usr/share/i18n/locales/de_DE", R_OK) != 0)
        return "";
    std::string dir = TempDrives::Current()->Root().toStdString() + "/locale";
    mkdir(dir.c_str(), 0700);
    std::string command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    // localedef exits with 1 for mere warnings; the compiled files tell whether it worked.
    (void)std::system(command.c_str());
    if (access((dir + "/de_DE.UTF-8/LC_TIME").c_str(), R_OK) != 0)
        return "";
    locPath.Set(dir);
    return std::setlocale(LC_TIME, "de_DE.UTF-8") ? "de_DE.UTF-8 (built)" : "";
}

struct tm MakeTm(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t
    {
    };
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    time_t utc = timegm(&t); // fills weekday and day of year
    gmtime_r(&utc, &t);
    return t;
}
} // namespace

// ---------------------------------------------------------------------------------------
// COleDateTime
// ---------------------------------------------------------------------------------------

TEST(OleDateTime, CalendarDatesConvertBothWays)
{
    struct Case
    {
        int y, m, d, h, mi, s;
        DATE date;
        int dayOfWeek, dayOfYear;
    };
    // Day numbers and weekdays checked against Python's proleptic Gregorian calendar.
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0, 7, 364},        {1899, 12, 31, 0, 0, 0, 1.0, 1, 365},
        {1899, 12, 29, 6, 0, 0, -1.25, 6, 363},      {1900, 1, 1, 0, 0, 0, 2.0, 2, 1},
        {1900, 2, 28, 0, 0, 0, 60.0, 4, 59},         {1900, 3, 1, 0, 0, 0, 61.0, 5, 60},
        {2000, 1, 1, 0, 0, 0, 36526.0, 7, 1},        {2000, 2, 29, 12, 0, 0, 36585.5, 3, 60},
        {2000, 3, 1, 18, 0, 0, 36586.75, 4, 61},     {2100, 2, 28, 0, 0, 0, 73109.0, 1, 59},
        {2100, 3, 1, 0, 0, 0, 73110.0, 2, 60},       {2400, 2, 29, 0, 0, 0, 182682.0, 3, 60},
        {1800, 6, 15, 18, 0, 0, -36357.75, 1, 166},  {100, 1, 1, 0, 0, 0, -657434.0, 6, 1},
        {9999, 12, 31, 12, 0, 0, 2958465.5, 6, 365},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d << " " << c.h << ":" << c.mi);
        COleDateTime fromFields(c.y, c.m, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(fromFields.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(static_cast<DATE>(fromFields), c.date);

        COleDateTime fromDate(c.date);
        ASSERT_EQ(fromDate.GetStatus(), COleDateTime::valid);
        EXPECT_EQ(fromDate.GetYear(), c.y);
        EXPECT_EQ(fromDate.GetMonth(), c.m);
        EXPECT_EQ(fromDate.GetDay(), c.d);
        EXPECT_EQ(fromDate.GetHour(), c.h);
        EXPECT_EQ(fromDate.GetMinute(), c.mi);
        EXPECT_EQ(fromDate.GetSecond(), c.s);
        EXPECT_EQ(fromDate.GetDayOfWeek(), c.dayOfWeek);
        EXPECT_EQ(fromDate.GetDayOfYear(), c.dayOfYear);

        SYSTEMTIME st{};
        ASSERT_TRUE(fromDate.GetAsSystemTime(st));
        EXPECT_EQ(st.wDayOfWeek, c.dayOfWeek - 1);
        DATE back = 0;
        ASSERT_TRUE(SystemTimeToVariantTime(&st, &back));
        EXPECT_DOUBLE_EQ(back, c.date);
        EXPECT_DOUBLE_EQ(static_cast<DATE>(COleDateTime(st)), c.date);
    }
}

TEST(OleDateTime, FieldsOutOfRangeMarkInvalid)
{
    struct Case
    {
        int y, m, d, h, mi, s;
    };
    const Case cases[] = {
        {1900, 2, 29, 0, 0, 0}, {2100, 2, 29, 0, 0, 0}, {2001, 2, 29, 0, 0, 0}, {2000, 4, 31, 0, 0, 0},
        {2000, 13, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},  {2000, 1, 0, 0, 0, 0},  {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0}, {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60},
        {2000, 1, 1, -1, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.y << "-" << c.m << "-" << c.d << " " << c.h << ":" << c.mi << ":" << c.s);
        COleDateTime dt(2000, 1, 1, 0, 0, 0);
        EXPECT_EQ(dt.SetDateTime(c.y, c.m, c.d, c.h, c.mi, c.s), 1);
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(dt.GetYear(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(dt.GetDayOfWeek(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(dt.Format("%Y"), "Invalid DateTime");

        SYSTEMTIME st{static_cast<WORD>(c.y),
                      static_cast<WORD>(c.m),
                      0,
                      static_cast<WORD>(c.d),
                      static_cast<WORD>(c.h),
                      static_cast<WORD>(c.mi),
                      static_cast<WORD>(c.s),
                      0};
        DATE untouched = 42.0;
        EXPECT_FALSE(SystemTimeToVariantTime(&st, &untouched));
        EXPECT_EQ(untouched, 42.0);
    }
    // A valid call after a failed one makes the value valid again.
    COleDateTime dt;
    dt.SetDate(1900, 2, 29);
    EXPECT_EQ(dt.SetDate(2000, 2, 29), 0);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dt.SetTime(23, 59, 59), 0);
    EXPECT_EQ(dt.GetDay(), 30);
    EXPECT_EQ(dt.GetHour(), 23);
}

TEST(OleDateTime, DatesOutsideTheRangeAreInvalid)
{
    for (DATE d : {-657435.0, 2958466.0, 1e300, -1e300, std::nan(""), HUGE_VAL})
    {
        COleDateTime dt(d);
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid) << d;
        SYSTEMTIME st{};
        EXPECT_FALSE(VariantTimeToSystemTime(d, &st)) << d;
    }
    // The last second of 9999 is still in range; half a second later it rounds out of it.
    EXPECT_EQ(COleDateTime(2958465.0 + 86399.0 / 86400.0).GetSecond(), 59);
    EXPECT_EQ(COleDateTime(2958465.0 + 86399.6 / 86400.0).GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTime, NegativeDatesKeepTheTimeOfDayAsTheirFraction)
{
    // -1.25 is 06:00 and -1.75 is 18:00 of 1899-12-29: later in the day, yet smaller doubles.
    COleDateTime morning(-1.25), evening(-1.75), dayZeroNoon(0.5);
    EXPECT_EQ(evening.GetHour(), 18);
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening < dayZeroNoon);
    EXPECT_FALSE(evening < morning);

    COleDateTime later = morning + COleDateTimeSpan(0.5);
    EXPECT_DOUBLE_EQ(static_cast<DATE>(later), -1.75);
    // Across day zero: 18:00 on day -1 plus twelve hours is 06:00 on day 0.
    EXPECT_DOUBLE_EQ(static_cast<DATE>(evening + COleDateTimeSpan(0.5)), 0.25);
    EXPECT_DOUBLE_EQ(static_cast<DATE>(COleDateTime(0.25) - COleDateTimeSpan(0.5)), -1.75);
    EXPECT_DOUBLE_EQ(static_cast<double>(COleDateTime(2.0) - morning), 2.75);
    EXPECT_DOUBLE_EQ(static_cast<double>(morning - COleDateTime(2.0)), -2.75);
    // Midnight of a negative day is its whole number; a day back from it is the one before.
    EXPECT_DOUBLE_EQ(static_cast<DATE>(COleDateTime(-1.0) - COleDateTimeSpan(1.0)), -2.0);
    // -0.5 and 0.5 name the same instant.
    EXPECT_TRUE(COleDateTime(-0.5) == COleDateTime(0.5));
    EXPECT_EQ(COleDateTime(-0.5).GetDay(), 30);
}

TEST(OleDateTime, FieldsRoundToTheNearestSecond)
{
    // 23:59:59.6 on 1 January 2000 reads as midnight of the 2nd; on a negative day likewise.
    COleDateTime late(36526.0 + 86399.6 / 86400.0);
    EXPECT_EQ(late.GetDay(), 2);
    EXPECT_EQ(late.GetHour(), 0);
    EXPECT_EQ(late.GetSecond(), 0);
    COleDateTime lateNegative(-2.0 - 86399.6 / 86400.0);
    EXPECT_EQ(lateNegative.GetDay(), 29);
    EXPECT_EQ(lateNegative.GetHour(), 0);
    EXPECT_EQ(COleDateTime(36526.0 + 12.4 / 86400.0).GetSecond(), 12);
}

TEST(OleDateTime, StatusCarriesThroughArithmetic)
{
    COleDateTime valid(2000, 1, 1, 0, 0, 0), invalid(2000, 2, 30, 0, 0, 0), null;
    null.SetStatus(COleDateTime::null);
    COleDateTimeSpan day(1.0), nullSpan;
    nullSpan.SetStatus(COleDateTimeSpan::null);

    EXPECT_EQ((valid + day).GetStatus(), COleDateTime::valid);
    EXPECT_EQ((invalid + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((null + day).GetStatus(), COleDateTime::null);
    EXPECT_EQ((valid + nullSpan).GetStatus(), COleDateTime::null);
    EXPECT_EQ((valid - invalid).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((valid - null).GetStatus(), COleDateTimeSpan::null);
    // Leaving the date range makes the result invalid.
    EXPECT_EQ((COleDateTime(9999, 12, 31, 0, 0, 0) + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTimeSpan(4e6).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ(null.Format("%Y"), "");
    EXPECT_EQ(nullSpan.Format("%D"), "");
    EXPECT_EQ(COleDateTimeSpan(4e6).Format("%D"), "Invalid DateTimeSpan");
}

TEST(OleDateTimeSpan, PartsAndTotals)
{
    COleDateTimeSpan ts(3, 1, 5, 12);
    EXPECT_EQ(ts.GetDays(), 3);
    EXPECT_EQ(ts.GetHours(), 1);
    EXPECT_EQ(ts.GetMinutes(), 5);
    EXPECT_EQ(ts.GetSeconds(), 12);
    EXPECT_EQ(ts.GetTotalDays(), 3.0);
    EXPECT_EQ(ts.GetTotalHours(), 73.0);
    EXPECT_EQ(ts.GetTotalMinutes(), 4385.0);
    EXPECT_EQ(ts.GetTotalSeconds(), 263112.0);
    EXPECT_EQ(ts.Format("%D days %H:%M:%S, 100%%"), "3 days 01:05:12, 100%");

    COleDateTimeSpan back = -ts;
    EXPECT_EQ(back.GetDays(), -3);
    EXPECT_EQ(back.GetHours(), -1);
    EXPECT_EQ(back.GetSeconds(), -12);
    EXPECT_EQ(back.GetTotalHours(), -73.0);

    // 0.999999 s short of an hour counts as the whole hour once rounded to the second.
    EXPECT_EQ(COleDateTimeSpan((3600.0 - 0.4) / 86400.0).GetTotalHours(), 1.0);
    EXPECT_TRUE(COleDateTimeSpan(0, 12, 0, 0) == COleDateTimeSpan(0.5));
    EXPECT_TRUE(COleDateTimeSpan(0, 12, 0, 0) < COleDateTimeSpan(1.0));
}

TEST(OleDateTime, ParseReadsTheFormsItWrites)
{
    struct Case
    {
        const char* text;
        DWORD flags;
        int y, m, d, h, mi, s;
    };
    const Case good[] = {
        {"2000-02-29 13:14:15", 0, 2000, 2, 29, 13, 14, 15},
        {"2000-02-29T13:14", 0, 2000, 2, 29, 13, 14, 0},
        {"  29/02/2000  ", 0, 2000, 2, 29, 0, 0, 0},
        {"01/12/99 08:00 PM", 0, 1999, 12, 1, 20, 0, 0},
        {"01/12/29", 0, 2029, 12, 1, 0, 0, 0},
        {"12:00 AM", 0, 1899, 12, 30, 0, 0, 0},
        {"4 Jul 1976", 0, 1976, 7, 4, 0, 0, 0},
        {"04-sept-1976 1:02:03", 0, 1976, 9, 4, 1, 2, 3},
        {"2000-02-29 13:14:15", VAR_DATEVALUEONLY, 2000, 2, 29, 0, 0, 0},
        {"2000-02-29 13:14:15", VAR_TIMEVALUEONLY, 1899, 12, 30, 13, 14, 15},
    };
    for (const Case& c : good)
    {
        SCOPED_TRACE(c.text);
        COleDateTime dt;
        ASSERT_TRUE(dt.ParseDateTime(c.text, c.flags));
        EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
        EXPECT_TRUE(dt == COleDateTime(c.y, c.m, c.d, c.h, c.mi, c.s));
    }
    for (const char* bad : {"", "29/02/1900", "2000-02-30", "24:00", "13:00 PM", "2000-01-01 12", "1 Ma 2000",
                            "1/1/2000 x", "12 30"})
    {
        SCOPED_TRACE(bad);
        COleDateTime dt(2000, 1, 1, 0, 0, 0);
        EXPECT_FALSE(dt.ParseDateTime(bad));
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
    }

    COleDateTime full(2004, 1, 4, 7, 8, 9), dateOnly(2004, 1, 4, 0, 0, 0), timeOnly;
    timeOnly.SetTime(7, 8, 9);
    EXPECT_EQ(full.Format(), "04/01/2004 07:08:09");
    EXPECT_EQ(dateOnly.Format(), "04/01/2004");
    EXPECT_EQ(timeOnly.Format(), "07:08:09");
    EXPECT_EQ(full.Format(VAR_DATEVALUEONLY), "04/01/2004");
    EXPECT_EQ(full.Format(VAR_TIMEVALUEONLY), "07:08:09");
    for (const COleDateTime& dt : {full, dateOnly, timeOnly})
    {
        COleDateTime parsed;
        ASSERT_TRUE(parsed.ParseDateTime(dt.Format()));
        EXPECT_TRUE(parsed == dt) << dt.Format();
    }
    EXPECT_EQ(full.Format("%A %d %B %Y, %j"), "Sunday 04 January 2004, 004");
}

TEST(OleDateTime, FromTimeAndSystemClockInLocalTime)
{
    ASSERT_TRUE(ZoneInstalled("Asia/Kolkata"));
    ScopedTz tz("Asia/Kolkata");
    COleDateTime fromTime(static_cast<time_t>(946684800)); // 2000-01-01 00:00 UTC
    EXPECT_TRUE(fromTime == COleDateTime(2000, 1, 1, 5, 30, 0));

    COleDateTime now = COleDateTime::GetCurrentTime();
    CTime clock = CTime::GetCurrentTime();
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_LE(std::fabs(static_cast<double>(now - COleDateTime(clock.GetTime())) * 86400.0), 2.0);
}

// ---------------------------------------------------------------------------------------
// CTime and CTimeSpan
// ---------------------------------------------------------------------------------------

TEST(CTime, LocalFieldsFollowTheTimeZone)
{
    ASSERT_TRUE(ZoneInstalled("Europe/London"));
    struct Case
    {
        const char* tz;
        int y, m, d, h, mi, s;
        time_t utc;
    };
    const Case cases[] = {
        {"UTC", 2000, 1, 1, 0, 0, 0, 946684800},
        {"UTC", 2000, 2, 29, 23, 59, 59, 951868799},
        {"UTC", 1900, 3, 1, 0, 0, 0, -2203891200},
        {"UTC", 2100, 3, 1, 0, 0, 0, 4107542400},
        {"Europe/London", 2021, 1, 15, 12, 0, 0, 1610712000},
        {"Europe/London", 2021, 7, 1, 12, 0, 0, 1625137200},
        {"America/St_Johns", 2021, 7, 1, 12, 0, 0, 1625149800},
        {"Asia/Kolkata", 2021, 7, 1, 12, 0, 0, 1625121000},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.tz << " " << c.y << "-" << c.m << "-" << c.d);
        ScopedTz tz(c.tz);
        CTime t(c.y, c.m, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(t.GetTime(), c.utc);
        CTime u(c.utc);
        EXPECT_EQ(u.GetYear(), c.y);
        EXPECT_EQ(u.GetMonth(), c.m);
        EXPECT_EQ(u.GetDay(), c.d);
        EXPECT_EQ(u.GetHour(), c.h);
        EXPECT_EQ(u.GetMinute(), c.mi);
        EXPECT_EQ(u.GetSecond(), c.s);
        SYSTEMTIME st{};
        ASSERT_TRUE(u.GetAsSystemTime(st));
        EXPECT_EQ(CTime(st).GetTime(), c.utc);
        EXPECT_EQ(st.wDayOfWeek + 1, u.GetDayOfWeek());
        // The same wall-clock time through COleDateTime.
        EXPECT_TRUE(COleDateTime(c.utc) == COleDateTime(c.y, c.m, c.d, c.h, c.mi, c.s));
    }
}

TEST(CTime, ConstructionRules)
{
    ScopedTz tz("Europe/London");
    // 01:30 on 31 October 2021 happened twice; the DST argument picks which.
    EXPECT_EQ(CTime(2021, 10, 31, 1, 30, 0, 1).GetTime(), 1635640200);
    EXPECT_EQ(CTime(2021, 10, 31, 1, 30, 0, 0).GetTime(), 1635643800);
    // A day past the month's end rolls over.
    CTime rolled(2001, 2, 31, 0, 0, 0);
    EXPECT_EQ(rolled.GetMonth(), 3);
    EXPECT_EQ(rolled.GetDay(), 3);
    // A SYSTEMTIME before 1900 is the time 0.
    SYSTEMTIME old{1899, 12, 0, 31, 0, 0, 0, 0};
    EXPECT_EQ(CTime(old).GetTime(), 0);

    struct Bad
    {
        int y, m, d, h, mi, s;
    };
    for (const Bad& b : {Bad{1899, 12, 31, 0, 0, 0}, Bad{3001, 1, 1, 0, 0, 0}, Bad{2000, 0, 1, 0, 0, 0},
                         Bad{2000, 1, 32, 0, 0, 0}, Bad{2000, 1, 1, 24, 0, 0}, Bad{2000, 1, 1, 0, 0, 60}})
    {
        bool thrown = false;
        try
        {
            CTime t(b.y, b.m, b.d, b.h, b.mi, b.s);
            (void)t;
        }
        catch (CException* e)
        {
            thrown = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
            e->Delete();
        }
        EXPECT_TRUE(thrown) << b.y << "-" << b.m << "-" << b.d << " " << b.h << ":" << b.s;
    }
}

TEST(CTime, ArithmeticAndSpans)
{
    ScopedTz tz("Europe/London");
    CTime before(2021, 3, 27, 12, 0, 0);
    // A day of seconds across the spring change ends an hour later on the clock.
    CTime after = before + CTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(after.GetHour(), 13);
    EXPECT_EQ((after - before).GetTotalSeconds(), 86400);
    CTime t = after;
    t -= CTimeSpan(0, 0, 0, 1);
    EXPECT_TRUE(t < after && t != after && t >= before);

    CTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetTotalHours(), 51);
    EXPECT_EQ(span.GetHours(), 3);
    EXPECT_EQ(span.GetTotalMinutes(), 51 * 60 + 4);
    EXPECT_EQ(span.GetMinutes(), 4);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_EQ(span.Format("%D:%H:%M:%S %% %Q"), "2:03:04:05 % %Q");
    CTimeSpan negative = CTimeSpan(0) - span;
    EXPECT_EQ(negative.GetDays(), -2);
    EXPECT_EQ(negative.GetHours(), -3);
    EXPECT_EQ(negative.GetSeconds(), -5);
}

TEST(CTime, FormatUsesLocalTimeAndGmt)
{
    ScopedTz tz("America/St_Johns");
    CTime t(static_cast<time_t>(1625149800)); // 2021-07-01 14:30 UTC, 12:00 NDT
    EXPECT_EQ(t.Format("%a %d %b %Y %H:%M:%S %Z %z"), "Thu 01 Jul 2021 12:00:00 NDT -0230");
    EXPECT_EQ(t.FormatGmt("%A %d %B %Y %H:%M"), "Thursday 01 July 2021 14:30");
    EXPECT_EQ(t.Format("%c|%x|%X"), "07/01/21 12:00:00|07/01/21|12:00:00");
    EXPECT_EQ(t.Format("%#c|%#x"), "Thursday, July 1, 2021, 12:00:00|Thursday, July 1, 2021");
}

// ---------------------------------------------------------------------------------------
// Formatting and names
// ---------------------------------------------------------------------------------------

TEST(FormatTmEnglish, MatchesTheCLocaleStrftime)
{
    // strftime in the "C" locale is the reference for every code whose "C" form we share.
    const char* codes =
        "%a|%A|%b|%B|%h|%d|%e|%H|%I|%p|%j|%m|%M|%S|%u|%w|%U|%W|%V|%G|%g|%y|%Y|%C|%x|%X|%D|%F|%T|"
        "%R|%r|%n|%t|%%";
    // ISO week edges (years starting on Thursday, Friday, Saturday...), leap days, century years.
    const int dates[][6] = {{2004, 1, 4, 7, 8, 9},    {2005, 1, 1, 0, 0, 0},    {2008, 12, 29, 12, 0, 0},
                            {2010, 1, 3, 23, 59, 59}, {2009, 12, 31, 13, 1, 1}, {2000, 2, 29, 11, 59, 59},
                            {1900, 1, 1, 0, 0, 0},    {2100, 12, 31, 18, 0, 0}, {2020, 12, 31, 1, 0, 0},
                            {2021, 1, 1, 12, 0, 0},   {1999, 5, 10, 9, 5, 0},   {2400, 2, 29, 0, 0, 0}};
    const char* old = std::setlocale(LC_TIME, nullptr);
    std::string saved = old ? old : "C";
    std::setlocale(LC_TIME, "C");
    for (const auto& d : dates)
    {
        struct tm t = MakeTm(d[0], d[1], d[2], d[3], d[4], d[5]);
        char expected[512];
        strftime(expected, sizeof(expected), codes, &t);
        EXPECT_EQ(std::string(FormatTmEnglish(codes, t)), std::string(expected));
    }
    std::setlocale(LC_TIME, saved.c_str());
}

TEST(FormatTmEnglish, WindowsFormsAndOddCodes)
{
    struct tm t = MakeTm(2004, 1, 4, 7, 8, 9);
    struct Case
    {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"%c", "01/04/04 07:08:09"},
        {"%#c", "Sunday, January 4, 2004, 07:08:09"},
        {"%#x", "Sunday, January 4, 2004"},
        {"%#d/%#m/%#H/%#j", "4/1/7/4"},
        {"%Ey %Od", "04 04"},
        {"%Q%", "%Q%"},
        {"100%", "100%"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatTmEnglish(c.format, t), c.expected) << c.format;
    EXPECT_EQ(FormatTmEnglish(nullptr, t), "");

    EXPECT_STREQ(EnglishMonthName(1, true), "Jan");
    EXPECT_STREQ(EnglishMonthName(9), "September");
    EXPECT_STREQ(EnglishMonthName(0), "");
    EXPECT_STREQ(EnglishMonthName(13, true), "");
    EXPECT_STREQ(EnglishDayName(0), "Sunday");
    EXPECT_STREQ(EnglishDayName(6, true), "Sat");
    EXPECT_STREQ(EnglishDayName(7), "");
}

TEST(FormatTmEnglish, NamesIgnoreTheTimeLocale)
{
    const char* old = std::setlocale(LC_TIME, nullptr);
    std::string saved = old ? old : "C";
    ScopedLocPath locPath;
    std::string found = SetForeignTimeLocale(locPath);
    if (found.empty())
        GTEST_SKIP() << "no non-English locale is installed or can be built";
    ScopedTz tz("UTC");
    CTime t(static_cast<time_t>(1072656000)); // Monday 29 December 2003
    struct tm tm
    {
    };
    t.GetGmtTm(&tm);
    char localized[64];
    strftime(localized, sizeof(localized), "%A", &tm);
    CString text = t.Format("%a %A %b %B %c");
    CString oleText = COleDateTime(2003, 12, 29, 0, 0, 0).Format("%A %B");
    std::setlocale(LC_TIME, saved.c_str());
    ASSERT_STRNE(localized, "Monday") << "the locale " << found << " did not take effect";
    EXPECT_EQ(text, "Mon Monday Dec December 12/29/03 00:00:00") << found;
    EXPECT_EQ(oleText, "Monday December") << found;
}

// ---------------------------------------------------------------------------------------
// Time zones and the clock
// ---------------------------------------------------------------------------------------

TEST(TimeZone, InformationPerZoneAndSeason)
{
    struct Rule
    {
        WORD month, dayOfWeek, day, hour, minute;
    };
    struct Case
    {
        const char* tz;
        time_t when;
        DWORD id;
        LONG bias, daylightBias;
        const char *standardName, *daylightName;
        Rule daylightDate, standardDate;
    };
    const time_t jan2021 = 1610712000; // 2021-01-15 12:00 UTC
    const time_t jul2021 = 1625140800; // 2021-07-01 12:00 UTC
    const Case cases[] = {
        {"UTC", jan2021, TIME_ZONE_ID_UNKNOWN, 0, 0, "UTC", "UTC", {}, {}},
        {"Asia/Kolkata", jul2021, TIME_ZONE_ID_UNKNOWN, -330, 0, "IST", "IST", {}, {}},
        {"Europe/London",
         jan2021,
         TIME_ZONE_ID_STANDARD,
         0,
         -60,
         "GMT",
         "BST",
         {3, 0, 5, 1, 0},
         {10, 0, 5, 2, 0}},
        {"Europe/London",
         jul2021,
         TIME_ZONE_ID_DAYLIGHT,
         0,
         -60,
         "GMT",
         "BST",
         {3, 0, 5, 1, 0},
         {10, 0, 5, 2, 0}},
        // Its data calls summer time standard and winter time "daylight" with a negative saving.
        {"Europe/Dublin",
         jul2021,
         TIME_ZONE_ID_DAYLIGHT,
         0,
         -60,
         "GMT",
         "IST",
         {3, 0, 5, 1, 0},
         {10, 0, 5, 2, 0}},
        {"America/St_Johns",
         jan2021,
         TIME_ZONE_ID_STANDARD,
         210,
         -60,
         "NST",
         "NDT",
         {3, 0, 2, 2, 0},
         {11, 0, 1, 2, 0}},
        {"America/St_Johns",
         jul2021,
         TIME_ZONE_ID_DAYLIGHT,
         210,
         -60,
         "NST",
         "NDT",
         {3, 0, 2, 2, 0},
         {11, 0, 1, 2, 0}},
        // Southern hemisphere: summer at New Year.
        {"Australia/Sydney",
         jan2021,
         TIME_ZONE_ID_DAYLIGHT,
         -600,
         -60,
         "AEST",
         "AEDT",
         {10, 0, 1, 2, 0},
         {4, 0, 1, 3, 0}},
        // A POSIX rule needs no zone files.
        {"EST5EDT,M3.2.0,M11.1.0",
         jan2021,
         TIME_ZONE_ID_STANDARD,
         300,
         -60,
         "EST",
         "EDT",
         {3, 0, 2, 2, 0},
         {11, 0, 1, 2, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.tz);
        if (std::string(c.tz).find('/') != std::string::npos)
        {
            ASSERT_TRUE(ZoneInstalled(c.tz)) << "the tzdata package is missing";
        }
        ScopedTz tz(c.tz);
        TIME_ZONE_INFORMATION tzi;
        std::memset(&tzi, 0x5A, sizeof(tzi));
        EXPECT_EQ(GetTimeZoneInformationAt(c.when, &tzi), c.id);
        EXPECT_EQ(tzi.Bias, c.bias);
        EXPECT_EQ(tzi.StandardBias, 0);
        EXPECT_EQ(tzi.DaylightBias, c.daylightBias);
        EXPECT_EQ(Name(tzi.StandardName), c.standardName);
        EXPECT_EQ(Name(tzi.DaylightName), c.daylightName);
        const Rule* rules[2] = {&c.daylightDate, &c.standardDate};
        const SYSTEMTIME* dates[2] = {&tzi.DaylightDate, &tzi.StandardDate};
        for (int i = 0; i < 2; ++i)
        {
            SCOPED_TRACE(i == 0 ? "daylight date" : "standard date");
            EXPECT_EQ(dates[i]->wYear, 0);
            EXPECT_EQ(dates[i]->wMonth, rules[i]->month);
            EXPECT_EQ(dates[i]->wDayOfWeek, rules[i]->dayOfWeek);
            EXPECT_EQ(dates[i]->wDay, rules[i]->day);
            EXPECT_EQ(dates[i]->wHour, rules[i]->hour);
            EXPECT_EQ(dates[i]->wMinute, rules[i]->minute);
            EXPECT_EQ(dates[i]->wSecond, 0);
        }
    }
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}

TEST(TimeZone, ChangingTzTakesEffectAtOnce)
{
    TIME_ZONE_INFORMATION tzi{};
    {
        ScopedTz tz("Asia/Kolkata");
        EXPECT_EQ(GetTimeZoneInformation(&tzi), TIME_ZONE_ID_UNKNOWN);
        EXPECT_EQ(tzi.Bias, -330);
    }
    {
        ScopedTz tz("America/St_Johns");
        DWORD id = GetTimeZoneInformation(&tzi);
        EXPECT_TRUE(id == TIME_ZONE_ID_STANDARD || id == TIME_ZONE_ID_DAYLIGHT);
        EXPECT_EQ(tzi.Bias, 210);
    }
}

TEST(FileTime, ConvertsToAndFromCalendarFields)
{
    struct Case
    {
        SYSTEMTIME st;
        uint64_t ticks;
    };
    // Ticks are 100 ns since 1601-01-01; 1970 is 11644473600 s later.
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ull},
        {{2000, 2, 2, 29, 12, 34, 56, 789}, (951827696ull + 11644473600ull) * 10000000ull + 7890000ull},
        {{2100, 3, 1, 1, 0, 0, 0, 0}, (4107542400ull + 11644473600ull) * 10000000ull},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.st.wYear);
        FILETIME ft{};
        ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft));
        EXPECT_EQ((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, c.ticks);
        SYSTEMTIME back{};
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(std::memcmp(&back, &c.st, sizeof(SYSTEMTIME)), 0);
    }
    // 100 ns below a millisecond do not round up.
    FILETIME almost{9999, 0};
    SYSTEMTIME st{};
    ASSERT_TRUE(FileTimeToSystemTime(&almost, &st));
    EXPECT_EQ(st.wMilliseconds, 0);
    FILETIME tooLate{0, 0x80000000u};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
    FILETIME untouched{1, 2};
    for (SYSTEMTIME bad : {SYSTEMTIME{1600, 12, 0, 31, 0, 0, 0, 0}, SYSTEMTIME{1900, 2, 0, 29, 0, 0, 0, 0},
                           SYSTEMTIME{2000, 1, 0, 1, 0, 0, 0, 1000}, SYSTEMTIME{2000, 1, 0, 1, 24, 0, 0, 0}})
    {
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &untouched)) << bad.wYear;
        EXPECT_EQ(untouched.dwLowDateTime, 1u);
    }

    // CTime and COleDateTime take a file time as an instant, shown in local time.
    ScopedTz tz("Asia/Kolkata");
    FILETIME y2k{};
    SYSTEMTIME utc{2000, 1, 6, 1, 0, 0, 0, 999};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &y2k));
    EXPECT_EQ(CTime(y2k).GetTime(), 946684800);
    EXPECT_TRUE(COleDateTime(y2k) == COleDateTime(2000, 1, 1, 5, 30, 0));
}

TEST(Clock, LocalAndSystemTimeDifferByTheZoneOffset)
{
    ScopedTz tz("Asia/Kolkata");
    SYSTEMTIME local{}, utc{};
    const time_t before = RealtimeSeconds();
    GetSystemTime(&utc);
    GetLocalTime(&local);
    const time_t after = RealtimeSeconds();
    // UTC fields of the clock lie between the two readings of the same clock.
    struct tm u
    {
    };
    u.tm_year = utc.wYear - 1900;
    u.tm_mon = utc.wMonth - 1;
    u.tm_mday = utc.wDay;
    u.tm_hour = utc.wHour;
    u.tm_min = utc.wMinute;
    u.tm_sec = utc.wSecond;
    time_t utcSeconds = timegm(&u);
    EXPECT_GE(utcSeconds, before);
    EXPECT_LE(utcSeconds, after);
    EXPECT_LT(utc.wMilliseconds, 1000);
    EXPECT_EQ(utc.wDayOfWeek, u.tm_wday);
    // Local minus UTC is 5:30 (modulo a day; allow a minute's tick between the readings).
    int diff = ((local.wHour * 60 + local.wMinute) - (utc.wHour * 60 + utc.wMinute) + 1440) % 1440;
    EXPECT_TRUE(diff == 330 || diff == 331) << diff;
    EXPECT_FALSE(SetLocalTime(&local));
}

TEST(Clock, OverrideFixesOrShiftsBothClocksUntilCleared)
{
    ScopedTz tz("Asia/Kolkata");
    // 2024-02-29 23:59:58.765 UTC; before 1970 the milliseconds still count forward.
    SetClockFixed(1709251198765LL);
    SYSTEMTIME utc{}, local{};
    GetSystemTime(&utc);
    GetLocalTime(&local);
    EXPECT_EQ(utc.wYear, 2024);
    EXPECT_EQ(utc.wMonth, 2);
    EXPECT_EQ(utc.wDay, 29);
    EXPECT_EQ(utc.wHour, 23);
    EXPECT_EQ(utc.wMinute, 59);
    EXPECT_EQ(utc.wSecond, 58);
    EXPECT_EQ(utc.wMilliseconds, 765);
    EXPECT_EQ(local.wDay, 1);
    EXPECT_EQ(local.wHour, 5);
    EXPECT_EQ(local.wMinute, 29);
    EXPECT_EQ(local.wMilliseconds, 765);

    SetClockFixed(-1);
    GetSystemTime(&utc);
    EXPECT_EQ(utc.wYear, 1969);
    EXPECT_EQ(utc.wSecond, 59);
    EXPECT_EQ(utc.wMilliseconds, 999);

    // A day ahead of the real clock.
    SetClockOffset(86400000LL);
    const time_t before = RealtimeSeconds();
    GetSystemTime(&utc);
    ClearClockOverride();
    struct tm u
    {
    };
    u.tm_year = utc.wYear - 1900;
    u.tm_mon = utc.wMonth - 1;
    u.tm_mday = utc.wDay;
    u.tm_hour = utc.wHour;
    u.tm_min = utc.wMinute;
    u.tm_sec = utc.wSecond;
    const time_t shifted = timegm(&u);
    EXPECT_GE(shifted, before + 86400);
    EXPECT_LE(shifted, before + 86402);

    const time_t real = RealtimeSeconds();
    GetSystemTime(&utc);
    u.tm_year = utc.wYear - 1900;
    u.tm_mon = utc.wMonth - 1;
    u.tm_mday = utc.wDay;
    u.tm_hour = utc.wHour;
    u.tm_min = utc.wMinute;
    u.tm_sec = utc.wSecond;
    EXPECT_LE(std::abs(static_cast<long>(timegm(&u) - real)), 2L);
}

TEST(Clock, TickCountIsMonotonicAndSleepWaits)
{
    ULONGLONG t0 = GetTickCount64();
    DWORD d0 = GetTickCount();
    Sleep(50);
    ULONGLONG t1 = GetTickCount64();
    DWORD d1 = GetTickCount();
    EXPECT_GE(t1 - t0, 49u);
    EXPECT_GE(static_cast<DWORD>(d1 - d0), 49u);
    EXPECT_LT(t1 - t0, 5000u);
    Sleep(0);
    EXPECT_GE(GetTickCount64(), t1);
}
