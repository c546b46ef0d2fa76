// The solvers of a cable hanging between two supports (a fairlead or buoy and a tug or buoy),
// over a seabed that it may or may not reach, and the level of such a cable along its span.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::HalvingSearch;

namespace
{
// The lowest point of a cable of `length` hanging from both supports, its sides with weights
// w1 and w2 over h1 − d and h2 − d: the height d at which the two suspended lengths add up to
// the cable (within 0.001 m), and the two sides found there.
struct LowestPointDef
{
    double d = 0.0;
    CatenaryDef side1;
    CatenaryDef side2;
};

LowestPointDef SearchLowestPoint(double tension, double h1, double h2, double w1, double w2, double length)
{
    LowestPointDef r;
    // A cable at least as long as both sides hanging to the seabed rests its lowest point there:
    // the search would only halve its way down to it.
    r.side1 = ComputeCatenary(tension, w1, h1);
    r.side2 = ComputeCatenary(tension, w2, h2);
    if (length >= r.side1.s + r.side2.s)
        return r;
    const double low = std::min(h1, h2);
    r.d = HalvingSearch(low / 2.0, low / 4.0, 0.001, 0.001, [&](double d) {
        r.side1 = ComputeCatenary(tension, w1, h1 - d);
        r.side2 = ComputeCatenary(tension, w2, h2 - d);
        return length - (r.side1.s + r.side2.s);
    });
    return r;
}

// Side weights that still change after this many passes are swinging about their settled
// values: from then on each pass moves them half-way to the new mix, which lets such a swing
// die down instead of running to the pass limit.
const int kRelaxAfterPasses = 10;

void Relax(int pass, double& weight, double before)
{
    if (pass >= kRelaxAfterPasses)
        weight = (weight + before) / 2.0;
}

// One weight between two supports; `touchdown` is the span of side 1 when cable lies on the
// seabed, else 0.
double SolveOneWeight(double tension, double h1, double h2, double weight, double length, double& lying,
                      double& span, double& touchdown)
{
    const CatenaryDef e1 = ComputeCatenary(tension, weight, h1);
    const CatenaryDef e2 = ComputeCatenary(tension, weight, h2);
    if (length > e1.s + e2.s)
    {
        lying = length - (e1.s + e2.s);
        span = e1.x + e2.x + lying;
        touchdown = e1.x;
        return 0.0;
    }
    const LowestPointDef r = SearchLowestPoint(tension, h1, h2, weight, weight, length);
    lying = 0.0;
    span = r.side1.x + r.side2.x;
    touchdown = 0.0;
    return r.d;
}

bool Changed(double now, double before)
{
    return std::fabs(now - before) > 0.001;
}
} // namespace

double ComputeTwoSupportZuduzuro(double tension, double base, double support1, double support2, double weight,
                                 double length, double& lying, double& span)
{
    double touchdown = 0.0;
    return SolveOneWeight(tension, base - support1, base - support2, weight, length, lying, span, touchdown);
}

double ComputeTwoSupportLower(const CableSectionsDef& sections, double tension, double base, double support1,
                              double support2, double& lowPoint, double& touchdown, double& lying)
{
    const double h1 = base - support1;
    const double h2 = base - support2;
    if (sections.LowerWeight == 0.0)
    {
        lowPoint = 0.0;
        touchdown = 0.0;
        lying = 0.0;
        return StraightSpan(sections.LowerLength, std::min(h1, h2));
    }
    double span = 0.0;
    lowPoint =
        SolveOneWeight(tension, h1, h2, sections.LowerWeight, sections.LowerLength, lying, span, touchdown);
    return span;
}

double ComputeTwoSupportTwoSections(double tension, double base, double support1, double support2,
                                    double weight1, double length1, double weight2, double length2,
                                    double& sideWeight1, double& sideWeight2, double& span)
{
    const double h1 = base - support1;
    const double h2 = base - support2;
    const double length = length1 + length2;
    if (!(length > 0.0))
        return 0.0;
    double w1 = MeanWeight({{length1, weight1}, {length2, weight2}}, weight1);
    double w2 = w1;
    LowestPointDef r;
    for (int pass = 0; pass < kSolverPassLimit; ++pass)
    {
        const double before1 = w1;
        const double before2 = w2;
        r = SearchLowestPoint(tension, h1, h2, w1, w2, length);
        // Each side's weight is the mean over the sections it holds, by where the join falls.
        if (r.side1.s > length1)
        {
            w2 = weight2;
            w1 = MeanWeight({{length1, weight1}, {r.side1.s - length1, weight2}}, weight1);
        }
        else
        {
            w1 = weight1;
            w2 = MeanWeight({{r.side2.s - length2, weight1}, {length2, weight2}}, weight2);
        }
        Relax(pass, w1, before1);
        Relax(pass, w2, before2);
        if (!Changed(w1, before1) && !Changed(w2, before2))
            break;
    }
    double d = r.d;
    if (std::fabs(d) < 0.01)
        return 0.0;
    span = ComputeCatenary(tension, w1, h1 - d).x + ComputeCatenary(tension, w2, h2 - d).x;
    // A lowest point at the lower support: the cable runs from the other support straight to it.
    if ((h1 < h2 && std::fabs(h1 - d) < 0.01) || (h2 < h1 && std::fabs(h2 - d) < 0.01))
    {
        d = std::min(h1, h2);
        span = StraightSpan(length, h1 - h2);
    }
    sideWeight1 = w1;
    sideWeight2 = w2;
    return d;
}

double ComputeTwoSupportThreeSections(double tension, double base, double support1, double support2,
                                      double weight1, double length1, double weight2, double length2,
                                      double weight3, double length3, double& sideWeight1,
                                      double& sideWeight2, double& span)
{
    const double h1 = base - support1;
    const double h2 = base - support2;
    const double length = length1 + length2 + length3;
    if (!(length > 0.0))
        return 0.0;
    double w1 = MeanWeight({{length1, weight1}, {length2, weight2}, {length3, weight3}}, weight1);
    double w2 = w1;
    LowestPointDef r;
    for (int pass = 0; pass < kSolverPassLimit; ++pass)
    {
        const double before1 = w1;
        const double before2 = w2;
        r = SearchLowestPoint(tension, h1, h2, w1, w2, length);
        const double sa = r.side1.s;
        const double sb = r.side2.s;
        if (sa > length1 + length2)
        {
            // Side 1 reaches into the chain.
            w1 = MeanWeight({{length1, weight1}, {length2, weight2}, {sa - length1 - length2, weight3}},
                            weight1);
            w2 = weight3;
        }
        else if (sa > length1)
        {
            w1 = MeanWeight({{length1, weight1}, {sa - length1, weight2}}, weight1);
            w2 = MeanWeight({{length2 - (sa - length1), weight2}, {length3, weight3}}, weight3);
        }
        else if (sb > length2 + length3)
        {
            // Side 2 reaches into the upper section.
            w1 = weight1;
            w2 = MeanWeight({{length3, weight3}, {length2, weight2}, {sb - length2 - length3, weight1}},
                            weight3);
        }
        else
        {
            w2 = MeanWeight({{length3, weight3}, {sb - length3, weight2}}, weight3);
            w1 = MeanWeight({{length1, weight1}, {length2 + length3 - sb, weight2}}, weight1);
        }
        Relax(pass, w1, before1);
        Relax(pass, w2, before2);
        // Unlike two sections, one settled side is enough here.
        if (!Changed(w1, before1) || !Changed(w2, before2))
            break;
    }
    if (std::fabs(r.d) < 0.01)
        return 0.0;
    span = ComputeCatenary(tension, w1, h1 - r.d).x + ComputeCatenary(tension, w2, h2 - r.d).x;
    sideWeight1 = w1;
    sideWeight2 = w2;
    return r.d;
}

namespace
{
struct SectionDef
{
    double weight;
    double length;
};

// One side of a cable whose lowest point lies on the seabed, hanging over height h from its
// end section, reaching into `next` when the end section is too short.
void SolveSide(double tension, double h, const SectionDef& end, const SectionDef& next, double& weight,
               double& span, double& suspended)
{
    const CatenaryDef e = ComputeCatenary(tension, end.weight, h);
    if (e.s < end.length)
    {
        weight = end.weight;
        span = e.x;
        suspended = e.s;
        return;
    }
    double range = 0.0;
    ComputeTwoSectionZuduzuro(tension, h, end.weight, end.length, next.weight, next.length, weight, span,
                              suspended, range);
}
} // namespace

double ComputeTwoSupportCable(const CableSectionsDef& sections, const GroundChainDef* chain, double tension,
                              double base, double support1, double support2, double& span,
                              double& sideWeight1, double& sideWeight2, double& lying)
{
    const bool upper = sections.HasUpper();
    const bool useChain = chain && chain->InUse();
    const SectionDef up{sections.UpperWeight, sections.UpperLength};
    const SectionDef low{sections.LowerWeight, sections.LowerLength};
    const SectionDef gc{useChain ? chain->GroundChainWeight : 0.0, useChain ? chain->GroundChainLength : 0.0};

    if (!upper && !useChain)
    {
        sideWeight1 = low.weight;
        sideWeight2 = low.weight;
        return ComputeTwoSupportZuduzuro(tension, base, support1, support2, low.weight, low.length, lying,
                                         span);
    }

    double d = 0.0;
    if (upper && useChain)
        d = ComputeTwoSupportThreeSections(tension, base, support1, support2, up.weight, up.length,
                                           low.weight, low.length, gc.weight, gc.length, sideWeight1,
                                           sideWeight2, span);
    else if (upper)
        d = ComputeTwoSupportTwoSections(tension, base, support1, support2, up.weight, up.length, low.weight,
                                         low.length, sideWeight1, sideWeight2, span);
    else
        d = ComputeTwoSupportTwoSections(tension, base, support1, support2, low.weight, low.length, gc.weight,
                                         gc.length, sideWeight1, sideWeight2, span);
    lying = 0.0;
    if (d != 0.0)
        return d;

    // The lowest point on the seabed: each end hangs alone and the rest lies between them.
    const SectionDef end1 = upper ? up : low;
    const SectionDef end2 = useChain ? gc : low;
    const bool three = upper && useChain;
    const SectionDef next1 = three ? low : end2;
    const SectionDef next2 = three ? low : end1;
    double span1 = 0.0, suspended1 = 0.0, span2 = 0.0, suspended2 = 0.0;
    SolveSide(tension, base - support1, end1, next1, sideWeight1, span1, suspended1);
    SolveSide(tension, base - support2, end2, next2, sideWeight2, span2, suspended2);
    const double total = low.length + (upper ? up.length : 0.0) + (useChain ? gc.length : 0.0);
    // Both sides found apart may hold a hair more than the cable; none of it then lies.
    lying = std::max(0.0, total - suspended1 - suspended2);
    span = lying + span1 + span2;
    return 0.0;
}

double SolveSagForDistanceMixed(const CableSectionsDef& sections, double tension, double base,
                                double support1, double support2, double distance, double& sideWeight1,
                                double& sideWeight2, bool* pSettled)
{
    const double h1 = base - support1;
    const double h2 = base - support2;
    const double wl = sections.LowerWeight;
    const double wu = sections.UpperWeight;
    const double low = std::min(h1, h2);
    double w1 = (wl + wu) / 2.0;
    double w2 = w1;
    double d = 0.0;
    bool settled = false;
    for (int pass = 0; pass < kSolverPassLimit && !settled; ++pass)
    {
        const double before1 = w1;
        const double before2 = w2;
        CatenaryDef a, b;
        d = HalvingSearch(low / 2.0, low / 4.0, 0.001, 0.001, [&](double lowPoint) {
            a = ComputeCatenary(tension, w1, h1 - lowPoint);
            b = ComputeCatenary(tension, w2, h2 - lowPoint);
            return distance - (a.x + b.x);
        });
        // Side 1's share of the span; an even split when neither side spans anything.
        const double both = a.x + b.x;
        double f = both != 0.0 ? a.x / both : 0.5;
        f = std::max(0.0, std::min(1.0, f));
        if (b.s > sections.LowerLength)
        {
            w1 = (1.0 - f) * wl + f * wu;
            w2 = wl;
        }
        else
        {
            w1 = wu;
            w2 = (1.0 - f) * wu + f * wl;
        }
        Relax(pass, w1, before1);
        Relax(pass, w2, before2);
        settled = !Changed(w1, before1) && !Changed(w2, before2);
    }
    sideWeight1 = w1;
    sideWeight2 = w2;
    if (pSettled)
        *pSettled = settled;
    return d;
}

double SolveSagForDistance(const CableSectionsDef& sections, double tension, double base, double support1,
                           double support2, double distance, double& sideWeight1, double& sideWeight2,
                           double& lying, bool* pSettled)
{
    const double h1 = base - support1;
    const double h2 = base - support2;
    const double wl = sections.LowerWeight;
    if (pSettled)
        *pSettled = true;
    if (sections.bUseUpperSection)
    {
        const double x1 = ComputeCatenary(tension, sections.UpperWeight, h1).x;
        const double x2 = ComputeCatenary(tension, wl, h2).x;
        if (distance > x1 + x2)
        {
            sideWeight1 = sections.UpperWeight;
            sideWeight2 = wl;
            lying = distance - (x1 + x2);
            return 0.0;
        }
        lying = 0.0;
        return SolveSagForDistanceMixed(sections, tension, base, support1, support2, distance, sideWeight1,
                                        sideWeight2, pSettled);
    }
    sideWeight1 = wl;
    sideWeight2 = wl;
    const double x1 = ComputeCatenary(tension, wl, h1).x;
    const double x2 = ComputeCatenary(tension, wl, h2).x;
    if (distance > x1 + x2)
    {
        lying = distance - (x1 + x2);
        return 0.0;
    }
    lying = 0.0;
    const double low = std::min(h1, h2);
    return HalvingSearch(low / 2.0, low / 4.0, 0.01, 0.001, [&](double d) {
        return distance - (ComputeCatenary(tension, wl, h1 - d).x + ComputeCatenary(tension, wl, h2 - d).x);
    });
}

double SolveTouchdownHeight(double tension, double distance, double base, double support1, double sideWeight1,
                            double support2, double sideWeight2, double lowPoint, double lying)
{
    const double h1 = base - support1 - lowPoint;
    const double h2 = base - support2 - lowPoint;
    const double x1 = ComputeCatenary(tension, sideWeight1, h1).x;
    if (distance < x1)
    {
        const double r = SolveHeightForSpan(x1 - distance, base, support1, tension, sideWeight1);
        return support1 + h1 - r;
    }
    if (distance < x1 + lying)
        return base;
    const double r = SolveHeightForSpan(distance - x1 - lying, base, support2, tension, sideWeight2);
    return support2 + h2 - r;
}
