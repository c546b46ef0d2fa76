#include "geodesy/NTv2.h"

#include "geodesy/GlobalFolder.h"
#include "geodesy/NTv2Thread.h"

#include "foundation/ConfigFile.h"

#include <algorithm>
#include <cmath>

const char* const NTV2_ATTRIBUTION_NOTICE =
    "NTv2 (National Transformation version 2) grid shift file courtesy of Natural Resources Canada";

namespace
{
// The engine's own conversion literals (degrees per radian, radians per degree).
const double kRadToDeg = 57.2957795131;
const double kDegToRad = 0.017453292519943;
// A full turn of longitude in arc-seconds.
const double kTurn = 1296000.0;

// Nodes along one axis of a sub-grid. The spacing divides the extent exactly in every grid
// published; the small allowance keeps a spacing such as 0.1" (not exact in binary) from
// losing its last node.
int32_t NodeCount(double from, double to, double spacing)
{
    if (!(spacing > 0.0) || !(to >= from))
        return 0;
    const double cells = (to - from) / spacing;
    if (!(cells < 2.0e9))
        return 0;
    return static_cast<int32_t>(std::floor(cells + 1.0e-6)) + 1;
}

// The cell of a position along one axis (in nodes from the first): the node below it and the
// one after, and the fraction between them. A position on (or just beyond) the last node takes
// the last cell inside, with the fraction 1; one just before the first node, the first cell
// with the fraction 0.
void Cell(double position, int32_t nodes, int32_t& first, int32_t& second, double& fraction)
{
    double whole = std::trunc(position);
    if (!(whole >= 0.0)) // also a NaN
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
    fraction = std::min(std::max(position - first, 0.0), 1.0);
}
} // namespace

// ---------------------------------------------------------------------------------------
// DataSetDef
// ---------------------------------------------------------------------------------------

DataSetDef::DataSetDef() : m_SLat(0.0), m_ELong(0.0), m_NLat(0.0), m_WLong(0.0), m_LatInc(0.0), m_LongInc(0.0)
{
}

int32_t DataSetDef::Rows() const
{
    return NodeCount(m_SLat, m_NLat, m_LatInc);
}

int32_t DataSetDef::Columns() const
{
    return NodeCount(m_ELong, m_WLong, m_LongInc);
}

// ---------------------------------------------------------------------------------------
// CNTv2
// ---------------------------------------------------------------------------------------

CNTv2::CNTv2()
    : m_FromMajorAxis(0.0), m_FromMinorAxis(0.0), m_ToMajorAxis(0.0), m_ToMinorAxis(0.0),
      m_LastInputLatitude(0.0), m_LastInputLongitude(0.0), m_LastOutputLatitude(0.0),
      m_LastOutputLongitude(0.0), m_bLoaded(false), m_bFinished(false)
{
    // The folder is made now, as the loader would make it, so the user finds where the grid
    // file belongs before any load.
    CString folder;
    GetGlobalDataFolder(folder);
}

CNTv2::~CNTv2()
{
    // No loader may go on writing into a grid that is going away.
    StopLoading();
    try
    {
        CConfigFile file;
        if (file.Open(file.GetSettingsFileName("NTv2"),
                      CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        {
            try
            {
                file.WriteDouble("NAD27 Latitude", m_LastInputLatitude, 16);
                file.WriteDouble("NAD27 Longitude", m_LastInputLongitude, 16);
                file.WriteDouble("NAD83 Latitude", m_LastOutputLatitude, 16);
                file.WriteDouble("NAD83 Longitude", m_LastOutputLongitude, 16);
                file.Close();
            }
            catch (CException* e)
            {
                e->Delete();
                file.Abort();
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

INT_PTR CNTv2::SubGridCount() const
{
    std::lock_guard<std::mutex> lock(CNTv2Thread::LoadersLock());
    return GetSize();
}

void CNTv2::StopLoading()
{
    std::unique_lock<std::mutex> lock(CNTv2Thread::LoadersLock());
    const std::vector<CNTv2Thread*> loaders(m_Loaders);
    for (CNTv2Thread* loader : loaders)
    {
        loader->m_bStop = true;
        if (!loader->m_bRunning)
        {
            // Never started: it is let go now, and does nothing if it is resumed later.
            if (loader->m_pLoading)
                *loader->m_pLoading = false;
            loader->m_pLoading = nullptr;
            loader->Detach();
        }
    }
    CNTv2Thread::LoaderGone().wait(lock, [this] { return m_Loaders.empty(); });
}

int32_t CNTv2::FindSubGrid(double latitude, double longitude) const
{
    CString parent("NONE");
    int32_t result = -1;
    // Each scan goes one level deeper, so there are never more scans than sub-grids; the
    // bound keeps a file whose sub-grids name each other as parents from looping for ever.
    for (INT_PTR level = 0; level <= GetSize(); ++level)
    {
        // 0: no sub-grid of this level near the point; 1: one has it just beyond a corner;
        // 2: one has it on or just beyond an edge.
        int near = 0;
        CString candidate;
        bool deeper = false;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const DataSetDef* g = GetAt(i);
            if (g->m_Parent != parent)
                continue;
            const bool inLat = g->m_SLat <= latitude && latitude < g->m_NLat;
            const bool inLon = g->m_ELong <= longitude && longitude < g->m_WLong;
            if (inLat && inLon)
            {
                result = static_cast<int32_t>(i);
                parent = g->m_SubName;
                deeper = true;
                break;
            }
            // The same allowance beyond every edge, a hundred-thousandth of the spacings (as
            // PROJ reads grids): a point meant to lie on an edge stays in despite its last bits.
            const double slack = (g->m_LatInc + g->m_LongInc) * 1e-5;
            const bool nearLat = g->m_SLat - slack <= latitude && latitude <= g->m_NLat + slack;
            const bool nearLon = g->m_ELong - slack <= longitude && longitude <= g->m_WLong + slack;
            if (!nearLat || !nearLon)
                continue;
            const int kind = (inLat || inLon) ? 2 : 1;
            if (kind > near)
            {
                result = static_cast<int32_t>(i);
                candidate = g->m_SubName;
                near = kind;
            }
        }
        if (deeper)
            continue;
        if (near == 0)
            return result;
        parent = candidate;
    }
    return result;
}

int32_t CNTv2::Transform(double* pLatitude, double* pLongitude, double latitude, double longitude)
{
    m_LastInputLatitude = latitude;
    m_LastInputLongitude = longitude;
    // Arc-seconds, positive north and positive west, at the input's full precision.
    const double lat = latitude * kRadToDeg * 3600;
    const double lon = -longitude * kRadToDeg * 3600;

    int32_t index = FindSubGrid(lat, lon);
    double gridLon = lon;
    if (index < 0)
    {
        for (const double wrapped : {lon - kTurn, lon + kTurn})
        {
            index = FindSubGrid(lat, wrapped);
            if (index >= 0)
            {
                gridLon = wrapped;
                break;
            }
        }
    }
    if (index < 0)
        return -1;

    const DataSetDef* g = GetAt(index);
    const int32_t rows = g->Rows();
    const int32_t columns = g->Columns();
    if (rows < 1 || columns < 1)
        return -1;
    int32_t row0, row1, col0, col1;
    double fy, fx;
    Cell((lat - g->m_SLat) / g->m_LatInc, rows, row0, row1, fy);
    Cell((gridLon - g->m_ELong) / g->m_LongInc, columns, col0, col1, fx);
    const INT_PTR a = static_cast<INT_PTR>(row0) * columns + col0;
    const INT_PTR b = static_cast<INT_PTR>(row0) * columns + col1;
    const INT_PTR c = static_cast<INT_PTR>(row1) * columns + col0;
    const INT_PTR d = static_cast<INT_PTR>(row1) * columns + col1;
    if (d >= g->m_Records.GetSize())
        return -1;
    const GridShiftRecordDef* r = g->m_Records.GetData();
    auto interpolate = [&](float GridShiftRecordDef::*shift) {
        const double s = (static_cast<double>(r[b].*shift) - r[a].*shift) * fx + r[a].*shift;
        const double t = (static_cast<double>(r[d].*shift) - r[c].*shift) * fx + r[c].*shift;
        return (t - s) * fy + s;
    };
    const double latShift = interpolate(&GridShiftRecordDef::LatitudeShift);
    const double lonShift = interpolate(&GridShiftRecordDef::LongitudeShift);

    m_LastOutputLatitude = (lat + latShift) / 3600 * kDegToRad;
    m_LastOutputLongitude = -(lon + lonShift) / 3600 * kDegToRad;
    if (pLatitude)
        *pLatitude = m_LastOutputLatitude;
    if (pLongitude)
        *pLongitude = m_LastOutputLongitude;
    return index;
}
