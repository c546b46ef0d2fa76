#include "geodesy/Projection.h"

#include "geodesy/Spheroid.h"

// The built-in grids. Only the UTM zones are here so far; every other type is refused, with
// the zone, type and method stored and the parameters left as they were.
bool CProjection::SetZone(int zone, int type, int method)
{
    m_FixedZone = 1;
    m_Zone = zone;
    m_DataType = type;
    m_Method = method;
    if (type == 0)
    {
        if (zone < 0 || zone > 61)
            return false;
        m_Method = (method == 1) ? 1 : 0;
        m_FixedZone = 0;
        if (m_pSpheroid && m_pSpheroid->m_SemiMajor == 0.0)
            m_pSpheroid->SetFromTable(CSpheroid::WGS84_ROW);
        SetNames(UtmZoneName(zone), "");
        SetParametersDegrees(0.0, 6.0 * zone - 183.0, 500000.0, m_Method == 1 ? 10000000.0 : 0.0, 0.9996);
        return true;
    }
    return false;
}
