// The observations page as the observer uses it: readings typed into both faces' edits, the
// pointings' times taken with "Time Now" on a fixed clock (either side of midnight), "Apply"
// carrying the means to the compute page and the settings, the sheet's buttons hidden while
// the page is in front, a damaged observations file, and what the page shows on the screen.
#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"
#include "orbisol/ObservationReadings.h"
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"
#include "orbisol/ui/AngleShow.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/ComputeOrbisolPP.h"
#include "orbisol/ui/EditAngle.h"
#include "orbisol/ui/ObservationsPP.h"
#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "platform/core/Time.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace ProgramDriver;
using namespace almanactest;

namespace
{
constexpr double kStraightAngle = 3.141592653589793;
constexpr int kObservationsTab = 3;

// 2026-06-21 00:00:00 UTC, in milliseconds since 1970.
constexpr int64_t kMidsummerMidnight = 1782000000000LL;

struct FixedClock
{
    ~FixedClock() { ClearClockOverride(); }
};

CObservationsPP* ObservationsPage(CColourPropertySheet* sheet)
{
    return dynamic_cast<CObservationsPP*>(sheet->GetPage(kObservationsTab));
}

// Selects the edit's whole text, types the keys and leaves with Tab, as the observer does.
void TypeReading(CWnd* page, UINT id, const char* keys)
{
    CWnd* edit = page->GetDlgItem(id);
    UserInput::ClickClient(edit, 4, 4);
    Pump();
    static_cast<CEdit*>(edit)->SetSel(0, -1);
    UserInput::Type(keys, false);
    UserInput::Key(Qt::Key_Tab);
    Pump();
}

// "Time Now" pressed with the clock standing at that many milliseconds after midnight (may be
// negative: the evening before).
void TimeNowAt(CWnd* page, UINT id, int64_t milliseconds)
{
    SetClockFixed(kMidsummerMidnight + milliseconds);
    ClickButton(page->GetDlgItem(id));
    Pump();
}

double Degrees(double d, double m = 0.0, double s = 0.0)
{
    return (d + m / 60.0 + s / 3600.0) * kDegree;
}

bool OkShown(CColourPropertySheet* sheet)
{
    return sheet->GetOkButton()->IsWindowVisible() && sheet->GetCancelButton()->IsWindowVisible();
}
} // namespace

TEST(ObservationsPage, TypedReadingsAndTimesApplyTheirMeansToTheComputation)
{
    InstallFixtures(2026, 2026);
    QFile::remove(SettingsFile(CObservationReadings::kFileName));
    QFile::remove(SettingsFile("Orbisol"));
    FixedClock clock;
    DateTimeDef record;
    SetRecord(record, 2026, 6, 21, 9, 30, 0);
    const bool shown = RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            ClickTab(sheet, kObservationsTab);
            Pump();
            ASSERT_EQ(sheet->GetActiveIndex(), kObservationsTab);
            CObservationsPP* page = ObservationsPage(sheet);
            ASSERT_NE(page, nullptr);
            EXPECT_FALSE(OkShown(sheet));
            EXPECT_TRUE(ModalHook::Shown().empty() ||
                        ModalHook::Shown().back().kind != MODAL_RECORD::MessageBox);

            // Without a file face right starts half a turn from face left.
            const CObservationReadings& readings = page->GetReadings();
            EXPECT_EQ(readings.m_dFaceLeftRO, 0.0);
            EXPECT_EQ(readings.m_dFaceRightRO, kStraightAngle);
            EXPECT_EQ(readings.m_dFaceRightSunLeft, kStraightAngle);
            EXPECT_EQ(readings.m_dFaceRightSunRight, kStraightAngle);
            EXPECT_EQ(TextOf(page, IDC_OBS_FR_RO), std::string(FormatShownAngle(kStraightAngle, ANGLE_FULL_CIRCLE)));

            TypeReading(page, IDC_OBS_FL_RO, "010");
            TypeReading(page, IDC_OBS_FR_RO, "19001");
            EXPECT_NEAR(readings.m_dFaceRightRO, Degrees(190, 1), 1e-12);
            EXPECT_EQ(TextOf(page, IDC_OBS_MEAN_RO),
                      std::string(FormatShownAngle(Degrees(10, 0.5), ANGLE_FULL_CIRCLE)));
            TypeReading(page, IDC_OBS_FL_SUN_LEFT, "100");
            TypeReading(page, IDC_OBS_FL_SUN_RIGHT, "10030");
            TypeReading(page, IDC_OBS_FR_SUN_LEFT, "28012");
            TypeReading(page, IDC_OBS_FR_SUN_RIGHT, "28042");
            EXPECT_NEAR(page->GetReadings().MeanSun(), Degrees(100, 21), 1e-12);
            EXPECT_EQ(TextOf(page, IDC_OBS_MEAN_SUN),
                      std::string(FormatShownAngle(Degrees(100, 21), ANGLE_FULL_CIRCLE)));

            // The four pointings straddle midnight; their mean is a quarter second after it.
            TimeNowAt(page, IDC_OBS_FL_SUN_LEFT_NOW, -59750);
            EXPECT_EQ(PickerText(page, IDC_OBS_FL_SUN_LEFT_TIME), QString("23:59:00"));
            const DateTimeDef& first = readings.m_Times[CObservationReadings::FaceLeftSunLeft];
            EXPECT_NEAR(first.dSecondsOfDay, 86340.25, 1e-9);
            EXPECT_EQ(first.nMillisecond, 250);
            TimeNowAt(page, IDC_OBS_FL_SUN_RIGHT_NOW, -30000);
            TimeNowAt(page, IDC_OBS_FR_SUN_LEFT_NOW, 30000);
            TimeNowAt(page, IDC_OBS_FR_SUN_RIGHT_NOW, 60750);
            EXPECT_EQ(PickerText(page, IDC_OBS_FR_SUN_RIGHT_TIME), QString("00:01:00"));
            EXPECT_EQ(TextOf(page, IDC_OBS_MEAN_TIME), "00:00:00");
            EXPECT_NEAR(readings.MeanTime(), 0.25, 1e-9);

            ClickButton(page->GetDlgItem(IDC_OBS_APPLY));
            Pump();
            EXPECT_EQ(sheet->GetActiveIndex(), 0);
            EXPECT_TRUE(OkShown(sheet));
            EXPECT_NEAR(app.m_DateTime.dSecondsOfDay, 0.25, 1e-9);
            EXPECT_EQ(app.m_DateTime.nMillisecond, 250);
            EXPECT_NEAR(app.m_SunObservation.m_dUT, 0.25, 1e-9);
            auto* compute = dynamic_cast<CComputeOrbisolPP*>(sheet->GetPage(0));
            ASSERT_NE(compute, nullptr);
            EXPECT_EQ(PickerText(compute, IDC_COMPUTE_TIME), QString("00:00:00"));

            // The R.O. is left of the sun: the angle clockwise from the sun goes past north.
            const double roAngle = Degrees(10, 0.5) - Degrees(100, 21) + 2.0 * kStraightAngle;
            EXPECT_NEAR(app.m_SunObservation.m_dROAngle, roAngle, 1e-12);
            EXPECT_GT(app.m_SunObservation.m_dROAngle, kStraightAngle);
            CSunObservation expected;
            expected.m_dROAngle = app.m_SunObservation.m_dROAngle;
            expected.m_nDayOfYear = record.nDayOfYear;
            expected.m_dUT = 0.25;
            ASSERT_TRUE(expected.LoadAlmanac(2026));
            expected.Compute();
            ASSERT_TRUE(app.m_SunObservation.HasResults());
            EXPECT_NEAR(app.m_SunObservation.m_dROAzimuth, expected.m_dROAzimuth, 1e-12);
            EXPECT_NEAR(app.m_SunObservation.m_dROAzimuth,
                        std::fmod(expected.m_dAzimuth + roAngle, 2.0 * kStraightAngle), 1e-12);

            EXPECT_EQ(ReadLinuxFile(SettingsFile("Orbisol")),
                      QString::asprintf("Latitude = 0.0000000000000000\r\nLongitude = 0.0000000000000000\r\n"
                                        "RO Angle = %.16f\r\n",
                                        app.m_SunObservation.m_dROAngle)
                          .toLatin1());
            // The readings as the angle edits read the typed texts.
            EXPECT_EQ(ReadLinuxFile(SettingsFile(CObservationReadings::kFileName)).toStdString(),
                      "FACE LEFT Left Horizontal = 1.7453292519943000\r\n"
                      "FACE LEFT Left Time = 86340.250\r\n"
                      "FACE LEFT Right Horizontal = 1.7540558982542716\r\n"
                      "FACE LEFT Right Time = 86370.000\r\n"
                      "FACE LEFT RO = 0.1745329251994300\r\n"
                      "FACE RIGHT Left Horizontal = 4.8904125640880283\r\n"
                      "FACE RIGHT Left Time = 30.000\r\n"
                      "FACE RIGHT Right Horizontal = 4.8991392103480003\r\n"
                      "FACE RIGHT Right Time = 60.750\r\n"
                      "FACE RIGHT RO = 3.3164164669978362\r\n");
            EXPECT_NEAR(readings.m_dFaceLeftSunRight, Degrees(100, 30), 1e-12);
            EXPECT_NEAR(readings.m_dFaceRightSunRight, Degrees(280, 42), 1e-12);
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_TRUE(shown);
}

TEST(ObservationsPage, DamagedFileIsToldOnceAndItsBadLinesTakeTheDefaults)
{
    FixedClock clock;
    SetClockFixed(kMidsummerMidnight + 3600000);
    WriteLinuxFile(SettingsFile(CObservationReadings::kFileName),
                   QByteArray("FACE LEFT Left Horizontal = 0.5\r\n"
                              "FACE LEFT Left Time = 86400\r\n"
                              "FACE LEFT Right Horizontal = 0.75\r\n"
                              "FACE LEFT Right Time = 3700\r\n"
                              "FACE LEFT RO = 1.25\r\n"
                              "FACE RIGHT Left Horizontal = inf\r\n"
                              "FACE RIGHT Left Time = 3720\r\n"));
    const size_t before = ModalHook::Shown().size();
    ModalHook::AnswerMessageBox(IDOK);
    const bool shown = RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
        ClickTab(sheet, kObservationsTab);
        Pump();
        CObservationsPP* page = ObservationsPage(sheet);
        ASSERT_NE(page, nullptr);
        std::vector<MODAL_RECORD> boxes;
        for (size_t i = before; i < ModalHook::Shown().size(); ++i)
            if (ModalHook::Shown()[i].kind == MODAL_RECORD::MessageBox)
                boxes.push_back(ModalHook::Shown()[i]);
        ASSERT_EQ(boxes.size(), 1u);
        const std::string text(boxes[0].text);
        EXPECT_NE(text.find(std::string(CObservationReadings::GetFileName())), std::string::npos) << text;
        EXPECT_NE(
            text.find("line 2 (FACE LEFT Left Time), line 6 (FACE RIGHT Left Horizontal), line 8 (FACE RIGHT "
                      "Right Horizontal), line 9 (FACE RIGHT Right Time), line 10 (FACE RIGHT RO)"),
            std::string::npos)
            << text;
        const CObservationReadings& r = page->GetReadings();
        EXPECT_EQ(r.m_dFaceLeftSunLeft, 0.5);
        EXPECT_NEAR(r.m_Times[CObservationReadings::FaceLeftSunLeft].dSecondsOfDay, 3600.0, 1e-9);
        EXPECT_EQ(r.m_dFaceLeftRO, 1.25);
        EXPECT_EQ(r.m_dFaceRightSunLeft, kStraightAngle);
        EXPECT_NEAR(r.m_Times[CObservationReadings::FaceRightSunLeft].dSecondsOfDay, 3720.0, 1e-9);
        EXPECT_EQ(r.m_dFaceRightRO, kStraightAngle);

        // Coming back to the page tells nothing again; leaving it writes the file whole.
        ClickTab(sheet, 4);
        Pump();
        EXPECT_TRUE(OkShown(sheet));
        EXPECT_EQ(ReadLinuxFile(SettingsFile(CObservationReadings::kFileName)).count("\r\n"), 10);
        ClickTab(sheet, kObservationsTab);
        Pump();
        EXPECT_FALSE(OkShown(sheet));
        size_t messages = 0;
        for (size_t i = before; i < ModalHook::Shown().size(); ++i)
            messages += ModalHook::Shown()[i].kind == MODAL_RECORD::MessageBox;
        EXPECT_EQ(messages, 1u);
        sheet->EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(shown);
    QFile::remove(SettingsFile(CObservationReadings::kFileName));
}

TEST(ObservationsPage, EveryFieldShowsItsTextAndTheMeansArePaleYellow)
{
    QFile::remove(SettingsFile(CObservationReadings::kFileName));
    const bool shown = RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
        ClickTab(sheet, kObservationsTab);
        Pump();
        CObservationsPP* page = ObservationsPage(sheet);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
        const QImage grab = FrameProbe::GrabWindow(sheet);
        QDir().mkpath(SUITE_VISUAL_DIR);
        grab.save(QString(SUITE_VISUAL_DIR) + "/orbisol_observations.png");
        for (UINT id : {IDC_OBS_FL_RO, IDC_OBS_FL_SUN_LEFT, IDC_OBS_FL_SUN_RIGHT, IDC_OBS_FR_SUN_LEFT,
                        IDC_OBS_FR_SUN_RIGHT, IDC_OBS_FR_RO, IDC_OBS_FL_SUN_LEFT_TIME,
                        IDC_OBS_FL_SUN_RIGHT_TIME, IDC_OBS_FR_SUN_LEFT_TIME, IDC_OBS_FR_SUN_RIGHT_TIME,
                        IDC_OBS_MEAN_TIME, IDC_OBS_MEAN_SUN, IDC_OBS_MEAN_RO, IDC_OBS_PICTURE_FL_RO,
                        IDC_OBS_PICTURE_FL_SUN_LEFT, IDC_OBS_PICTURE_FR_SUN_RIGHT, IDC_OBS_PICTURE_MEAN})
        {
            const QRect area = FrameProbe::PaneRect(page->GetDlgItem(id));
            ASSERT_FALSE(area.isEmpty()) << id;
            EXPECT_GT(FrameProbe::ContentPixels(grab, area), 15) << id;
        }
        // 0x99FFFF is blue 0x99 under green and red 0xFF: pale yellow on the screen.
        for (UINT id : {IDC_OBS_MEAN_TIME, IDC_OBS_MEAN_SUN, IDC_OBS_MEAN_RO})
            EXPECT_EQ(FrameProbe::BackgroundColour(grab, FrameProbe::PaneRect(page->GetDlgItem(id))),
                      QColor(0xFF, 0xFF, 0x99))
                << id;
        sheet->EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(shown);
}

TEST(ObservationsPage, RefusedReadingKeepsTheOldOneAndSaysWhy)
{
    QFile::remove(SettingsFile(CObservationReadings::kFileName));
    const bool shown = RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
        ClickTab(sheet, kObservationsTab);
        Pump();
        CObservationsPP* page = ObservationsPage(sheet);
        ASSERT_NE(page, nullptr);
        TypeReading(page, IDC_OBS_FL_RO, "010");
        const std::string meanBefore = TextOf(page, IDC_OBS_MEAN_RO);
        // A bearing past a whole turn is no reading.
        CWnd* edit = page->GetDlgItem(IDC_OBS_FL_RO);
        UserInput::ClickClient(edit, 4, 4);
        Pump();
        static_cast<CEdit*>(edit)->SetSel(0, -1);
        QApplication::clipboard()->setText("400 00 00");
        UserInput::Key(Qt::Key_V, Qt::ControlModifier);
        UserInput::Key(Qt::Key_Tab);
        Pump();
        auto* angle = static_cast<CEditAngle*>(edit);
        EXPECT_TRUE(angle->IsRefused());
        EXPECT_NEAR(page->GetReadings().m_dFaceLeftRO, Degrees(10), 1e-12);
        EXPECT_EQ(TextOf(page, IDC_OBS_MEAN_RO), meanBefore);
        // Leaving the page saves the reading that stands, not the refused text.
        ClickTab(sheet, kObservationsTab + 1);
        Pump();
        EXPECT_NE(ReadLinuxFile(SettingsFile(CObservationReadings::kFileName))
                      .indexOf("FACE LEFT RO = 0.1745329251994300\r\n"),
                  -1);
        sheet->EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(shown);
}
