// CBoxinPane: the list of the imported Boxin observations.
#pragma once

#include "platform/ui/DockablePane.h"

class CBoxin;

class CBoxinPane : public CDockablePane
{
    DECLARE_DYNAMIC(CBoxinPane)
public:
    // A pane of the frame showing the Boxin object
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CBoxin* pBoxin);
    using CDockablePane::Create;

    CBoxin* m_pBoxin = nullptr;
};
