#include "orbisol/ui/ComputeOrbisolPP.h"

#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "orbisol/ui/AlmanacShow.h"
#include "orbisol/ui/AzimuthReport.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/PageTemplate.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/Dc.h"
#include "platform/ui/DateTimeCtrl.h"

#include <initializer_list>

namespace
{
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kResult = SS_SUNKEN | SS_CENTER | SS_CENTERIMAGE;
constexpr DWORD kPicker = WS_TABSTOP;

// Position and date at the top, the sun's results in the middle, the azimuths below them.
const DLGITEM_TABLE kComputeItems[] = {
    {DLGI_GROUPBOX, IDC_STATIC, "Geographicals", 7, 4, 226, 46},
    {DLGI_LTEXT, IDC_STATIC, "Latitude", 15, 18, 60, 8},
    {DLGI_EDITTEXT, IDC_COMPUTE_LATITUDE, "", 80, 16, 140, 13, kEdit},
    {DLGI_LTEXT, IDC_STATIC, "Longitude", 15, 34, 60, 8},
    {DLGI_EDITTEXT, IDC_COMPUTE_LONGITUDE, "", 80, 32, 140, 13, kEdit},
    {DLGI_LTEXT, IDC_STATIC, "Date", 15, 60, 30, 8},
    {DLGI_CONTROL, IDC_COMPUTE_DATE, "", 47, 58, 70, 13, kPicker, 0, DATETIMEPICK_CLASS},
    {DLGI_LTEXT, IDC_STATIC, "Time", 128, 60, 25, 8},
    {DLGI_CONTROL, IDC_COMPUTE_TIME, "", 155, 58, 55, 13, kPicker | DTS_TIMEFORMAT, 0, DATETIMEPICK_CLASS},
    {DLGI_LTEXT, IDC_STATIC, "GMT", 214, 60, 20, 8},
    {DLGI_PUSHBUTTON, IDC_COMPUTE_BUTTON, "Compute", 244, 16, 58, 14, WS_TABSTOP},
    {DLGI_LTEXT, IDC_STATIC, "Apparent Declination of Sun", 7, 84, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_DECLINATION, "", 130, 82, 95, 12, kResult},
    {DLGI_LTEXT, IDC_STATIC, "Excess (E) of GHA Sun over UT", 7, 100, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_E, "", 130, 98, 95, 12, kResult},
    {DLGI_LTEXT, IDC_STATIC, "Greenwich hour angle (GHA)", 7, 116, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_GHA, "", 130, 114, 95, 12, kResult},
    {DLGI_LTEXT, IDC_COMPUTE_GHA_TIME, "", 230, 114, 72, 12, kResult},
    {DLGI_LTEXT, IDC_STATIC, "Local hour angle (LHA)", 7, 132, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_LHA, "", 130, 130, 95, 12, kResult},
    {DLGI_LTEXT, IDC_COMPUTE_LHA_TIME, "", 230, 130, 72, 12, kResult},
    {DLGI_LTEXT, IDC_STATIC, "Azimuth of Sun", 7, 152, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_SUN_AZIMUTH, "", 130, 150, 95, 12, kResult},
    {DLGI_LTEXT, IDC_STATIC, "Angle to R.O.", 7, 168, 118, 8},
    {DLGI_EDITTEXT, IDC_COMPUTE_RO_ANGLE, "", 130, 166, 95, 13, kEdit},
    {DLGI_LTEXT, IDC_STATIC, "Azimuth to R.O.", 7, 185, 118, 8},
    {DLGI_LTEXT, IDC_COMPUTE_RO_AZIMUTH, "", 130, 183, 95, 12, kResult},
    {DLGI_PUSHBUTTON, IDC_COMPUTE_PRINT, "Print", 244, 166, 58, 14, WS_TABSTOP},
    {DLGI_LTEXT, IDC_COMPUTE_NO_ALMANAC, "", 7, 203, 297, 18},
};
ORBISOL_PAGE_TEMPLATE(kCompute, IDD_COMPUTE_ORBISOL, "Azimuth Computation", kComputeItems);
} // namespace

BEGIN_MESSAGE_MAP(CComputeOrbisolPP, CColourPropertyPage)
ON_EN_KILLFOCUS(IDC_COMPUTE_RO_ANGLE, &CComputeOrbisolPP::OnROAngleKillFocus)
ON_EN_KILLFOCUS(IDC_COMPUTE_LATITUDE, &CComputeOrbisolPP::OnLatitudeKillFocus)
ON_EN_KILLFOCUS(IDC_COMPUTE_LONGITUDE, &CComputeOrbisolPP::OnLongitudeKillFocus)
ON_EN_CHANGE(IDC_COMPUTE_RO_ANGLE, &CComputeOrbisolPP::OnEditChange)
ON_EN_CHANGE(IDC_COMPUTE_LATITUDE, &CComputeOrbisolPP::OnEditChange)
ON_EN_CHANGE(IDC_COMPUTE_LONGITUDE, &CComputeOrbisolPP::OnEditChange)
ON_REGISTERED_MESSAGE(UM_EDIT_CLOCK, &CComputeOrbisolPP::OnEditClock)
ON_BN_CLICKED(IDC_COMPUTE_BUTTON, &CComputeOrbisolPP::OnCompute)
ON_BN_CLICKED(IDC_COMPUTE_PRINT, &CComputeOrbisolPP::OnPrint)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CComputeOrbisolPP::CComputeOrbisolPP(CSunObservation* pSun, DateTimeDef* pDateTime)
    : CColourPropertyPage(IDD_COMPUTE_ORBISOL), m_pSunObservation(pSun), m_pDateTime(pDateTime)
{
    m_AzimuthBrush.CreateSolidBrush(kAzimuthColour);
}

BOOL CComputeOrbisolPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    SubclassPageControls(this, {{&m_Latitude, IDC_COMPUTE_LATITUDE},
                                {&m_Longitude, IDC_COMPUTE_LONGITUDE},
                                {&m_ROAngle, IDC_COMPUTE_RO_ANGLE},
                                {&m_Date, IDC_COMPUTE_DATE},
                                {&m_Time, IDC_COMPUTE_TIME},
                                {&m_Declination, IDC_COMPUTE_DECLINATION},
                                {&m_E, IDC_COMPUTE_E},
                                {&m_GHA, IDC_COMPUTE_GHA},
                                {&m_GHATime, IDC_COMPUTE_GHA_TIME},
                                {&m_LHA, IDC_COMPUTE_LHA},
                                {&m_LHATime, IDC_COMPUTE_LHA_TIME},
                                {&m_SunAzimuth, IDC_COMPUTE_SUN_AZIMUTH},
                                {&m_ROAzimuth, IDC_COMPUTE_RO_AZIMUTH},
                                {&m_Compute, IDC_COMPUTE_BUTTON},
                                {&m_Print, IDC_COMPUTE_PRINT},
                                {&m_NoResults, IDC_COMPUTE_NO_ALMANAC}});

    ShowEdits();
    // The pickers edit the observation's record; the computer's clock is never set from here.
    BindAlmanacDatePicker(m_Date, m_pDateTime);
    m_Time.SetSetClock(FALSE);
    m_Time.SetTimeFormat(1);
    m_Time.SetDateTime(m_pDateTime);
    TakeDateTime();
    Refresh();
    return TRUE;
}

BOOL CComputeOrbisolPP::OnSetActive()
{
    m_Date.ShowDateTime();
    m_Time.ShowDateTime();
    // Another page (the observations) may have changed the record without the pickers telling
    // this page; the results must be those of the date and time the pickers show.
    TakeDateTime();
    Refresh();
    ShowEdits();
    return CColourPropertyPage::OnSetActive();
}

void CComputeOrbisolPP::TakeDateTime()
{
    if (!m_pSunObservation || !m_pDateTime)
        return;
    m_pSunObservation->m_nDayOfYear = m_pDateTime->nDayOfYear;
    m_pSunObservation->m_dUT = m_pDateTime->dSecondsOfDay;
    m_pSunObservation->LoadAlmanac(m_pDateTime->nYear);
}

void CComputeOrbisolPP::ShowEdits()
{
    if (!m_pSunObservation)
        return;
    m_Latitude.SetValue(m_pSunObservation->m_dLatitude);
    m_Longitude.SetValue(m_pSunObservation->m_dLongitude);
    m_ROAngle.SetValue(m_pSunObservation->m_dROAngle);
}

void CComputeOrbisolPP::Refresh()
{
    if (m_Compute.GetSafeHwnd())
        m_Compute.ShowWindow(SW_HIDE);
    if (m_pSunObservation)
        m_pSunObservation->Compute();
    ShowResults();
}

void CComputeOrbisolPP::ShowResults()
{
    const CSunObservation* sun = m_pSunObservation;
    if (sun && sun->HasResults())
    {
        m_Declination.SetValue(sun->m_dDeclination);
        m_GHA.SetValue(sun->m_dGHA);
        m_LHA.SetValue(sun->m_dLHA);
        m_E.SetTime(sun->m_dE);
        m_GHATime.SetTime(sun->m_dGHATime);
        m_LHATime.SetTime(sun->m_dLHATime);
        m_SunAzimuth.SetValue(sun->m_dAzimuth);
        m_ROAzimuth.SetValue(sun->m_dROAzimuth);
        m_NoResultsText.Empty();
    }
    else
    {
        // Results of cleared coefficients would look like real ones; blank is the honest answer.
        for (CDispAngle* angle :
             std::initializer_list<CDispAngle*>{&m_Declination, &m_GHA, &m_LHA, &m_SunAzimuth, &m_ROAzimuth})
            angle->ClearValue();
        for (CDispTime* time : std::initializer_list<CDispTime*>{&m_E, &m_GHATime, &m_LHATime})
            time->ClearTime();
        m_NoResultsText = DescribeNoResults();
    }
    if (m_NoResults.GetSafeHwnd())
        m_NoResults.SetWindowText(m_NoResultsText);
}

CString CComputeOrbisolPP::DescribeNoResults() const
{
    if (!m_pSunObservation || !m_pDateTime)
        return CString();
    return DescribeMissingAlmanac(*m_pSunObservation, m_pDateTime->nYear);
}

void CComputeOrbisolPP::CommitEdit(CEditAngle& edit, double CSunObservation::*field)
{
    if (!m_pSunObservation || !edit.GetModified())
        return;
    if (!edit.ReadText())
        return; // the edit shows why; nothing is taken, nothing saved
    m_pSunObservation->*field = edit.GetAngle();
    edit.SetModified(FALSE);
    // A settings file that cannot be written keeps the old one; the value holds for this run.
    m_pSunObservation->SaveSettings();
    Refresh();
}

void CComputeOrbisolPP::OnLatitudeKillFocus()
{
    CommitEdit(m_Latitude, &CSunObservation::m_dLatitude);
}

void CComputeOrbisolPP::OnLongitudeKillFocus()
{
    CommitEdit(m_Longitude, &CSunObservation::m_dLongitude);
}

void CComputeOrbisolPP::OnROAngleKillFocus()
{
    CommitEdit(m_ROAngle, &CSunObservation::m_dROAngle);
}

void CComputeOrbisolPP::OnEditChange()
{
    if (m_Latitude.GetModified() || m_Longitude.GetModified() || m_ROAngle.GetModified())
        m_Compute.ShowWindow(SW_SHOW);
}

LRESULT CComputeOrbisolPP::OnEditClock(WPARAM wParam, LPARAM)
{
    if (!m_pSunObservation || !m_pDateTime)
        return 0;
    switch (LOWORD(wParam))
    {
    case IDC_COMPUTE_DATE:
        m_pSunObservation->LoadAlmanac(m_pDateTime->nYear);
        m_pSunObservation->m_nDayOfYear = m_pDateTime->nDayOfYear;
        break;
    case IDC_COMPUTE_TIME:
        m_pSunObservation->m_dUT = m_pDateTime->dSecondsOfDay;
        break;
    default:
        return 0;
    }
    Refresh();
    return 0;
}

void CComputeOrbisolPP::OnPrint()
{
    if (!m_pSunObservation || !m_pDateTime)
        return;
    if (!m_pSunObservation->HasResults())
    {
        ErrorMessage(m_NoResultsText.IsEmpty() ? DescribeNoResults() : m_NoResultsText, this);
        return;
    }
    PrintAzimuthReport(*m_pSunObservation, *m_pDateTime);
}

HBRUSH CComputeOrbisolPP::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_COMPUTE_SUN_AZIMUTH || id == IDC_COMPUTE_RO_AZIMUTH)
    {
        pDC->SetTextColor(0x000000);
        pDC->SetBkColor(kAzimuthColour);
        return static_cast<HBRUSH>(m_AzimuthBrush.GetSafeHandle());
    }
    return CColourPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}
