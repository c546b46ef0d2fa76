// CGridPolyline: a grid-space line drawn point by point through the plot: each leg clipped to
// the plotted extent and converted to pixels, joined legs drawn as one screen polyline, so a
// long line costs one draw call per visible run rather than one per leg. A leg wholly in view
// is not clipped and its start not converted again; legs that shrink to a pixel add no point.
#pragma once

#include "chart/plot/GridPlot.h"

#include <vector>

class CGridPolyline
{
public:
    explicit CGridPolyline(CGridPlot& plot) : m_Plot(plot) {}
    // Draws what is left.
    ~CGridPolyline() { Flush(); }
    CGridPolyline(const CGridPolyline&) = delete;
    CGridPolyline& operator=(const CGridPolyline&) = delete;

    // The next point (grid E, N, metres): joined to the one before unless a Break came between.
    void Add(double e, double n);
    void Add(const tagXY& point) { Add(point.x, point.y); }
    // The next point starts a new line.
    void Break();
    // Draws the run gathered so far with the context's current pen.
    void Flush();

private:
    bool Inside(double e, double n) const;

    CGridPlot& m_Plot;
    std::vector<POINT> m_Run;
    bool m_bHavePrevious = false;
    double m_PreviousE = 0.0;
    double m_PreviousN = 0.0;
    bool m_bPreviousInside = false;
    POINT m_PreviousScreen{0, 0}; // of the previous point, when it is inside
};
