#include "features/TrackObject.h"

#include "features/GridWaypointList.h"
#include "features/SailLineList.h"
#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/Geometry.h"
#include "geodesy/Gps.h"

#include <cmath>
#include <cstring>

namespace
{
const double kDegreesToRadians = 0.017453292519943;
} // namespace

CTrackObject::CTrackObject()
    : m_bActive(true), m_PrimaryGps(0), m_PrimaryMru(0), m_TrkPtType(TP_COMMON_REFERENCE_POINT), m_TrkPtNo(0),
      m_TrkPtSymbolSize(2), m_TargetHeading(0.0), m_Convergence(0.0), m_GridHeading(0.0), m_SinHeading(0.0),
      m_CosHeading(1.0), m_bShowOutline(true), m_OutlineColour(0x000000), m_OutlineSize(1), m_OutlineStyle(0),
      m_OutlineFill(0), m_ShadowColour(0x808080), m_ShadowSize(1), m_ShadowStyle(0), m_ShadowFill(0),
      m_LengthA(0.0), m_LengthB(0.0), m_WidthA(0.0), m_WidthB(0.0), m_BoxDx(5.0), m_BoxDy(5.0), m_BoxCorner{},
      m_bEnableTrail(false), m_bShowTrail(false), m_TrailColour(0x0000FF), m_MaxTrailSize(500),
      m_pWaypointList(nullptr), m_WaypointFileIndex(0), m_WaypointNo(0),
      m_bTargetValid(false), m_TargetWaypoint{0.0, 0.0, 0.0, CString(), 0.0}, m_WaypointColour(0x00FFFF),
      m_pSailLineList(nullptr), m_SailLineFileIndex(0), m_SailLineNo(0),
      m_bLineValid(false), m_TargetSailLine{}, m_SailLineColour(0xFF0000), m_HeadingTolerance(1.0),
      m_PitchTolerance(1.0), m_RollTolerance(1.0), m_DepthTolerance(0.5), m_TargetPosition{0.0, 0.0}, m_Position{0.0, 0.0}, m_Heading(-1.0),
      m_OutlineMode(0), m_bTargetDisplay(false), m_TargetMode(1)
{
}

tagPen CTrackObject::GetOutlinePen() const
{
    return tagPen{static_cast<int16_t>(m_OutlineStyle), static_cast<int16_t>(m_OutlineSize),
                  static_cast<uint32_t>(m_OutlineColour), static_cast<int16_t>(m_OutlineFill)};
}

tagPen CTrackObject::GetShadowPen() const
{
    return tagPen{static_cast<int16_t>(m_ShadowStyle), static_cast<int16_t>(m_ShadowSize),
                  static_cast<uint32_t>(m_ShadowColour), static_cast<int16_t>(m_ShadowFill)};
}

CTrackObject::~CTrackObject() = default;

CString CTrackObject::GetTrackingPointTypeName() const
{
    return CString(TrackingPointTypeName(m_TrkPtType));
}

TrackingPointDef* CTrackObject::GetTrackingPoint(int type, int index) const
{
    const CTrackingPointArray* points = GetTrackingPointArray(type);
    return points ? points->GetPoint(index) : nullptr;
}

CString CTrackObject::GetTrackingPointName() const
{
    CString name("n/a");
    if (m_TrkPtType == TP_COMMON_REFERENCE_POINT)
    {
        if (const TrackingPointDef* antenna = m_Antennas.GetPoint(m_PrimaryGps))
            name.Format("CRP - %s", (LPCSTR)antenna->Name);
    }
    else if (const TrackingPointDef* point = GetTrackingPoint(m_TrkPtType, m_TrkPtNo))
    {
        name = point->Name;
    }
    return name;
}

bool CTrackObject::GetTrackingPointPosition(tagXY& position) const
{
    if (m_TrkPtType == TP_COMMON_REFERENCE_POINT)
    {
        position = m_Position;
        return true;
    }
    const TrackingPointDef* point = GetTrackingPoint(m_TrkPtType, m_TrkPtNo);
    if (point == nullptr)
        return false;
    position = point->Position;
    return true;
}

namespace
{
// True when the receiver may position the object; a receiver found silent loses its last fix.
bool IsLive(CGps* gps)
{
    if (gps == nullptr)
        return false;
    if (!gps->IsTimedOut(gps->m_Limit))
        return true;
    ClearGpsFix(gps);
    return false;
}
} // namespace

int CTrackObject::SelectActiveGps(const CArray<CGps*, CGps*>* receivers) const
{
    const int primary = m_PrimaryGps;
    if (primary < 0 || receivers == nullptr || primary >= receivers->GetSize())
        return primary;
    auto inUse = [this](int i) {
        const TrackingPointDef* antenna = m_Antennas.GetPoint(i);
        return antenna != nullptr && antenna->IsEnabled();
    };
    if (inUse(primary) && IsLive(receivers->GetAt(primary)))
        return primary;
    for (int i = 0; i < receivers->GetSize(); ++i)
        if (i != primary && inUse(i) && IsLive(receivers->GetAt(i)))
            return i;
    return primary;
}

void CTrackObject::ClearTargetWaypoint()
{
    m_WaypointFileIndex = 0;
    m_WaypointNo = 0;
    m_bTargetValid = false;
    m_TargetWaypoint.Easting = 0.0;
    m_TargetWaypoint.Northing = 0.0;
    m_TargetWaypoint.Height = 0.0;
    m_TargetWaypoint.Radius = 0.0;
    m_TargetWaypoint.Name.Empty();
}

void CTrackObject::ClearTargetSailLine()
{
    m_SailLineFileIndex = 0;
    m_SailLineNo = 0;
    m_bLineValid = false;
    std::memset(static_cast<void*>(&m_TargetSailLine), 0, sizeof(m_TargetSailLine));
}

void CTrackObject::SetTargetWaypoint(int file, int point)
{
    if (file < 0)
        file = m_WaypointFileIndex;
    if (point < 0)
        point = m_WaypointNo;
    ClearTargetWaypoint();
    if (!m_pWaypointList)
        return;
    const INT_PTR files = m_pWaypointList->GetSize();
    if (file > files - 1)
        file = static_cast<int>(files - 1);
    if (file < 0 || file >= files)
        return;
    m_WaypointFileIndex = file;
    const CGridWaypoint* waypoints = m_pWaypointList->GetAt(file);
    if (!waypoints)
        return;
    const INT_PTR count = waypoints->GetSize();
    if (point > count - 1)
        point = static_cast<int>(count - 1);
    if (point < 0 || point >= count)
        return;
    m_WaypointNo = point;
    m_TargetWaypoint = waypoints->GetAt(point);
    m_bTargetValid = !(m_TargetWaypoint.Easting == 0.0 && m_TargetWaypoint.Northing == 0.0);
    if (m_bTargetValid)
        ComputeTargetOutline();
}

void CTrackObject::SetTargetSailLine(int file, int line)
{
    if (file < 0)
        file = m_SailLineFileIndex;
    if (line < 0)
        line = m_SailLineNo;
    ClearTargetSailLine();
    if (!m_pSailLineList)
        return;
    const INT_PTR files = m_pSailLineList->GetSize();
    if (file > files - 1)
        file = static_cast<int>(files - 1);
    if (file < 0 || file >= files)
        return;
    m_SailLineFileIndex = file;
    const CSailLine* lines = m_pSailLineList->GetAt(file);
    if (!lines)
        return;
    const INT_PTR count = lines->GetSize();
    if (line > count - 1)
        line = static_cast<int>(count - 1);
    if (line < 0 || line >= count)
        return;
    m_SailLineNo = line;
    m_TargetSailLine = lines->GetAt(line);
    m_bLineValid = m_TargetSailLine.Start.x != m_TargetSailLine.End.x ||
                   m_TargetSailLine.Start.y != m_TargetSailLine.End.y;
    if (m_bLineValid)
        ComputeTargetOutline();
}

CString CTrackObject::GetTargetWaypointFileName() const
{
    if (!m_pWaypointList || m_WaypointFileIndex < 0 || m_WaypointFileIndex >= m_pWaypointList->GetSize())
        return CString();
    const CGridWaypoint* waypoints = m_pWaypointList->GetAt(m_WaypointFileIndex);
    return waypoints ? waypoints->m_FilePath : CString();
}

CString CTrackObject::GetTargetSailLineFileName() const
{
    if (!m_pSailLineList || m_SailLineFileIndex < 0 || m_SailLineFileIndex >= m_pSailLineList->GetSize())
        return CString();
    const CSailLine* lines = m_pSailLineList->GetAt(m_SailLineFileIndex);
    return lines ? lines->m_FilePath : CString();
}

void CTrackObject::SetTargetHeading(double targetHeading)
{
    m_TargetHeading = targetHeading;
    SetTargetHeading();
}

void CTrackObject::SetTargetHeading()
{
    if (m_TargetHeading >= 0.0 && m_TargetHeading <= 360.0)
    {
        m_GridHeading = m_TargetHeading - m_Convergence;
        if (m_GridHeading < 0.0)
            m_GridHeading += 360.0;
        const double radians = m_GridHeading * kDegreesToRadians;
        m_SinHeading = std::sin(radians);
        m_CosHeading = std::cos(radians);
    }
    else
    {
        m_SinHeading = 0.0;
        m_CosHeading = 0.0;
    }
}

void CTrackObject::ComputeTargetOutline()
{
    const double offsets[4][2] = {
        {m_BoxDx, m_BoxDy}, {m_BoxDx, -m_BoxDy}, {-m_BoxDx, -m_BoxDy}, {-m_BoxDx, m_BoxDy}};
    for (int i = 0; i < 4; ++i)
    {
        const double x = offsets[i][0];
        const double y = offsets[i][1];
        m_BoxCorner[i].x = std::round(m_CosHeading * x + m_SinHeading * y) + m_TargetWaypoint.Easting;
        m_BoxCorner[i].y = std::round(m_CosHeading * y - m_SinHeading * x) + m_TargetWaypoint.Northing;
    }
}

void CTrackObject::GetTargetPosition(tagXY& position)
{
    position.x = m_TargetWaypoint.Easting;
    position.y = m_TargetWaypoint.Northing;
    if (m_TrkPtType != TP_COMMON_REFERENCE_POINT)
    {
        if (const TrackingPointDef* point = GetTrackingPoint(m_TrkPtType, m_TrkPtNo))
            RotateOffset(m_TargetWaypoint.Easting, m_TargetWaypoint.Northing, -point->X, -point->Y,
                         m_SinHeading, m_CosHeading, &position.x, &position.y);
    }
    m_TargetPosition = position;
}

CString CTrackObject::GetSettingsFileName(const char* extension) const
{
    if (m_Name.IsEmpty())
        return CString();
    CString folder;
    if (!GetMyDrivesDataFolder(folder, "Vessel") && !GetMyDataFolder(folder, "Vessel"))
        return CString();
    return CConfigFile::MakeFileName(folder, m_Name, extension);
}

void CTrackObject::WriteVesselFile(const char* extension,
                                   const std::function<void(CConfigFile&)>& write) const
{
    const CString fileName = GetSettingsFileName(extension);
    if (fileName.IsEmpty())
        return;
    CConfigFile::WriteWhole(
        fileName, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText, write);
}

bool CTrackObject::ReadVesselFile(const char* extension,
                                  const std::function<void(CSettingsLines&)>& read) const
{
    CSettingsLines lines(kPointSeparators);
    if (!lines.Load(GetSettingsFileName(extension)))
        return false;
    read(lines);
    return true;
}

CTrackingPointArray* CTrackObject::GetCommonPointArray(int type) const
{
    switch (type)
    {
    case TP_ANTENNA:
        return Editable(m_Antennas);
    case TP_OFFSET:
        return Editable(m_Offsets);
    default:
        return nullptr;
    }
}

void CTrackObject::WritePoints(CConfigFile& file, const char* name, const CTrackingPointArray& points)
{
    if (points.IsEmpty())
        return;
    CStringArray lines;
    points.FormatLines(lines);
    file.WriteSection(name, lines);
}

void CTrackObject::ReadPoints(const CSettingsLines& lines, const char* name, CTrackingPointArray& points)
{
    points.DeleteAll();
    CStringArray section;
    lines.GetSection(name, section);
    for (INT_PTR i = 0; i < section.GetSize(); ++i)
    {
        TrackingPointDef point;
        if (point.ParseLine(section[i]))
            points.AddPoint(point);
    }
}

void CTrackObject::SaveSettings(CConfigFile& file)
{
    file.WriteBool("Active", m_bActive);
    file.WriteInt("Primary GPS", m_PrimaryGps);
    file.WriteInt("Primary MRU", m_PrimaryMru);
    file.WriteInt("Trk Pt Type", m_TrkPtType);
    file.WriteInt("Trk Pt No", m_TrkPtNo);
    file.WriteInt("Trk Pt Symbol Size", m_TrkPtSymbolSize);
    file.WriteInt("Waypoint File Index", m_WaypointFileIndex);
    file.WriteInt("Waypoint no", m_WaypointNo);
    file.WriteUnsigned("Waypoint Colour", m_WaypointColour);
    file.WriteBool("Enable Trail", m_bEnableTrail);
    file.WriteBool("Show Trail", m_bShowTrail);
    file.WriteUnsigned("Trail Colour", m_TrailColour);
    file.WriteInt("Max Trail Size", m_MaxTrailSize);

    file.WriteBool("Show", m_bShowOutline);
    file.WriteText("Outline File", m_OutlineFile);
    file.WriteUnsigned("Outline Colour", m_OutlineColour);
    file.WriteInt("Outline Size", m_OutlineSize);
    file.WriteInt("Outline Style", m_OutlineStyle);
    file.WriteInt("Outline Fill", m_OutlineFill);
    file.WriteUnsigned("Shadow Colour", m_ShadowColour);
    file.WriteInt("Shadow Size", m_ShadowSize);
    file.WriteInt("Shadow Style", m_ShadowStyle);
    file.WriteInt("Shadow Fill", m_ShadowFill);
    file.WriteDouble("Length A", m_LengthA, 3);
    file.WriteDouble("Length B", m_LengthB, 3);
    file.WriteDouble("Width A", m_WidthA, 3);
    file.WriteDouble("Width B", m_WidthB, 3);
    file.WriteDouble("True Alignment", m_TargetHeading, 3);

    CTargetPlot::SaveOptions(file, m_PlotOptions);

    WritePoints(file, "Antenna", m_Antennas);
    WritePoints(file, "Offsets", m_Offsets);

    file.WriteDouble("Heading Tolerance", m_HeadingTolerance, 3);
    file.WriteDouble("Pitch Tolerance", m_PitchTolerance, 3);
    file.WriteDouble("Roll Tolerance", m_RollTolerance, 3);
    file.WriteDouble("Depth Tolerance", m_DepthTolerance, 3);

    file.WriteInt("SailLine File Index", m_SailLineFileIndex);
    file.WriteInt("SailLine no", m_SailLineNo);
    file.WriteUnsigned("Sail Line Colour", m_SailLineColour);

    // Without an outline file there is no drawing whose display settings could be named.
    if (!m_OutlineFile.IsEmpty())
    {
        if (m_Outline.m_FileName.IsEmpty())
            m_Outline.m_FileName = m_OutlineFile;
        m_Outline.SaveDisplaySettings();
    }
}

void CTrackObject::LoadSettings(CSettingsLines& lines)
{
    m_bActive = lines.ReadBool(m_bActive);
    m_PrimaryGps = lines.ReadInt(m_PrimaryGps);
    m_PrimaryMru = lines.ReadInt(m_PrimaryMru);
    m_TrkPtType = lines.ReadInt(m_TrkPtType);
    m_TrkPtNo = lines.ReadInt(m_TrkPtNo);
    m_TrkPtSymbolSize = lines.ReadInt(m_TrkPtSymbolSize);
    m_WaypointFileIndex = lines.ReadInt(m_WaypointFileIndex);
    m_WaypointNo = lines.ReadInt(m_WaypointNo);
    m_WaypointColour = lines.ReadUnsigned(m_WaypointColour);
    m_bEnableTrail = lines.ReadBool(m_bEnableTrail);
    m_bShowTrail = lines.ReadBool(m_bShowTrail);
    m_TrailColour = lines.ReadUnsigned(m_TrailColour);
    m_MaxTrailSize = lines.ReadInt(m_MaxTrailSize);

    m_bShowOutline = lines.ReadBool(m_bShowOutline);
    m_OutlineFile = lines.ReadText(m_OutlineFile);
    m_OutlineColour = lines.ReadUnsigned(m_OutlineColour);
    m_OutlineSize = lines.ReadInt(m_OutlineSize);
    m_OutlineStyle = lines.ReadInt(m_OutlineStyle);
    m_OutlineFill = lines.ReadInt(m_OutlineFill);
    m_ShadowColour = lines.ReadUnsigned(m_ShadowColour);
    m_ShadowSize = lines.ReadInt(m_ShadowSize);
    m_ShadowStyle = lines.ReadInt(m_ShadowStyle);
    m_ShadowFill = lines.ReadInt(m_ShadowFill);
    m_LengthA = lines.ReadDouble(m_LengthA);
    m_LengthB = lines.ReadDouble(m_LengthB);
    m_WidthA = lines.ReadDouble(m_WidthA);
    m_WidthB = lines.ReadDouble(m_WidthB);
    m_TargetHeading = lines.ReadDouble(m_TargetHeading);

    CTargetPlot::LoadOptions(lines, m_PlotOptions);

    ReadPoints(lines, "Antenna", m_Antennas);
    ReadPoints(lines, "Offsets", m_Offsets);

    m_HeadingTolerance = lines.ReadDouble(m_HeadingTolerance);
    m_PitchTolerance = lines.ReadDouble(m_PitchTolerance);
    m_RollTolerance = lines.ReadDouble(m_RollTolerance);
    m_DepthTolerance = lines.ReadDouble(m_DepthTolerance);

    m_SailLineFileIndex = lines.ReadInt(m_SailLineFileIndex);
    m_SailLineNo = lines.ReadInt(m_SailLineNo);
    m_SailLineColour = lines.ReadUnsigned(m_SailLineColour);

    SetTargetHeading();
    if (m_pWaypointList)
        SetTargetWaypoint(-1, -1);
    if (m_pSailLineList)
        SetTargetSailLine(-1, -1);
}
