#include "features/Dtm.h"

#include "foundation/Folders.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace
{
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;

// The length of a file (bytes), or -1 when it cannot be looked at.
int64_t FileLength(const char* windowsPath)
{
    struct stat info;
    if (::stat(LinuxPathBytesFromWindows(windowsPath).constData(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

// The count of cells between a minimum and a maximum (m) at a cell size (m), computed the way
// GetColumn places the maximum so that the point at the maximum always falls in the last cell;
// -1 when it would not fit 32 bits.
int64_t CellCount(double minimum, double maximum, double cellSize)
{
    const double steps = std::floor((maximum - minimum) / cellSize);
    if (!(steps >= 0.0) || steps >= 2147483646.0)
        return -1;
    return static_cast<int64_t>(steps) + 1;
}
// truncate(steps) + 1 as a running display count; steps beyond 32 bits (far-apart or
// non-finite points) show as the largest count rather than whatever the conversion would make.
int32_t RunningCount(double steps)
{
    if (!(steps >= 0.0) || steps >= 2147483646.0)
        return INT32_MAX;
    return static_cast<int32_t>(steps) + 1;
}
// The grid cell that holds a point: its four corner depths (m) in the order LL, LR, UL, UR,
// which of them hold a depth, and the point's offsets (m) from the LL corner.
struct DtmCellDef
{
    double Depth[4];
    bool Known[4];
    double dE, dN;
};

// The grid node index of a value along one axis: the cell's lower node, so that the point lies
// between it and the next one. A point on the far edge belongs to the last cell, and a grid of
// one node along the axis has no second node (-1 marks it missing).
void CellAlongAxis(double value, double minimum, double cellSize, int32_t count, int32_t& lower, int32_t& upper)
{
    double step = std::floor((value - minimum) / cellSize);
    if (step > count - 2.0)
        step = count - 2.0;
    if (step < 0.0)
        step = 0.0;
    lower = static_cast<int32_t>(step);
    upper = lower + 1 < count ? lower + 1 : -1;
}

// Finds the cell of a point on the grid; false off the grid or where the header cannot hold a
// grid (a cell size that is not a positive finite number, no columns or rows). Without cells
// loaded every corner is a known depth of 0.
bool FindCell(const CDtm& dtm, double easting, double northing, DtmCellDef& cell)
{
    const DtmHeaderDef& h = dtm.m_Header;
    if (!(h.CellSize > 0.0) || !std::isfinite(h.CellSize) || h.Columns < 1 || h.Rows < 1)
        return false;
    const double maxEasting = h.EastingMin + (h.Columns - 1) * h.CellSize;
    const double maxNorthing = h.NorthingMin + (h.Rows - 1) * h.CellSize;
    if (!(easting >= h.EastingMin && easting <= maxEasting && northing >= h.NorthingMin &&
          northing <= maxNorthing))
        return false;
    int32_t column[2], row[2];
    CellAlongAxis(easting, h.EastingMin, h.CellSize, h.Columns, column[0], column[1]);
    CellAlongAxis(northing, h.NorthingMin, h.CellSize, h.Rows, row[0], row[1]);
    cell.dE = easting - (h.EastingMin + column[0] * h.CellSize);
    cell.dN = northing - (h.NorthingMin + row[0] * h.CellSize);
    for (int i = 0; i < 4; ++i)
    {
        const int32_t c = column[i & 1], r = row[i >> 1];
        if (c < 0 || r < 0)
        {
            cell.Known[i] = false;
            cell.Depth[i] = DBL_MAX;
            continue;
        }
        const int32_t value = dtm.m_pCells ? dtm.m_pCells[int64_t(r) * h.Columns + c] : 0;
        cell.Known[i] = value != DTM_NO_DEPTH;
        cell.Depth[i] = cell.Known[i] ? value / 100.0 : DBL_MAX;
    }
    return true;
}
} // namespace

CDtm::CDtm()
{
    ResetHeader();
    LoadSettings();
}

CDtm::~CDtm()
{
    std::free(m_pCells);
}

void CDtm::ResetHeader()
{
    std::memset(&m_Header, 0, sizeof(m_Header));
    m_Header.Magic = DTM_MAGIC;
    std::memcpy(m_Header.Version, "1001", 4);
    m_Header.EastingMin = DBL_MAX;
    m_Header.NorthingMin = DBL_MAX;
    m_Header.DepthMin = DBL_MAX;
    m_Header.DepthMax = DBL_MAX;
    for (int i = 0; i < 3; ++i)
    {
        m_SizeText[i].Empty();
        m_DateText[i].Empty();
        m_TimeText[i].Empty();
    }
    m_MinEasting = m_MinNorthing = m_MinDepth = DBL_MAX;
    m_MaxEasting = m_MaxNorthing = m_MaxDepth = DBL_MAX;
    m_PrevEasting = m_PrevNorthing = DBL_MAX;
    m_LastColumn = m_LastRow = -1;
}

void CDtm::Unload()
{
    ++m_LoadCount;
    std::free(m_pCells);
    m_pCells = nullptr;
    ResetHeader();
}

bool CDtm::AllocateGrid(bool fill)
{
    ++m_LoadCount;
    // The header was just set for the grid about to be made: only the old cells go. Unloading
    // would reset the header too, and a model loaded again would then have no grid.
    std::free(m_pCells);
    m_pCells = nullptr;
    m_strRefusal.Empty();
    const int32_t columns = m_Header.Columns;
    const int32_t rows = m_Header.Rows;
    if (columns < 1 || rows < 1)
        return false;
    const int64_t count = int64_t(columns) * rows;
    if (count > kMaxCells)
    {
        m_strRefusal.Format("The terrain model grid of %ld x %ld cells is too large to load (at most %ld cells).",
                            static_cast<long>(columns), static_cast<long>(rows), static_cast<long>(kMaxCells));
        return false;
    }
    m_pCells = static_cast<int32_t*>(std::malloc(static_cast<size_t>(count) * sizeof(int32_t)));
    if (!m_pCells)
    {
        m_strRefusal.Format("There is not enough memory for the terrain model grid of %ld x %ld cells.",
                            static_cast<long>(columns), static_cast<long>(rows));
        return false;
    }
    if (fill)
        std::fill_n(m_pCells, count, DTM_NO_DEPTH);
    return true;
}

bool CDtm::AddExtentPoint(double easting, double northing, double depth)
{
    // Easting and northing grow alike; the running counts use the cell size of the moment and
    // are only a display until FinishExtents settles them.
    auto axis = [this](double value, double& headerMin, double& workMin, double& workMax, double& previous,
                       int32_t& count) {
        if (headerMin == DBL_MAX || workMin == DBL_MAX || workMax == DBL_MAX || previous == DBL_MAX)
        {
            headerMin = workMin = workMax = previous = value;
            return;
        }
        if (value == previous)
            return;
        if (value < headerMin)
        {
            headerMin = workMin = value;
            if (m_Header.CellSize > 0.0)
                count = RunningCount((workMax - value) / m_Header.CellSize);
        }
        else if (value > workMax)
        {
            workMax = value;
            if (m_Header.CellSize > 0.0)
                count = RunningCount((value - headerMin) / m_Header.CellSize);
        }
        const double step = std::fabs(value - previous);
        if (m_Header.CellSize == 0.0 || m_Header.CellSize > step)
            m_Header.CellSize = step;
        previous = value;
    };

    if (easting == DBL_MAX)
        return false;
    axis(easting, m_Header.EastingMin, m_MinEasting, m_MaxEasting, m_PrevEasting, m_Header.Columns);
    if (northing == DBL_MAX)
        return false;
    axis(northing, m_Header.NorthingMin, m_MinNorthing, m_MaxNorthing, m_PrevNorthing, m_Header.Rows);
    if (depth == DBL_MAX)
        return false;
    if (m_Header.DepthMin == DBL_MAX || m_Header.DepthMax == DBL_MAX || m_MinDepth == DBL_MAX ||
        m_MaxDepth == DBL_MAX)
    {
        m_Header.DepthMin = m_Header.DepthMax = m_MinDepth = m_MaxDepth = depth;
    }
    else if (depth < m_Header.DepthMin)
    {
        m_Header.DepthMin = m_MinDepth = depth;
    }
    else if (depth > m_Header.DepthMax)
    {
        m_Header.DepthMax = m_MaxDepth = depth;
    }
    return true;
}

bool CDtm::FinishExtents()
{
    m_strRefusal.Empty();
    const double cell = m_Header.CellSize;
    if (!(cell > 0.0) || m_MinEasting == DBL_MAX || m_MinNorthing == DBL_MAX || m_MaxEasting == m_MinEasting ||
        m_MaxNorthing == m_MinNorthing)
    {
        // A single easting or northing gives no grid, as before.
        if (!(cell > 0.0) || m_MaxEasting == m_MinEasting)
            m_Header.Columns = 0;
        if (!(cell > 0.0) || m_MaxNorthing == m_MinNorthing)
            m_Header.Rows = 0;
        return true;
    }
    const int64_t columns = CellCount(m_Header.EastingMin, m_MaxEasting, cell);
    const int64_t rows = CellCount(m_Header.NorthingMin, m_MaxNorthing, cell);
    if (columns < 0 || rows < 0 || columns * rows > kMaxCells)
    {
        m_strRefusal.Format("The terrain model grid is too large: a cell size of %g m over %.3lf m x %.3lf m "
                            "needs more than %ld cells.",
                            cell, m_MaxEasting - m_MinEasting, m_MaxNorthing - m_MinNorthing,
                            static_cast<long>(kMaxCells));
        m_Header.Columns = 0;
        m_Header.Rows = 0;
        return false;
    }
    m_Header.Columns = static_cast<int32_t>(columns);
    m_Header.Rows = static_cast<int32_t>(rows);
    return true;
}

int32_t CDtm::ColumnOf(double easting) const
{
    if (!(easting >= m_Header.EastingMin) || !(m_Header.CellSize > 0.0))
        return -1;
    const double column = std::floor((easting - m_Header.EastingMin) / m_Header.CellSize);
    if (column >= static_cast<double>(m_Header.Columns))
        return -2;
    return column >= 0.0 ? static_cast<int32_t>(column) : -1;
}

int32_t CDtm::RowOf(double northing) const
{
    if (!(northing >= m_Header.NorthingMin) || !(m_Header.CellSize > 0.0))
        return -1;
    const double row = std::floor((northing - m_Header.NorthingMin) / m_Header.CellSize);
    if (row >= static_cast<double>(m_Header.Rows))
        return -2;
    return row >= 0.0 ? static_cast<int32_t>(row) : -1;
}

int32_t CDtm::CellIndexOf(double easting, double northing) const
{
    const int32_t column = ColumnOf(easting);
    if (column < 0)
        return -1;
    const int32_t row = RowOf(northing);
    if (row < 0)
        return -1;
    return row * m_Header.Columns + column;
}

int32_t CDtm::GetColumn(double easting)
{
    m_LastColumn = ColumnOf(easting);
    return m_LastColumn;
}

int32_t CDtm::GetRow(double northing)
{
    m_LastRow = RowOf(northing);
    return m_LastRow;
}

int32_t CDtm::GetCellIndex(double easting, double northing)
{
    const int32_t column = GetColumn(easting);
    if (column < 0)
        return -1;
    const int32_t row = GetRow(northing);
    if (row < 0)
        return -1;
    return row * m_Header.Columns + column;
}

double CDtm::GetDepth(double easting, double northing) const
{
    DtmCellDef cell;
    if (!FindCell(*this, easting, northing, cell))
        return DBL_MAX;
    if (cell.Known[0] && cell.Known[1] && cell.Known[2] && cell.Known[3])
    {
        const double fx = cell.dE / m_Header.CellSize;
        const double fy = cell.dN / m_Header.CellSize;
        const double bottom = cell.Depth[0] + (cell.Depth[1] - cell.Depth[0]) * fx;
        const double top = cell.Depth[2] + (cell.Depth[3] - cell.Depth[2]) * fx;
        return bottom + (top - bottom) * fy;
    }
    // Where a corner is missing an interpolation would invent seabed: the nearest corner that
    // has a depth answers, the first of LL, LR, UL, UR on a tie.
    const double size = m_Header.CellSize;
    const double farE = size - cell.dE, farN = size - cell.dN;
    const double squared[4] = {cell.dE * cell.dE + cell.dN * cell.dN, farE * farE + cell.dN * cell.dN,
                               cell.dE * cell.dE + farN * farN, farE * farE + farN * farN};
    int nearest = -1;
    for (int i = 0; i < 4; ++i)
    {
        if (cell.Known[i] && (nearest < 0 || squared[i] < squared[nearest]))
            nearest = i;
    }
    return nearest < 0 ? DBL_MAX : cell.Depth[nearest];
}

bool CDtm::HasDepthAt(double easting, double northing) const
{
    DtmCellDef cell;
    if (!FindCell(*this, easting, northing, cell))
        return false;
    return cell.Known[0] || cell.Known[1] || cell.Known[2] || cell.Known[3];
}

bool CDtm::ReadCacheHeader()
{
    ResetHeader();
    const CString cache = GetCacheFileName();
    FILE* file = std::fopen(LinuxPathBytesFromWindows(cache).constData(), "rb");
    if (!file)
        return false;
    DtmHeaderDef header;
    const bool whole = std::fread(&header, sizeof(header), 1, file) == 1;
    std::fclose(file);
    if (!whole)
        return false;
    // A damaged header must not make a grid of any size: its counts have to match the cells
    // that the file really holds.
    const int64_t length = FileLength(cache);
    if (header.Columns < 1 || header.Rows < 1)
        return false;
    const int64_t cells = int64_t(header.Columns) * header.Rows;
    if (cells > kMaxCells || length < DTM_HEADER_SIZE + cells * 4)
        return false;
    ApplyHeader(header);
    return true;
}

void CDtm::ApplyHeader(const DtmHeaderDef& header)
{
    ++m_LoadCount;
    m_Header = header;
    m_MinEasting = m_Header.EastingMin;
    m_MinNorthing = m_Header.NorthingMin;
    m_MaxEasting = (m_Header.Columns - 1) * m_Header.CellSize + m_Header.EastingMin;
    m_MaxNorthing = (m_Header.Rows - 1) * m_Header.CellSize + m_Header.NorthingMin;
    m_MinDepth = m_Header.DepthMin;
    m_MaxDepth = m_Header.DepthMax;
    for (int i = 0; i < 3; ++i)
        MakeFileTexts(i);
}

void CDtm::MakeFileTexts(int index)
{
    const FileStampDef& stamp = m_Header.Stamp[index];
    m_SizeText[index] = FileSizeText(stamp.Length);
    m_TimeText[index] = DosTimeText(stamp.DosTime);
    m_DateText[index] = DosDateText(stamp.DosDate);
}

bool CDtm::IsSourceChanged(int index)
{
    if (index < 0 || index > 2)
        return true;
    return !MatchesStamp(m_FileName[index], m_Header.Stamp[index]);
}

bool CDtm::NeedsRebuild()
{
    m_strNotice.Empty();
    if (!ReadCacheHeader())
        return true;
    const int used = m_FileName[1].IsEmpty() ? 1 : (m_FileName[2].IsEmpty() ? 2 : 3);
    // A rebuild without one of its sources would replace the grid with less than it holds.
    CString missing;
    for (int i = 0; i < used; ++i)
    {
        // A file that was missing when the cache was made too has nothing in it to lose.
        const FileStampDef& stamp = m_Header.Stamp[i];
        const bool cached = stamp.Length != 0 || stamp.DosDate != 0 || stamp.DosTime != 0;
        if (!cached || FileLength(m_FileName[i]) >= 0)
            continue;
        missing += missing.IsEmpty() ? "" : ", ";
        missing += m_FileName[i];
    }
    if (!missing.IsEmpty())
    {
        m_strNotice.Format("The terrain model source %s cannot be found; the model was loaded from its cache %s.",
                           (LPCSTR)missing, (LPCSTR)GetCacheFileName());
        return false;
    }
    for (int i = 0; i < used; ++i)
    {
        if (IsSourceChanged(i))
            return true;
    }
    return false;
}

CString CDtm::GetCacheFileName() const
{
    const CString& one = m_FileName[0];
    CString name;
    if (m_FileName[1].IsEmpty())
    {
        const int dot = one.ReverseFind('.');
        name = (dot >= 0 ? one.Left(dot) : one) + ".DTM";
        return name;
    }
    const int slash = one.ReverseFind('\\');
    const CString folder = slash >= 0 ? one.Left(slash + 1) : CString();
    name.Format("%s%s.%s", (LPCSTR)folder, m_FileName[2].IsEmpty() ? "Combined" : "Triple", "DTM");
    return name;
}

void CDtm::LoadSettings()
{
    // A file that is there but short gives these for its missing lines; no file at all gives
    // the coloured, hollow pens below.
    const tagPen lineDefault{0, 1, 0xC0C0C0, 0};
    for (int i = 0; i < 3; ++i)
    {
        m_FileName[i].Empty();
        m_Pen[i] = lineDefault;
    }
    m_bDisplayCoverage = false;
    const bool read = CConfigFile::ReadSettingsFile("DTM", [&](CConfigFile& file) {
        for (CString& name : m_FileName)
            name = file.ReadText();
        m_bDisplayCoverage = file.ReadBool(false);
        for (tagPen& pen : m_Pen)
            pen = file.ReadPen(lineDefault);
    });
    if (read)
        return;
    const uint32_t colours[3] = {0xFF00FF, 0xFFFF00, 0xFF0000};
    for (int i = 0; i < 3; ++i)
        m_Pen[i] = tagPen{0, 2, colours[i], -2};
}

void CDtm::SaveSettings()
{
    const CString path = CConfigFile::MakeFileName(GetSettingsFolder(), "DTM", nullptr);
    CConfigFile::WriteWhole(path, kWriteFlags, [this](CConfigFile& file) {
        file.WriteText("Dtm One File Name", m_FileName[0]);
        file.WriteText("Dtm Two File Name", m_FileName[1]);
        file.WriteText("Dtm Three File Name", m_FileName[2]);
        file.WriteBool("Display Coverage", m_bDisplayCoverage);
        file.WritePen("Dtm One Pen", m_Pen[0]);
        file.WritePen("Dtm Two Pen", m_Pen[1]);
        file.WritePen("Dtm Three Pen", m_Pen[2]);
    });
}
