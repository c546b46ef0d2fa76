#include "geodetic/GeodeticApp.h"

#include "geodetic/GeodeticDoc.h"
#include "geodetic/GeodeticIcon.h"
#include "geodetic/GeodeticResources.h"
#include "geodetic/GeodeticView.h"
#include "geodetic/MainFrame.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

#include <QGuiApplication>

CGeodeticApp::CGeodeticApp() : CWinAppEx(TRUE)
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_ALL_ASPECTS;
    SetAppID("Geodetic.AppID.NoVersion");
}

CMainFrame* CGeodeticApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CGeodeticApp::InitInstance()
{
    RegisterGeodeticResources();
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    // The program's own picture on its windows, not the desktop's generic one.
    QGuiApplication::setWindowIcon(GeodeticIcon());

    if (!AfxOleInit())
    {
        CString text;
        AfxLoadString(IDP_GEODETIC_OLE_INIT_FAILED, text);
        AfxMessageBox(text);
        return FALSE;
    }
    AfxEnableControlContainer();
    EnableTaskbarInteraction(TRUE);
    AfxInitRichEdit2();

    SetRegistryKey("Velmaro Technology Limited");
    LoadStdProfileSettings(16);
    // Keyboard shortcuts a user once customised are dropped, so the built-in ones apply.
    DelProfileTree("Workspace\\Keyboard-0");

    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CMFCToolTipInfo params;
    params.m_bVislManagerTheme = TRUE;
    params.m_nMaxDescrWidth = 200;
    GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);

    AddDocTemplate(new CSingleDocTemplate(IDR_GEODETIC_MAINFRAME, RUNTIME_CLASS(CGeodeticDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CGeodeticView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    AfxInitRichEdit2();
    if (CMainFrame* frame = GetMainFrame())
        frame->PostStart();
    return TRUE;
}

int CGeodeticApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    return CWinAppEx::ExitInstance();
}
