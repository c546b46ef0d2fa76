// CDxfPane: the pane of the DXF drawings a host shows on its chart: a drawing added and read,
// its display and its text labels switched (kept in its "DXI" settings), its file details and
// extents, and its removal.
#pragma once

#include "featureui/panes/DrawingPane.h"
#include "features/DxfList.h"

class TOLVAR_API CDxfPane : public CDrawingPaneOf<CDxfList>
{
    DECLARE_DYNAMIC(CDxfPane)
public:
    CDxfPane();
    ~CDxfPane() override;

    // The pane "DXF Properties" of `pOwner` over the host's list and the mutex that guards it;
    // both must outlive the pane. FALSE when the window or one of its controls could not be
    // made.
    BOOL Create(CWnd* pOwner, int nID, CDxfList* pDxfList, CMutex* pMutex);
    using CFeaturePane::Create;

    void OnDxfCombo() { OnDrawingCombo(); }

    // The data word of "Show Labels".
    static constexpr DWORD_PTR ITEM_SHOW_LABELS = 2;

protected:
    DRAWING_DETAILS GetDetails(int nDrawing) const override;
    void LoadLastDrawing() override;
    void AddOwnProperties(CMFCPropertyGridProperty* pGroup, int nDrawing) override;
    bool StoreSwitch(int nDrawing, DWORD_PTR id, bool bOn) override;
};
