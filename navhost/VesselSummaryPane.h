// CVesselSummaryPane: the host's own small pane on the Survey library's pane base: where the
// vessel's reference point is, its heading, its tracking point, the receiver that positions it
// and its way to the target, refreshed once a second.
#pragma once

#include "survey/SurveyPane.h"

class CBarge;
class CMFCPropertyGridProperty;

class CVesselSummaryPane : public CSurveyPane
{
public:
    CVesselSummaryPane() : CSurveyPane(2, LAYOUT_SIZE_AND_MOVE) {}

    // 1 when made; the vessel must outlive the pane.
    int Create(CWnd* pParent, int nID, CBarge* pVessel);
    void InitPropList() override;
    // The rows from the vessel as it is now; nothing without a vessel.
    void Update();

private:
    enum ROW
    {
        ROW_EASTING,
        ROW_NORTHING,
        ROW_HEADING,
        ROW_TRACKING_POINT,
        ROW_PRIMARY_GPS,
        ROW_TARGET_RANGE,
        ROW_TARGET_BEARING,
        ROW_KP,
        ROW_DCC,
        ROW_COUNT
    };

    CBarge* m_pVessel = nullptr;
    CMFCPropertyGridProperty* m_Rows[ROW_COUNT] = {};
};
