// The anchor's cable profile, section by section: without buoys one catenary from the fairlead;
// with buoys the fairlead section down to the top buoy, the sections between buoys, and the
// anchor section from buoy 1 to the anchor (On Bottom) or the tug (Live). Every cable point
// lies over a seabed point and is capped by the seabed.
//
// A drawn point is solved as if it hung from its section's support with that support's
// tension, not from the true catenary through both ends: between a fairlead and its touchdown
// the drawn cable lies somewhat below the true one, so clearances over pipelines come out
// smaller, on the safe side of an alarm.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/AnchorDetail.h"
#include "zuduzuro/Catenary.h"
#include "zuduzuro/Solver.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>

using namespace anchordetail;

namespace
{
// The depth of a cable point at distance `u` from its section's near support, from the
// section's solve.
using DepthAt = std::function<double(INT_PTR index, double u)>;

// Appends cable points over seabed points first..last, each at its depth or on the seabed where
// the seabed lies no deeper. With `record`, the buoy keeps where the section last comes down
// onto the seabed and where it last leaves it; the section starts off the seabed.
void AddCappedPoints(CAnchor& a, INT_PTR first, INT_PTR last, double nearDistance, const DepthAt& depthAt,
                     BuoyDef* record)
{
    bool onSeabed = false;
    for (INT_PTR k = first; k <= last && k < a.m_SeabedProfile.GetSize(); ++k)
    {
        const ProDataDef& seabed = a.m_SeabedProfile[k];
        const double depth = depthAt(k, seabed.Range - nearDistance);
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
// from `startLevel` at distance x0 to `endLevel` at the range, off the seabed and uncapped; the
// touchdown is the anchor.
void AddStraightCable(CAnchor& a, INT_PTR first, INT_PTR last, double x0, double startLevel, double endLevel)
{
    a.m_StraightCable = true;
    for (INT_PTR k = first; k <= last && k < a.m_SeabedProfile.GetSize(); ++k)
    {
        const ProDataDef& seabed = a.m_SeabedProfile[k];
        const double depth = startLevel + (seabed.Range - x0) * SafeRatio(endLevel - startLevel, a.m_Range - x0);
        a.m_CableProfile.AddPointAtRange(seabed.Easting, seabed.Northing, depth, seabed.Range, 0);
    }
    a.m_TouchdownEasting = a.m_AnchorEasting;
    a.m_TouchdownNorthing = a.m_AnchorNorthing;
}

void SetTouchdown(CAnchor& a, double distance)
{
    a.m_TouchdownEasting = a.m_FairleadEasting + distance * a.m_SinBearing;
    a.m_TouchdownNorthing = a.m_FairleadNorthing + distance * a.m_CosBearing;
}

// The two-support fill of a section solved over reference depth A with supports B and C.
DepthAt TwoSupportFill(double tension, double reference, double support1, double support2,
                       const SectionSolveDef& solve)
{
    return [=](INT_PTR, double u) {
        return SolveTouchdownHeight(tension, u, reference, support1, solve.Weight1, support2, solve.Weight2,
                                    solve.LowPoint, solve.Lying);
    };
}

// A cable with a weightless upper line from support `support1`: the line, then the catenary
// down to its lowest point, the length lying, and the catenary up to `support2`.
double WeightlessDepth(double u, double tension, double reference, double support1, double support2,
                       const WeightlessRangeDef& r)
{
    if (u <= r.LineSpan)
        return support1 + r.LineHeight * SafeRatio(u, r.LineSpan);
    const double bottom = reference - r.LowPoint;
    if (u < r.FirstSpan)
        return bottom - SolveHeightForSpan(r.FirstSpan - u, reference, support1 + r.LineHeight, tension, r.LowerWeight);
    if (u < r.FirstSpan + r.Lying)
        return reference;
    return bottom - SolveHeightForSpan(u - r.FirstSpan - r.Lying, reference, support2, tension, r.FarWeight);
}

// Beyond the pennant's foot at `foot` the cable is the pennant, straight up to the tug.
double PennantDepth(double u, double foot, const PennantDropDef& pennant)
{
    if (pennant.Offset == 0.0)
        return pennant.Drop; // the tug stands above the foot
    return pennant.Drop - (u - foot) * pennant.Drop / pennant.Offset;
}

SectionSolveDef SagForDistance(const CableSectionsDef& sections, double tension, double reference, double support1,
                               double support2, double distance)
{
    SectionSolveDef solve;
    solve.LowPoint =
        SolveSagForDistance(sections, tension, reference, support1, support2, distance, solve.Weight1, solve.Weight2,
                            solve.Lying);
    solve.Span = distance;
    return solve;
}

SectionSolveDef TwoSupportCable(const CAnchor& a, double reference, double support1, double support2)
{
    SectionSolveDef solve;
    solve.LowPoint = ComputeTwoSupportCable(a.m_Cable, &a.m_GroundChain, a.m_Tension, reference, support1, support2,
                                            solve.Span, solve.Weight1, solve.Weight2, solve.Lying);
    return solve;
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

    if (a.m_Status == ANCHOR_ON_BOTTOM)
    {
        double weight = 0.0, span = 0.0;
        if (!ComputeSpanForTension(a.m_Cable, a.m_GroundChain, tension, d, a.m_FairleadLevel, a.m_Range, weight, span))
        {
            const ProDataDef& start = a.m_SeabedProfile[0];
            AddStraightCable(a, 0, n, start.Range, fairlead, start.Depth);
            return;
        }
        SetTouchdown(a, span);
        AddCappedPoints(a, 0, n, 0.0,
                        [&](INT_PTR, double x) {
                            return x < span ? d - SolveHeightForSpan(span - x, d, fairlead, tension, weight) : d;
                        },
                        nullptr);
        return;
    }
    if (a.m_Status != ANCHOR_LIVE)
        return;
    switch (a.m_PennantMode)
    {
    case 0:
    {
        const SectionSolveDef solve = SagForDistance(a.m_Cable, tension, d, fairlead, a.m_TugFairleadHeight, a.m_Range);
        AddCappedPoints(a, 0, n, 0.0, TwoSupportFill(tension, d, fairlead, a.m_TugFairleadHeight, solve), nullptr);
        break;
    }
    case 1:
    {
        const PennantDropDef pennant = PennantDrop(a, d);
        const double foot = a.m_Range - pennant.Offset;
        const SectionSolveDef solve = SagForDistance(a.m_Cable, tension, d, fairlead, pennant.Drop, foot);
        const DepthAt fill = TwoSupportFill(tension, d, fairlead, pennant.Drop, solve);
        AddCappedPoints(a, 0, n, 0.0,
                        [&](INT_PTR k, double x) { return x <= foot ? fill(k, x) : PennantDepth(x, foot, pennant); },
                        nullptr);
        break;
    }
    case 2:
    {
        const SectionSolveDef solve = SagForDistance(a.m_Cable, tension, d, fairlead, 0.0, a.m_Range);
        AddCappedPoints(a, 0, n, 0.0, TwoSupportFill(tension, d, fairlead, 0.0, solve), nullptr);
        break;
    }
    default:
        break;
    }
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
    const double tension = a.m_Tension;
    const double nearDistance = buoy.DistanceFromFairlead;
    const bool weightless = a.m_Cable.IsWeightlessUpper();
    auto add = [&](const DepthAt& depthAt) { AddCappedPoints(a, start, m, nearDistance, depthAt, nullptr); };

    switch (a.m_PennantMode)
    {
    case 0:
        if (weightless)
        {
            WeightlessRangeDef r;
            ComputeWeightlessRange(a.m_Cable, a.m_GroundChain, tension, reference, pennant, a.m_TugFairleadHeight, r);
            add([&](INT_PTR, double u) {
                return WeightlessDepth(u, tension, reference, pennant, a.m_TugFairleadHeight, r);
            });
        }
        else
        {
            add(TwoSupportFill(tension, reference, pennant, a.m_TugFairleadHeight,
                               TwoSupportCable(a, reference, pennant, a.m_TugFairleadHeight)));
        }
        break;
    case 1:
    {
        const PennantDropDef drop = PennantDrop(a, reference);
        if (weightless)
        {
            WeightlessRangeDef r;
            ComputeWeightlessRange(a.m_Cable, a.m_GroundChain, tension, reference, pennant, drop.Drop, r);
            add([&](INT_PTR, double u) {
                return u <= r.Range ? WeightlessDepth(u, tension, reference, pennant, drop.Drop, r)
                                    : PennantDepth(u, r.Range, drop);
            });
        }
        else
        {
            const SectionSolveDef solve = TwoSupportCable(a, reference, pennant, drop.Drop);
            const DepthAt fill = TwoSupportFill(tension, reference, pennant, drop.Drop, solve);
            add([&](INT_PTR k, double u) { return u <= solve.Span ? fill(k, u) : PennantDepth(u, solve.Span, drop); });
        }
        break;
    }
    case 2:
        if (weightless)
        {
            bool lineOnly = false;
            WeightlessRangeDef r;
            ComputeWeightlessCableOut(a.m_Cable, a.m_GroundChain, tension, reference, pennant, a.m_CableOnDeck, lineOnly,
                                      r);
            if (lineOnly)
            {
                // Only the line is out: straight from the pennant's end up to the surface,
                // where it stays.
                const double out = a.m_Cable.LowerLength + a.m_Cable.UpperLength +
                                   (a.m_GroundChain.bUseGroundChain ? a.m_GroundChain.GroundChainLength : 0.0) -
                                   a.m_CableOnDeck;
                const double run = StraightSpan(out, pennant);
                add([&](INT_PTR, double u) {
                    return run > 0.0 ? std::max(pennant * (run - u) / run, 0.0) : pennant;
                });
            }
            else if (r.bHangsWhole)
            {
                add([&](INT_PTR, double u) {
                    if (u < r.LineSpan)
                        return pennant - r.LineHeight * SafeRatio(u, r.LineSpan);
                    return pennant - SolveHeightForSpan(u - r.LineSpan + r.CatenarySpan, reference, 0.0, tension,
                                                        r.LowerWeight);
                });
            }
            else
            {
                add([&](INT_PTR, double u) { return WeightlessDepth(u, tension, reference, pennant, 0.0, r); });
            }
        }
        else
        {
            add(TwoSupportFill(tension, reference, pennant, 0.0, SolveRecoveredToDeck(a, reference, pennant)));
        }
        break;
    default:
        break;
    }
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

    // The fairlead section, bent down evenly to meet the top buoy's pennant where its catenary
    // passes half a metre or more above it.
    BuoyDef& top = a.m_Buoys[a.m_BuoyStack[0]];
    const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(top.DistanceFromFairlead);
    if (n < 0)
        return;
    const double topReference = a.GetMaximumSeabedDepth(0, static_cast<int>(n));
    const SectionSolveDef solve =
        SagForDistance(top.Cable, tension, topReference, fairlead, top.PennantWireLength, top.DistanceFromFairlead);
    const DepthAt fill = TwoSupportFill(tension, topReference, fairlead, top.PennantWireLength, solve);
    const double atBuoy = fill(n, a.m_SeabedProfile[n].Range);
    double even = 0.0;
    if (n > 0 && top.PennantWireLength - atBuoy >= 0.5)
    {
        top.bPennantAdjusted = true;
        even = (top.PennantWireLength - atBuoy) / n;
    }
    AddCappedPoints(a, 0, n, 0.0, [&](INT_PTR k, double x) { return fill(k, x) + k * even; }, &top);

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
        const double weight = far.Cable.LowerWeight;
        if (weight != 0.0)
        {
            SectionSolveDef between;
            double touchdown = 0.0;
            between.Span = ComputeTwoSupportLower(far.Cable, tension, reference, p, q, between.LowPoint, touchdown,
                                                  between.Lying);
            between.Weight1 = between.Weight2 = weight;
            AddCappedPoints(a, end, m, near.DistanceFromFairlead, TwoSupportFill(tension, reference, p, q, between),
                            &far);
        }
        else
        {
            const double spacing = far.DistanceFromFairlead - near.DistanceFromFairlead;
            AddCappedPoints(a, end, m, near.DistanceFromFairlead,
                            [&](INT_PTR, double u) { return spacing > 0.0 ? p + (q - p) * u / spacing : q; }, &far);
        }
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
    const double tension = m_Tension;
    const ProDataDef& before = m_SeabedProfile[start > 0 ? start - 1 : 0];
    const double x0 = before.Range, z0 = before.Depth;

    if (m_Cable.IsWeightlessUpper() && m_Cable.UpperLength > 0.0)
    {
        double weight = 0.0, lineSpan = 0.0, lineHeight = 0.0, touchdown = 0.0, range = 0.0;
        const bool solved = SolveWeightlessWithChain(m_Cable, m_GroundChain, tension, reference, pennant, &weight,
                                                     &lineSpan, &lineHeight, touchdown, range);
        INT_PTR last = m_SeabedProfile.GetIndexAtRange(buoy.DistanceFromFairlead + range);
        if (last < 0)
            last = end;
        if (!solved)
        {
            AddStraightCable(*this, start, last, x0, pennant, z0);
            return;
        }
        m_StraightCable = false;
        SetTouchdown(*this, buoy.DistanceFromFairlead + touchdown);
        AddCappedPoints(*this, start, last, x0,
                        [&](INT_PTR k, double u) {
                            if (u <= lineSpan)
                                return pennant + lineHeight * SafeRatio(u, lineSpan);
                            if (u < touchdown)
                                return reference - SolveHeightForSpan(touchdown - u, reference, pennant, tension, weight);
                            return m_SeabedProfile[k].Depth;
                        },
                        nullptr);
        return;
    }

    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
    if (!ComputeAnchorRange(m_Cable, m_GroundChain, tension, reference, pennant, weight, span, suspended, range))
    {
        AddStraightCable(*this, start, end, x0, pennant, z0);
        return;
    }
    SetTouchdown(*this, buoy.DistanceFromFairlead + span);
    AddCappedPoints(*this, start, end, x0,
                    [&](INT_PTR k, double u) {
                        return span - u > 0.0
                                   ? reference - SolveHeightForSpan(span - u, reference, pennant, tension, weight)
                                   : m_SeabedProfile[k].Depth;
                    },
                    nullptr);
}
