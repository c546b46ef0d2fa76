// Pieces the cable solvers share: the halving search of the weight search, and the make-ups of
// the anchor's cable as the exact solver takes them. Internal to the solvers.
#pragma once

#include "zuduzuro/CableChain.h"
#include "zuduzuro/CableSections.h"

#include <cmath>

namespace solver_detail
{
// Halving can take the step from the top of the double range to any floor in fewer passes
// than this; the cap only matters when a step is infinite or NaN.
constexpr int kHalvingLimit = 1100;

// Starts at `start`; each pass asks `miss(v)` how far the variable's result falls short of its
// target, stops when |miss| ≤ tolerance (no test when tolerance < 0), otherwise moves v up by
// the step when the miss is ≤ 0 and down when it is > 0, halves the step and stops once the
// halved step is no longer above `floor`. Returns the variable: the one that met the tolerance,
// or the one after the last move.
//
// The tolerance is tested before the move so that the variable returned is the one whose
// results the caller captured in `miss`; a match found early is not thrown away by a late
// large step.
template <typename Miss>
double HalvingSearch(double start, double step, double tolerance, double floor, Miss&& miss)
{
    double v = start;
    for (int pass = 0; pass < kHalvingLimit; ++pass)
    {
        const double m = miss(v);
        if (tolerance >= 0.0 && std::fabs(m) <= tolerance)
            break;
        v += (m > 0.0) ? -step : step;
        step /= 2.0;
        if (!(step > floor))
            break;
    }
    return v;
}

// The anchor's cable from its anchor end towards the fairlead: the ground chain (when given and
// in use), the lower section, the upper section (when it takes part). Every length fixed.
cablechain::MakeUpDef AnchorMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain);

// The same cable with its fairlead end paid out as far as it needs: the chain and, below an
// upper section, the lower section keep their lengths at the anchor end; the section at the
// fairlead (the upper one when `upper`, else the lower) runs on.
cablechain::MakeUpDef PaidOutMakeUp(const CableSectionsDef& sections, const GroundChainDef* chain, bool upper);

// The tonnes of the solvers' arguments in the kilograms-force the exact solver takes.
inline double Kgf(double tonnes)
{
    return tonnes * 1000.0;
}
} // namespace solver_detail
