// The azimuth computation page as the user meets it: the program started with almanacs on its
// drive, position and R.O. angle typed, the date and time picked, the record changed by another
// page, the report printed to a PDF, and what shows when there is no almanac to compute from.
#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"
#include "orbisol/ui/AngleShow.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/ComputeOrbisolPP.h"
#include "orbisol/ui/DispTime.h"
#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "platform/core/Path.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QList>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/orbisol"
#endif

using namespace ProgramDriver;
using namespace almanactest;

namespace
{
constexpr UINT kResultIds[] = {IDC_COMPUTE_DECLINATION, IDC_COMPUTE_E,           IDC_COMPUTE_GHA,
                               IDC_COMPUTE_GHA_TIME,    IDC_COMPUTE_LHA,         IDC_COMPUTE_LHA_TIME,
                               IDC_COMPUTE_SUN_AZIMUTH, IDC_COMPUTE_RO_AZIMUTH};


// The settings file "Orbisol" as the program writes it.
QByteArray PositionFile(double latitude, double longitude, double roAngle)
{
    return QString::asprintf("Latitude = %.16f\r\nLongitude = %.16f\r\nRO Angle = %.16f\r\n", latitude, longitude,
                             roAngle)
        .toLatin1();
}

CComputeOrbisolPP* ComputePage(CColourPropertySheet* sheet)
{
    return dynamic_cast<CComputeOrbisolPP*>(sheet->GetPage(0));
}


bool IsShown(CWnd* page, UINT id)
{
    return page->GetDlgItem(id)->IsWindowVisible() != FALSE;
}


// What the result displays must read for the observation's results, in the user's formats.
std::vector<std::string> ShownResults(const CSunObservation& sun)
{
    const int mode = CDispTime::ReadTimeMode();
    return {std::string(FormatShownAngle(sun.m_dDeclination, ANGLE_LATITUDE)),
            std::string(CDispTime::FormatTime(sun.m_dE, mode)),
            std::string(FormatShownAngle(sun.m_dGHA, ANGLE_LONGITUDE)),
            std::string(CDispTime::FormatTime(sun.m_dGHATime, mode)),
            std::string(FormatShownAngle(sun.m_dLHA, ANGLE_LONGITUDE)),
            std::string(CDispTime::FormatTime(sun.m_dLHATime, mode)),
            std::string(FormatShownAngle(sun.m_dAzimuth, ANGLE_FULL_CIRCLE)),
            std::string(FormatShownAngle(sun.m_dROAzimuth, ANGLE_FULL_CIRCLE))};
}

std::vector<std::string> ResultTexts(CWnd* page)
{
    std::vector<std::string> texts;
    for (UINT id : kResultIds)
        texts.push_back(TextOf(page, id));
    return texts;
}

// An observation computed apart from the page, for the same position, date and time.
CSunObservation Expected(double latitude, double longitude, double roAngle, const DateTimeDef& record)
{
    CSunObservation sun;
    sun.m_dLatitude = latitude;
    sun.m_dLongitude = longitude;
    sun.m_dROAngle = roAngle;
    sun.m_nDayOfYear = record.nDayOfYear;
    sun.m_dUT = record.dSecondsOfDay;
    EXPECT_TRUE(sun.LoadAlmanac(record.nYear));
    return sun;
}

// The focus moved into a control as the user's click does.
void ClickInto(CWnd* control)
{
    UserInput::ClickClient(control, 4, 4);
    Pump();
}
} // namespace

TEST(ComputePage, ShowsTheResultsOfTheShownDateAndTimeOnTheSheet)
{
    InstallFixtures(2024, 2035);
    const double latitude = 51.5 * kDegree;
    const double longitude = -1.25 * kDegree;
    const double roAngle = 123.0 * kDegree;
    WriteLinuxFile(SettingsFile("Orbisol"), PositionFile(latitude, longitude, roAngle));
    DateTimeDef record;
    SetRecord(record, 2026, 6, 21, 9, 30, 15);
    const bool shown = RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            ASSERT_EQ(sheet->GetActiveIndex(), 0);
            CComputeOrbisolPP* page = ComputePage(sheet);
            ASSERT_NE(page, nullptr);
            Pump();
            EXPECT_EQ(PickerText(page, IDC_COMPUTE_DATE), QString("21 Jun 2026"));
            EXPECT_EQ(PickerText(page, IDC_COMPUTE_TIME), QString("09:30:15"));
            // Only the almanacs' years can be picked.
            SYSTEMTIME from{};
            SYSTEMTIME to{};
            ASSERT_EQ(static_cast<CDateTimeCtrl*>(page->GetDlgItem(IDC_COMPUTE_DATE))->GetRange(&from, &to),
                      GDTR_MIN | GDTR_MAX);
            EXPECT_EQ(std::vector<int>({from.wYear, from.wMonth, from.wDay, to.wYear, to.wMonth, to.wDay}),
                      std::vector<int>({2024, 1, 1, 2035, 12, 31}));
            EXPECT_EQ(ResultTexts(page), ShownResults(Expected(latitude, longitude, roAngle, record)));
            EXPECT_EQ(ResultTexts(page), ShownResults(app.m_SunObservation));
            EXPECT_FALSE(IsShown(page, IDC_COMPUTE_BUTTON));
            EXPECT_TRUE(IsShown(page, IDC_COMPUTE_PRINT));
            EXPECT_STREQ(page->GetNoResultsText(), "");

            EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
            const QImage grab = FrameProbe::GrabWindow(sheet);
            QDir().mkpath(SUITE_VISUAL_DIR);
            grab.save(QString(SUITE_VISUAL_DIR) + "/orbisol_compute.png");
            for (UINT id : kResultIds)
            {
                const QRect area = FrameProbe::PaneRect(page->GetDlgItem(id));
                ASSERT_FALSE(area.isEmpty()) << id;
                EXPECT_GT(FrameProbe::ContentPixels(grab, area), 15) << id << " " << TextOf(page, id);
            }
            // 0x99FFFF is blue 0x99 under green and red 0xFF: pale yellow on the screen.
            for (UINT id : {IDC_COMPUTE_SUN_AZIMUTH, IDC_COMPUTE_RO_AZIMUTH})
                EXPECT_EQ(FrameProbe::BackgroundColour(grab, FrameProbe::PaneRect(page->GetDlgItem(id))),
                          QColor(0xFF, 0xFF, 0x99))
                    << id;
            EXPECT_EQ(FrameProbe::BackgroundColour(grab, FrameProbe::PaneRect(page->GetDlgItem(IDC_COMPUTE_E))),
                      QColor(0x55, 0x55, 0x55));
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_TRUE(shown);
}

TEST(ComputePage, TypedAngleShowsComputeAndTabStoresSavesAndHidesIt)
{
    InstallFixtures(2026, 2026);
    DateTimeDef record;
    SetRecord(record, 2026, 3, 20, 12, 0, 0);
    const bool shown = RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            CComputeOrbisolPP* page = ComputePage(sheet);
            ASSERT_NE(page, nullptr);
            CWnd* edit = page->GetDlgItem(IDC_COMPUTE_RO_ANGLE);
            const std::string azimuthBefore = TextOf(page, IDC_COMPUTE_RO_AZIMUTH);
            ClickInto(edit);
            static_cast<CEdit*>(edit)->SetSel(0, -1);
            // The first key that changes the value ("4": 040 degrees) shows the button.
            UserInput::Type("04", false);
            EXPECT_TRUE(IsShown(page, IDC_COMPUTE_BUTTON));
            UserInput::Type("5", false);
            // Nothing is taken while the user is still typing.
            EXPECT_EQ(app.m_SunObservation.m_dROAngle, 0.0);
            EXPECT_TRUE(ReadLinuxFile(SettingsFile("Orbisol")).isEmpty());

            UserInput::Key(Qt::Key_Tab);
            Pump();
            EXPECT_NEAR(app.m_SunObservation.m_dROAngle, 45.0 * kDegree, 1e-12);
            EXPECT_EQ(ReadLinuxFile(SettingsFile("Orbisol")),
                      QByteArray("Latitude = 0.0000000000000000\r\nLongitude = 0.0000000000000000\r\n"
                                 "RO Angle = 0.7853981633974351\r\n"));
            EXPECT_FALSE(IsShown(page, IDC_COMPUTE_BUTTON));
            EXPECT_NE(TextOf(page, IDC_COMPUTE_RO_AZIMUTH), azimuthBefore);
            EXPECT_EQ(ResultTexts(page), ShownResults(app.m_SunObservation));

            // Leaving an edit the user did not change saves nothing.
            QFile::remove(SettingsFile("Orbisol"));
            ClickInto(page->GetDlgItem(IDC_COMPUTE_LATITUDE));
            UserInput::Key(Qt::Key_Tab);
            Pump();
            EXPECT_FALSE(QFile::exists(SettingsFile("Orbisol")));
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_TRUE(shown);
}

TEST(ComputePage, PickedDateKeepsTheTimeAndPickedTimeReadsNoAlmanac)
{
    InstallFixtures(2026, 2027);
    DateTimeDef record;
    SetRecord(record, 2026, 12, 30, 10, 0, 0);
    const bool shown = RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            CComputeOrbisolPP* page = ComputePage(sheet);
            ASSERT_NE(page, nullptr);
            CSunObservation& sun = app.m_SunObservation;
            OpenCounter opens(LinuxPathFromWindows(GetAlmanacFilePath(2026)).section('/', 0, -2));
            const struct
            {
                UINT picker;
                int key; // moves the caret to the field that is stepped up
                int year, dayOfYear;
                double ut;
                const char* opened; // the almanac file read, if any
            } steps[] = {
                {IDC_COMPUTE_DATE, Qt::Key_Home, 2026, 365, 36000.0, nullptr},
                {IDC_COMPUTE_TIME, Qt::Key_Home, 2026, 365, 39600.0, nullptr},
                {IDC_COMPUTE_DATE, Qt::Key_End, 2027, 365, 39600.0, "sarsun27.dat"},
            };
            for (const auto& step : steps)
            {
                const std::vector<std::string> before = ResultTexts(page);
                ClickInto(page->GetDlgItem(step.picker));
                UserInput::Key(step.key);
                UserInput::Key(Qt::Key_Up);
                Pump();
                EXPECT_EQ(sun.m_nLoadedYear, step.year) << step.picker;
                EXPECT_EQ(sun.m_nDayOfYear, step.dayOfYear) << step.picker;
                EXPECT_EQ(sun.m_dUT, step.ut) << step.picker;
                EXPECT_EQ(ResultTexts(page), ShownResults(sun)) << step.picker;
                EXPECT_NE(ResultTexts(page), before) << step.picker;
                EXPECT_EQ(opens.Opens("sarsun26.dat"), 0) << step.picker;
                EXPECT_EQ(opens.Opens("sarsun27.dat"), step.opened ? 1 : 0) << step.picker;
            }
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_TRUE(shown);
}

TEST(ComputePage, RecordChangedByAnotherPageIsComputedWhenThePageComesBack)
{
    InstallFixtures(2026, 2027);
    const double latitude = -33.9 * kDegree;
    const double longitude = 18.4 * kDegree;
    WriteLinuxFile(SettingsFile("Orbisol"), PositionFile(latitude, longitude, 0.0));
    DateTimeDef record;
    SetRecord(record, 2026, 8, 1, 7, 0, 0);
    const bool shown = RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            CComputeOrbisolPP* page = ComputePage(sheet);
            ASSERT_NE(page, nullptr);
            ClickTab(sheet, 3);
            // As the observations page applies a time: the record alone changes, and no
            // picker tells this page.
            SetRecord(app.m_DateTime, 2027, 2, 14, 14, 45, 30);
            ClickTab(sheet, 0);
            ASSERT_EQ(sheet->GetActiveIndex(), 0);
            Pump();
            EXPECT_EQ(PickerText(page, IDC_COMPUTE_DATE), QString("14 Feb 2027"));
            EXPECT_EQ(PickerText(page, IDC_COMPUTE_TIME), QString("14:45:30"));
            EXPECT_EQ(app.m_SunObservation.m_dUT, 14 * 3600.0 + 45 * 60.0 + 30.0);
            EXPECT_EQ(ResultTexts(page), ShownResults(Expected(latitude, longitude, 0.0, app.m_DateTime)));
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_TRUE(shown);
}

TEST(ComputePage, PrintsTheThirteenLinesOfWhatIsShown)
{
    // Hand-made almanacs: the sun on the equator all year, E either side of a whole day, so
    // that a negative E and one past the day show how the report cuts times.
    const struct
    {
        double eHours;
        std::vector<QByteArray> lines;
    } cases[] = {
        {-0.25,
         {"Geographical :   00\xC2\xB0 00'.0000000N  000\xC2\xB0 00'.0000000E", "", "Date of Observation 20 Mar 2026",
          "Time of Observation 12:00:00", "", "Apparent Declination of Sun   00\xC2\xB0 00'.0000000N",
          "Excess (E) of GHA Sun over UT -00:15:00.000",
          "Greenwich hour angle (GHA)    176\xC2\xB0 15'.0000000E  (11:45:00.000)",
          "Local hour angle (LHA)        176\xC2\xB0 15'.0000000E  (11:45:00.000)", "",
          "Azimuth to Sun 270\xC2\xB0 00'.0000000", "Angle to R.O. 045\xC2\xB0 00'.0000000",
          "Azimuth to R.O. 315\xC2\xB0 00'.0000000"}},
        {24.5,
         {"Geographical :   00\xC2\xB0 00'.0000000N  000\xC2\xB0 00'.0000000E", "", "Date of Observation 20 Mar 2026",
          "Time of Observation 12:00:00", "", "Apparent Declination of Sun   00\xC2\xB0 00'.0000000N",
          "Excess (E) of GHA Sun over UT 00:30:00.000", "Greenwich hour angle (GHA)    187\xC2\xB0 30'.0000000E  (12:30:00.000)",
          "Local hour angle (LHA)        187\xC2\xB0 30'.0000000W  (11:30:00.000)", "", "Azimuth to Sun 090\xC2\xB0 00'.0000000",
          "Angle to R.O. 045\xC2\xB0 00'.0000000", "Azimuth to R.O. 135\xC2\xB0 00'.0000000"}},
    };
    for (const auto& c : cases)
    {
        WriteAlmanac(2026, ConstantAlmanac(2026, 0.0, c.eHours));
        WriteLinuxFile(SettingsFile("Orbisol"), PositionFile(0.0, 0.0, 45.0 * kDegree));
        DateTimeDef record;
        SetRecord(record, 2026, 3, 20, 12, 0, 0);
        PRINT_DIALOG_ANSWER answer;
        answer.outputFile = "C:\\azimuth.pdf";
        const QString pdf = LinuxPathFromWindows(answer.outputFile);
        QFile::remove(pdf);
        RunProgram(
            IDOK,
            [&](COrbisolApp&, CColourPropertySheet* sheet) {
                CComputeOrbisolPP* page = ComputePage(sheet);
                ASSERT_NE(page, nullptr);
                ModalHook::AnswerPrintDialog(answer);
                ClickButton(page->GetDlgItem(IDC_COMPUTE_PRINT));
                Pump();
                sheet->EndDialog(IDCANCEL);
            },
            [&](COrbisolApp& app) { app.m_DateTime = record; });
        ASSERT_TRUE(QFile::exists(pdf)) << c.eHours;
        const QByteArray text = PdfText(pdf);
        if (text.isNull())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not checked";
        // One page of the thirteen lines. The layout pdftotext guesses may widen a gap by a
        // blank, so runs of blanks are compared as one.
        EXPECT_EQ(text.count('\f'), 1) << c.eHours;
        QList<QByteArray> printed = text.left(text.indexOf('\f')).split('\n');
        while (!printed.isEmpty() && printed.back().trimmed().isEmpty())
            printed.removeLast();
        std::vector<QByteArray> seen;
        for (const QByteArray& line : printed)
            seen.push_back(line.simplified());
        std::vector<QByteArray> expected;
        for (const QByteArray& line : c.lines)
            expected.push_back(line.simplified());
        EXPECT_EQ(seen, expected) << c.eHours;
    }
}

TEST(ComputePage, CancelledPrintDialogPrintsNothing)
{
    InstallFixtures(2026, 2026);
    DateTimeDef record;
    SetRecord(record, 2026, 5, 5, 8, 0, 0);
    PRINT_DIALOG_ANSWER cancel;
    cancel.ok = false;
    cancel.outputFile = "C:\\never.pdf";
    RunProgram(
        IDOK,
        [&](COrbisolApp&, CColourPropertySheet* sheet) {
            ModalHook::AnswerPrintDialog(cancel);
            ClickButton(ComputePage(sheet)->GetDlgItem(IDC_COMPUTE_PRINT));
            Pump();
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(cancel.outputFile)));
    for (const MODAL_RECORD& shown : ModalHook::Shown())
        EXPECT_NE(shown.kind, MODAL_RECORD::MessageBox) << shown.text.GetString();
}

TEST(ComputePage, WithoutAnAlmanacResultsAreBlankTheLineSaysWhyAndPrintRefuses)
{
    // The ninth line of the 2026 almanac (August) with its last field cut off.
    QList<QByteArray> lines = Fixture("sarsun26.dat").split('\n');
    lines[8] = lines[8].left(lines[8].lastIndexOf(','));
    const struct
    {
        QByteArray almanac; // the 2026 file; none when empty
        const char* line;
    } cases[] = {
        {QByteArray(), "No almanac for 2026"},
        {lines.join('\n'), "No almanac for 2026: sarsun26.dat line 9: 14 of 15 fields"},
    };
    for (const auto& c : cases)
    {
        ModalHook::Reset();
        QFile::remove(AlmanacPath(2026));
        if (!c.almanac.isEmpty())
            WriteAlmanac(2026, c.almanac);
        DateTimeDef record;
        SetRecord(record, 2026, 6, 1, 12, 0, 0);
        const bool shown = RunProgram(
            IDOK,
            [&](COrbisolApp&, CColourPropertySheet* sheet) {
                CComputeOrbisolPP* page = ComputePage(sheet);
                ASSERT_NE(page, nullptr);
                EXPECT_EQ(ResultTexts(page), std::vector<std::string>(8)) << c.line;
                EXPECT_EQ(TextOf(page, IDC_COMPUTE_NO_ALMANAC), c.line);
                // With no almanac at all the date is not limited.
                SYSTEMTIME from{};
                SYSTEMTIME to{};
                EXPECT_EQ(static_cast<CDateTimeCtrl*>(page->GetDlgItem(IDC_COMPUTE_DATE))->GetRange(&from, &to),
                          c.almanac.isEmpty() ? 0u : GDTR_MIN | GDTR_MAX);
                const QImage grab = FrameProbe::GrabWindow(sheet);
                EXPECT_GT(FrameProbe::ContentPixels(grab, FrameProbe::PaneRect(page->GetDlgItem(IDC_COMPUTE_NO_ALMANAC))),
                          40)
                    << c.line;

                ModalHook::AnswerMessageBox(IDOK);
                ClickButton(page->GetDlgItem(IDC_COMPUTE_PRINT));
                Pump();
                ASSERT_FALSE(ModalHook::Shown().empty());
                EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
                EXPECT_STREQ(ModalHook::Shown().back().text, c.line);
                for (const MODAL_RECORD& modal : ModalHook::Shown())
                    EXPECT_NE(modal.kind, MODAL_RECORD::PrintDialog);
                sheet->EndDialog(IDCANCEL);
            },
            [&](COrbisolApp& app) { app.m_DateTime = record; });
        EXPECT_TRUE(shown) << c.line;
    }
}

TEST(ComputePage, RefusedLatitudeCommitsAndSavesNothing)
{
    InstallFixtures(2026, 2026);
    DateTimeDef record;
    SetRecord(record, 2026, 3, 20, 12, 0, 0);
    RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            CComputeOrbisolPP* page = ComputePage(sheet);
            const std::vector<std::string> before = ResultTexts(page);
            CWnd* edit = page->GetDlgItem(IDC_COMPUTE_LATITUDE);
            ClickInto(edit);
            static_cast<CEdit*>(edit)->SetSel(0, -1);
            QApplication::clipboard()->setText("95 00 00 N");
            UserInput::Key(Qt::Key_V, Qt::ControlModifier);
            EXPECT_TRUE(static_cast<CEditAngle*>(edit)->IsRefused());
            UserInput::Key(Qt::Key_Tab);
            Pump();
            EXPECT_EQ(app.m_SunObservation.m_dLatitude, 0.0);
            EXPECT_FALSE(QFile::exists(SettingsFile("Orbisol")));
            EXPECT_FALSE(IsShown(page, IDC_COMPUTE_BUTTON));
            EXPECT_EQ(ResultTexts(page), before);
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
}
