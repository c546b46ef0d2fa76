// CGraphSeries: one data series of a graph: the caller's point array, the two axes it is drawn
// against, its pen, colours, marker and read-out.
#pragma once

#include "acoustic/engine/GraphAxis.h"

class CGraph;

// Marker kinds drawn at each point.
enum GRAPH_MARKER
{
    GRAPH_MARKER_NONE = 0,
    GRAPH_MARKER_TEXT = 1, // the point's value
    GRAPH_MARKER_PIXEL = 2,
    GRAPH_MARKER_DASH = 3,
    GRAPH_MARKER_CROSS = 4,
    GRAPH_MARKER_DIAMOND = 5,
    GRAPH_MARKER_TRIANGLE = 6,
    GRAPH_MARKER_SQUARE = 7,
    GRAPH_MARKER_CIRCLE = 8
};

class CGraphSeries
{
public:
    CGraphSeries() = default;
    CGraphSeries(const CGraphSeries&) = delete;
    CGraphSeries& operator=(const CGraphSeries&) = delete;

    // Drawing into the plot area (pixels); see GraphDraw.cpp. barWidth is given in bar mode
    // only; barSlot is the series' place among the bars of one point (0 for the first series).
    void Draw(CDC* dc, const RECT* plot, CGraph* graph, const int* barWidth, int barSlot = 0);
    // The last point's x or y beside the name, at the read-out position; even indexes start
    // there, odd ones end there.
    void DrawReadout(CDC* dc, int index);
    // The marker `kind` at (x, y) in `colour`; the context's current position is (x, y) after.
    void DrawMarker(CDC* dc, COLORREF colour, int kind, const char* text, int x, int y);
    // The black copy of a marker one pixel right and down, under it.
    void DrawMarkerShadow(CDC* dc, int kind, int x, int y);

    // Fields, in this order.
    CString label; // not drawn
    int owned = 1; // the graph deletes the series
    int spare1 = 0;
    int spare2 = 0;
    int showLastX = 0; // read-out of the last point's x
    int showLastY = 0; // or its y
    GraphPenDef linePen{PS_SOLID, 1, 0xFF0000};
    int shadow = 0; // markers 3 to 8 get a black copy one pixel right and down
    int markerKind = GRAPH_MARKER_NONE;
    CXYArray* data = nullptr; // the caller's; DBL_MAX in either coordinate is "no value"
    CString name;             // legend and read-out
    COLORREF colour = 0xFF0000;
    COLORREF outlineColour = 0; // of bars and areas
    COLORREF markerColour = 0x00FF00;
    COLORREF readoutNameColour = 0;
    COLORREF readoutValueColour = 0;
    CGraphAxis* horizontalAxis = nullptr;
    CGraphAxis* verticalAxis = nullptr;
    int readoutX = 0; // set by the layout
    int readoutY = 0;
    double xOffset = 0.0;     // subtracted from x before scaling in modes 0 and 1
    CGraphLabelFormat format; // slot 3 marker-text font
};
