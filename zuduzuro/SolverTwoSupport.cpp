// The solvers of a cable hanging between two supports (a fairlead or buoy and a tug or buoy),
// over a seabed that it may or may not reach, and the level of such a cable along its span.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::Kgf;

namespace
{
// The answers without a catenary: a cable too short for the height between its supports runs
// straight; any other (a tension that cannot hold it up) lies whole on the seabed.
bool TooShort(const cablechain::MakeUpDef& m, double h1, double h2)
{
    return !(m.FixedLength() > std::fabs(std::max(h1, 0.0) - std::max(h2, 0.0)));
}

cablechain::ChainSolutionDef Between(const cablechain::MakeUpDef& m, double tension, double base, double support1,
                                     double support2)
{
    return cablechain::SolveByLength(m, Kgf(tension), base - support1, base - support2);
}

double LowestPoint(const cablechain::ChainSolutionDef& cable)
{
    return cable.bOnSeabed ? 0.0 : cable.LowPoint;
}
} // namespace

namespace cableshapes
{
cablechain::ChainSolutionDef CableBetween(const cablechain::MakeUpDef& makeUp, double tension, double base,
                                          double support1, double support2)
{
    return Between(makeUp, tension, base, support1, support2);
}

cablechain::ChainSolutionDef CableOverDistance(const CableSectionsDef& sections, double tension, double base,
                                               double support1, double support2, double distance)
{
    return cablechain::SolveByDistance(solver_detail::PaidOutMakeUp(sections, nullptr, sections.bUseUpperSection),
                                       Kgf(tension), base - support1, base - support2, distance);
}
} // namespace cableshapes

namespace
{
// One weight between two supports: the lowest point's height, lying length, span and the
// distance from support 1 to the touchdown (0 when the cable does not reach the seabed).
double OneWeight(double tension, double base, double support1, double support2, double weight, double length,
                 double& lying, double& span, double& touchdown)
{
    cablechain::MakeUpDef m;
    m.Add(weight, length);
    const cablechain::ChainSolutionDef cable = Between(m, tension, base, support1, support2);
    touchdown = 0.0;
    if (cable.bSolved)
    {
        lying = cable.Lying;
        span = cable.Span;
        if (cable.bOnSeabed)
            touchdown = cable.Span1;
        return LowestPoint(cable);
    }
    if (TooShort(m, base - support1, base - support2))
    {
        lying = 0.0;
        span = StraightSpan(length, support1 - support2);
        return 0.0;
    }
    lying = std::max(0.0, m.FixedLength());
    span = lying;
    return 0.0;
}
} // namespace

double ComputeTwoSupportZuduzuro(double tension, double base, double support1, double support2, double weight,
                                 double length, double& lying, double& span)
{
    double touchdown = 0.0;
    return OneWeight(tension, base, support1, support2, weight, length, lying, span, touchdown);
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
    lowPoint = OneWeight(tension, base, support1, support2, sections.LowerWeight, sections.LowerLength, lying, span,
                         touchdown);
    return span;
}

double ComputeTwoSupportTwoSections(double tension, double base, double support1, double support2,
                                    double weight1, double length1, double weight2, double length2,
                                    double& sideWeight1, double& sideWeight2, double& span)
{
    cablechain::MakeUpDef m;
    m.Add(weight2, length2);
    m.Add(weight1, length1);
    const cablechain::ChainSolutionDef cable = Between(m, tension, base, support1, support2);
    if (!cable.bSolved || cable.bOnSeabed || cable.LowPoint < 0.01)
        return 0.0;
    sideWeight1 = cable.Weight1;
    sideWeight2 = cable.Weight2;
    span = cable.Span;
    return cable.LowPoint;
}

double ComputeTwoSupportThreeSections(double tension, double base, double support1, double support2,
                                      double weight1, double length1, double weight2, double length2,
                                      double weight3, double length3, double& sideWeight1,
                                      double& sideWeight2, double& span)
{
    cablechain::MakeUpDef m;
    m.Add(weight3, length3);
    m.Add(weight2, length2);
    m.Add(weight1, length1);
    const cablechain::ChainSolutionDef cable = Between(m, tension, base, support1, support2);
    if (!cable.bSolved || cable.bOnSeabed || cable.LowPoint < 0.01)
        return 0.0;
    sideWeight1 = cable.Weight1;
    sideWeight2 = cable.Weight2;
    span = cable.Span;
    return cable.LowPoint;
}

double ComputeTwoSupportCable(const CableSectionsDef& sections, const GroundChainDef* chain, double tension,
                              double base, double support1, double support2, double& span,
                              double& sideWeight1, double& sideWeight2, double& lying)
{
    const cablechain::MakeUpDef m = solver_detail::AnchorMakeUp(sections, chain);
    const cablechain::ChainSolutionDef cable = Between(m, tension, base, support1, support2);
    if (cable.bSolved)
    {
        span = cable.Span;
        sideWeight1 = cable.Weight1;
        sideWeight2 = cable.Weight2;
        lying = cable.Lying;
        return LowestPoint(cable);
    }
    sideWeight1 = m.nPieces > 0 ? m.Piece[m.nPieces - 1].Weight : sections.LowerWeight;
    sideWeight2 = m.nPieces > 0 ? m.Piece[0].Weight : sections.LowerWeight;
    if (TooShort(m, base - support1, base - support2))
    {
        lying = 0.0;
        span = StraightSpan(m.FixedLength(), support1 - support2);
        return 0.0;
    }
    lying = std::max(0.0, m.FixedLength());
    span = lying;
    return 0.0;
}

double SolveSagForDistanceMixed(const CableSectionsDef& sections, double tension, double base,
                                double support1, double support2, double distance, double& sideWeight1,
                                double& sideWeight2, bool* pSettled)
{
    CableSectionsDef flagged = sections;
    flagged.bUseUpperSection = true;
    double lying = 0.0;
    return SolveSagForDistance(flagged, tension, base, support1, support2, distance, sideWeight1, sideWeight2, lying,
                               pSettled);
}

double SolveSagForDistance(const CableSectionsDef& sections, double tension, double base, double support1,
                           double support2, double distance, double& sideWeight1, double& sideWeight2,
                           double& lying, bool* pSettled)
{
    const cablechain::ChainSolutionDef cable =
        cableshapes::CableOverDistance(sections, tension, base, support1, support2, distance);
    if (pSettled)
        *pSettled = cable.bSolved;
    if (!cable.bSolved)
    {
        sideWeight1 = sections.bUseUpperSection ? sections.UpperWeight : sections.LowerWeight;
        sideWeight2 = sections.LowerWeight;
        lying = 0.0;
        return 0.0;
    }
    sideWeight1 = cable.Weight1;
    sideWeight2 = cable.Weight2;
    lying = cable.Lying;
    return LowestPoint(cable);
}

namespace
{
// a·(cosh(u/a) − 1), the rise of a catenary of parameter a at u from its lowest point, in a form
// that keeps its precision for small u and stays finite for large ones.
double Rise(double a, double u)
{
    const double half = std::sinh(std::max(-300.0, std::min(300.0, u / a)) / 2.0);
    return 2.0 * a * half * half;
}
} // namespace

double SolveTouchdownHeight(double tension, double distance, double base, double support1, double sideWeight1,
                            double support2, double sideWeight2, double lowPoint, double lying)
{
    const double bottom = base - lowPoint; // the level of the lowest point
    const double h1 = bottom - support1;
    const double horizontal = Kgf(tension) - sideWeight1 * h1;
    if (!(sideWeight1 > 0.0) || !(horizontal > 0.0) || !(h1 > 0.0))
    {
        // No catenary on side 1: the cable falls straight from support 1 to its lowest point.
        return distance <= 0.0 ? support1 : bottom;
    }
    const double a1 = horizontal / sideWeight1;
    const double x1 = a1 * std::acosh(1.0 + h1 / a1);
    if (distance < x1)
        return bottom - Rise(a1, x1 - distance);
    if (distance < x1 + lying)
        return bottom;
    if (!(sideWeight2 > 0.0))
        return bottom;
    const double level = bottom - Rise(horizontal / sideWeight2, distance - x1 - lying);
    return std::isfinite(level) ? level : bottom;
}
