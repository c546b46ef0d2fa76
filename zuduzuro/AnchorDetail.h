// What the anchor computation's flow (AnchorCompute.cpp) and its cable sections
// (AnchorSections.cpp) share. Not for use elsewhere.
//
// Where the anchor's cable leaves the answer open, these are the choices made:
// - A weightless buoy cable between two buoys is a straight line from the nearer buoy's pennant
//   end to the farther one's, over the buoys' own spacing (the difference of their distances
//   from the fairlead), then capped by the seabed. The buoys' spacing is what placed them, so
//   the line meets both pennants.
// - Hanging on pennant with the pennant straight down (no offset): a point beyond the pennant's
//   foot takes the drop, since the tug stands above the foot.
// - Recovered to deck with an upper section that is not weightless, more cable out than the
//   upper section and a ground chain: the cable on deck comes off the deck end, the ground
//   chain first and then the lower section (as the other cases take it off the chain or the
//   lower section), and that make-up is solved. Buoy 1 is placed by that solve's span.
#pragma once

#include "zuduzuro/Anchor.h"

namespace anchordetail
{
// How a Live anchor hanging on its pennant hangs below the tug.
struct PennantDropDef
{
    double Drop;   // depth of the pennant's foot below the tug's point (m)
    double Offset; // horizontal run of the pennant from its foot to the tug (m), 0 straight down
};

// The pennant of a Live anchor in mode 1 over greatest seabed depth `depth` (m).
PennantDropDef PennantDrop(const CAnchor& anchor, double depth);

// The solve of a two-support section as the fill reads it.
struct SectionSolveDef
{
    double LowPoint = 0.0; // height of the lowest point above the reference depth
    double Weight1 = 0.0;  // side weights (kg/m)
    double Weight2 = 0.0;
    double Lying = 0.0; // length on the seabed (m)
    double Span = 0.0;  // total span (m)
};

// The anchor's cable being recovered to the tug's deck (not weightless), hung from `support1`
// to the water surface over reference depth `reference`, with the cable on deck taken off.
SectionSolveDef SolveRecoveredToDeck(const CAnchor& anchor, double reference, double support1);

// A ratio that is 0 where its divisor is 0 or the result is not a finite number.
double SafeRatio(double numerator, double denominator);
} // namespace anchordetail
