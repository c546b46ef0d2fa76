#include "orbisol/ui/SunPolynomialCoeffsPP.h"

#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "orbisol/SunObservation.h"
#include "orbisol/ui/AlmanacShow.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/PageTemplate.h"
#include "platform/ui/DateTimeCtrl.h"

namespace
{
constexpr DWORD kValue = ES_READONLY | ES_RIGHT | WS_BORDER;
constexpr int kRowStep = 16;
constexpr int kFirstRow = 50;

// The date above; declination and E side by side, a0 to a4 and their check sums; R and the
// semi-diameter below them, each with its unit.
const DLGITEM_TABLE kCoefficientsItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Date", 10, 10, 24, 8},
    {DLGI_CONTROL, IDC_COEFF_DATE, "", 38, 8, 80, 13, WS_TABSTOP, 0, DATETIMEPICK_CLASS},
    {DLGI_GROUPBOX, IDC_STATIC, "Declination and E", 7, 26, 297, 124},
    {DLGI_CTEXT, IDC_STATIC, "Dec. (Degs)", 80, 38, 80, 8},
    {DLGI_CTEXT, IDC_STATIC, "E (h)", 190, 38, 80, 8},
    {DLGI_LTEXT, IDC_STATIC, "a0", 30, kFirstRow + 2, 40, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_A0, "", 80, kFirstRow, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_A0, "", 190, kFirstRow, 80, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "a1", 30, kFirstRow + kRowStep + 2, 40, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_A1, "", 80, kFirstRow + kRowStep, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_A1, "", 190, kFirstRow + kRowStep, 80, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "a2", 30, kFirstRow + 2 * kRowStep + 2, 40, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_A2, "", 80, kFirstRow + 2 * kRowStep, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_A2, "", 190, kFirstRow + 2 * kRowStep, 80, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "a3", 30, kFirstRow + 3 * kRowStep + 2, 40, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_A3, "", 80, kFirstRow + 3 * kRowStep, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_A3, "", 190, kFirstRow + 3 * kRowStep, 80, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "a4", 30, kFirstRow + 4 * kRowStep + 2, 40, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_A4, "", 80, kFirstRow + 4 * kRowStep, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_A4, "", 190, kFirstRow + 4 * kRowStep, 80, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "Check Sum", 30, kFirstRow + 5 * kRowStep + 6, 45, 8},
    {DLGI_EDITTEXT, IDC_COEFF_DEC_CHECK, "", 80, kFirstRow + 5 * kRowStep + 4, 80, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_E_CHECK, "", 190, kFirstRow + 5 * kRowStep + 4, 80, 12, kValue},
    {DLGI_GROUPBOX, IDC_STATIC, "R", 7, 154, 146, 30},
    {DLGI_EDITTEXT, IDC_COEFF_R_A0, "", 13, 166, 56, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_R_A1, "", 73, 166, 56, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "h", 135, 168, 12, 8},
    {DLGI_GROUPBOX, IDC_STATIC, "Sun's Semi-Diameter (S.D.)", 158, 154, 146, 30},
    {DLGI_EDITTEXT, IDC_COEFF_SD_A0, "", 164, 166, 56, 12, kValue},
    {DLGI_EDITTEXT, IDC_COEFF_SD_A1, "", 224, 166, 56, 12, kValue},
    {DLGI_LTEXT, IDC_STATIC, "Deg", 284, 168, 18, 8},
    {DLGI_LTEXT, IDC_COEFF_NO_ALMANAC, "", 7, 190, 297, 18},
};
ORBISOL_PAGE_TEMPLATE(kCoefficients, IDD_SUN_POLYNOMIAL_COEFFS, "Polynomial Coefficients", kCoefficientsItems);

// Which field of the month's record each edit shows.
struct CoefficientItem
{
    UINT id;
    double SunAlmanacDef::*value;
};
constexpr CoefficientItem kItems[] = {
    {IDC_COEFF_R_A0, &SunAlmanacDef::dRa0},   {IDC_COEFF_R_A1, &SunAlmanacDef::dRa1},
    {IDC_COEFF_DEC_A0, &SunAlmanacDef::dDa0}, {IDC_COEFF_DEC_A1, &SunAlmanacDef::dDa1},
    {IDC_COEFF_DEC_A2, &SunAlmanacDef::dDa2}, {IDC_COEFF_DEC_A3, &SunAlmanacDef::dDa3},
    {IDC_COEFF_DEC_A4, &SunAlmanacDef::dDa4}, {IDC_COEFF_E_A0, &SunAlmanacDef::dEa0},
    {IDC_COEFF_E_A1, &SunAlmanacDef::dEa1},   {IDC_COEFF_E_A2, &SunAlmanacDef::dEa2},
    {IDC_COEFF_E_A3, &SunAlmanacDef::dEa3},   {IDC_COEFF_E_A4, &SunAlmanacDef::dEa4},
    {IDC_COEFF_SD_A0, &SunAlmanacDef::dSDa0}, {IDC_COEFF_SD_A1, &SunAlmanacDef::dSDa1},
};
} // namespace

BEGIN_MESSAGE_MAP(CSunPolynomialCoeffsPP, CColourPropertyPage)
ON_REGISTERED_MESSAGE(UM_EDIT_CLOCK, &CSunPolynomialCoeffsPP::OnEditClock)
END_MESSAGE_MAP()

CSunPolynomialCoeffsPP::CSunPolynomialCoeffsPP(CSunObservation* pSun, DateTimeDef* pDateTime)
    : CColourPropertyPage(IDD_SUN_POLYNOMIAL_COEFFS), m_pSunObservation(pSun), m_pDateTime(pDateTime)
{
}

CString CSunPolynomialCoeffsPP::FormatCoefficient(double value)
{
    CString text;
    text.Format("%+10.6lf", value);
    return text;
}

BOOL CSunPolynomialCoeffsPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    SubclassPageControls(this, {{&m_Date, IDC_COEFF_DATE}, {&m_NoAlmanac, IDC_COEFF_NO_ALMANAC}});
    BindAlmanacDatePicker(m_Date, m_pDateTime);
    ShowCoefficients();
    return TRUE;
}

BOOL CSunPolynomialCoeffsPP::OnSetActive()
{
    m_Date.ShowDateTime();
    ShowCoefficients();
    ShowSheetButtons(FALSE);
    return CColourPropertyPage::OnSetActive();
}

BOOL CSunPolynomialCoeffsPP::OnKillActive()
{
    // The sheet has no system menu: whatever page comes next, "Ok" and "Cancel" must be there
    // to close the program.
    ShowSheetButtons(TRUE);
    return CColourPropertyPage::OnKillActive();
}

LRESULT CSunPolynomialCoeffsPP::OnEditClock(WPARAM, LPARAM)
{
    ShowCoefficients();
    return 0;
}

void CSunPolynomialCoeffsPP::ShowCoefficients()
{
    if (!m_pSunObservation || !m_pDateTime || !GetSafeHwnd())
        return;
    // The records are the observation's own: the compute page works on the year loaded here.
    const bool loaded = m_pSunObservation->LoadAlmanac(m_pDateTime->nYear);
    const int month = m_pDateTime->nMonth;
    const SunAlmanacDef record = (month >= 1 && month <= 12) ? m_pSunObservation->m_Months[month - 1] : SunAlmanacDef{};
    for (const CoefficientItem& item : kItems)
        SetDlgItemText(item.id, FormatCoefficient(record.*item.value));
    const double decCheck = 0.0 + record.dDa0 + record.dDa1 + record.dDa2 + record.dDa3 + record.dDa4;
    const double eCheck = 0.0 + record.dEa0 + record.dEa1 + record.dEa2 + record.dEa3 + record.dEa4;
    SetDlgItemText(IDC_COEFF_DEC_CHECK, FormatCoefficient(decCheck));
    SetDlgItemText(IDC_COEFF_E_CHECK, FormatCoefficient(eCheck));
    m_NoAlmanac.SetWindowText(loaded ? CString() : DescribeMissingAlmanac(*m_pSunObservation, m_pDateTime->nYear));
}
