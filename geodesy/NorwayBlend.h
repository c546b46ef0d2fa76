// The Norwegian latitude-blended transformation of CDatum (method 3), after its first Helmert
// step: south of 62 degrees a polynomial shift of latitude and longitude, north of 65 degrees a
// second, fixed Helmert step ("North of Lat 65N"), and between them a linear blend of the two.
// The polynomial's coefficients ("South of Lat 62N") are data this system does not hold, so
// NorwayCoefficients() is null and CDatum refuses the points that need it; the machinery works
// on any table given to it.
#pragma once

#include <functional>

// The "South of Lat 62N" polynomial: an origin and fifteen coefficients each for the shifts of
// latitude and of longitude, all in degrees, over the terms 1, u, v, u^2, uv, v^2, u^3, u^2 v,
// u v^2, v^3, u^4, u^3 v, u^2 v^2, u v^3, v^4 of u = latitude - origin latitude and
// v = longitude - origin longitude (degrees).
struct NorwayPolynomialDef
{
    double originLatitude;  // degrees
    double originLongitude; // degrees
    double latitude[15];    // degrees of latitude shift
    double longitude[15];   // degrees of longitude shift
};

// The system's table; null while the coefficients are not held.
const NorwayPolynomialDef* NorwayCoefficients();

// The latitude and longitude shifts (degrees) at a latitude and longitude (degrees).
void NorwayPolynomialShift(const NorwayPolynomialDef& table, double latitude, double longitude,
                           double& latitudeShift, double& longitudeShift);

// A geographic position: radians and metres.
struct NorwayPointDef
{
    double latitude;
    double longitude;
    double height;
};

// The step after the first Helmert: `point` is its result, `direction` (+1 or -1) the sign of the
// polynomial's shifts, `north` the northern solution (the fixed Helmert) of a point. At or below
// 62 degrees the point plus the shifts at the point; at or above 65 degrees the northern solution;
// between, with w = (latitude - 62 degrees) / 3 degrees, south + (north - south) w for latitude,
// longitude and height, where south is the point plus the shifts taken at latitude 62 degrees
// and the point's longitude. False when the northern solution fails.
bool NorwayBlend(const NorwayPolynomialDef& table, int direction, const NorwayPointDef& point,
                 const std::function<bool(const NorwayPointDef&, NorwayPointDef&)>& north, NorwayPointDef& out);

// Whether the step at this latitude (radians) needs the polynomial: below 65 degrees.
bool NorwayNeedsPolynomial(double latitude);
