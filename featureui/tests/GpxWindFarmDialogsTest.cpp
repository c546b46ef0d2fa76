#include "featureui/dialogs/FindWindFarm.h"
#include "featureui/dialogs/GpxSettings.h"
#include "featureui/dialogs/GpxTracksDisplayDlg.h"
#include "featureui/dialogs/GpxTracksDlg.h"
#include "featureui/dialogs/GpxWindFarmResources.h"
#include "featureui/dialogs/WindFarmDlg.h"
#include "featureui/dialogs/WindFarmTurbinesDlg.h"
#include "features/Gpx.h"
#include "features/WindFarmList.h"
#include "foundation/AngleFormat.h"
#include "foundation/ColourPickerComboBoxEx.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"
#include "featureui/tests/PaneTestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
CListCtrl& ListOf(CDialog* dlg)
{
    return *static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_LIST1));
}

// Shows the dialog, as a user has it in front of them, before the answer looks and clicks.
void Show(CDialog* dlg)
{
    dlg->ShowWindow(SW_SHOW);
    PumpFor(20);
}

// Dark pixels inside a row's check box, as the list shows it.
int DarkPixelsInCheckBox(CListCtrl& list, int row)
{
    CRect cell;
    if (!list.GetSubItemRect(row, 0, LVIR_BOUNDS, cell))
        return -1;
    const QImage shot = list.GetWidget()->grab().toImage();
    int dark = 0;
    for (int y = cell.CenterPoint().y - 4; y <= cell.CenterPoint().y + 4; ++y)
        for (int x = cell.left + 5; x <= cell.left + 13; ++x)
            if (qGray(shot.pixel(x, y)) < 80)
                ++dark;
    return dark;
}

// A click on a row's check box, where the list draws it.
void ClickCheckBox(CListCtrl& list, int row)
{
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(row, 0, LVIR_BOUNDS, cell));
    UserInput::ClickClient(&list, cell.left + 3 + 6, cell.CenterPoint().y);
}

constexpr double kRad = 3.14159265358979323846 / 180.0;

GpxPointDef Point(double lonDeg, double latDeg, double time, double legM, double bearing, double speed,
                  double totalM, double totalS, double average)
{
    return GpxPointDef{lonDeg * kRad, latDeg * kRad, time, legM, bearing, 0.0, speed, totalM, totalS, average};
}

// Three tracks (the second hidden) and two waypoints, beside a GPX file on C:.
void FillGpx(CGPX& gpx)
{
    gpx.m_FilePath = "C:\\Tracks\\Survey Day.gpx";
    gpx.m_TrackColour = CColourPickerComboBoxEx::GetColour(3);
    gpx.AddWaypoint("Buoy", true);
    gpx.AddWaypoint("Wreck", false);
    GpxTrackDef* a = gpx.AddTrack("Outbound", true);
    a->Points.Add(Point(1.0, 55.0, 0.0, 1852.0, 90.0, 0.0, 0.0, 0.0, 0.0));
    a->Points.Add(Point(1.03, 55.0, 0.0, 0.0, 0.0, 0.0, 1852.0, 0.0, 0.0));
    gpx.AddTrack("Survey", false);
    gpx.AddTrack("Inbound", true);
}
} // namespace

TEST(GpxTracksDisplay, TotalTimesCountWholeDaysAndShortenTheLastHour)
{
    const struct
    {
        double seconds;
        const char* text;
    } cases[] = {{90061.0, "1 Day 01:01:01"}, {125.0, "02:05"},    {172800.0, "2 Days 00:00"},
                 {3600.0, "01:00:00"},       {3599.0, "59:59"},    {0.0, "00:00"},
                 {86399.0, "23:59:59"},      {259261.0, "3 Days 01:01"}};
    for (const auto& c : cases)
        EXPECT_STREQ(CGpxTracksDisplayDlg::FormatTotalTime(c.seconds), c.text) << c.seconds;
}

TEST(GpxTracksDisplay, TableWithTimesShowsLegsAndTotalsInNauticalMilesAndKnots)
{
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DM, 3, 'N', 'E'));
    CGPX gpx;
    // Two days after the start of 2000, crossing midnight: 23:59:50 to 00:00:10 the next day.
    const double start = 2 * 86400.0 - 10.0;
    GpxTrackDef* timed = gpx.AddTrack("Timed", true);
    timed->Points.Add(Point(1.5, 55.5, start, 1852.0, 5.25, 1852.0 / 3600.0 * 2.0, 0.0, 0.0, 0.0));
    timed->Points.Add(Point(1.5, 55.53, start + 20.0, 926.0, 270.0, 1.0, 1852.0, 20.0, 10.0));
    timed->Points.Add(Point(1.49, 55.53, start + 90081.0, 0.0, 0.0, 0.0, 2778.0, 90081.0, 0.5));
    GpxTrackDef* untimed = gpx.AddTrack("Untimed", true);
    // A first point without a time: the table has no times even though later points have them.
    untimed->Points.Add(Point(-2.0, -10.0, 0.0, 3704.0, 180.0, 0.0, 0.0, 0.0, 0.0));
    untimed->Points.Add(Point(-2.0, -10.06, 5000.0, 0.0, 0.0, 0.0, 3704.0, 5000.0, 0.0));

    ModalHook::AnswerDialog(IDD_GPX_TRACKS_DISPLAY, [](CDialog* dlg) {
        CListCtrl& list = ListOf(dlg);
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 10);
        EXPECT_EQ(list.GetItemCount(), 3);
        const char* const expected[3][10] = {
            {"02 Jan 2000", "23:59:50", "", "", "005.2\xB0", "1.000", "2.000", "", "", ""},
            {"03 Jan 2000", "00:00:10", "", "", "270.0\xB0", "0.500", "1.944", "1.000", "00:20", "19.438"},
            {"04 Jan 2000", "01:01:11", "", "", "", "", "", "1.500", "1 Day 01:01:21", "0.972"}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 10; ++col)
            {
                if (col == 2 || col == 3)
                    continue;
                EXPECT_STREQ(list.GetItemText(row, col), expected[row][col]) << row << "," << col;
            }
        EXPECT_STREQ(list.GetItemText(0, 2), FormatAngle(55.5 * kRad, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 3));
        EXPECT_STREQ(list.GetItemText(2, 3), FormatAngle(1.49 * kRad, ANGLE_LONGITUDE, ANGLE_FORMAT_DM, 3));

        // The second track: five columns, no times.
        auto* combo = static_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPX_TRACK_SELECT));
        EXPECT_EQ(combo->GetCount(), 2);
        combo->SetCurSel(1);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPX_TRACK_SELECT, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 5);
        EXPECT_EQ(list.GetItemCount(), 2);
        EXPECT_STREQ(list.GetItemText(0, 0), FormatAngle(-10.0 * kRad, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 3));
        EXPECT_STREQ(list.GetItemText(0, 2), "180.0\xB0");
        EXPECT_STREQ(list.GetItemText(0, 3), "2.000");
        EXPECT_STREQ(list.GetItemText(0, 4), "");
        EXPECT_STREQ(list.GetItemText(1, 2), "");
        EXPECT_STREQ(list.GetItemText(1, 4), "2.000");
        return IDOK;
    });
    CGpxTracksDisplayDlg dlg;
    dlg.SetData(&gpx);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
}

TEST(GpxTracksDisplay, OnePointAnEmptyTrackAndNoTracksGiveTablesWithoutLegs)
{
    CGPX gpx;
    gpx.AddTrack("Single", true)->Points.Add(Point(3.0, 52.0, 1000.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0));
    gpx.AddTrack("Empty", true);
    ModalHook::AnswerDialog(IDD_GPX_TRACKS_DISPLAY, [](CDialog* dlg) {
        CListCtrl& list = ListOf(dlg);
        EXPECT_EQ(list.GetItemCount(), 1);
        EXPECT_STREQ(list.GetItemText(0, 0), "01 Jan 2000");
        EXPECT_STREQ(list.GetItemText(0, 1), "00:16:40");
        for (int col = 4; col < 10; ++col)
            EXPECT_STREQ(list.GetItemText(0, col), "") << col;
        // An empty track shows an empty table, and the dialog goes on.
        auto* combo = static_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPX_TRACK_SELECT));
        combo->SetCurSel(1);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPX_TRACK_SELECT, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 0);
        return IDOK;
    });
    CGpxTracksDisplayDlg dlg;
    dlg.SetData(&gpx);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    CGPX none;
    ModalHook::AnswerDialog(IDD_GPX_TRACKS_DISPLAY, [](CDialog* dlg) {
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 0);
        return IDOK;
    });
    CGpxTracksDisplayDlg empty;
    empty.SetData(&none);
    EXPECT_EQ(empty.DoModal(), IDOK);
}

TEST(GpxTracks, ClicksToggleTracksAndWriteTheShownList)
{
    CGPX gpx;
    FillGpx(gpx);
    const CString companion = "C:\\Tracks\\Survey Day.INI";
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows("C:\\Tracks")));
    ModalHook::AnswerDialog(IDD_GPX_TRACKS, [&](CDialog* dlg) {
        Show(dlg);
        CListCtrl& list = ListOf(dlg);
        CWnd* toggle = dlg->GetDlgItem(IDC_GPX_SELECT_ALL);
        CString text;
        EXPECT_EQ(list.GetItemCount(), 3);
        EXPECT_STREQ(list.GetItemText(0, 0), "Outbound");
        EXPECT_STREQ(list.GetItemText(0, 1), "2");
        EXPECT_STREQ(list.GetItemText(1, 1), "0");
        EXPECT_TRUE(list.GetCheck(0));
        EXPECT_FALSE(list.GetCheck(1));
        EXPECT_GT(DarkPixelsInCheckBox(list, 0), 5) << "a ticked box shows its tick";
        EXPECT_EQ(DarkPixelsInCheckBox(list, 1), 0) << "an empty box is white inside";
        toggle->GetWindowText(text);
        EXPECT_STREQ(text, "Select ALL");

        // On the box: the hidden track is shown, and every track now is.
        ClickCheckBox(list, 1);
        EXPECT_TRUE(gpx.m_Tracks[1]->Display);
        EXPECT_TRUE(list.GetCheck(1));
        PumpFor(20);
        EXPECT_GT(DarkPixelsInCheckBox(list, 1), 5);
        EXPECT_EQ(ReadBytes(companion), "Waypoints = 1\r\nBuoy = 1\r\nWreck = 0\r\nOutbound = 1\r\nSurvey = 1\r\n"
                                        "Inbound = 1\r\n");
        toggle->GetWindowText(text);
        EXPECT_STREQ(text, "Clear ALL");

        // Beside the box, on the name: the track is hidden and its box follows.
        UserInput::ClickCell(list, 0, 1);
        EXPECT_FALSE(gpx.m_Tracks[0]->Display);
        EXPECT_FALSE(list.GetCheck(0));
        EXPECT_TRUE(ReadBytes(companion).contains("Outbound = 0\r\n"));
        toggle->GetWindowText(text);
        EXPECT_STREQ(text, "Select ALL");

        // "Select ALL" shows everything and saves nothing.
        QFile::remove(LinuxPathFromWindows(companion));
        UserInput::ClickClient(dlg, 0, 0); // focus away from the list
        Press(dlg, IDC_GPX_SELECT_ALL);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_TRUE(gpx.m_Tracks[i]->Display);
            EXPECT_TRUE(list.GetCheck(i));
        }
        toggle->GetWindowText(text);
        EXPECT_STREQ(text, "Clear ALL");
        EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(companion)));
        Press(dlg, IDC_GPX_SELECT_ALL);
        EXPECT_FALSE(gpx.m_Tracks[2]->Display);
        EXPECT_FALSE(list.GetCheck(2));
        return IDOK;
    });
    CGpxTracksDlg dlg;
    dlg.SetData(&gpx);
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(GpxTracks, ColourAndDotsAreSavedWhenChosenAndAStrangeColourIsKept)
{
    CGPX gpx;
    FillGpx(gpx);
    gpx.m_TrackColour = 0x123456; // no swatch has it
    const CString settings = SettingsFile("GPX DATA");
    ModalHook::AnswerDialog(IDD_GPX_TRACKS, [&](CDialog* dlg) {
        Show(dlg);
        auto* combo = static_cast<CColourPickerComboBoxEx*>(dlg->GetDlgItem(IDC_GPX_TRACK_COLOUR));
        EXPECT_EQ(combo->GetCurSel(), 0);
        EXPECT_EQ(gpx.m_TrackColour, 0x123456u);
        EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(settings)));

        QComboBox* popup = qobject_cast<QComboBox*>(combo->GetWidget());
        if (!popup)
            popup = combo->GetWidget()->findChild<QComboBox*>();
        EXPECT_NE(popup, nullptr);
        if (popup)
        {
            EXPECT_TRUE(UserInput::PickFromDropDown(popup, CColourPickerComboBoxEx::GetColourName(5)));
            PumpFor(20);
        }
        EXPECT_EQ(gpx.m_TrackColour, CColourPickerComboBoxEx::GetColour(5));
        CString expected;
        expected.Format("File Path = C:\\Tracks\\Survey Day.gpx\r\nTrack Colour = %u\r\nShow Dots = 0\r\n",
                        static_cast<unsigned>(CColourPickerComboBoxEx::GetColour(5)));
        EXPECT_EQ(ReadBytes(settings), QByteArray(expected.GetString()));

        CWnd* dots = dlg->GetDlgItem(IDC_GPX_SHOW_DOTS);
        CRect box;
        dots->GetClientRect(&box);
        UserInput::ClickClient(dots, box.CenterPoint().x, box.CenterPoint().y);
        EXPECT_TRUE(gpx.m_bShowDots);
        EXPECT_TRUE(ReadBytes(settings).endsWith("Show Dots = 1\r\n"));
        return IDOK;
    });
    CGpxTracksDlg dlg;
    dlg.SetData(&gpx);
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(GpxTracks, NoTracksSelectAllStaysSelectAll)
{
    CGPX gpx;
    gpx.m_FilePath = "C:\\Tracks\\none.gpx";
    ModalHook::AnswerDialog(IDD_GPX_TRACKS, [](CDialog* dlg) {
        CWnd* toggle = dlg->GetDlgItem(IDC_GPX_SELECT_ALL);
        Press(dlg, IDC_GPX_SELECT_ALL);
        CString text;
        toggle->GetWindowText(text);
        EXPECT_STREQ(text, "Select ALL");
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 0);
        return IDOK;
    });
    CGpxTracksDlg dlg;
    dlg.SetData(&gpx);
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(GpxSettingsFiles, AFileThatCannotBeWrittenLeavesTheOldOneWhole)
{
    CGPX gpx;
    FillGpx(gpx);
    // A folder in the way of the companion's name.
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows("C:\\Tracks\\Survey Day.INI")));
    EXPECT_FALSE(SaveGpxDisplayList(&gpx, gpx.m_FilePath));
    EXPECT_FALSE(SaveGpxDisplayList(&gpx, ""));

    ASSERT_TRUE(SaveGpxSettings(&gpx));
    const CString settings = SettingsFile("GPX DATA");
    const QByteArray before = ReadBytes(settings);
    QFile::setPermissions(LinuxPathFromWindows(settings), QFileDevice::ReadOwner);
    QFile::setPermissions(QFileInfo(LinuxPathFromWindows(settings)).path(),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    gpx.m_bShowDots = true;
    EXPECT_FALSE(SaveGpxSettings(&gpx));
    QFile::setPermissions(QFileInfo(LinuxPathFromWindows(settings)).path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ReadBytes(settings), before);
}

namespace
{
void FillWindFarms(CWindFarmList& list)
{
    list.AddWindFarm("North Bank", 450000.0, 6100000.5);
    list.AddWindFarm("East Reach", 470123.25, 6090000.0);
    list.AddWindFarm("north bank", 1.0, 2.0);
    TurbineDef t;
    t.WindFarm = "North Bank";
    t.Subtitle = "Phase 1";
    t.Image = 1;
    t.Id = "NB01";
    t.Latitude = 54.25 * kRad;
    t.Longitude = 1.5 * kRad;
    t.Remarks = "Foundation scoured";
    t.MaxHeight = 12.50f;
    t.NavigationLights = "Fl Y 5s";
    t.RadioRadar = "Racon";
    t.FogSignal = "Horn";
    t.BladeRadius = WIND_FARM_NO_VALUE;
    t.StructureHeight = 150.0f;
    list.AddTurbine(t);
    t.Id = "ER07";
    t.WindFarm = "East Reach";
    t.Remarks = "Other farm";
    list.AddTurbine(t);
    t.WindFarm = "North Bank";
    t.Subtitle = "Phase 2";
    t.Id = "NB02";
    t.Remarks = "Blade inspected";
    t.MaxHeight = 3.4028235e+38f;
    t.BladeRadius = 81.25f;
    list.AddTurbine(t);
    t.Id = "NB03";
    t.Remarks = "";
    list.AddTurbine(t);
}
} // namespace

TEST(WindFarmTurbines, ListsTheFarmsTurbinesLastFirstWithTheirValuesAndRemarks)
{
    CWindFarmList farms;
    FillWindFarms(farms);
    ModalHook::AnswerDialog(IDD_WIND_FARM_TURBINES, [](CDialog* dlg) {
        Show(dlg);
        CString caption;
        dlg->GetWindowText(caption);
        EXPECT_STREQ(caption, "North Bank Wind Farm (Phase 2)");
        CListCtrl& list = ListOf(dlg);
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 9);
        if (list.GetItemCount() != 3)
        {
            ADD_FAILURE() << list.GetItemCount() << " rows";
            return IDOK;
        }
        EXPECT_STREQ(list.GetItemText(0, 0), "NB03");
        EXPECT_STREQ(list.GetItemText(2, 0), "NB01");
        EXPECT_STREQ(list.GetItemText(2, 1), FormatAngle(54.25 * kRad, ANGLE_LATITUDE, 1, 4, 0));
        EXPECT_STREQ(list.GetItemText(2, 2), FormatAngle(1.5 * kRad, ANGLE_LONGITUDE, 1, 4, 0));
        const char* const nb01[] = {"12.5", "Fl Y 5s", "Racon", "Horn", "", "150"};
        for (int col = 3; col < 9; ++col)
            EXPECT_STREQ(list.GetItemText(2, col), nb01[col - 3]) << col;
        EXPECT_STREQ(list.GetItemText(1, 3), "");
        EXPECT_STREQ(list.GetItemText(1, 7), "81.25");
        // Each row shows its turbine's picture: the yellow blades of image 1 beside NB01.
        CRect cell;
        list.GetSubItemRect(2, 0, LVIR_BOUNDS, cell);
        const QImage shot = list.GetWidget()->grab().toImage();
        int yellow = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.left + 24; ++x)
            {
                const QRgb c = shot.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 60)
                    ++yellow;
            }
        EXPECT_GT(yellow, 4);
        // The given turbine's remarks and its row marked.
        CString remarks;
        dlg->GetDlgItem(IDC_WIND_FARM_REMARKS)->GetWindowText(remarks);
        EXPECT_STREQ(remarks, "Blade inspected");
        EXPECT_EQ(list.GetSelectionMark(), 1);

        UserInput::ClickCell(list, 2, 4);
        dlg->GetDlgItem(IDC_WIND_FARM_REMARKS)->GetWindowText(remarks);
        EXPECT_STREQ(remarks, "Foundation scoured");
        // Below the rows: nothing changes.
        CRect client;
        list.GetClientRect(&client);
        UserInput::ClickClient(&list, 20, client.bottom - 4);
        dlg->GetDlgItem(IDC_WIND_FARM_REMARKS)->GetWindowText(remarks);
        EXPECT_STREQ(remarks, "Foundation scoured");
        return IDOK;
    });
    CWindFarmTurbinesDlg dlg;
    dlg.SetData("NB02", "North Bank", &farms);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    // A name that matches no turbine: an empty list under the template's caption.
    ModalHook::AnswerDialog(IDD_WIND_FARM_TURBINES, [](CDialog* dlg) {
        CString caption;
        dlg->GetWindowText(caption);
        EXPECT_STREQ(caption, "Wind Farm Name");
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 0);
        return IDOK;
    });
    CWindFarmTurbinesDlg none;
    none.SetData("NB02", "South Bank", &farms);
    EXPECT_EQ(none.DoModal(), IDOK);
}

TEST(WindFarmTurbines, ValuesAreTwoDecimalsWithoutTrailingZeros)
{
    const struct
    {
        float value;
        const char* text;
    } cases[] = {{12.50f, "12.5"}, {150.0f, "150"}, {0.0f, "0"}, {3.4028235e+38f, ""}, {-2.125f, "-2.12"}};
    for (const auto& c : cases)
        EXPECT_STREQ(CWindFarmTurbinesDlg::FormatValue(c.value), c.text) << c.value;
}

TEST(FindWindFarm, FindsByExactNameAndStaysOpenOnEmptySpace)
{
    CWindFarmList farms;
    FillWindFarms(farms);
    ModalHook::AnswerDialog(IDD_FIND_WIND_FARM, [](CDialog* dlg) {
        Show(dlg);
        auto* list = static_cast<CListBox*>(dlg->GetDlgItem(IDC_LIST1));
        EXPECT_EQ(list->GetCount(), 3);
        // A double click below the names: no selection, the dialog stays.
        CRect client;
        list->GetClientRect(&client);
        UserInput::ClickClient(list, 10, client.bottom - 5, true);
        EXPECT_TRUE(::IsWindow(dlg->GetSafeHwnd()));
        const int at = list->FindStringExact(-1, "East Reach");
        EXPECT_GE(at, 0);
        list->SetCurSel(at);
        Press(dlg, IDOK);
        return IDCANCEL; // used only if still open
    });
    CFindWindFarm find;
    find.SetData(&farms);
    EXPECT_EQ(find.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(find.GetFound().x, 470123.25);
    EXPECT_DOUBLE_EQ(find.GetFound().y, 6090000.0);

    // "Find" without a selection closes as cancelled, the position untouched.
    ModalHook::AnswerDialog(IDD_FIND_WIND_FARM, [](CDialog* dlg) {
        Press(dlg, IDOK);
        return IDOK;
    });
    CFindWindFarm cancelled;
    cancelled.SetData(&farms);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetFound().x, 0.0);
    EXPECT_EQ(cancelled.GetFound().y, 0.0);

    CWindFarmList empty;
    ModalHook::AnswerDialog(IDD_FIND_WIND_FARM, [](CDialog* dlg) {
        EXPECT_EQ(static_cast<CListBox*>(dlg->GetDlgItem(IDC_LIST1))->GetCount(), 0);
        Press(dlg, IDOK);
        return IDOK;
    });
    CFindWindFarm nothing;
    nothing.SetData(&empty);
    EXPECT_EQ(nothing.DoModal(), IDCANCEL);
}

TEST(WindFarmDisplay, OkStoresTheChoicesAndWritesTheSettingsFile)
{
    CWindFarmList farms;
    farms.m_bDisplayTurbines = true;
    farms.m_bLabelTurbines = false;
    farms.m_bDisplayBoundary = false;
    farms.m_bLabelWindFarm = true;
    farms.m_TurbineColour = CColourPickerComboBoxEx::GetColour(2);
    farms.m_BoundaryColour = 0x123456; // no swatch: shown as entry 0, black on OK
    ModalHook::AnswerDialog(IDD_WIND_FARM, [](CDialog* dlg) {
        auto button = [dlg](int id) { return static_cast<CButton*>(dlg->GetDlgItem(id)); };
        EXPECT_EQ(button(IDC_WIND_FARM_LABEL_NAME)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(button(IDC_WIND_FARM_DISPLAY_BOUNDARY)->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(button(IDC_WIND_FARM_DISPLAY_TURBINES)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(static_cast<CComboBoxEx*>(dlg->GetDlgItem(IDC_WIND_FARM_BOUNDARY_COLOUR))->GetCurSel(), 0);
        EXPECT_EQ(static_cast<CComboBoxEx*>(dlg->GetDlgItem(IDC_WIND_FARM_TURBINE_COLOUR))->GetCurSel(), 2);
        button(IDC_WIND_FARM_LABEL_TURBINE)->SetCheck(BST_CHECKED);
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CWindFarmDlg dlg;
    dlg.SetData(&farms);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(farms.m_bLabelTurbines);
    EXPECT_EQ(farms.m_BoundaryColour, 0u);
    CString expected;
    expected.Format("Display Turbines = 1\r\nLabel Turbines = 1\r\nColour Turbines = %u\r\nDisplay Boundary = 0\r\n"
                    "Label Wind Farm = 1\r\nColour Boundary = 0\r\n",
                    static_cast<unsigned>(CColourPickerComboBoxEx::GetColour(2)));
    EXPECT_EQ(ReadBytes(SettingsFile("WindFarms")), QByteArray(expected.GetString()));

    // Cancel changes nothing; a file that cannot be written still lets OK close the dialog.
    ModalHook::AnswerDialog(IDD_WIND_FARM, [](CDialog* dlg) {
        static_cast<CButton*>(dlg->GetDlgItem(IDC_WIND_FARM_LABEL_TURBINE))->SetCheck(BST_UNCHECKED);
        return IDCANCEL;
    });
    CWindFarmDlg cancelled;
    cancelled.SetData(&farms);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_TRUE(farms.m_bLabelTurbines);

    QFile::remove(LinuxPathFromWindows(SettingsFile("WindFarms")));
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows(SettingsFile("WindFarms"))));
    ModalHook::AnswerDialog(IDD_WIND_FARM, [](CDialog* dlg) {
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CWindFarmDlg blocked;
    blocked.SetData(&farms);
    EXPECT_EQ(blocked.DoModal(), IDOK);
    EXPECT_TRUE(QFileInfo(LinuxPathFromWindows(SettingsFile("WindFarms"))).isDir());
}
