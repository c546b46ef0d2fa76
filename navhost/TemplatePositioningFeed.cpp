#include "navhost/TemplatePositioningFeed.h"

#include "outside/panes/GroupProperty.h"
#include "survey/TemplatePositioningPane.h"
#include "survey/records/HostRecords.h"

#include <cmath>

bool CTemplatePositioningFeed::IsStationOn(int index, double seconds)
{
    const double s = std::fmod(seconds, 60.0);
    if (s >= BOTH_OFF_FROM && s < BOTH_OFF_TO)
        return false;
    return index != 1 || s < TS2_OFF_FROM || s >= BOTH_OFF_FROM;
}

void CTemplatePositioningFeed::Update(double seconds, CHostRecords& records, CTemplatePositioningPane& pane)
{
    if (pane.GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < CHostRecords::TOTAL_STATIONS && i < 2; ++i)
        records.m_Lasers[i].m_Active = IsStationOn(i, seconds) ? 1 : 0;
    int active = 0;
    for (int source = 0; source < CTemplatePositioningPane::CRP_SOURCE_COUNT; ++source)
        if (pane.IsSourceActive(source))
            active |= 1 << source;
    if (active != m_nBuiltWith)
    {
        pane.InitPropList();
        m_nBuiltWith = active;
    }

    // A refresh stays highlighted until the next second's.
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    for (int i = 0; i < grid.GetPropertyCount(); ++i)
        if (auto* group = dynamic_cast<CMFCGroupPropertyGridProperty*>(grid.GetProperty(i)))
            group->Clear();
    for (int i = 0; i < pane.GetGpsGroupCount(); ++i)
        pane.UpdateGps(i);
    for (int i = 0; i < 2; ++i)
        pane.UpdateMru(i);
    for (int i = 0; i < 2; ++i)
        pane.UpdateTotalStation(i);
}
