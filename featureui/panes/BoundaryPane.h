// CBoundaryPane: the pane in which the user loads boundary files (closed outlines of grid
// points), switches each one's display and its highlight on the cross profile, sets its
// colour, fill style and line thickness, and reads its points.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/BoundaryList.h"

class TOLVAR_API CBoundaryPane : public CFeaturePaneOf<CBoundaryList>
{
    DECLARE_DYNAMIC(CBoundaryPane)
public:
    CBoundaryPane();
    ~CBoundaryPane() override;

    // The pane "Boundary Properties" of the host `pOwner` (null: messages go to the main
    // window) over the host's list, which must outlive the pane. FALSE when the window or one
    // of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CBoundaryList* pBoundaryList);
    using CFeaturePane::Create;

    void SetupComboBox() override;
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnBoundaryCombo();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnAdd() override;
    void OnRemove() override;

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_HIGHLIGHT = 2,
        ITEM_COLOUR = 3,
        ITEM_FILL_STYLE = 4,
        ITEM_LINE_THICKNESS = 5
    };

protected:
    void OnFileCombo() override { OnBoundaryCombo(); }
    void MakeCurrentFile(int nFile) override;
};
