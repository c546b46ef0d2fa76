#include "navhost/DeviceGroupsPane.h"

#include "features/Barge.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GpsHeadingGroupPropertyGrid.h"
#include "survey/groups/GyroGroupGridProperty.h"
#include "survey/groups/HeadingComparisonGroupGridProperty.h"
#include "survey/groups/MruGroupGridProperty.h"
#include "survey/records/HostRecords.h"

int CDeviceGroupsPane::Create(CWnd* pParent, int nID, CHostRecords* pRecords, CBarge* pVessel)
{
    return CreatePane(pParent, nID, "Device Groups", [this, pRecords, pVessel] {
        m_pRecords = pRecords;
        m_pVessel = pVessel;
    });
}

void CDeviceGroupsPane::InitPropList()
{
    BeginPropList();
    m_pGps = nullptr;
    if (m_pRecords == nullptr || m_pVessel == nullptr)
        return;
    CHostRecords& r = *m_pRecords;
    m_pGps = new CMFCGpsGroupGridProperty(r.m_Gps[0].m_DeviceName.IsEmpty() ? CString("GPS 1") : r.m_Gps[0].m_DeviceName,
                                          &r.m_Gps[0], 0);
    m_pGps->ShowSogCog(1);
    m_pGpsHeading = new CMFCGpsHeadingGroupPropertyGrid();
    m_pGyro = new CMFCGyroGroupGridProperty(&r.m_Gyro, 2);
    m_pHeadingComparison = new CMFCHeadingComparisonGroupGridProperty(&r.m_Gyro, &r.m_Mru[0]);
    m_pMru = new CMFCMruGroupGridProperty("Motion Reference Unit", &r.m_Mru[0], 4);
    m_pCrpComparison = new CMFCCRPComparisonGroupGridProperty("Comparison GPS 1/GPS 2");
    for (CMFCPropertyGridProperty* group : {static_cast<CMFCPropertyGridProperty*>(m_pGps),
                                            static_cast<CMFCPropertyGridProperty*>(m_pGpsHeading),
                                            static_cast<CMFCPropertyGridProperty*>(m_pGyro),
                                            static_cast<CMFCPropertyGridProperty*>(m_pHeadingComparison),
                                            static_cast<CMFCPropertyGridProperty*>(m_pMru),
                                            static_cast<CMFCPropertyGridProperty*>(m_pCrpComparison)})
        m_wndPropList.AddProperty(group);
    Update();
}

void CDeviceGroupsPane::Update()
{
    if (m_pGps == nullptr)
        return;
    CHostRecords& r = *m_pRecords;
    const CBarge& vessel = *m_pVessel;
    m_pGps->Update();
    const TrackingPointDef* a = vessel.m_Antennas.GetPoint(vessel.m_GpsHeadingA);
    const TrackingPointDef* b = vessel.m_Antennas.GetPoint(vessel.m_GpsHeadingB);
    if (a != nullptr && b != nullptr)
        m_pGpsHeading->Update(a->Name, b->Name, vessel.m_GpsHeading);
    else
        m_pGpsHeading->ClearReading();
    // The gyro shows the MRU's heading-use flag by its low byte, as the host keeps it.
    m_pGyro->Update((r.m_Mru[0].m_UseHeading & 0xFF) != 0);
    m_pHeadingComparison->Update();
    m_pMru->Update();
    m_pCrpComparison->Update(r.m_Gps[0].m_DeviceName, tagXY{r.m_Gps[0].m_AntennaEasting, r.m_Gps[0].m_AntennaNorthing},
                             r.m_Gps[1].m_DeviceName, tagXY{r.m_Gps[1].m_AntennaEasting, r.m_Gps[1].m_AntennaNorthing});
}
