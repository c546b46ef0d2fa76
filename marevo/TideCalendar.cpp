#include "marevo/TideCalendar.h"

#include "foundation/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/Time.h"

#include <algorithm>

bool IsGregorianLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInGregorianYear(int year)
{
    return IsGregorianLeapYear(year) ? 366 : 365;
}

int64_t TideYearStart(int year)
{
    const int64_t y = year - 1;
    return (y / 4 + y / 400 - y / 100 - 485) * 86400 + (static_cast<int64_t>(year) - 2000) * 31536000;
}

int64_t TideYearEnd(int year)
{
    const int64_t y = year;
    return (y / 4 + y / 400 - y / 100 - 485) * 86400 + (static_cast<int64_t>(year) - 1999) * 31536000;
}

namespace
{
// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Seconds east of UTC of local time at an instant; false when the clock cannot tell.
bool LocalOffset(int64_t instant, int64_t* offset)
{
    struct tm local = {};
    if (!CTime(static_cast<time_t>(instant)).GetLocalTm(&local))
        return false;
    *offset = local.tm_gmtoff;
    return true;
}
} // namespace

int64_t TideLocalInstant(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1900 || year > 3000 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return kNoInstant;
    static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > kDaysInMonth[month - 1] + (month == 2 && IsGregorianLeapYear(year) ? 1 : 0))
        return kNoInstant;
    // The calendar fields read as UTC, less the offset in force. The run-time's own conversion
    // guesses an hour that the clocks repeat from the conversions before it, so the same fields
    // could give either instant; taking the offsets of the day before and the day after, and
    // the earlier of the readings that hold, gives one answer. An hour the clocks skip is read
    // with the offset in force before it, which lands after the skip.
    const int64_t fields = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    int64_t before = 0;
    int64_t after = 0;
    if (!LocalOffset(fields - 86400, &before) || !LocalOffset(fields + 86400, &after))
        return kNoInstant;
    int64_t best = kNoInstant;
    for (const int64_t offset : {before, after})
    {
        int64_t held = 0;
        const int64_t instant = fields - offset;
        if (LocalOffset(instant, &held) && held == offset && (best == kNoInstant || instant < best))
            best = instant;
    }
    return best != kNoInstant ? best : fields - before;
}

int64_t TideTimeOfDay(int dayOfYear, int year, int seconds)
{
    while (dayOfYear < 1 && year >= 1900)
        dayOfYear += DaysInGregorianYear(--year);
    while (dayOfYear > DaysInGregorianYear(year) && year <= 3000)
        dayOfYear -= DaysInGregorianYear(year++);
    if (year < 1900 || year > 3000)
        return kNoInstant;
    int month = 0;
    int day = 0;
    MonthDayOfYear(year, dayOfYear, &month, &day);
    int second = seconds % 86400;
    if (second < 0)
        second += 86400;
    return TideLocalInstant(year, month, day, second / 3600, second / 60 % 60, second % 60);
}

bool FindMoonInterval(const int64_t* instants, int count, bool sorted, int64_t x, int64_t* even, int64_t* odd)
{
    int found = -1;
    if (sorted)
    {
        // The first instant at or after x ends the first interval that holds x.
        const int j = static_cast<int>(std::lower_bound(instants, instants + count, x) - instants);
        if (j == 0 && count > 1 && instants[0] == x)
            found = 1;
        else if (j > 0 && j < count)
            found = j;
    }
    else
    {
        for (int i = 1; i < count; ++i)
            if (instants[i - 1] <= x && x <= instants[i])
            {
                found = i;
                break;
            }
    }
    if (found < 0)
        return false;
    const bool firstIsEven = (found - 1) % 2 == 0;
    *even = firstIsEven ? instants[found - 1] : instants[found];
    *odd = firstIsEven ? instants[found] : instants[found - 1];
    return true;
}
