// The anchor file, "ANCHOR.ANK" in the anchor folder: a settings file read back strictly in the
// order it is written, so the writer and the reader stand side by side here.
#include "zuduzuro/Anchor.h"

#include "zuduzuro/AnchorFolders.h"
#include "zuduzuro/CableWeight.h"
#include "zuduzuro/SettingsLines.h"

#include "foundation/ConfigFile.h"

#include <cfloat>
#include <cmath>

namespace
{
const char kExtension[] = "ANK";
const char kAnalogueHeader[] =
    " -------------------------------- Analogue Unit ----------------------------------------\n";

bool ReadFlag(CStdioFile& file)
{
    return ReadInteger(file) != 0;
}

void SkipLine(CStdioFile& file)
{
    CString line;
    file.ReadString(line);
}

double KeptWithin(double value, double low, double high)
{
    return (value >= low && value <= high) ? value : 0.0;
}

// Section lengths are kept when 0 or more and below 10000 m.
double SectionLength(double value)
{
    return (value >= 0.0 && value < 10000.0) ? value : 0.0;
}

void WriteDepthSettings(CConfigFile& file, const CAnchor& anchor)
{
    file.WriteDouble("Water Depth", anchor.m_WaterDepth, 3);
    file.WriteDouble("Waterline To Zero", anchor.m_WaterlineToZero, 3);
    file.WriteDouble("Working Distance", anchor.m_WorkingDistance, 3);
}

void WriteSettings(CConfigFile& file, const CAnchor& a, const CString& header)
{
    file.WriteString(header);
    file.WriteInt("Status", a.m_Status);
    file.WriteBool("Display", a.m_Display);
    WriteName(file, a.m_Name);
    file.WriteInt("Winch Operator", a.m_WinchOperator);
    file.WriteBool("Use", a.m_Use);
    file.WriteDouble("X", a.m_FairleadX, 3);
    file.WriteDouble("Y", a.m_FairleadY, 3);
    file.WriteDouble("Z", a.m_FairleadZ, 3);
    file.WriteDouble("Depth At Anchor", a.m_DepthAtAnchor, 3);
    file.WriteBool("Use Ground Chain", a.m_GroundChain.bUseGroundChain);
    file.WriteInt("Ground Chain Type", a.m_GroundChain.nGroundChainType);
    file.WriteDouble("Ground Chain Length", a.m_GroundChain.GroundChainLength, 3);
    file.WriteBool("Use Upper Section", a.m_Cable.bUseUpperSection);
    file.WriteInt("Lower Cable Type", a.m_Cable.nLowerCableType);
    file.WriteDouble("Lower Cable Chain Length", a.m_Cable.LowerLength, 3);
    file.WriteInt("Upper Cable Type", a.m_Cable.nUpperCableType);
    file.WriteDouble("Upper Cable Chain Length", a.m_Cable.UpperLength, 3);
    file.WriteBool("Use Cable Out", a.m_UseCableOut);
    file.WriteDouble("Observed Cable Out", a.m_ObservedCableOut, 3);
    file.WriteDouble("Tension", a.m_Tension, 3);
    file.WriteDouble("Anchor Easting", a.m_AnchorEasting, 3);
    file.WriteDouble("Anchor Northing", a.m_AnchorNorthing, 3);
    file.WriteDouble("Tolerance", a.m_Tolerance, 3);
    file.WriteDouble("Planned Easting", a.m_PlannedEasting, 3);
    file.WriteDouble("Planned Northing", a.m_PlannedNorthing, 3);
    file.WriteInt("Tug No", a.m_TugNo);
    file.WriteDouble("Tug Fairlead Height", a.m_TugFairleadHeight, 3);
    file.WriteDouble("Tug Easting", a.m_TugEasting, 3);
    file.WriteDouble("Tug Northing", a.m_TugNorthing, 3);
    file.WriteDouble("Tug Pennant Wire Length", a.m_TugPennantWireLength, 3);
    file.WriteInt("Pennant Wire Type", a.m_PennantWireType);
    file.WriteInt("Pennant Mode", a.m_PennantMode);
    file.WriteDouble("Cable On Deck", a.m_CableOnDeck, 3);
    file.WriteDouble("Anchor Weight", a.m_AnchorWeight, 3);
    for (int n = 0; n < CAnchor::kBuoys; ++n)
    {
        const BuoyDef& buoy = a.m_Buoys[n];
        CString buoyHeader;
        buoyHeader.Format(".................... Buoy %d ....................\n", n + 1);
        file.WriteString(buoyHeader);
        file.WriteBool("Use Buoy", buoy.bUseBuoy);
        file.WriteDouble("Pennant Wire Length", buoy.PennantWireLength, 3);
        file.WriteBool("Use Upper Section", buoy.Cable.bUseUpperSection);
        file.WriteInt("Lower Cable Type", buoy.Cable.nLowerCableType);
        file.WriteDouble("Lower Length", buoy.Cable.LowerLength, 3);
        file.WriteInt("Upper Cable Type", buoy.Cable.nUpperCableType);
        file.WriteDouble("Upper Length", buoy.Cable.UpperLength, 3);
    }
    file.WriteString(kAnalogueHeader);
    file.WriteInt("Module", a.m_AnalogueModule);
    file.WriteInt("Channel", a.m_AnalogueChannel);
    file.WriteDouble("Slope", a.m_AnalogueSlope, 5);
    file.WriteDouble("Offset", a.m_AnalogueOffset, 3);
}
} // namespace

CString CAnchor::GetFilePath() const
{
    CString folder;
    if (m_FileName.IsEmpty() || !GetAnchorFolder(folder))
        return CString();
    CString path;
    path.Format("%s%s.%s", folder.GetString(), m_FileName.GetString(), kExtension);
    return path;
}

bool CAnchor::Save() const
{
    const CString path = GetFilePath();
    if (path.IsEmpty())
        return false;
    // The name's line breaks go as their escapes here too: a raw one would split the header and
    // shift every line after it for the positional reader. Commas stay as they always were.
    CString name(m_Name);
    name.Replace("\r", "\xAB"
                       "CR\xBB");
    name.Replace("\n", "\xAB"
                       "LF\xBB");
    CString header;
    header.Format("--------------------- Anchor %s --------------------\n", name.GetString());
    return CConfigFile::WriteWhole(
        path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText,
        [&](CConfigFile& file) {
            WriteDepthSettings(file, *this);
            WriteSettings(file, *this, header);
        });
}

void ReadDepthSettings(CStdioFile& file, double& waterDepth, double& waterlineToZero, double& workingDistance)
{
    waterDepth = KeptWithin(ReadFiniteNumber(file), 0.0, 100000.0);
    waterlineToZero = ReadFiniteNumber(file);
    workingDistance = ReadFiniteNumber(file);
}

void CAnchor::Load(CStdioFile& file, const CCableWeight& table)
{
    SkipLine(file); // "Anchor" header
    m_Status = ReadInteger(file);
    m_Display = ReadFlag(file);
    ReadValue(file, m_Name);
    const int winchOperator = ReadInteger(file);
    if (winchOperator >= 0 && winchOperator <= 2)
        m_WinchOperator = static_cast<int16_t>(winchOperator);
    m_Use = ReadFlag(file);
    m_FairleadX = ReadFiniteNumber(file);
    m_FairleadY = ReadFiniteNumber(file);
    m_FairleadZ = ReadFiniteNumber(file);
    m_FairleadLevel = m_FairleadZ + m_WaterlineToZero;
    m_DepthAtAnchor = ReadFiniteNumber(file);

    m_GroundChain.bUseGroundChain = ReadFlag(file);
    m_GroundChain.nGroundChainType = static_cast<int16_t>(ReadInteger(file));
    m_GroundChain.GroundChainWeight = CableTypeWeight(table, m_GroundChain.nGroundChainType);
    m_GroundChain.GroundChainLength = ReadFiniteNumber(file);
    m_Cable.bUseUpperSection = ReadFlag(file);
    m_Cable.nLowerCableType = static_cast<int16_t>(ReadInteger(file));
    m_Cable.LowerWeight = CableTypeWeight(table, m_Cable.nLowerCableType);
    m_Cable.LowerLength = SectionLength(ReadFiniteNumber(file));
    m_Cable.nUpperCableType = static_cast<int16_t>(ReadInteger(file));
    m_Cable.UpperWeight = CableTypeWeight(table, m_Cable.nUpperCableType);
    m_Cable.UpperLength = SectionLength(ReadFiniteNumber(file));
    m_UseCableOut = ReadFlag(file);
    m_ObservedCableOut = ReadFiniteNumber(file);
    m_Tension = ReadFiniteNumber(file);
    m_PositionCurrent = true;

    const double anchorE = ReadFiniteNumber(file);
    const double anchorN = ReadFiniteNumber(file);
    SetAnchorPosition(anchorE, anchorN);
    const double tolerance = ReadFiniteNumber(file);
    if (tolerance >= 0.0)
        m_Tolerance = tolerance;
    const double plannedE = ReadFiniteNumber(file);
    const double plannedN = ReadFiniteNumber(file);
    SetPlannedPosition(plannedE, plannedN);
    const int tugNo = ReadInteger(file);
    if (tugNo >= 0 && tugNo <= 6)
        m_TugNo = tugNo;
    const double tugHeight = ReadFiniteNumber(file);
    m_TugFairleadHeight = std::fabs(tugHeight) >= 10000.0 ? 0.0 : tugHeight;
    const double tugE = ReadFiniteNumber(file);
    const double tugN = ReadFiniteNumber(file);
    SetTugPosition(tugE, tugN);
    m_TugPennantWireLength = ReadFiniteNumber(file);
    m_PennantWireType = static_cast<int16_t>(ReadInteger(file));
    m_PennantWireWeight = CableTypeWeight(table, m_PennantWireType);
    m_PennantMode = ReadInteger(file);
    m_CableOnDeck = ReadFiniteNumber(file);
    m_AnchorWeight = ReadFiniteNumber(file);

    for (BuoyDef& buoy : m_Buoys)
    {
        SkipLine(file); // "Buoy" header
        buoy.bUseBuoy = ReadFlag(file);
        buoy.PennantWireLength = KeptWithin(ReadFiniteNumber(file), 0.0, 100000.0);
        buoy.Cable.bUseUpperSection = ReadFlag(file);
        buoy.Cable.nLowerCableType = static_cast<int16_t>(ReadInteger(file));
        buoy.Cable.LowerWeight = BuoyCableWeight(table, buoy.Cable.nLowerCableType);
        buoy.Cable.LowerLength = ReadFiniteNumber(file);
        UpdateBuoyDistances();
        buoy.Cable.nUpperCableType = static_cast<int16_t>(ReadInteger(file));
        buoy.Cable.UpperWeight = BuoyCableWeight(table, buoy.Cable.nUpperCableType);
        buoy.Cable.UpperLength = ReadFiniteNumber(file);
        UpdateBuoyDistances();
    }

    SkipLine(file); // "Analogue Unit" header
    const int module = ReadInteger(file);
    if (module >= 0 && module <= 16)
        m_AnalogueModule = module;
    const int channel = ReadInteger(file);
    if (channel >= -1 && channel <= 7)
        m_AnalogueChannel = channel;
    const double slope = ReadFiniteNumber(file);
    m_AnalogueSlope = (slope == 0.0 || slope == DBL_MAX) ? 1.0 : slope;
    const double offset = ReadFiniteNumber(file);
    m_AnalogueOffset = offset == DBL_MAX ? 0.0 : offset;
}

void CAnchor::LoadAtStart(const CCableWeight& table)
{
    Reset();
    m_FileName = "ANCHOR";
    const CString path = GetFilePath();
    if (!path.IsEmpty())
    {
        CConfigFile::ReadWhole(
            path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText, [&](CConfigFile& file) {
                ReadDepthSettings(file, m_WaterDepth, m_WaterlineToZero, m_WorkingDistance);
                Load(file, table);
            });
    }
    m_Use = true;
}
