// CCraneTipMonitoringPane ("Crane Tip Monitoring"): one GNSS receiver group for each crane of
// the vessel, for the receivers mounted on the crane tips. Group i, at grid position i, is
// named after crane i and shows receiver i.
//
// The host hands the receivers as the first element of a contiguous array of CGps records, one
// per crane in crane order; the pane steps through it by the size of the record, so host and
// library must be built with the same CGps.
#pragma once

#include "survey/SurveyApi.h"
#include "survey/SurveyPane.h"

#include <vector>

class CBarge;
class CGps;
class CMFCGpsGroupGridProperty;

class SURVEY_API CCraneTipMonitoringPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CCraneTipMonitoringPane)

public:
    CCraneTipMonitoringPane();
    ~CCraneTipMonitoringPane() override;

    // 1 when made. The vessel and the receivers stay the host's and must outlive the pane; with
    // either null the grid stays empty.
    int Create(CWnd* pParent, int nID, CBarge* pVessel, CGps* pReceivers);

    void InitPropList() override;

    // Crane i's receiver gave data: group i renamed after the crane, refreshed and highlighted.
    // An index outside the groups is ignored.
    void UpdateGps(int i);
    // Group i marked silent; an index outside the groups is ignored.
    void GpsTimeout(int i);

    int GetGroupCount() const { return static_cast<int>(m_Groups.size()); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CBarge* m_pVessel = nullptr;
    CGps* m_pReceivers = nullptr;
    std::vector<CMFCGpsGroupGridProperty*> m_Groups; // owned by the grid
};
