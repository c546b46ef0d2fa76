#include "features/Template.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"

CTrackingPointArray* CTemplate::GetTrackingPointArray(int type) const
{
    const CTrackingPointArray* points = nullptr;
    switch (type)
    {
    case TP_ANTENNA:
        points = &m_Antennas;
        break;
    case TP_OFFSET:
        points = &m_Offsets;
        break;
    case TP_REFLECTOR:
        points = &m_Reflectors;
        break;
    case TP_BEACON:
        points = &m_Beacons;
        break;
    default:
        break;
    }
    // One look-up serves the readers of a const object and the panes that edit its points.
    return const_cast<CTrackingPointArray*>(points);
}

void CTemplate::Save()
{
    CConfigFile file;
    if (!OpenSettingsFile(file, "TPL"))
        return;
    try
    {
        SaveSettings(file);
        WritePoints(file, "Reflectos", m_Reflectors);
        WritePoints(file, "Beacons", m_Beacons);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}

bool CTemplate::Load()
{
    CSettingsLines lines(kPointSeparators);
    if (!lines.Load(GetSettingsFileName("TPL")))
        return false;
    LoadSettings(lines);
    ReadPoints(lines, "Reflectos", m_Reflectors);
    ReadPoints(lines, "Beacons", m_Beacons);
    return true;
}
