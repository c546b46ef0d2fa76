#include "platform/core/OleDateTime.h"

#include "platform/core/FileApi.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <strings.h>

namespace
{
constexpr long long kSecondsPerDay = 86400;
// Day numbers (days since 1899-12-30) of 0100-01-01 and 9999-12-31.
constexpr long long kFirstDay = -657434;
constexpr long long kLastDay = 2958465;
// The span from the first to the last date, either way.
constexpr double kMaxSpanDays = 3615897.0;
// Days from 1899-12-30 to 1970-01-01.
constexpr long long kUnixEpochDay = 25569;

// Day number of a proleptic Gregorian date (after H. Hinnant, "chrono-Compatible Low-Level
// Date Algorithms", days_from_civil), counted from 1899-12-30.
long long DayFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + kUnixEpochDay;
}

void CivilFromDay(long long day, long long& y, int& m, int& d)
{
    long long z = day - kUnixEpochDay + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

bool IsLeapYear(long long y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(long long y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return days[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
}

// The continuous day count of a DATE: for a negative DATE the fraction runs forward from the
// start of its (negative) day, so -1.25 becomes -0.75.
double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    double whole = std::trunc(dt);
    return whole + (whole - dt);
}

DATE DateFromLinear(double lin)
{
    if (lin >= 0)
        return lin;
    double day = std::floor(lin);
    double frac = lin - day;
    return day - frac;
}

// A DATE as a day number and whole seconds of that day, rounded to the nearest second.
bool SplitDate(DATE dt, long long& day, long long& seconds)
{
    if (!std::isfinite(dt))
        return false;
    double whole = 0;
    double frac = std::fabs(std::modf(dt, &whole));
    if (whole < kFirstDay - 1 || whole > kLastDay + 1)
        return false;
    day = static_cast<long long>(whole);
    seconds = std::llround(frac * kSecondsPerDay);
    if (seconds >= kSecondsPerDay)
    {
        // 23:59:59.6 of any day, negative or not, is the next day's midnight.
        seconds -= kSecondsPerDay;
        ++day;
    }
    return day >= kFirstDay && day <= kLastDay;
}

DATE JoinDate(long long day, long long seconds)
{
    double frac = static_cast<double>(seconds) / kSecondsPerDay;
    return day >= 0 ? static_cast<double>(day) + frac : static_cast<double>(day) - frac;
}

bool InDateRange(DATE dt)
{
    long long day = 0, seconds = 0;
    return SplitDate(dt, day, seconds);
}

bool ValidFields(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
           second >= 0 && second <= 59;
}

DATE DateFromFields(int year, int month, int day, int hour, int minute, int second)
{
    return JoinDate(DayFromCivil(year, month, day), hour * 3600LL + minute * 60LL + second);
}

// ---- parsing ----

struct Cursor
{
    const char* p;

    void SkipSpaces()
    {
        while (*p && std::isspace(static_cast<unsigned char>(*p)))
            ++p;
    }
    // Up to maxDigits digits; the count read in `digits`.
    bool Number(int& value, int& digits, int maxDigits)
    {
        value = 0;
        digits = 0;
        while (digits < maxDigits && std::isdigit(static_cast<unsigned char>(*p)))
        {
            value = value * 10 + (*p - '0');
            ++p;
            ++digits;
        }
        return digits > 0;
    }
    bool Char(char ch)
    {
        if (*p != ch)
            return false;
        ++p;
        return true;
    }
};

// An English month name, full or abbreviated, any case.
int MonthFromName(Cursor& c)
{
    const char* start = c.p;
    while (std::isalpha(static_cast<unsigned char>(*c.p)))
        ++c.p;
    size_t length = static_cast<size_t>(c.p - start);
    for (int m = 1; m <= 12; ++m)
    {
        const char* full = EnglishMonthName(m, false);
        if (length >= 3 && length <= std::strlen(full) && strncasecmp(start, full, length) == 0)
            return m;
    }
    c.p = start;
    return 0;
}

int ExpandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    // The two-digit window ends in 2029.
    return year < 30 ? 2000 + year : 1900 + year;
}

bool ParseDate(Cursor& c, int& year, int& month, int& day)
{
    Cursor save = c;
    int a = 0, digitsA = 0;
    if (!c.Number(a, digitsA, 4))
        return false;
    int b = 0, digitsB = 0, y = 0, digitsY = 0;
    if (digitsA == 4 && c.Char('-'))
    {
        // YYYY-MM-DD
        if (!c.Number(b, digitsB, 2) || !c.Char('-') || !c.Number(y, digitsY, 2))
            return (c = save), false;
        year = a;
        month = b;
        day = y;
        return true;
    }
    if (digitsA <= 2 && c.Char('/'))
    {
        // DD/MM/YYYY
        if (!c.Number(b, digitsB, 2) || !c.Char('/') || !c.Number(y, digitsY, 4) || digitsY == 3)
            return (c = save), false;
        day = a;
        month = b;
        year = ExpandYear(y, digitsY);
        return true;
    }
    if (digitsA <= 2 && (*c.p == ' ' || *c.p == '-'))
    {
        // D Mon YYYY, D-Mon-YYYY
        char separator = *c.p++;
        int m = MonthFromName(c);
        if (m == 0 || !c.Char(separator) || !c.Number(y, digitsY, 4) || digitsY == 3)
            return (c = save), false;
        day = a;
        month = m;
        year = ExpandYear(y, digitsY);
        return true;
    }
    c = save;
    return false;
}

bool ParseTime(Cursor& c, int& hour, int& minute, int& second)
{
    Cursor save = c;
    int digits = 0;
    second = 0;
    if (!c.Number(hour, digits, 2) || !c.Char(':') || !c.Number(minute, digits, 2) || digits != 2)
        return (c = save), false;
    if (c.Char(':') && (!c.Number(second, digits, 2) || digits != 2))
        return (c = save), false;
    Cursor beforeSuffix = c;
    c.SkipSpaces();
    bool am = strncasecmp(c.p, "AM", 2) == 0;
    bool pm = strncasecmp(c.p, "PM", 2) == 0;
    if (am || pm)
    {
        if (hour < 1 || hour > 12)
            return (c = save), false;
        c.p += 2;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    else
        c = beforeSuffix;
    return true;
}
} // namespace

INT SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* date)
{
    if (!st || !date || !ValidFields(st->wYear, st->wMonth, st->wDay, st->wHour, st->wMinute, st->wSecond))
        return FALSE;
    *date = DateFromFields(st->wYear, st->wMonth, st->wDay, st->wHour, st->wMinute, st->wSecond);
    return TRUE;
}

INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* st)
{
    COleDateTime value(date);
    if (!st || value.GetStatus() != COleDateTime::valid)
        return FALSE;
    return value.GetAsSystemTime(*st) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------------------
// COleDateTimeSpan
// ---------------------------------------------------------------------------------------

COleDateTimeSpan::COleDateTimeSpan(double days) : m_span(days)
{
    if (!std::isfinite(days) || std::fabs(days) > kMaxSpanDays)
        m_status = invalid;
}

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG days, int hours, int minutes, int seconds)
{
    m_span = days + (hours + (minutes + seconds / 60.0) / 60.0) / 24.0;
    m_status = std::fabs(m_span) > kMaxSpanDays ? invalid : valid;
}

long long COleDateTimeSpan::TotalSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalDays() const
{
    return static_cast<double>(TotalSeconds() / kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalHours() const
{
    return static_cast<double>(TotalSeconds() / 3600);
}

double COleDateTimeSpan::GetTotalMinutes() const
{
    return static_cast<double>(TotalSeconds() / 60);
}

double COleDateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(TotalSeconds());
}

LONG COleDateTimeSpan::GetDays() const
{
    return static_cast<LONG>(TotalSeconds() / kSecondsPerDay);
}

LONG COleDateTimeSpan::GetHours() const
{
    return static_cast<LONG>(TotalSeconds() / 3600 % 24);
}

LONG COleDateTimeSpan::GetMinutes() const
{
    return static_cast<LONG>(TotalSeconds() / 60 % 60);
}

LONG COleDateTimeSpan::GetSeconds() const
{
    return static_cast<LONG>(TotalSeconds() % 60);
}

CString COleDateTimeSpan::Format(const char* format) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTimeSpan");
    return CTimeSpan(static_cast<time_t>(TotalSeconds())).Format(format);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& o) const
{
    COleDateTimeSpan result;
    if (m_status == null || o.m_status == null)
        result.m_status = null;
    else if (m_status != valid || o.m_status != valid)
        result.m_status = invalid;
    else
        result = COleDateTimeSpan(m_span + o.m_span);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& o) const
{
    return *this + -o;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(*this);
    result.m_span = -m_span;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& o) const
{
    if (m_status != valid || o.m_status != valid)
        return m_status == o.m_status;
    return m_span == o.m_span;
}

// ---------------------------------------------------------------------------------------
// COleDateTime
// ---------------------------------------------------------------------------------------

COleDateTime& COleDateTime::operator=(DATE date)
{
    m_dt = date;
    m_status = InDateRange(date) ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(time_t t)
{
    struct tm local
    {
    };
    tzset();
    if (!localtime_r(&t, &local))
    {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                // A leap second is shown as the last second of its minute.
                local.tm_sec > 59 ? 59 : local.tm_sec);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& ft)
{
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&ft, &utc))
    {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    return *this = static_cast<time_t>(UnixFromFileTime(ft));
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(time(nullptr));
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (!ValidFields(year, month, day, hour, minute, second))
    {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    m_dt = DateFromFields(year, month, day, hour, minute, second);
    m_status = valid;
    return 0;
}

bool COleDateTime::GetFields(SYSTEMTIME& st, int& dayOfYear) const
{
    long long day = 0, seconds = 0;
    if (m_status != valid || !SplitDate(m_dt, day, seconds))
        return false;
    long long year = 0;
    int month = 0, mday = 0;
    CivilFromDay(day, year, month, mday);
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(mday);
    // Day 0 (1899-12-30) was a Saturday.
    st.wDayOfWeek = static_cast<WORD>(((day + 6) % 7 + 7) % 7);
    st.wHour = static_cast<WORD>(seconds / 3600);
    st.wMinute = static_cast<WORD>(seconds / 60 % 60);
    st.wSecond = static_cast<WORD>(seconds % 60);
    st.wMilliseconds = 0;
    dayOfYear = static_cast<int>(day - DayFromCivil(year, 1, 1) + 1);
    return true;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    int dayOfYear = 0;
    return GetFields(st, dayOfYear);
}

int COleDateTime::GetField(WORD SYSTEMTIME::*field) const
{
    SYSTEMTIME st{};
    int doy = 0;
    return GetFields(st, doy) ? st.*field : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetYear() const
{
    return GetField(&SYSTEMTIME::wYear);
}

int COleDateTime::GetMonth() const
{
    return GetField(&SYSTEMTIME::wMonth);
}

int COleDateTime::GetDay() const
{
    return GetField(&SYSTEMTIME::wDay);
}

int COleDateTime::GetHour() const
{
    return GetField(&SYSTEMTIME::wHour);
}

int COleDateTime::GetMinute() const
{
    return GetField(&SYSTEMTIME::wMinute);
}

int COleDateTime::GetSecond() const
{
    return GetField(&SYSTEMTIME::wSecond);
}

int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st{};
    int doy = 0;
    return GetFields(st, doy) ? st.wDayOfWeek + 1 : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME st{};
    int doy = 0;
    return GetFields(st, doy) ? doy : AFX_OLE_DATETIME_ERROR;
}

CString COleDateTime::Format(const char* format) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st{};
    int dayOfYear = 0;
    if (!GetFields(st, dayOfYear))
        return CString("Invalid DateTime");
    struct tm t
    {
    };
    t.tm_year = st.wYear - 1900;
    t.tm_mon = st.wMonth - 1;
    t.tm_mday = st.wDay;
    t.tm_hour = st.wHour;
    t.tm_min = st.wMinute;
    t.tm_sec = st.wSecond;
    t.tm_wday = st.wDayOfWeek;
    t.tm_yday = dayOfYear - 1;
    t.tm_isdst = -1;
    return FormatTmEnglish(format, t);
}

CString COleDateTime::Format(DWORD flags) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st{};
    int dayOfYear = 0;
    if (!GetFields(st, dayOfYear))
        return CString("Invalid DateTime");
    bool isDayZero = st.wYear == 1899 && st.wMonth == 12 && st.wDay == 30;
    bool isMidnight = st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0;
    bool showDate = !(flags & VAR_TIMEVALUEONLY) && (!isDayZero || (flags & VAR_DATEVALUEONLY));
    bool showTime = !(flags & VAR_DATEVALUEONLY) && (!isMidnight || !showDate);
    CString text;
    if (showDate)
        text.Format("%02d/%02d/%04d", st.wDay, st.wMonth, st.wYear);
    if (showTime)
    {
        if (showDate)
            text += ' ';
        text.AppendFormat("%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
    }
    return text;
}

bool COleDateTime::ParseDateTime(const char* text, DWORD flags)
{
    Cursor c{text ? text : ""};
    c.SkipSpaces();
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    bool haveDate = ParseDate(c, year, month, day);
    bool haveTime = false;
    if (haveDate)
    {
        Cursor afterDate = c;
        if (!c.Char('T'))
            c.SkipSpaces();
        haveTime = ParseTime(c, hour, minute, second);
        if (!haveTime)
            c = afterDate;
    }
    else
        haveTime = ParseTime(c, hour, minute, second);
    c.SkipSpaces();
    if ((!haveDate && !haveTime) || *c.p != '\0' || !ValidFields(year, month, day, hour, minute, second))
    {
        m_status = invalid;
        return false;
    }
    if (flags & VAR_DATEVALUEONLY)
        hour = minute = second = 0;
    if (flags & VAR_TIMEVALUEONLY)
    {
        year = 1899;
        month = 12;
        day = 30;
    }
    SetDateTime(year, month, day, hour, minute, second);
    return true;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    if (m_status == null || span.GetStatus() == COleDateTimeSpan::null)
        result.m_status = null;
    else if (m_status != valid || span.GetStatus() != COleDateTimeSpan::valid)
        result.m_status = invalid;
    else
        result = DateFromLinear(LinearFromDate(m_dt) + span.m_span);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + -span;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result;
    if (m_status == null || other.m_status == null)
        result.m_status = COleDateTimeSpan::null;
    else if (m_status != valid || other.m_status != valid)
        result.m_status = COleDateTimeSpan::invalid;
    else
        result = COleDateTimeSpan(LinearFromDate(m_dt) - LinearFromDate(other.m_dt));
    return result;
}

bool COleDateTime::operator==(const COleDateTime& o) const
{
    if (m_status != valid || o.m_status != valid)
        return m_status == o.m_status;
    return LinearFromDate(m_dt) == LinearFromDate(o.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& o) const
{
    return LinearFromDate(m_dt) < LinearFromDate(o.m_dt);
}
