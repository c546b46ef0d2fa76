// CRoutePane: the pane for route files, named waypoints joined by legs, drawn as a line with a
// symbol at each point, an optional corridor either side, labels and the range and bearing of
// each leg; the table lists each waypoint with the leg that leaves it.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/RouteList.h"

class TOLVAR_API CRoutePane : public CFeaturePaneOf<CRouteList>
{
    DECLARE_DYNAMIC(CRoutePane)
public:
    CRoutePane();
    ~CRoutePane() override;

    // The pane "Route Properties" of the host `pOwner` (null: messages go to the main window)
    // over the host's list, which must outlive the pane. FALSE when the window or one of its
    // controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CRouteList* pRouteList);
    using CFeaturePane::Create;

    // Before the combo box exists, only brings the list's edit selection up to date.
    void SetupComboBox() override;
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnRouteCombo();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnAdd() override;
    void OnRemove() override;

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_DATA_ORDER = 2,
        ITEM_LINE_COLOUR = 3,
        ITEM_LINE_THICKNESS = 4,
        ITEM_SYMBOL = 5,
        ITEM_SYMBOL_SIZE = 6,
        ITEM_CORRIDOR_DISPLAY = 7,
        ITEM_PORT_WIDTH = 8,
        ITEM_STARBOARD_WIDTH = 9,
        ITEM_CORRIDOR_FILL_STYLE = 10,
        ITEM_CORRIDOR_COLOUR = 11,
        ITEM_LABEL_MODE = 12,
        ITEM_LABEL_POSITION = 13,
        ITEM_RANGE_BEARING = 14
    };

protected:
    void OnFileCombo() override { OnRouteCombo(); }
    void MakeCurrentFile(int nFile) override;

private:
    // Stores a corridor setting that differs from the route's, recomputing the corridor when
    // asked, saves the corridor and marks the list changed; false (nothing done) when it is the
    // same.
    template <class T> bool StoreCorridorSetting(CRoute* pRoute, T& field, T value, bool bRecompute);
};
