// CRoute: one route file, a survey line of named waypoints joined by straight legs, drawn on
// the chart with a corridor either side, and written back in the column order it was read in.
//
// Companion files of a route file "<folder><title>.<ext>":
//   "<settings folder><title, blanks as '_'>_DATA_ORDER.INI"  the column order ("Data Order")
//   "<Routes data folder><title>.COR"                          the corridor (CCorridor)
//   "<Routes data folder><title>.DRW"                          the drawing options
//   "<folder><title>.INI"                                      status and highlight
//
// Units: eastings, northings, ranges, radii and corridor widths in grid metres; bearings and
// turn angles in radians clockwise from grid north, [0, 2π).
#pragma once

#include "features/Corridor.h"
#include "features/DrawingOptions.h"
#include "features/FeatureCommon.h"
#include "features/LegGeometry.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

class CCsvParser;

// One waypoint of a route with the leg that leaves it, its turn and its corridor corners.
// A plain record apart from the name; copies are member-wise, the name included.
struct RouteDef
{
    // Every number 0, the name empty: what each point is read into.
    RouteDef();

    tagXY Position; // easting, northing
    // The leg to the next point: Length (range), Bearing, its sine and cosine, the reverse
    // bearing; Running is kept 0. All 0 on the last point.
    LegDef Leg;
    double LegValue;       // not set here; 0 after reading
    double DistanceToHere; // metres along the route from the first point; 0 on the first
    // 0.001 (metres to kilometres) on a point whose leg has length, 1.0 on a zero-length leg,
    // 0 on the last point.
    double DistanceScale;

    // The turn at this waypoint, set by whoever fits the route's arcs; the coordinate listing
    // reads it. Angles are bearings from the centre: a point of the arc at angle a lies at
    // (CentreE + R·sin a, CentreN + R·cos a).
    double TurnRadius; // metres; 0 = no turn arc
    tagXY TurnCentre;
    tagXY TurnStart; // tangent point where the arc begins
    tagXY TurnEnd;   // tangent point where the arc ends
    tagXY TurnSparePoint;
    double TurnStartAngle;
    double TurnEndAngle;
    double TurnSpareAngle;
    double TurnSweep;  // angle swept by the arc, radians
    double TurnLength; // length of the arc, metres
    // 1: the angle grows along the arc (clockwise); -1: it falls; 0: no arc here, whatever the
    // radius (a radius that does not fit between the legs keeps its value but draws no arc).
    int32_t TurnDirection;

    tagXY PortCorridor; // corner of the port corridor edge at this point
    // On a turn: the corner at the arc's end; PortCorridor is then the one at its start.
    tagXY PortCorridorEnd;
    tagXY StarboardCorridor; // corner of the starboard corridor edge
    tagXY StarboardCorridorEnd;

    CString Name;
    // Kilometre points of a design route: of this point (of the turn's start on a turn), and
    // of the tangent points where its arc begins and ends.
    double Kp;
    double TurnStartKp;
    double TurnEndKp;

    // Whether an arc is fitted here: a radius and a turn direction.
    bool HasTurnArc() const { return TurnRadius != 0.0 && TurnDirection != 0; }
};

class CRouteArray : public CArray<RouteDef, RouteDef>
{
public:
    ~CRouteArray() override = default;
};

// The column orders of a route file.
enum ROUTE_DATA_ORDER
{
    ROUTE_ENG_NNG = 0,      // "Easting, Northing": points named "WPT <n>" on reading
    ROUTE_NAME_ENG_NNG = 1, // "Name, Easting, Northing"
    ROUTE_ENG_NNG_NAME = 2, // "Easting, Northing, Name"
    ROUTE_DATA_ORDER_COUNT = 3
};

class CRoute : public CRouteArray, public CDrawingOptions, public CCorridor, public CFeatureCommon
{
public:
    // The route pane's texts of the data orders, indexed by ROUTE_DATA_ORDER.
    static const char* const m_DataOrderTxt[ROUTE_DATA_ORDER_COUNT];

    // No file, no points, data order 0, corridor and drawing options at their defaults.
    CRoute();
    CRoute(const CRoute&) = delete;
    CRoute& operator=(const CRoute&) = delete;
    ~CRoute() override;

    // Reads the data order, the points of the route file at `path`, its status, drawing
    // options and corridor, then computes the corridor. A file that cannot be opened leaves
    // no points but still reads the rest. Lines without a readable easting and northing, or at
    // exactly (0, 0), are skipped. True when at least one point was read.
    bool Load(const char* path);

    // Writes "Data Order" to the data-order file, whole or not at all; nothing without a file.
    void SaveDataOrder();
    // Writes the data-order file, the route file in the current data order (whole or not at
    // all) and the status file. False when the route file could not be written; it then stays
    // as it was.
    bool Save();
    // Writes the drawing options as "<Routes folder><title>.DRW".
    void SaveDrawingOptions() const;

    // Recomputes the port and starboard corridor corners of every point from the legs and the
    // corridor widths. Nothing changes with fewer than two points.
    void ComputeCorridor();

    // Writes "<Routes folder><title>_CoordList.CSV": one "E, N" line a point (three decimals),
    // and for every inner point with a turn radius its turn start, points along the arc at the
    // angle step acos((R − 1) / R) from its start angle, and its turn end. Nothing is written for a
    // route of fewer than two points. True when the file was written whole.
    bool ExportCoordinateList() const;
    CString GetCoordinateListFileName() const;

    // Recomputes the legs and the distances along the route from the positions, as reading
    // does; the turn and corridor fields stay.
    void ComputeLegs();

    // Stores `record` at `index`, its leg computed to the next point (the last point keeps the
    // leg it comes with), and recomputes the leg of the point before it. False, with nothing
    // changed, for an index out of range.
    bool SetPoint(INT_PTR index, const RouteDef& record);
    // Appends `record` and recomputes the leg of the former last point to it.
    void AppendPoint(const RouteDef& record);

    // The "Routes" data folder: the MyDrives data folder, else MyData; ends in '\\'.
    static CString GetRoutesFolder();
    // The data order of the data-order file of `path`: 0 for a missing file or line, or for
    // an order that has no column layout.
    static int ReadDataOrder(const char* path);

    double m_Spare;      // 0; not used by the route itself
    int32_t m_DataOrder; // ROUTE_DATA_ORDER; kept as a 16-bit value in its file
    int32_t m_Mark[2];   // -2 and -1 after construction and every Load

private:
    // Fills `record` from the tokenizer's line in the current data order; false when the line
    // holds no point.
    bool ReadPoint(CCsvParser& parser, RouteDef& record) const;
    // The data order the files are written in: an order without a column layout counts as 0.
    int EffectiveDataOrder() const;
};
