#include "outside/gps/SatelliteListPane.h"

void CSatelliteListPane::Update(CGps* pGps)
{
    if (pGps == nullptr)
        return;
    m_Satellites.clear();
    for (const SatelliteDef& sat : pGps->m_SortedSatellites)
    {
        if (sat.nPrn <= 0)
            continue;
        SatelliteDef shown = sat;
        // The sorted set is made when a GSV set ends; a GSA since then may have changed which
        // satellites are in the fix. Before any GSA nothing is known, so all count as used.
        if (pGps->m_GsaReceived)
        {
            shown.bUsed = 0;
            for (const SatelliteDef& received : pGps->m_ReceivedSatellites)
                if (received.nPrn == sat.nPrn && received.bUsed)
                    shown.bUsed = 1;
        }
        else
            shown.bUsed = 1;
        m_Satellites.push_back(shown);
    }
    Redraw();
}
