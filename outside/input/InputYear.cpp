#include "outside/input/InputYear.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MessageBox.h"

#include <cctype>

namespace
{
const DLGITEM_TABLE kYearItems[] = {
    {DLGI_LTEXT, IDC_INPUT_YEAR_PROMPT, "Year (2000 to 2099)", 7, 9, 166, 8},
    {DLGI_EDITTEXT, IDC_INPUT_YEAR_VALUE, "", 7, 20, 166, 14, ES_AUTOHSCROLL},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 69, 40, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 123, 40, 50, 14},
};
const DLGTEMPLATE_TABLE kYearTemplate = {IDD_INPUT_YEAR,
                                     "Set Year (2000 to 2099)",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     134,
                                     60,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION |
                                         WS_SYSMENU,
                                     0,
                                     kYearItems,
                                     AFX_DLGITEM_COUNT(kYearItems)};
const CDialogTemplateRegistrar g_RegisterYear(&kYearTemplate);
} // namespace

CInputYear::CInputYear(CWnd* pParent, int year) : CDialog(IDD_INPUT_YEAR, pParent), m_nYear(year) {}

bool CInputYear::ParseYear(const CString& text, int& year)
{
    CString trimmed = text;
    trimmed.Trim();
    // Four digits and nothing else: no sign, no fraction, no exponent.
    if (trimmed.GetLength() != 4)
        return false;
    int value = 0;
    for (int i = 0; i < 4; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(trimmed[i]);
        if (!std::isdigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < kFirstYear || value > kLastYear)
        return false;
    year = value;
    return true;
}

BOOL CInputYear::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString text;
    if (m_nYear >= kFirstYear && m_nYear <= kLastYear)
        text.Format("%d", m_nYear);
    SetDlgItemText(IDC_INPUT_YEAR_VALUE, text);
    return TRUE;
}

void CInputYear::OnOK()
{
    CString text;
    GetDlgItemText(IDC_INPUT_YEAR_VALUE, text);
    int year = 0;
    if (!ParseYear(text, year))
    {
        AfxMessageBox("Type a whole year from 2000 to 2099.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_nYear = year;
    CDialog::OnOK();
}
