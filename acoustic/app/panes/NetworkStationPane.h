// CNetworkStationPane: the stations of the network, their positions and types.
#pragma once

#include "platform/ui/DockablePane.h"
#include "platform/ui/ImageList.h"

class CNetwork;

class CNetworkStationPane : public CDockablePane
{
    DECLARE_DYNAMIC(CNetworkStationPane)
public:
    CNetworkStationPane();
    // A pane of the frame showing the network
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork);
    using CDockablePane::Create;

    CNetwork* m_pNetwork = nullptr;
    // The station icons of the list.
    CImageList m_StationIcons;
};
