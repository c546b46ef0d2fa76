// The standard cursors: one handle each, and SetCursor showing it on the captured window.
#include "platform/ui/Cursor.h"
#include "platform/ui/Wnd.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(Cursor, StandardHandlesAndTheCapturedWindow)
{
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(cross, nullptr);
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(arrow, cross);
    EXPECT_NE(cross, hand);
    EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), hand);
    EXPECT_EQ(LoadCursor(nullptr, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(1))), nullptr);

    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Cursor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100),
                                nullptr, 0));
    window.SetCapture();
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(cross), arrow);
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(window.GetWidget()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(SetCursor(hand), cross);
    EXPECT_EQ(window.GetWidget()->cursor().shape(), Qt::PointingHandCursor);
}
