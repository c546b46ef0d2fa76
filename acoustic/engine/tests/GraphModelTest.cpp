// The graph model: defaults, ownership, automatic ranges and steps, label texts and the room
// reserved for labels.
#include "acoustic/engine/Graph.h"

#include "platform/ui/Dc.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
// The step rows (major, minor), coarsest first, written out here so that a row typed wrongly
// in the code fails.
const double kRows[][2] = {
    {1e10, 1e9}, {5e9, 5e8}, {1e9, 1e8},  {5e8, 5e7},  {1e8, 1e7}, {5e7, 5e6}, {1e7, 1e6},
    {5e6, 5e5},  {1e6, 1e5}, {5e5, 5e4},  {1e5, 1e4},  {5e4, 5e3}, {1e4, 1e3}, {5e3, 500},
    {1000, 100}, {500, 50},  {100, 50},   {50, 25},    {25, 12.5}, {10, 2},    {5, 2.5},
    {2, 0.2},    {1, 0.1},   {0.5, 0.05}, {0.2, 0.02},
};

// Steps chosen for a range [lo, hi] with auto step on.
std::pair<double, double> StepsFor(double lo, double hi)
{
    CGraphAxis axis;
    axis.autoStep = 1;
    axis.min = lo;
    axis.max = hi;
    axis.AutoStep();
    return {axis.majorStep, axis.minorStep};
}

CXYArray Points(std::initializer_list<tagXY> points)
{
    CXYArray a;
    for (const tagXY& p : points)
        a.Add(p);
    return a;
}

CString Label(const CGraphAxis& axis, double v)
{
    CString out;
    axis.FormatTickLabel(out, v);
    return out;
}

CString Value(const CGraphAxis& axis, double v)
{
    CString out;
    axis.FormatValue(out, v);
    return out;
}
} // namespace

TEST(GraphAxisSteps, PublishedRows)
{
    struct Case
    {
        double lo, hi, major, minor;
    } cases[] = {
        {0, 1000000, 100000, 10000}, {0, 7, 1, 0.1},      {0, 0.3, 0.1, 0.01},
        {0, 600, 100, 50},           {-3.5, 3.5, 1, 0.1},
    };
    for (const Case& c : cases)
    {
        auto steps = StepsFor(c.lo, c.hi);
        EXPECT_EQ(steps.first, c.major) << c.lo << ".." << c.hi;
        EXPECT_EQ(steps.second, c.minor) << c.lo << ".." << c.hi;
    }
}

TEST(GraphAxisSteps, EveryRowAtItsBoundary)
{
    const size_t rows = sizeof kRows / sizeof kRows[0];
    for (size_t i = 0; i < rows; ++i)
    {
        const double major = kRows[i][0];
        auto at = StepsFor(0.0, 5.0 * major);
        EXPECT_EQ(at.first, major) << "range " << 5.0 * major;
        EXPECT_EQ(at.second, kRows[i][1]) << "range " << 5.0 * major;
        // Just below five majors the next row down holds; below the last row, 0.1 and 0.01.
        auto below = StepsFor(0.0, 5.0 * major * (1.0 - 1e-9));
        const double nextMajor = i + 1 < rows ? kRows[i + 1][0] : 0.1;
        const double nextMinor = i + 1 < rows ? kRows[i + 1][1] : 0.01;
        EXPECT_EQ(below.first, nextMajor) << "just below " << 5.0 * major;
        EXPECT_EQ(below.second, nextMinor) << "just below " << 5.0 * major;
    }
    EXPECT_EQ(StepsFor(0, 1e300).first, 1e10);
}

TEST(GraphAxisSteps, KeptUnlessAskedOrMissing)
{
    CGraphAxis axis;
    axis.min = 0;
    axis.max = 7;
    axis.AutoStep(); // auto step off, both steps set
    EXPECT_EQ(axis.majorStep, 10.0);
    EXPECT_EQ(axis.minorStep, 1.0);
    axis.minorStep = 0.0; // a missing step is chosen even with auto step off
    axis.AutoStep();
    EXPECT_EQ(axis.majorStep, 1.0);
    EXPECT_EQ(axis.minorStep, 0.1);
}

TEST(GraphAxisRange, FromTheData)
{
    CXYArray data = Points({{2.4, 7.6}, {DBL_MAX, 1.0}, {7.6, DBL_MAX}, {5.0, 2.4}});
    CGraphAxis x;
    x.roundOutward = 1;
    x.AutoRange(&data, 0);
    EXPECT_EQ(x.min, 2.0);
    EXPECT_EQ(x.max, 8.0);
    CGraphAxis y;
    y.autoStep = 1;
    y.AutoRange(&data, 1);
    EXPECT_EQ(y.min, 1.0);
    EXPECT_EQ(y.max, 7.6);
    EXPECT_EQ(y.majorStep, 1.0); // 6.6 wide
    EXPECT_EQ(y.rangeStarted, 1);
}

TEST(GraphAxisRange, AGivenRangeStaysUnlessAutoRange)
{
    CXYArray data = Points({{-5, 0}, {15, 0}});
    CGraphAxis axis;
    axis.rangeGiven = 1;
    axis.AutoRange(&data, 0);
    EXPECT_EQ(axis.min, 0.0);
    EXPECT_EQ(axis.max, 100.0);
    axis.autoRange = 1;
    axis.AutoRange(&data, 0);
    EXPECT_EQ(axis.min, -5.0);
    EXPECT_EQ(axis.max, 15.0);
    EXPECT_EQ(axis.majorStep, 10.0); // a given range keeps its steps without auto step
}

TEST(GraphAxisRangeBadInput, NoValueLeavesTheRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CXYArray empty;
    CXYArray noValues = Points({{DBL_MAX, DBL_MAX}, {nan, inf}, {-inf, nan}});
    const CXYArray* arrays[] = {nullptr, &empty, &noValues};
    for (const CXYArray* data : arrays)
        for (int component : {0, 1})
        {
            CGraphAxis axis;
            axis.autoStep = 1;
            axis.min = 3;
            axis.max = 4;
            axis.AutoRange(data, component);
            EXPECT_EQ(axis.min, 3.0);
            EXPECT_EQ(axis.max, 4.0);
            EXPECT_EQ(axis.majorStep, 10.0);
            EXPECT_EQ(axis.rangeStarted, 0);
        }
    // Among values, NaN and infinity are passed over like DBL_MAX.
    CXYArray mixed = Points({{nan, 0}, {1.5, 0}, {inf, 0}, {-2.5, 0}});
    CGraphAxis axis;
    axis.AutoRange(&mixed, 0);
    EXPECT_EQ(axis.min, -2.5);
    EXPECT_EQ(axis.max, 1.5);
    // An infinite width chooses no steps.
    axis.autoStep = 1;
    axis.min = -DBL_MAX;
    axis.max = DBL_MAX;
    axis.AutoStep();
    EXPECT_EQ(axis.majorStep, 10.0);
}

TEST(GraphAxisLabels, ValueTexts)
{
    CGraphAxis axis;
    EXPECT_STREQ(Value(axis, 2.5), "2.5");
    EXPECT_STREQ(Value(axis, 3.0), "3");
    EXPECT_STREQ(Value(axis, -0.125), "-0.125");
    axis.labelWidth = 8;
    EXPECT_STREQ(Value(axis, 12.0), "  12"); // "  12.000" cut after its last digit
    axis.labelDecimals = 0;
    EXPECT_STREQ(Value(axis, 1200.0), "    1200");
    axis.labelKind = GRAPH_LABEL_WHOLE;
    EXPECT_STREQ(Value(axis, 7.9), "7");
    EXPECT_STREQ(Value(axis, -7.9), "-7");
    // Seconds since 2000 as times and dates.
    axis.labelKind = GRAPH_LABEL_TIME;
    axis.timeFormat = 0;
    EXPECT_STREQ(Value(axis, 3661.5), "01:01:01.500");
    axis.timeFormat = 2;
    EXPECT_STREQ(Value(axis, 86400.0 + 45240.0), "12:34");
    axis.labelKind = GRAPH_LABEL_DATE;
    axis.dateFormat = 1;
    EXPECT_STREQ(Value(axis, 0.0), "01 Jan 2000");
    axis.dateFormat = 0;
    EXPECT_STREQ(Value(axis, 59.0 * 86400.0), "29/02/2000");
    // Reversed axes mark times and dates other than zero with a minus.
    axis.valueMode = GRAPH_VALUE_REVERSED;
    EXPECT_STREQ(Value(axis, 86400.0), "-02/01/2000");
    EXPECT_STREQ(Value(axis, 0.0), "01/01/2000");
    axis.labelKind = GRAPH_LABEL_TIME;
    axis.timeFormat = 1;
    EXPECT_STREQ(Value(axis, 7200.0), "-02:00:00");
}

TEST(GraphAxisLabels, TickValueByMode)
{
    struct Case
    {
        int mode;
        int relative;
        double modulus;
        const char* text;
    } cases[] = {
        {GRAPH_VALUE_PLAIN, 0, 0, "30"},     {GRAPH_VALUE_PLAIN, 1, 0, "-70"},
        {GRAPH_VALUE_MIRRORED, 0, 0, "170"}, {GRAPH_VALUE_MIRRORED, 1, 0, "170"},
        {GRAPH_VALUE_REVERSED, 0, 0, "80"},  {GRAPH_VALUE_REVERSED, 1, 0, "-70"},
        {GRAPH_VALUE_NEGATED, 0, 0, "-30"},  {GRAPH_VALUE_LOG10, 0, 0, "30"},
        {GRAPH_VALUE_PLAIN, 0, 25, "5"},     {GRAPH_VALUE_PLAIN, 1, 25, "-20"},
        {GRAPH_VALUE_MIRRORED, 0, 25, "20"}, {GRAPH_VALUE_NEGATED, 0, 25, "-5"},
    };
    for (const Case& c : cases)
    {
        CGraphAxis axis;
        axis.min = 10;
        axis.max = 100;
        axis.valueMode = c.mode;
        axis.labelsRelativeToMax = c.relative;
        axis.labelModulus = c.modulus;
        EXPECT_STREQ(Label(axis, 30.0), c.text)
            << "mode " << c.mode << " relative " << c.relative << " modulus " << c.modulus;
    }
}

TEST(GraphAxisLabelsBadInput, HugeValuesStayInTheirBuffers)
{
    CGraphAxis axis;
    const CString huge = Value(axis, 1e300);
    EXPECT_EQ(huge.GetLength(), GRAPH_LABEL_MAX);
    EXPECT_EQ(std::strspn(huge, "0123456789"), static_cast<size_t>(GRAPH_LABEL_MAX));
    EXPECT_EQ(Label(axis, -1e300).GetLength(), GRAPH_LABEL_MAX);
    axis.labelKind = GRAPH_LABEL_WHOLE;
    EXPECT_STREQ(Value(axis, 1e12), "2147483647");
    EXPECT_STREQ(Value(axis, -1e12), "-2147483648");
    EXPECT_STREQ(Value(axis, std::numeric_limits<double>::quiet_NaN()), "0");
    axis.max = 1e12;
    axis.min = -1e300;
    EXPECT_EQ(axis.GetLabelExtent(7, 16), 11 * 7); // "-2147483648"
    axis.labelKind = GRAPH_LABEL_FIXED;
    EXPECT_EQ(axis.GetLabelExtent(7, 16), GRAPH_LABEL_MAX * 7);
}

TEST(GraphAxisLabels, Extents)
{
    // Character width and line height of the default label font as this machine draws it.
    CGraphLabelFormat format;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&CGraphLabelFormat::defaultLabelFont));
    CDC dc;
    ASSERT_TRUE(dc.CreateDC("DISPLAY", nullptr, nullptr, nullptr));
    dc.SelectObject(&font);
    TEXTMETRIC tm{};
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    const int a = tm.tmAveCharWidth;
    const int h = tm.tmHeight;
    ASSERT_GT(a, 0);
    ASSERT_GT(h, a);

    struct Case
    {
        int kind, valueMode, vertical, position, style, angle;
        double lo, hi;
        int characters; // times a (angle 90) or h (other angles)
        bool halved;
    } cases[] = {
        // Fixed decimals: the longest of |max - min| / major, max and min.
        {GRAPH_LABEL_FIXED, 0, 0, 1, 2, 90, 0, 100, 7, false},    // "100.000"
        {GRAPH_LABEL_FIXED, 0, 0, 1, 2, 0, -250, 100, 8, false},  // "-250.000"
        {GRAPH_LABEL_FIXED, 4, 0, 1, 3, 90, 1, 100, 9, false},    // 100 squared: "10000.000"
        {GRAPH_LABEL_FIXED, 0, 1, 0, 1, 0, 0, 100, 7, true},      // vertical, flat labels: half
        {GRAPH_LABEL_FIXED, 0, 1, 0, 3, 0, 0, 100, 7, false},     // style 3 is not halved
        {GRAPH_LABEL_FIXED, 0, 1, 0, 6, 90, 0, 100, 7, false},    // upright labels are not halved
        {GRAPH_LABEL_WHOLE, 0, 0, 0, 3, 90, -5, 12345, 5, false}, // "12345"
        {GRAPH_LABEL_WHOLE, 4, 0, 0, 3, 0, -5, 1000, 7, false},   // "1000000"
        {GRAPH_LABEL_TIME, 0, 0, 0, 3, 90, 0, 1, 12, false},      // "00:00:00.000"
        {GRAPH_LABEL_DATE, 0, 0, 0, 3, 0, 0, 1, 11, false},       // "01 Jan 2000"
        // Where no labels lie outside the plot: nothing.
        {GRAPH_LABEL_FIXED, 0, 0, 0, 0, 90, 0, 100, 0, false},
        {GRAPH_LABEL_FIXED, 0, 0, 2, 3, 90, 0, 100, 0, false},
        {GRAPH_LABEL_FIXED, 0, 0, 0, 2, 90, 0, 100, 0, false},
        {GRAPH_LABEL_FIXED, 0, 0, 1, 1, 90, 0, 100, 0, false},
        {GRAPH_LABEL_FIXED, 0, 1, 1, 1, 0, 0, 100, 0, false},
    };
    for (const Case& c : cases)
    {
        CGraphAxis axis;
        axis.labelKind = c.kind;
        axis.valueMode = c.valueMode;
        axis.vertical = c.vertical;
        axis.position = c.position;
        axis.tickStyle = c.style;
        axis.labelAngle = c.angle;
        axis.min = c.lo;
        axis.max = c.hi;
        int expected = c.characters * (c.angle == 90 ? a : h);
        if (c.halved)
            expected /= 2;
        EXPECT_EQ(axis.GetLabelExtent(a, h), expected) << "kind " << c.kind << " style " << c.style
                                                       << " position " << c.position << " angle " << c.angle;
    }
}

TEST(GraphModel, Defaults)
{
    CGraph graph;
    graph.shadow = 0;
    graph.mode = 3;
    graph.title = "old";
    graph.hatchColour = 5;
    graph.SetDefaults();
    CGraphSeries* series = graph.AddSeries(nullptr);
    ASSERT_NE(series, nullptr);
    auto* axis = new CGraphAxis;
    graph.horizontalAxes.AddTail(axis);
    axis->grid = 1;
    axis->tickStyle = 4;
    axis->title = "Depth";
    axis->majorStep = 3;
    axis->markerValue1 = 7;
    axis->marker1Shown = 1;
    axis->labelBackgroundMode = OPAQUE;
    axis->origin = 12;
    axis->scale = 4;
    axis->Reset();

    struct Field
    {
        const char* name;
        double value;
        double expected;
    };
    auto f = [](const char* name, auto value, double expected) {
        return Field{name, static_cast<double>(value), expected};
    };
    const Field fields[] = {
        f("graph square", graph.squarePlot, 0),
        f("graph shadow", graph.shadow, 1),
        f("graph legend shadow", graph.legendShadow, 0),
        f("graph mode", graph.mode, 0),
        f("graph title at bottom", graph.titleAtBottom, 0),
        f("graph legend", graph.legendPosition, 0),
        f("legend pen style", graph.legendFramePen.style, PS_SOLID),
        f("legend pen width", graph.legendFramePen.width, 1),
        f("legend pen colour", static_cast<double>(graph.legendFramePen.colour), 0),
        f("frame pen style", graph.graphFramePen.style, PS_SOLID),
        f("frame pen width", graph.graphFramePen.width, 1),
        f("frame pen colour", static_cast<double>(graph.graphFramePen.colour), 0),
        f("hatch", graph.hatchStyle, -1),
        f("bars across height", graph.barsAcrossHeight, 0),
        f("bar gap", graph.barGap, 2),
        f("label scale", graph.labelScale, 1.0),
        f("title colour", static_cast<double>(graph.titleColour), 0),
        f("legend text", static_cast<double>(graph.legendTextColour), 0),
        f("legend background", static_cast<double>(graph.legendBackground), 0xFFFFFF),
        f("graph background", static_cast<double>(graph.graphBackground), 0xFFFFFF),
        f("plot background", static_cast<double>(graph.plotBackground), 0xFFFFFF),
        f("hatch colour", static_cast<double>(graph.hatchColour), 0),
        f("title", static_cast<double>(graph.title.GetLength()), 0),
        f("axis attached", axis->attached, 0),
        f("axis grid", axis->grid, 0),
        f("axis ticks shown", axis->ticksShown, 1),
        f("axis auto range", axis->autoRange, 0),
        f("axis auto step", axis->autoStep, 0),
        f("axis relative", axis->labelsRelativeToMax, 0),
        f("axis round outward", axis->roundOutward, 0),
        f("axis vertical", axis->vertical, 0),
        f("axis value mode", axis->valueMode, 0),
        f("axis tick flags", axis->tickFlags, 3),
        f("axis position", axis->position, 0),
        f("axis tick style", axis->tickStyle, 1),
        f("axis label kind", axis->labelKind, 1),
        f("axis grid pen", axis->gridPen.style * 1000.0 + axis->gridPen.width, 1),
        f("axis line pen", axis->axisPen.style * 1000.0 + axis->axisPen.width, 1),
        f("axis title angle", axis->titleAngle, 90),
        f("axis label angle", axis->labelAngle, 90),
        f("axis label width", axis->labelWidth, 0),
        f("axis label decimals", axis->labelDecimals, 3),
        f("axis major length", axis->majorTickLength, 10),
        f("axis minor length", axis->minorTickLength, 5),
        f("axis min", axis->min, 0),
        f("axis max", axis->max, 100),
        f("axis minor", axis->minorStep, 1),
        f("axis major", axis->majorStep, 10),
        f("axis modulus", axis->labelModulus, 0),
        f("axis date format", axis->dateFormat, 1),
        f("axis time format", axis->timeFormat, 0),
        f("axis title", static_cast<double>(axis->title.GetLength()), 0),
        // Reset leaves these as the caller set them.
        f("axis marker 1", axis->markerValue1, 7),
        f("axis marker 1 shown", axis->marker1Shown, 1),
        f("axis label background", axis->labelBackgroundMode, OPAQUE),
        f("axis origin", axis->origin, 12),
        f("axis scale", axis->scale, 4),
        f("series owned", series->owned, 1),
        f("series last x", series->showLastX, 0),
        f("series last y", series->showLastY, 0),
        f("series pen style", series->linePen.style, PS_SOLID),
        f("series pen width", series->linePen.width, 1),
        f("series pen colour", static_cast<double>(series->linePen.colour), 0xFF0000),
        f("series marker", series->markerKind, 0),
        f("series colour", static_cast<double>(series->colour), 0xFF0000),
        f("series outline", static_cast<double>(series->outlineColour), 0),
        f("series marker colour", static_cast<double>(series->markerColour), 0x00FF00),
        f("series read-out name", static_cast<double>(series->readoutNameColour), 0),
        f("series read-out value", static_cast<double>(series->readoutValueColour), 0),
        f("series x offset", series->xOffset, 0),
        f("series axes",
          static_cast<double>((series->horizontalAxis != nullptr) + (series->verticalAxis != nullptr)), 0),
        f("series data", static_cast<double>(series->data != nullptr), 0),
    };
    for (const Field& field : fields)
        EXPECT_EQ(field.value, field.expected) << field.name;
    // A new axis as the histogram makes it.
    CGraphAxis fresh;
    EXPECT_EQ(fresh.markerValue1, 0.0);
    EXPECT_EQ(fresh.markerValue2, 0.0);
    EXPECT_EQ(fresh.marker1Shown + fresh.marker2Shown, 0);
    EXPECT_EQ(fresh.labelBackgroundMode, TRANSPARENT);
    EXPECT_EQ(fresh.origin, 0.0);
    EXPECT_EQ(fresh.scale, 1.0);
    EXPECT_TRUE(graph.plotArea.IsRectEmpty());
    EXPECT_EQ(graph.owner, nullptr);
    EXPECT_EQ(graph.format.fonts, nullptr);
}

TEST(GraphModel, LabelFormatDefaults)
{
    std::memset(&CGraphLabelFormat::defaultLabelFont, 0x55, sizeof(LOGFONT));
    CGraphLabelFormat format;
    for (const GraphLabelFieldDef& field : format.fields)
    {
        EXPECT_EQ(field.width, 10);
        EXPECT_EQ(field.decimals, 1);
    }
    const LOGFONT& lf = CGraphLabelFormat::defaultLabelFont;
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWidth, 7);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 7);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 0x20);
    EXPECT_STREQ(lf.lfFaceName, "System");
    EXPECT_EQ(format.GetFont(0), nullptr);
    // Fonts given to slots belong to the format.
    EXPECT_TRUE(format.SetFont(GRAPH_FONT_LEGEND, new CFont));
    EXPECT_TRUE(format.SetFont(GRAPH_FONT_LEGEND, new CFont));
    EXPECT_NE(format.GetFont(GRAPH_FONT_LEGEND), nullptr);
    EXPECT_EQ(format.GetFont(GRAPH_FONT_TITLE), nullptr);
    EXPECT_FALSE(format.SetFont(GRAPH_FONT_SLOTS, nullptr));
}

TEST(GraphModel, OwnsWhatItShould)
{
    CXYArray data = Points({{1, 2}});
    CGraphSeries kept; // owned by the test, not by the graph
    {
        CGraph graph;
        CGraphSeries* series = graph.AddSeries(&data);
        ASSERT_NE(series, nullptr);
        EXPECT_EQ(series->data, &data);
        kept.owned = 0;
        graph.seriesList.AddTail(&kept);
        auto* x = new CGraphAxis;
        auto* y = new CGraphAxis;
        x->format.SetFont(GRAPH_FONT_TITLE, new CFont);
        graph.horizontalAxes.AddTail(x);
        graph.verticalAxes.AddTail(y);
        series->horizontalAxis = x;
        series->verticalAxis = y;
        series->format.SetFont(GRAPH_FONT_MARKER_TEXT, new CFont);
        graph.format.SetFont(GRAPH_FONT_TITLE, new CFont);
        EXPECT_EQ(graph.seriesList.GetCount(), 2);
        graph.RemoveAll();
        EXPECT_TRUE(graph.seriesList.IsEmpty());
        EXPECT_TRUE(graph.horizontalAxes.IsEmpty());
        EXPECT_TRUE(graph.verticalAxes.IsEmpty());
        graph.AddSeries(nullptr);
    }
    // The caller's data and the unowned series outlive the graph.
    EXPECT_EQ(data.GetSize(), 1);
    EXPECT_EQ(kept.owned, 0);
}
