#include "outside/input/InputDouble.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DialogTemplate.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{
const DLGITEM_TABLE kItems[] = {
    {DLGI_LTEXT, IDC_INPUT_PROMPT, "", 7, 9, 120, 8},
    {DLGI_EDITTEXT, IDC_INPUT_VALUE, "", 7, 20, 120, 14, ES_AUTOHSCROLL},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 23, 40, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 77, 40, 50, 14},
};
const DLGTEMPLATE_TABLE kTemplate = {IDD_INPUT_DOUBLE, "", "MS Shell Dlg", 8, 0, 0, 134, 60,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     0, kItems, AFX_DLGITEM_COUNT(kItems)};
const CDialogTemplateRegistrar g_Register(&kTemplate);

// The whole text as a finite number; false for anything else ("", "12x", "nan").
bool ParseNumber(const CString& text, double& value)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(trimmed, &end);
    if (errno != 0 || !end || *end != '\0' || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

class CInputDoubleDlg : public CDialog
{
public:
    CInputDoubleDlg(const char* title, const char* prompt, double value, int decimals, CWnd* parent)
        : CDialog(IDD_INPUT_DOUBLE, parent), m_Title(title ? title : ""), m_Prompt(prompt ? prompt : ""),
          m_Value(value), m_Decimals(decimals < 0 ? 0 : (decimals > 15 ? 15 : decimals))
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowText(m_Title);
        SetDlgItemText(IDC_INPUT_PROMPT, m_Prompt);
        CString text;
        text.Format("%.*lf", m_Decimals, m_Value);
        m_Shown = text;
        SetDlgItemText(IDC_INPUT_VALUE, text);
        return TRUE;
    }

    void OnOK() override
    {
        CString text;
        GetDlgItemText(IDC_INPUT_VALUE, text);
        // An untouched text gives back the value itself, not its rounded form.
        if (text != m_Shown)
        {
            m_Confirmed = ParseNumber(text, m_Value);
            m_Refused = !m_Confirmed;
        }
        CDialog::OnOK();
    }

    CString m_Title, m_Prompt, m_Shown;
    double m_Value;
    int m_Decimals;
    bool m_Confirmed = false;
    bool m_Refused = false;
};
} // namespace

double InputDouble(const char* title, const char* prompt, double value, int decimals, CWnd* pParent, bool* refused)
{
    CInputDoubleDlg dialog(title, prompt, value, decimals, pParent);
    const bool ok = dialog.DoModal() == IDOK;
    if (refused)
        *refused = ok && dialog.m_Refused;
    return ok && dialog.m_Confirmed ? dialog.m_Value : value;
}
