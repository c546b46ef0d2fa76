#include "foundation/DateTime.h"

#include "platform/core/Time.h"

#include <atomic>
#include <cmath>
#include <ctime>

namespace
{
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPer365 = 31536000.0;

// Floor division: the leap-day count must stay right for years before 1 AD too.
long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long long LeapDaysBefore(int year)
{
    const long long y = static_cast<long long>(year) - 1;
    return FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Month lengths of one year. Every function works on its own copy, so threads that date
// their data (serial readers, the UI) never see another's year half-written.
struct MonthTable
{
    int days[12];
    int before[13];

    explicit MonthTable(int year)
    {
        static const int normal[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int sum = 0;
        for (int m = 0; m < 12; ++m)
        {
            days[m] = normal[m];
            if (m == 1 && IsLeapYear(year))
                days[m] = 29;
            before[m] = sum;
            sum += days[m];
        }
        before[12] = sum;
    }
};

// The process-wide tables that callers may read after SetCalendarYear.
std::atomic<int> g_DaysInMonth[12] = {{31}, {28}, {31}, {30}, {31}, {30}, {31}, {31}, {30}, {31}, {30}, {31}};
std::atomic<int> g_DaysBeforeMonth[13] = {{0},   {31},  {59},  {90},  {120}, {151}, {181},
                                          {212}, {243}, {273}, {304}, {334}, {365}};

double StartOfYear(int year)
{
    return SecondsSince2000(year, 1, 0.0);
}
} // namespace

bool SetCalendarYear(int year)
{
    const MonthTable table(year);
    for (int m = 0; m < 12; ++m)
        g_DaysInMonth[m].store(table.days[m], std::memory_order_relaxed);
    for (int m = 0; m < 13; ++m)
        g_DaysBeforeMonth[m].store(table.before[m], std::memory_order_relaxed);
    return IsLeapYear(year);
}

int GetCalendarDaysInMonth(int month)
{
    return month >= 1 && month <= 12 ? g_DaysInMonth[month - 1].load(std::memory_order_relaxed) : 0;
}

int GetCalendarDaysBeforeMonth(int month)
{
    return month >= 1 && month <= 13 ? g_DaysBeforeMonth[month - 1].load(std::memory_order_relaxed) : 0;
}

double SecondsSince2000(int year, int dayOfYear, double secondsOfDay)
{
    return static_cast<double>(LeapDaysBefore(year) - 485) * kSecondsPerDay +
           static_cast<double>(year - 2000) * kSecondsPer365 +
           static_cast<double>(dayOfYear - 1) * kSecondsPerDay + secondsOfDay;
}

int DayOfWeek(int year, int dayOfYear)
{
    // A true modulus: before 2000 the sum is negative.
    const long long n = 365LL * year - 730480 + LeapDaysBefore(year) + dayOfYear;
    return static_cast<int>(((n % 7) + 7) % 7) + 1;
}

bool MonthDayOfYear(int year, int dayOfYear, int* month, int* day)
{
    const MonthTable table(year);
    int m = 0, d = 0;
    if (dayOfYear >= 1 && dayOfYear <= table.before[12])
    {
        m = 1;
        while (m < 12 && dayOfYear > table.before[m])
            ++m;
        d = dayOfYear - table.before[m - 1];
    }
    if (month)
        *month = m;
    if (day)
        *day = d;
    return m != 0;
}

void CompleteDateTime(DateTimeDef& dt)
{
    dt.bLeapYear = SetCalendarYear(dt.nYear);
    const MonthTable table(dt.nYear);
    if (dt.nMonth < 1 || dt.nMonth > 12 || dt.nDay < 1 || dt.nDay > table.days[dt.nMonth - 1])
    {
        dt.nMonth = 0;
        dt.nDay = 0;
        dt.nDayOfYear = 0;
    }
    else
    {
        dt.nDayOfYear = table.before[dt.nMonth - 1] + dt.nDay;
    }
    dt.nDayOfWeek = DayOfWeek(dt.nYear, dt.nDayOfYear);
    dt.dSecondsOfDay = dt.nHour * 3600.0 + dt.nMinute * 60.0 + dt.nSecond + dt.nMillisecond / 1000.0;
    dt.dSeconds = SecondsSince2000(dt.nYear, dt.nDayOfYear, dt.dSecondsOfDay);
}

void SetTimeOfDay(DateTimeDef& dt, double seconds)
{
    if (!std::isfinite(seconds))
        return;
    // Whole milliseconds first, so that 59.9996 s carries into the next second instead of
    // showing 1000 ms.
    const double day = kSecondsPerDay * 1000.0;
    double ms = std::fmod(std::floor(seconds * 1000.0 + 0.5), day);
    if (ms < 0.0)
        ms += day;
    const long long total = static_cast<long long>(ms);
    dt.nHour = static_cast<int>(total / 3600000);
    dt.nMinute = static_cast<int>(total / 60000 % 60);
    dt.nSecond = static_cast<int>(total / 1000 % 60);
    dt.nMillisecond = static_cast<int>(total % 1000);
    dt.dSecondsOfDay = dt.nHour * 3600.0 + dt.nMinute * 60.0 + dt.nSecond + dt.nMillisecond / 1000.0;
    dt.dSeconds = SecondsSince2000(dt.nYear, dt.nDayOfYear, dt.dSecondsOfDay);
}

bool GetLocalDateTime(DateTimeDef& dt)
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    dt.nHour = st.wHour;
    dt.nMinute = st.wMinute;
    dt.nSecond = st.wSecond;
    dt.nMillisecond = st.wMilliseconds;
    dt.nDay = st.wDay;
    dt.nMonth = st.wMonth;
    dt.nYear = st.wYear;
    CompleteDateTime(dt);

    TIME_ZONE_INFORMATION tzi{};
    const DWORD zone = GetTimeZoneInformation(&tzi);
    dt.nBias = tzi.Bias;
    const bool daylight = zone == TIME_ZONE_ID_DAYLIGHT;
    const WCHAR* name = daylight ? tzi.DaylightName : tzi.StandardName;
    if (daylight)
        dt.nDaylightBias = -60;
    // Low byte of each 16-bit character; always terminated, even after a 32-character name.
    constexpr int kChars = static_cast<int>(sizeof(dt.szTimeZone));
    int i = 0;
    for (; i < kChars - 1 && name[i] != 0; ++i)
        dt.szTimeZone[i] = static_cast<char>(name[i] & 0xFF);
    for (; i < kChars; ++i)
        dt.szTimeZone[i] = '\0';
    return daylight;
}

CString FormatDate(int day, int month, int year)
{
    CString text;
    if (day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1900)
        text.Format("%02d %s %d", day, EnglishMonthName(month, true), year);
    return text;
}

namespace
{
// The local date and time now as one reading, so a stamp taken at midnight cannot mix days.
std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

CString FormatLocalDate(const std::tm& local)
{
    char text[64] = {};
    std::strftime(text, sizeof(text), "%d%b%Y", &local);
    return CString(text);
}
} // namespace

CString FormatDate()
{
    return FormatLocalDate(LocalNow());
}

CString FormatTimeStamp()
{
    const std::tm local = LocalNow();
    CString stamp;
    stamp.Format("%s@%02d%02d%02d", FormatLocalDate(local).GetString(), local.tm_hour, local.tm_min, local.tm_sec);
    return stamp;
}

CString FormatDateSince2000(double seconds)
{
    // Beyond ±100 000 years a value is no time at all (DBL_MAX marks "no value").
    if (!std::isfinite(seconds) || std::fabs(seconds) > 100000.0 * kSecondsPer365)
        return CString();
    int year = 2000 + static_cast<int>(seconds / kSecondsPer365);
    // 365-day years gain on the calendar by a day every four years, so the first guess can be
    // a year late; far from 2000 (after about 3500) the drift passes a whole year, so settle it
    // both ways rather than by one step.
    while (StartOfYear(year) > seconds)
        --year;
    while (StartOfYear(year + 1) <= seconds)
        ++year;
    const int dayOfYear = 1 + static_cast<int>(std::floor((seconds - StartOfYear(year)) / kSecondsPerDay));
    SetCalendarYear(year);
    int month = 0, day = 0;
    MonthDayOfYear(year, dayOfYear, &month, &day);
    return FormatDate(day, month, year);
}

CString FormatTimeOfDay(double seconds)
{
    if (!std::isfinite(seconds))
        return CString();
    const int within = static_cast<int>(std::fmod(std::fabs(seconds), kSecondsPerDay));
    CString text;
    text.Format("%s%02d:%02d:%02d", seconds < 0.0 ? "-" : "", within / 3600, (within % 3600) / 60,
                within % 60);
    return text;
}
