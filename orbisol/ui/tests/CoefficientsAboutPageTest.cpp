// The coefficients and About pages on the running sheet: the month's sixteen values against
// the almanac file's own line, a missing month and a missing year, a date typed into the picker
// reloading the year for the compute page, the About texts and picture, "Ok" and "Cancel" back
// whenever a page that hides them is left, and the program's version text.
#include "foundation/DateTime.h"
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"
#include "orbisol/ui/AboutPP.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/ProgramInformation.h"
#include "orbisol/ui/SunPolynomialCoeffsPP.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "platform/core/Time.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QDir>
#include <QList>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ProgramDriver;
using namespace almanactest;

namespace
{
constexpr int kComputeTab = 0;
constexpr int kPlotTab = 1;
constexpr int kCoefficientsTab = 2;
constexpr int kFormatTab = 4;
constexpr int kAboutTab = 5;

// The edits in the order of a data line's fourteen numbers (R, declination, E, S.D.).
constexpr UINT kLineOrder[] = {IDC_COEFF_R_A0,   IDC_COEFF_R_A1,   IDC_COEFF_DEC_A0, IDC_COEFF_DEC_A1,
                               IDC_COEFF_DEC_A2, IDC_COEFF_DEC_A3, IDC_COEFF_DEC_A4, IDC_COEFF_E_A0,
                               IDC_COEFF_E_A1,   IDC_COEFF_E_A2,   IDC_COEFF_E_A3,   IDC_COEFF_E_A4,
                               IDC_COEFF_SD_A0,  IDC_COEFF_SD_A1};

std::string Shown(double value)
{
    return QString::asprintf("%+10.6f", value).toStdString();
}

// The fourteen numbers of the month's line of a checked-in almanac, read here on their own.
std::vector<double> MonthNumbers(const char* file, int month)
{
    const QList<QByteArray> lines = Fixture(file).split('\n');
    const QList<QByteArray> fields = lines[month].trimmed().split(',');
    EXPECT_EQ(fields.size(), 15);
    EXPECT_EQ(fields[0].toInt(), month);
    std::vector<double> numbers;
    for (int i = 1; i < fields.size(); ++i)
        numbers.push_back(fields[i].toDouble());
    return numbers;
}

bool ButtonsShown(CColourPropertySheet* sheet)
{
    return sheet->GetOkButton()->IsWindowVisible() && sheet->GetCancelButton()->IsWindowVisible();
}

bool ButtonsHidden(CColourPropertySheet* sheet)
{
    return !sheet->GetOkButton()->IsWindowVisible() && !sheet->GetCancelButton()->IsWindowVisible();
}

void Grab(CColourPropertySheet* sheet, const char* picture, const std::vector<UINT>& ids)
{
    EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
    const QImage grab = FrameProbe::GrabWindow(sheet);
    QDir().mkpath(SUITE_VISUAL_DIR);
    grab.save(QString(SUITE_VISUAL_DIR) + "/" + picture);
    for (UINT id : ids)
        EXPECT_GT(FrameProbe::ContentPixels(grab, FrameProbe::PaneRect(sheet->GetActivePage()->GetDlgItem(id))), 15)
            << picture << " " << id;
}
} // namespace

TEST(CoefficientsPage, ShowsTheMonthsValuesAndCheckSumsOfTheAlmanac)
{
    InstallFixtures(2026, 2027);
    DateTimeDef record;
    SetRecord(record, 2026, 6, 21, 9, 0, 0);
    RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            ClickTab(sheet, kCoefficientsTab);
            Pump();
            CWnd* page = sheet->GetActivePage();
            ASSERT_NE(dynamic_cast<CSunPolynomialCoeffsPP*>(page), nullptr);
            EXPECT_TRUE(ButtonsHidden(sheet));
            const std::vector<double> june = MonthNumbers("sarsun26.dat", 6);
            for (size_t i = 0; i < june.size(); ++i)
                EXPECT_EQ(TextOf(page, kLineOrder[i]), Shown(june[i])) << kLineOrder[i];
            EXPECT_EQ(TextOf(page, IDC_COEFF_DEC_CHECK), Shown(0 + june[2] + june[3] + june[4] + june[5] + june[6]));
            EXPECT_EQ(TextOf(page, IDC_COEFF_E_CHECK), Shown(0 + june[7] + june[8] + june[9] + june[10] + june[11]));
            EXPECT_EQ(TextOf(page, IDC_COEFF_NO_ALMANAC), "");
            Grab(sheet, "orbisol_coefficients.png",
                 {IDC_COEFF_DATE, IDC_COEFF_R_A0, IDC_COEFF_DEC_A4, IDC_COEFF_E_CHECK, IDC_COEFF_SD_A1});

            // A date of the next year picked with keys: its year is loaded, for this page
            // and for the compute page, which computes for it.
            UserInput::ClickClient(page->GetDlgItem(IDC_COEFF_DATE), 4, 4);
            Pump();
            UserInput::Key(Qt::Key_End);
            UserInput::Key(Qt::Key_Up);
            Pump();
            EXPECT_EQ(app.m_DateTime.nYear, 2027);
            EXPECT_EQ(app.m_SunObservation.m_nLoadedYear, 2027);
            const std::vector<double> june27 = MonthNumbers("sarsun27.dat", 6);
            EXPECT_EQ(TextOf(page, IDC_COEFF_DEC_A0), Shown(june27[2]));
            ClickTab(sheet, kComputeTab);
            Pump();
            EXPECT_TRUE(ButtonsShown(sheet));
            EXPECT_EQ(app.m_SunObservation.m_nLoadedYear, 2027);
            EXPECT_EQ(app.m_SunObservation.m_nDayOfYear, app.m_DateTime.nDayOfYear);
            EXPECT_TRUE(app.m_SunObservation.HasResults());
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
}

TEST(CoefficientsPage, MissingMonthOrYearShowsZeros)
{
    // Twelve lines that load, but June's line is a second May.
    QByteArray almanac = "Sun for 2028\r\n";
    for (int month : {1, 2, 3, 4, 5, 5, 7, 8, 9, 10, 11, 12})
        almanac += MonthLine(month, 10.0 * month, 1.0, 12.0) + "\r\n";
    WriteAlmanac(2028, almanac);
    const struct
    {
        int year;
        const char* line;
    } cases[] = {{2028, ""}, {2031, "No almanac for 2031"}};
    for (const auto& c : cases)
    {
        DateTimeDef record;
        SetRecord(record, c.year, 6, 21, 9, 0, 0);
        RunProgram(
            IDOK,
            [&](COrbisolApp&, CColourPropertySheet* sheet) {
                ClickTab(sheet, kCoefficientsTab);
                Pump();
                CWnd* page = sheet->GetActivePage();
                for (UINT id : kLineOrder)
                    EXPECT_EQ(TextOf(page, id), " +0.000000") << c.year << " " << id;
                EXPECT_EQ(TextOf(page, IDC_COEFF_DEC_CHECK), " +0.000000");
                EXPECT_EQ(TextOf(page, IDC_COEFF_E_CHECK), " +0.000000");
                EXPECT_EQ(TextOf(page, IDC_COEFF_NO_ALMANAC), c.line);
                sheet->EndDialog(IDCANCEL);
            },
            [&](COrbisolApp& app) { app.m_DateTime = record; });
    }
}

TEST(OrbisolSheet, OkAndCancelComeBackWheneverAPageThatHidesThemIsLeft)
{
    const std::vector<std::vector<int>> walks = {
        {kCoefficientsTab, kComputeTab},
        {kCoefficientsTab, kPlotTab, kFormatTab},
        {kAboutTab, kPlotTab},
        {kAboutTab, kCoefficientsTab, kFormatTab},
    };
    for (const std::vector<int>& walk : walks)
        RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
            for (size_t step = 0; step < walk.size(); ++step)
            {
                ClickTab(sheet, walk[step]);
                Pump();
                ASSERT_EQ(sheet->GetActiveIndex(), walk[step]);
                const bool hides = walk[step] == kCoefficientsTab || walk[step] == kAboutTab;
                EXPECT_TRUE(hides ? ButtonsHidden(sheet) : ButtonsShown(sheet)) << step << " " << walk[step];
            }
            // The program can still be closed with "Ok".
            ClickButton(sheet->GetOkButton());
        });
}

TEST(AboutPage, ShowsTheProductItsVersionTheMakerAndThisYearsNotice)
{
    SetClockFixed(1793404800000LL); // 2026-10-31 00:00 UTC
    RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
        ClickTab(sheet, kAboutTab);
        Pump();
        CWnd* page = sheet->GetActivePage();
        ASSERT_NE(dynamic_cast<CAboutPP*>(page), nullptr);
        EXPECT_TRUE(ButtonsHidden(sheet));
        EXPECT_EQ(TextOf(page, IDC_ABOUT_PRODUCT), "Product: Orbisol");
        EXPECT_EQ(TextOf(page, IDC_ABOUT_VERSION),
                  "Version " + std::string(FormatOrbisolVersion(&kOrbisolVersionBlock)));
        EXPECT_EQ(TextOf(page, IDC_ABOUT_CONTACT),
                  "Velmaro Technology Limited\nUnit 4, Harbour Quay, Aberdeen AB11 5QX, United Kingdom\n"
                  "+44 (0)1224 000 000\nsupport@velmaro-technology.example");
        EXPECT_EQ(TextOf(page, IDC_ABOUT_NOTICE),
                  "Copyright (C) 2026 Velmaro Technology Limited. All rights reserved.");
        LOGFONT bold{};
        page->GetDlgItem(IDC_ABOUT_VERSION)->GetFont()->GetLogFont(&bold);
        EXPECT_EQ(bold.lfWeight, 700);
        EXPECT_STREQ(bold.lfFaceName, "Tahoma");
        Grab(sheet, "orbisol_about.png",
             {IDC_ABOUT_PICTURE, IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION, IDC_ABOUT_CONTACT, IDC_ABOUT_NOTICE});
        ClickTab(sheet, kComputeTab);
        Pump();
        EXPECT_TRUE(ButtonsShown(sheet));
        sheet->EndDialog(IDCANCEL);
    });
    ClearClockOverride();
    EXPECT_EQ(CAboutPP::NoticeText("<YEAR> and <YEAR>", 987), "0987 and 0987");
}

TEST(ProgramInformation, VersionTextsAndStringValues)
{
    PROGRAM_VERSION_BLOCK beta = kOrbisolVersionBlock;
    beta.preRelease = true;
    const struct
    {
        const PROGRAM_VERSION_BLOCK* block;
        const char* date;
        const char* display;
        const char* fileVersion;
    } cases[] = {
        {&kOrbisolVersionBlock, "Oct 18 2021", "1.21.10.18", "1.0.0.1"},
        {&kOrbisolVersionBlock, "Jan  5 2024", "1.24.01.05", "1.0.0.1"},
        {nullptr, "Oct 18 2021", "0.21.10.18", ""}, // no version data
        {&beta, "Dec 31 2099", "1.99.12.31", "1.0.0.1 (BETA)"},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(FormatOrbisolVersion(c.block, c.date), c.display) << c.date;
        PROGRAM_INFORMATION info;
        ReadProgramInformation("Z:\\work\\build\\apps\\Orbisol", c.block, info);
        EXPECT_STREQ(info.strVersion, c.fileVersion);
        EXPECT_STREQ(info.strModuleFolder, "Z:\\work\\build\\apps\\");
        EXPECT_STREQ(info.strModuleTitle, "Orbisol");
        EXPECT_STREQ(info.strProductName, c.block ? "Orbisol" : "");
        EXPECT_STREQ(info.strWebURL, c.block ? "https://www.velmaro-technology.example/" : "");
        EXPECT_STREQ(info.strSpecialBuild, "");
    }
}
