// CDeviceGroupsPane: the host's demo pane of the Survey library's device groups, one of each
// over the vessel's devices: its first receiver, the GPS heading of its antenna pair, its gyro,
// gyro against MRU, its MRU, and its first two receivers compared, refreshed once a second.
#pragma once

#include "survey/SurveyPane.h"

class CBarge;
class CHostRecords;
class CMFCCRPComparisonGroupGridProperty;
class CMFCGpsGroupGridProperty;
class CMFCGpsHeadingGroupPropertyGrid;
class CMFCGyroGroupGridProperty;
class CMFCHeadingComparisonGroupGridProperty;
class CMFCMruGroupGridProperty;

class CDeviceGroupsPane : public CSurveyPane
{
public:
    CDeviceGroupsPane() : CSurveyPane(2, LAYOUT_SIZE_AND_MOVE) {}

    // 1 when made; the records and the vessel must outlive the pane.
    int Create(CWnd* pParent, int nID, CHostRecords* pRecords, CBarge* pVessel);
    void InitPropList() override;
    // Every group from its devices as they are now; nothing before the groups are built.
    void Update();

private:
    CHostRecords* m_pRecords = nullptr;
    CBarge* m_pVessel = nullptr;
    CMFCGpsGroupGridProperty* m_pGps = nullptr;
    CMFCGpsHeadingGroupPropertyGrid* m_pGpsHeading = nullptr;
    CMFCGyroGroupGridProperty* m_pGyro = nullptr;
    CMFCHeadingComparisonGroupGridProperty* m_pHeadingComparison = nullptr;
    CMFCMruGroupGridProperty* m_pMru = nullptr;
    CMFCCRPComparisonGroupGridProperty* m_pCrpComparison = nullptr;
};
