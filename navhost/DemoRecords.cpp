#include "navhost/DemoRecords.h"

#include "survey/records/HostRecords.h"

#include <cmath>

namespace
{
constexpr double kDegreeRad = M_PI / 180.0;
// The site's grid origin (metres) and its convergence (degrees).
constexpr double kSiteEasting = 500600.0;
constexpr double kSiteNorthing = 6000000.0;
constexpr double kConvergence = 0.8;

// A value that swings by `amplitude` about `centre` once every `period` seconds.
double Swing(double centre, double amplitude, double period, double seconds, double phase = 0.0)
{
    return centre + amplitude * std::sin(2.0 * M_PI * seconds / period + phase);
}

// The device is active and has just reported; it is named (`name` with `number` for a %d) the
// first time.
void Reported(CDevice& device, const char* name, int number = 0)
{
    device.m_Active = 1;
    if (device.m_DeviceName.IsEmpty())
        device.m_DeviceName.Format(name, number);
    device.Restart();
}

void FillAttitude(CHostRecords& r, double t)
{
    for (int i = 0; i < CHostRecords::MRUS; ++i)
    {
        CMru& mru = r.m_Mru[i];
        Reported(mru, "MRU %d", i + 1);
        mru.m_Heading = Swing(45.0 + i, 10.0, 600.0, t);
        mru.m_Convergence = kConvergence;
        mru.m_GridHeading = mru.m_Heading - kConvergence;
        mru.m_Pitch = Swing(0.0, 2.0, 17.0, t, i);
        mru.m_Roll = Swing(0.0, 3.0, 23.0, t, i);
        if (i == DEMO_ROV_MRU)
        {
            // Under two degrees a second: steady enough to follow, large enough to see.
            mru.m_Heading = std::fmod(Swing(45.0, 60.0, 300.0, t) + 360.0, 360.0);
            mru.m_GridHeading = mru.m_Heading - kConvergence;
            mru.m_Pitch = Swing(0.0, 8.0, 40.0, t);
            mru.m_Roll = Swing(0.0, 15.0, 60.0, t);
        }
        mru.m_TiltAngle = std::hypot(mru.m_Pitch, mru.m_Roll);
        mru.m_TiltHeading = std::fmod(std::atan2(mru.m_Roll, mru.m_Pitch) / kDegreeRad + 360.0, 360.0);
        mru.m_UseHeading = i == 0 ? 1 : 0;
    }
    CGyro& gyro = r.m_Gyro;
    Reported(gyro, "Gyro");
    gyro.m_TrueHeading = Swing(45.0, 10.0, 600.0, t, 0.02);
    gyro.m_Convergence = kConvergence;
    gyro.m_GridHeading = gyro.m_TrueHeading - kConvergence;
    // The derivative of the swing, in degrees per minute.
    gyro.m_RateOfTurn = 60.0 * 10.0 * 2.0 * M_PI / 600.0 * std::cos(2.0 * M_PI * t / 600.0 + 0.02);
    gyro.m_RateOfTurnValid = 1;
}

void FillReceivers(CHostRecords& r, double t)
{
    for (int i = 0; i < CHostRecords::RECEIVERS; ++i)
    {
        CGps& gps = r.m_Gps[i];
        Reported(gps, "GPS %d", i + 1);
        gps.m_AntennaEasting = kSiteEasting + Swing(0.0, 40.0, 900.0, t) + 3.0 * i;
        gps.m_AntennaNorthing = kSiteNorthing + Swing(0.0, 40.0, 900.0, t, M_PI / 2) + 2.0 * i;
        gps.m_Wgs84Latitude = (54.137 + (gps.m_AntennaNorthing - kSiteNorthing) / 111320.0) * kDegreeRad;
        gps.m_Wgs84Longitude = (3.01 + (gps.m_AntennaEasting - kSiteEasting) / 65300.0) * kDegreeRad;
        gps.m_Wgs84Height = Swing(45.0, 0.5, 30.0, t);
        gps.m_SatellitesUsed = 9 + static_cast<int>(Swing(1.0, 1.5, 300.0, t, i));
        gps.m_PositionQuality = 2;
        gps.m_Hdop = Swing(0.9, 0.2, 200.0, t, i);
        gps.m_SpeedOverGround = Swing(1.5, 0.5, 120.0, t);
        gps.m_Course = Swing(45.0, 10.0, 600.0, t);
        // A 3D fix with its DOPs and error statistics, judged against limits that the
        // satellite count and HDOP cross now and then, so that the warning shows at times.
        gps.m_FixMode = 2;
        gps.m_GsaReceived = 1;
        gps.m_Pdop = gps.m_Hdop + 0.6;
        gps.m_Vdop = gps.m_Hdop + 0.3;
        gps.m_GstReceived = 1;
        gps.m_GnssSystem = "Several";
        gps.m_GstRms = Swing(0.4, 0.1, 90.0, t, i);
        gps.m_ErrorEllipse[0] = Swing(0.9, 0.2, 150.0, t, i);
        gps.m_ErrorEllipse[1] = 0.6 * gps.m_ErrorEllipse[0];
        gps.m_ErrorEllipse[2] = Swing(40.0, 5.0, 300.0, t, i);
        gps.m_ErrorEllipse[3] = gps.m_ErrorEllipse[2] + 90.0;
        gps.m_PositionErrors[0] = Swing(0.5, 0.1, 150.0, t, i);
        gps.m_PositionErrors[1] = Swing(0.6, 0.1, 150.0, t, i + 1);
        gps.m_PositionErrors[2] = Swing(1.1, 0.2, 150.0, t, i);
        gps.m_MinimumSatellites = 9;
        gps.m_MaximumDop = 1.0;
    }
}

void FillSubsea(CHostRecords& r, double t)
{
    const double depth = Swing(85.0, 5.0, 900.0, t);
    const double altitude = Swing(3.0, 1.0, 60.0, t);
    CBathyUnit& bathy = r.m_BathyUnit;
    Reported(bathy, "Bathy");
    bathy.m_DepthValid = bathy.m_AltitudeValid = true;
    bathy.m_Depth = depth;
    bathy.m_Altitude = altitude;
    bathy.m_DepthSource = DEPTH_SOURCE_ECHO_SOUNDER;

    CWind& wind = r.m_Wind;
    Reported(wind, "Wind");
    wind.m_Speed = Swing(8.0, 2.0, 240.0, t);
    wind.m_Direction = Swing(225.0, 20.0, 480.0, t);

    CTssPipeTracker& tss = r.m_TssPipeTracker;
    Reported(tss, "TSS 440");
    tss.m_LateralOffset = Swing(0.0, 0.6, 45.0, t);
    tss.m_CoilHeight = Swing(1.6, 0.3, 50.0, t);
    tss.m_Altitude = altitude;
    tss.m_Burial = tss.m_CoilHeight - altitude;
    tss.m_Quality = static_cast<int32_t>(Swing(80.0, 15.0, 100.0, t));
    tss.m_CoilCount = 3;
    tss.m_SignalMaximum = 1000;
    for (int coil = 0; coil < TSS_COILS; ++coil)
        tss.m_Signal[coil] = coil < tss.m_CoilCount ? static_cast<int32_t>(Swing(600.0, 250.0, 40.0, t, coil)) : 0;

    // Each head looks down at the seabed with the pipe lying across its swath.
    for (int head = 0; head < CHostRecords::PROFILER_HEADS; ++head)
    {
        CTritech& tritech = r.m_Tritech[head];
        tritech.m_Active = 1;
        tritech.m_Depth = depth;
        tritech.m_Altitude = altitude;
        // A 5 m range over a 24-inch pipe: the pipe shows as a circle of some size in a pane.
        tritech.m_Range = 5;
        tritech.m_PipePresent = 1;
        tritech.m_PipeSize = 24;
        tritech.m_PipeSizeUnit = 0;
        tritech.m_PipeAcross = Swing(0.0, 1.5, 45.0, t, head);
        tritech.m_PipeDown = altitude - 0.15;
        r.m_Profiles[head].m_DrawStyle = head == 0 ? PROFILE_STYLE_LINE : PROFILE_STYLE_SQUARE;
        for (int p = 0; p < CHostRecords::PROFILE_POINTS; ++p)
        {
            TritechPointDef& point = r.m_ProfilePoints[head][p];
            point.Across = -5.0 + 10.0 * p / (CHostRecords::PROFILE_POINTS - 1);
            point.Down = altitude + 0.2 * std::sin(point.Across + t / 10.0);
            point.Valid = 1;
        }
    }
}

void FillPositioning(CHostRecords& r, double t)
{
    CUsbl& usbl = r.m_Usbl;
    Reported(usbl, "USBL");
    // The user's pick in the transponder pane stays.
    if (usbl.m_ActiveTransponder.IsEmpty())
        usbl.m_ActiveTransponder = "TP1";
    usbl.m_MinimumZ = 0.0;
    usbl.m_MaximumZ = 200.0;
    r.m_ReferenceLine.m_Name = "Pipeline A";
    r.m_ReferenceLine.m_PointCount = 12;
    r.m_ReferenceLine.m_InUse = 1;
    for (int i = 0; i < CHostRecords::TRANSPONDERS; ++i)
    {
        CUsblTransponder& tp = r.m_Transponders[i];
        tp.m_Name.Format("TP%d", i + 1);
        tp.m_HeadingValid = tp.m_AttitudeValid = true;
        tp.m_Heading = Swing(90.0 + 30.0 * i, 5.0, 300.0, t);
        tp.m_Pitch = Swing(0.0, 1.0, 20.0, t, i);
        tp.m_Roll = Swing(0.0, 1.5, 25.0, t, i);
        tp.m_X = Swing(10.0 * i - 5.0, 3.0, 120.0, t);
        tp.m_Y = Swing(20.0, 5.0, 150.0, t, i);
        tp.m_Z = Swing(85.0, 4.0, 900.0, t);
        tp.m_Kp = 12.345 + t / 36000.0 + 0.05 * i;
        tp.m_Dcc = Swing(0.0, 2.0, 90.0, t, i);
        tp.m_Easting = kSiteEasting + tp.m_X;
        tp.m_Northing = kSiteNorthing + tp.m_Y;
        tp.m_PositionMode = USBL_POSITION_GRID;
        tp.m_Quality = Swing(1.0, 0.3, 60.0, t, i);
    }
    for (int i = 0; i < CHostRecords::TOTAL_STATIONS; ++i)
    {
        CLaser& laser = r.m_Lasers[i];
        Reported(laser, "Total Station %d", i + 1);
        LaserObservationDef& observation = laser.m_Observations[0];
        observation.Reflector = i + 1;
        observation.SlopeRange = Swing(60.0 + 10.0 * i, 2.0, 180.0, t);
        observation.HorizontalAngle = Swing(120.0 + 40.0 * i, 3.0, 240.0, t);
        observation.VerticalAngle = Swing(-8.0, 0.5, 60.0, t);
        observation.Easting = kSiteEasting + observation.SlopeRange * std::sin(observation.HorizontalAngle * kDegreeRad);
        observation.Northing = kSiteNorthing + observation.SlopeRange * std::cos(observation.HorizontalAngle * kDegreeRad);
    }
}
} // namespace

void FillDemoRecords(CHostRecords& records, double seconds)
{
    FillReceivers(records, seconds);
    FillAttitude(records, seconds);
    FillSubsea(records, seconds);
    FillPositioning(records, seconds);
    if (records.m_Job.m_Company.IsEmpty())
    {
        records.m_Job.m_Company = "Demo Survey";
        records.m_Job.m_Project = "Pipeline A burial survey";
        records.m_Job.m_Location = "Demo site";
    }
}
