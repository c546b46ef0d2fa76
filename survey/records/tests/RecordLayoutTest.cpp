// The host records as host and panes share them: every listed field lies after the one before
// it, the flags said to lie side by side do, each device record begins with its device part,
// and arrays of records are stepped through by the record's size.
#include "geodesy/Gps.h"
#include "geodesy/Gyro.h"
#include "survey/records/BathyUnit.h"
#include "survey/records/Job.h"
#include "survey/records/Laser.h"
#include "survey/records/Mru.h"
#include "survey/records/Training.h"
#include "survey/records/Tritech.h"
#include "survey/records/TssPipeTracker.h"
#include "survey/records/Usbl.h"
#include "survey/records/Wind.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace
{
// Where a field lies in its record, in bytes from the record's start.
template <class Record> size_t At(const Record& record, const void* field)
{
    return static_cast<size_t>(static_cast<const char*>(field) - reinterpret_cast<const char*>(&record));
}

struct LayoutCase
{
    std::string record;
    size_t size;
    std::vector<size_t> places; // in the order the fields are listed
};

void ExpectRising(const LayoutCase& c)
{
    for (size_t i = 1; i < c.places.size(); ++i)
        EXPECT_LT(c.places[i - 1], c.places[i]) << c.record << ": field " << i << " lies before field " << i - 1;
    ASSERT_FALSE(c.places.empty());
    EXPECT_LT(c.places.back(), c.size) << c.record;
}

TEST(RecordLayout, ListedFieldsLieInTheirOrder)
{
    const CDevice device;
    const CGyro gyro;
    const CMru mru;
    const CBathyUnit bathy;
    const CWind wind;
    const CJob job;
    const CUsbl usbl;
    const CUsblTransponder transponder;
    const CUsblReferenceLine line;
    const CTssPipeTracker tss;
    const CTritech head;
    const CTritechProfile profile;
    const TritechPointDef point;
    const CTraining training;
    const CUdpSender sender;
    const CLaser laser;
    const LaserObservationDef observation;
    const std::vector<LayoutCase> cases = {
        {"CDevice", sizeof device,
         {At(device, &device.m_Limit), At(device, &device.m_Active), At(device, &device.m_VerifyChecksum),
          At(device, &device.m_PortNo), At(device, &device.m_DeviceName)}},
        {"CGyro", sizeof gyro,
         {At(gyro, &gyro.m_Active), At(gyro, &gyro.m_TrueHeading), At(gyro, &gyro.m_GridHeading),
          At(gyro, &gyro.m_Convergence), At(gyro, &gyro.m_RateOfTurn), At(gyro, &gyro.m_RateOfTurnValid)}},
        {"CMru", sizeof mru,
         {At(mru, &mru.m_Active), At(mru, &mru.m_Heading), At(mru, &mru.m_GridHeading), At(mru, &mru.m_Convergence),
          At(mru, &mru.m_Pitch), At(mru, &mru.m_Roll), At(mru, &mru.m_TiltAngle), At(mru, &mru.m_TiltHeading),
          At(mru, &mru.m_UseHeading)}},
        {"CBathyUnit", sizeof bathy,
         {At(bathy, &bathy.m_Active), At(bathy, &bathy.m_DepthValid), At(bathy, &bathy.m_AltitudeValid),
          At(bathy, &bathy.m_Altitude), At(bathy, &bathy.m_Depth), At(bathy, &bathy.m_DepthSource)}},
        {"CWind", sizeof wind, {At(wind, &wind.m_Active), At(wind, &wind.m_Speed), At(wind, &wind.m_Direction)}},
        {"CJob", sizeof job,
         {At(job, &job.m_Company), At(job, &job.m_Project), At(job, &job.m_ClientCompany),
          At(job, &job.m_ClientRepresentative), At(job, &job.m_Location), At(job, &job.m_Task),
          At(job, &job.m_JobNumber), At(job, &job.m_ReportId), At(job, &job.m_PartyChief),
          At(job, &job.m_SeniorSurveyorNight), At(job, &job.m_Master), At(job, &job.m_SeniorDpo), At(job, &job.m_Dpo),
          At(job, &job.m_JackEngineer)}},
        {"CUsbl", sizeof usbl,
         {At(usbl, &usbl.m_Limit), At(usbl, &usbl.m_Active), At(usbl, &usbl.m_VerifyChecksum),
          At(usbl, &usbl.m_PortNo), At(usbl, &usbl.m_DeviceName), At(usbl, &usbl.m_Transponders),
          At(usbl, &usbl.m_AlignmentError), At(usbl, &usbl.m_ScaleFactor), At(usbl, &usbl.m_RangeError),
          At(usbl, &usbl.m_BinaryMode), At(usbl, &usbl.m_HiResMode), At(usbl, &usbl.m_ActiveTransponder),
          At(usbl, &usbl.m_MinimumZ), At(usbl, &usbl.m_MaximumZ), At(usbl, &usbl.m_pReferenceLine)}},
        {"transponder", sizeof transponder,
         {At(transponder, &transponder.m_HeadingValid), At(transponder, &transponder.m_AttitudeValid),
          At(transponder, &transponder.m_Heading), At(transponder, &transponder.m_Pitch),
          At(transponder, &transponder.m_Roll), At(transponder, &transponder.m_Heave),
          At(transponder, &transponder.m_Name), At(transponder, &transponder.m_X), At(transponder, &transponder.m_Y),
          At(transponder, &transponder.m_Z), At(transponder, &transponder.m_Kp), At(transponder, &transponder.m_Dcc),
          At(transponder, &transponder.m_Easting), At(transponder, &transponder.m_Northing),
          At(transponder, &transponder.m_PositionMode), At(transponder, &transponder.m_Quality)}},
        {"reference line", sizeof line,
         {At(line, &line.m_PointCount), At(line, &line.m_Name), At(line, &line.m_InUse)}},
        {"CTssPipeTracker", sizeof tss,
         {At(tss, &tss.m_LateralOffset), At(tss, &tss.m_CoilHeight), At(tss, &tss.m_Altitude), At(tss, &tss.m_Burial),
          At(tss, &tss.m_Quality), At(tss, &tss.m_Signal), At(tss, &tss.m_CoilCount), At(tss, &tss.m_SignalMaximum)}},
        {"CTritech head", sizeof head,
         {At(head, &head.m_Profiles), At(head, &head.m_Active), At(head, &head.m_Altitude), At(head, &head.m_Depth),
          At(head, &head.m_PipePresent), At(head, &head.m_PipeAcross), At(head, &head.m_PipeDown),
          At(head, &head.m_PipeSize), At(head, &head.m_PipeSizeUnit), At(head, &head.m_Range)}},
        {"profile", sizeof profile,
         {At(profile, &profile.m_Visible), At(profile, &profile.m_Colour1), At(profile, &profile.m_pPoints),
          At(profile, &profile.m_PointCount), At(profile, &profile.m_DrawStyle), At(profile, &profile.m_Colour2),
          At(profile, &profile.m_UseColour1)}},
        {"point", sizeof point, {At(point, &point.Across), At(point, &point.Down), At(point, &point.Valid)}},
        {"CTraining", sizeof training,
         {At(training, &training.m_pSenderOwner), At(training, &training.m_pComArray),
          At(training, &training.m_TimeOfDay), At(training, &training.m_WindState), At(training, &training.m_Rain),
          At(training, &training.m_Fog), At(training, &training.m_FogDensity), At(training, &training.m_WindSpeed),
          At(training, &training.m_WindDirection), At(training, &training.m_WaveFrequency),
          At(training, &training.m_WaveSpeed), At(training, &training.m_NumberOfWaves),
          At(training, &training.m_ConnectionType), At(training, &training.m_SerialPort),
          At(training, &training.m_BaudRate), At(training, &training.m_IpAddress),
          At(training, &training.m_ComputerName), At(training, &training.m_EnvironmentPort),
          At(training, &training.m_EnvironmentSender), At(training, &training.m_Use),
          At(training, &training.m_VesselPort), At(training, &training.m_HelicopterMode),
          At(training, &training.m_HelicopterSpeed), At(training, &training.m_HelicopterRouteName),
          At(training, &training.m_HelicopterRouteIndex), At(training, &training.m_HelicopterRunState),
          At(training, &training.m_HelicopterRunClock), At(training, &training.m_WaypointFileName),
          At(training, &training.m_WaypointName), At(training, &training.m_Vessels[0].RouteName),
          At(training, &training.m_Vessels[0].RouteIndex), At(training, &training.m_Vessels[0].RunState),
          At(training, &training.m_Vessels[0].RunClock), At(training, &training.m_Vessels[1].RouteName),
          At(training, &training.m_Vessels[2].RunClock), At(training, &training.m_NavigationSender)}},
        {"CUdpSender", sizeof sender,
         {At(sender, &sender.m_pOwner), At(sender, &sender.m_Socket), At(sender, &sender.m_hThread),
          At(sender, &sender.m_nPort), At(sender, &sender.m_Targets)}},
        {"CLaser", sizeof laser,
         {At(laser, &laser.m_Active), At(laser, &laser.Mode), At(laser, &laser.Latest), At(laser, &laser.m_Observations)}},
        {"laser observation", sizeof observation,
         {At(observation, &observation.HostField1), At(observation, &observation.Reflector),
          At(observation, &observation.SlopeRange), At(observation, &observation.HorizontalAngle),
          At(observation, &observation.VerticalAngle), At(observation, &observation.Easting),
          At(observation, &observation.Northing)}},
    };
    for (const LayoutCase& c : cases)
        ExpectRising(c);

    // Flags that the panes read as neighbours.
    EXPECT_EQ(At(device, &device.m_PortNo), At(device, &device.m_VerifyChecksum) + 1);
    EXPECT_EQ(At(device, &device.m_VerifyChecksum), At(device, &device.m_Active) + 1);
    EXPECT_EQ(At(bathy, &bathy.m_AltitudeValid), At(bathy, &bathy.m_DepthValid) + 1);
    EXPECT_EQ(At(usbl, &usbl.m_HiResMode), At(usbl, &usbl.m_BinaryMode) + 1);
    EXPECT_EQ(At(transponder, &transponder.m_AttitudeValid), At(transponder, &transponder.m_HeadingValid) + 1);
    EXPECT_EQ(At(training, &training.m_Fog), At(training, &training.m_Rain) + 1);
    // The observation's fields where the template pane reads them, in 8-byte units.
    EXPECT_EQ(At(observation, &observation.Reflector), 4u);
    EXPECT_EQ(At(observation, &observation.SlopeRange), 16u);
    EXPECT_EQ(At(observation, &observation.Easting), 48u);
    EXPECT_EQ(At(point, &point.Across), 16u);
}

TEST(RecordLayout, DeviceRecordsBeginWithTheirDevicePart)
{
    const CGyro gyro;
    const CMru mru;
    const CBathyUnit bathy;
    const CWind wind;
    const CUsbl usbl;
    const CTssPipeTracker tss;
    const CLaser laser;
    const CGps gps;
    const std::vector<std::pair<const char*, std::pair<const void*, const void*>>> cases = {
        {"CGyro", {&gyro, static_cast<const CDevice*>(&gyro)}},
        {"CMru", {&mru, static_cast<const CDevice*>(&mru)}},
        {"CBathyUnit", {&bathy, static_cast<const CDevice*>(&bathy)}},
        {"CWind", {&wind, static_cast<const CDevice*>(&wind)}},
        {"CUsbl", {&usbl, static_cast<const CDevice*>(&usbl)}},
        {"CTssPipeTracker", {&tss, static_cast<const CDevice*>(&tss)}},
        {"CLaser", {&laser, static_cast<const CDevice*>(&laser)}},
        {"CGps", {&gps, static_cast<const CDevice*>(&gps)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second.first, c.second.second) << c.first;
    EXPECT_EQ(laser.m_Active, 1) << "a device is active from its construction";
}

// Panes are handed the first record of the host's array and step by the record's size from
// the one shared header, as the crane tip pane does through the receivers.
TEST(RecordLayout, ArraysAreSteppedThroughByTheSharedRecordSize)
{
    CGps receivers[3];
    CMru mrus[3];
    for (int i = 0; i < 3; ++i)
    {
        receivers[i].m_DeviceName.Format("GPS %d", i + 1);
        receivers[i].m_Wgs84Latitude = 0.1 * (i + 1);
        receivers[i].m_AntennaEasting = 1000.0 * (i + 1);
        receivers[i].m_SatellitesUsed = 7 + i;
        receivers[i].m_MaximumDop = 2.5 + i;
        mrus[i].m_Heading = 10.0 * (i + 1);
        mrus[i].m_UseHeading = i;
    }
    const BYTE* gpsBytes = reinterpret_cast<const BYTE*>(&receivers[0]);
    const BYTE* mruBytes = reinterpret_cast<const BYTE*>(&mrus[0]);
    for (int i = 0; i < 3; ++i)
    {
        const CGps* gps = reinterpret_cast<const CGps*>(gpsBytes + i * sizeof(CGps));
        EXPECT_EQ(std::string(gps->m_DeviceName), "GPS " + std::to_string(i + 1));
        EXPECT_DOUBLE_EQ(gps->m_Wgs84Latitude, 0.1 * (i + 1));
        EXPECT_DOUBLE_EQ(gps->m_AntennaEasting, 1000.0 * (i + 1));
        EXPECT_EQ(gps->m_SatellitesUsed, 7 + i);
        EXPECT_DOUBLE_EQ(gps->m_MaximumDop, 2.5 + i);
        const CMru* mru = reinterpret_cast<const CMru*>(mruBytes + i * 232);
        EXPECT_DOUBLE_EQ(mru->m_Heading, 10.0 * (i + 1));
        EXPECT_EQ(mru->m_UseHeading, i);
    }
}
} // namespace
