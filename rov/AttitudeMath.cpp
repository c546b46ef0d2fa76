#include "rov/AttitudeMath.h"

#include <array>
#include <cmath>
#include <limits>

namespace
{
constexpr int kQuadrantTenths = 900;
constexpr int kTurnTenths = 3600;
constexpr double kScale = 32767.0;
constexpr double kDegreesToRadians = 0.017453292519943;

using SineTable = std::array<int, kQuadrantTenths + 1>;

const SineTable& Sines()
{
    static const SineTable table = [] {
        SineTable t{};
        for (int i = 0; i <= kQuadrantTenths; ++i)
            t[i] = static_cast<int>(std::sin(i / 10.0 * kDegreesToRadians) * kScale);
        return t;
    }();
    return table;
}

// The angle in whole tenths of a degree within [0, 3600). Truncation of a double beyond the
// range of an int is undefined, so a large angle is first brought within one turn; the
// remainder is exact, so the truncated tenths are the same.
int TenthsInTurn(double degrees)
{
    double tenths = degrees * 10.0;
    if (std::fabs(tenths) >= static_cast<double>(std::numeric_limits<int>::max()))
        tenths = std::fmod(tenths, static_cast<double>(kTurnTenths));
    int whole = static_cast<int>(tenths) % kTurnTenths;
    if (whole < 0)
        whole += kTurnTenths;
    return whole;
}
} // namespace

void LookupSinCos(double degrees, double* sine, double* cosine)
{
    if (!std::isfinite(degrees))
    {
        if (sine != nullptr)
            *sine = std::numeric_limits<double>::quiet_NaN();
        if (cosine != nullptr)
            *cosine = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    const SineTable& table = Sines();
    const int tenths = TenthsInTurn(degrees);
    const int i = tenths % kQuadrantTenths;
    int s = 0;
    int c = 0;
    switch (tenths / kQuadrantTenths)
    {
    case 0:
        s = table[i];
        c = table[kQuadrantTenths - i];
        break;
    case 1:
        s = table[kQuadrantTenths - i];
        c = -table[i];
        break;
    case 2:
        s = -table[i];
        c = -table[kQuadrantTenths - i];
        break;
    default:
        s = -table[kQuadrantTenths - i];
        c = table[i];
        break;
    }
    if (sine != nullptr)
        *sine = s / kScale;
    if (cosine != nullptr)
        *cosine = c / kScale;
}

void RotatePoint3D(double ox, double oy, double oz, double x, double y, double z, double s1, double c1,
                   double s2, double c2, double s3, double c3, double* X, double* Y, double* Z)
{
    if (X != nullptr)
        *X = (c1 * c3 - s2 * s3 * s1) * x + (s2 * s3 * c1 + s1 * c3) * y - c2 * s3 * z + ox;
    if (Y != nullptr)
        *Y = c1 * c2 * y - s1 * c2 * x + z * s2 + oy;
    if (Z != nullptr)
        *Z = (s1 * s3 - s2 * c3 * c1) * y + (s1 * c3 * s2 + c1 * s3) * x + c2 * c3 * z + oz;
}
