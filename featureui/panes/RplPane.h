// CRPLPane: the pane for route position lists (a cable or pipe route as intersection points
// joined by circular curves): how the route and its corridor are drawn, the anchor-cable alarm
// distances, and a table of the route point by point (start, tangent points, intersection and
// centre points, end). The pane keeps which file it shows; grid, table and changes follow it.
#pragma once

#include "featureui/panes/FeaturePane.h"
#include "features/RplList.h"
#include "foundation/MyListCtrl.h"

class TOLVAR_API CRPLPane : public CFeaturePaneOf<CRPLList>
{
    DECLARE_DYNAMIC(CRPLPane)
public:
    CRPLPane();
    ~CRPLPane() override;

    // The pane "RPL" of the host `pOwner` (null: messages go to the main window) over the
    // host's list, which must outlive the pane. FALSE when the window or one of its controls
    // could not be made.
    BOOL Create(CWnd* pOwner, int nID, CRPLList* pRplList);
    using CFeaturePane::Create;

    // Refills the combo box, shows the first file (or none) in the grid and the table.
    void SetupComboBox() override;
    // The grid for the file of `lpszPath` (letter case ignored; the first file when none has
    // it; "No Files Selected" for an empty path), which becomes the current file. Unless
    // forced, the path the grid already shows leaves the grid as it is.
    void InitPropList(const char* lpszPath, bool bForce);
    // The grid for the current file, rebuilt.
    void InitPropList() override;
    void CreateTable() override;
    void UpdateAllPositions() override;

    void OnRPLCombo();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam) override;
    void OnAdd() override;
    void OnRemove() override;

    CMyListCtrl& GetRplTable() { return m_Table; }
    // The file the grid and the table show and changes go to; -1 with no file loaded.
    int GetCurrentFile() const;
    const CString& GetGridFileName() const { return m_strGridFile; }

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_DISPLAY = 1,
        ITEM_DIAMETER = 2,
        ITEM_LINE_COLOUR = 3,
        ITEM_LINE_THICKNESS = 4,
        ITEM_CORRIDOR_DISPLAY = 5,
        ITEM_PORT_WIDTH = 6,
        ITEM_STARBOARD_WIDTH = 7,
        ITEM_CORRIDOR_FILL_STYLE = 8,
        ITEM_CORRIDOR_COLOUR = 9,
        ITEM_CLEARANCE = 10,
        ITEM_TOLERANCE = 11
    };

protected:
    void OnFileCombo() override { OnRPLCombo(); }
    void MakeCurrentFile(int) override {}
    // Rows are no points to centre the chart on.
    bool GetPointPosition(int, int, tagXY&) const override { return false; }
    bool SizesColumnsOnResize() const override { return false; }
    CListCtrl& GetTableCtrl() override { return m_Table; }
    BOOL CreateTableCtrl() override;
    void SetTableNightMode(bool bNight) override;

private:
    CMyListCtrl m_Table;
    int m_nCurrent = 0;
    CString m_strGridFile;
};
