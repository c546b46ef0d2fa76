#include "acoustic/engine/DateFolders.h"

#include "foundation/DateTime.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "platform/core/Time.h"

#include <QStandardPaths>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <locale.h>

namespace
{
const double kSecondsPerDay = 86400.0;
const int kFirstYear = 1900;
const int kLastYear = 9999;

// Leap days in the years before `year` (year >= 1).
long LeapDaysBefore(int year)
{
    const long y = year - 1;
    return y / 4 - y / 100 + y / 400;
}

// Seconds from 2000-01-01 00:00 to 1 January of `year`.
double YearStart(int year)
{
    const long days = (static_cast<long>(year) - 2000) * 365 + LeapDaysBefore(year) - LeapDaysBefore(2000);
    return static_cast<double>(days) * kSecondsPerDay;
}

// The C locale on its own, so that month names never follow the user's locale (the Qt
// application sets the process locale from the environment).
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
} // namespace

bool SplitTimeSince2000(int* dayOfYear, int* year, double* secondsOfDay, double seconds)
{
    if (!std::isfinite(seconds) || seconds < YearStart(kFirstYear) || seconds >= YearStart(kLastYear + 1))
        return false;
    // The estimate from 365-day years is at most a few years off either way; step onto the
    // year whose start lies at or before the time.
    int y = 2000 + static_cast<int>(seconds / (365.0 * kSecondsPerDay));
    while (seconds < YearStart(y))
        --y;
    while (seconds >= YearStart(y + 1))
        ++y;
    const double intoYear = seconds - YearStart(y);
    const double day = std::floor(intoYear / kSecondsPerDay);
    if (dayOfYear)
        *dayOfYear = static_cast<int>(day) + 1;
    if (year)
        *year = y;
    if (secondsOfDay)
        *secondsOfDay = intoYear - day * kSecondsPerDay;
    return true;
}

CString FormatDate(int day, int month, int year, int kind)
{
    static const char* const formats[] = {"%d/%m/%Y", "%d %b %Y", "%d %B %Y", "%m\\%d\\%Y"};
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < kFirstYear || kind < 0 || kind > 3)
        return CString();
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    char text[128];
    const size_t n = strftime_l(text, sizeof text, formats[kind], &t, CLocale());
    return n == 0 ? CString() : CString(text);
}

CString GetDateText()
{
    DateTimeDef now;
    GetLocalDateTime(now);
    return FormatDate(now.nDay, now.nMonth, now.nYear, DATE_SHORT_MONTH);
}

CString GetDateTextSince2000(double seconds, int kind)
{
    int dayOfYear = 0, year = 0;
    if (!SplitTimeSince2000(&dayOfYear, &year, nullptr, seconds))
        return CString();
    int month = 0, day = 0;
    if (!MonthDayOfYear(year, dayOfYear, &month, &day))
        return CString();
    return FormatDate(day, month, year, kind);
}

CString FormatTime(int hours, int minutes, int seconds, int milliseconds, int kind)
{
    const char* sign = (hours < 0 || minutes < 0 || seconds < 0) ? "-" : "";
    CString text;
    switch (kind)
    {
    case TIME_MILLISECONDS:
        text.Format("%s%02d:%02d:%02d.%03d", sign, std::abs(hours), std::abs(minutes), std::abs(seconds),
                    std::abs(milliseconds));
        break;
    case TIME_SECONDS:
        text.Format("%s%02d:%02d:%02d", sign, std::abs(hours), std::abs(minutes), std::abs(seconds));
        break;
    case TIME_MINUTES:
        text.Format("%s%02d:%02d", sign, std::abs(hours), std::abs(minutes));
        break;
    default:
        break;
    }
    return text;
}

CString GetTimeText()
{
    DateTimeDef now;
    GetLocalDateTime(now);
    return FormatTime(now.nHour, now.nMinute, now.nSecond, now.nMillisecond, TIME_SECONDS);
}

CString FormatTimeOfDaySeconds(double seconds, int kind)
{
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e15)
        return CString();
    const double inDay = std::fmod(seconds, kSecondsPerDay);
    const int sign = inDay < 0.0 ? -1 : 1;
    const double magnitude = std::fabs(inDay);
    const int whole = static_cast<int>(magnitude);
    // A hair above the truncation so that 12.345 s, held as 12.34499..., shows 345 ms.
    int milliseconds = static_cast<int>((magnitude - whole) * 1000.0 + 1e-6);
    if (milliseconds > 999)
        milliseconds = 999;
    return FormatTime(sign * (whole / 3600), sign * ((whole % 3600) / 60), sign * (whole % 60), milliseconds,
                      kind);
}

CString GetFileNameFromPath(const char* path)
{
    const CString text(path ? path : "");
    const int slash = text.ReverseFind('\\');
    return slash < 0 ? text : text.Mid(slash + 1);
}

CString GetMyDocumentsFolder(const char* sub)
{
    CString folder =
        WindowsPathFromLinux(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    if (sub && *sub)
    {
        folder += sub;
        folder += '\\';
        CreateFolderPath(folder);
    }
    return folder;
}

CString GetYearMonthFolder()
{
    return GetYearMonthFolder(static_cast<long long>(std::time(nullptr)));
}

CString GetYearMonthFolder(long long unixSeconds)
{
    const std::time_t when = static_cast<std::time_t>(unixSeconds);
    std::tm utc{};
    gmtime_r(&when, &utc);
    CString folder;
    folder.Format("%4d\\%s\\", utc.tm_year + 1900, EnglishMonthName(utc.tm_mon + 1));
    return folder;
}

CString GetThermoclineLogFolder()
{
    CString logs;
    if (!GetMyDrivesDataFolder(logs, "Logs"))
        GetMyDataFolder(logs, "Logs");
    CString folder;
    folder.Format("%s%s%s\\", logs.GetString(), GetYearMonthFolder().GetString(), "Thermocline");
    CreateFolderPath(folder);
    return folder;
}
