// Date, time and folder functions of the calibration engine: texts of dates and times for
// reports and panes, the split of a time given as seconds since 2000-01-01 00:00, and the
// documents, data and thermocline-log folders.
//
// Times are doubles of seconds since 2000-01-01 00:00 (Gregorian calendar, days of 86 400 s,
// no leap seconds). Month names are the English ones of the C locale, whatever the user's
// locale is.
#pragma once

#include "platform/core/String.h"

// Kinds of FormatDate and GetDateTextSince2000.
enum DATE_TEXT_KIND
{
    DATE_SLASHES = 0,     // "%d/%m/%Y"   "05/03/2021"
    DATE_SHORT_MONTH = 1, // "%d %b %Y"   "05 Mar 2021"
    DATE_LONG_MONTH = 2,  // "%d %B %Y"   "05 March 2021"
    DATE_BACKSLASHES = 3  // "%m\%d\%Y"   "03\05\2021"
};

// Kinds of FormatTime and FormatTimeOfDaySeconds.
enum TIME_TEXT_KIND
{
    TIME_MILLISECONDS = 0, // "%02d:%02d:%02d.%03d"
    TIME_SECONDS = 1,      // "%02d:%02d:%02d"
    TIME_MINUTES = 2       // "%02d:%02d"
};

// Splits seconds since 2000-01-01 00:00 into the year, the day of the year (1-based) and the
// seconds of the day ([0, 86400)). Any output may be null. False, with the outputs untouched,
// for a time that is not finite or lies outside the years 1900 to 9999.
bool SplitTimeSince2000(int* dayOfYear, int* year, double* secondsOfDay, double seconds);

// The date text of day (1..31), month (1..12) and year (1900 or later) by kind, formatted
// by the C library's time formatting in the C locale. The day is not checked against the
// month (31 February prints as such). Empty for any other day, month, year or kind.
CString FormatDate(int day, int month, int year, int kind);
// Today's local date, kind DATE_SHORT_MONTH.
CString GetDateText();
// The date of a time in seconds since 2000 by kind; empty when the time cannot be split.
CString GetDateTextSince2000(double seconds, int kind);

// "%02d:%02d:%02d.%03d" (kind 0), "%02d:%02d:%02d" (1) or "%02d:%02d" (2); when any of
// hours, minutes or seconds is negative the text starts with '-' and the fields are shown
// without their signs. Empty for any other kind.
CString FormatTime(int hours, int minutes, int seconds, int milliseconds, int kind);
// The local time now, kind TIME_SECONDS.
CString GetTimeText();
// The time of day of a time in seconds (taken modulo 86 400, keeping its sign) by kind; the
// milliseconds are the truncated fraction. Empty for a value that is not finite or whose
// magnitude passes 1e15 s (beyond any calendar).
CString FormatTimeOfDaySeconds(double seconds, int kind);

// The part of a Windows path after its last backslash; the whole text when there is none.
CString GetFileNameFromPath(const char* path);

// The user's documents folder as a Windows path ending in a backslash ("Z:\home\a\Documents\"
// when it lies outside drive C:), or "<documents>\<sub>\" when a sub-folder is given, which
// is then made.
CString GetMyDocumentsFolder(const char* sub = nullptr);
// "%4d\<month name>\" of the current year and month in UTC ("2026\December\").
CString GetYearMonthFolder();
// The same for a given time (seconds since 1970-01-01 00:00 UTC).
CString GetYearMonthFolder(long long unixSeconds);
// The data folder (by the MyDrives pointer, else the drive search), then
// "Logs\<year>\<month>\Thermocline\"; the folder is made.
CString GetThermoclineLogFolder();
