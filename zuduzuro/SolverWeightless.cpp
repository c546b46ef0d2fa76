// The solvers of a cable whose upper section is a weightless line (a synthetic rope or a wire
// in air, weight exactly 0): the line runs straight from the fairlead and the lower section
// hangs from its end as a catenary that leaves the junction at the line's angle.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::HalvingSearch;
using solver_detail::WeightlessRunDef;

namespace
{
const double kDegreesPerRadian = 57.2957795131;

// Chains are folded into the lower section a metre at a time; a chain longer than this many
// metres is folded in as many equal steps instead, so that the retry stays bounded.
const int kMaxChainFolds = 5000;

// The line's angle below the horizontal (degrees) for a drop over its length. A drop beyond the
// line's length can only mean a vertical line; a line of no length points the way of its drop.
double LineAngle(double drop, double length)
{
    double ratio = 0.0;
    if (length > 0.0)
        ratio = drop / length;
    else if (drop != 0.0)
        ratio = drop > 0.0 ? 1.0 : -1.0;
    ratio = std::max(-1.0, std::min(1.0, ratio));
    return std::asin(ratio) * kDegreesPerRadian;
}
} // namespace

namespace solver_detail
{
bool RunWeightlessUpper(double tension, double heightA, double heightB, double weight, double lowerLength,
                        double upperLength, WeightlessRunDef& run)
{
    const double v = heightA - heightB;
    double hanging = 0.0;
    if (weight != 0.0)
        hanging = ComputeCatenary(tension, weight, heightB).s;
    else
        hanging = heightB > 0.0 ? lowerLength : 0.0;

    if (hanging <= lowerLength)
    {
        // The junction height at which the catenary's angle meets the line's.
        CatenaryDef e;
        const double d = HalvingSearch(v / 2.0, v / 4.0, 0.001, 0.001, [&](double junction) {
            e = CatenaryDef();
            double catenaryAngle = 0.0;
            if (weight != 0.0)
            {
                e = ComputeCatenary(tension, weight, junction);
                catenaryAngle = CatenaryAngle(e);
            }
            else if (junction > 0.0)
            {
                // A weightless lower section is a straight line too; its angle is taken from the
                // horizontal like the upper line's, so that the two lines meet in one straight
                // cable.
                e.s = lowerLength;
                e.x = StraightSpan(lowerLength, junction);
                catenaryAngle = std::atan2(junction, e.x) * kDegreesPerRadian;
            }
            return catenaryAngle - LineAngle(v - junction, upperLength);
        });
        if (e.s > lowerLength)
            return false;
        run.bWritten = true;
        run.Suspended = e.s;
        run.LineHeight = v - d;
        run.LineSpan = StraightSpan(upperLength, v - d);
        run.TotalSpan = run.LineSpan + e.x;
        run.CatenarySpan = e.x;
        run.Range = lowerLength + run.LineSpan - e.s + e.x;
        return true;
    }

    // The lower section hangs whole from the line: find the junction height d at which the
    // catenary between d and heightB holds exactly the lower section's length.
    const CatenaryDef top = ComputeCatenary(tension, weight, heightB);
    CatenaryDef e;
    const double d = HalvingSearch(heightB / 2.0, heightB / 4.0, 0.01, 0.001, [&](double junction) {
        e = ComputeCatenary(tension, weight, junction);
        return lowerLength - (top.s - e.s);
    });
    run.bWritten = true;
    run.Suspended = 0.0;
    run.TotalSpan = 0.0;
    run.LineHeight = d;
    run.LineSpan = StraightSpan(upperLength, d);
    run.CatenarySpan = e.x;
    run.Range = (top.x - e.x) + run.LineSpan;
    return false;
}

bool RunWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double heightA, double heightB, double& weightUsed, WeightlessRunDef& run)
{
    const double wl = sections.LowerWeight;
    const double ll = sections.LowerLength;
    const double lu = sections.UpperLength;
    if (RunWeightlessUpper(tension, heightA, heightB, wl, ll, lu, run))
    {
        weightUsed = wl;
        if (chain.bUseGroundChain)
            run.Range += chain.GroundChainLength;
        return true;
    }
    const double lc = chain.GroundChainLength;
    if (!chain.bUseGroundChain || !(lc >= 1.0))
        return false;
    const double foldStep = lc > kMaxChainFolds ? lc / kMaxChainFolds : 1.0;
    const int folds = lc > kMaxChainFolds ? kMaxChainFolds : static_cast<int>(std::floor(lc));
    for (int i = 1; i <= folds; ++i)
    {
        const double k = i * foldStep;
        const double w = MeanWeight({{ll, wl}, {k, chain.GroundChainWeight}}, chain.GroundChainWeight);
        if (RunWeightlessUpper(tension, heightA, heightB, w, ll + k, lu, run))
        {
            weightUsed = w;
            run.Range += lc - k;
            return true;
        }
    }
    return false;
}
} // namespace solver_detail

bool SolveWeightlessUpperSection(double tension, double heightA, double heightB, double weight,
                                 double lowerLength, double upperLength, double& suspended,
                                 double& lineHeight, double& lineSpan, double& totalSpan,
                                 double& catenarySpan, double& range)
{
    WeightlessRunDef run;
    const bool found =
        solver_detail::RunWeightlessUpper(tension, heightA, heightB, weight, lowerLength, upperLength, run);
    if (run.bWritten)
    {
        suspended = run.Suspended;
        lineHeight = run.LineHeight;
        lineSpan = run.LineSpan;
        totalSpan = run.TotalSpan;
        catenarySpan = run.CatenarySpan;
        range = run.Range;
    }
    return found;
}

bool SolveWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                              double heightA, double heightB, double* pWeightUsed, double* pLineSpan,
                              double* pLineHeight, double& totalSpan, double& range)
{
    if (sections.UpperWeight != 0.0)
        return false;
    WeightlessRunDef run;
    double weight = 0.0;
    const bool found =
        solver_detail::RunWeightlessWithChain(sections, chain, tension, heightA, heightB, weight, run);
    if (found && pWeightUsed)
        *pWeightUsed = weight;
    if (pLineSpan)
        *pLineSpan = run.LineSpan;
    if (pLineHeight)
        *pLineHeight = run.LineHeight;
    totalSpan = run.TotalSpan;
    range = run.Range;
    return found;
}

namespace
{
// The part hanging from support 2 once the first part holds `suspended` of the lower section:
// the rest of the lower section with the chain, as one mean weight, over height hc.
void SolveFarPart(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                  double suspended, double hc, double& farWeight, double& farSuspended, double& farSpan)
{
    const double rest = sections.LowerLength - suspended;
    farWeight =
        chain.bUseGroundChain
            ? MeanWeight({{chain.GroundChainLength, chain.GroundChainWeight}, {rest, sections.LowerWeight}},
                         sections.LowerWeight)
            : sections.LowerWeight;
    if (farWeight != 0.0)
    {
        const CatenaryDef e = ComputeCatenary(tension, farWeight, hc);
        farSuspended = e.s;
        farSpan = e.x;
    }
    else if (hc > 0.0)
    {
        farSuspended = rest;
        farSpan = StraightSpan(rest, hc);
    }
    else
    {
        farSuspended = 0.0;
        farSpan = 0.0;
    }
}
} // namespace

bool ComputeWeightlessRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double levelA, double levelB, double levelC, WeightlessRangeDef& result)
{
    if (sections.UpperWeight != 0.0)
        return false;
    const double wl = sections.LowerWeight;
    const double ll = sections.LowerLength;
    const double lu = sections.UpperLength;
    result.bHangsWhole = false;

    WeightlessRunDef run;
    const auto takeRun = [&result](const WeightlessRunDef& r) {
        result.LineSpan = r.LineSpan;
        result.LineHeight = r.LineHeight;
        result.FirstSpan = r.TotalSpan;
        result.CatenarySpan = r.CatenarySpan;
    };
    if (!solver_detail::RunWeightlessUpper(tension, levelA, levelB, wl, ll, lu, run))
    {
        // A first part whose catenary needs more than the lower section gives no range: 0 then.
        takeRun(run);
        result.LowPoint = 0.0;
        result.LowerWeight = wl;
        result.Range = run.Range;
        result.bHangsWhole = true;
        return false;
    }

    const double hc = levelA - levelC;
    const double total = ll + (chain.bUseGroundChain ? chain.GroundChainLength : 0.0);
    double farWeight = wl, farSuspended = 0.0, farSpan = 0.0;
    SolveFarPart(sections, chain, tension, run.Suspended, hc, farWeight, farSuspended, farSpan);
    result.LowerWeight = wl;
    if (total > run.Suspended + farSuspended)
    {
        takeRun(run);
        result.LowPoint = 0.0;
        result.FarWeight = farWeight;
        result.Lying = total - (run.Suspended + farSuspended);
        result.Range = run.TotalSpan + farSpan + result.Lying;
        return true;
    }

    // The cable hangs whole between the supports: find the height of its lowest point.
    result.Lying = 0.0;
    const double low = std::min(levelA - levelB, hc);
    const double d = HalvingSearch(low / 2.0, low / 4.0, 0.01, 0.001, [&](double lowPoint) {
        // A run that finds nothing keeps the previous pass's first part.
        solver_detail::RunWeightlessUpper(tension, levelA - lowPoint, levelB, wl, ll, lu, run);
        SolveFarPart(sections, chain, tension, run.Suspended, hc - lowPoint, farWeight, farSuspended,
                     farSpan);
        return total - (run.Suspended + farSuspended);
    });
    takeRun(run);
    result.LowPoint = d;
    result.FarWeight = farWeight;
    result.Range = run.TotalSpan + farSpan;
    return true;
}

bool ComputeWeightlessCableOut(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                               double levelA, double levelB, double onDeck, bool& lineOnly,
                               WeightlessRangeDef& result)
{
    lineOnly = false;
    result.bHangsWhole = false;
    if (!sections.IsWeightlessUpper())
        return false;
    const double lu = sections.UpperLength;
    const double ll = sections.LowerLength;
    const double out = lu + ll + (chain.bUseGroundChain ? chain.GroundChainLength : 0.0) - onDeck;
    if (out <= lu)
    {
        lineOnly = true;
        result.Range = StraightSpan(out, levelB);
        return true;
    }
    CableSectionsDef paidSections = sections;
    GroundChainDef paidChain = chain;
    if (out <= lu + ll)
    {
        paidChain.bUseGroundChain = false;
        paidSections.LowerLength = out - lu;
    }
    else
        paidChain.GroundChainLength = out - lu - ll;
    ComputeWeightlessRange(paidSections, paidChain, tension, levelA, levelB, 0.0, result);
    return true;
}
