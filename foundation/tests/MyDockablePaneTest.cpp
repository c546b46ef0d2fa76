// The pane base starts hidden until a saved layout shows it; the grid's colour schemes; the
// library entry keeps the library in the resource chain.
#include "foundation/MyDockablePane.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Resources.h"

#include <gtest/gtest.h>

TEST(MyDockablePaneTest, HiddenUntilASavedLayoutShowsIt)
{
    CWinApp app("PaneHost");
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300),
                               nullptr, 0));
    {
        CMyDockablePane pane;
        ASSERT_TRUE(pane.Create(&frame, 33050, "Obstructions"));
        EXPECT_EQ(pane.m_pOwner, &frame);
        EXPECT_EQ(pane.m_nID, 33050);
        EXPECT_STREQ(pane.m_strTitle, "Obstructions");
        EXPECT_FALSE(pane.IsVisible());
        EXPECT_EQ(CDockablePane::GetStoredVisibility(33050), -1);
        pane.ShowPane(TRUE, FALSE, TRUE); // the user opens it
        ASSERT_TRUE(pane.SaveState());
    }
    EXPECT_EQ(app.GetProfileInt("Workspace\\BasePane-33050", "IsVisible", -1), 1u);
    {
        CMyDockablePane pane; // the next start
        ASSERT_TRUE(pane.Create(&frame, 33050, "Obstructions"));
        EXPECT_TRUE(pane.IsVisible());
        pane.ClosePane();
        ASSERT_TRUE(pane.SaveState());
    }
    {
        CMyDockablePane pane; // closed last time: a stored 0 is a layout too, and it stays closed
        ASSERT_TRUE(pane.Create(&frame, 33050, "Obstructions"));
        EXPECT_EQ(CDockablePane::GetStoredVisibility(33050), 0);
        EXPECT_FALSE(pane.IsVisible());
    }
}

TEST(MyDockablePaneTest, SchemeZeroLooksTheSameByDayAndNight)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), nullptr, 0));
    CMyMFCPropertyGridCtrl grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
    COLORREF day[7], night[7];
    SetColourScheme(&grid, 0);
    grid.GetCustomColors(day[0], day[1], day[2], day[3], day[4], day[5], day[6]);
    grid.SetNightMode(true);
    SetColourScheme(&grid, 0);
    grid.GetCustomColors(night[0], night[1], night[2], night[3], night[4], night[5], night[6]);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(day[i], night[i]) << i;
    SetColourScheme(&grid, 1);
    COLORREF c[7];
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    EXPECT_EQ(c[0], 0x000000u);
    EXPECT_EQ(c[5], 0xC0C0C0u);
    SetColourScheme(&grid, 9); // nothing changes
    EXPECT_EQ(grid.GetColourScheme(), 1);
    SetColourScheme(nullptr, 1);
}

TEST(MyDockablePaneTest, LibraryEntryJoinsAndLeavesTheResourceChain)
{
    EXPECT_TRUE(TolvarLibraryEntry(DLL_PROCESS_ATTACH));
    EXPECT_TRUE(AfxIsStringTableRegistered("Tolvar"));
    EXPECT_TRUE(TolvarLibraryEntry(DLL_THREAD_ATTACH));
    EXPECT_TRUE(TolvarLibraryEntry(DLL_PROCESS_DETACH));
    EXPECT_FALSE(AfxIsStringTableRegistered("Tolvar"));
}
