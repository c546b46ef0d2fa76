// Plane geometry on grid coordinates, shared by routes, corridors, pipelines and vessel
// outlines. Units throughout: eastings, northings, ranges and widths in grid units (metres
// or feet, whatever the caller's grid uses); angles in radians; a bearing is clockwise from
// grid north, atan2(dE, dN) taken into [0, 2π). KP values are kilometres.
#pragma once

#include "foundation/XYArray.h"

#include <cstdint>

// The way an arc is walked between its two bearings: clockwise from the first to the second,
// or anticlockwise (the same arc walked back from the second bearing to the first).
enum CLOCK_DIRECTION : int32_t
{
    ANTICLOCKWISE = -1,
    CLOCKWISE = 1
};

// A circular turn joining two straight legs, as routes and route position lists keep it.
struct ArcDef
{
    double Radius;  // grid units, > 0 for a fitted arc
    double CentreE; // centre of the circle
    double CentreN;
    double StartE; // tangent point on the incoming leg
    double StartN;
    double EndE; // tangent point on the outgoing leg
    double EndN;
    double StartBearing; // from the centre to the arc start, [0, 2π)
    double EndBearing;   // from the centre to the arc end, [0, 2π)
    double TurnAngle;    // change of heading through the turn, [0, π]
    double ArcLength;    // TurnAngle × Radius, grid units
    int TurnSide;        // +1 turn to the right (starboard), −1 to the left
};

// Bearing [0, 2π) and range (grid units) from point 1 to point 2; either output may be null.
// Coincident points give bearing 0 and range 0.
void ComputeRangeBearing(double e1, double n1, double e2, double n2, double* bearing, double* range);

// The point `range` away from (e, n) on `bearing`: E' = E + r·sin b, N' = N + r·cos b.
void PointAtRangeBearing(double e, double n, double range, double bearing, double* eOut, double* nOut);

// A vessel offset (x to starboard, y forward) turned by the heading h (given as sin h, cos h)
// and added to (e, n): E' = E + x·cos h + y·sin h, N' = N − x·sin h + y·cos h.
void RotateOffset(double e, double n, double x, double y, double sinH, double cosH, double* eOut,
                  double* nOut);

// The two points at right angles to a leg of direction (sinLeg, cosLeg) through (e, n):
// `portWidth` to its left and `starboardWidth` to its right (widths in grid units, >= 0).
void OffsetPerpendicular(double e, double n, double sinLeg, double cosLeg, double portWidth,
                         double starboardWidth, tagXY* port, tagXY* starboard);

// The points `portWidth` away at bearing − π/2 and `starboardWidth` away at bearing + π/2.
void PortStarboardPoints(double e, double n, double bearing, double portWidth, double starboardWidth,
                         tagXY* port, tagXY* starboard);

// Projects (e, n) on a straight leg that starts at (startE, startN) with KP `startKp`
// (km), direction (sinLeg, cosLeg) and `length` (grid units). Outputs (each may be null):
// KP = along / 1000 + startKp; along the leg from its start; across, perpendicular distance,
// positive to the right of the leg (to the left when `direction` is negative); distance to
// the leg's end (length − along). Returns 0 within the leg, −1 before its start, 1 beyond its
// end. The point (0, 0) is "no point": every output is 0 and the result −3.
int ProjectOntoSegment(double e, double n, double startE, double startN, double startKp, double sinLeg,
                       double cosLeg, double length, double direction, double* kp, double* along,
                       double* across, double* toEnd);

// ProjectOntoSegment on the leg from (startE, startN) to (endE, endN), taken as starting at
// KP 0; the leg's bearing and length come from ComputeRangeBearing.
int OffsetFromLine(double e, double n, double startE, double startN, double endE, double endN, double* kp,
                   double* along, double* across, double* toEnd);

// The port and starboard corridor corners at `vertex` between the legs previous → vertex and
// vertex → next: the crossing of the two legs' offset lines on each side (a mitred corner).
// Where the legs run on in line, or turn back on themselves, the offset lines do not cross;
// the corners are then the perpendicular offsets at the vertex.
void ComputeCorridorVertex(const tagXY& previous, const tagXY& vertex, const tagXY& next, double portWidth,
                           double starboardWidth, tagXY* port, tagXY* starboard);

// Fits a turn of arc->Radius at `vertex` between the legs previous → vertex and vertex →
// next, so that both legs are tangent to the circle; fills centre, tangent points, centre
// bearings, turn angle, arc length and side. Returns false, and fills nothing, when the
// radius is not positive, a leg has no length or the legs are in line (straight on or
// straight back).
bool FitTurnArc(const tagXY& previous, const tagXY& vertex, const tagXY& next, ArcDef* arc);

// Intersects the lines a1–a2 and b1–b2 (IntersectSegments; the crossing goes to
// `intersection`, which may be null) and, when they are not parallel, fits the arc as
// FitTurnArc(a1, crossing, b2). Returns the IntersectSegments result (0 parallel: no arc).
int FitArcAtIntersection(const tagXY& a1, const tagXY& a2, const tagXY& b1, const tagXY& b2,
                         tagXY* intersection, ArcDef* arc);

// IntersectSegments of the lines a1–a2 and b1–b2.
int IntersectLines(const tagXY& a1, const tagXY& a2, const tagXY& b1, const tagXY& b2, double* x, double* y);

// Where the lines through (x1, y1)–(x2, y2) and (x3, y3)–(x4, y4) cross, as line parameters:
// the crossing is P1 + ua·(P2 − P1) = P3 + ub·(P4 − P3) (both on their segments within
// [0, 1]). False for parallel lines (a zero denominator), the outputs then untouched.
bool SegmentCrossingParameters(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                               double y4, double* ua, double* ub);

// The crossing of the lines through (x1, y1)–(x2, y2) and (x3, y3)–(x4, y4). Returns 0 for
// parallel lines (outputs set to 0), 2 when the crossing lies on both segments (both line
// parameters in [0, 1]), otherwise 1; the crossing is written in every non-parallel case.
// Either output may be null.
int IntersectSegments(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                      double* x, double* y);

// IntersectSegments of the lines a1–a2 and b1–b2, the crossing written to `crossing` (which
// may be null): 0 for parallel lines (crossing (0, 0)), 2 when the crossing lies on both
// segments, otherwise 1.
int IntersectSegmentPoints(const tagXY* a1, const tagXY* a2, const tagXY* b1, const tagXY* b2,
                           tagXY* crossing);

// The point of the segment start–end nearest to (e, n). Outputs (each may be null): the point;
// its distance from the start along the segment, [0, length]; the signed distance of (e, n)
// from that point, positive to the right of the line looking from start to end (square to the
// line within the segment, to the nearer end past it). A segment of no length
// answers with its start point, distance 0 and the plain distance as the offset.
void NearestPointOnSegment(double e, double n, double startE, double startN, double endE, double endN,
                           tagXY* point, double* along, double* offset);
