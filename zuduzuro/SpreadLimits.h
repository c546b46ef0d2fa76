// What no anchor spread holds. A value read from the program's files beyond these is damage,
// not a measure: the readers do not take it and say so, rather than hand the catenary a ground
// chain of 1e308 m or a cable that weighs -1e15 kg/m.
#pragma once

#include "features/GridValueCheck.h"

namespace spread
{
constexpr double kLongest = 100000.0;       // m: cables, chains, pennants, the working distance
constexpr double kSectionLongest = 10000.0; // m: a lower or upper section is shorter
constexpr double kDeepest = 100000.0;       // m: depths, either way of the datum
constexpr double kHighest = 10000.0;        // m: heights and offsets on the barge and the tug
constexpr double kHeaviest = 10000.0;       // t: top tension and anchor weight
constexpr double kFarthest = CGridValueCheck::MAX_GRID_VALUE; // m: eastings and northings
constexpr double kHeadingTurn = 360.0;                        // degrees either way
constexpr double kHeaviestCable = 2000.0;                     // kg/m in air or in water
constexpr int kWidestCable = 1000;                            // mm of diameter
} // namespace spread
