#include "geodesy/Datum.h"

#include "foundation/ConfigFile.h"
#include "geodesy/GlobalFolder.h"
#include "geodesy/NorwayBlend.h"
#include "geodesy/NTv2Thread.h"
#include "geodesy/UserFile.h"
#include "platform/core/Exception.h"
#include "platform/core/FileFind.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace
{
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kArcSecondToRad = 0.017453292519943 / 3600.0;

struct HelmertParamsDef
{
    double tx, ty, tz, rx, ry, rz, ds;
    int rotationSign;
};

struct HelmertSetDef
{
    const char* from;
    const char* to;
    const char* region;
    int fromRow;
    int toRow;
    HelmertParamsDef p;
};

const HelmertSetDef kHelmertSets[CDatum::HELMERT_SETS] = {
    {"WGS 84", "E.D. 50", "Precise Ephemeris", 26, 20, {89.5, 93.8, 127.6, 0, 0, 0.97, -1.8, 0}},
    {"WGS 84", "E.D. 50", "Broadcast Ephemeris", 26, 20, {83, 110, 118, 0, 0, 0, 0, 0}},
    {"WGS 84", "E.D. 50", "UKOOA Recommended", 26, 20, {89.5, 93.8, 123.1, 0, 0, 0.156, -1.2, 0}},
    {"WGS 84", "E.D. 50", "Algeria to Spain", 26, 20, {88, 109, 122, 0, 0, 0.156, -1.2, 0}},
    {"WGS 84", "E.D. 50", "Spain National System", 26, 20, {108.282, 106.108, 143.491, 0, 0, 0, 1, 0}},
    {"ETRS89/WGS84",
     "OSGB36",
     "Helmert transformation",
     26,
     0,
     {-446.448, 125.157, -542.06, -0.1502, -0.247, -0.8421, 20.4894, 0}},
    {"WGS 84", "Nord Sahara", "Algeria", 26, 11, {195.939, 73.037, -281.822, 0, 0, 0, 0, 0}},
    {"WGS 84",
     "E.D. 87",
     "",
     26,
     20,
     {82.981, 99.719, 110.709, 0.10470001565105842, -0.031001600378948148, -0.08040202147514297, 0.3143, 0}},
    {"WGS 84", "Nahrwan", "Middle East", 26, 11, {233.4, 160.7, -381.5, 0, 0, 0.5544, -0.2263, 1}},
    {"WGS 84", "Kalyanpur", "South Bassien corrns", 26, 14, {-280, -720, -231.9, 0, 0, -0.814, 0.38, 0}},
    {"WGS 84", "AGD 1984", "Australian", 26, 2, {116, 50.47, -141.69, 0.23, 0.39, 0.344, -0.0983, 1}},
    {"WGS 84", "RD", "Dutch", 26, 3, {-565.04, -49.91, -465.84, -0.4094, 0.3597, -1.8685, -4.0772, 1}},
    {"WGS 84", "Portugese", "Portugal", 26, 20, {302.9, 61.84, -105, 0, 0, 0, 0, 0}},
    {"WGS 84", "Pulkovo", "Azerbaijan", 26, 21, {-27, 135, 84, 0, 0, -0.554, -0.2263, 0}},
    {"WGS 84",
     "Pulkovo 1940",
     "Caspian Sea",
     26,
     21,
     {-926.4, 715.9, 186.4, 10.364, 20.78, -26.452, 7.224, 0}},
    {"WGS 84", "Kuwait", "KTM", 26, 26, {-18.5, 17.4, -0.4, 0, 0, 0, 0, 0}},
    {"Kuwait", "Ain El Abd", "(1970) Saudi", 26, 20, {117.6, 252.2, -5.39, 0, 0, 0, 0, 0}},
    {"Kuwait", "Ain El Abd", "Saudi (2)", 26, 11, {262.7, 198.8, -532.7, 0, 0, 0, 0, 0}},
    {"WGS 84", "Everest", "Indian", 26, 14, {-280, -720, -231.9, 0, 0, -0.814, 0.38, 0}},
    {"WGS 84", "Minna", "Nigeria", 26, 11, {93.2, 93.31, -121.156, 0, 0, 0, 0, 0}},
    {"WGS 84", "Minna", "S.Nigeria", 26, 11, {111.92, 87.85, -114.5, -1.875, -0.202, -0.219, -0.032, 0}},
    {"WGS 84", "Timbalai", "North Borneo", 26, 15, {533.4, -669.2, 52.5, 0, 0, 4.28, -9.4, 1}},
    {"ETRF89",
     "Ireland 1975",
     "Ireland",
     26,
     17,
     {-482.53, 130.596, -564.557, -1.042, -0.214, -0.631, -8.15, 1}},
    {"WGS 84", "Clarke 1866", "Puerto Rico", 26, 7, {-11, -72, 101, 0, 0, 0, 0, 1}},
    {"WGS 84", "Moudi", "Cameroon (via WGS72)", 26, 10, {56.7, 171.8, 38.7, 0, 0, -0.814, 0.38, 0}},
    {"WGS 84", "Ebome", "Cameroon", 26, 10, {58.14, 154.7, 36, 0, 0, 0, 0, 0}},
    {"WGS 84", "M'Poraloko", "Gabon", 26, 10, {80.69, 132.49, -41.14, 0, 0, 0, 0, 0}},
    {"WGS 84", "Arc 1950", "Congo (Zaire)", 26, 12, {169, 19, 278, 0, 0, 0, 0, 0}},
    {"WGS 84", "La Canoa 1956", "Venezuela", 26, 20, {273.5, -110.6, 357.9, 0, 0, 0, 0, 0}},
    {"WGS 84", "ED-77", "Iran", 26, 20, {122.89, 159.08, 168.74, 0, 0, 0, 0, 0}},
    {"WGS 84",
     "Ain Al Abd",
     "Saudi",
     26,
     20,
     {140.1151, 270.0292, -21.4383, 0.4864, 1.6614, 1.5513, -1.7503, 1}},
    {"WGS 84", "Nahrwan", "Zakum", 26, 11, {245.76, 152.12, -382.81, 0, 0, 0, 0, 0}},
    {"WGS 84", "Nahrwan", "Qatar", 26, 11, {250.2, 153.09, -391.7, 0, 0, 0, 0, 0}},
    {"WGS 84", "NZGD49", "New Zealand", 26, 20, {-59.47, 5.04, -187.44, 0.47, -0.1, 1.024, 4.5993, 1}},
    {"WGS 84", "SAD-69", "South America", 26, 42, {66.87, -4.37, 38.52, 0, 0, 0, 0, 0}},
    {"ITRF 2000",
     "QND95",
     "Qatar",
     26,
     20,
     {119.4248, 303.65872, 11.00061, 1.164298, 0.174458, 1.096259, -3.657065, 1}},
    {"ITRF 2000",
     "QNG-DEL",
     "Qatar",
     26,
     20,
     {121.3213, 267.4665, -7.3981, 0.88568, 0.03031, 0.12509, 1.4615, 1}},
    {"ITRF2008",
     "ETRS89",
     "Nord Stream 2",
     26,
     17,
     {0.81244, 0.7854, -0.62483, -0.027196, 0.016411, 0.026245, -0.01362, 1}},
    {"WGS 84", "ONGC", "India", 26, 14, {-280, -720, -231.9, 0, 0, -0.814, 0.38, 0}},
    {"WGS 84", "NHO", "India", 26, 36, {-295.02, -677.01, -219.04, 0, 0, 0, 0, 0}},
    {"WGS 84", "NHO (New)", "India", 26, 36, {-295, -736, -257, 0, 0, 0, 0, 0}},
    {"WGS 84",
     "E.D. 50",
     "Norway South 62",
     26,
     20,
     {90.365, 101.13, 123.384, -0.333, -0.077, -0.894, -1.994, 0}},
    {"WGS 84",
     "E.D. 50",
     "Norway North 62",
     26,
     20,
     {116.641, 56.931, 110.559, -0.893, -0.921, 0.917, 3.52, 0}},
    {"WGS 84", "Indian 1975", "Thailand - Bongkot", 26, 14, {-204.64, -834.74, -293.8, 0, 0, 0, 0, 0}},
    {"WGS 84", "Carthage", "DMA-Tunisia", 26, 11, {263, -6, -431, 0, 0, 0, 0, 0}},
    {"WGS 84", "Carthage", "ELF-Tunisia", 26, 11, {260.1, -5.5, -432.2, 0, 0, 0, 0, 0}},
    {"WGS 84", "Sol-Isr", "Israel", 26, 17, {48, -55, -52, 0, 0, 0, 0, 0}},
    {"WGS 84", "Gauss Boaga West", "Italy", 26, 20, {237.2, 57.7, -19.4, 0, 0, 0, 0, 0}},
    {"WGS 84", "Adibjan 1987", "Cote d'Ivoire", 26, 11, {124.76, -53, -466.79, 0, 0, 0, 0, 0}},
    {"WGS 84", "Accra", "Ghana", 26, 25, {199, -32, -322, 0, 0, 0, 0, 0}},
    {"WGS 84",
     "Pulkovo 1942",
     "Eastern Europe",
     26,
     21,
     {-686.1, 123.5, 574.4, -8.045, 23.366, -10.791, 2.926, 0}},
    {"WGS 84", "Potsdam", "Germany", 26, 3, {-599.4, -72.4, -419.2, 0.062, 0.022, 2.723, 6.46, 0}},
    {"WGS 84",
     "Pointe-Noire",
     "Congo 1960",
     26,
     10,
     {178.3, 316.7, 131.5, -5.278, -6.077, -10.979, -19.166, 0}},
    {"WGS 84", "MHAST (Monongo 1987)", "Cabinda", 26, 20, {254.1, 5.5, 100.3, 0, 0, 0, 0, 0}},
    {"WGS 84", "Camacupa Vumbatumba", "Cabinda", 26, 12, {50.9, 347.6, 231, 0, 0, 0, 0, 0}},
};

const HelmertSetDef kGridToGridSets[CDatum::GRID_TO_GRID_SETS] = {
    {"E.D. 50", "RD", "Dutch", 20, 3, {-654.54, -143.71, -588.94, -0.4094, 0.3597, -1.7125, -2.8772, 1}},
    {"E.D. 87",
     "LU(HAY)",
     "Luxembourg",
     20,
     20,
     {0.502, -0.147, 0.515, -2.905217, -7.215093, 5.252694, 0, 0}},
    {"Spain ED50", "Medgaz ED50", "Spainish Landfall", 20, 20, {-26.248, 7.015, -26.052, 0, 0, 0, 0, 0}},
    {"Nord Sahara", "Medgaz ED50", "Algerian Landfall", 11, 20, {-42.512, 38.454, 450.168, 0, 0, 0, 0, 0}},
    {"Moudi", "WGS72", "Cameroon", 10, 35, {-56.7, -171.8, -40.6, 0, 0, 0, 0, 0}},
    {"ED87", "E.D. 50", "South of Lat 62N", 20, 20, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"ED87",
     "E.D. 50",
     "North of Lat 65N",
     20,
     20,
     {1.51, 0.84, 3.5, 0.3904592782258739, 0.14170392189179892, 0.5701159244671503, -0.609, 0}},
    {"MHAST (MALONGO 1987", "CAMAXUPA VUMBA TUMBA", "Cabinda", 20, 12, {-203.2, 342.2, 130.7, 0, 0, 0, 0, 0}},
};

// Grid-to-grid set 5 stands for the "South of Lat 62N" polynomial rather than a Helmert set.
constexpr int POLYNOMIAL_SET = 5;
constexpr int NORTH_OF_65_SET = 6;

// Method 3: its three sets are these rows of the built-in table, under their own region names.
const int NORWAY_ROWS[3] = {7, 41, 42};
const char* const NORWAY_REGIONS[3] = {"Statens Kartwerk", "Norway South 62", "Norway North 62"};

struct NadconNamesDef
{
    const char* from;
    const char* to;
    int fromRow;
    int toRow;
};
const NadconNamesDef NADCON_NAMES[6] = {
    {"NAD27", "NAD83", 7, 17}, {"NAD83", "NAD27", 17, 7}, {"NAD83", "HPGN", 17, 17},
    {"HPGN", "NAD83", 17, 17}, {"NAD27", "HPGN", 7, 17},  {"HPGN", "NAD27", 17, 7},
};

const char* const USER_EXTENSIONS[3] = {"DMF", "GSF", "GRD"};
const int USER_BLOCK_BYTES[3] = {CDatum::DMF_BYTES, CDatum::GSF_BYTES, CDatum::GRD_BYTES};

double ReadDoubleLE(const unsigned char* p)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int32_t ReadInt32LE(const unsigned char* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

// Small-angle Helmert step, position-vector form; a rotation sign of 1 flips the rotations
// (the coordinate-frame form of the same parameters). Direction -1 negates every parameter,
// which undoes +1 to the second order of the rotations and scale.
void ApplyHelmert(const HelmertParamsDef& p, int direction, double x, double y, double z, double* ox,
                  double* oy, double* oz)
{
    const double d = direction < 0 ? -1.0 : 1.0;
    double rx = d * p.rx * kArcSecondToRad;
    double ry = d * p.ry * kArcSecondToRad;
    double rz = d * p.rz * kArcSecondToRad;
    if (p.rotationSign == 1)
    {
        rx = -rx;
        ry = -ry;
        rz = -rz;
    }
    const double s = 1.0 + d * p.ds / 1000000.0;
    *ox = (x - rz * y + ry * z) * s + d * p.tx;
    *oy = (rz * x + y - rx * z) * s + d * p.ty;
    *oz = (-ry * x + rx * y + z) * s + d * p.tz;
}

// Latitude, longitude and height through a Helmert step between two spheroids.
bool HelmertBetween(const HelmertParamsDef& p, const CSpheroid& from, const CSpheroid& to, double lat,
                    double lon, double h, double* oLat, double* oLon, double* oH, int direction)
{
    double x, y, z, X, Y, Z;
    from.GeodeticToGeocentric(lat, lon, h, &x, &y, &z);
    ApplyHelmert(p, direction, x, y, z, &X, &Y, &Z);
    *oLat = lat;
    return to.GeocentricToGeodetic(X, Y, Z, oLat, oLon, oH);
}

void FillPoint(DatumPoint* point, CProjection* projection, const CSpheroid* spheroid, double latitude,
               double longitude, double height)
{
    CDatum::SetFromGeographic(point, projection, latitude, longitude, height);
    if (!projection && spheroid)
        spheroid->GeodeticToGeocentric(latitude, longitude, height, &point->X, &point->Y, &point->Z);
}
} // namespace

CDatum::CDatum()
    : m_pToSpheroid(nullptr), m_pToProjection(nullptr), m_pLoadThread(nullptr), m_Method(0), m_Direction(1),
      m_Index(0), m_NTv2Loading(false)
{
    m_Spheroid.SetFromTable(CSpheroid::WGS84_ROW);
    m_Projection.SetSpheroid(&m_Spheroid);
    m_Projection.SetZone(31, 0, 0);
    m_NationalGridSpheroid.SetFromTable(CSpheroid::WGS84_ROW);
    m_NationalGridProjection.SetSpheroid(&m_NationalGridSpheroid);
    m_NationalGridProjection.SetZone(1, 1, 0);
    Reset();
}

CDatum::~CDatum()
{
    m_NTv2.StopLoading();
    m_pLoadThread = nullptr;
}

void CDatum::SetToSide(CSpheroid* spheroid, CProjection* projection)
{
    m_pToSpheroid = spheroid;
    m_pToProjection = projection;
}

void CDatum::Reset()
{
    m_FromName.Empty();
    m_ToName.Empty();
    m_Region.Empty();
    m_FileName.Empty();
    m_Tx = m_Ty = m_Tz = m_Rx = m_Ry = m_Rz = m_Ds = 0.0;
    m_RotationSign = 0;
    m_TxRate = m_TyRate = m_TzRate = m_RxRate = m_RyRate = m_RzRate = m_DsRate = 0.0;
    m_ReferenceEpoch = m_FixedEpoch = 0.0;
    m_TimeDependent = 0;
    m_UseFixedEpoch = 1;
    m_Nadcon.Empty();
    m_Hpgn.Empty();
    m_LatitudeShift = m_LongitudeShift = m_HeightShift = 0.0;
    for (double& c : m_GridCoefficients)
        c = 0.0;
    m_GridCoefficients[GRD_A11] = 1.0;
    m_GridCoefficients[GRD_A22] = 1.0;
}

void CDatum::SetNames(const char* from, const char* to, const char* region)
{
    m_FromName = from;
    m_ToName = to;
    m_Region = region;
}

void CDatum::SetHelmert(double tx, double ty, double tz, double rx, double ry, double rz, double ds,
                        int rotationSign)
{
    m_Tx = tx;
    m_Ty = ty;
    m_Tz = tz;
    m_Rx = rx;
    m_Ry = ry;
    m_Rz = rz;
    m_Ds = ds;
    m_RotationSign = rotationSign;
    m_TxRate = m_TyRate = m_TzRate = m_RxRate = m_RyRate = m_RzRate = m_DsRate = 0.0;
    m_ReferenceEpoch = m_FixedEpoch = 0.0;
    m_TimeDependent = 0;
    m_UseFixedEpoch = 1;
}

bool CDatum::SetDatum(int method, int index, int direction)
{
    m_Method = method;
    m_Index = index;
    m_Direction = direction;
    m_Nadcon.Empty();
    m_Hpgn.Empty();
    auto setSpheroids = [&](int fromRow, int toRow) {
        m_Spheroid.SetFromTable(fromRow);
        if (m_pToSpheroid)
            m_pToSpheroid->SetFromTable(toRow);
    };
    auto useSet = [&](const HelmertSetDef& set, const char* region) {
        SetNames(set.from, set.to, region);
        setSpheroids(set.fromRow, set.toRow);
        SetHelmert(set.p.tx, set.p.ty, set.p.tz, set.p.rx, set.p.ry, set.p.rz, set.p.ds, set.p.rotationSign);
    };
    switch (method)
    {
    case METHOD_NONE:
        if (index != 0)
            return false;
        m_FromName = m_Spheroid.m_Name;
        if (m_pToSpheroid)
        {
            CSpheroid copy = m_Spheroid;
            SwapSpheroid(copy, *m_pToSpheroid); // the "To" side takes the "From" spheroid
        }
        m_ToName = m_Spheroid.m_Name;
        m_Region = "Grid To Grid";
        break;
    case METHOD_HELMERT:
        if (index < 0 || index >= HELMERT_SETS)
            return false;
        useSet(kHelmertSets[index], kHelmertSets[index].region);
        break;
    case METHOD_NORWAY:
        if (index < 0 || index >= 3)
            return false;
        useSet(kHelmertSets[NORWAY_ROWS[index]], NORWAY_REGIONS[index]);
        break;
    case METHOD_GRID_TO_GRID:
        if (index < 0 || index >= GRID_TO_GRID_SETS)
            return false;
        useSet(kGridToGridSets[index], kGridToGridSets[index].region);
        break;
    case METHOD_OSTN:
        if (index != 0)
            return false;
        SetNames("OSTN02", "OSGB 36", "1km Squares");
        if (m_pToProjection)
            m_pToProjection->SetZone(0, 1, 0);
        if (!m_Ostn.IsLoaded())
            m_Ostn.Load();
        break;
    case METHOD_NADCON:
        if (index < 0 || index >= 6)
            return false;
        SetNames(NADCON_NAMES[index].from, NADCON_NAMES[index].to, "");
        setSpheroids(NADCON_NAMES[index].fromRow, NADCON_NAMES[index].toRow);
        break;
    case METHOD_NTV2:
        if (index != 0)
            return false;
        SetNames("NAD83", "NAD27", "Canada NTv2");
        setSpheroids(CSpheroid::WGS84_ROW, 7);
        break;
    case METHOD_USER_HELMERT:
    case METHOD_USER_SHIFT:
    case METHOD_USER_GRID: {
        const int kind = method - METHOD_USER_HELMERT;
        CString folder;
        if (index < 0 || !GetGlobalDataFolder(folder))
            return false;
        CString pattern;
        pattern.Format("%s*.%s", folder.GetString(), USER_EXTENSIONS[kind]);
        CFileFind finder;
        BOOL more = finder.FindFile(pattern);
        int count = 0;
        CString title;
        while (more)
        {
            more = finder.FindNextFile();
            if (finder.IsDirectory() || finder.IsDots())
                continue;
            if (count++ == index)
            {
                title = finder.GetFileTitle();
                break;
            }
        }
        if (title.IsEmpty())
            return false;
        Reset();
        unsigned char block[GRD_BYTES] = {};
        m_Method = method;
        if (!LoadUserFile(title, USER_EXTENSIONS[kind], block, USER_BLOCK_BYTES[kind]))
            return false;
        return DecodeUserBlock(block);
    }
    default:
        return false;
    }
    if (m_Direction == -1 && (method == METHOD_NONE || method == METHOD_HELMERT || method == METHOD_NORWAY ||
                              method == METHOD_GRID_TO_GRID))
        Reverse();
    return true;
}

bool CDatum::DecodeUserBlock(const unsigned char* b)
{
    switch (m_Method)
    {
    case METHOD_USER_HELMERT:
        m_Tx = ReadDoubleLE(b);
        m_Ty = ReadDoubleLE(b + 8);
        m_Tz = ReadDoubleLE(b + 16);
        m_Rx = ReadDoubleLE(b + 24);
        m_Ry = ReadDoubleLE(b + 32);
        m_Rz = ReadDoubleLE(b + 40);
        m_Ds = ReadDoubleLE(b + 48);
        m_RotationSign = ReadInt32LE(b + 56);
        m_TxRate = ReadDoubleLE(b + 64);
        m_TyRate = ReadDoubleLE(b + 72);
        m_TzRate = ReadDoubleLE(b + 80);
        m_RxRate = ReadDoubleLE(b + 88);
        m_RyRate = ReadDoubleLE(b + 96);
        m_RzRate = ReadDoubleLE(b + 104);
        m_DsRate = ReadDoubleLE(b + 112);
        m_ReferenceEpoch = ReadDoubleLE(b + 120);
        m_FixedEpoch = ReadDoubleLE(b + 128);
        m_TimeDependent = b[136];
        m_UseFixedEpoch = b[137];
        return true;
    case METHOD_USER_SHIFT:
        m_LatitudeShift = ReadDoubleLE(b);
        m_LongitudeShift = ReadDoubleLE(b + 8);
        m_HeightShift = ReadDoubleLE(b + 16);
        return true;
    case METHOD_USER_GRID:
        for (int i = 0; i < GRD_COEFFICIENTS; ++i)
            m_GridCoefficients[i] = ReadDoubleLE(b + 8 * i);
        return true;
    default:
        return false;
    }
}

bool CDatum::LoadUserFile(const char* name, const char* extension, void* destination, int size)
{
    CString folder, path;
    CUserFile file;
    bool read = GetGlobalDataFolder(folder);
    if (read)
    {
        path.Format("%s%s.%s", folder.GetString(), name, extension);
        read = file.Read(path);
    }
    CString lines[7];
    for (int i = 0; read && i < 7; ++i)
        read = file.ReadLine(lines[i]);
    if (read)
        read = file.ReadBytes(destination, static_cast<size_t>(size));
    m_Direction = 1;
    if (!read)
    {
        // A missing or short file must not leave half its values in force.
        std::memset(destination, 0, static_cast<size_t>(size));
        m_Spheroid.SetFromTable(CSpheroid::WGS84_ROW);
        if (m_pToSpheroid)
            m_pToSpheroid->SetFromTable(20);
        return false;
    }
    m_FileName = name;
    SetNames(lines[0], lines[1], lines[2].IsEmpty() ? name : (const char*)lines[2]);
    m_Spheroid.FindByName(lines[3], lines[4]);
    if (m_pToSpheroid)
        m_pToSpheroid->FindByName(lines[5], lines[6]);
    return true;
}

bool CDatum::Apply()
{
    if (m_Method == METHOD_NONE)
    {
        if (m_pToSpheroid)
        {
            CSpheroid copy = m_Spheroid;
            SwapSpheroid(copy, *m_pToSpheroid);
        }
        return true;
    }
    if (m_Method >= METHOD_USER_HELMERT && m_Method <= METHOD_USER_GRID)
    {
        const int kind = m_Method - METHOD_USER_HELMERT;
        const CString title = m_FileName;
        Reset();
        m_FileName = title; // kept for the settings even when the file has gone
        unsigned char block[GRD_BYTES] = {};
        if (title.IsEmpty() || !LoadUserFile(title, USER_EXTENSIONS[kind], block, USER_BLOCK_BYTES[kind]))
            return false;
        return DecodeUserBlock(block);
    }
    return SetDatum(m_Method, m_Index, m_Direction);
}

void CDatum::SwapSpheroid(CSpheroid& a, CSpheroid& b)
{
    std::swap(a.m_Name, b.m_Name);
    std::swap(a.m_Country, b.m_Country);
    std::swap(a.m_SemiMajor, b.m_SemiMajor);
    std::swap(a.m_SemiMinor, b.m_SemiMinor);
    std::swap(a.m_InverseFlattening, b.m_InverseFlattening);
    std::swap(a.m_Code, b.m_Code);
    std::swap(a.m_TableIndex, b.m_TableIndex);
    a.ComputeConstants();
    b.ComputeConstants();
}

void CDatum::Reverse()
{
    std::swap(m_FromName, m_ToName);
    if (m_pToSpheroid)
        SwapSpheroid(m_Spheroid, *m_pToSpheroid);
    if (m_pToProjection)
    {
        const CString ownName = m_Projection.m_Name, ownCountry = m_Projection.m_Country;
        const int ownType = m_Projection.m_DataType, ownMethod = m_Projection.m_Method;
        const CString toName = m_pToProjection->m_Name, toCountry = m_pToProjection->m_Country;
        const int toType = m_pToProjection->m_DataType, toMethod = m_pToProjection->m_Method;
        m_Projection.FindByName(toName, toCountry, toType, toMethod, &m_Spheroid);
        m_pToProjection->FindByName(ownName, ownCountry, ownType, ownMethod, m_pToSpheroid);
    }
    m_Tx = -m_Tx;
    m_Ty = -m_Ty;
    m_Tz = -m_Tz;
    m_Rx = -m_Rx;
    m_Ry = -m_Ry;
    m_Rz = -m_Rz;
    m_Ds = -m_Ds;
    m_LatitudeShift = -m_LatitudeShift;
    m_LongitudeShift = -m_LongitudeShift;
    m_HeightShift = -m_HeightShift;
}

double CDatum::CurrentEpoch() const
{
    if (m_UseFixedEpoch)
        return m_FixedEpoch;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int year = utc.tm_year + 1900;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const double seconds = utc.tm_hour * 3600.0 + utc.tm_min * 60.0 + utc.tm_sec;
    return year + (utc.tm_yday + seconds / 86400.0) / (leap ? 366.0 : 365.0);
}

bool CDatum::HelmertGeographic(const CSpheroid& from, const CSpheroid& to, double lat, double lon, double h,
                               double* oLat, double* oLon, double* oH, int direction) const
{
    HelmertParamsDef p{m_Tx, m_Ty, m_Tz, m_Rx, m_Ry, m_Rz, m_Ds, m_RotationSign};
    if (m_TimeDependent)
    {
        const double dt = CurrentEpoch() - m_ReferenceEpoch;
        p.tx += m_TxRate * dt;
        p.ty += m_TyRate * dt;
        p.tz += m_TzRate * dt;
        p.rx += m_RxRate * dt;
        p.ry += m_RyRate * dt;
        p.rz += m_RzRate * dt;
        p.ds += m_DsRate * dt;
    }
    return HelmertBetween(p, from, to, lat, lon, h, oLat, oLon, oH, direction);
}

bool CDatum::ConvertNorway(double lat, double lon, double h, double* oLat, double* oLon, double* oH,
                           int direction)
{
    const HelmertParamsDef& north = kGridToGridSets[NORTH_OF_65_SET].p;
    const CSpheroid* from = direction >= 0 ? &m_Spheroid : m_pToSpheroid;
    const CSpheroid* to = direction >= 0 ? m_pToSpheroid : &m_Spheroid;
    // The "South of Lat 62N" polynomial is data this system may not hold: a point that needs
    // it then fails rather than take a wrong value.
    static const NorwayPolynomialDef kNone = {};
    const NorwayPolynomialDef* table = NorwayCoefficients();
    auto unavailable = [&](double latitude) {
        if (table || !NorwayNeedsPolynomial(latitude))
            return false;
        m_AreaText = " (South of Lat 65N: Polynomial Not Available)";
        return true;
    };
    NorwayPointDef out;
    if (direction >= 0)
    {
        double lat1, lon1, h1;
        if (!HelmertGeographic(*from, *to, lat, lon, h, &lat1, &lon1, &h1, 1) || unavailable(lat1))
            return false;
        auto northern = [&](const NorwayPointDef& p, NorwayPointDef& o) {
            return HelmertBetween(north, *to, *to, p.latitude, p.longitude, p.height, &o.latitude, &o.longitude,
                                  &o.height, 1);
        };
        if (!NorwayBlend(table ? *table : kNone, 1, {lat1, lon1, h1}, northern, out))
            return false;
        *oLat = out.latitude;
        *oLon = out.longitude;
        *oH = out.height;
        return true;
    }
    if (unavailable(lat))
        return false;
    auto northern = [&](const NorwayPointDef& p, NorwayPointDef& o) {
        return HelmertBetween(north, *from, *from, p.latitude, p.longitude, p.height, &o.latitude, &o.longitude,
                              &o.height, -1);
    };
    if (!NorwayBlend(table ? *table : kNone, -1, {lat, lon, h}, northern, out))
        return false;
    return HelmertGeographic(*from, *to, out.latitude, out.longitude, out.height, oLat, oLon, oH, -1);
}

bool CDatum::ConvertNadcon(double lat, double lon, double* oLat, double* oLon, int direction)
{
    // Each index is a chain of (grid, forward) steps; direction -1 runs it backwards.
    struct StepDef
    {
        bool hpgn;
        bool forward;
    };
    StepDef steps[2];
    int count = 1;
    switch (m_Index)
    {
    case 0:
        steps[0] = {false, true};
        break;
    case 1:
        steps[0] = {false, false};
        break;
    case 2:
        steps[0] = {true, true};
        break;
    case 3:
        steps[0] = {true, false};
        break;
    case 4:
        steps[0] = {false, true};
        steps[1] = {true, true};
        count = 2;
        break;
    default:
        steps[0] = {true, false};
        steps[1] = {false, false};
        count = 2;
        break;
    }
    if (direction < 0)
    {
        if (count == 2)
            std::swap(steps[0], steps[1]);
        for (int i = 0; i < count; ++i)
            steps[i].forward = !steps[i].forward;
    }
    CString folder;
    if (!GetGlobalDataFolder(folder))
    {
        m_AreaText = "(Out Of Limits)";
        return false;
    }
    double latDeg = lat / kDegToRad, lonDeg = lon / kDegToRad;
    const NadconGrid* used = nullptr;
    for (int i = 0; i < count; ++i)
    {
        NadconGrid& grid = steps[i].hpgn ? m_Hpgn : m_Nadcon;
        const NadconAreaDef* areas = steps[i].hpgn ? HPGN_AREAS : NADCON_AREAS;
        double nLat, nLon;
        if (!grid.Select(folder, areas, latDeg, lonDeg) ||
            !(steps[i].forward ? grid.Forward(latDeg, lonDeg, &nLat, &nLon)
                               : grid.Inverse(latDeg, lonDeg, &nLat, &nLon)))
        {
            m_AreaText = " (Out Of Limits)";
            return false;
        }
        latDeg = nLat;
        lonDeg = nLon;
        used = &grid;
    }
    m_AreaText.Format("  (%s)", used->Description.GetString());
    *oLat = latDeg * kDegToRad;
    *oLon = lonDeg * kDegToRad;
    return true;
}

bool CDatum::Convert(DatumPoint* from, DatumPoint* to, int direction)
{
    const bool forward = direction >= 0;
    DatumPoint* source = forward ? from : to;
    DatumPoint* target = forward ? to : from;
    if (!m_pToSpheroid)
    {
        *target = DatumPoint{};
        return false;
    }
    CSpheroid* sourceSpheroid = forward ? &m_Spheroid : m_pToSpheroid;
    CSpheroid* targetSpheroid = forward ? m_pToSpheroid : &m_Spheroid;
    CProjection* sourceProjection = forward ? &m_Projection : m_pToProjection;
    CProjection* targetProjection = forward ? m_pToProjection : &m_Projection;
    const double d = forward ? 1.0 : -1.0;
    const double lat = source->Latitude, lon = source->Longitude, h = source->Height;
    double oLat = lat, oLon = lon, oH = h;
    switch (m_Method)
    {
    case METHOD_NONE:
        break;
    case METHOD_HELMERT:
    case METHOD_USER_HELMERT:
        if (!HelmertGeographic(*sourceSpheroid, *targetSpheroid, lat, lon, h, &oLat, &oLon, &oH, direction))
            return false;
        break;
    case METHOD_GRID_TO_GRID:
        if (m_Index == POLYNOMIAL_SET)
            return false; // the "South of Lat 62N" polynomial is not held
        if (!HelmertGeographic(*sourceSpheroid, *targetSpheroid, lat, lon, h, &oLat, &oLon, &oH, direction))
            return false;
        break;
    case METHOD_NORWAY:
        if (!ConvertNorway(lat, lon, h, &oLat, &oLon, &oH, direction))
            return false;
        break;
    case METHOD_OSTN: {
        // The grid's National Grid co-ordinates are OSGB36 on Airy 1830: they become latitude
        // and longitude on that spheroid (the grid's own), never on the ETRS89 side's GRS80.
        bool done = false;
        if (forward)
        {
            double e = 0.0, n = 0.0;
            done = m_Ostn.EtrsToOsgb(e, n, lon, lat);
            if (done)
            {
                oLat = 0.0;
                NationalGridToGeographic(oLat, &oLon, m_Ostn.m_FromConstants, e, n);
            }
        }
        else if (m_Ostn.IsLoaded())
        {
            double e = 0.0, n = 0.0;
            GeographicToNationalGrid(&e, &n, m_Ostn.m_FromConstants, lat, lon);
            done = m_Ostn.OsgbToEtrs(oLat, oLon, n, e);
        }
        if (!done)
        {
            m_AreaText = m_Ostn.IsLoaded() ? " (Out Of Limits)" : "(Out Of Limits)";
            return false;
        }
        m_AreaText.Format("  (%s)", m_Region.GetString());
        break;
    }
    case METHOD_NADCON:
        if (!ConvertNadcon(lat, lon, &oLat, &oLon, direction))
            return false;
        break;
    case METHOD_NTV2: {
        if (!m_NTv2.m_bLoaded)
            return false;
        // The file shifts NAD27 to NAD83 and the "From" side is NAD83: direction -1 applies
        // the file, +1 undoes it.
        if (!forward)
        {
            if (m_NTv2.Transform(&oLat, &oLon, lat, lon) < 0)
                return false;
        }
        else
        {
            // The grid shifts one way only: iterate the file's shift onto the given point.
            double gLat = lat, gLon = lon;
            bool done = false;
            for (int round = 0; round < 10 && !done; ++round)
            {
                double fLat, fLon;
                if (m_NTv2.Transform(&fLat, &fLon, gLat, gLon) < 0)
                    return false;
                gLat += lat - fLat;
                gLon += lon - fLon;
                done = std::fabs(lat - fLat) < 1e-12 && std::fabs(lon - fLon) < 1e-12;
            }
            if (!done)
                return false;
            oLat = gLat;
            oLon = gLon;
        }
        break;
    }
    case METHOD_USER_SHIFT:
        oLat = lat + d * m_LatitudeShift * kArcSecondToRad;
        oLon = lon + d * m_LongitudeShift * kArcSecondToRad;
        oH = h + d * m_HeightShift;
        break;
    case METHOD_USER_GRID: {
        if (!sourceProjection || !targetProjection)
            return false;
        double e = 0.0, n = 0.0;
        if (!sourceProjection->GeographicToGrid(lat, lon, &e, &n))
            return false;
        const double* c = m_GridCoefficients;
        const double e0 = c[GRD_FROM_EASTING], n0 = c[GRD_FROM_NORTHING];
        double oe, on;
        if (forward)
        {
            const double de = e - e0, dn = n - n0;
            oe = e0 + c[GRD_SHIFT_EASTING] + c[GRD_A11] * de + c[GRD_A12] * dn;
            on = n0 + c[GRD_SHIFT_NORTHING] + c[GRD_A21] * de + c[GRD_A22] * dn;
        }
        else
        {
            const double det = c[GRD_A11] * c[GRD_A22] - c[GRD_A12] * c[GRD_A21];
            if (det == 0.0 || !std::isfinite(det))
                return false;
            const double re = e - e0 - c[GRD_SHIFT_EASTING], rn = n - n0 - c[GRD_SHIFT_NORTHING];
            oe = e0 + (c[GRD_A22] * re - c[GRD_A12] * rn) / det;
            on = n0 + (c[GRD_A11] * rn - c[GRD_A21] * re) / det;
        }
        if (!targetProjection->GridToGeographic(oe, on, &oLat, &oLon))
            return false;
        FillPoint(target, targetProjection, targetSpheroid, oLat, oLon, oH);
        target->Easting = oe;
        target->Northing = on;
        return true;
    }
    default:
        return false;
    }
    FillPoint(target, targetProjection, targetSpheroid, oLat, oLon, oH);
    if (!targetProjection || !targetProjection->GetSpheroid())
        targetSpheroid->GeodeticToGeocentric(oLat, oLon, oH, &target->X, &target->Y, &target->Z);
    return true;
}

bool CDatum::ConvertGeographic(double latitude, double longitude, double height, double* outLatitude,
                               double* outLongitude, double* outHeight, int direction)
{
    DatumPoint from{}, to{};
    if (direction >= 0)
        FillPoint(&from, m_pToProjection ? &m_Projection : nullptr, &m_Spheroid, latitude, longitude, height);
    else
        FillPoint(&to, nullptr, m_pToSpheroid, latitude, longitude, height);
    if (!Convert(&from, &to, direction))
        return false;
    const DatumPoint& result = direction >= 0 ? to : from;
    *outLatitude = result.Latitude;
    *outLongitude = result.Longitude;
    if (outHeight)
        *outHeight = result.Height;
    return true;
}

void CDatum::SetFromGeographic(DatumPoint* point, CProjection* projection, double latitude, double longitude,
                               double height)
{
    point->Latitude = latitude;
    point->Longitude = longitude;
    point->Height = height;
    if (projection)
        projection->GeographicToGrid(latitude, longitude, &point->Easting, &point->Northing,
                                     &point->Convergence, &point->Scale);
    CSpheroid* spheroid = projection ? projection->GetSpheroid() : nullptr;
    if (spheroid)
        spheroid->GeodeticToGeocentric(latitude, longitude, height, &point->X, &point->Y, &point->Z);
    else
        point->X = point->Y = point->Z = 0.0;
}

void CDatum::SetFromGrid(DatumPoint* point, CProjection* projection, double easting, double northing,
                         double height)
{
    point->Easting = easting;
    point->Northing = northing;
    point->Height = height;
    if (projection)
        projection->GridToGeographic(easting, northing, &point->Latitude, &point->Longitude,
                                     &point->Convergence, &point->Scale);
    CSpheroid* spheroid = projection ? projection->GetSpheroid() : nullptr;
    if (spheroid)
        spheroid->GeodeticToGeocentric(point->Latitude, point->Longitude, height, &point->X, &point->Y,
                                       &point->Z);
    else
        point->X = point->Y = point->Z = 0.0;
}

bool CDatum::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile("Datum", [this](CConfigFile& file) {
        file.WriteInt("Type", m_Method);
        file.WriteInt("Direction", m_Direction);
        file.WriteInt("Number", m_Index);
        file.WriteText("File Name", m_FileName);
    });
}

void CDatum::LoadSettings()
{
    m_Spheroid.LoadSettings("(From)");
    m_Projection.LoadSettings("(From)");
    if (m_pToSpheroid)
        m_pToSpheroid->LoadSettings();
    if (m_pToProjection)
        m_pToProjection->LoadSettings();
    int method = METHOD_HELMERT, direction = 1, index = 2;
    CString fileName;
    CConfigFile file;
    if (file.OpenForRead("Datum"))
    {
        try
        {
            method = file.ReadInt(METHOD_HELMERT);
            direction = file.ReadInt(1);
            index = file.ReadInt(2);
            fileName = file.ReadText("");
        }
        catch (CException* e)
        {
            e->Delete();
        }
        file.Abort();
    }
    m_Method = method;
    m_Direction = direction;
    m_Index = index;
    m_FileName = fileName;
    Apply();
    // A loader may be appending: the count is read under its lock.
    if (m_NTv2.SubGridCount() == 0)
    {
        // A load still running is asked to stop and waited for; destroying it mid-read
        // would leave the grid half-written.
        if (m_pLoadThread)
        {
            m_NTv2.StopLoading();
            m_pLoadThread = nullptr;
        }
        m_pLoadThread = CNTv2Thread::StartLoad(&m_NTv2, &m_NTv2Loading);
    }
}
