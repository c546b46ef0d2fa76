#include "acoustic/app/AcousticApp.h"

#include "acoustic/app/AcousticDoc.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/AcousticVersion.h"
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/MainFrame.h"
#include "outside/kadenta/Kadenta.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

BEGIN_MESSAGE_MAP(CAcousticApp, CWinAppEx)
ON_COMMAND(ID_APP_ABOUT, &CAcousticApp::OnAppAbout)
END_MESSAGE_MAP()

CAcousticApp::CAcousticApp() : CWinAppEx(TRUE)
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_ALL_ASPECTS;
    SetAppID("Acoustic.AppID.NoVersion");
}

CMainFrame* CAcousticApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CAcousticApp::InitialiseOle()
{
    return AfxOleInit();
}

BOOL CAcousticApp::InitInstance()
{
    RegisterAcousticResources();
    SetRunningProgramVersion(&kAcousticVersionBlock, kAcousticVersionRule);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();

    if (!InitialiseOle())
    {
        CString text;
        AfxLoadString(IDP_ACOUSTIC_OLE_INIT_FAILED, text);
        AfxMessageBox(text, MB_OK, IDP_ACOUSTIC_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    EnableTaskbarInteraction(FALSE);
    AfxInitRichEdit2();
    SetRegistryKey("Velmaro Technology Limited");
    LoadStdProfileSettings(4);
    // A keyboard customisation stored by an earlier run is dropped before the keyboard
    // manager starts, so the built-in accelerators apply.
    WriteProfileString("Workspace\\Keyboard-0", "Accelerators", nullptr);
    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CMFCToolTipInfo params;
    params.m_bVislManagerTheme = TRUE;
    params.m_nMaxDescrWidth = 200;
    GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);

    CSingleDocTemplate* pDocTemplate =
        new CSingleDocTemplate(IDR_ACOUSTIC_MAINFRAME, RUNTIME_CLASS(CAcousticDoc), RUNTIME_CLASS(CMainFrame),
                               RUNTIME_CLASS(CAcousticView));
    if (!pDocTemplate)
        return FALSE;
    AddDocTemplate(pDocTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return FALSE;
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->PostStartSetUp();
    return TRUE;
}

int CAcousticApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    return CWinAppEx::ExitInstance();
}

void CAcousticApp::OnAppAbout()
{
    DisplayAboutBox(GetAcousticVersion(), false);
}
