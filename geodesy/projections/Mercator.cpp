// Mercator (type 5): IOGP Guidance Note 7-2, Mercator variants A and B. The latitude of origin,
// when it is not 0, is the parallel of true scale (variant B) and the scale factor on the
// equator is derived from it; otherwise the scale factor applies on the equator (variant A).
#include "geodesy/projections/Formulas.h"

#include "geodesy/Spheroid.h"

namespace projections
{
namespace
{
enum
{
    RADIUS = 0 // k0 a, metres: the radius of the equator on the grid
};
} // namespace

void MercatorConstants(CProjection& p)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    if (p.m_OriginLatitude != 0.0)
    {
        const double s = p.m_SinLat0;
        p.m_ScaleFactor = p.m_CosLat0 / std::sqrt(1.0 - sph.m_E2 * s * s);
    }
    // On the equator the scale factor of the grid still applies (variant A); R = a alone would
    // ignore it.
    p.m_Constants[RADIUS] = p.m_ScaleFactor * sph.m_SemiMajor;
}

bool MercatorForward(const CProjection& p, double lat, double lon, const CProjection::PointTerms& t,
                     GridPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double R = p.m_Constants[RADIUS];
    if (!(R > 0.0) || !(t.cosLat > 0.0))
        return false;
    out.easting = p.m_FalseEasting + R * WrapLongitude(lon - p.m_OriginLongitude);
    out.northing = p.m_FalseNorthing + R * sph.IsometricLatitude(lat);
    out.convergence = 0.0;
    out.scale = R / (t.nu * t.cosLat);
    return true;
}

bool MercatorInverse(const CProjection& p, double easting, double northing, GeoPoint& out)
{
    const CSpheroid& sph = *p.m_pSpheroid;
    const double R = p.m_Constants[RADIUS];
    if (!(R > 0.0))
        return false;
    out.latitude = sph.LatitudeFromIsometricLatitude((northing - p.m_FalseNorthing) / R);
    out.longitude = WrapLongitude((easting - p.m_FalseEasting) / R + p.m_OriginLongitude);
    out.convergence = 0.0;
    const double s = std::sin(out.latitude);
    const double nu = sph.m_SemiMajor / std::sqrt(1.0 - sph.m_E2 * s * s);
    out.scale = R / (nu * std::cos(out.latitude));
    return true;
}
} // namespace projections
