// CMainFrame: the Geodetic program's main window. It owns the working geodetic objects, the
// serial and UDP inputs and the receiver record, creates the panes that show them, carries
// the commands of menu 128 and turns every received line into pane updates.
#pragma once

#include "chart/view/ChartexaStatusBar.h"
#include "geodesy/ComArray.h"
#include "geodesy/Datum.h"
#include "geodesy/Gps.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "geodesy/UdpArray.h"
#include "geodetic/GeodeticPanes.h"
#include "geodetic/ReceivedLines.h"
#include "platform/core/Sync.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBar.h"

#include <vector>

class CDockablePane;
class CGeodeticView;

class CMainFrame : public CFrameWndEx
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // The post-start routine: the view gets the working objects, the ports start, the pane
    // tables fill and the frame shows.
    void PostStart();

    CGeodeticView* GetGeodeticView() const;

    // The pane a menu command toggles; null when the command toggles none or the pane is not
    // part of this build.
    CDockablePane* GetPaneOfCommand(UINT nID);
    // Hides a visible pane, shows a hidden one (moved into view when it is too small to use).
    void TogglePane(CDockablePane* pane);

    bool GetNightMode() const;
    void SetNightMode(bool night);

    // Members, in order.
    CMFCMenuBar m_wndMenuBar;
    CChartexaStatusBar m_wndStatusBar;
    CComPortPane m_wndComPortPane;
    CUdpPortPane m_wndUdpPortPane;
    CLatLonHtPane m_wndLatLonHtPane;
    CDopPane m_wndDopPane;
    CNoSatsPane m_wndNoSatsPane;
    CSatellitePane m_wndSatellitePane;
    CSNRPane m_wndSNRPane;
    CElevationPane m_wndElevationPane;
    CGridToGeogPane m_wndGridToGeogPane;
    CDatumShiftPane m_wndDatumShiftPane;
    CRangeAndBearingPane m_wndRangeAndBearingPane;
    CTraversePane m_wndTraversePane;
    CParameterTransformationPane m_wndParameterTransformationPane;
    CSettingsPane m_wndSettingsPane;
    CLargeGpsPane m_wndLargeGpsPane;

    // The datum with its own spheroid and grid; the datum's target grid and spheroid; the
    // working grid and spheroid of the panes and the spreadsheet.
    CDatum m_Datum;
    CSpheroid m_DatumToSpheroid;
    CProjection m_DatumToProjection;
    CSpheroid m_Spheroid;
    CProjection m_Projection;

    CComArray m_ComArray;
    bool m_bSerialEnabled = true;
    CUdpArray m_UdpArray;
    bool m_bUdpEnabled = true;
    // The lock of every serial reader thread.
    CMutex m_Mutex;
    CGps m_Gps;
    // Set while UM_RECEIVE_DATA is handled, so that a nested message loop does not take and
    // decode lines in the middle of a message.
    bool m_bReceiving = false;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnDestroy();
    LRESULT OnReceiveData(WPARAM wParam, LPARAM lParam);
    LRESULT OnGeodeticUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingsUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetGraph(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetTimeSpan(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetYSpan(WPARAM wParam, LPARAM lParam);

    void OnLoadData();
    void OnTogglePane(UINT nID);
    void OnUpdateTogglePane(CCmdUI* pCmdUI);
    void OnUpdateUdp(CCmdUI* pCmdUI);
    void OnSpheroid();
    void OnProjection();
    void OnDatum();
    void OnMagneticVariation();
    void OnDaylightMode();
    void OnNightMode();
    void OnUpdateDaylightMode(CCmdUI* pCmdUI);
    void OnUpdateNightMode(CCmdUI* pCmdUI);
    void OnAbout();
    void OnContactDetails();
    DECLARE_MESSAGE_MAP()

private:
    // Shows and decodes the prepared lines of one port.
    void ShowAndDecode(UINT port, const CArray<ReceivedLineDef, const ReceivedLineDef&>& lines);
    void CreatePanes();
    // The status bar's read-outs show the receiver's position in the working grid.
    void ShowPositionGrid();
    // Every pane this frame makes, with the menu command that shows or hides it.
    struct PaneCommandDef
    {
        UINT nID;
        CDockablePane* pane;
    };
    std::vector<PaneCommandDef> PaneCommands();
    // Every pane this frame made, for destroying their windows while the panes still exist.
    std::vector<CDockablePane*> AllPanes();
    // The working projection changed: the geodesy panes show it again.
    void RefreshProjectionPanes();
    // The graphs against time (position, precision, satellites) take the graph commands together.
    void ForEachTimeGraph(void (CTimeSeriesPane::*action)());
    bool m_bNight = false;
};

// The settings "COM Array" and "UDP Array": "Enable", true when the file is missing.
bool LoadInputEnabled(const char* name);
bool SaveInputEnabled(const char* name, bool enabled);
