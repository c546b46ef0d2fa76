#include "outside/terralin/GridRangeBearing.h"

#include "foundation/Geometry.h"

#include <cfloat>
#include <cmath>

GRID_RANGE_BEARING ComputeGridRangeBearing(double e1, double n1, double e2, double n2)
{
    GRID_RANGE_BEARING result;
    result.distance = result.bearing = result.reverseBearing = DBL_MAX;
    if (e1 == DBL_MAX || n1 == DBL_MAX || e2 == DBL_MAX || n2 == DBL_MAX)
        return result;
    double bearing = 0.0;
    ComputeRangeBearing(e1, n1, e2, n2, &bearing, &result.distance);
    if (result.distance > 0.0)
    {
        constexpr double kTwoPi = 6.283185307179586;
        result.bearing = bearing;
        result.reverseBearing = std::fmod(bearing + kTwoPi / 2.0, kTwoPi);
    }
    return result;
}
