// CSailLinePane: the pane for sail-line files, straight survey lines each from its start of
// line (SOL) to its end of line (EOL): how the chosen file is drawn, and a table of its lines;
// a click on a line centres the chart on its middle.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/SailLineList.h"

class TOLVAR_API CSailLinePane : public CFeaturePaneOf<CSailLineList>
{
    DECLARE_DYNAMIC(CSailLinePane)
public:
    CSailLinePane();
    ~CSailLinePane() override;

    // The pane "Sail Line Properties" of the host `pOwner` (null: messages go to the main
    // window) over the host's list, which must outlive the pane. FALSE when the window or one
    // of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CSailLineList* pSailLineList);
    using CFeaturePane::Create;

    // Before the combo box exists, only brings the list's edit point up to date.
    void SetupComboBox() override;
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnSailLineCombo();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnAdd() override;
    void OnRemove() override;

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_DATA_ORDER = 2,
        ITEM_COLOUR = 3,
        ITEM_LINE_THICKNESS = 4
    };

protected:
    void OnFileCombo() override { OnSailLineCombo(); }
    void MakeCurrentFile(int nFile) override;
};
