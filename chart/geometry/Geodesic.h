// Lines on the ellipsoid for the chart's bearing lines and divider: the geodesic between two
// positions (distance and both bearings), the point at a distance and bearing, the rhumb line
// (loxodrome), and the intermediate points that draw a great-circle line as a polyline.
//
// Units throughout: latitudes and longitudes are geodetic radians, latitudes in [-π/2, π/2]
// and longitudes in [-π, π]; bearings are radians clockwise from true north, [0, 2π);
// distances are metres. The ellipsoid is only read; outputs given as null are skipped. Inputs
// that are not finite give zeros (or false), never a NaN.
//
// The closed-form series answer where they hold within a millimetre of the exact geodesic; the
// exact solution (C.F.F. Karney, "Algorithms for geodesics", J. Geodesy 87, 2013, as
// GeographicLib gives it, within 15 nm) answers beyond. Measured against GeographicLib on WGS84
// and Hayford 1910, from every latitude to 89.999 degrees in every direction
// (tests/data/geodesic_generate_fixtures.py and geodesic_long_generate_fixtures.py):
//   GeodesicDirect      the series for a line of at most 40 km that keeps within half its start's
//                       distance from the pole: end point within 0.9 mm (7e-8 m at 1 km, 14 um
//                       at 10 km); exact beyond, where the series' longitude, an arcsine, could
//                       turn no more than a quarter circle and lines near a pole went hundreds of
//                       kilometres wrong.
//   GeodesicInverse 0   the series up to 1500 km (as a great circle on the semi-major axis):
//                       distance within 0.83 mm (0.37 mm at 600 km); its bearings are the normal
//                       sections', 1.4e-7 rad from the geodesic's at 100 km, 5e-6 rad at 600 km,
//                       3.1e-5 rad at 1500 km; exact beyond.
//   GeodesicInverse 1   the series up to 30 km: distance within 0.74 mm (27 mm at 100 km, 6 m at
//                       600 km), bearings within 1.3e-8 rad; exact beyond, and where the series'
//                       bearing has no solution.
//   GreatCirclePoints   the direct series from the inverse's bearing while every point lies
//                       within its reach; otherwise points on the exact geodesic.
//   RhumbLine           distance within 12 um / 0.18 mm (600 km / 2000 km), bearing within
//                       1e-10 rad.
//   MeridianDistance    within 1 mm.
#pragma once

#include "features/Ellipsoid.h"
#include "foundation/XYArray.h"

// Prime-vertical radius of curvature N(φ) = a / √(1 − e²·sin²φ), metres; 0 when the radicand
// is not positive.
double PrimeVerticalRadius(const CSpheroid* spheroid, double latitude);

// Meridian distance from the equator M(φ) = a·(A0·φ − A2·sin 2φ + A4·sin 4φ − A6·sin 6φ),
// metres, negative south of the equator.
double MeridianDistance(const CSpheroid* spheroid, double latitude);

// The point at `distance` and `bearing` from (lat1, lon1): within the series' reach (above) by
// a series in σ = s / N(lat1) (Clarke's form of the direct problem), beyond it exactly; lon2 is
// brought into [-π, π]. Zeros for e² ≤ 0.
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
// selector names (0: InverseMethod0, 1: InverseMethod1) within its reach (above), by the exact
// geodesic beyond it. False, outputs untouched, for another selector or an input that is not
// finite. Equal points or e² ≤ 0: zeros, true.
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
// nautical miles), and the end; returns the count. The points lie on the geodesic within a
// millimetre (above). Empty, and 0, for equal points or when the inverse finds no line.
int GreatCirclePoints(const CEllipsoid* ellipsoid, CXYArray& points, double lon1, double lat1, double lon2,
                      double lat2);
