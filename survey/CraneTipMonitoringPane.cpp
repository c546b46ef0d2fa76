#include "survey/CraneTipMonitoringPane.h"

#include "features/Barge.h"
#include "geodesy/Gps.h"
#include "survey/groups/GpsGroupGridProperty.h"

IMPLEMENT_DYNAMIC(CCraneTipMonitoringPane, CSurveyPane)

// Only the handlers every pane shares.
BEGIN_MESSAGE_MAP(CCraneTipMonitoringPane, CSurveyPane)
END_MESSAGE_MAP()

CCraneTipMonitoringPane::CCraneTipMonitoringPane() = default;

CCraneTipMonitoringPane::~CCraneTipMonitoringPane() = default;

int CCraneTipMonitoringPane::Create(CWnd* pParent, int nID, CBarge* pVessel, CGps* pReceivers)
{
    return CreatePane(pParent, nID, "Crane Tip Monitoring", [=] {
        m_pVessel = pVessel;
        m_pReceivers = pReceivers;
    });
}

void CCraneTipMonitoringPane::InitPropList()
{
    BeginPropList();
    m_Groups.clear();
    if (m_pVessel == nullptr || m_pReceivers == nullptr)
        return;
    const int cranes = static_cast<int>(m_pVessel->m_Cranes.GetSize());
    for (int i = 0; i < cranes; ++i)
    {
        auto* group = new CMFCGpsGroupGridProperty(m_pVessel->m_Cranes.GetPoint(i)->Name, m_pReceivers + i, i);
        m_wndPropList.AddProperty(group);
        group->Expand(TRUE);
        m_Groups.push_back(group);
    }
}

void CCraneTipMonitoringPane::UpdateGps(int i)
{
    if (i < 0 || i >= GetGroupCount())
        return;
    // The crane list may have been renamed since the grid was built.
    if (const TrackingPointDef* crane = m_pVessel->m_Cranes.GetPoint(i))
        m_Groups[i]->SetName(crane->Name);
    m_Groups[i]->Update();
    m_wndPropList.Trigger(i);
}

void CCraneTipMonitoringPane::GpsTimeout(int i)
{
    if (i >= 0 && i < GetGroupCount())
        m_Groups[i]->Timeout(true);
}
