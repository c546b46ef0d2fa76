// Plane geometry of the calibration computations and plots, beside the common geometry of
// foundation/Geometry.h, which gives the rest of this kit: ComputeRangeBearing (range and
// grid bearing of two points), PointAtRangeBearing, RotateOffset (a vessel offset turned by a
// heading given as sine and cosine) and IntersectSegments (crossing of two lines, 0 parallel,
// 1 off a segment, 2 on both).
//
// Coordinates in metres (or pixels for the integer clip); angles in radians unless named
// otherwise; bearings and headings clockwise from grid north.
#pragma once

#include "foundation/Geometry.h"

// A vessel offset (x to starboard, y forward) turned by a heading in degrees and added to
// (e0, n0): E = E0 + x cos h + y sin h, N = N0 - x sin h + y cos h.
void OffsetToGrid(double e0, double n0, double x, double y, double headingDegrees, double* e, double* n);

// (x, y) turned about (cx, cy) by the angle whose sine and cosine are given (anticlockwise
// for a positive angle on axes with y up):
// x' = cx + (x - cx) cos - (y - cy) sin, y' = cy + (x - cx) sin + (y - cy) cos.
void RotateAboutCentre(double x, double y, double cx, double cy, double sine, double cosine, double* xOut,
                       double* yOut);

// Whether the lines through P1P2 and P3P4 meet anywhere (not parallel); the crossing goes to
// (x, y) as IntersectSegments gives it. Either output may be null.
bool LinesMeet(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
               double* x, double* y);

// Results of ClipSegment.
enum CLIP_RESULT
{
    CLIP_INSIDE = 0,     // the ends now hold the part of the segment inside the rectangle
    CLIP_OUTSIDE = 1,    // no part of the segment (or a single point of it) is inside
    CLIP_ZERO_LENGTH = 2 // the segment has no length (and does not lie outside as a vertical or horizontal)
};

// Clips the segment (x1, y1)-(x2, y2) to the rectangle [xMin, xMax] x [yMin, yMax] (the y
// bounds may come in either order). Returns CLIP_OUTSIDE for a vertical segment outside the x
// range, a horizontal one outside the y range, or any segment that meets the rectangle in one
// point or not at all; CLIP_ZERO_LENGTH for a segment with no length; otherwise CLIP_INSIDE
// with each end that lay outside moved along the segment onto the edge it crosses. The ends
// are changed only for CLIP_INSIDE.
int ClipSegment(double& x1, double& y1, double& x2, double& y2, double xMin, double xMax, double yMin,
                double yMax);
// The same on screen pixels; moved ends are placed with truncating integer arithmetic.
int ClipSegment(int& x1, int& y1, int& x2, int& y2, int xMin, int xMax, int yMin, int yMax);
