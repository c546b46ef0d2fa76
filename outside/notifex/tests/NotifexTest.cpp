// The suite's message boxes go through the message-box layer with the icon of their kind.
#include "outside/notifex/Notifex.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

TEST(NotifexTest, EachKindShowsItsTextIconAndButtons)
{
    struct Case
    {
        int (*show)(const char*, CWnd*, unsigned);
        unsigned style;
        UINT icon;
        UINT buttons;
    } cases[] = {
        {&ErrorMessage, 0x300010, MB_ICONERROR, MB_OK},
        {&WarningMessage, 0x300030, MB_ICONWARNING, MB_OK},
        {&GetYN, 0x300020, MB_ICONQUESTION, MB_YESNO},
        {&ErrorMessage, 0, MB_ICONERROR, MB_OK}, // no style: the kind's own icon
    };
    for (const Case& c : cases)
    {
        ModalHook::AnswerMessageBox(IDOK);
        c.show("Requires a file name", nullptr, c.style);
        const MODAL_RECORD& shown = ModalHook::Shown().back();
        EXPECT_EQ(shown.kind, MODAL_RECORD::MessageBox);
        EXPECT_STREQ(shown.text, "Requires a file name");
        EXPECT_EQ(shown.flags & MB_ICONMASK, c.icon);
        EXPECT_EQ(shown.flags & MB_TYPEMASK, c.buttons);
    }
}

TEST(NotifexTest, GetYNReturnsTheAnswerAndInformationBoxItsCaption)
{
    ModalHook::AnswerMessageBox(IDYES);
    EXPECT_EQ(GetYN("Are you sure you wish to exit program", nullptr, 0x300020), 6);
    ModalHook::AnswerMessageBox(IDNO);
    EXPECT_EQ(GetYN("Are you sure you wish to exit program", nullptr, 0x300020), IDNO);

    ModalHook::AnswerMessageBox(IDOK);
    InformationBox("Pipeline Data", "Thined data file written to\nC:\\x.csv");
    EXPECT_STREQ(ModalHook::Shown().back().caption, "Pipeline Data");
    EXPECT_STREQ(ModalHook::Shown().back().text, "Thined data file written to\nC:\\x.csv");
    EXPECT_EQ(ModalHook::Shown().back().flags & MB_ICONMASK, MB_ICONINFORMATION);
}
