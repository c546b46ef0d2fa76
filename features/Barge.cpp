#include "features/Barge.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"

CBarge::CBarge() : m_Draft(0.0), m_WaterLineToZero(0.0) {}

CTrackingPointArray* CBarge::GetTrackingPointArray(int type) const
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
    case TP_LEG:
        points = &m_Legs;
        break;
    case TP_CRANE:
        points = &m_Cranes;
        break;
    case TP_TRANSDUCER:
        points = &m_Transducers;
        break;
    case TP_REF_SYSTEM:
        points = &m_RefSystems;
        break;
    case TP_CLUMP_WEIGHT:
        points = &m_ClumpWeights;
        break;
    default:
        break;
    }
    // One look-up serves the readers of a const object and the panes that edit its points.
    return const_cast<CTrackingPointArray*>(points);
}

void CBarge::Save()
{
    CConfigFile file;
    if (!OpenSettingsFile(file, "VSL"))
        return;
    try
    {
        file.WriteDouble("Draft", m_Draft, 3);
        file.WriteDouble("Water Line To Zero", m_WaterLineToZero, 3);
        SaveSettings(file);
        WritePoints(file, "Cranes", m_Cranes);
        WritePoints(file, "Clump Weights", m_ClumpWeights);
        WritePoints(file, "Legs", m_Legs);
        WritePoints(file, "Ref Systems", m_RefSystems);
        WritePoints(file, "Transducers", m_Transducers);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}

bool CBarge::Load()
{
    CSettingsLines lines(kPointSeparators);
    if (!lines.Load(GetSettingsFileName("VSL")))
        return false;
    m_Draft = lines.ReadDouble(m_Draft);
    m_WaterLineToZero = lines.ReadDouble(m_WaterLineToZero);
    LoadSettings(lines);
    ReadPoints(lines, "Cranes", m_Cranes);
    ReadPoints(lines, "Clump Weights", m_ClumpWeights);
    ReadPoints(lines, "Legs", m_Legs);
    ReadPoints(lines, "Ref Systems", m_RefSystems);
    ReadPoints(lines, "Transducers", m_Transducers);
    return true;
}
