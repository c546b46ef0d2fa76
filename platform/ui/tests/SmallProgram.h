// A small document/view program for the frame tests, started the way a program starts: an
// application with a single-document template (document, docking frame, list view), a menu
// bar, a toolbar, a status bar, two docking panes and accelerators. Each piece records the
// commands it handled, in order, so that tests see where a command went.
#pragma once

#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/WinAppEx.h"

#include <string>
#include <vector>

namespace smallprogram
{
constexpr UINT IDR_MAIN = 9300;
constexpr UINT ID_PANE_A = 9311;
constexpr UINT ID_PANE_B = 9312;
constexpr UINT ID_VIEW_COUNT = 9320; // the view handles it
constexpr UINT ID_DOC_COMMAND = 9321;
constexpr UINT ID_FRAME_COMMAND = 9322;
constexpr UINT ID_APP_COMMAND = 9323;
constexpr UINT ID_NO_HANDLER = 9324;
constexpr UINT ID_GREYED = 9325;   // its update handler greys it
constexpr UINT ID_RENAMED = 9326;  // its update handler renames it
constexpr UINT ID_EVERYONE = 9327; // every target handles it and passes it on
constexpr UINT ID_INDICATOR_TEXT = 9340;

// Everything a run of the program did, in order ("view:9320", "doc:9321", ...).
std::vector<std::string>& Log();

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc();
    ~CTestDoc() override;
    void Serialize(CArchive& ar) override;
    static int s_live;
    CString m_data;

protected:
    void OnDocCommand();
    BOOL OnEveryone(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestView : public CListView
{
    DECLARE_DYNCREATE(CTestView)
public:
    void OnInitialUpdate() override;
    int m_initialUpdates = 0;
    int m_rightClicks = 0;
    int m_count = 0;

protected:
    void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCount();
    void OnUpdateCount(CCmdUI* pCmdUI);
    BOOL OnEveryone(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// A pane that fills its client area with its colour.
class CTestPane : public CDockablePane
{
public:
    COLORREF m_colour = 0;
    // WM_SHOWWINDOW's flag each time the pane received it, in order.
    std::vector<BOOL> m_shown;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW)
            m_shown.push_back(static_cast<BOOL>(wParam));
        return CDockablePane::WindowProc(message, wParam, lParam);
    }

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CTestFrame : public CFrameWndEx
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    CMFCMenuBar m_wndMenuBar;
    CMFCToolBar m_wndToolBar;
    CMFCStatusBar m_wndStatusBar;
    CTestPane m_paneA;
    CTestPane m_paneB;
    // The closing question's answer is the user's (through the message box).
    int m_closeQuestions = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnPane(UINT nID);
    void OnUpdatePane(CCmdUI* pCmdUI);
    void OnFrameCommand();
    void OnUpdateGreyed(CCmdUI* pCmdUI);
    void OnGreyed();
    void OnUpdateRenamed(CCmdUI* pCmdUI);
    BOOL OnEveryone(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestApp : public CWinAppEx
{
public:
    CTestApp();
    // The program ends: its main window (and with it the document) goes with the application.
    ~CTestApp() override;
    // InitInstance's work, as a program does it; the main frame, or null when it failed.
    CTestFrame* Start();

protected:
    void OnAppCommand();
    BOOL OnEveryone(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// Lets the event loop run (posted messages, layout, paints).
void Pump(int rounds = 5);
} // namespace smallprogram
