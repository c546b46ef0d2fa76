// The anchor computation's flow: the steps from the status checks to the clearances, the
// seabed profile under the cable, and the buoys' places on it.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/AnchorDetail.h"
#include "zuduzuro/Catenary.h"
#include "zuduzuro/Solver.h"

#include "features/Dtm.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

using namespace anchordetail;

namespace
{
constexpr double kMinimumProfileLength = 1000.0;  // m
constexpr double kMaximumProfileLength = 20000.0; // m
constexpr double kSlopeCarriedOn = 500.0;         // m past the anchor

bool IsPositive(double value)
{
    return value > 0.0 && std::isfinite(value);
}
} // namespace

namespace anchordetail
{
double SafeRatio(double numerator, double denominator)
{
    if (denominator == 0.0)
        return 0.0;
    const double ratio = numerator / denominator;
    return std::isfinite(ratio) ? ratio : 0.0;
}

PennantDropDef PennantDrop(const CAnchor& anchor, double depth)
{
    const double length = anchor.m_TugPennantWireLength;
    const double horizontal = anchor.m_Tension * 1000.0 - depth * anchor.m_PennantWireWeight;
    const double weight = anchor.m_AnchorWeight * 1000.0;
    if (!(horizontal > 0.0) || !(weight > 0.0))
        return PennantDropDef{std::min(length, depth), 0.0};
    const double angle = std::atan2(horizontal, weight); // from the vertical
    return PennantDropDef{length * std::cos(angle), length * std::sin(angle)};
}

cablechain::MakeUpDef RecoveredMakeUp(const CAnchor& anchor, double& out, bool& lineOnly)
{
    const cablechain::MakeUpDef whole = cableshapes::AnchorMakeUp(anchor.m_Cable, &anchor.m_GroundChain);
    out = whole.FixedLength() - anchor.m_CableOnDeck;
    cablechain::MakeUpDef left;
    double onDeck = std::max(0.0, anchor.m_CableOnDeck);
    for (int i = 0; i < whole.nPieces; ++i)
    {
        const double taken = std::min(onDeck, whole.Piece[i].Length);
        onDeck -= taken;
        left.Add(whole.Piece[i].Weight, whole.Piece[i].Length - taken);
    }
    lineOnly = left.nPieces == 1 && left.Piece[0].Weight == 0.0 && anchor.m_Cable.IsWeightlessUpper() &&
               anchor.m_Cable.HasUpper();
    return left;
}

double RecoveredSpan(const CAnchor& anchor, double reference, double support1)
{
    double out = 0.0;
    bool lineOnly = false;
    const cablechain::MakeUpDef left = RecoveredMakeUp(anchor, out, lineOnly);
    if (lineOnly || left.nPieces == 0)
        return StraightSpan(out, support1);
    const cablechain::ChainSolutionDef cable =
        cableshapes::CableBetween(left, anchor.m_Tension, reference, support1, 0.0);
    if (cable.bSolved)
        return cable.Span;
    // No catenary: the cable runs straight to the surface.
    return StraightSpan(left.FixedLength(), support1);
}
} // namespace anchordetail

void CAnchor::ComputeZuduzuro()
{
    m_PreviousStatusLevel = m_StatusLevel;
    m_StatusText.Empty();
    m_StatusLevel = ANCHOR_LEVEL_NONE;
    m_ComputedCableLength = 0.0;
    auto fault = [this](const char* text) {
        m_StatusText = text;
        m_StatusLevel = ANCHOR_LEVEL_FAULT;
    };

    if (!m_PositionCurrent)
        fault("Timeout");
    if (m_Status == ANCHOR_RACKED)
    {
        fault("Anchor Racked");
        return;
    }
    if (m_Status != ANCHOR_LIVE && m_Status != ANCHOR_ON_BOTTOM)
        return;
    if (!IsPositive(m_Tension))
    {
        fault("No Tension");
        return;
    }
    // Every weight the solvers may take must be a number; the lower one must lift nothing less.
    bool weightsFinite = std::isfinite(m_Cable.UpperWeight) && std::isfinite(m_GroundChain.GroundChainWeight) &&
                         std::isfinite(m_PennantWireWeight) && std::isfinite(m_AnchorWeight);
    for (const BuoyDef& buoy : m_Buoys)
        weightsFinite = weightsFinite && std::isfinite(buoy.Cable.LowerWeight) && std::isfinite(buoy.Cable.UpperWeight);
    if (!IsPositive(m_Cable.LowerWeight) || !weightsFinite)
    {
        fault("No Cable Weight");
        return;
    }
    if (!std::isfinite(m_WaterDepth) || !std::isfinite(m_DepthAtAnchor) || !std::isfinite(m_FairleadLevel) ||
        !std::isfinite(m_TugFairleadHeight))
    {
        fault("No Depth");
        return;
    }
    if (!ComputeBuoys())
        return;
    m_ProfileFromDtm = BuildSeabedProfile();

    // The seabed's depth at distance `range`, or the water depth where the profile has none.
    auto depthOrWater = [this, &fault](double range) {
        if (m_SeabedProfile.GetSize() == 0)
            return m_WaterDepth;
        const double depth = m_SeabedProfile.GetDepthAtRange(range);
        if (depth != DBL_MAX)
            return depth;
        fault("No DTM");
        return m_WaterDepth;
    };
    m_WaterDepth = depthOrWater(0.0);
    m_LastFairleadEasting = m_FairleadEasting;
    m_LastFairleadNorthing = m_FairleadNorthing;
    m_LastAnchorEasting = m_AnchorEasting;
    m_LastAnchorNorthing = m_AnchorNorthing;
    m_DepthAtFairleadCopy = m_WaterDepth;

    FindCrossings();

    double solveDepth = m_WaterDepth;
    if (m_ProfileFromDtm && m_SeabedProfile.GetSize() > 0)
    {
        solveDepth = m_SeabedProfile.m_MaxDepth;
        if (solveDepth == DBL_MAX)
        {
            fault("No DTM");
            solveDepth = m_WaterDepth;
        }
    }
    m_SeabedDepthBelowFairlead = depthOrWater(0.0);

    m_CableProfile.RemoveAll();
    m_ComputedCableLength = 0.0;
    m_TouchdownEasting = m_TouchdownNorthing = 0.0;
    m_StraightCable = false;

    if (!(solveDepth > 0.0) || !std::isfinite(solveDepth))
    {
        fault("No Depth");
        return;
    }
    SolveZuduzuro();

    // The cable's length: every segment that starts no farther out than the anchor, so the last
    // one counted reaches or passes it.
    double length = 0.0;
    for (INT_PTR i = 0; i + 1 < m_CableProfile.GetSize() && m_CableProfile[i].Range <= m_Range; ++i)
    {
        const ProDataDef& a = m_CableProfile[i];
        const ProDataDef& b = m_CableProfile[i + 1];
        length += std::hypot(b.Range - a.Range, b.Depth - a.Depth);
    }
    m_ComputedCableLength = std::isfinite(length) ? length : 0.0;

    ComputeClearances();
}

bool CAnchor::BuildSeabedProfile()
{
    m_ProfileFromDtm = false;
    if (m_Status != ANCHOR_LIVE && m_Status != ANCHOR_ON_BOTTOM && m_Status != ANCHOR_PLANNED)
        return false;
    m_SeabedProfile.RemoveAll();

    bool fromDtm = false;
    CDtm* dtm = m_pDtm;
    UpdateDepthAtAnchor();
    if (dtm && dtm->m_pCells)
    {
        if (dtm->HasDepthAt(m_FairleadEasting, m_FairleadNorthing))
        {
            const double length =
                std::min(std::max(std::max(1.2 * m_Range, m_WorkingDistance), kMinimumProfileLength),
                         kMaximumProfileLength);
            const double farE = m_FairleadEasting + length * m_SinBearing;
            const double farN = m_FairleadNorthing + length * m_CosBearing;
            m_FarPointInsideDtm = dtm->HasDepthAt(farE, farN);
            if (!m_FarPointInsideDtm && m_DepthAtAnchor != 0.0)
            {
                const ProfileEndDef end{farE, farN, m_DepthAtAnchor, 1, 0.0};
                fromDtm = m_SeabedProfile.BuildFromDtmInterpolated(dtm, end, m_FairleadEasting, m_FairleadNorthing);
            }
            else
            {
                fromDtm = m_SeabedProfile.BuildFromDtm(dtm, m_FairleadEasting, m_FairleadNorthing, farE, farN, 0.0);
                const double depth = dtm->GetDepth(m_AnchorEasting, m_AnchorNorthing);
                m_DepthAtAnchor = depth == DBL_MAX ? 0.0 : depth;
            }
        }
        else
        {
            m_FarPointInsideDtm = dtm->HasDepthAt(m_AnchorEasting, m_AnchorNorthing);
            if (m_FarPointInsideDtm)
            {
                const double depth = dtm->GetDepth(m_AnchorEasting, m_AnchorNorthing);
                if (depth != DBL_MAX)
                    m_DepthAtAnchor = depth;
            }
        }
    }

    if (!fromDtm)
    {
        // The fairlead-to-anchor slope carried on past the anchor.
        double endDepth = m_WaterDepth;
        if (m_DepthAtAnchor > 0.0 && m_DepthAtAnchor != m_WaterDepth && m_Range > 0.0)
            endDepth = m_DepthAtAnchor + (m_DepthAtAnchor - m_WaterDepth) * kSlopeCarriedOn / m_Range;
        const double reach = m_Range + kSlopeCarriedOn;
        m_SeabedProfile.BuildStraight(m_FairleadEasting + reach * m_SinBearing, m_FairleadNorthing + reach * m_CosBearing,
                                      endDepth, m_FairleadEasting, m_FairleadNorthing, m_WaterDepth);
        m_FarPointInsideDtm = false;
    }
    m_ProfileFromDtm = fromDtm;
    return fromDtm;
}

bool CAnchor::ComputeBuoys()
{
    m_BuoysInUse = 0;
    if (!UpdateRangeAndBearing())
    {
        for (BuoyDef& buoy : m_Buoys)
            buoy.Easting = buoy.Northing = 0.0;
        return false;
    }
    m_SeabedDepthBelowFairlead = m_WaterDepth;
    if (m_SeabedProfile.GetSize() > 0)
    {
        const double depth = m_SeabedProfile.GetDepthAtRange(0.0);
        if (depth != DBL_MAX)
        {
            m_SeabedDepthBelowFairlead = depth;
        }
        else
        {
            m_StatusText = "No DTM";
            m_StatusLevel = ANCHOR_LEVEL_FAULT;
        }
    }

    for (int b = 0; b < kBuoys && m_Buoys[b].bUseBuoy; ++b)
    {
        BuoyDef& buoy = m_Buoys[b];
        if (b == 0)
        {
            ComputeFirstBuoy();
        }
        else
        {
            const BuoyDef& previous = m_Buoys[b - 1];
            if (!(previous.Cable.LowerLength > 0.0))
                break;
            double lowPoint = 0.0, touchdown = 0.0, lying = 0.0;
            double span = ComputeTwoSupportLower(previous.Cable, m_Tension, m_SeabedDepthBelowFairlead,
                                                 previous.PennantWireLength, buoy.PennantWireLength, lowPoint,
                                                 touchdown, lying);
            if (!std::isfinite(span))
                span = 0.0;
            buoy.DistanceFromAnchor = previous.DistanceFromAnchor + span;
            buoy.DistanceFromFairlead = m_Range - buoy.DistanceFromAnchor;
            buoy.Easting = m_AnchorEasting - buoy.DistanceFromAnchor * m_SinBearing;
            buoy.Northing = m_AnchorNorthing - buoy.DistanceFromAnchor * m_CosBearing;
        }
        ++m_BuoysInUse;
    }
    return true;
}

void CAnchor::ComputeFirstBuoy()
{
    if (!(m_Cable.LowerLength > 0.0))
        return;
    BuoyDef& buoy = m_Buoys[0];
    auto depthOrWater = [this](double range) {
        if (m_SeabedProfile.GetSize() == 0)
            return m_WaterDepth;
        const double depth = CheckDepthAt(range);
        return depth == DBL_MAX ? m_WaterDepth : depth;
    };
    const double seabed = std::max(depthOrWater(buoy.DistanceFromFairlead), depthOrWater(m_Range));
    const double pennant = buoy.PennantWireLength;
    const double tension = m_Tension;

    double span = 0.0;
    double fromE = m_AnchorEasting, fromN = m_AnchorNorthing;
    if (m_Status == ANCHOR_ON_BOTTOM || m_Status == ANCHOR_PLANNED)
    {
        // The anchor's cable from the pennant's end down to the anchor, touching down on the
        // seabed or lifting the anchor; straight only where no catenary hangs.
        const cablechain::ChainSolutionDef cable = cableshapes::AnchorCable(m_Cable, m_GroundChain, tension, seabed - pennant);
        if (cable.bSolved)
        {
            span = cable.Span;
        }
        else
        {
            const double length = m_Cable.LowerLength + (m_Cable.bUseUpperSection ? m_Cable.UpperLength : 0.0) +
                                  (m_GroundChain.bUseGroundChain ? m_GroundChain.GroundChainLength : 0.0);
            span = StraightSpan(length, seabed - pennant);
        }
    }
    else if (m_Status == ANCHOR_LIVE)
    {
        fromE = m_TugEasting;
        fromN = m_TugNorthing;
        double weight1 = 0.0, weight2 = 0.0, lying = 0.0;
        switch (m_PennantMode)
        {
        case 0:
            // A weightless upper line is one more section of the exact cable.
            ComputeTwoSupportCable(m_Cable, &m_GroundChain, tension, seabed, pennant, m_TugFairleadHeight, span, weight1,
                                   weight2, lying);
            break;
        case 1:
        {
            const PennantDropDef drop = PennantDrop(*this, seabed);
            ComputeTwoSupportCable(m_Cable, &m_GroundChain, tension, seabed, pennant, drop.Drop, span, weight1, weight2,
                                   lying);
            span += drop.Offset;
            break;
        }
        case 2:
            span = RecoveredSpan(*this, seabed, pennant);
            break;
        default:
            break;
        }
    }
    else
    {
        return;
    }
    if (!std::isfinite(span))
        span = 0.0;
    buoy.DistanceFromAnchor = span;
    buoy.DistanceFromFairlead = m_Range - span;
    buoy.Easting = fromE - span * m_SinBearing;
    buoy.Northing = fromN - span * m_CosBearing;
}
