// CFrameWnd / CFrameWndEx: a program's main window over a QMainWindow. Its view is the central
// widget, its menu bar and toolbars sit at the top, its status bar at the bottom and its
// docking panes in the dock areas around the view. Commands (WM_COMMAND) are routed to the
// active view, then its document, then the frame, then the application; menus are brought
// up to date (ON_UPDATE_COMMAND_UI) just before they open, toolbars on idle. Closing asks the
// frame's WM_CLOSE handler; the frame deletes itself when its window is gone.
#pragma once

#include "platform/ui/FrameStyles.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

#include <vector>

class CBasePane;
class CDocTemplate;
class CDocument;
class CDockablePane;
class CView;
class QMainWindow;
class QStatusBar;
class QTimer;

// What a frame needs to make its view for a document.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// Accelerator tables: key (a virtual key with FVIRTKEY, else a character) with modifiers to a
// command id.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
struct ACCEL
{
    BYTE fVirt;
    WORD key;
    WORD cmd;
};
// Registers the accelerator table of a resource id (kept by pointer: a static table).
PLATFORM_API void AfxRegisterAcceleratorTable(UINT nIDResource, const ACCEL* pEntries, int nCount);
// The command of a key message (WM_KEYDOWN / WM_SYSKEYDOWN) with the modifiers down now in
// the table of nIDResource; 0 when none.
PLATFORM_API UINT AfxFindAccelerator(UINT nIDResource, const MSG* pMsg);

class PLATFORM_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // A top-level frame; lpszMenuName (MAKEINTRESOURCE of an id) names its menu template.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame with the resources of nIDResource: its title (the first part of the
    // string of that id, up to '\n'), menu template and accelerator table. With a context the
    // frame makes its view (OnCreateClient). FALSE when the window was not made (the object
    // is deleted then).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    BOOL IsFrameWnd() const override { return TRUE; }
    CFrameWnd* ToFrameWnd() override { return this; }

    // ----- Views and documents ----------------------------------------------------------
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // Makes a view of pContext->m_pNewViewClass as child nID; null when that fails.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // WM_INITIALUPDATE to the children (views' OnInitialUpdate), the title, then the frame
    // shown when bMakeVisible.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (-1: as the program was started for the main frame, else normally).
    virtual void ActivateFrame(int nCmdShow = -1);

    // ----- Title ------------------------------------------------------------------------
    // With FWS_ADDTOTITLE the document's title joins the frame's: "doc - title" with
    // FWS_PREFIXTITLE, else "title - doc".
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
    CString GetTitle() const { return m_strTitle; }

    // ----- Layout and bars --------------------------------------------------------------
    // Puts every child where it belongs: the view in the centre, bars at the edges, panes in
    // the dock areas; activates the layout.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The bar (status bar, toolbar, menu bar) of the id among the frame's bars; null if none.
    CWnd* GetControlBar(UINT nID);
    // The text of the first pane of the frame's status bar (the bar of id AFX_IDW_STATUS_BAR),
    // where the program tells the user what just happened; nothing without that bar.
    void SetMessageText(LPCTSTR lpszText);
    void ShowControlBar(CWnd* pBar, BOOL bShow, BOOL bDelay);
    // The frame's menu (its menu template), or null.
    CMenu* GetMenu() const override;
    // The Qt window the frame is.
    QMainWindow* GetMainWindow() const;

    // ----- Commands ---------------------------------------------------------------------
    // Every item of the popup gets its update handler (CN_UPDATE_COMMAND_UI); with
    // m_bAutoMenuEnable an item without one is greyed unless a command handler exists.
    void UpdateMenuPopup(CMenu* pPopupMenu);
    // Routes to the active view (which passes on to its document), the frame, the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // A menu item's or accelerator's command whose update handler greys it is not run.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The frame's accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Idle work: WM_IDLEUPDATECMDUI to the frame's children (toolbars update their buttons).
    void OnIdleUpdateCmdUI();

    BOOL m_bAutoMenuEnable = TRUE;
    UINT m_nIDHelp = 0;
    CString m_strTitle;
    UINT m_nIDAccel = 0;

    // The layer's bookkeeping of bars (status bars, toolbars, menu bars register themselves).
    void AddControlBar(CWnd* pBar);
    void RemoveControlBar(CWnd* pBar);

protected:
    // Makes the view of the context.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Frames are made with new and go with their window.
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Asks the document (CanCloseFrame); the main frame closes every document; then the
    // window is destroyed.
    void OnClose();
    void OnDestroy();
    // The frame passes the focus on to its active view.
    void OnSetFocus(CWnd* pOldWnd);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    void OnAppExit();
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive = nullptr;
    CMenu m_menuDefault;
    std::vector<HWND> m_bars;
    QStatusBar* m_pStatusHolder = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    UINT m_nIDChild = 0; // the window id of a frame made as a child window
};

// Docking modes, accepted.
enum AFX_DOCK_TYPE
{
    DT_UNDEFINED = 0,
    DT_IMMEDIATE = 1,
    DT_STANDARD = 2,
    DT_SMART = 0x80
};

// The frame's docking manager: the layout itself is the Qt main window's.
class PLATFORM_API CDockingManager
{
public:
    static void SetDockingMode(AFX_DOCK_TYPE dockMode) { m_dockModeGlobal = dockMode; }
    static AFX_DOCK_TYPE GetDockingMode() { return m_dockModeGlobal; }

private:
    static AFX_DOCK_TYPE m_dockModeGlobal;
};

// The frame of the docking framework. Its layout (pane places, sizes and visibility) is kept
// in the profile when the frame closes and restored by LoadFrame on the next start: each
// pane's "IsVisible" under "Workspace\BasePane-<id>", the whole arrangement under
// "Workspace\DockingManager-<resource id>".
class PLATFORM_API CFrameWndEx : public CFrameWnd
{
    DECLARE_DYNCREATE(CFrameWndEx)
public:
    CFrameWndEx();

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // Accepted: panes dock where their style and EnableDocking allow.
    BOOL EnableDocking(DWORD dwDockStyle);
    BOOL EnableAutoHidePanes(DWORD dwDockStyle);
    // Puts the pane in its dock area (a docking pane), the top bar area (a toolbar) or the
    // menu place (the menu bar).
    void DockPane(CBasePane* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void ShowPane(CBasePane* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    CDockingManager* GetDockingManager() { return &m_dockManager; }
    void EnablePaneMenu(BOOL, UINT, const CString&, UINT, BOOL = FALSE, BOOL = FALSE) {}
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Writes the layout to the profile. FALSE without an application or when it cannot be
    // written.
    BOOL SaveLayoutState();
    // Restores the stored layout; FALSE when none is stored.
    BOOL LoadLayoutState();
    // The profile section of the whole arrangement.
    CString GetLayoutSection() const;

protected:
    void OnClose();
    DECLARE_MESSAGE_MAP()

    CDockingManager m_dockManager;
    DWORD m_dwDockStyle = 0;
};

// Picks a menu item as a user would (for tests and scripted use): the item's popup is brought up to
// date as when it opens, then a choosable item's command goes to the frame (WM_COMMAND).
// FALSE when the frame's menu has no such item or it is greyed.
PLATFORM_API BOOL AfxChooseMenuItem(CFrameWnd* pFrame, UINT nID);
// The item's MF_* state (MF_GRAYED, MF_CHECKED...) after the update its popup gets before it
// opens; (UINT)-1 when the frame's menu has no such item.
PLATFORM_API UINT AfxGetMenuItemState(CFrameWnd* pFrame, UINT nID);
// The item's text after that update (SetText may change it); empty when there is none.
PLATFORM_API CString AfxGetMenuItemText(CFrameWnd* pFrame, UINT nID);
