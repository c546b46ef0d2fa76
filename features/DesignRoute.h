// CDesignRoute: one design route file, a planned route of intersection points where the
// straight legs meet, each with the radius of the circular turn that rounds it off. From the
// points it keeps the derived geometry of a route's rows: the legs, the kilometre points
// (KPs) along the curved line, the turn arcs and the corners of the corridor either side.
//
// The file holds one line per intersection point: easting, northing and, for a turn, the
// radius ("452000.000, 6231000.000, 250.000"). Its companions are those of a route: status and
// highlight beside the file, the corridor ("COR", whose widths the corners use) and the
// drawing options in the "Routes" data folder.
//
// Units: eastings, northings, radii, lengths and widths in grid metres; KPs in kilometres;
// bearings and angles in radians clockwise from grid north.
#pragma once

#include "features/Route.h"

class CDesignRoute : public CRoute
{
public:
    CDesignRoute() = default;
    ~CDesignRoute() override = default;

    // Reads status and highlight, the intersection points of the file at `path`, the drawing
    // options and the corridor, then recomputes the route. Lines with fewer than two numbers are
    // skipped; a missing radius is 0. Points are named "IP1", "IP2", ... in file order. False,
    // with no points, when the file cannot be read, or when a position or radius is not a finite
    // number within +-1e10 m: then m_strRefusal names the file and line (and is empty otherwise).
    bool Load(const char* path);

    // Recomputes, from the positions, radii and corridor widths, every point's leg, KP, turn
    // arc and corridor corners, in point order from KP 0 at the first point. A turn is fitted
    // where an inner point has a radius and the arc fits: its start must not lie behind the
    // previous point (or the end of the previous turn) and its end not beyond the next point.
    // A turn that does not fit keeps its radius but gets no arc (TurnDirection 0) and counts
    // as a sharp corner. Nothing happens with fewer than two points.
    void Recompute();

    // The route's own point operations (CRoute::SetPoint, AppendPoint), each followed by
    // Recompute. Set is false, with nothing changed, for an index out of range.
    bool SetIntersectionPoint(INT_PTR index, const RouteDef& record);
    void AppendIntersectionPoint(const RouteDef& record);
    // Inserts `record` before point `index` (the point count appends), then recomputes. False,
    // with nothing changed, for an index outside 0 .. point count.
    bool InsertIntersectionPoint(INT_PTR index, const RouteDef& record);
    // Removes point `index`, then recomputes. False for an index out of range.
    bool RemoveIntersectionPoint(INT_PTR index);
};
