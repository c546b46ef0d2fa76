// Drawing helpers of the graph engine: guarded conversion of data to pixels, tick counts that
// stay bounded, and pens, brushes and fonts selected for a scope.
#pragma once

#include "foundation/XYArray.h"
#include "platform/ui/Dc.h"

#include <vector>

// Pixels of a coordinate: false for NaN and infinity (converting them is undefined); finite
// values beyond the drawable range are held at ±2^28 pixels.
bool GraphPixel(double v, int* pixel);
// The same for a point; false when either coordinate has no pixel.
bool GraphPoint(double x, double y, POINT* point);

// The part of a polygon (closed from its last point to the first) inside the rectangle
// xMin..xMax, yMin..yMax, cut edge by edge against each side of it (Sutherland and Hodgman,
// "Reentrant polygon clipping", Communications of the ACM 17(1), 1974). Where the polygon
// leaves the rectangle and comes back, the result runs along the rectangle's edge, which a
// filled polygon does not show.
std::vector<tagXY> ClipPolygonToRect(const std::vector<tagXY>& polygon, double xMin, double yMin, double xMax,
                                     double yMax);

// How many ticks min, min + step, ... ≤ max are drawn along an axis of `pixels`: none for a
// step that is not above 0, an empty or non-finite range, or more ticks than there are
// pixels to show them (a step far below a pixel would never end or draw a solid bar).
long long GraphTickCount(double min, double max, double step, int pixels);

// A pen made and selected for the life of the object; the previous pen comes back after.
class GraphPenScope
{
public:
    GraphPenScope(CDC* dc, int style, int width, COLORREF colour);
    ~GraphPenScope();
    GraphPenScope(const GraphPenScope&) = delete;
    GraphPenScope& operator=(const GraphPenScope&) = delete;

private:
    CDC* m_Dc;
    CPen m_Pen;
    CPen* m_Old;
};

// A solid (hatch < 0) or hatched brush made and selected for the life of the object.
class GraphBrushScope
{
public:
    GraphBrushScope(CDC* dc, COLORREF colour, int hatch = -1);
    ~GraphBrushScope();
    GraphBrushScope(const GraphBrushScope&) = delete;
    GraphBrushScope& operator=(const GraphBrushScope&) = delete;
    CBrush* Brush() { return &m_Brush; }

private:
    CDC* m_Dc;
    CBrush m_Brush;
    CBrush* m_Old;
};

// A font selected for the life of the object (nothing when null), with the average character
// width and line height of whatever font is selected then.
class GraphFontScope
{
public:
    GraphFontScope(CDC* dc, CFont* font);
    ~GraphFontScope();
    GraphFontScope(const GraphFontScope&) = delete;
    GraphFontScope& operator=(const GraphFontScope&) = delete;
    int charWidth = 0;
    int lineHeight = 0;

private:
    CDC* m_Dc;
    CFont* m_Old = nullptr;
};

// A font like `font` (or the context's current one when null) turned to run down the page.
bool MakeTurnedFont(CDC* dc, CFont* font, CFont* turned);
