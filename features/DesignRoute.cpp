#include "features/DesignRoute.h"

#include "features/GridValueCheck.h"
#include "foundation/CsvParser.h"
#include "foundation/Geometry.h"

#include <cfloat>
#include <cmath>

namespace
{
// A field that holds a number: present (the parser gives DBL_MAX for an empty field) and
// finite (an overflowing "1e999" reads as infinity).
bool IsNumber(double value)
{
    return value != DBL_MAX && std::isfinite(value);
}

double Distance(const tagXY& a, const tagXY& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Whether a fitted arc lies within the legs it joins: its start not behind `anchor` (the point
// before it, or the end of the turn before it) and its end not beyond `next`. The slack only
// absorbs rounding, so that an arc that ends exactly on a point still fits.
bool ArcFitsBetween(const ArcDef& arc, const tagXY& anchor, const tagXY& vertex, const tagXY& next)
{
    const tagXY start{arc.StartE, arc.StartN};
    const tagXY end{arc.EndE, arc.EndN};
    const double in = Distance(anchor, vertex);
    const double out = Distance(vertex, next);
    const double slack = 1e-9;
    return Distance(vertex, start) <= in * (1.0 + slack) + slack &&
           Distance(vertex, end) <= out * (1.0 + slack) + slack;
}

// No arc at this point: the radius stays (it is the user's), everything derived from it goes.
void ClearTurn(RouteDef& point)
{
    point.TurnCentre = tagXY{0.0, 0.0};
    point.TurnStart = tagXY{0.0, 0.0};
    point.TurnEnd = tagXY{0.0, 0.0};
    point.TurnStartAngle = 0.0;
    point.TurnEndAngle = 0.0;
    point.TurnSweep = 0.0;
    point.TurnLength = 0.0;
    point.TurnDirection = 0;
    point.TurnStartKp = 0.0;
    point.TurnEndKp = 0.0;
}

void StoreTurn(RouteDef& point, const ArcDef& arc)
{
    point.TurnCentre = tagXY{arc.CentreE, arc.CentreN};
    point.TurnStart = tagXY{arc.StartE, arc.StartN};
    point.TurnEnd = tagXY{arc.EndE, arc.EndN};
    point.TurnStartAngle = arc.StartBearing;
    point.TurnEndAngle = arc.EndBearing;
    point.TurnSweep = arc.TurnAngle;
    point.TurnLength = arc.ArcLength;
    point.TurnDirection = arc.TurnSide;
}

// The corridor corners of a turn: square to the arc at its start and at its end. The side
// inside the turn (port on a turn to the left) lies nearer the centre.
void TurnCorridor(RouteDef& point, double portWidth, double starboardWidth)
{
    const double r = point.TurnRadius;
    const bool left = point.TurnDirection < 1;
    const double portRange = left ? r - portWidth : r + portWidth;
    const double starboardRange = left ? r + starboardWidth : r - starboardWidth;
    const tagXY& c = point.TurnCentre;
    PointAtRangeBearing(c.x, c.y, portRange, point.TurnStartAngle, &point.PortCorridor.x,
                        &point.PortCorridor.y);
    PointAtRangeBearing(c.x, c.y, starboardRange, point.TurnStartAngle, &point.StarboardCorridor.x,
                        &point.StarboardCorridor.y);
    PointAtRangeBearing(c.x, c.y, portRange, point.TurnEndAngle, &point.PortCorridorEnd.x,
                        &point.PortCorridorEnd.y);
    PointAtRangeBearing(c.x, c.y, starboardRange, point.TurnEndAngle, &point.StarboardCorridorEnd.x,
                        &point.StarboardCorridorEnd.y);
}

// Corners at the point itself: both pairs alike, so a drawer may read either.
void PointCorridor(RouteDef& point, const tagXY& port, const tagXY& starboard)
{
    point.PortCorridor = port;
    point.StarboardCorridor = starboard;
    point.PortCorridorEnd = port;
    point.StarboardCorridorEnd = starboard;
}

void EndCorridor(RouteDef& point, double bearing, double portWidth, double starboardWidth)
{
    tagXY port{0.0, 0.0}, starboard{0.0, 0.0};
    OffsetPerpendicular(point.Position.x, point.Position.y, std::sin(bearing), std::cos(bearing), portWidth,
                        starboardWidth, &port, &starboard);
    PointCorridor(point, port, starboard);
}
} // namespace

bool CDesignRoute::Load(const char* path)
{
    // A copy: a pane rereads a route by passing its own m_FilePath.
    const CString newPath(path ? path : "");
    RemoveAll();
    m_Mark[0] = -2;
    m_Mark[1] = -1;
    LoadStatus(newPath);

    int counter = 0;
    CGridValueCheck check(newPath);
    bool read = ReadCsvLines(newPath, [this, &counter, &check](CCsvParser& parser) {
        check.NextLine();
        const double e = parser.GetDouble();
        const double n = parser.GetDouble();
        double radius = parser.GetDouble();
        if (!check.Accept({e, n, radius}) || !IsNumber(e) || !IsNumber(n))
            return;
        if (radius == DBL_MAX)
            radius = 0.0;
        RouteDef record;
        record.Position = tagXY{e, n};
        record.TurnRadius = radius;
        record.Name.Format("IP%d", ++counter);
        Add(record);
    });
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        read = false;
    if (!read)
        RemoveAll();

    CDrawingOptions::Load(GetRoutesFolder(), m_Title);
    CCorridor::Load(m_Title);
    Recompute();
    return read;
}

void CDesignRoute::Recompute()
{
    const INT_PTR count = GetSize();
    if (count < 2)
        return;
    const double port = m_PortWidth;
    const double starboard = m_StarboardWidth;

    // Where the straight line into the next point starts, with its KP.
    RouteDef& first = ElementAt(0);
    const tagXY& second = GetAt(1).Position;
    ComputeLegGeometry(first.Position.x, first.Position.y, second.x, second.y, &first.Leg);
    ClearTurn(first);
    first.Kp = 0.0;
    EndCorridor(first, first.Leg.Bearing, port, starboard);
    tagXY anchor = first.Position;
    double anchorKp = 0.0;

    for (INT_PTR i = 1; i + 1 < count; ++i)
    {
        const tagXY previous = GetAt(i - 1).Position;
        const tagXY next = GetAt(i + 1).Position;
        RouteDef& point = ElementAt(i);

        ArcDef arc{};
        arc.Radius = point.TurnRadius;
        const bool turns = point.TurnRadius != 0.0 && FitTurnArc(previous, point.Position, next, &arc) &&
                           ArcFitsBetween(arc, anchor, point.Position, next);
        if (turns)
        {
            StoreTurn(point, arc);
            point.TurnStartKp = anchorKp + Distance(anchor, point.TurnStart) / 1000.0;
            point.TurnEndKp = point.TurnStartKp + arc.ArcLength / 1000.0;
            point.Kp = point.TurnStartKp;
            ComputeLegGeometry(point.TurnEnd.x, point.TurnEnd.y, next.x, next.y, &point.Leg);
            TurnCorridor(point, port, starboard);
            anchor = point.TurnEnd;
            anchorKp = point.TurnEndKp;
        }
        else
        {
            ClearTurn(point);
            point.Kp = anchorKp + Distance(anchor, point.Position) / 1000.0;
            ComputeLegGeometry(point.Position.x, point.Position.y, next.x, next.y, &point.Leg);
            tagXY portCorner{0.0, 0.0}, starboardCorner{0.0, 0.0};
            ComputeCorridorVertex(previous, point.Position, next, port, starboard, &portCorner,
                                  &starboardCorner);
            PointCorridor(point, portCorner, starboardCorner);
            anchor = point.Position;
            anchorKp = point.Kp;
        }
    }

    // The last leg's direction from the points themselves: a turn that ends exactly on the last
    // point leaves a leg of no length, whose bearing says nothing.
    const tagXY before = GetAt(count - 2).Position;
    RouteDef& last = ElementAt(count - 1);
    double bearing = 0.0;
    ComputeRangeBearing(before.x, before.y, last.Position.x, last.Position.y, &bearing, nullptr);
    last.Leg = LegDef{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    ClearTurn(last);
    last.Kp = anchorKp + Distance(anchor, last.Position) / 1000.0;
    EndCorridor(last, bearing, port, starboard);
}

bool CDesignRoute::SetIntersectionPoint(INT_PTR index, const RouteDef& record)
{
    if (!SetPoint(index, record))
        return false;
    Recompute();
    return true;
}

void CDesignRoute::AppendIntersectionPoint(const RouteDef& record)
{
    AppendPoint(record);
    Recompute();
}

bool CDesignRoute::InsertIntersectionPoint(INT_PTR index, const RouteDef& record)
{
    if (index < 0 || index > GetSize())
        return false;
    InsertAt(index, record);
    Recompute();
    return true;
}

bool CDesignRoute::RemoveIntersectionPoint(INT_PTR index)
{
    if (index < 0 || index >= GetSize())
        return false;
    RemoveAt(index);
    Recompute();
    return true;
}
