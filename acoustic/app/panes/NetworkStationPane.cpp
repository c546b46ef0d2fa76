#include "acoustic/app/panes/NetworkStationPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CNetworkStationPane, CDockablePane)

CNetworkStationPane::CNetworkStationPane()
{
    LoadStationIcons(m_StationIcons);
}

BOOL CNetworkStationPane::Create(CWnd* pFrame, CNetwork* pNetwork)
{
    m_pNetwork = pNetwork;
    return CreateFramePane(*this, pFrame, "Network Station", ID_ACOUSTIC_NETWORK_STATIONS);
}
