#include "geodesy/Projection.h"

// The conic, azimuthal, oblique and regional types (5..11, 12 methods 1..3, 13, 14) are not
// built yet: they derive no constants and every conversion on them gives the zero result and
// reports failure.

void CProjection::ComputeTypeConstants() {}

void CProjection::ComputeConicConstants() {}

bool CProjection::GeographicToGridByType(double, double, const PointTerms&, double&, double&, double&,
                                         double&)
{
    return false;
}

bool CProjection::GridToGeographicByType(double, double, double&, double&, double&, double&)
{
    return false;
}
