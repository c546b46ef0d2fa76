#include "features/Shape.h"

#include "features/ShapeIo.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace
{
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const uint32_t kDefaultColour = 0x808080;

// The text after the next `c`; empty, which ends the scan, when there is none. Views into
// the one projection text, so that the scan stays linear however long the text.
std::string_view After(std::string_view text, char c)
{
    const size_t at = text.find(c);
    return at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
}

std::string_view AfterOneOf(std::string_view text, const char* chars)
{
    const size_t at = text.find_first_of(chars);
    return at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
}

// A number at the start of `text` as atof reads it; `text` ends at a NUL of the whole text or
// before, and reading stops at the first character that is no part of a number anyway.
double NumberAt(std::string_view text)
{
    const size_t length = std::min<size_t>(text.size(), 511);
    char buffer[512];
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return std::atof(buffer);
}

CString Text(std::string_view text)
{
    return CString(text.data(), static_cast<int>(text.size()));
}

CString WithBlanks(CString text)
{
    text.Replace('_', ' ');
    return text;
}

bool Contains(const CString& text, const char* word)
{
    return text.Find(word) >= 0;
}

// A colour kept as a number of any form; what does not fit 32 bits keeps the default.
uint32_t ColourFromValue(double value, uint32_t defaultValue)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
        return defaultValue;
    return static_cast<uint32_t>(static_cast<int64_t>(value));
}
} // namespace

CShape::CShape()
    : m_Geographic(true), m_EntityCount(0), m_ShapeType(0), m_BoundsMin{}, m_BoundsMax{},
      m_bSettingsFound(true), m_Status(true), m_Style(0), m_Size(1), m_Colour(kDefaultColour), m_Fill(0),
      m_LabelMode(0), m_LabelPosition(0), m_IconMode(false), m_LabelColumn(0)
{
    m_Projection.SetSpheroid(&m_Spheroid);
    m_Converter.Link(&m_Spheroid, &m_Projection);
}

CShape::~CShape()
{
    RemoveAllEntities();
}

void CShape::RemoveAllEntities()
{
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        SHPObject* entity = GetNextEntity(pos);
        if (entity)
            SHPDestroyObject(entity);
    }
    RemoveAll();
}

SHPObject* CShape::GetNextEntity(POSITION& pos) const
{
    return static_cast<SHPObject*>(GetNext(pos));
}

bool CShape::ReadInfo()
{
    SHPHandle file = SHPOpenLL(m_FilePath, "rb", GetShapeFileHooks());
    if (!file)
        return false;
    int entities = 0;
    int type = 0;
    SHPGetInfo(file, &entities, &type, m_BoundsMin, m_BoundsMax);
    m_EntityCount = entities;
    m_ShapeType = type;
    SHPClose(file);
    return true;
}

bool CShape::ReadProjectionFile(const char* path)
{
    CString folder, title, extension;
    SplitFilePath(path, folder, title, extension);
    CString fileName;
    fileName.Format("%s%s.prj", folder.GetString(), title.GetString());
    CStdioFile file;
    if (!file.Open(fileName, kReadFlags))
        return false;
    CString line;
    bool read = false;
    try
    {
        read = file.ReadString(line) != FALSE;
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    if (read)
        ParseProjectionText(line);
    return read;
}

void CShape::ParseProjectionText(const char* text)
{
    m_Geographic = true;
    std::string_view rest(text ? text : "");
    for (;;)
    {
        const size_t open = rest.find('[');
        if (open == std::string_view::npos)
            break;
        const CString keyword = Text(rest.substr(0, open));
        rest = rest.substr(open + 1);
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos)
            break;
        CString name = Text(rest.substr(0, comma));
        name.Remove('"');
        name.Remove(']');
        rest = rest.substr(comma + 1);

        if (Contains(keyword, "GEOGCS"))
            m_Converter.m_DatumName = WithBlanks(name);
        else if (Contains(keyword, "PROJCS"))
            m_Projection.m_Name = WithBlanks(name);
        else if (Contains(keyword, "DATUM"))
            m_Converter.m_DatumName = WithBlanks(name.Left(2) == "D_" ? name.Mid(2) : name);
        else if (Contains(keyword, "SPHEROID"))
        {
            m_Spheroid.m_Name = WithBlanks(name);
            const size_t next = rest.find(',');
            const double semiMajor = NumberAt(rest.substr(0, next));
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
            const double inverseFlattening = NumberAt(rest);
            m_Spheroid.SetAxes(semiMajor, inverseFlattening);
            m_Projection.ComputeConstants();
            rest = After(AfterOneOf(rest, ",]"), ',');
        }
        else if (Contains(keyword, "PRIMEM") || Contains(keyword, "UNIT"))
            rest = After(After(rest, ']'), ',');
        else if (Contains(keyword, "AUTHORITY"))
            rest = AfterOneOf(After(rest, ']'), ",]");
        else if (Contains(keyword, "PROJECTION"))
        {
            if (m_Projection.m_Name.IsEmpty())
                m_Projection.m_Name = name;
            if (Contains(name, "Transverse"))
            {
                m_Projection.m_DataType = 1;
                m_Projection.m_Method = 0;
            }
            else if (Contains(name, "Mercator"))
            {
                m_Projection.m_DataType = 5;
                m_Projection.m_Method = 0;
            }
            // The grid comes from the text now, not from a zone of the table.
            m_Projection.m_FixedZone = 0;
            m_Projection.m_FalseEasting = 0.0;
            m_Projection.m_FalseNorthing = 0.0;
            m_Projection.m_OriginLatitude = 0.0;
            m_Projection.m_OriginLongitude = 0.0;
            m_Projection.m_ScaleFactor = 1.0;
            m_Projection.m_Parallel1 = 0.0;
            m_Projection.ComputeConstants();
            m_Geographic = false;
        }
        else if (Contains(keyword, "PARAMETER"))
        {
            const size_t close = rest.find(']');
            const double value = NumberAt(rest.substr(0, close));
            rest = After(close == std::string_view::npos ? rest : rest.substr(close), ',');
            const double radians = value * CProjection::DEG_TO_RAD;
            if (name.CompareNoCase("False_Easting") == 0)
                m_Projection.m_FalseEasting = value;
            else if (name.CompareNoCase("False_Northing") == 0)
                m_Projection.m_FalseNorthing = value;
            else if (name.CompareNoCase("Latitude_of_Origin") == 0)
                m_Projection.m_OriginLatitude = radians;
            else if (name.CompareNoCase("Central_Meridian") == 0)
                m_Projection.m_OriginLongitude = radians;
            else if (name.CompareNoCase("Scale_Factor") == 0)
                m_Projection.m_ScaleFactor = value;
            else if (name.CompareNoCase("Standard_Parallel_1") == 0)
            {
                if (m_Projection.m_Method == 0)
                    m_Projection.m_OriginLatitude = radians;
                else
                    m_Projection.m_Parallel1 = radians;
            }
            else
                continue;
            m_Projection.ComputeConstants();
        }
    }
}

CString CShape::GetDisplaySettingsFileName() const
{
    CString folder, title, extension;
    SplitFilePath(m_FilePath, folder, title, extension);
    return CConfigFile::MakeFileName(folder, title, "INI");
}

void CShape::LoadDisplaySettings()
{
    m_Status = true;
    m_Style = 0;
    m_Size = 1;
    m_Colour = kDefaultColour;
    m_Fill = 0;
    m_LabelMode = 0;
    m_LabelPosition = 0;
    m_LabelColumn = 0;
    m_IconMode = false;
    CConfigFile file;
    if (!file.Open(GetDisplaySettingsFileName(), kReadFlags))
    {
        m_bSettingsFound = false;
        return;
    }
    try
    {
        m_Status = file.ReadInt(1) != 0;
        m_Style = file.ReadShort(0);
        m_Size = file.ReadShort(1);
        m_Colour = ColourFromValue(file.ReadDouble(kDefaultColour), kDefaultColour);
        m_Fill = file.ReadShort(0);
        m_LabelMode = file.ReadInt(0);
        m_LabelPosition = file.ReadInt(0);
        m_LabelColumn = file.ReadShort(0);
        m_IconMode = file.ReadInt(0) != 0;
        file.Close();
    }
    catch (CException* e)
    {
        // What was read stands; the rest keeps its default.
        e->Delete();
        file.Abort();
    }
}

bool CShape::SaveDisplaySettings() const
{
    CString folder, title, extension;
    SplitFilePath(m_FilePath, folder, title, extension);
    const CString path = CConfigFile::MakeFileName(folder, title, "INI");
    return CConfigFile::WriteWhole(path, kWriteFlags, [this](CConfigFile& file) {
        file.WriteBool("Status", m_Status);
        file.WriteInt("Style", m_Style);
        file.WriteInt("Size", m_Size);
        file.WriteUnsigned("Colour", m_Colour);
        file.WriteInt("Fill", m_Fill);
        file.WriteInt("Label Mode", m_LabelMode);
        file.WriteInt("Label Position", m_LabelPosition);
        file.WriteInt("Label Column", m_LabelColumn);
        file.WriteBool("Icon Mode", m_IconMode);
    });
}
