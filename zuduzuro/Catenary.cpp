#include "zuduzuro/Catenary.h"

#include <cmath>

namespace
{
const double kDegreesPerRadian = 57.2957795131;
}

CatenaryDef ComputeCatenary(double tension, double weight, double height)
{
    CatenaryDef e;
    if (weight == 0.0)
        return e;
    const double tk = tension * 1000.0;
    const double horizontal = tk - weight * height; // kgf
    if (tk == 0.0 || horizontal / tk == 1.0)
        return e;
    const double c = horizontal / tk;
    const double a = horizontal / weight;
    const double oneMinusC2 = 1.0 - c * c;
    e.t = (c != 0.0 && oneMinusC2 > 0.0) ? std::sqrt(oneMinusC2) / c : 0.0;
    e.s = a * e.t;
    const double arg = (c != 0.0) ? 1.0 / c + e.t : 0.0;
    e.x = arg > 0.0 ? a * std::log(arg) : 0.0;
    // Inputs at the edge of the double range can overflow a step; no caller can use an
    // infinite length, so such a case is no catenary at all.
    if (!std::isfinite(e.s) || !std::isfinite(e.x) || !std::isfinite(e.t))
        return CatenaryDef();
    return e;
}

double CatenaryAngle(const CatenaryDef& element)
{
    return std::atan(element.t) * kDegreesPerRadian;
}

double StraightSpan(double length, double height)
{
    const double h = std::fabs(height);
    if (!(length > h))
        return 0.0;
    const double run2 = length * length - h * h;
    return run2 > 0.0 && std::isfinite(run2) ? std::sqrt(run2) : 0.0;
}

double MeanWeight(std::initializer_list<std::pair<double, double>> parts, double fallback)
{
    double total = 0.0;
    double sum = 0.0;
    for (const auto& part : parts)
    {
        if (!(part.first > 0.0))
            continue;
        total += part.first;
        sum += part.first * part.second;
    }
    if (!(total > 0.0))
        return fallback;
    const double mean = sum / total;
    return std::isfinite(mean) ? mean : fallback;
}
