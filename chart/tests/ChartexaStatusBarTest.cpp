// The grid position status bar: its panes and the read-outs the chart writes into it.
#include "chart/view/ChartexaStatusBar.h"

#include <gtest/gtest.h>

namespace
{
struct StatusBarFixture : ::testing::Test
{
    CWnd frame;
    CChartexaStatusBar bar;
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 200),
                                   nullptr, 0));
        ASSERT_EQ(bar.Create(&frame), 1);
    }
};
} // namespace

TEST_F(StatusBarFixture, CreatesFivePanesWithLabelsIdsAndWidths)
{
    EXPECT_EQ(bar.GetDlgCtrlID(), 0xE801);
    EXPECT_EQ(bar.GetStyle() & 0x50008200u, 0x50008200u);
    ASSERT_EQ(bar.GetCount(), 5);
    const UINT ids[] = {0, 12301, 12305, 12302, 12306};
    const char* texts[] = {"", " Eng: ", " 0.0", " Nng: ", " 0.0"};
    const int widths[] = {0, 50, 100, 50, 100};
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
        EXPECT_STREQ(bar.GetPaneText(i), texts[i]) << i;
        if (i > 0)
        {
            UINT id = 0, style = 0;
            int cx = 0;
            bar.GetPaneInfo(i, id, style, cx);
            EXPECT_EQ(style, static_cast<UINT>(SBPS_NOBORDERS)) << i;
            EXPECT_EQ(cx, widths[i]) << i;
        }
    }
    EXPECT_EQ(bar.CommandToIndex(12306), 4);
}

TEST_F(StatusBarFixture, DisplayGridAndClearDisplay)
{
    struct Case
    {
        double e, n;
        const char* shownE;
        const char* shownN;
    } cases[] = {
        {500000, 6000000.12345, "500000.000", "6000000.123"},
        {-12.5, 0.0, "-12.500", "0.000"},
    };
    for (const Case& c : cases)
    {
        bar.DisplayGrid(c.e, c.n);
        EXPECT_STREQ(bar.GetPaneText(2), c.shownE);
        EXPECT_STREQ(bar.GetPaneText(4), c.shownN);
    }
    bar.ClearDisplay();
    EXPECT_STREQ(bar.GetPaneText(1), " Eng: ");
    EXPECT_STREQ(bar.GetPaneText(3), " Nng: ");
    EXPECT_STREQ(bar.GetPaneText(2), "");
    EXPECT_STREQ(bar.GetPaneText(4), "");
}

TEST(ChartexaStatusBarTest, CreateWithoutParentFails)
{
    CChartexaStatusBar bar;
    EXPECT_EQ(bar.Create(nullptr), -1);
}
