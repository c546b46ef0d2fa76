// CVesselNavigationFeed: what the host hands the vessel navigation and crane tip panes once a
// second: every receiver of the vessel in turn, the CRP, gyro, MRU and echo sounder, and one
// receiver record per crane tip, kept side by side as the crane pane reads them.
//
// So that a person sees a silent receiver in the panes, the vessel's last receiver that is not
// the primary one falls silent for SILENT_SECONDS in each minute: the host stops feeding it,
// marks its group timed out, and the pane clears its fix and its comparisons.
#pragma once

#include <vector>

class CCraneTipMonitoringPane;
class CGeneralSurveyPane;
class CGps;
class CHostData;
class CHostRecords;
class CSurveyPane;

class CVesselNavigationFeed
{
public:
    static constexpr int SILENT_SECONDS = 20;

    // One crane tip record per crane of the vessel; call before the crane pane is made.
    void Attach(CHostData& data, CHostRecords& records);
    // The first crane tip record (null without cranes): the crane pane's receivers.
    CGps* GetCraneTips() { return m_CraneTips.empty() ? nullptr : m_CraneTips.data(); }
    // The tidal height the navigation pane reads.
    double* GetTidalHeight() { return &m_TidalHeight; }

    // The moment `seconds` after the host started: the records filled and both panes updated.
    void Update(double seconds, CGeneralSurveyPane& navigation, CCraneTipMonitoringPane& cranes);

    // The receiver index that falls silent, -1 when the vessel has no receiver besides the
    // primary one.
    int SilentReceiver() const;
    static bool IsSilentMoment(double seconds);
    // The receiver silent at that moment; -1 none.
    int SilentAt(double seconds) const;

    // A refresh is highlighted until the next second's, so that what stopped reporting stands
    // out: the highlight of the group at `position`, or of every group, ended.
    static void EndHighlight(CSurveyPane& pane, int position);
    static void EndHighlights(CSurveyPane& pane);

private:
    CHostData* m_pData = nullptr;
    CHostRecords* m_pRecords = nullptr;
    std::vector<CGps> m_CraneTips; // contiguous: the crane pane steps through them
    double m_TidalHeight = 0.0;
};
