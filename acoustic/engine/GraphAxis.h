// CGraphAxis: one axis of a graph: its range and tick steps (chosen from the data when asked),
// how its tick values turn into label texts, and how it draws itself along a plot area.
//
// Values are in the data's own units; scale and tick lengths are pixels.
#pragma once

#include "acoustic/engine/GraphLabelFormat.h"
#include "foundation/XYArray.h"
#include "platform/core/String.h"
#include "platform/ui/Dc.h"

#include <cstdint>

// A pen as the graph keeps it: style, width (pixels) and colour.
struct GraphPenDef
{
    int16_t style;
    int16_t width;
    COLORREF colour;
};

// How a tick value becomes the value shown in its label.
enum GRAPH_VALUE_MODE
{
    GRAPH_VALUE_PLAIN = 0,
    GRAPH_VALUE_MIRRORED = 1, // about max: 2 max - v
    GRAPH_VALUE_REVERSED = 2, // max - v + min
    GRAPH_VALUE_NEGATED = 3,
    GRAPH_VALUE_LOG10 = 4
};

// What a label value is written as.
enum GRAPH_LABEL_KIND
{
    GRAPH_LABEL_WHOLE = 0, // "%d"
    GRAPH_LABEL_FIXED = 1, // "%*.*lf", trailing zeros cut
    GRAPH_LABEL_TIME = 2,  // time of day of seconds since 2000
    GRAPH_LABEL_DATE = 3   // date of seconds since 2000
};

// Bits of tickFlags.
const int GRAPH_MINOR_TICKS = 1;
const int GRAPH_MAJOR_TICKS = 2;

// Longest tick label: the labels pass through a 40-character buffer.
const int GRAPH_LABEL_MAX = 39;

class CGraphAxis
{
public:
    // Sets the defaults of Reset, and zero markers, transparent label background, origin 0
    // and scale 1, as the histogram view gives a new axis.
    CGraphAxis();
    CGraphAxis(const CGraphAxis&) = delete;
    CGraphAxis& operator=(const CGraphAxis&) = delete;

    // The defaults of every field below but the markers and their flags, the label background
    // mode, origin and scale; the title is emptied.
    void Reset();

    // Takes the range from x (component 0) or y (any other) of the data, when no range is
    // given or auto range is set. Values of DBL_MAX ("no value"), NaN and infinity are passed
    // over; data with no other value leaves the range as it was. Rounds the range outward to
    // whole numbers when asked, then chooses the steps (AutoStep) when no range was given or
    // auto step is set.
    void AutoRange(const CXYArray* data, int component);
    // Major and minor steps from the width of the range, the coarsest row of the step table
    // giving at least five major steps; 0.1 and 0.01 below a width of 1. Nothing changes when
    // auto step is off and both steps are set, or when the width is not finite.
    void AutoStep();
    // The text of a value by the label kind, at most GRAPH_LABEL_MAX characters.
    void FormatValue(CString& out, double v) const;
    // The label of a tick at v: v turned by the value mode (and taken relative to max, and
    // modulo the label modulus, when asked), then FormatValue.
    void FormatTickLabel(CString& out, double v) const;
    // Pixels reserved across the axis for its labels, from the font's average character width
    // and line height; 0 where the tick style puts no labels on the plot's outer side.
    int GetLabelExtent(int charWidth, int lineHeight) const;

    // Drawing along the plot area `plot` (pixels), with the character width and line height
    // of the font selected in the context; see GraphAxisDraw.cpp.
    void DrawHorizontal(CDC* dc, const RECT* plot);
    void DrawVertical(CDC* dc, const RECT* plot);
    // Graph mode 4: rings about the plot's centre; axisIndex 0 labels them above and below, 1
    // left and right.
    void DrawPolar(CDC* dc, const RECT* plot, int axisIndex);
    void DrawHorizontalTicks(CDC* dc, int tickLength, const RECT* plot, double step);
    void DrawVerticalTicks(CDC* dc, int tickLength, const RECT* plot, double step);

    // Fields, in this order.
    CString name;     // not drawn
    int attached = 0; // set by a caller that gives the axis to a series
    int grid = 0;     // a grid line at every major step
    int ticksShown = 1;
    int autoRange = 0;    // take the range from the data even when one is set
    int rangeGiven = 0;   // min != max, taken at each draw
    int rangeStarted = 0; // working flag of AutoRange
    int autoStep = 0;     // choose the steps from the range at each draw
    int labelsRelativeToMax = 0;
    uint8_t roundOutward = 0; // round the data range outward to whole numbers
    int vertical = 0;
    int valueMode = GRAPH_VALUE_PLAIN;
    int tickFlags = GRAPH_MINOR_TICKS | GRAPH_MAJOR_TICKS;
    int position = 0;  // horizontal 0 top, 1 bottom; vertical 0 left, 1 right; 2 centred
    int tickStyle = 1; // 1 to 6
    int labelKind = GRAPH_LABEL_FIXED;
    GraphPenDef gridPen{};
    GraphPenDef axisPen{};
    int titleAngle = 90; // 90 upright text, any other value turned
    int labelAngle = 90;
    int labelWidth = 0; // "%*.*lf" width and precision
    int labelDecimals = 3;
    int majorTickLength = 10;
    int minorTickLength = 5;
    int labelBackgroundMode = TRANSPARENT;
    double min = 0.0;
    double max = 100.0;
    double minorStep = 1.0;
    double majorStep = 10.0;
    double origin = 0.0;       // added to values before scaling (pixels in mode 5 and when centred)
    double scale = 1.0;        // pixels per unit, set at each draw
    double markerValue1 = 0.0; // values at which a line is drawn across the plot
    double markerValue2 = 0.0;
    double labelModulus = 0.0; // labels taken modulo it when non-zero
    uint8_t marker1Shown = 0;
    uint8_t marker2Shown = 0;
    COLORREF titleColour = 0;
    COLORREF labelColour = 0;
    COLORREF markerColour = 0;
    int dateFormat = 1;
    int timeFormat = 0;
    CString title;
    CGraphLabelFormat format; // slot 0 title font, slot 1 tick-label font
};
