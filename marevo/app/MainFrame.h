// CMainFrame: the Marevo program's main window and the owner of the year's tide data: the data
// set, the clearance, display-zone and diamond settings, the standard ports with their turning
// points, the co-tidal chart, and the six tide panes that show them. The panes hold raw
// pointers to these objects, so the members are declared (and built) in the order below and
// the objects outlive every pane's use of them.
#pragma once

#include "marevo/Clearance.h"
#include "marevo/CoTidalChart.h"
#include "marevo/NP159.h"
#include "marevo/StandardPortList.h"
#include "marevo/TidalDiamond.h"
#include "marevo/TimeZone.h"
#include "marevo/app/TideLoadNotice.h"
#include "outside/deklino/MagVar.h"
#include "outside/tide/HarmonicConstantsPane.h"
#include "outside/tide/MoonPane.h"
#include "outside/tide/TidalDiamondPane.h"
#include "outside/tide/TideCurvePane.h"
#include "outside/tide/TidePortPane.h"
#include "outside/tide/TurningPointPane.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBar.h"

class CCmdUI;

class CMainFrame : public CFrameWndEx
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    // Reads the settings and loads the tide data of the local clock's year.
    CMainFrame();
    ~CMainFrame() override;

    // Tells the user, in one message, what the last start or new year could not load; nothing
    // when all of it loaded. Each load is told once.
    void TellLoadProblems();
    // What TellLoadProblems would say now; empty when nothing.
    CString GetLoadNotice() const { return m_Notice.GetText(); }

    // The pane created with the control id; null for another id or before it is made.
    CDockablePane* GetPaneOfId(UINT nID);
    // The "CoTidalChart" settings' value after the chart's name (1 without the file).
    int GetCoTidalChartValue() const { return m_nCoTidalChartValue; }

    // Members, in order.
    CMFCMenuBar m_wndMenuBar;
    CTidePortPane m_wndTidePortPane;
    CTidalDiamondPane m_wndTidalDiamondPane;
    CMoonPane m_wndMoonPane;
    CHarmonicConstantsPane m_wndHarmonicConstantsPane;
    CTurningPointPane m_wndTurningPointPane;
    CTideCurvePane m_wndTideCurvePane;
    CNP159 m_NP159;
    CClearance m_Clearance;
    CTimeZone m_TimeZone;
    CTidalDiamond m_TidalDiamond;
    CStandardPortList m_StandardPortList;
    CCoTidalChart m_CoTidalChart;
    CMagVar m_MagVar;
    CMagHdgDevnGraph m_MagHdgDevnGraph;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnSetYear();
    void OnTogglePane(UINT nID);
    void OnUpdateTogglePane(CCmdUI* pCmdUI);
    void OnUpdateNeedsFactors(CCmdUI* pCmdUI);
    void OnPrintTideTable();
    void OnUpdatePrintTideTable(CCmdUI* pCmdUI);
    void OnDiamondComputation();
    void OnTidalListing();
    void OnDayMode();
    void OnNightMode();
    void OnUpdateDayMode(CCmdUI* pCmdUI);
    void OnUpdateNightMode(CCmdUI* pCmdUI);
    void OnUpdateStatusBar(CCmdUI* pCmdUI);
    void OnContactDetails();
    LRESULT OnTideCurve(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The panes' first places and sizes in the window.
    void ArrangePanes();
    void ReadDiamondSettings();
    void ReadCoTidalChartSettings();
    // The loaded year's missing tidal data and (without `turningPoints`) turning points, for
    // the notice.
    void NoteMissingData(bool turningPoints);
    void SetNightMode(bool night);
    bool IsPaneShown(CDockablePane& pane) const;
    void ShowCurvePane();
    // The data set's current port as its curve takes it (0 for an index outside the list); -1
    // without ports.
    int CurrentPortIndex() const;
    // The standard port whose number is the current port's, without computing its curve.
    const CStandardPort* CurrentStandardPort() const;

    int m_nCoTidalChartValue = 1;
    std::vector<TideLoadProblem> m_SettingsProblems;
    CTideLoadNotice m_Notice;
};
