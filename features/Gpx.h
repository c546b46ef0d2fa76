// CGPX: the GPX data a host program has read from a GPX file, with the values the track tables
// show already computed: which waypoints and tracks are drawn, the tracks' colour and whether
// their points are drawn as dots. Reading GPX files is the host's; the dialogs and writers of
// the feature panes only show and keep the choices.
//
// Units: longitudes and latitudes in radians; times in seconds since 1 January 2000 (0: the
// track has no times); distances in metres; bearings in degrees true; speeds in m/s.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// One track point: ten doubles in this order.
struct GpxPointDef
{
    double Longitude;     // radians
    double Latitude;      // radians
    double Time;          // seconds since 1 January 2000; 0: no times
    double LegDistance;   // metres to the next point
    double LegBearing;    // degrees true to the next point
    double Spare;         // not shown
    double LegSpeed;      // m/s to the next point
    double TotalDistance; // metres from the start
    double TotalTime;     // seconds from the start
    double AverageSpeed;  // m/s, the track's average up to this point
};
static_assert(sizeof(GpxPointDef) == 80, "a track point is ten doubles");

struct GpxWaypointDef
{
    CString Name;
    bool Display = true;
};

struct GpxTrackDef
{
    CString Name;
    bool Display = true;
    CArray<GpxPointDef, const GpxPointDef&> Points;
};

class CGPX
{
public:
    CGPX() = default;
    ~CGPX();
    CGPX(const CGPX&) = delete;
    CGPX& operator=(const CGPX&) = delete;

    bool m_bShowWaypoints = true;
    // Owned: freed with the object.
    CArray<GpxWaypointDef*, GpxWaypointDef*> m_Waypoints;
    CArray<GpxTrackDef*, GpxTrackDef*> m_Tracks;
    CString m_FilePath;
    COLORREF m_TrackColour = 0;
    bool m_bShowDots = false;

    // Appends a record and returns it.
    GpxWaypointDef* AddWaypoint(const char* name, bool display);
    GpxTrackDef* AddTrack(const char* name, bool display);
};
