#include "survey/TargetQCPane.h"

#include "features/TrackObject.h"
#include "geodesy/Gyro.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/units/MetricProperty.h"
#include "outside/panes/units/ToleranceProperty.h"
#include "survey/groups/DeviceRows.h"
#include "survey/records/Mru.h"

#include <limits>

namespace
{
const char* const RANGE_FORMAT = "%8.3lfm";
const char* const OFFSET_FORMAT = "%+8.3lfm";
const char* const HEADING_FORMAT = "%6.2lf\xB0G";
// The sign always printed by the conversion itself, so that a negative angle reads "-1.50°".
const char* const ATTITUDE_FORMAT = "%+5.2lf\xB0";

CMFCPropertyGridTolerance* AddTolerance(CMFCPropertyGridProperty* group, const char* name, double value,
                                        const char* format)
{
    auto* item = new CMFCPropertyGridTolerance(name, value, format);
    group->AddSubItem(item);
    return item;
}
} // namespace

IMPLEMENT_DYNAMIC(CTargetQCPane, CSurveyPane)

// Only the handlers every pane shares: the pane takes no change from its rows.
BEGIN_MESSAGE_MAP(CTargetQCPane, CSurveyPane)
END_MESSAGE_MAP()

CTargetQCPane::CTargetQCPane() : CSurveyPane(2, LAYOUT_SIZE_AND_MOVE) {}

CTargetQCPane::~CTargetQCPane() = default;

int CTargetQCPane::Create(const char* title, CWnd* pParent, int nID, CTrackObject* pObject, CGyro* pGyro,
                          CMru* pMru)
{
    return CreatePane(pParent, nID, title != nullptr ? title : "", [=] {
        m_pObject = pObject;
        m_pGyro = pGyro;
        m_pMru = pMru;
    });
}

double CTargetQCPane::Shown(double value)
{
    return IsDeviceValue(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

bool CTargetQCPane::IsBox() const
{
    return m_pObject != nullptr && m_pObject->m_PlotOptions.ShapeBox;
}

double CTargetQCPane::RangeTolerance() const
{
    const TargetPlotOptionsDef& plot = m_pObject->m_PlotOptions;
    // The range is in metres whatever unit the rings are drawn in.
    return plot.NauticalMiles ? plot.RadiusNM * METRES_PER_NAUTICAL_MILE : plot.RadiusMetres;
}

CMFCGroupPropertyGridProperty* CTargetQCPane::GetGroup(int position) const
{
    return position >= 0 && position < GROUPS ? m_pGroups[position] : nullptr;
}

void CTargetQCPane::InitPropList()
{
    BeginPropList();
    // Nothing here is edited, so there is nothing to describe.
    m_wndPropList.EnableDescriptionArea(FALSE);
    std::fill(std::begin(m_pGroups), std::end(m_pGroups), nullptr);
    m_pHeading[0] = m_pHeading[1] = m_pPitch[0] = m_pPitch[1] = m_pRoll[0] = m_pRoll[1] = nullptr;

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CTrackObject* object = m_pObject;
    const bool gyro = m_pGyro != nullptr;
    // MRU one and, without a gyro, MRU two; missing records leave their rows empty.
    const CMru* mrus[2] = {m_pMru, (!gyro && m_pMru != nullptr) ? m_pMru + 1 : nullptr};

    auto* point = new CMFCGroupPropertyGridProperty("Tracking Point", GROUP_TRACKING_POINT);
    m_pName = new CMFCPropertyGridProperty("Name", COleVariant(""), nullptr, 0);
    m_pName->AllowEdit(FALSE);
    point->AddSubItem(m_pName);
    m_pEasting = new CMFCPropertyGridMetricProperty("Easting", object ? object->m_TrkPtPosition.x : nan,
                                                    METRIC_COORDINATE);
    m_pNorthing = new CMFCPropertyGridMetricProperty("Northing", object ? object->m_TrkPtPosition.y : nan,
                                                     METRIC_COORDINATE);
    for (CMFCPropertyGridMetricProperty* item : {m_pEasting, m_pNorthing})
    {
        item->AllowEdit(FALSE);
        point->AddSubItem(item);
    }
    m_wndPropList.AddProperty(point);
    m_pGroups[GROUP_TRACKING_POINT] = point;

    auto* tolerance = new CMFCGroupPropertyGridProperty("Tolerance", GROUP_TOLERANCE);
    m_pRange = AddTolerance(tolerance, "Range", object ? object->m_TargetRange : nan, RANGE_FORMAT);
    m_pPositionX = AddTolerance(tolerance, "Position X", object ? object->m_PositionX : nan, OFFSET_FORMAT);
    m_pPositionY = AddTolerance(tolerance, "Position Y", object ? object->m_PositionY : nan, OFFSET_FORMAT);
    m_pRange->Show(!IsBox(), FALSE);
    m_pPositionX->Show(IsBox(), FALSE);
    m_pPositionY->Show(IsBox(), FALSE);
    m_wndPropList.AddProperty(tolerance);
    m_pGroups[GROUP_TOLERANCE] = tolerance;

    auto* heading = new CMFCGroupPropertyGridProperty("Heading", GROUP_HEADING);
    if (gyro)
        m_pHeading[0] = AddTolerance(heading, "Gyro", Shown(m_pGyro->m_GridHeading), HEADING_FORMAT);
    else
        for (int i = 0; i < 2; ++i)
        {
            CString name;
            name.Format("Gyro %d", i + 1);
            m_pHeading[i] =
                AddTolerance(heading, name, mrus[i] ? Shown(mrus[i]->m_GridHeading) : nan, HEADING_FORMAT);
        }
    m_wndPropList.AddProperty(heading);
    m_pGroups[GROUP_HEADING] = heading;

    const char* const names[2] = {gyro ? "MRU" : "MRU One", "MRU Two"};
    for (int i = 0; i < (gyro ? 1 : 2); ++i)
    {
        auto* group = new CMFCGroupPropertyGridProperty(names[i], GROUP_MRU_ONE + i);
        m_pPitch[i] = AddTolerance(group, "Pitch", mrus[i] ? Shown(mrus[i]->m_Pitch) : nan, ATTITUDE_FORMAT);
        m_pRoll[i] = AddTolerance(group, "Roll", mrus[i] ? Shown(mrus[i]->m_Roll) : nan, ATTITUDE_FORMAT);
        m_wndPropList.AddProperty(group);
        m_pGroups[GROUP_MRU_ONE + i] = group;
    }
}

void CTargetQCPane::Update(const char* name)
{
    if (m_pObject == nullptr || m_pRange == nullptr)
        return;
    const CTrackObject& object = *m_pObject;
    m_pName->SetValue(COleVariant(name != nullptr ? name : ""));
    m_pEasting->SetMetres(object.m_TrkPtPosition.x);
    m_pNorthing->SetMetres(object.m_TrkPtPosition.y);

    const bool box = IsBox();
    m_pRange->SetValue(Shown(object.m_TargetRange), RangeTolerance());
    m_pPositionX->SetValue(Shown(object.m_PositionX), object.m_PlotOptions.BoxSizeX);
    m_pPositionY->SetValue(Shown(object.m_PositionY), object.m_PlotOptions.BoxSizeY);
    ShowDeviceRow(*m_pRange, !box);
    ShowDeviceRow(*m_pPositionX, box);
    ShowDeviceRow(*m_pPositionY, box);
}

void CTargetQCPane::UpdateGyro()
{
    if (m_pGyro == nullptr || m_pObject == nullptr || m_pHeading[0] == nullptr)
        return;
    m_pHeading[0]->SetAngle(Shown(m_pGyro->m_GridHeading), m_pObject->m_TargetHeading,
                            m_pObject->m_HeadingTolerance);
}

void CTargetQCPane::ShowAttitude(const CMru& mru, int group)
{
    m_pPitch[group]->SetValue(Shown(mru.m_Pitch), m_pObject->m_PitchTolerance);
    m_pRoll[group]->SetValue(Shown(mru.m_Roll), m_pObject->m_RollTolerance);
}

void CTargetQCPane::UpdateMru(int index)
{
    if (m_pMru == nullptr || m_pObject == nullptr || m_pPitch[0] == nullptr)
        return;
    const bool gyro = m_pGyro != nullptr;
    if (index != 0 && (index != 1 || gyro))
        return;
    const CMru& mru = m_pMru[index];
    if (!gyro)
        m_pHeading[index]->SetAngle(Shown(mru.m_GridHeading), m_pObject->m_TargetHeading,
                                    m_pObject->m_HeadingTolerance);
    ShowAttitude(mru, index);
}
