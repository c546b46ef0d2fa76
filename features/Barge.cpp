#include "features/Barge.h"

#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"

CBarge::CBarge() : m_Draft(0.0), m_WaterLineToZero(0.0), m_DividerStart{0.0, 0.0} {}

CTrackingPointArray* CBarge::GetTrackingPointArray(int type) const
{
    switch (type)
    {
    case TP_LEG:
        return Editable(m_Legs);
    case TP_CRANE:
        return Editable(m_Cranes);
    case TP_TRANSDUCER:
        return Editable(m_Transducers);
    case TP_REF_SYSTEM:
        return Editable(m_RefSystems);
    case TP_CLUMP_WEIGHT:
        return Editable(m_ClumpWeights);
    default:
        return GetCommonPointArray(type);
    }
}

void CBarge::Save()
{
    WriteVesselFile("VSL", [this](CConfigFile& file) {
        file.WriteDouble("Draft", m_Draft, 3);
        file.WriteDouble("Water Line To Zero", m_WaterLineToZero, 3);
        SaveSettings(file);
        WritePoints(file, "Cranes", m_Cranes);
        WritePoints(file, "Clump Weights", m_ClumpWeights);
        WritePoints(file, "Legs", m_Legs);
        WritePoints(file, "Ref Systems", m_RefSystems);
        WritePoints(file, "Transducers", m_Transducers);
        file.WriteBool("Declutter", m_bDeclutter);
    });
}

bool CBarge::Load()
{
    return ReadVesselFile("VSL", [this](CSettingsLines& lines) {
        m_Draft = lines.ReadDouble(m_Draft);
        m_WaterLineToZero = lines.ReadDouble(m_WaterLineToZero);
        LoadSettings(lines);
        ReadPoints(lines, "Cranes", m_Cranes);
        ReadPoints(lines, "Clump Weights", m_ClumpWeights);
        ReadPoints(lines, "Legs", m_Legs);
        ReadPoints(lines, "Ref Systems", m_RefSystems);
        ReadPoints(lines, "Transducers", m_Transducers);
        m_bDeclutter = lines.ReadBool(false);
    });
}

CString CBarge::GetTrackingPointName() const
{
    if (HasHeading())
        return CTrackObject::GetTrackingPointName();
    const TrackingPointDef* antenna = m_Antennas.GetPoint(m_PrimaryGps);
    return antenna != nullptr ? antenna->Name : CString("n/a");
}

bool CBarge::GetTrackingPointPosition(tagXY& position) const
{
    if (HasHeading())
        return CTrackObject::GetTrackingPointPosition(position);
    const TrackingPointDef* antenna = m_Antennas.GetPoint(m_PrimaryGps);
    if (antenna == nullptr)
        return false;
    position = antenna->Position;
    return true;
}
