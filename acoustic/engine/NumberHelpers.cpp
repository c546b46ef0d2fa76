#include "acoustic/engine/NumberHelpers.h"

#include "foundation/Geometry.h"

#include <cmath>
#include <cstring>

namespace
{
bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

void TrimTrailingZerosInPlace(char* text, bool cut)
{
    if (!text || !std::strchr(text, '.'))
        return;
    int pos = static_cast<int>(std::strlen(text)) - 1;
    while (pos > 0 && IsWhite(text[pos]))
        --pos;
    // Only zeros that follow a decimal point are number decoration: those of "1200", or of the
    // exponent in "1.5e+10", are digits of the value.
    int scan = pos;
    while (scan > 0 && IsDigitChar(text[scan]))
        --scan;
    if (scan < 0 || text[scan] != '.')
        return;
    const char blank = cut ? '\0' : ' ';
    while (pos > 0 && text[pos] == '0')
        text[pos--] = blank;
    if (text[pos] == '.')
        text[pos] = blank;
}

double AngleDifference(double a, double b, int units)
{
    const double half = units == ANGLE_UNITS_DEGREES ? 180.0 : M_PI;
    const double full = 2.0 * half;
    double d = a - b;
    if (std::fabs(d) > half)
    {
        if (a > half && b < half)
            d -= full;
        else if (a < half && b > half)
            d += full;
    }
    return d;
}

void RangeBearingOfVector(double dE, double dN, double* range, double* bearing)
{
    ComputeRangeBearing(0.0, 0.0, dE, dN, bearing, range);
}
