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
    try
    {
        return CTime(year, month, day, second / 3600, second / 60 % 60, second % 60).GetTime();
    }
    catch (CException* e)
    {
        e->Delete();
        return kNoInstant;
    }
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
