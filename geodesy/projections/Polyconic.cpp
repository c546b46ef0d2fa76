// American polyconic (type 10): Snyder, USGS PP 1395, §18, and IOGP Guidance Note 7-2
// ("American Polyconic"). Every parallel is the arc of its own tangent cone, true to scale, of
// radius nu cot(phi), whose angle is theta = dlambda sin(phi).
//
// The forward is written with S(theta) = sin(theta)/theta and C(theta) = (1 - cos(theta))/theta,
// E' = nu cos(phi) dlambda S, N' = M - M0 + nu cos(phi) dlambda C, which holds at and near the
// equator without a case of its own. The projection is not conformal: the scale reported is the
// scale along the meridian, h = |d(E, N)/dphi| / rho, and the convergence the bearing of the
// meridian, both from the derivatives of those expressions (on the equator h reduces to
// (E'^2/(2a^2) + 1 - e^2)/(1 - e^2), Snyder's form).
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace
{
using namespace projections;

// S, C and their derivatives; by series where the closed forms cancel.
void ArcFunctions(double theta, double& S, double& C, double& dS, double& dC)
{
    if (std::fabs(theta) < 1e-3)
    {
        const double t2 = theta * theta;
        S = 1.0 - t2 / 6.0 * (1.0 - t2 / 20.0);
        C = theta / 2.0 * (1.0 - t2 / 12.0 * (1.0 - t2 / 30.0));
        dS = -theta / 3.0 * (1.0 - t2 / 10.0);
        dC = 0.5 - t2 / 8.0 * (1.0 - t2 / 18.0);
        return;
    }
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double half = std::sin(theta / 2.0);
    const double versine = 2.0 * half * half; // 1 - cos(theta) without cancellation
    S = s / theta;
    C = versine / theta;
    dS = (theta * c - s) / (theta * theta);
    dC = (theta * s - versine) / (theta * theta);
}

void PolyconicFactors(const CSpheroid& sph, double sinLat, double cosLat, double dl, double& convergence,
                      double& scale)
{
    const double w = 1.0 - sph.m_E2 * sinLat * sinLat;
    const double nu = sph.m_SemiMajor / std::sqrt(w);
    const double rho = nu * sph.m_OneMinusE2 / w;
    double S, C, dS, dC;
    ArcFunctions(dl * sinLat, S, C, dS, dC);
    const double g = nu * cosLat * cosLat * dl; // nu cos(phi) d(theta)/dphi
    const double dx = dl * (-rho * sinLat * S + g * dS);
    const double dy = rho + dl * (-rho * sinLat * C + g * dC);
    convergence = std::atan2(-dx, dy);
    scale = std::hypot(dx, dy) / rho;
}
} // namespace

namespace projections
{
bool PolyconicForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                      GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double dl = WrapLongitude(lon - p.m_OriginLongitude);
    double S, C, dS, dC;
    ArcFunctions(dl * t.sinLat, S, C, dS, dC);
    const double r = t.nu * t.cosLat * dl;
    out.easting = p.m_FalseEasting + r * S;
    out.northing = p.m_FalseNorthing + sph.MeridionalArc(lat, t.sinLat, t.cosLat) - p.m_M0 + r * C;
    PolyconicFactors(sph, t.sinLat, t.cosLat, dl, out.convergence, out.scale);
    return true;
}

bool PolyconicInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double a = sph.m_SemiMajor;
    const double e2 = sph.m_E2;
    const double x = easting - p.m_FalseEasting;
    const double y = northing - p.m_FalseNorthing;
    const double A = (p.m_M0 + y) / a;
    if (std::fabs(A) < 1e-12)
    {
        // On the equator (within a few micrometres).
        out.latitude = 0.0;
        out.longitude = WrapLongitude(x / a + p.m_OriginLongitude);
        PolyconicFactors(sph, 0.0, 1.0, x / a, out.convergence, out.scale);
        return true;
    }
    const double B = x * x / (a * a) + A * A;
    double lat = A;
    bool converged = false;
    double C = 0.0;
    for (int round = 0; round < CSpheroid::MAX_ROUNDS && !converged; ++round)
    {
        const double s = std::sin(lat);
        const double c = std::cos(lat);
        const double w = 1.0 - e2 * s * s;
        C = std::sqrt(w) * s / c;
        const double Mn = sph.MeridionalArc(lat, s, c) / a;
        const double Ma = sph.m_OneMinusE2 / (w * std::sqrt(w)); // dM/dphi / a = rho / a
        const double s2 = 2.0 * s * c;
        const double step =
            (A * (C * Mn + 1.0) - Mn - 0.5 * (Mn * Mn + B) * C) /
            (e2 * s2 * (Mn * Mn + B - 2.0 * A * Mn) / (4.0 * C) + (A - Mn) * (C * Ma - 2.0 / s2) - Ma);
        lat -= step;
        converged = std::fabs(step) <= CSpheroid::TOLERANCE;
    }
    if (!converged || !std::isfinite(lat))
        return false;
    const double s = std::sin(lat);
    const double c = std::cos(lat);
    C = std::sqrt(1.0 - e2 * s * s) * s / c;
    double sinTheta = C * x / a;
    // |sin(theta)| passes 1 by up to 1e-10 at the end of a parallel's arc, as far as the latitude
    // iteration's tolerance moves it. Beyond that the point lies off the arc and has no
    // longitude: no position, rather than a longitude left unset.
    if (std::fabs(sinTheta) > 1.0)
    {
        if (!(std::fabs(sinTheta) <= 1.0 + 1e-9))
            return false;
        sinTheta = std::copysign(1.0, sinTheta);
    }
    const double dl = std::asin(sinTheta) / s;
    out.latitude = lat;
    out.longitude = WrapLongitude(dl + p.m_OriginLongitude);
    PolyconicFactors(sph, s, c, dl, out.convergence, out.scale);
    return true;
}
} // namespace projections
