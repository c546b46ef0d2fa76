#include "platform/ui/FrameWnd.h"

#include "platform/core/WinApp.h"
#include "platform/ui/BasePane.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/Document.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/Resources.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/View.h"

#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CFrameWndEx, CFrameWnd)

AFX_DOCK_TYPE CDockingManager::m_dockModeGlobal = DT_STANDARD;

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace
{
constexpr const char* kFrameClass = "AfxFrameWnd";
// How often toolbars and other command items are brought up to date while the frame shows.
constexpr int kIdleUpdateMs = 200;

// Frames are Qt main windows that their children (view, bars, panes) draw themselves on.
struct FrameClassRegistrar
{
    FrameClassRegistrar()
    {
        AfxRegisterControlClass(
            kFrameClass,
            [](HWND, const CREATESTRUCT&, QWidget* parent) -> QWidget* {
                auto* window = new QMainWindow(parent);
                window->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
                return window;
            },
            [](CWnd*, UINT, WPARAM, LPARAM, LRESULT*) -> BOOL { return FALSE; });
    }
} g_frameClass;

struct AcceleratorRegistry
{
    std::mutex lock;
    std::map<UINT, std::vector<ACCEL>> tables;
};

AcceleratorRegistry& Accelerators()
{
    static auto* registry = new AcceleratorRegistry;
    return *registry;
}

// The popup holding item nID in `menu` (depth first), or null.
CMenu* FindPopupOf(CMenu* menu, UINT nID)
{
    if (!menu)
        return nullptr;
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i)
    {
        if (CMenu* sub = menu->GetSubMenu(i))
        {
            if (CMenu* found = FindPopupOf(sub, nID))
                return found;
        }
        else if (menu->GetMenuItemID(i) == nID)
            return menu;
    }
    return nullptr;
}
} // namespace

void AfxRegisterAcceleratorTable(UINT nIDResource, const ACCEL* pEntries, int nCount)
{
    AcceleratorRegistry& r = Accelerators();
    std::lock_guard<std::mutex> guard(r.lock);
    r.tables[nIDResource].assign(pEntries, pEntries + std::max(0, nCount));
}

UINT AfxFindAccelerator(UINT nIDResource, const MSG* pMsg)
{
    if (!pMsg || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN))
        return 0;
    BYTE mods = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mods |= FSHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        mods |= FCONTROL;
    if (pMsg->message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0)
        mods |= FALT;
    AcceleratorRegistry& r = Accelerators();
    std::lock_guard<std::mutex> guard(r.lock);
    const auto it = r.tables.find(nIDResource);
    if (it == r.tables.end())
        return 0;
    for (const ACCEL& a : it->second)
    {
        if (!(a.fVirt & FVIRTKEY))
            continue; // character entries come as WM_CHAR, which a frame's table does not use
        if (a.key == static_cast<WORD>(pMsg->wParam) && (a.fVirt & (FSHIFT | FCONTROL | FALT)) == mods)
            return a.cmd;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// CFrameWnd: creation
// ---------------------------------------------------------------------------------------

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    m_pStatusHolder = nullptr;
    m_pIdleTimer = nullptr;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUIMessage)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_COMMAND(ID_APP_EXIT, &CFrameWnd::OnAppExit)
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = kFrameClass;
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    if (lpszMenuName && m_menuDefault.GetSafeHmenu() == nullptr)
        m_menuDefault.LoadMenu(static_cast<UINT>(reinterpret_cast<uintptr_t>(lpszMenuName)));
    if (lpszWindowName && m_strTitle.IsEmpty())
        m_strTitle = lpszWindowName;
    // Only a frame inside another window (a document window) is a child window.
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, pParentWnd ? dwStyle : dwStyle & ~WS_CHILD,
                    rect, pParentWnd, m_nIDChild, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    if (AfxLoadString(nIDResource, strings))
    {
        const int end = strings.Find('\n');
        m_strTitle = end >= 0 ? strings.Left(end) : strings;
    }
    if (m_menuDefault.GetSafeHmenu() == nullptr)
        m_menuDefault.LoadMenu(nIDResource);
    m_nIDAccel = nIDResource;
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext))
        return FALSE; // the object is gone (PostNcDestroy)
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = lpCreateStruct ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
    if (!OnCreateClient(lpCreateStruct, context))
        return -1;
    if (QMainWindow* window = GetMainWindow())
    {
        m_pIdleTimer = new QTimer(window);
        m_pIdleTimer->setInterval(kIdleUpdateMs);
        const HWND self = m_hWnd;
        QObject::connect(m_pIdleTimer, &QTimer::timeout, [self]() {
            if (CWnd* w = CWnd::FromHandle(self); w && w->IsWindowVisible())
                ::SendMessage(self, WM_IDLEUPDATECMDUI, TRUE, 0);
        });
        m_pIdleTimer->start();
    }
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = DYNAMIC_DOWNCAST(CWnd, object);
    if (!view)
    {
        delete object;
        return nullptr;
    }
    // A failed view deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    RecalcLayout();
    return view;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    if (m_pIdleTimer)
        m_pIdleTimer->stop();
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (CView* view = GetActiveView(); view && view->GetSafeHwnd())
        view->SetFocus();
}

void CFrameWnd::OnClose()
{
    const HWND self = m_hWnd;
    CDocument* doc = GetActiveDocument();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
    {
        // The main frame takes every document: each modified one is asked about once.
        if (doc && !doc->GetDocTemplate() && !doc->SaveModified())
            return;
        if (!app->SaveAllModified())
            return;
        // Their frames (this one too) go with them.
        app->CloseAllDocuments(FALSE);
        if (CWnd::FromHandle(self) != this)
            return;
    }
    else if (doc && !doc->CanCloseFrame(this))
        return;
    DestroyWindow();
}

void CFrameWnd::OnAppExit()
{
    CWnd* main = AfxGetMainCWnd();
    (main ? main : this)->SendMessage(WM_CLOSE);
}

// ---------------------------------------------------------------------------------------
// Views, documents and title
// ---------------------------------------------------------------------------------------

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (old == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (bNotify)
    {
        if (old)
            old->OnActivateView(FALSE, pViewNew, old);
        if (pViewNew)
            pViewNew->OnActivateView(TRUE, pViewNew, old);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (!view)
    {
        view = DYNAMIC_DOWNCAST(CView, GetDlgItem(AFX_IDW_PANE_FIRST));
        if (view)
            SetActiveView(view, FALSE);
    }
    (void)pDoc;
    if (bMakeVisible)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible)
    {
        ActivateFrame();
        if (view)
            view->OnActivateView(TRUE, view, view);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        CWinApp* app = AfxGetApp();
        nCmdShow = (app && app->m_pMainWnd == this && app->m_nCmdShow > 0) ? app->m_nCmdShow : SW_SHOW;
        // A frame whose stored placement is maximised (LoadLayoutState) comes up so; a plain
        // show command would make it normal.
        QWidget* w = GetWidget();
        if ((nCmdShow == SW_SHOWNORMAL || nCmdShow == SW_SHOW) && w && w->isHidden() && w->isMaximized())
            nCmdShow = SW_SHOWMAXIMIZED;
    }
    ShowWindow(nCmdShow);
    RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = bAddToTitle ? GetActiveDocument() : nullptr;
    UpdateFrameTitleForDocument(doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text;
    const bool hasDoc = lpszDocName && *lpszDocName;
    // No dangling " - " when either part is empty.
    if (!hasDoc)
        text = m_strTitle;
    else if (m_strTitle.IsEmpty())
        text = lpszDocName;
    else if (GetStyle() & FWS_PREFIXTITLE)
        text.Format("%s - %s", lpszDocName, static_cast<LPCSTR>(m_strTitle));
    else
        text.Format("%s - %s", static_cast<LPCSTR>(m_strTitle), lpszDocName);
    CString now;
    GetWindowText(now);
    if (now != text)
        SetWindowText(text);
}

// ---------------------------------------------------------------------------------------
// Layout and bars
// ---------------------------------------------------------------------------------------

QMainWindow* CFrameWnd::GetMainWindow() const
{
    return qobject_cast<QMainWindow*>(GetWidget());
}

CMenu* CFrameWnd::GetMenu() const
{
    if (CMenu* own = CWnd::GetMenu())
        return own;
    return m_menuDefault.GetSafeHmenu() ? const_cast<CMenu*>(&m_menuDefault) : nullptr;
}

void CFrameWnd::AddControlBar(CWnd* pBar)
{
    if (!pBar || !pBar->GetSafeHwnd())
        return;
    if (std::find(m_bars.begin(), m_bars.end(), pBar->GetSafeHwnd()) == m_bars.end())
        m_bars.push_back(pBar->GetSafeHwnd());
    RecalcLayout();
}

void CFrameWnd::RemoveControlBar(CWnd* pBar)
{
    if (pBar)
        m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar->GetSafeHwnd()), m_bars.end());
}

CWnd* CFrameWnd::GetControlBar(UINT nID)
{
    for (HWND h : m_bars)
        if (CWnd* bar = CWnd::FromHandle(h); bar && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    return nullptr;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    if (auto* bar = dynamic_cast<CMFCStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR)))
        bar->SetPaneText(0, lpszText ? lpszText : "");
}

void CFrameWnd::RecalcLayout(BOOL)
{
    QMainWindow* window = GetMainWindow();
    if (!window)
        return;
    // The view.
    CWnd* view = m_pViewActive ? static_cast<CWnd*>(m_pViewActive) : GetDlgItem(AFX_IDW_PANE_FIRST);
    if (view && view->GetWidget() && window->centralWidget() != view->GetWidget())
    {
        if (QWidget* old = window->centralWidget())
        {
            // setCentralWidget would delete the old one, which belongs to its own window.
            window->takeCentralWidget();
            old->setParent(window);
        }
        window->setCentralWidget(view->GetWidget());
    }
    // The bars.
    m_bars.erase(
        std::remove_if(m_bars.begin(), m_bars.end(), [](HWND h) { return CWnd::FromHandle(h) == nullptr; }),
        m_bars.end());
    for (HWND h : m_bars)
    {
        CWnd* bar = CWnd::FromHandle(h);
        QWidget* w = bar->GetWidget();
        if (!w)
            continue;
        if (bar->IsKindOf(RUNTIME_CLASS(CMFCStatusBar)))
        {
            if (!m_pStatusHolder)
            {
                m_pStatusHolder = new QStatusBar(window);
                m_pStatusHolder->setSizeGripEnabled(false);
                m_pStatusHolder->setContentsMargins(0, 0, 0, 0);
                window->setStatusBar(m_pStatusHolder);
            }
            if (w->parentWidget() != m_pStatusHolder)
            {
                const bool hidden = w->isHidden();
                m_pStatusHolder->addWidget(w, 1);
                w->setHidden(hidden);
                m_pStatusHolder->setHidden(hidden);
            }
        }
        else if (bar->IsKindOf(RUNTIME_CLASS(CMFCMenuBar)))
        {
            if (window->menuWidget() != w)
                window->setMenuWidget(w);
        }
        else if (auto* tb = qobject_cast<QToolBar*>(w))
        {
            if (window->toolBarArea(tb) == Qt::NoToolBarArea)
            {
                const bool hidden = tb->isHidden();
                window->addToolBar(Qt::TopToolBarArea, tb);
                tb->setHidden(hidden);
            }
        }
    }
    if (QLayout* layout = window->layout())
        layout->activate();
}

void CFrameWnd::ShowControlBar(CWnd* pBar, BOOL bShow, BOOL)
{
    if (!pBar || !pBar->GetWidget())
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (m_pStatusHolder && pBar->GetWidget()->parentWidget() == m_pStatusHolder)
        m_pStatusHolder->setVisible(bShow != FALSE);
    RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CWnd* bar = GetControlBar(nID);
    if (!bar)
        return FALSE;
    QWidget* w = bar->GetWidget();
    ShowControlBar(bar, w->isHidden() ? TRUE : FALSE, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CWnd* bar = GetControlBar(pCmdUI->m_nID);
    if (!bar || !bar->GetWidget())
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->SetCheck(bar->GetWidget()->isHidden() ? 0 : 1);
}

// ---------------------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A menu item or accelerator whose command is greyed now does nothing, as its item shows.
    if (lParam == 0 && HIWORD(wParam) == CN_COMMAND)
    {
        CCmdUI state;
        state.m_nID = LOWORD(wParam);
        if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr) && state.m_bEnableChanged &&
            !state.m_bEnabled)
            return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::UpdateMenuPopup(CMenu* pPopupMenu)
{
    if (!pPopupMenu)
        return;
    const int count = pPopupMenu->GetMenuItemCount();
    for (int i = 0; i < count; ++i)
    {
        const UINT id = pPopupMenu->GetMenuItemID(i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // separators; popups are brought up to date when they open
        CMenuCmdUI state(pPopupMenu, static_cast<UINT>(i));
        state.m_nID = id;
        // The system's own commands (0xF000 and up) are left as they are.
        state.DoUpdate(this, m_bAutoMenuEnable && id < 0xF000);
    }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu)
        UpdateMenuPopup(pPopupMenu);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg && m_nIDAccel != 0)
        if (const UINT cmd = AfxFindAccelerator(m_nIDAccel, pMsg))
        {
            SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(cmd), 0), 0);
            return TRUE;
        }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI();
    return 0;
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL AfxChooseMenuItem(CFrameWnd* pFrame, UINT nID)
{
    const UINT state = AfxGetMenuItemState(pFrame, nID);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)))
        return FALSE;
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(nID), 0), 0);
    return TRUE;
}

UINT AfxGetMenuItemState(CFrameWnd* pFrame, UINT nID)
{
    CMenu* popup = pFrame ? FindPopupOf(pFrame->GetMenu(), nID) : nullptr;
    if (!popup)
        return static_cast<UINT>(-1);
    pFrame->UpdateMenuPopup(popup);
    return popup->GetMenuState(nID, MF_BYCOMMAND);
}

CString AfxGetMenuItemText(CFrameWnd* pFrame, UINT nID)
{
    CString text;
    CMenu* popup = pFrame ? FindPopupOf(pFrame->GetMenu(), nID) : nullptr;
    if (!popup)
        return text;
    pFrame->UpdateMenuPopup(popup);
    popup->GetMenuString(nID, text, MF_BYCOMMAND);
    return text;
}

// ---------------------------------------------------------------------------------------
// CFrameWndEx
// ---------------------------------------------------------------------------------------

CFrameWndEx::CFrameWndEx() = default;

BEGIN_MESSAGE_MAP(CFrameWndEx, CFrameWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CFrameWndEx::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                            CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    LoadLayoutState();
    return TRUE;
}

BOOL CFrameWndEx::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    return TRUE;
}

BOOL CFrameWndEx::EnableAutoHidePanes(DWORD)
{
    return TRUE;
}

void CFrameWndEx::DockPane(CBasePane* pBar, UINT nDockBarID, LPCRECT)
{
    QMainWindow* window = GetMainWindow();
    if (!pBar || !window || !pBar->GetWidget())
        return;
    if (auto* pane = DYNAMIC_DOWNCAST(CDockablePane, pBar))
    {
        QDockWidget* dock = pane->GetDockWidget();
        if (!dock)
            return;
        DWORD side = pane->GetDockSide();
        switch (nDockBarID)
        {
        case AFX_IDW_DOCKBAR_LEFT:
            side = CBRS_ALIGN_LEFT;
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            side = CBRS_ALIGN_RIGHT;
            break;
        case AFX_IDW_DOCKBAR_TOP:
            side = CBRS_ALIGN_TOP;
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            side = CBRS_ALIGN_BOTTOM;
            break;
        default:
            break;
        }
        const bool hidden = dock->isHidden();
        window->addDockWidget(static_cast<Qt::DockWidgetArea>(DockAreaOfSide(side)), dock);
        dock->setFloating(false);
        dock->setHidden(hidden);
        return;
    }
    AddControlBar(pBar);
}

void CFrameWndEx::ShowPane(CBasePane* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (pBar)
        pBar->ShowPane(bShow, bDelay, bActivate);
}

void CFrameWndEx::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

CString CFrameWndEx::GetLayoutSection() const
{
    CString section;
    section.Format("Workspace\\DockingManager-%d", static_cast<int>(m_nIDHelp));
    return section;
}

BOOL CFrameWndEx::SaveLayoutState()
{
    CWinApp* app = AfxGetApp();
    QMainWindow* window = GetMainWindow();
    if (!app || !window)
        return FALSE;
    BOOL ok = TRUE;
    for (QDockWidget* dock : window->findChildren<QDockWidget*>())
        if (auto* pane = DYNAMIC_DOWNCAST(CDockablePane, CWnd::FromWidget(dock->widget())))
            ok = pane->SaveState() && ok;
    QByteArray state = window->saveState();
    ok = app->WriteProfileBinary(GetLayoutSection(), "DockState", reinterpret_cast<LPBYTE>(state.data()),
                                 static_cast<UINT>(state.size())) &&
         ok;
    // The window's own size and place go with its panes.
    QByteArray geometry = window->saveGeometry();
    ok = app->WriteProfileBinary(GetLayoutSection(), "WindowPlacement", reinterpret_cast<LPBYTE>(geometry.data()),
                                 static_cast<UINT>(geometry.size())) &&
         ok;
    return ok;
}

BOOL CFrameWndEx::LoadLayoutState()
{
    CWinApp* app = AfxGetApp();
    QMainWindow* window = GetMainWindow();
    if (!app || !window)
        return FALSE;
    LPBYTE data = nullptr;
    UINT bytes = 0;
    if (app->GetProfileBinary(GetLayoutSection(), "WindowPlacement", &data, &bytes))
    {
        window->restoreGeometry(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(bytes)));
        delete[] data;
        data = nullptr;
    }
    if (!app->GetProfileBinary(GetLayoutSection(), "DockState", &data, &bytes))
        return FALSE;
    const bool restored =
        window->restoreState(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(bytes)));
    delete[] data;
    // Each pane's own record decides whether it shows.
    for (QDockWidget* dock : window->findChildren<QDockWidget*>())
        if (auto* pane = DYNAMIC_DOWNCAST(CDockablePane, CWnd::FromWidget(dock->widget())))
        {
            const int stored = CDockablePane::GetStoredVisibility(static_cast<UINT>(pane->GetDlgCtrlID()));
            if (stored >= 0)
                pane->ShowPane(stored == 1, FALSE, FALSE);
        }
    RecalcLayout();
    return restored;
}

void CFrameWndEx::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        SaveLayoutState();
    CFrameWnd::OnClose();
}
