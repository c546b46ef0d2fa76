// CMainFrame: the Acoustic program's main window and the owner of everything the program works
// on: the calibration objects, the network, the spheroid and projection, the eight import
// definitions, the current calibration mode, and every pane, toolbar and bar of the window.
// The panes hold raw pointers to the frame and to its objects, so the members are declared
// (and built) in the order below and the frame outlives every pane.
#pragma once

#include "acoustic/app/panes/BoxinHistogramPane.h"
#include "acoustic/app/panes/BoxinPane.h"
#include "acoustic/app/panes/BoxinParameterPane.h"
#include "acoustic/app/panes/GridOnGridPane.h"
#include "acoustic/app/panes/NetworkObservationsPane.h"
#include "acoustic/app/panes/NetworkSaveGuard.h"
#include "acoustic/app/panes/NetworkStationPane.h"
#include "acoustic/app/panes/ObservationsPane.h"
#include "acoustic/app/panes/ThermoclinePane.h"
#include "acoustic/app/panes/TransitFixPane.h"
#include "acoustic/app/panes/UsblCalibrationPane.h"
#include "acoustic/app/panes/UsblCalibrationParameterPane.h"
#include "acoustic/app/panes/UsblCalibrationResultPane.h"
#include "acoustic/app/panes/VelocityProfileDataPane.h"
#include "acoustic/engine/Boxin.h"
#include "acoustic/engine/GridOnGrid.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "acoustic/engine/TransitFix.h"
#include "acoustic/engine/UsblCalibration.h"
#include "chart/view/ChartexaStatusBar.h"
#include "foundation/ListCtrlImport.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/panes/settings/SettingsPane.h"
#include "outside/terralin/ComputeHeadingPane.h"
#include "outside/terralin/SpheroidProjectionPane.h"
#include "platform/core/Sync.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/ToolBar.h"
#include "rov/BubblePane.h"
#include "rov/SpeedOfSoundInWaterPane.h"

#include <array>
#include <functional>

class CAcousticView;

class CMainFrame : public CFrameWndEx
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Creates and docks the seventeen panes; a pane that cannot be made is left out and the
    // others still come. Always TRUE.
    BOOL CreateDockingWindows();
    // Creates and docks the six mode toolbars; one that cannot be made stays undocked.
    void CreateToolbars();

    // What needs the shown window: the window maximised, the eight import definitions with
    // their saved columns, the calibration mode of the last run (0 for none or one outside
    // 0..6), the view wired to the frame's objects and drawn, and telling the user once what
    // the start could not read.
    void PostStartSetUp();

    // Switches the calibration mode (0 none, 1 grid on grid, 2 network adjustment, 3 Boxin,
    // 4 USBL calibration, 5 transit fix, 6 velocity profile): hides the other calibrations'
    // panes and toolbars, shows the mode's toolbar, and saves the mode for the next start. A
    // mode outside 0..6 changes no pane or toolbar and is still kept and saved. The view takes
    // the mode (and is repainted when it changes); grid on grid centres it on the mean of the
    // pairs' system-B positions.
    void SetMode(int mode);

    // The network file named at start-up exists but could not be read whole: what is in memory
    // is not what is on disk, and saving it would lose the rest of the file. The message
    // names the file and what was wrong with it.
    bool HasNetworkLoadFailed() const { return m_bNetworkLoadFailed; }
    const CString& GetNetworkLoadProblem() const { return m_strNetworkLoadProblem; }

    // The six toolbars in member order.
    std::array<CMFCToolBar*, 6> GetToolBars();
    // The pane created with the control id; null for another id.
    CDockablePane* GetPaneOfId(UINT nID);
    // The seventeen docking panes, in member order, whether their windows were made or not.
    std::array<CDockablePane*, 17> GetPanes();
    // The drawing mutex, handed to the plan view.
    CMutex& GetDrawingLock() { return m_Lock; }
    int GetMode() const { return m_nMode; }
    // The program's plan view; null before the template has made it.
    CAcousticView* GetAcousticView();

    // Night colours for the two observation panes, now and through their later refills (the
    // grid's white scheme has no night variant and stays as it is).
    void SetNightMode(bool bNight);

    // Members, in order.
    CMFCMenuBar m_wndMenuBar;
    CMFCToolBar m_wndBoxinToolBar;
    CMFCToolBar m_wndGridOnGridToolBar;
    CMFCToolBar m_wndNetworkToolBar;
    CMFCToolBar m_wndTransitFixToolBar;
    CMFCToolBar m_wndUsblToolBar;
    CMFCToolBar m_wndVelocityToolBar;
    CBoxinParameterPane m_wndBoxinParameterPane;
    CBoxinPane m_wndBoxinPane;
    CBoxinHistogramPane m_wndBoxinHistogramPane;
    CSpheroidProjectionPane m_wndSpheroidProjectionPane;
    CSpeedOfSoundInWaterPane m_wndSpeedOfSoundPane;
    // Constructed and destroyed with the frame, never created: its window is never made.
    CBubblePane m_wndBubblePane;
    CSettingsPane m_wndSettingsPane;
    CNetworkStationPane m_wndNetworkStationPane;
    CNetworkObservationsPane m_wndNetworkObservationsPane;
    CObservationsPane m_wndObservationsPane;
    CGridOnGridPane m_wndGridOnGridPane;
    CVelocityProfileDataPane m_wndVelocityProfileDataPane;
    CThermoclinePane m_wndThermoclinePane;
    CUsblCalibrationPane m_wndUsblCalibrationPane;
    CUsblCalibrationParameterPane m_wndUsblCalibrationParameterPane;
    CUsblCalibrationResultPane m_wndUsblCalibrationResultPane;
    CTransitFixPane m_wndTransitFixPane;
    CComputeHeadingPane m_wndComputeHeadingPane;
    CChartexaStatusBar m_wndStatusBar;
    CMutex m_Lock;
    CSpeedOfSoundInWater m_SpeedOfSoundInWater;
    CUsblCalibration m_UsblCalibration;
    CBoxin m_Boxin;
    CTransitFix m_TransitFix;
    CGridOnGrid m_GridOnGrid;
    CNetwork m_Network;
    // Asks before the network file that did not load whole is saved over.
    CNetworkSaveGuard m_NetworkSaveGuard;
    CSpheroid m_Spheroid;
    CProjection m_Projection;
    int m_nMode = 0;
    CListCtrlImport m_BoxinCsvImport;
    CListCtrlImport m_BoxinExcelImport;
    CListCtrlImport m_GridOnGridCsvImport;
    CListCtrlImport m_GridOnGridExcelImport;
    CListCtrlImport m_VelocityCsvImport;
    CListCtrlImport m_VelocityExcelImport;
    CListCtrlImport m_UsblCsvImport;
    CListCtrlImport m_UsblExcelImport;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnContactDetails();
    // Network adjustment: the network file chosen in a file dialog and opened, the adjustment
    // computed, and a station or observation changed in a pane.
    void OnNetworkSelectFile();
    void OnNetworkCompute();
    void OnUpdateNetworkCompute(CCmdUI* pCmdUI);
    LRESULT OnUpdateStation(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Every pane's and toolbar's creation passes here with its control id (a toolbar with its
    // resource id): the one place where a test makes a creation fail.
    virtual BOOL CreatePart(UINT nID, const std::function<BOOL()>& create);

private:
    // The network named by the settings file "Network Adjust", read from the network folder.
    void LoadNetwork();
    // The fields of the eight import definitions, then their saved columns.
    void DefineImports();
    // Moves the view's plot to the mean system-B position of the grid-on-grid pairs.
    void CentreViewOnPairs(CAcousticView* view);
    void WidenPaneColumn();
    // The network as it now is in the panes that show it: the station list and figures (with
    // `stations`), the observation grid (with `grid`) and the observation matrix.
    void ShowNetworkInPanes(bool stations, bool grid);
    // Moves the view's plot to (e, n) when that lies outside the extent it shows (its bounds
    // inside); whether it moved.
    static bool CentreViewOutside(CAcousticView& view, double e, double n);
    // Shows a pane for the work a command starts: hidden, or auto-hidden out of sight.
    static void ShowPaneForWork(CDockablePane& pane);

    bool m_bNetworkLoadFailed = false;
    CString m_strNetworkLoadProblem;
    bool m_bNetworkProblemTold = false;
};
