#include "orbisol/ui/ObservationsPP.h"

#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "orbisol/SunObservation.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolPictures.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/PageTemplate.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/Dc.h"
#include "platform/ui/DateTimeCtrl.h"

#include <cmath>

namespace
{
constexpr DWORD kReadingEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kMean = SS_SUNKEN | SS_CENTER | SS_CENTERIMAGE;
constexpr DWORD kTimePicker = WS_TABSTOP | DTS_TIMEFORMAT;
constexpr DWORD kPicture = SS_BITMAP | SS_CENTERIMAGE;
constexpr double kSecondsPerDay = 86400.0;

// Face left above face right, each row a picture, a time and a reading, the means below.
const DLGITEM_TABLE kObservationsItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Time of Observation", 62, 4, 80, 8},
    {DLGI_LTEXT, IDC_STATIC, "Horizontal Angle", 150, 4, 90, 8},
    {DLGI_GROUPBOX, IDC_STATIC, "Face Left", 7, 14, 297, 62},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FL_RO, "", 14, 26, 14, 13, kPicture},
    {DLGI_LTEXT, IDC_STATIC, "R.O", 34, 28, 24, 8},
    {DLGI_EDITTEXT, IDC_OBS_FL_RO, "", 150, 26, 95, 13, kReadingEdit},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FL_SUN_LEFT, "", 14, 42, 14, 13, kPicture},
    {DLGI_CONTROL, IDC_OBS_FL_SUN_LEFT_TIME, "", 62, 42, 70, 13, kTimePicker, 0, DATETIMEPICK_CLASS},
    {DLGI_EDITTEXT, IDC_OBS_FL_SUN_LEFT, "", 150, 42, 95, 13, kReadingEdit},
    {DLGI_PUSHBUTTON, IDC_OBS_FL_SUN_LEFT_NOW, "Time Now", 250, 41, 48, 14, WS_TABSTOP},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FL_SUN_RIGHT, "", 14, 58, 14, 13, kPicture},
    {DLGI_CONTROL, IDC_OBS_FL_SUN_RIGHT_TIME, "", 62, 58, 70, 13, kTimePicker, 0, DATETIMEPICK_CLASS},
    {DLGI_EDITTEXT, IDC_OBS_FL_SUN_RIGHT, "", 150, 58, 95, 13, kReadingEdit},
    {DLGI_PUSHBUTTON, IDC_OBS_FL_SUN_RIGHT_NOW, "Time Now", 250, 57, 48, 14, WS_TABSTOP},
    {DLGI_GROUPBOX, IDC_STATIC, "Face Right", 7, 80, 297, 62},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FR_SUN_RIGHT, "", 14, 92, 14, 13, kPicture},
    {DLGI_CONTROL, IDC_OBS_FR_SUN_RIGHT_TIME, "", 62, 92, 70, 13, kTimePicker, 0, DATETIMEPICK_CLASS},
    {DLGI_EDITTEXT, IDC_OBS_FR_SUN_RIGHT, "", 150, 92, 95, 13, kReadingEdit},
    {DLGI_PUSHBUTTON, IDC_OBS_FR_SUN_RIGHT_NOW, "Time Now", 250, 91, 48, 14, WS_TABSTOP},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FR_SUN_LEFT, "", 14, 108, 14, 13, kPicture},
    {DLGI_CONTROL, IDC_OBS_FR_SUN_LEFT_TIME, "", 62, 108, 70, 13, kTimePicker, 0, DATETIMEPICK_CLASS},
    {DLGI_EDITTEXT, IDC_OBS_FR_SUN_LEFT, "", 150, 108, 95, 13, kReadingEdit},
    {DLGI_PUSHBUTTON, IDC_OBS_FR_SUN_LEFT_NOW, "Time Now", 250, 107, 48, 14, WS_TABSTOP},
    {DLGI_LTEXT, IDC_OBS_PICTURE_FR_RO, "", 14, 124, 14, 13, kPicture},
    {DLGI_LTEXT, IDC_STATIC, "R.O", 34, 126, 24, 8},
    {DLGI_EDITTEXT, IDC_OBS_FR_RO, "", 150, 124, 95, 13, kReadingEdit},
    {DLGI_GROUPBOX, IDC_STATIC, "Mean", 7, 146, 297, 50},
    {DLGI_LTEXT, IDC_OBS_PICTURE_MEAN, "", 14, 159, 14, 13, kPicture},
    {DLGI_LTEXT, IDC_OBS_MEAN_TIME, "", 62, 160, 70, 12, kMean},
    {DLGI_LTEXT, IDC_OBS_MEAN_SUN, "", 150, 160, 95, 12, kMean},
    {DLGI_LTEXT, IDC_STATIC, "R.O", 34, 178, 24, 8},
    {DLGI_LTEXT, IDC_OBS_MEAN_RO, "", 150, 176, 95, 12, kMean},
    {DLGI_PUSHBUTTON, IDC_OBS_APPLY, "Apply", 250, 175, 48, 14, WS_TABSTOP},
};
ORBISOL_PAGE_TEMPLATE(kObservations, IDD_OBSERVATIONS, "Observations", kObservationsItems);

// The pickers and their "Time Now" buttons, in the order of the pointings.
constexpr UINT kTimeIds[CObservationReadings::PointingCount] = {
    IDC_OBS_FL_SUN_LEFT_TIME, IDC_OBS_FL_SUN_RIGHT_TIME, IDC_OBS_FR_SUN_LEFT_TIME, IDC_OBS_FR_SUN_RIGHT_TIME};
constexpr UINT kTimeNowIds[CObservationReadings::PointingCount] = {
    IDC_OBS_FL_SUN_LEFT_NOW, IDC_OBS_FL_SUN_RIGHT_NOW, IDC_OBS_FR_SUN_LEFT_NOW, IDC_OBS_FR_SUN_RIGHT_NOW};
// The pictures, top to bottom, and what each shows.
struct PictureRow
{
    UINT id;
    int bitmap; // index into the page's bitmaps: R.O., sun left, sun right, the program's
};
constexpr PictureRow kPictureRows[] = {{IDC_OBS_PICTURE_FL_RO, 0},        {IDC_OBS_PICTURE_FL_SUN_LEFT, 1},
                                       {IDC_OBS_PICTURE_FL_SUN_RIGHT, 2}, {IDC_OBS_PICTURE_FR_SUN_RIGHT, 2},
                                       {IDC_OBS_PICTURE_FR_SUN_LEFT, 1},  {IDC_OBS_PICTURE_FR_RO, 0},
                                       {IDC_OBS_PICTURE_MEAN, 3}};
constexpr UINT kBitmapIds[] = {IDB_ORBISOL_RO, IDB_ORBISOL_SUN_LEFT, IDB_ORBISOL_SUN_RIGHT,
                               IDB_ORBISOL_PROGRAM};
} // namespace

BEGIN_MESSAGE_MAP(CObservationsPP, CColourPropertyPage)
ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_OBS_FR_RO, IDC_OBS_FL_SUN_RIGHT, &CObservationsPP::OnReadingKillFocus)
ON_CONTROL_RANGE(BN_CLICKED, IDC_OBS_FL_SUN_LEFT_NOW, IDC_OBS_FR_SUN_RIGHT_NOW, &CObservationsPP::OnTimeNow)
ON_BN_CLICKED(IDC_OBS_APPLY, &CObservationsPP::OnApply)
ON_REGISTERED_MESSAGE(UM_EDIT_CLOCK, &CObservationsPP::OnEditClock)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CObservationsPP::CObservationsPP(CSunObservation* pSun, DateTimeDef* pDateTime)
    : CColourPropertyPage(IDD_OBSERVATIONS), m_pSunObservation(pSun), m_pDateTime(pDateTime)
{
    m_MeanBrush.CreateSolidBrush(kMeanColour);
    RegisterOrbisolPictures();
}

CString CObservationsPP::FormatMeanTime(double seconds)
{
    // Whole seconds, as the pickers show them; a mean a hair below midnight reads 23:59:59.
    const int whole = static_cast<int>(std::floor(seconds));
    CString text;
    text.Format("%02d:%02d:%02d", whole / 3600, (whole / 60) % 60, whole % 60);
    return text;
}

CColourPropertySheet* CObservationsPP::GetColourSheet() const
{
    return dynamic_cast<CColourPropertySheet*>(GetSheet());
}

BOOL CObservationsPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    SubclassPageControls(this, {{&m_FaceLeftRO, IDC_OBS_FL_RO},
                                {&m_FaceLeftSunLeft, IDC_OBS_FL_SUN_LEFT},
                                {&m_FaceLeftSunRight, IDC_OBS_FL_SUN_RIGHT},
                                {&m_FaceRightSunLeft, IDC_OBS_FR_SUN_LEFT},
                                {&m_FaceRightSunRight, IDC_OBS_FR_SUN_RIGHT},
                                {&m_FaceRightRO, IDC_OBS_FR_RO},
                                {&m_MeanTime, IDC_OBS_MEAN_TIME},
                                {&m_MeanSun, IDC_OBS_MEAN_SUN},
                                {&m_MeanRO, IDC_OBS_MEAN_RO},
                                {&m_Apply, IDC_OBS_APPLY}});
    for (int pointing = 0; pointing < CObservationReadings::PointingCount; ++pointing)
    {
        m_Times[pointing].SubclassDlgItem(kTimeIds[pointing], this);
        m_TimeNow[pointing].SubclassDlgItem(kTimeNowIds[pointing], this);
    }
    ShowPictures();

    CStringArray damaged;
    m_Readings.Load(&damaged);

    m_FaceLeftRO.SetValue(m_Readings.m_dFaceLeftRO);
    m_FaceLeftSunLeft.SetValue(m_Readings.m_dFaceLeftSunLeft);
    m_FaceLeftSunRight.SetValue(m_Readings.m_dFaceLeftSunRight);
    m_FaceRightSunLeft.SetValue(m_Readings.m_dFaceRightSunLeft);
    m_FaceRightSunRight.SetValue(m_Readings.m_dFaceRightSunRight);
    m_FaceRightRO.SetValue(m_Readings.m_dFaceRightRO);
    for (int pointing = 0; pointing < CObservationReadings::PointingCount; ++pointing)
    {
        // The pickers edit the pointings' records; the computer's clock is never set from here.
        m_Times[pointing].SetSetClock(FALSE);
        m_Times[pointing].SetTimeFormat(1);
        m_Times[pointing].SetDateTime(&m_Readings.m_Times[pointing]);
    }
    ShowMeanTime();
    ShowMeanRO();
    ShowMeanSun();

    if (damaged.GetSize() > 0)
    {
        // Told once, with every bad line, so the user can mend the file or retype the values.
        CString text;
        text.Format("The observations file %s is damaged; the defaults are used for ",
                    static_cast<const char*>(CObservationReadings::GetFileName()));
        for (int i = 0; i < damaged.GetSize(); ++i)
            text += (i ? ", " : "") + damaged[i];
        text += ".";
        ErrorMessage(text, this);
    }
    return TRUE;
}

void CObservationsPP::ShowPictures()
{
    for (int i = 0; i < static_cast<int>(sizeof(kBitmapIds) / sizeof(kBitmapIds[0])); ++i)
        if (!m_Bitmaps[i].GetSafeHandle())
            m_Bitmaps[i].LoadBitmap(kBitmapIds[i]);
    int row = 0;
    for (const PictureRow& picture : kPictureRows)
    {
        CStatic& control = m_Pictures[row++];
        control.SubclassDlgItem(picture.id, this);
        if (m_Bitmaps[picture.bitmap].GetSafeHandle())
            control.SetBitmap(static_cast<HBITMAP>(m_Bitmaps[picture.bitmap]));
    }
}

BOOL CObservationsPP::OnSetActive()
{
    ShowSheetButtons(FALSE);
    ShowMeanRO();
    return CColourPropertyPage::OnSetActive();
}

BOOL CObservationsPP::OnKillActive()
{
    ShowSheetButtons(TRUE);
    // A file that cannot be written keeps the old one; the readings hold for this run.
    m_Readings.Save();
    return CColourPropertyPage::OnKillActive();
}

CEditAngle* CObservationsPP::ReadingEdit(UINT nID, double** reading)
{
    struct Row
    {
        UINT id;
        CEditAngle* edit;
        double* value;
    };
    const Row rows[] = {
        {IDC_OBS_FL_RO, &m_FaceLeftRO, &m_Readings.m_dFaceLeftRO},
        {IDC_OBS_FL_SUN_LEFT, &m_FaceLeftSunLeft, &m_Readings.m_dFaceLeftSunLeft},
        {IDC_OBS_FL_SUN_RIGHT, &m_FaceLeftSunRight, &m_Readings.m_dFaceLeftSunRight},
        {IDC_OBS_FR_SUN_LEFT, &m_FaceRightSunLeft, &m_Readings.m_dFaceRightSunLeft},
        {IDC_OBS_FR_SUN_RIGHT, &m_FaceRightSunRight, &m_Readings.m_dFaceRightSunRight},
        {IDC_OBS_FR_RO, &m_FaceRightRO, &m_Readings.m_dFaceRightRO},
    };
    for (const Row& row : rows)
        if (row.id == nID)
        {
            *reading = row.value;
            return row.edit;
        }
    return nullptr;
}

bool CObservationsPP::CommitReading(UINT nID)
{
    double* reading = nullptr;
    CEditAngle* edit = ReadingEdit(nID, &reading);
    if (!edit || !edit->GetModified())
        return false;
    if (!edit->ReadText())
        return false; // the edit shows why; the reading stays
    *reading = edit->GetAngle();
    edit->SetModified(FALSE);
    return true;
}

void CObservationsPP::OnReadingKillFocus(UINT nID)
{
    if (!CommitReading(nID))
        return;
    if (nID == IDC_OBS_FL_RO || nID == IDC_OBS_FR_RO)
        ShowMeanRO();
    else
        ShowMeanSun();
}

void CObservationsPP::OnTimeNow(UINT nID)
{
    for (int pointing = 0; pointing < CObservationReadings::PointingCount; ++pointing)
        if (kTimeNowIds[pointing] == nID)
        {
            m_Readings.SetTimeNow(static_cast<CObservationReadings::Pointing>(pointing));
            m_Times[pointing].ShowDateTime();
            ShowMeanTime();
        }
}

LRESULT CObservationsPP::OnEditClock(WPARAM, LPARAM)
{
    ShowMeanTime();
    return 0;
}

void CObservationsPP::ShowMeanTime()
{
    if (m_MeanTime.GetSafeHwnd())
        m_MeanTime.SetWindowText(FormatMeanTime(m_Readings.MeanTime()));
}

void CObservationsPP::ShowMeanSun()
{
    if (m_MeanSun.GetSafeHwnd())
        m_MeanSun.SetValue(m_Readings.MeanSun());
}

void CObservationsPP::ShowMeanRO()
{
    if (m_MeanRO.GetSafeHwnd())
        m_MeanRO.SetValue(m_Readings.MeanRO());
}

void CObservationsPP::OnApply()
{
    if (m_pSunObservation)
    {
        m_pSunObservation->m_dROAngle = ROAngleFromMeans(m_Readings.MeanRO(), m_Readings.MeanSun());
        m_pSunObservation->SaveSettings();
    }
    if (m_pDateTime)
        SetTimeOfDay(*m_pDateTime, std::fmod(m_Readings.MeanTime(), kSecondsPerDay));
    ShowSheetButtons(TRUE);
    CColourPropertySheet* sheet = GetColourSheet();
    m_Readings.Save();
    // The compute page takes the record's time and the R.O. angle as it comes forward.
    if (sheet)
        sheet->SetActivePage(0);
}

HBRUSH CObservationsPP::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_OBS_MEAN_TIME || id == IDC_OBS_MEAN_SUN || id == IDC_OBS_MEAN_RO)
    {
        pDC->SetTextColor(0x000000);
        pDC->SetBkColor(kMeanColour);
        return static_cast<HBRUSH>(m_MeanBrush.GetSafeHandle());
    }
    return CColourPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}
