// The anchor file, "ANCHOR.ANK" in the anchor folder: a settings file read back in the order it
// is written, each line's key checked against its place, so the writer and the reader stand
// side by side here.
#include "zuduzuro/Anchor.h"

#include "zuduzuro/AnchorFolders.h"
#include "zuduzuro/CableWeight.h"
#include "zuduzuro/SettingsLines.h"
#include "zuduzuro/SettingsText.h"
#include "zuduzuro/SpreadLimits.h"

#include "foundation/ConfigFile.h"

#include <cfloat>
#include <cstdint>

namespace
{
const char kExtension[] = "ANK";
const char kAnalogueHeader[] =
    " -------------------------------- Analogue Unit ----------------------------------------\n";

using spread::kDeepest;
using spread::kFarthest;
using spread::kHeaviest;
using spread::kHighest;
using spread::kLongest;
using spread::kSectionLongest;

const char kNotLoaded[] =
    " The file was not loaded and is left as it stands: no change to the anchor is saved "
    "into it until it is mended or removed and the program started again.";

// A cable type: an index into the table. One the table does not hold is kept, so that it
// names its row again once the row is back, and weighs the default until then.
void ReadCableType(CSettingsLines& in, const char* key, const CCableWeight& table, int16_t& type)
{
    int value = type;
    if (!in.Integer(key, INT16_MIN, INT16_MAX, value))
        return;
    type = static_cast<int16_t>(value);
    if (value >= 0 && value < table.GetSize())
        return;
    CString why;
    why.Format("%d names no cable type of the table, which holds %d; it weighs %.2f kg/m until it does.",
               value, static_cast<int>(table.GetSize()), CAnchor::kDefaultCableWeight);
    in.Refuse(key, why);
}

// Reads every line after the three depth lines into `a`, in the order WriteSettings writes
// them; the cable weights are looked up once all types are read.
void ReadSettings(CSettingsLines& in, CAnchor& a, const CCableWeight& table)
{
    if (!in.Header("Anchor", true))
        return;
    in.Integer("Status", ANCHOR_RACKED, ANCHOR_PLANNED, a.m_Status);
    in.Flag("Display", a.m_Display);
    in.Text("Name", a.m_Name);
    int winchOperator = a.m_WinchOperator;
    if (in.Integer("Winch Operator", 0, 2, winchOperator))
        a.m_WinchOperator = static_cast<int16_t>(winchOperator);
    in.Flag("Use", a.m_Use);
    in.Number("X", -kHighest, kHighest, a.m_FairleadX);
    in.Number("Y", -kHighest, kHighest, a.m_FairleadY);
    in.Number("Z", -kHighest, kHighest, a.m_FairleadZ);
    a.m_FairleadLevel = a.m_FairleadZ + a.m_WaterlineToZero;
    in.Number("Depth At Anchor", -kDeepest, kDeepest, a.m_DepthAtAnchor);

    in.Flag("Use Ground Chain", a.m_GroundChain.bUseGroundChain);
    ReadCableType(in, "Ground Chain Type", table, a.m_GroundChain.nGroundChainType);
    in.Number("Ground Chain Length", 0.0, kLongest, a.m_GroundChain.GroundChainLength);
    in.Flag("Use Upper Section", a.m_Cable.bUseUpperSection);
    ReadCableType(in, "Lower Cable Type", table, a.m_Cable.nLowerCableType);
    in.Number("Lower Cable Chain Length", 0.0, kSectionLongest, a.m_Cable.LowerLength,
              CSettingsLines::BELOW_HIGH);
    ReadCableType(in, "Upper Cable Type", table, a.m_Cable.nUpperCableType);
    in.Number("Upper Cable Chain Length", 0.0, kSectionLongest, a.m_Cable.UpperLength,
              CSettingsLines::BELOW_HIGH);
    in.Flag("Use Cable Out", a.m_UseCableOut);
    in.Number("Observed Cable Out", 0.0, kLongest, a.m_ObservedCableOut);
    in.Number("Tension", 0.0, kHeaviest, a.m_Tension);
    a.m_PositionCurrent = true;

    double easting = a.m_AnchorEasting, northing = a.m_AnchorNorthing;
    in.Number("Anchor Easting", -kFarthest, kFarthest, easting);
    in.Number("Anchor Northing", -kFarthest, kFarthest, northing);
    a.SetAnchorPosition(easting, northing);
    in.Number("Tolerance", 0.0, kHighest, a.m_Tolerance);
    easting = a.m_PlannedEasting;
    northing = a.m_PlannedNorthing;
    in.Number("Planned Easting", -kFarthest, kFarthest, easting);
    in.Number("Planned Northing", -kFarthest, kFarthest, northing);
    a.SetPlannedPosition(easting, northing);
    in.Integer("Tug No", 0, 6, a.m_TugNo);
    in.Number("Tug Fairlead Height", -kHighest, kHighest, a.m_TugFairleadHeight, CSettingsLines::NEITHER_END);
    easting = a.m_TugEasting;
    northing = a.m_TugNorthing;
    in.Number("Tug Easting", -kFarthest, kFarthest, easting);
    in.Number("Tug Northing", -kFarthest, kFarthest, northing);
    a.SetTugPosition(easting, northing);
    in.Number("Tug Pennant Wire Length", 0.0, kLongest, a.m_TugPennantWireLength);
    ReadCableType(in, "Pennant Wire Type", table, a.m_PennantWireType);
    in.Integer("Pennant Mode", 0, 2, a.m_PennantMode);
    in.Number("Cable On Deck", 0.0, kLongest, a.m_CableOnDeck);
    in.Number("Anchor Weight", 0.0, kHeaviest, a.m_AnchorWeight);

    for (int n = 1; n <= CAnchor::kBuoys; ++n)
    {
        BuoyDef& buoy = a.m_Buoys[n - 1];
        CString header;
        header.Format("Buoy %d", n);
        in.Header(header);
        in.Flag("Use Buoy", buoy.bUseBuoy);
        in.Number("Pennant Wire Length", 0.0, kLongest, buoy.PennantWireLength);
        in.Flag("Use Upper Section", buoy.Cable.bUseUpperSection);
        ReadCableType(in, "Lower Cable Type", table, buoy.Cable.nLowerCableType);
        in.Number("Lower Length", 0.0, kLongest, buoy.Cable.LowerLength);
        a.UpdateBuoyDistances();
        ReadCableType(in, "Upper Cable Type", table, buoy.Cable.nUpperCableType);
        in.Number("Upper Length", 0.0, kLongest, buoy.Cable.UpperLength);
        a.UpdateBuoyDistances();
    }

    in.Header("Analogue Unit");
    in.Integer("Module", 0, 16, a.m_AnalogueModule);
    in.Integer("Channel", -1, 7, a.m_AnalogueChannel);
    // 0 and the largest double were how "no scaling" was stored.
    double slope = a.m_AnalogueSlope;
    if (in.Number("Slope", -DBL_MAX, DBL_MAX, slope))
        a.m_AnalogueSlope = (slope == 0.0 || slope == DBL_MAX) ? 1.0 : slope;
    double offset = a.m_AnalogueOffset;
    if (in.Number("Offset", -DBL_MAX, DBL_MAX, offset))
        a.m_AnalogueOffset = offset == DBL_MAX ? 0.0 : offset;

    a.UpdateCableWeights(table);
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
    if (path.IsEmpty() || m_bFileRefused)
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

bool CAnchor::Load(const char* path, const CCableWeight& table)
{
    CSettingsText text;
    switch (text.Read(path))
    {
    case CSettingsText::TEXT_MISSING:
        return false;
    case CSettingsText::TEXT_REFUSED:
        RefuseFile(text.GetRefusal());
        return false;
    case CSettingsText::TEXT_READ:
        break;
    }
    // Read into a copy: a file that turns out not to match leaves this anchor as it was.
    CSettingsLines in(path, text.GetLines(), CSettingsLines::KEYS_CHECKED);
    CAnchor loaded(*this);
    in.Number("Water Depth", 0.0, kDeepest, loaded.m_WaterDepth);
    in.Number("Waterline To Zero", -kHighest, kHighest, loaded.m_WaterlineToZero);
    in.Number("Working Distance", 0.0, kLongest, loaded.m_WorkingDistance);
    ReadSettings(in, loaded, table);
    if (!in.AtEnd())
    {
        RefuseFile(in.GetMismatch());
        return false;
    }
    *this = loaded;
    m_bFileRefused = false;
    m_LoadProblems = in.GetProblems();
    return true;
}

void CAnchor::RefuseFile(const CString& why)
{
    m_bFileRefused = true;
    m_LoadProblems.RemoveAll();
    m_LoadProblems.Add(why + kNotLoaded);
}

void CAnchor::LoadAtStart(const CCableWeight& table)
{
    Reset();
    m_FileName = "ANCHOR";
    m_bFileRefused = false;
    m_LoadProblems.RemoveAll();
    const CString path = GetFilePath();
    if (!path.IsEmpty())
        Load(path, table);
    m_Use = true;
}
