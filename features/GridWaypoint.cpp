#include "features/GridWaypoint.h"

#include "features/DrawingOptions.h"
#include "features/GridValueCheck.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>

namespace
{
const UINT kWaypointFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary;
// The columns of each data order, as they stand in a line: nAme, Easting, Northing, Height,
// Radius.
const char* const kColumns[GWP_DATA_ORDER_COUNT] = {"ENHA", "AENH", "ENA", "AEN",  "ENH",
                                                    "EN",   "ENR",  "ENHR", "AENR", "AENHR"};

// What a missing settings file gives. The alarm values are also what their missing lines
// give, so that a short file never switches the anchor-cable clearance alarm off.
const double kDefaultClearance = 10.0;
const double kDefaultTolerance = 25.0;
const int16_t kDefaultSymbol = VECTOR_FILLED_TRIANGLE;
const COLORREF kDefaultColour = 0x00FFFF;     // yellow
const COLORREF kDefaultRingColour = 0xFF00FF; // magenta
const double kDefaultRingSizeMetres = 50.0;
const double kDefaultRingSizeNM = 1.0;
// A ring count of the largest 16-bit value is what an unset count was stored as.
const int16_t kUnsetRingCount = 32767;
} // namespace

const char* const CGridWaypoint::m_DataOrderTxt[GWP_DATA_ORDER_COUNT] = {
    "Eng, Nng, Ht, Name",     "Name, Eng, Nng, Ht",
    "Eng, Nng, Name",         "Name, Eng, Nng",
    "Eng, Nng, Ht",           "Eng, Nng",
    "Eng, Nng, Radius",       "Eng, Nng, Ht, Radius",
    "Name, Eng, Nng, Radius", "Name, Eng, Nng, Ht, Radius"};

bool CGridWaypoint::HasName(int dataOrder)
{
    switch (dataOrder)
    {
    case GWP_ENG_NNG_HT_NAME:
    case GWP_NAME_ENG_NNG_HT:
    case GWP_ENG_NNG_NAME:
    case GWP_NAME_ENG_NNG:
    case GWP_NAME_ENG_NNG_RADIUS:
    case GWP_NAME_ENG_NNG_HT_RADIUS:
        return true;
    default:
        return false;
    }
}

bool CGridWaypoint::HasHeight(int dataOrder)
{
    switch (dataOrder)
    {
    case GWP_ENG_NNG_HT_NAME:
    case GWP_NAME_ENG_NNG_HT:
    case GWP_ENG_NNG_HT:
    case GWP_ENG_NNG_HT_RADIUS:
    case GWP_NAME_ENG_NNG_HT_RADIUS:
        return true;
    default:
        return false;
    }
}

bool CGridWaypoint::HasRadius(int dataOrder)
{
    return dataOrder >= GWP_ENG_NNG_RADIUS && dataOrder <= GWP_NAME_ENG_NNG_HT_RADIUS;
}

const char* CGridWaypoint::GetColumnLayout(int dataOrder)
{
    return (dataOrder >= 0 && dataOrder < GWP_DATA_ORDER_COUNT) ? kColumns[dataOrder] : nullptr;
}

CGridWaypoint::CGridWaypoint()
{
    SetDefaults();
}

CGridWaypoint::~CGridWaypoint() = default;

void CGridWaypoint::SetDefaults()
{
    m_DataOrder = GWP_ENG_NNG_HT_NAME;
    m_Use = true;
    m_ZuduzuroMode = false;
    m_Clearance = kDefaultClearance;
    m_Tolerance = kDefaultTolerance;
    m_Symbol = kDefaultSymbol;
    m_Size = SYMBOL_SMALL;
    m_Colour = kDefaultColour;
    m_LabelMode = LABEL_MODE_NONE;
    m_LabelPosition = LABEL_POS_NONE;
    m_DrawRings = false;
    m_NoRings = 1;
    m_RingSizeMetres = kDefaultRingSizeMetres;
    m_RingSizeNM = kDefaultRingSizeNM;
    m_RingColour = kDefaultRingColour;
}

CString CGridWaypoint::GetSettingsName() const
{
    CString folder, title, extension;
    SplitFilePath(m_FilePath, folder, title, extension);
    return title + "_GRID_WAYPOINT";
}

// The writer and its reader: keep the two in the same order.
void CGridWaypoint::SaveSettings() const
{
    if (m_FilePath.IsEmpty())
        return;
    CConfigFile::WriteSettingsFile(GetSettingsName(), [&](CConfigFile& file) {
        file.WriteInt("Data Order", m_DataOrder);
        file.WriteBool("Use", m_Use);
        file.WriteDouble("Clearance", m_Clearance, 3);
        file.WriteDouble("Tolerance", m_Tolerance, 3);
        file.WriteInt("Symbol", m_Symbol);
        file.WriteUnsigned("Colour", m_Colour);
        file.WriteInt("Size", m_Size);
        file.WriteInt("Label Mode", m_LabelMode);
        file.WriteInt("Label Position", m_LabelPosition);
        file.WriteBool("Draw Rings", m_DrawRings);
        file.WriteInt("No Rings", m_NoRings);
        file.WriteDouble("Ring Size Metres", m_RingSizeMetres, 3);
        file.WriteDouble("Ring Size NM", m_RingSizeNM, 3);
        file.WriteUnsigned("Ring Colour", m_RingColour);
        file.WriteBool("Zuduzuro Mode", m_ZuduzuroMode);
    });
}

void CGridWaypoint::LoadSettings()
{
    SetDefaults();
    if (m_FilePath.IsEmpty())
        return;
    // Whatever was read before a failure stands; the rest keeps its default.
    const bool opened = CConfigFile::ReadSettingsFile(GetSettingsName(), [this](CConfigFile& file) {
        m_DataOrder = file.ReadShort(0);
        m_Use = file.ReadShort(0) != 0;
        m_Clearance = file.ReadDouble(kDefaultClearance);
        m_Tolerance = file.ReadDouble(kDefaultTolerance);
        m_Symbol = file.ReadShort(0);
        m_Colour = ColourFromSetting(file.ReadDouble(kDefaultColour), kDefaultColour);
        m_Size = static_cast<SYMBOL_SIZE>(file.ReadShort(0));
        m_LabelMode = static_cast<SYMBOL_LABEL_MODE>(file.ReadShort(0));
        m_LabelPosition = static_cast<LABEL_POSITION>(file.ReadShort(0));
        m_DrawRings = file.ReadShort(0) != 0;
        m_NoRings = file.ReadShort(0);
        m_RingSizeMetres = file.ReadDouble(0.0);
        m_RingSizeNM = file.ReadDouble(0.0);
        m_RingColour = ColourFromSetting(file.ReadDouble(kDefaultRingColour), kDefaultRingColour);
        m_ZuduzuroMode = file.ReadShort(0) != 0;
    });
    if (!opened)
        return;
    if (m_LabelMode < LABEL_MODE_NONE || m_LabelMode >= LABEL_MODE_COUNT)
        m_LabelMode = LABEL_MODE_NONE;
    if (m_LabelPosition < LABEL_POS_NONE || m_LabelPosition >= LABEL_POS_COUNT)
        m_LabelPosition = LABEL_POS_NONE;
    if (m_NoRings == kUnsetRingCount)
        m_NoRings = 1;
    if (m_RingSizeMetres == DBL_MAX)
        m_RingSizeMetres = kDefaultRingSizeMetres;
    if (m_RingSizeNM == DBL_MAX)
        m_RingSizeNM = kDefaultRingSizeNM;
}

bool CGridWaypoint::Load(const char* path)
{
    RemoveAll();
    m_strRefusal.Empty();
    // A copy: the panes reload a file by passing its own m_FilePath.
    const CString newPath(path ? path : "");
    CStdioFile file;
    if (newPath.IsEmpty() || !file.Open(newPath, kWaypointFlags))
        return false;
    m_FilePath = newPath;
    LoadSettings();

    CGridValueCheck check(newPath);
    try
    {
        CCsvParser parser;
        CString line;
        while (file.ReadString(line))
        {
            check.NextLine();
            line.Replace(';', ',');
            parser.SetLine(line);
            GridWaypointDef point = {DBL_MAX, DBL_MAX, 0.0, CString(), 0.0};
            if (m_DataOrder >= 0 && m_DataOrder < GWP_DATA_ORDER_COUNT)
            {
                for (const char* column = kColumns[m_DataOrder]; *column; ++column)
                {
                    switch (*column)
                    {
                    case 'A':
                        parser.GetString(point.Name);
                        break;
                    case 'E':
                        point.Easting = parser.GetDouble();
                        break;
                    case 'N':
                        point.Northing = parser.GetDouble();
                        break;
                    case 'H':
                        point.Height = parser.GetDouble();
                        break;
                    default:
                        point.Radius = parser.GetDouble();
                        break;
                    }
                }
            }
            if (!check.Accept({point.Easting, point.Northing, point.Height, point.Radius}))
                break;
            if (point.Easting == DBL_MAX || point.Northing == DBL_MAX)
                continue;
            if (point.Easting == 0.0 && point.Northing == 0.0)
                continue;
            if (point.Height == DBL_MAX)
                point.Height = 0.0;
            // A missing radius is no obstruction radius: taken as a number it would make the
            // obstruction cover the whole chart.
            if (point.Radius == DBL_MAX)
                point.Radius = 0.0;
            point.Name.Remove('\r');
            point.Name.Remove('\n');
            point.Name.Trim();
            Add(point);
        }
        file.Close();
    }
    catch (CException* e)
    {
        // A file that cannot be read to its end is not loaded at all, rather than shown cut short.
        e->Delete();
        file.Abort();
        RemoveAll();
    }
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    if (GetSize() == 0)
        return false;
    AssignDefaultNames();
    return true;
}

void CGridWaypoint::AssignDefaultNames()
{
    // Files without a name column: every waypoint is named by its position.
    const bool all = m_DataOrder >= GWP_ENG_NNG_HT && m_DataOrder <= GWP_ENG_NNG_HT_RADIUS;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        GridWaypointDef& point = ElementAt(i);
        if (all || point.Name.IsEmpty())
            point.Name.Format("Wpt %d", static_cast<int>(i + 1));
    }
}
