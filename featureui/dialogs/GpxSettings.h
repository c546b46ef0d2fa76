// The two writers that keep a user's GPX choices: the display settings file "GPX DATA" and,
// beside each GPX file, the list of which of its waypoints and tracks are shown.
#pragma once

#include "featureui/TolvarApi.h"

class CGPX;

// "GPX DATA" in the settings folder: "File Path", "Track Colour", "Show Dots". Written whole or
// not at all; false when it could not be written.
TOLVAR_API bool SaveGpxSettings(const CGPX* pGpx);
// "<folder><title>.INI" beside the GPX file: "Waypoints", then one line per waypoint and one
// per track, each "<name> = 1" when shown. Written whole or not at all.
TOLVAR_API bool SaveGpxDisplayList(const CGPX* pGpx, const char* gpxPath);
