// The host's reading of its wind farm file, a comma-separated table with a heading line and one
// turbine a line: identifier, wind farm, latitude and longitude (decimal degrees, WGS84), maximum
// height, blade radius and structure height (metres; empty when not known), navigation lights
// and remarks.
#pragma once

class CProjection;
class CWindFarmList;

// Reads the file at the Windows path `path` into `list` (its turbines and wind farms replaced);
// each wind farm is placed at the mean grid position of its turbines in `projection`. Lines
// without a position are left out. False when the file cannot be opened.
bool ReadWindFarms(const char* path, CProjection& projection, CWindFarmList& list);
