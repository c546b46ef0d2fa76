// The number input dialog: what it shows, and what comes back for each answer.
#include "outside/input/InputDouble.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

namespace
{
// Answers the dialog by typing `text` (when given) and pressing OK or Cancel; keeps what it
// showed.
void Answer(const char* text, int button, CString* caption = nullptr, CString* prompt = nullptr,
            CString* shown = nullptr)
{
    ModalHook::AnswerDialog(IDD_INPUT_DOUBLE, [=](CDialog* dlg) {
        if (caption)
            dlg->GetWindowText(*caption);
        if (prompt)
            dlg->GetDlgItemText(IDC_INPUT_PROMPT, *prompt);
        if (shown)
            dlg->GetDlgItemText(IDC_INPUT_VALUE, *shown);
        if (text)
            dlg->SetDlgItemText(IDC_INPUT_VALUE, text);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED));
        return static_cast<INT_PTR>(button);
    });
}
} // namespace

TEST(InputDouble, ShowsTitlePromptAndValueToItsDecimals)
{
    CString caption, prompt, shown;
    Answer(nullptr, IDOK, &caption, &prompt, &shown);
    bool refused = true;
    EXPECT_EQ(InputDouble("Vessel", "Water Depth", 42.123456789, 5, nullptr, &refused), 42.123456789);
    EXPECT_FALSE(refused);
    EXPECT_EQ(caption, "Vessel");
    EXPECT_EQ(prompt, "Water Depth");
    EXPECT_EQ(shown, "42.12346");
}

TEST(InputDouble, AnswersByButtonAndText)
{
    struct Case
    {
        const char* text;
        int button;
        double result;
        bool refused;
    } cases[] = {
        {"57.5", IDOK, 57.5, false},      // a number
        {" -3e2 ", IDOK, -300.0, false},  // blanks around it
        {"57.5", IDCANCEL, 10.0, false},  // cancelled
        {"deep", IDOK, 10.0, true},       // not a number
        {"12x", IDOK, 10.0, true},        //
        {"", IDOK, 10.0, true},           //
        {"nan", IDOK, 10.0, true},        //
        {"10.00", IDOK, 10.0, false},     // unchanged
    };
    for (const Case& c : cases)
    {
        Answer(c.text, c.button);
        bool refused = false;
        EXPECT_EQ(InputDouble("Vessel", "Water Depth", 10.0, 2, nullptr, &refused), c.result) << c.text;
        EXPECT_EQ(refused, c.refused) << c.text;
    }
}
