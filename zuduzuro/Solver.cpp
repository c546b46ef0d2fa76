// The single-support solvers: the inverse searches of the element, the On Bottom span for a
// tension and the anchor range; and the make-ups that every solver hands the exact solver.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::HalvingSearch;
using solver_detail::Kgf;
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

namespace solver_detail
{
cablechain::MakeUpDef AnchorMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain)
{
    cablechain::MakeUpDef m;
    if (chain && chain->InUse())
        m.Add(chain->GroundChainWeight, chain->GroundChainLength);
    m.Add(sections.LowerWeight, sections.LowerLength);
    if (sections.HasUpper())
        m.Add(sections.UpperWeight, sections.UpperLength);
    return m;
}

cablechain::MakeUpDef PaidOutMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain, bool upper)
{
    cablechain::MakeUpDef m;
    if (chain && chain->InUse())
        m.Add(chain->GroundChainWeight, chain->GroundChainLength);
    if (upper)
    {
        m.Add(sections.LowerWeight, sections.LowerLength);
        m.Add(sections.UpperWeight, cablechain::kFree);
    }
    else
    {
        m.Add(sections.LowerWeight, cablechain::kFree);
    }
    return m;
}
} // namespace solver_detail

namespace
{
// The weight of the section at the top of a make-up.
double TopWeight(const cablechain::MakeUpDef& m)
{
    return m.nPieces > 0 ? m.Piece[m.nPieces - 1].Weight : 0.0;
}
} // namespace

namespace cableshapes
{
cablechain::MakeUpDef AnchorMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain)
{
    return solver_detail::AnchorMakeUp(sections, chain);
}

cablechain::ChainSolutionDef AnchorCable(const CableSectionsDef& sections, const GroundChainDef& chain,
                                         double tension, double height)
{
    return cablechain::SolveByLength(solver_detail::AnchorMakeUp(sections, &chain), Kgf(tension), height, 0.0);
}

cablechain::ChainSolutionDef AnchorCableToDistance(const CableSectionsDef& sections, const GroundChainDef& chain,
                                                   double tension, double height, double distance)
{
    return cablechain::SolveByDistance(solver_detail::PaidOutMakeUp(sections, &chain, sections.HasUpper()),
                                       Kgf(tension), height, 0.0, distance);
}
} // namespace cableshapes

bool ComputeSpanForTension(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                           double height1, double height2, double distance, double& weightUsed, double& span)
{
    const cablechain::ChainSolutionDef cable =
        cableshapes::AnchorCableToDistance(sections, chain, tension, height1 + height2, distance);
    if (!cable.bSolved)
    {
        weightUsed = TopWeight(solver_detail::PaidOutMakeUp(sections, &chain, sections.HasUpper()));
        span = 0.0;
        return false;
    }
    weightUsed = cable.Weight1;
    if (!cable.bOnSeabed)
    {
        span = distance;
        return false;
    }
    span = cable.Span1;
    return true;
}

bool ComputeTwoSectionZuduzuro(double tension, double height, double weight1, double length1, double weight2,
                               double length2, double& weightUsed, double& span, double& suspended,
                               double& range)
{
    cablechain::MakeUpDef m;
    m.Add(weight2, length2);
    m.Add(weight1, length1);
    const cablechain::ChainSolutionDef cable = cablechain::SolveByLength(m, Kgf(tension), height, 0.0);
    const double total = length1 + length2;
    if (cable.bSolved && cable.bOnSeabed)
    {
        weightUsed = cable.Weight1;
        span = cable.Span1;
        suspended = cable.Suspended1;
        range = cable.Span;
        return true;
    }
    if (!cable.bSolved && total > height)
    {
        // No tension to lift it: the whole cable lies.
        weightUsed = weight1;
        span = 0.0;
        suspended = 0.0;
        range = std::max(0.0, total);
        return true;
    }
    suspended = total;
    weightUsed = 0.0;
    span = StraightSpan(total, height);
    range = span;
    return false;
}

bool ComputeAnchorRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                        double fairleadHeight, double seabedHeight, double& weightUsed, double& span,
                        double& suspended, double& range)
{
    const double height = fairleadHeight - seabedHeight;
    const cablechain::MakeUpDef m = solver_detail::AnchorMakeUp(sections, &chain);
    const cablechain::ChainSolutionDef cable = cablechain::SolveByLength(m, Kgf(tension), height, 0.0);
    if (!cable.bSolved)
    {
        const double total = m.FixedLength();
        if (!(total > height) || m.nPieces == 0)
            return false;
        // No tension to lift it: the whole cable lies.
        weightUsed = TopWeight(m);
        span = 0.0;
        suspended = 0.0;
        range = total;
        return true;
    }
    if (!cable.bOnSeabed)
    {
        weightUsed = cable.Weight1;
        span = cable.Span;
        suspended = cable.Length;
        range = cable.Span;
        return false;
    }
    weightUsed = cable.Weight1;
    span = cable.Span1;
    suspended = cable.Suspended1;
    range = cable.Span;
    return true;
}
