#include "acoustic/engine/DispDouble.h"

#include <gtest/gtest.h>

namespace
{
CString TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}
} // namespace

TEST(DispDouble, ShowsTheValueInItsFormat)
{
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    CDispDouble display;
    // A value set before the window exists is shown once it does.
    display.SetValue(12.5);
    ASSERT_TRUE(display.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 1001));
    EXPECT_EQ(TextOf(display), "");
    display.UpdateText();
    EXPECT_EQ(TextOf(display), "      12.500");

    display.SetFormat(8, 2, true, true);
    EXPECT_EQ(TextOf(display), "+0012.50");
    display.SetValue(-3.14159);
    EXPECT_EQ(TextOf(display), "-0003.14");
    // Too large for the field: clamped to what fits.
    display.SetFormat(6, 1);
    display.SetValue(123456.0);
    EXPECT_EQ(TextOf(display), "9999.9");

    // Without a value the text is left alone by a refresh.
    display.ClearValue();
    EXPECT_FALSE(display.HasValue());
    EXPECT_EQ(TextOf(display), "");
    display.SetWindowText("n/a");
    display.UpdateText();
    EXPECT_EQ(TextOf(display), "n/a");
    display.DestroyWindow();
    parent.DestroyWindow();
}
