#include "survey/LegPinningPane.h"

#include "features/Barge.h"
#include "foundation/FilePath.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridItems.h"
#include "survey/SurveyLibrary.h"
#include "survey/groups/DeviceValueAngle.h"
#include "survey/groups/DeviceValueDouble.h"

#include <cmath>
#include <limits>

namespace
{
const char* const EASTING_FORMAT = "%10.2lfE";
const char* const NORTHING_FORMAT = "%10.2lfN";
const double NO_VALUE = std::numeric_limits<double>::quiet_NaN();
const double DEGREES_TO_RADIANS = M_PI / 180.0;

CMFCPropertyGridProperty* NewText(const char* name)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(CString()), nullptr, 0);
    item->AllowEdit(FALSE);
    return item;
}

// Set by the pane, not the user: not shown as modified, and repainted only when it changed.
void SetText(CMFCPropertyGridProperty* item, const CString& text)
{
    if (item->GetValue().ToText() == text)
        return;
    item->SetOriginalValue(COleVariant(text));
    item->SetValue(COleVariant(text));
}
} // namespace

IMPLEMENT_DYNAMIC(CLegPinningPane, CSurveyPane)

// Only the handlers every pane shares: the pane takes no change from its rows.
BEGIN_MESSAGE_MAP(CLegPinningPane, CSurveyPane)
END_MESSAGE_MAP()

CLegPinningPane::CLegPinningPane() : CSurveyPane(1, LAYOUT_SIZE_ONLY) {}

CLegPinningPane::~CLegPinningPane() = default;

int CLegPinningPane::Create(CWnd* pParent, int nID, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers, CGyro* pGyro,
                            CMru* pMru)
{
    // Every update reads these three: without one there is nothing sound to show.
    if (pVessel == nullptr || pGyro == nullptr || pMru == nullptr)
        return 0;
    return CreatePane(pParent, nID, LoadSurveyString(IDS_SURVEY_LEG_PINNING), [=] {
        m_pVessel = pVessel;
        m_pReceivers = pReceivers;
        m_pGyro = pGyro;
        m_pMru = pMru;
    });
}

void CLegPinningPane::ResetPositions()
{
    m_GpsGroups.Reset(&m_wndPropList, m_pVessel, m_pReceivers);
    m_HeadingSensors.Reset(&m_wndPropList, m_pGyro, m_pMru);
    m_nTrackingPointPosition = m_nTargetPosition = m_nLegsPosition = -1;
    m_pOffset = m_pFileName = m_pWaypoint = nullptr;
    m_pTrkPtEasting = m_pTrkPtNorthing = m_pRange = nullptr;
    m_pBearing = nullptr;
    m_Legs.clear();
}

void CLegPinningPane::InitPropList()
{
    BeginPropList();
    ResetPositions();
    if (m_pVessel == nullptr || m_pGyro == nullptr || m_pMru == nullptr)
        return;

    if (m_pReceivers != nullptr)
        m_GpsGroups.AddGpsGroups();
    m_GpsGroups.AddHeadingAndComparisons(CVesselGpsGroups::MAX_COMPARISONS);

    m_HeadingSensors.Add();

    AddTrackingPointGroup();
    AddTargetGroup();
    AddLegsGroup();
}

void CLegPinningPane::AddTrackingPointGroup()
{
    auto* group = new CMFCGroupPropertyGridProperty("Tracking Point", m_wndPropList.GetPropertyCount());
    m_pOffset = NewText("Offset");
    m_pTrkPtEasting = new CDeviceValueDouble("Easting", NO_VALUE, EASTING_FORMAT);
    m_pTrkPtNorthing = new CDeviceValueDouble("Northing", NO_VALUE, NORTHING_FORMAT);
    group->AddSubItem(m_pOffset);
    group->AddSubItem(m_pTrkPtEasting);
    group->AddSubItem(m_pTrkPtNorthing);
    m_nTrackingPointPosition = AddGroup(group);
    UpdateTrkPt();
}

void CLegPinningPane::AddTargetGroup()
{
    auto* group = new CMFCGroupPropertyGridProperty("Target", m_wndPropList.GetPropertyCount());
    m_pFileName = NewText("File Name");
    m_pWaypoint = NewText("Waypoint");
    m_pRange = new CDeviceValueDouble("Range", NO_VALUE, "%7.1lfm.");
    m_pBearing = new CDeviceValueAngle("Bearing", NO_VALUE, BEARING_MODE);
    group->AddSubItem(m_pFileName);
    group->AddSubItem(m_pWaypoint);
    group->AddSubItem(m_pRange);
    group->AddSubItem(m_pBearing);
    m_nTargetPosition = AddGroup(group);
    UpdateTarget();
}

void CLegPinningPane::AddLegsGroup()
{
    auto* group = new CMFCGroupPropertyGridProperty("Legs", m_wndPropList.GetPropertyCount());
    for (int leg = 0; leg < static_cast<int>(m_pVessel->m_Legs.GetSize()); ++leg)
    {
        const TrackingPointDef* point = m_pVessel->m_Legs.GetPoint(leg);
        if (point == nullptr || !point->IsEnabled())
            continue;
        LEG_ROWS rows{leg, new CMFCPropertyGridTitleProperty(point->Name),
                      new CDeviceValueDouble("Easting", NO_VALUE, EASTING_FORMAT),
                      new CDeviceValueDouble("Northing", NO_VALUE, NORTHING_FORMAT)};
        group->AddSubItem(rows.Title);
        group->AddSubItem(rows.Easting);
        group->AddSubItem(rows.Northing);
        m_Legs.push_back(rows);
    }
    m_nLegsPosition = AddGroup(group);
    UpdateLegs();
}

void CLegPinningPane::UpdateGpsPanes()
{
    m_GpsGroups.Show(true, true);
    m_HeadingSensors.Show();
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.AdjustLayout();
}

void CLegPinningPane::UpdateGps(int index)
{
    m_GpsGroups.Update(index);
}

void CLegPinningPane::GpsTimeout(int i)
{
    m_GpsGroups.Timeout(i);
}

void CLegPinningPane::UpdateGyro()
{
    m_HeadingSensors.UpdateGyro();
}

void CLegPinningPane::GyroTimeout()
{
    m_HeadingSensors.GyroTimeout();
}

void CLegPinningPane::UpdateMru()
{
    m_HeadingSensors.UpdateMru(true);
}

void CLegPinningPane::MruTimeout()
{
    m_HeadingSensors.MruTimeout();
}

void CLegPinningPane::UpdateTrkPt()
{
    if (m_pOffset == nullptr)
        return;
    SetText(m_pOffset, m_pVessel->GetTrackingPointName());
    tagXY position{NO_VALUE, NO_VALUE};
    m_pVessel->GetTrackingPointPosition(position);
    m_pTrkPtEasting->SetValue(position.x);
    m_pTrkPtNorthing->SetValue(position.y);
}

void CLegPinningPane::UpdateTarget()
{
    if (m_pFileName == nullptr)
        return;
    // The file's title alone: an empty path (no file chosen) gives an empty title.
    SetText(m_pFileName, GetFileTitleFromPath(m_pVessel->GetTargetWaypointFileName()));
    SetText(m_pWaypoint, m_pVessel->m_TargetWaypoint.Name);
    m_pRange->SetValue(m_pVessel->m_TargetRange);
    // The vessel keeps degrees; the row holds radians.
    m_pBearing->SetAngle(m_pVessel->m_TargetBearing * DEGREES_TO_RADIANS);
}

void CLegPinningPane::UpdateLegs()
{
    for (const LEG_ROWS& rows : m_Legs)
    {
        const TrackingPointDef* point = m_pVessel->m_Legs.GetPoint(rows.Leg);
        // A leg taken out of the vessel since the rows were built shows no position.
        SetText(rows.Title, point != nullptr ? point->Name : CString());
        rows.Easting->SetValue(point != nullptr ? point->Position.x : NO_VALUE);
        rows.Northing->SetValue(point != nullptr ? point->Position.y : NO_VALUE);
    }
}
