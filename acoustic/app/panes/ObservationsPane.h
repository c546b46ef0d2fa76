// CObservationsPane: the list of the network's observations between its stations.
#pragma once

#include "platform/ui/DockablePane.h"
#include "platform/ui/ImageList.h"

class CNetwork;

class CObservationsPane : public CDockablePane
{
    DECLARE_DYNAMIC(CObservationsPane)
public:
    CObservationsPane();
    // A pane of the frame showing the network
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork);
    using CDockablePane::Create;

    CNetwork* m_pNetwork = nullptr;
    // The station icons of the list.
    CImageList m_StationIcons;
};
