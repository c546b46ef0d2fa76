// COleDateTime and COleDateTimeSpan: calendar dates held as a DATE, the days since
// 1899-12-30 00:00 (a double), as the date pickers and the almanac ranges hold them.
//
// A DATE's whole part counts days and its fraction is the time of day, also for negative
// values: -1.25 is 1899-12-29 06:00, a quarter day *after* the start of day -1. Arithmetic and
// comparisons therefore work on the continuous day count, never on the raw double.
// Dates run from 0100-01-01 to 9999-12-31 with a resolution of one second.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "platform/core/WinTypes.h"

#include <ctime>

#define AFX_OLE_DATETIME_ERROR (-1)
// ParseDateTime and Format flags: the time alone, or the date alone.
#define VAR_TIMEVALUEONLY 0x00000001u
#define VAR_DATEVALUEONLY 0x00000002u

// SYSTEMTIME (year 100..9999, fields checked, milliseconds ignored) to DATE and back (to the
// nearest second); FALSE and nothing written for a value out of range.
PLATFORM_API INT SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* date);
PLATFORM_API INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* st);

// A span of time in days (a double; 0.5 is twelve hours).
class PLATFORM_API COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() = default;
    // More than 3,615,897 days either way (the whole date range), or NaN, is invalid.
    COleDateTimeSpan(double days);
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(LONG days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    // Whole units, after rounding the span to the nearest second and truncating towards
    // zero: a span of 3 days 1 h 5 min 12 s has 73 total hours and 4385 total minutes.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // The parts of the span, each carrying its sign: days, hours -23..23, minutes and seconds
    // -59..59.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    operator double() const { return m_span; }

    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign; "" when null and
    // "Invalid DateTimeSpan" when invalid.
    CString Format(const char* format) const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& o) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& o) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& o) { return *this = *this + o; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& o) { return *this = *this - o; }
    bool operator==(const COleDateTimeSpan& o) const;
    bool operator!=(const COleDateTimeSpan& o) const { return !(*this == o); }
    bool operator<(const COleDateTimeSpan& o) const { return m_span < o.m_span; }
    bool operator>(const COleDateTimeSpan& o) const { return m_span > o.m_span; }
    bool operator<=(const COleDateTimeSpan& o) const { return m_span <= o.m_span; }
    bool operator>=(const COleDateTimeSpan& o) const { return m_span >= o.m_span; }

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;

private:
    // Whole seconds, rounded half away from zero.
    long long TotalSeconds() const;
};

// A calendar date and time of day without a time zone (local time where it comes from a clock).
class PLATFORM_API COleDateTime
{
public:
    enum DateTimeStatus
    {
        error = -1,
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTime() = default;
    // Invalid when the value lies outside the date range or is NaN.
    COleDateTime(DATE date) { *this = date; }
    // The local date and time of the instant.
    COleDateTime(time_t t) { *this = t; }
    COleDateTime(const SYSTEMTIME& st) { *this = st; }
    // The local date and time of a (UTC) file time, to the second below.
    COleDateTime(const FILETIME& ft) { *this = ft; }
    COleDateTime(int year, int month, int day, int hour, int minute, int second)
    {
        SetDateTime(year, month, day, hour, minute, second);
    }

    COleDateTime& operator=(DATE date);
    COleDateTime& operator=(time_t t);
    COleDateTime& operator=(const SYSTEMTIME& st);
    COleDateTime& operator=(const FILETIME& ft);

    // The local date and time now, to the second.
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // 0 on success; 1 and the status invalid for a field out of range (year 100..9999,
    // month 1..12, day 1..length of the month, hour 0..23, minute and second 0..59).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    // The time of day on day 0 (1899-12-30).
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    // The fields, rounded to the nearest second; AFX_OLE_DATETIME_ERROR unless valid.
    // GetDayOfWeek is 1 = Sunday .. 7 = Saturday; GetDayOfYear 1..366.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;
    // wDayOfWeek 0 = Sunday, milliseconds 0; false unless valid.
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    operator DATE() const { return m_dt; }

    // strftime codes with the English names of FormatTmEnglish; "" when null and
    // "Invalid DateTime" when invalid.
    CString Format(const char* format) const;
    // "DD/MM/YYYY HH:MM:SS"; the date alone at midnight and the time alone on day 0, or as
    // VAR_DATEVALUEONLY / VAR_TIMEVALUEONLY ask. ParseDateTime reads it back.
    CString Format(DWORD flags = 0) const;

    // "YYYY-MM-DD", "DD/MM/YYYY" (or a two-digit year: 30..99 are 19xx, 00..29 are 20xx),
    // "D Mon YYYY" / "D-Mon-YYYY" with English month names, each optionally followed by a
    // time "HH:MM[:SS]" with an optional AM/PM; or a time alone (on day 0). With
    // VAR_DATEVALUEONLY the time is dropped, with VAR_TIMEVALUEONLY the date. False and the
    // status invalid for any other text.
    bool ParseDateTime(const char* text, DWORD flags = 0);

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }

    bool operator==(const COleDateTime& o) const;
    bool operator!=(const COleDateTime& o) const { return !(*this == o); }
    bool operator<(const COleDateTime& o) const;
    bool operator>(const COleDateTime& o) const { return o < *this; }
    bool operator<=(const COleDateTime& o) const { return !(o < *this); }
    bool operator>=(const COleDateTime& o) const { return !(*this < o); }

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    bool GetFields(SYSTEMTIME& st, int& dayOfYear) const;
    int GetField(WORD SYSTEMTIME::*field) const;
};
