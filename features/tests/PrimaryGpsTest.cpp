// The receiver that positions a vessel or a template: the primary one while it reports, else the
// first other live one in use, else the primary; silent receivers met on the way lose their fix.
// Silence is made as it happens: the receiver's last data lies further back than its limit.
#include "features/Barge.h"
#include "features/Template.h"
#include "geodesy/Gps.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace
{
const int kAntennas = 3;

struct Case
{
    const char* what;
    int primary;
    std::set<int> silent;   // receivers whose last data is older than their limit
    std::set<int> notInUse; // antennas switched off
    int receivers;          // entries in the receiver list; -1 for no list
    int expected;
    std::set<int> cleared; // receivers that must have lost their fix
};

// A receiver with a good 3D fix.
void GiveFix(CGps& gps, int i)
{
    gps.Restart();
    gps.m_AntennaEasting = 500000.0 + i;
    gps.m_AntennaNorthing = 6000000.0 + i;
    gps.m_Wgs84Height = 40.0;
    gps.m_FixMode = 2;
    gps.m_SatellitesUsed = 11;
    gps.m_Hdop = 0.8;
    gps.m_PositionQuality = 2;
}

void ExpectCleared(const CGps& gps, bool cleared, const std::string& where)
{
    if (cleared)
    {
        EXPECT_EQ(gps.m_FixMode, 0) << where;
        EXPECT_EQ(gps.m_SatellitesUsed, 0) << where;
        EXPECT_EQ(gps.m_AntennaEasting, 0.0) << where;
        EXPECT_EQ(gps.m_AntennaNorthing, 0.0) << where;
        EXPECT_EQ(gps.m_Wgs84Height, 0.0) << where;
        EXPECT_EQ(gps.m_Hdop, 0.0) << where;
        EXPECT_EQ(gps.m_PositionQuality, -1) << where;
    }
    else
    {
        EXPECT_EQ(gps.m_FixMode, 2) << where;
        EXPECT_EQ(gps.m_SatellitesUsed, 11) << where;
        EXPECT_NE(gps.m_AntennaEasting, 0.0) << where;
        EXPECT_EQ(gps.m_PositionQuality, 2) << where;
    }
}

void RunCases(CTrackObject& object, const char* kind)
{
    const Case cases[] = {
        {"all live", 1, {}, {}, 3, 1, {}},
        {"primary silent", 1, {1}, {}, 3, 0, {1}},
        {"every receiver silent", 1, {0, 1, 2}, {}, 3, 1, {0, 1, 2}},
        {"primary beyond the receivers", 5, {0, 1, 2}, {}, 3, 5, {}},
        {"primary negative", -1, {0, 1, 2}, {}, 3, -1, {}},
        {"primary not in use", 1, {}, {1}, 3, 0, {}},
        {"first other not in use", 0, {0}, {1}, 3, 2, {0}},
        {"no receiver list", 1, {}, {1}, -1, 1, {}},
        {"fewer receivers than antennas", 1, {0, 1}, {}, 2, 1, {0, 1}},
        {"the primary not among fewer receivers", 2, {}, {}, 2, 2, {}},
    };
    for (const Case& c : cases)
    {
        const std::string where = std::string(kind) + ": " + c.what;
        CGps gps[kAntennas];
        CArray<CGps*, CGps*> list;
        for (int i = 0; i < kAntennas; ++i)
        {
            GiveFix(gps[i], i);
            if (c.silent.count(i))
                gps[i].m_StartTime -= gps[i].m_Limit + 1.0;
            if (i < c.receivers)
                list.Add(&gps[i]);
            object.m_Antennas[i]->SetEnabled(c.notInUse.count(i) == 0);
        }
        object.m_pGpsList = c.receivers < 0 ? nullptr : &list;
        object.m_PrimaryGps = c.primary;
        EXPECT_EQ(object.GetPrimaryGpsIndex(), c.expected) << where;
        for (int i = 0; i < kAntennas; ++i)
            ExpectCleared(gps[i], c.cleared.count(i) != 0, where + ", receiver " + std::to_string(i));
        object.m_pGpsList = nullptr;
    }
}

template <class Object> std::unique_ptr<Object> WithAntennas(int count)
{
    auto object = std::make_unique<Object>();
    for (int i = 0; i < count; ++i)
    {
        TrackingPointDef antenna;
        antenna.Name.Format("GPS %d", i + 1);
        object->m_Antennas.AddPoint(antenna);
    }
    return object;
}

TEST(PrimaryGps, FallsBackPastSilentReceiversAndClearsThem)
{
    RunCases(*WithAntennas<CBarge>(kAntennas), "vessel");
    RunCases(*WithAntennas<CTemplate>(kAntennas), "template");
}

// A list with more receivers than antennas: a receiver without an antenna never positions the
// object, however live it is; a null entry counts as silent.
TEST(PrimaryGps, ReadsNeitherListPastTheOther)
{
    auto vessel = WithAntennas<CBarge>(2);
    vessel->m_Antennas[0]->SetEnabled(true);
    vessel->m_Antennas[1]->SetEnabled(true);
    CGps gps[3];
    CArray<CGps*, CGps*> list;
    for (int i = 0; i < 3; ++i)
    {
        GiveFix(gps[i], i);
        list.Add(&gps[i]);
    }
    gps[0].m_StartTime -= gps[0].m_Limit + 1.0;
    list[1] = nullptr;
    vessel->m_pGpsList = &list;
    vessel->m_PrimaryGps = 0;
    EXPECT_EQ(vessel->GetPrimaryGpsIndex(), 0);
    ExpectCleared(gps[0], true, "silent primary");
    ExpectCleared(gps[2], false, "receiver without an antenna");

    ClearGpsFix(nullptr); // nothing to clear, nothing happens
}
} // namespace
