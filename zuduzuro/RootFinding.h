// The root finder of the cable solvers: Brent's method on a bracketed root (R. P. Brent,
// "Algorithms for Minimization without Derivatives", 1973, ch. 4), which never leaves its
// bracket and converges superlinearly on smooth functions.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace cablechain
{
// Passes before Brent's method gives up (it needs a few dozen at most).
constexpr int kBrentPasses = 300;

// The root of f between a and b, where f(a) and f(b) differ in sign (or one is 0), to within
// xtol (absolute, on top of the double's own precision).
template <typename F> double BrentRoot(F&& f, double a, double b, double fa, double fb, double xtol)
{
    if (fa == 0.0)
        return a;
    if (fb == 0.0)
        return b;
    const double eps = std::numeric_limits<double>::epsilon();
    double c = b, fc = fb, d = b - a, e = d;
    for (int pass = 0; pass < kBrentPasses; ++pass)
    {
        if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0))
        {
            c = a;
            fc = fa;
            e = d = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb))
        {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2.0 * eps * std::fabs(b) + 0.5 * xtol;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol || fb == 0.0)
            return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb))
        {
            // Inverse quadratic interpolation, or the secant when only two points differ.
            const double s = fb / fa;
            double p, q;
            if (a == c)
            {
                p = 2.0 * xm * s;
                q = 1.0 - s;
            }
            else
            {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
                q = -q;
            p = std::fabs(p);
            const double min1 = 3.0 * xm * q - std::fabs(tol * q);
            const double min2 = std::fabs(e * q);
            if (2.0 * p < std::min(min1, min2))
            {
                e = d;
                d = p / q;
            }
            else
            {
                d = xm;
                e = d;
            }
        }
        else
        {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (xm >= 0.0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

} // namespace cablechain
