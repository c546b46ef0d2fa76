// The about box as the programs' about command shows it: the program's name, the version text
// and the company, modal; and the start-up form that closes itself.
#include "platform/core/WinApp.h"
#include "outside/kadenta/Kadenta.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

TEST(KadentaTest, AboutBoxShowsProgramVersionAndCompany)
{
    CWinApp app("Geodetic");
    app.SetRegistryKey("Velmaro Technology Limited");
    CString shownProgram, shownVersion, shownCompany, shownCaption;
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [&](CDialog* dlg) {
        dlg->GetDlgItemText(IDC_KADENTA_PROGRAM, shownProgram);
        dlg->GetDlgItemText(IDC_KADENTA_VERSION, shownVersion);
        dlg->GetDlgItemText(IDC_KADENTA_COMPANY, shownCompany);
        dlg->GetWindowText(shownCaption);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDOK;
    });
    EXPECT_EQ(DisplayAboutBox("1.25.12.10", false), IDOK);
    EXPECT_STREQ(shownProgram, "Geodetic");
    EXPECT_STREQ(shownVersion, "Version 1.25.12.10");
    EXPECT_STREQ(shownCompany, "Velmaro Technology Limited");
    EXPECT_STREQ(shownCaption, "About Geodetic");
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].id, static_cast<UINT>(IDD_KADENTA_ABOUT));
}

TEST(KadentaTest, VersionWithBuildSuffixLosesItsTrailingBlank)
{
    // The programs hand "%d.%d.%d.%d%s " when a build suffix is set.
    CString program, version, company;
    GetAboutBoxTexts("2.25.1.7 beta ", program, version, company);
    EXPECT_STREQ(version, "Version 2.25.1.7 beta");
}

TEST(KadentaTest, StartUpFormClosesByItself)
{
    CWinApp app("Zuduzuro");
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ModalHook::SetLoopTimeout(8000);
    EXPECT_EQ(DisplayAboutBox("1.0.0.0", true), IDOK);
}
