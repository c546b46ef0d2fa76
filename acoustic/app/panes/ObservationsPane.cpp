#include "acoustic/app/panes/ObservationsPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CObservationsPane, CDockablePane)

CObservationsPane::CObservationsPane()
{
    LoadStationIcons(m_StationIcons);
}

BOOL CObservationsPane::Create(CWnd* pFrame, CNetwork* pNetwork)
{
    m_pNetwork = pNetwork;
    return CreateFramePane(*this, pFrame, "Network Observations", ID_ACOUSTIC_NETWORK_LAYOUT);
}
