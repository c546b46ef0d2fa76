#include "outside/tide/TideText.h"

#include <QDate>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <ctime>

CString TideDateText(int year, int month, int day)
{
    if (!QDate::isValid(year, month, day))
        return CString();
    CString text;
    text.Format("%02d/%02d/%04d", day, month, year);
    return text;
}

CString TideDayOfYearText(int year, int index)
{
    const QDate first(year, 1, 1);
    if (!first.isValid() || index < 0)
        return CString();
    const QDate date = first.addDays(index);
    if (date.year() != year)
        return CString();
    return TideDateText(date.year(), date.month(), date.day());
}

CString TideClockText(int hour, int minute)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return CString();
    CString text;
    text.Format("%02d:%02d", hour, minute);
    return text;
}

CString TideNumberText(double value, int decimals)
{
    if (!std::isfinite(value))
        return CString();
    CString text;
    text.Format("%.*f", decimals, value);
    return text;
}

bool TideLocalFields(int64_t instant, int* year, int* month, int* day, int* hour, int* minute)
{
    const time_t seconds = static_cast<time_t>(instant);
    struct tm fields
    {
    };
    if (localtime_r(&seconds, &fields) == nullptr)
        return false;
    *year = fields.tm_year + 1900;
    *month = fields.tm_mon + 1;
    *day = fields.tm_mday;
    *hour = fields.tm_hour;
    *minute = fields.tm_min;
    return true;
}

bool TurningPointHeight(const TurningPointDef& point, double* height)
{
    // The bytes are little-endian as stored, whatever the machine.
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | point.Kept[i];
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
        return false;
    *height = value;
    return true;
}

CString TideAngleText(double radians, bool latitude)
{
    if (!std::isfinite(radians) || std::fabs(radians) > 1000.0)
        return CString();
    const double degrees = std::fabs(radians) * 180.0 / M_PI;
    int whole = static_cast<int>(degrees);
    double minutes = (degrees - whole) * 60.0;
    // Minutes that round up to 60.000 carry into the degrees, so no "59.9995" reads as "60.000".
    if (minutes >= 59.9995)
    {
        ++whole;
        minutes = 0.0;
    }
    const char hemisphere = latitude ? (radians < 0 ? 'S' : 'N') : (radians < 0 ? 'W' : 'E');
    CString text;
    text.Format(latitude ? "%02d %06.3f%c" : "%03d %06.3f%c", whole, minutes, hemisphere);
    return text;
}
