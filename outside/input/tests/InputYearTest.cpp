// The year dialog: which texts are a year of its window, and that a refused text keeps the
// dialog open with the year it had.
#include "outside/input/InputYear.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

TEST(InputYear, TakesOnlyAWholeYearOfTheWindow)
{
    struct Case
    {
        const char* text;
        bool taken;
        int year;
    } cases[] = {
        {"2024", true, 2024}, {" 2099 ", true, 2099}, {"2000", true, 2000},
        {"1970", false, 0},   {"2100", false, 0},     {"1999", false, 0}, // another century
        {"24", false, 0},     {"02024", false, 0},    {"+2024", false, 0},
        {"2024.5", false, 0}, {"2e03", false, 0},     {"20 24", false, 0},
        {"", false, 0},       {"year", false, 0},     {"\xB2\x30\x32\x34", false, 0},
    };
    for (const Case& c : cases)
    {
        int year = 0;
        EXPECT_EQ(CInputYear::ParseYear(c.text, year), c.taken) << c.text;
        EXPECT_EQ(year, c.year) << c.text;
    }
}

TEST(InputYear, RefusedTextSaysSoAndKeepsTheDialogOpen)
{
    CString shown, caption, prompt;
    bool openAfterRefusal = false;
    ModalHook::AnswerMessageBox(IDOK);
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [&](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_INPUT_YEAR_VALUE, shown);
        dialog->GetWindowText(caption);
        dialog->GetDlgItemText(IDC_INPUT_YEAR_PROMPT, prompt);
        dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, "1970");
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        openAfterRefusal = ::IsWindow(dialog->GetSafeHwnd()) && dialog->IsWindowVisible();
        dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, "2031");
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDCANCEL;
    });
    CInputYear dialog(nullptr, 2026);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_nYear, 2031);
    EXPECT_EQ(shown, "2026");
    // The window is said before anything is typed.
    EXPECT_NE(caption.Find("2000 to 2099"), -1) << (LPCSTR)caption;
    EXPECT_NE(prompt.Find("2000 to 2099"), -1) << (LPCSTR)prompt;
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(ModalHook::Shown().size(), 2u);
    EXPECT_EQ(ModalHook::Shown()[0].text, "Type a whole year from 2000 to 2099.");
}

TEST(InputYear, CancelOrAYearOutsideTheWindowKeepsTheYear)
{
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [](CDialog* dialog) {
        dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, "2030");
        return IDCANCEL;
    });
    CInputYear cancelled(nullptr, 2026);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_nYear, 2026);

    // A year the dialog could not take opens empty, and stays so until a year is typed.
    CString shown = "unset";
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [&shown](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_INPUT_YEAR_VALUE, shown);
        return IDCANCEL;
    });
    CInputYear outside(nullptr, 1970);
    EXPECT_EQ(outside.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(outside.m_nYear, 1970);
}
