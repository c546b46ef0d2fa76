// Graphs drawn offscreen: layout numbers, bars, lines with breaks, areas, polar points,
// markers, axes with their ticks, labels and titles, and the guards against data that would
// hang or overflow the drawing.
#include "acoustic/engine/Graph.h"
#include "acoustic/engine/tests/GraphCanvas.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <limits>

namespace
{
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0;
const COLORREF kRed = 0x0000FF;
const COLORREF kBlue = 0xFF0000;
const COLORREF kGreen = 0x00FF00;
const COLORREF kGrey = 0x808080;

CXYArray Points(std::initializer_list<tagXY> points)
{
    CXYArray a;
    for (const tagXY& p : points)
        a.Add(p);
    return a;
}

// A graph without shadow, with a 1-pixel frame, and its two axes.
struct GraphFixture : ::testing::Test
{
    GraphCanvas canvas{640, 480};
    CGraph graph;
    CGraphAxis* x = nullptr;
    CGraphAxis* y = nullptr;

    void SetUp() override
    {
        graph.shadow = 0;
        x = NewAxis(false);
        y = NewAxis(true);
    }
    CGraphAxis* NewAxis(bool vertical)
    {
        auto* axis = new CGraphAxis;
        axis->vertical = vertical;
        axis->attached = 1;
        (vertical ? graph.verticalAxes : graph.horizontalAxes).AddTail(axis);
        return axis;
    }
    CGraphSeries* Series(CXYArray* data, COLORREF colour = kBlue)
    {
        CGraphSeries* s = graph.AddSeries(data);
        s->horizontalAxis = x;
        s->verticalAxis = y;
        s->colour = colour;
        s->linePen.colour = colour;
        return s;
    }
    // Axes that take no room: no ticks, no titles, upright titles.
    void QuietAxes()
    {
        for (CGraphAxis* axis : {x, y})
        {
            axis->ticksShown = 0;
            axis->position = axis->vertical ? 0 : 1;
        }
    }
    void Draw(int width = 640, int height = 480) { graph.Draw(&canvas.dc, CRect(0, 0, width, height)); }
    int a() const { return canvas.a; }
    int h() const { return canvas.h; }
    // The plot of a frame of width 1 and quiet axes (2h below for the x title room, 2a left).
    CRect QuietPlot(int width, int height) const
    {
        return CRect(1 + a() + 2 * a(), 1 + h(), width - 1 - a(), height - 1 - h() - 2 * h());
    }
};
} // namespace

TEST_F(GraphFixture, PlotAreaWithAndWithoutTitle)
{
    Draw();
    EXPECT_EQ(graph.graphArea, CRect(1, 1, 639, 479));
    EXPECT_EQ(graph.plotArea, CRect(1 + a(), 1 + h(), 639 - a(), 479 - h())); // no series, no axes
    graph.title = "Histogram";
    Draw();
    EXPECT_EQ(graph.plotArea, CRect(1 + a(), 1 + 2 * h(), 639 - a(), 479 - h()));
    graph.titleAtBottom = 1;
    Draw();
    EXPECT_EQ(graph.plotArea, CRect(1 + a(), 1 + h(), 639 - a(), 479 - 2 * h()));
    // A title font of its own takes its own height.
    LOGFONT lf = CGraphLabelFormat::defaultLabelFont;
    lf.lfHeight = 40;
    auto* big = new CFont;
    ASSERT_TRUE(big->CreateFontIndirect(&lf));
    graph.format.SetFont(GRAPH_FONT_TITLE, big);
    TEXTMETRIC tm{};
    CFont* old = canvas.dc.SelectObject(big);
    canvas.dc.GetTextMetrics(&tm);
    canvas.dc.SelectObject(old);
    graph.titleAtBottom = 0;
    Draw();
    EXPECT_EQ(graph.plotArea.top, 1 + h() + tm.tmHeight);
    // The title is centred over the plot, half a line below the top.
    graph.titleColour = kRed;
    canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
    Draw();
    const QRect drawn = canvas.Bounds(kRed);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_NEAR(drawn.center().x(), graph.plotArea.CenterPoint().x, tm.tmAveCharWidth * 2);
    EXPECT_GE(drawn.top(), 1 + tm.tmHeight / 2);
}

TEST_F(GraphFixture, LegendBoxAtEachPosition)
{
    CXYArray data = Points({{1, 1}});
    Series(&data)->name = "Alpha";
    Series(&data)->name = "Be";
    QuietAxes();
    const CRect plot = QuietPlot(640, 480);
    const CRect area(1, 1, 639, 479);
    const int width = 5 * a() + (2 * a() + 17 + 1) * 2;
    const int height = 3 * h() + 2;
    const int row = 479 / 2 - height / 2;
    const int column = 639 / 2 - width / 2;
    struct Case
    {
        int position;
        CRect box;
        CRect plot;
    } cases[] = {
        {1, CRect(1 + a(), row, 1 + a() + width, row + height),
         CRect(1 + a() + width + a() + 2 * a(), plot.top, plot.right, plot.bottom)},
        {2, CRect(column, 1 + h(), column + width, 1 + h() + height),
         CRect(plot.left, 1 + h() + height + h(), plot.right, plot.bottom)},
        {3, CRect(639 - a() - width, row, 639 - a(), row + height),
         CRect(plot.left, plot.top, 639 - a() - width - a(), plot.bottom)},
        {4, CRect(column, 479 - h() - height, column + width, 479 - h()),
         CRect(plot.left, plot.top, plot.right, 479 - h() - height - h() - 2 * h())},
    };
    (void)area;
    for (const Case& c : cases)
    {
        graph.legendPosition = c.position;
        Draw();
        EXPECT_EQ(graph.legendBox, c.box) << "legend position " << c.position;
        EXPECT_EQ(graph.plotArea, c.plot) << "legend position " << c.position;
    }
}

TEST_F(GraphFixture, AxisRoomByTickStyleAndPosition)
{
    CXYArray data = Points({{0, 0}, {10, 10}});
    Series(&data);
    x->title = "Time";
    y->title = "Depth";
    x->min = y->min = 0;
    x->max = y->max = 10;
    const int ex = [&] {
        Draw();
        return 0;
    }();
    (void)ex;
    const CRect base(1 + a(), 1 + h(), 639 - a(), 479 - h());
    for (int style = 1; style <= 6; ++style)
        for (int position : {0, 1})
        {
            x->tickStyle = y->tickStyle = style;
            x->position = y->position = position;
            const int major = 10;
            const bool outer = style == 1 || style == 3 || style == 4 || style == 6;
            const bool inner = style == 2 || style == 3 || style == 5 || style == 6;
            const int xe = x->GetLabelExtent(a(), h());
            const int ye = y->GetLabelExtent(a(), h());
            const int xt = 2 * h();       // upright title of a horizontal axis
            const int yt = (5 + 2) * a(); // upright title of a vertical axis
            CRect expected = base;
            if (position == 0)
            {
                expected.top += xt + (outer ? major : 0);
                expected.right -= xe / 2;
                expected.left += outer ? major + yt + ye + a() : yt;
            }
            else
            {
                expected.right -= xe / 2;
                expected.bottom -= inner ? major + 2 * h() : xt;
                expected.right += inner ? 2 * a() - major - yt - ye : -yt;
            }
            Draw();
            EXPECT_EQ(graph.plotArea, expected) << "style " << style << " position " << position;
        }
    // A turned title of a horizontal axis takes its length; of a vertical axis two characters.
    x->tickStyle = y->tickStyle = 1;
    x->position = 1;
    y->position = 0;
    x->titleAngle = 0;
    y->titleAngle = 0;
    Draw();
    const int ye = y->GetLabelExtent(a(), h());
    EXPECT_EQ(graph.plotArea.left, base.left + 10 + 2 * a() + ye + a());
    EXPECT_EQ(graph.plotArea.bottom, base.bottom - (4 + 2) * a());
}

TEST_F(GraphFixture, SquarePlotAndSharedAxes)
{
    CXYArray data = Points({{0, 0}, {10, 10}});
    Series(&data);
    QuietAxes();
    Draw();
    const CRect one = graph.plotArea;
    Series(&data); // the same two axes again: their room is taken once
    Draw();
    EXPECT_EQ(graph.plotArea, one);
    graph.squarePlot = 1;
    Draw();
    EXPECT_EQ(graph.plotArea, CRect(one.left, one.top, one.left + one.Height(), one.bottom));
    EXPECT_FLOAT_EQ(static_cast<float>(graph.labelScale), static_cast<float>(a()) / one.Height());
    Draw(300, 600);
    EXPECT_EQ(graph.plotArea.Width(), graph.plotArea.Height());
    EXPECT_EQ(graph.plotArea.top, 1 + h());
}

TEST_F(GraphFixture, ReadoutPairsShareALine)
{
    CXYArray data = Points({{1, 2.5}, {2, 7.25}});
    QuietAxes();
    CGraphSeries* first = Series(&data);
    CGraphSeries* second = Series(&data);
    CGraphSeries* third = Series(&data);
    for (CGraphSeries* s : {first, second, third})
        s->showLastY = 1;
    first->name = "Speed";
    first->readoutNameColour = kRed;
    first->readoutValueColour = kGreen;
    const CRect plot = QuietPlot(640, 480);
    Draw();
    EXPECT_EQ(first->readoutX, plot.left);
    EXPECT_EQ(first->readoutY, plot.top);
    EXPECT_EQ(second->readoutX, plot.right);
    EXPECT_EQ(second->readoutY, plot.top);
    EXPECT_EQ(third->readoutX, plot.left);
    EXPECT_EQ(third->readoutY, plot.top + h());
    EXPECT_EQ(graph.plotArea.top, plot.top + 2 * h());
    // "Speed: " in the name colour, then the value one character on in the value colour.
    const QRect name = canvas.Bounds(kRed);
    const QRect value = canvas.Bounds(kGreen);
    ASSERT_FALSE(name.isEmpty());
    ASSERT_FALSE(value.isEmpty());
    EXPECT_GE(value.left(), plot.left + 8 * a() - a());
    EXPECT_NEAR(name.center().y(), value.center().y(), 2);
    // An empty array shows its name and no value.
    CXYArray empty;
    first->data = &empty;
    canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
    Draw();
    EXPECT_FALSE(canvas.Bounds(kRed).isEmpty());
    EXPECT_TRUE(canvas.Bounds(kGreen).isEmpty());
}

TEST_F(GraphFixture, BarsShareTheWidth)
{
    graph.mode = GRAPH_BARS;
    graph.plotBackground = kWhite;
    QuietAxes();
    const int width = 400 + 2 + 4 * a();
    for (int n : {1, 4, 10, 25})
    {
        CXYArray data;
        for (int i = 0; i < n; ++i)
            data.Add(tagXY{static_cast<double>(i), 5.0});
        Series(&data, kRed);
        x->min = 0;
        x->max = n;
        y->min = 0;
        y->max = 10;
        canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
        Draw(width);
        const CRect p = graph.plotArea;
        ASSERT_EQ(p.Width(), 400);
        const int bar = (400 - 4 * n) / n;
        const int row = p.bottom - 2;
        for (int i = 0; i < n; ++i)
        {
            const int left = p.left + i * 400 / n + 2;
            EXPECT_EQ(canvas.At(left - 1, row), kWhite) << n << " bars, bar " << i;
            EXPECT_EQ(canvas.CountOther(QRect(left, row, bar, 1), kWhite), bar) << n << " bars, bar " << i;
            EXPECT_EQ(canvas.At(left + bar, row), kWhite) << n << " bars, bar " << i;
        }
        // Filled with the series colour, outlined on the sides and the top, open at the base.
        const int left = p.left + 2;
        EXPECT_EQ(canvas.At(left, row), kBlack);
        if (bar > 2)
        {
            EXPECT_EQ(canvas.At(left + 1, row), kRed);
        }
        const int top = p.bottom - static_cast<int>(5 * p.Height() / 10.0);
        EXPECT_EQ(canvas.At(left + bar / 2, top), kBlack);
        EXPECT_EQ(canvas.At(left + bar / 2, top - 1), kWhite);
        graph.RemoveAll();
        x = NewAxis(false);
        y = NewAxis(true);
        QuietAxes();
    }
}

TEST_F(GraphFixture, BarSlotsStartAfreshEachDraw)
{
    graph.mode = GRAPH_BARS;
    QuietAxes();
    CXYArray data = Points({{0, 5}, {1, 5}});
    Series(&data, kRed);
    Series(&data, kGreen);
    Series(&data, kBlue);
    x->min = 0;
    x->max = 2;
    y->min = 0;
    y->max = 10;
    Draw();
    const QImage first = canvas.Image();
    const CRect p = graph.plotArea;
    const int bar = ((p.Width() - 2 * 2 * 2) / 2) / 3;
    const int row = p.bottom - 2;
    EXPECT_EQ(canvas.At(p.left + 2 + 2, row), kRed);
    EXPECT_EQ(canvas.At(p.left + 2 + bar + 2, row), kGreen);
    EXPECT_EQ(canvas.At(p.left + 2 + 2 * bar + 2, row), kBlue);
    // Another graph with two series in between changes nothing of this one's bars.
    {
        CGraph other;
        other.mode = GRAPH_BARS;
        auto* ox = new CGraphAxis;
        auto* oy = new CGraphAxis;
        other.horizontalAxes.AddTail(ox);
        other.verticalAxes.AddTail(oy);
        for (int i = 0; i < 2; ++i)
        {
            CGraphSeries* s = other.AddSeries(&data);
            s->horizontalAxis = ox;
            s->verticalAxis = oy;
        }
        GraphCanvas scratch(200, 200);
        other.Draw(&scratch.dc, CRect(0, 0, 200, 200));
    }
    Draw();
    EXPECT_EQ(canvas.Image(), first);
}

TEST_F(GraphFixture, NarrowPlotsGiveOnePixelBars)
{
    graph.mode = GRAPH_BARS;
    QuietAxes();
    CXYArray data;
    for (int i = 0; i < 200; ++i)
        data.Add(tagXY{static_cast<double>(i), 5.0});
    Series(&data, kRed)->outlineColour = kRed;
    x->min = 0;
    x->max = 200;
    y->min = 0;
    y->max = 10;
    Draw(400 + 2 + 4 * a());
    const CRect p = graph.plotArea;
    ASSERT_EQ(p.Width(), 400);
    const int row = p.bottom - 2;
    // Bars of one pixel every second pixel, two pixels into their slots.
    for (int i = 0; i < 198; i += 37)
    {
        EXPECT_EQ(canvas.At(p.left + 2 * i + 2, row), kRed) << i;
        EXPECT_EQ(canvas.At(p.left + 2 * i + 3, row), kWhite) << i;
    }
}

TEST_F(GraphFixture, EmptySeriesDrawsNoBars)
{
    graph.mode = GRAPH_BARS;
    QuietAxes();
    CXYArray empty;
    Series(&empty, kRed);
    x->min = 3;
    x->max = 9;
    Draw();
    EXPECT_EQ(canvas.Count(QRect(0, 0, 640, 480), kRed), 0);
    EXPECT_EQ(x->min, 3.0);
    EXPECT_EQ(x->max, 9.0);
}

TEST_F(GraphFixture, LinesBreakWhereAPointHasNoValue)
{
    QuietAxes();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double gap : {DBL_MAX, nan, std::numeric_limits<double>::infinity()})
    {
        CXYArray data = Points({{0, 50}, {10, 50}, {15, gap}, {20, 50}, {30, 50}});
        canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
        graph.RemoveAll();
        x = NewAxis(false);
        y = NewAxis(true);
        QuietAxes();
        Series(&data, kRed);
        x->min = 0;
        x->max = 30;
        y->min = 0;
        y->max = 100;
        Draw();
        const CRect p = graph.plotArea;
        const double sx = p.Width() / 30.0;
        const int row = static_cast<int>(p.bottom - 50 * p.Height() / 100.0);
        EXPECT_EQ(canvas.At(static_cast<int>(p.left + 5 * sx), row), kRed) << gap;
        EXPECT_EQ(canvas.At(static_cast<int>(p.left + 15 * sx), row), kWhite) << gap;
        EXPECT_EQ(canvas.At(static_cast<int>(p.left + 25 * sx), row), kRed) << gap;
    }
}

TEST_F(GraphFixture, LogarithmicValuesAtOrBelowZeroBreakTheLine)
{
    QuietAxes();
    CXYArray data = Points({{1, 50}, {10, 50}, {-5, 50}, {100, 50}, {1000, 50}});
    Series(&data, kRed);
    x->valueMode = GRAPH_VALUE_LOG10;
    x->min = 0;
    x->max = 3; // decades
    y->min = 0;
    y->max = 100;
    Draw();
    const CRect p = graph.plotArea;
    const double sx = p.Width() / 3.0;
    const int row = static_cast<int>(p.bottom - 50 * p.Height() / 100.0);
    EXPECT_EQ(canvas.At(static_cast<int>(p.left + 0.5 * sx), row), kRed);
    EXPECT_EQ(canvas.At(static_cast<int>(p.left + 1.5 * sx), row), kWhite);
    EXPECT_EQ(canvas.At(static_cast<int>(p.left + 2.5 * sx), row), kRed);
}

TEST_F(GraphFixture, LinesAboutTheOrigin)
{
    graph.mode = GRAPH_LINES_ABOUT_ORIGIN;
    QuietAxes();
    CXYArray data = Points({{0, 0}, {10, 0}, {10, 10}});
    Series(&data, kRed);
    x->min = -10;
    x->max = 10;
    y->min = -10;
    y->max = 10;
    x->origin = 320;
    y->origin = 240;
    Draw();
    const CRect p = graph.plotArea;
    const double sx = p.Width() / 20.0;
    const double sy = p.Height() / 20.0;
    EXPECT_EQ(canvas.At(320 + static_cast<int>(5 * sx), 240), kRed);
    EXPECT_EQ(canvas.At(320 + static_cast<int>(10 * sx), 240 - static_cast<int>(5 * sy)), kRed);
    EXPECT_EQ(canvas.At(320 - static_cast<int>(5 * sx), 240), kWhite);
}

TEST_F(GraphFixture, FilledArea)
{
    graph.mode = GRAPH_AREA;
    QuietAxes();
    CXYArray data = Points({{0, 20}, {10, 80}, {20, 20}});
    CGraphSeries* s = Series(&data, kRed);
    s->outlineColour = kBlue;
    x->min = 0;
    x->max = 20;
    y->min = 0;
    y->max = 100;
    Draw();
    const CRect p = graph.plotArea;
    auto px = [&](double v) { return static_cast<int>(p.left + v * p.Width() / 20.0); };
    auto py = [&](double v) { return static_cast<int>(p.bottom - v * p.Height() / 100.0); };
    EXPECT_EQ(canvas.At(px(10), py(50)), kRed);
    EXPECT_EQ(canvas.At(px(2), py(5)), kRed); // down to the plot's bottom
    EXPECT_EQ(canvas.At(px(10), py(90)), kWhite);
    EXPECT_EQ(canvas.At(px(5), py(50)), kBlue); // the outline through the points
}

TEST_F(GraphFixture, PolarPoints)
{
    graph.mode = GRAPH_POLAR;
    QuietAxes();
    CXYArray data = Points({{0, 0}, {45, 90}, {0, 180}, {60, 0}});
    Series(&data, kRed);
    x->min = y->min = 0;
    x->max = y->max = 90;
    Draw();
    const CRect p = graph.plotArea;
    const int w = (p.right - p.left) / 2;
    const int cx = p.left + w;
    const int cy = p.top + w;
    EXPECT_EQ(canvas.At(cx + w / 2, cy), kRed);                                           // 45 up, bearing 90
    EXPECT_EQ(canvas.At(cx, static_cast<int>(cy - w * std::fabs(std::cos(M_PI)))), kRed); // bearing 180
    EXPECT_EQ(canvas.At(cx, cy + w / 3), kRed);                                           // 60 up, bearing 0
}

TEST(GraphMarkers, EachKindAtItsPixels)
{
    struct Case
    {
        int kind;
        std::vector<QPoint> on;  // offsets from the point drawn in the marker colour
        std::vector<QPoint> off; // offsets left as they were
    } cases[] = {
        {GRAPH_MARKER_PIXEL, {{0, 0}}, {{1, 0}, {0, 1}}},
        {GRAPH_MARKER_DASH, {{-4, 0}, {3, 0}, {0, 1}, {0, -1}}, {{0, -3}, {5, 0}}},
        {GRAPH_MARKER_CROSS, {{-4, 0}, {3, 0}, {0, -4}, {0, 3}, {1, 3}}, {{-3, -3}, {3, 3}}},
        {GRAPH_MARKER_DIAMOND, {{0, -7}, {0, 7}, {3, 0}, {-3, 0}, {0, 0}}, {{3, -5}, {-3, 5}}},
        {GRAPH_MARKER_TRIANGLE, {{0, -3}, {3, 3}, {-3, 3}, {0, 2}}, {{0, -6}, {3, -3}}},
        {GRAPH_MARKER_SQUARE, {{-4, -4}, {3, 3}, {0, 0}}, {{4, 4}, {-5, 0}}},
        {GRAPH_MARKER_CIRCLE, {{0, 0}, {-3, 0}, {0, 3}}, {{-4, -4}, {3, -4}}},
    };
    for (const Case& c : cases)
        for (int shadow : {0, 1})
        {
            GraphCanvas canvas(60, 60);
            CGraphSeries series;
            series.shadow = shadow;
            series.DrawMarker(&canvas.dc, kRed, c.kind, "", 30, 30);
            EXPECT_EQ(canvas.dc.GetCurrentPosition(), CPoint(30, 30)) << "kind " << c.kind;
            for (const QPoint& d : c.on)
                EXPECT_EQ(canvas.At(30 + d.x(), 30 + d.y()), kRed)
                    << "kind " << c.kind << " shadow " << shadow << " at " << d.x() << "," << d.y();
            for (const QPoint& d : c.off)
                EXPECT_NE(canvas.At(30 + d.x(), 30 + d.y()), kRed)
                    << "kind " << c.kind << " shadow " << shadow << " at " << d.x() << "," << d.y();
            // The shadow is black, one pixel right and down, under the marker.
            const bool shadowed = shadow == 1 && c.kind >= GRAPH_MARKER_DASH;
            EXPECT_EQ(canvas.Count(QRect(0, 0, 60, 60), kBlack) > 0, shadowed) << "kind " << c.kind;
        }
    // Kind 1: the text centred above the point.
    GraphCanvas canvas(200, 100);
    CGraphSeries series;
    series.DrawMarker(&canvas.dc, kRed, GRAPH_MARKER_TEXT, "12.5", 100, 60);
    const QRect text = canvas.Bounds(kRed);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LE(text.bottom(), 60);
    EXPECT_GE(text.top(), 60 - canvas.h);
    EXPECT_NEAR(text.center().x(), 100, canvas.a);
}

TEST_F(GraphFixture, TickLabelsByStyle)
{
    CXYArray data = Points({{0, 0}, {100, 100}});
    Series(&data);
    y->ticksShown = 0;
    x->labelColour = kRed;
    x->axisPen.colour = kGreen;
    x->min = 0;
    x->max = 100;
    x->majorStep = 50;
    x->minorStep = 10;
    x->position = 1;
    for (int style = 1; style <= 6; ++style)
    {
        x->tickStyle = style;
        canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
        Draw();
        const CRect p = graph.plotArea;
        const int row = p.bottom;
        const int major = x->majorTickLength;
        const int middle = (p.left + p.right) / 2;
        const bool above = style == 1 || style == 3 || style == 4 || style == 6;
        const bool below = style != 1 && style != 4;
        const bool ends = style >= 4;
        // The labels: above at row - major - h (style 3 and 6 half a line higher), below at
        // row + major + h / 2.
        const int aboveTop = style == 3 || style == 6 ? row - major - h() / 2 - h() : row - major - h();
        const QRect aboveBand(p.left - 3 * a(), aboveTop, p.Width() + 6 * a(), h());
        const QRect belowBand(p.left - 3 * a(), row + major + h() / 2, p.Width() + 6 * a(), h());
        EXPECT_EQ(canvas.Count(aboveBand, kRed) > 0, above) << "style " << style;
        EXPECT_EQ(canvas.Count(belowBand, kRed) > 0, below) << "style " << style;
        // The middle label ("50") only where every major step is labelled.
        const QRect middleBox(middle - 2 * a(), ends || !above ? belowBand.top() : aboveBand.top(), 4 * a(),
                              h());
        EXPECT_EQ(canvas.Count(middleBox, kRed) > 0, !ends) << "style " << style;
        // Ticks: up, down or across the axis line.
        const int tickX = p.left + p.Width() / 10; // a minor tick
        EXPECT_EQ(canvas.At(tickX, row - 3) == kGreen, !ends && style != 2) << "style " << style;
        EXPECT_EQ(canvas.At(tickX, row + 3) == kGreen, !ends && style != 1) << "style " << style;
        if (ends)
        {
            EXPECT_EQ(canvas.At(p.right, row - 8) == kGreen, style != 5) << "style " << style;
            EXPECT_EQ(canvas.At(p.right, row + 8) == kGreen, style != 4) << "style " << style;
        }
    }
}

TEST_F(GraphFixture, VerticalTicksAndLabels)
{
    CXYArray data = Points({{0, 0}, {100, 100}});
    Series(&data);
    x->ticksShown = 0;
    y->labelColour = kRed;
    y->axisPen.colour = kGreen;
    y->min = 0;
    y->max = 100;
    y->majorStep = 50;
    y->minorStep = 10;
    y->position = 0;
    y->tickStyle = 1;
    Draw();
    const CRect p = graph.plotArea;
    const int middle = p.bottom - p.Height() / 2;
    // The "50" label ends a character before the major tick's end, centred on its row.
    const QRect label = [&] {
        QRect box(p.left - 10 - a() - 4 * a(), middle - h() / 2, 4 * a() + 1, h());
        return box;
    }();
    EXPECT_GT(canvas.Count(label, kRed), 0);
    EXPECT_EQ(canvas.Count(QRect(p.left - 10 - a() + 1, middle - h() / 2, a(), h()), kRed), 0);
    EXPECT_GT(canvas.Count(QRect(p.left - 3, p.bottom - p.Height() / 10 - 1, 1, 3), kGreen), 0);
}

TEST_F(GraphFixture, LogarithmicAxisNeedsAPositiveMin)
{
    CXYArray data = Points({{1, 0}, {1000, 100}});
    Series(&data);
    y->ticksShown = 0;
    x->valueMode = GRAPH_VALUE_LOG10;
    x->axisPen.colour = kGreen;
    x->labelColour = kRed;
    x->position = 1;
    x->tickStyle = 1;
    x->min = 1;
    x->max = 1000;
    Draw();
    CRect p = graph.plotArea;
    // n = 1 + the longer of "1" and "1000": ticks at P.left + (width / 5) * i, labelled 0.1,
    // 1, 10 ...
    const int step = p.Width() / 5;
    EXPECT_EQ(canvas.At(p.left + step, p.bottom - 5), kGreen);
    EXPECT_EQ(canvas.At(p.left + 2 * step, p.bottom - 5), kGreen);
    EXPECT_GT(canvas.Count(QRect(p.left + 4 * step - 3 * a(), p.bottom - 10 - h(), 6 * a(), h()), kRed), 0);
    canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
    x->min = 0;
    Draw();
    p = graph.plotArea;
    EXPECT_EQ(canvas.Count(QRect(p.left + 1, p.bottom - 10, p.Width() - 2, 9), kGreen), 0);
    EXPECT_EQ(canvas.Count(QRect(0, 0, 640, 480), kRed), 0);
}

TEST_F(GraphFixture, TitlesUprightAndTurned)
{
    CXYArray data = Points({{0, 0}, {100, 100}});
    Series(&data);
    y->title = "Frequency";
    y->titleColour = kRed;
    x->ticksShown = 0;
    for (int angle : {90, 0})
    {
        y->titleAngle = angle;
        canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
        Draw();
        const QRect title = canvas.Bounds(kRed);
        ASSERT_FALSE(title.isEmpty()) << angle;
        const int middle = graph.plotArea.top + graph.plotArea.Height() / 2;
        if (angle == 90)
            EXPECT_GT(title.width(), title.height());
        else
            EXPECT_GT(title.height(), title.width());
        EXPECT_NEAR(title.center().y(), middle, angle == 90 ? h() : 9 * a());
        EXPECT_LT(title.right(), graph.plotArea.left);
    }
}

TEST_F(GraphFixture, LogarithmicTopAxisSaysSo)
{
    CXYArray data = Points({{1, 0}, {1000, 100}});
    Series(&data);
    y->ticksShown = 0;
    x->position = 0;
    x->tickStyle = 2;
    x->valueMode = GRAPH_VALUE_LOG10;
    x->min = 1;
    x->max = 1000;
    x->title = "Range";
    x->titleColour = kRed;
    Draw();
    // The title two lines above the plot, "(Log10)" on the line above it, both centred.
    const QRect drawn = canvas.Bounds(kRed);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_GE(drawn.top(), graph.plotArea.top - 3 * h());
    EXPECT_LT(drawn.bottom(), graph.plotArea.top - h());
    EXPECT_GT(drawn.height(), h());
    EXPECT_NEAR(drawn.center().x(), graph.plotArea.CenterPoint().x, 4 * a());
    // Without the logarithm only one line.
    x->valueMode = GRAPH_VALUE_PLAIN;
    canvas.dc.FillSolidRect(0, 0, 640, 480, kWhite);
    Draw();
    EXPECT_LE(canvas.Bounds(kRed).height(), h());
}

TEST_F(GraphFixture, PolarRingsLargestFirst)
{
    graph.mode = GRAPH_POLAR;
    graph.squarePlot = 1;
    CXYArray data = Points({{0, 0}});
    Series(&data);
    y->min = y->max = 0; // an empty range: not drawn
    x->min = 0;
    x->max = 100;
    x->majorStep = 25;
    x->minorStep = 25;
    x->gridPen.colour = kBlue;
    x->axisPen.colour = kBlue;
    x->labelColour = kRed;
    x->tickStyle = 1;
    Draw();
    const CRect p = graph.plotArea;
    const CPoint c((p.left + p.right) / 2, (p.top + p.bottom) / 2);
    const double scale = p.Width() / 100.0;
    for (double v : {100.0, 75.0, 50.0, 25.0})
    {
        const int r = static_cast<int>(v * scale * 0.5);
        // Every ring's outline shows: none is covered by the fill of a larger one.
        EXPECT_GT(canvas.Count(QRect(c.x + r - 2, c.y - 1, 4, 3), kBlue), 0) << v;
        EXPECT_EQ(canvas.At(c.x + r - 4, c.y + 5), kGreen) << v;
        // Its label over its top.
        EXPECT_GT(canvas.Count(QRect(c.x - 3 * a(), c.y - r - h() / 2, 6 * a(), h()), kRed), 0) << v;
    }
}

TEST_F(GraphFixture, TinyStepsAndHugeRangesReturnAtOnce)
{
    CXYArray data = Points({{0, 0}, {1e6, 1e6}});
    Series(&data);
    for (CGraphAxis* axis : {x, y})
    {
        axis->grid = 1;
        axis->min = 0;
        axis->max = 1e6;
        axis->majorStep = 1e-12;
        axis->minorStep = 1e-12;
    }
    const auto start = std::chrono::steady_clock::now();
    Draw();
    graph.mode = GRAPH_POLAR;
    Draw();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // Far-off and broken data draws without overflow.
    CXYArray wild = Points({{-1e300, 1e300}, {1e300, -1e300}, {std::nan(""), 5}, {5, DBL_MAX}});
    graph.mode = GRAPH_LINES;
    Series(&wild)->markerKind = GRAPH_MARKER_SQUARE;
    Draw();
    graph.mode = GRAPH_BARS;
    Draw();
    graph.mode = GRAPH_AREA;
    Draw();
}

TEST_F(GraphFixture, Histogram)
{
    // As the calibration program shows its residuals: bars, one series, both axes.
    graph.mode = GRAPH_BARS;
    graph.shadow = 1;
    graph.title = "Range Residuals";
    graph.titleColour = kBlack;
    graph.plotBackground = 0xF0F0F0;
    graph.legendPosition = GRAPH_LEGEND_TOP;
    CXYArray data;
    const double counts[] = {1, 3, 7, 12, 20, 26, 21, 13, 6, 2, 1};
    for (int i = 0; i < 11; ++i)
        data.Add(tagXY{-0.55 + 0.1 * i, counts[i]});
    CGraphSeries* s = Series(&data, 0xC08040);
    s->name = "Residuals";
    s->markerKind = GRAPH_MARKER_TEXT;
    x->position = 1;
    x->tickStyle = 2;
    x->title = "Residual (m)";
    x->min = -0.55;
    x->max = 0.55;
    x->majorStep = 0.1;
    x->minorStep = 0.05;
    y->position = 0;
    y->tickStyle = 1;
    y->title = "Count";
    y->titleAngle = 0;
    y->labelKind = GRAPH_LABEL_WHOLE;
    y->grid = 1;
    y->gridPen.colour = 0xC0C0C0;
    y->min = 0;
    y->max = 30;
    y->majorStep = 5;
    y->minorStep = 1;
    Draw();
    EXPECT_TRUE(canvas.Save("graph-histogram"));
    const CRect p = graph.plotArea;
    const int slot = p.Width() / 11;
    // The tallest bar (26 of 30) in the series colour.
    const int barX = p.left + static_cast<int>(5 * 0.1 * p.Width() / 1.1) + 2 + slot / 2 - 2;
    EXPECT_EQ(canvas.At(barX, p.bottom - static_cast<int>(20 * p.Height() / 30.0)), 0xC08040u);
    EXPECT_GT(canvas.Count(QRect(0, 0, 640, 480), kGrey) + canvas.Count(QRect(0, 0, 640, 480), 0xC0C0C0), 0);
}
