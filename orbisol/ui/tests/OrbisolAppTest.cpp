// The solar program as it starts: the opening window answered, then the sheet in its real
// modal loop, driven by clicks on its tabs and buttons; the page it is left on is kept.
#include "foundation/ConfigFile.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "outside/kadenta/OrbisolSplashDlg.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/orbisol"
#endif

using namespace ProgramDriver;

namespace
{
QString ActivePageFile()
{
    return SettingsFile("Orbisol Calculation_PS");
}
} // namespace

TEST(OrbisolProgram, FirstRunShowsSixPagesOkCancelAndKeepsThePageItIsLeftOn)
{
    const bool shown = RunProgram(IDOK, [](COrbisolApp& app, CColourPropertySheet* sheet) {
        // First run: nothing stored.
        EXPECT_EQ(app.m_SunObservation.m_dLatitude, 0.0);
        EXPECT_EQ(app.m_SunObservation.m_dLongitude, 0.0);
        EXPECT_EQ(app.m_SunObservation.m_dROAngle, 0.0);
        EXPECT_EQ(sheet->GetActiveIndex(), 0);

        CString caption;
        sheet->GetWindowText(caption);
        EXPECT_STREQ(caption, "Orbisol Calculation");
        const char* captions[] = {"Azimuth Computation", "Sun Plot", "Polynomial Coefficients",
                                  "Observations", "Geographical and Angle Format", "About"};
        ASSERT_EQ(sheet->GetTabControl()->GetTabsNum(), 6);
        for (int i = 0; i < 6; ++i)
        {
            CString label;
            sheet->GetTabControl()->GetTabLabel(i, label);
            EXPECT_STREQ(label, captions[i]);
        }

        // The standard buttons are gone; the colour buttons stand at the bottom left.
        EXPECT_EQ(sheet->GetDlgItem(ID_APPLY_NOW), nullptr);
        EXPECT_EQ(sheet->GetDlgItem(IDHELP), nullptr);
        EXPECT_EQ(sheet->GetDlgItem(IDOK), sheet->GetOkButton());
        EXPECT_EQ(sheet->GetDlgItem(IDCANCEL), sheet->GetCancelButton());
        EXPECT_FALSE(sheet->GetStyle() & WS_SYSMENU);
        CString text;
        sheet->GetOkButton()->GetWindowText(text);
        EXPECT_STREQ(text, "Ok");
        sheet->GetCancelButton()->GetWindowText(text);
        EXPECT_STREQ(text, "Cancel");
        CRect place(15, 10, 0, 0);
        sheet->MapDialogRect(&place);
        CRect size(0, 0, 50, 14); // the standard OK's size in dialog units
        sheet->MapDialogRect(&size);
        CRect client, ok, cancel;
        sheet->GetClientRect(&client);
        sheet->GetOkButton()->GetWindowRect(&ok);
        sheet->ScreenToClient(&ok);
        sheet->GetCancelButton()->GetWindowRect(&cancel);
        sheet->ScreenToClient(&cancel);
        EXPECT_EQ(ok.left, place.left);
        EXPECT_EQ(ok.bottom, client.bottom - place.top);
        EXPECT_EQ(ok.Size(), size.Size());
        EXPECT_EQ(cancel.left, ok.right);
        EXPECT_EQ(cancel.top, ok.top);
        EXPECT_EQ(cancel.Size(), ok.Size());
        EXPECT_EQ(sheet->GetOkButton()->GetFont()->GetSafeHandle(), sheet->GetFont()->GetSafeHandle());

        // What the user sees: the sheet alone, the page grey with white text.
        EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
        const QImage grab = FrameProbe::GrabWindow(sheet);
        QDir().mkpath(SUITE_VISUAL_DIR);
        grab.save(QString(SUITE_VISUAL_DIR) + "/orbisol_sheet.png");
        const QRect page = FrameProbe::PaneRect(sheet->GetActivePage());
        EXPECT_GT(FrameProbe::ContentPixels(grab, page), 20);
        EXPECT_EQ(FrameProbe::BackgroundColour(grab, page), QColor(0x55, 0x55, 0x55));
        // With no almanac on a first run, the computation page says so in white.
        const QRect note = FrameProbe::PaneRect(sheet->GetActivePage()->GetDlgItem(IDC_COMPUTE_NO_ALMANAC));
        int white = 0;
        for (int y = note.top(); y <= note.bottom(); ++y)
            for (int x = note.left(); x <= note.right(); ++x)
            {
                const QColor c = grab.pixelColor(x, y);
                white += (c.red() > 0xD0 && c.green() > 0xD0 && c.blue() > 0xD0) ? 1 : 0;
            }
        EXPECT_GT(white, 20);

        for (int i : {1, 4, 3})
        {
            ClickTab(sheet, i);
            EXPECT_EQ(sheet->GetActiveIndex(), i);
        }
        ClickButton(sheet->GetOkButton());
    });
    EXPECT_TRUE(shown);
    QFile stored(ActivePageFile());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly)) << stored.fileName().toStdString();
    EXPECT_EQ(stored.readAll(), QByteArray("Active Page = 3\r\n"));
}

TEST(OrbisolProgram, OpensOnTheStoredPageOnlyWhenItIsOneOfTheSix)
{
    const struct
    {
        QByteArray file;
        int page;
    } cases[] = {
        {"Active Page = 3\r\n", 3},
        {"Active Page = 5\r\n", 5},
        {"Active Page = 6\r\n", 0},
        {"Active Page = -1\r\n", 0},
        {"Active Page\r\n", 0},
        {"", 0},
        {"Active Page = 2\r\n" + QByteArray(10 * 1024 * 1024, 'x'), 2},
        {QByteArray(10 * 1024 * 1024, '7'), 0},
    };
    for (const auto& c : cases)
    {
        WriteLinuxFile(ActivePageFile(), c.file);
        int opened = -1;
        RunProgram(IDOK, [&](COrbisolApp&, CColourPropertySheet* sheet) {
            opened = sheet->GetActiveIndex();
            EXPECT_TRUE(sheet->GetPage(opened)->IsWindowVisible());
            sheet->EndDialog(IDCANCEL);
        });
        EXPECT_EQ(opened, c.page) << c.file.left(40).toStdString();
    }
}

TEST(OrbisolProgram, CancelledOpeningWindowEndsWithoutTheSheet)
{
    EXPECT_FALSE(RunProgram(IDCANCEL, [](COrbisolApp&, CColourPropertySheet*) {}));
    EXPECT_FALSE(QFile::exists(ActivePageFile()));
    // The hook holds the unused sheet answer; it is not a failure of the program.
    ModalHook::Reset();
}

TEST(OrbisolProgram, StoredPositionIsReadAndDamagedValuesAreZero)
{
    const struct
    {
        const char* file;
        double latitude, longitude, roAngle;
    } cases[] = {
        {"Latitude = 0.5000000000000000\r\nLongitude = -0.0400000000000000\r\nRO Angle = 1.2500000000000000\r\n", 0.5,
         -0.04, 1.25},
        {"Latitude = nan\r\nLongitude = junk\r\nRO Angle = inf\r\n", 0.0, 0.0, 0.0},
        {"Latitude = 0.25\r\n", 0.25, 0.0, 0.0},
    };
    for (const auto& c : cases)
    {
        CConfigFile file;
        WriteLinuxFile(LinuxPathFromWindows(file.GetSettingsFileName("Orbisol")), c.file);
        COrbisolApp app;
        EXPECT_DOUBLE_EQ(app.m_SunObservation.m_dLatitude, c.latitude) << c.file;
        EXPECT_DOUBLE_EQ(app.m_SunObservation.m_dLongitude, c.longitude) << c.file;
        EXPECT_DOUBLE_EQ(app.m_SunObservation.m_dROAngle, c.roAngle) << c.file;
        // The observation is at the local date and time of the start.
        EXPECT_EQ(app.m_SunObservation.m_nDayOfYear, app.m_DateTime.nDayOfYear);
        EXPECT_GT(app.m_DateTime.nYear, 2000);
    }
}
