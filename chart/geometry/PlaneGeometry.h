// Two small plane operations of the chart: turning a point about a centre, and whether a
// point lies near a segment (the hit test of lines, in pixels).
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/XYArray.h"

// Turns (*x, *y) about (cx, cy) by the angle whose sine and cosine are given (positive
// turns anticlockwise where y runs up):
//   x' = (x − cx)·cos − (y − cy)·sin + cx,  y' = (x − cx)·sin + (y − cy)·cos + cy.
CHARTEXA_API void RotatePoint(double* x, double* y, double cx, double cy, double sinA, double cosA);

// Whether (px, py) lies within `tolerance` (whole units, compared after truncating the
// distance) of the segment (x1, y1)–(x2, y2), measured at right angles to it; a point beyond
// either end along the segment is never near.
CHARTEXA_API bool IsPointNearSegment(double px, double py, double x1, double y1, double x2, double y2,
                                     int tolerance);

// The same with the point as a record and the ends as whole-number pairs (pixels).
CHARTEXA_API bool IsPointNearSegment(const tagXY& point, int x1, int y1, int x2, int y2, int tolerance);
