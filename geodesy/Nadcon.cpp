#include "geodesy/Nadcon.h"

#include "platform/core/Exception.h"
#include "platform/core/File.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

const NadconAreaDef NADCON_AREAS[] = {
    {"Conterminous U S (lower 48 states)", "CONUS"},
    {"Alaska, incl. Aleutian Islands", "ALASKA"},
    {"St. Lawrence Is., Old Island Datum within Alaska", "STLRNC"},
    {"St. George Is., Old Island Datum within Alaska", "STGEORGE"},
    {"St. Paul Is., Old Island Datum within Alaska", "STPAUL"},
    {"", ""},
};

const NadconAreaDef HPGN_AREAS[] = {
    {"Alabama", "ALHPGN"},
    {"Arkansas", "ARHPGN"},
    {"Arizona", "AZHPGN"},
    {"California (Above 37 degrees latitude)", "CNHPGN"},
    {"California  (Below 37 degrees latitude)", "CSHPGN"},
    {"Colorado", "COHPGN"},
    {"Florida", "FLHPGN"},
    {"Georgia", "GAHPGN"},
    {"Guam", "GUHPGN"},
    {"Hawaii", "HIHPGN"},
    {"Idaho-Montana (East of 113 degrees longitude)", "EMHPGN"},
    {"Idaho-Montana (West of 113 degrees longitude)", "WMHPGN"},
    {"Iowa", "IAHPGN"},
    {"Illinois", "ILHPGN"},
    {"Indiana", "INHPGN"},
    {"Kansas", "KSHPGN"},
    {"Kentucky", "KYHPGN"},
    {"Louisiana", "LAHPGN"},
    {"Maryland - Delaware", "MDHPGN"},
    {"Maine", "MEHPGN"},
    {"Michigan", "MIHPGN"},
    {"Minnesota", "MNHPGN"},
    {"Mississippi", "MSHPGN"},
    {"Missouri", "MOHPGN"},
    {"Nebraska", "NBHPGN"},
    {"Nevada", "NVHPGN"},
    {"New England", "NEHPGN"},
    {"New Jersey", "NJHPGN"},
    {"New Mexico", "NMHPGN"},
    {"New York", "NYHPGN"},
    {"North Dakota", "NDHPGN"},
    {"Ohio", "OHHPGN"},
    {"Oklahoma", "OKHPGN"},
    {"Puerto Rico-Virgin Isands", "PVHPGN"},
    {"Samoa (Eastern Islands)", "ESHPGN"},
    {"Samoa (Western Islands)", "WSHPGN"},
    {"South Dakota", "SDHPGN"},
    {"Tennessee", "TNHPGN"},
    {"Texas (East of 100 degrees longitude)", "ETHPGN"},
    {"Texas (West of 100 degrees longitude)", "WTHPGN"},
    {"Utah", "UTHPGN"},
    {"Virginia", "VAHPGN"},
    {"Washington-Oregon", "WOHPGN"},
    {"West Virginia", "WVHPGN"},
    {"Wisconsin", "WIHPGN"},
    {"Wyoming", "WYHPGN"},
    {"", ""},
};

namespace
{
constexpr int HEADER_BYTES = 96;
// A grid larger than this many nodes is taken for a damaged header, not allocated.
constexpr int64_t MAX_NODES = 64LL * 1024 * 1024;

int32_t ReadInt32(const unsigned char* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

float ReadFloat(const unsigned char* p)
{
    const uint32_t bits = static_cast<uint32_t>(ReadInt32(p));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void CopyTrimmed(char* target, const unsigned char* source, int length)
{
    std::memcpy(target, source, length);
    target[length] = '\0';
    for (int i = length - 1; i >= 0 && (target[i] == ' ' || target[i] == '\0'); --i)
        target[i] = '\0';
}

bool SameGeometry(const NadconHeaderDef& a, const NadconHeaderDef& b)
{
    return a.NC == b.NC && a.NR == b.NR && a.NZ == b.NZ && a.XMIN == b.XMIN && a.DX == b.DX &&
           a.YMIN == b.YMIN && a.DY == b.DY && a.ANGLE == b.ANGLE;
}

// Reads one file of a pair whole into `buffer` (owned by the caller on success). The header
// record is as long as every data record, (NC + 1) x 4 bytes, which is how the data are found:
// a header padded with zero words cannot be told from data that start with zeros otherwise.
bool ReadShiftFile(const CString& path, NadconHeaderDef& header, float*& buffer,
                   NadconStatisticsDef& statistics)
{
    buffer = nullptr;
    std::vector<unsigned char> bytes;
    try
    {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
            return false;
        const ULONGLONG length = file.GetLength();
        if (length < HEADER_BYTES || length > ULONGLONG(1) << 32)
            return false;
        bytes.resize(static_cast<size_t>(length));
        const UINT got = file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        if (got != bytes.size())
            return false;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    const unsigned char* p = bytes.data();
    std::memset(&header, 0, sizeof header);
    CopyTrimmed(header.Identifier, p, 56);
    CopyTrimmed(header.Program, p + 56, 8);
    header.NC = ReadInt32(p + 64);
    header.NR = ReadInt32(p + 68);
    header.NZ = ReadInt32(p + 72);
    header.XMIN = ReadFloat(p + 76);
    header.DX = ReadFloat(p + 80);
    header.YMIN = ReadFloat(p + 84);
    header.DY = ReadFloat(p + 88);
    header.ANGLE = ReadFloat(p + 92);
    if (header.NC < 2 || header.NR < 2 || int64_t(header.NC) * header.NR > MAX_NODES || !(header.DX > 0.0f) ||
        !(header.DY > 0.0f) || !std::isfinite(header.XMIN) || !std::isfinite(header.YMIN))
        return false;
    const size_t record = (size_t(header.NC) + 1) * 4;
    if (record < HEADER_BYTES || bytes.size() < record * (size_t(header.NR) + 1))
        return false;
    buffer = new (std::nothrow) float[size_t(header.NC) * header.NR];
    if (!buffer)
        return false;
    statistics = NadconStatisticsDef{0.0, 0.0, 0.0, 0};
    double sum = 0.0;
    for (int32_t row = 0; row < header.NR; ++row)
    {
        const unsigned char* data = p + record * (size_t(row) + 1) + 4;
        for (int32_t column = 0; column < header.NC; ++column)
        {
            const float value = ReadFloat(data + 4 * size_t(column));
            buffer[size_t(row) * header.NC + column] = value;
            if (value != 0.0f)
            {
                if (statistics.Count == 0 || value < statistics.Minimum)
                    statistics.Minimum = value;
                if (statistics.Count == 0 || value > statistics.Maximum)
                    statistics.Maximum = value;
                sum += value;
                ++statistics.Count;
            }
        }
    }
    statistics.Mean = statistics.Count ? sum / statistics.Count : 0.0;
    return true;
}

double WestOf180(double longitude)
{
    return longitude > 0.0 ? longitude - 360.0 : longitude;
}
} // namespace

NadconGrid::NadconGrid() : LatitudeShifts(nullptr), LongitudeShifts(nullptr)
{
    Empty();
}

NadconGrid::~NadconGrid()
{
    Empty();
}

void NadconGrid::Empty()
{
    std::memset(&Header, 0, sizeof Header);
    LatitudeStatistics = NadconStatisticsDef{0.0, 0.0, 0.0, 0};
    LongitudeStatistics = LatitudeStatistics;
    delete[] LatitudeShifts;
    delete[] LongitudeShifts;
    LatitudeShifts = nullptr;
    LongitudeShifts = nullptr;
    Description.Empty();
    AreaCode.Empty();
}

bool NadconGrid::Load(const char* folder, const char* code, const char* description)
{
    Empty();
    CString lasPath, losPath;
    lasPath.Format("%s%s.las", folder, code);
    losPath.Format("%s%s.los", folder, code);
    NadconHeaderDef lasHeader, losHeader;
    float* las = nullptr;
    float* los = nullptr;
    if (!ReadShiftFile(lasPath, lasHeader, las, LatitudeStatistics) ||
        !ReadShiftFile(losPath, losHeader, los, LongitudeStatistics) || !SameGeometry(lasHeader, losHeader))
    {
        delete[] las;
        delete[] los;
        Empty();
        return false;
    }
    Header = lasHeader;
    LatitudeShifts = las;
    LongitudeShifts = los;
    Description = description;
    AreaCode = code;
    return true;
}

bool NadconGrid::Contains(double latitude, double longitude) const
{
    if (!IsLoaded())
        return false;
    longitude = WestOf180(longitude);
    const double north = Header.YMIN + (Header.NR - 1) * double(Header.DY);
    const double east = Header.XMIN + (Header.NC - 1) * double(Header.DX);
    return latitude > Header.YMIN && latitude < north && longitude > Header.XMIN && longitude < east;
}

bool NadconGrid::Select(const char* folder, const NadconAreaDef* areas, double latitude, double longitude)
{
    if (Contains(latitude, longitude))
        return true;
    for (const NadconAreaDef* area = areas; area->Code && *area->Code; ++area)
    {
        if (Load(folder, area->Code, area->Description) && Contains(latitude, longitude))
            return true;
    }
    Empty();
    Description = "Not Selected";
    return false;
}

void NadconGrid::Interpolate(double latitude, double longitude, double* latitudeShift,
                             double* longitudeShift) const
{
    const double column = (longitude - Header.XMIN) / Header.DX;
    const double row = (latitude - Header.YMIN) / Header.DY;
    int i = static_cast<int>(std::floor(column));
    int j = static_cast<int>(std::floor(row));
    // Float spacing can put a point just inside the east or north edge into the last node's
    // column; the last cell serves it.
    if (i > Header.NC - 2)
        i = Header.NC - 2;
    if (j > Header.NR - 2)
        j = Header.NR - 2;
    const double x = column - i;
    const double y = row - j;
    auto bilinear = [&](const float* v) {
        const size_t n = size_t(j) * Header.NC + i;
        const double a = v[n], b = v[n + 1], c = v[n + Header.NC], d = v[n + Header.NC + 1];
        return a + (b - a) * x + (c - a) * y + (d - b - c + a) * x * y;
    };
    *latitudeShift = bilinear(LatitudeShifts);
    *longitudeShift = bilinear(LongitudeShifts);
}

bool NadconGrid::Forward(double latitude, double longitude, double* outLatitude, double* outLongitude) const
{
    if (!Contains(latitude, longitude))
        return false;
    longitude = WestOf180(longitude);
    double dLat = 0.0, dLon = 0.0;
    Interpolate(latitude, longitude, &dLat, &dLon);
    double lon = longitude - dLon / 3600.0;
    if (lon < -180.0)
        lon += 360.0;
    *outLatitude = latitude + dLat / 3600.0;
    *outLongitude = lon;
    return true;
}

bool NadconGrid::Inverse(double latitude, double longitude, double* outLatitude, double* outLongitude) const
{
    const double targetLon = WestOf180(longitude);
    double lat = latitude, lon = targetLon;
    for (int round = 0; round < 10; ++round)
    {
        double fLat = 0.0, fLon = 0.0;
        if (!Forward(lat, lon, &fLat, &fLon))
            return false;
        const double rLat = latitude - fLat;
        double rLon = targetLon - WestOf180(fLon);
        if (rLon > 180.0)
            rLon -= 360.0;
        else if (rLon < -180.0)
            rLon += 360.0;
        if (std::fabs(rLat) < 1e-9 && std::fabs(rLon) < 1e-9)
        {
            *outLatitude = lat;
            *outLongitude = lon < -180.0 ? lon + 360.0 : lon;
            return true;
        }
        lat += rLat;
        lon += rLon;
    }
    return false;
}
