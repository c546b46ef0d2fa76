#include "features/Ellipsoid.h"

#include "geodesy/ExactGeodesic.h"

#include <cmath>

namespace
{
const double kPi = 3.14159265358979323846;
const double kTwoPi = 2.0 * kPi;
// Differences of latitude or longitude below a thousandth of an arc-second are noise of the
// input, not a direction.
const double kAngleNoise = 4.848136811095278e-9;
// Metres: the longest line (as a great circle on the semi-major axis) that the closed forms
// measure within a millimetre.
const double kClosedFormReach = 1000000.0;
} // namespace

CEllipsoid::CEllipsoid() : m_DistanceMethod(DISTANCE_NORMAL_SECTION)
{
    SetFromTable(WGS84_ROW);
}

double CEllipsoid::PrimeVerticalRadius(double sinLat) const
{
    const double w = 1.0 - m_E2 * sinLat * sinLat;
    return (w > 0.0) ? m_SemiMajor / std::sqrt(w) : 0.0;
}

bool CEllipsoid::GeodesicDistance(double lat1, double lon1, double lat2, double lon2, double* distance,
                                  int32_t* method) const
{
    if (m_DistanceMethod != DISTANCE_NORMAL_SECTION && m_DistanceMethod != DISTANCE_ROBBINS)
        return false;
    if (GreatCircleLength(lat1, lon1, lat2, lon2) > kClosedFormReach)
    {
        const double f = 1.0 - std::sqrt(1.0 - m_E2);
        if (!ExactGeodesicInverse(m_SemiMajor, f, lat1, lon1, lat2, lon2, distance, nullptr, nullptr))
            return false;
        if (method)
            *method = DISTANCE_EXACT;
        return true;
    }
    const double sinLat1 = std::sin(lat1);
    const double cosLat1 = std::cos(lat1);
    const double nu1 = PrimeVerticalRadius(sinLat1);
    const bool ok = m_DistanceMethod == DISTANCE_NORMAL_SECTION
                        ? NormalSectionDistance(lat1, lon1, lat2, lon2, sinLat1, cosLat1, nu1, distance)
                        : RobbinsDistance(lat1, lon1, lat2, lon2, sinLat1, cosLat1, nu1, distance);
    if (ok && method)
        *method = m_DistanceMethod;
    return ok;
}

double CEllipsoid::GreatCircleLength(double lat1, double lon1, double lat2, double lon2) const
{
    const double sLat = std::sin((lat2 - lat1) / 2.0);
    const double sLon = std::sin((lon2 - lon1) / 2.0);
    const double h = sLat * sLat + std::cos(lat1) * std::cos(lat2) * sLon * sLon;
    return 2.0 * m_SemiMajor * std::asin(std::sqrt(std::fmin(1.0, std::fmax(0.0, h))));
}

// The inverse problem through the normal sections at both ends: their azimuths give the
// geodesic's constant cos^2(alpha0) = cos^2(alpha) cos^2(phi) + sin^2(phi) at the reference end,
// and the arc is measured on the auxiliary sphere with the series B0, B2, B4 in u^2 = e'^2
// cos^2(alpha0) (the classical series of the rectifying arc along a geodesic; see
// R.H. Rapp, "Geometric Geodesy, Part II", Ohio State University, 1993, chapter 1).
bool CEllipsoid::NormalSectionDistance(double lat1, double lon1, double lat2, double lon2, double sinLat1,
                                       double cosLat1, double nu1, double* distance) const
{
    if (lat1 == lat2 && lon1 == lon2)
    {
        if (distance)
            *distance = 0.0;
        return true;
    }
    const double tanLat1 = sinLat1 / cosLat1;
    double dLon = lon2 - lon1;

    // Along the equator the normal section is the equator itself.
    if (lat1 == 0.0 && lat2 == 0.0)
    {
        if (dLon > kPi)
            dLon -= kTwoPi;
        else if (dLon < -kPi)
            dLon += kTwoPi;
        if (distance)
            *distance = cosLat1 * nu1 * std::fabs(dLon);
        return true;
    }

    const double sinLat2 = std::sin(lat2);
    const double cosLat2 = std::cos(lat2);
    const double tanLat2 = sinLat2 / cosLat2;
    const double sinDLon = std::sin(dLon);
    const double cosDLon = std::cos(dLon);
    const double nu2 = PrimeVerticalRadius(sinLat2);
    const double e2 = m_E2;
    const double onePlusEp2 = 1.0 + m_Ep2;

    // Azimuth of the normal section at point 1 towards point 2.
    double az12;
    if (dLon == 0.0 || tanLat1 == 0.0)
        az12 = (tanLat1 > tanLat2) ? kPi : 0.0;
    else
    {
        const double c12 =
            (e2 * nu1 * cosLat1 / (nu2 * cosLat2) + tanLat2 / (onePlusEp2 * tanLat1) - cosDLon) * sinLat1 /
            sinDLon;
        az12 = std::atan2(1.0, c12);
        if (dLon > kPi || (dLon > -kPi && dLon < 0.0))
            az12 += kPi;
        if (az12 > kTwoPi)
            az12 -= kTwoPi;
    }
    // And at point 2 towards point 1.
    double az21;
    if (dLon == 0.0 || tanLat2 == 0.0)
        az21 = (tanLat2 > tanLat1) ? kPi : 0.0;
    else
    {
        const double c21 =
            (e2 * nu2 * cosLat2 / (nu1 * cosLat1) + tanLat1 / (onePlusEp2 * tanLat2) - cosDLon) * sinLat2 /
            -sinDLon;
        az21 = std::atan2(1.0, c21);
        if (-dLon > kPi || (-dLon > -kPi && -dLon < 0.0))
            az21 += kPi;
        if (az21 > kTwoPi)
            az21 -= kTwoPi;
    }

    // On the equator the azimuth at the other end is the one that carries the latitude.
    const bool fromPoint2 = (lat1 == 0.0);
    const double az = fromPoint2 ? az21 : az12;
    const double sinLat = fromPoint2 ? sinLat2 : sinLat1;
    const double cosLat = fromPoint2 ? cosLat2 : cosLat1;
    const double tanLat = fromPoint2 ? tanLat2 : tanLat1;
    const double nu = fromPoint2 ? nu2 : nu1;
    const double sinAz = std::sin(az);
    const double cosAz = std::cos(az);

    const double cos2Az0 = cosAz * cosAz * cosLat * cosLat + sinLat * sinLat;
    const double u2 = m_Ep2 * cos2Az0;
    const double onePlusU2 = 1.0 + u2;
    if (onePlusU2 < 0.0)
        return true;
    const double rootOnePlusU2 = std::sqrt(onePlusU2);
    const double radius = nu / onePlusU2 * std::sqrt(1.0 + m_Ep2 * cosLat * cosLat * cosAz * cosAz);

    double sigma1 = std::atan2(tanLat, rootOnePlusU2 * cosAz);
    double numerator;
    double denominator;
    if (fromPoint2)
    {
        numerator = ((1.0 - e2) * nu1 * sinLat1 - (1.0 - e2) * nu2 * sinLat2) * onePlusU2 + nu2 * sinLat2;
        denominator = nu1 * cosLat1 * cosDLon * cosAz + sinAz * nu1 * cosLat1 * sinDLon * sinLat2;
    }
    else
    {
        numerator = ((1.0 - e2) * nu2 * sinLat2 - (1.0 - e2) * nu1 * sinLat1) * onePlusU2 + nu1 * sinLat1;
        denominator = nu2 * cosLat2 * cosDLon * cosAz - sinAz * nu2 * cosLat2 * sinDLon * sinLat1;
    }
    double sigma2 = std::atan2(numerator, denominator * rootOnePlusU2);
    if (sigma1 < 0.0 && sigma2 > 0.0)
        sigma1 += kTwoPi;
    if (sigma1 > 0.0 && sigma2 < 0.0)
        sigma2 += kTwoPi;
    double dSigma = sigma2 - sigma1;
    if (dSigma < 0.0)
        dSigma += kTwoPi;

    const double u4 = u2 * u2;
    const double u6 = u4 * u2;
    const double b0 = 1.0 + u2 / 4.0 - 3.0 * u4 / 64.0 + 5.0 * u6 / 256.0;
    const double b2 = u4 / 32.0 - u2 / 8.0 - 15.0 * u6 / 1024.0;
    const double b4 = 3.0 * u6 / 1024.0 - u4 / 256.0;
    if (distance)
        *distance = radius * (b0 * dSigma + b2 * (std::sin(2.0 * sigma2) - std::sin(2.0 * sigma1)) +
                              b4 * (std::sin(4.0 * sigma2) - std::sin(4.0 * sigma1)));
    return true;
}

// Robbins' inverse for lines of moderate length: the second point is carried to the sphere of
// radius nu1 about the first point's normal through the latitude psi2, and the arc sigma on it
// is corrected for the ellipsoid (A.R. Robbins, "Long lines on the spheroid", Empire Survey
// Review 16(125), 1962, pp. 301-309).
bool CEllipsoid::RobbinsDistance(double lat1, double lon1, double lat2, double lon2, double sinLat1,
                                 double cosLat1, double nu1, double* distance) const
{
    if (lat1 == lat2 && lon1 == lon2)
    {
        if (distance)
            *distance = 0.0;
        return true;
    }
    const double sinLat2 = std::sin(lat2);
    const double cosLat2 = std::cos(lat2);
    const double nu2 = PrimeVerticalRadius(sinLat2);
    double dLat = lat2 - lat1;
    double dLon = lon2 - lon1;
    if (std::fabs(dLat) < kAngleNoise)
        dLat = 0.0;
    if (std::fabs(dLon) < kAngleNoise)
        dLon = 0.0;

    const double e2 = m_E2;
    const double tanPsi2 = ((1.0 - e2) * nu2 * sinLat2 + e2 * nu1 * sinLat1) / (nu2 * cosLat2);
    const double cosPsi2 = std::cos(std::atan(tanPsi2));
    const double sinDLon = std::sin(dLon);
    const double d = cosLat1 * tanPsi2 - sinLat1 * std::cos(dLon);
    if (d == 0.0)
        return false;

    double az = std::atan(sinDLon / d);
    if (az < 0.0)
        az += kPi;
    if (dLon < 0.0)
        az += kPi;
    if (dLat < 0.0 && dLon == 0.0)
        az += kPi;
    const double sinAz = std::sin(az);
    const double cosAz = std::cos(az);
    const double sigma =
        (std::fabs(sinAz) <= 0.0005) ? std::asin(cosPsi2 * d / cosAz) : std::asin(cosPsi2 * sinDLon / sinAz);

    // Robbins' series in g = e' sin(phi1) and h = e' cos(phi1) cos(alpha), to the fifth power of
    // the arc: within a millimetre of the geodesic up to 1000 km.
    const double ep = std::sqrt(m_Ep2);
    const double g = ep * sinLat1;
    const double h = ep * cosLat1 * cosAz;
    const double g2 = g * g;
    const double h2 = h * h;
    const double s2 = sigma * sigma;
    const double s3 = s2 * sigma;
    const double series = 1.0 - s2 * h2 * (1.0 - h2) / 6.0 + s3 * g * h * (1.0 - 2.0 * h2) / 8.0 +
                          s2 * s2 * (h2 * (4.0 - 7.0 * h2) - 3.0 * g2 * (1.0 - 7.0 * h2)) / 120.0 -
                          s3 * s2 * g * h / 48.0;
    if (distance)
        *distance = std::fabs(nu1 * sigma * series);
    return true;
}
