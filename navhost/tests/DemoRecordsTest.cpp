// The demo sensors: every device reports, and from one second to the next each value moves a
// little, so that the panes docked in the host move without jumping.
#include "navhost/DemoRecords.h"
#include "survey/records/HostRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
TEST(DemoRecords, EveryDeviceReportsAndValuesDriftSlowly)
{
    CHostRecords records;
    struct Watched
    {
        const char* what;
        std::function<double()> value;
        double largestStep; // per second
    };
    const std::vector<Watched> watched = {
        {"MRU heading", [&] { return records.m_Mru[0].m_Heading; }, 0.2},
        {"MRU roll", [&] { return records.m_Mru[2].m_Roll; }, 1.0},
        {"ROV's roll", [&] { return records.m_Mru[DEMO_ROV_MRU].m_Roll; }, 2.0},
        {"ROV's heading", [&] { return records.m_Mru[DEMO_ROV_MRU].m_Heading; }, 2.0},
        {"gyro heading", [&] { return records.m_Gyro.m_TrueHeading; }, 0.2},
        {"depth", [&] { return records.m_BathyUnit.m_Depth; }, 0.1},
        {"altitude", [&] { return records.m_BathyUnit.m_Altitude; }, 0.2},
        {"burial", [&] { return records.m_TssPipeTracker.m_Burial; }, 0.2},
        {"transponder KP", [&] { return records.m_Transponders[1].m_Kp; }, 0.001},
        {"pipe across the head", [&] { return records.m_Tritech[1].m_PipeAcross; }, 0.3},
        {"slope range", [&] { return records.m_Lasers[1].m_Observations[0].SlopeRange; }, 0.1},
        {"receiver easting", [&] { return records.m_Gps[2].m_AntennaEasting; }, 0.5},
    };
    FillDemoRecords(records, 0.0);
    std::vector<double> last, first;
    for (const Watched& w : watched)
        first.push_back(w.value());
    last = first;
    for (int second = 1; second <= 30; ++second)
    {
        FillDemoRecords(records, second);
        for (size_t i = 0; i < watched.size(); ++i)
        {
            const double now = watched[i].value();
            EXPECT_LE(std::fabs(now - last[i]), watched[i].largestStep) << watched[i].what << " at " << second;
            last[i] = now;
        }
    }
    for (size_t i = 0; i < watched.size(); ++i)
        EXPECT_NE(last[i], first[i]) << watched[i].what << " stood still";

    for (const CDevice* device : std::vector<const CDevice*>{&records.m_Gps[0], &records.m_Mru[1], &records.m_Gyro,
                                                             &records.m_BathyUnit, &records.m_Usbl,
                                                             &records.m_TssPipeTracker, &records.m_Lasers[0]})
    {
        EXPECT_EQ(device->m_Active, 1) << device->m_DeviceName;
        EXPECT_FALSE(const_cast<CDevice*>(device)->IsTimedOut()) << device->m_DeviceName;
    }
    EXPECT_EQ(records.m_Transponders[0].m_PositionMode, USBL_POSITION_GRID);
    EXPECT_EQ(records.m_ProfilePoints[0][0].Valid, 1);
}
} // namespace
