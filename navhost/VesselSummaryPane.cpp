#include "navhost/VesselSummaryPane.h"

#include "features/Barge.h"

namespace
{
const char* const kRowNames[] = {"Easting",     "Northing",          "Heading", "Tracking Point", "Primary GPS",
                                 "Target Range", "Target Bearing", "K.P",     "DCC"};
} // namespace

int CVesselSummaryPane::Create(CWnd* pParent, int nID, CBarge* pVessel)
{
    return CreatePane(pParent, nID, "Vessel Summary", [this, pVessel] { m_pVessel = pVessel; });
}

void CVesselSummaryPane::InitPropList()
{
    BeginPropList();
    for (CMFCPropertyGridProperty*& row : m_Rows)
        row = nullptr;
    if (m_pVessel == nullptr)
        return;
    auto* group = new CMFCPropertyGridProperty("Vessel");
    for (int i = 0; i < ROW_COUNT; ++i)
    {
        m_Rows[i] = new CMFCPropertyGridProperty(kRowNames[i], COleVariant(CString()), "", 0);
        m_Rows[i]->AllowEdit(FALSE);
        group->AddSubItem(m_Rows[i]);
    }
    m_wndPropList.AddProperty(group);
    Update();
}

void CVesselSummaryPane::Update()
{
    if (m_pVessel == nullptr || m_Rows[0] == nullptr)
        return;
    const CBarge& v = *m_pVessel;
    CString text[ROW_COUNT];
    text[ROW_EASTING].Format("%12.3lf E", v.m_Position.x);
    text[ROW_NORTHING].Format("%12.3lf N", v.m_Position.y);
    if (v.HasHeading())
        text[ROW_HEADING].Format("%6.2lf\xB0G", v.m_Heading);
    else
        text[ROW_HEADING] = "none";
    text[ROW_TRACKING_POINT] = v.GetTrackingPointName();
    const int primary = v.GetPrimaryGpsIndex();
    const TrackingPointDef* antenna = v.m_Antennas.GetPoint(primary);
    text[ROW_PRIMARY_GPS] = antenna != nullptr ? antenna->Name : CString("n/a");
    text[ROW_TARGET_RANGE].Format("%8.3lf m", v.m_TargetRange);
    text[ROW_TARGET_BEARING].Format("%6.2lf\xB0G", v.m_TargetBearing);
    text[ROW_KP].Format("%7.3lf", v.m_CrpKp);
    text[ROW_DCC].Format("%7.3lf m", v.m_CrpDcc);
    for (int i = 0; i < ROW_COUNT; ++i)
        m_Rows[i]->SetValue(COleVariant(text[i]));
}
