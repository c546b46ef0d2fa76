#include "foundation/WindowMessages.h"
#include "platform/core/RegisteredMessage.h"

#include <gtest/gtest.h>

#include <set>

TEST(WindowMessages, TableRegistersFiftyFiveDistinctNumbers)
{
    std::set<UINT> numbers;
    for (const char* name : g_RegisteredMessageNames)
    {
        const UINT n = RegisterWindowMessageA(name);
        EXPECT_GE(n, 0xC000u) << name;
        numbers.insert(n);
    }
    EXPECT_EQ(numbers.size(), 55u);
    // The module's variables hold the same numbers as a fresh registration of the strings.
    EXPECT_EQ(UM_RECEIVE_DATA, RegisterWindowMessageA("UM_RECEIVE_DATA-{DD9FC8F8-082F-44C1-832B-8D75C832129A}"));
    EXPECT_EQ(UM_EDITBOX_FOCUS_DATA,
              RegisterWindowMessageA("UM_EDITBOX_FOCUS_DATA-{67F4B673-533F-4E09-8003-365C753E8457}"));
}

TEST(WindowMessages, SharedGuidStillGivesTwoMessages)
{
    EXPECT_NE(UM_SET_FOCUS, UM_REDRAW_VECTOR_DISPLAY);
    EXPECT_STRNE(WindowMessageNames::UM_SET_FOCUS, WindowMessageNames::UM_REDRAW_VECTOR_DISPLAY);
}

TEST(WindowMessages, EditUpdateCarriesIdAndOwnNumber)
{
    const WPARAM w = EditUpdateWParam(1234);
    EXPECT_EQ(LOWORD(w), 1234);
    EXPECT_EQ(HIWORD(w), static_cast<WORD>(UM_EDIT_UPDATE));
}
