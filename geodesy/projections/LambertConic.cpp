// Lambert conformal conic (type 6, and type 12 method 1 in US survey feet).
//
// Method 0 is the one-parallel conic computed by the arc series of the Army Map Service tables
// (the series of IOGP Guidance Note 7-2, "Lambert Conic Near-Conformal", carried to the sixth
// power of the meridian distance): within a millimetre of the exact one-parallel conic 300 km
// from its parallel. Methods 1 and 2, and the 1927 State Plane Lambert zones, are the exact
// two-parallel conic (Snyder, "Map Projections: A Working Manual", USGS PP 1395, 1987, §15;
// Guidance Note 7-2, "Lambert Conic Conformal (2SP)"), method 1 in the t form and method 2 in
// the isometric-latitude form of the same cone; the origin (FE, FN) is at the latitude and
// longitude of origin. Being conformal, every method reports convergence theta (the angle
// at the apex from the central meridian) and scale rho n / (a m), m = cos(phi)/sqrt(1 - e^2
// sin^2(phi)), on the true ellipsoid also where the 1927 Michigan zones enlarge it for the cone.
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

enum
{
    CONE = 0,            // n; 0 when the parallels give no cone
    CONE_RADIUS_FACTOR,  // aF, metres
    ORIGIN_RADIUS,       // rho0, metres: cone radius at the latitude of origin
    APEX_NORTHING,       // FN + rho0, grid units
    TRUE_SCALE_LATITUDE, // phi_c, sin(phi_c) = n: where the scale is least
    TRUE_SCALE_RADIUS,   // rho_c, metres
    TRUE_SCALE_TAN,      // tan(phi_c)
    TRUE_SCALE_NORTHING, // FN + rho0 - rho_c, grid units
    ARC_A = 8,           // arc series of methods 0 and 1: A, B, C, D (per metre^3 .. metre^6)
    ARC_B,
    ARC_C,
    ARC_D,
    ARC_R0,              // k0 nu0 / tan(phi0), metres
    ARC_SIN_LAT0,        // sin(phi0), the cone constant of the series; 0 when unusable
    ELLIPSOID_SCALE = 18 // 1927 Michigan zones: the ellipsoid enlarged by this factor; 0 means 1
};

bool IsArcSeries(const CProjection& p)
{
    return p.m_DataType == 6 && p.m_Method == 0;
}

// The semi-major axis the cone is computed on: the Michigan zones of 1927 enlarge the ellipsoid
// to their mean ground height.
double ConeSemiMajor(const CProjection& p)
{
    const double factor = (p.m_DataType == 12) ? p.m_Constants[ELLIPSOID_SCALE] : 0.0;
    return p.m_pSpheroid->m_SemiMajor * (factor > 0.0 ? factor : 1.0);
}

// The scale along the meridian of the arc series at meridian distance m from the parallel of
// origin, dM/dm: the meridians are the cone's straight radii. Along the parallel the series
// agrees with it to 6e-9 three degrees from the parallel.
double ArcSeriesScale(const CProjection& p, double m)
{
    const double* c = p.m_Constants;
    const double m2 = m * m;
    return p.m_ScaleFactor *
           (1.0 + m2 * (3.0 * c[ARC_A] + m * (4.0 * c[ARC_B] + m * (5.0 * c[ARC_C] + m * 6.0 * c[ARC_D]))));
}

// cos(phi)/sqrt(1 - e^2 sin^2(phi)): the radius of the parallel over a.
double ParallelRatio(const CSpheroid& sph, double lat)
{
    const double s = std::sin(lat);
    return std::cos(lat) / std::sqrt(1.0 - sph.m_E2 * s * s);
}
} // namespace

void CProjection::ComputeConicConstants()
{
    const bool conic = m_DataType == 6 || (m_DataType == 12 && m_Method == 1);
    if (!conic || !m_pSpheroid || m_pSpheroid->m_SemiMajor == 0.0)
        return;
    const CSpheroid& sph = *m_pSpheroid;
    double* c = m_Constants;
    const double a = ConeSemiMajor(*this);
    const double u = GridUnitsPerMetre(*this);
    const double e2 = sph.m_E2;
    // The origin terms are taken here, not from the members, so that a caller that changed the
    // latitude of origin and went straight to the cone is still right.
    const double lat0 = m_OriginLatitude;
    const double s0 = std::sin(lat0);
    const double c0 = std::cos(lat0);
    const double w0 = 1.0 - e2 * s0 * s0;
    const double nu0 = a / std::sqrt(w0);
    const double rho0 = nu0 * sph.m_OneMinusE2 / w0;
    const double psi0 = sph.IsometricLatitude(lat0);

    for (int i = 0; i < ELLIPSOID_SCALE; ++i)
        c[i] = 0.0;

    if (m_Method != 0 || m_DataType == 12)
    {
        const double lat1 = m_Parallel1;
        const double lat2 = m_Parallel2;
        const double m1 = ParallelRatio(sph, lat1);
        const double m2 = ParallelRatio(sph, lat2);
        const double psi1 = sph.IsometricLatitude(lat1);
        const double psi2 = sph.IsometricLatitude(lat2);
        // Two equal parallels are the tangent cone, the limit of the secant cone as they meet
        // (the general expression is 0/0 there).
        const double n = (lat1 == lat2) ? std::sin(lat1) : std::log(m1 / m2) / (psi2 - psi1);
        if (!(std::isfinite(n) && n != 0.0 && std::fabs(n) <= 1.0))
            return; // no cone: every conversion fails
        const double aF = std::exp(n * psi1) * a * m1 / n;
        const double rho = aF / std::exp(n * psi0);
        c[CONE] = n;
        c[CONE_RADIUS_FACTOR] = aF;
        c[ORIGIN_RADIUS] = rho;
        c[APEX_NORTHING] = m_FalseNorthing + u * rho;
        const double latc = std::asin(n);
        const double rhoc = aF / std::exp(n * sph.IsometricLatitude(latc));
        c[TRUE_SCALE_LATITUDE] = latc;
        c[TRUE_SCALE_RADIUS] = rhoc;
        c[TRUE_SCALE_TAN] = std::tan(latc);
        c[TRUE_SCALE_NORTHING] = m_FalseNorthing + u * (rho - rhoc);
        if (m_Method == 1 && m_DataType == 6)
        {
            // Scale at the origin of the cone of constant sin(phi0) true to scale on phi1.
            const double nu1 = a / std::sqrt(1.0 - e2 * std::sin(lat1) * std::sin(lat1));
            m_ScaleFactor =
                (c0 == 0.0) ? 1.0 : std::exp(s0 * (psi1 - psi0)) * nu1 * std::cos(lat1) / (nu0 * c0);
        }
        else
        {
            // On the true ellipsoid: an enlarged one scales the whole grid.
            m_ScaleFactor = c[TRUE_SCALE_TAN] * std::sqrt(1.0 - e2 * n * n) * rhoc / sph.m_SemiMajor;
        }
    }

    if (m_DataType == 6 && m_Method <= 1 && nu0 != 0.0 && s0 != 0.0 && c0 != 0.0)
    {
        const double t0 = s0 / c0;
        const double ep2 = sph.m_Ep2;
        const double cc = c0 * c0;
        const double A = 1.0 / (6.0 * rho0 * nu0);
        const double q = 1.0 / (120.0 * rho0 * rho0 * nu0 * nu0);
        c[ARC_A] = A;
        c[ARC_B] = A * t0 * (1.0 - 4.0 * ep2 * cc) / (4.0 * nu0);
        c[ARC_C] = (5.0 + 3.0 * t0 * t0 - 3.0 * ep2 * (cc + 1.0)) * q;
        c[ARC_D] = (7.0 + 4.0 * t0 * t0) * t0 / (2.0 * nu0) * q;
        c[ARC_R0] = m_ScaleFactor * nu0 / t0;
        c[ARC_SIN_LAT0] = s0;
    }
}

namespace projections
{
bool LambertForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                    GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    const double dl = WrapLongitude(lon - p.m_OriginLongitude);
    if (IsArcSeries(p))
    {
        const double sinLat0 = c[ARC_SIN_LAT0];
        if (sinLat0 == 0.0 || !(t.cosLat > 0.0))
            return false;
        const double k0 = p.m_ScaleFactor;
        const double m = sph.MeridionalArc(lat, t.sinLat, t.cosLat) - p.m_M0;
        const double m2 = m * m;
        const double M = k0 * m * (1.0 + m2 * (c[ARC_A] + m * (c[ARC_B] + m * (c[ARC_C] + m * c[ARC_D]))));
        const double theta = dl * sinLat0;
        const double r = c[ARC_R0] - M;
        const double x = r * std::sin(theta);
        out.easting = p.m_FalseEasting + x;
        out.northing = p.m_FalseNorthing + M + x * std::tan(theta / 2.0);
        out.convergence = theta;
        out.scale = ArcSeriesScale(p, m);
        return true;
    }
    const double n = c[CONE];
    if (n == 0.0)
        return false;
    const double u = GridUnitsPerMetre(p);
    const double rho = c[CONE_RADIUS_FACTOR] * std::exp(-n * sph.IsometricLatitude(lat));
    const double theta = n * dl;
    out.easting = p.m_FalseEasting + u * rho * std::sin(theta);
    out.northing = p.m_FalseNorthing + u * (c[ORIGIN_RADIUS] - rho * std::cos(theta));
    out.convergence = theta;
    out.scale = rho * n * std::sqrt(1.0 - sph.m_E2 * t.sinLat * t.sinLat) / (sph.m_SemiMajor * t.cosLat);
    return true;
}

bool LambertInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    if (IsArcSeries(p))
    {
        const double sinLat0 = c[ARC_SIN_LAT0];
        if (sinLat0 == 0.0)
            return false;
        const double k0 = p.m_ScaleFactor;
        const double x = easting - p.m_FalseEasting;
        const double y = northing - p.m_FalseNorthing;
        // tan(theta) = x / (r cos(theta)) whichever side of the equator the cone opens.
        const double theta = std::atan(x / (c[ARC_R0] - y));
        const double M = y - x * std::tan(theta / 2.0);
        // The series M(m) is solved by Newton's method: reverting it in one step, as the tables
        // did, leaves 7 cm of error 320 km from the parallel and 6 m at 670 km.
        double m = M / k0;
        bool converged = false;
        for (int round = 0; round < CSpheroid::MAX_ROUNDS && !converged; ++round)
        {
            const double m2 = m * m;
            const double f =
                k0 * m * (1.0 + m2 * (c[ARC_A] + m * (c[ARC_B] + m * (c[ARC_C] + m * c[ARC_D])))) - M;
            const double df =
                k0 * (1.0 + m2 * (3.0 * c[ARC_A] +
                                  m * (4.0 * c[ARC_B] + m * (5.0 * c[ARC_C] + m * 6.0 * c[ARC_D]))));
            const double step = f / df;
            m -= step;
            converged = std::fabs(step) <= 1e-7;
        }
        if (!converged)
            return false;
        const double arc = m + p.m_M0;
        const double lat = sph.LatitudeFromMeridionalArc(sph.FootpointLatitude(arc), arc);
        out.latitude = lat;
        out.longitude = WrapLongitude(theta / sinLat0 + p.m_OriginLongitude);
        out.convergence = theta;
        out.scale = ArcSeriesScale(p, m);
        return true;
    }
    const double n = c[CONE];
    if (n == 0.0)
        return false;
    const double u = GridUnitsPerMetre(p);
    const double x = (easting - p.m_FalseEasting) / u;
    const double y = c[ORIGIN_RADIUS] - (northing - p.m_FalseNorthing) / u;
    // A cone that opens to the south (n < 0) has its apex below the grid: the radius and the
    // angle change sign with n.
    const double sign = n > 0.0 ? 1.0 : -1.0;
    const double r = sign * std::hypot(x, y);
    const double theta = std::atan2(sign * x, sign * y);
    double lat;
    if (r == 0.0)
        lat = sign * kHalfPi;
    else
        lat = sph.LatitudeFromIsometricLatitude(std::log(c[CONE_RADIUS_FACTOR] / r) / n);
    out.latitude = lat;
    out.longitude = WrapLongitude(theta / n + p.m_OriginLongitude);
    out.convergence = theta;
    const double s = std::sin(lat);
    out.scale = r * n * std::sqrt(1.0 - sph.m_E2 * s * s) / (sph.m_SemiMajor * std::cos(lat));
    return true;
}
} // namespace projections
