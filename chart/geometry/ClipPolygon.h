// The polygon clipper that cuts every filled area to the view before it is drawn: the
// intersection of a subject polygon with a clip polygon (the view's rectangle on the chart),
// by walking the two outlines between their crossings (Greiner and Hormann, "Efficient
// clipping of arbitrary polygons", ACM Transactions on Graphics 17(2), 1998).
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/XYArray.h"

// Intersects `subject` (subjectCount points) with `clip` (clipCount points); both are closed
// from their last point to the first, in any one plane unit. A subject vertex lying exactly
// on a clip edge is moved by `tolerance` (same unit; 0.001 on the chart) and the crossings are
// found again, at most a fixed number of times.
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
