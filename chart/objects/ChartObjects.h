// Host records the chart draws but does not own: laser (prism) trackers, which are the host's
// own record, and, with only the fields its drawing reads, training objects and a transit fix.
//
// Positions are grid eastings and northings in metres; (0, 0) is no position.
#pragma once

#include "foundation/XYArray.h"
#include "survey/records/Laser.h"

#include <cstdint>

// A training object: where it is and which way it points (degrees clockwise from grid north).
struct ObjectDef
{
    tagXY Position{0.0, 0.0};
    double Heading = 0.0;
};

// The transit fix as the chart draws it: three or four transits, each of two points (points
// i and i + n, or by the four-leg pairing), the marks A..D, the fixed position and the circle
// drawn round it. The calibration engine's transit fix derives from it.
struct TransitFixDef
{
    int32_t TransitCount = 3; // 3 or 4
    tagXY FixPosition{0.0, 0.0};
    tagXY TransitPoints[8] = {};
    tagXY Marks[4] = {};
    double Radius = 0.0; // metres; 0 no circle
};
