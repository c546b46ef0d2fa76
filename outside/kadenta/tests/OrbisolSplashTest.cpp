// The solar program's opening window: its name, the running program's version and the
// picture, answered OK or Cancel by the user; through the modal hook as the program runs it.
#include "outside/kadenta/OrbisolSplashDlg.h"
#include "outside/kadenta/ProgramVersion.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QImage>
#include <gtest/gtest.h>

namespace
{
const PROGRAM_VERSION_BLOCK kBlock = {"Orbisol", "Orbisol.exe", "Maker", "Orbisol", {2, 0, 0, 1}, {2, 0, 0, 1}, false};
const PROGRAM_VERSION_RULE kRule = {true, true, nullptr};
} // namespace

TEST(OrbisolSplash, ShowsNameVersionAndPictureAndEndsAsTheButtonClicked)
{
    CWinApp app("Orbisol");
    SetRunningProgramVersion(&kBlock, kRule);
    for (const int button : {IDOK, IDCANCEL})
    {
        CString program, version;
        int sunPixels = 0;
        ModalHook::AnswerDialog(IDD_KADENTA_ORBISOL_SPLASH, [&](CDialog* dlg) -> INT_PTR {
            dlg->GetDlgItemText(IDC_KADENTA_INIT_PROGRAM, program);
            dlg->GetDlgItemText(IDC_KADENTA_INIT_VERSION, version);
            const QImage shown = FrameProbe::GrabWindow(dlg);
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    sunPixels += shown.pixelColor(x, y) == QColor(0xFF, 0xD8, 0x40) ? 1 : 0;
            CWnd* target = dlg->GetDlgItem(button);
            CRect r;
            target->GetClientRect(&r);
            UserInput::ClickClient(target, r.CenterPoint().x, r.CenterPoint().y);
            return MODALHOOK_RUN_LOOP;
        });
        COrbisolSplashDlg splash;
        EXPECT_EQ(splash.DoModal(), button);
        EXPECT_STREQ(program, "Orbisol");
        EXPECT_STREQ(version, "Version " + GetRunningProgramVersion());
        EXPECT_EQ(version.Find("Version 2."), 0) << (LPCSTR)version;
        EXPECT_GT(sunPixels, 500);
    }
    SetRunningProgramVersion(nullptr, kRule);
}
