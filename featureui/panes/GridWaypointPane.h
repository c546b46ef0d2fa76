// CGridWaypointPane: the pane for grid waypoint files (named points drawn with a symbol, a
// label and optional range rings). With its alarm flag set it serves as the obstruction pane
// of the anchor-cable program: the rings give way to the "Anchor Cable Alarm" settings, whose
// clearance and tolerance stay locked behind the password item when a password is configured.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/GridWaypointList.h"

class CGridWaypoint;

class TOLVAR_API CGridWaypointPane : public CFeaturePaneOf<CGridWaypointList>
{
    DECLARE_DYNAMIC(CGridWaypointPane)
public:
    CGridWaypointPane();
    ~CGridWaypointPane() override;

    // The pane titled `lpszTitle` of the host `pOwner` (null: messages go to the main window)
    // over the host's list, which must outlive the pane; `bAlarm` makes it an obstruction
    // pane. FALSE when the window or one of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, const char* lpszTitle, CGridWaypointList* pWaypointList, bool bAlarm);
    using CFeaturePane::Create;

    // Also callable by the host after it changed the list.
    void SetupComboBox() override;
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnWaypointCombo();
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
        ITEM_SYMBOL = 3,
        ITEM_COLOUR = 4,
        ITEM_SYMBOL_SIZE = 5,
        ITEM_LABEL_MODE = 6,
        ITEM_LABEL_POSITION = 7,
        ITEM_RINGS_DISPLAY = 8,
        ITEM_NUMBER_OF_RINGS = 9,
        ITEM_RING_SIZE = 10,
        ITEM_RING_COLOUR = 11,
        ITEM_CLEARANCE = 12,
        ITEM_TOLERANCE = 13,
        ITEM_DRAW_TOLERANCE_CIRCLE = 14,
        ITEM_PASSWORD = 15
    };
    // How long an unlock lasts (ms).
    static constexpr UINT UNLOCK_PERIOD = 600000;

protected:
    void OnFileCombo() override { OnWaypointCombo(); }
    void MakeCurrentFile(int nFile) override;
    DECLARE_MESSAGE_MAP()

private:
    // The pane's three messages after the list changed.
    void AnnounceListChange();

    bool m_bAlarm = false;
};
