#include "features/Template.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"

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

tagXY CTemplate::GetSelectedPosition() const
{
    if (m_SelectionIndex < 0 || m_SelectionIndex >= kPositionSources)
        return tagXY{0.0, 0.0};
    return m_Positions[m_SelectionIndex];
}
