#include "survey/GeneralSurveyPane.h"

#include "features/Barge.h"
#include "geodesy/Gps.h"
#include "geodesy/Gyro.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GpsHeadingGroupPropertyGrid.h"
#include "survey/groups/GyroGroupGridProperty.h"
#include "survey/groups/HeadingComparisonGroupGridProperty.h"
#include "survey/groups/MruGroupGridProperty.h"
#include "survey/records/BathyUnit.h"
#include "survey/records/Mru.h"

#include <algorithm>
#include <cfloat>

namespace
{
const char* const COMPARISON_NAMES[3] = {"Comparison GPS1/GPS2", "Comparison GPS1/GPS3", "Comparison GPS2/GPS3"};
const char* const ECHO_SOUNDER_FORMAT = "%6.2lfm";
} // namespace

IMPLEMENT_DYNAMIC(CGeneralSurveyPane, CSurveyPane)

// Only the handlers every pane shares.
BEGIN_MESSAGE_MAP(CGeneralSurveyPane, CSurveyPane)
END_MESSAGE_MAP()

CGeneralSurveyPane::CGeneralSurveyPane() = default;

CGeneralSurveyPane::~CGeneralSurveyPane() = default;

int CGeneralSurveyPane::Create(CWnd* pParent, int nID, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers, CGyro* pGyro,
                               CMru* pMru, CBathyUnit* pBathyUnit, double* pTidalHeight, CWind* pWind)
{
    return CreatePane(pParent, nID, "Vessel Navigation", [=] {
        m_pVessel = pVessel;
        m_pReceivers = pReceivers;
        m_pGyro = pGyro;
        m_pMru = pMru;
        m_pBathyUnit = pBathyUnit;
        m_pTidalHeight = pTidalHeight;
        m_pWind = pWind;
    });
}

void CGeneralSurveyPane::ResetPositions()
{
    m_nCrpPosition = m_nFirstGpsPosition = m_nGpsHeadingPosition = m_nFirstComparisonPosition = -1;
    m_nGyroPosition = m_nMruPosition = m_nHeadingComparisonPosition = m_nEchoSounderPosition = m_nWindPosition = -1;
    m_nGpsGroups = m_nComparisons = 0;
    m_pCrp = nullptr;
    m_pCrpPosition = m_pCrpKpDcc = nullptr;
    m_Gps.clear();
    m_pGpsHeading = nullptr;
    std::fill(std::begin(m_pComparison), std::end(m_pComparison), nullptr);
    m_pGyroGroup = nullptr;
    m_pMruGroup = nullptr;
    m_pHeadingComparison = nullptr;
    m_pEchoSounder = nullptr;
    m_pDepth = m_pTidalHeightRow = nullptr;
}

int CGeneralSurveyPane::Add(CMFCPropertyGridProperty* pGroup)
{
    const int position = m_wndPropList.GetPropertyCount();
    m_wndPropList.AddProperty(pGroup);
    pGroup->Expand(TRUE);
    return position;
}

void CGeneralSurveyPane::InitPropList()
{
    BeginPropList();
    ResetPositions();

    m_pCrp = new CMFCGroupPropertyGridProperty("Common Reference Point (CRP)", 0);
    m_pCrpPosition = new CMFCPropertyGridDualDisplay("Easting", 0.0, "%12.3lf", "E", "Northing", 0.0, "%12.3lf", "N");
    m_pCrpKpDcc = new CMFCPropertyGridDualDisplay("K.P", 0.0, "%7.3lf", "", "DCC", 0.0, "%7.3lf", "m");
    m_pCrp->AddSubItem(m_pCrpPosition);
    m_pCrp->AddSubItem(m_pCrpKpDcc);
    m_nCrpPosition = Add(m_pCrp);

    // Only the antennas that have a receiver get a group: the list may be shorter.
    const int antennas = m_pVessel != nullptr ? static_cast<int>(m_pVessel->m_Antennas.GetSize()) : 0;
    const int receivers = m_pReceivers != nullptr ? static_cast<int>(m_pReceivers->GetSize()) : 0;
    const int gpsGroups = std::min(antennas, receivers);
    for (int i = 0; i < gpsGroups; ++i)
    {
        const int position = m_wndPropList.GetPropertyCount();
        auto* group = new CMFCGpsGroupGridProperty(AntennaName(i), Receiver(i), position);
        Add(group);
        if (i == 0)
            m_nFirstGpsPosition = position;
        m_Gps.push_back(group);
    }
    m_nGpsGroups = gpsGroups;

    if (gpsGroups >= 2)
    {
        m_pGpsHeading = new CMFCGpsHeadingGroupPropertyGrid();
        m_nGpsHeadingPosition = Add(m_pGpsHeading);
        m_nComparisons = gpsGroups >= 3 ? 3 : 1;
        for (int c = 0; c < m_nComparisons; ++c)
        {
            m_pComparison[c] = new CMFCCRPComparisonGroupGridProperty(COMPARISON_NAMES[c]);
            const int position = Add(m_pComparison[c]);
            if (c == 0)
                m_nFirstComparisonPosition = position;
        }
    }

    if (m_pGyro != nullptr)
    {
        m_pGyroGroup = new CMFCGyroGroupGridProperty(m_pGyro, m_wndPropList.GetPropertyCount());
        m_nGyroPosition = Add(m_pGyroGroup);
        m_pGyroGroup->SetUse(MruUsesHeading(true));
    }
    if (m_pMru != nullptr)
    {
        m_pMruGroup = new CMFCMruGroupGridProperty("Motion Reference Unit", m_pMru, m_wndPropList.GetPropertyCount());
        m_nMruPosition = Add(m_pMruGroup);
    }
    if (m_pGyro != nullptr && m_pMru != nullptr)
    {
        m_pHeadingComparison = new CMFCHeadingComparisonGroupGridProperty(m_pGyro, m_pMru);
        m_nHeadingComparisonPosition = Add(m_pHeadingComparison);
    }
    if (m_pBathyUnit != nullptr)
    {
        m_pEchoSounder = new CMFCGroupPropertyGridProperty("Echo Sounder", m_wndPropList.GetPropertyCount());
        m_pDepth = new CDeviceValueDouble("Depth", m_pBathyUnit->m_Depth, ECHO_SOUNDER_FORMAT);
        m_pTidalHeightRow = new CDeviceValueDouble("Tidal Height", 0.0, ECHO_SOUNDER_FORMAT);
        m_pEchoSounder->AddSubItem(m_pDepth);
        m_pEchoSounder->AddSubItem(m_pTidalHeightRow);
        m_nEchoSounderPosition = Add(m_pEchoSounder);
        ShowTidalHeight();
    }
}

CGps* CGeneralSurveyPane::Receiver(int i) const
{
    if (m_pReceivers == nullptr || i < 0 || i >= m_pReceivers->GetSize())
        return nullptr;
    return m_pReceivers->GetAt(i);
}

bool CGeneralSurveyPane::ReceiverActive(int i) const
{
    const CGps* gps = Receiver(i);
    return gps != nullptr && gps->m_Active != 0;
}

bool CGeneralSurveyPane::ReceiverSilent(int i) const
{
    CGps* gps = Receiver(i);
    return gps == nullptr || gps->IsTimedOut(gps->m_Limit);
}

CString CGeneralSurveyPane::AntennaName(int i) const
{
    const TrackingPointDef* antenna = m_pVessel != nullptr ? m_pVessel->m_Antennas.GetPoint(i) : nullptr;
    return antenna != nullptr ? antenna->Name : CString();
}

bool CGeneralSurveyPane::MruUsesHeading(bool withoutMru) const
{
    // The host keeps the flag in the low byte.
    return m_pMru != nullptr ? (m_pMru->m_UseHeading & 0xFF) != 0 : withoutMru;
}

void CGeneralSurveyPane::UpdateGpsPanes()
{
    for (int i = 0; i < m_nGpsGroups; ++i)
        m_Gps[i]->Show(ReceiverActive(i));
    if (m_pGpsHeading != nullptr)
        m_pGpsHeading->Show(m_bShowGpsHeading && ReceiverActive(0) && ReceiverActive(1));
    for (int c = 0; c < m_nComparisons; ++c)
        m_pComparison[c]->Show(m_bShowGpsDiff && ReceiverActive(COMPARISON_PAIRS[c][0]) &&
                               ReceiverActive(COMPARISON_PAIRS[c][1]));
    const bool gyroActive = m_pGyro != nullptr && m_pGyro->m_Active != 0;
    const bool mruActive = m_pMru != nullptr && m_pMru->m_Active != 0;
    if (m_pGyroGroup != nullptr)
        m_pGyroGroup->Show(gyroActive || m_pMru == nullptr);
    if (m_pMruGroup != nullptr)
        m_pMruGroup->Show(mruActive);
    if (m_pHeadingComparison != nullptr)
        m_pHeadingComparison->Show(gyroActive && mruActive);
    if (m_pEchoSounder != nullptr)
        m_pEchoSounder->Show(TRUE);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.AdjustLayout();
}

void CGeneralSurveyPane::SetShowGpsDiff(bool bShow)
{
    m_bShowGpsDiff = bShow;
    UpdateGpsPanes();
}

void CGeneralSurveyPane::SetShowGpsHeading(bool bShow)
{
    m_bShowGpsHeading = bShow;
    UpdateGpsPanes();
}

void CGeneralSurveyPane::UpdateGps(int index)
{
    if (m_pVessel == nullptr)
        return;
    const int primary = m_pVessel->SelectActiveGps(m_pReceivers);
    for (int i = 0; i < m_nGpsGroups; ++i)
    {
        CString name = AntennaName(i);
        if (i == primary)
            name.Format("%s PRIMARY", static_cast<const char*>(AntennaName(i)));
        m_Gps[i]->SetName(name);
    }
    if (index >= 0 && index < m_nGpsGroups)
    {
        m_Gps[index]->Update();
        m_wndPropList.Trigger(m_Gps[index]->GetPosition());
    }
    UpdateGpsHeading();
    UpdateComparisons();
}

void CGeneralSurveyPane::UpdateGpsHeading()
{
    if (m_pGpsHeading == nullptr)
        return;
    const int a = m_pVessel->m_GpsHeadingA;
    const int b = m_pVessel->m_GpsHeadingB;
    // The pair is the vessel's setting: an index past the receivers that have groups, or both
    // the same antenna, gives no heading rather than a read past the lists.
    if (a < 0 || b < 0 || a >= m_nGpsGroups || b >= m_nGpsGroups || a == b)
    {
        m_pGpsHeading->ClearReading();
        return;
    }
    const bool silentA = ReceiverSilent(a);
    const bool silentB = ReceiverSilent(b);
    if (!silentA && !silentB)
    {
        m_pGpsHeading->Update(AntennaName(a), AntennaName(b), m_pVessel->m_GpsHeading);
        return;
    }
    if (silentA)
        ClearGpsFix(Receiver(a));
    if (silentB)
        ClearGpsFix(Receiver(b));
    m_pGpsHeading->ClearReading();
}

void CGeneralSurveyPane::UpdateComparisons()
{
    for (int c = 0; c < m_nComparisons; ++c)
    {
        const int a = COMPARISON_PAIRS[c][0];
        const int b = COMPARISON_PAIRS[c][1];
        const bool silentA = ReceiverSilent(a);
        const bool silentB = ReceiverSilent(b);
        if (!silentA && !silentB)
        {
            const TrackingPointDef* antennaA = m_pVessel->m_Antennas.GetPoint(a);
            const TrackingPointDef* antennaB = m_pVessel->m_Antennas.GetPoint(b);
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

void CGeneralSurveyPane::UpdateCrp(bool bHideGps)
{
    if (m_pVessel == nullptr || m_pCrp == nullptr)
        return;
    m_pCrpPosition->SetValue(m_pVessel->m_Position.x, m_pVessel->m_Position.y);
    if (m_pVessel->m_CrpKp == 0.0 && m_pVessel->m_CrpDcc == 0.0)
    {
        m_pCrpKpDcc->Show(FALSE);
    }
    else
    {
        m_pCrpKpDcc->SetValue(m_pVessel->m_CrpKp, m_pVessel->m_CrpDcc);
        m_pCrpKpDcc->Show(TRUE);
    }
    bool anyShown = false;
    for (int i = 0; i < m_nGpsGroups; ++i)
    {
        const bool show = !bHideGps && ReceiverActive(i);
        m_Gps[i]->Show(show);
        anyShown = anyShown || show;
    }
    if (!anyShown)
        m_wndPropList.Trigger(m_nCrpPosition);
}

void CGeneralSurveyPane::UpdateGyro()
{
    if (m_pGyroGroup == nullptr)
        return;
    m_pGyroGroup->Update(MruUsesHeading(false));
    m_wndPropList.Trigger(m_nGyroPosition);
    UpdateHeadingComparison();
}

void CGeneralSurveyPane::UpdateMru()
{
    if (m_pMruGroup == nullptr)
        return;
    m_pMruGroup->Update();
    m_wndPropList.Trigger(m_nMruPosition);
    UpdateHeadingComparison();
}

void CGeneralSurveyPane::UpdateHeadingComparison()
{
    if (m_pHeadingComparison != nullptr)
        m_pHeadingComparison->Update();
}

void CGeneralSurveyPane::UpdateBathyUnit()
{
    if (m_pEchoSounder == nullptr)
        return;
    switch (m_pBathyUnit->m_DepthSource)
    {
    case DEPTH_SOURCE_MANUAL:
        m_pEchoSounder->SetName("Manual Depth");
        break;
    case DEPTH_SOURCE_ECHO_SOUNDER:
        m_pEchoSounder->SetName("Echo Sounder");
        break;
    case DEPTH_SOURCE_DTM:
        m_pEchoSounder->SetName("DTM");
        break;
    default:
        break;
    }
    m_wndPropList.Trigger(m_nEchoSounderPosition);
    m_pDepth->SetValue(m_pBathyUnit->m_Depth);
    ShowTidalHeight();
}

void CGeneralSurveyPane::ShowTidalHeight()
{
    // 0 and the largest double are the host's "no tidal height".
    const bool known = m_pTidalHeight != nullptr && *m_pTidalHeight != 0.0 && *m_pTidalHeight != DBL_MAX;
    if (known)
        m_pTidalHeightRow->SetValue(*m_pTidalHeight);
    m_pTidalHeightRow->Show(known);
}

void CGeneralSurveyPane::SetTimeout(int position)
{
    if (position == -1)
        return;
    if (auto* group = dynamic_cast<CMFCGroupPropertyGridProperty*>(m_wndPropList.GetProperty(position)))
        group->Timeout(true);
}

void CGeneralSurveyPane::GpsTimeout(int i)
{
    if (i >= 0 && i < m_nGpsGroups)
        SetTimeout(m_Gps[i]->GetPosition());
}

void CGeneralSurveyPane::GyroTimeout()
{
    SetTimeout(m_nGyroPosition);
}

void CGeneralSurveyPane::MruTimeout()
{
    SetTimeout(m_nMruPosition);
}

void CGeneralSurveyPane::BathyUnitTimeout()
{
    SetTimeout(m_nEchoSounderPosition);
}
