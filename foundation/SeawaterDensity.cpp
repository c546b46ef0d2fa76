#include "foundation/SeawaterDensity.h"

#include <cmath>

double SeawaterDensity(double t, double s)
{
    const double rhoW = 999.842594 + 6.793952e-2 * t - 9.095290e-3 * t * t + 1.001685e-4 * t * t * t -
                        1.120083e-6 * t * t * t * t + 6.536332e-9 * t * t * t * t * t;
    const double a =
        0.824493 - 4.0899e-3 * t + 7.6438e-5 * t * t - 8.2467e-7 * t * t * t + 5.3875e-9 * t * t * t * t;
    const double b = -5.72466e-3 + 1.0227e-4 * t - 1.6546e-6 * t * t;
    return rhoW + a * s + b * std::sqrt(s * s * s) + 4.8314e-4 * s * s;
}
