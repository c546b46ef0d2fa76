// CPipelinePane: the pane for pipeline files (polylines along which KP, range and bearing are
// computed, drawn with a line and an optional corridor either side). With its alarm flag set it
// also shows the "Anchor Cable Alarm" clearance and tolerance of the anchor-cable program, kept
// locked behind the password item while a password is configured.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/PipelineList.h"

class TOLVAR_API CPipelinePane : public CFeaturePaneOf<CPipelineList>
{
    DECLARE_DYNAMIC(CPipelinePane)
public:
    CPipelinePane();
    ~CPipelinePane() override;

    // The pane "Pipeline Properties" of the host `pOwner` (null: messages go to the main
    // window) over the host's list, which must outlive the pane; `bAlarm` adds the anchor-cable
    // alarm values. FALSE when the window or one of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CPipelineList* pPipelineList, bool bAlarm);
    using CFeaturePane::Create;

    // Also callable by the host after it changed the list. Pipelines have no edit selection.
    void SetupComboBox() override;
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnPipelineCombo();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnAdd() override;
    void OnRemove() override;
    // The unlock period is over: clearance and tolerance are locked again.
    void OnTimer(UINT_PTR nIDEvent);

    bool IsAlarmPane() const { return m_bAlarm; }

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_DATA_ORDER = 2,
        ITEM_DIAMETER = 3,
        ITEM_LINE_COLOUR = 4,
        ITEM_LINE_THICKNESS = 5,
        ITEM_CORRIDOR_DISPLAY = 6,
        ITEM_PORT_WIDTH = 7,
        ITEM_STARBOARD_WIDTH = 8,
        ITEM_CORRIDOR_FILL_STYLE = 9,
        ITEM_CORRIDOR_COLOUR = 10,
        ITEM_CLEARANCE = 11,
        ITEM_TOLERANCE = 12,
        ITEM_PASSWORD = 13
    };
    // How long an unlock lasts (ms).
    static constexpr UINT UNLOCK_PERIOD = 60000;

protected:
    void OnFileCombo() override { OnPipelineCombo(); }
    void MakeCurrentFile(int) override {}
    bool SizesColumnsOnResize() const override { return false; }
    DECLARE_MESSAGE_MAP()

private:
    // The pane's messages after the list changed.
    void AnnounceListChange();

    bool m_bAlarm = false;
};
