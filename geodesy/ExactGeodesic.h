// The inverse geodesic problem solved exactly (C.F.F. Karney, "Algorithms for geodesics",
// J. Geodesy 87, 2013, as GeographicLib implements it): the shortest line between any two
// points, nearly antipodal ones included, to within 15 nanometres on the earth's ellipsoids.
// The engine's own closed forms answer where they hold; this answers where they do not.
#pragma once

// a: semi-major axis (metres, > 0); f: flattening ([0, 1/50]; 0 is a sphere). Latitudes in
// [-pi/2, pi/2] and longitudes in radians. Results: the distance in metres, the azimuth at
// the first point towards the second and the reverse azimuth (from the second point back
// towards the first), radians clockwise from true north in [0, 2pi); any output may be null.
// False, nothing written, for an ellipsoid outside that range or a position that is not finite.
bool ExactGeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2,
                          double* distance, double* forwardAzimuth, double* reverseAzimuth);
