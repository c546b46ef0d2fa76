// Dates and times on the suite's seconds scale.
//
// The scale counts seconds (double) of local civil time, with no daylight-saving steps, from
// 00:00 on 2 January 2000: 00:00 on 1 January 2000 is −86 400. For year y, day of year d and
// seconds of the day s:
//     value = (L(y) − 485)·86400 + (y − 2000)·31 536 000 + (d − 1)·86400 + s,
//     L(y) = ⌊(y−1)/4⌋ − ⌊(y−1)/100⌋ + ⌊(y−1)/400⌋ (leap days before year y).
// Time-outs, track times and listings keep their times on it.
#pragma once

#include "platform/core/String.h"

// A date and time, filled from the clock (GetLocalDateTime) or from its date and time fields
// (CompleteDateTime).
struct DateTimeDef
{
    int nHour = 0;
    int nMinute = 0;
    int nSecond = 0;
    int nMillisecond = 0;
    double dSecondsOfDay = 0.0; // h·3600 + m·60 + s + ms/1000
    int nDay = 0;               // 1..31
    int nMonth = 0;             // 1..12
    int nYear = 0;
    int nDayOfWeek = 0; // 1 Monday .. 7 Sunday
    int nDayOfYear = 0; // 1..366
    bool bLeapYear = false;
    int nDaylightBias = 0;    // minutes; −60 while daylight-saving time is in force
    int nBias = 0;            // minutes, UTC = local time + bias
    char szTimeZone[32] = {}; // name of the zone in force, NUL-terminated
    double dSeconds = 0.0;    // on the suite's scale
};

// Sets the shared calendar tables for `year` (February 29 or 28 days, cumulative days before
// each month) and returns whether it is a Gregorian leap year.
bool SetCalendarYear(int year);
// The shared tables as last set: days in month 1..12, and days before month 1..12 (month 13:
// days in the year). 0 outside those ranges.
int GetCalendarDaysInMonth(int month);
int GetCalendarDaysBeforeMonth(int month);

// Fills the leap flag, day of year, day of week, seconds of the day and the scale value from
// the record's hour..millisecond and day, month, year. A month outside 1..12 or a day outside
// the month sets both to 0 (and the day of year to 0).
void CompleteDateTime(DateTimeDef& dt);

// Sets the record's hour, minute, second and millisecond (the fraction × 1000) from seconds
// within the day (taken modulo 86 400 into [0, 86 400), so -30 is 23:59:30), then its seconds
// of the day and scale value. A value that is not finite leaves the record alone.
void SetTimeOfDay(DateTimeDef& dt, double seconds);

// Fills the record from the local clock and completes it; stores the zone's bias and the name
// of the zone in force (the daylight name and a daylight bias of −60 while daylight-saving
// time is in force; otherwise the standard name, the daylight bias left as it was). Returns
// whether daylight-saving time is in force.
bool GetLocalDateTime(DateTimeDef& dt);

// The scale value of a year, day of year (1..366) and seconds of the day.
double SecondsSince2000(int year, int dayOfYear, double secondsOfDay);
// Day of week, 1 Monday .. 7 Sunday, of a year and day of year.
int DayOfWeek(int year, int dayOfYear);
// Month and day of a day of year (1..365 or 366); false, with both 0, outside the year.
bool MonthDayOfYear(int year, int dayOfYear, int* month, int* day);

// "%d %b %Y": day with two digits, English month abbreviation ("02 Jan 2000"). Empty text
// unless day 1..31, month 1..12 and year >= 1900.
CString FormatDate(int day, int month, int year);
// Today's local date as "%d%b%Y": two-digit day, the month's abbreviation in the current
// locale, four-digit year ("05Dec2026").
CString FormatDate();
// "<FormatDate()>@hhmmss" of the local time now ("05Dec2026@142501").
CString FormatTimeStamp();
// The calendar date of a scale value, by FormatDate; empty text for a value that is not a
// finite time.
CString FormatDateSince2000(double seconds);
// "%02d:%02d:%02d" of the time within the day (value modulo 86 400, truncated to whole
// seconds), with '-' in front of a negative value: −30 → "-00:00:30", 86 400 → "00:00:00".
// Empty text for a value that is not finite.
CString FormatTimeOfDay(double seconds);
