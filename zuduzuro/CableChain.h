// The exact shape of one cable of several sections hanging between two supports over a level
// seabed: one horizontal tension H throughout, each section its own weight per metre, the cable
// tangent-continuous at its joints, lying on the seabed (without friction) wherever it reaches
// it. The anchor's solvers (Solver.h) and its drawn cable are built on it.
//
// Along a stretch of constant weight w the vertical force V falls by w per metre of cable; with
// T = √(H² + V²) the cable drops (T₁ − T₂)/w and runs (H/w)(asinh(V₁/H) − asinh(V₂/H))
// horizontally between two of its points (Irvine, "Cable Structures", 1981, ch. 2). A section of
// weight 0 (a weightless line) is straight, V constant along it.
//
// Units: tension in kilograms-force (tonnes × 1000, as the solvers take them); weights in
// kilograms per metre in water; lengths, heights and spans in metres. Heights are measured up
// from the seabed; support 1 holds the given top tension, support 2 is the far end.
//
// The searches are Brent's method (R. P. Brent, "Algorithms for Minimization without
// Derivatives", 1973, ch. 4) on bracketed roots: every solve ends, and a cable that cannot hang
// between its supports (a tension too small to hold it up, a cable shorter than the height
// between them) is reported as not solved. Results are finite for finite inputs.
#pragma once

#include <limits>

namespace cablechain
{
// A section whose length is not fixed: it is paid out as far as the cable needs.
constexpr double kFree = std::numeric_limits<double>::infinity();
// Sections of one cable at most (chain, lower and upper section, with room for one more).
constexpr int kMaxPieces = 4;
// Stretches of a solved cable at most: each section, split at its lowest point, and the lying
// stretch.
constexpr int kMaxStretches = 2 * kMaxPieces + 2;

// One section of a cable.
struct PieceDef
{
    double Weight = 0.0; // kg/m in water; 0 is a weightless line
    double Length = 0.0; // m, or kFree
};

// The make-up of a cable, from support 2 (the far end: the anchor, a tug, the next buoy) towards
// support 1. Only the last section (at support 1) may be free.
struct MakeUpDef
{
    PieceDef Piece[kMaxPieces];
    int nPieces = 0;

    // Appends a section; one of no length (or a negative one) is left out. False when full.
    bool Add(double weight, double length);
    // The sum of the fixed lengths (m).
    double FixedLength() const;
    bool HasFree() const { return nPieces > 0 && Piece[nPieces - 1].Length == kFree; }
};

enum STRETCH_KIND
{
    STRETCH_CATENARY = 0, // a catenary of parameter A = H / w
    STRETCH_LINE = 1,     // a straight weightless line
    STRETCH_LEVEL = 2     // lying on the seabed
};

// One stretch of a solved cable, from horizontal distance From to To (m from support 1 towards
// support 2, From < To), with the height at From (m above the seabed) and, for a catenary, the
// slope of its height there (dy/du) and its parameter A (m). A line runs to the height at To.
struct StretchDef
{
    int nKind = STRETCH_LEVEL;
    double From = 0.0;
    double To = 0.0;
    double Height = 0.0;
    double Slope = 0.0;
    double A = 0.0;
    double ToHeight = 0.0;

    // The height (m above the seabed) at horizontal distance u; past its ends a stretch goes on
    // as its own curve or line. Always finite.
    double HeightAt(double u) const;
};

// What a solve found.
struct ChainSolutionDef
{
    bool bSolved = false;
    double Horizontal = 0.0; // H (kgf)
    double Span = 0.0;       // support 1 to support 2 (m)
    double Length = 0.0;     // cable between the supports (m)
    // From support 1 to the lowest point, or to the touchdown when cable lies on the seabed.
    double Span1 = 0.0;
    double Suspended1 = 0.0;
    double Lying = 0.0;    // cable on the seabed (m)
    double LowPoint = 0.0; // height of the lowest point above the seabed (0 when cable lies)
    bool bOnSeabed = false;
    // Mean weight of the cable from support 1 to the lowest point or touchdown, and from support 2
    // to it; weightless lines are left out (the end section's weight when nothing weighs).
    double Weight1 = 0.0;
    double Weight2 = 0.0;
    double Tension2 = 0.0; // at support 2 (kgf)
    // True when the cable reaches support 2 rising towards it: on the seabed (support 2 at
    // height 0), an anchor that the cable lifts.
    bool bRisesFromSupport2 = false;
    StretchDef Stretch[kMaxStretches]; // in order from support 1
    int nStretches = 0;

    // The height of the cable at horizontal distance u from support 1 (m above the seabed).
    double HeightAt(double u) const;
};

// A cable of fixed sections (none free) whose support 1, `height1` m above the seabed, holds the
// tension `tension` (kgf) and whose support 2 stands `height2` m above the seabed; the span
// between them follows. Support 2 at height 0 is an anchor on the seabed.
ChainSolutionDef SolveByLength(const MakeUpDef& makeUp, double tension, double height1, double height2);

// As SolveByLength with the supports `distance` m apart: the free section at support 1 is paid
// out as far as needed (without one there is no solution).
ChainSolutionDef SolveByDistance(const MakeUpDef& makeUp, double tension, double height1, double height2,
                                 double distance);
} // namespace cablechain
