// The forward and inverse formulas of the projection types outside the Transverse Mercator
// family, and the per-type constants they read. CProjection's dispatch calls them; nothing else
// should.
//
// Conventions of every function here: latitudes and longitudes in radians (east and north
// positive); grid co-ordinates in the projection's grid units (metres, or US survey feet for
// the 1927 State Plane methods); convergence in radians, clockwise from true north to grid
// north; scale is the point scale factor (for the conformal types the same in every direction;
// for Cassini-Soldner, Guam and the polyconic the scale along the meridian). A function returns
// false when the projection cannot convert that point (its constants are unusable, or an
// iteration did not converge); the caller then gives the zero result.
#pragma once

#include "geodesy/Projection.h"

#include <cmath>

namespace projections
{
struct GridPoint
{
    double easting;
    double northing;
    double convergence;
    double scale;
};

struct GeoPoint
{
    double latitude;
    double longitude;
    double convergence;
    double scale;
};

const double kPi = 3.14159265358979323846;
const double kHalfPi = kPi / 2.0;
const double kQuarterPi = kPi / 4.0;

// Metres in one US survey foot: the unit of the 1927 State Plane methods.
const double kUsSurveyFoot = 0.30480060960121924;

// Into [-pi, pi]; a plain test first because nearly every longitude is already there.
inline double WrapLongitude(double angle)
{
    if (angle < -kPi || angle > kPi)
        angle = std::remainder(angle, 2.0 * kPi);
    return angle;
}

// Grid units per metre of a projection: US survey feet for the 1927 State Plane methods that
// work in them (type 12, methods 1 to 3), metres otherwise.
inline double GridUnitsPerMetre(const CProjection& p)
{
    return (p.m_DataType == 12 && p.m_Method >= 1 && p.m_Method <= 3) ? 1.0 / kUsSurveyFoot : 1.0;
}

// Type 5, Mercator.
void MercatorConstants(CProjection& p);
bool MercatorForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                     GridPoint& out);
bool MercatorInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 6 (methods 0, 1, 2) and type 12 method 1, Lambert conformal conic. The constants are
// CProjection::ComputeConicConstants.
bool LambertForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                    GridPoint& out);
bool LambertInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 7, Cassini-Soldner.
bool CassiniForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                    GridPoint& out);
bool CassiniInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 8, Guam (simplified azimuthal equidistant).
bool GuamForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                 GridPoint& out);
bool GuamInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 9: methods 0 and 1 oblique stereographic on the conformal sphere, method 2 polar.
void StereographicConstants(CProjection& p);
bool StereographicForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                          GridPoint& out);
bool StereographicInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 10, American polyconic.
bool PolyconicForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                      GridPoint& out);
bool PolyconicInverse(const CProjection& p, double easting, double northing, GeoPoint& out);

// Type 11 and type 12 method 3, oblique Mercator (Hotine, from the natural origin).
void ObliqueMercatorConstants(CProjection& p);
bool ObliqueMercatorForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                            GridPoint& out);
bool ObliqueMercatorInverse(const CProjection& p, double easting, double northing, GeoPoint& out);
} // namespace projections
