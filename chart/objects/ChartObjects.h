// Host records the chart draws but does not own, with only the fields its drawing reads: laser
// (prism) trackers, training objects and a transit fix.
//
// Positions are grid eastings and northings in metres; (0, 0) is no position.
#pragma once

#include "foundation/XYArray.h"

#include <cstdint>

// A laser tracker's latest reading.
struct LaserReadingDef
{
    int32_t TargetNumber = 0; // 1-based prism (a template reflector when a template is set)
    bool Valid = false;
    double Range = -1.0; // metres; -1 or DBL_MAX none
    tagXY Prism{0.0, 0.0};
};

// A laser tracker on the vessel: mode 1 mounted on the vessel's offset point OffsetIndex, mode 0
// standing at its own position; other modes are not drawn.
class CLaser
{
public:
    int32_t Mode = 0;
    int32_t OffsetIndex = -1;
    tagXY Position{0.0, 0.0};
    bool Active = false;
    bool HasReading = false; // false until a reading arrives
    LaserReadingDef Latest;
};

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
