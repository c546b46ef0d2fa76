#include "navhost/LegPinningFeed.h"

#include "navhost/HostData.h"
#include "navhost/VesselNavigationFeed.h"
#include "survey/LegPinningPane.h"

void CLegPinningFeed::Update(int silent, CLegPinningPane& pane)
{
    if (m_pData == nullptr || pane.GetSafeHwnd() == nullptr)
        return;
    CVesselNavigationFeed::EndHighlights(pane);
    const int receivers = static_cast<int>(m_pData->GetVesselReceivers()->GetSize());
    for (int i = 0; i < receivers; ++i)
        if (i != silent)
            pane.UpdateGps(i);
    if (silent >= 0 && silent < receivers)
    {
        pane.UpdateGps(silent);
        if (silent < pane.GetGpsGroupCount())
            CVesselNavigationFeed::EndHighlight(pane, pane.GetFirstGpsPosition() + silent);
        pane.GpsTimeout(silent);
    }
    pane.UpdateGyro();
    pane.UpdateMru();
    pane.UpdateTrkPt();
    pane.UpdateTarget();
    pane.UpdateLegs();
    pane.UpdateGpsPanes();
}
