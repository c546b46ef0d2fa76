#include "orbisol/ui/ColourPropertySheet.h"

#include "foundation/ConfigFile.h"

#include <cstdlib>

namespace
{
const char* const kActivePageKey = "Active Page";
// The first line of the file is all that is read: a value is a few characters, and a huge
// hand-made file costs no more than this.
constexpr UINT kLineLimit = 256;
} // namespace

BEGIN_MESSAGE_MAP(CColourPropertySheet, CPropertySheet)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CColourPropertySheet::CColourPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_Brush.CreateSolidBrush(m_BackgroundColour);
}

BOOL CColourPropertySheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    m_nWidth = window.Width();
    for (int id : {IDCANCEL, ID_APPLY_NOW, IDHELP})
        if (CWnd* button = GetDlgItem(id))
            button->DestroyWindow();
    ModifyStyle(WS_SYSMENU, 0);

    CWnd* standardOk = GetDlgItem(IDOK);
    CRect okRect(0, 0, 50, 14);
    if (standardOk)
        standardOk->GetWindowRect(&okRect);
    CRect place(kButtonLeft, kButtonBottom, 0, 0);
    MapDialogRect(&place);
    CRect client;
    GetClientRect(&client);
    const CRect ok(CPoint(place.left, client.bottom - place.top - okRect.Height()), okRect.Size());
    const CRect cancel(CPoint(ok.right, ok.top), okRect.Size());
    if (m_bOkButton && m_OkButton.Create("Ok", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ok, this, IDOK))
    {
        m_OkButton.SetFont(GetFont());
        m_OkButton.ShowWindow(SW_SHOW);
    }
    if (m_bCancelButton &&
        m_CancelButton.Create("Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, cancel, this, IDCANCEL))
    {
        m_CancelButton.SetFont(GetFont());
        m_CancelButton.ShowWindow(SW_SHOW);
    }
    if (standardOk)
        standardOk->DestroyWindow();

    SetActivePage(ReadActivePage());
    return result;
}

void CColourPropertySheet::ShowOkCancel(BOOL bShow)
{
    for (CColourButton* button : {&m_OkButton, &m_CancelButton})
        if (button->GetSafeHwnd())
            button->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

CString CColourPropertySheet::GetActivePageFileName() const
{
    CConfigFile file;
    return file.GetSettingsFileName(m_strCaption + "_PS");
}

int CColourPropertySheet::ReadActivePage() const
{
    int page = 0;
    CConfigFile::ReadWhole(GetActivePageFileName(), CFile::modeRead | CFile::typeText, [&](CConfigFile& file) {
        char line[kLineLimit] = {};
        if (!file.ReadString(line, kLineLimit))
            return;
        CString value;
        if (CConfigFile::ValueAfterEquals(CString(line), value))
            page = std::atoi(value);
    });
    // A hand-edited file may name any number: only a page of this sheet is taken.
    return (page >= 0 && page < GetPageCount()) ? page : 0;
}

bool CColourPropertySheet::WriteActivePage() const
{
    const int page = GetActiveIndex();
    return CConfigFile::WriteSettingsFile(m_strCaption + "_PS",
                                          [&](CConfigFile& file) { file.WriteInt(kActivePageKey, page); });
}

BOOL CColourPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Written before the command runs: Ok and Cancel end the sheet, and the page is kept.
    WriteActivePage();
    return CPropertySheet::OnCommand(wParam, lParam);
}

HBRUSH CColourPropertySheet::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH brush = OrbisolCtlColor(pDC, nCtlColor, m_Brush, m_BackgroundColour, m_TextColour))
        return brush;
    return CPropertySheet::OnCtlColor(pDC, pWnd, nCtlColor);
}
