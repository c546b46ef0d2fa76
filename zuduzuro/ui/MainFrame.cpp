#include "zuduzuro/ui/MainFrame.h"

#include "featureui/loaders/LoadDtm.h"
#include "foundation/Folders.h"
#include "foundation/Geometry.h"
#include "foundation/WindowMessages.h"
#include "outside/company/Company.h"
#include "outside/kadenta/InitialisingSoftware.h"
#include "outside/kadenta/Kadenta.h"
#include "outside/notifex/Notifex.h"
#include "platform/core/FileApi.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/WinAppEx.h"
#include "zuduzuro/ui/CableWeightCalculatorDlg.h"
#include "zuduzuro/ui/ImageView.h"
#include "zuduzuro/ui/MainFrameResources.h"
#include "zuduzuro/ui/ZuduzuroApp.h"
#include "zuduzuro/ui/ZuduzuroResources.h"
#include "zuduzuro/ui/ZuduzuroVersion.h"
#include "zuduzuro/ui/ZuduzuroView.h"

#include <QDockWidget>
#include <QFontMetrics>
#include <QWidget>
#include <QMainWindow>

#include <algorithm>
#include <cfloat>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(UWM_PROGRAM_IDENTIFY_WINDOW, &CMainFrame::OnIdentify)
ON_REGISTERED_MESSAGE(UM_UPDATE_ZUDUZURO_DATA, &CMainFrame::OnUpdateZuduzuroData)
ON_REGISTERED_MESSAGE(UM_FAIRLEAD_UPDATE, &CMainFrame::OnFairleadUpdate)
ON_REGISTERED_MESSAGE(UM_UPDATE_DTM, &CMainFrame::OnUpdateDtm)
ON_REGISTERED_MESSAGE(UM_UPDATE_CABLE_WEIGHTS, &CMainFrame::OnUpdateCableWeights)
ON_REGISTERED_MESSAGE(UM_ZUDUZURO_ZOOM_DATA, &CMainFrame::OnZoomData)
ON_COMMAND_RANGE(ID_ZUDUZURO_BARGE, ID_ZUDUZURO_BARGE, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_ANCHOR, ID_ZUDUZURO_ANCHOR, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_CABLE_WEIGHTS, ID_ZUDUZURO_CABLE_WEIGHTS, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_OBSTRUCTION, ID_ZUDUZURO_OBSTRUCTION, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_PIPELINES, ID_ZUDUZURO_PIPELINES, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_DTM, ID_ZUDUZURO_DTM, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_ZUDUZURO_VERTICAL_OFFSET, ID_ZUDUZURO_VERTICAL_OFFSET, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_BARGE, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_ANCHOR, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_CABLE_WEIGHTS, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_OBSTRUCTION, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_PIPELINES, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_DTM, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_VERTICAL_OFFSET, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND(ID_ZUDUZURO_TOOLBAR_DISPLAY, &CMainFrame::OnToolBarDisplay)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_TOOLBAR_DISPLAY, &CMainFrame::OnUpdateToolBarDisplay)
ON_COMMAND(ID_ZUDUZURO_LARGE_ICONS, &CMainFrame::OnLargeIcons)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_LARGE_ICONS, &CMainFrame::OnUpdateLargeIcons)
ON_COMMAND(ID_ZUDUZURO_STATUS_BAR, &CMainFrame::OnStatusBar)
ON_UPDATE_COMMAND_UI(ID_ZUDUZURO_STATUS_BAR, &CMainFrame::OnUpdateStatusBar)
ON_COMMAND(ID_ZUDUZURO_DEPTH_STEP_DOWN, &CMainFrame::OnZoomOut)
ON_COMMAND(ID_ZUDUZURO_ZOOM_OUT, &CMainFrame::OnZoomOut)
ON_COMMAND(ID_ZUDUZURO_DEPTH_STEP_UP, &CMainFrame::OnZoomIn)
ON_COMMAND(ID_ZUDUZURO_ZOOM_IN, &CMainFrame::OnZoomIn)
ON_COMMAND(ID_ZUDUZURO_CABLE_CALCULATOR, &CMainFrame::OnCableWeightCalculator)
ON_COMMAND(ID_ZUDUZURO_DROP_ANCHOR, &CMainFrame::OnDropAnchor)
ON_COMMAND(ID_ZUDUZURO_RECOVER_ANCHOR, &CMainFrame::OnRecoverAnchor)
ON_COMMAND(ID_ZUDUZURO_PENNANT_DOWN, &CMainFrame::OnPennantDown)
ON_COMMAND(ID_ZUDUZURO_PENNANT_UP, &CMainFrame::OnPennantUp)
ON_COMMAND(ID_ZUDUZURO_TENSION_UP, &CMainFrame::OnTensionUp)
ON_COMMAND(ID_ZUDUZURO_TENSION_DOWN, &CMainFrame::OnTensionDown)
ON_COMMAND(ID_ZUDUZURO_APP_ABOUT, &CMainFrame::OnAbout)
ON_COMMAND(ID_ZUDUZURO_CONTACT, &CMainFrame::OnContactDetails)
ON_COMMAND(12008, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12011, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12013, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12017, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12038, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12039, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12053, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12054, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12055, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12056, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12092, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12093, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12095, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12096, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12912, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12913, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12914, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12915, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12916, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12918, &CMainFrame::OnIgnoredCommand)
ON_COMMAND(12919, &CMainFrame::OnIgnoredCommand)
END_MESSAGE_MAP()

namespace
{
const DWORD kMenuBarStyle = 0x50402808;
const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                            CBRS_SIZE_DYNAMIC;
const char* const kPictureFile = "Vertical Offset.bmp";
} // namespace

CMainFrame::CMainFrame() : m_Lock(FALSE, nullptr)
{
    // The lists load their files from the data folder's file lists.
    CString dataFolder;
    GetMyDataFolder(dataFolder, nullptr);
    m_Obstructions.LoadFileList();
    m_Pipelines.LoadFileList();

    m_Anchor.LoadAtStart(m_CableWeights);

    // Linked to the terrain and the lists; each list link finds the crossings again.
    m_Anchor.m_pDtm = &m_Dtm;
    m_Anchor.m_pPipelines = &m_Pipelines;
    m_Anchor.FindCrossings();
    m_Anchor.m_pObstructions = &m_Obstructions;
    m_Anchor.FindCrossings();
    m_Barge.UpdateCrp();
    m_Anchor.SetFairleadPosition(m_Barge.m_CrpEasting, m_Barge.m_CrpNorthing, m_Barge.m_SinHeading,
                                 m_Barge.m_CosHeading);
}

CMainFrame::~CMainFrame()
{
    DestroySplash();
}

CZuduzuroView* CMainFrame::GetZuduzuroView() const
{
    return dynamic_cast<CZuduzuroView*>(GetActiveView());
}

void CMainFrame::Announce(const char* text)
{
    if (m_pSplash)
        m_pSplash->SetMessage(text);
}

void CMainFrame::ShowSplash(const char* text)
{
    DestroySplash();
    m_pSplash = new CInitialisingSoftware;
    if (!m_pSplash->Create(this, GetZuduzuroVersion()))
    {
        delete m_pSplash;
        m_pSplash = nullptr;
        return;
    }
    m_pSplash->SetImage(CatenaryPicture());
    m_pSplash->SetMessage(text);
}

void CMainFrame::DestroySplash()
{
    if (!m_pSplash)
        return;
    if (m_pSplash->GetSafeHwnd())
        m_pSplash->DestroyWindow();
    delete m_pSplash;
    m_pSplash = nullptr;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    RegisterZuduzuroResources();
    ShowSplash("Please wait loading software");

    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2007));
    if (!m_wndMenuBar.Create(this, kMenuBarStyle, IDP_ZUDUZURO_MENU_BAR))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle) || !m_wndToolBar.LoadToolBar(IDR_ZUDUZURO_MAINFRAME))
        return -1;
    m_wndToolBar.SetWindowText("Toolbar");
    CMFCToolBar::SetSizes(CSize(23 + 7, 22 + 6), CSize(23, 22));
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    DockPane(&m_wndToolBar);

    if (!m_wndStatusBar.Create(this))
        return -1;
    UINT indicators[8];
    for (int i = 0; i < 8; ++i)
        indicators[i] = g_ZuduzuroIndicators[i].nID;
    if (!m_wndStatusBar.SetIndicators(indicators, 8))
        return -1;
    // The widths are the least each pane gets: a label never shows cut in a larger font, and
    // the read-outs have room for a range or depth of five figures.
    const QFontMetrics metrics(m_wndStatusBar.GetWidget() ? m_wndStatusBar.GetWidget()->font() : QFont());
    for (int i = 1; i < 8; ++i)
    {
        const ZuduzuroIndicatorDef& pane = g_ZuduzuroIndicators[i];
        const bool readout = pane.nStyle == SBPS_NORMAL;
        const QString widest = readout ? QString("-00000.0") : QString::fromLocal8Bit((LPCSTR)m_wndStatusBar.GetPaneText(i));
        const int width = std::max(pane.nWidth, metrics.horizontalAdvance(widest) + 8);
        m_wndStatusBar.SetPaneInfo(i, pane.nID, pane.nStyle, width);
    }

    if (!CreatePanes())
        return -1;
    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);
    return 0;
}

BOOL CMainFrame::CreatePanes()
{
    auto dock = [this](CDockablePane& pane, UINT side) {
        pane.EnableDocking(CBRS_ALIGN_ANY);
        DockPane(&pane, side);
    };
    const UINT left = AFX_IDW_DOCKBAR_LEFT, right = AFX_IDW_DOCKBAR_RIGHT;

    Announce("Barge Pane");
    m_wndBargePane.SetData(&m_Barge, &m_Anchor);
    if (!m_wndBargePane.Create(this, ID_ZUDUZURO_BARGE, "Barge"))
        return FALSE;
    dock(m_wndBargePane, left);
    m_wndBargePane.ShowPane(TRUE, FALSE, FALSE);

    Announce("Anchor Pane");
    m_wndAnchorPane.SetData(&m_Anchor, &m_CableWeights);
    if (!m_wndAnchorPane.Create(this, ID_ZUDUZURO_ANCHOR, "Anchor"))
        return FALSE;
    dock(m_wndAnchorPane, left);
    m_wndAnchorPane.ShowPane(TRUE, FALSE, FALSE);

    Announce("Creating Obstruction Pane");
    if (!m_wndObstructionPane.Create(this, ID_ZUDUZURO_OBSTRUCTION, "Obstructions", &m_Obstructions, true))
        return FALSE;
    dock(m_wndObstructionPane, right);

    Announce("Creating Pipeline Pane");
    if (!m_wndPipelinePane.Create(this, ID_ZUDUZURO_PIPELINES, &m_Pipelines, true))
        return FALSE;
    dock(m_wndPipelinePane, right);

    Announce("Cable Weight Pane");
    m_wndCableWeightPane.SetData(&m_Anchor, &m_CableWeights);
    if (!m_wndCableWeightPane.Create(this, ID_ZUDUZURO_CABLE_WEIGHTS, "Cable Weight Setup"))
        return FALSE;
    dock(m_wndCableWeightPane, right);

    Announce("Creating DTM Pane");
    if (!m_wndDtmPane.Create(this, ID_ZUDUZURO_DTM, &m_Dtm))
        return FALSE;
    dock(m_wndDtmPane, right);

    Announce("Help Pane");
    if (!m_wndPicturePane.Create(this, IDP_ZUDUZURO_PICTURE_PANE, "Picture"))
        return FALSE;
    dock(m_wndPicturePane, right);
    m_pImageView = new CImageView;
    if (m_pImageView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_wndPicturePane,
                             IDC_ZUDUZURO_IMAGE_VIEW, nullptr))
    {
        // The picture beside the program; a missing one leaves the view empty.
        char program[MAX_PATH] = {};
        GetModuleFileName(nullptr, program, MAX_PATH);
        CString folder(program);
        folder.Remove('"');
        const int slash = folder.ReverseFind('\\');
        folder = slash >= 0 ? folder.Left(slash + 1) : CString();
        m_pImageView->LoadPicture(folder + kPictureFile);
        m_wndPicturePane.SetView(m_pImageView);
    }
    else
    {
        delete m_pImageView;
        m_pImageView = nullptr;
    }
    m_wndPicturePane.ShowPane(TRUE, FALSE, FALSE);

    // The feature panes and the cable weights share one tab group on the right, the DTM pane
    // in front: each shows whole when its command brings it forward, rather than squeezed to a
    // strip between the others.
    for (CDockablePane* pane : {static_cast<CDockablePane*>(&m_wndObstructionPane),
                                static_cast<CDockablePane*>(&m_wndPipelinePane),
                                static_cast<CDockablePane*>(&m_wndCableWeightPane)})
        pane->AttachToTabWnd(&m_wndDtmPane, DM_SHOW, FALSE);
    // The side columns start wide enough to show their grids' names whole, and the cable types'
    // columns.
    if (QMainWindow* window = GetMainWindow())
    {
        const int left = std::max({330, m_wndBargePane.GetFittingWidth(), m_wndAnchorPane.GetFittingWidth()});
        const int right = std::max({330, m_wndCableWeightPane.GetFittingWidth(),
                                    m_wndDtmPane.GetPropertyGrid().GetWholeNamesWidth()});
        // The frame, not shown yet, takes room for both columns and the side view before they
        // are sized, so that they are not squeezed to its first small size; it opens maximised.
        constexpr int kViewRoom = 600;
        if (window->width() < left + right + kViewRoom)
            window->resize(left + right + kViewRoom, window->height());
        QList<QDockWidget*> sides;
        QList<int> widths;
        for (CDockablePane* pane : {static_cast<CDockablePane*>(&m_wndBargePane),
                                    static_cast<CDockablePane*>(&m_wndPicturePane)})
            if (QDockWidget* widget = pane->GetDockWidget())
            {
                sides.append(widget);
                widths.append(pane == &m_wndBargePane ? left : right);
            }
        window->resizeDocks(sides, widths, Qt::Horizontal);
    }
    return TRUE;
}

void CMainFrame::PostStart()
{
    Announce("Updating Obstruction Pane");
    m_wndObstructionPane.SetupComboBox();
    Announce("Updating Pipeline Pane");
    m_wndPipelinePane.SetupComboBox();
    if (m_pSplash)
        m_pSplash->SetImage(CatenaryPicture());

    Announce("Loading DTM");
    LoadDtm(&m_Dtm);
    Announce("DTM LOADED");
    m_wndDtmPane.InitPropList();

    Announce("Compute Anchor Pattern");
    const double depth = m_Dtm.GetDepth(m_Anchor.m_FairleadEasting, m_Anchor.m_FairleadNorthing);
    if (depth != DBL_MAX)
    {
        m_Anchor.m_WaterDepth = depth;
        m_Anchor.m_WaterlineToZero = 0.0;
    }
    if (CZuduzuroView* view = GetZuduzuroView())
        view->SetData(&m_Anchor, m_Barge.m_Draft, &m_Lock, &m_wndStatusBar);
    UpdateCatenary();
    // The anchor pane was filled before the first computation: it shows the depth found now.
    m_wndAnchorPane.UpdateValues();

    UpdateWindow();
    PostMessage(WM_SIZE, 0, 0);
    Announce("Show Window");
    ShowWindow(SW_SHOWMINIMIZED);
    ShowWindow(SW_SHOWMAXIMIZED);
    DestroySplash();

    // What could not be read is told once, now that the frame shows.
    const CString problems = GetLoadProblems();
    if (!problems.IsEmpty())
        WarningMessage(problems, this);
}

CString CMainFrame::GetLoadProblems() const
{
    CString text;
    auto list = [&text](const char* what, const CStringArray& paths) {
        for (INT_PTR i = 0; i < paths.GetSize(); ++i)
            text += CString(what) + " file could not be loaded: " + paths[i] + "\n";
    };
    list("Obstruction", m_Obstructions.GetFailedPaths());
    list("Pipeline", m_Pipelines.GetFailedPaths());
    for (const CStringArray* sentences :
         {&m_Barge.GetLoadProblems(), &m_CableWeights.GetLoadProblems(), &m_Anchor.GetLoadProblems()})
        for (INT_PTR i = 0; i < sentences->GetSize(); ++i)
            text += sentences->GetAt(i) + "\n";
    return text;
}

void CMainFrame::Recompute()
{
    m_Anchor.ComputeZuduzuro();
    TellWhereTheTerrainEnds();
    RedrawView();
}

void CMainFrame::TellWhereTheTerrainEnds()
{
    // A racked anchor lies on deck; any other lies at its own point (the tug's for a Live one).
    const bool placed = m_Anchor.m_Status != ANCHOR_RACKED;
    const bool outside =
        placed && m_Dtm.m_pCells != nullptr && !m_Dtm.HasDepthAt(m_Anchor.GetEasting(), m_Anchor.GetNorthing());
    if (outside == m_bOutsideTerrainTold)
        return;
    m_bOutsideTerrainTold = outside;
    SetMessageText(outside ? "Warning: the anchor lies outside every terrain model: the seabed there is not known"
                           : "");
}

void CMainFrame::RedrawView()
{
    if (CZuduzuroView* view = GetZuduzuroView())
        view->Invalidate(TRUE);
}

void CMainFrame::UpdateCatenary()
{
    Recompute();
    if (m_wndBargePane.GetSafeHwnd())
        m_wndBargePane.UpdateAnchorValues();
    // The depth at the anchor follows the terrain wherever the anchor now lies.
    if (m_wndAnchorPane.GetSafeHwnd())
        m_wndAnchorPane.UpdateDepthAtAnchor();
}

LRESULT CMainFrame::OnIdentify(WPARAM, LPARAM)
{
    return UWM_PROGRAM_IDENTIFY_WINDOW;
}

LRESULT CMainFrame::OnUpdateZuduzuroData(WPARAM, LPARAM)
{
    UpdateCatenary();
    return 0;
}

LRESULT CMainFrame::OnFairleadUpdate(WPARAM, LPARAM)
{
    Recompute();
    return 0;
}

LRESULT CMainFrame::OnUpdateDtm(WPARAM, LPARAM)
{
    if (!m_Dtm.m_pCells)
        m_Anchor.m_DepthAtAnchor = 0.0;
    // The seabed is sampled again from the terrain as it now stands.
    UpdateCatenary();
    return 0;
}

LRESULT CMainFrame::OnUpdateCableWeights(WPARAM, LPARAM)
{
    if (m_wndAnchorPane.GetSafeHwnd())
        m_wndAnchorPane.UpdateCableWeights();
    // The catenary hangs by the new weights.
    UpdateCatenary();
    return 0;
}

LRESULT CMainFrame::OnZoomData(WPARAM, LPARAM lParam)
{
    if (static_cast<LONG_PTR>(lParam) == 1)
        OnZoomIn();
    else if (static_cast<LONG_PTR>(lParam) == -1)
        OnZoomOut();
    return 0;
}

std::vector<CMainFrame::PaneCommandDef> CMainFrame::PaneCommands()
{
    return {
        {ID_ZUDUZURO_BARGE, &m_wndBargePane},
        {ID_ZUDUZURO_ANCHOR, &m_wndAnchorPane},
        {ID_ZUDUZURO_CABLE_WEIGHTS, &m_wndCableWeightPane},
        {ID_ZUDUZURO_OBSTRUCTION, &m_wndObstructionPane},
        {ID_ZUDUZURO_PIPELINES, &m_wndPipelinePane},
        {ID_ZUDUZURO_DTM, &m_wndDtmPane},
        {ID_ZUDUZURO_VERTICAL_OFFSET, &m_wndPicturePane},
    };
}

CDockablePane* CMainFrame::GetPaneOfCommand(UINT nID)
{
    for (const PaneCommandDef& def : PaneCommands())
        if (def.nID == nID)
            return def.pane->GetSafeHwnd() ? def.pane : nullptr;
    return nullptr;
}

void CMainFrame::OnTogglePane(UINT nID)
{
    if (CDockablePane* pane = GetPaneOfCommand(nID))
        pane->ShowPane(pane->IsVisible() ? FALSE : TRUE, FALSE, TRUE);
}

void CMainFrame::OnUpdateTogglePane(CCmdUI* pCmdUI)
{
    CDockablePane* pane = GetPaneOfCommand(pCmdUI->m_nID);
    pCmdUI->SetCheck(pane && pane->IsVisible() ? 1 : 0);
}

void CMainFrame::OnToolBarDisplay()
{
    ShowPane(&m_wndToolBar, m_wndToolBar.IsVisible() ? FALSE : TRUE, FALSE, FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateToolBarDisplay(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndToolBar.IsVisible() ? 1 : 0);
}

void CMainFrame::OnLargeIcons()
{
    CMFCToolBar::SetLargeIcons(CMFCToolBar::IsLargeIcons() ? FALSE : TRUE);
    RecalcLayout();
}

void CMainFrame::OnUpdateLargeIcons(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndToolBar.IsVisible());
    pCmdUI->SetCheck(CMFCToolBar::IsLargeIcons() ? 1 : 0);
}

void CMainFrame::OnStatusBar()
{
    ShowControlBar(&m_wndStatusBar, m_wndStatusBar.IsWindowVisible() ? FALSE : TRUE, FALSE);
}

void CMainFrame::OnUpdateStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndStatusBar.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnZoomOut()
{
    if (CZuduzuroView* view = GetZuduzuroView())
    {
        if (view->m_ZoomLevel > 1.0)
            view->m_ZoomLevel -= 1.0;
        else
            SetMessageText("The depth scale is at its smallest (X1): the whole section shows at one scale");
        view->Invalidate(TRUE);
    }
}

void CMainFrame::OnZoomIn()
{
    if (CZuduzuroView* view = GetZuduzuroView())
    {
        if (view->m_ZoomLevel < view->m_LargestZoom)
            view->m_ZoomLevel += 1.0;
        else
        {
            // The view opens fitted, at its largest level: zooming in there has nowhere to go.
            CString text;
            text.Format("The depth scale is at its largest (X%.0lf): the water column fills the view; Zoom Out "
                        "makes it smaller",
                        view->m_LargestZoom);
            SetMessageText(text);
        }
        view->Invalidate(TRUE);
    }
}

void CMainFrame::OnCableWeightCalculator()
{
    CCableWeightCalculatorDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::SetAnchorStatus(int status)
{
    const int before = m_Anchor.m_Status;
    m_Anchor.m_Status = status;
    // A recovered anchor hangs at its tug, which takes the anchor's place, as when the status is
    // chosen in the anchor pane: the range stays the anchor's, not the distance to a tug at 0, 0.
    if (status == ANCHOR_LIVE && before != ANCHOR_LIVE)
        m_Anchor.SetTugPosition(m_Anchor.m_AnchorEasting, m_Anchor.m_AnchorNorthing);
    m_Anchor.ComputeZuduzuro();
    // The pane shows every value of the new state, not only its status.
    if (m_wndAnchorPane.GetSafeHwnd())
    {
        m_wndAnchorPane.UpdateLayout();
        m_wndAnchorPane.UpdateValues();
    }
    // The cable hangs anew: the view fits it rather than keep the last state's depth scale.
    if (CZuduzuroView* view = GetZuduzuroView())
        view->FitAtNextPass();
    RedrawView();
}

void CMainFrame::OnDropAnchor()
{
    SetAnchorStatus(ANCHOR_ON_BOTTOM);
}

void CMainFrame::OnRecoverAnchor()
{
    SetAnchorStatus(ANCHOR_LIVE);
}

void CMainFrame::SaveAnchor()
{
    if (m_Anchor.SaveUnlessRefused())
    {
        m_bAnchorSaveFailureTold = false;
        return;
    }
    if (m_bAnchorSaveFailureTold)
        return;
    m_bAnchorSaveFailureTold = true;
    WarningMessage("The anchor file could not be saved: the change is kept and saved again with the next one.", this);
}

void CMainFrame::OnPennantDown()
{
    double& length = m_Anchor.m_Buoys[0].PennantWireLength;
    length = std::max(0.0, length - 1.0);
    SaveAnchor();
    if (m_Anchor.m_BuoysInUse >= 1 && m_wndAnchorPane.GetSafeHwnd())
        m_wndAnchorPane.UpdateFirstPennant();
    UpdateCatenary();
}

void CMainFrame::OnPennantUp()
{
    double& length = m_Anchor.m_Buoys[0].PennantWireLength;
    length = std::min(length + 1.0, m_Anchor.m_WaterDepth);
    SaveAnchor();
    if (m_Anchor.m_BuoysInUse >= 1 && m_wndAnchorPane.GetSafeHwnd())
        m_wndAnchorPane.UpdateFirstPennant();
    UpdateCatenary();
}

void CMainFrame::TensionChanged()
{
    m_Anchor.m_PositionCurrent = true;
    SaveAnchor();
    if (m_wndBargePane.GetSafeHwnd())
        m_wndBargePane.UpdateAnchorValues();
    UpdateCatenary();
}

void CMainFrame::OnTensionUp()
{
    m_Anchor.m_Tension += 1.0;
    TensionChanged();
}

void CMainFrame::OnTensionDown()
{
    if (!(m_Anchor.m_Tension > 0.0))
        return;
    // A tension below a tonne comes down to 0, never below it.
    m_Anchor.m_Tension = std::max(0.0, m_Anchor.m_Tension - 1.0);
    TensionChanged();
}

void CMainFrame::OnAbout()
{
    DisplayAboutBox(GetZuduzuroVersion(), false);
}

void CMainFrame::OnContactDetails()
{
    DisplayCompanyContactDetails();
}

void CMainFrame::OnIgnoredCommand()
{
}

void CMainFrame::OnClose()
{
    if (GetYN("Are you sure you wish to exit program", nullptr, 0x300020) != IDYES)
        return;
    ShowSplash("Please wait software closing down");
    ShowWindow(SW_HIDE);
    if (auto* app = dynamic_cast<CZuduzuroApp*>(AfxGetApp()))
        app->ReleaseInstanceLock();
    DestroySplash();
    CFrameWndEx::OnClose();
}

void CMainFrame::OnDestroy()
{
    DestroySplash();
    // The panes' windows go while the pane objects and the data they show still exist.
    for (const PaneCommandDef& def : PaneCommands())
        if (def.pane->GetSafeHwnd())
            def.pane->DestroyWindow();
    CFrameWndEx::OnDestroy();
}
