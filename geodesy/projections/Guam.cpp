// Guam (type 8): the simplified azimuthal equidistant projection of IOGP Guidance Note 7-2
// ("Guam Projection"), x = nu cos(phi) dlambda, y = M(phi) - M0 + x^2 tan(phi) / (2 nu).
//
// It is not conformal. The convergence and the scale along the meridian are those of the
// formulas themselves, from their derivatives in latitude: dx/dphi = -rho sin(phi) dlambda
// (d(nu cos phi)/dphi = -rho sin phi) and dy/dphi = rho + dlambda^2 (nu cos^2 phi - rho
// sin^2 phi) / 2.
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

void GuamFactors(const CSpheroid& sph, double sinLat, double cosLat, double dl, double& convergence,
                 double& scale)
{
    const double w = 1.0 - sph.m_E2 * sinLat * sinLat;
    const double nu = sph.m_SemiMajor / std::sqrt(w);
    const double rho = nu * sph.m_OneMinusE2 / w;
    const double dx = -rho * sinLat * dl;
    const double dy = rho + 0.5 * dl * dl * (nu * cosLat * cosLat - rho * sinLat * sinLat);
    convergence = std::atan2(-dx, dy);
    scale = std::hypot(dx, dy) / rho;
}
} // namespace

namespace projections
{
bool GuamForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                 GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double dl = WrapLongitude(lon - p.m_OriginLongitude);
    const double x = t.nu * t.cosLat * dl;
    out.easting = p.m_FalseEasting + x;
    out.northing = p.m_FalseNorthing + sph.MeridionalArc(lat, t.sinLat, t.cosLat) - p.m_M0 +
                   x * x * t.tanLat / (2.0 * t.nu);
    GuamFactors(sph, t.sinLat, t.cosLat, dl, out.convergence, out.scale);
    return true;
}

bool GuamInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double x = easting - p.m_FalseEasting;
    const double y = northing - p.m_FalseNorthing + p.m_M0;
    double lat = p.m_OriginLatitude;
    bool converged = false;
    for (int round = 0; round < CSpheroid::MAX_ROUNDS && !converged; ++round)
    {
        const double s = std::sin(lat);
        const double nu = sph.m_SemiMajor / std::sqrt(1.0 - sph.m_E2 * s * s);
        const double next = sph.FootpointLatitude(y - std::tan(lat) * x * x / (2.0 * nu));
        converged = std::fabs(next - lat) <= CSpheroid::TOLERANCE;
        lat = next;
    }
    if (!converged)
        return false;
    const double s = std::sin(lat);
    const double c = std::cos(lat);
    const double nu = sph.m_SemiMajor / std::sqrt(1.0 - sph.m_E2 * s * s);
    const double dl = x / (nu * c);
    out.latitude = lat;
    out.longitude = WrapLongitude(dl + p.m_OriginLongitude);
    GuamFactors(sph, s, c, dl, out.convergence, out.scale);
    return true;
}
} // namespace projections
