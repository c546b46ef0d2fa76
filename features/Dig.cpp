#include "features/Dig.h"

#include "features/Dxf.h"
#include "foundation/FilePath.h"
#include "platform/core/FileApi.h"
#include "platform/core/Time.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
const double kTwoPi = 6.283185307179586;
const double kRadiansPerDegree = 0.017453292519943;
// The largest distance between an arc and the chords that stand for it, in drawing units.
const double kSagitta = 0.1;
// At most this many chords make a whole circle, whatever its radius: the sagitta alone would
// make a huge arc into any number of points.
const double kMaxChordsPerCircle = 3600.0;
// The colour code of white (colour 7), given to entities whose colour is unusable.
const int kWhiteCode = 8;
const ULONGLONG kMaxLength = 1024ull * 1024ull * 1024ull * 1024ull;
const INT_PTR kRecordsPerRead = 4096;

// The easting and northing limits of a conversion; none when the drawing gave no extents.
struct Limits
{
    bool limited = false;
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    bool Inside(double x, double y) const
    {
        return !limited || (x >= minX && x <= maxX && y >= minY && y <= maxY);
    }
};

// Points of one conversion, gathered before they go into the array in one piece.
class Converter
{
public:
    explicit Converter(const Limits& limits) : m_Limits(limits) {}

    void Add(double x, double y, int code)
    {
        m_Points.push_back(BinaryDigDef{x, y, static_cast<int16_t>(code)});
    }

    // Colour number + 1 of the entity: by block and by layer take the layer's colour.
    static int CodeOf(const CDxfEntity& entity)
    {
        int colour = entity.m_Colour;
        if (colour == 0 || colour == 256)
            colour = entity.m_pLayer ? entity.m_pLayer->m_Colour : -1;
        else if (colour < 1 || colour > 255)
            colour = -1;
        const int code = colour + 1;
        return (code < 1 || code > 256) ? kWhiteCode : code;
    }

    void Arc(int code, int direction, double easting, double northing, double radius, double startBearing,
             double endBearing)
    {
        if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(startBearing) || !std::isfinite(endBearing))
            return;
        double first = startBearing;
        double last = endBearing;
        if (direction != 1)
        {
            first = endBearing;
            last = startBearing;
            if (first > last)
                last += kTwoPi;
        }
        Add(easting + radius * std::sin(first), northing + radius * std::cos(first), -code);
        const double c = (radius - kSagitta) / radius;
        if (c >= -1.0 && c <= 1.0)
        {
            const double largest = std::max(2.0 * std::acos(c), kTwoPi / kMaxChordsPerCircle);
            const double sweep = last - first;
            double steps = std::ceil(sweep / largest);
            if (!(steps >= 1.0))
                steps = 1.0;
            // An arc turns less than twice round; a sweep read as anything larger is not drawn out.
            steps = std::min(steps, 2.0 * kMaxChordsPerCircle);
            const double step = sweep / steps;
            const int count = static_cast<int>(steps);
            for (int k = 1; k < count; ++k)
            {
                const double bearing = first + k * step;
                if (!(bearing < last))
                    break;
                Add(easting + radius * std::sin(bearing), northing + radius * std::cos(bearing), code);
            }
        }
        Add(easting + radius * std::sin(last), northing + radius * std::cos(last), code);
    }

    void Entity(const CDxfEntity& entity)
    {
        const int code = CodeOf(entity);
        switch (entity.m_Kind)
        {
        case DXF_LINE: {
            const auto& line = static_cast<const CDxfLine&>(entity);
            if (m_Limits.Inside(line.m_Start.x, line.m_Start.y) &&
                m_Limits.Inside(line.m_End.x, line.m_End.y))
            {
                Add(line.m_Start.x, line.m_Start.y, -code);
                Add(line.m_End.x, line.m_End.y, code);
            }
            break;
        }
        case DXF_CIRCLE: {
            const auto& circle = static_cast<const CDxfCircle&>(entity);
            if (m_Limits.Inside(circle.m_Centre.x, circle.m_Centre.y))
                Arc(code, 1, circle.m_Centre.x, circle.m_Centre.y, circle.m_Radius, 0.0, kTwoPi);
            break;
        }
        case DXF_ARC: {
            const auto& arc = static_cast<const CDxfArc&>(entity);
            if (m_Limits.Inside(arc.m_Centre.x, arc.m_Centre.y))
                Arc(code, -1, arc.m_Centre.x, arc.m_Centre.y, arc.m_Radius,
                    arc.m_StartBearing * kRadiansPerDegree, arc.m_EndBearing * kRadiansPerDegree);
            break;
        }
        case DXF_POLYLINE:
        case DXF_LWPOLYLINE: {
            const auto& polyline = static_cast<const CDxfPolyline&>(entity);
            const DxfVertexDef* first = nullptr;
            int appended = 0;
            for (const DxfVertexDef& vertex : polyline.m_Vertices)
            {
                if (!m_Limits.Inside(vertex.x, vertex.y))
                    continue;
                Add(vertex.x, vertex.y, appended == 0 ? -code : code);
                if (appended == 0)
                    first = &vertex;
                ++appended;
            }
            if (appended >= 2 && polyline.IsClosed())
                Add(first->x, first->y, code);
            break;
        }
        case DXF_SOLID: {
            const auto& solid = static_cast<const CDxfSolid&>(entity);
            if (m_Limits.Inside(solid.m_Corners[0].x, solid.m_Corners[0].y))
            {
                for (int i = 0; i < 4; ++i)
                    Add(solid.m_Corners[i].x, solid.m_Corners[i].y, i == 0 ? -code : code);
                Add(solid.m_Corners[0].x, solid.m_Corners[0].y, code);
            }
            break;
        }
        default:
            break;
        }
    }

    void List(const CDxfEntityList& entities)
    {
        POSITION pos = entities.GetHeadPosition();
        while (pos)
            Entity(*entities.GetNext(pos));
    }

    std::vector<BinaryDigDef>& Points() { return m_Points; }

private:
    Limits m_Limits;
    std::vector<BinaryDigDef> m_Points;
};

CString CacheName(const char* folder, const char* title)
{
    CString name;
    name.Format("%s%s.%s", folder, title, "DIG");
    return name;
}
} // namespace

CDig::~CDig()
{
    if (m_pCacheFile)
        std::fclose(m_pCacheFile);
    m_pCacheFile = nullptr;
}

void CDig::EmptyTexts()
{
    m_SizeText.Empty();
    m_DateText.Empty();
    m_TimeText.Empty();
}

void CDig::Clear()
{
    RemoveAll();
    m_MinEasting = m_MinNorthing = m_MaxEasting = m_MaxNorthing = 0.0;
    m_CacheLength = 0;
    EmptyTexts();
}

bool CDig::StampSource(const char* path)
{
    EmptyTexts();
    return StampFile(path, m_Stamp); // zeroed when the file is not found
}

bool CDig::DescribeStamp()
{
    const int hour = m_Stamp.DosTime >> 11;
    const int minute = (m_Stamp.DosTime >> 5) & 63;
    const int second = (m_Stamp.DosTime & 31) * 2;
    m_TimeText = DosTimeText(m_Stamp.DosTime);
    bool plausible = true;
    const int seconds = hour * 3600 + minute * 60 + second;
    if (seconds < 0 || seconds > 86400)
        plausible = false;

    const int month = DosDateMonth(m_Stamp.DosDate);
    if (month >= 1 && month <= 12)
        m_DateText = DosDateText(m_Stamp.DosDate);
    else
    {
        m_DateText.Empty();
        plausible = false;
    }
    if ((m_Stamp.DosDate & 31) < 1)
        plausible = false;
    if ((m_Stamp.DosDate >> 9) + 1980 > CTime::GetCurrentTime().GetYear())
        plausible = false;

    if (m_Stamp.Length < kMaxLength)
        m_SizeText = FileSizeText(m_Stamp.Length);
    else
    {
        m_SizeText.Empty();
        plausible = false;
    }
    return plausible;
}

CString CDig::GetCacheFileName() const
{
    CString folder, title, extension;
    SplitFilePath(m_FileName, folder, title, extension);
    return CacheName(folder, title);
}

bool CDig::NeedsRebuild()
{
    std::memset(&m_Stamp, 0, sizeof(m_Stamp));
    EmptyTexts();
    bool plausible = false;
    FILE* file = nullptr;
    if (fopen_s(&file, GetCacheFileName(), "rb") == 0 && file)
    {
        FileStampDef header;
        if (std::fread(&header, sizeof(header), 1, file) == 1)
        {
            m_Stamp = header;
            plausible = DescribeStamp();
        }
        std::fclose(file);
    }
    if (!plausible)
        return true;
    return !MatchesStamp(m_FileName, m_Stamp);
}

void CDig::FromDxf(CDxf* dxf)
{
    if (!dxf)
        return;
    m_FileName = dxf->m_FileName;
    m_bBusy = true;
    RemoveAll();

    Limits limits;
    // Without extents in the header every entity is kept: a drawing that names no extents
    // (or the empty box) would otherwise lose everything but what lies at the origin.
    if (dxf->HasHeaderExtents())
    {
        limits.limited = true;
        limits.minX = dxf->m_HeaderMin.x;
        limits.minY = dxf->m_HeaderMin.y;
        limits.maxX = dxf->m_HeaderMax.x;
        limits.maxY = dxf->m_HeaderMax.y;
    }
    Converter converter(limits);
    POSITION pos = dxf->m_Blocks.GetHeadPosition();
    while (pos)
        converter.List(dxf->m_Blocks.GetNext(pos)->m_Entities);
    converter.List(dxf->m_Entities);

    std::vector<BinaryDigDef>& points = converter.Points();
    SetSize(static_cast<INT_PTR>(points.size()));
    if (!points.empty())
        std::memcpy(GetData(), points.data(), points.size() * sizeof(BinaryDigDef));

    StampSource(m_FileName);
    CString folder, title, extension;
    SplitFilePath(m_FileName, folder, title, extension);
    WriteCache(folder, title);
    m_bBusy = false;
}

bool CDig::WriteCache(const char* folder, const char* title)
{
    const CString name = CacheName(folder, title);
    const CString temporary = name + ".part";
    FILE* file = nullptr;
    if (fopen_s(&file, temporary, "wb") != 0 || !file)
        return false;
    bool written = std::fwrite(&m_Stamp, sizeof(m_Stamp), 1, file) == 1;
    const size_t count = static_cast<size_t>(GetSize());
    if (written && count > 0)
        written = std::fwrite(GetData(), sizeof(BinaryDigDef), count, file) == count;
    if (std::fclose(file) != 0)
        written = false;
    // The cache appears whole or not at all: a half-written one would pass for current.
    if (!written || !MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

INT_PTR CDig::ReadPoints(FILE* file, std::atomic<ULONGLONG>* bytesDone, const std::atomic<bool>* stop)
{
    if (!file)
        return 0;
    // Room for every whole record the file holds, made once: growing the array record by
    // record would copy a large drawing over and over.
    const off_t position = ftello(file);
    if (position < 0 || fseeko(file, 0, SEEK_END) != 0)
        return 0;
    const off_t end = ftello(file);
    if (end < position || fseeko(file, position, SEEK_SET) != 0)
        return 0;
    const INT_PTR expected =
        static_cast<INT_PTR>((end - position) / static_cast<off_t>(sizeof(BinaryDigDef)));
    const INT_PTR start = GetSize();
    SetSize(start + expected);
    INT_PTR count = start;
    while (count < start + expected)
    {
        if (stop && stop->load(std::memory_order_relaxed))
            break;
        const size_t wanted =
            static_cast<size_t>(std::min<INT_PTR>(kRecordsPerRead, start + expected - count));
        const size_t got = std::fread(GetData() + count, sizeof(BinaryDigDef), wanted, file);
        count += static_cast<INT_PTR>(got);
        if (bytesDone && got > 0)
            bytesDone->fetch_add(got * sizeof(BinaryDigDef), std::memory_order_relaxed);
        if (got < wanted)
            break;
    }
    SetSize(count);
    return count - start;
}

bool CDig::HasOnlyValidPoints() const
{
    for (const BinaryDigDef& point : *this)
    {
        const int code = point.code < 0 ? -point.code : point.code;
        if (!std::isfinite(point.x) || !std::isfinite(point.y) || code < 1 || code > 256)
            return false;
    }
    return true;
}

void CDig::ComputeExtents()
{
    m_MinEasting = m_MinNorthing = m_MaxEasting = m_MaxNorthing = 0.0;
    bool first = true;
    for (const BinaryDigDef& point : *this)
    {
        const double x = point.x;
        const double y = point.y;
        if (x == 0.0 && y == 0.0)
            continue;
        if (first)
        {
            m_MinEasting = m_MaxEasting = x;
            m_MinNorthing = m_MaxNorthing = y;
            first = false;
            continue;
        }
        if (x < m_MinEasting)
            m_MinEasting = x;
        else if (x > m_MaxEasting)
            m_MaxEasting = x;
        if (y < m_MinNorthing)
            m_MinNorthing = y;
        else if (y > m_MaxNorthing)
            m_MaxNorthing = y;
    }
}
