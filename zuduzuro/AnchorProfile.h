// CAnchorProfile: the least of a seabed or cable profile that the anchor record reads: points
// along the fairlead-to-anchor line in order of range, each with its depth, and the depth at
// any range between them. It stands in for the shared profile record until that lands, with
// the same member names, so the record can take the shared one in its place.
//
// Units: eastings, northings, ranges and depths in metres, depths positive down; DBL_MAX is a
// depth with no data.
#pragma once

#include "platform/core/Array.h"

#include <cstdint>

// One profile point.
struct AnchorProfilePointDef
{
    double Easting;
    double Northing;
    double Depth; // DBL_MAX: no depth here
    double Range; // horizontal distance from the first point
    uint8_t Flag; // 1 when the depth came from the terrain model
};

class CAnchorProfile : public CArray<AnchorProfilePointDef, const AnchorProfilePointDef&>
{
public:
    // Appends a point whose range lies beyond the last one; a point at or behind it is dropped.
    void AddPointAtRange(double easting, double northing, double depth, double range, uint8_t flag);

    // The depth at `range`, linear between the two points around it; 0.0 with fewer than two
    // points or outside the profile. DBL_MAX when either of those points has no depth, so that
    // a gap never reads as a finite depth.
    double GetDepthAtRange(double range) const;
};
