// CPipeRoutePane: the pane of the one active pipe route, a single pipeline that the host owns.
// The user selects the route's text file ("Select") or empties it ("Clear"), chooses its
// column order, how it is drawn and how its kilometre points are numbered and labelled; the
// table lists every point with its KP, range and bearing.
#pragma once

#include "featureui/panes/FeatureListCtrl.h"
#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/MyDockablePane.h"
#include "platform/ui/Font.h"

class CPipeline;

class TOLVAR_API CPipeRoutePane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CPipeRoutePane)
public:
    CPipeRoutePane();
    ~CPipeRoutePane() override;

    // The pane "Pipe Route" of the host `pOwner` (null: chart redraws go to the main window)
    // over the host's pipeline, which must outlive the pane. FALSE when the pane's window or one
    // of its controls could not be made.
    BOOL Create(CWnd* pOwner, int nID, CPipeline* pPipeline);
    using CMyDockablePane::Create;

    // Empties and rebuilds the grid from the pipeline.
    void InitPropList();
    // Refills the table, one row per point, and sizes its columns.
    void UpdateAllPositions();
    // "Select": loads a chosen file into the pipeline; cancelled or not, the active path is
    // saved and grid, table and chart refreshed.
    void OnSelect();
    // "Clear": empties the pipeline and saves the empty active path.
    void OnClear();
    // Shows "Start KP" and "Increasing KP" only while the data order has no KP column (order
    // 0, where the KPs are numbered), without rebuilding the grid.
    void AdjustStartKp();
    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // The buttons side by side in a 30-pixel strip on top, the grid below them (20 rows) and
    // the table in the rest, hidden when no room is left.
    virtual void AdjustLayout();
    void SetPropListFont();

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }
    void SetVSDotNetLook(BOOL bSet);

    // The controls, for the host and for tests.
    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    CFeatureListCtrl& GetTable() { return m_wndList; }
    CColourButton* GetSelectButton() const { return m_pSelectButton; }
    CColourButton* GetClearButton() const { return m_pClearButton; }

    // The data words of the grid's items.
    enum ITEM
    {
        ITEM_FILE_NAME = 0,
        ITEM_DISPLAY = 1,
        ITEM_DATA_ORDER = 2,
        ITEM_COLOUR = 3,
        ITEM_LINE_THICKNESS = 4,
        ITEM_START_KP = 5,
        ITEM_INCREASING_KP = 6,
        ITEM_LABEL_KPS = 7,
        ITEM_KP_INTERVAL = 8
    };

    // Control ids.
    static constexpr UINT IDC_SELECT = 12095;
    static constexpr UINT IDC_CLEAR = 12096;
    static constexpr UINT IDC_TABLE = 12016;
    static constexpr int GRID_ROWS = 20;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Deletes every row and column of the table and inserts the pane's five columns.
    void CreateTable();
    // After Select or Clear: the active path saved, grid, rows and layout rebuilt, the chart
    // told.
    void ShowNewPipeline();
    // Reloads the pipeline's file in its (new) data order.
    void ReloadPipeline();

    CPipeline* m_pPipeline = nullptr;
    CFont m_fntPropList;
    CMyMFCPropertyGridCtrl m_wndPropList;
    CFeatureListCtrl m_wndList;
    CColourButton* m_pSelectButton = nullptr;
    CColourButton* m_pClearButton = nullptr;
};
