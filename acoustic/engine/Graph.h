// CGraph: a small graph engine: x/y series drawn as lines, markers, bars, a filled area or a
// polar scatter against any number of axes, with a title, a legend and per-series read-outs.
// The calibration program's histogram holds one; the drawing is in GraphDraw.cpp.
//
// The graph owns its axes (both lists), the series whose owned flag is set, and every font
// of every label format; series only point at their axes and at the caller's data.
#pragma once

#include "acoustic/engine/GraphSeries.h"
#include "platform/core/List.h"

class CWnd;

// How the series are drawn.
enum GRAPH_MODE
{
    GRAPH_LINES = 0,
    GRAPH_MARKERS = 1,
    GRAPH_BARS = 2,
    GRAPH_AREA = 3,
    GRAPH_POLAR = 4,
    GRAPH_LINES_ABOUT_ORIGIN = 5
};

// Where the legend goes.
enum GRAPH_LEGEND_POSITION
{
    GRAPH_LEGEND_NONE = 0,
    GRAPH_LEGEND_LEFT = 1,
    GRAPH_LEGEND_TOP = 2,
    GRAPH_LEGEND_RIGHT = 3,
    GRAPH_LEGEND_BOTTOM = 4
};

class CGraph
{
public:
    // The owner window gives a context for measuring fonts; none measures on the context
    // being drawn.
    explicit CGraph(CWnd* owner = nullptr);
    // RemoveAll, then the graph's own fonts go with its label format.
    ~CGraph();
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;

    // The defaults of every field of the graph's look; the title is emptied.
    void SetDefaults();
    // A new series with its defaults over `data` (none when null), appended to the series
    // list; null, with nothing added, when it cannot be allocated.
    CGraphSeries* AddSeries(CXYArray* data);
    // Deletes the owned series and every axis, and empties the three lists.
    void RemoveAll();

    // Drawing; see GraphDraw.cpp.
    void Draw(CDC* dc, RECT area);
    void Layout(const RECT* area);
    void DrawLegend(CDC* dc);

    // Fields, in this order.
    CString name; // not drawn
    int squarePlot = 0;
    int shadow = 1; // drop shadow along the right and bottom
    int legendShadow = 0;
    int mode = GRAPH_LINES;
    int titleAtBottom = 0;
    int legendPosition = GRAPH_LEGEND_NONE;
    GraphPenDef legendFramePen{PS_SOLID, 1, 0};
    GraphPenDef graphFramePen{PS_SOLID, 1, 0};
    int hatchStyle = -1; // -1 no hatching of the plot area, else a hatch style
    int barsAcrossHeight = 0;
    int barGap = 2;          // pixels kept free on each side of a bar slot
    double labelScale = 1.0; // average character width / shorter plot side, by the layout
    CString title;
    COLORREF titleColour = 0;
    COLORREF legendTextColour = 0;
    COLORREF legendBackground = 0xFFFFFF;
    COLORREF graphBackground = 0xFFFFFF;
    COLORREF plotBackground = 0xFFFFFF;
    COLORREF hatchColour = 0;
    CRect legendBox;
    CRect plotArea;
    CRect graphArea;
    CPtrList seriesList;     // CGraphSeries*
    CPtrList horizontalAxes; // CGraphAxis*, owned
    CPtrList verticalAxes;   // CGraphAxis*, owned
    TEXTMETRIC textMetric{}; // of the context being drawn
    CWnd* owner = nullptr;
    CGraphLabelFormat format; // slot 0 title font, slot 2 legend font

private:
    CDC* m_DrawingDc = nullptr; // the context of the draw in progress, for measuring
};

// A drop shadow along the right and bottom of `rect`, which then loses a pixel on both sides.
void DrawShadow(CDC* dc, RECT* rect);

// Walks the series in list order and tells which of their axes are drawn: each axis (0
// horizontal, 1 vertical) unless it is the axis of the same kind of the series before.
class CGraphAxisWalk
{
public:
    // The series' axis of that kind when it is drawn for it, else null.
    CGraphAxis* Next(const CGraphSeries* series, int axisIndex);

private:
    const CGraphAxis* m_Last[2] = {nullptr, nullptr};
};
