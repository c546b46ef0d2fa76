// CEllipsoid: the feature library's spheroid record: the geodesy engine's spheroid (its table of
// 53 built-in ellipsoids and its derived constants) with the choice of inverse solution by which
// geodesic distances between two geographic positions are measured.
#pragma once

#include "geodesy/Spheroid.h"

#include <cstdint>

class CEllipsoid : public CSpheroid
{
public:
    enum
    {
        // Non-iterative: normal-section bearings and an arc on the auxiliary sphere.
        DISTANCE_NORMAL_SECTION = 0,
        // Closed form for lines of moderate length (Robbins).
        DISTANCE_ROBBINS = 1,
        // Reported only: the line was too long for either closed form and was measured by the
        // exact inverse geodesic. As m_DistanceMethod it fails like any other unknown value.
        DISTANCE_EXACT = 2
    };

    // Table row 26 ("WGS84"), distance method 0.
    CEllipsoid();

    // The distance (metres) along the ellipsoid from (lat1, lon1) to (lat2, lon2); latitudes
    // in [-pi/2, pi/2] and longitudes in radians. `distance` may be null; `method`, when not
    // null, receives the method that measured it: m_DistanceMethod, or DISTANCE_EXACT for a
    // line longer than the closed forms hold. False, with both outputs untouched, for a
    // distance method other than 0 or 1, and for method 1 when its bearing has no solution.
    //
    // Accuracy against the exact geodesic (Karney's algorithm, GeographicLib), lines of 1 to
    // 1000 km from latitudes up to 70 degrees in eight directions on WGS84: method 0 within
    // 6.3e-10 of the length (0.6 mm at 1000 km); method 1 within 0.4 mm at 1000 km and 20 um at
    // 600 km. Beyond that both drift (method 0 by metres at 10 000 km, method 1's arc is capped
    // at a quarter of a great circle), so a line whose great-circle length on the semi-major
    // axis exceeds 1000 km is measured by the exact inverse geodesic instead (within 15 nm).
    // Method 1 fails (false) where the line leaves point 1 due east or west with no northing
    // in its normal section (along the equator). A sphere (e^2 = 0) gives the great-circle
    // distance.
    bool GeodesicDistance(double lat1, double lon1, double lat2, double lon2, double* distance,
                          int32_t* method = nullptr) const;

    int32_t m_DistanceMethod; // DISTANCE_NORMAL_SECTION or DISTANCE_ROBBINS

private:
    bool NormalSectionDistance(double lat1, double lon1, double lat2, double lon2, double sinLat1,
                               double cosLat1, double nu1, double* distance) const;
    bool RobbinsDistance(double lat1, double lon1, double lat2, double lon2, double sinLat1, double cosLat1,
                         double nu1, double* distance) const;
    // The great-circle length (metres) between the two points on a sphere of the semi-major
    // axis: the yardstick of which lines the closed forms may measure.
    double GreatCircleLength(double lat1, double lon1, double lat2, double lon2) const;
    // Prime-vertical radius of curvature (metres) from the latitude's sine; 0 where the root
    // is not positive.
    double PrimeVerticalRadius(double sinLat) const;
};
