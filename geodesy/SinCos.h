// SinCosSmall: the sine and cosine of one small angle together, for the conversions' hot
// paths, where the C library's pair costs more in range reduction, branches and saving the
// rounding mode than in arithmetic.
#pragma once

namespace geodesy
{
// Sine and cosine of x (radians, |x| <= pi/4), each within 1.5 ulp of the true value: their
// Taylor series to x^17 and x^18, whose first omitted terms are below 1e-19 at pi/4. Summed
// by Estrin's scheme (pairs of terms, then pairs of pairs) rather than Horner's rule, which
// halves the chain of steps that each wait on the one before: a conversion waits on this
// result, so its latency is what counts.
inline void SinCosSmall(double x, double& sine, double& cosine)
{
    const double z = x * x;
    const double z2 = z * z;
    const double z4 = z2 * z2;
    // sin x = x + x z (-1/3! + z/5! - ...), cos x = 1 - z (1/2! - z (1/4! - z/6! + ...)).
    const double ps = (-1.66666666666666666667e-01 + z * 8.33333333333333333333e-03) +
                      z2 * (-1.98412698412698412698e-04 + z * 2.75573192239858906526e-06) +
                      z4 * ((-2.50521083854417187751e-08 + z * 1.60590438368216145994e-10) +
                            z2 * (-7.64716373181981647590e-13 + z * 2.81145725434552076320e-15));
    const double pc = (4.16666666666666666667e-02 + z * -1.38888888888888888889e-03) +
                      z2 * (2.48015873015873015873e-05 + z * -2.75573192239858906526e-07) +
                      z4 * ((2.08767569878680989792e-09 + z * -1.14707455977297247139e-11) +
                            z2 * (4.77947733238738529744e-14 + z * -1.56192069685862264622e-16));
    sine = x + x * z * ps;
    cosine = 1.0 - z * (0.5 - z * pc);
}
} // namespace geodesy
