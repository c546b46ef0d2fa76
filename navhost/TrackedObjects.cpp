#include "navhost/TrackedObjects.h"

#include "features/Barge.h"
#include "features/GridWaypointList.h"
#include "features/SailLineList.h"
#include "features/Template.h"
#include "foundation/Geometry.h"
#include "geodesy/Gps.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kDegreesToRadians = M_PI / 180.0;

void AddOutlinePoint(COutline& outline, bool penDown, double x, double y)
{
    outline.Add(OutlinePointDef{penDown ? 1 : 0, x, y});
}

// The hull, clockwise from the stern's port corner, closed: the bow's point takes the forward
// fifth of the length.
void BuildOutline(CTrackObject& object)
{
    COutline& outline = object.m_OutlineShape;
    outline.RemoveAll();
    const double forward = object.m_LengthA, aft = -object.m_LengthB;
    const double starboard = object.m_WidthA, port = -object.m_WidthB;
    if (!(forward > aft) || !(starboard > port))
        return;
    AddOutlinePoint(outline, false, port, aft);
    if (forward - aft > starboard - port)
    {
        const double shoulder = forward - 0.2 * (forward - aft);
        AddOutlinePoint(outline, true, port, shoulder);
        AddOutlinePoint(outline, true, 0.5 * (port + starboard), forward);
        AddOutlinePoint(outline, true, starboard, shoulder);
    }
    else
    {
        AddOutlinePoint(outline, true, port, forward);
        AddOutlinePoint(outline, true, starboard, forward);
    }
    AddOutlinePoint(outline, true, starboard, aft);
    AddOutlinePoint(outline, true, port, aft);
}

// Every tracking point of the object at its grid position for the reference point and heading.
void PlaceTrackingPoints(CTrackObject& object, double sinH, double cosH)
{
    for (int type = 1; type < TP_TYPE_COUNT; ++type)
    {
        CTrackingPointArray* points = object.GetTrackingPointArray(type);
        for (INT_PTR i = 0; points != nullptr && i < points->GetSize(); ++i)
        {
            TrackingPointDef* point = points->GetPoint(i);
            if (point != nullptr)
                RotateOffset(object.m_Position.x, object.m_Position.y, point->X, point->Y, sinH, cosH,
                             &point->Position.x, &point->Position.y);
        }
    }
}
} // namespace

void PrepareTrackObject(CTrackObject& object, CGridWaypointList& waypoints, CSailLineList& sailLines)
{
    object.m_pWaypointList = &waypoints;
    object.m_pSailLineList = &sailLines;
    object.SetTargetHeading();
    object.SetTargetWaypoint(-1, -1);
    object.SetTargetSailLine(-1, -1);
    BuildOutline(object);
    object.m_OutlineMode = object.m_OutlineShape.IsEmpty() ? 0 : 1;
    object.m_bTargetDisplay = object.m_bTargetValid && object.m_bShowOutline;
}

void PlaceTemplateAtTarget(CTemplate& object)
{
    if (!object.m_bTargetValid)
    {
        object.m_OutlineMode = 0;
        return;
    }
    tagXY position{};
    object.GetTargetPosition(position);
    object.m_Position = position;
    for (tagXY& source : object.m_Positions)
        source = position;
    object.m_Heading = object.m_GridHeading;
    const double h = object.m_Heading * kDegreesToRadians;
    PlaceTrackingPoints(object, std::sin(h), std::cos(h));
}

double HeadingFromCourse(const CGps& gps, double minimumKnots)
{
    if (!gps.m_CourseSpeedCurrent || !(gps.m_SpeedOverGround >= minimumKnots) || !std::isfinite(gps.m_Course))
        return -1.0;
    double heading = std::fmod(gps.m_Course - gps.m_Convergence, 360.0);
    if (heading < 0.0)
        heading += 360.0;
    return heading;
}

void FollowFix(CBarge& vessel, const CGps& gps, int antenna)
{
    const double heading = HeadingFromCourse(gps, 0.5);
    if (heading >= 0.0)
        vessel.m_Heading = heading;
    const tagXY at{gps.m_AntennaEasting, gps.m_AntennaNorthing};
    double sinH = 0.0, cosH = 1.0;
    if (vessel.HasHeading())
    {
        sinH = std::sin(vessel.m_Heading * kDegreesToRadians);
        cosH = std::cos(vessel.m_Heading * kDegreesToRadians);
    }
    const TrackingPointDef* point = vessel.m_Antennas.GetPoint(antenna);
    tagXY reference = at;
    if (point != nullptr && vessel.HasHeading())
        RotateOffset(at.x, at.y, -point->X, -point->Y, sinH, cosH, &reference.x, &reference.y);
    const bool moved = reference.x != vessel.m_Position.x || reference.y != vessel.m_Position.y;
    vessel.m_Position = reference;
    PlaceTrackingPoints(vessel, sinH, cosH);

    if (!vessel.m_bEnableTrail || !moved)
        return;
    vessel.m_Trail.Add(reference);
    const INT_PTR most = std::max<INT_PTR>(1, vessel.m_MaxTrailSize);
    if (vessel.m_Trail.GetSize() > most)
        vessel.m_Trail.RemoveAt(0, vessel.m_Trail.GetSize() - most);
}
