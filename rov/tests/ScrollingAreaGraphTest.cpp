// The scrolling graph's arithmetic and its settings file: the automatic axis by table and over
// random sample sets, samples added and aged out, the tall axis that must still spread over
// the plot, and the settings file read back, damaged and written.
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "platform/ui/ModalHook.h"
#include "rov/ScrollingAreaGraph.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{
CDoubleArray Samples(const std::vector<double>& values)
{
    CDoubleArray a;
    for (double v : values)
        a.Add(v);
    return a;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(ScrollingGraphAxis, Table)
{
    struct Case
    {
        const char* what;
        std::vector<double> trace1, trace2;
        int n, span;
        bool zero;
        int minimum, maximum;
    };
    const std::vector<Case> cases = {
        {"no samples", {}, {}, 100, 10, true, 0, 10},
        {"no width", {5.0}, {5.0}, 0, 10, false, 0, 10},
        {"zero mode", {12.5, 14.0}, {13.0, 12.5}, 100, 10, true, 0, 20},
        {"without zero mode", {12.5, 14.0}, {13.0, 12.5}, 100, 10, false, 10, 20},
        {"a bound on a span step still has a span above it", {20.0}, {20.0}, 100, 10, false, 20, 30},
        {"only trace 2 has values", {SCROLLING_GRAPH_NO_VALUE}, {42.0}, 100, 5, false, 40, 45},
        {"no values at all", {SCROLLING_GRAPH_NO_VALUE}, {SCROLLING_GRAPH_NO_VALUE}, 100, 25, false, 0, 25},
        {"samples beyond the width do not count", {12.0, 13.0, 500.0}, {12.0, 13.0, 500.0}, 2, 10, false, 10, 20},
        {"negative values", {-7.5, -2.0}, {-3.0, -4.0}, 100, 10, false, -10, 0},
        // Zero mode keeps 0 in view, and heights above the seabed (below 0) with it.
        {"zero mode with values below 0", {-7.5, -2.0}, {-3.0, -4.0}, 100, 10, true, -10, 10},
        {"not finite or too large to place", {kNaN, 300.0, kInf, -kInf}, {1e12, 305.0, -1e300, kNaN}, 100, 10, false, 300, 310},
        {"300 m with span 100", {297.0, 312.0}, {301.0, 299.0}, 100, 100, false, 200, 400},
    };
    for (const Case& c : cases)
    {
        const GRAPH_AXIS axis =
            CScrollingAreaGraph::AutomaticAxis(Samples(c.trace1), Samples(c.trace2), c.n, c.span, c.zero);
        EXPECT_EQ(axis.minimum, c.minimum) << c.what;
        EXPECT_EQ(axis.maximum, c.maximum) << c.what;
    }
}

TEST(ScrollingGraphAxis, BoundsAreSpanMultiplesHoldingEverySampleAtLeastASpanApart)
{
    std::mt19937 random(20261211u);
    const int spans[] = {5, 10, 25, 50, 100};
    for (int round = 0; round < 500; ++round)
    {
        const int span = spans[round % 5];
        const bool zero = (round / 5) % 2 == 1;
        const double centre = std::uniform_real_distribution<double>(-5000.0, 5000.0)(random);
        const double spread = std::pow(10.0, std::uniform_real_distribution<double>(-2.0, 3.0)(random));
        std::normal_distribution<double> value(centre, spread);
        const int count = std::uniform_int_distribution<int>(1, 300)(random);
        const int n = std::uniform_int_distribution<int>(1, 400)(random);
        CDoubleArray t1, t2;
        for (int i = 0; i < count; ++i)
        {
            const int kind = std::uniform_int_distribution<int>(0, 19)(random);
            t1.Add(kind == 0 ? SCROLLING_GRAPH_NO_VALUE : value(random));
            t2.Add(kind == 1 ? SCROLLING_GRAPH_NO_VALUE : kind == 2 ? kNaN : value(random));
        }
        const GRAPH_AXIS axis = CScrollingAreaGraph::AutomaticAxis(t1, t2, n, span, zero);
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(axis.minimum % span, 0);
        EXPECT_EQ(axis.maximum % span, 0);
        EXPECT_GE(axis.maximum - axis.minimum, span);
        if (zero)
        {
            EXPECT_LE(axis.minimum, 0);
            EXPECT_GE(axis.maximum, 0);
        }
        for (int i = 0; i < std::min(count, n); ++i)
            for (double v : {t1[i], t2[i]})
                if (IsGraphValue(v))
                {
                    EXPECT_LE(axis.minimum, v);
                    EXPECT_GE(axis.maximum, v);
                }
    }
}

struct ScrollingGraph : ::testing::Test
{
    CWinApp app{"ScrollingAreaGraphTest"};
    CScrollingAreaGraph graph;

    // A drawing of the graph as its window's paint makes it, on an image of that size.
    QImage Drawn(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        CDC dc;
        dc.Attach(&painter);
        dc.SetBkMode(TRANSPARENT);
        graph.Draw(&dc, CRect(0, 0, width, height));
        dc.Detach();
        return image;
    }
};

TEST_F(ScrollingGraph, DepthPlusAltitudeStoresTheSeabedAndShowsTheAltitude)
{
    graph.m_bDepthPlusAltitude = true;
    graph.AddValues("Depth", 20.0, "Altitude", 3.0);
    EXPECT_EQ(graph.m_Trace1[0], 20.0);
    EXPECT_EQ(graph.m_Trace2[0], 23.0);
    Drawn(300, 200);
    EXPECT_EQ(std::string(graph.ValueText(0)), "Depth 20.0");
    EXPECT_EQ(std::string(graph.ValueText(1)), "Altitude 3.0");

    // A missing altitude stays missing; a missing depth leaves no seabed to place.
    graph.AddValues("Depth", 21.0, "Altitude", SCROLLING_GRAPH_NO_VALUE);
    EXPECT_EQ(graph.m_Trace2[0], SCROLLING_GRAPH_NO_VALUE);
    Drawn(300, 200);
    EXPECT_EQ(std::string(graph.ValueText(0)), "Depth 21.0");
    EXPECT_EQ(std::string(graph.ValueText(1)), "");
    graph.AddValues("Depth", SCROLLING_GRAPH_NO_VALUE, "Altitude", 3.0);
    EXPECT_EQ(graph.m_Trace2[0], SCROLLING_GRAPH_NO_VALUE);
    Drawn(300, 200);
    EXPECT_EQ(std::string(graph.ValueText(0)), "");

    // Without the mode the second value is stored and shown as fed; null names are the defaults.
    graph.m_bDepthPlusAltitude = false;
    graph.AddValues(nullptr, 20.0, nullptr, 3.0);
    EXPECT_EQ(graph.m_Trace2[0], 3.0);
    Drawn(300, 200);
    EXPECT_EQ(std::string(graph.ValueText(0)), "Trace 1 20.0");
    EXPECT_EQ(std::string(graph.ValueText(1)), "Trace 2 3.0");
}

TEST_F(ScrollingGraph, TheSampleBeyondTheLastPushesOutTheOldest)
{
    for (int i = 0; i < CScrollingAreaGraph::MAX_SAMPLES; ++i)
        graph.AddValues("A", i, "B", -i);
    ASSERT_EQ(graph.m_Trace1.GetSize(), 4096);
    EXPECT_EQ(graph.m_Trace1[4095], 0.0);
    graph.AddValues("A", 4096.0, "B", -4096.0);
    ASSERT_EQ(graph.m_Trace1.GetSize(), 4096);
    ASSERT_EQ(graph.m_Trace2.GetSize(), 4096);
    EXPECT_EQ(graph.m_Trace1[0], 4096.0);
    EXPECT_EQ(graph.m_Trace1[4095], 1.0);
    EXPECT_EQ(graph.m_Trace2[4095], -1.0);
}

// 300 m of depth with span 10 makes an axis 10 m high in a plot of about 150 pixels; with span
// 100 an axis 200 m high, more units than the plot has pixels. Either way the samples spread over
// the drawing rectangle instead of all landing on its edge.
TEST_F(ScrollingGraph, ATallAxisStillSpreadsTheSamplesOverThePlot)
{
    graph.m_bZeroMode = false;
    graph.m_bTraceMode = true;
    graph.SetColourMode(false);
    for (int span : {10, 100})
    {
        graph.m_nMinSpan = span;
        graph.ClearTraces();
        for (int i = 0; i < 150; ++i)
        {
            const double depth = 300.0 + 4.0 * std::sin(i / 10.0) + (span == 100 ? 60.0 * std::sin(i / 40.0) : 0.0);
            graph.AddValues("Depth", depth, "Seabed", depth + 3.0);
        }
        const QImage image = Drawn(320, 200);
        const CRect r = graph.GetDrawRect();
        ASSERT_GT(graph.GetDrawRect().Height(), 100);
        ASSERT_GT(graph.m_nAxisMax - graph.m_nAxisMin, 0);
        // Rows the trace 1 colour reaches, across the drawn samples.
        int topmost = r.bottom + 1, lowest = r.top - 1;
        const QColor trace1(0x00, 0xFF, 0xFF);
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.right - 149; x <= r.right; ++x)
                if (image.pixelColor(x, y) == trace1)
                {
                    topmost = std::min(topmost, y);
                    lowest = std::max(lowest, y);
                }
        SCOPED_TRACE("span " + std::to_string(span));
        ASSERT_LE(topmost, lowest) << "trace 1 is not drawn";
        EXPECT_GT(lowest - topmost, r.Height() / 4);
        EXPECT_GT(topmost, r.top);
        EXPECT_LT(lowest, r.bottom);
    }
}

// ---- The settings file ----

CString SettingsPath(const char* name)
{
    CConfigFile file;
    return file.GetSettingsFileName(name);
}

void WriteBytes(const char* name, const QByteArray& bytes)
{
    QFile f(LinuxPathFromWindows(SettingsPath(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadBytes(const char* name)
{
    QFile f(LinuxPathFromWindows(SettingsPath(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Flags = std::vector<bool>;
// Trace, echo sounder, burial, depth plus altitude, zero, left to right, show values.
Flags FlagsOf(const CScrollingAreaGraph& g)
{
    return {g.m_bTraceMode, g.m_bEchoSounderMode, g.m_bDepthOfBurialMode, g.m_bDepthPlusAltitude,
            g.m_bZeroMode,  g.m_bLeftToRight,     g.m_bShowValues};
}

Flags LoadedGraph(const char* name)
{
    CScrollingAreaGraph graph;
    graph.m_strName = name;
    graph.LoadSettings();
    return FlagsOf(graph);
}

struct ScrollingGraphSettingsBadInput : ::testing::Test
{
    CWinApp app{"ScrollingAreaGraphTest"};
};

TEST_F(ScrollingGraphSettingsBadInput, MissingLinesAndMissingFilesTakeTheirDefaults)
{
    EXPECT_EQ(LoadedGraph("Nothing Here"), (Flags{false, true, false, false, true, false, true}));
    const struct
    {
        const char* bytes;
        Flags flags;
    } cases[] = {
        {"", {false, true, true, true, true, true, true}},
        {"Trace Mode = 1\r\nDepth Mode = 0\r\n", {true, false, true, true, true, true, true}},
        {"Trace Mode = 0\r\nDepth Mode = 0\r\nDepth Of Burial Mode = 0\r\nDepth Plus Altitude = 0\r\n"
         "Zero Mode = 0\r\nLeft To Right = 0\r\nShow Values = 0\r\n",
         {false, false, false, false, false, false, false}},
        // Keys are not checked: the lines count by their place. LF alone reads as well.
        {"a=1\nb=1\nc=0\nd=1\ne=0\nf=1\ng=0\n", {true, true, false, true, false, true, false}},
    };
    for (const auto& c : cases)
    {
        WriteBytes("Depth Graph", QByteArray(c.bytes));
        EXPECT_EQ(LoadedGraph("Depth Graph"), c.flags) << c.bytes;
    }
    EXPECT_TRUE(ModalHook::Shown().empty());
}

TEST_F(ScrollingGraphSettingsBadInput, ADamagedLineTakesItsDefaultAndIsReportedOnceWithFileAndLine)
{
    const struct
    {
        QByteArray bytes;
        Flags flags;
        const char* line;
    } cases[] = {
        {"Trace Mode = 1\r\nDepth Mode = 0\r\njunk\r\nDepth Plus Altitude = 0\r\nZero Mode = yes\r\n"
         "Left To Right = 2\r\nShow Values = 0\r\n",
         {true, false, true, false, true, true, false}, "line 3"},
        {"Trace Mode = 1\r\n" + QByteArray(200 * 1024, 'x') + "\r\nDepth Of Burial Mode = 0\r\n",
         {true, true, false, true, true, true, true}, "line 2"},
    };
    for (const auto& c : cases)
    {
        ModalHook::Reset();
        WriteBytes("Depth Graph", c.bytes);
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_EQ(LoadedGraph("Depth Graph"), c.flags) << c.line;
        ASSERT_EQ(ModalHook::Shown().size(), 1u) << "one message for the file";
        const std::string text(ModalHook::Shown()[0].text);
        EXPECT_NE(text.find(std::string(SettingsPath("Depth Graph"))), std::string::npos) << text;
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        EXPECT_LT(text.size(), 400u) << "a long line is not shown whole";
    }
}

TEST_F(ScrollingGraphSettingsBadInput, WrittenFlagsAreSevenLinesInTheirOrderAndReadBack)
{
    CScrollingAreaGraph graph;
    graph.m_strName = "Bathy Unit";
    graph.m_bTraceMode = true;
    graph.m_bEchoSounderMode = false;
    graph.m_bDepthOfBurialMode = false;
    graph.m_bDepthPlusAltitude = true;
    graph.m_bZeroMode = false;
    graph.m_bLeftToRight = true;
    graph.m_bShowValues = false;
    graph.m_nMinSpan = 50;
    graph.SaveSettings();
    EXPECT_EQ(ReadBytes("Bathy Unit"), QByteArray("Trace Mode = 1\r\nDepth Mode = 0\r\nDepth Of Burial Mode = 0\r\n"
                                                  "Depth Plus Altitude = 1\r\nZero Mode = 0\r\nLeft To Right = 1\r\n"
                                                  "Show Values = 0\r\n"));
    EXPECT_EQ(LoadedGraph("Bathy Unit"), FlagsOf(graph));
}
} // namespace
