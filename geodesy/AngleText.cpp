#include "geodesy/AngleText.h"

#include "foundation/AngleFormat.h"
#include "foundation/TextFunctions.h"

#include <cstdlib>
#include <cstring>

namespace
{
const double kDegToRad = 0.017453292519943;
const double kGradToRad = 0.0157079632679487; // pi/200
const double kHalfPi = 1.5707963267948966;

// Largest degrees a type accepts.
double DegreeLimit(int type)
{
    switch (type)
    {
    case ANGLE_SIGNED_RIGHT:
    case ANGLE_LATITUDE:
    case ANGLE_SIGNED_RIGHT_2DP:
        return 90.0;
    case ANGLE_COMPLEMENT:
    case ANGLE_LONGITUDE:
    case ANGLE_SIGNED_2DP:
        return 180.0;
    default:
        return 360.0;
    }
}

double GradianLimit(int type)
{
    const double degrees = DegreeLimit(type);
    return degrees == 90.0 ? 100.0 : (degrees == 180.0 ? 200.0 : 400.0);
}

// +1 or -1 for a hemisphere letter of the type's own axis; 0 for any other character.
int HemisphereSign(char c, int type)
{
    if (type == ANGLE_LATITUDE)
        return c == 'N' || c == 'n' ? 1 : (c == 'S' || c == 's' ? -1 : 0);
    if (type == ANGLE_LONGITUDE)
        return c == 'E' || c == 'e' ? 1 : (c == 'W' || c == 'w' ? -1 : 0);
    return 0;
}
} // namespace

int NormaliseAngleText(CString& text)
{
    int notation = ANGLE_TEXT_PLAIN;
    if (text.Find(DEGREE_SIGN) >= 0 || text.Find('\'') >= 0 || text.Find('"') >= 0)
        notation = ANGLE_TEXT_MARKED;
    else if (text.Find('g') >= 0)
        notation = ANGLE_TEXT_GRADIANS;
    text.Replace(DEGREE_SIGN, ' ');
    text.Replace('\'', ' ');
    text.Replace('"', ' ');
    text.Replace('g', ' ');
    while (text.Replace("  ", " ") > 0)
    {
    }
    text.Replace(" .", ".");
    return notation;
}

int ReadAngleText(const char* text, int type, double& radians)
{
    CString work(text);
    const int notation = NormaliseAngleText(work);
    if (work.Find('.') < 0)
        work.Replace(',', '.');

    double sign = 1.0;
    bool minusSeen = false;
    int leadingSign = 0; // from a hemisphere letter typed before the numbers
    bool valid = true;
    CString fields[3];
    int field = 0;          // the field that digits go to
    bool fieldOpen = false; // the current field has begun and not yet ended
    bool anyBegun = false;
    for (int i = 0; i < work.GetLength(); ++i)
    {
        const char c = work[i];
        if ((c >= '0' && c <= '9') || c == '.')
        {
            if (field < 3)
                fields[field] += c;
            fieldOpen = true;
            anyBegun = true;
            continue;
        }
        if (c == '-')
        {
            sign = -1.0;
            minusSeen = true;
            continue;
        }
        if (c == '+' && !anyBegun)
            continue;
        const int hemisphere = minusSeen ? 0 : HemisphereSign(c, type);
        if (hemisphere != 0)
        {
            if (!anyBegun)
            {
                // "S 33 52" is as south as "33 52 S"; ignoring a leading letter would silently
                // put the point in the other hemisphere.
                leadingSign = hemisphere;
                sign = hemisphere;
                continue;
            }
            if (leadingSign != 0 && leadingSign != hemisphere)
                valid = false; // "S 33 52 N" names both hemispheres
            sign = hemisphere;
            break;
        }
        if (fieldOpen)
        {
            ++field;
            fieldOpen = false;
            if (minusSeen && field >= 3)
                break;
        }
    }

    bool anyDigit = false;
    for (int f = 0; f < 3; ++f)
        for (int i = 0; i < fields[f].GetLength(); ++i)
            anyDigit = anyDigit || (fields[f][i] >= '0' && fields[f][i] <= '9');
    if (!anyDigit)
        return ANGLE_TEXT_NO_NUMBER;
    if (!valid)
        return ANGLE_TEXT_TWO_HEMISPHERES;

    int result = ANGLE_TEXT_READ;
    double value = 0.0;
    const double d = AtofC(fields[0]);
    if (notation == ANGLE_TEXT_GRADIANS)
    {
        if (d > GradianLimit(type))
            result = ANGLE_TEXT_BEYOND_LIMIT;
        value = sign * d * kGradToRad;
    }
    else
    {
        double m = AtofC(fields[1]);
        double s = AtofC(fields[2]);
        if (m >= 60.0)
        {
            m = 0.0;
            s = 0.0;
        }
        if (s >= 60.0)
            s = 0.0;
        const double g = d + m / 60.0 + s / 3600.0;
        if (d > DegreeLimit(type) || g > DegreeLimit(type))
            result = ANGLE_TEXT_BEYOND_LIMIT;
        value = sign * g * kDegToRad;
    }
    if (type == ANGLE_COMPLEMENT)
        value = kHalfPi - value;
    radians = value;
    return result;
}

double ParseAngleText(const char* text, int type)
{
    double radians = 0.0;
    if (ReadAngleText(text, type, radians) != ANGLE_TEXT_READ)
        radians = type == ANGLE_COMPLEMENT ? kHalfPi : 0.0;
    return radians;
}

CString DescribeAngleTextResult(int result, int type)
{
    CString text;
    switch (result)
    {
    case ANGLE_TEXT_NO_NUMBER:
        text = "The text holds no angle.";
        break;
    case ANGLE_TEXT_BEYOND_LIMIT:
        text.Format("The angle is beyond %.0lf\xB0.", DegreeLimit(type));
        break;
    case ANGLE_TEXT_TWO_HEMISPHERES:
        text = "The text names both hemispheres.";
        break;
    default:
        break;
    }
    return text;
}

double ParseCompactLatLon(const char* digits, const char* hemisphere, int type)
{
    CString value(digits);
    int pointIndex = 0;
    int degreeChars = 0;
    char negative = 0;
    if (type == ANGLE_LATITUDE && value.GetLength() > 3)
    {
        pointIndex = 4;
        degreeChars = 2;
        negative = 'S';
    }
    else if (type == ANGLE_LONGITUDE && value.GetLength() > 4)
    {
        pointIndex = 5;
        degreeChars = 3;
        negative = 'W';
    }
    else
    {
        return 0.0;
    }
    // Receivers drop leading zeros ("130.5" for 1° 30.5'): put them back so the degree digits
    // stand where they belong.
    const int point = value.Find('.');
    if (point >= 1 && point < pointIndex)
        value.Insert(0, CString('0', pointIndex - point));
    const int degrees = std::atoi(value.Left(degreeChars));
    const double minutes = AtofC(value.Mid(degreeChars));
    double result = (degrees + minutes / 60.0) * kDegToRad;
    if (hemisphere && std::strchr(hemisphere, negative))
        result = -result;
    return result;
}

int GetGeographicalsFormat()
{
    int format = ANGLE_FORMAT_DM, decimals = 7;
    char latitude = 'N', longitude = 'E';
    LoadGeographicalsSettings(format, decimals, latitude, longitude);
    return format;
}
