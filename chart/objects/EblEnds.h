// The measuring lines of the chart (bearing lines, the divider) take their ends from the user
// and the host, where DBL_MAX stands for a position not yet known: such an end, or one that is
// not finite, is missing, and a line with a missing end is neither measured nor drawn.
#pragma once

#include <cfloat>
#include <cmath>

inline bool AreEndsPresent(double x1, double y1, double x2, double y2)
{
    for (double value : {x1, y1, x2, y2})
        if (!std::isfinite(value) || std::fabs(value) == DBL_MAX)
            return false;
    return true;
}
