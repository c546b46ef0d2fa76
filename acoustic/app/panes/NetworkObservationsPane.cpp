#include "acoustic/app/panes/NetworkObservationsPane.h"

#include "acoustic/app/AcousticResources.h"

IMPLEMENT_DYNAMIC(CNetworkObservationsPane, CDockablePane)

BOOL CNetworkObservationsPane::Create(CWnd* pFrame, CNetwork* pNetwork)
{
    m_pNetwork = pNetwork;
    return CMyDockablePane::Create(pFrame, ID_ACOUSTIC_NETWORK_OBSERVATIONS, "Network Observations");
}
