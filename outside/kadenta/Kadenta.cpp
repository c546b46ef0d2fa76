#include "outside/kadenta/Kadenta.h"

#include "platform/core/WinApp.h"
#include "platform/ui/Dialog.h"

namespace
{
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kAutoCloseMs = 3000;

const DLGITEM_TABLE kAboutItems[] = {
    {DLGI_CTEXT, IDC_KADENTA_PROGRAM, "", 10, 10, 200, 12},
    {DLGI_CTEXT, IDC_KADENTA_VERSION, "", 10, 26, 200, 10},
    {DLGI_CTEXT, IDC_KADENTA_COMPANY, "", 10, 40, 200, 10},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 85, 58, 50, 14, WS_GROUP},
};
const DLGTEMPLATE_TABLE kAbout = {IDD_KADENTA_ABOUT,
                                  "About",
                                  "MS Shell Dlg",
                                  8,
                                  0,
                                  0,
                                  220,
                                  80,
                                  DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  kAboutItems,
                                  AFX_DLGITEM_COUNT(kAboutItems)};
const CDialogTemplateRegistrar registerAbout(&kAbout);

class CAboutBox : public CDialog
{
public:
    CAboutBox(const char* version, bool bAutoClose)
        : CDialog(IDD_KADENTA_ABOUT, AfxGetMainCWnd()), m_version(version ? version : ""),
          m_bAutoClose(bAutoClose)
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CString program, versionLine, company;
        GetAboutBoxTexts(m_version, program, versionLine, company);
        CString caption;
        caption.Format("About %s", program.GetString());
        SetWindowText(caption);
        SetDlgItemText(IDC_KADENTA_PROGRAM, program);
        SetDlgItemText(IDC_KADENTA_VERSION, versionLine);
        SetDlgItemText(IDC_KADENTA_COMPANY, company);
        if (m_bAutoClose)
            SetTimer(kCloseTimer, kAutoCloseMs);
        return TRUE;
    }

    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != kCloseTimer)
            return;
        KillTimer(kCloseTimer);
        EndDialog(IDOK);
    }

    DECLARE_MESSAGE_MAP()

private:
    CString m_version;
    bool m_bAutoClose;
};

BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()
} // namespace

void GetAboutBoxTexts(const char* version, CString& program, CString& versionLine, CString& company)
{
    const char* name = AfxGetAppName();
    program = (name != nullptr && *name != '\0') ? name : "Program";
    versionLine.Format("Version %s", version ? version : "");
    versionLine.TrimRight();
    CWinApp* app = AfxGetApp();
    company = (app != nullptr && app->m_pszRegistryKey != nullptr) ? app->m_pszRegistryKey : "";
}

INT_PTR DisplayAboutBox(const char* version, bool bAutoClose)
{
    CAboutBox box(version, bAutoClose);
    return box.DoModal();
}
