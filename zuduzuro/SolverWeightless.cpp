// The solvers of a cable whose upper section is a weightless line (a synthetic rope or a wire
// in air, weight exactly 0): the line runs straight from the fairlead and the lower section
// hangs from its end as a catenary that leaves the junction at the line's angle, under the same
// tension as the line.
#include "zuduzuro/Solver.h"

#include "zuduzuro/Catenary.h"
#include "zuduzuro/SolverDetail.h"

#include <algorithm>
#include <cmath>

using solver_detail::Kgf;

namespace
{
// The weightless line of a solved cable: the straight stretches from support 1 onward.
struct LineDef
{
    double Span = 0.0;
    double Height = 0.0;
};

LineDef LineOf(const cablechain::ChainSolutionDef& cable)
{
    LineDef line;
    for (int i = 0; i < cable.nStretches && cable.Stretch[i].nKind == cablechain::STRETCH_LINE; ++i)
    {
        line.Span = cable.Stretch[i].To;
        line.Height = cable.Stretch[0].Height - cable.Stretch[i].ToHeight;
    }
    return line;
}

// The line from the top with the lower section and, when flagged and of length, the chain.
cablechain::MakeUpDef LineMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain)
{
    cablechain::MakeUpDef m;
    if (chain && chain->bUseGroundChain)
        m.Add(chain->GroundChainWeight, chain->GroundChainLength);
    m.Add(sections.LowerWeight, sections.LowerLength);
    m.Add(0.0, sections.UpperLength);
    return m;
}
} // namespace

bool SolveWeightlessUpperSection(double tension, double heightA, double heightB, double weight,
                                 double lowerLength, double upperLength, double& suspended,
                                 double& lineHeight, double& lineSpan, double& totalSpan,
                                 double& catenarySpan, double& range)
{
    cablechain::MakeUpDef m;
    m.Add(weight, lowerLength);
    m.Add(0.0, upperLength);
    const cablechain::ChainSolutionDef cable = cablechain::SolveByLength(m, Kgf(tension), heightA - heightB, 0.0);
    if (!cable.bSolved)
        return false;
    const LineDef line = LineOf(cable);
    lineHeight = line.Height;
    lineSpan = line.Span;
    range = cable.Span;
    if (!cable.bOnSeabed)
    {
        suspended = 0.0;
        totalSpan = 0.0;
        catenarySpan = cable.Span - line.Span;
        return false;
    }
    suspended = std::max(0.0, cable.Suspended1 - std::max(0.0, upperLength));
    totalSpan = cable.Span1;
    catenarySpan = cable.Span1 - line.Span;
    return true;
}

bool SolveWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                              double heightA, double heightB, double* pWeightUsed, double* pLineSpan,
                              double* pLineHeight, double& totalSpan, double& range)
{
    if (sections.UpperWeight != 0.0)
        return false;
    const cablechain::ChainSolutionDef cable =
        cablechain::SolveByLength(LineMakeUp(sections, &chain), Kgf(tension), heightA - heightB, 0.0);
    const LineDef line = LineOf(cable);
    if (pLineSpan)
        *pLineSpan = line.Span;
    if (pLineHeight)
        *pLineHeight = line.Height;
    totalSpan = cable.bOnSeabed ? cable.Span1 : 0.0;
    range = cable.Span;
    if (!cable.bSolved || !cable.bOnSeabed)
        return false;
    if (pWeightUsed)
        *pWeightUsed = cable.Weight1; // the line weighs nothing: the mean is of the cable below it
    return true;
}

bool ComputeWeightlessRange(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double levelA, double levelB, double levelC, WeightlessRangeDef& result)
{
    if (sections.UpperWeight != 0.0)
        return false;
    const cablechain::ChainSolutionDef cable =
        cableshapes::CableBetween(LineMakeUp(sections, &chain), tension, levelA, levelB, levelC);
    result.LowerWeight = sections.LowerWeight;
    if (!cable.bSolved)
    {
        result.bHangsWhole = true;
        result.LineSpan = result.LineHeight = result.FirstSpan = result.LowPoint = 0.0;
        result.FarWeight = result.Lying = result.CatenarySpan = result.Range = 0.0;
        return false;
    }
    const LineDef line = LineOf(cable);
    result.LineSpan = line.Span;
    result.LineHeight = line.Height;
    result.FirstSpan = cable.Span1;
    result.LowPoint = cable.bOnSeabed ? 0.0 : cable.LowPoint;
    result.FarWeight = cable.Weight2;
    result.Lying = cable.Lying;
    result.CatenarySpan = std::max(0.0, cable.Span1 - line.Span);
    result.Range = cable.Span;
    result.bHangsWhole = cable.Suspended1 - std::max(0.0, sections.UpperLength) >= sections.LowerLength;
    return !result.bHangsWhole;
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
