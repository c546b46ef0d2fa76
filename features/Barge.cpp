#include "features/Barge.h"

#include "features/SettingsLines.h"
#include "geodesy/Gps.h"
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

namespace
{
// True when the receiver may position the vessel; a receiver found silent loses its last fix,
// so that nothing draws a position it no longer gives.
bool IsLive(CGps* gps)
{
    if (gps == nullptr)
        return false;
    if (!gps->IsTimedOut(gps->m_Limit))
        return true;
    gps->m_AntennaEasting = 0.0;
    gps->m_AntennaNorthing = 0.0;
    gps->m_Wgs84Height = 0.0;
    gps->m_PositionQuality = -1;
    return false;
}
} // namespace

int CBarge::SelectActiveGps(const CArray<CGps*, CGps*>* receivers) const
{
    const int primary = m_PrimaryGps;
    if (primary < 0 || receivers == nullptr || primary >= receivers->GetSize())
        return primary;
    auto enabled = [this](int i) {
        const TrackingPointDef* antenna = m_Antennas.GetPoint(i);
        return antenna != nullptr && antenna->IsEnabled();
    };
    if (enabled(primary) && IsLive(receivers->GetAt(primary)))
        return primary;
    for (int i = 0; i < receivers->GetSize(); ++i)
        if (i != primary && enabled(i) && IsLive(receivers->GetAt(i)))
            return i;
    return primary;
}
