#include "features/Template.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"
#include "foundation/Geometry.h"

CTrackingPointArray* CTemplate::GetTrackingPointArray(int type) const
{
    switch (type)
    {
    case TP_REFLECTOR:
        return Editable(m_Reflectors);
    case TP_BEACON:
        return Editable(m_Beacons);
    default:
        return GetCommonPointArray(type);
    }
}

void CTemplate::Save()
{
    WriteVesselFile("TPL", [this](CConfigFile& file) {
        SaveSettings(file);
        WritePoints(file, "Reflectos", m_Reflectors);
        WritePoints(file, "Beacons", m_Beacons);
    });
}

bool CTemplate::Load()
{
    return ReadVesselFile("TPL", [this](CSettingsLines& lines) {
        LoadSettings(lines);
        ReadPoints(lines, "Reflectos", m_Reflectors);
        ReadPoints(lines, "Beacons", m_Beacons);
    });
}

namespace
{
// The factor from radians to degrees the survey displays use.
const double kRadiansToDegrees = 57.2957795131;

bool IsSource(int index)
{
    return index >= 0 && index < CTemplate::kPositionSources;
}

bool IsZero(const tagXY& p)
{
    return p.x == 0.0 && p.y == 0.0;
}
} // namespace

tagXY CTemplate::GetSelectedPosition() const
{
    return IsSource(m_PrimaryGps) ? m_Positions[m_PrimaryGps] : tagXY{0.0, 0.0};
}

std::pair<double, double> CTemplate::GetCrpRangeBearing(int other) const
{
    if (!IsSource(m_PrimaryGps) || !IsSource(other))
        return {0.0, 0.0};
    const tagXY& a = m_Positions[m_PrimaryGps];
    const tagXY& b = m_Positions[other];
    if (IsZero(a) || IsZero(b))
        return {0.0, 0.0};
    double bearing = 0.0, range = 0.0;
    ComputeRangeBearing(a.x, a.y, b.x, b.y, &bearing, &range);
    return {range, bearing * kRadiansToDegrees};
}
