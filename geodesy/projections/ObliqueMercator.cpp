// Oblique Mercator (type 11, and type 12 method 3 in US survey feet): Hotine's rectified skew
// orthomorphic projection measured from the natural origin (IOGP Guidance Note 7-2, "Hotine
// Oblique Mercator (variant A)"; Snyder, USGS PP 1395, §9), in the isometric-latitude form:
// Q = B psi + H on the aposphere, L = B (lambda - lambda_c).
//
// The zone table stores, first in the constants, s = sin(gamma0) and d = cos(gamma0) (gamma0
// the azimuth of the central line on the aposphere, on the zone's own spheroid), the skew
// co-ordinates (u, v) of the point that the rectified grid takes as its origin (they are
// subtracted before the rotation, which is how the entries' offsets give the published
// grids), and the sine and cosine of the rotation gamma_c from the skew to the rectified grid;
// without those the rotation is the fixed one of the method (method 0: 0.8 and 0.6, the
// Borneo grid; the others -0.6 and 0.8). After the constants the false easting and northing
// hold the grid co-ordinates of the centre of the projection.
//
// Convergence: the meridian's bearing on the skew grid, atan2(s + d sin L sinh Q, d cosh Q
// cos L), less gamma_c. Scale: A k0 cos(K u) / (nu cos(phi) cos L).
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

enum
{
    SIN_GAMMA0 = 0, // s (zone table)
    COS_GAMMA0,     // d (zone table); 0 when the projection has none: unusable
    ORIGIN_U,       // skew co-ordinates of the rectified origin (zone table), metres
    ORIGIN_V,
    SIN_RECTIFY, // sin and cos of gamma_c (zone table; both 0: the method's fixed rotation)
    COS_RECTIFY,
    TAN_GAMMA0 = 6, // s/d
    GAMMA0,
    APOSPHERE_B,
    APOSPHERE_A, // B sqrt(rho0 nu0), metres
    APOSPHERE_D,
    APOSPHERE_H, // ln F - B psi0
    NATURAL_LON, // lambda_c, longitude of the natural origin
    SKEW_FACTOR  // K = B / (A k0), per metre; 0 when unusable
};

void Rotation(const CProjection& p, double& sinGamma, double& cosGamma)
{
    sinGamma = p.m_Constants[SIN_RECTIFY];
    cosGamma = p.m_Constants[COS_RECTIFY];
    if (sinGamma == 0.0 && cosGamma == 0.0)
    {
        sinGamma = (p.m_Method == 0) ? 0.8 : -0.6;
        cosGamma = (p.m_Method == 0) ? 0.6 : 0.8;
    }
}

// Convergence and scale from the aposphere co-ordinates Q, L, the natural-origin skew u and the
// point's latitude.
void Factors(const CProjection& p, double Q, double L, double u, double sinLat, double cosLat,
             double& convergence, double& scale)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    double sg, cg;
    Rotation(p, sg, cg);
    const double s = c[SIN_GAMMA0];
    const double d = c[COS_GAMMA0];
    convergence =
        std::atan2(s + d * std::sin(L) * std::sinh(Q), d * std::cosh(Q) * std::cos(L)) - std::atan2(sg, cg);
    const double nu = sph.m_SemiMajor / std::sqrt(1.0 - sph.m_E2 * sinLat * sinLat);
    scale = p.m_ScaleFactor * c[APOSPHERE_A] * std::cos(c[SKEW_FACTOR] * u) / (nu * cosLat * std::cos(L));
}
} // namespace

namespace projections
{
void ObliqueMercatorConstants(CProjection& p)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    double* c = p.m_Constants;
    for (int i = TAN_GAMMA0; i < CProjection::CONSTANT_COUNT; ++i)
        c[i] = 0.0;
    const double s = c[SIN_GAMMA0];
    const double d = c[COS_GAMMA0];
    if (!(d > 0.0 && std::fabs(s) < 1.0) || p.m_CosLat0 <= 0.0 || p.m_ScaleFactor == 0.0)
        return;
    const double c0 = p.m_CosLat0;
    const double B = std::sqrt(1.0 + sph.m_Ep2 * c0 * c0 * c0 * c0);
    const double A = B * std::sqrt(p.m_Nu0 * p.m_Rho0);
    double D = A / (p.m_Nu0 * c0);
    if (D < 1.0)
        D = 1.0;
    // The aposphere's equator lies on the far side of the centre from the pole: F < 1 for a
    // centre in the southern hemisphere.
    const double F = D + (p.m_OriginLatitude < 0.0 ? -1.0 : 1.0) * std::sqrt(D * D - 1.0);
    const double H = std::log(F) - B * p.m_Psi0;
    const double arg = std::sinh(std::log(F)) * s / d;
    if (!(std::fabs(arg) <= 1.0))
        return;
    c[TAN_GAMMA0] = s / d;
    c[GAMMA0] = std::atan(s / std::sqrt(1.0 - s * s));
    c[APOSPHERE_B] = B;
    c[APOSPHERE_A] = A;
    c[APOSPHERE_D] = D;
    c[APOSPHERE_H] = H;
    c[NATURAL_LON] = p.m_OriginLongitude - std::asin(arg) / B;
    c[SKEW_FACTOR] = B / (A * p.m_ScaleFactor);

    CProjection::PointTerms t;
    t.sinLat = p.m_SinLat0;
    t.cosLat = c0;
    t.tanLat = p.m_TanLat0;
    t.nu = p.m_Nu0;
    t.rho = p.m_Rho0;
    GridPoint centre;
    if (ObliqueMercatorForward(p, p.m_OriginLatitude, p.m_OriginLongitude, t, centre))
    {
        p.m_FalseEasting = centre.easting;
        p.m_FalseNorthing = centre.northing;
    }
}

bool ObliqueMercatorForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                            GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    const double K = c[SKEW_FACTOR];
    if (K == 0.0)
        return false;
    const double s = c[SIN_GAMMA0];
    const double d = c[COS_GAMMA0];
    const double Q = c[APOSPHERE_B] * sph.IsometricLatitude(lat) + c[APOSPHERE_H];
    const double L = c[APOSPHERE_B] * WrapLongitude(lon - c[NATURAL_LON]);
    const double sinL = std::sin(L);
    const double cosL = std::cos(L);
    const double u = std::atan2(d * std::sinh(Q) + s * sinL, cosL) / K;
    const double w = (d * sinL - s * std::sinh(Q)) / std::cosh(Q);
    if (!(std::fabs(w) < 1.0))
        return false;
    const double v = std::atanh(w) / K;
    double sg, cg;
    Rotation(p, sg, cg);
    const double uu = u - c[ORIGIN_U];
    const double vv = v - c[ORIGIN_V];
    const double unit = GridUnitsPerMetre(p);
    out.easting = unit * (vv * cg + uu * sg);
    out.northing = unit * (uu * cg - vv * sg);
    Factors(p, Q, L, u, t.sinLat, t.cosLat, out.convergence, out.scale);
    return true;
}

bool ObliqueMercatorInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double* c = p.m_Constants;
    const double K = c[SKEW_FACTOR];
    if (K == 0.0)
        return false;
    const double s = c[SIN_GAMMA0];
    const double d = c[COS_GAMMA0];
    double sg, cg;
    Rotation(p, sg, cg);
    const double unit = GridUnitsPerMetre(p);
    const double e = easting / unit;
    const double n = northing / unit;
    const double u = n * cg + e * sg + c[ORIGIN_U];
    const double v = e * cg - n * sg + c[ORIGIN_V];
    const double Ku = K * u;
    const double Kv = K * v;
    const double U = (d * std::sin(Ku) - s * std::sinh(Kv)) / std::cosh(Kv);
    const double L = std::atan2(d * std::sinh(Kv) + s * std::sin(Ku), std::cos(Ku));
    out.longitude = WrapLongitude(c[NATURAL_LON] + L / c[APOSPHERE_B]);
    if (std::fabs(U) >= 1.0)
    {
        // A pole of the ellipsoid: every meridian meets there.
        out.latitude = std::copysign(kHalfPi, U);
        out.convergence = 0.0;
        out.scale = p.m_ScaleFactor;
        return true;
    }
    const double Q = std::atanh(U);
    const double lat = sph.LatitudeFromIsometricLatitude((Q - c[APOSPHERE_H]) / c[APOSPHERE_B]);
    out.latitude = lat;
    Factors(p, Q, L, u, std::sin(lat), std::cos(lat), out.convergence, out.scale);
    return true;
}
} // namespace projections
