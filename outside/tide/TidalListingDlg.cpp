#include "outside/tide/TidalListingDlg.h"

#include "marevo/NP159.h"
#include "marevo/TideCalendar.h"
#include "outside/tide/TideText.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/ListBox.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{
const DLGITEM_TABLE kItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "First day:", 7, 9, 40, 8},
    {DLGI_COMBOBOX, IDC_LISTING_FIRST_DAY, "", 50, 7, 70, 150, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {DLGI_LTEXT, IDC_STATIC, "Days:", 128, 9, 22, 8},
    {DLGI_EDITTEXT, IDC_LISTING_DAYS, "", 152, 7, 24, 14, ES_AUTOHSCROLL | WS_TABSTOP},
    {DLGI_PUSHBUTTON, IDC_LISTING_SHOW, "List", 182, 7, 40, 14, WS_TABSTOP},
    {DLGI_LISTBOX, IDC_LISTING_LIST, "", 7, 27, 215, 150, WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {DLGI_LTEXT, IDC_LISTING_STATUS, "", 7, 183, 160, 8},
    {DLGI_DEFPUSHBUTTON, IDOK, "Close", 172, 181, 50, 14},
};
const DLGTEMPLATE_TABLE kTemplate = {IDD_TIDAL_LISTING, "Tidal Listing", "MS Shell Dlg", 8, 0, 0, 229, 202,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                     kItems, AFX_DLGITEM_COUNT(kItems)};
const CDialogTemplateRegistrar g_Register(&kTemplate);

constexpr double kDaySeconds = 86400.0;
} // namespace

BEGIN_MESSAGE_MAP(CTidalListingDlg, CDialog)
ON_BN_CLICKED(IDC_LISTING_SHOW, &CTidalListingDlg::OnShow)
END_MESSAGE_MAP()

CTidalListingDlg::CTidalListingDlg(CWnd* pParent, CNP159* pData)
    : CDialog(IDD_TIDAL_LISTING, pParent), m_pData(pData)
{
}

BOOL CTidalListingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* first = static_cast<CComboBox*>(GetDlgItem(IDC_LISTING_FIRST_DAY));
    const int year = m_pData != nullptr ? m_pData->m_nYear : 0;
    if (year >= 1 && year <= 9999)
        for (int i = 0; i < DaysInGregorianYear(year); ++i)
            first->AddString(TideDayOfYearText(year, i));
    first->SetCurSel(first->GetCount() > 0 ? 0 : -1);
    SetDlgItemText(IDC_LISTING_DAYS, "1");
    OnShow();
    return TRUE;
}

std::vector<TideExtreme> CTidalListingDlg::FindExtremes(CNP159* pData, int first, int days)
{
    std::vector<TideExtreme> found;
    if (pData == nullptr || first < 0 || days < 1 || pData->m_TidalFactors.GetSize() == 0)
        return found;
    const CTidalPort* port = pData->GetCurrentPort();
    if (port == nullptr)
        return found;
    const double from = pData->m_dStart + first * kDaySeconds;
    const double to = from + days * kDaySeconds;
    const CArray<TideDataDef>& curve = port->m_Curve;
    for (INT_PTR i = 1; i + 1 < curve.GetSize(); ++i)
    {
        const double t = curve[i].dTime;
        if (t < from || t >= to)
            continue;
        const double before = curve[i - 1].dHeight, h = curve[i].dHeight, after = curve[i + 1].dHeight;
        if (!std::isfinite(before) || !std::isfinite(h) || !std::isfinite(after))
            continue;
        if (h > before && h >= after)
            found.push_back({t - pData->m_dStart, h, true});
        else if (h < before && h <= after)
            found.push_back({t - pData->m_dStart, h, false});
    }
    return found;
}

void CTidalListingDlg::OnShow()
{
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_LISTING_LIST));
    list->ResetContent();
    const int first = static_cast<CComboBox*>(GetDlgItem(IDC_LISTING_FIRST_DAY))->GetCurSel();
    CString daysText;
    GetDlgItemText(IDC_LISTING_DAYS, daysText);
    daysText.Trim();
    char* end = nullptr;
    errno = 0;
    const long days = std::strtol(daysText, &end, 10);
    if (daysText.IsEmpty() || errno != 0 || end == nullptr || *end != '\0' || days < 1 || days > kMaxDays)
    {
        CString status;
        status.Format("Days must be a whole number from 1 to %d", kMaxDays);
        SetDlgItemText(IDC_LISTING_STATUS, status);
        return;
    }
    const std::vector<TideExtreme> extremes = FindExtremes(m_pData, first, static_cast<int>(days));
    const int year = m_pData != nullptr ? m_pData->m_nYear : 0;
    for (const TideExtreme& e : extremes)
    {
        const long whole = std::lround(e.dSeconds / 60.0);
        const int day = static_cast<int>(whole / 1440);
        const int minute = static_cast<int>(whole % 1440);
        CString line;
        line.Format("%s  %s  %-4s  %s m", TideDayOfYearText(year, day).GetString(),
                    TideClockText(minute / 60, minute % 60).GetString(), e.bHigh ? "High" : "Low",
                    TideNumberText(e.dHeight, 2).GetString());
        list->AddString(line);
    }
    SetDlgItemText(IDC_LISTING_STATUS, extremes.empty() ? "No data" : "");
}
