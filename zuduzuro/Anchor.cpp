#include "zuduzuro/Anchor.h"

#include "zuduzuro/CableWeight.h"

#include "features/Dtm.h"
#include "foundation/Geometry.h"
#include "geodesy/Projection.h"

#include <cfloat>
#include <cmath>

namespace
{
constexpr double kTwoPi = 2.0 * M_PI;

void LowerIfNotBelow(int16_t& type, int removed)
{
    if (type >= removed)
        --type;
}

BuoyDef ResetBuoy()
{
    BuoyDef buoy{};
    buoy.Cable.LowerWeight = CAnchor::kDefaultCableWeight;
    buoy.Cable.UpperWeight = CAnchor::kDefaultCableWeight;
    return buoy;
}
} // namespace

double CAnchor::CableTypeWeight(const CCableWeight& table, int type)
{
    if (type < 0 || type >= table.GetSize())
        return kDefaultCableWeight;
    return table[type].WeightInWater;
}

double CAnchor::BuoyCableWeight(const CCableWeight& table, int type)
{
    const double weight = CableTypeWeight(table, type);
    return (weight < 0.0 || weight > 1000.0) ? kDefaultCableWeight : weight;
}

CAnchor::CAnchor()
    : m_pProjection(nullptr), m_pDtm(nullptr), m_AnalogueSlope(1.0), m_AnalogueOffset(0.0),
      m_AnalogueModule(0), m_AnalogueChannel(-1), m_pPipelines(nullptr), m_pObstructions(nullptr),
      m_pThirdList(nullptr)
{
    Reset();
}

void CAnchor::Reset()
{
    m_Use = false;
    m_Name.Empty();
    m_DisplayOption1 = 2;
    m_FairleadX = m_FairleadY = m_FairleadZ = 0.0;
    m_FairleadEasting = m_FairleadNorthing = 0.0;
    m_DisplayOption2 = 2;
    m_DisplayOption3 = 3;
    m_DisplayOption4 = 0xFFFFFF;
    m_FairleadLevel = 0.0;
    m_StatusText.Empty();
    m_StatusLevel = ANCHOR_LEVEL_NONE;
    m_PreviousStatusLevel = ANCHOR_LEVEL_NONE;
    m_StraightCable = false;
    m_FileName.Empty();
    m_AnchorEasting = m_AnchorNorthing = m_AnchorLatitude = m_AnchorLongitude = 0.0;
    m_PlannedEasting = m_PlannedNorthing = m_PlannedLatitude = m_PlannedLongitude = 0.0;
    m_TugEasting = m_TugNorthing = m_TugLatitude = m_TugLongitude = 0.0;
    m_Status = ANCHOR_RACKED;
    m_PositionCurrent = true;
    m_TugNo = 0;
    m_TugFairleadHeight = 0.0;
    m_Tolerance = 0.0;
    m_TouchdownEasting = m_TouchdownNorthing = 0.0;
    m_LastFairleadEasting = m_LastFairleadNorthing = m_LastAnchorEasting = m_LastAnchorNorthing = 0.0;
    m_SeabedDepthBelowFairlead = 0.0;
    m_DepthAtAnchor = 0.0;
    m_DepthAtAnchorFromDtm = false;
    m_FarPointInsideDtm = false;
    m_Range = m_Bearing = m_SinBearing = m_CosBearing = m_BackBearing = 0.0;
    m_DistanceToPlanned = m_BearingToPlanned = 0.0;
    m_Cable = CableSectionsDef{};
    m_Cable.bUseUpperSection = true;
    m_Cable.LowerWeight = kDefaultCableWeight;
    m_Cable.UpperWeight = kDefaultCableWeight;
    m_GroundChain = GroundChainDef{};
    m_PennantMode = 0;
    m_PennantWireType = 0;
    m_PennantWireWeight = 0.0;
    m_TugPennantWireLength = 0.0;
    m_CableOnDeck = 0.0;
    m_AnchorWeight = 0.0;
    m_Tension = 0.0;
    m_BuoysInUse = 0;
    for (BuoyDef& buoy : m_Buoys)
        buoy = ResetBuoy();
    m_BuoyStackCount = 0;
    for (int& entry : m_BuoyStack)
        entry = -1;
    m_UseCableOut = false;
    m_ComputedCableLength = 0.0;
    m_ObservedCableOut = 0.0;
    m_Display = false;
    m_WinchOperator = 1;
    m_DepthAtFairleadCopy = 0.0;
    m_ProfileFromDtm = false;
    m_WaterDepth = 0.0;
    m_WaterlineToZero = 0.0;
    m_WorkingDistance = 2500.0;
    m_TrackPoints.RemoveAll();
    m_Crossings.RemoveAll();
    m_BoundaryCrossings.RemoveAll();
}

void CAnchor::SetFairleadPosition(double easting, double northing, double sinHeading, double cosHeading)
{
    RotateOffset(easting, northing, m_FairleadX, m_FairleadY, sinHeading, cosHeading, &m_FairleadEasting,
                 &m_FairleadNorthing);
}

void CAnchor::StoreGeographic(double easting, double northing, double& latitude, double& longitude) const
{
    if (!m_pProjection)
        return;
    latitude = longitude = 0.0;
    m_pProjection->GridToGeographic(easting, northing, &latitude, &longitude);
}

void CAnchor::SetAnchorPosition(double easting, double northing)
{
    m_AnchorEasting = easting;
    m_AnchorNorthing = northing;
    StoreGeographic(easting, northing, m_AnchorLatitude, m_AnchorLongitude);
    UpdateRangeAndBearing();
    UpdateBuoyDistances();
    UpdateDepthAtAnchor();
    UpdatePlannedOffset();
}

void CAnchor::SetPlannedPosition(double easting, double northing)
{
    m_PlannedEasting = easting;
    m_PlannedNorthing = northing;
    StoreGeographic(easting, northing, m_PlannedLatitude, m_PlannedLongitude);
    if (m_Status == ANCHOR_PLANNED)
        UpdateDepthAtAnchor();
    UpdatePlannedOffset();
}

void CAnchor::SetTugPosition(double easting, double northing)
{
    m_TugEasting = easting;
    m_TugNorthing = northing;
    StoreGeographic(easting, northing, m_TugLatitude, m_TugLongitude);
    if (m_Status == ANCHOR_LIVE)
    {
        // The anchor hangs at the tug.
        SetAnchorPosition(easting, northing);
        return;
    }
    UpdatePlannedOffset();
}

bool CAnchor::GetOwnPoint(double& easting, double& northing) const
{
    switch (m_Status)
    {
    case ANCHOR_LIVE:
        easting = m_TugEasting;
        northing = m_TugNorthing;
        return true;
    case ANCHOR_ON_BOTTOM:
        easting = m_AnchorEasting;
        northing = m_AnchorNorthing;
        return true;
    case ANCHOR_PLANNED:
        easting = m_PlannedEasting;
        northing = m_PlannedNorthing;
        return true;
    default:
        return false;
    }
}

void CAnchor::SetOwnPoint(double easting, double northing)
{
    switch (m_Status)
    {
    case ANCHOR_LIVE:
        SetTugPosition(easting, northing);
        break;
    case ANCHOR_ON_BOTTOM:
        SetAnchorPosition(easting, northing);
        break;
    case ANCHOR_PLANNED:
        SetPlannedPosition(easting, northing);
        break;
    default:
        break;
    }
}

void CAnchor::SetEasting(double easting)
{
    double e = 0.0, n = 0.0;
    if (GetOwnPoint(e, n))
        SetOwnPoint(easting, n);
}

void CAnchor::SetNorthing(double northing)
{
    double e = 0.0, n = 0.0;
    if (GetOwnPoint(e, n))
        SetOwnPoint(e, northing);
}

double CAnchor::GetEasting() const
{
    double e = 0.0, n = 0.0;
    GetOwnPoint(e, n);
    return e;
}

double CAnchor::GetNorthing() const
{
    double e = 0.0, n = 0.0;
    GetOwnPoint(e, n);
    return n;
}

void CAnchor::SetRange(double range)
{
    double e = 0.0, n = 0.0;
    if (!GetOwnPoint(e, n))
        return;
    const double bearing = GetBearing();
    SetOwnPoint(m_FairleadEasting + range * std::sin(bearing),
                m_FairleadNorthing + range * std::cos(bearing));
}

void CAnchor::SetBearing(double bearing)
{
    double e = 0.0, n = 0.0;
    if (!GetOwnPoint(e, n))
        return;
    double range = 0.0;
    ComputeRangeBearing(m_FairleadEasting, m_FairleadNorthing, e, n, nullptr, &range);
    SetOwnPoint(m_FairleadEasting + range * std::sin(bearing),
                m_FairleadNorthing + range * std::cos(bearing));
}

double CAnchor::GetRange() const
{
    double e = 0.0, n = 0.0;
    if (!GetOwnPoint(e, n))
        return 0.0;
    double range = 0.0;
    ComputeRangeBearing(m_FairleadEasting, m_FairleadNorthing, e, n, nullptr, &range);
    return range > kMaximumRange ? 0.0 : range;
}

double CAnchor::GetBearing() const
{
    double e = 0.0, n = 0.0;
    if (!GetOwnPoint(e, n))
        return 0.0;
    double bearing = 0.0;
    ComputeRangeBearing(m_FairleadEasting, m_FairleadNorthing, e, n, &bearing, nullptr);
    return bearing;
}

void CAnchor::ClearRangeAndBearing()
{
    m_Range = m_Bearing = m_BackBearing = m_SinBearing = m_CosBearing = 0.0;
}

bool CAnchor::UpdateRangeAndBearing()
{
    double e = m_FairleadEasting, n = m_FairleadNorthing;
    GetOwnPoint(e, n);
    double bearing = 0.0, range = 0.0;
    ComputeRangeBearing(m_FairleadEasting, m_FairleadNorthing, e, n, &bearing, &range);
    // Written so that a NaN range fails as well.
    if (!(range <= kMaximumRange) || !(range > 0.0))
    {
        m_StatusText = range > 0.0 || std::isnan(range) ? "Bad Anchor Position" : "Range to Anchor is Zero";
        m_StatusLevel = ANCHOR_LEVEL_FAULT;
        ClearRangeAndBearing();
        return false;
    }
    m_Range = range;
    m_Bearing = bearing;
    m_BackBearing = bearing + M_PI;
    if (m_BackBearing > kTwoPi)
        m_BackBearing -= kTwoPi;
    m_SinBearing = std::sin(bearing);
    m_CosBearing = std::cos(bearing);
    return true;
}

void CAnchor::UpdateBuoyDistances()
{
    if (!UpdateRangeAndBearing())
        return;
    for (BuoyDef& buoy : m_Buoys)
    {
        ComputeRangeBearing(m_AnchorEasting, m_AnchorNorthing, buoy.Easting, buoy.Northing, nullptr,
                            &buoy.DistanceFromAnchor);
        buoy.DistanceFromFairlead = m_Range - buoy.DistanceFromAnchor;
    }
}

void CAnchor::UpdatePlannedOffset()
{
    double e = 0.0, n = 0.0;
    switch (m_Status)
    {
    case ANCHOR_RACKED:
        e = m_FairleadEasting;
        n = m_FairleadNorthing;
        break;
    case ANCHOR_LIVE:
        e = m_TugEasting;
        n = m_TugNorthing;
        break;
    case ANCHOR_ON_BOTTOM:
        e = m_AnchorEasting;
        n = m_AnchorNorthing;
        break;
    default:
        m_DistanceToPlanned = m_BearingToPlanned = 0.0;
        return;
    }
    ComputeRangeBearing(e, n, m_PlannedEasting, m_PlannedNorthing, &m_BearingToPlanned, &m_DistanceToPlanned);
}

void CAnchor::UpdateCableWeights(const CCableWeight& table)
{
    m_GroundChain.GroundChainWeight = CableTypeWeight(table, m_GroundChain.nGroundChainType);
    m_Cable.LowerWeight = CableTypeWeight(table, m_Cable.nLowerCableType);
    m_Cable.UpperWeight = CableTypeWeight(table, m_Cable.nUpperCableType);
    m_PennantWireWeight = CableTypeWeight(table, m_PennantWireType);
    for (BuoyDef& buoy : m_Buoys)
    {
        buoy.Cable.LowerWeight = BuoyCableWeight(table, buoy.Cable.nLowerCableType);
        buoy.Cable.UpperWeight = BuoyCableWeight(table, buoy.Cable.nUpperCableType);
    }
}

void CAnchor::OnCableTypeRemoved(int index)
{
    LowerIfNotBelow(m_GroundChain.nGroundChainType, index);
    LowerIfNotBelow(m_Cable.nLowerCableType, index);
    LowerIfNotBelow(m_Cable.nUpperCableType, index);
    LowerIfNotBelow(m_PennantWireType, index);
    for (BuoyDef& buoy : m_Buoys)
    {
        LowerIfNotBelow(buoy.Cable.nLowerCableType, index);
        LowerIfNotBelow(buoy.Cable.nUpperCableType, index);
    }
}

double CAnchor::GetDistanceToTouchdown() const
{
    if (m_FairleadEasting == 0.0 || m_FairleadNorthing == 0.0 || m_TouchdownEasting == 0.0 ||
        m_TouchdownNorthing == 0.0)
        return 0.0;
    return std::hypot(m_TouchdownEasting - m_FairleadEasting, m_TouchdownNorthing - m_FairleadNorthing);
}

double CAnchor::GetMaximumSeabedDepth(int first, int last) const
{
    if (first < 0)
        first = 0;
    if (last > m_SeabedProfile.GetSize())
        last = static_cast<int>(m_SeabedProfile.GetSize());
    bool found = false;
    double deepest = 0.0;
    for (int i = first; i < last; ++i)
    {
        const double depth = m_SeabedProfile[i].Depth;
        if (depth == DBL_MAX)
            continue; // no depth here
        if (!found || depth > deepest)
            deepest = depth;
        found = true;
    }
    return deepest;
}

double CAnchor::CheckDepthAt(double distance)
{
    const double depth = m_SeabedProfile.GetDepthAtRange(distance);
    if (m_SeabedProfile.GetSize() > 0 && depth == DBL_MAX)
    {
        m_StatusText = "No DTM";
        m_StatusLevel = ANCHOR_LEVEL_FAULT;
    }
    return depth;
}

double CAnchor::CableDepthAt(double distance) const
{
    if (m_CableShape.IsEmpty() || !(distance >= m_CableShape.CoverFrom()) || !(distance <= m_CableShape.CoverTo()))
        return m_CableProfile.GetDepthAtRange(distance);
    double depth = m_CableShape.DepthAt(distance);
    if (m_SeabedProfile.GetSize() > 1)
    {
        const double seabed = m_SeabedProfile.GetDepthAtRange(distance);
        if (seabed <= depth && std::isfinite(seabed) && seabed != DBL_MAX)
            depth = seabed;
    }
    return depth;
}

void CAnchor::UpdateDepthAtAnchor()
{
    m_DepthAtAnchorFromDtm = false;
    double easting = 0.0, northing = 0.0;
    if (!m_pDtm || !m_pDtm->m_pCells || !GetOwnPoint(easting, northing))
        return;
    const double depth = m_pDtm->GetDepth(easting, northing);
    if (depth == DBL_MAX || !std::isfinite(depth))
        return;
    m_DepthAtAnchor = depth;
    m_DepthAtAnchorFromDtm = true;
}
