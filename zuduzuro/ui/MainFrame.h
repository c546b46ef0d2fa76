// CMainFrame: the anchor-cable program's main window. It owns the one barge, its one anchor,
// the cable-type table, the terrain and the pipeline and obstruction lists for the program's
// life, docks the panes that edit them round the side view, runs the start-up behind a splash,
// and is where the panes' and the view's registered messages meet: each change recomputes the
// anchor's catenary and refreshes what shows it.
#pragma once

#include "featureui/panes/DtmPane.h"
#include "featureui/panes/GridWaypointPane.h"
#include "featureui/panes/PipelinePane.h"
#include "features/Dtm.h"
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "platform/core/Sync.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/ToolBar.h"
#include "zuduzuro/Anchor.h"
#include "zuduzuro/BargeData.h"
#include "zuduzuro/CableWeight.h"
#include "zuduzuro/ui/AnchorPane.h"
#include "zuduzuro/ui/BargePane.h"
#include "zuduzuro/ui/CableWeightPane.h"
#include "zuduzuro/ui/PicturePane.h"
#include "zuduzuro/ui/ZuduzuroStatusBar.h"

#include <vector>

class CImageView;
class CInitialisingSoftware;
class CZuduzuroView;

class CMainFrame : public CFrameWndEx
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // After the frame exists: the panes fill, the terrain loads, the fairlead's depth comes
    // from it, the view is linked and the catenary computed once; the frame shows maximised.
    void PostStart();

    CZuduzuroView* GetZuduzuroView() const;
    // The pane a menu command toggles; null for another command or a pane not made.
    CDockablePane* GetPaneOfCommand(UINT nID);
    CImageView* GetImageView() const { return m_pImageView; }
    // What start-up could not read and a save that failed, told to the user; empty when all
    // was well.
    CString GetLoadProblems() const;

    // The catenary update: recompute, redraw the side view, and the barge pane shows the top
    // tension and the water depth below the fairlead.
    void UpdateCatenary();

    // Members, in order.
    CMFCMenuBar m_wndMenuBar;
    CMFCToolBar m_wndToolBar;
    CZuduzuroStatusBar m_wndStatusBar;
    CBargePane m_wndBargePane;
    CAnchorPane m_wndAnchorPane;
    CCableWeightPane m_wndCableWeightPane;
    CGridWaypointPane m_wndObstructionPane;
    CPipelinePane m_wndPipelinePane;
    CDtmPane m_wndDtmPane;
    CPicturePane m_wndPicturePane;
    CBargeData m_Barge;
    CAnchor m_Anchor;
    CCableWeight m_CableWeights;
    CGridWaypointList m_Obstructions;
    CPipelineList m_Pipelines;
    CDtm m_Dtm;
    CMutex m_Lock;
    CInitialisingSoftware* m_pSplash = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnDestroy();

    LRESULT OnIdentify(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateZuduzuroData(WPARAM wParam, LPARAM lParam);
    LRESULT OnFairleadUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateDtm(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateCableWeights(WPARAM wParam, LPARAM lParam);
    LRESULT OnZoomData(WPARAM wParam, LPARAM lParam);

    void OnTogglePane(UINT nID);
    void OnUpdateTogglePane(CCmdUI* pCmdUI);
    void OnToolBarDisplay();
    void OnUpdateToolBarDisplay(CCmdUI* pCmdUI);
    void OnLargeIcons();
    void OnUpdateLargeIcons(CCmdUI* pCmdUI);
    void OnStatusBar();
    void OnUpdateStatusBar(CCmdUI* pCmdUI);
    // One depth scale step in or out; at the view's last step the status bar says why nothing
    // changes.
    void OnZoomOut();
    void OnZoomIn();
    void OnCableWeightCalculator();
    void OnDropAnchor();
    void OnRecoverAnchor();
    void OnPennantDown();
    void OnPennantUp();
    void OnTensionUp();
    void OnTensionDown();
    void OnAbout();
    void OnContactDetails();
    void OnIgnoredCommand();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePanes();
    void Announce(const char* text);
    // Makes the splash with the version text and the catenary picture.
    void ShowSplash(const char* text);
    void DestroySplash();
    // Full recompute and a redraw of the side view.
    void Recompute();
    // A warning in the status bar while the anchor lies off every loaded terrain model (its
    // depth then comes from nothing the user gave); taken away once it lies on one again.
    void TellWhereTheTerrainEnds();
    void RedrawView();
    // The anchor file, with a failure told once.
    void SaveAnchor();
    // Drop or Recover: the status, a recompute, the anchor pane's status and layout.
    void SetAnchorStatus(int status);
    // The tension's toolbar tail: position current, saved, shown, the catenary update.
    void TensionChanged();
    struct PaneCommandDef
    {
        UINT nID;
        CDockablePane* pane;
    };
    std::vector<PaneCommandDef> PaneCommands();

    CImageView* m_pImageView = nullptr;
    bool m_bAnchorSaveFailureTold = false;
    bool m_bOutsideTerrainTold = false;
};
