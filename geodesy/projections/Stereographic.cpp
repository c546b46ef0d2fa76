// Stereographic (type 9).
//
// Methods 0 and 1: the oblique stereographic projection of the conformal sphere of radius
// R = sqrt(rho0 nu0) (IOGP Guidance Note 7-2, "Oblique Stereographic", the double projection
// of the Dutch RD system). The ellipsoid maps conformally to the sphere (latitude chi, longitude
// n dlambda) with linear scale R n cos(chi) / (nu cos(phi)); the plane stereographic of the
// sphere has scale 2 k0 / B and convergence
// atan2(sin L (sin chi + sin chi0), cos chi cos chi0 + (1 + sin chi sin chi0) cos L).
//
// Method 2: the polar stereographic projection (Guidance Note 7-2, variants A, B and C; Snyder,
// USGS PP 1395, §21). The origin latitude at a pole gives variant A (k0 at the pole); otherwise
// the origin latitude, else the first, else the second standard parallel is the latitude of
// true scale, from which k0 at the pole is derived (variant B; variant C, false origin on the
// parallel, when it is the second). Convergence is +dlambda at the north pole's aspect and
// -dlambda at the south's; scale rho / (a m), m = cos(phi) / sqrt(1 - e^2 sin^2(phi)).
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

enum
{
    NORTH = 0, // 1 for the northern aspect
    // Oblique
    TWICE_RADIUS = 1, // 2 R k0, metres; 0 when the projection is unusable
    SPHERE_EXPONENT,  // n
    SPHERE_FACTOR,    // c
    SPHERE_LAT0,      // chi0
    SIN_CHI0,
    COS_CHI0,
    SPHERE_RADIUS, // R, metres
    // Polar
    TRUE_SCALE_LAT = 1, // phi_c
    TRUE_SCALE_T,       // t_c
    TRUE_SCALE_M,       // m_c
    SERIES_2,           // conformal to geodetic latitude: sin 2chi .. sin 8chi terms
    SERIES_4,
    SERIES_6,
    SERIES_8,
    POLAR_RADIUS_FACTOR, // 2 a k0 / F, metres
    FALSE_ORIGIN_RADIUS  // rho_F, metres: a m_c for a false origin on the second parallel
};

bool IsPolar(const CProjection& p)
{
    return p.m_Method == 2;
}

void ObliqueFactors(const CProjection& p, double chi, double L, double cosLat, double nu, double& convergence,
                    double& scale)
{
    const double* c = p.m_Constants;
    const double sc = std::sin(chi);
    const double cc = std::cos(chi);
    const double cl = std::cos(L);
    const double B = 1.0 + sc * c[SIN_CHI0] + cc * c[COS_CHI0] * cl;
    convergence =
        std::atan2(std::sin(L) * (sc + c[SIN_CHI0]), cc * c[COS_CHI0] + (1.0 + sc * c[SIN_CHI0]) * cl);
    scale = c[TWICE_RADIUS] * c[SPHERE_EXPONENT] * cc / (B * nu * cosLat);
}

void PolarFactors(const CProjection& p, double lat, double dl, double rho, double& convergence, double& scale)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const bool north = p.m_Constants[NORTH] != 0.0;
    convergence = north ? dl : -dl;
    const double s = std::sin(lat);
    const double m = std::cos(lat) / std::sqrt(1.0 - sph.m_E2 * s * s);
    scale = (m > 1e-12) ? rho / (sph.m_SemiMajor * m) : p.m_ScaleFactor;
}

double PolarRadius(const CProjection& p, double lat)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const bool north = p.m_Constants[NORTH] != 0.0;
    // t = tan(pi/4 -+ phi/2) ((1 +- e sin phi)/(1 -+ e sin phi))^(e/2) = exp(-+psi)
    const double psi = sph.IsometricLatitude(lat);
    return p.m_Constants[POLAR_RADIUS_FACTOR] * std::exp(north ? -psi : psi);
}
} // namespace

namespace projections
{
void StereographicConstants(CProjection& p)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    double* c = p.m_Constants;
    for (int i = 0; i < CProjection::CONSTANT_COUNT; ++i)
        c[i] = 0.0;
    const double e2 = sph.m_E2;
    if (!IsPolar(p))
    {
        const double s0 = p.m_SinLat0;
        const double c0 = p.m_CosLat0;
        c[NORTH] = p.m_OriginLatitude >= 0.0 ? 1.0 : 0.0;
        const double R = std::sqrt(p.m_Nu0 * p.m_Rho0);
        const double n = std::sqrt(1.0 + e2 * c0 * c0 * c0 * c0 / sph.m_OneMinusE2);
        // w1 = [((1 + sin)/(1 - sin)) ((1 - e sin)/(1 + e sin))^e]^n = exp(2 n psi0)
        const double w1 = std::exp(2.0 * n * p.m_Psi0);
        const double sinChi = (w1 - 1.0) / (w1 + 1.0);
        const double factor = (n + s0) * (1.0 - sinChi) / ((n - s0) * (1.0 + sinChi));
        const double chi0 = std::asin((factor * w1 - 1.0) / (factor * w1 + 1.0));
        if (!(std::isfinite(factor) && factor > 0.0 && std::isfinite(chi0) && R > 0.0))
            return; // at a pole the oblique aspect has no sphere: unusable
        c[TWICE_RADIUS] = 2.0 * R * p.m_ScaleFactor;
        c[SPHERE_EXPONENT] = n;
        c[SPHERE_FACTOR] = factor;
        c[SPHERE_LAT0] = chi0;
        c[SIN_CHI0] = std::sin(chi0);
        c[COS_CHI0] = std::cos(chi0);
        c[SPHERE_RADIUS] = R;
        return;
    }

    const double a = sph.m_SemiMajor;
    const double F = sph.m_PolarFactor;
    // A latitude of origin given in degrees reaches the pole only to the precision of the
    // degree factor.
    if (std::fabs(p.m_OriginLatitude) > kHalfPi - 1e-10)
    {
        c[NORTH] = p.m_OriginLatitude >= 0.0 ? 1.0 : 0.0;
    }
    else
    {
        double latc = p.m_OriginLatitude;
        bool onSecond = false;
        if (latc == 0.0)
            latc = p.m_Parallel1;
        if (latc == 0.0)
        {
            latc = p.m_Parallel2;
            onSecond = latc != 0.0;
        }
        if (latc == 0.0)
        {
            // Nothing given: the north polar aspect, k0 as given.
            p.m_OriginLatitude = kHalfPi;
            p.m_SinLat0 = 1.0;
            p.m_CosLat0 = 0.0;
            p.m_TanLat0 = 0.0;
            p.m_Nu0 = a / std::sqrt(sph.m_OneMinusE2);
            p.m_Rho0 = p.m_Nu0;
            p.m_M0 = sph.MeridionalArc(kHalfPi);
            p.m_Psi0 = sph.IsometricLatitude(kHalfPi);
            c[NORTH] = 1.0;
        }
        else
        {
            const bool north = latc >= 0.0;
            const double sc = std::sin(latc);
            const double psic = sph.IsometricLatitude(latc);
            const double tc = std::exp(north ? -psic : psic);
            const double mc = std::cos(latc) / std::sqrt(1.0 - e2 * sc * sc);
            c[NORTH] = north ? 1.0 : 0.0;
            c[TRUE_SCALE_LAT] = latc;
            c[TRUE_SCALE_T] = tc;
            c[TRUE_SCALE_M] = mc;
            c[FALSE_ORIGIN_RADIUS] = onSecond ? a * mc : 0.0;
            p.m_ScaleFactor = mc * F / (2.0 * tc);
        }
    }
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e4 * e4;
    c[SERIES_2] = e2 / 2.0 + 5.0 * e4 / 24.0 + e6 / 12.0 + 13.0 * e8 / 360.0;
    c[SERIES_4] = 7.0 * e4 / 48.0 + 29.0 * e6 / 240.0 + 811.0 * e8 / 11520.0;
    c[SERIES_6] = 7.0 * e6 / 120.0 + 81.0 * e8 / 1120.0;
    c[SERIES_8] = 4279.0 * e8 / 161280.0;
    c[POLAR_RADIUS_FACTOR] = 2.0 * a * p.m_ScaleFactor / F;
}

bool StereographicForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                          GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    const double dl = WrapLongitude(lon - p.m_OriginLongitude);
    if (IsPolar(p))
    {
        if (c[POLAR_RADIUS_FACTOR] == 0.0)
            return false;
        const bool north = c[NORTH] != 0.0;
        const double rho = PolarRadius(p, lat);
        const double rhoF = c[FALSE_ORIGIN_RADIUS];
        out.easting = p.m_FalseEasting + rho * std::sin(dl);
        out.northing = north ? p.m_FalseNorthing + rhoF - rho * std::cos(dl)
                             : p.m_FalseNorthing - rhoF + rho * std::cos(dl);
        PolarFactors(p, lat, dl, rho, out.convergence, out.scale);
        return true;
    }
    if (c[TWICE_RADIUS] == 0.0)
        return false;
    const double L = c[SPHERE_EXPONENT] * dl;
    // sin(chi) = (w - 1)/(w + 1) with w = c exp(2 n psi): a tanh, exact up to the poles.
    const double q = c[SPHERE_EXPONENT] * sph.IsometricLatitude(lat) + 0.5 * std::log(c[SPHERE_FACTOR]);
    const double chi = std::atan(std::sinh(q));
    const double sc = std::sin(chi);
    const double cc = std::cos(chi);
    const double B = 1.0 + sc * c[SIN_CHI0] + cc * c[COS_CHI0] * std::cos(L);
    out.easting = p.m_FalseEasting + c[TWICE_RADIUS] * cc * std::sin(L) / B;
    out.northing =
        p.m_FalseNorthing + c[TWICE_RADIUS] * (sc * c[COS_CHI0] - cc * c[SIN_CHI0] * std::cos(L)) / B;
    ObliqueFactors(p, chi, L, t.cosLat, t.nu, out.convergence, out.scale);
    return true;
}

bool StereographicInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    const double x = easting - p.m_FalseEasting;
    if (IsPolar(p))
    {
        if (c[POLAR_RADIUS_FACTOR] == 0.0)
            return false;
        const bool north = c[NORTH] != 0.0;
        // Measured from the pole: the false origin on a parallel lies rho_F from it.
        const double y = north ? northing - p.m_FalseNorthing - c[FALSE_ORIGIN_RADIUS]
                               : northing - p.m_FalseNorthing + c[FALSE_ORIGIN_RADIUS];
        const double rho = std::hypot(x, y);
        const double t = rho / c[POLAR_RADIUS_FACTOR];
        const double chi = north ? kHalfPi - 2.0 * std::atan(t) : 2.0 * std::atan(t) - kHalfPi;
        const double lat = chi + c[SERIES_2] * std::sin(2.0 * chi) + c[SERIES_4] * std::sin(4.0 * chi) +
                           c[SERIES_6] * std::sin(6.0 * chi) + c[SERIES_8] * std::sin(8.0 * chi);
        const double dl = north ? std::atan2(x, -y) : std::atan2(x, y);
        out.latitude = lat;
        out.longitude = WrapLongitude(dl + p.m_OriginLongitude);
        PolarFactors(p, lat, dl, rho, out.convergence, out.scale);
        return true;
    }
    const double k2R = c[TWICE_RADIUS];
    if (k2R == 0.0)
        return false;
    const double y = northing - p.m_FalseNorthing;
    const double chi0 = c[SPHERE_LAT0];
    const double g = k2R * std::tan(kQuarterPi - chi0 / 2.0);
    const double h = 2.0 * k2R * std::tan(chi0) + g;
    const double i = std::atan(x / (h + y));
    const double j = std::atan(x / (g - y)) - i;
    const double chi = chi0 + 2.0 * std::atan((y - x * std::tan(j / 2.0)) / k2R);
    const double L = j + 2.0 * i;
    const double n = c[SPHERE_EXPONENT];
    const double sc = std::sin(chi);
    const double psi = 0.5 * std::log((1.0 + sc) / (c[SPHERE_FACTOR] * (1.0 - sc))) / n;
    const double lat = sph.LatitudeFromIsometricLatitude(psi);
    out.latitude = lat;
    out.longitude = WrapLongitude(L / n + p.m_OriginLongitude);
    const double s = std::sin(lat);
    const double nu = sph.m_SemiMajor / std::sqrt(1.0 - sph.m_E2 * s * s);
    ObliqueFactors(p, chi, L, std::cos(lat), nu, out.convergence, out.scale);
    return true;
}
} // namespace projections
