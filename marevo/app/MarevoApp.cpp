#include "marevo/app/MarevoApp.h"

#include "marevo/app/MainFrame.h"
#include "marevo/app/MarevoResources.h"
#include "marevo/app/MarevoVersion.h"
#include "outside/kadenta/Kadenta.h"
#include "outside/quentra/TiffDoc.h"
#include "outside/quentra/TiffView.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

BEGIN_MESSAGE_MAP(CMarevoApp, CWinAppEx)
ON_COMMAND(ID_APP_ABOUT, &CMarevoApp::OnAppAbout)
END_MESSAGE_MAP()

CMarevoApp::CMarevoApp() : CWinAppEx(TRUE)
{
    SetAppID("Marevo.AppID.NoVersion");
}

CMainFrame* CMarevoApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CMarevoApp::InitialiseOle()
{
    return AfxOleInit();
}

BOOL CMarevoApp::InitInstance()
{
    RegisterMarevoResources();
    SetRunningProgramVersion(&kMarevoVersionBlock, kMarevoVersionRule);
    CWinAppEx::InitInstance();

    if (!InitialiseOle())
    {
        CString text;
        AfxLoadString(IDP_MAREVO_OLE_INIT_FAILED, text);
        AfxMessageBox(text, MB_OK, IDP_MAREVO_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    EnableTaskbarInteraction(FALSE);
    SetRegistryKey("Quorvel Limited");
    LoadStdProfileSettings(16);
    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CMFCToolTipInfo params;
    params.m_bVislManagerTheme = TRUE;
    params.m_nMaxDescrWidth = 200;
    GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);

    CSingleDocTemplate* pDocTemplate = new CSingleDocTemplate(
        IDR_MAREVO_MAINFRAME, RUNTIME_CLASS(CTiffDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTiffView));
    AddDocTemplate(pDocTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return FALSE;
    const int year = frame->m_NP159.m_nYear;
    frame->m_wndMoonPane.SetYear(year);
    frame->m_wndHarmonicConstantsPane.SetYear(year);
    frame->m_wndTurningPointPane.SetYear(year);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->TellLoadProblems();
    return TRUE;
}

int CMarevoApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    return CWinAppEx::ExitInstance();
}

void CMarevoApp::OnAppAbout()
{
    DisplayAboutBox(GetMarevoVersion(), false);
}
