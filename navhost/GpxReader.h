// The host's reading of a GPX file into the record the GPX dialogs show: its waypoints by name,
// its tracks with every point's leg to the next and the running totals already computed.
#pragma once

class CGPX;

// Reads the GPX file at the Windows path `path` into `gpx` (emptied first; its path kept).
// Leg distances and bearings are geodesics on WGS84; times are seconds since 1 January 2000
// UTC (0 for a point without one, and then no speeds). False, with `gpx` empty, when the file
// cannot be opened or is no GPX document.
bool ReadGpx(const char* path, CGPX& gpx);
