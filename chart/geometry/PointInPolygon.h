// Whether a point lies inside a polygon, for hit tests and the polygon clipper. Coordinates
// are in any one plane unit (grid units or pixels).
#pragma once

#include "chart/ChartexaApi.h"
#include "chart/geometry/PolygonNode.h"
#include "foundation/XYArray.h"

// The polygon is closed from its last point back to the first; n ≤ 2 (or no points) is no
// area and gives false. Inside by the non-zero winding rule, taken once across y and once
// across x so that a point on the outline counts where either ray sees it; a point equal to
// a vertex is inside.
CHARTEXA_API bool PointInPolygon(double x, double y, const tagXY* points, int n);

// The same test over a clipper work list, from `first` along `next` until the list ends or
// comes back to `first`.
CHARTEXA_API bool PointInPolygon(double x, double y, const PolygonNode* first);
