// PolygonNode: one vertex of the polygon clipper's work lists, a doubly linked ring per
// polygon in which the crossings with the other polygon are threaded between the vertices.
#pragma once

#include "platform/core/WinTypes.h"

struct PolygonNode
{
    double x;                 // grid units, or pixels, as the caller's polygons
    double y;
    PolygonNode* next;        // along the polygon in input order
    PolygonNode* prev;
    PolygonNode* nextPolygon; // the next result polygon, at a result polygon's first node
    PolygonNode* neighbour;   // at a crossing: the same crossing in the other polygon's list
    BYTE entry;               // 1 when the walk along this list enters the other polygon here
    BYTE isIntersection;      // 1 for a crossing, 0 for a vertex of the input
    BYTE visited;             // set once the crossing has gone into a result polygon
    double alpha;             // fraction along the input edge from its start vertex, [0, 1]
};
