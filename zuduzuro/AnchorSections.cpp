// The anchor's cable profile, section by section: without buoys one cable from the fairlead;
// with buoys the fairlead section down to the top buoy, the sections between buoys, and the
// anchor section from buoy 1 to the anchor (On Bottom) or the tug (Live).
//
// Each section is the exact catenary its solver solves (CableChain.h): one horizontal tension,
// each part of the cable hanging by its own weight, starting at its support. A section hangs
// over a level seabed: for the cable down to an On Bottom anchor the level at which it just
// touches the seabed drawn, tangent to it where it slopes, beyond which it lies on the seabed;
// for the others the greatest depth along the section. The section is kept whole in the anchor's cable shape, so that the
// clearances read the cable between the seabed points too, and drawn through the seabed points
// it covers; every cable point lies over a seabed point and lies on the seabed where the seabed is
// no deeper than the cable.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/AnchorDetail.h"
#include "zuduzuro/Catenary.h"
#include "zuduzuro/RootFinding.h"
#include "zuduzuro/Solver.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

using namespace anchordetail;

namespace
{
// A new section of the cable shape over seabed points first..last.
int NewSection(CAnchor& a, INT_PTR first, INT_PTR last)
{
    const INT_PTR size = a.m_SeabedProfile.GetSize();
    const double from = size > 0 ? a.m_SeabedProfile[std::min(std::max<INT_PTR>(first, 0), size - 1)].Range : 0.0;
    const double to = size > 0 ? a.m_SeabedProfile[std::min(std::max<INT_PTR>(last, 0), size - 1)].Range : from;
    return a.m_CableShape.AddSection(from, to);
}

// Appends cable points over seabed points first..last, each at the section's depth or on the
// seabed where the seabed lies no deeper. With `record`, the buoy keeps where the section last
// comes down onto the seabed and where it last leaves it; the section starts off the seabed.
void AddCappedPoints(CAnchor& a, INT_PTR first, INT_PTR last, int section, BuoyDef* record)
{
    bool onSeabed = false;
    for (INT_PTR k = first; k <= last && k < a.m_SeabedProfile.GetSize(); ++k)
    {
        const ProDataDef& seabed = a.m_SeabedProfile[k];
        const double depth = a.m_CableShape.SectionDepthAt(section, seabed.Range);
        const bool on = seabed.Depth <= depth;
        a.m_CableProfile.AddPointAtRange(seabed.Easting, seabed.Northing, on ? seabed.Depth : depth, seabed.Range,
                                         on ? 1 : 0);
        if (record && on != onSeabed)
        {
            const double e = a.m_FairleadEasting + seabed.Range * a.m_SinBearing;
            const double n = a.m_FairleadNorthing + seabed.Range * a.m_CosBearing;
            if (on)
            {
                record->TouchdownDistance = seabed.Range;
                record->TouchdownEasting = e;
                record->TouchdownNorthing = n;
            }
            else
            {
                record->LiftOffEasting = e;
                record->LiftOffNorthing = n;
            }
        }
        onSeabed = on;
    }
}

// The straight cable where a section has no catenary: over seabed points first..last, a line
// from `startLevel` at distance x0 to `endLevel` at the range, lying on the seabed wherever the
// seabed rises above it; the touchdown is the anchor.
void AddStraightCable(CAnchor& a, INT_PTR first, INT_PTR last, double x0, double startLevel, double endLevel)
{
    a.m_StraightCable = true;
    const int section = NewSection(a, first, last);
    a.m_CableShape.AddLine(x0, startLevel, a.m_Range, endLevel);
    AddCappedPoints(a, first, last, section, nullptr);
    a.m_TouchdownEasting = a.m_AnchorEasting;
    a.m_TouchdownNorthing = a.m_AnchorNorthing;
}

void SetTouchdown(CAnchor& a, double distance)
{
    a.m_TouchdownEasting = a.m_FairleadEasting + distance * a.m_SinBearing;
    a.m_TouchdownNorthing = a.m_FairleadNorthing + distance * a.m_CosBearing;
}

// A solved section into the shape from `near` (m from the fairlead) over reference depth
// `reference`; where no catenary hangs, a straight line from the near support's level to the far
// one's at `far`.
void AddSolved(CAnchor& a, const cablechain::ChainSolutionDef& cable, double near, double reference,
                double nearLevel, double far, double farLevel)
{
    if (cable.bSolved)
        a.m_CableShape.AddSolution(cable, near, reference);
    else
        a.m_CableShape.AddLine(near, nearLevel, far, farLevel);
}

// The seabed's depth `range` m from the fairlead; `fallback` where the profile has none.
double SeabedAt(const CAnchor& a, double range, double fallback)
{
    if (a.m_SeabedProfile.GetSize() < 2)
        return fallback;
    const double depth = a.m_SeabedProfile.GetDepthAtRange(range);
    return depth == DBL_MAX || !std::isfinite(depth) ? fallback : depth;
}

// An On Bottom cable as it comes down onto the seabed: the cable, the level seabed it was solved
// over, and where it touches down (m from the fairlead; the anchor's range when it lifts the
// anchor).
struct OntoSeabedDef
{
    cablechain::ChainSolutionDef Cable;
    double Level = 0.0;
    double Touchdown = 0.0;
    bool bLifted = false;
};

// The height of a solved cable at distance u from its support, as it hangs: past its lowest
// point its catenary goes on rising, where the solve had it lie on the level it was solved over.
double HangingHeight(const cablechain::ChainSolutionDef& cable, double u)
{
    int last = -1;
    for (int i = 0; i < cable.nStretches; ++i)
    {
        if (cable.Stretch[i].nKind == cablechain::STRETCH_LEVEL)
            continue;
        last = i;
        if (u <= cable.Stretch[i].To)
            break;
    }
    return last >= 0 ? cable.Stretch[last].HeightAt(u) : 0.0;
}

// How far a cable solved over a level seabed at `level`, hanging from a support `near` m from the
// fairlead, passes below the seabed drawn on its way to the anchor `far` m out (negative when it
// stays above it), and at what range it passes deepest.
struct DipDef
{
    double Below = -DBL_MAX;
    double Range = 0.0;
};

// The seabed profile in blocks of points, each with its shallowest depth: a cable that passes
// well above a block need not be compared with each of its points. A recompute searches many
// trial cables over profiles of tens of thousands of points.
class CSeabedBlocks
{
public:
    static constexpr INT_PTR kBlock = 64;

    explicit CSeabedBlocks(const CProfile& profile) : m_Points(profile.GetData()), m_Count(profile.GetSize())
    {
        for (INT_PTR first = 0; first < m_Count; first += kBlock)
        {
            double shallowest = DBL_MAX;
            for (INT_PTR k = first; k < std::min(m_Count, first + kBlock); ++k)
                shallowest = std::min(shallowest, m_Points[k].Depth);
            m_Shallowest.push_back(shallowest);
        }
    }

    // The deepest dip of the cable below the seabed (see DipDef).
    DipDef DeepestDip(const CAnchor& a, const cablechain::ChainSolutionDef& cable, double near, double far,
                      double level) const
    {
        DipDef dip;
        const CProfile& seabed = a.m_SeabedProfile;
        const auto depthAt = [&](double range) { return level - HangingHeight(cable, range - near); };
        const auto below = [&](double range) {
            const double depth = seabed.GetDepthAtRange(range);
            if (depth == DBL_MAX || !std::isfinite(depth))
                return -DBL_MAX;
            return depthAt(range) - depth;
        };
        const auto take = [&](double range) {
            const double b = below(range);
            if (b > dip.Below)
            {
                dip.Below = b;
                dip.Range = range;
            }
        };
        take(far);
        // Each block's most the cable can dip into it: the cable's depth rises to its lowest
        // point and falls after it, so over a block it is deepest at an end or at that point.
        const double lowest = cable.bOnSeabed ? near + cable.Span1 : far;
        struct BlockDef
        {
            double Bound;
            INT_PTR Block;
        };
        std::vector<BlockDef> blocks;
        for (INT_PTR b = 0; b < static_cast<INT_PTR>(m_Shallowest.size()); ++b)
        {
            const INT_PTR first = b * kBlock, last = std::min(m_Count, first + kBlock) - 1;
            const double from = std::max(near, m_Points[first].Range), to = std::min(far, m_Points[last].Range);
            if (!(from < to) || m_Shallowest[static_cast<size_t>(b)] == DBL_MAX)
                continue;
            const double deepest = from <= lowest && lowest <= to ? level : std::max(depthAt(from), depthAt(to));
            blocks.push_back(BlockDef{deepest - m_Shallowest[static_cast<size_t>(b)], b});
        }
        std::sort(blocks.begin(), blocks.end(), [](const BlockDef& x, const BlockDef& y) { return x.Bound > y.Bound; });
        for (const BlockDef& block : blocks)
        {
            if (block.Bound <= dip.Below)
                break;
            for (INT_PTR k = block.Block * kBlock; k < std::min(m_Count, (block.Block + 1) * kBlock); ++k)
                if (m_Points[k].Range > near && m_Points[k].Range < far)
                    take(m_Points[k].Range);
        }
        // Between two seabed points the cable's depth less the seabed's is concave: the deepest
        // dip next to the deepest point is found by golden sections.
        const double step =
            m_Count > 1 ? (m_Points[m_Count - 1].Range - m_Points[0].Range) / static_cast<double>(m_Count - 1) : 0.0;
        double lo = std::max(near, dip.Range - step), hi = std::min(far, dip.Range + step);
        const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
        for (int pass = 0; pass < 60 && hi - lo > 1e-6; ++pass)
        {
            const double x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
            if (below(x1) < below(x2))
                lo = x1;
            else
                hi = x2;
        }
        take((lo + hi) / 2.0);
        return dip;
    }

private:
    const ProDataDef* m_Points;
    INT_PTR m_Count;
    std::vector<double> m_Shallowest;
};

// The On Bottom cable from a support `near` m from the fairlead down to the anchor `far` m from
// it, as `solve` hangs it over a level seabed at a given depth. It touches the seabed drawn
// without passing through it: over the level at which it just reaches the seabed, tangent to it
// where the seabed slopes (past its lowest point where the seabed rises toward the anchor), and
// lies on the seabed from there. A level at the greatest depth along
// the way would have it meet a seabed that deepens toward the anchor at an angle, short of where
// its numbers put the touchdown. `fallback` (that greatest depth) serves where no level is found.
template <typename SOLVE>
OntoSeabedDef SolveOntoSeabed(const CAnchor& a, double near, double far, double fallback, SOLVE&& solve)
{
    OntoSeabedDef onto;
    const auto settle = [&](double level) {
        onto.Level = level;
        onto.Cable = solve(level);
        onto.bLifted = onto.Cable.bSolved && !onto.Cable.bOnSeabed;
        onto.Touchdown = near + (onto.bLifted ? far - near : onto.Cable.Span1);
    };
    // First the level of the seabed where the cable, hung over that level, touches down (or the
    // anchor's, when it reaches the anchor still hanging).
    const double reach = far - near;
    const auto touchdownMiss = [&](double x) {
        const cablechain::ChainSolutionDef cable = solve(SeabedAt(a, near + x, fallback));
        if (!cable.bSolved)
            return std::numeric_limits<double>::quiet_NaN();
        return (cable.bOnSeabed ? cable.Span1 : cable.Span) - x;
    };
    const double start = std::min(1e-3, reach / 2.0);
    const double missAtAnchor = touchdownMiss(reach), missAtStart = touchdownMiss(start);
    if (reach > 0.0 && missAtAnchor < 0.0 && missAtStart > 0.0)
        settle(SeabedAt(a, near + cablechain::BrentRoot(touchdownMiss, start, reach, missAtStart, missAtAnchor, 1e-6),
                        fallback));
    else
        settle(SeabedAt(a, far, fallback));
    if (!onto.Cable.bSolved)
    {
        settle(fallback);
        return onto;
    }
    // Where the seabed slopes that cable passes into it, short of its lowest point where the
    // seabed deepens toward the anchor, past it where it rises: a shallower level, at which it
    // only touches the seabed, is the true one.
    const CSeabedBlocks blocks(a.m_SeabedProfile);
    const auto dip = [&](double level) {
        const cablechain::ChainSolutionDef cable = solve(level);
        return cable.bSolved ? blocks.DeepestDip(a, cable, near, far, level).Below
                             : std::numeric_limits<double>::quiet_NaN();
    };
    const double high = onto.Level, dipHigh = blocks.DeepestDip(a, onto.Cable, near, far, high).Below;
    if (!(dipHigh > 1e-6))
        return onto;
    double low = high, dipLow = dipHigh;
    for (double step = 0.1; dipLow > 0.0 && step < 1e6; step *= 2.0)
    {
        low = high - step;
        dipLow = dip(low);
    }
    if (!(dipLow <= 0.0))
        return onto;
    settle(cablechain::BrentRoot(dip, low, high, dipLow, dipHigh, 1e-7));
    if (!onto.Cable.bSolved)
    {
        settle(fallback);
        return onto;
    }
    const DipDef touch = blocks.DeepestDip(a, onto.Cable, near, far, onto.Level);
    onto.Touchdown = touch.Range;
    onto.bLifted = touch.Range >= far;
    return onto;
}

// Beyond the foot of a pennant the cable is the pennant, straight up to the tug.
void AddPennant(CAnchor& a, double foot, const PennantDropDef& pennant)
{
    a.m_CableShape.AddLine(foot, pennant.Drop, foot + pennant.Offset, pennant.Offset > 0.0 ? 0.0 : pennant.Drop);
}

// The whole cable from the fairlead to the anchor or tug, without buoys.
void SolveWithoutBuoys(CAnchor& a)
{
    const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(a.m_Range);
    if (n < 0)
        return;
    const double d = a.GetMaximumSeabedDepth(0, static_cast<int>(n));
    const double tension = a.m_Tension;
    const double fairlead = -a.m_FairleadLevel;
    const double range = a.m_Range;

    if (a.m_Status == ANCHOR_ON_BOTTOM)
    {
        const OntoSeabedDef onto = SolveOntoSeabed(a, 0.0, range, d, [&](double depth) {
            return cableshapes::AnchorCableToDistance(a.m_Cable, a.m_GroundChain, tension, depth + a.m_FairleadLevel,
                                                      range);
        });
        if (!onto.Cable.bSolved)
        {
            const ProDataDef& start = a.m_SeabedProfile[0];
            AddStraightCable(a, 0, n, start.Range, fairlead, start.Depth);
            return;
        }
        // Touching down short of the anchor, or lifting it.
        SetTouchdown(a, onto.Touchdown);
        const int section = NewSection(a, 0, n);
        a.m_CableShape.AddSolution(onto.Cable, 0.0, onto.Level, onto.Touchdown);
        AddCappedPoints(a, 0, n, section, nullptr);
        return;
    }
    if (a.m_Status != ANCHOR_LIVE)
        return;
    const int section = NewSection(a, 0, n);
    switch (a.m_PennantMode)
    {
    case 0:
    case 2:
    {
        const double tug = a.m_PennantMode == 0 ? a.m_TugFairleadHeight : 0.0;
        AddSolved(a, cableshapes::CableOverDistance(a.m_Cable, tension, d, fairlead, tug, range), 0.0, d, fairlead,
                   range, tug);
        break;
    }
    case 1:
    {
        const PennantDropDef pennant = PennantDrop(a, d);
        const double foot = range - pennant.Offset;
        AddSolved(a, cableshapes::CableOverDistance(a.m_Cable, tension, d, fairlead, pennant.Drop, foot), 0.0, d,
                   fairlead, foot, pennant.Drop);
        AddPennant(a, foot, pennant);
        break;
    }
    default:
        break;
    }
    AddCappedPoints(a, 0, n, section, nullptr);
}

// The anchor section of a Live anchor with buoys: from buoy 1's pennant end to the tug.
void SolveLiveAnchorSection(CAnchor& a, INT_PTR start)
{
    const INT_PTR m = a.m_SeabedProfile.GetIndexAtRange(a.m_Range);
    if (m < 0)
        return;
    const BuoyDef& buoy = a.m_Buoys[0];
    const double reference = a.GetMaximumSeabedDepth(static_cast<int>(start), static_cast<int>(m));
    const double pennant = buoy.PennantWireLength;
    const double near = buoy.DistanceFromFairlead;
    const cablechain::MakeUpDef whole = cableshapes::AnchorMakeUp(a.m_Cable, &a.m_GroundChain);
    const int section = NewSection(a, start, m);

    switch (a.m_PennantMode)
    {
    case 0:
        AddSolved(a, cableshapes::CableBetween(whole, a.m_Tension, reference, pennant, a.m_TugFairleadHeight), near,
                   reference, pennant, a.m_Range, a.m_TugFairleadHeight);
        break;
    case 1:
    {
        const PennantDropDef drop = PennantDrop(a, reference);
        const cablechain::ChainSolutionDef cable =
            cableshapes::CableBetween(whole, a.m_Tension, reference, pennant, drop.Drop);
        const double foot = cable.bSolved ? near + cable.Span : a.m_Range - drop.Offset;
        AddSolved(a, cable, near, reference, pennant, foot, drop.Drop);
        AddPennant(a, foot, drop);
        break;
    }
    case 2:
    {
        double out = 0.0;
        bool lineOnly = false;
        const cablechain::MakeUpDef left = RecoveredMakeUp(a, out, lineOnly);
        if (lineOnly || left.nPieces == 0)
        {
            // Only the line is out: straight from the pennant's end up to the surface, where it
            // stays.
            const double run = StraightSpan(out, pennant);
            a.m_CableShape.AddLine(near, pennant, near + run, run > 0.0 ? 0.0 : pennant);
            a.m_CableShape.AddLine(near + run, run > 0.0 ? 0.0 : pennant, std::max(a.m_Range, near + run),
                                   run > 0.0 ? 0.0 : pennant);
        }
        else
        {
            AddSolved(a, cableshapes::CableBetween(left, a.m_Tension, reference, pennant, 0.0), near, reference,
                       pennant, a.m_Range, 0.0);
        }
        break;
    }
    default:
        break;
    }
    AddCappedPoints(a, start, m, section, nullptr);
}

// The sections of a cable with buoys, from the fairlead towards the anchor.
void SolveWithBuoys(CAnchor& a)
{
    for (int i = 0; i < a.m_BuoysInUse; ++i)
    {
        BuoyDef& buoy = a.m_Buoys[i];
        buoy.TouchdownDistance = 0.0;
        buoy.TouchdownEasting = buoy.TouchdownNorthing = 0.0;
        buoy.LiftOffEasting = buoy.LiftOffNorthing = 0.0;
    }
    const double tension = a.m_Tension;
    const double fairlead = -a.m_FairleadLevel;

    // The fairlead section, bent down evenly to meet the top buoy's pennant where its cable
    // passes half a metre or more above the pennant's end at the seabed point that closes it.
    BuoyDef& top = a.m_Buoys[a.m_BuoyStack[0]];
    const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(top.DistanceFromFairlead);
    if (n < 0)
        return;
    const double topReference = a.GetMaximumSeabedDepth(0, static_cast<int>(n));
    const int first = NewSection(a, 0, n);
    AddSolved(a,
               cableshapes::CableOverDistance(top.Cable, tension, topReference, fairlead, top.PennantWireLength,
                                              top.DistanceFromFairlead),
               0.0, topReference, fairlead, top.DistanceFromFairlead, top.PennantWireLength);
    const double atBuoy = a.m_CableShape.SectionDepthAt(first, a.m_SeabedProfile[n].Range);
    if (n > 0 && top.PennantWireLength - atBuoy >= 0.5)
    {
        top.bPennantAdjusted = true;
        std::vector<double> ranges(static_cast<size_t>(n + 1));
        for (INT_PTR k = 0; k <= n; ++k)
            ranges[static_cast<size_t>(k)] = a.m_SeabedProfile[k].Range;
        a.m_CableShape.SetBend((top.PennantWireLength - atBuoy) / static_cast<double>(n), ranges);
    }
    AddCappedPoints(a, 0, n, first, &top);

    INT_PTR end = n;
    for (int s = 1; s < a.m_BuoyStackCount; ++s)
    {
        const BuoyDef& near = a.m_Buoys[a.m_BuoyStack[s - 1]];
        BuoyDef& far = a.m_Buoys[a.m_BuoyStack[s]];
        const INT_PTR m = a.m_SeabedProfile.GetIndexAtRange(far.DistanceFromFairlead);
        if (m < 0)
            return;
        const double reference = a.GetMaximumSeabedDepth(static_cast<int>(end), static_cast<int>(m));
        const double p = near.PennantWireLength, q = far.PennantWireLength;
        const int section = NewSection(a, end, m);
        if (far.Cable.LowerWeight != 0.0)
        {
            cablechain::MakeUpDef lower;
            lower.Add(far.Cable.LowerWeight, far.Cable.LowerLength);
            AddSolved(a, cableshapes::CableBetween(lower, tension, reference, p, q), near.DistanceFromFairlead,
                       reference, p, far.DistanceFromFairlead, q);
        }
        else
        {
            a.m_CableShape.AddLine(near.DistanceFromFairlead, p, far.DistanceFromFairlead, q);
        }
        AddCappedPoints(a, end, m, section, &far);
        end = m;
    }

    if (a.m_Status == ANCHOR_ON_BOTTOM)
        a.ComputeLastSection(0, static_cast<int>(end));
    else if (a.m_Status == ANCHOR_LIVE)
        SolveLiveAnchorSection(a, end);
}

bool IsFinite(double e, double n)
{
    return std::isfinite(e) && std::isfinite(n);
}
} // namespace

void CAnchor::SolveZuduzuro()
{
    for (BuoyDef& buoy : m_Buoys)
        buoy.bPennantAdjusted = false;
    m_BuoyStackCount = m_BuoysInUse;
    for (int i = 0; i < kBuoys; ++i)
        m_BuoyStack[i] = i < m_BuoysInUse ? m_BuoysInUse - 1 - i : -1;
    m_StraightCable = false;
    m_CableShape.RemoveAll();

    if (m_BuoysInUse == 0)
        SolveWithoutBuoys(*this);
    else
        SolveWithBuoys(*this);

    // The solvers give finite answers for finite inputs; should any slip through, the cable is
    // the straight line that stands where a section has no catenary, never a NaN on screen.
    bool finite = IsFinite(m_TouchdownEasting, m_TouchdownNorthing);
    for (INT_PTR i = 0; finite && i < m_CableProfile.GetSize(); ++i)
        finite = IsFinite(m_CableProfile[i].Range, m_CableProfile[i].Depth);
    for (BuoyDef& buoy : m_Buoys)
    {
        if (!IsFinite(buoy.TouchdownEasting, buoy.TouchdownNorthing) || !std::isfinite(buoy.TouchdownDistance))
            buoy.TouchdownDistance = buoy.TouchdownEasting = buoy.TouchdownNorthing = 0.0;
        if (!IsFinite(buoy.LiftOffEasting, buoy.LiftOffNorthing))
            buoy.LiftOffEasting = buoy.LiftOffNorthing = 0.0;
    }
    if (finite)
        return;
    m_CableProfile.RemoveAll();
    m_CableShape.RemoveAll();
    const INT_PTR n = m_SeabedProfile.GetIndexAtRange(m_Range);
    if (n >= 0)
    {
        const ProDataDef& start = m_SeabedProfile[0];
        const double end = start.Depth == DBL_MAX ? m_WaterDepth : start.Depth;
        AddStraightCable(*this, 0, n, start.Range, -m_FairleadLevel, end);
    }
    else
    {
        m_TouchdownEasting = m_AnchorEasting;
        m_TouchdownNorthing = m_AnchorNorthing;
    }
}

void CAnchor::ComputeLastSection(int buoyIndex, int start)
{
    if (m_Status != ANCHOR_ON_BOTTOM || buoyIndex != 0 || start < 0 || start >= m_SeabedProfile.GetSize())
        return;
    const INT_PTR end = m_SeabedProfile.GetIndexAtRange(m_Range);
    if (end < 0)
        return;
    const BuoyDef& buoy = m_Buoys[0];
    const double reference = GetMaximumSeabedDepth(start, static_cast<int>(end));
    const double pennant = buoy.PennantWireLength;
    const ProDataDef& before = m_SeabedProfile[start > 0 ? start - 1 : 0];

    // From the pennant's end down to the anchor on the seabed: touching down short of it, or
    // lifting it.
    const OntoSeabedDef onto =
        SolveOntoSeabed(*this, buoy.DistanceFromFairlead, m_Range, reference, [&](double depth) {
            return cableshapes::AnchorCable(m_Cable, m_GroundChain, m_Tension, depth - pennant);
        });
    if (!onto.Cable.bSolved)
    {
        AddStraightCable(*this, start, end, before.Range, pennant, before.Depth);
        return;
    }
    m_StraightCable = false;
    SetTouchdown(*this, onto.Touchdown);
    const int section = NewSection(*this, start, end);
    m_CableShape.AddSolution(onto.Cable, buoy.DistanceFromFairlead, onto.Level, onto.Touchdown);
    AddCappedPoints(*this, start, end, section, nullptr);
}
