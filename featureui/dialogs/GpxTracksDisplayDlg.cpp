#include "featureui/dialogs/GpxTracksDisplayDlg.h"

#include "featureui/dialogs/GpxWindFarmResources.h"
#include "features/Gpx.h"
#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"

namespace
{
UINT GpxTracksDisplayTemplate()
{
    RegisterGpxWindFarmTemplates();
    return IDD_GPX_TRACKS_DISPLAY;
}

constexpr double kNauticalMilesPerMetre = 0.0005399568034557236; // 1/1852
constexpr double kKnotsPerMetreSecond = 1.9438444924406046;      // 3600/1852
constexpr double kSecondsPerDay = 86400.0;

// A point's time counts from 1 January 2000, the date scale from 2 January: without the day
// between them every date would show a day late.
CString PointDate(double seconds)
{
    return FormatDateSince2000(seconds - kSecondsPerDay);
}

CString Fixed3(double value)
{
    CString text;
    text.Format("%.3lf", value);
    return text;
}

CString Bearing(double degrees)
{
    CString text;
    text.Format("%05.1lf\xB0", degrees);
    return text;
}
} // namespace

IMPLEMENT_DYNAMIC(CGpxTracksDisplayDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CGpxTracksDisplayDlg, CColourDialogEx)
ON_CBN_SELCHANGE(IDC_GPX_TRACK_SELECT, &CGpxTracksDisplayDlg::OnSelchangeTrackSelectCombo)
END_MESSAGE_MAP()

CGpxTracksDisplayDlg::CGpxTracksDisplayDlg(CWnd* pParent) : CColourDialogEx(GpxTracksDisplayTemplate(), pParent) {}

void CGpxTracksDisplayDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GPX_TRACK_SELECT, m_TrackSelect);
    DDX_Control(pDX, IDC_LIST1, m_List);
    DDX_Control(pDX, IDOK, m_OK);
}

BOOL CGpxTracksDisplayDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (m_pGpx)
        for (INT_PTR i = 0; i < m_pGpx->m_Tracks.GetSize(); ++i)
            m_TrackSelect.AddString(m_pGpx->m_Tracks[i]->Name);
    m_TrackSelect.SetCurSel(0);
    Display();
    return TRUE;
}

void CGpxTracksDisplayDlg::OnSelchangeTrackSelectCombo()
{
    m_nTrack = m_TrackSelect.GetCurSel();
    Display();
}

CString CGpxTracksDisplayDlg::FormatTotalTime(double seconds)
{
    int days = 0;
    while (seconds >= kSecondsPerDay)
    {
        seconds -= kSecondsPerDay;
        ++days;
    }
    CString time = FormatTimeOfDay(seconds);
    if (seconds < 3600.0 && time.GetLength() > 3)
        time = time.Mid(3);
    if (days == 0)
        return time;
    CString text;
    text.Format(days == 1 ? "%d Day %s" : "%d Days %s", days, static_cast<LPCSTR>(time));
    return text;
}

void CGpxTracksDisplayDlg::Display()
{
    m_List.DeleteAllItems();
    while (m_List.DeleteColumn(0))
    {
    }
    // An empty track or one outside the list shows an empty table rather than ending the
    // dialog.
    if (!m_pGpx || m_nTrack < 0 || m_nTrack >= m_pGpx->m_Tracks.GetSize())
        return;
    const GpxTrackDef* track = m_pGpx->m_Tracks[m_nTrack];
    const int count = static_cast<int>(track->Points.GetSize());
    if (count == 0)
        return;
    const bool times = track->Points[0].Time != 0.0;

    m_List.SetRedraw(FALSE);
    static const char* const kWithout[] = {"Latitude", "Longitude", "Leg\nBearing\n(\xB0T)", "Leg\nDistance\n(Nm)",
                                           "Total\nDistance\n(Nm)"};
    static const char* const kWith[] = {"\nDate",
                                        "\nTime",
                                        "\nLatitude",
                                        "\nLongitude",
                                        "Leg\nBearing\n(\xB0T)",
                                        "Leg\nDistance\n(Nm)",
                                        "Leg\nSpeed\nKnots",
                                        "Total\nDistance\nFrom Start",
                                        "Total\nTime\nFrom Start",
                                        "Track\nAverage\nSpeed"};
    const char* const* headings = times ? kWith : kWithout;
    const int columns = times ? 10 : 5;
    const int leftAligned = times ? 4 : 2;
    for (int c = 0; c < columns; ++c)
        m_List.AddColumn(headings[c], c < leftAligned ? LVCFMT_LEFT : LVCFMT_CENTER);

    for (int i = 0; i < count; ++i)
    {
        const GpxPointDef& p = track->Points[i];
        const bool leg = i < count - 1;
        const bool total = i > 0;
        int c = 0;
        int row;
        if (times)
        {
            row = m_List.InsertItem(i, PointDate(p.Time));
            m_List.SetItemText(row, ++c, FormatTimeOfDay(p.Time));
        }
        else
            row = m_List.InsertItem(i, "");
        m_List.SetItemText(row, times ? ++c : c, FormatAngle(p.Latitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
        m_List.SetItemText(row, ++c, FormatAngle(p.Longitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
        if (leg)
        {
            m_List.SetItemText(row, c + 1, Bearing(p.LegBearing));
            m_List.SetItemText(row, c + 2, Fixed3(p.LegDistance * kNauticalMilesPerMetre));
            if (times)
                m_List.SetItemText(row, c + 3, Fixed3(p.LegSpeed * kKnotsPerMetreSecond));
        }
        c += times ? 3 : 2;
        if (total)
        {
            m_List.SetItemText(row, c + 1, Fixed3(p.TotalDistance * kNauticalMilesPerMetre));
            if (times)
            {
                m_List.SetItemText(row, c + 2, FormatTotalTime(p.TotalTime));
                m_List.SetItemText(row, c + 3, Fixed3(p.AverageSpeed * kKnotsPerMetreSecond));
            }
        }
    }
    m_List.SetRedraw(TRUE);
    AutoSizeColumns(&m_List, false);
}
