// CDigPane: the pane of the digitised drawings (DIG) a host shows on its chart: a drawing added
// from a DXF, CSV or DIG file, its display switched on and off (kept in its DIG cache), its
// file details and extents, and its removal.
#pragma once

#include "featureui/panes/DrawingPane.h"
#include "features/DigList.h"

class TOLVAR_API CDigPane : public CDrawingPaneOf<CDigList>
{
    DECLARE_DYNAMIC(CDigPane)
public:
    CDigPane();
    ~CDigPane() override;

    // The pane "Digitized Data Properties" of `pOwner` over the host's list and the mutex that
    // guards it; both must outlive the pane. FALSE when the window or one of its controls
    // could not be made.
    BOOL Create(CWnd* pOwner, int nID, CDigList* pDigList, CMutex* pMutex);
    using CFeaturePane::Create;

    void OnDigCombo() { OnDrawingCombo(); }

protected:
    DRAWING_DETAILS GetDetails(int nDrawing) const override;
    void LoadLastDrawing() override;
    bool StoreSwitch(int nDrawing, DWORD_PTR id, bool bOn) override;
};
