// CBoxinHistogramPane: the histogram of the Boxin range residuals.
#pragma once

#include "platform/ui/DockablePane.h"

class CBoxin;

class CBoxinHistogramPane : public CDockablePane
{
    DECLARE_DYNAMIC(CBoxinHistogramPane)
public:
    // A pane of the frame showing the Boxin object
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CBoxin* pBoxin);
    using CDockablePane::Create;

    CBoxin* m_pBoxin = nullptr;
};
