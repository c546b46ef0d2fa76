// The inverse geodesic problem on an ellipsoid: the shortest distance between two points and
// the azimuths at both ends, by Vincenty's iteration (T. Vincenty, "Direct and inverse
// solutions of geodesics on the ellipsoid with application of nested equations", Survey
// Review XXIII (176), 1975), good to well under a millimetre on the earth's ellipsoids; within
// two degrees of the antipode, and wherever that iteration does not settle, by the exact
// solution (geodesy/ExactGeodesic.h).
#pragma once

// a: semi-major axis (metres, > 0); f: flattening (0 for a sphere, [0, 0.01]).
// Latitudes and longitudes in radians (latitudes [-pi/2, pi/2]). Results: distance in metres,
// forward azimuth at the first point and reverse azimuth (from the second point back to the
// first), radians clockwise from true north in [0, 2pi). False, nothing written, only for an
// ellipsoid outside those ranges.
bool GeodesicInverse(double a, double f, double lat1, double lon1, double lat2, double lon2, double* distance,
                     double* forwardAzimuth, double* reverseAzimuth);
