#include "geodesy/ExactGeodesic.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadToDeg = 180.0 / kPi;

// Degrees in (-180, 180] to radians in [0, 2pi).
double FullCircle(double degrees)
{
    const double r = degrees / kRadToDeg;
    return r < 0.0 ? r + 2.0 * kPi : r;
}
} // namespace

bool ExactGeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2,
                          double* distance, double* forwardAzimuth, double* reverseAzimuth)
{
    if (!(a > 0.0) || !(f >= 0.0 && f <= 0.02) || !std::isfinite(a))
        return false;
    if (!std::isfinite(lat1) || !std::isfinite(lon1) || !std::isfinite(lat2) || !std::isfinite(lon2) ||
        std::fabs(lat1) > kPi / 2 + 1e-12 || std::fabs(lat2) > kPi / 2 + 1e-12)
        return false;
    const GeographicLib::Geodesic geodesic(a, f);
    double s12 = 0.0, azi1 = 0.0, azi2 = 0.0;
    geodesic.Inverse(lat1 * kRadToDeg, lon1 * kRadToDeg, lat2 * kRadToDeg, lon2 * kRadToDeg, s12, azi1, azi2);
    if (distance)
        *distance = s12;
    if (forwardAzimuth)
        *forwardAzimuth = FullCircle(azi1);
    // azi2 is the line's heading on arrival; back towards the first point is opposite.
    if (reverseAzimuth)
        *reverseAzimuth = FullCircle(azi2 >= 0.0 ? azi2 - 180.0 : azi2 + 180.0);
    return true;
}
