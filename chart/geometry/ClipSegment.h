// Cuts a straight line to the part that falls inside an axis-parallel rectangle, before it
// is turned into pixels (grid coordinates far off-screen overflow pixel integers).
#pragma once

#include "chart/ChartexaApi.h"

// The segment (x1, y1)–(x2, y2) against the rectangle xmin..xmax, ymin..ymax (any one plane
// unit; ymin and ymax may come in either order). Returns 0 with the visible part in the
// outputs (the start's remainder first; each output may be null), 1 when nothing of the
// segment is visible (also for coordinates that are not finite), 2 for a segment of zero
// length. The outputs are written only for 0. Every clipped end stays on the line through
// the given ends.
CHARTEXA_API int ClipSegmentToRect(double x1, double y1, double x2, double y2, double xmin, double ymin,
                                   double xmax, double ymax, double* outX1, double* outY1, double* outX2,
                                   double* outY2);

// The same, replacing the four coordinates in place when the result is 0.
CHARTEXA_API int ClipSegmentToRect(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin,
                                   double xmax, double ymax);
