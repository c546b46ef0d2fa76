#include "survey/VesselGpsGroups.h"

#include "features/Barge.h"
#include "geodesy/Gps.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "survey/SurveyPane.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GpsHeadingGroupPropertyGrid.h"

#include <algorithm>

namespace
{
const char* const COMPARISON_NAMES[CVesselGpsGroups::MAX_COMPARISONS] = {
    "Comparison GPS1/GPS2", "Comparison GPS1/GPS3", "Comparison GPS2/GPS3"};
} // namespace

void CVesselGpsGroups::Reset(CMyMFCPropertyGridCtrl* pGrid, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers)
{
    m_pGrid = pGrid;
    m_pVessel = pVessel;
    m_pReceivers = pReceivers;
    m_Gps.clear();
    m_pHeading = nullptr;
    std::fill(std::begin(m_pComparison), std::end(m_pComparison), nullptr);
    m_nHeadingPosition = m_nFirstComparisonPosition = -1;
    m_nComparisons = 0;
}

int CVesselGpsGroups::Add(CMFCPropertyGridProperty* pGroup)
{
    return AddExpandedGroup(*m_pGrid, pGroup);
}

void CVesselGpsGroups::AddGpsGroups()
{
    // Only the antennas that have a receiver get a group: the list may be shorter.
    const int antennas = m_pVessel != nullptr ? static_cast<int>(m_pVessel->m_Antennas.GetSize()) : 0;
    const int receivers = m_pReceivers != nullptr ? static_cast<int>(m_pReceivers->GetSize()) : 0;
    for (int i = 0; i < std::min(antennas, receivers); ++i)
    {
        auto* group = new CMFCGpsGroupGridProperty(AntennaName(i), Receiver(i), m_pGrid->GetPropertyCount());
        Add(group);
        m_Gps.push_back(group);
    }
}

void CVesselGpsGroups::AddHeadingAndComparisons(int count)
{
    m_pHeading = new CMFCGpsHeadingGroupPropertyGrid();
    m_nHeadingPosition = Add(m_pHeading);
    m_nComparisons = std::max(0, std::min(count, MAX_COMPARISONS));
    for (int c = 0; c < m_nComparisons; ++c)
    {
        m_pComparison[c] = new CMFCCRPComparisonGroupGridProperty(COMPARISON_NAMES[c]);
        const int position = Add(m_pComparison[c]);
        if (c == 0)
            m_nFirstComparisonPosition = position;
    }
}

CMFCGpsGroupGridProperty* CVesselGpsGroups::GetGpsGroup(int i) const
{
    return i >= 0 && i < GetGpsCount() ? m_Gps[static_cast<size_t>(i)] : nullptr;
}

int CVesselGpsGroups::GetFirstGpsPosition() const
{
    return m_Gps.empty() ? -1 : m_Gps.front()->GetPosition();
}

CGps* CVesselGpsGroups::Receiver(int i) const
{
    if (m_pReceivers == nullptr || i < 0 || i >= m_pReceivers->GetSize())
        return nullptr;
    return m_pReceivers->GetAt(i);
}

bool CVesselGpsGroups::ReceiverActive(int i) const
{
    const CGps* gps = Receiver(i);
    return gps != nullptr && gps->m_Active != 0;
}

bool CVesselGpsGroups::GroupActive(int i) const
{
    return i < GetGpsCount() && ReceiverActive(i);
}

bool CVesselGpsGroups::ReceiverSilent(int i) const
{
    CGps* gps = Receiver(i);
    return gps == nullptr || gps->IsTimedOut(gps->m_Limit);
}

CString CVesselGpsGroups::AntennaName(int i) const
{
    const TrackingPointDef* antenna = m_pVessel != nullptr ? m_pVessel->m_Antennas.GetPoint(i) : nullptr;
    return antenna != nullptr ? antenna->Name : CString();
}

void CVesselGpsGroups::ShowGpsGroup(int i, bool show)
{
    if (CMFCGpsGroupGridProperty* group = GetGpsGroup(i))
        group->Show(show);
}

void CVesselGpsGroups::Show(bool showHeading, bool showComparisons)
{
    for (int i = 0; i < GetGpsCount(); ++i)
        m_Gps[static_cast<size_t>(i)]->Show(ReceiverActive(i));
    if (m_pHeading != nullptr)
        m_pHeading->Show(showHeading && GroupActive(0) && GroupActive(1));
    for (int c = 0; c < m_nComparisons; ++c)
        m_pComparison[c]->Show(showComparisons && GroupActive(COMPARISON_PAIRS[c][0]) &&
                               GroupActive(COMPARISON_PAIRS[c][1]));
}

void CVesselGpsGroups::Update(int index)
{
    if (m_pVessel == nullptr)
        return;
    const int primary = m_pVessel->SelectActiveGps(m_pReceivers);
    for (int i = 0; i < GetGpsCount(); ++i)
    {
        CString name = AntennaName(i);
        if (i == primary)
            name.Format("%s PRIMARY", static_cast<const char*>(AntennaName(i)));
        m_Gps[static_cast<size_t>(i)]->SetName(name);
    }
    if (CMFCGpsGroupGridProperty* group = GetGpsGroup(index))
    {
        group->Update();
        m_pGrid->Trigger(group->GetPosition());
    }
    UpdateHeading();
    UpdateComparisons();
}

void CVesselGpsGroups::UpdateHeading()
{
    if (m_pHeading == nullptr)
        return;
    const int a = m_pVessel->m_GpsHeadingA;
    const int b = m_pVessel->m_GpsHeadingB;
    // The pair is the vessel's setting: an index past the receivers that have groups, or both
    // the same antenna, gives no heading rather than a read past the lists.
    if (a < 0 || b < 0 || a >= GetGpsCount() || b >= GetGpsCount() || a == b)
    {
        m_pHeading->ClearReading();
        return;
    }
    const bool silentA = ReceiverSilent(a);
    const bool silentB = ReceiverSilent(b);
    if (!silentA && !silentB)
    {
        m_pHeading->Update(AntennaName(a), AntennaName(b), m_pVessel->m_GpsHeading);
        return;
    }
    if (silentA)
        ClearGpsFix(Receiver(a));
    if (silentB)
        ClearGpsFix(Receiver(b));
    m_pHeading->ClearReading();
}

void CVesselGpsGroups::UpdateComparisons()
{
    for (int c = 0; c < m_nComparisons; ++c)
    {
        const int a = COMPARISON_PAIRS[c][0];
        const int b = COMPARISON_PAIRS[c][1];
        // A pane may build the comparisons for antennas the vessel does not have: nothing to
        // compare, and no receiver outside the groups is touched.
        if (b >= GetGpsCount())
        {
            m_pComparison[c]->ClearReadings();
            continue;
        }
        const TrackingPointDef* antennaA = m_pVessel->m_Antennas.GetPoint(a);
        const TrackingPointDef* antennaB = m_pVessel->m_Antennas.GetPoint(b);
        const bool silentA = ReceiverSilent(a);
        const bool silentB = ReceiverSilent(b);
        if (!silentA && !silentB && antennaA != nullptr && antennaB != nullptr)
        {
            m_pComparison[c]->Update(antennaA->Name, antennaA->Position, antennaB->Name, antennaB->Position);
            continue;
        }
        if (silentA)
            ClearGpsFix(Receiver(a));
        if (silentB)
            ClearGpsFix(Receiver(b));
        m_pComparison[c]->ClearReadings();
    }
}

void CVesselGpsGroups::Timeout(int i)
{
    if (CMFCGpsGroupGridProperty* group = GetGpsGroup(i))
        group->Timeout(true);
}
