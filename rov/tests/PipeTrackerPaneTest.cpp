// The pipe tracker pane docked in the test host as a host docks it: the burial graph's modes
// fixed over its settings file, the sample pair made from the tracker's distance and burial,
// the exposed pipe drawn above the seabed, and the short menu a user gets with a right click.
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "rov/PipeTrackerPane.h"
#include "rov/ScrollingAreaGraph.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <string>
#include <vector>

namespace
{
const char kName[] = "Pipe Tracker";

struct PipeTrackerFixture : ::testing::Test
{
    CWinApp app{"PipeTrackerPaneTest"};
    CTestHost host;
    CPipeTrackerPane pane;
    CTssPipeTracker& tracker = host.m_Records.m_TssPipeTracker;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(900, 600)); }
    CScrollingAreaGraph& Graph() { return *pane.GetGraph(); }
    void Feed(double distance, double burial, int samples)
    {
        tracker.m_CoilHeight = distance;
        tracker.m_Burial = burial;
        for (int i = 0; i < samples; ++i)
            host.Update(pane);
    }
};

TEST_F(PipeTrackerFixture, TheBurialModesAreFixedWhateverTheSettingsFileSays)
{
    {
        CScrollingAreaGraph saved;
        saved.m_strName = kName;
        saved.m_bEchoSounderMode = false;
        saved.m_bDepthOfBurialMode = false;
        saved.m_bTraceMode = true;
        saved.m_bZeroMode = false;
        saved.m_bDepthPlusAltitude = false;
        saved.m_bLeftToRight = true;
        saved.SaveSettings();
    }
    ASSERT_TRUE(host.Dock(pane, kName, 4341, &tracker));
    const CScrollingAreaGraph& g = Graph();
    EXPECT_TRUE(g.m_bLeftToRight) << "the file's own choice stays";
    EXPECT_TRUE(g.m_bSingleTrace);
    EXPECT_TRUE(g.m_bEchoSounderMode);
    EXPECT_TRUE(g.m_bDepthOfBurialMode);
    EXPECT_FALSE(g.m_bTraceMode);
    EXPECT_TRUE(g.m_bZeroMode);
    EXPECT_TRUE(g.m_bDepthPlusAltitude);
}

TEST_F(PipeTrackerFixture, AltitudeIsTheDistanceLessTheBurialAndTheDobShowsAgain)
{
    ASSERT_TRUE(host.Dock(pane, kName, 4342, &tracker));
    Feed(2.5, 0.5, 1);
    EXPECT_EQ(Graph().m_Trace1[0], 2.0);
    EXPECT_EQ(Graph().m_Trace2[0], 2.5) << "the distance to the pipe";
    EXPECT_EQ(std::string(Graph().m_strTrace1), "Altitude");
    EXPECT_EQ(std::string(Graph().m_strTrace2), "DOB");
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{kName, &pane}}, {}, QString(SUITE_VISUAL_DIR) + "/pipe_tracker.png");
    EXPECT_EQ(std::string(Graph().ValueText(0)), "Altitude 2.0");
    EXPECT_EQ(std::string(Graph().ValueText(1)), "DOB 0.5");
}

TEST_F(PipeTrackerFixture, AnExposedPipeIsDrawnAboveTheSeabed)
{
    ASSERT_TRUE(host.Dock(pane, kName, 4343, &tracker));
    pane.SetWindowPos(nullptr, 0, 0, 480, 320, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    // The pipe 2.5 m below the tracker, lying 0.5 m proud of a seabed 3 m below it.
    Feed(2.5, -0.5, 100);
    Graph().Invalidate();
    Pump();
    const QImage shot = FrameProbe::GrabWindow(&host);
    const CPoint offset = CScrollingAreaGraph::FrameOffset();
    const QPoint origin = FrameProbe::PaneRect(&Graph()).topLeft() + QPoint(offset.x, offset.y);
    const auto at = [&](int x, int y) { return shot.pixelColor(origin + QPoint(x, y)); };
    const auto colour = [&](int role) {
        const COLORREF c = Graph().m_Colours[role];
        return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    };
    const int x = Graph().SampleToX(20);
    const int pipe = Graph().ValueToY(2.5);
    const int seabed = Graph().ValueToY(3.0);
    ASSERT_LT(pipe + 2, seabed) << "the axis grows downwards";
    EXPECT_EQ(at(x, pipe), colour(CScrollingAreaGraph::TRACE2)) << "the pipe line";
    EXPECT_EQ(at(x, seabed + 3), colour(CScrollingAreaGraph::TRACE1)) << "the seabed area below it";
    EXPECT_NE(at(x, (pipe + seabed) / 2), colour(CScrollingAreaGraph::TRACE1)) << "water between them";
}

TEST_F(PipeTrackerFixture, TheRightClickMenuOffersOnlyDirectionValuesTwoSpansAndReset)
{
    ASSERT_TRUE(host.Dock(pane, kName, 4344, &tracker));
    std::vector<std::string> items;
    ModalHook::AnswerMenuShown([&items](QWidget* widget) {
        if (auto* menu = qobject_cast<QMenu*>(widget))
            for (QAction* a : menu->actions())
                if (a->isVisible() && !a->isSeparator() && !a->text().isEmpty())
                    items.push_back(a->text().toStdString());
        return 0u;
    });
    UserInput::RightClickClient(&Graph(), 60, 60);
    Pump();
    EXPECT_EQ(items, (std::vector<std::string>{"Left to Right", "Show Values", "5", "10", "Reset"}));
}

TEST_F(PipeTrackerFixture, UpdatesWithoutARecordAreIgnored)
{
    ASSERT_TRUE(host.Dock(pane, kName, 4345, static_cast<CTssPipeTracker*>(nullptr)));
    host.Update(pane);
    EXPECT_EQ(Graph().m_Trace1.GetSize(), 0);
    CPipeTrackerPane never;
    never.Update();
    EXPECT_EQ(never.GetGraph(), nullptr);
}
} // namespace
