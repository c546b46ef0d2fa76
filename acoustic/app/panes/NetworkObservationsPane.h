// CNetworkObservationsPane: the observations of the network, station by station; it starts hidden until the
// user's layout shows it.
#pragma once

#include "foundation/MyDockablePane.h"

class CNetwork;

class CNetworkObservationsPane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CNetworkObservationsPane)
public:
    // A pane of the frame showing the network
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork);
    using CMyDockablePane::Create;

    CNetwork* m_pNetwork = nullptr;
};
