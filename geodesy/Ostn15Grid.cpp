#include "geodesy/Ostn15Grid.h"

#include "platform/core/File.h"
#include "platform/core/FileApi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace
{
const double kPi = 3.14159265358979323846;
const double kScale = 0.9996012717;               // on the central meridian
const double kOriginLatitude = 0.855211333477207; // 49 N
const double kMeridianOffset = 0.034906585039886; // 2 W: added to a longitude east
const double kFalseEasting = 400000.0;
const double kFalseNorthing = -100000.0;
const double kArcSecondsPerRadian = 206264.80624716;
const double kRadToDeg = 57.2957795131;
const double kRadiansPerDegree = 0.017453292519943;
const double kTolerance = 4.848136811095278e-9; // radians
const int kMaxRounds = 100;

double ArcSeries(const NationalGridConstantsDef& c, double phi)
{
    return c.A0 * phi - c.A2 * std::sin(2 * phi) + c.A4 * std::sin(4 * phi) - c.A6 * std::sin(6 * phi);
}

double IntoHalfTurn(double angle)
{
    if (angle > kPi)
        angle -= 2 * kPi;
    else if (angle < -kPi)
        angle += 2 * kPi;
    return angle;
}

int32_t Int32At(const BYTE* p)
{
    const uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                       static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
}

double DoubleAt(const BYTE* p)
{
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = u << 8 | p[i];
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

// Byte offsets of the header values (each record is an 8-byte name, then its value).
const int kNumOrec = 8;
const int kNumSrec = 24;
const int kNumFile = 40;
const int kMajorF = 120;
const int kMinorF = 136;
const int kMajorT = 152;
const int kMinorT = 168;
const int kSLat = 176 + 72;
const int kNLat = 176 + 88;
const int kELong = 176 + 104;
const int kWLong = 176 + 120;
const int kLatInc = 176 + 136;
const int kLongInc = 176 + 152;
const int kGsCount = 344;

// Nodes along one axis: as for an NTv2 sub-grid, a spacing that is not exact in binary keeps
// its last node.
int32_t NodeCount(double from, double to, double spacing)
{
    if (!(spacing > 0.0) || !(to >= from))
        return 0;
    const double cells = (to - from) / spacing;
    if (!(cells < 2.0e9))
        return 0;
    return static_cast<int32_t>(std::floor(cells + 1.0e-6)) + 1;
}

// The cell of an offset from the first node along one axis: the node below it, the one after,
// and the fraction between them. A point on the last node (the north or west boundary) takes
// the last cell inside, with the fraction 1.
void Cell(double offset, double spacing, int32_t nodes, int32_t& first, int32_t& second, double& fraction)
{
    double whole = std::floor(offset / spacing);
    if (!(whole >= 0.0))
        whole = 0.0;
    if (whole > nodes - 1)
        whole = nodes - 1;
    first = static_cast<int32_t>(whole);
    if (nodes < 2)
    {
        second = first;
        fraction = 0.0;
        return;
    }
    if (first == nodes - 1)
        first = nodes - 2;
    second = first + 1;
    fraction = std::min(std::max((offset - first * spacing) / spacing, 0.0), 1.0);
}
} // namespace

void ComputeNationalGridConstants(double a, double b, NationalGridConstantsDef& c)
{
    const double f = (a - b) / a;
    const double e2 = 2 * f - f * f;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e4 * e4;
    c.a = a;
    c.e2 = e2;
    c.oneMinusE2 = 1 - e2;
    // With the e^8 terms the meridian arc stays within 0.03 mm of the exact arc over the
    // grid's latitudes; the series cut at e^6 drifts by 0.034 mm a degree from 49 N (0.4 mm
    // at 61 N).
    c.A0 = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256 - 175 * e8 / 16384;
    c.A2 = 3.0 / 8.0 * (e2 + e4 / 4 + 15 * e6 / 128) + 105 * e8 / 4096;
    c.A4 = 15.0 / 256.0 * (e4 + 3 * e6 / 4) + 525 * e8 / 16384;
    c.A6 = 35 * e6 / 3072 + 175 * e8 / 12288;
    c.M0 = a * ArcSeries(c, kOriginLatitude);
}

void GeographicToNationalGrid(double* easting, double* northing, const NationalGridConstantsDef& c,
                              double latitude, double longitude)
{
    const double s = std::sin(latitude);
    const double co = std::cos(latitude);
    const double w = 1 - c.e2 * s * s;
    double nu = 0.0;
    double rho = 0.0;
    if (w > 0)
    {
        nu = c.a / std::sqrt(w);
        rho = c.a * (1 - c.e2) / std::pow(w, 1.5);
    }
    const double dl = IntoHalfTurn(longitude + kMeridianOffset);
    const double t2 = (s / co) * (s / co);
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double psi = nu / rho;
    const double psi2 = psi * psi;
    const double psi3 = psi2 * psi;
    const double psi4 = psi2 * psi2;
    const double q = dl * dl * co * co / 3;
    const double g = nu * dl * co;
    // The sixth and eighth powers of the longitude difference in the northing, and the
    // seventh in the easting (Redfearn's series), keep the result within 0.1 mm of the exact
    // projection across the whole grid; without them the error reaches 6 cm at 8.5 W.
    const double n6 =
        (8 * psi4 * (11 - 24 * t2) - 28 * psi3 * (1 - 6 * t2) + psi2 * (1 - 32 * t2) - 2 * psi * t2 + t4) *
        q * q / 80;
    const double n8 = (1385 - 3111 * t2 + 543 * t4 - t6) * 27 * q * q * q / 40320;
    const double e7 = (61 - 479 * t2 + 179 * t4 - t6) * 27 * q * q * q / 5040;
    if (northing)
        *northing = ((ArcSeries(c, latitude) * c.a - c.M0) +
                     g * ((psi - t2 + 4 * psi2) * q / 8 + 0.5 + n6 + n8) * dl * s) *
                        kScale +
                    kFalseNorthing;
    if (easting)
        *easting =
            g *
                ((psi2 * ((1 - 6 * t2) * 4 * psi + 8 * t2 + 1) - (2 * psi - t2) * t2) * 3 * 0.025 * q * q +
                 q * (psi - t2) / 2 + 1 + e7) *
                kScale +
            kFalseEasting;
}

void NationalGridToGeographic(double& latitude, double* longitude, const NationalGridConstantsDef& c,
                              double easting, double northing)
{
    double phi = latitude;
    if (phi == 0.0 || phi > kPi / 2 || phi < -kPi / 2)
        phi = 1.0;
    const double arc = (northing - kFalseNorthing) / kScale + c.M0;
    bool converged = false;
    for (int round = 0; round < kMaxRounds; ++round)
    {
        const double next = phi * arc / (c.a * ArcSeries(c, phi));
        const bool done = std::fabs(next - phi) <= kTolerance;
        phi = next;
        if (done)
        {
            // The test measures the last step, not the error, which may still be 2e-11 rad
            // (0.13 mm); the iteration shrinks it about five hundredfold a step, so one more
            // step puts it far below.
            phi = phi * arc / (c.a * ArcSeries(c, phi));
            converged = true;
            break;
        }
    }
    if (!converged)
        phi = 0.0;

    const double s = std::sin(phi);
    const double co = std::cos(phi);
    const double w = 1 - c.e2 * s * s;
    double nu = 0.0;
    double rho = 0.0;
    if (w > 0)
    {
        nu = c.a / std::sqrt(w);
        rho = c.a * (1 - c.e2) / std::pow(w, 1.5);
    }
    const double t = s / co;
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double psi = nu / rho;
    const double psi2 = psi * psi;
    const double psi3 = psi2 * psi;
    const double psi4 = psi2 * psi2;
    const double x = (easting - kFalseEasting) / (kScale * nu);
    const double x2 = x * x;
    const double r = x2 / 3;
    // The sixth and eighth powers of x in the latitude and the seventh in the longitude
    // (Redfearn's series): without them the result is 14 cm out at 7.5 W and 43 cm at 8.5 W.
    const double p6 = (8 * psi4 * (11 - 24 * t2) - 12 * psi3 * (21 - 71 * t2) +
                       15 * psi2 * (15 - 98 * t2 + 15 * t4) + 180 * psi * (5 * t2 - 3 * t4) + 360 * t4) *
                      x2 * x2 / 360;
    const double p8 = (1385 + 3633 * t2 + 4095 * t4 + 1575 * t6) * x2 * x2 * x2 / 20160;
    const double l7 = (61 + 662 * t2 + 1320 * t4 + 720 * t6) * x2 * x2 * x2 / 5040;
    latitude = phi - (1 - ((1 - t2) * 9 * psi - 4 * psi2 + 12 * t2) * r / 4 + p6 - p8) * (x2 / 2) * psi * t;
    if (longitude)
        *longitude = IntoHalfTurn(
            ((psi2 * (9 - 68 * t2 - (1 - 6 * t2) * 4 * psi) + (3 * psi + t2) * 24 * t2) * 0.025 * r * x2 + 1 -
             (2 * t2 + psi) * r / 2 - l7) *
                x / co -
            kMeridianOffset);
}

double RoundHalfAwayFromZero(double x)
{
    return x < 0 ? -std::floor(-x + 0.5) : std::floor(x + 0.5);
}

// ---------------------------------------------------------------------------------------
// COstn15Grid
// ---------------------------------------------------------------------------------------

COstn15Grid::COstn15Grid()
    : m_pEtrsToOsgb(nullptr), m_pOsgbToEtrs(nullptr), m_FromConstants(), m_ToConstants(), m_ELong(0.0),
      m_SLat(0.0), m_WLong(0.0), m_NLat(0.0), m_LongInc(0.0), m_LatInc(0.0), m_Columns(0), m_Rows(0),
      m_OsgbExtent(), m_EtrsExtent()
{
    std::memset(m_EtrsToOsgbHeader, 0, sizeof m_EtrsToOsgbHeader);
    std::memset(m_OsgbToEtrsHeader, 0, sizeof m_OsgbToEtrsHeader);
}

COstn15Grid::~COstn15Grid()
{
    Clear();
}

void COstn15Grid::Clear()
{
    std::memset(m_EtrsToOsgbHeader, 0, sizeof m_EtrsToOsgbHeader);
    std::memset(m_OsgbToEtrsHeader, 0, sizeof m_OsgbToEtrsHeader);
    delete[] m_pEtrsToOsgb;
    delete[] m_pOsgbToEtrs;
    m_pEtrsToOsgb = nullptr;
    m_pOsgbToEtrs = nullptr;
    m_OsgbExtent = ExtentDef();
    m_EtrsExtent = ExtentDef();
}

bool COstn15Grid::Load()
{
    // Only the program's own path counts: an argument holding a '\' must not move the folder.
    const CString commandLine(GetCommandLineA());
    CString program;
    if (commandLine.GetLength() > 0 && commandLine[0] == '"')
    {
        const int close = commandLine.Find('"', 1);
        program = close > 0 ? commandLine.Mid(1, close - 1) : commandLine.Mid(1);
    }
    else
    {
        const int blank = commandLine.Find(' ');
        program = blank >= 0 ? commandLine.Left(blank) : commandLine;
    }
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char name[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(program, drive, dir, name, ext);
    CString folder;
    folder.Format("%s%s", drive, dir);
    return LoadFromFolder(folder);
}

bool COstn15Grid::LoadFromFolder(const char* folder)
{
    Clear();
    CString path;
    path.Format("%sOSTN15_NTv2_ETRStoOSGB.gsb", folder ? folder : "");
    if (!ReadGridFile(path, m_EtrsToOsgbHeader, m_pEtrsToOsgb, m_EtrsExtent))
    {
        Clear();
        return false;
    }
    path.Format("%sOSTN15_NTv2_OSGBtoETRS.gsb", folder ? folder : "");
    if (!ReadGridFile(path, m_OsgbToEtrsHeader, m_pOsgbToEtrs, m_OsgbExtent))
    {
        Clear();
        return false;
    }
    const double majorF = DoubleAt(m_OsgbToEtrsHeader + kMajorF);
    const double minorF = DoubleAt(m_OsgbToEtrsHeader + kMinorF);
    const double majorT = DoubleAt(m_OsgbToEtrsHeader + kMajorT);
    const double minorT = DoubleAt(m_OsgbToEtrsHeader + kMinorT);
    // The projection needs a real ellipsoid: an axis of nought or a minor axis beyond the
    // major one would give no radius of curvature at all.
    if (!(majorF > 0.0 && minorF > 0.0 && minorF <= majorF && std::isfinite(majorF)))
    {
        Clear();
        return false;
    }
    ComputeNationalGridConstants(majorF, minorF, m_FromConstants);
    ComputeNationalGridConstants(majorT, minorT, m_ToConstants);
    m_ELong = m_OsgbExtent.eLong;
    m_SLat = m_OsgbExtent.sLat;
    m_WLong = m_OsgbExtent.wLong;
    m_NLat = m_OsgbExtent.nLat;
    m_LongInc = m_OsgbExtent.longInc;
    m_LatInc = m_OsgbExtent.latInc;
    m_Columns = m_OsgbExtent.columns;
    m_Rows = m_OsgbExtent.rows;
    return true;
}

bool COstn15Grid::ReadGridFile(const CString& path, BYTE* header, GridShiftRecordDef*& records,
                               ExtentDef& extent)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return false;
    bool whole = false;
    try
    {
        const ULONGLONG size = file.GetLength();
        if (file.Read(header, HEADER_BYTES) == HEADER_BYTES && Int32At(header + kNumOrec) == 11 &&
            Int32At(header + kNumSrec) == 11 && Int32At(header + kNumFile) == 1)
        {
            ExtentDef e;
            e.sLat = DoubleAt(header + kSLat);
            e.nLat = DoubleAt(header + kNLat);
            e.eLong = DoubleAt(header + kELong);
            e.wLong = DoubleAt(header + kWLong);
            e.latInc = DoubleAt(header + kLatInc);
            e.longInc = DoubleAt(header + kLongInc);
            e.rows = NodeCount(e.sLat, e.nLat, e.latInc);
            e.columns = NodeCount(e.eLong, e.wLong, e.longInc);
            const int32_t count = Int32At(header + kGsCount);
            // The node count must be the grid's, and the nodes must be in the file, before
            // anything is allocated for them.
            const ULONGLONG bytes = static_cast<ULONGLONG>(count) * sizeof(GridShiftRecordDef);
            if (e.rows >= 1 && e.columns >= 1 && static_cast<int64_t>(e.rows) * e.columns == count &&
                bytes <= size - HEADER_BYTES && bytes <= 0xFFFFFFFFull)
            {
                records = new (std::nothrow) GridShiftRecordDef[static_cast<size_t>(count)];
                // A shift that is no number would be interpolated into every nearby result.
                if (records && file.Read(records, static_cast<UINT>(bytes)) == bytes &&
                    std::all_of(records, records + count, [](const GridShiftRecordDef& r) {
                        return std::isfinite(r.LatitudeShift) && std::isfinite(r.LongitudeShift);
                    }))
                {
                    extent = e;
                    whole = true;
                }
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        whole = false;
    }
    file.Abort();
    if (!whole)
    {
        delete[] records;
        records = nullptr;
        std::memset(header, 0, HEADER_BYTES);
    }
    return whole;
}

bool COstn15Grid::Shift(const GridShiftRecordDef* records, const ExtentDef& extent, double latitude,
                        double longitude, double& latitudeShift, double& longitudeShift)
{
    if (!records)
        return false;
    const double latSeconds = latitude * kArcSecondsPerRadian;
    const double westSeconds = -longitude * kArcSecondsPerRadian;
    if (!(latSeconds >= extent.sLat && latSeconds <= extent.nLat && westSeconds >= extent.eLong &&
          westSeconds <= extent.wLong))
        return false;
    const double y = latitude * kRadToDeg * 3600 - extent.sLat;
    const double x = -longitude * kRadToDeg * 3600 - extent.eLong;
    int32_t row0, row1, col0, col1;
    double fy, fx;
    Cell(y, extent.latInc, extent.rows, row0, row1, fy);
    Cell(x, extent.longInc, extent.columns, col0, col1, fx);
    const GridShiftRecordDef& a = records[static_cast<size_t>(row0) * extent.columns + col0];
    const GridShiftRecordDef& b = records[static_cast<size_t>(row0) * extent.columns + col1];
    const GridShiftRecordDef& c = records[static_cast<size_t>(row1) * extent.columns + col0];
    const GridShiftRecordDef& d = records[static_cast<size_t>(row1) * extent.columns + col1];
    auto interpolate = [&](float GridShiftRecordDef::*field) {
        const double s = (static_cast<double>(b.*field) - a.*field) * fx + a.*field;
        return ((static_cast<double>(d.*field) - c.*field) * fx + c.*field - s) * fy + s;
    };
    latitudeShift = interpolate(&GridShiftRecordDef::LatitudeShift);
    longitudeShift = interpolate(&GridShiftRecordDef::LongitudeShift);
    return true;
}

bool COstn15Grid::OsgbToEtrs(double& latitude, double& longitude, double northing, double easting) const
{
    if (!IsLoaded())
        return false;
    double phi = 0.0;
    double lambda = 0.0;
    NationalGridToGeographic(phi, &lambda, m_FromConstants, easting, northing);
    double latShift, lonShift;
    if (!Shift(m_pOsgbToEtrs, m_OsgbExtent, phi, lambda, latShift, lonShift))
        return false;
    latitude = phi + latShift * kRadiansPerDegree / 3600;
    longitude = lambda - lonShift * kRadiansPerDegree / 3600;
    return true;
}

bool COstn15Grid::EtrsToOsgb(double& easting, double& northing, double longitude, double latitude) const
{
    if (!IsLoaded())
        return false;
    double latShift, lonShift;
    if (!Shift(m_pEtrsToOsgb, m_EtrsExtent, latitude, longitude, latShift, lonShift))
        return false;
    const double phi = latitude + latShift * kRadiansPerDegree / 3600;
    const double lambda = longitude - lonShift * kRadiansPerDegree / 3600;
    GeographicToNationalGrid(&easting, &northing, m_FromConstants, phi, lambda);
    return true;
}
