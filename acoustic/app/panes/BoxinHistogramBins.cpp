#include "acoustic/app/panes/BoxinHistogramBins.h"

#include <cmath>

namespace
{
// Edges from xMin in steps of width while the edge does not pass xMax.
double BinCount(double span, double width)
{
    return std::floor(span / width) + 1.0;
}

// The 1-2-5 width after `width`.
double NextWidth(double width)
{
    const double decade = std::pow(10.0, std::floor(std::log10(width)));
    const double mantissa = width / decade;
    if (mantissa < 1.5)
        return 2.0 * decade;
    if (mantissa < 3.5)
        return 5.0 * decade;
    return 10.0 * decade;
}
} // namespace

BOXIN_HISTOGRAM BinResiduals(double minResidual, double maxResidual, const std::vector<double>& residuals)
{
    BOXIN_HISTOGRAM h;
    h.xMin = std::floor(minResidual / 5.0) * 5.0;
    h.xMax = std::ceil(maxResidual / 5.0) * 5.0;
    if (!std::isfinite(h.xMin) || !std::isfinite(h.xMax) || !std::isfinite(h.xMax - h.xMin) || h.xMax < h.xMin)
    {
        h.xMin = 0.0;
        h.xMax = 0.0;
    }
    if (h.xMin == h.xMax)
        h.xMax += 1.0;
    const double span = h.xMax - h.xMin;
    h.width = span > 50.0 ? 10.0 : 1.0;
    while (BinCount(span, h.width) > BOXIN_HISTOGRAM_MAX_BINS)
        h.width = NextWidth(h.width);
    const int bins = static_cast<int>(BinCount(span, h.width));
    h.points.SetSize(bins);
    for (int i = 0; i < bins; ++i)
        h.points[i] = tagXY{h.xMin + i * h.width, 0.0};
    for (double residual : residuals)
    {
        if (!std::isfinite(residual))
            continue;
        const double at = std::trunc((residual - h.xMin) / h.width);
        if (at < 0.0 || at >= bins)
            continue;
        tagXY& bin = h.points[static_cast<int>(at)];
        bin.y += 1.0;
        if (bin.y > h.yMax)
            h.yMax = bin.y;
    }
    return h;
}
