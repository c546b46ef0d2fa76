// The bins of the Boxin range-residual histogram: the X range in whole fives round the
// residuals, the bin width, one point per bin (lower edge, count) and the largest count.
#pragma once

#include "foundation/XYArray.h"

#include <vector>

struct BOXIN_HISTOGRAM
{
    double xMin = -5.0;
    double xMax = 5.0;
    double width = 1.0; // the bin width, also the view's X step selector
    double yMax = 1.0;  // the largest count, at least 1
    CXYArray points;    // x: a bin's lower edge, y: its count
};

// At most this many bins, whatever the residuals: a diverged solution's residuals must not
// ask for millions of bins.
const int BOXIN_HISTOGRAM_MAX_BINS = 100;

// X from floor(min / 5) * 5 to ceil(max / 5) * 5 (one more when the two meet); bins 1 wide, or
// 10 wide beyond a span of 50, widened along 1-2-5 steps while they would exceed the maximum;
// each residual counted in bin (residual - xMin) / width truncated. Residuals that are not
// finite are not counted; limits that are not finite give the range 0 to 1.
BOXIN_HISTOGRAM BinResiduals(double minResidual, double maxResidual, const std::vector<double>& residuals);
