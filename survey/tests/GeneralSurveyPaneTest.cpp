// The vessel navigation pane and the crane tip pane over a vessel and any subset of its devices:
// which groups each builds, the primary receiver's mark, what a silent receiver does to the GPS
// heading and the comparisons, the CRP and echo sounder rows, and both docked in the host.
#include "features/Barge.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "platform/core/WinApp.h"
#include "survey/CraneTipMonitoringPane.h"
#include "survey/GeneralSurveyPane.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GpsHeadingGroupPropertyGrid.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cfloat>
#include <cmath>
#include <list>
#include <string>
#include <vector>

namespace
{
struct Devices
{
    int antennas;
    int receivers;
    bool gyro, mru, bathy;
    std::vector<std::string> groups;
};

struct GeneralSurveyFixture : ::testing::Test
{
    CWinApp app{"GeneralSurveyPaneTest"};
    CTestHost host;
    CBarge vessel;
    CArray<CGps*, CGps*> receivers;
    double tidalHeight = 1.25;
    std::list<CGeneralSurveyPane> panes;
    int nextId = 4501;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(900, 1000)); }

    // The vessel with `antennas` antennas "GPS1".. in use, 10 m apart eastward, and the first `count`
    // host receivers in the list, each speaking and active.
    void Equip(int antennas, int count)
    {
        vessel.m_Antennas.DeleteAll();
        for (int i = 0; i < antennas; ++i)
        {
            TrackingPointDef antenna;
            antenna.Name.Format("GPS%d", i + 1);
            antenna.Position = tagXY{500000.0 + 10.0 * i, 6200000.0};
            antenna.SetEnabled(true);
            vessel.m_Antennas.AddPoint(antenna);
        }
        receivers.RemoveAll();
        for (int i = 0; i < count; ++i)
        {
            CGps& gps = host.m_Records.m_Gps[i];
            gps.m_Active = 1;
            gps.m_FixMode = 2;
            gps.m_SatellitesUsed = 9;
            gps.Restart();
            receivers.Add(&gps);
        }
    }

    CGeneralSurveyPane& Dock(bool gyro = true, bool mru = true, bool bathy = true, bool tidal = true)
    {
        CHostRecords& r = host.m_Records;
        panes.emplace_back();
        CGeneralSurveyPane& pane = panes.back();
        EXPECT_TRUE(host.Dock(pane, nextId++, &vessel, &receivers, gyro ? &r.m_Gyro : nullptr, mru ? &r.m_Mru[0] : nullptr,
                              bathy ? &r.m_BathyUnit : nullptr, tidal ? &tidalHeight : nullptr, &r.m_Wind));
        return pane;
    }
};

void Silence(CGps& gps)
{
    gps.m_StartTime = CTimeout::Clock() - gps.m_Limit - 5.0;
}

bool Visible(CGeneralSurveyPane& pane, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(pane.GetPropertyGrid(), item).visible;
}

CMFCPropertyGridProperty* At(CGeneralSurveyPane& pane, int position)
{
    return pane.GetPropertyGrid().GetProperty(position);
}

CMFCPropertyGridDualDisplay* Dual(CMFCPropertyGridProperty* group, int row)
{
    return dynamic_cast<CMFCPropertyGridDualDisplay*>(group->GetSubItem(row));
}

TEST_F(GeneralSurveyFixture, GroupsFollowTheDevicesGiven)
{
    const std::string crp = "Common Reference Point (CRP)";
    const Devices cases[] = {
        {1, 3, true, true, true, {crp, "GPS1", "Gyro", "Motion Reference Unit", "Heading Comparison", "Echo Sounder"}},
        {2, 3, true, true, true,
         {crp, "GPS1", "GPS2", "GPS Heading", "Comparison GPS1/GPS2", "Gyro", "Motion Reference Unit", "Heading Comparison",
          "Echo Sounder"}},
        {3, 3, false, false, false,
         {crp, "GPS1", "GPS2", "GPS3", "GPS Heading", "Comparison GPS1/GPS2", "Comparison GPS1/GPS3", "Comparison GPS2/GPS3"}},
        // A receiver list shorter than the antennas: groups only for the antennas with a receiver.
        {3, 1, false, false, false, {crp, "GPS1"}},
        {3, 2, false, false, false, {crp, "GPS1", "GPS2", "GPS Heading", "Comparison GPS1/GPS2"}},
        {0, 3, true, false, false, {crp, "Gyro"}},
        {2, 0, false, true, false, {crp, "Motion Reference Unit"}},
        {0, 0, false, false, true, {crp, "Echo Sounder"}},
    };
    for (const Devices& c : cases)
    {
        Equip(c.antennas, c.receivers);
        CGeneralSurveyPane& pane = Dock(c.gyro, c.mru, c.bathy);
        const std::string when = std::to_string(c.antennas) + " antennas, " + std::to_string(c.receivers) + " receivers";
        EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), c.groups) << when;
        EXPECT_EQ(pane.GetCrpPosition(), 0) << when;
        EXPECT_EQ(pane.GetWindPosition(), -1) << when;
        EXPECT_EQ(pane.GetGyroPosition() != -1, c.gyro) << when;
        EXPECT_EQ(pane.GetEchoSounderPosition() != -1, c.bathy) << when;
        // Updates and time-outs of what is missing do nothing; none of them reaches a list's end.
        for (int i = -1; i <= 4; ++i)
        {
            pane.UpdateGps(i);
            pane.GpsTimeout(i);
        }
        pane.UpdateGyro();
        pane.UpdateMru();
        pane.UpdateBathyUnit();
        pane.GyroTimeout();
        pane.MruTimeout();
        pane.BathyUnitTimeout();
        pane.UpdateWind();
        pane.WindTimeout();
        pane.UpdateCrp(false);
        EXPECT_EQ(pane.GetPropertyGrid().GetPropertyCount(), static_cast<int>(c.groups.size())) << when;
    }
}

TEST_F(GeneralSurveyFixture, NoVesselAndNoDevicesLeaveOnlyTheCrpGroup)
{
    panes.emplace_back();
    CGeneralSurveyPane& pane = panes.back();
    ASSERT_TRUE(host.Dock(pane, nextId++, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), std::vector<std::string>{"Common Reference Point (CRP)"});
    pane.UpdateGps(0);
    pane.UpdateCrp(true);
    pane.UpdateBathyUnit();
    pane.GpsTimeout(0);
}

TEST_F(GeneralSurveyFixture, ASilentReceiverClearsItsComparisonsAndLosesItsFix)
{
    Equip(3, 3);
    vessel.m_PrimaryGps = 1;
    vessel.m_GpsHeadingA = 0;
    vessel.m_GpsHeadingB = 1;
    vessel.m_GpsHeading = 45.5;
    CGeneralSurveyPane& pane = Dock();
    for (int i = 0; i < 3; ++i)
        pane.UpdateGps(i);
    Pump();
    const int first = pane.GetFirstComparisonPosition();
    ASSERT_EQ(pane.GetComparisonCount(), 3);
    EXPECT_EQ(At(pane, pane.GetFirstGpsPosition() + 1)->GetName(), std::string("GPS2 PRIMARY"));
    EXPECT_EQ(At(pane, pane.GetFirstGpsPosition())->GetName(), std::string("GPS1"));
    auto* heading = dynamic_cast<CMFCGpsHeadingGroupPropertyGrid*>(At(pane, pane.GetGpsHeadingPosition()));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->GetHeadingRow()->GetName(), std::string("GPS1/GPS2"));
    EXPECT_DOUBLE_EQ(heading->GetHeadingRow()->GetDouble(), 45.5);
    for (int c = 0; c < 3; ++c)
        EXPECT_DOUBLE_EQ(Dual(At(pane, first + c), 0)->GetValue(1),
                         10.0 * (CVesselGpsGroups::COMPARISON_PAIRS[c][1] - CVesselGpsGroups::COMPARISON_PAIRS[c][0]));

    // The second receiver falls silent by its own limit, which is not the others'.
    CGps& second = host.m_Records.m_Gps[1];
    second.m_Limit = 3;
    Silence(second);
    pane.UpdateGps(0);
    Pump();
    // The primary moves to the first receiver that still speaks.
    EXPECT_EQ(At(pane, pane.GetFirstGpsPosition())->GetName(), std::string("GPS1 PRIMARY"));
    EXPECT_EQ(At(pane, pane.GetFirstGpsPosition() + 1)->GetName(), std::string("GPS2"));
    EXPECT_DOUBLE_EQ(heading->GetHeadingRow()->GetDouble(), 0.0);
    const double expected[3] = {0.0, 20.0, 0.0}; // 1/2 and 2/3 cleared, 1/3 still compared
    for (int c = 0; c < 3; ++c)
    {
        EXPECT_DOUBLE_EQ(Dual(At(pane, first + c), 0)->GetValue(1), expected[c]) << c;
        EXPECT_DOUBLE_EQ(Dual(At(pane, first + c), 1)->GetValue(1), expected[c]) << c;
    }
    pane.UpdateGps(1);
    Pump();
    CMFCPropertyGridProperty* group = At(pane, pane.GetFirstGpsPosition() + 1);
    EXPECT_EQ(Dual(group, CMFCGpsGroupGridProperty::ROW_HEIGHT_FIX)->GetValueText(2).Find("No Fix") >= 0, true);
    EXPECT_EQ(Dual(group, CMFCGpsGroupGridProperty::ROW_QUALITY)->GetValue(1), 0.0);

    pane.GpsTimeout(1);
    EXPECT_TRUE(dynamic_cast<CMFCGroupPropertyGridProperty*>(group)->IsTimedOut());
}

TEST_F(GeneralSurveyFixture, HeadingPairOutsideTheReceiversGivesNoHeading)
{
    Equip(3, 2);
    vessel.m_GpsHeading = 90.0;
    const int pairs[][2] = {{0, 2}, {5, 1}, {-1, 0}, {1, 1}};
    CGeneralSurveyPane& pane = Dock();
    auto* heading = dynamic_cast<CMFCGpsHeadingGroupPropertyGrid*>(At(pane, pane.GetGpsHeadingPosition()));
    ASSERT_NE(heading, nullptr);
    for (const auto& p : pairs)
    {
        vessel.m_GpsHeadingA = 0;
        vessel.m_GpsHeadingB = 1;
        pane.UpdateGps(0);
        ASSERT_DOUBLE_EQ(heading->GetHeadingRow()->GetDouble(), 90.0);
        vessel.m_GpsHeadingA = p[0];
        vessel.m_GpsHeadingB = p[1];
        pane.UpdateGps(0);
        EXPECT_DOUBLE_EQ(heading->GetHeadingRow()->GetDouble(), 0.0) << p[0] << "/" << p[1];
    }
}

TEST_F(GeneralSurveyFixture, CrpRowsAndGpsGroupsByTheCrpUpdate)
{
    Equip(2, 2);
    vessel.m_Position = tagXY{512345.5, 6234567.25};
    CGeneralSurveyPane& pane = Dock();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    CMFCPropertyGridProperty* crp = At(pane, 0);

    const struct
    {
        double kp, dcc;
        bool shown;
    } cases[] = {{0.0, 0.0, false}, {1.5, 0.0, true}, {0.0, -2.25, true}, {0.0, 0.0, false}};
    for (const auto& c : cases)
    {
        vessel.m_CrpKp = c.kp;
        vessel.m_CrpDcc = c.dcc;
        pane.UpdateCrp(false);
        Pump();
        EXPECT_EQ(Visible(pane, crp->GetSubItem(1)), c.shown) << c.kp << " " << c.dcc;
        if (c.shown)
        {
            EXPECT_DOUBLE_EQ(Dual(crp, 1)->GetValue(1), c.kp);
            EXPECT_DOUBLE_EQ(Dual(crp, 1)->GetValue(2), c.dcc);
        }
    }
    EXPECT_DOUBLE_EQ(Dual(crp, 0)->GetValue(1), 512345.5);
    EXPECT_DOUBLE_EQ(Dual(crp, 0)->GetValue(2), 6234567.25);
    EXPECT_EQ(grid.GetTriggered(), -1) << "GPS groups show: the CRP is not highlighted";
    EXPECT_TRUE(Visible(pane, At(pane, pane.GetFirstGpsPosition())));

    pane.UpdateCrp(true);
    Pump();
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(Visible(pane, At(pane, pane.GetFirstGpsPosition() + i)));
    EXPECT_EQ(grid.GetTriggered(), 0);
}

TEST_F(GeneralSurveyFixture, OptionsAndActiveDevicesDecideWhatShows)
{
    Equip(3, 3);
    CGeneralSurveyPane& pane = Dock();
    EXPECT_TRUE(pane.GetShowGpsDiff());
    EXPECT_TRUE(pane.GetShowGpsHeading());
    const int first = pane.GetFirstComparisonPosition();
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(Visible(pane, At(pane, first + c)));
    pane.SetShowGpsDiff(false);
    Pump();
    for (int c = 0; c < 3; ++c)
        EXPECT_FALSE(Visible(pane, At(pane, first + c))) << c;
    EXPECT_TRUE(Visible(pane, At(pane, pane.GetGpsHeadingPosition())));
    pane.SetShowGpsHeading(false);
    Pump();
    EXPECT_FALSE(Visible(pane, At(pane, pane.GetGpsHeadingPosition())));

    // The third receiver off: its group and the comparisons with it hide.
    pane.SetShowGpsDiff(true);
    host.m_Records.m_Gps[2].m_Active = 0;
    pane.UpdateGpsPanes();
    Pump();
    EXPECT_FALSE(Visible(pane, At(pane, pane.GetFirstGpsPosition() + 2)));
    const bool comparisonShown[3] = {true, false, false};
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Visible(pane, At(pane, first + c)), comparisonShown[c]) << c;
    EXPECT_TRUE(Visible(pane, At(pane, pane.GetEchoSounderPosition())));
}

TEST_F(GeneralSurveyFixture, EchoSounderNamedByDepthSourceWithTidalHeightWhenThereIsOne)
{
    Equip(0, 0);
    CBathyUnit& unit = host.m_Records.m_BathyUnit;
    unit.m_Depth = 23.5;
    CGeneralSurveyPane& pane = Dock();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    CMFCPropertyGridProperty* group = At(pane, pane.GetEchoSounderPosition());
    const struct
    {
        int source;
        const char* name;
    } names[] = {{0, "Manual Depth"}, {1, "Echo Sounder"}, {3, "DTM"}, {2, "DTM"}, {1, "Echo Sounder"}, {7, "Echo Sounder"}};
    for (const auto& n : names)
    {
        unit.m_DepthSource = n.source;
        pane.UpdateBathyUnit();
        EXPECT_EQ(std::string(group->GetName()), n.name) << n.source;
    }
    EXPECT_EQ(grid.GetTriggered(), pane.GetEchoSounderPosition());
    Pump();
    EXPECT_EQ(SeeGridItem(grid, group->GetSubItem(0)).value.toStdString(), " 23.50m");
    EXPECT_FALSE(SeeGridItem(grid, group->GetSubItem(0)).editable);

    const struct
    {
        double tidal;
        bool shown;
        const char* text;
    } tides[] = {{1.25, true, "  1.25m"}, {0.0, false, nullptr}, {DBL_MAX, false, nullptr}, {-0.5, true, " -0.50m"},
                 {NAN, true, ""}};
    for (const auto& t : tides)
    {
        tidalHeight = t.tidal;
        pane.UpdateBathyUnit();
        Pump();
        EXPECT_EQ(Visible(pane, group->GetSubItem(1)), t.shown) << t.tidal;
        if (t.text != nullptr)
        {
            EXPECT_EQ(SeeGridItem(grid, group->GetSubItem(1)).value.toStdString(), t.text) << t.tidal;
        }
    }
    unit.m_Depth = INFINITY;
    pane.UpdateBathyUnit();
    Pump();
    EXPECT_EQ(SeeGridItem(grid, group->GetSubItem(0)).value.toStdString(), "");

    // Without the host's tidal height the row never shows.
    CGeneralSurveyPane& without = Dock(false, false, true, false);
    CMFCPropertyGridProperty* bare = At(without, without.GetEchoSounderPosition());
    EXPECT_FALSE(Visible(without, bare->GetSubItem(1)));
    without.UpdateBathyUnit();
    Pump();
    EXPECT_FALSE(Visible(without, bare->GetSubItem(1)));
}

TEST_F(GeneralSurveyFixture, GyroFollowsTheMruHeadingUseAndTimeOutsMarkGroups)
{
    Equip(1, 1);
    CHostRecords& r = host.m_Records;
    r.m_Gyro.m_Active = 1;
    r.m_Gyro.m_TrueHeading = 10.0;
    r.m_Mru[0].m_Active = 1;
    r.m_Mru[0].m_Heading = 5.0;
    r.m_Mru[0].m_UseHeading = 0x100; // the low byte is the flag: not used
    CGeneralSurveyPane& pane = Dock();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    pane.UpdateGyro();
    EXPECT_EQ(grid.GetTriggered(), pane.GetGyroPosition());
    EXPECT_DOUBLE_EQ(Dual(At(pane, pane.GetGyroPosition()), 0)->GetValue(1), 10.0);
    EXPECT_EQ(Dual(At(pane, pane.GetGyroPosition()), 0)->GetValueText(2).Find("False") >= 0, true);
    pane.UpdateMru();
    EXPECT_EQ(grid.GetTriggered(), pane.GetMruPosition());
    auto group = [&](int position) { return dynamic_cast<CMFCGroupPropertyGridProperty*>(At(pane, position)); };
    pane.GyroTimeout();
    pane.MruTimeout();
    pane.BathyUnitTimeout();
    pane.GpsTimeout(0);
    for (int position : {pane.GetGyroPosition(), pane.GetMruPosition(), pane.GetEchoSounderPosition(), pane.GetFirstGpsPosition()})
        EXPECT_TRUE(group(position)->IsTimedOut()) << position;
    EXPECT_FALSE(group(pane.GetCrpPosition())->IsTimedOut());
}

struct CraneTipFixture : ::testing::Test
{
    CWinApp app{"CraneTipTest"};
    CTestHost host;
    CBarge vessel;
    CCraneTipMonitoringPane pane;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(700, 900)); }
    void AddCrane(const char* name)
    {
        TrackingPointDef crane;
        crane.Name = name;
        vessel.m_Cranes.AddPoint(crane);
    }
};

TEST_F(CraneTipFixture, NoCranesGiveAnEmptyGrid)
{
    ASSERT_TRUE(host.Dock(pane, 4601, &vessel, host.m_Records.m_Gps));
    EXPECT_EQ(pane.GetPropertyGrid().GetPropertyCount(), 0);
    pane.UpdateGps(0);
    pane.GpsTimeout(0);
}

TEST_F(CraneTipFixture, EachCraneReadsTheNextReceiverAndStrayIndicesAreIgnored)
{
    for (const char* name : {"Main Crane", "Aux Crane", "Stern Crane"})
        AddCrane(name);
    CGps* tips = host.m_Records.m_Gps;
    for (int i = 0; i < 3; ++i)
    {
        tips[i].m_Active = 1;
        tips[i].m_SatellitesUsed = 5 + i;
    }
    ASSERT_TRUE(host.Dock(pane, 4602, &vessel, tips));
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_EQ(GridGroupNames(grid), (std::vector<std::string>{"Main Crane", "Aux Crane", "Stern Crane"}));
    vessel.m_Cranes.GetPoint(1)->Name = "Aux Crane Tip";
    for (int i = 0; i < 3; ++i)
    {
        pane.UpdateGps(i);
        EXPECT_EQ(grid.GetTriggered(), i);
        auto* group = dynamic_cast<CMFCGpsGroupGridProperty*>(grid.GetProperty(i));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->GetGps(), &tips[i]);
        EXPECT_EQ(group->GetPosition(), i);
        EXPECT_DOUBLE_EQ(Dual(group, CMFCGpsGroupGridProperty::ROW_QUALITY)->GetValue(1), 5.0 + i);
    }
    EXPECT_EQ(std::string(grid.GetProperty(1)->GetName()), "Aux Crane Tip");
    pane.UpdateGps(7);
    pane.GpsTimeout(7);
    pane.UpdateGps(-1);
    EXPECT_EQ(grid.GetTriggered(), 2);
    pane.GpsTimeout(2);
    EXPECT_TRUE(dynamic_cast<CMFCGroupPropertyGridProperty*>(grid.GetProperty(2))->IsTimedOut());
}

TEST_F(CraneTipFixture, NullReceiversOrVesselBuildNothing)
{
    AddCrane("Main Crane");
    ASSERT_TRUE(host.Dock(pane, 4603, &vessel, static_cast<CGps*>(nullptr)));
    EXPECT_EQ(pane.GetPropertyGrid().GetPropertyCount(), 0);
    pane.UpdateGps(0);
    CCraneTipMonitoringPane other;
    ASSERT_TRUE(host.Dock(other, 4604, static_cast<CBarge*>(nullptr), host.m_Records.m_Gps));
    EXPECT_EQ(other.GetPropertyGrid().GetPropertyCount(), 0);
}
} // namespace

namespace
{
TEST_F(GeneralSurveyFixture, BothPanesDockedInTheHostByDayAndNight)
{
    Equip(3, 3);
    CHostRecords& r = host.m_Records;
    vessel.m_Position = tagXY{512345.5, 6234567.25};
    vessel.m_CrpKp = 12.345;
    vessel.m_CrpDcc = -1.5;
    vessel.m_GpsHeading = 123.4;
    for (int i = 0; i < 3; ++i)
    {
        r.m_Gps[i].m_Wgs84Latitude = (54.5 + 0.0001 * i) * M_PI / 180.0;
        r.m_Gps[i].m_Wgs84Longitude = 3.25 * M_PI / 180.0;
        r.m_Gps[i].m_AntennaEasting = 500000.0 + 10.0 * i;
        r.m_Gps[i].m_AntennaNorthing = 6200000.0;
        r.m_Gps[i].m_Hdop = 0.8;
    }
    Silence(r.m_Gps[2]);
    r.m_Gyro.m_Active = 1;
    r.m_Gyro.m_TrueHeading = 123.0;
    r.m_Mru[0].m_Active = 1;
    r.m_Mru[0].m_Heading = 122.5;
    r.m_BathyUnit.m_Depth = 35.25;
    r.m_BathyUnit.m_DepthSource = DEPTH_SOURCE_ECHO_SOUNDER;
    CGeneralSurveyPane& pane = Dock();
    // The third receiver is silent: the host updates the other two and times it out.
    pane.UpdateGps(0);
    pane.UpdateGps(1);
    pane.UpdateCrp(false);
    pane.UpdateGyro();
    pane.UpdateMru();
    pane.UpdateBathyUnit();
    pane.GpsTimeout(2);

    Pump();

    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Vessel Navigation", &pane}}, {}, folder + "/vessel-navigation-day.png");
    host.Night(pane);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Vessel Navigation", &pane}}, {}, folder + "/vessel-navigation-night.png");
}

TEST_F(CraneTipFixture, DockedInTheHost)
{
    AddCrane("Main Crane");
    AddCrane("Aux Crane");
    CGps* tips = host.m_Records.m_Gps;
    for (int i = 0; i < 2; ++i)
    {
        tips[i].m_Active = 1;
        tips[i].m_FixMode = 2;
        tips[i].m_SatellitesUsed = 8;
        tips[i].m_AntennaEasting = 500100.0 + i;
        tips[i].m_AntennaNorthing = 6200050.0;
    }
    ASSERT_TRUE(host.Dock(pane, 4699, &vessel, tips));
    pane.UpdateGps(0);
    pane.UpdateGps(1);
    Pump();
    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Crane Tip Monitoring", &pane}}, {}, folder + "/crane-tip-monitoring.png");
}
} // namespace
