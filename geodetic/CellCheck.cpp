#include "geodetic/CellCheck.h"

#include "geodesy/AngleText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

CString Quoted(const char* text)
{
    CString quoted;
    quoted.Format("\"%s\"", text ? text : "");
    return quoted;
}

// The text of a number for a reason, without trailing zeros ("91", "60.5").
CString NumberText(double value)
{
    CString text;
    text.Format("%.10g", value);
    return text;
}

bool IsAxisLetter(char c, bool longitude)
{
    const char u = (char)std::toupper((unsigned char)c);
    return longitude ? (u == 'E' || u == 'W') : (u == 'N' || u == 'S');
}
} // namespace

bool CCellCheck::ReadWholeNumber(const char* text, double& value)
{
    if (!text)
        return false;
    while (IsBlank(*text))
        ++text;
    if (*text == '\0')
        return false;
    char* end = nullptr;
    value = std::strtod(text, &end);
    if (end == text)
        return false;
    while (IsBlank(*end))
        ++end;
    // strtod also takes "inf", "nan" and hexadecimal: none is a co-ordinate.
    return *end == '\0' && std::isfinite(value) && std::strpbrk(text, "xXnN") == nullptr;
}

CString CCellCheck::Number(const char* text, bool allowEmpty)
{
    double value = 0.0;
    CString trimmed(text ? text : "");
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return allowEmpty ? CString() : CString("is empty");
    if (!ReadWholeNumber(trimmed, value))
        return Quoted(trimmed) + " is not a number";
    return CString();
}

CString CCellCheck::Range(double d, double m, double s, bool longitude, int* part)
{
    d = std::fabs(d);
    m = std::fabs(m);
    s = std::fabs(s);
    const double limit = longitude ? 180.0 : 90.0;
    CString reason;
    int at = PART_NONE;
    if (d > limit)
    {
        reason.Format("degrees %s are outside 0 to %d", (LPCSTR)NumberText(d), (int)limit);
        at = PART_DEGREES;
    }
    else if (m >= 60.0)
    {
        reason.Format("minutes %s are not below 60", (LPCSTR)NumberText(m));
        at = PART_MINUTES;
    }
    else if (s >= 60.0)
    {
        reason.Format("seconds %s are not below 60", (LPCSTR)NumberText(s));
        at = PART_SECONDS;
    }
    else if (d + m / 60.0 + s / 3600.0 > limit)
    {
        reason.Format("the angle is beyond %d degrees", (int)limit);
        at = PART_DEGREES;
    }
    if (part)
        *part = at;
    return reason;
}

CString CCellCheck::AngleText(const char* text, bool longitude)
{
    CString work(text ? text : "");
    work.Trim();
    if (work.IsEmpty())
        return "is empty";
    const CString original = work;
    NormaliseAngleText(work);
    if (work.Find('.') < 0)
        work.Replace(',', '.');
    CString fields[3];
    int count = 0;
    bool open = false;
    bool ended = false; // a hemisphere letter after the numbers ends the angle
    for (int i = 0; i < work.GetLength(); ++i)
    {
        const char c = work[i];
        if (ended && !IsBlank(c))
            return Quoted(original) + " is not an angle";
        if ((c >= '0' && c <= '9') || c == '.')
        {
            if (!open)
            {
                if (count == 3)
                    return Quoted(original) + " has more than degrees, minutes and seconds";
                ++count;
                open = true;
            }
            fields[count - 1] += c;
            continue;
        }
        open = false;
        if (IsBlank(c) || c == '-' || c == '+' || c == ':' || c == ',')
            continue;
        if (IsAxisLetter(c, longitude))
        {
            ended = count > 0;
            continue;
        }
        return Quoted(original) + " is not an angle";
    }
    if (count == 0)
        return Quoted(original) + " holds no number";
    double values[3] = {0.0, 0.0, 0.0};
    for (int f = 0; f < count; ++f)
        if (!ReadWholeNumber(fields[f], values[f]))
            return Quoted(original) + " is not an angle";
    return Range(values[0], values[1], values[2], longitude);
}

CString CCellCheck::Hemisphere(const char* text, bool longitude)
{
    const char* p = text ? text : "";
    while (IsBlank(*p))
        ++p;
    if (*p == '\0' || IsAxisLetter(*p, longitude))
        return CString();
    return Quoted(text) + (longitude ? " is not E or W" : " is not N or S");
}

CString CCellCheck::CompactLatLon(const char* digits, bool longitude)
{
    CString reason = Number(digits, false);
    if (!reason.IsEmpty())
        return reason;
    double value = 0.0;
    ReadWholeNumber(digits, value);
    if (value < 0.0)
        return Quoted(digits) + " is negative: the hemisphere gives the sign";
    const double degrees = std::floor(value / 100.0);
    return Range(degrees, value - degrees * 100.0, 0.0, longitude);
}

