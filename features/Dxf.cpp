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

// The AutoCAD Color Index palette as COLORREF values. 10..249 are 24 hues 15 degrees apart,
// from red round the colour wheel, ten entries a hue: five brightness levels, each as a full
// tone and a pale one (half way to white at that brightness).
struct AciPalette
{
    COLORREF colours[256];

    AciPalette()
    {
        static const COLORREF kFirst[10] = {0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                            0xFF0000, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
        for (int i = 0; i < 10; ++i)
            colours[i] = kFirst[i];
        static const double kLevels[5] = {255.0, 204.0, 153.0, 127.0, 76.0};
        for (int index = 10; index < 250; ++index)
        {
            const double hue = ((index - 10) / 10) * 15.0;
            const int level = ((index - 10) % 10) / 2;
            const bool pale = (index % 2) == 1;
            double f[3]; // red, green, blue as fractions of full brightness
            HueFractions(hue, f);
            const double v = kLevels[level];
            int rgb[3];
            for (int c = 0; c < 3; ++c)
            {
                const double value = pale ? v / 2.0 + v / 2.0 * f[c] : v * f[c];
                rgb[c] = static_cast<int>(std::floor(value + 1e-9));
            }
            colours[index] = RGB(rgb[0], rgb[1], rgb[2]);
        }
        // Entries the rounding of the table above does not give.
        colours[11] = 0x8080FF;
        colours[16] = 0x000080;
        static const COLORREF kGreys[6] = {0x404040, 0x555555, 0x848484, 0xAAAAAA, 0xD6D6D6, 0x000000};
        for (int i = 0; i < 6; ++i)
            colours[250 + i] = kGreys[i];
    }

    // Fully saturated colour of a hue (degrees) on the wheel red, yellow, green, cyan, blue,
    // magenta.
    static void HueFractions(double hue, double f[3])
    {
        const int sector = static_cast<int>(hue / 60.0) % 6;
        const double x = (hue - sector * 60.0) / 60.0;
        switch (sector)
        {
        case 0:
            f[0] = 1.0, f[1] = x, f[2] = 0.0;
            break;
        case 1:
            f[0] = 1.0 - x, f[1] = 1.0, f[2] = 0.0;
            break;
        case 2:
            f[0] = 0.0, f[1] = 1.0, f[2] = x;
            break;
        case 3:
            f[0] = 0.0, f[1] = 1.0 - x, f[2] = 1.0;
            break;
        case 4:
            f[0] = x, f[1] = 0.0, f[2] = 1.0;
            break;
        default:
            f[0] = 1.0, f[1] = 0.0, f[2] = 1.0 - x;
            break;
        }
    }
};

const AciPalette& Palette()
{
    static const AciPalette palette;
    return palette;
}

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
    std::memcpy(m_ColourTable, Palette().colours, sizeof(m_ColourTable));
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
