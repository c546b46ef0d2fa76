// CBoxinHistogramPane: the histogram of the Boxin range residuals, refreshed after each
// import and solution.
#pragma once

#include "acoustic/app/panes/HistogramView.h"
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

    // Bins every record's range residual (used or not) between the object's residual limits
    // into the view (BinResiduals) and repaints it.
    void UpdateHistogram();
    CHistogramView& GetView() { return m_View; }

    CBoxin* m_pBoxin = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CHistogramView m_View;
};
