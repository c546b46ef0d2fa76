#include "zuduzuro/ui/ZuduzuroApp.h"

#include "outside/notifex/Notifex.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/core/Sync.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/SingleInstance.h"
#include "zuduzuro/ui/MainFrame.h"
#include "zuduzuro/ui/MainFrameResources.h"
#include "zuduzuro/ui/ZuduzuroDoc.h"
#include "zuduzuro/ui/ZuduzuroResources.h"
#include "zuduzuro/ui/ZuduzuroView.h"

#include <QGuiApplication>

const UINT UWM_PROGRAM_IDENTIFY_WINDOW = RegisterWindowMessage(ZUDUZURO_IDENTIFY_MESSAGE);

namespace
{
// How long a running copy has to answer the identify message (ms).
const DWORD kIdentifyTimeout = 200;
} // namespace

CZuduzuroApp::CZuduzuroApp() : CWinAppEx(TRUE)
{
    m_dwRestartManagerSupportFlags = 63;
    SetAppID("Zuduzuro.AppID.NoVersion");
}

CMainFrame* CZuduzuroApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

void CZuduzuroApp::ReleaseInstanceLock()
{
    if (m_hMutex)
        CloseHandle(m_hMutex);
    m_hMutex = nullptr;
}

BOOL CZuduzuroApp::InitInstance()
{
    RegisterZuduzuroResources();
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    // The program's own picture on its windows, not the desktop's generic one.
    QGuiApplication::setWindowIcon(ZuduzuroIcon());

    if (!AfxOleInit())
    {
        CString text;
        AfxLoadString(IDP_ZUDUZURO_OLE_INIT_FAILED, text);
        AfxMessageBox(text);
        return FALSE;
    }

    m_hMutex = CreateInstanceMutex(ZUDUZURO_INSTANCE_NAME);
    // Without a lock the program ends quietly through its message loop.
    if (!m_hMutex)
        return TRUE;
    if (GetLastError() == ERROR_ALREADY_EXISTS)
    {
        ReleaseInstanceLock();
        // A copy runs: it is brought forward when it answers in time, else the user is told.
        if (!RaiseRunningInstance(ZUDUZURO_INSTANCE_NAME, ZUDUZURO_IDENTIFY_MESSAGE, kIdentifyTimeout))
            ErrorMessage("Zuduzuro Already Running .............", nullptr, 0x300010);
        return FALSE;
    }

    AfxEnableControlContainer();
    EnableTaskbarInteraction(TRUE);
    AfxInitRichEdit2();
    SetRegistryKey("Velmaro Technology Limited");
    LoadStdProfileSettings(16);
    // A keyboard customisation stored by an earlier run is dropped before the keyboard
    // manager starts, so the built-in accelerators apply.
    WriteProfileString("Workspace\\Keyboard-0", "Accelerators", nullptr);
    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CMFCToolTipInfo params;
    params.m_bVislManagerTheme = TRUE;
    GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &params);

    CSingleDocTemplate* pDocTemplate = new CSingleDocTemplate(
        IDR_ZUDUZURO_MAINFRAME, RUNTIME_CLASS(CZuduzuroDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CZuduzuroView));
    if (!pDocTemplate)
        return FALSE;
    AddDocTemplate(pDocTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    if (CMainFrame* frame = GetMainFrame())
        frame->PostStart();
    return TRUE;
}

int CZuduzuroApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    ReleaseInstanceLock();
    return CWinAppEx::ExitInstance();
}
