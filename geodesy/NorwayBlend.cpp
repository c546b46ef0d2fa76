#include "geodesy/NorwayBlend.h"

namespace
{
// The engine's own conversion literals.
const double kDegToRad = 0.017453292519943;
const double kRadToDeg = 57.2957795131;
const double kLat62 = 1.082104136236466;           // radians
const double kLat65 = 1.1344640137962951;          // radians
const double kBlendWidth = 0.05235987755982907;    // 3 degrees in radians
} // namespace

const NorwayPolynomialDef* NorwayCoefficients()
{
    return nullptr;
}

void NorwayPolynomialShift(const NorwayPolynomialDef& table, double latitude, double longitude,
                           double& latitudeShift, double& longitudeShift)
{
    const double u = latitude - table.originLatitude;
    const double v = longitude - table.originLongitude;
    const double terms[15] = {1.0,       u,         v,         u * u,         u * v,
                              v * v,     u * u * u, u * u * v, u * v * v,     v * v * v,
                              u * u * u * u, u * u * u * v, u * u * v * v, u * v * v * v, v * v * v * v};
    latitudeShift = longitudeShift = 0.0;
    for (int i = 0; i < 15; ++i)
    {
        latitudeShift += table.latitude[i] * terms[i];
        longitudeShift += table.longitude[i] * terms[i];
    }
}

bool NorwayNeedsPolynomial(double latitude)
{
    return latitude < kLat65;
}

bool NorwayBlend(const NorwayPolynomialDef& table, int direction, const NorwayPointDef& point,
                 const std::function<bool(const NorwayPointDef&, NorwayPointDef&)>& north, NorwayPointDef& out)
{
    if (!NorwayNeedsPolynomial(point.latitude))
        return north(point, out);
    const double sign = direction < 0 ? -1.0 : 1.0;
    // The shifts south of 62 degrees; in the blend, those of 62 degrees at the point's longitude.
    const bool blend = point.latitude > kLat62;
    double dLat, dLon;
    NorwayPolynomialShift(table, (blend ? kLat62 : point.latitude) * kRadToDeg, point.longitude * kRadToDeg,
                          dLat, dLon);
    const NorwayPointDef south = {point.latitude + sign * dLat * kDegToRad,
                                  point.longitude + sign * dLon * kDegToRad, point.height};
    if (!blend)
    {
        out = south;
        return true;
    }
    NorwayPointDef northern;
    if (!north(point, northern))
        return false;
    const double w = (point.latitude - kLat62) / kBlendWidth;
    out.latitude = south.latitude + (northern.latitude - south.latitude) * w;
    out.longitude = south.longitude + (northern.longitude - south.longitude) * w;
    out.height = south.height + (northern.height - south.height) * w;
    return true;
}
