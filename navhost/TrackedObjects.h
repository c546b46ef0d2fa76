// What the host keeps up to date on its tracked objects for the chart to draw them: the outline
// symbol from the object's stored dimensions, the target from the host's lists, and, as the
// receiver's positions arrive, the vessel's reference point, heading, tracking points and trail.
//
// Units: grid metres; headings in degrees clockwise from grid north, [0, 360), -1 none.
#pragma once

class CBarge;
class CGps;
class CGridWaypointList;
class CSailLineList;
class CTemplate;
class CTrackObject;

// Links the object to the host's waypoint and sail-line lists, selects its stored target and
// builds its outline symbol: a hull with a pointed bow for an object longer than it is wide
// (Length A forward and B aft of the reference point, Width A to starboard and B to port), a
// box otherwise. The outline is drawn where the target puts it once the target is valid.
void PrepareTrackObject(CTrackObject& object, CGridWaypointList& waypoints, CSailLineList& sailLines);

// A template without a positioning system of its own: it stands where its target puts it,
// turned to the target heading; it is not drawn while its target is invalid.
void PlaceTemplateAtTarget(CTemplate& object);

// The grid heading of a receiver's course over ground: the course (true) less the grid
// convergence at the antenna, while the receiver's last fix gave a course at a speed of at
// least `minimumKnots` (below it the course wanders); -1 otherwise.
double HeadingFromCourse(const CGps& gps, double minimumKnots);

// The vessel follows a new fix of `gps`, the receiver of its antenna `antenna`: the heading
// from the course when it gives one (else the last heading stays), the reference point from
// the antenna's offset turned by the heading (the antenna's own position while no heading is
// known), every tracking point's grid position, and a new trail point when the trail is on and
// the vessel moved (the oldest dropped beyond the trail's size).
void FollowFix(CBarge& vessel, const CGps& gps, int antenna);
