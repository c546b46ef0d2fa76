#include "navhost/SurveyDemo.h"

#include "features/Barge.h"
#include "features/Pipeline.h"
#include "features/Template.h"
#include "foundation/Geometry.h"
#include "geodesy/Gps.h"
#include "navhost/HostData.h"
#include "survey/records/HostRecords.h"

#include <cmath>

namespace
{
constexpr double kDegreeRad = M_PI / 180.0;

double Degrees360(double radians)
{
    const double degrees = std::fmod(radians / kDegreeRad, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// The KP and DCC of (e, n) on the leg of the route it lies across nearest; false off every leg.
bool KpDcc(const CPipeline& route, double e, double n, double* kp, double* dcc)
{
    bool found = false;
    for (INT_PTR i = 0; i + 1 < route.GetSize(); ++i)
    {
        const PipelineDef& leg = route[i];
        double legKp = 0.0, across = 0.0;
        if (ProjectOntoSegment(e, n, leg.Easting, leg.Northing, leg.KP, leg.SinBearing, leg.CosBearing, leg.Length,
                               1.0, &legKp, nullptr, &across, nullptr) != 0)
            continue;
        if (!found || std::fabs(across) < std::fabs(*dcc))
        {
            *kp = legKp;
            *dcc = across;
            found = true;
        }
    }
    return found;
}
} // namespace

void CSurveyDemo::Attach(CHostData& data, CHostRecords& records)
{
    m_pData = &data;
    m_pRecords = &records;
    data.m_Vessel.m_pGpsList = data.GetVesselReceivers();
    m_TemplateGps.RemoveAll();
    m_TemplateMrus.RemoveAll();
    m_TotalStations.RemoveAll();
    for (CGps& gps : records.m_Gps)
        m_TemplateGps.Add(&gps);
    // The vessel reads the first MRU; the template the other two.
    for (int i = 1; i < CHostRecords::MRUS; ++i)
        m_TemplateMrus.Add(&records.m_Mru[i]);
    for (CLaser& laser : records.m_Lasers)
        m_TotalStations.Add(&laser);
    data.m_Template.m_pGpsList = &m_TemplateGps;
}

void CSurveyDemo::Update(double seconds)
{
    if (m_pData == nullptr)
        return;
    UpdateVessel();
    UpdateTemplate(seconds);
}

void CSurveyDemo::UpdateVessel()
{
    CBarge& vessel = m_pData->m_Vessel;
    CGpsArray& receivers = *m_pData->GetVesselReceivers();
    const int primary = vessel.m_PrimaryGps;
    const CGps* source = primary >= 0 && primary < receivers.GetSize() ? receivers[primary] : nullptr;
    // The further antennas report where the vessel's reference point and heading put them, while
    // the primary one reports.
    if (source != nullptr && !const_cast<CGps*>(source)->IsTimedOut() && vessel.HasHeading())
    {
        const double sinH = std::sin(vessel.m_Heading * kDegreeRad), cosH = std::cos(vessel.m_Heading * kDegreeRad);
        for (INT_PTR i = 0; i < receivers.GetSize() && i < vessel.m_Antennas.GetSize(); ++i)
        {
            CGps* gps = receivers[i];
            const TrackingPointDef* antenna = vessel.m_Antennas.GetPoint(i);
            if (i == primary || gps == nullptr || antenna == nullptr)
                continue;
            gps->m_Active = 1;
            gps->m_DeviceName = antenna->Name;
            RotateOffset(vessel.m_Position.x, vessel.m_Position.y, antenna->X, antenna->Y, sinH, cosH,
                         &gps->m_AntennaEasting, &gps->m_AntennaNorthing);
            gps->m_Wgs84Latitude = source->m_Wgs84Latitude;
            gps->m_Wgs84Longitude = source->m_Wgs84Longitude;
            gps->m_Wgs84Height = source->m_Wgs84Height;
            gps->m_SatellitesUsed = source->m_SatellitesUsed;
            gps->m_Hdop = source->m_Hdop;
            gps->m_PositionQuality = source->m_PositionQuality;
            gps->m_FixMode = 2;
            gps->Restart();
        }
    }

    // The GPS heading: the bearing between the pair's receivers less the pair's own bearing on
    // the vessel.
    const int a = vessel.m_GpsHeadingA, b = vessel.m_GpsHeadingB;
    const TrackingPointDef* antennaA = vessel.m_Antennas.GetPoint(a);
    const TrackingPointDef* antennaB = vessel.m_Antennas.GetPoint(b);
    if (antennaA != nullptr && antennaB != nullptr && a != b && b < receivers.GetSize() && receivers[a] && receivers[b])
    {
        double measured = 0.0, onVessel = 0.0;
        ComputeRangeBearing(receivers[a]->m_AntennaEasting, receivers[a]->m_AntennaNorthing,
                            receivers[b]->m_AntennaEasting, receivers[b]->m_AntennaNorthing, &measured, nullptr);
        ComputeRangeBearing(antennaA->X, antennaA->Y, antennaB->X, antennaB->Y, &onVessel, nullptr);
        vessel.m_GpsHeading = Degrees360(measured - onVessel);
    }

    if (vessel.m_bTargetValid)
    {
        const double dE = vessel.m_Position.x - vessel.m_TargetWaypoint.Easting;
        const double dN = vessel.m_Position.y - vessel.m_TargetWaypoint.Northing;
        double bearing = 0.0;
        ComputeRangeBearing(vessel.m_Position.x, vessel.m_Position.y, vessel.m_TargetWaypoint.Easting,
                            vessel.m_TargetWaypoint.Northing, &bearing, &vessel.m_TargetRange);
        vessel.m_TargetBearing = Degrees360(bearing);
        // Across and along the target heading.
        vessel.m_PositionX = dE * vessel.m_CosHeading - dN * vessel.m_SinHeading;
        vessel.m_PositionY = dE * vessel.m_SinHeading + dN * vessel.m_CosHeading;
    }
    double kp = 0.0, dcc = 0.0;
    KpDcc(m_pData->m_PipeRoute, vessel.m_Position.x, vessel.m_Position.y, &kp, &dcc);
    vessel.m_CrpKp = kp;
    vessel.m_CrpDcc = dcc;
}

void CSurveyDemo::UpdateTemplate(double seconds)
{
    CTemplate& tpl = m_pData->m_Template;
    // Each source puts the template a few centimetres from where it stands, each its own way.
    for (int source = 0; source < CTemplate::kPositionSources; ++source)
    {
        if (tpl.m_Position.x == 0.0 && tpl.m_Position.y == 0.0)
            tpl.m_Positions[source] = tagXY{0.0, 0.0};
        else
            tpl.m_Positions[source] = tagXY{tpl.m_Position.x + 0.05 * std::sin(seconds / 7.0 + source),
                                            tpl.m_Position.y + 0.05 * std::cos(seconds / 11.0 + source)};
    }
    const double heading = tpl.HasHeading() ? tpl.m_Heading : 0.0;
    tpl.m_GpsHeading = Degrees360((heading + 0.2 * std::sin(seconds / 13.0)) * kDegreeRad);
    tpl.m_TotalStationHeading = Degrees360((heading + 0.1 * std::sin(seconds / 17.0)) * kDegreeRad);
    const TrackingPointDef* first = tpl.m_Reflectors.GetPoint(0);
    const TrackingPointDef* second = tpl.m_Reflectors.GetPoint(1);
    if (first != nullptr && second != nullptr)
    {
        tpl.m_BaselineMeasured = std::hypot(second->X - first->X, second->Y - first->Y);
        tpl.m_BaselineObserved = tpl.m_BaselineMeasured + 0.02 * std::sin(seconds / 19.0);
        tpl.m_BaselineDifference = tpl.m_BaselineObserved - tpl.m_BaselineMeasured;
    }
}
