#include "features/GeodeticConverter.h"

CGeodeticConverter::CGeodeticConverter()
    : m_pLinkedSpheroid(nullptr), m_pLinkedProjection(nullptr), m_Method(METHOD_GRID_TO_GRID), m_Flag(1),
      m_Index(0)
{
    m_Projection.SetSpheroid(&m_Spheroid);
    Reset();
    // The zone is chosen before the projection is bound, so that its entry does not replace the
    // "to" spheroid: both sides start on WGS84.
    m_ToProjection.SetZone(1, 1, 0);
    m_ToProjection.SetSpheroid(&m_ToSpheroid);
}

void CGeodeticConverter::Reset()
{
    m_GridFileName.Empty();
    m_FromName.Empty();
    m_ToName.Empty();
    m_DatumName.Empty();
    m_Tx = m_Ty = m_Tz = 0.0;
    m_Rx = m_Ry = m_Rz = 0.0;
    m_Ds = 0.0;
}

void CGeodeticConverter::Link(CSpheroid* spheroid, CProjection* projection)
{
    m_pLinkedSpheroid = spheroid;
    m_pLinkedProjection = projection;
}

bool CGeodeticConverter::SetDatum(int /*unused*/, int method, int flag)
{
    m_Method = method;
    m_Flag = flag;
    m_Index = 0;
    bool result = false;
    if (method == METHOD_GRID_TO_GRID)
    {
        m_FromName.Empty();
        m_ToName.Empty();
        m_DatumName = "Grid To Grid";
        m_FromName = m_Spheroid.m_Name;
        if (m_pLinkedSpheroid)
        {
            CSpheroid& linked = *m_pLinkedSpheroid;
            linked.m_Name = m_Spheroid.m_Name;
            linked.m_Country = m_Spheroid.m_Country;
            linked.m_SemiMajor = m_Spheroid.m_SemiMajor;
            linked.m_SemiMinor = m_Spheroid.m_SemiMinor;
            linked.m_InverseFlattening = m_Spheroid.m_InverseFlattening;
            linked.m_Code = m_Spheroid.m_Code;
            linked.ComputeConstants();
            m_ToName = linked.m_Name;
        }
        m_Tx = m_Ty = m_Tz = 0.0;
        m_Rx = m_Ry = m_Rz = 0.0;
        m_Ds = 0.0;
        result = true;
    }
    MatchZoneToSpheroid(m_Projection);
    if (m_pLinkedProjection)
        MatchZoneToSpheroid(*m_pLinkedProjection);
    return result;
}

bool CGeodeticConverter::ConvertGeographic(double latitude, double longitude, double height,
                                           double* toLatitude, double* toLongitude, double* toHeight,
                                           int /*direction*/) const
{
    if (m_Method != METHOD_GRID_TO_GRID)
        return false;
    if (toLatitude)
        *toLatitude = latitude;
    if (toLongitude)
        *toLongitude = longitude;
    if (toHeight)
        *toHeight = height;
    return true;
}

bool CGeodeticConverter::MatchZoneToSpheroid(CProjection& projection)
{
    CSpheroid* spheroid = projection.m_pSpheroid;
    if (projection.m_DataType == 0 || !spheroid)
        return true;
    projection.ComputeConstants();

    // The zone is looked up on a scratch projection whose spheroid starts as a copy of the
    // projection's: an entry that names no spheroid of its own then agrees with any.
    CSpheroid own(*spheroid);
    CProjection probe;
    probe.m_pSpheroid = &own;
    probe.m_Zone = projection.m_Zone;
    probe.m_DataType = projection.m_DataType;
    probe.m_Method = projection.m_Method;
    if (!probe.SelectZoneOrFile() || own.IsSame(*spheroid))
        return true;

    const int type = projection.m_DataType;
    for (int entry = 0; entry < CProjection::ZoneTableSize(type); ++entry)
    {
        CSpheroid candidate(*spheroid);
        CProjection scratch;
        scratch.m_pSpheroid = &candidate;
        if (scratch.SetZone(entry, type, 0) && candidate.IsSame(*spheroid))
        {
            projection.SetZone(entry, type, 0);
            return false;
        }
    }
    // No entry of the type lies on this spheroid: the default grid, which suits any spheroid.
    projection.SetZone(31, 0, 0);
    return false;
}

CString GetUtmZoneName(int zone)
{
    return CProjection::UtmZoneName(zone);
}
