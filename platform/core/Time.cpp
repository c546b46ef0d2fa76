#include "platform/core/Time.h"

#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

// ---------------------------------------------------------------------------------------
// English names and formatting
// ---------------------------------------------------------------------------------------

const char* const g_EnglishMonthNames[12] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
const char* const g_EnglishMonthAbbrevs[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const g_EnglishDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
const char* const g_EnglishDayAbbrevs[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

const char* EnglishMonthName(int month, bool abbreviated)
{
    if (month < 1 || month > 12)
        return "";
    return abbreviated ? g_EnglishMonthAbbrevs[month - 1] : g_EnglishMonthNames[month - 1];
}

const char* EnglishDayName(int dayOfWeek, bool abbreviated)
{
    if (dayOfWeek < 0 || dayOfWeek > 6)
        return "";
    return abbreviated ? g_EnglishDayAbbrevs[dayOfWeek] : g_EnglishDayNames[dayOfWeek];
}

namespace
{
bool IsLeap(long long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Weeks in an ISO 8601 year: 53 when it starts on a Thursday, or on a Wednesday in a leap year.
int IsoWeeksInYear(long long year)
{
    auto p = [](long long y) { return ((y + y / 4 - y / 100 + y / 400) % 7 + 7) % 7; };
    return (p(year) == 4 || p(year - 1) == 3) ? 53 : 52;
}

// ISO week number and the year it belongs to.
void IsoWeek(const struct tm& t, long long& isoYear, int& week)
{
    long long year = t.tm_year + 1900LL;
    int isoWeekday = (t.tm_wday + 6) % 7 + 1; // Monday 1 .. Sunday 7
    week = (t.tm_yday + 1 - isoWeekday + 10) / 7;
    isoYear = year;
    if (week < 1)
    {
        isoYear = year - 1;
        week = IsoWeeksInYear(isoYear);
    }
    else if (week > IsoWeeksInYear(year))
    {
        isoYear = year + 1;
        week = 1;
    }
}

void AppendNumber(std::string& out, long long value, int width, char pad, bool noPad)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0)
        out += '-';
    if (!noPad)
        for (int i = static_cast<int>(digits.size()); i < width; ++i)
            out += pad;
    out += digits;
}

void AppendFormatted(std::string& out, const char* format, const struct tm& t);

// One conversion; returns false for a code this formatter does not know.
bool AppendConversion(std::string& out, char code, bool alternate, const struct tm& t)
{
    const long long year = t.tm_year + 1900LL;
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    switch (code)
    {
    case 'a':
        out += EnglishDayName(t.tm_wday, true);
        return true;
    case 'A':
        out += EnglishDayName(t.tm_wday, false);
        return true;
    case 'b':
    case 'h':
        out += EnglishMonthName(t.tm_mon + 1, true);
        return true;
    case 'B':
        out += EnglishMonthName(t.tm_mon + 1, false);
        return true;
    case 'c':
        AppendFormatted(out, alternate ? "%A, %B %#d, %Y, %H:%M:%S" : "%m/%d/%y %H:%M:%S", t);
        return true;
    case 'x':
        AppendFormatted(out, alternate ? "%A, %B %#d, %Y" : "%m/%d/%y", t);
        return true;
    case 'X':
    case 'T':
        AppendFormatted(out, "%H:%M:%S", t);
        return true;
    case 'D':
        AppendFormatted(out, "%m/%d/%y", t);
        return true;
    case 'F':
        AppendFormatted(out, "%Y-%m-%d", t);
        return true;
    case 'r':
        AppendFormatted(out, "%I:%M:%S %p", t);
        return true;
    case 'R':
        AppendFormatted(out, "%H:%M", t);
        return true;
    case 'C':
        AppendNumber(out, year / 100, 2, '0', alternate);
        return true;
    case 'd':
        AppendNumber(out, t.tm_mday, 2, '0', alternate);
        return true;
    case 'e':
        AppendNumber(out, t.tm_mday, 2, ' ', alternate);
        return true;
    case 'H':
        AppendNumber(out, t.tm_hour, 2, '0', alternate);
        return true;
    case 'I':
        AppendNumber(out, hour12, 2, '0', alternate);
        return true;
    case 'j':
        AppendNumber(out, t.tm_yday + 1, 3, '0', alternate);
        return true;
    case 'm':
        AppendNumber(out, t.tm_mon + 1, 2, '0', alternate);
        return true;
    case 'M':
        AppendNumber(out, t.tm_min, 2, '0', alternate);
        return true;
    case 'S':
        AppendNumber(out, t.tm_sec, 2, '0', alternate);
        return true;
    case 'p':
        out += t.tm_hour < 12 ? "AM" : "PM";
        return true;
    case 'u':
        AppendNumber(out, (t.tm_wday + 6) % 7 + 1, 1, '0', alternate);
        return true;
    case 'w':
        AppendNumber(out, t.tm_wday, 1, '0', alternate);
        return true;
    case 'U':
        AppendNumber(out, (t.tm_yday + 7 - t.tm_wday) / 7, 2, '0', alternate);
        return true;
    case 'W':
        AppendNumber(out, (t.tm_yday + 7 - (t.tm_wday + 6) % 7) / 7, 2, '0', alternate);
        return true;
    case 'V':
    case 'G':
    case 'g': {
        long long isoYear = 0;
        int week = 0;
        IsoWeek(t, isoYear, week);
        if (code == 'V')
            AppendNumber(out, week, 2, '0', alternate);
        else if (code == 'G')
            AppendNumber(out, isoYear, 4, '0', alternate);
        else
            AppendNumber(out, (isoYear % 100 + 100) % 100, 2, '0', alternate);
        return true;
    }
    case 'y':
        AppendNumber(out, (year % 100 + 100) % 100, 2, '0', alternate);
        return true;
    case 'Y':
        AppendNumber(out, year, 1, '0', false);
        return true;
    case 'z': {
        long offset = t.tm_gmtoff;
        out += offset < 0 ? '-' : '+';
        offset = offset < 0 ? -offset : offset;
        AppendNumber(out, offset / 3600, 2, '0', false);
        AppendNumber(out, (offset % 3600) / 60, 2, '0', false);
        return true;
    }
    case 'Z':
        if (t.tm_zone)
            out += t.tm_zone;
        return true;
    case 'n':
        out += '\n';
        return true;
    case 't':
        out += '\t';
        return true;
    case '%':
        out += '%';
        return true;
    default:
        return false;
    }
}

void AppendFormatted(std::string& out, const char* format, const struct tm& t)
{
    for (const char* p = format; *p; ++p)
    {
        if (*p != '%')
        {
            out += *p;
            continue;
        }
        const char* start = p;
        ++p;
        bool alternate = false;
        while (*p == '#' || *p == '-')
        {
            alternate = true;
            ++p;
        }
        // C99's locale modifiers choose alternative numerals or eras; the "C" forms stand.
        if (*p == 'E' || *p == 'O')
            ++p;
        if (*p == '\0')
        {
            out.append(start, static_cast<size_t>(p - start));
            break;
        }
        if (!AppendConversion(out, *p, alternate, t))
            out.append(start, static_cast<size_t>(p - start + 1));
    }
}
} // namespace

CString FormatTmEnglish(const char* format, const struct tm& t)
{
    std::string out;
    if (format)
        AppendFormatted(out, format, t);
    return CString(out);
}

// ---------------------------------------------------------------------------------------
// Clock and time zone
// ---------------------------------------------------------------------------------------

namespace
{
// localtime_r need not look at $TZ again; tzset makes a changed TZ count at once.
bool LocalTm(time_t t, struct tm& out)
{
    tzset();
    return localtime_r(&t, &out) != nullptr;
}

bool GmtTm(time_t t, struct tm& out)
{
    return gmtime_r(&t, &out) != nullptr;
}

void TmToSystemTime(const struct tm& t, int milliseconds, SYSTEMTIME& st)
{
    st.wYear = static_cast<WORD>(t.tm_year + 1900);
    st.wMonth = static_cast<WORD>(t.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st.wDay = static_cast<WORD>(t.tm_mday);
    st.wHour = static_cast<WORD>(t.tm_hour);
    st.wMinute = static_cast<WORD>(t.tm_min);
    st.wSecond = static_cast<WORD>(t.tm_sec);
    st.wMilliseconds = static_cast<WORD>(milliseconds);
}

enum class ClockOverride
{
    Off,
    Fixed,
    Offset
};
std::atomic<ClockOverride> g_clockOverride{ClockOverride::Off};
std::atomic<int64_t> g_clockOverrideMilliseconds{0};

// The real clock, or the moment a test fixed or shifted it to.
timespec ReadClock()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    const ClockOverride mode = g_clockOverride.load();
    if (mode == ClockOverride::Off)
        return ts;
    int64_t ms = g_clockOverrideMilliseconds.load();
    if (mode == ClockOverride::Offset)
        ms += static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    // Floor division keeps moments before 1970 on the right second.
    int64_t seconds = ms / 1000;
    int64_t rest = ms % 1000;
    if (rest < 0)
    {
        rest += 1000;
        --seconds;
    }
    ts.tv_sec = static_cast<time_t>(seconds);
    ts.tv_nsec = static_cast<long>(rest * 1000000);
    return ts;
}

void FillSystemTime(SYSTEMTIME* st, bool local)
{
    if (!st)
        return;
    const timespec ts = ReadClock();
    struct tm t
    {
    };
    bool ok = local ? LocalTm(ts.tv_sec, t) : GmtTm(ts.tv_sec, t);
    if (!ok)
    {
        std::memset(st, 0, sizeof(*st));
        return;
    }
    TmToSystemTime(t, static_cast<int>(ts.tv_nsec / 1000000), *st);
}
} // namespace

void GetLocalTime(SYSTEMTIME* st)
{
    FillSystemTime(st, true);
}

void GetSystemTime(SYSTEMTIME* st)
{
    FillSystemTime(st, false);
}

void SetClockFixed(int64_t unixMilliseconds)
{
    g_clockOverrideMilliseconds = unixMilliseconds;
    g_clockOverride = ClockOverride::Fixed;
}

void SetClockOffset(int64_t milliseconds)
{
    g_clockOverrideMilliseconds = milliseconds;
    g_clockOverride = ClockOverride::Offset;
}

void ClearClockOverride()
{
    g_clockOverride = ClockOverride::Off;
    g_clockOverrideMilliseconds = 0;
}

BOOL SetLocalTime(const SYSTEMTIME*)
{
    return FALSE;
}

BOOL SetSystemTime(const SYSTEMTIME*)
{
    return FALSE;
}

namespace
{
// The zone's rules for one local year, without the period in force.
struct ZoneYear
{
    TIME_ZONE_INFORMATION info{};
    bool hasDaylight = false;
    long standardOffset = 0; // seconds east of UTC
    long daylightOffset = 0;
};

void CopyName(WCHAR (&dest)[32], const char* name)
{
    std::memset(dest, 0, sizeof(dest));
    for (int i = 0; name && name[i] && i < 31; ++i)
        dest[i] = static_cast<WCHAR>(static_cast<unsigned char>(name[i]));
}

long OffsetAt(time_t t)
{
    struct tm tm
    {
    };
    return localtime_r(&t, &tm) ? tm.tm_gmtoff : 0;
}

// The first second at which the offset differs from the one at `before`; the offset at
// `after` differs from it and the two lie within a day.
time_t FindChange(time_t before, time_t after)
{
    const long first = OffsetAt(before);
    while (after - before > 1)
    {
        time_t mid = before + (after - before) / 2;
        if (OffsetAt(mid) == first)
            before = mid;
        else
            after = mid;
    }
    return after;
}

// The wall-clock time, at `offset` seconds east of UTC, of the instant `t`, in the
// "day in month" form: the n-th weekday of the month, 5 for the last one.
SYSTEMTIME DayInMonthRule(time_t t, long offset)
{
    time_t wall = t + offset;
    struct tm w
    {
    };
    gmtime_r(&wall, &w);
    static const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int daysInMonth = monthDays[w.tm_mon] + (w.tm_mon == 1 && IsLeap(w.tm_year + 1900LL) ? 1 : 0);
    SYSTEMTIME rule{};
    rule.wMonth = static_cast<WORD>(w.tm_mon + 1);
    rule.wDayOfWeek = static_cast<WORD>(w.tm_wday);
    rule.wDay = static_cast<WORD>(w.tm_mday + 7 > daysInMonth ? 5 : (w.tm_mday - 1) / 7 + 1);
    rule.wHour = static_cast<WORD>(w.tm_hour);
    rule.wMinute = static_cast<WORD>(w.tm_min);
    rule.wSecond = static_cast<WORD>(w.tm_sec);
    return rule;
}

ZoneYear ComputeZoneYear(int year, const struct tm& now)
{
    struct Change
    {
        time_t at;
        long to;
    };
    struct tm jan1
    {
    };
    jan1.tm_year = year - 1900;
    jan1.tm_mday = 1;
    const time_t start = timegm(&jan1);
    jan1.tm_year += 1;
    const time_t end = timegm(&jan1);

    Change changes[8];
    int changeCount = 0;
    long lowest = OffsetAt(start), highest = lowest;
    long previous = lowest;
    // Clocks change at most a few times a year and never twice within a day.
    for (time_t t = start; t < end; t += 86400)
    {
        time_t next = t + 86400 < end ? t + 86400 : end;
        long offset = OffsetAt(next);
        if (offset == previous)
            continue;
        if (changeCount < 8)
            changes[changeCount++] = {FindChange(t, next), offset};
        lowest = offset < lowest ? offset : lowest;
        highest = offset > highest ? offset : highest;
        previous = offset;
    }

    ZoneYear zone;
    TIME_ZONE_INFORMATION& info = zone.info;
    // Two offsets that the clocks move between: the later one is daylight time, whichever
    // the zone's own data calls standard.
    if (changeCount >= 2 && changeCount < 8 && lowest != highest)
    {
        bool onlyTwo = true;
        for (int i = 0; i < changeCount; ++i)
            onlyTwo = onlyTwo && (changes[i].to == lowest || changes[i].to == highest);
        if (onlyTwo)
        {
            zone.hasDaylight = true;
            zone.standardOffset = lowest;
            zone.daylightOffset = highest;
            info.Bias = static_cast<LONG>(-lowest / 60);
            info.StandardBias = 0;
            info.DaylightBias = static_cast<LONG>(-(highest - lowest) / 60);
            bool haveStandard = false, haveDaylight = false;
            for (int i = 0; i < changeCount; ++i)
            {
                struct tm after
                {
                };
                localtime_r(&changes[i].at, &after);
                if (changes[i].to == highest && !haveDaylight)
                {
                    info.DaylightDate = DayInMonthRule(changes[i].at, lowest);
                    CopyName(info.DaylightName, after.tm_zone);
                    haveDaylight = true;
                }
                else if (changes[i].to == lowest && !haveStandard)
                {
                    info.StandardDate = DayInMonthRule(changes[i].at, highest);
                    CopyName(info.StandardName, after.tm_zone);
                    haveStandard = true;
                }
            }
            return zone;
        }
    }

    zone.standardOffset = zone.daylightOffset = now.tm_gmtoff;
    info.Bias = static_cast<LONG>(-now.tm_gmtoff / 60);
    CopyName(info.StandardName, now.tm_zone);
    CopyName(info.DaylightName, now.tm_zone);
    return zone;
}
} // namespace

DWORD GetTimeZoneInformationAt(time_t when, TIME_ZONE_INFORMATION* tzi)
{
    if (!tzi)
        return TIME_ZONE_ID_INVALID;
    struct tm now
    {
    };
    if (!LocalTm(when, now))
    {
        std::memset(tzi, 0, sizeof(*tzi));
        CopyName(tzi->StandardName, "UTC");
        CopyName(tzi->DaylightName, "UTC");
        return TIME_ZONE_ID_UNKNOWN;
    }

    // Scanning a year costs a few hundred conversions; callers ask for every fix they stamp.
    static std::mutex cacheMutex;
    static std::string cachedTz;
    static int cachedYear = INT_MIN;
    static ZoneYear cached;
    const char* tzEnv = std::getenv("TZ");
    std::string tz = tzEnv ? std::string("=") + tzEnv : std::string();
    const int year = now.tm_year + 1900;
    ZoneYear zone;
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        if (year != cachedYear || tz != cachedTz)
        {
            cached = ComputeZoneYear(year, now);
            cachedYear = year;
            cachedTz = tz;
        }
        zone = cached;
    }

    *tzi = zone.info;
    if (!zone.hasDaylight)
    {
        // A zone that moved its clocks for good this year: the bias and name in force now.
        if (now.tm_gmtoff != zone.standardOffset)
        {
            tzi->Bias = static_cast<LONG>(-now.tm_gmtoff / 60);
            CopyName(tzi->StandardName, now.tm_zone);
            CopyName(tzi->DaylightName, now.tm_zone);
        }
        return TIME_ZONE_ID_UNKNOWN;
    }
    return now.tm_gmtoff == zone.daylightOffset ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* tzi)
{
    return GetTimeZoneInformationAt(time(nullptr), tzi);
}

namespace
{
constexpr int64_t kTicksPerSecond = 10000000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kFileTimeEpochSeconds = 11644473600;

uint64_t FileTimeTicks(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
} // namespace

BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st)
{
    if (!ft || !st)
        return FALSE;
    const uint64_t ticks = FileTimeTicks(*ft);
    if (ticks >= 0x8000000000000000ull)
        return FALSE;
    time_t seconds =
        static_cast<time_t>(static_cast<int64_t>(ticks / kTicksPerSecond) - kFileTimeEpochSeconds);
    struct tm t
    {
    };
    if (!gmtime_r(&seconds, &t))
        return FALSE;
    TmToSystemTime(t, static_cast<int>(ticks % kTicksPerSecond / 10000), *st);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft)
{
    static const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!st || !ft || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 ||
        st->wDay < 1 ||
        st->wDay > monthDays[st->wMonth - 1] + (st->wMonth == 2 && IsLeap(st->wYear) ? 1 : 0) ||
        st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999)
        return FALSE;
    struct tm t
    {
    };
    t.tm_year = st->wYear - 1900;
    t.tm_mon = st->wMonth - 1;
    t.tm_mday = st->wDay;
    t.tm_hour = st->wHour;
    t.tm_min = st->wMinute;
    t.tm_sec = st->wSecond;
    const int64_t seconds = static_cast<int64_t>(timegm(&t)) + kFileTimeEpochSeconds;
    const uint64_t ticks = static_cast<uint64_t>(seconds) * kTicksPerSecond + st->wMilliseconds * 10000ull;
    ft->dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    ft->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return TRUE;
}

ULONGLONG GetTickCount64()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<ULONGLONG>(ts.tv_sec) * 1000u + static_cast<ULONGLONG>(ts.tv_nsec / 1000000);
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// ---------------------------------------------------------------------------------------
// CTimeSpan and CTime
// ---------------------------------------------------------------------------------------

CString CTimeSpan::Format(const char* format) const
{
    CString out;
    if (!format)
        return out;
    for (const char* p = format; *p; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            out += *p;
            continue;
        }
        ++p;
        switch (*p)
        {
        case 'D':
            out.AppendFormat("%lld", static_cast<long long>(GetDays()));
            break;
        case 'H':
            out.AppendFormat("%02ld", static_cast<long>(GetHours()));
            break;
        case 'M':
            out.AppendFormat("%02ld", static_cast<long>(GetMinutes()));
            break;
        case 'S':
            out.AppendFormat("%02ld", static_cast<long>(GetSeconds()));
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int nDST)
{
    if (year < 1900 || year > 3000 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        AfxThrowInvalidArgException();
    struct tm t
    {
    };
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    // mktime's -1 is also a real instant (one second before 1970), so success is told by
    // the weekday it fills in.
    t.tm_wday = -1;
    time_t result = mktime(&t);
    if (t.tm_wday < 0)
        AfxThrowInvalidArgException();
    m_time = static_cast<int64_t>(result);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
{
    if (st.wYear < 1900)
        m_time = 0;
    else
        *this = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

CTime::CTime(const FILETIME& ft, int) : m_time(UnixFromFileTime(ft)) {}

CTime CTime::GetCurrentTime()
{
    return CTime(time(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* tm) const
{
    if (!tm || !LocalTm(static_cast<time_t>(m_time), *tm))
        return nullptr;
    return tm;
}

struct tm* CTime::GetGmtTm(struct tm* tm) const
{
    if (!tm || !GmtTm(static_cast<time_t>(m_time), *tm))
        return nullptr;
    return tm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t
    {
    };
    if (!GetLocalTm(&t))
        return false;
    TmToSystemTime(t, 0, st);
    return true;
}

int CTime::GetYear() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_year + 1900 : 0;
}

int CTime::GetMonth() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_mon + 1 : 0;
}

int CTime::GetDay() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_mday : 0;
}

int CTime::GetHour() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_hour : -1;
}

int CTime::GetMinute() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_min : -1;
}

int CTime::GetSecond() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_sec : -1;
}

int CTime::GetDayOfWeek() const
{
    struct tm t
    {
    };
    return GetLocalTm(&t) ? t.tm_wday + 1 : 0;
}

CString CTime::Format(const char* format) const
{
    struct tm t
    {
    };
    if (!GetLocalTm(&t))
        return CString();
    return FormatTmEnglish(format, t);
}

CString CTime::FormatGmt(const char* format) const
{
    struct tm t
    {
    };
    if (!GetGmtTm(&t))
        return CString();
    return FormatTmEnglish(format, t);
}
