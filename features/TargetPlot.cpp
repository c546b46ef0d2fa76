#include "features/TargetPlot.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"

#include <cfloat>
#include <cmath>

namespace
{
// The WGS 84 spheroid, until the owner gives the plot its own.
const double kWgs84A = 6378137.0;
const double kWgs84E2 = 0.00669437999014;
} // namespace

CTargetPlot::CTargetPlot()
    : m_LastLatitude(DBL_MAX), m_SemiMajorAxis(kWgs84A), m_EccentricitySquared(kWgs84E2),
      m_OneMinusE2(1.0 - kWgs84E2), m_MetresPerRadianLat(0.0), m_MetresPerRadianLon(0.0),
      m_MinutesPerMetre(0.0), m_bScaleSet(false)
{
}

void CTargetPlot::SaveOptions(CConfigFile& file, const TargetPlotOptionsDef& options)
{
    file.WriteBool("North Up", options.NorthUp);
    file.WriteBool("Nautical Miles", options.NauticalMiles);
    file.WriteBool("Display Labels", options.DisplayLabels);
    file.WriteBool("Label Rings", options.LabelRings);
    file.WriteUnsigned("Cardinal Colour", options.CardinalColour);
    file.WriteUnsigned("Text Colour", options.TextColour);
    file.WriteBool("Draw Zone Lines", options.DrawZoneLines);
    file.WriteDouble("Start Zone Line", options.StartZoneLine, 3);
    file.WriteDouble("Stop Zone Line", options.StopZoneLine, 3);
    file.WriteUnsigned("Zone Line Colour", options.ZoneLineColour);
    file.WriteBool("Shape Box", options.ShapeBox);
    file.WriteDouble("Box Size X", options.BoxSizeX, 3);
    file.WriteDouble("Box Size Y", options.BoxSizeY, 3);
    file.WriteBool("Draw Rings", options.DrawRings);
    file.WriteInt("No Rings", options.NoRings);
    file.WriteDouble("Radius Metres", options.RadiusMetres, 3);
    file.WriteDouble("Radius NM", options.RadiusNM, 3);
    file.WriteUnsigned("Ring Colour", options.RingColour);
}

void CTargetPlot::LoadOptions(CSettingsLines& lines, TargetPlotOptionsDef& options)
{
    options.NorthUp = lines.ReadBool(options.NorthUp);
    options.NauticalMiles = lines.ReadBool(options.NauticalMiles);
    options.DisplayLabels = lines.ReadBool(options.DisplayLabels);
    options.LabelRings = lines.ReadBool(options.LabelRings);
    options.CardinalColour = lines.ReadUnsigned(options.CardinalColour);
    options.TextColour = lines.ReadUnsigned(options.TextColour);
    options.DrawZoneLines = lines.ReadBool(options.DrawZoneLines);
    options.StartZoneLine = lines.ReadDouble(options.StartZoneLine);
    options.StopZoneLine = lines.ReadDouble(options.StopZoneLine);
    options.ZoneLineColour = lines.ReadUnsigned(options.ZoneLineColour);
    options.ShapeBox = lines.ReadBool(options.ShapeBox);
    options.BoxSizeX = lines.ReadDouble(options.BoxSizeX);
    options.BoxSizeY = lines.ReadDouble(options.BoxSizeY);
    options.DrawRings = lines.ReadBool(options.DrawRings);
    options.NoRings = lines.ReadInt(options.NoRings);
    options.RadiusMetres = lines.ReadDouble(options.RadiusMetres);
    options.RadiusNM = lines.ReadDouble(options.RadiusNM);
    options.RingColour = lines.ReadUnsigned(options.RingColour);
}

void CTargetPlot::SetSpheroid(double semiMajorAxis, double eccentricitySquared)
{
    m_SemiMajorAxis = semiMajorAxis;
    m_EccentricitySquared = eccentricitySquared;
    m_OneMinusE2 = 1.0 - eccentricitySquared;
    // A scale made on the old spheroid must not survive the next SetLatitude at the same
    // latitude.
    m_LastLatitude = DBL_MAX;
    m_bScaleSet = false;
}

void CTargetPlot::SetLatitude(double latitude)
{
    m_Latitude = latitude;
    m_bChanged = true;
    if (latitude == m_LastLatitude)
        return;
    m_LastLatitude = latitude;
    const double sinLat = std::sin(latitude);
    const double w = 1.0 - m_EccentricitySquared * sinLat * sinLat;
    const double meridian = w > 0.0 ? m_SemiMajorAxis * m_OneMinusE2 / std::pow(w, 1.5) : 0.0;
    const double primeVertical = w > 0.0 ? m_SemiMajorAxis / std::sqrt(w) : 0.0;
    // The degree literal below is the one every stored scale was made with; keep it.
    m_MetresPerRadianLat = meridian * M_PI / 180.0 * 57.2957795131;
    m_MetresPerRadianLon = std::cos(latitude) * primeVertical * M_PI / 180.0 * 57.2957795131;
    // No radius (no spheroid) gives no scale rather than an infinite one.
    m_MinutesPerMetre = meridian > 0.0 ? 1.0 / (meridian * M_PI / 10800.0) : 0.0;
    m_bScaleSet = true;
}
