// The scrolling graph pane docked in the test host as a host docks it: what the frame shows,
// the graph's pixels in each drawing mode probed on the window's picture, the caption with and
// without the values on the graph, and the context menu as a user opens it with a right click,
// each choice's effect, colours and settings file.
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "rov/ScrollingAreaGraph.h"
#include "rov/ScrollingGraphPane.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const char kGraphName[] = "Depth Graph";
const int kGraphPaneId = 7001;

// A pane whose owner records what is posted to it, as the host sees the graph's message.
class CRecordedGraphPane : public CScrollingGraphPane
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 0xC000 && message <= 0xFFFF)
            m_Posted.push_back(POSTED_MESSAGE{RegisteredMessageName(message), wParam, lParam});
        return CScrollingGraphPane::WindowProc(message, wParam, lParam);
    }
    std::vector<POSTED_MESSAGE> m_Posted;
};

QColor Qt(COLORREF c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

struct ScrollingGraphPane : ::testing::Test
{
    CWinApp app{"ScrollingGraphPaneTest"};
    CTestHost host;
    CRecordedGraphPane pane;
    CScrollingAreaGraph* graph = nullptr;
    QImage shot;
    QPoint origin;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(900, 600));
        ASSERT_TRUE(host.Dock(pane, kGraphName, kGraphPaneId));
        graph = pane.GetGraph();
        ASSERT_NE(graph, nullptr);
        // Room for the 60-pixel scale lines and a few hundred samples.
        pane.SetWindowPos(nullptr, 0, 0, 480, 320, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
    // Modes as the menu would leave them, and fresh samples: trace 1 and trace 2 given by
    // sample index (0 the newest).
    void Feed(int samples, const std::function<double(int)>& trace1, const std::function<double(int)>& trace2)
    {
        graph->ClearTraces();
        for (int i = samples - 1; i >= 0; --i)
            host.Update(pane, "Depth", trace1(i), "Seabed", trace2(i));
        Grab();
    }
    void Grab()
    {
        graph->Invalidate();
        Pump();
        shot = FrameProbe::GrabWindow(&host);
        origin = FrameProbe::PaneRect(graph).topLeft() + QPoint(CScrollingAreaGraph::FrameOffset().x,
                                                                CScrollingAreaGraph::FrameOffset().y);
    }
    // The colour the user sees at a point of the graph's drawing (memory bitmap coordinates).
    QColor At(int x, int y) const { return shot.pixelColor(origin + QPoint(x, y)); }
    // Where the test places sample i and value v: the newest sample at the right edge (or the
    // left one), the axis from its minimum at the bottom (or the top in echo-sounder mode),
    // at the exact ratio of pixels to units.
    int X(int i) const
    {
        const CRect& r = graph->GetDrawRect();
        return graph->m_bLeftToRight ? r.left + i : r.right - i;
    }
    int Y(double v) const
    {
        const CRect& r = graph->GetDrawRect();
        const double ratio = double(r.Height()) / (graph->m_nAxisMax - graph->m_nAxisMin);
        const double offset = (v - graph->m_nAxisMin) * ratio;
        return graph->m_bEchoSounderMode ? int(r.top + offset) : int(r.bottom - offset);
    }
    void Modes(bool trace, bool echo, bool burial, bool night = false)
    {
        graph->m_bTraceMode = trace;
        graph->m_bEchoSounderMode = echo;
        graph->m_bDepthOfBurialMode = burial;
        graph->m_bZeroMode = false;
        graph->m_bDepthPlusAltitude = false;
        graph->m_bLeftToRight = false;
        graph->m_nMinSpan = 10;
        graph->SetColourMode(night);
    }
    COLORREF Colour(int role) const { return graph->m_Colours[role]; }
};

TEST_F(ScrollingGraphPane, TheFrameShowsTheGraphWithItsContent)
{
    Modes(false, true, false);
    Feed(200, [](int i) { return 300.0 + (i % 40) * 0.2; }, [](int i) { return 304.0 + (i % 25) * 0.2; });
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{kGraphName, &pane}});
    const QRect g = FrameProbe::PaneRect(graph);
    const QRect p = FrameProbe::PaneRect(&pane);
    EXPECT_TRUE(p.contains(g)) << "the graph lies inside its pane";
    EXPECT_GE(g.width() * g.height(), p.width() * p.height() * 3 / 4) << "and fills it";
    // The labels of a 300 m axis show beside the plot.
    EXPECT_EQ(graph->m_nAxisMin, 300);
    EXPECT_EQ(graph->m_nAxisMax, 310);
}

TEST_F(ScrollingGraphPane, TraceModeDrawsBothLinesInTheirColoursByDayAndNight)
{
    for (bool night : {false, true})
    {
        Modes(true, false, false, night);
        Feed(300, [](int) { return 12.0; }, [](int) { return 16.0; });
        SCOPED_TRACE(night ? "night" : "day");
        EXPECT_EQ(Colour(CScrollingAreaGraph::TRACE1), night ? 0x808000u : 0xFFFF00u);
        EXPECT_EQ(Colour(CScrollingAreaGraph::PLOT_BACKGROUND), 0x000000u);
        for (int i : {1, 100, 250})
        {
            EXPECT_EQ(At(X(i), Y(12.0)), Qt(Colour(CScrollingAreaGraph::TRACE1))) << i;
            EXPECT_EQ(At(X(i), Y(16.0)), Qt(Colour(CScrollingAreaGraph::TRACE2))) << i;
            EXPECT_EQ(At(X(i), Y(14.5)), Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND))) << i;
        }
        // Beyond the fed samples the plot is empty.
        EXPECT_EQ(At(X(320), Y(13.0)), Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND)));
    }
}

TEST_F(ScrollingGraphPane, EchoSounderColumnsCarryTheBandBetweenTheTraces)
{
    Modes(false, true, false);
    // The newest 100 samples have trace 2 below trace 1 (green), the older ones above it (red),
    // and the oldest no trace 2 at all.
    Feed(300, [](int) { return 12.0; },
         [](int i) { return i < 100 ? 16.0 : i < 200 ? 11.0 : SCROLLING_GRAPH_NO_VALUE; });
    const QColor trace1 = Qt(Colour(CScrollingAreaGraph::TRACE1));
    const QColor background = Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND));
    EXPECT_EQ(background, QColor(0, 0, 255));
    for (int i : {5, 50})
    {
        EXPECT_EQ(At(X(i), (Y(12.0) + Y(16.0)) / 2), QColor(0, 255, 0)) << "band beyond, sample " << i;
        EXPECT_EQ(At(X(i), Y(19.0)), trace1) << i;
        EXPECT_EQ(At(X(i), (Y(10.0) + Y(11.5)) / 2), background) << i;
    }
    for (int i : {110, 170})
    {
        EXPECT_EQ(At(X(i), (Y(11.0) + Y(12.0)) / 2), QColor(255, 0, 0)) << "band otherwise, sample " << i;
        EXPECT_EQ(At(X(i), Y(17.0)), trace1) << i;
        EXPECT_EQ(At(X(i), Y(10.5)), background) << i;
    }
    // Without trace 2 the column is trace 1's alone.
    EXPECT_EQ(At(X(250), Y(17.0)), trace1);
    EXPECT_EQ(At(X(250), (Y(10.0) + Y(11.5)) / 2), background);
}

TEST_F(ScrollingGraphPane, DepthOfBurialDrawsColumnsAndTheSecondTraceAsALine)
{
    Modes(false, true, true);
    Feed(300, [](int) { return 12.0; }, [](int) { return 17.0; });
    const QColor trace1 = Qt(Colour(CScrollingAreaGraph::TRACE1));
    for (int i : {5, 150})
    {
        EXPECT_EQ(At(X(i), Y(17.0)), Qt(Colour(CScrollingAreaGraph::TRACE2))) << i;
        // No band: the column is trace 1's colour between the traces.
        EXPECT_EQ(At(X(i), Y(15.0)), trace1) << i;
        EXPECT_EQ(At(X(i), Y(10.5)), Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND))) << i;
    }
}

TEST_F(ScrollingGraphPane, TheNewestSampleStandsAtTheChosenEdge)
{
    for (bool leftToRight : {false, true})
    {
        Modes(false, true, false);
        graph->m_bLeftToRight = leftToRight;
        // Twenty samples, the newest ten deeper than the older ten.
        Feed(20, [](int i) { return i < 10 ? 18.0 : 14.0; }, [](int) { return SCROLLING_GRAPH_NO_VALUE; });
        const CRect& r = graph->GetDrawRect();
        const int newest = leftToRight ? r.left + 3 : r.right - 3;
        const int older = leftToRight ? r.left + 15 : r.right - 15;
        const int empty = leftToRight ? r.right - 3 : r.left + 3;
        const QColor trace1 = Qt(Colour(CScrollingAreaGraph::TRACE1));
        const QColor background = Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND));
        SCOPED_TRACE(leftToRight ? "left to right" : "right to left");
        EXPECT_EQ(At(newest, Y(17.0)), background);
        EXPECT_EQ(At(newest, Y(19.0)), trace1);
        EXPECT_EQ(At(older, Y(15.0)), trace1);
        EXPECT_EQ(At(empty, Y(19.0)), background);
    }
}

TEST_F(ScrollingGraphPane, ScaleLinesAreDottedEverySixtyPixelsAndDashedAtTheSpanSteps)
{
    Modes(false, true, false);
    // A shallow trace 1 of 19 leaves the plot's background above it for the lines to show on.
    Feed(400, [](int) { return 19.5; }, [](int) { return SCROLLING_GRAPH_NO_VALUE; });
    ASSERT_EQ(graph->m_nAxisMin, 10);
    ASSERT_EQ(graph->m_nAxisMax, 20);
    const QColor scale = Qt(Colour(CScrollingAreaGraph::SCALE_LINES));
    const CRect& r = graph->GetDrawRect();
    auto countDown = [&](int x) {
        int n = 0;
        for (int y = Y(10.2); y < Y(11.8); ++y)
            n += At(x, y) == scale;
        return n;
    };
    auto countAcross = [&](int y) {
        int n = 0;
        for (int x = r.left + 5; x < r.left + 55; ++x)
            n += At(x, y) == scale;
        return n;
    };
    const int run = Y(11.8) - Y(10.2);
    for (int k = 1; r.right - 60 * k > r.left; ++k)
    {
        const int x = r.right - 60 * k;
        // Dotted: about every other pixel down the line; none beside it.
        EXPECT_GT(countDown(x), run / 4) << "x " << x;
        EXPECT_LT(countDown(x), run) << "dotted, not solid, at x " << x;
        EXPECT_EQ(countDown(x - 1) + countDown(x + 1), 0) << x;
    }
    EXPECT_EQ(countDown(r.right - 30), 0);
    // Span 10 over a 10 m axis: a step of 2, lines at 12, 14, 16 and 18, dashed.
    for (double v : {12.0, 14.0, 16.0, 18.0})
    {
        EXPECT_GT(countAcross(Y(v)), 15) << v;
        EXPECT_LT(countAcross(Y(v)), 50) << "dashed, not solid, at " << v;
    }
    EXPECT_EQ(countAcross(Y(13.0)), 0);
}

TEST_F(ScrollingGraphPane, SamplesWithoutAValueAreGaps)
{
    auto trace1 = [](int i) {
        if (i >= 40 && i < 50)
            return SCROLLING_GRAPH_NO_VALUE;
        if (i >= 50 && i < 55)
            return std::numeric_limits<double>::quiet_NaN();
        return 15.0;
    };
    for (bool traceMode : {false, true})
    {
        Modes(traceMode, true, false);
        Feed(120, trace1, [](int i) { return i >= 80 && i < 90 ? SCROLLING_GRAPH_NO_VALUE : 17.0; });
        SCOPED_TRACE(traceMode ? "trace mode" : "echo sounder");
        const QColor background = Qt(Colour(CScrollingAreaGraph::PLOT_BACKGROUND));
        const QColor trace1Colour = Qt(Colour(CScrollingAreaGraph::TRACE1));
        const int bottom = graph->GetDrawRect().bottom;
        for (int i : {42, 47, 52})
            for (int y : {Y(15.0), (Y(15.0) + bottom) / 2, bottom - 1})
                EXPECT_EQ(At(X(i), y), background) << "sample " << i << ", y " << y;
        EXPECT_EQ(At(X(30), Y(traceMode ? 15.0 : 19.0)), trace1Colour);
        if (traceMode)
        {
            EXPECT_EQ(At(X(85), Y(17.0)), background) << "trace 2's gap";
        }
        else
        {
            EXPECT_EQ(At(X(85), Y(16.5)), trace1Colour) << "no band where trace 2 has no value";
        }
    }
}

TEST_F(ScrollingGraphPane, TheCaptionOrTheTopLineShowsTheValues)
{
    Modes(false, true, false);
    graph->m_bShowValues = false;
    graph->m_bDepthPlusAltitude = true;
    Feed(50, [](int) { return 20.0; }, [](int) { return 3.0; });
    CString caption;
    pane.GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "Depth Graph  Depth 20.0  Seabed 3.0");

    host.Update(pane, "Depth", 21.0, "Seabed", SCROLLING_GRAPH_NO_VALUE);
    Grab();
    pane.GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "Depth Graph  Depth 21.0");

    graph->m_bShowValues = true;
    host.Update(pane, "Depth", 22.0, "Seabed", 4.0);
    Grab();
    pane.GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "Depth Graph");
    // The values on the top line, trace 1's text first in its colour, trace 2's to its right.
    const CRect& plot = graph->GetPlotRect();
    int first1 = -1, first2 = -1;
    for (int x = plot.left; x < plot.right; ++x)
        for (int y = 0; y < plot.top; ++y)
        {
            if (first1 < 0 && At(x, y) == Qt(Colour(CScrollingAreaGraph::TRACE1)))
                first1 = x;
            if (first2 < 0 && At(x, y) == Qt(Colour(CScrollingAreaGraph::TRACE2)))
                first2 = x;
        }
    ASSERT_GE(first1, 0) << "trace 1's value is not drawn";
    ASSERT_GE(first2, 0) << "trace 2's value is not drawn";
    EXPECT_LT(first1, plot.left + 10);
    EXPECT_GT(first2, first1 + 60) << "after \"Depth 22.0\" and three characters";
}

// ---- The context menu ----

using Flags = std::vector<bool>;
Flags FlagsOf(const CScrollingAreaGraph& g)
{
    return {g.m_bLeftToRight, g.m_bTraceMode, g.m_bEchoSounderMode, g.m_bDepthOfBurialMode,
            g.m_bDepthPlusAltitude, g.m_bZeroMode, g.m_bShowValues};
}

QByteArray GraphSettingsBytes()
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(kGraphName)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Golden(const Flags& f)
{
    // File order: trace, depth (echo sounder), burial, depth plus altitude, zero, left to right,
    // show values.
    const char* keys[] = {"Trace Mode", "Depth Mode", "Depth Of Burial Mode", "Depth Plus Altitude",
                          "Zero Mode", "Left To Right", "Show Values"};
    const bool values[] = {f[1], f[2], f[3], f[4], f[5], f[0], f[6]};
    QByteArray bytes;
    for (int i = 0; i < 7; ++i)
        bytes += QByteArray(keys[i]) + (values[i] ? " = 1\r\n" : " = 0\r\n");
    return bytes;
}

struct ScrollingGraphMenu : ScrollingGraphPane
{
    // Right-clicks the graph, reads the menu as shown and chooses `id` in it.
    MENU_SEEN Choose(UINT id)
    {
        MENU_SEEN seen;
        ModalHook::AnswerMenuShown([&seen, id](QWidget* widget) {
            seen = ReadShownMenu(widget);
            return id;
        });
        UserInput::RightClickClient(graph, 60, 60);
        Pump();
        return seen;
    }
};

TEST_F(ScrollingGraphMenu, ItemsShowByRestrictionWithTheirChecks)
{
    // Fresh settings: echo sounder, zero mode and show values on; span 10.
    const MENU_SEEN all = Choose(0);
    const std::vector<std::string> expected = {
        "#", "Left to Right", "#", "Trace Mode", "Echo Sounder Mode *", "Depth Of Burial Mode",
        "Depth Plus Altitude", "Zero Mode *", "Show Values *", "#", "5", "10 *", "25", "50", "100", "-",
        "Reset", "-", "Select Traces"};
    EXPECT_EQ(all.items, expected);
    // The three headings drawn dark grey on the menu's background.
    EXPECT_GE(all.headingRows, 3 * 12);

    graph->m_bDepthPlusAltitude = true;
    graph->m_bFixedMode = true;
    const MENU_SEEN fixed = Choose(0);
    EXPECT_EQ(fixed.items, (std::vector<std::string>{"#", "Left to Right", "#", "Trace Mode", "Zero Mode *",
                                                     "Show Values *", "#", "5", "10 *", "25", "50", "100",
                                                     "-", "Reset"}));
    graph->m_bFixedMode = false;
    EXPECT_NE(std::find(Choose(0).items.begin(), Choose(0).items.end(), "Depth plus Altitude *"), Choose(0).items.end())
        << "item 5 reads \"plus\" while checked";

    graph->m_bSingleTrace = true;
    const MENU_SEEN single = Choose(0);
    EXPECT_EQ(single.items, (std::vector<std::string>{"#", "Left to Right", "#", "Show Values *",
                                                      "#", "5", "10 *", "-", "Reset"}));
}

TEST_F(ScrollingGraphMenu, EachChoiceChangesItsModesColoursAndSettingsFile)
{
    host.Update(pane, "Depth", 20.0, "Seabed", 23.0);
    // Left to right, trace, echo sounder, burial, depth plus altitude, zero, show values.
    struct Step
    {
        UINT id;
        Flags flags;
        int span;
    };
    const std::vector<Step> steps = {
        {0, {false, false, true, false, false, true, true}, 10}, // dismissed: still written
        {1, {true, false, true, false, false, true, true}, 10},
        {4, {true, false, true, true, false, true, true}, 10},
        {2, {true, true, true, false, false, true, true}, 10},   // trace mode ends burial
        {4, {true, false, true, true, false, true, true}, 10},   // burial ends trace mode
        {3, {true, false, false, false, false, true, true}, 10}, // echo off takes burial with it
        {3, {true, false, true, false, false, true, true}, 10},
        {4, {true, false, true, true, false, true, true}, 10},
        {4, {true, false, true, false, false, true, true}, 10},
        {5, {true, false, true, false, true, true, true}, 10},
        {6, {true, false, true, false, true, false, true}, 10},
        {7, {true, false, true, false, true, false, false}, 10},
        {2, {true, true, true, false, true, false, false}, 10},
        {2, {true, false, true, false, true, false, false}, 10},
        {10, {true, false, true, false, true, false, false}, 5},
        {12, {true, false, true, false, true, false, false}, 25},
        {13, {true, false, true, false, true, false, false}, 50},
        {14, {true, false, true, false, true, false, false}, 100},
        {11, {true, false, true, false, true, false, false}, 10},
    };
    for (const Step& step : steps)
    {
        Choose(step.id);
        SCOPED_TRACE("item " + std::to_string(step.id));
        EXPECT_EQ(FlagsOf(*graph), step.flags);
        EXPECT_EQ(graph->m_nMinSpan, step.span);
        EXPECT_EQ(GraphSettingsBytes(), Golden(step.flags));
        // Trace mode has colours of its own.
        EXPECT_EQ(graph->m_Colours[CScrollingAreaGraph::PLOT_BACKGROUND], graph->m_bTraceMode ? 0x000000u : 0xFF0000u);
        EXPECT_EQ(graph->m_Colours[CScrollingAreaGraph::TRACE2], graph->m_bTraceMode ? 0xFF00FFu : 0x00FFFFu);
    }
    // At night the menu keeps the night colours.
    host.Night(pane);
    Choose(2);
    EXPECT_EQ(graph->m_Colours[CScrollingAreaGraph::TRACE1], 0x808000u);
    EXPECT_EQ(graph->m_Colours[CScrollingAreaGraph::PLOT_FRAME], 0xC0C0C0u);
    EXPECT_TRUE(pane.m_Posted.empty());
}

TEST_F(ScrollingGraphMenu, ResetEmptiesTheTracesAndSelectTracesPostsToThePane)
{
    host.Update(pane, "Depth", 20.0, "Seabed", 23.0);
    Choose(20);
    EXPECT_EQ(graph->m_Trace1.GetSize(), 0);
    EXPECT_EQ(graph->m_Trace2.GetSize(), 0);
    EXPECT_TRUE(pane.m_Posted.empty());

    Choose(30);
    Pump();
    const std::vector<POSTED_MESSAGE> expected = {
        {"UM_SCROLLING_GRAPH", static_cast<WPARAM>(kGraphPaneId), reinterpret_cast<LPARAM>(graph)}};
    EXPECT_EQ(pane.m_Posted, expected);
    EXPECT_TRUE(host.Messages().empty()) << "nothing reaches the host's frame";
}

TEST_F(ScrollingGraphPane, UpdatesBeforeCreationAndTimeoutsChangeNothingShown)
{
    CScrollingGraphPane unmade;
    unmade.Update("Depth", 1.0, "Seabed", 2.0); // no graph yet: ignored
    unmade.SetNightMode(true);
    EXPECT_EQ(unmade.GetGraph(), nullptr);

    Modes(false, true, false);
    Feed(50, [](int) { return 12.0; }, [](int) { return 16.0; });
    const QImage before = shot;
    host.Timeout(pane, true);
    EXPECT_TRUE(pane.IsTimedOut());
    Grab();
    EXPECT_EQ(shot, before);
}
} // namespace
