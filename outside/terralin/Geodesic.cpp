#include "outside/terralin/Geodesic.h"

#include "geodesy/ExactGeodesic.h"

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Within this of the antipode (radians of latitude and of longitude, 2 degrees) a line is
// left to the exact solution.
constexpr double kNearAntipode = 2.0 * kPi / 180.0;

double FullCircle(double angle)
{
    angle = std::fmod(angle, 2.0 * kPi);
    return angle < 0.0 ? angle + 2.0 * kPi : angle;
}

// Vincenty's iteration; false where it does not settle.
bool VincentyInverse(double a, double f, double lat1, double lon1, double lat2, double lon2, double* distance,
                     double* forwardAzimuth, double* reverseAzimuth)
{
    if (!(a > 0.0) || f < 0.0 || f >= 1.0)
        return false;
    const double b = a * (1.0 - f);
    const double L = std::remainder(lon2 - lon1, 2.0 * kPi);
    // Reduced latitudes.
    const double U1 = std::atan((1.0 - f) * std::tan(lat1));
    const double U2 = std::atan((1.0 - f) * std::tan(lat2));
    const double sinU1 = std::sin(U1), cosU1 = std::cos(U1);
    const double sinU2 = std::sin(U2), cosU2 = std::cos(U2);

    double lambda = L, lambdaPrev;
    double sinSigma = 0.0, cosSigma = 1.0, sigma = 0.0, cos2Alpha = 1.0, cos2SigmaM = 0.0;
    double sinLambda = 0.0, cosLambda = 1.0;
    int rounds = 0;
    do
    {
        sinLambda = std::sin(lambda);
        cosLambda = std::cos(lambda);
        const double t1 = cosU2 * sinLambda;
        const double t2 = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
        sinSigma = std::sqrt(t1 * t1 + t2 * t2);
        if (sinSigma == 0.0)
        {
            // The same point.
            *distance = 0.0;
            *forwardAzimuth = 0.0;
            *reverseAzimuth = 0.0;
            return true;
        }
        cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
        sigma = std::atan2(sinSigma, cosSigma);
        const double sinAlpha = cosU1 * cosU2 * sinLambda / sinSigma;
        cos2Alpha = 1.0 - sinAlpha * sinAlpha;
        // On the equator cos^2(alpha) is 0 and the term drops out.
        cos2SigmaM = cos2Alpha != 0.0 ? cosSigma - 2.0 * sinU1 * sinU2 / cos2Alpha : 0.0;
        const double C = f / 16.0 * cos2Alpha * (4.0 + f * (4.0 - 3.0 * cos2Alpha));
        lambdaPrev = lambda;
        lambda = L + (1.0 - C) * f * sinAlpha *
                         (sigma + C * sinSigma *
                                      (cos2SigmaM + C * cosSigma * (-1.0 + 2.0 * cos2SigmaM * cos2SigmaM)));
        if (std::fabs(lambda) > kPi + 1e-9 || !std::isfinite(lambda))
            return false;
    } while (std::fabs(lambda - lambdaPrev) > 1e-12 && ++rounds < 200);
    if (rounds >= 200)
        return false;

    const double uSq = cos2Alpha * (a * a - b * b) / (b * b);
    const double A = 1.0 + uSq / 16384.0 * (4096.0 + uSq * (-768.0 + uSq * (320.0 - 175.0 * uSq)));
    const double B = uSq / 1024.0 * (256.0 + uSq * (-128.0 + uSq * (74.0 - 47.0 * uSq)));
    const double deltaSigma = B * sinSigma *
                              (cos2SigmaM + B / 4.0 *
                                                (cosSigma * (-1.0 + 2.0 * cos2SigmaM * cos2SigmaM) -
                                                 B / 6.0 * cos2SigmaM * (-3.0 + 4.0 * sinSigma * sinSigma) *
                                                     (-3.0 + 4.0 * cos2SigmaM * cos2SigmaM)));
    *distance = b * A * (sigma - deltaSigma);
    const double alpha1 = std::atan2(cosU2 * sinLambda, cosU1 * sinU2 - sinU1 * cosU2 * cosLambda);
    const double alpha2 = std::atan2(cosU1 * sinLambda, -sinU1 * cosU2 + cosU1 * sinU2 * cosLambda);
    *forwardAzimuth = FullCircle(alpha1);
    *reverseAzimuth = FullCircle(alpha2 + kPi);
    return true;
}
} // namespace

bool GeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2, double* distance,
                     double* forwardAzimuth, double* reverseAzimuth)
{
    if (!(a > 0.0) || f < 0.0 || f >= 1.0)
        return false;
    // Near the antipode Vincenty's iteration settles slowly, or on a wrong line, or not at
    // all: there the exact solution answers.
    const double dLat = lat1 + lat2;
    const double dLon = std::remainder(lon2 - lon1 + kPi, 2.0 * kPi);
    const bool nearAntipode = std::fabs(dLat) < kNearAntipode && std::fabs(dLon) < kNearAntipode;
    if (!nearAntipode &&
        VincentyInverse(a, f, lat1, lon1, lat2, lon2, distance, forwardAzimuth, reverseAzimuth))
        return true;
    return ExactGeodesicInverse(a, f, lat1, lon1, lat2, lon2, distance, forwardAzimuth, reverseAzimuth);
}
