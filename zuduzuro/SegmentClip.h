// The pieces of a straight line (an anchor line, for one) that lie inside a closed outline.
#pragma once

#include "foundation/XYArray.h"

// One piece of a clipped segment: its first and its last point, in the segment's direction.
struct SegmentPieceDef
{
    tagXY First;
    tagXY Last;
};

// Clips the segment (startX, startY)–(endX, endY) to the closed polygon of `count` vertices
// (the last joins the first). `*pieces` is freed with delete[] first when not null, and set to
// null; when pieces are made it holds a new array (room for `count` pieces) that the caller
// frees with delete[]. Returns the number of pieces, in order along the segment.
//
// A crossing on the start point itself is not counted, and a start on the outline is inside
// only where the line goes in; crossings at the same distance keep the polygon's edge order. An empty
// polygon, non-finite coordinates or memory running out give 0 with `*pieces` null. Grid units throughout.
int ClipSegmentToPolygon(double startX, double startY, double endX, double endY, const tagXY* polygon,
                         int count, SegmentPieceDef** pieces);
