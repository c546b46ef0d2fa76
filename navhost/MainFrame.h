// CMainFrame: the stand-in host navigation program's main window. It owns the host's data
// (CHostData), creates the chart (a child frame in its document area holding a chart view, the
// chart pane, and the navigation window on demand), docks every feature pane of the library
// around it, opens the library's dialogs from its menu, feeds the vessel and AIS targets from
// its live input, keeps the sensor records of the ROV and Survey panes moving on demo values,
// and answers the registered messages the panes and the chart post, logging those it has no
// use for.
#pragma once

#include "chart/frame/ChartexaFrame.h"
#include "chart/frame/GridFrame.h"
#include "chart/view/ChartexaStatusBar.h"
#include "chart/view/GridView.h"
#include "chart/view/GridViewPane.h"
#include "featureui/panes/BoundaryPane.h"
#include "featureui/panes/DigPane.h"
#include "featureui/panes/DtmPane.h"
#include "featureui/panes/DxfPane.h"
#include "featureui/panes/GridWaypointPane.h"
#include "featureui/panes/PipeRoutePane.h"
#include "featureui/panes/PipelinePane.h"
#include "featureui/panes/RoutePane.h"
#include "featureui/panes/RplPane.h"
#include "featureui/panes/SailLinePane.h"
#include "featureui/panes/StructurePane.h"
#include "featureui/panes/TargetPane.h"
#include "featureui/panes/TargetPlotPane.h"
#include "featureui/views/FeatureView.h"
#include "navhost/DeviceGroupsPane.h"
#include "survey/TrainingPane.h"
#include "navhost/VesselNavigationFeed.h"
#include "navhost/LegPinningFeed.h"
#include "navhost/HostData.h"
#include "navhost/HostLayers.h"
#include "navhost/LiveFeed.h"
#include "navhost/MessageLogPane.h"
#include "rov/BathyPane.h"
#include "rov/BathyUnitPane.h"
#include "rov/BubblePane.h"
#include "rov/MruPane.h"
#include "rov/PipeTrackerPane.h"
#include "rov/ScanningProfilerPane.h"
#include "rov/SpeedOfSoundInWaterPane.h"
#include "rov/TssPane.h"
#include "rov/UsblPane.h"
#include "navhost/SurveyDemo.h"
#include "navhost/VesselSummaryPane.h"
#include "platform/ui/MdiFrameWnd.h"
#include "platform/ui/MenuBar.h"
#include "rov/ScrollingGraphPane.h"
#include "survey/CraneTipMonitoringPane.h"
#include "survey/LegPinningPane.h"
#include "survey/GeneralSurveyPane.h"
#include "survey/TemplatePositioningPane.h"
#include "navhost/TemplatePositioningFeed.h"
#include "survey/ProjectPane.h"
#include "survey/TargetQCPane.h"
#include "survey/records/HostRecords.h"

#include <vector>

class CFeaturePane;

class CMainFrame : public CMDIFrameWndEx
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // After the frame exists: the drawings load behind their dialogs, the chart is handed the
    // host's data, the panes fill, the live input starts and the frame shows.
    void PostStart();

    // The chart views the host feeds: the document window's, the chart pane's and, once it is
    // opened, the navigation window's.
    std::vector<CGridView*> GetChartViews() const;
    CGridView* GetChartView() const { return m_pChartView; }
    // The view the chart commands act on: the one that last had the focus.
    CGridView* GetActiveChartView() const;
    CChartexaFrame* GetChartFrame() const { return m_pChartFrame; }
    // The document window beside the chart that tables the file of a feature kind no pane
    // lists (the design routes), or of a feature double-clicked on the chart.
    CMDIChildWnd* GetFeatureTableFrame() const { return m_pTableFrame; }
    CFeatureView* GetFeatureView() const { return m_pFeatureView; }
    CGridFrame* GetNavigationWindow() const { return m_pNavigationWindow; }

    // The pane a View command toggles; null for another command or a pane not made.
    CDockablePane* GetPaneOfCommand(UINT nID);
    // The feature pane that lists features of that FEATURE_TYPES value; null for none.
    CFeaturePane* GetPaneOfFeatureType(int type);

    // Repaints every chart view. A view lays out its grid at the end of each paint and draws
    // the features with the layout of the paint before, so after the scale or centre changed
    // `frameChanged` paints it twice, the features then standing where the grid does.
    void RedrawCharts(bool frameChanged = false);

    // Members, in order: the data first, so that it outlives every window that shows it.
    CHostData m_Data;
    // The sensor records the ROV and Survey panes read, filled with demo values once a second.
    CHostRecords m_Records;
    CHostLayers m_Layers;
    CLiveFeed m_Feed;
    CMFCMenuBar m_wndMenuBar;
    CChartexaStatusBar m_wndStatusBar;
    CBoundaryPane m_wndBoundaryPane;
    CGridWaypointPane m_wndWaypointPane;
    CPipelinePane m_wndPipelinePane;
    CRoutePane m_wndRoutePane;
    CSailLinePane m_wndSailLinePane;
    CRPLPane m_wndRplPane;
    CPipeRoutePane m_wndPipeRoutePane;
    CStructurePane m_wndStructurePane;
    CDigPane m_wndDigPane;
    CDxfPane m_wndDxfPane;
    CDtmPane m_wndDtmPane;
    CTargetPane m_wndVesselTargetPane;
    CTargetPane m_wndTemplateTargetPane;
    CTargetPlotPane m_wndTargetPlotPane;
    CGridViewPane m_wndChartPane;
    CMessageLogPane m_wndLogPane;
    // The ROV's attitude, heading and depth, fed from the ROV's MRU record every second.
    CMruPane m_wndMruPane;
    CSpeedOfSoundInWaterPane m_wndSoundSpeedPane;
    // The tilt bubble, fed the vessel's and the template's MRU records every second.
    CBubblePane m_wndBubblePane;
    // The Survey panes' run-time fields, and the host's own pane on their base.
    CSurveyDemo m_SurveyDemo;
    CVesselSummaryPane m_wndVesselSummaryPane;
    // One of each device group of the Survey library, fed once a second.
    CDeviceGroupsPane m_wndDeviceGroupsPane;
    // The training set-up over the host's record, waypoint files and design routes.
    CTrainingPane m_wndTrainingPane;
    // The Survey library's vessel navigation and crane tip panes, fed once a second.
    CVesselNavigationFeed m_VesselNavigationFeed;
    CGeneralSurveyPane m_wndVesselNavigationPane;
    CCraneTipMonitoringPane m_wndCraneTipPane;
    // The Survey library's template positioning pane over the template, fed once a second
    // (CTemplatePositioningFeed).
    CTemplatePositioningFeed m_TemplatePositioningFeed;
    CTemplatePositioningPane m_wndTemplatePositioningPane;
    // The template on its target without a gyro, from its two MRUs, fed once a second; and the
    // job's names for the reports, read from "JOB" at start.
    CTargetQCPane m_wndTargetQcPane;
    CProjectPane m_wndProjectPane;
    // The Survey library's leg pinning pane over the vessel, fed once a second.
    CLegPinningFeed m_LegPinningFeed;
    CLegPinningPane m_wndLegPinningPane;
    // Depth and altitude of the ROV scrolling past, a sample a second.
    CScrollingGraphPane m_wndDepthGraphPane;
    // The ROV's bathy unit, pipe tracker and scanning profiler, fed from the host's records
    // every second.
    CBathyPane m_wndBathyPane;
    CBathyUnitPane m_wndBathyUnitPane;
    CPipeTrackerPane m_wndPipeTrackerPane;
    CScanningProfilerPane m_wndScanningProfilerPane;
    // The pipe tracker's values and the USBL's transponders (the user may pick the active one).
    CTssPane m_wndTssPane;
    CUsblPane m_wndUsblPane;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void FeedDepthGraph();
    // The bathy, pipe tracker and profiler panes read the records just filled.
    void FeedSubseaPanes();
    // The profiler pane was sized or hidden: the docks lay themselves out already.
    LRESULT OnPaneAdjust(WPARAM wParam, LPARAM lParam);
    // Registered messages that the frame receives and finds no entry for go to the log.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LRESULT OnRedrawChart(WPARAM wParam, LPARAM lParam);
    LRESULT OnFeatureUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddFeature(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateFeaturePosition(WPARAM wParam, LPARAM lParam);
    LRESULT OnClickOnChart(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndFeatureEdit(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusView(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateDtm(WPARAM wParam, LPARAM lParam);
    LRESULT OnReceiveData(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonBox(WPARAM wParam, LPARAM lParam);
    LRESULT OnAisTargetData(WPARAM wParam, LPARAM lParam);
    LRESULT OnTemplateCrpUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnTemplateUpdate(WPARAM wParam, LPARAM lParam);

    void OnTogglePane(UINT nID);
    void OnUpdateTogglePane(CCmdUI* pCmdUI);
    void OnFeatureTable();
    void OnUpdateFeatureTable(CCmdUI* pCmdUI);
    void OnNavigationWindow();
    void OnUpdateNavigationWindow(CCmdUI* pCmdUI);
    void OnChartCommand(UINT nID);
    void OnUpdateChartCommand(CCmdUI* pCmdUI);
    void OnEditMode(UINT nID);
    void OnUpdateEditMode(CCmdUI* pCmdUI);
    void OnShapeFiles();
    void OnImportPipeline();
    void OnGpxTracks();
    void OnGpxTable();
    void OnWindFarms();
    void OnFindWindFarm();
    void OnTurbines();
    void OnExit();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePanes();
    BOOL CreateChartWindow();
    BOOL CreateFeatureTable();
    // The table shows file `file` of the feature kind (the list's edit file); false when the
    // table takes no such kind.
    bool ShowInFeatureTable(int type, int file, int point);
    // A pane created by `created` docked on `side`, and put behind the tabs of `tabOf` when one
    // is given: one line for every pane.
    bool Dock(CDockablePane& pane, BOOL created, UINT side, CDockablePane* tabOf = nullptr);
    struct PaneCommandDef
    {
        UINT nID;
        CDockablePane* pane;
    };
    std::vector<PaneCommandDef> PaneCommands();
    // The pane is refilled from its list; `whole` rebuilds its file choice first.
    void RefreshFeaturePane(int type, bool whole);
    // Makes the file the one the pane shows, when it is not.
    void ShowFileInPane(CFeaturePane& pane, int file);
    // The MRU pane shows the ROV's MRU record and the bathy unit's depth.
    void FeedMruPane();
    void FeedBubblePane();
    // The navigation window's boxes show the vessel's position and heading.
    void UpdateNavigationBoxes();
    // A GPX file chosen by the user when none is loaded yet; false when none could be read.
    bool EnsureGpx();
    void CentreChartsOn(double easting, double northing);
    // Hands a chart view the host's data and drawing; a view that follows the vessel waits for
    // the vessel's first fix rather than follow its unknown position to the grid's origin.
    void FeedChartView(CGridView* view);
    // The views waiting for the first fix follow the vessel from now on.
    void StartFollowing();

    CChartexaFrame* m_pChartFrame = nullptr;
    CGridView* m_pChartView = nullptr;
    CMDIChildWnd* m_pTableFrame = nullptr;
    CFeatureView* m_pFeatureView = nullptr;
    CGridFrame* m_pNavigationWindow = nullptr;
    HWND m_hActiveView = nullptr;
    // Views that follow the vessel once it has a position, with their track modes.
    std::vector<std::pair<HWND, TRACK_MODE>> m_WaitingViews;
    bool m_bVesselSilent = true;
    DWORD m_LastButtons = 0;
    // Seconds of demo values given to the records.
    double m_DemoSeconds = 0.0;
};
