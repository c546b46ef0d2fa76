#include "navhost/VesselNavigationFeed.h"

#include "navhost/HostData.h"
#include "outside/panes/GroupProperty.h"
#include "survey/CraneTipMonitoringPane.h"
#include "survey/GeneralSurveyPane.h"
#include "survey/records/HostRecords.h"

#include <cmath>

void CVesselNavigationFeed::EndHighlight(CSurveyPane& pane, int position)
{
    if (auto* group = dynamic_cast<CMFCGroupPropertyGridProperty*>(pane.GetPropertyGrid().GetProperty(position)))
        group->Clear();
}

void CVesselNavigationFeed::EndHighlights(CSurveyPane& pane)
{
    for (int i = 0; i < pane.GetPropertyGrid().GetPropertyCount(); ++i)
        EndHighlight(pane, i);
}

int CVesselNavigationFeed::SilentAt(double seconds) const
{
    return IsSilentMoment(seconds) ? SilentReceiver() : -1;
}

void CVesselNavigationFeed::Attach(CHostData& data, CHostRecords& records)
{
    m_pData = &data;
    m_pRecords = &records;
    m_CraneTips = std::vector<CGps>(static_cast<size_t>(data.m_Vessel.m_Cranes.GetSize()));
}

int CVesselNavigationFeed::SilentReceiver() const
{
    if (m_pData == nullptr)
        return -1;
    CGpsArray& receivers = *m_pData->GetVesselReceivers();
    for (int i = static_cast<int>(receivers.GetSize()) - 1; i >= 0; --i)
        if (i != m_pData->m_Vessel.m_PrimaryGps)
            return i;
    return -1;
}

bool CVesselNavigationFeed::IsSilentMoment(double seconds)
{
    return std::fmod(seconds, 60.0) >= 60.0 - SILENT_SECONDS;
}

void CVesselNavigationFeed::Update(double seconds, CGeneralSurveyPane& navigation, CCraneTipMonitoringPane& cranes)
{
    if (m_pData == nullptr)
        return;
    CBarge& vessel = m_pData->m_Vessel;
    CGpsArray& receivers = *m_pData->GetVesselReceivers();
    EndHighlights(navigation);
    EndHighlights(cranes);
    const int silent = SilentAt(seconds);
    if (silent >= 0)
    {
        // Its last data lie further back than its limit, as when its sentences stop.
        CGps* gps = receivers[silent];
        gps->m_StartTime = CTimeout::Clock() - gps->m_Limit - 1.0;
    }
    for (int i = 0; i < static_cast<int>(receivers.GetSize()); ++i)
        if (i != silent)
            navigation.UpdateGps(i);
    if (silent >= 0)
    {
        // The others' update found it silent and cleared its fix; its group shows that, marked.
        navigation.UpdateGps(silent);
        if (silent < navigation.GetGpsGroupCount())
            EndHighlight(navigation, navigation.GetFirstGpsPosition() + silent);
        navigation.GpsTimeout(silent);
    }
    m_TidalHeight = 1.2 * std::sin(2.0 * M_PI * seconds / 600.0);
    navigation.UpdateCrp(false);
    navigation.UpdateGyro();
    navigation.UpdateMru();
    m_pRecords->m_BathyUnit.m_DepthSource = DEPTH_SOURCE_ECHO_SOUNDER;
    navigation.UpdateBathyUnit();
    navigation.UpdateGpsPanes();

    // Each crane tip where the vessel's position and heading put the crane, its jib swinging.
    const double heading = vessel.HasHeading() ? vessel.m_Heading * M_PI / 180.0 : 0.0;
    const CGps& source = m_pRecords->m_Gps[0];
    for (size_t i = 0; i < m_CraneTips.size(); ++i)
    {
        const TrackingPointDef* crane = vessel.m_Cranes.GetPoint(static_cast<INT_PTR>(i));
        CGps& tip = m_CraneTips[i];
        const double swing = 0.3 * std::sin(2.0 * M_PI * seconds / 45.0 + static_cast<double>(i));
        const double x = crane->X + crane->GetRadius() * std::sin(swing);
        const double y = crane->Y + crane->GetRadius() * std::cos(swing);
        tip.m_Active = 1;
        tip.m_DeviceName = crane->Name;
        tip.m_AntennaEasting = vessel.m_Position.x + x * std::cos(heading) + y * std::sin(heading);
        tip.m_AntennaNorthing = vessel.m_Position.y - x * std::sin(heading) + y * std::cos(heading);
        tip.m_Wgs84Latitude = source.m_Wgs84Latitude;
        tip.m_Wgs84Longitude = source.m_Wgs84Longitude;
        tip.m_Wgs84Height = source.m_Wgs84Height + crane->Z;
        tip.m_SatellitesUsed = source.m_SatellitesUsed;
        tip.m_Hdop = source.m_Hdop;
        tip.m_FixMode = 2;
        tip.Restart();
        cranes.UpdateGps(static_cast<int>(i));
    }
}
