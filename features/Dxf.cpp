#include "features/Dxf.h"

#include "features/FileStamp.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
// Beyond these no survey drawing reaches (a thousand times the size of the earth): a value
// past them is damage, and an arc that large would become any number of points.
const double kMaxCoordinate = 1e10;
const double kMaxRadius = 1e10;

const char* EntityName(const CDxfEntity& entity)
{
    switch (entity.m_Kind)
    {
    case DXF_POINT:
        return "POINT";
    case DXF_LINE:
        return "LINE";
    case DXF_CIRCLE:
        return "CIRCLE";
    case DXF_ARC:
        return "ARC";
    case DXF_ELLIPSE:
        return "ELLIPSE";
    case DXF_POLYLINE:
        return "POLYLINE";
    case DXF_LWPOLYLINE:
        return "LWPOLYLINE";
    case DXF_SOLID:
        return "SOLID";
    case DXF_TEXT:
        return "TEXT";
    case DXF_INSERT:
        return "INSERT";
    default:
        return "entity";
    }
}

bool Usable(double value, double limit)
{
    return std::isfinite(value) && std::fabs(value) <= limit;
}

bool UsablePoint(double x, double y)
{
    return Usable(x, kMaxCoordinate) && Usable(y, kMaxCoordinate);
}

// False, with the reason, for an entity whose position or size no drawing can hold.
bool IsDrawable(const CDxfEntity& entity, CString& why)
{
    auto position = [&why](double x, double y) {
        if (UsablePoint(x, y))
            return true;
        why.Format("a position of %g, %g is not one a drawing can hold", x, y);
        return false;
    };
    auto radius = [&why](double r) {
        if (Usable(r, kMaxRadius))
            return true;
        why.Format("a radius of %g is not a size a drawing can hold", r);
        return false;
    };
    switch (entity.m_Kind)
    {
    case DXF_POINT: {
        const auto& e = static_cast<const CDxfPoint&>(entity);
        return position(e.m_Position.x, e.m_Position.y);
    }
    case DXF_LINE: {
        const auto& e = static_cast<const CDxfLine&>(entity);
        return position(e.m_Start.x, e.m_Start.y) && position(e.m_End.x, e.m_End.y);
    }
    case DXF_CIRCLE: {
        const auto& e = static_cast<const CDxfCircle&>(entity);
        return position(e.m_Centre.x, e.m_Centre.y) && radius(e.m_Radius);
    }
    case DXF_ARC: {
        const auto& e = static_cast<const CDxfArc&>(entity);
        if (!position(e.m_Centre.x, e.m_Centre.y) || !radius(e.m_Radius))
            return false;
        if (std::isfinite(e.m_StartBearing) && std::isfinite(e.m_EndBearing))
            return true;
        why = "its angles are not numbers";
        return false;
    }
    case DXF_POLYLINE:
    case DXF_LWPOLYLINE: {
        const auto& e = static_cast<const CDxfPolyline&>(entity);
        for (const DxfVertexDef& v : e.m_Vertices)
            if (!position(v.x, v.y))
                return false;
        return true;
    }
    case DXF_SOLID: {
        const auto& e = static_cast<const CDxfSolid&>(entity);
        for (const DxfPointDef& c : e.m_Corners)
            if (!position(c.x, c.y))
                return false;
        return true;
    }
    default:
        return true;
    }
}

const size_t kBufferSize = 1 << 20;

const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

// The drawing exchange format's standard colour index as COLORREF values (0x00BBGGRR), by
// colour number: 1 to 7 the named colours, 8 and 9 greys, 10 to 249 twenty-four hues ten
// entries apiece, 250 to 255 greys; 0 (by block) names no colour and holds black. The values are
// those of the format's published table, which tests/data/aci_colours.txt holds as ezdxf gives
// it.
const COLORREF kFormatColours[256] = {
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF,
    0x808080, 0xC0C0C0, 0x0000FF, 0x7F7FFF, 0x0000A5, 0x5252A5, 0x00007F, 0x3F3F7F,
    0x00004C, 0x26264C, 0x000026, 0x131326, 0x003FFF, 0x7F9FFF, 0x0029A5, 0x5267A5,
    0x001F7F, 0x3F4F7F, 0x00134C, 0x262F4C, 0x000926, 0x131726, 0x007FFF, 0x7FBFFF,
    0x0052A5, 0x527CA5, 0x003F7F, 0x3F5F7F, 0x00264C, 0x26394C, 0x001326, 0x131C26,
    0x00BFFF, 0x7FDFFF, 0x007CA5, 0x5291A5, 0x005F7F, 0x3F6F7F, 0x00394C, 0x26424C,
    0x001C26, 0x132126, 0x00FFFF, 0x7FFFFF, 0x00A5A5, 0x52A5A5, 0x007F7F, 0x3F7F7F,
    0x004C4C, 0x264C4C, 0x002626, 0x132626, 0x00FFBF, 0x7FFFDF, 0x00A57C, 0x52A591,
    0x007F5F, 0x3F7F6F, 0x004C39, 0x264C42, 0x00261C, 0x132621, 0x00FF7F, 0x7FFFBF,
    0x00A552, 0x52A57C, 0x007F3F, 0x3F7F5F, 0x004C26, 0x264C39, 0x002613, 0x13261C,
    0x00FF3F, 0x7FFF9F, 0x00A529, 0x52A567, 0x007F1F, 0x3F7F4F, 0x004C13, 0x264C2F,
    0x002609, 0x132617, 0x00FF00, 0x7FFF7F, 0x00A500, 0x52A552, 0x007F00, 0x3F7F3F,
    0x004C00, 0x264C26, 0x002600, 0x132613, 0x3FFF00, 0x9FFF7F, 0x29A500, 0x67A552,
    0x1F7F00, 0x4F7F3F, 0x134C00, 0x2F4C26, 0x092600, 0x175813, 0x7FFF00, 0xBFFF7F,
    0x52A500, 0x7CA552, 0x3F7F00, 0x5F7F3F, 0x264C00, 0x394C26, 0x132600, 0x1C5813,
    0xBFFF00, 0xDFFF7F, 0x7CA500, 0x91A552, 0x5F7F00, 0x6F7F3F, 0x394C00, 0x424C26,
    0x1C2600, 0x585813, 0xFFFF00, 0xFFFF7F, 0xA5A500, 0xA5A552, 0x7F7F00, 0x7F7F3F,
    0x4C4C00, 0x4C4C26, 0x262600, 0x585813, 0xFFBF00, 0xFFDF7F, 0xA57C00, 0xA59152,
    0x7F5F00, 0x7F6F3F, 0x4C3900, 0x7E4226, 0x261C00, 0x585813, 0xFF7F00, 0xFFBF7F,
    0xA55200, 0xA57C52, 0x7F3F00, 0x7F5F3F, 0x4C2600, 0x7E3926, 0x261300, 0x581C13,
    0xFF3F00, 0xFF9F7F, 0xA52900, 0xA56752, 0x7F1F00, 0x7F4F3F, 0x4C1300, 0x7E2F26,
    0x260900, 0x581713, 0xFF0000, 0xFF7F7F, 0xA50000, 0xA55252, 0x7F0000, 0x7F3F3F,
    0x4C0000, 0x7E2626, 0x260000, 0x581313, 0xFF003F, 0xFF7F9F, 0xA50029, 0xA55267,
    0x7F001F, 0x7F3F4F, 0x4C0013, 0x7E262F, 0x260009, 0x581317, 0xFF007F, 0xFF7FBF,
    0xA50052, 0xA5527C, 0x7F003F, 0x7F3F5F, 0x4C0026, 0x7E2639, 0x260013, 0x58131C,
    0xFF00BF, 0xFF7FDF, 0xA5007C, 0xA55291, 0x7F005F, 0x7F3F6F, 0x4C0039, 0x4C2642,
    0x26001C, 0x581358, 0xFF00FF, 0xFF7FFF, 0xA500A5, 0xA552A5, 0x7F007F, 0x7F3F7F,
    0x4C004C, 0x4C264C, 0x260026, 0x581358, 0xBF00FF, 0xDF7FFF, 0x7C00A5, 0x9152A5,
    0x5F007F, 0x6F3F7F, 0x39004C, 0x42264C, 0x1C0026, 0x581358, 0x7F00FF, 0xBF7FFF,
    0x5200A5, 0x7C52A5, 0x3F007F, 0x5F3F7F, 0x26004C, 0x39264C, 0x130026, 0x1C1358,
    0x3F00FF, 0x9F7FFF, 0x2900A5, 0x6752A5, 0x1F007F, 0x4F3F7F, 0x13004C, 0x2F264C,
    0x090026, 0x171358, 0x000000, 0x656565, 0x666666, 0x999999, 0xCCCCCC, 0xFFFFFF,
};

bool Is(const DxfPairDef& pair, int code, const char* value)
{
    return pair.Code == code && pair.Value == value;
}
} // namespace

const COLORREF CDxf::kStandardColours[28] = {
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0,
    0x8080FF, 0x000080, 0x0080FF, 0x80FFFF, 0x008080, 0x00FF80, 0x80FF80, 0x008000, 0x80FF00, 0xFFFF80,
    0x808000, 0xFF8000, 0xFF8080, 0x800000, 0xFF0080, 0xFF80FF, 0x800080, 0x8000FF};

CDxf::CDxf()
{
    std::memcpy(m_ColourTable, kFormatColours, sizeof(m_ColourTable));
    std::memcpy(m_FirstColours, m_ColourTable, sizeof(m_FirstColours));
}

CDxf::~CDxf()
{
    Close();
    Clear();
}

void CDxf::Reset()
{
    m_HeaderMin = DxfPointDef{0.0, 0.0, 0.0};
    m_HeaderMax = DxfPointDef{0.0, 0.0, 0.0};
    m_bHaveExtMin = false;
    m_bHaveExtMax = false;
    m_CentreX = 0.0;
    m_CentreY = 0.0;
    m_SizeText.Empty();
    m_DateText.Empty();
    m_TimeText.Empty();
    m_bReadOnly = FALSE;
    m_FileLength = 0;
    m_CurrentPosition = 0;
    m_PairStartPosition = 0;
    m_bSeenEof = false;
    m_nProblems = 0;
    m_strProblem.Empty();
    m_OffsetX = 0.0;
    m_OffsetY = 0.0;
    m_Rotation = 0.0;
    m_SinRotation = 0.0;
    m_CosRotation = 1.0;
}

void CDxf::NoteProblem(const CString& text)
{
    const int kKept = 20;
    ++m_nProblems;
    if (m_nProblems <= kKept)
    {
        m_strProblem += m_strProblem.IsEmpty() ? "" : "\n";
        m_strProblem += text;
    }
    else if (m_nProblems == kKept + 1)
    {
        m_strProblem += "\n(further problems are not listed)";
    }
}

void CDxf::FreeEntities(CDxfEntityList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        delete list.GetNext(pos);
    list.RemoveAll();
}

template <class L> static void FreeRecords(L& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        delete list.GetNext(pos);
    list.RemoveAll();
}

void CDxf::Clear()
{
    FreeEntities(m_Entities);
    POSITION pos = m_Blocks.GetHeadPosition();
    while (pos)
        FreeEntities(m_Blocks.GetNext(pos)->m_Entities);
    FreeRecords(m_Blocks);
    FreeRecords(m_Layers);
    FreeRecords(m_LineTypes);
    FreeRecords(m_Styles);
    FreeRecords(m_DimStyles);
    m_LayerIndex.clear();
    m_LayerIndexCount = 0;
    m_LineTypeIndex.clear();
    m_LineTypeIndexCount = 0;
}

bool CDxf::Open(const char* path)
{
    Close();
    Reset();
    Clear();
    FileStampDef stamp;
    if (!StampFile(path, stamp))
        return false;
    m_SizeText = FileSizeText(stamp.Length);
    m_DateText = DosDateText(stamp.DosDate);
    m_TimeText = DosTimeText(stamp.DosTime);
    const DWORD attributes = GetFileAttributesA(path);
    m_bReadOnly =
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) ? TRUE : FALSE;

    FILE* file = nullptr;
    if (fopen_s(&file, path, "rb") != 0 || !file)
        return false;
    m_pFile = file;
    m_Buffer.assign(kBufferSize, '\0');
    m_BufferStart = 0;
    m_BufferUsed = 0;
    m_BufferPos = 0;
    m_bEof = false;
    m_bHeld = false;
    m_FileLength = stamp.Length;
    m_FileName = path;
    return true;
}

void CDxf::Close()
{
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
    std::vector<char>().swap(m_Buffer);
    m_BufferUsed = m_BufferPos = 0;
    m_bHeld = false;
}

bool CDxf::Fill()
{
    if (m_bEof || !m_pFile)
        return false;
    // Keep the unread tail, and make room when one line fills the whole buffer.
    if (m_BufferPos > 0)
    {
        std::memmove(m_Buffer.data(), m_Buffer.data() + m_BufferPos, m_BufferUsed - m_BufferPos);
        m_BufferStart += m_BufferPos;
        m_BufferUsed -= m_BufferPos;
        m_BufferPos = 0;
    }
    if (m_BufferUsed + 1 >= m_Buffer.size())
        m_Buffer.resize(m_Buffer.size() * 2);
    const size_t room = m_Buffer.size() - m_BufferUsed - 1; // one byte for a final NUL
    const size_t got = std::fread(m_Buffer.data() + m_BufferUsed, 1, room, m_pFile);
    if (got == 0)
    {
        m_bEof = true;
        return false;
    }
    m_BufferUsed += got;
    return true;
}

bool CDxf::NextLine(char*& text, size_t& length)
{
    for (;;)
    {
        char* begin = m_Buffer.data() + m_BufferPos;
        const size_t available = m_BufferUsed - m_BufferPos;
        char* newline = available ? static_cast<char*>(std::memchr(begin, '\n', available)) : nullptr;
        if (newline)
        {
            length = static_cast<size_t>(newline - begin);
            *newline = '\0';
            m_BufferPos += length + 1;
            text = begin;
            return true;
        }
        if (!Fill())
        {
            // The last line of a file that does not end with a line feed.
            const size_t rest = m_BufferUsed - m_BufferPos;
            if (rest == 0)
                return false;
            text = m_Buffer.data() + m_BufferPos;
            text[rest] = '\0';
            length = rest;
            m_BufferPos = m_BufferUsed;
            return true;
        }
    }
}

bool CDxf::Next()
{
    if (m_bHeld)
    {
        m_bHeld = false;
        return true;
    }
    if (!m_pFile)
        return false;
    const ULONGLONG start = m_BufferStart + m_BufferPos;
    char* line = nullptr;
    size_t length = 0;
    if (!NextLine(line, length))
        return false;
    const int code = std::atoi(line);
    if (!NextLine(line, length))
        return false;
    // Text values (codes 1 and 3) keep their blanks: a long text comes in chunks, and a blank at
    // the end of one is part of the text.
    const bool text = code == 1 || code == 3;
    while (length > 0 &&
           (line[length - 1] == '\r' || line[length - 1] == '\n' || (!text && line[length - 1] == ' ')))
        line[--length] = '\0';
    m_Pair.Code = code;
    m_Pair.Value = line;
    m_PairStartPosition = start;
    m_CurrentPosition = m_BufferStart + m_BufferPos;
    return true;
}

bool CDxf::ReadPair(DxfPairDef& pair)
{
    if (!Next())
        return false;
    pair = m_Pair;
    return true;
}

bool CDxf::ReadSection(LoadCounter* bytesDone, const std::atomic<bool>* stop)
{
    for (;;)
    {
        const bool have = Next();
        if (!have || Is(m_Pair, 0, "EOF"))
        {
            // The end of the file: everything has been read, or the file was cut short.
            if (bytesDone && m_pFile)
                bytesDone->store(m_CurrentPosition, std::memory_order_relaxed);
            if (have)
                m_bSeenEof = true;
            else if (m_pFile)
                NoteProblem(m_FileName + " ends before its EOF marker: the drawing is damaged and was read only in part.");
            return false;
        }
        if (Is(m_Pair, 0, "SECTION"))
            break;
    }
    if (!Next())
        return false;
    const CString name = m_Pair.Value;
    if (name == "HEADER")
        ReadHeader();
    else if (name == "TABLES")
        ReadTables();
    else if (name == "BLOCKS")
        ReadBlocks(bytesDone, stop);
    else if (name == "ENTITIES")
        ReadEntities(m_Entities, false, bytesDone, stop);
    if (bytesDone)
        bytesDone->store(m_CurrentPosition, std::memory_order_relaxed);
    return true;
}

void CDxf::ReadHeader()
{
    while (Next())
    {
        if (Is(m_Pair, 0, "ENDSEC"))
            break;
        if (Is(m_Pair, 9, "$EXTMIN"))
        {
            ReadHeaderPoint(m_HeaderMin);
            m_bHaveExtMin = true;
        }
        else if (Is(m_Pair, 9, "$EXTMAX"))
        {
            ReadHeaderPoint(m_HeaderMax);
            m_bHaveExtMax = true;
        }
    }
    m_CentreX = (m_HeaderMax.x + m_HeaderMin.x) * 0.5;
    m_CentreY = (m_HeaderMax.y + m_HeaderMin.y) * 0.5;
}

void CDxf::ReadHeaderPoint(DxfPointDef& point)
{
    while (Next())
    {
        switch (m_Pair.Code)
        {
        case 0:
        case 9:
            GiveBack();
            return;
        case 10:
            point.x = AtofC(m_Pair.Value);
            break;
        case 20:
            point.y = AtofC(m_Pair.Value);
            break;
        case 30:
            point.z = AtofC(m_Pair.Value);
            break;
        default:
            break;
        }
    }
}

template <class T, class L> void CDxf::ReadTableEntries(L& list, const char* entryName)
{
    bool have = false;
    while ((have = Next()) && m_Pair.Code != 0)
    {
    }
    while (have && m_Pair.Value == entryName)
    {
        T* record = new T;
        while ((have = Next()) && m_Pair.Code != 0)
            record->ReadCode(m_Pair.Code, m_Pair.Value);
        list.AddTail(record);
    }
    // ENDTAB (or whatever ends the table) is the tables loop's to see.
    if (have)
        GiveBack();
}

void CDxf::SkipTable()
{
    while (Next())
    {
        if (Is(m_Pair, 0, "ENDTAB"))
            return;
        if (Is(m_Pair, 0, "ENDSEC"))
        {
            GiveBack();
            return;
        }
    }
}

void CDxf::ReadTables()
{
    while (Next())
    {
        if (Is(m_Pair, 0, "ENDSEC"))
            break;
        if (!Is(m_Pair, 0, "TABLE"))
            continue;
        if (!Next())
            break;
        const CString table = m_Pair.Value;
        if (table == "LAYER")
            ReadTableEntries<CDxfLayer>(m_Layers, "LAYER");
        else if (table == "LTYPE")
            ReadTableEntries<CDxfLineType>(m_LineTypes, "LTYPE");
        else if (table == "STYLE")
            ReadTableEntries<CDxfStyle>(m_Styles, "STYLE");
        else if (table == "DIMSTYLE")
            ReadTableEntries<CDxfDimStyle>(m_DimStyles, "DIMSTYLE");
        else
            SkipTable();
    }
}

bool CDxf::ReadBlocks(LoadCounter* bytesDone, const std::atomic<bool>* stop)
{
    while (Next())
    {
        if (Is(m_Pair, 0, "ENDSEC"))
            break;
        if (!Is(m_Pair, 0, "BLOCK"))
            continue;
        CDxfBlock* block = new CDxfBlock;
        bool have = false;
        while ((have = Next()) && m_Pair.Code != 0)
            block->ReadCode(m_Pair.Code, m_Pair.Value);
        bool stopped = false;
        if (have && m_Pair.Value != "ENDBLK")
        {
            GiveBack();
            stopped = !ReadEntities(block->m_Entities, true, bytesDone, stop);
        }
        block->m_pLayer = FindLayer(block->m_LayerName);
        m_Blocks.AddTail(block);
        if (stopped || !have)
            return !stopped;
    }
    return true;
}

bool CDxf::SkipToNextEntity()
{
    bool have = false;
    while ((have = Next()) && m_Pair.Code != 0)
    {
    }
    return have;
}

bool CDxf::ReadEntities(CDxfEntityList& list, bool inBlock, LoadCounter* bytesDone,
                        const std::atomic<bool>* stop)
{
    bool have = Next();
    while (have)
    {
        if (m_Pair.Code != 0)
        {
            have = Next();
            continue;
        }
        if (m_Pair.Value == "ENDSEC")
        {
            // A block cut short: the blocks loop ends the section.
            if (inBlock)
                GiveBack();
            return true;
        }
        if (inBlock && m_Pair.Value == "ENDBLK")
            return true;
        CDxfEntity* entity = CDxfEntity::Create(m_Pair.Value);
        if (!entity)
        {
            have = SkipToNextEntity();
            continue;
        }
        while ((have = Next()) && m_Pair.Code != 0)
            entity->ReadCode(m_Pair.Code, m_Pair.Value);
        if (entity->m_Kind == DXF_POLYLINE)
        {
            CDxfPolyline* polyline = static_cast<CDxfPolyline*>(entity);
            while (have && m_Pair.Value == "VERTEX")
            {
                polyline->BeginVertex();
                while ((have = Next()) && m_Pair.Code != 0)
                    polyline->ReadVertexCode(m_Pair.Code, m_Pair.Value);
            }
            if (have && m_Pair.Value == "SEQEND")
                have = SkipToNextEntity();
        }
        entity->Complete();
        CString why;
        if (!IsDrawable(*entity, why))
        {
            CString text;
            text.Format("%s (handle %s, layer %s) was left out: %s", EntityName(*entity),
                        entity->m_Handle.IsEmpty() ? "none" : (LPCSTR)entity->m_Handle, (LPCSTR)entity->m_LayerName,
                        (LPCSTR)why);
            NoteProblem(text);
            delete entity;
            if (stop && stop->load(std::memory_order_relaxed))
                return false;
            continue;
        }
        entity->m_pLayer = FindLayer(entity->m_LayerName);
        entity->m_pLineType = FindLineType(entity->m_LineTypeName);
        list.AddTail(entity);
        if (bytesDone)
            bytesDone->store(m_CurrentPosition, std::memory_order_relaxed);
        if (stop && stop->load(std::memory_order_relaxed))
            return false;
    }
    return true;
}

CDxfLayer* CDxf::FindLayer(const CString& name)
{
    if (m_LayerIndexCount != m_Layers.GetCount())
    {
        m_LayerIndex.clear();
        POSITION pos = m_Layers.GetHeadPosition();
        while (pos)
        {
            CDxfLayer* layer = m_Layers.GetNext(pos);
            m_LayerIndex.emplace(layer->m_Name.str(), layer); // the first of a name stays
        }
        m_LayerIndexCount = m_Layers.GetCount();
    }
    const auto found = m_LayerIndex.find(name.str());
    return found == m_LayerIndex.end() ? nullptr : found->second;
}

CDxfLineType* CDxf::FindLineType(const CString& name)
{
    if (m_LineTypeIndexCount != m_LineTypes.GetCount())
    {
        m_LineTypeIndex.clear();
        POSITION pos = m_LineTypes.GetHeadPosition();
        while (pos)
        {
            CDxfLineType* lineType = m_LineTypes.GetNext(pos);
            m_LineTypeIndex.emplace(lineType->m_Name.str(), lineType);
        }
        m_LineTypeIndexCount = m_LineTypes.GetCount();
    }
    const auto found = m_LineTypeIndex.find(name.str());
    return found == m_LineTypeIndex.end() ? nullptr : found->second;
}

bool CDxf::HasHeaderExtents() const
{
    return m_bHaveExtMin && m_bHaveExtMax && m_HeaderMin.x <= m_HeaderMax.x && m_HeaderMin.y <= m_HeaderMax.y;
}

COLORREF CDxf::GetColour(int colourNumber) const
{
    return (colourNumber >= 0 && colourNumber < 256) ? m_ColourTable[colourNumber] : 0;
}

CString CDxf::GetDisplaySettingsFileName() const
{
    CConfigFile names;
    return names.GetSettingsFileName(GetFileTitleFromPath(m_FileName), "DXI");
}

bool CDxf::SaveDisplaySettings() const
{
    return CConfigFile::WriteWhole(GetDisplaySettingsFileName(), kWriteFlags, [this](CConfigFile& file) {
        file.WriteBool("Use", m_bUse);
        file.WriteBool("Show Text", m_bShowText);
        file.WriteDouble("Scale", m_Scale, 3);
    });
}

bool CDxf::LoadDisplaySettings()
{
    m_bUse = true;
    m_bShowText = true;
    m_Scale = 1.0;
    if (!CConfigFile::ReadWhole(GetDisplaySettingsFileName(), kReadFlags, [this](CConfigFile& file) {
        m_bUse = file.ReadInt(1) != 0;
        m_bShowText = file.ReadInt(1) != 0;
        m_Scale = file.ReadDouble(1.0);
    }))
        return false;
    if (m_Scale < 0.0 || m_Scale == DBL_MAX || !std::isfinite(m_Scale))
        m_Scale = 1.0;
    return true;
}
