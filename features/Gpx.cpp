#include "features/Gpx.h"

CGPX::~CGPX()
{
    for (INT_PTR i = 0; i < m_Waypoints.GetSize(); ++i)
        delete m_Waypoints[i];
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        delete m_Tracks[i];
}

GpxWaypointDef* CGPX::AddWaypoint(const char* name, bool display)
{
    auto* waypoint = new GpxWaypointDef;
    waypoint->Name = name;
    waypoint->Display = display;
    m_Waypoints.Add(waypoint);
    return waypoint;
}

GpxTrackDef* CGPX::AddTrack(const char* name, bool display)
{
    auto* track = new GpxTrackDef;
    track->Name = name;
    track->Display = display;
    m_Tracks.Add(track);
    return track;
}
