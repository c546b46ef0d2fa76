// The polygon clipper that cuts every filled area to the view before it is drawn: the
// intersection of a subject polygon with a clip polygon. A clip polygon that is an
// axis-parallel rectangle (the view) is clipped exactly by CRectangleClipper; any other by
// walking the two outlines between their crossings (Greiner and Hormann, "Efficient clipping of
// arbitrary polygons", ACM Transactions on Graphics 17(2), 1998).
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/XYArray.h"

// Intersects `subject` (subjectCount points) with `clip` (clipCount points); both are closed
// from their last point to the first, in any one plane unit.
//
// Clip given as an axis-parallel rectangle (four corners, or five with the first again, as the
// chart hands over its view): the result is exact whatever lies on the rectangle's edges
// (vertices, runs along an edge, a touch at one point or along one edge); the pieces filled by
// the winding rule cover what the subject covers inside the rectangle; pieces that only touch
// may come back as one piece pinched at the touching point. `tolerance` is not used.
//
// Any other clip polygon: a subject vertex lying exactly on a clip edge is moved by
// `tolerance` (same unit) and the crossings are found again; a clip vertex on a subject edge,
// or a subject edge along a clip edge, moves the whole subject by about the tolerance; at most
// a fixed number of times.
//
// Returns 1 on success: *result is a new array of *resultCount points owned by the caller
// (free it with FreeClipResult), holding each result polygon as its vertices, a copy of its
// first vertex, then the separator (DBL_MAX, DBL_MAX). Without crossings the result is the
// subject's points unchanged and one separator when the subject lies inside the clip, the
// clip's points and one separator when the clip lies inside the subject, else empty (count
// 0, *result null). Any previous array in *result is freed on success.
//
// Returns −1 for a null argument, a count ≤ 0, a coordinate or tolerance that is not finite,
// an outline that keeps landing on the other after every move, or a failed allocation of the
// work lists; 255 when the result array cannot be allocated. On failure *resultCount is 0 and
// *result is left as it was.
CHARTEXA_API int ClipPolygon(const tagXY* clip, int clipCount, const tagXY* subject, int subjectCount,
                             tagXY** result, int* resultCount, double tolerance);

// Frees an array that ClipPolygon returned and nulls the pointer; null is harmless.
CHARTEXA_API void FreeClipResult(tagXY** result);
