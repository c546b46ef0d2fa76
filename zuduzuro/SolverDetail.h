// Pieces the cable solvers share: the halving search that each runs on its one variable, and
// the weightless-line solver with every result it finds. Internal to the solvers.
#pragma once

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

// One run of the weightless-line solver. `bWritten` tells whether the run found anything to
// report: a run whose catenary needs more cable than the lower section reports nothing.
struct WeightlessRunDef
{
    bool bWritten = false;
    double Suspended = 0.0;
    double LineHeight = 0.0;
    double LineSpan = 0.0;
    double TotalSpan = 0.0;
    double CatenarySpan = 0.0;
    double Range = 0.0;
};

// SolveWeightlessUpperSection into `run` (left alone when the run reports nothing).
bool RunWeightlessUpper(double tension, double heightA, double heightB, double weight, double lowerLength,
                        double upperLength, WeightlessRunDef& run);

// SolveWeightlessWithChain for a weightless upper section; `run` keeps the last run that
// reported, and weightUsed is written when the cable touches down.
bool RunWeightlessWithChain(const CableSectionsDef& sections, const GroundChainDef& chain, double tension,
                            double heightA, double heightB, double& weightUsed, WeightlessRunDef& run);
} // namespace solver_detail
