// The tide data set's calendar: its own count of seconds, a year's first and last instant on
// it, local calendar instants of a day of the year, and the moon's phase intervals.
//
// The count is seconds from 00:00 of 2 January 2000 (00:00 of 1 January 2000 is -86 400), with
// every day 86 400 s long; it is a calendar count, with no zone and no daylight-saving steps.
#pragma once

#include <cstdint>

// Returned by TideTimeOfDay for a date the local clock cannot convert.
constexpr int64_t kNoInstant = INT64_MIN;

// Whether `year` is a leap year of the Gregorian calendar.
bool IsGregorianLeapYear(int year);
// 365 or 366.
int DaysInGregorianYear(int year);

// 00:00 of 1 January of `year` on the data set's count (seconds), by integer day counts:
// ((Y-1) div 4 + (Y-1) div 400 - (Y-1) div 100 - 485) x 86400 + (Y-2000) x 31536000. Years 1..
int64_t TideYearStart(int year);
// 00:00 of 1 January of the next year: the year's end.
int64_t TideYearEnd(int year);

// The instant (seconds since 1970, UTC) of local calendar fields in the process's time zone
// ($TZ): of an hour that the clocks repeat, the first reading; an hour that they skip reads
// with the offset in force before it. kNoInstant for fields outside year 1900..3000, month
// 1..12, the days of the month, hour 0..23, minute and second 0..59.
int64_t TideLocalInstant(int year, int month, int day, int hour, int minute, int second);

// The local calendar time of day `dayOfYear` (1-based) of `year` at `seconds` into the day
// (taken modulo 86 400), as seconds since 1970 (UTC), in the process's time zone ($TZ). A day
// past the year's end or before its start moves into the next or previous year; read as
// TideLocalInstant reads it. kNoInstant for a year outside 1900..3000.
int64_t TideTimeOfDay(int dayOfYear, int year, int seconds);

// The first i >= 1 with instants[i-1] <= x <= instants[i]: true, with the pair ordered so that
// *even is the one at an even position of the array and *odd the other. False when none.
// `sorted` says the instants rise (or stay) from first to last, which allows a binary search.
bool FindMoonInterval(const int64_t* instants, int count, bool sorted, int64_t x, int64_t* even, int64_t* odd);
