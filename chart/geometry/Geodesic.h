// Lines on the ellipsoid for the chart's bearing lines and divider: the geodesic between two
// positions (distance and both bearings), the point at a distance and bearing, the rhumb line
// (loxodrome), and the intermediate points that draw a great-circle line as a polyline.
//
// Units throughout: latitudes and longitudes are geodetic radians, latitudes in [-π/2, π/2]
// and longitudes in [-π, π]; bearings are radians clockwise from true north, [0, 2π);
// distances are metres. The ellipsoid is only read; outputs given as null are skipped. Inputs
// that are not finite give zeros (or false), never a NaN.
//
// The formulas are closed-form series, not the exact geodesic. Against GeographicLib on WGS84
// and Hayford 1910 (tests/data/geodesic_generate_fixtures.py), for lines up to 600 km / 2000 km:
//   GeodesicInverse method 0   distance within 0.2 mm / 1.6 mm
//   GeodesicInverse method 1   distance within 2 m / 105 m (5 mm up to 100 km)
//   both methods' bearings     within 1.5e-6 rad / 4.9e-5 rad
//   GeodesicDirect             end point within 1.3e-7 rad / 1.2e-5 rad
//   RhumbLine                  distance within 12 um / 0.18 mm, bearing within 1e-10 rad
//   MeridianDistance           within 1 mm
#pragma once

#include "features/Ellipsoid.h"
#include "foundation/XYArray.h"

// Prime-vertical radius of curvature N(φ) = a / √(1 − e²·sin²φ), metres; 0 when the radicand
// is not positive.
double PrimeVerticalRadius(const CSpheroid* spheroid, double latitude);

// Meridian distance from the equator M(φ) = a·(A0·φ − A2·sin 2φ + A4·sin 4φ − A6·sin 6φ),
// metres, negative south of the equator.
double MeridianDistance(const CSpheroid* spheroid, double latitude);

// The point at `distance` and `bearing` from (lat1, lon1) by a series in σ = s / N(lat1)
// (Clarke's form of the direct problem); lon2 is brought into [-π, π]. Zeros for e² ≤ 0.
void GeodesicDirect(double* lat2, double* lon2, double lon1, double distance, double bearing,
                    const CSpheroid* spheroid, double lat1);

// Distance and bearing along the rhumb line from (lat1, lon1) to (lat2, lon2), the longitude
// difference taken the short way: meridional parts to e⁶ and the meridian arc M(φ). `sinLat1`,
// `cosLat1` and `nu1` = N(lat1) are the caller's. Either output may be null; zeros for equal
// points or e² ≤ 0. A line along a parallel has bearing exactly π/2 or 3π/2.
void RhumbLine(double* distance, double* bearing, double lon1, double lat2, double lon2, double sinLat1,
               double cosLat1, double nu1, const CSpheroid* spheroid, double lat1);

// Distance, forward bearing (at point 1) and reverse bearing (from point 2 back to point 1)
// of the line from (lat1, lon1) to (lat2, lon2), by the method the ellipsoid's distance-method
// selector names (0: InverseMethod0, 1: InverseMethod1). False, outputs untouched, for another
// selector or when the method finds no solution. Equal points or e² ≤ 0: zeros, true.
bool GeodesicInverse(const CEllipsoid* ellipsoid, double* distance, double* bearing, double* reverseBearing,
                     double lat1, double lon1, double lat2, double lon2);

// Normal-section bearings and a series along the normal section for the distance.
// `sinLat1`, `cosLat1`, `tanLat1` and `nu1` = N(lat1) are the caller's.
bool InverseMethod0(const CSpheroid* spheroid, double* distance, double* bearing, double* reverseBearing,
                    double lat1, double lon1, double lat2, double lon2, double sinLat1, double cosLat1,
                    double tanLat1, double nu1);

// Bearings through the auxiliary latitude ψ of point 2 and a short-line series for the
// distance. False, outputs untouched, where the bearing has no solution (q = 0).
bool InverseMethod1(const CSpheroid* spheroid, double* distance, double* bearing, double* reverseBearing,
                    double lat1, double lon1, double lat2, double lon2, double sinLat1, double cosLat1,
                    double tanLat1, double nu1);

// Fills `points` (x longitude, y latitude, radians) with the start, the points every
// s / (n + 1) along the line from it, n = ceil(s / 111 120 m) (one point a degree of sixty
// nautical miles), and the end; returns the count. Empty, and 0, for equal points or when the
// inverse finds no line.
int GreatCirclePoints(const CEllipsoid* ellipsoid, CXYArray& points, double lon1, double lat1, double lon2,
                      double lat2);
