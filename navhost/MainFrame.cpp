#include "navhost/MainFrame.h"

#include "featureui/dialogs/FindWindFarm.h"
#include "featureui/dialogs/GpxTracksDisplayDlg.h"
#include "featureui/dialogs/GpxTracksDlg.h"
#include "featureui/dialogs/PipelineDlg.h"
#include "featureui/dialogs/ShapeFileSelectorDlg.h"
#include "featureui/dialogs/WindFarmDlg.h"
#include "featureui/dialogs/WindFarmTurbinesDlg.h"
#include "featureui/loaders/LoadShape.h"
#include "features/FeatureTypes.h"
#include "foundation/Folders.h"
#include "foundation/WindowMessages.h"
#include "navhost/DemoRecords.h"
#include "navhost/GpxReader.h"
#include "navhost/NavHostResources.h"
#include "navhost/TargetQcFeed.h"
#include "outside/notifex/Notifex.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/FileDialog.h"
#include "rov/PitchRollView.h"
#include "survey/JobFile.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_REGISTERED_MESSAGE(UM_REDRAW_CHART, &CMainFrame::OnRedrawChart)
ON_REGISTERED_MESSAGE(UM_REDRAW_VECTOR_DISPLAY, &CMainFrame::OnRedrawChart)
ON_REGISTERED_MESSAGE(UM_FEATURE_UPDATE, &CMainFrame::OnFeatureUpdate)
ON_REGISTERED_MESSAGE(UM_ADD_FEATURE, &CMainFrame::OnAddFeature)
ON_REGISTERED_MESSAGE(UM_UPDATE_FEATURE_POSITION, &CMainFrame::OnUpdateFeaturePosition)
ON_REGISTERED_MESSAGE(UM_CLICK_ON_CHART, &CMainFrame::OnClickOnChart)
ON_REGISTERED_MESSAGE(UM_END_FEATURE_EDIT, &CMainFrame::OnEndFeatureEdit)
ON_REGISTERED_MESSAGE(UM_SET_FOCUS, &CMainFrame::OnSetFocusView)
ON_REGISTERED_MESSAGE(UM_UPDATE_DTM, &CMainFrame::OnUpdateDtm)
ON_REGISTERED_MESSAGE(UM_RECEIVE_DATA, &CMainFrame::OnReceiveData)
ON_REGISTERED_MESSAGE(UM_BUTTON_BOX, &CMainFrame::OnButtonBox)
ON_REGISTERED_MESSAGE(UM_AIS_TARGET_DATA, &CMainFrame::OnAisTargetData)
ON_REGISTERED_MESSAGE(UM_TEMPLATE_CRP_UPDATE, &CMainFrame::OnTemplateCrpUpdate)
ON_REGISTERED_MESSAGE(UM_TEMPLATE_UPDATE, &CMainFrame::OnTemplateUpdate)
ON_COMMAND_RANGE(ID_NAVHOST_BOUNDARY_PANE, ID_NAVHOST_MESSAGE_LOG_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_BOUNDARY_PANE, ID_NAVHOST_MESSAGE_LOG_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_MRU_PANE, ID_NAVHOST_MRU_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_MRU_PANE, ID_NAVHOST_MRU_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_SOUND_SPEED_PANE, ID_NAVHOST_SOUND_SPEED_PANE, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_BUBBLE_PANE, ID_NAVHOST_BUBBLE_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_BUBBLE_PANE, ID_NAVHOST_BUBBLE_PANE, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_SOUND_SPEED_PANE, ID_NAVHOST_SOUND_SPEED_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_VESSEL_SUMMARY_PANE, ID_NAVHOST_VESSEL_SUMMARY_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_VESSEL_SUMMARY_PANE, ID_NAVHOST_VESSEL_SUMMARY_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_DEVICE_GROUPS_PANE, ID_NAVHOST_DEVICE_GROUPS_PANE, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_TRAINING_PANE, ID_NAVHOST_TRAINING_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_TRAINING_PANE, ID_NAVHOST_TRAINING_PANE, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_DEVICE_GROUPS_PANE, ID_NAVHOST_DEVICE_GROUPS_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_VESSEL_NAVIGATION_PANE, ID_NAVHOST_CRANE_TIP_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_VESSEL_NAVIGATION_PANE, ID_NAVHOST_CRANE_TIP_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_TEMPLATE_POSITIONING_PANE, ID_NAVHOST_TEMPLATE_POSITIONING_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_TEMPLATE_POSITIONING_PANE, ID_NAVHOST_TEMPLATE_POSITIONING_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_TARGET_QC_PANE, ID_NAVHOST_PROJECT_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_TARGET_QC_PANE, ID_NAVHOST_PROJECT_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_LEG_PINNING_PANE, ID_NAVHOST_LEG_PINNING_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_LEG_PINNING_PANE, ID_NAVHOST_LEG_PINNING_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_DEPTH_GRAPH_PANE, ID_NAVHOST_DEPTH_GRAPH_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_DEPTH_GRAPH_PANE, ID_NAVHOST_DEPTH_GRAPH_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_BATHY_PANE, ID_NAVHOST_SCANNING_PROFILER_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_BATHY_PANE, ID_NAVHOST_SCANNING_PROFILER_PANE, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_NAVHOST_TSS_PANE, ID_NAVHOST_USBL_PANE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_TSS_PANE, ID_NAVHOST_USBL_PANE, &CMainFrame::OnUpdateTogglePane)
ON_REGISTERED_MESSAGE(UM_PANE_ADJUST, &CMainFrame::OnPaneAdjust)
ON_COMMAND(ID_NAVHOST_FEATURE_TABLE_PANE, &CMainFrame::OnFeatureTable)
ON_UPDATE_COMMAND_UI(ID_NAVHOST_FEATURE_TABLE_PANE, &CMainFrame::OnUpdateFeatureTable)
ON_COMMAND(ID_NAVHOST_NAVIGATION_WINDOW, &CMainFrame::OnNavigationWindow)
ON_UPDATE_COMMAND_UI(ID_NAVHOST_NAVIGATION_WINDOW, &CMainFrame::OnUpdateNavigationWindow)
ON_COMMAND_RANGE(ID_NAVHOST_ZOOM_IN, ID_NAVHOST_SCREEN_GRAB, &CMainFrame::OnChartCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_ZOOM_IN, ID_NAVHOST_SCREEN_GRAB, &CMainFrame::OnUpdateChartCommand)
ON_COMMAND_RANGE(ID_NAVHOST_EDIT_NONE, ID_NAVHOST_EDIT_LAST, &CMainFrame::OnEditMode)
ON_UPDATE_COMMAND_UI_RANGE(ID_NAVHOST_EDIT_NONE, ID_NAVHOST_EDIT_LAST, &CMainFrame::OnUpdateEditMode)
ON_COMMAND(ID_NAVHOST_SHAPE_FILES, &CMainFrame::OnShapeFiles)
ON_COMMAND(ID_NAVHOST_IMPORT_PIPELINE, &CMainFrame::OnImportPipeline)
ON_COMMAND(ID_NAVHOST_GPX_TRACKS, &CMainFrame::OnGpxTracks)
ON_COMMAND(ID_NAVHOST_GPX_TABLE, &CMainFrame::OnGpxTable)
ON_COMMAND(ID_NAVHOST_WIND_FARMS, &CMainFrame::OnWindFarms)
ON_COMMAND(ID_NAVHOST_FIND_WIND_FARM, &CMainFrame::OnFindWindFarm)
ON_COMMAND(ID_NAVHOST_TURBINES, &CMainFrame::OnTurbines)
ON_COMMAND(ID_NAVHOST_EXIT, &CMainFrame::OnExit)
END_MESSAGE_MAP()

namespace
{
const DWORD kMenuBarStyle = 0x50402808;
// Once a second: the receiver's time-out, the navigation window's boxes and the demo sensors.
const UINT_PTR kSecondTimer = 1;
// The chart's settings file of the document window's view.
const char kChartSettings[] = "Navigation Chart";
// How wide the side columns start (pixels), so that a property grid can be read; the right one
// wider, for the device panes' rows of two values side by side.
const int kSideWidth = 360;
const int kRightSideWidth = 480;
} // namespace

CMainFrame::CMainFrame() : m_Layers(m_Data), m_Feed(m_Data)
{
    m_Data.Load();
}

CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    RegisterNavHostResources();
    if (!m_wndMenuBar.Create(this, kMenuBarStyle, IDP_NAVHOST_MENU_BAR))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);
    if (m_wndStatusBar.Create(this) == -1)
        return -1;
    m_wndStatusBar.ClearDisplay();
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);
    if (!CreateChartWindow() || !CreateFeatureTable() || !CreatePanes())
        return -1;
    // The document windows as tabs, the chart in front.
    if (QMdiArea* area = GetMdiArea())
        area->setViewMode(QMdiArea::TabbedView);
    MDIActivate(m_pChartFrame);
    SetWindowText("Navigation");
    return 0;
}

BOOL CMainFrame::CreateChartWindow()
{
    // The chart as the document window: a child frame holding the view, created in two steps
    // and handed the host's data.
    m_pChartFrame = static_cast<CChartexaFrame*>(RUNTIME_CLASS(CChartexaFrame)->CreateObject());
    if (m_pChartFrame == nullptr ||
        !m_pChartFrame->Create(nullptr, "Chart", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, this))
    {
        m_pChartFrame = nullptr;
        return FALSE;
    }
    m_pChartView = new CGridView;
    if (!m_pChartView->Create(m_pChartFrame, &m_wndStatusBar))
    {
        m_pChartView = nullptr;
        return FALSE;
    }
    m_pChartView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    m_pChartFrame->SetActiveView(m_pChartView, FALSE);
    m_pChartFrame->RecalcLayout();
    m_pChartView->ReadSettings(kChartSettings);
    FeedChartView(m_pChartView);
    m_pChartView->SetTitle();
    m_pChartFrame->MDIMaximize();
    m_hActiveView = m_pChartView->GetSafeHwnd();
    return TRUE;
}

BOOL CMainFrame::CreateFeatureTable()
{
    // As a document template would make it: a child frame and the view of the run-time class.
    m_pTableFrame = new CMDIChildWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CFeatureView);
    if (!m_pTableFrame->Create(nullptr, "Feature Table", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault,
                               this, &context))
    {
        m_pTableFrame = nullptr;
        return FALSE;
    }
    m_pTableFrame->InitialUpdateFrame(nullptr, TRUE);
    CView* view = m_pTableFrame->GetActiveView();
    m_pFeatureView = DYNAMIC_DOWNCAST(CFeatureView, view != nullptr ? view : m_pTableFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    if (m_pFeatureView == nullptr)
        return FALSE;
    m_pFeatureView->SetWaypointFiles(&m_Data.m_Waypoints);
    m_pFeatureView->SetRouteFiles(&m_Data.m_Routes);
    m_pFeatureView->SetDesignRouteFiles(&m_Data.m_DesignRoutes);
    m_pFeatureView->SetBoundaryFiles(&m_Data.m_Boundaries);
    m_pFeatureView->SetPipelineFiles(&m_Data.m_Pipelines);
    m_pFeatureView->SetStructureFiles(&m_Data.m_Structures);
    // No pane lists the design routes: the table shows them until a feature is double-clicked.
    if (!m_Data.m_DesignRoutes.IsEmpty() && m_Data.m_DesignRoutes.m_EditFileIndex < 0)
        m_Data.m_DesignRoutes.SetEditPoint(0, -1);
    m_pFeatureView->SetFeatureType(FEATURE_DESIGN_ROUTE);
    m_pTableFrame->MDIMaximize();
    return TRUE;
}

bool CMainFrame::ShowInFeatureTable(int type, int file, int point)
{
    if (m_pFeatureView == nullptr || !m_pFeatureView->GetSafeHwnd())
        return false;
    switch (type)
    {
    case FEATURE_DESIGN_ROUTE: m_Data.m_DesignRoutes.SetEditPoint(file, point); break;
    default: return false;
    }
    if (m_pFeatureView->GetFeatureType() != type)
        m_pFeatureView->SetFeatureType(static_cast<FEATURE_TYPES>(type));
    else
        m_pFeatureView->Update();
    return true;
}

void CMainFrame::OnFeatureTable()
{
    if (m_pTableFrame != nullptr && m_pTableFrame->GetSafeHwnd())
        MDIActivate(MDIGetActive() == m_pTableFrame ? static_cast<CWnd*>(m_pChartFrame) : m_pTableFrame);
}

void CMainFrame::OnUpdateFeatureTable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pTableFrame != nullptr);
    pCmdUI->SetCheck(m_pTableFrame != nullptr && MDIGetActive() == m_pTableFrame ? 1 : 0);
}

bool CMainFrame::Dock(CDockablePane& pane, BOOL created, UINT side, CDockablePane* tabOf)
{
    if (!created)
        return false;
    pane.EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&pane, side);
    if (tabOf != nullptr)
        pane.AttachToTabWnd(tabOf, DM_SHOW, FALSE);
    return true;
}

BOOL CMainFrame::CreatePanes()
{
    const UINT left = AFX_IDW_DOCKBAR_LEFT, right = AFX_IDW_DOCKBAR_RIGHT, bottom = AFX_IDW_DOCKBAR_BOTTOM;
    CHostData& d = m_Data;
    // Each pane made in two steps with the host's list, and docked: the feature lists on the
    // left, the drawings, terrain and targets on the right, the log along the bottom.
    bool made = Dock(m_wndWaypointPane, m_wndWaypointPane.Create(this, ID_NAVHOST_WAYPOINT_PANE, "Waypoints", &d.m_Waypoints, false), left);
    made &= Dock(m_wndBoundaryPane, m_wndBoundaryPane.Create(this, ID_NAVHOST_BOUNDARY_PANE, &d.m_Boundaries), left, &m_wndWaypointPane);
    made &= Dock(m_wndPipelinePane, m_wndPipelinePane.Create(this, ID_NAVHOST_PIPELINE_PANE, &d.m_Pipelines, false), left, &m_wndWaypointPane);
    made &= Dock(m_wndRoutePane, m_wndRoutePane.Create(this, ID_NAVHOST_ROUTE_PANE, &d.m_Routes), left, &m_wndWaypointPane);
    made &= Dock(m_wndSailLinePane, m_wndSailLinePane.Create(this, ID_NAVHOST_SAIL_LINE_PANE, &d.m_SailLines), left, &m_wndWaypointPane);
    made &= Dock(m_wndRplPane, m_wndRplPane.Create(this, ID_NAVHOST_RPL_PANE, &d.m_Rpls), left, &m_wndWaypointPane);
    made &= Dock(m_wndPipeRoutePane, m_wndPipeRoutePane.Create(this, ID_NAVHOST_PIPE_ROUTE_PANE, &d.m_PipeRoute), left, &m_wndWaypointPane);
    made &= Dock(m_wndStructurePane, m_wndStructurePane.Create(this, ID_NAVHOST_STRUCTURE_PANE, &d.m_Structures), left, &m_wndWaypointPane);
    made &= Dock(m_wndDtmPane, m_wndDtmPane.Create(this, ID_NAVHOST_DTM_PANE, &d.m_Dtm), right);
    made &= Dock(m_wndDigPane, m_wndDigPane.Create(this, ID_NAVHOST_DIG_PANE, &d.m_Digs, &d.m_Mutex), right, &m_wndDtmPane);
    made &= Dock(m_wndDxfPane, m_wndDxfPane.Create(this, ID_NAVHOST_DXF_PANE, &d.m_Dxfs, &d.m_Mutex), right, &m_wndDtmPane);
    made &= Dock(m_wndVesselTargetPane, m_wndVesselTargetPane.Create(this, ID_NAVHOST_VESSEL_TARGET_PANE, &d.m_Vessel), right, &m_wndDtmPane);
    made &= Dock(m_wndTemplateTargetPane, m_wndTemplateTargetPane.Create(this, ID_NAVHOST_TEMPLATE_TARGET_PANE, &d.m_Template), right, &m_wndDtmPane);
    made &= Dock(m_wndTargetPlotPane, m_wndTargetPlotPane.Create(this, ID_NAVHOST_TARGET_PLOT_PANE, &d.m_TargetPlot, &d.m_bTargetPlotOnVessel, &d.m_Projection), right, &m_wndDtmPane);
    made &= Dock(m_wndChartPane, m_wndChartPane.Create(this, ID_NAVHOST_CHART_PANE, &m_wndStatusBar), right, &m_wndDtmPane);
    made &= Dock(m_wndLogPane, m_wndLogPane.Create(this, ID_NAVHOST_MESSAGE_LOG_PANE), bottom);
    made &= Dock(m_wndMruPane, m_wndMruPane.Create(this, ID_NAVHOST_MRU_PANE, m_Records.m_Mru), right);
    made &= Dock(m_wndBubblePane, m_wndBubblePane.Create(this, ID_NAVHOST_BUBBLE_PANE, false), right, &m_wndMruPane);
    // The ROV library's speed of sound in water, on the right below the terrain and targets.
    made &= Dock(m_wndSoundSpeedPane, m_wndSoundSpeedPane.Create(this, ID_NAVHOST_SOUND_SPEED_PANE), right);
    m_SurveyDemo.Attach(d, m_Records);
    made &= Dock(m_wndVesselSummaryPane, m_wndVesselSummaryPane.Create(this, ID_NAVHOST_VESSEL_SUMMARY_PANE, &d.m_Vessel), right, &m_wndDtmPane);
    made &= Dock(m_wndDeviceGroupsPane, m_wndDeviceGroupsPane.Create(this, ID_NAVHOST_DEVICE_GROUPS_PANE, &m_Records, &d.m_Vessel), right, &m_wndDtmPane);
    made &= Dock(m_wndTrainingPane, m_wndTrainingPane.Create(this, ID_NAVHOST_TRAINING_PANE, &m_Records.m_Training, &d.m_Waypoints, &d.m_DesignRoutes), right, &m_wndDtmPane);
    m_VesselNavigationFeed.Attach(d, m_Records);
    made &= Dock(m_wndVesselNavigationPane,
                 m_wndVesselNavigationPane.Create(this, ID_NAVHOST_VESSEL_NAVIGATION_PANE, &d.m_Vessel, d.GetVesselReceivers(), &m_Records.m_Gyro,
                                                  &m_Records.m_Mru[0], &m_Records.m_BathyUnit, m_VesselNavigationFeed.GetTidalHeight(), &m_Records.m_Wind),
                 right, &m_wndDtmPane);
    made &= Dock(m_wndCraneTipPane, m_wndCraneTipPane.Create(this, ID_NAVHOST_CRANE_TIP_PANE, &d.m_Vessel, m_VesselNavigationFeed.GetCraneTips()), right, &m_wndDtmPane);
    made &= Dock(m_wndTemplatePositioningPane,
                 m_wndTemplatePositioningPane.Create(this, ID_NAVHOST_TEMPLATE_POSITIONING_PANE, &d.m_Template, &m_SurveyDemo.m_TemplateGps,
                                                     &m_SurveyDemo.m_TemplateMrus, &d.m_Vessel, &m_SurveyDemo.m_TotalStations),
                 right, &m_wndDtmPane);
    made &= Dock(m_wndTargetQcPane, m_wndTargetQcPane.Create("Template QC", this, ID_NAVHOST_TARGET_QC_PANE, &d.m_Template, nullptr, &m_Records.m_Mru[1]), right, &m_wndDtmPane);
    LoadJob(m_Records.m_Job);
    made &= Dock(m_wndProjectPane, m_wndProjectPane.Create(this, ID_NAVHOST_PROJECT_PANE, &m_Records.m_Job, true), right, &m_wndDtmPane);
    m_LegPinningFeed.Attach(d);
    made &= Dock(m_wndLegPinningPane,
                 m_wndLegPinningPane.Create(this, ID_NAVHOST_LEG_PINNING_PANE, &d.m_Vessel, d.GetVesselReceivers(), &m_Records.m_Gyro, &m_Records.m_Mru[0]),
                 right, &m_wndDtmPane);
    made &= Dock(m_wndDepthGraphPane, m_wndDepthGraphPane.Create(this, "Depth Graph", ID_NAVHOST_DEPTH_GRAPH_PANE), right, &m_wndDtmPane);
    made &= Dock(m_wndBathyPane, m_wndBathyPane.Create(this, ID_NAVHOST_BATHY_PANE, &m_Records.m_BathyUnit), right, &m_wndDtmPane);
    made &= Dock(m_wndBathyUnitPane, m_wndBathyUnitPane.Create(this, "Bathy Unit Graph", ID_NAVHOST_BATHY_UNIT_PANE, &m_Records.m_BathyUnit), right, &m_wndDtmPane);
    made &= Dock(m_wndPipeTrackerPane, m_wndPipeTrackerPane.Create(this, "Pipe Tracker", ID_NAVHOST_PIPE_TRACKER_PANE, &m_Records.m_TssPipeTracker), right, &m_wndDtmPane);
    made &= Dock(m_wndScanningProfilerPane, m_wndScanningProfilerPane.Create(this, ID_NAVHOST_SCANNING_PROFILER_PANE, m_Records.m_Tritech), right, &m_wndDtmPane);
    made &= Dock(m_wndTssPane, m_wndTssPane.Create(this, ID_NAVHOST_TSS_PANE, &m_Records.m_TssPipeTracker), right, &m_wndDtmPane);
    made &= Dock(m_wndUsblPane, m_wndUsblPane.Create(this, ID_NAVHOST_USBL_PANE, &m_Records.m_Usbl, true), right, &m_wndDtmPane);
    if (!made)
        return FALSE;

    FeedChartView(m_wndChartPane.GetView());
    // A first start shows every pane; later starts show what the user left shown. The chart
    // pane keeps its own rule: hidden until the user shows it.
    for (const PaneCommandDef& def : PaneCommands())
        if (def.pane != &m_wndChartPane && CDockablePane::GetStoredVisibility(def.nID) == -1)
            def.pane->ShowPane(TRUE, FALSE, FALSE);
    m_wndWaypointPane.ShowPane(TRUE, FALSE, TRUE);
    m_wndDtmPane.ShowPane(TRUE, FALSE, TRUE);
    if (QMainWindow* window = GetMainWindow())
    {
        QList<QDockWidget*> sides;
        QList<int> widths;
        for (CDockablePane* pane : {static_cast<CDockablePane*>(&m_wndWaypointPane), static_cast<CDockablePane*>(&m_wndDtmPane)})
            if (QDockWidget* widget = pane->GetDockWidget())
            {
                sides.append(widget);
                widths.append(pane == &m_wndDtmPane ? kRightSideWidth : kSideWidth);
            }
        window->resizeDocks(sides, widths, Qt::Horizontal);
        if (QDockWidget* log = m_wndLogPane.GetDockWidget())
            window->resizeDocks({log}, {110}, Qt::Vertical);
        // The attitude indicator needs a square of some size to be read at a glance.
        if (QDockWidget* mru = m_wndMruPane.GetDockWidget())
            window->resizeDocks({mru}, {kSideWidth}, Qt::Vertical);
        // The speed-of-sound grid shows its group, its sixteen rows and its description whole.
        if (QDockWidget* sound = m_wndSoundSpeedPane.GetDockWidget())
            window->resizeDocks({sound}, {std::max(440, 17 * m_wndSoundSpeedPane.GetPropertyGrid().GetRowHeight() + 120)},
                                Qt::Vertical);
    }
    return TRUE;
}

void CMainFrame::PostStart()
{
    m_Data.LoadDrawings(this);
    m_Layers.ShapesChanged();
    for (CFeaturePane* pane : {static_cast<CFeaturePane*>(&m_wndWaypointPane), static_cast<CFeaturePane*>(&m_wndBoundaryPane),
                               static_cast<CFeaturePane*>(&m_wndPipelinePane), static_cast<CFeaturePane*>(&m_wndRoutePane),
                               static_cast<CFeaturePane*>(&m_wndSailLinePane), static_cast<CFeaturePane*>(&m_wndRplPane),
                               static_cast<CFeaturePane*>(&m_wndStructurePane), static_cast<CFeaturePane*>(&m_wndDigPane),
                               static_cast<CFeaturePane*>(&m_wndDxfPane)})
    {
        pane->SetupComboBox();
        pane->InitPropList();
        pane->CreateTable();
        pane->AdjustLayout();
    }
    m_wndPipeRoutePane.InitPropList();
    m_wndPipeRoutePane.UpdateAllPositions();
    m_wndDtmPane.InitPropList();
    m_wndTargetPlotPane.InitPropList();
    if (m_pChartView != nullptr)
        m_pChartView->SetTitle();

    if (!m_Feed.Start(this))
        m_wndLogPane.Log("No live input: the list of UDP inputs could not be read.");
    for (INT_PTR i = 0; i < m_Feed.GetInputs().GetSize(); ++i)
    {
        const CUdpReader* reader = m_Feed.GetInputs()[i];
        CString line;
        line.Format("Live input \"%s\" on UDP port %u %s.", (LPCSTR)reader->m_strName, reader->m_nPort,
                    reader->IsRunning() ? "open" : "could not be opened");
        m_wndLogPane.Log(line);
    }
    const CStringArray& problems = m_Data.GetLoadProblems();
    for (INT_PTR i = 0; i < problems.GetSize(); ++i)
        m_wndLogPane.Log(problems[i]);
    FillDemoRecords(m_Records, m_DemoSeconds);
    FeedMruPane();
    FeedBubblePane();
    m_SurveyDemo.Update(m_DemoSeconds);
    m_wndVesselSummaryPane.Update();
    m_wndDeviceGroupsPane.Update();
    m_VesselNavigationFeed.Update(m_DemoSeconds, m_wndVesselNavigationPane, m_wndCraneTipPane);
    m_TemplatePositioningFeed.Update(m_DemoSeconds, m_Records, m_wndTemplatePositioningPane);
    CTargetQcFeed::Update(m_DemoSeconds, m_Data.m_Template, m_wndTargetQcPane);
    m_LegPinningFeed.Update(m_VesselNavigationFeed.SilentAt(m_DemoSeconds), m_wndLegPinningPane);
    FeedDepthGraph();
    FeedSubseaPanes();
    SetTimer(kSecondTimer, 1000, nullptr);
    RecalcLayout();
    ShowWindow(SW_SHOWMAXIMIZED);
    RedrawCharts();
}

std::vector<CGridView*> CMainFrame::GetChartViews() const
{
    std::vector<CGridView*> views;
    if (m_pChartView != nullptr && m_pChartView->GetSafeHwnd())
        views.push_back(m_pChartView);
    if (m_wndChartPane.GetView() != nullptr && m_wndChartPane.GetView()->GetSafeHwnd())
        views.push_back(m_wndChartPane.GetView());
    if (m_pNavigationWindow != nullptr && m_pNavigationWindow->GetView() != nullptr &&
        m_pNavigationWindow->GetView()->GetSafeHwnd())
        views.push_back(m_pNavigationWindow->GetView());
    return views;
}

CGridView* CMainFrame::GetActiveChartView() const
{
    for (CGridView* view : GetChartViews())
        if (view->GetSafeHwnd() == m_hActiveView)
            return view;
    return m_pChartView;
}

void CMainFrame::RedrawCharts(bool frameChanged)
{
    for (CGridView* view : GetChartViews())
    {
        if (frameChanged)
            view->Redraw();
        else
            view->Invalidate(FALSE);
    }
}

void CMainFrame::FeedChartView(CGridView* view)
{
    if (view == nullptr)
        return;
    m_Data.FeedChart(view);
    view->SetCustomDraw(&m_Layers, &CHostLayers::Draw);
    if (m_bVesselSilent && view->GetTrackObject() == TRACK_VESSEL && view->GetTrackMode() != TRACK_NONE)
    {
        m_WaitingViews.emplace_back(view->GetSafeHwnd(), view->GetTrackMode());
        view->SetTrackMode(TRACK_NONE);
    }
}

void CMainFrame::StartFollowing()
{
    for (const auto& [hwnd, mode] : m_WaitingViews)
        for (CGridView* view : GetChartViews())
            if (view->GetSafeHwnd() == hwnd && view->GetTrackMode() == TRACK_NONE)
                view->SetTrackMode(mode);
    m_WaitingViews.clear();
}

void CMainFrame::CentreChartsOn(double easting, double northing)
{
    for (CGridView* view : GetChartViews())
        view->SetCentre(tagXY{easting, northing});
}

std::vector<CMainFrame::PaneCommandDef> CMainFrame::PaneCommands()
{
    return {
        {ID_NAVHOST_BOUNDARY_PANE, &m_wndBoundaryPane},
        {ID_NAVHOST_WAYPOINT_PANE, &m_wndWaypointPane},
        {ID_NAVHOST_PIPELINE_PANE, &m_wndPipelinePane},
        {ID_NAVHOST_ROUTE_PANE, &m_wndRoutePane},
        {ID_NAVHOST_SAIL_LINE_PANE, &m_wndSailLinePane},
        {ID_NAVHOST_RPL_PANE, &m_wndRplPane},
        {ID_NAVHOST_PIPE_ROUTE_PANE, &m_wndPipeRoutePane},
        {ID_NAVHOST_STRUCTURE_PANE, &m_wndStructurePane},
        {ID_NAVHOST_DIG_PANE, &m_wndDigPane},
        {ID_NAVHOST_DXF_PANE, &m_wndDxfPane},
        {ID_NAVHOST_DTM_PANE, &m_wndDtmPane},
        {ID_NAVHOST_VESSEL_TARGET_PANE, &m_wndVesselTargetPane},
        {ID_NAVHOST_TEMPLATE_TARGET_PANE, &m_wndTemplateTargetPane},
        {ID_NAVHOST_TARGET_PLOT_PANE, &m_wndTargetPlotPane},
        {ID_NAVHOST_CHART_PANE, &m_wndChartPane},
        {ID_NAVHOST_MESSAGE_LOG_PANE, &m_wndLogPane},
        {ID_NAVHOST_MRU_PANE, &m_wndMruPane},
        {ID_NAVHOST_SOUND_SPEED_PANE, &m_wndSoundSpeedPane},
        {ID_NAVHOST_BUBBLE_PANE, &m_wndBubblePane},
        {ID_NAVHOST_VESSEL_SUMMARY_PANE, &m_wndVesselSummaryPane},
        {ID_NAVHOST_DEVICE_GROUPS_PANE, &m_wndDeviceGroupsPane},
        {ID_NAVHOST_TRAINING_PANE, &m_wndTrainingPane},
        {ID_NAVHOST_VESSEL_NAVIGATION_PANE, &m_wndVesselNavigationPane},
        {ID_NAVHOST_CRANE_TIP_PANE, &m_wndCraneTipPane},
        {ID_NAVHOST_TEMPLATE_POSITIONING_PANE, &m_wndTemplatePositioningPane},
        {ID_NAVHOST_TARGET_QC_PANE, &m_wndTargetQcPane},
        {ID_NAVHOST_PROJECT_PANE, &m_wndProjectPane},
        {ID_NAVHOST_LEG_PINNING_PANE, &m_wndLegPinningPane},
        {ID_NAVHOST_DEPTH_GRAPH_PANE, &m_wndDepthGraphPane},
        {ID_NAVHOST_BATHY_PANE, &m_wndBathyPane},
        {ID_NAVHOST_BATHY_UNIT_PANE, &m_wndBathyUnitPane},
        {ID_NAVHOST_PIPE_TRACKER_PANE, &m_wndPipeTrackerPane},
        {ID_NAVHOST_SCANNING_PROFILER_PANE, &m_wndScanningProfilerPane},
        {ID_NAVHOST_TSS_PANE, &m_wndTssPane},
        {ID_NAVHOST_USBL_PANE, &m_wndUsblPane},
    };
}

CDockablePane* CMainFrame::GetPaneOfCommand(UINT nID)
{
    for (const PaneCommandDef& def : PaneCommands())
        if (def.nID == nID)
            return def.pane->GetSafeHwnd() ? def.pane : nullptr;
    return nullptr;
}

CFeaturePane* CMainFrame::GetPaneOfFeatureType(int type)
{
    switch (type)
    {
    case FEATURE_WAYPOINT: return &m_wndWaypointPane;
    case FEATURE_SAIL_LINE: return &m_wndSailLinePane;
    case FEATURE_ROUTE: return &m_wndRoutePane;
    case FEATURE_PIPELINE: return &m_wndPipelinePane;
    case FEATURE_BOUNDARY: return &m_wndBoundaryPane;
    case FEATURE_STRUCTURE: return &m_wndStructurePane;
    default: return nullptr;
    }
}

void CMainFrame::ShowFileInPane(CFeaturePane& pane, int file)
{
    CComboBox* combo = pane.GetFileCombo();
    if (combo == nullptr || file < 0 || file >= combo->GetCount() || combo->GetCurSel() == file)
        return;
    combo->SetCurSel(file);
    pane.InitPropList();
    pane.CreateTable();
    pane.AdjustLayout();
}

void CMainFrame::RefreshFeaturePane(int type, bool whole)
{
    if (m_pFeatureView != nullptr && m_pFeatureView->GetSafeHwnd() && m_pFeatureView->GetFeatureType() == type)
        m_pFeatureView->Update();
    // The training pane lists the waypoint files and design routes by name.
    if (whole && (type == FEATURE_WAYPOINT || type == FEATURE_DESIGN_ROUTE) && m_wndTrainingPane.GetSafeHwnd())
        m_wndTrainingPane.UpdateComboBox();
    CFeaturePane* pane = GetPaneOfFeatureType(type);
    if (pane == nullptr || !pane->GetSafeHwnd())
        return;
    if (type == FEATURE_STRUCTURE)
    {
        // The structure pane shows the list's edit selection, which the chart moves.
        if (whole)
            m_wndStructurePane.SetupComboBox();
        m_wndStructurePane.Update();
        return;
    }
    if (whole)
    {
        pane->SetupComboBox();
        pane->InitPropList();
        pane->CreateTable();
        pane->AdjustLayout();
        return;
    }
    pane->UpdateAllPositions();
}

LRESULT CMainFrame::OnRedrawChart(WPARAM, LPARAM lParam)
{
    // A pane that centres the chart on a point hands its address with the redraw.
    if (lParam != 0)
    {
        const auto* point = reinterpret_cast<const tagXY*>(lParam);
        CentreChartsOn(point->x, point->y);
    }
    RedrawCharts(lParam != 0);
    return 0;
}

LRESULT CMainFrame::OnFeatureUpdate(WPARAM wParam, LPARAM)
{
    RefreshFeaturePane(static_cast<int>(wParam), true);
    RedrawCharts();
    return 0;
}

LRESULT CMainFrame::OnAddFeature(WPARAM wParam, LPARAM)
{
    RefreshFeaturePane(static_cast<int>(wParam), true);
    RedrawCharts();
    return 0;
}

LRESULT CMainFrame::OnUpdateFeaturePosition(WPARAM wParam, LPARAM)
{
    // While the chart drags a point the pane shows the file being edited and refills its rows.
    const int type = static_cast<int>(wParam);
    CFeaturePane* pane = GetPaneOfFeatureType(type);
    int file = -1;
    switch (type)
    {
    case FEATURE_WAYPOINT: file = m_Data.m_Waypoints.m_EditFileIndex; break;
    case FEATURE_SAIL_LINE: file = m_Data.m_SailLines.m_EditFileIndex; break;
    case FEATURE_ROUTE: file = m_Data.m_Routes.m_EditFileIndex; break;
    case FEATURE_BOUNDARY: file = m_Data.m_Boundaries.m_EditFileIndex; break;
    default: break;
    }
    if (pane != nullptr && pane->GetSafeHwnd() && file >= 0)
        ShowFileInPane(*pane, file);
    if (type == FEATURE_STRUCTURE && m_wndStructurePane.GetSafeHwnd())
        m_wndStructurePane.UpdatePosition();
    else
        RefreshFeaturePane(type, false);
    return 0;
}

LRESULT CMainFrame::OnClickOnChart(WPARAM wParam, LPARAM lParam)
{
    // A double click on a feature brings its pane forward with its file and point chosen.
    const int type = static_cast<int>(wParam);
    const int file = static_cast<int>(lParam & 0xFFFF);
    const int point = static_cast<int>((lParam >> 16) & 0xFFFF);
    CFeaturePane* pane = GetPaneOfFeatureType(type);
    if (pane == nullptr || !pane->GetSafeHwnd())
    {
        if (ShowInFeatureTable(type, file, point))
            MDIActivate(m_pTableFrame);
        else
            m_wndLogPane.LogMessage(UM_CLICK_ON_CHART, wParam, lParam, "no pane or table lists this kind of feature");
        return 0;
    }
    pane->ShowPane(TRUE, FALSE, TRUE);
    if (type == FEATURE_STRUCTURE)
    {
        m_Data.m_Structures.SetEditPoint(file, point);
        m_wndStructurePane.SetupComboBox();
        m_wndStructurePane.Update();
        return 0;
    }
    ShowFileInPane(*pane, file);
    CFeatureListCtrl& table = pane->GetTable();
    if (table.GetSafeHwnd() && point < table.GetItemCount())
    {
        table.SetItemState(point, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        table.EnsureVisible(point, FALSE);
    }
    return 0;
}

LRESULT CMainFrame::OnEndFeatureEdit(WPARAM, LPARAM)
{
    // The chart left its edit mode; the menu shows it from its next update.
    m_wndLogPane.Log("Live edit ended on the chart.");
    RedrawCharts();
    return 0;
}

LRESULT CMainFrame::OnSetFocusView(WPARAM wParam, LPARAM)
{
    for (CGridView* view : GetChartViews())
        if (reinterpret_cast<WPARAM>(view) == wParam)
            m_hActiveView = view->GetSafeHwnd();
    return 0;
}

LRESULT CMainFrame::OnUpdateDtm(WPARAM, LPARAM)
{
    // The terrain's files or pens changed: its coverage is drawn anew.
    RedrawCharts();
    return 0;
}

LRESULT CMainFrame::OnReceiveData(WPARAM wParam, LPARAM lParam)
{
    const CLiveFeed::RECEIVED received = m_Feed.Receive(wParam, lParam);
    if (received.Fixes == 0 && received.AisReports == 0)
        return 0;
    if (received.Fixes > 0)
    {
        CGps* gps = m_Data.GetPrimaryReceiver();
        if (gps != nullptr)
            m_wndStatusBar.DisplayGrid(m_Data.m_Vessel.m_Position.x, m_Data.m_Vessel.m_Position.y);
        m_bVesselSilent = false;
        StartFollowing();
        UpdateNavigationBoxes();
    }
    // A view that follows the vessel may have moved its centre.
    RedrawCharts(received.Fixes > 0);
    return 0;
}

LRESULT CMainFrame::OnButtonBox(WPARAM wParam, LPARAM lParam)
{
    // The navigation window's button box: each newly pressed button one command.
    static const int kButtons[] = {ID_GRID_ZOOM_IN, ID_GRID_ZOOM_OUT, ID_GRID_PAN_LEFT, ID_GRID_PAN_RIGHT,
                                   ID_GRID_PAN_UP,  ID_GRID_PAN_DOWN, ID_GRID_CENTRE_SCREEN};
    const DWORD pressed = static_cast<DWORD>(wParam) & ~m_LastButtons;
    m_LastButtons = static_cast<DWORD>(wParam);
    if (m_pNavigationWindow == nullptr)
    {
        m_wndLogPane.LogMessage(UM_BUTTON_BOX, wParam, lParam, "no navigation window to steer");
        return 0;
    }
    for (int bit = 0; bit < static_cast<int>(sizeof(kButtons) / sizeof(kButtons[0])); ++bit)
        if (pressed & (1u << bit))
            m_pNavigationWindow->PressButton(kButtons[bit]);
    return 0;
}

LRESULT CMainFrame::OnTemplateCrpUpdate(WPARAM wParam, LPARAM lParam)
{
    // The chart draws the template where its primary CRP source puts it.
    const int source = m_Data.m_Template.m_PrimaryGps;
    CString note;
    note.Format("The template's primary CRP source is now %s.",
                source >= 0 && source < CTemplatePositioningPane::CRP_SOURCE_COUNT ? CTemplatePositioningPane::m_CrpOption[source] : "none");
    m_wndLogPane.LogMessage(UM_TEMPLATE_CRP_UPDATE, wParam, lParam, note);
    RedrawCharts();
    return 0;
}

LRESULT CMainFrame::OnTemplateUpdate(WPARAM wParam, LPARAM lParam)
{
    CString note;
    const int mru = m_Data.m_Template.m_PrimaryMru;
    note.Format("The template's primary MRU is now %s.", mru >= 0 && mru < 2 ? CTemplatePositioningPane::m_MruTxt[mru] : "none");
    m_wndLogPane.LogMessage(UM_TEMPLATE_UPDATE, wParam, lParam, note);
    return 0;
}

LRESULT CMainFrame::OnAisTargetData(WPARAM wParam, LPARAM lParam)
{
    // The host keeps no AIS window of its own: the picked target is written to the log.
    const auto* target = reinterpret_cast<const AisTargetDef*>(wParam);
    CString note("an AIS target was picked");
    if (target != nullptr)
        note.Format("AIS target %s (MMSI %s) picked, %.1f kn", (LPCSTR)target->name, (LPCSTR)target->id, target->speed);
    m_wndLogPane.LogMessage(UM_AIS_TARGET_DATA, 0, lParam, note);
    return 0;
}

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CMDIFrameWndEx::OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    // The framework's own registered notifications are not the suite's protocol.
    static const UINT kFramework[] = {RegisterWindowMessage("AFX_WM_CHANGE_ACTIVE_TAB"),
                                      RegisterWindowMessage("AFX_WM_PROPERTY_CHANGED")};
    if (message < 0xC000 || message > 0xFFFF || std::find(std::begin(kFramework), std::end(kFramework), message) !=
                                                      std::end(kFramework))
        return FALSE;
    m_wndLogPane.LogMessage(message, wParam, lParam, "not used by this host");
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

void CMainFrame::UpdateNavigationBoxes()
{
    if (m_pNavigationWindow == nullptr || !m_pNavigationWindow->GetSafeHwnd())
        return;
    const CBarge& vessel = m_Data.m_Vessel;
    m_pNavigationWindow->UpdateGridPosition(vessel.m_Name, vessel.m_Position.x, vessel.m_Position.y);
    if (const CGps* gps = m_Data.GetPrimaryReceiver())
        m_pNavigationWindow->UpdateGeogPosition(vessel.m_Name, gps->m_Wgs84Latitude, gps->m_Wgs84Longitude);
    if (vessel.HasHeading())
        m_pNavigationWindow->UpdateGyro(vessel.m_Heading);
    m_pNavigationWindow->GridTimeout(m_bVesselSilent);
    m_pNavigationWindow->GeogTimeout(m_bVesselSilent);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kSecondTimer)
    {
        CMDIFrameWndEx::OnTimer(nIDEvent);
        return;
    }
    m_DemoSeconds += 1.0;
    FillDemoRecords(m_Records, m_DemoSeconds);
    FeedMruPane();
    FeedBubblePane();
    m_SurveyDemo.Update(m_DemoSeconds);
    m_wndVesselSummaryPane.Update();
    m_wndDeviceGroupsPane.Update();
    m_VesselNavigationFeed.Update(m_DemoSeconds, m_wndVesselNavigationPane, m_wndCraneTipPane);
    m_TemplatePositioningFeed.Update(m_DemoSeconds, m_Records, m_wndTemplatePositioningPane);
    CTargetQcFeed::Update(m_DemoSeconds, m_Data.m_Template, m_wndTargetQcPane);
    m_LegPinningFeed.Update(m_VesselNavigationFeed.SilentAt(m_DemoSeconds), m_wndLegPinningPane);
    FeedDepthGraph();
    FeedSubseaPanes();
    const bool silent = m_Feed.IsVesselSilent();
    if (silent != m_bVesselSilent)
    {
        m_bVesselSilent = silent;
        if (silent)
            m_wndLogPane.Log("The vessel's receiver has gone silent.");
        UpdateNavigationBoxes();
        RedrawCharts();
    }
}

void CMainFrame::FeedMruPane()
{
    // The pane reads the host's record; the depth the host hands its view from the bathy unit.
    if (CPitchRollView* view = m_wndMruPane.GetView())
        view->SetDepth(m_Records.m_BathyUnit.m_Depth);
    m_wndMruPane.Update(DEMO_ROV_MRU);
}

void CMainFrame::FeedBubblePane()
{
    // The vessel reads the first MRU and the template the other two, as the Survey panes do;
    // the pane shows the source its view follows.
    const CMru& vessel = m_Records.m_Mru[0];
    const CMru& templ = m_Records.m_Mru[1];
    const CMru& second = m_Records.m_Mru[2];
    m_wndBubblePane.UpdateVessel(vessel.m_Heading, vessel.m_Pitch, vessel.m_Roll, vessel.m_TiltAngle, vessel.m_TiltHeading);
    m_wndBubblePane.UpdateTemplate(templ.m_Heading, templ.m_Pitch, templ.m_Roll, templ.m_TiltAngle, templ.m_TiltHeading);
    m_wndBubblePane.UpdateTemplate2ndMRU(second.m_TiltAngle, second.m_TiltHeading);
}

void CMainFrame::FeedDepthGraph()
{
    // An ROV a few metres off a seabed near 300 m, drifting slowly enough to follow by eye.
    const double t = m_DemoSeconds;
    const double depth = 300.0 + 6.0 * std::sin(2.0 * M_PI * t / 300.0) + 1.5 * std::sin(2.0 * M_PI * t / 37.0);
    const double altitude = 3.0 + 1.2 * std::sin(2.0 * M_PI * t / 90.0);
    m_wndDepthGraphPane.Update("Depth", depth, "Altitude", altitude);
}

void CMainFrame::FeedSubseaPanes()
{
    m_wndBathyPane.Update();
    m_wndBathyUnitPane.Update();
    m_wndPipeTrackerPane.Update();
    m_wndScanningProfilerPane.Update(1);
    m_wndScanningProfilerPane.Update(2);
    m_wndTssPane.Update();
    for (int i = 0; i < CHostRecords::TRANSPONDERS; ++i)
        m_wndUsblPane.Update(i);
}

LRESULT CMainFrame::OnPaneAdjust(WPARAM, LPARAM)
{
    return 0;
}

void CMainFrame::OnTogglePane(UINT nID)
{
    if (CDockablePane* pane = GetPaneOfCommand(nID))
        pane->ShowPane(pane->IsVisible() ? FALSE : TRUE, FALSE, TRUE);
}

void CMainFrame::OnUpdateTogglePane(CCmdUI* pCmdUI)
{
    CDockablePane* pane = GetPaneOfCommand(pCmdUI->m_nID);
    pCmdUI->Enable(pane != nullptr);
    pCmdUI->SetCheck(pane && pane->IsVisible() ? 1 : 0);
}

void CMainFrame::OnNavigationWindow()
{
    if (m_pNavigationWindow != nullptr && m_pNavigationWindow->GetSafeHwnd())
    {
        m_pNavigationWindow->ShowWindow(m_pNavigationWindow->IsWindowVisible() ? SW_HIDE : SW_SHOWMAXIMIZED);
        return;
    }
    // The navigation window, for a second monitor: made the first time it is asked for, with
    // this frame receiving its button box.
    m_pNavigationWindow = static_cast<CGridFrame*>(RUNTIME_CLASS(CGridFrame)->CreateObject());
    if (m_pNavigationWindow == nullptr || !m_pNavigationWindow->Create(this))
    {
        m_pNavigationWindow = nullptr;
        WarningMessage("The navigation window could not be made.", this);
        return;
    }
    FeedChartView(m_pNavigationWindow->GetView());
    RedrawCharts(true);
    UpdateNavigationBoxes();
}

void CMainFrame::OnUpdateNavigationWindow(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pNavigationWindow != nullptr && m_pNavigationWindow->GetSafeHwnd() &&
                             m_pNavigationWindow->IsWindowVisible()
                         ? 1
                         : 0);
}

void CMainFrame::OnChartCommand(UINT nID)
{
    CGridView* view = GetActiveChartView();
    if (view == nullptr)
        return;
    switch (nID)
    {
    case ID_NAVHOST_ZOOM_IN: view->ZoomIn(); break;
    case ID_NAVHOST_ZOOM_OUT: view->ZoomOut(); break;
    case ID_NAVHOST_PAN_LEFT: view->PanScreen(static_cast<PANNING_DIRECTIONS>(1)); break;
    case ID_NAVHOST_PAN_UP: view->PanScreen(static_cast<PANNING_DIRECTIONS>(2)); break;
    case ID_NAVHOST_PAN_RIGHT: view->PanScreen(static_cast<PANNING_DIRECTIONS>(3)); break;
    case ID_NAVHOST_PAN_DOWN: view->PanScreen(static_cast<PANNING_DIRECTIONS>(4)); break;
    case ID_NAVHOST_FOLLOW_VESSEL:
        if (view->GetTrackObject() == TRACK_VESSEL && view->GetTrackMode() != TRACK_NONE)
            view->SetTrackMode(TRACK_NONE);
        else
        {
            view->SetTrackObject(TRACK_VESSEL);
            view->SetTrackMode(TRACK_RECENTRE);
            view->CentreScreen();
        }
        break;
    case ID_NAVHOST_NORTH_UP: view->SetNorthUp(true); break;
    case ID_NAVHOST_HEAD_UP: view->SetBowUp(true); break;
    case ID_NAVHOST_NIGHT_MODE: {
        const bool night = !view->GetNightMode();
        for (CGridView* each : GetChartViews())
            each->SetNightMode(night);
        for (const PaneCommandDef& def : PaneCommands())
            if (auto* pane = dynamic_cast<CFeaturePane*>(def.pane); pane != nullptr && pane->GetSafeHwnd())
                pane->SetNightMode(night);
        m_wndDtmPane.SetNightMode(night);
        m_wndTargetPlotPane.SetNightMode(night);
        m_wndMruPane.SetNightMode(night);
        m_wndSoundSpeedPane.SetNightMode(night);
        m_wndDepthGraphPane.SetNightMode(night);
        m_wndBathyPane.SetNightMode(night);
        m_wndBathyUnitPane.SetNightMode(night);
        m_wndPipeTrackerPane.SetNightMode(night);
        m_wndScanningProfilerPane.SetNightMode(night);
        m_wndTssPane.SetNightMode(night);
        m_wndUsblPane.SetNightMode(night);
        m_wndDeviceGroupsPane.SetNightMode(night);
        m_wndTrainingPane.SetNightMode(night);
        m_wndVesselNavigationPane.SetNightMode(night);
        m_wndCraneTipPane.SetNightMode(night);
        m_wndTemplatePositioningPane.SetNightMode(night);
        m_wndTargetQcPane.SetNightMode(night);
        m_wndProjectPane.SetNightMode(night);
        m_wndLegPinningPane.SetNightMode(night);
        break;
    }
    case ID_NAVHOST_SCREEN_GRAB: view->Capture(); break;
    default: break;
    }
    view->Redraw();
}

void CMainFrame::OnUpdateChartCommand(CCmdUI* pCmdUI)
{
    const CGridView* view = GetActiveChartView();
    pCmdUI->Enable(view != nullptr);
    if (view == nullptr)
        return;
    switch (pCmdUI->m_nID)
    {
    case ID_NAVHOST_FOLLOW_VESSEL:
        pCmdUI->SetCheck(view->GetTrackObject() == TRACK_VESSEL && view->GetTrackMode() != TRACK_NONE ? 1 : 0);
        break;
    case ID_NAVHOST_NORTH_UP: pCmdUI->SetCheck(view->GetNorthUp() ? 1 : 0); break;
    case ID_NAVHOST_HEAD_UP: pCmdUI->SetCheck(!view->GetNorthUp() ? 1 : 0); break;
    case ID_NAVHOST_NIGHT_MODE: pCmdUI->SetCheck(view->GetNightMode() ? 1 : 0); break;
    default: break;
    }
}

void CMainFrame::OnEditMode(UINT nID)
{
    const auto mode = static_cast<LIVE_EDIT_MODE>(nID - ID_NAVHOST_EDIT_NONE);
    if (m_pChartView == nullptr || !m_pChartView->ValidateEditMode(mode))
        return;
    CGridView::SetEditMode(mode);
    RedrawCharts();
}

void CMainFrame::OnUpdateEditMode(CCmdUI* pCmdUI)
{
    const auto mode = static_cast<LIVE_EDIT_MODE>(pCmdUI->m_nID - ID_NAVHOST_EDIT_NONE);
    pCmdUI->Enable(m_pChartView != nullptr && m_pChartView->ValidateEditMode(mode));
    pCmdUI->SetRadio(CGridView::GetEditMode() == mode);
}

void CMainFrame::OnShapeFiles()
{
    CString folder;
    GetMyDataFolder(folder, "Shapes");
    CStringArray chosen;
    CShapeFileSelectorDlg dialog(this);
    dialog.SetPath(folder, true);
    dialog.SetFiles(&chosen);
    dialog.SetFileList(&m_Data.m_ShapeFiles.m_FileNames);
    if (dialog.DoModal() != IDOK)
        return;
    for (INT_PTR i = 0; i < chosen.GetSize(); ++i)
        AddShapeFile(chosen[i], &m_Data.m_ShapeFiles);
    m_Layers.ShapesChanged();
    RedrawCharts();
}

void CMainFrame::OnImportPipeline()
{
    // The thinned copy is written beside the listing; the user adds it in the pipeline pane.
    CPipelineDlg dialog(this);
    dialog.DoModal();
}

bool CMainFrame::EnsureGpx()
{
    if (!m_Data.m_Gpx.m_Tracks.IsEmpty() || !m_Data.m_Gpx.m_Waypoints.IsEmpty())
        return true;
    CFileDialog dialog(TRUE, "gpx", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "GPX Files (*.gpx)|*.gpx|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return false;
    if (ReadGpx(dialog.GetPathName(), m_Data.m_Gpx))
        return true;
    WarningMessage("The GPX file could not be read.", this);
    return false;
}

void CMainFrame::OnGpxTracks()
{
    if (!EnsureGpx())
        return;
    CGpxTracksDlg dialog(this);
    dialog.SetData(&m_Data.m_Gpx);
    dialog.DoModal();
    RedrawCharts();
}

void CMainFrame::OnGpxTable()
{
    if (!EnsureGpx())
        return;
    CGpxTracksDisplayDlg dialog(this);
    dialog.SetData(&m_Data.m_Gpx);
    dialog.DoModal();
}

void CMainFrame::OnWindFarms()
{
    CWindFarmDlg dialog(this);
    dialog.SetData(&m_Data.m_WindFarms);
    dialog.DoModal();
    RedrawCharts();
}

void CMainFrame::OnFindWindFarm()
{
    CFindWindFarm dialog(this);
    dialog.SetData(&m_Data.m_WindFarms);
    if (dialog.DoModal() != IDOK)
        return;
    const tagXY found = dialog.GetFound();
    if (found.x == 0.0 && found.y == 0.0)
        return;
    CentreChartsOn(found.x, found.y);
    RedrawCharts(true);
}

void CMainFrame::OnTurbines()
{
    const CWindFarmList& farms = m_Data.m_WindFarms;
    if (farms.m_Turbines.IsEmpty())
    {
        InformationBox("No wind farm is loaded.", this);
        return;
    }
    CWindFarmTurbinesDlg dialog(this);
    dialog.SetData(farms.m_Turbines[0]->Id, farms.m_Turbines[0]->WindFarm, &m_Data.m_WindFarms);
    dialog.DoModal();
}

void CMainFrame::OnExit()
{
    SendMessage(WM_CLOSE);
}

void CMainFrame::OnClose()
{
    if (GetYN("Are you sure you wish to exit program", nullptr, 0x300020) != IDYES)
        return;
    CMDIFrameWndEx::OnClose();
}

void CMainFrame::OnDestroy()
{
    KillTimer(kSecondTimer);
    // A view still waiting for the vessel keeps its track mode in its settings.
    StartFollowing();
    // Nothing is posted about the data once the readers stop; the windows that show the data
    // go while it still exists.
    m_Feed.Stop();
    if (m_pNavigationWindow != nullptr && m_pNavigationWindow->GetSafeHwnd())
        m_pNavigationWindow->DestroyWindow();
    m_pNavigationWindow = nullptr;
    for (const PaneCommandDef& def : PaneCommands())
        if (def.pane->GetSafeHwnd())
            def.pane->DestroyWindow();
    if (m_pChartFrame != nullptr && m_pChartFrame->GetSafeHwnd())
        m_pChartFrame->DestroyWindow();
    m_pChartFrame = nullptr;
    if (m_pTableFrame != nullptr && m_pTableFrame->GetSafeHwnd())
        m_pTableFrame->DestroyWindow();
    m_pTableFrame = nullptr;
    m_pFeatureView = nullptr;
    m_pChartView = nullptr;
    CMDIFrameWndEx::OnDestroy();
}
