// The geometry of one straight leg between two points, as the leg-based features (sail lines,
// routes, route position lists) keep it in their rows.
#pragma once

// Fields keep this order: the rows that hold a leg are read by pointer in every deliverable.
struct LegDef
{
    double Length;         // plan length, grid units (metres)
    double Bearing;        // grid bearing, radians clockwise from grid north, [0, 2π)
    double SinBearing;     // sin(Bearing)
    double CosBearing;     // cos(Bearing)
    double ReverseBearing; // Bearing + π below π, else Bearing − π; radians, [0, 2π)
    double Running;        // a running value of the owner; 0 when the leg is computed
};

// Fills `leg` for the leg from (startE, startN) to (endE, endN) (grid units): length and
// bearing by ComputeRangeBearing, their sine and cosine, the reverse bearing, running 0.
// Coincident points give length 0 and bearing 0. Does nothing when `leg` is null.
void ComputeLegGeometry(double startE, double startN, double endE, double endN, LegDef* leg);

// The bearing the other way: bearing + π below π, else bearing − π (radians).
double ReverseBearing(double bearing);
