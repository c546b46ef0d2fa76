#include "acoustic/engine/TransponderSite.h"

#include "acoustic/engine/PlaneGeometry.h"
#include "geodesy/Projection.h"

#include <cmath>

void CTransponderSite::SetProjection(CProjection* projection)
{
    m_pProjection = projection;
    if (!m_pProjection)
        return;
    double latitude = 0.0, longitude = 0.0, convergence = 0.0, scale = 1.0;
    m_pProjection->GridToGeographic(m_TransponderEasting, m_TransponderNorthing, &latitude, &longitude,
                                    &convergence, &scale);
    m_TransponderLatitude = latitude;
    m_TransponderLongitude = longitude;
    TakeGridTerms(convergence, scale);
}

void CTransponderSite::SetTransponderEasting(double easting)
{
    m_TransponderEasting = easting;
    SetProjection(m_pProjection);
}

void CTransponderSite::SetTransponderNorthing(double northing)
{
    m_TransponderNorthing = northing;
    SetProjection(m_pProjection);
}

void CTransponderSite::SetTransponderLatitude(double latitude)
{
    m_TransponderLatitude = latitude;
    if (!m_pProjection)
        return;
    double easting = 0.0, northing = 0.0, convergence = 0.0, scale = 1.0;
    m_pProjection->GeographicToGrid(m_TransponderLatitude, m_TransponderLongitude, &easting, &northing,
                                    &convergence, &scale);
    m_TransponderEasting = easting;
    m_TransponderNorthing = northing;
    TakeGridTerms(convergence, scale);
}

void CTransponderSite::SetTransponderLongitude(double longitude)
{
    m_TransponderLongitude = longitude;
    SetTransponderLatitude(m_TransponderLatitude);
}

void CTransponderSite::TransducerPosition(double vesselEasting, double vesselNorthing, double headingDegrees,
                                          double offsetX, double offsetY, double gyroCorrectionDegrees,
                                          double* easting, double* northing) const
{
    const double h = headingDegrees + gyroCorrectionDegrees - m_Convergence * CProjection::RAD_TO_DEG;
    OffsetToGrid(vesselEasting, vesselNorthing, offsetX, offsetY, h, easting, northing);
}

bool CTransponderSite::ReduceToGrid(double slantRange, double depth, double* gridRange) const
{
    const double r = slantRange;
    const double horizontal2 = r * r - depth * depth;
    // Written so that a NaN range is refused too.
    if (!(r > 0.0) || !(horizontal2 >= 0.0))
        return false;
    const double k = m_GridScaleFactor;
    *gridRange = std::sqrt(horizontal2 * k * k + depth * depth);
    return true;
}

void CTransponderSite::ClearGridTerms()
{
    m_Convergence = 0.0;
    m_GridScaleFactor = 1.0;
}

void CTransponderSite::TakeGridTerms(double convergence, double scale)
{
    m_Convergence = std::isfinite(convergence) ? convergence : 0.0;
    // A zero (or unusable) scale would shrink every range to nothing.
    m_GridScaleFactor = (std::isfinite(scale) && scale > 0.0) ? scale : 1.0;
}

COLORREF ObservationQuadrantColour(double bearingDegrees)
{
    double b = std::fmod(bearingDegrees, 360.0);
    if (b < 0.0)
        b += 360.0;
    if (b < 45.0 || b >= 315.0)
        return 0x00FFFF;
    if (b < 135.0)
        return 0xFFFF00;
    if (b < 225.0)
        return 0xFF0000;
    return 0xFF00FF;
}
