// The chart pane in a host frame: hidden until the workspace stored it as visible, its view
// filling it, day and night passed on, and a view that cannot be made leaving no pane.
#include "chart/ChartexaStatusBar.h"
#include "chart/GridView.h"
#include "chart/GridViewPane.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace
{
constexpr int kPaneId = 12400;

// A view whose window cannot be made.
class CRefusedView : public CGridView
{
public:
    BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
};

class CPaneWithoutView : public CGridViewPane
{
protected:
    CGridView* MakeView() override { return new CRefusedView; }
};

struct GridViewPaneFixture : ::testing::Test
{
    CWinApp app{"GridViewPaneTest"};
    CRecordingOwner owner;
    CChartexaStatusBar bar;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(640, 480));
        ASSERT_EQ(bar.Create(&owner), 1);
    }
};
} // namespace

TEST_F(GridViewPaneFixture, HiddenUntilTheWorkspaceStoredItAsVisible)
{
    {
        CGridViewPane pane;
        ASSERT_EQ(pane.Create(&owner, kPaneId, &bar), 1);
        EXPECT_EQ(pane.GetTitle(), "Grid View Pane");
        EXPECT_EQ(pane.m_pParent, &owner);
        ASSERT_NE(pane.GetView(), nullptr);
        EXPECT_EQ(pane.GetView()->m_pStatusBar, &bar);
        EXPECT_FALSE(pane.GetView()->m_bShowTools);
        EXPECT_FALSE(pane.GetView()->m_bRemote);
        EXPECT_FALSE(pane.IsVisible());
        pane.ShowPane(TRUE, FALSE, TRUE); // the user opens it; the frame stores the layout
        ASSERT_TRUE(pane.SaveState());
    }
    CGridViewPane pane; // the next start
    ASSERT_EQ(pane.Create(&owner, kPaneId, &bar), 1);
    EXPECT_TRUE(pane.IsVisible());
}

TEST_F(GridViewPaneFixture, ViewFillsThePaneAfterAResize)
{
    CGridViewPane pane;
    ASSERT_EQ(pane.Create(&owner, kPaneId, &bar), 1);
    pane.ShowPane(TRUE, FALSE, TRUE);
    Pump();
    owner.MoveWindow(0, 0, 800, 560);
    Pump();
    CRect client, view;
    pane.GetClientRect(client);
    pane.GetView()->GetWindowRect(view);
    pane.ScreenToClient(view);
    EXPECT_FALSE(client.IsRectEmpty());
    EXPECT_EQ(view, client);

    // The view shows where the pane lies in the frame a user sees.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QRect paneRect = FrameProbe::PaneRect(&pane);
    EXPECT_FALSE(paneRect.isEmpty());
    EXPECT_EQ(FrameProbe::PaneRect(pane.GetView()), paneRect);

    // Focus given to the pane goes to the chart, whose keys the plot navigates.
    pane.SetFocus();
    Pump();
    EXPECT_TRUE(pane.GetView()->GetWidget()->hasFocus());
}

TEST_F(GridViewPaneFixture, DayAndNightGoToTheView)
{
    CGridViewPane pane;
    ASSERT_EQ(pane.Create(&owner, kPaneId, &bar), 1);
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    EXPECT_EQ(pane.GetView()->GetPlot()->gridColour, 0x004000u);
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());
    EXPECT_EQ(pane.GetView()->GetPlot()->gridColour, 0x00FF00u);
}

TEST_F(GridViewPaneFixture, AViewThatCannotBeMadeLeavesNoPane)
{
    CPaneWithoutView pane;
    EXPECT_EQ(pane.Create(&owner, kPaneId, &bar), 0);
    EXPECT_EQ(pane.GetSafeHwnd(), nullptr);
    EXPECT_EQ(pane.GetView(), nullptr);
    pane.SetNightMode(true);
    EXPECT_FALSE(pane.GetNightMode());
    pane.Update();
    pane.AdjustLayout();
}
