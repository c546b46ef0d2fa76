#include "geodesy/ExactGeodesic.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

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

// The ellipsoids GeographicLib's series are accurate for, and positions on them.
bool Usable(double a, double f)
{
    return a > 0.0 && f >= 0.0 && f <= 0.02 && std::isfinite(a);
}

bool IsLatitude(double lat)
{
    return std::isfinite(lat) && std::fabs(lat) <= kPi / 2 + 1e-12;
}
} // namespace

bool ExactGeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2,
                          double* distance, double* forwardAzimuth, double* reverseAzimuth)
{
    if (!Usable(a, f) || !IsLatitude(lat1) || !IsLatitude(lat2) || !std::isfinite(lon1) || !std::isfinite(lon2))
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

bool ExactGeodesicDirect(double a, double f, double lat1, double lon1, double azimuth, double distance,
                         double* lat2, double* lon2)
{
    return ExactGeodesicPoints(a, f, lat1, lon1, azimuth, &distance, 1, lat2, lon2);
}

bool ExactGeodesicPoints(double a, double f, double lat1, double lon1, double azimuth, const double* distances,
                         int count, double* lats, double* lons)
{
    if (!Usable(a, f) || !IsLatitude(lat1) || !std::isfinite(lon1) || !std::isfinite(azimuth) || count < 0 ||
        (count > 0 && !distances))
        return false;
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(distances[i]))
            return false;
    const GeographicLib::Geodesic geodesic(a, f);
    const GeographicLib::GeodesicLine line =
        geodesic.Line(lat1 * kRadToDeg, lon1 * kRadToDeg, azimuth * kRadToDeg,
                      GeographicLib::Geodesic::LATITUDE | GeographicLib::Geodesic::LONGITUDE |
                          GeographicLib::Geodesic::DISTANCE_IN);
    for (int i = 0; i < count; ++i)
    {
        double lat = 0.0, lon = 0.0;
        line.Position(distances[i], lat, lon);
        // Longitudes come back in [-180, 180]; radians in [-pi, pi].
        if (lats)
            lats[i] = lat / kRadToDeg;
        if (lons)
            lons[i] = lon / kRadToDeg;
    }
    return true;
}
