#include "navhost/NavHostApp.h"

#include "navhost/MainFrame.h"
#include "navhost/NavHostResources.h"

CNavHostApp::CNavHostApp() : CWinAppEx(TRUE)
{
    SetAppID("NavHost.AppID.NoVersion");
}

CMainFrame* CNavHostApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CNavHostApp::InitInstance()
{
    RegisterNavHostResources();
    CWinAppEx::InitInstance();
    SetRegistryKey("Velmaro Technology Limited");
    InitContextMenuManager();
    InitKeyboardManager();

    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_NAVHOST_MAINFRAME))
    {
        // A frame that failed to be made has deleted itself.
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->PostStart();
    return TRUE;
}
