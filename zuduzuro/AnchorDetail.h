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
// - Recovered to deck: the cable on deck comes off the deck end, which is the anchor end of the
//   cable: the ground chain first, then the lower section, then the upper one. Every make-up
//   being recovered is solved so, and buoy 1 is placed by that solve's span.
#pragma once

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableChain.h"

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

// The anchor's cable still out while it is recovered to the tug's deck: the make-up from the
// tug (the anchor end) with the cable on deck taken off it, and the length out (m). `lineOnly`
// is set when all that is out is a weightless upper line.
cablechain::MakeUpDef RecoveredMakeUp(const CAnchor& anchor, double& out, bool& lineOnly);

// The horizontal span of the recovered cable from `support1` (a level) to the surface over
// reference depth `reference` (m): its straight run when only the line is out.
double RecoveredSpan(const CAnchor& anchor, double reference, double support1);

// A ratio that is 0 where its divisor is 0 or the result is not a finite number.
double SafeRatio(double numerator, double denominator);
} // namespace anchordetail
