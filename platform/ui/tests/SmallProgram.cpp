#include "SmallProgram.h"

#include "platform/core/Archive.h"
#include "platform/ui/Resources.h"

#include <QCoreApplication>
#include <QTimer>

namespace smallprogram
{
namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDR_MAIN, "Test Program\nTestDoc\nTestDoc\n\n\nTestDoc.Document\nTestDoc.Document"},
    {ID_VIEW_COUNT, "Count the rows\nCount"},
    {ID_PANE_A, "Show or hide pane A\nPane A"},
    {ID_INDICATOR_TEXT, "Ready"},
};
const CStringTableRegistrar kStringsRegistrar("SmallProgram", kStrings);

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
    {MF_POPUP, 0, "&View"},
    {MF_STRING, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {MF_STRING, ID_PANE_A, "Pane &A"},
    {MF_STRING | MF_END, ID_PANE_B, "Pane &B"},
    {MF_POPUP | MF_END, 0, "&Tools"},
    {MF_STRING, ID_VIEW_COUNT, "&Count\tCtrl+K"},
    {MF_STRING, ID_DOC_COMMAND, "&Document command"},
    {MF_STRING, ID_FRAME_COMMAND, "&Frame command"},
    {MF_STRING, ID_APP_COMMAND, "&Application command"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NO_HANDLER, "&Nobody's"},
    {MF_STRING, ID_GREYED, "&Greyed"},
    {MF_STRING, ID_RENAMED, "Old name"},
    {MF_STRING | MF_END, ID_EVERYONE, "&Everyone"},
};
struct MenuRegistrar
{
    MenuRegistrar() { AfxRegisterMenuTemplate(IDR_MAIN, kMenu); }
} g_menu;

const UINT kToolBar[] = {ID_VIEW_COUNT, 0, ID_NO_HANDLER, ID_PANE_A};
const ACCEL kAccelerators[] = {
    {FVIRTKEY | FCONTROL, 'K', static_cast<WORD>(ID_VIEW_COUNT)},
    {FVIRTKEY | FALT, 'S', static_cast<WORD>(ID_VIEW_STATUS_BAR)},
};
struct ResourceRegistrar
{
    ResourceRegistrar()
    {
        AfxRegisterToolBarTemplate(IDR_MAIN, kToolBar, 4);
        AfxRegisterAcceleratorTable(IDR_MAIN, kAccelerators, 2);
    }
} g_resources;

void Note(const char* who, UINT id)
{
    Log().push_back(std::string(who) + ":" + std::to_string(id));
}
} // namespace

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

void Pump(int rounds)
{
    for (int i = 0; i < rounds; ++i)
        QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------

int CTestDoc::s_live = 0;
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

CTestDoc::CTestDoc()
{
    ++s_live;
}

CTestDoc::~CTestDoc()
{
    --s_live;
}

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_data;
    else
        ar >> m_data;
}

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(ID_DOC_COMMAND, &CTestDoc::OnDocCommand)
ON_COMMAND_EX(ID_EVERYONE, &CTestDoc::OnEveryone)
END_MESSAGE_MAP()

void CTestDoc::OnDocCommand()
{
    Note("doc", ID_DOC_COMMAND);
}

BOOL CTestDoc::OnEveryone(UINT nID)
{
    Note("doc", nID);
    return FALSE;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestView, CListView)

BEGIN_MESSAGE_MAP(CTestView, CListView)
ON_NOTIFY_REFLECT(NM_RCLICK, &CTestView::OnRClick)
ON_COMMAND(ID_VIEW_COUNT, &CTestView::OnCount)
ON_UPDATE_COMMAND_UI(ID_VIEW_COUNT, &CTestView::OnUpdateCount)
ON_COMMAND_EX(ID_EVERYONE, &CTestView::OnEveryone)
END_MESSAGE_MAP()

void CTestView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    ++m_initialUpdates;
    CListCtrl& list = GetListCtrl();
    list.SetBkColor(0xD6D6D6);
    list.SetTextBkColor(0xD6D6D6);
    list.InsertColumn(0, "Easting", LVCFMT_LEFT, 90);
    list.InsertColumn(1, "Northing", LVCFMT_LEFT, 90);
    list.InsertItem(0, "500000.00");
    list.SetItemText(0, 1, "6000000.00");
}

void CTestView::OnRClick(NMHDR*, LRESULT* pResult)
{
    ++m_rightClicks;
    *pResult = 0;
}

void CTestView::OnCount()
{
    ++m_count;
    Note("view", ID_VIEW_COUNT);
}

void CTestView::OnUpdateCount(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetListCtrl().GetItemCount() > 0);
}

BOOL CTestView::OnEveryone(UINT nID)
{
    Note("view", nID);
    return FALSE;
}

// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTestPane, CDockablePane)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CTestPane::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_colour);
    return TRUE;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND_RANGE(ID_PANE_A, ID_PANE_B, &CTestFrame::OnPane)
ON_UPDATE_COMMAND_UI_RANGE(ID_PANE_A, ID_PANE_B, &CTestFrame::OnUpdatePane)
ON_COMMAND(ID_FRAME_COMMAND, &CTestFrame::OnFrameCommand)
ON_COMMAND(ID_GREYED, &CTestFrame::OnGreyed)
ON_UPDATE_COMMAND_UI(ID_GREYED, &CTestFrame::OnUpdateGreyed)
ON_UPDATE_COMMAND_UI(ID_RENAMED, &CTestFrame::OnUpdateRenamed)
ON_COMMAND_EX(ID_EVERYONE, &CTestFrame::OnEveryone)
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMenuBar.Create(this))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) ||
        !m_wndToolBar.LoadToolBar(IDR_MAIN))
        return -1;
    m_wndToolBar.SetWindowText("Toolbar");
    if (!m_wndStatusBar.Create(this))
        return -1;
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_TEXT};
    m_wndStatusBar.SetIndicators(indicators, 2);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    DockPane(&m_wndToolBar);
    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);

    struct
    {
        CTestPane* pane;
        const char* title;
        UINT id;
        DWORD side;
        COLORREF colour;
    } panes[] = {{&m_paneA, "Pane A", ID_PANE_A, CBRS_LEFT, RGB(0x20, 0x80, 0x20)},
                 {&m_paneB, "Pane B", ID_PANE_B, CBRS_RIGHT, RGB(0x80, 0x20, 0x80)}};
    for (auto& p : panes)
    {
        p.pane->m_colour = p.colour;
        if (!p.pane->Create(p.title, this, CRect(0, 0, 200, 200), TRUE, p.id,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | p.side |
                                CBRS_FLOAT_MULTI))
            return -1;
        // A pane never stored starts hidden until the user opens it.
        if (CDockablePane::GetStoredVisibility(p.id) == -1)
            p.pane->ShowPane(FALSE, FALSE, FALSE);
        p.pane->EnableDocking(CBRS_ALIGN_ANY);
        DockPane(p.pane);
    }
    ModifyStyle(0, FWS_PREFIXTITLE);
    return 0;
}

void CTestFrame::OnClose()
{
    ++m_closeQuestions;
    if (AfxMessageBox("Are you sure you wish to exit program", MB_YESNO) != IDYES)
        return;
    CFrameWndEx::OnClose();
}

void CTestFrame::OnPane(UINT nID)
{
    CDockablePane& pane = nID == ID_PANE_A ? m_paneA : m_paneB;
    pane.ShowPane(!pane.IsVisible(), FALSE, TRUE);
}

void CTestFrame::OnUpdatePane(CCmdUI* pCmdUI)
{
    const CDockablePane& pane = pCmdUI->m_nID == ID_PANE_A ? m_paneA : m_paneB;
    pCmdUI->SetCheck(pane.IsVisible() ? 1 : 0);
}

void CTestFrame::OnFrameCommand()
{
    Note("frame", ID_FRAME_COMMAND);
}

void CTestFrame::OnUpdateGreyed(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CTestFrame::OnGreyed()
{
    Note("frame", ID_GREYED);
}

void CTestFrame::OnUpdateRenamed(CCmdUI* pCmdUI)
{
    pCmdUI->SetText("&New name");
}

BOOL CTestFrame::OnEveryone(UINT nID)
{
    Note("frame", nID);
    return FALSE;
}

// ---------------------------------------------------------------------------------------

CTestApp::CTestApp() : CWinAppEx(TRUE)
{
    Log().clear();
}

CTestApp::~CTestApp()
{
    if (CWnd* main = AfxGetMainCWnd())
        main->DestroyWindow();
    // The main window's end asked the program's event loop to quit. A test runs no such loop,
    // and a quit request left over would end the next modal loop of the process at once: one
    // loop is run here to take it.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

BEGIN_MESSAGE_MAP(CTestApp, CWinAppEx)
ON_COMMAND(ID_APP_COMMAND, &CTestApp::OnAppCommand)
ON_COMMAND_EX(ID_EVERYONE, &CTestApp::OnEveryone)
END_MESSAGE_MAP()

CTestFrame* CTestApp::Start()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!AfxOleInit())
        return nullptr;
    AfxEnableControlContainer();
    EnableTaskbarInteraction(FALSE);
    AfxInitRichEdit2();
    SetRegistryKey("Test Maker");
    LoadStdProfileSettings(16);
    DelProfileTree("Workspace\\Keyboard-0");
    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CMFCToolTipInfo params;
    params.m_bVislManagerTheme = TRUE;
    GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_ALL_ASPECTS;
    AddDocTemplate(new CSingleDocTemplate(IDR_MAIN, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                          RUNTIME_CLASS(CTestView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew; // whatever the test runner passed
    if (!ProcessShellCommand(cmdInfo))
        return nullptr;
    Pump();
    return static_cast<CTestFrame*>(AfxGetMainCWnd());
}

void CTestApp::OnAppCommand()
{
    Note("app", ID_APP_COMMAND);
}

BOOL CTestApp::OnEveryone(UINT nID)
{
    Note("app", nID);
    return TRUE;
}
} // namespace smallprogram
