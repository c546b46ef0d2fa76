// Cassini-Soldner (type 7): the series of IOGP Guidance Note 7-2 ("Cassini-Soldner"; Snyder,
// USGS PP 1395, §13), with the scale factor k0 on both axes.
//
// The projection is not conformal. Its convergence and its scale along the meridian are taken
// from the derivatives of the series in latitude, so that they describe the grid the series
// makes: a construction from the exact perpendicular geodesic (Clairaut's relation) differs
// from the series' own grid north by 1e-4 of the convergence 100 km from the central meridian.
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

// Easting and northing from the origin (metres, before k0) of the series at latitude sine,
// cosine and longitude difference dl, and their derivatives in latitude.
void CassiniSeries(const CSpheroid& sph, double s, double c, double dl, double& x, double& dx, double& dyTerm,
                   double& ddyTerm)
{
    const double w = 1.0 - sph.m_E2 * s * s;
    const double nu = sph.m_SemiMajor / std::sqrt(w);
    const double dnu = nu * sph.m_E2 * s * c / w;
    const double t = s / c;
    const double sec2 = 1.0 / (c * c);
    const double A = dl * c;
    const double A2 = A * A;
    const double T = t * t;
    const double C = sph.m_Ep2 * c * c;
    const double dA = -A * t;
    const double dT = 2.0 * t * sec2;
    const double dC = -2.0 * C * t;
    const double r5 = (8.0 - T + 8.0 * C) / 120.0;
    const double P = A - T * A * A2 / 6.0 - r5 * T * A * A2 * A2;
    const double dP =
        dA - (dT * A * A2 + 3.0 * T * A2 * dA) / 6.0 -
        ((8.0 * dC - dT) * T * A * A2 * A2 / 120.0 + r5 * (dT * A * A2 * A2 + 5.0 * T * A2 * A2 * dA));
    x = nu * P;
    dx = dnu * P + nu * dP;
    const double r4 = (5.0 - T + 6.0 * C) / 24.0;
    const double Q = A2 / 2.0 + r4 * A2 * A2;
    const double dQ = A * dA + (6.0 * dC - dT) * A2 * A2 / 24.0 + r4 * 4.0 * A * A2 * dA;
    dyTerm = nu * t * Q;
    ddyTerm = (dnu * t + nu * sec2) * Q + nu * t * dQ;
}

void CassiniFactors(const CProjection& p, double s, double c, double dl, double& convergence, double& scale)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    double x, dx, yTerm, dyTerm;
    CassiniSeries(sph, s, c, dl, x, dx, yTerm, dyTerm);
    const double w = 1.0 - sph.m_E2 * s * s;
    const double rho = sph.m_SemiMajor * sph.m_OneMinusE2 / (w * std::sqrt(w));
    const double dy = rho + dyTerm;
    convergence = std::atan2(-dx, dy);
    scale = p.m_ScaleFactor * std::hypot(dx, dy) / rho;
}
} // namespace

namespace projections
{
bool CassiniForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                    GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double k0 = p.m_ScaleFactor;
    const double dl = WrapLongitude(lon - p.m_OriginLongitude);
    double x, dx, yTerm, dyTerm;
    CassiniSeries(sph, t.sinLat, t.cosLat, dl, x, dx, yTerm, dyTerm);
    out.easting = p.m_FalseEasting + k0 * x;
    out.northing = p.m_FalseNorthing + k0 * (sph.MeridionalArc(lat, t.sinLat, t.cosLat) - p.m_M0 + yTerm);
    CassiniFactors(p, t.sinLat, t.cosLat, dl, out.convergence, out.scale);
    return true;
}

bool CassiniInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double k0 = p.m_ScaleFactor;
    const double x = easting - p.m_FalseEasting;
    const double arc = (northing - p.m_FalseNorthing) / k0 + p.m_M0;
    const double foot = (arc == 0.0 && p.m_FalseNorthing == 0.0) ? 0.0 : sph.FootpointLatitude(arc);
    const double s1 = std::sin(foot);
    const double c1 = std::cos(foot);
    if (!(c1 > 0.0))
        return false;
    const double t1 = s1 / c1;
    const double w = 1.0 - sph.m_E2 * s1 * s1;
    const double nu1 = sph.m_SemiMajor / std::sqrt(w);
    const double rho1 = nu1 * sph.m_OneMinusE2 / w;
    const double T1 = t1 * t1;
    const double D = x / (k0 * nu1);
    const double D2 = D * D;
    const double lat = foot - (nu1 * t1 / rho1) * D2 * (0.5 - (1.0 + 3.0 * T1) * D2 / 24.0);
    const double lon =
        p.m_OriginLongitude + D * (1.0 - T1 * D2 / 3.0 + (1.0 + 3.0 * T1) * T1 * D2 * D2 / 15.0) / c1;
    out.latitude = lat;
    out.longitude = WrapLongitude(lon);
    CassiniFactors(p, std::sin(lat), std::cos(lat), WrapLongitude(lon - p.m_OriginLongitude), out.convergence,
                   out.scale);
    return true;
}
} // namespace projections
