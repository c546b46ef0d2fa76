// CEBL: one electronic bearing line of the chart: a line from a start to an end point that the
// user draws and edits, measured in the plane of the grid or on the ellipsoid (a great circle or
// a rhumb line), with the labels the chart writes beside it and the pen it is drawn with. The
// array itself holds the great-circle points of a geographic line (longitude, latitude).
#pragma once

#include "chart/ChartexaApi.h"
#include "features/Ellipsoid.h"
#include "foundation/XYArray.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

class CHARTEXA_API CEBL : public CXYArray
{
public:
    CEBL();
    ~CEBL() override = default;

    // Starts a new line on that ellipsoid (may be null) with the list's grid and great-circle
    // flags: both ends, the tags, bearing and distance zero, labels and pen as a new line has
    // them, no points.
    void Reset(CEllipsoid* ellipsoid, BYTE* gridModeFlag, BYTE* greatCircleFlag);

    // Distance, bearing, labels and great-circle points from the two ends, after an end moved:
    // - geographic (grid flag not 1) with an ellipsoid: the geodesic (great-circle flag set,
    //   the points filled) or the rhumb line (no points), labelled in nautical miles and
    //   degrees true, "GC 12.34Nm" / "RL 12.34Nm", "  45.00°T", "R 225.00°T";
    // - otherwise the plane of the grid, labelled "12.34m", "  045.00°G", "R 225.00°G".
    // The reverse bearing of a rhumb line is the bearing turned by π. Ends that are missing
    // (not finite, or DBL_MAX) give zero distance and bearings, never a NaN label.
    void Update();

    // Where a free line's label goes: in geographic great-circle mode the point half way along
    // the geodesic (longitude, latitude, radians), otherwise the mean of the two ends.
    tagXY GetLabelPoint() const;

    // One line of the saved list: the ends (3 decimals in grid mode, 16 in geographic mode),
    // tag1, tag2, showLabel, labelShowsBearing, arrowEnd, colour, penWidth, penStyle, endSymbol,
    // joined by ", ".
    CString ToText() const;

    // True when the grid flag says the ends are plane grid coordinates.
    bool IsGridMode() const { return gridMode && *gridMode == 1; }
    // True when both ends are present (finite and not the DBL_MAX "no value").
    bool HasEnds() const;

    // Fields, in this order.
    CEllipsoid* spheroid = nullptr; // may be null: then the line is measured on the grid
    BYTE* gridMode = nullptr;       // the list's grid flag: 1 plane grid, else geographic
    BYTE* greatCircle = nullptr;    // the list's great-circle flag
    double startX = 0.0; // grid E, N (metres) in grid mode; longitude, latitude (radians) else
    double startY = 0.0;
    double endX = 0.0;
    double endY = 0.0;
    BYTE fixedStart = 0; // the start stays where it was put; drawn with one arrow
    int tag1 = 0;        // kept for the host, saved, otherwise unused
    int tag2 = 0;
    double bearing = 0.0;  // radians clockwise from north, [0, 2π)
    double distance = 0.0; // metres
    CString distanceLabel;
    CString bearingLabel;
    CString reverseLabel;
    BYTE showLabel = 1;
    BYTE labelShowsBearing = 1; // the label shows bearingLabel, else reverseLabel
    BYTE arrowEnd = 1;          // a fixed-start line ends in an arrow head, else in endSymbol
    int16_t penStyle = 0;       // Windows pen style, 0 solid
    int16_t penWidth = 1;
    COLORREF colour = 0xFFFFFF;
    int endSymbol = 3; // vector symbol at the end of a fixed-start line without an arrow

private:
    bool IsGeographic() const { return spheroid && !IsGridMode(); }
    bool IsGreatCircle() const { return greatCircle && *greatCircle != 0; }
};
