// The geodesic problems solved exactly (C.F.F. Karney, "Algorithms for geodesics", J. Geodesy
// 87, 2013, as GeographicLib implements it): the shortest line between any two points, nearly
// antipodal ones included, and the point at any distance along a line, to within 15 nanometres
// on the earth's ellipsoids. The engine's own closed forms answer where they hold; this answers
// where they do not.
#pragma once

// a: semi-major axis (metres, > 0); f: flattening ([0, 1/50]; 0 is a sphere). Latitudes in
// [-pi/2, pi/2] and longitudes in radians. Results: the distance in metres, the azimuth at
// the first point towards the second and the reverse azimuth (from the second point back
// towards the first), radians clockwise from true north in [0, 2pi); any output may be null.
// False, nothing written, for an ellipsoid outside that range or a position that is not finite.
bool ExactGeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2,
                          double* distance, double* forwardAzimuth, double* reverseAzimuth);

// The direct problem: the point at `distance` metres (any sign and length) from (lat1, lon1)
// on the line leaving it at `azimuth` (radians clockwise from true north). lat2 in
// [-pi/2, pi/2], lon2 in [-pi, pi] (radians); any output may be null. False, nothing written,
// for an ellipsoid outside the range above or an input that is not finite.
bool ExactGeodesicDirect(double a, double f, double lat1, double lon1, double azimuth, double distance,
                         double* lat2, double* lon2);

// The points at `count` distances (metres) along one line from (lat1, lon1) at `azimuth`,
// into lats[] and lons[] (radians, as above): the line is set up once for all of them. False,
// nothing written, as for ExactGeodesicDirect.
bool ExactGeodesicPoints(double a, double f, double lat1, double lon1, double azimuth, const double* distances,
                         int count, double* lats, double* lons);
