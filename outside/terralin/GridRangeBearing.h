// The plane distance and grid bearings between two grid positions, as the geodesy panes show
// them: DBL_MAX stands for a value there is none of.
#pragma once

struct GRID_RANGE_BEARING
{
    double distance = 0.0;       // grid units; DBL_MAX without both positions
    double bearing = 0.0;        // radians from grid north, [0, 2π); DBL_MAX without a direction
    double reverseBearing = 0.0; // from the second position back to the first
};

// Any coordinate DBL_MAX (not given) leaves every result DBL_MAX; two positions that coincide
// have a distance of 0 and no bearing.
GRID_RANGE_BEARING ComputeGridRangeBearing(double e1, double n1, double e2, double n2);
