// Time: the Windows clock and time-zone calls, the framework's CTime and CTimeSpan, and the
// fixed English month and day names that every date text of the suite uses.
//
// Local time is the process's time zone: $TZ when set, the system's otherwise, read through
// the C library. Names in formatted dates never come from the locale, so a German or French
// desktop still writes "Jan" and "Monday" into files and listings.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <ctime>

// ---------------------------------------------------------------------------------------
// English names
// ---------------------------------------------------------------------------------------

// "January".."December" and "Jan".."Dec", index 0 = January.
PLATFORM_API extern const char* const g_EnglishMonthNames[12];
PLATFORM_API extern const char* const g_EnglishMonthAbbrevs[12];
// "Sunday".."Saturday" and "Sun".."Sat", index 0 = Sunday (struct tm's tm_wday).
PLATFORM_API extern const char* const g_EnglishDayNames[7];
PLATFORM_API extern const char* const g_EnglishDayAbbrevs[7];

// Month 1..12; "" outside that range.
PLATFORM_API const char* EnglishMonthName(int month, bool abbreviated = false);
// Day of week 0..6 with 0 = Sunday; "" outside that range.
PLATFORM_API const char* EnglishDayName(int dayOfWeek, bool abbreviated = false);

// strftime with the fixed English names and the "C" locale's forms, whatever LC_TIME says:
// %a %A %b %B %h (names), %c "%m/%d/%y %H:%M:%S", %x "%m/%d/%y", %X and %T "%H:%M:%S",
// %d %e %H %I %j %m %M %S %U %W %w %u %V %G %g %y %Y %C %p %r %R %D %F %z %Z %n %t %%.
// The '#' flag drops leading zeros of numbers and gives %#c and %#x their long forms
// ("Tuesday, March 14, 1995, 12:41:29"). An unknown code is copied as it stands.
// %z and %Z use tm_gmtoff and tm_zone of `t` (a tm from localtime_r or gmtime_r).
PLATFORM_API CString FormatTmEnglish(const char* format, const struct tm& t);

// ---------------------------------------------------------------------------------------
// Windows clock and time-zone calls
// ---------------------------------------------------------------------------------------

struct SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;     // 1..12
    WORD wDayOfWeek; // 0 = Sunday
    WORD wDay;       // 1..31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using PSYSTEMTIME = SYSTEMTIME*;
using LPSYSTEMTIME = SYSTEMTIME*;

// The clock as local time and as UTC, to the millisecond.
PLATFORM_API void GetLocalTime(SYSTEMTIME* st);
PLATFORM_API void GetSystemTime(SYSTEMTIME* st);
// For tests: the clock GetLocalTime and GetSystemTime read, fixed at a moment (milliseconds
// since 1970-01-01 00:00 UTC) or shifted from the real one by an offset (milliseconds). Off
// by default; the product never sets it.
PLATFORM_API void SetClockFixed(int64_t unixMilliseconds);
PLATFORM_API void SetClockOffset(int64_t milliseconds);
PLATFORM_API void ClearClockOverride();
// The suite never sets the computer's clock: reports failure and changes nothing.
PLATFORM_API BOOL SetLocalTime(const SYSTEMTIME* st);
PLATFORM_API BOOL SetSystemTime(const SYSTEMTIME* st);

#define TIME_ZONE_ID_UNKNOWN 0u
#define TIME_ZONE_ID_STANDARD 1u
#define TIME_ZONE_ID_DAYLIGHT 2u
#define TIME_ZONE_ID_INVALID 0xFFFFFFFFu

// All biases are minutes with UTC = local time + bias (+ StandardBias or DaylightBias).
// Where the zone changes its clocks, StandardDate and DaylightDate are in the "day in month"
// form (wYear 0, wMonth, wDayOfWeek, wDay = 1..4 for the first..fourth such weekday and 5 for
// the last) and give the local wall-clock time at which the change happens; elsewhere both
// have wMonth 0.
struct TIME_ZONE_INFORMATION
{
    LONG Bias;
    WCHAR StandardName[32];
    SYSTEMTIME StandardDate;
    LONG StandardBias;
    WCHAR DaylightName[32];
    SYSTEMTIME DaylightDate;
    LONG DaylightBias;
};
using PTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;
using LPTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;

// The process's time zone now: TIME_ZONE_ID_UNKNOWN when the zone does not change its clocks
// this year, else TIME_ZONE_ID_STANDARD or TIME_ZONE_ID_DAYLIGHT for the period in force;
// TIME_ZONE_ID_INVALID for a null argument. Names are the zone's abbreviations ("GMT", "BST").
PLATFORM_API DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* tzi);
// The same for the local year and period of `when` (seconds since 1970, UTC).
PLATFORM_API DWORD GetTimeZoneInformationAt(time_t when, TIME_ZONE_INFORMATION* tzi);

struct FILETIME; // 100-ns intervals since 1601-01-01 UTC; defined with the file calls (FileApi.h)

// A FILETIME as the calendar fields it counts, and back, with no zone conversion (a UTC file
// time gives UTC fields). FALSE for a FILETIME of 2^63 or more, or a SYSTEMTIME field out of
// range (year 1601..30827, day within its month, milliseconds 0..999).
PLATFORM_API BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st);
PLATFORM_API BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft);

// Milliseconds of a monotonic clock; the 32-bit count wraps after 49.7 days.
PLATFORM_API DWORD GetTickCount();
PLATFORM_API ULONGLONG GetTickCount64();
// Suspends the calling thread; 0 gives up the rest of its time slice.
PLATFORM_API void Sleep(DWORD milliseconds);

// ---------------------------------------------------------------------------------------
// CTimeSpan and CTime
// ---------------------------------------------------------------------------------------

// A signed count of seconds.
class PLATFORM_API CTimeSpan
{
public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : m_span(static_cast<int64_t>(seconds)) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(static_cast<int64_t>(days) * 86400 + static_cast<int64_t>(hours) * 3600 +
                 static_cast<int64_t>(minutes) * 60 + seconds)
    {
    }

    LONGLONG GetDays() const { return m_span / 86400; }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return static_cast<time_t>(m_span); }

    // %D days, %H hours (00..23), %M minutes, %S seconds, %% a percent sign.
    CString Format(const char* format) const;

    CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(static_cast<time_t>(m_span + o.m_span)); }
    CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(static_cast<time_t>(m_span - o.m_span)); }
    CTimeSpan& operator+=(CTimeSpan o)
    {
        m_span += o.m_span;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan o)
    {
        m_span -= o.m_span;
        return *this;
    }
    bool operator==(CTimeSpan o) const { return m_span == o.m_span; }
    bool operator!=(CTimeSpan o) const { return m_span != o.m_span; }
    bool operator<(CTimeSpan o) const { return m_span < o.m_span; }
    bool operator>(CTimeSpan o) const { return m_span > o.m_span; }
    bool operator<=(CTimeSpan o) const { return m_span <= o.m_span; }
    bool operator>=(CTimeSpan o) const { return m_span >= o.m_span; }

private:
    int64_t m_span = 0;
};

// An instant as seconds since 1970-01-01 00:00 UTC (64-bit); the calendar fields are read in
// local time, or in UTC by the Gmt calls.
class PLATFORM_API CTime
{
public:
    CTime() = default;
    CTime(time_t t) : m_time(static_cast<int64_t>(t)) {}
    // Local time; fields outside year 1900..3000, month 1..12, day 1..31, hour 0..23,
    // minute and second 0..59 throw CInvalidArgException. A day past the month's end rolls
    // into the next month. nDST: 0 standard time, > 0 daylight time, < 0 whichever is in force.
    CTime(int year, int month, int day, int hour, int minute, int second, int nDST = -1);
    // Local time; a year before 1900 gives the time 0.
    CTime(const SYSTEMTIME& st, int nDST = -1);
    // The instant of a (UTC) file time, to the second below.
    CTime(const FILETIME& ft, int nDST = -1);

    static CTime GetCurrentTime();

    time_t GetTime() const { return static_cast<time_t>(m_time); }

    // Fill *tm (and return it), or return null when the time cannot be converted.
    struct tm* GetLocalTm(struct tm* tm) const;
    struct tm* GetGmtTm(struct tm* tm) const;
    // Local time; false when the time cannot be converted.
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    // Local calendar fields; GetDayOfWeek is 1 = Sunday .. 7 = Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;

    // FormatTmEnglish of the local time, or of UTC for FormatGmt.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;

    CTimeSpan operator-(CTime o) const { return CTimeSpan(static_cast<time_t>(m_time - o.m_time)); }
    CTime operator+(CTimeSpan s) const { return CTime(static_cast<time_t>(m_time + s.GetTotalSeconds())); }
    CTime operator-(CTimeSpan s) const { return CTime(static_cast<time_t>(m_time - s.GetTotalSeconds())); }
    CTime& operator+=(CTimeSpan s)
    {
        m_time += s.GetTotalSeconds();
        return *this;
    }
    CTime& operator-=(CTimeSpan s)
    {
        m_time -= s.GetTotalSeconds();
        return *this;
    }
    bool operator==(CTime o) const { return m_time == o.m_time; }
    bool operator!=(CTime o) const { return m_time != o.m_time; }
    bool operator<(CTime o) const { return m_time < o.m_time; }
    bool operator>(CTime o) const { return m_time > o.m_time; }
    bool operator<=(CTime o) const { return m_time <= o.m_time; }
    bool operator>=(CTime o) const { return m_time >= o.m_time; }

private:
    int64_t m_time = 0;
};
