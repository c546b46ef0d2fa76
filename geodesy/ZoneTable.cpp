// CProjection::SetZone: the built-in grid zones. Types 0, 2 and 3 are computed from the zone
// number, type 14 is the two System 34 grids, the other types are listed rows (ZoneTable.h)
// whose parameters come from the EPSG dataset. An entry listed without a published definition,
// and every type 13 entry (its polynomial tables are not available), is refused: SetZone
// returns false and leaves the parameters as they were.
#include "geodesy/Projection.h"

#include "geodesy/Spheroid.h"
#include "geodesy/ZoneTable.h"
#include "geodesy/projections/Formulas.h"

#include <cmath>
#include <cstring>

namespace zonetable
{
// clang-format off
// Type 5, Mercator. Entry 0 is the general Mercator on the projection's own spheroid; entry 4
// is the system's own grid (no EPSG definition).
const Entry kMercator[5] = {
    {"General", "", 0, -1, 0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 0: the general Mercator
    {"Portugal", "", 0, 20, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 1: no published definition found
    {"Mercator", "Origin Unknown", 0, 26, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 2: no published definition found
    {"NZ 168.55", "New Zealnd", 0, 20, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 3: no published definition found
    {"LP Changi North", "Singapore", 0, 26, 0, 23.0, 180.0, 12000000.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 4: the system's own
};

// Type 7, Cassini-Soldner.
const Entry kCassini[2] = {
    {"Singapore", " Grid", 24500, 16, 0, 1.2876466666666666, 103.85300222222222, 30000.0, 30000.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 0: EPSG 24500
    {"Qatar", "Modified Grid", 2099, 18, 0, 25.382361111111113, 50.76138888888889, 100000.0, 100000.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 1: EPSG 2099
};

// Type 8, Guam.
const Entry kGuam[1] = {
    {"Guam", "Agana Monument 1945", 3993, 7, 0, 13.472466352777777, 144.74875070555555, 50000.0, 50000.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 0: EPSG 3993
};

// Type 9, stereographic.
const Entry kStereographic[3] = {
    {"Amersfoot", "(RD) System", 28992, 3, 0, 52.15616055555556, 5.387638888888889, 155000.0, 463000.0, 0.9999079, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 0: EPSG 28992
    {"Levant II", "", 0, 10, 1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 1: no published definition found
    {"Levant Oblique", "", 22780, 10, 1, 34.2, 39.15, 0.0, 0.0, 0.9995341, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 2: EPSG 22780
};

// Type 10, American polyconic.
const Entry kPolyconic[1] = {
    {"Brazil", "Polyconic", 29101, 42, 0, 0.0, -54.0, 5000000.0, 10000000.0, 1.0, 0.0, 0.0, 0.0, 0.0, false, 0.0}, // 0: EPSG 29101
};

// Type 11, oblique Mercator; the method is the entry number. Borneo's false origin is at the
// centre (EPSG's variant B), the others' at the natural origin; Alaska zone 1 of NAD 27 in
// metres, its 16404166.67 US survey feet being 5000000 m.
const Entry kObliqueMercator[4] = {
    {"R.S.O.", "Borneo", 29873, 15, 0, 4.0, 115.0, 590476.87, 442857.65, 0.99984, 0.0, 0.0, 53.31582047222222, 53.13010236111111, true, 0.0}, // 0: EPSG 29873
    {"R.S.O.", "Malaysia", 3168, 48, 1, 4.0, 102.25, 804670.24, 0.0, 0.99984, 0.0, 0.0, -36.9742095, -36.86989763888889, false, 0.0}, // 1: EPSG 3168
    {"Alaska (Zone 1)", "NAD 27", 26731, 7, 2, 57.0, -133.66666666666666, 5000000.0, -5000000.0, 0.9999, 0.0, 0.0, -36.86989764584402, -36.86989764584402, false, 0.0}, // 2: EPSG 26731
    {"Alaska (Zone 1)", "NAD 83", 26931, 17, 3, 57.0, -133.66666666666666, 5000000.0, -5000000.0, 0.9999, 0.0, 0.0, -36.86989764584402, -36.86989764584402, false, 0.0}, // 3: EPSG 26931
};
// clang-format on

const Entry* Listed(int type, int& count)
{
    switch (type)
    {
    case 1:
        count = 39;
        return kNationalGrids;
    case 4:
        count = 54;
        return kStatePlane83Tm;
    case 5:
        count = 5;
        return kMercator;
    case 6:
        count = 76;
        return kLambertConics;
    case 7:
        count = 2;
        return kCassini;
    case 8:
        count = 1;
        return kGuam;
    case 9:
        count = 3;
        return kStereographic;
    case 10:
        count = 1;
        return kPolyconic;
    case 11:
        count = 4;
        return kObliqueMercator;
    case 12:
        count = 130;
        return kStatePlane27;
    default:
        count = 0;
        return nullptr;
    }
}
} // namespace zonetable

namespace
{
using zonetable::Entry;

// The oblique Mercator's constants from its published parameters: s = sin(gamma0) and
// d = cos(gamma0) of the central line on the aposphere of the entry's own spheroid
// (sin(gamma0) = sin(alpha_c) / D; Snyder, USGS PP 1395, eq. 9-6..9-9), the skew co-ordinates
// of the rectified grid's origin, and the rotation gamma_c.
void SetObliqueMercator(CProjection& p, const Entry& e)
{
    CSpheroid own;
    own.SetFromTable(e.spheroidRow);
    const double lat = e.latitude * CProjection::DEG_TO_RAD;
    const double sinLat = std::sin(lat);
    const double cosLat = std::cos(lat);
    const double w = 1.0 - own.m_E2 * sinLat * sinLat;
    const double nu = own.m_SemiMajor / std::sqrt(w);
    const double rho = nu * own.m_OneMinusE2 / w;
    const double B = std::sqrt(1.0 + own.m_Ep2 * cosLat * cosLat * cosLat * cosLat);
    double D = B * std::sqrt(nu * rho) / (nu * cosLat);
    if (D < 1.0)
        D = 1.0;
    const double s = std::sin(e.azimuth * CProjection::DEG_TO_RAD) / D;
    const double d = std::sqrt(1.0 - s * s);
    const double sg = std::sin(e.rectify * CProjection::DEG_TO_RAD);
    const double cg = std::cos(e.rectify * CProjection::DEG_TO_RAD);

    const double metres = 1.0 / projections::GridUnitsPerMetre(p);
    double fe = e.falseEasting * metres;
    double fn = e.falseNorthing * metres;
    if (e.atCentre)
    {
        // A false origin at the centre: the offsets are what moves the centre, as the
        // projection puts it from the natural origin, to there.
        CProjection probe;
        probe.m_DataType = p.m_DataType;
        probe.m_Method = p.m_Method;
        probe.SetSpheroid(&own);
        probe.SetParametersDegrees(e.latitude, e.longitude, 0.0, 0.0, e.scale);
        probe.SetConstants(s, d, 0.0, 0.0, sg, cg);
        fe -= probe.m_FalseEasting * metres;
        fn -= probe.m_FalseNorthing * metres;
    }
    p.SetConstants(s, d, -(sg * fe + cg * fn), -(cg * fe - sg * fn), sg, cg);
}

bool SetListedZone(CProjection& p, int zone, int type)
{
    int count = 0;
    const Entry* entries = zonetable::Listed(type, count);
    if (!entries || zone >= count)
        return false;
    const Entry& e = entries[zone];
    if (e.scale == 0.0)
        return false;
    if (p.m_pSpheroid)
    {
        if (e.spheroidRow >= 0)
            p.m_pSpheroid->SetFromTable(e.spheroidRow);
        else if (p.m_pSpheroid->m_SemiMajor == 0.0)
            p.m_pSpheroid->SetFromTable(CSpheroid::WGS84_ROW);
    }
    if (type == 5 && zone == 0)
        p.m_FixedZone = 0;
    p.SetNames(e.name, e.country);
    p.m_Method = e.method;
    std::memset(p.m_Constants, 0, sizeof(p.m_Constants));
    p.m_Parallel1 = e.parallel1 * CProjection::DEG_TO_RAD;
    p.m_Parallel2 = e.parallel2 * CProjection::DEG_TO_RAD;
    if (type == 12)
        p.m_Constants[CProjection::CONSTANT_COUNT - 1] = e.ellipsoidScale;
    p.SetParametersDegrees(e.latitude, e.longitude, e.falseEasting, e.falseNorthing, e.scale);
    if (type == 11 || (type == 12 && e.method == 3))
        SetObliqueMercator(p, e);
    return true;
}
} // namespace

int CProjection::ZoneTableSize(int type)
{
    static const int sizes[TYPE_COUNT] = {62, 39, 36, 10, 54, 5, 76, 2, 1, 3, 1, 4, 130, 8, 2};
    return (type >= 0 && type < TYPE_COUNT) ? sizes[type] : 0;
}

bool CProjection::SetZone(int zone, int type, int method)
{
    m_FixedZone = 1;
    m_Zone = zone;
    m_DataType = type;
    m_Method = method;
    if (zone < 0 || zone >= ZoneTableSize(type))
        return false;
    switch (type)
    {
    case 0:
        m_Method = (method == 1) ? 1 : 0;
        m_FixedZone = 0;
        if (m_pSpheroid && m_pSpheroid->m_SemiMajor == 0.0)
            m_pSpheroid->SetFromTable(CSpheroid::WGS84_ROW);
        SetNames(UtmZoneName(zone), "");
        SetParametersDegrees(0.0, 6.0 * zone - 183.0, 500000.0, m_Method == 1 ? 10000000.0 : 0.0, 0.9996);
        return true;
    case 2: {
        // Gauss-Krueger: four German DHDN zones, then the 6-degree zones 1..32 on Krassowsky.
        CString name, country;
        double meridian, falseEasting;
        int row;
        if (zone < 4)
        {
            meridian = 3.0 * zone + 6.0;
            falseEasting = 1000000.0 * zone + 2500000.0;
            name.Format("DHDN Zone %02d", zone + 2);
            country.Format("West Germany (%.0lf\xB0 E)", meridian);
            row = 3;
        }
        else
        {
            meridian = 6.0 * (zone - 4) + 3.0;
            if (meridian > 180.0)
                meridian -= 360.0;
            falseEasting = 1000000.0 * (zone - 4) + 1500000.0;
            name.Format("GK Zone %02d", zone - 3);
            country.Format("(%.0lf\xB0 %c)", std::fabs(meridian), meridian < 0.0 ? 'W' : 'E');
            row = 21;
        }
        if (m_pSpheroid)
            m_pSpheroid->SetFromTable(row);
        SetNames(name, country);
        SetParametersDegrees(0.0, meridian, falseEasting, 0.0, 1.0);
        return true;
    }
    case 3: {
        // South African Lo system: odd meridians 17 E to 35 E, westings and southings.
        const double meridian = 2.0 * zone + 17.0;
        CString name;
        name.Format("Lo %2.0lf\xB0 E", meridian);
        if (m_pSpheroid)
            m_pSpheroid->SetFromTable(12);
        SetNames(name, "South Africa");
        SetParametersDegrees(0.0, meridian, 0.0, 0.0, 1.0);
        return true;
    }
    case 13:
        return false;
    case 14:
        // System 34 on UTM zone 32: the entry picks the polynomial.
        if (m_pSpheroid)
            m_pSpheroid->SetFromTable(20);
        SetNames(zone == 0 ? "Jylland" : "Seelland", "System 34");
        m_Method = 0;
        std::memset(m_Constants, 0, sizeof(m_Constants));
        m_Parallel1 = m_Parallel2 = 0.0;
        SetParametersDegrees(0.0, 9.0, 500000.0, 0.0, 0.9996);
        SetConstantWord(0, zone);
        return true;
    default:
        return SetListedZone(*this, zone, type);
    }
}
