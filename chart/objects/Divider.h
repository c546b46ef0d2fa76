// CDivider: the chart's range and bearing divider: one measuring line that the user drags out
// from a start to an end, with its distance and bearing, shown until the host hides it. It
// keeps its own ellipsoid for the point half way along a geographic line.
#pragma once

#include "chart/ChartexaApi.h"
#include "features/Ellipsoid.h"
#include "foundation/XYArray.h"
#include "platform/core/WinTypes.h"

class CHARTEXA_API CDivider
{
public:
    // The end moves to (e, n). A divider not yet shown starts there too, in grid coordinates,
    // and is shown. Distance and bearing are then measured in the plane from start to end.
    // A point that is missing (not finite, or DBL_MAX) changes nothing.
    void SetPoint(double e, double n);

    // Where a divider with two arrows is labelled: for a geographic divider the point half way
    // along the geodesic from the start on `bearing` (longitude, latitude, radians), otherwise
    // the mean of the two ends.
    tagXY GetLabelPoint() const;

    // True when both ends are present (finite and not the DBL_MAX "no value").
    bool HasEnds() const;

    // Fields, in this order.
    CEllipsoid spheroid;
    double startE = 0.0; // grid metres, or longitude, latitude (radians) when geographic
    double startN = 0.0;
    double endE = 0.0;
    double endN = 0.0;
    double distance = 0.0; // metres
    double bearing = 0.0;  // radians clockwise from grid north, [0, 2π)
    BYTE geographic = 0;
    BYTE visible = 0;
    BYTE singleArrow = 0; // one arrow at the end and the label there, else two and the label mid-way
};
