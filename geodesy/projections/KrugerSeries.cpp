#include "geodesy/projections/KrugerSeries.h"

#include "geodesy/Spheroid.h"

#include <cmath>

namespace
{
// Beyond this Gauss-Schreiber ordinate the n^6 series drifts from the exact projection by
// more than a centimetre (measured against the exact projection of Lee and Karney).
constexpr double kEtaLimit = 1.78;

// tan of the conformal latitude from tan of the geodetic latitude (Karney 2011, eq. 7), in a
// form that keeps its precision up to the poles.
double ConformalTan(double tau, double e)
{
    const double tau1 = std::hypot(1.0, tau);
    const double sig = std::sinh(e * std::atanh(e * tau / tau1));
    return std::hypot(1.0, sig) * tau - sig * tau1;
}

// The reverse of ConformalTan by Newton's method (Karney 2011, eqs. 19-21); two or three
// rounds reach double precision.
double GeodeticTan(double taup, double e, double e2m)
{
    double tau = taup / e2m;
    const double tol = 1e-15 * std::fmax(1.0, std::fabs(taup));
    for (int i = 0; i < 10; ++i)
    {
        const double taupa = ConformalTan(tau, e);
        const double dtau = (taup - taupa) * (1.0 + e2m * tau * tau) /
                            (e2m * std::hypot(1.0, tau) * std::hypot(1.0, taupa));
        tau += dtau;
        if (!(std::fabs(dtau) >= tol))
            break;
    }
    return tau;
}
// The six-term sums of the series at (xi, eta): sx + i sy = sum c_j sin(2j (xi + i eta)), and
// p - i q its derivative plus one, 1 + sum 2j c_j cos(2j (xi + i eta)).
void SumSeries(const double (&c)[6], double xi, double eta, double& sx, double& sy, double& p, double& q)
{
    sx = sy = q = 0.0;
    p = 1.0;
    for (int j = 1; j <= 6; ++j)
    {
        const double s2 = std::sin(2 * j * xi), c2 = std::cos(2 * j * xi);
        const double sh = std::sinh(2 * j * eta), ch = std::cosh(2 * j * eta);
        sx += c[j - 1] * s2 * ch;
        sy += c[j - 1] * c2 * sh;
        p += 2 * j * c[j - 1] * c2 * ch;
        q += 2 * j * c[j - 1] * s2 * sh;
    }
}
} // namespace

CKrugerSeries::CKrugerSeries(const CSpheroid& spheroid)
{
    const double n = spheroid.m_N;
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
    m_A = spheroid.m_SemiMajor / (1.0 + n) * (1.0 + n2 / 4.0 + n4 / 64.0 + n6 / 256.0);
    m_AOverA = m_A / spheroid.m_SemiMajor;
    m_E = spheroid.m_E;
    m_E2m = 1.0 - spheroid.m_E2;
    m_Alpha[0] = n / 2.0 - 2.0 * n2 / 3.0 + 5.0 * n3 / 16.0 + 41.0 * n4 / 180.0 - 127.0 * n5 / 288.0 +
                 7891.0 * n6 / 37800.0;
    m_Alpha[1] = 13.0 * n2 / 48.0 - 3.0 * n3 / 5.0 + 557.0 * n4 / 1440.0 + 281.0 * n5 / 630.0 -
                 1983433.0 * n6 / 1935360.0;
    m_Alpha[2] = 61.0 * n3 / 240.0 - 103.0 * n4 / 140.0 + 15061.0 * n5 / 26880.0 + 167603.0 * n6 / 181440.0;
    m_Alpha[3] = 49561.0 * n4 / 161280.0 - 179.0 * n5 / 168.0 + 6601661.0 * n6 / 7257600.0;
    m_Alpha[4] = 34729.0 * n5 / 80640.0 - 3418889.0 * n6 / 1995840.0;
    m_Alpha[5] = 212378941.0 * n6 / 319334400.0;
    m_Beta[0] = n / 2.0 - 2.0 * n2 / 3.0 + 37.0 * n3 / 96.0 - n4 / 360.0 - 81.0 * n5 / 512.0 +
                96199.0 * n6 / 604800.0;
    m_Beta[1] = n2 / 48.0 + n3 / 15.0 - 437.0 * n4 / 1440.0 + 46.0 * n5 / 105.0 - 1118711.0 * n6 / 3870720.0;
    m_Beta[2] = 17.0 * n3 / 480.0 - 37.0 * n4 / 840.0 - 209.0 * n5 / 4480.0 + 5569.0 * n6 / 90720.0;
    m_Beta[3] = 4397.0 * n4 / 161280.0 - 11.0 * n5 / 504.0 - 830251.0 * n6 / 7257600.0;
    m_Beta[4] = 4583.0 * n5 / 161280.0 - 108847.0 * n6 / 3991680.0;
    m_Beta[5] = 20648693.0 * n6 / 638668800.0;
}

bool CKrugerSeries::Forward(double latitude, double omega, double& xi, double& eta, double& convergence,
                            double& scale) const
{
    const double c = std::cos(latitude);
    const double cosOmega = std::cos(omega), sinOmega = std::sin(omega);
    // At a pole tan is infinite: the conformal sphere's pole is taken directly.
    const bool pole = !(c > 1e-15);
    const double taup = pole ? 0.0 : ConformalTan(std::tan(latitude), m_E);
    const double xip = pole ? std::copysign(1.5707963267948966, latitude) : std::atan2(taup, cosOmega);
    const double r = std::hypot(taup, cosOmega);
    const double etap = pole ? 0.0 : std::asinh(sinOmega / r);
    if (!(std::fabs(etap) <= kEtaLimit))
        return false;
    double sx, sy, p, q;
    SumSeries(m_Alpha, xip, etap, sx, sy, p, q);
    xi = xip + sx;
    eta = etap + sy;
    if (pole)
    {
        // The limits of the expressions below as the latitude reaches the pole.
        convergence = std::copysign(omega, latitude);
        scale = m_AOverA * std::sqrt(m_E2m) * std::exp(m_E * std::atanh(m_E)) * p;
        return true;
    }
    // Karney 2011, eqs. 24-25 with the series' own part (eq. 26).
    const double tau = std::tan(latitude);
    convergence = std::atan2(taup * sinOmega, std::hypot(1.0, taup) * cosOmega) + std::atan2(q, p);
    const double s = std::sin(latitude);
    const double kp = std::sqrt(1.0 - (1.0 - m_E2m) * s * s) * std::hypot(1.0, tau) / r;
    scale = m_AOverA * kp * std::hypot(p, q);
    return true;
}

bool CKrugerSeries::Inverse(double xi, double eta, double& latitude, double& omega, double& convergence,
                            double& scale) const
{
    if (!(std::fabs(eta) <= kEtaLimit) || !(std::fabs(xi) <= 1.5707963267948966 + 1e-12))
        return false;
    double sx, sy, p, q;
    SumSeries(m_Beta, xi, eta, sx, sy, p, q);
    p = 2.0 - p; // the derivative of xi - sum, not of xi + sum
    const double xip = xi - sx;
    const double etap = eta - sy;
    const double sinhEtap = std::sinh(etap);
    const double cosXip = std::fmax(0.0, std::cos(xip));
    const double r = std::hypot(sinhEtap, cosXip);
    if (r == 0.0)
    {
        // A pole: the longitude is any; the central meridian's is given.
        latitude = std::copysign(1.5707963267948966, xip);
        omega = 0.0;
        convergence = std::atan2(q, p);
        scale = m_AOverA * std::sqrt(m_E2m) * std::exp(m_E * std::atanh(m_E)) / std::hypot(p, q);
        return true;
    }
    omega = std::atan2(sinhEtap, cosXip);
    const double sinXip = std::sin(xip);
    const double tau = GeodeticTan(sinXip / r, m_E, m_E2m);
    latitude = std::atan(tau);
    convergence = std::atan2(sinXip * std::tanh(etap), cosXip) + std::atan2(q, p);
    scale = m_AOverA * std::sqrt(m_E2m + (1.0 - m_E2m) / (1.0 + tau * tau)) * std::hypot(1.0, tau) * r /
            std::hypot(p, q);
    return true;
}
