#include "chart/geometry/Geodesic.h"

#include "geodesy/ExactGeodesic.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace
{
const double kTwoPi = 2.0 * M_PI;
// 0.001 arc-second: differences below it count as none.
const double kTiny = 4.848136811095278e-9;
// Minutes of arc per radian, as the meridional parts count them.
const double kMinutesPerRadian = 3437.7467707849396;
// One degree of sixty nautical miles: the spacing of a great-circle line's points.
const double kDegreeMetres = 111120.0;

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
    {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

void Set(double* out, double value)
{
    if (out)
        *out = value;
}

// Into [-π, π] by one turn either way, as longitudes come in that range.
double WrapPi(double angle)
{
    if (angle > M_PI)
        angle -= kTwoPi;
    else if (angle < -M_PI)
        angle += kTwoPi;
    return angle;
}

double WrapTwoPi(double angle)
{
    if (angle < 0.0)
        angle += kTwoPi;
    else if (angle >= kTwoPi)
        angle -= kTwoPi;
    return angle;
}

bool HasEllipsoid(const CSpheroid* spheroid)
{
    return spheroid && spheroid->m_E2 > 0.0 && std::isfinite(spheroid->m_E2) && spheroid->m_SemiMajor > 0.0;
}

// How far the series hold within a millimetre of the exact geodesic (measured against
// GeographicLib from every latitude to 89.999 degrees in every direction, WGS84 and Hayford
// 1910; the figures are in the header). Beyond, the exact solution answers.
const double kDirectReach = 40000.0;
const double kMethod0Reach = 1500000.0;
const double kMethod1Reach = 30000.0;

double Flattening(const CSpheroid* spheroid)
{
    return 1.0 - std::sqrt(1.0 - spheroid->m_E2);
}

// The direct series holds for a short line that stays well clear of the pole: within half the
// distance to it, its longitude turns far less than the quarter circle its arcsine can give.
bool DirectSeriesHolds(const CSpheroid* spheroid, double lat1, double distance)
{
    const double toPole = (M_PI_2 - std::fabs(lat1)) * spheroid->m_SemiMajor;
    return std::fabs(distance) <= kDirectReach && std::fabs(distance) <= toPole / 2.0;
}

// The length of the line as a great circle on the semi-major axis (within a few parts in a
// thousand of the geodesic), to choose the method by before any is run.
double GreatCircleEstimate(const CSpheroid* spheroid, double lat1, double lon1, double lat2, double lon2)
{
    const double sLat = std::sin((lat2 - lat1) / 2.0);
    const double sLon = std::sin((lon2 - lon1) / 2.0);
    const double h = sLat * sLat + std::cos(lat1) * std::cos(lat2) * sLon * sLon;
    return 2.0 * spheroid->m_SemiMajor * std::asin(std::sqrt(std::fmin(1.0, std::fmax(0.0, h))));
}

// The terms of the direct problem that depend only on the start and the bearing, so that the
// points of one great-circle line share them.
struct DirectLine
{
    double lat1, lon1, sinLat1, sinBearing, n1;
    double l, m, o;
};

DirectLine StartLine(const CSpheroid* spheroid, double lat1, double lon1, double bearing)
{
    DirectLine line{};
    line.lat1 = lat1;
    line.lon1 = lon1;
    line.sinLat1 = std::sin(lat1);
    line.sinBearing = std::sin(bearing);
    line.n1 = PrimeVerticalRadius(spheroid, lat1);
    const double ep2 = spheroid->m_Ep2;
    line.l = std::cos(bearing) * std::cos(lat1);
    line.m = -ep2 * line.l * line.l;
    line.o = (1.0 - line.m) * 3.0 * ep2 * line.sinLat1 * line.l;
    return line;
}

// False where the series leaves its domain (a line beyond a quarter of the globe).
bool PointAlong(const CSpheroid* spheroid, const DirectLine& line, double distance, double* lat2,
                double* lon2)
{
    const double sigma = distance / line.n1;
    const double m = line.m;
    const double o = line.o;
    const double s = (1.0 - ((m + 1.0) * m - o * 0.25 * (o + 1.0) * sigma) * sigma * sigma / 6.0) * sigma;
    const double x = std::cos(s) * line.sinLat1 + std::sin(s) * line.l;
    const double c = std::cos(std::asin(x));
    const double lat =
        std::atan((x - (1.0 - (s * o / 6.0 + m * 0.5) * s * s) * spheroid->m_E2 * line.sinLat1) *
                  spheroid->m_OnePlusEp2 / c);
    const double lon = WrapPi(std::asin(line.sinBearing * std::sin(s) / c) + line.lon1);
    if (!std::isfinite(lat) || !std::isfinite(lon))
        return false;
    *lat2 = lat;
    *lon2 = lon;
    return true;
}

double MeridionalParts(const CSpheroid* spheroid, double latitude)
{
    const double e2 = spheroid->m_E2;
    const double s = std::sin(latitude);
    const double s3 = s * s * s;
    return (std::log(std::tan(latitude / 2.0 + M_PI_4)) - e2 * s - e2 * e2 * s3 / 3.0 -
            e2 * e2 * e2 * s3 * s * s / 5.0) *
           kMinutesPerRadian;
}

// The normal-section azimuth at a point of latitude φ (tan φ, sin φ) towards the other
// (tan φ'), dLon east of it; `ratio` is N·cos φ over N'·cos φ'. On the meridian the line runs
// north or south. From the equator itself the formula's tan φ' / tan φ · sin φ is taken at
// its limit, tan φ' · cos φ: its 0/0 would otherwise be read as a line along the meridian.
double NormalSectionAzimuth(const CSpheroid* spheroid, double ratio, double tanLat, double sinLat,
                            double cosLat, double tanOther, double dLon)
{
    if (dLon == 0.0)
        return tanLat > tanOther ? M_PI : 0.0;
    double cotangent;
    if (tanLat == 0.0)
        cotangent = tanOther * cosLat / (spheroid->m_OnePlusEp2 * std::sin(dLon));
    else
        cotangent = (ratio * spheroid->m_E2 + tanOther / (tanLat * spheroid->m_OnePlusEp2) - std::cos(dLon)) *
                    sinLat / std::sin(dLon);
    double azimuth = std::atan2(1.0, cotangent);
    if (dLon > M_PI || (dLon > -M_PI && dLon < 0.0))
    {
        azimuth += M_PI;
        if (azimuth > kTwoPi)
            azimuth -= kTwoPi;
    }
    return azimuth;
}

// The length of the normal section from a point (latitude φ, radius N) on `azimuth` to the
// other point (φ', N'), dLon east of it.
double NormalSectionLength(const CSpheroid* spheroid, double azimuth, double lat, double nu, double otherLat,
                           double otherNu, double dLon)
{
    const double e2 = spheroid->m_E2;
    const double ep2 = spheroid->m_Ep2;
    const double sinLat = std::sin(lat), cosLat = std::cos(lat);
    const double sinOther = std::sin(otherLat), cosOther = std::cos(otherLat);
    const double h = std::cos(azimuth);
    const double j = ep2 * (h * h * cosLat * cosLat + sinLat * sinLat);
    const double k = j + 1.0;
    if (k < 0.0)
        return 0.0;
    const double l = std::sqrt(k);
    const double p1 = std::sqrt(ep2 * cosLat * cosLat * h * h + 1.0);
    double o = std::atan2(std::tan(lat), l * h);
    double p = std::atan2((otherNu * (1.0 - e2) * sinOther - nu * (1.0 - e2) * sinLat) * k + nu * sinLat,
                          (otherNu * cosOther * std::cos(dLon) * h -
                           std::sin(azimuth) * otherNu * cosOther * std::sin(dLon) * sinLat) *
                              l);
    if (o < 0.0 && p > 0.0)
        o += kTwoPi;
    else if (o > 0.0 && p < 0.0)
        p += kTwoPi;
    const double x = j * j / 64.0;
    const double y = x * j / 16.0;
    double d = p - o;
    if (d < 0.0)
        d += kTwoPi;
    return ((std::sin(2.0 * p) - std::sin(2.0 * o)) * (2.0 * x - j / 8.0 - 15.0 * y) +
            d * (j / 4.0 + 1.0 - 3.0 * x + 20.0 * y) +
            (std::sin(4.0 * p) - std::sin(4.0 * o)) * (3.0 * y - x / 4.0)) *
           (nu / k) * p1;
}

void SetAll(double* distance, double* bearing, double* reverseBearing, double d, double b, double r)
{
    Set(distance, d);
    Set(bearing, b);
    Set(reverseBearing, r);
}
// How an inverse method begins: refused for an input that is no number; done, with zeros, for
// equal points, no flattening or no radius at the start; otherwise it computes.
enum class InverseStart
{
    Refused,
    Done,
    Compute
};

// `inputs`: lat1, lon1, lat2, lon2, sin lat1, cos lat1, tan lat1, N(lat1).
InverseStart BeginInverse(const CSpheroid* spheroid, double* distance, double* bearing,
                          double* reverseBearing, std::initializer_list<double> inputs)
{
    if (!AllFinite(inputs))
        return InverseStart::Refused;
    const double* v = inputs.begin();
    if (!HasEllipsoid(spheroid) || !(v[7] > 0.0) || (v[0] == v[2] && v[1] == v[3]))
    {
        SetAll(distance, bearing, reverseBearing, 0.0, 0.0, 0.0);
        return InverseStart::Done;
    }
    return InverseStart::Compute;
}
} // namespace

double PrimeVerticalRadius(const CSpheroid* spheroid, double latitude)
{
    if (!spheroid)
        return 0.0;
    const double s = std::sin(latitude);
    const double radicand = 1.0 - spheroid->m_E2 * s * s;
    if (!(radicand > 0.0))
        return 0.0;
    return spheroid->m_SemiMajor / std::sqrt(radicand);
}

double MeridianDistance(const CSpheroid* spheroid, double latitude)
{
    if (!spheroid)
        return 0.0;
    const CSpheroid& e = *spheroid;
    return e.m_SemiMajor * (e.m_A0 * latitude - e.m_A2 * std::sin(2.0 * latitude) +
                            e.m_A4 * std::sin(4.0 * latitude) - e.m_A6 * std::sin(6.0 * latitude));
}

void GeodesicDirect(double* lat2, double* lon2, double lon1, double distance, double bearing,
                    const CSpheroid* spheroid, double lat1)
{
    double lat = 0.0, lon = 0.0;
    if (HasEllipsoid(spheroid) && AllFinite({lat1, lon1, distance, bearing}))
    {
        if (DirectSeriesHolds(spheroid, lat1, distance))
        {
            const DirectLine line = StartLine(spheroid, lat1, lon1, bearing);
            if (!(line.n1 > 0.0) || !PointAlong(spheroid, line, distance, &lat, &lon))
                lat = lon = 0.0;
        }
        else if (!ExactGeodesicDirect(spheroid->m_SemiMajor, Flattening(spheroid), lat1, lon1, bearing, distance,
                                      &lat, &lon))
            lat = lon = 0.0;
    }
    Set(lat2, lat);
    Set(lon2, lon);
}

void RhumbLine(double* distance, double* bearing, double lon1, double lat2, double lon2, double sinLat1,
               double cosLat1, double nu1, const CSpheroid* spheroid, double lat1)
{
    double s = 0.0, b = 0.0;
    const bool usable = HasEllipsoid(spheroid) && AllFinite({lon1, lat2, lon2, sinLat1, cosLat1, nu1, lat1});
    if (usable && !(lat1 == lat2 && lon1 == lon2))
    {
        const double dLon = WrapPi(lon2 - lon1);
        if (lat1 != lat2)
        {
            b = WrapTwoPi(std::atan2(dLon * kMinutesPerRadian,
                                     MeridionalParts(spheroid, lat2) - MeridionalParts(spheroid, lat1)));
            s = MeridianDistance(spheroid, lat2) - MeridianDistance(spheroid, lat1);
            if (dLon != 0.0)
                s /= std::cos(b);
            s = std::fabs(s);
        }
        else
        {
            s = nu1 > 0.0 ? std::fabs(dLon) * cosLat1 * nu1 : 0.0;
            b = dLon >= 0.0 ? M_PI_2 : 1.5 * M_PI;
        }
        if (!std::isfinite(s) || !std::isfinite(b))
            s = b = 0.0;
    }
    Set(distance, s);
    Set(bearing, b);
}

bool GeodesicInverse(const CEllipsoid* ellipsoid, double* distance, double* bearing, double* reverseBearing,
                     double lat1, double lon1, double lat2, double lon2)
{
    if (!ellipsoid || (ellipsoid->m_DistanceMethod != 0 && ellipsoid->m_DistanceMethod != 1))
        return false;
    const double sinLat1 = std::sin(lat1);
    const double cosLat1 = std::cos(lat1);
    const double tanLat1 = std::tan(lat1);
    const double nu1 = PrimeVerticalRadius(ellipsoid, lat1);
    const bool methodZero = ellipsoid->m_DistanceMethod == 0;
    const bool exact = AllFinite({lat1, lon1, lat2, lon2}) && HasEllipsoid(ellipsoid) &&
                       GreatCircleEstimate(ellipsoid, lat1, lon1, lat2, lon2) > (methodZero ? kMethod0Reach
                                                                                             : kMethod1Reach);
    if (!exact)
    {
        if (methodZero)
            return InverseMethod0(ellipsoid, distance, bearing, reverseBearing, lat1, lon1, lat2, lon2, sinLat1,
                                  cosLat1, tanLat1, nu1);
        if (InverseMethod1(ellipsoid, distance, bearing, reverseBearing, lat1, lon1, lat2, lon2, sinLat1, cosLat1,
                           tanLat1, nu1))
            return true;
        // Refused input stays refused; where method 1's bearing has no solution (a line that
        // leaves due east or west with no northing in its section) the exact line has one.
        if (!AllFinite({lat1, lon1, lat2, lon2, sinLat1, cosLat1, tanLat1, nu1}))
            return false;
    }
    double s = 0.0, forward = 0.0, reverse = 0.0;
    if (!ExactGeodesicInverse(ellipsoid->m_SemiMajor, Flattening(ellipsoid), lat1, lon1, lat2, lon2, &s, &forward,
                              &reverse))
        return false;
    SetAll(distance, bearing, reverseBearing, s, forward, reverse);
    return true;
}

bool InverseMethod0(const CSpheroid* spheroid, double* distance, double* bearing, double* reverseBearing,
                    double lat1, double lon1, double lat2, double lon2, double sinLat1, double cosLat1,
                    double tanLat1, double nu1)
{
    const InverseStart start = BeginInverse(spheroid, distance, bearing, reverseBearing,
                                            {lat1, lon1, lat2, lon2, sinLat1, cosLat1, tanLat1, nu1});
    if (start != InverseStart::Compute)
        return start == InverseStart::Done;
    double dLon = lon2 - lon1;
    const double h = nu1 * cosLat1;
    double s = 0.0, forward = 0.0, reverse = 0.0;
    if (lat1 == 0.0 && lat2 == 0.0)
    {
        dLon = WrapPi(dLon);
        forward = dLon >= 0.0 ? M_PI_2 : 1.5 * M_PI;
        reverse = dLon >= 0.0 ? 1.5 * M_PI : M_PI_2;
        // A westward line along the equator is as long as the eastward one.
        s = std::fabs(h * dLon);
    }
    else
    {
        const double nu2 = PrimeVerticalRadius(spheroid, lat2);
        if (!(nu2 > 0.0))
        {
            SetAll(distance, bearing, reverseBearing, 0.0, 0.0, 0.0);
            return true;
        }
        const double sinLat2 = std::sin(lat2);
        const double cosLat2 = std::cos(lat2);
        const double tanLat2 = std::tan(lat2);
        const double g = nu2 * cosLat2;
        forward = NormalSectionAzimuth(spheroid, h / g, tanLat1, sinLat1, cosLat1, tanLat2, dLon);
        reverse = NormalSectionAzimuth(spheroid, g / h, tanLat2, sinLat2, cosLat2, tanLat1, -dLon);
        if (lat1 != 0.0)
            s = NormalSectionLength(spheroid, forward, lat1, nu1, lat2, nu2, dLon);
        else
            s = NormalSectionLength(spheroid, reverse, lat2, nu2, lat1, nu1, -dLon);
    }
    if (!AllFinite({s, forward, reverse}))
        s = forward = reverse = 0.0;
    SetAll(distance, bearing, reverseBearing, s, forward, reverse);
    return true;
}

bool InverseMethod1(const CSpheroid* spheroid, double* distance, double* bearing, double* reverseBearing,
                    double lat1, double lon1, double lat2, double lon2, double sinLat1, double cosLat1,
                    double tanLat1, double nu1)
{
    const InverseStart start = BeginInverse(spheroid, distance, bearing, reverseBearing,
                                            {lat1, lon1, lat2, lon2, sinLat1, cosLat1, tanLat1, nu1});
    if (start != InverseStart::Compute)
        return start == InverseStart::Done;
    const double e2 = spheroid->m_E2;
    const double ep2 = spheroid->m_Ep2;
    const double nu2 = PrimeVerticalRadius(spheroid, lat2);
    // Taken the short way: a line across ±180° would otherwise be turned about by the westward
    // correction of its bearing.
    double dLon = WrapPi(lon2 - lon1);
    if (std::fabs(dLon) < kTiny)
        dLon = 0.0;
    const double sinLat2 = std::sin(lat2);
    const double cosLat2 = std::cos(lat2);
    const double t = (nu2 * (1.0 - e2) * sinLat2 + e2 * nu1 * sinLat1) / (nu2 * cosLat2);
    const double psi = std::atan(t);
    const double q = t * cosLat1 - std::cos(dLon) * sinLat1;
    if (q == 0.0 || !std::isfinite(q))
        return false;

    double alpha = std::atan(std::sin(dLon) / q);
    if (alpha < 0.0)
        alpha += M_PI;
    if (dLon < 0.0)
        alpha += M_PI;
    double dLat = lat2 - lat1;
    if (std::fabs(dLat) < kTiny)
        dLat = 0.0;
    if (dLat < 0.0 && dLon == 0.0)
        alpha += M_PI;

    const double sinAlpha = std::sin(alpha);
    const double sigma = std::fabs(sinAlpha) <= 5e-4 ? std::asin(std::cos(psi) * q / std::cos(alpha))
                                                     : std::asin(std::cos(psi) * std::sin(dLon) / sinAlpha);

    double beta = std::atan(std::sin(dLon) / (std::sin(psi) * std::cos(dLon) - std::cos(psi) * tanLat1));
    if (dLat > 0.0)
        beta += M_PI;
    beta -= std::tan(sigma / 2.0) * std::sin(beta) * (lat2 - psi);
    beta = std::fmod(beta, kTwoPi);
    beta = WrapTwoPi(beta);
    if (std::fabs(beta - alpha) < M_PI_2)
        beta = WrapTwoPi(std::fmod(beta + M_PI, kTwoPi));

    const double d = std::cos(alpha) * cosLat1 * ep2;
    const double s =
        std::fabs(sigma * nu1 + (sigma * 0.25 * ep2 * sinLat1 - d / 3.0) * (d * 0.5 * sigma * sigma));
    if (!AllFinite({s, alpha, beta}))
    {
        SetAll(distance, bearing, reverseBearing, 0.0, 0.0, 0.0);
        return true;
    }
    SetAll(distance, bearing, reverseBearing, s, alpha, beta);
    return true;
}

int GreatCirclePoints(const CEllipsoid* ellipsoid, CXYArray& points, double lon1, double lat1, double lon2,
                      double lat2)
{
    points.RemoveAll();
    if (!ellipsoid || !AllFinite({lon1, lat1, lon2, lat2}) || (lat1 == lat2 && lon1 == lon2))
        return 0;
    double s = 0.0, alpha = 0.0;
    if (!GeodesicInverse(ellipsoid, &s, &alpha, nullptr, lat1, lon1, lat2, lon2) || !(s > 0.0))
        return 0;
    const double n = std::ceil(s / kDegreeMetres);
    const double step = s / (n + 1.0);

    points.Add(tagXY{lon1, lat1});
    double exactLength = 0.0, exactAzimuth = 0.0;
    if (HasEllipsoid(ellipsoid) && !DirectSeriesHolds(ellipsoid, lat1, n * step) &&
        ExactGeodesicInverse(ellipsoid->m_SemiMajor, Flattening(ellipsoid), lat1, lon1, lat2, lon2, &exactLength,
                             &exactAzimuth, nullptr))
    {
        // A long line, or one near a pole: its points on the geodesic itself, from its own
        // azimuth and length, so that the line drawn runs on its true path to its end.
        const int count = static_cast<int>(n);
        std::vector<double> along(static_cast<size_t>(count)), lats(along.size()), lons(along.size());
        for (int k = 0; k < count; ++k)
            along[static_cast<size_t>(k)] = exactLength * (k + 1) / (n + 1.0);
        if (ExactGeodesicPoints(ellipsoid->m_SemiMajor, Flattening(ellipsoid), lat1, lon1, exactAzimuth,
                                along.data(), count, lats.data(), lons.data()))
            for (size_t k = 0; k < along.size(); ++k)
                points.Add(tagXY{lons[k], lats[k]});
    }
    else
    {
        const DirectLine line = StartLine(ellipsoid, lat1, lon1, alpha);
        // Counted, not summed: u = (n + 1)·step may come out a hair below s and add a point on
        // top of the end.
        for (double k = 1.0; k <= n; k += 1.0)
        {
            double lat = 0.0, lon = 0.0;
            if (PointAlong(ellipsoid, line, k * step, &lat, &lon))
                points.Add(tagXY{lon, lat});
        }
    }
    points.Add(tagXY{lon2, lat2});
    return static_cast<int>(points.GetSize());
}
