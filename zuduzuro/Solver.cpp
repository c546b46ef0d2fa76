// The single-support solvers: the inverse searches of the element, the On Bottom span for a
// tension and the anchor range.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::HalvingSearch;
using solver_detail::kHalvingLimit;

namespace
{
// The height (m) whose catenary spans `span`, exactly but for rounding, when the span grows
// with the height all over (0, top]; top when even that height spans less; NaN when the span
// may not grow all the way (then only the element itself can say where it is met).
//
// With the horizontal tension H = tk - w h and u = tk / H = cosh v, the span is
// (H / w) acosh(tk / H), so v / cosh v = span w / tk = S. The span grows with the height while
// u stays below 1.81, where v / cosh v peaks; u <= 1.8 (S below 0.6627) keeps clear of it, and
// there Newton's method on v - S cosh v, concave, climbs from v = S to the root in a few steps.
double HeightOfSpan(double span, double top, double tk, double weight)
{
    const double topU = tk / (tk - weight * top);
    const double s = span * weight / tk;
    if (!(top > 0.0) || !(topU > 1.0 && topU <= 1.8) || !(s >= 0.0 && s < 0.6627))
        return std::nan("");
    double v = s;
    for (int pass = 0; pass < 50; ++pass)
    {
        const double e = std::exp(v);
        const double cosh = (e + 1.0 / e) / 2.0, sinh = (e - 1.0 / e) / 2.0;
        const double change = (v - s * cosh) / (1.0 - s * sinh);
        v -= change;
        if (!(std::fabs(change) > 1e-16 * v))
            break;
    }
    // h = (tk / w)(1 - 1 / cosh v) = (tk / w)(e - 1)^2 / (e^2 + 1), free of cancellation.
    const double em1 = std::expm1(v), e = em1 + 1.0;
    return std::min(top, tk * em1 * em1 / (weight * (e * e + 1.0)));
}
} // namespace

double SolveHeightForSpan(double span, double upper, double lower, double tension, double weight)
{
    double height = (upper - lower) / 2.0;
    if (tension == 0.0 || weight == 0.0)
        return height;
    const double tk = tension * 1000.0;
    double step = (upper - lower) / 4.0;
    // The halving below, with its comparisons of spans answered from the height that spans
    // `span` wherever a height stands clear of it (the span grows with the height), and by the
    // element only within a hair of it: the very heights, far fewer elements.
    const double root = HeightOfSpan(span, upper - lower, tk, weight);
    const double margin = 1e-9 * (1.0 + std::fabs(root)) + 1e-13 * tk / std::fabs(weight);
    for (int pass = 0; pass < kHalvingLimit; ++pass)
    {
        // A top exactly at the lowest point: the element has no shape to compare. (Only a
        // height under 1e-15 tk / w can make the ratio 1: the division is spared otherwise.)
        if (std::fabs(weight * height) < 1e-15 * std::fabs(tk) && (tk - weight * height) / tk == 1.0)
            return height;
        bool longer;
        if (height < root - margin)
            longer = true;
        else if (height > root + margin)
            longer = false;
        else
            longer = span > ComputeCatenary(tension, weight, height).x;
        height += longer ? step : -step;
        step /= 2.0;
        if (!(step > 1e-5))
            break;
    }
    return height;
}

double SolveWeightForSpan(double tension, double height, double startWeight, double span)
{
    return HalvingSearch(startWeight, startWeight / 2.0, 0.001, 1e-6,
                         [&](double w) { return span - ComputeCatenary(tension, w, height).x; });
}

bool SolveMixedWeightForSpan(double tension, double height, double weightA, double weightB, double span,
                             double& spanOut, double& weightOut)
{
    double w = std::min(weightA, weightB);
    double previous = 0.0;
    for (int pass = 0; pass < kSolverPassLimit; ++pass)
    {
        const double x = ComputeCatenary(tension, w, height).x;
        // With no span to share (X ≤ 0) the fraction below has no meaning.
        if (x > span || !(span > 0.0))
            break;
        const double f = (span - x) / span;
        if (std::fabs(f - previous) <= 0.001)
        {
            spanOut = x;
            weightOut = w;
            return true;
        }
        w = (1.0 - f) * weightB + f * weightA;
        previous = f;
    }
    spanOut = span;
    return false;
}

bool ComputeSpanForTension(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                           double height1, double height2, double distance, double& weightUsed, double& span)
{
    const double h = height1 + height2;
    const double wl = sections.LowerWeight;
    const double wu = sections.UpperWeight;
    const double wc = chain.GroundChainWeight;
    const double lc = chain.GroundChainLength;
    double mixedSpan = 0.0;
    double mixedWeight = 0.0;

    // The forced-weight searches start from the sum of the weights they stand between: the
    // search reaches (0, 2 × start), which then holds every section's weight.
    if (sections.HasUpper())
    {
        const double xu = ComputeCatenary(tension, wu, h).x;
        if (distance >= xu)
        {
            weightUsed = wu;
            span = xu;
            return true;
        }
        if (chain.InUse())
        {
            if (SolveMixedWeightForSpan(tension, h, wl, wu, distance - lc, mixedSpan, mixedWeight))
            {
                weightUsed = mixedWeight;
                span = mixedSpan;
                return true;
            }
            weightUsed = SolveWeightForSpan(tension, h, wl + wu + wc, distance);
            span = distance;
            return true;
        }
        if (SolveMixedWeightForSpan(tension, h, wl, wu, distance, mixedSpan, mixedWeight))
        {
            weightUsed = mixedWeight;
            span = mixedSpan;
            return true;
        }
        weightUsed = SolveWeightForSpan(tension, h, wl + wu, distance);
        span = distance;
        return false;
    }

    const double xl = ComputeCatenary(tension, wl, h).x;
    if (chain.InUse())
    {
        if (distance > lc + xl)
        {
            weightUsed = wl;
            span = xl;
            return true;
        }
        const double xc = ComputeCatenary(tension, wc, h).x;
        if (xc <= distance && SolveMixedWeightForSpan(tension, h, wc, wl, distance, mixedSpan, mixedWeight))
        {
            weightUsed = mixedWeight;
            span = mixedSpan;
            return true;
        }
        weightUsed = SolveWeightForSpan(tension, h, wl + wc, distance);
        span = distance;
        return false;
    }
    if (distance >= xl)
    {
        weightUsed = wl;
        span = xl;
        return true;
    }
    weightUsed = SolveWeightForSpan(tension, h, 2.0 * wl, distance);
    span = distance;
    return false;
}

bool ComputeTwoSectionZuduzuro(double tension, double height, double weight1, double length1, double weight2,
                               double length2, double& weightUsed, double& span, double& suspended,
                               double& range)
{
    const CatenaryDef first = ComputeCatenary(tension, weight1, height);
    if (first.s < length1)
    {
        weightUsed = weight1;
        span = first.x;
        suspended = first.s;
        range = first.x + length1 - first.s + length2;
        return true;
    }
    const double total = length1 + length2;
    const double mean = MeanWeight({{length1, weight1}, {length2, weight2}}, weight1);
    if (total <= ComputeCatenary(tension, mean, height).s)
    {
        suspended = total;
        weightUsed = 0.0;
        span = StraightSpan(total, height);
        range = span;
        return false;
    }
    // The touchdown lies on the second section: find how much of it, p, hangs.
    CatenaryDef e;
    double w = weight1;
    const double p = HalvingSearch(length2 / 2.0, length2 / 4.0, 0.01, 0.001, [&](double hanging) {
        w = MeanWeight({{hanging, weight2}, {length1, weight1}}, weight1);
        e = ComputeCatenary(tension, w, height);
        return (hanging + length1) - e.s;
    });
    weightUsed = w;
    span = e.x;
    suspended = e.s;
    range = e.x + length2 - p;
    return true;
}

namespace
{
// The ground chain folded into a cable whose upper and lower sections hang whole: the mean
// weight of the suspended length s counts the chain's share s − (lower + upper), and s must be
// the suspended length of a catenary of that weight. False when even the whole cable hangs.
//
// The suspended length is found by halving between its bounds (the two sections alone, which
// hang whole, and the whole cable, which does not) rather than by feeding each length's weight
// back in: s(w(s)) falls as s grows, so one root lies between the bounds, while the feedback
// overshoots and swings between two lengths for ordinary cables (tens of tonnes, a heavy chain)
// and would never settle.
bool SolveThreeSectionRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double height, double& weightUsed, double& span, double& suspended, double& range)
{
    const double ll = sections.LowerLength;
    const double lu = sections.UpperLength;
    const double lc = chain.GroundChainLength;
    const double total = ll + lc + lu;
    const double wl = sections.LowerWeight;
    const double wu = sections.UpperWeight;
    const double wc = chain.GroundChainWeight;
    const double whole = MeanWeight({{ll, wl}, {lc, wc}, {lu, wu}}, wl);
    if (total <= ComputeCatenary(tension, whole, height).s)
        return false;
    const auto weightFor = [&](double s) {
        return MeanWeight({{s - (ll + lu), wc}, {ll, wl}, {lu, wu}}, wl);
    };
    const double low = ll + lu;
    const double s = HalvingSearch((low + total) / 2.0, (total - low) / 4.0, 0.001, 0.001, [&](double trial) {
        return trial - ComputeCatenary(tension, weightFor(trial), height).s;
    });
    const double w = weightFor(s);
    const CatenaryDef e = ComputeCatenary(tension, w, height);
    if (!(e.s > 0.0) || e.s >= total)
        return false;
    weightUsed = w;
    span = e.x;
    suspended = e.s;
    range = total + e.x - e.s;
    return true;
}
} // namespace

bool ComputeAnchorRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                        double fairleadHeight, double seabedHeight, double& weightUsed, double& span,
                        double& suspended, double& range)
{
    const double h = fairleadHeight - seabedHeight;
    const double chainLength = chain.bUseGroundChain ? chain.GroundChainLength : 0.0;

    if (!sections.HasUpper())
    {
        const CatenaryDef e = ComputeCatenary(tension, sections.LowerWeight, h);
        if (sections.LowerLength > e.s)
        {
            weightUsed = sections.LowerWeight;
            span = e.x;
            suspended = e.s;
            range = e.x + (sections.LowerLength - e.s) + chainLength;
            return true;
        }
        if (!chain.InUse())
            return false;
        return ComputeTwoSectionZuduzuro(tension, h, sections.LowerWeight, sections.LowerLength,
                                         chain.GroundChainWeight, chain.GroundChainLength, weightUsed, span,
                                         suspended, range);
    }

    if (sections.UpperWeight == 0.0)
    {
        solver_detail::WeightlessRunDef run;
        const bool found = solver_detail::RunWeightlessWithChain(sections, chain, tension, fairleadHeight,
                                                                 seabedHeight, weightUsed, run);
        span = run.TotalSpan;
        suspended = run.Suspended;
        range = run.Range;
        return found;
    }

    const CatenaryDef e = ComputeCatenary(tension, sections.UpperWeight, h);
    if (sections.UpperLength > e.s)
    {
        weightUsed = sections.UpperWeight;
        span = e.x;
        suspended = e.s;
        range = e.x + (sections.UpperLength - e.s) + sections.LowerLength + chainLength;
        return true;
    }
    if (ComputeTwoSectionZuduzuro(tension, h, sections.UpperWeight, sections.UpperLength,
                                  sections.LowerWeight, sections.LowerLength, weightUsed, span, suspended,
                                  range))
    {
        range += chainLength;
        return true;
    }
    if (!chain.InUse())
        return false;
    return SolveThreeSectionRange(sections, chain, tension, h, weightUsed, span, suspended, range);
}
