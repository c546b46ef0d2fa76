// The leg pinning pane over a jack-up vessel: where its groups stand for any number of
// antennas, which show by the active receivers, the tracking point, the target and the legs in
// use, what it refuses, and the pane docked in the host.
#include "features/Barge.h"
#include "features/GridWaypointList.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/units/AngleDouble.h"
#include "platform/core/WinApp.h"
#include "survey/LegPinningPane.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GyroGroupGridProperty.h"
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
const char* const COMPARISONS[] = {"Comparison GPS1/GPS2", "Comparison GPS1/GPS3", "Comparison GPS2/GPS3"};

struct LegPinningFixture : ::testing::Test
{
    CWinApp app{"LegPinningPaneTest"};
    CTestHost host;
    CBarge vessel;
    CArray<CGps*, CGps*> receivers;
    std::list<CLegPinningPane> panes;
    int nextId = 4701;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(900, 1100));
        vessel.m_Heading = 30.0;
        host.m_Records.m_Gyro.m_Active = 1;
        host.m_Records.m_Mru[0].m_Active = 1;
    }

    // `antennas` antennas "GPS1".. in use, 10 m apart eastward, each with an active, speaking
    // receiver.
    void Equip(int antennas)
    {
        vessel.m_Antennas.DeleteAll();
        receivers.RemoveAll();
        for (int i = 0; i < antennas; ++i)
        {
            TrackingPointDef antenna;
            antenna.Name.Format("GPS%d", i + 1);
            antenna.Position = tagXY{500000.0 + 10.0 * i, 6200000.0};
            antenna.SetEnabled(true);
            vessel.m_Antennas.AddPoint(antenna);
            CGps& gps = host.m_Records.m_Gps[i];
            gps.m_Active = 1;
            gps.m_FixMode = 2;
            gps.Restart();
            receivers.Add(&gps);
        }
    }

    void AddLeg(const char* name, bool inUse, tagXY position)
    {
        TrackingPointDef leg;
        leg.Name = name;
        leg.SetEnabled(inUse);
        leg.Position = position;
        vessel.m_Legs.AddPoint(leg);
    }

    CLegPinningPane& Dock(bool withReceivers = true)
    {
        panes.emplace_back();
        CLegPinningPane& pane = panes.back();
        EXPECT_TRUE(host.Dock(pane, nextId++, &vessel, withReceivers ? &receivers : nullptr, &host.m_Records.m_Gyro,
                              &host.m_Records.m_Mru[0]));
        return pane;
    }
};

CMFCPropertyGridProperty* At(CLegPinningPane& pane, int position)
{
    return pane.GetPropertyGrid().GetProperty(position);
}

CMFCGroupPropertyGridProperty* Group(CLegPinningPane& pane, int position)
{
    return dynamic_cast<CMFCGroupPropertyGridProperty*>(At(pane, position));
}

bool Visible(CLegPinningPane& pane, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(pane.GetPropertyGrid(), item).visible;
}

// Each row of the group as "name=value".
std::vector<std::string> Rows(CLegPinningPane& pane, CMFCPropertyGridProperty* group)
{
    std::vector<std::string> rows;
    for (int i = 0; i < group->GetSubItemsCount(); ++i)
    {
        const GRID_ITEM_SEEN seen = SeeGridItem(pane.GetPropertyGrid(), group->GetSubItem(i));
        rows.push_back(seen.name.toStdString() + "=" + seen.value.trimmed().toStdString());
    }
    return rows;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(LegPinningFixture, EveryUpdateAndTimeOutReachesItsOwnGroupForAnyNumberOfAntennas)
{
    const std::vector<std::string> after = {"GPS Heading", COMPARISONS[0], COMPARISONS[1], COMPARISONS[2], "Gyro",
                                            "Motion Reference Unit", "Heading Comparison", "Tracking Point", "Target",
                                            "Legs"};
    const struct
    {
        int antennas;
        bool receivers;
        std::vector<std::string> gps;
    } cases[] = {
        {1, true, {"GPS1"}},
        {3, true, {"GPS1", "GPS2", "GPS3"}},
        {4, true, {"GPS1", "GPS2", "GPS3", "GPS4"}},
        {3, false, {}}, // no receiver list: no GPS groups, the rest in their order
    };
    for (const auto& c : cases)
    {
        Equip(c.antennas);
        CLegPinningPane& pane = Dock(c.receivers);
        CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
        const std::string when = std::to_string(c.antennas) + " antennas" + (c.receivers ? "" : ", no receivers");
        ASSERT_EQ(GridGroupNames(grid), Concat(c.gps, after)) << when;
        const int n = static_cast<int>(c.gps.size());
        EXPECT_EQ(pane.GetGpsGroupCount(), n) << when;
        EXPECT_EQ(pane.GetGpsHeadingPosition(), n) << when;
        EXPECT_EQ(pane.GetGyroPosition(), n + 4) << when;
        EXPECT_EQ(pane.GetLegsPosition(), n + 9) << when;

        for (int i = 0; i < n; ++i)
        {
            pane.UpdateGps(i);
            EXPECT_EQ(grid.GetTriggered(), i) << when << ", receiver " << i;
            pane.GpsTimeout(i);
            EXPECT_TRUE(Group(pane, i)->IsTimedOut()) << when << ", receiver " << i;
        }
        // Indices without a group reach none, and nothing is read past a list.
        for (int i : {-1, n, 7})
        {
            pane.UpdateGps(i);
            pane.GpsTimeout(i);
        }
        pane.UpdateGyro();
        EXPECT_EQ(std::string(At(pane, grid.GetTriggered())->GetName()), "Gyro") << when;
        pane.UpdateMru();
        EXPECT_EQ(std::string(At(pane, grid.GetTriggered())->GetName()), "Motion Reference Unit") << when;
        pane.GyroTimeout();
        pane.MruTimeout();
        for (int position = 0; position < grid.GetPropertyCount(); ++position)
        {
            const std::string name = At(pane, position)->GetName();
            auto* group = Group(pane, position);
            const bool marked = group != nullptr && group->IsTimedOut();
            const bool expected = position < n || name == "Gyro" || name == "Motion Reference Unit";
            EXPECT_EQ(marked, expected) << when << ": " << name;
        }
    }
}

TEST_F(LegPinningFixture, AnInactiveFirstReceiverHidesWhatItTakesPartIn)
{
    Equip(3);
    host.m_Records.m_Gps[0].m_Active = 0;
    CLegPinningPane& pane = Dock();
    Pump();
    const int heading = pane.GetGpsHeadingPosition();
    const int first = pane.GetFirstComparisonPosition();
    EXPECT_FALSE(Visible(pane, At(pane, 0)));
    EXPECT_TRUE(Visible(pane, At(pane, 1)));
    EXPECT_TRUE(Visible(pane, At(pane, 2)));
    EXPECT_FALSE(Visible(pane, At(pane, heading)));
    EXPECT_FALSE(Visible(pane, At(pane, first)));
    EXPECT_FALSE(Visible(pane, At(pane, first + 1)));
    EXPECT_TRUE(Visible(pane, At(pane, first + 2)));

    // 2/3 compares the second and third antennas.
    pane.UpdateGps(1);
    auto* twoThree = dynamic_cast<CMFCPropertyGridDualDisplay*>(At(pane, first + 2)->GetSubItem(0));
    ASSERT_NE(twoThree, nullptr);
    EXPECT_DOUBLE_EQ(twoThree->GetValue(1), 10.0);
    EXPECT_EQ(std::string(At(pane, first + 2)->GetName()), "Comparison GPS2/GPS3");

    // ... and hides with the third receiver.
    host.m_Records.m_Gps[2].m_Active = 0;
    pane.UpdateGpsPanes();
    Pump();
    EXPECT_FALSE(Visible(pane, At(pane, first + 2)));

    // A vessel of one antenna never shows a heading or a comparison, whatever the host's other
    // receivers do.
    Equip(1);
    host.m_Records.m_Gps[1].m_Active = 1;
    host.m_Records.m_Gps[2].m_Active = 1;
    receivers.Add(&host.m_Records.m_Gps[1]);
    CLegPinningPane& single = Dock();
    Pump();
    for (int position = single.GetGpsHeadingPosition(); position < single.GetGyroPosition(); ++position)
        EXPECT_FALSE(Visible(single, At(single, position))) << At(single, position)->GetName();
}

TEST_F(LegPinningFixture, LegsInUseHaveTheirOwnRowsAndKeepThemWhenUpdated)
{
    Equip(3);
    AddLeg("Leg PS", true, tagXY{500100.0, 6200200.0});
    AddLeg("Leg Aft", false, tagXY{500150.0, 6200150.0});
    AddLeg("Leg SB", true, tagXY{500116.0, 6200200.0});
    CLegPinningPane& pane = Dock();
    Pump();
    CMFCPropertyGridProperty* legs = At(pane, pane.GetLegsPosition());
    EXPECT_EQ(Rows(pane, legs), (std::vector<std::string>{"Leg PS=Leg PS", "Easting=500100.00E", "Northing=6200200.00N",
                                                          "Leg SB=Leg SB", "Easting=500116.00E", "Northing=6200200.00N"}));
    EXPECT_FALSE(SeeGridItem(pane.GetPropertyGrid(), legs->GetSubItem(1)).editable);

    // The vessel moves; the leg not in use moves too but has no rows to take its place.
    vessel.m_Legs.GetPoint(0)->Position = tagXY{500101.25, 6200201.5};
    vessel.m_Legs.GetPoint(1)->Position = tagXY{1.0, 2.0};
    vessel.m_Legs.GetPoint(2)->Position = tagXY{500117.25, NAN};
    pane.UpdateLegs();
    Pump();
    EXPECT_EQ(Rows(pane, legs), (std::vector<std::string>{"Leg PS=Leg PS", "Easting=500101.25E", "Northing=6200201.50N",
                                                          "Leg SB=Leg SB", "Easting=500117.25E", "Northing="}));

    // No leg in use: an empty group.
    CBarge idle;
    panes.emplace_back();
    ASSERT_TRUE(host.Dock(panes.back(), nextId++, &idle, &receivers, &host.m_Records.m_Gyro, &host.m_Records.m_Mru[0]));
    EXPECT_EQ(At(panes.back(), panes.back().GetLegsPosition())->GetSubItemsCount(), 0);
    panes.back().UpdateLegs();
}

TEST_F(LegPinningFixture, TargetAndTrackingPointFromTheVessel)
{
    Equip(3);
    AddLeg("Leg PS", true, tagXY{500100.0, 6200200.0});
    CGridWaypointList waypoints;
    auto* file = new CGridWaypoint();
    file->m_FilePath = "C:\\MyData\\Waypoints\\Jack.Up Site.GWP";
    waypoints.Add(file);
    vessel.m_pWaypointList = &waypoints;
    vessel.m_WaypointFileIndex = 0;
    vessel.m_TargetWaypoint.Name = "Pin Location 3";
    vessel.m_TargetRange = 123.44;
    vessel.m_TargetBearing = 45.0;
    vessel.m_Position = tagXY{500050.0, 6200040.0};
    vessel.m_PrimaryGps = 1;
    CLegPinningPane& pane = Dock();
    Pump();
    CMFCPropertyGridProperty* target = At(pane, pane.GetTargetPosition());
    CMFCPropertyGridProperty* trkPt = At(pane, pane.GetTrackingPointPosition());

    // 45 degrees in the record reads as 45 degrees does in the user's notation.
    CMFCPropertyGridAngleDouble degrees("Bearing", 45.0, 2);
    const std::string bearing = QString::fromLatin1(degrees.FormatProperty().GetString()).toStdString();
    EXPECT_EQ(Rows(pane, target), (std::vector<std::string>{"File Name=Jack.Up Site", "Waypoint=Pin Location 3",
                                                           "Range=123.4m.", "Bearing=" + bearing}));
    for (int row = 0; row < target->GetSubItemsCount(); ++row)
        EXPECT_FALSE(SeeGridItem(pane.GetPropertyGrid(), target->GetSubItem(row)).editable) << row;
    EXPECT_EQ(Rows(pane, trkPt),
              (std::vector<std::string>{"Offset=CRP - GPS2", "Easting=500050.00E", "Northing=6200040.00N"}));

    // No file, no range, no bearing: empty values, never "nan".
    vessel.m_WaypointFileIndex = 3;
    vessel.m_TargetRange = NAN;
    vessel.m_TargetBearing = INFINITY;
    pane.UpdateTarget();
    Pump();
    EXPECT_EQ(Rows(pane, target), (std::vector<std::string>{"File Name=", "Waypoint=Pin Location 3", "Range=", "Bearing="}));

    // The tracking point follows the selection: a leg, a point that does not exist, and the
    // primary antenna of a vessel without heading.
    vessel.m_Antennas.GetPoint(1)->Position = tagXY{500060.0, 6200030.0};
    const struct
    {
        int type, number;
        double heading;
        std::vector<std::string> rows;
    } cases[] = {
        {TP_LEG, 0, 30.0, {"Offset=Leg PS", "Easting=500100.00E", "Northing=6200200.00N"}},
        {TP_LEG, 9, 30.0, {"Offset=n/a", "Easting=", "Northing="}},
        {TP_LEG, 0, -1.0, {"Offset=GPS2", "Easting=500060.00E", "Northing=6200030.00N"}},
    };
    for (const auto& c : cases)
    {
        vessel.m_TrkPtType = c.type;
        vessel.m_TrkPtNo = c.number;
        vessel.m_Heading = c.heading;
        pane.UpdateTrkPt();
        Pump();
        EXPECT_EQ(Rows(pane, trkPt), c.rows) << c.type << "/" << c.number << " heading " << c.heading;
    }
}

TEST_F(LegPinningFixture, GyroTakesTheMruHeadingUseAndComparesAcrossNorth)
{
    Equip(1);
    CHostRecords& r = host.m_Records;
    r.m_Gyro.m_TrueHeading = 359.0;
    r.m_Mru[0].m_Heading = 1.0;
    r.m_Mru[0].m_UseHeading = 0;
    CLegPinningPane& pane = Dock();
    auto* gyro = dynamic_cast<CMFCPropertyGridDualDisplay*>(At(pane, pane.GetGyroPosition())->GetSubItem(0));
    ASSERT_NE(gyro, nullptr);
    pane.UpdateGyro();
    EXPECT_GE(gyro->GetValueText(2).Find("False"), 0);
    r.m_Mru[0].m_UseHeading = 1;
    pane.UpdateMru();
    EXPECT_GE(gyro->GetValueText(2).Find("True"), 0) << "the MRU's update hands the gyro its heading use";
    auto* difference = dynamic_cast<CMFCPropertyGridDouble*>(At(pane, pane.GetHeadingComparisonPosition())->GetSubItem(0));
    ASSERT_NE(difference, nullptr);
    EXPECT_DOUBLE_EQ(difference->GetDouble(), -2.0);

    // The gyro off: its group and the comparison hide, the MRU stays.
    r.m_Gyro.m_Active = 0;
    pane.UpdateGpsPanes();
    Pump();
    EXPECT_FALSE(Visible(pane, At(pane, pane.GetGyroPosition())));
    EXPECT_FALSE(Visible(pane, At(pane, pane.GetHeadingComparisonPosition())));
    EXPECT_TRUE(Visible(pane, At(pane, pane.GetMruPosition())));
}

TEST_F(LegPinningFixture, RefusedWithoutVesselGyroOrMru)
{
    Equip(3);
    CHostRecords& r = host.m_Records;
    const struct
    {
        CBarge* vessel;
        CGyro* gyro;
        CMru* mru;
    } cases[] = {{&vessel, nullptr, &r.m_Mru[0]}, {&vessel, &r.m_Gyro, nullptr}, {nullptr, &r.m_Gyro, &r.m_Mru[0]}};
    for (const auto& c : cases)
    {
        CLegPinningPane pane;
        EXPECT_EQ(pane.Create(&host, 4790, c.vessel, &receivers, c.gyro, c.mru), 0);
        EXPECT_EQ(pane.GetSafeHwnd(), nullptr) << "nothing docked";
        EXPECT_EQ(pane.GetPropertyGrid().GetPropertyCount(), 0);
        pane.UpdateGps(0);
        pane.UpdateGyro();
        pane.UpdateMru();
        pane.UpdateTrkPt();
        pane.UpdateTarget();
        pane.UpdateLegs();
        pane.GpsTimeout(0);
        pane.GyroTimeout();
        pane.MruTimeout();
    }
}

TEST_F(LegPinningFixture, DockedInTheHost)
{
    Equip(3);
    CHostRecords& r = host.m_Records;
    for (int i = 0; i < 3; ++i)
    {
        r.m_Gps[i].m_Wgs84Latitude = (54.5 + 0.0001 * i) * M_PI / 180.0;
        r.m_Gps[i].m_Wgs84Longitude = 3.25 * M_PI / 180.0;
        r.m_Gps[i].m_AntennaEasting = 500000.0 + 10.0 * i;
        r.m_Gps[i].m_AntennaNorthing = 6200000.0;
        r.m_Gps[i].m_SatellitesUsed = 9;
    }
    r.m_Gyro.m_TrueHeading = 30.5;
    r.m_Mru[0].m_Heading = 30.25;
    AddLeg("Leg PS", true, tagXY{500100.0, 6200200.0});
    AddLeg("Leg SB", true, tagXY{500116.0, 6200200.0});
    vessel.m_TargetWaypoint.Name = "Pin Location 3";
    vessel.m_TargetRange = 12.5;
    vessel.m_TargetBearing = 270.0;
    CLegPinningPane& pane = Dock();
    EXPECT_EQ(std::string(pane.GetTitle()), "Leg Pinning");
    for (int i = 0; i < 3; ++i)
        pane.UpdateGps(i);
    pane.UpdateGyro();
    pane.UpdateMru();
    Pump();
    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Leg Pinning", &pane}}, {}, folder + "/leg-pinning.png");
}
} // namespace
