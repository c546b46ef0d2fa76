// Picking on the chart: the cursor's reach, the candidates of each kind of feature in list
// order, the choice menu, vessel points, bearing lines and AIS targets posted by identifier.
#include "ViewFixture.h"

#include "chart/objects/Ais.h"
#include "chart/objects/EblList.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "geodesy/Gps.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/RecordingOwner.h"

#include <atomic>
#include <chrono>
#include <thread>


namespace
{
class Picking : public ViewGallery::ViewGalleryFixture
{
protected:
    // A waypoint file at `path` with one waypoint `dE`, `dN` metres from the origin.
    static CGridWaypoint* Waypoints(const char* path, double dE, double dN, const char* name)
    {
        auto* file = new CGridWaypoint;
        file->m_FilePath = path;
        file->Add(GridWaypointDef{ViewGallery::kOriginE + dE, ViewGallery::kOriginN + dN, 0.0, name, 0.0});
        return file;
    }
    CPoint Cursor(double dE, double dN, int dx = 0, int dy = 0) const
    {
        const POINT p = At(dE, dN);
        return CPoint(p.x + dx, p.y + dy);
    }
};
} // namespace

TEST_F(Picking, ReachIsThirtyOnePixelsInsideThePlot)
{
    CGridWaypointList waypoints;
    waypoints.Add(Waypoints("C:\\Survey\\Site A.txt", 0.0, 0.0, "W1"));
    // A waypoint just outside the plotted extent, near the window's left edge.
    waypoints.Add(Waypoints("C:\\Survey\\Edge.txt", -401.0, 0.0, "Edge"));
    view->SetWaypointList(&waypoints);
    const struct
    {
        int dx, dy;
        bool hit;
    } cases[] = {{31, 0, true}, {0, 31, true}, {-31, -31, true}, {32, 0, false}, {0, -32, false}, {40, 40, false}};
    for (const auto& c : cases)
    {
        view->m_PickedFeatures.RemoveAll();
        EXPECT_EQ(view->PointOnWaypoint(Cursor(0, 0, c.dx, c.dy)), c.hit) << c.dx << "," << c.dy;
    }
    view->m_PickedFeatures.RemoveAll();
    EXPECT_FALSE(view->PointOnWaypoint(CPoint(1, 240)));

    // The candidate's texts.
    ASSERT_TRUE(view->PointOnWaypoint(Cursor(0, 0)));
    EXPECT_STREQ(view->m_PickedFeatures[0].MenuText, "Waypoint : Site A - W1");
    EXPECT_EQ(view->m_PickedFeatures[0].FileIndex, 0);
    EXPECT_EQ(view->m_PickedFeatures[0].PointIndex, 0);
}

TEST_F(Picking, SeveralCandidatesAreChosenFromAMenuInListOrder)
{
    CGridWaypointList waypoints;
    waypoints.Add(Waypoints("C:\\a.txt", 0.0, 0.0, "First"));
    waypoints.Add(Waypoints("C:\\b.txt", 10.0, 0.0, "Second"));
    view->SetWaypointList(&waypoints);

    ModalHook::AnswerMenu(2);
    const CFeature second = view->Click(Cursor(5, 0), true);
    EXPECT_EQ(second.Type, FEATURE_WAYPOINT);
    EXPECT_EQ(second.FileIndex, 1);
    EXPECT_STREQ(second.Name, "Second");
    ASSERT_EQ(view->m_PickedFeatures.GetSize(), 2);
    EXPECT_STREQ(view->m_PickedFeatures[0].Name, "First");

    ModalHook::AnswerMenu(0); // dismissed
    EXPECT_EQ(view->Click(Cursor(5, 0), true).Type, FEATURE_NONE);

    // SelectFeature: none, one, and a dismissed choice, each leaving the record as it says.
    CFeature feature;
    feature.Type = FEATURE_ROUTE;
    ModalHook::AnswerMenu(0);
    EXPECT_FALSE(view->SelectFeature(&feature));
    EXPECT_EQ(feature.Type, FEATURE_NONE);
    view->m_PickedFeatures.SetSize(1);
    EXPECT_TRUE(view->SelectFeature(&feature));
    EXPECT_STREQ(feature.Name, "First");
    view->m_PickedFeatures.RemoveAll();
    EXPECT_FALSE(view->SelectFeature(&feature));
    EXPECT_EQ(feature.PointIndex, -1);
    waypoints.RemoveAll();
    waypoints.Add(nullptr);
    EXPECT_EQ(view->Click(Cursor(5, 0), true).Type, FEATURE_NONE);
    waypoints.RemoveAll();
}

TEST_F(Picking, RoutesSailLinesAndBoundaries)
{
    // A route whose point 2 and the leg after it are both under the cursor: one candidate,
    // the point.
    auto* route = new CRoute;
    route->m_FilePath = "C:\\Routes\\Main.rte";
    for (double dE : {-200.0, 0.0, 200.0})
    {
        RouteDef point;
        point.Position = tagXY{ViewGallery::kOriginE + dE, ViewGallery::kOriginN};
        route->Add(point);
    }
    CRouteList routes;
    routes.Add(route);
    view->SetRouteList(&routes);
    CFeature picked = view->Click(Cursor(0, 0, 5, 0), true);
    EXPECT_EQ(view->m_PickedFeatures.GetSize(), 1);
    EXPECT_EQ(picked.PointIndex, 1);
    EXPECT_STREQ(picked.Name, "Point 2");
    // A leg alone: the route as a whole.
    picked = view->Click(Cursor(100, 0), true);
    EXPECT_EQ(picked.Type, FEATURE_ROUTE);
    EXPECT_EQ(picked.PointIndex, -1);
    view->SetRouteList(nullptr);

    // A sail line short enough for both ends to be under the cursor: SOL and EOL, and the
    // file's next line (here under the cursor too) is not tested.
    auto* lines = new CSailLine;
    lines->m_FilePath = "C:\\Lines\\Plan.csv";
    SailLineDef shortLine{}, next{};
    shortLine.Start = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN};
    shortLine.End = tagXY{ViewGallery::kOriginE + 20.0, ViewGallery::kOriginN};
    next.Start = tagXY{ViewGallery::kOriginE + 10.0, ViewGallery::kOriginN + 10.0};
    next.End = tagXY{ViewGallery::kOriginE + 300.0, ViewGallery::kOriginN + 10.0};
    lines->Add(SailLineDef{});
    lines->ElementAt(0).Start = tagXY{ViewGallery::kOriginE - 300.0, ViewGallery::kOriginN - 200.0};
    lines->ElementAt(0).End = tagXY{ViewGallery::kOriginE - 250.0, ViewGallery::kOriginN - 200.0};
    lines->Add(SailLineDef{});
    lines->Add(shortLine);
    lines->Add(next);
    CSailLineList sailLines;
    sailLines.Add(lines);
    view->SetSailLineList(&sailLines);
    ModalHook::AnswerMenu(2);
    picked = view->Click(Cursor(10, 0), true);
    ASSERT_EQ(view->m_PickedFeatures.GetSize(), 2);
    EXPECT_STREQ(view->m_PickedFeatures[0].MenuText, "Sail Line : Plan - SOL 3");
    EXPECT_STREQ(view->m_PickedFeatures[1].MenuText, "Sail Line : Plan - EOL 3");
    EXPECT_EQ(picked.SubIndex, 1);
    view->SetSailLineList(nullptr);

    // A boundary clicked inside, away from its vertices: the boundary whole; two vertices never.
    auto* square = new CBoundary;
    square->m_FilePath = "C:\\Bounds\\Zone.txt";
    for (const tagXY& p : {tagXY{-150, -150}, tagXY{150, -150}, tagXY{150, 150}, tagXY{-150, 150}})
        square->Add(tagXY{ViewGallery::kOriginE + p.x, ViewGallery::kOriginN + p.y});
    auto* pair = new CBoundary;
    pair->Add(tagXY{ViewGallery::kOriginE - 150.0, ViewGallery::kOriginN - 150.0});
    pair->Add(tagXY{ViewGallery::kOriginE + 150.0, ViewGallery::kOriginN + 150.0});
    CBoundaryList boundaries;
    boundaries.Add(pair);
    boundaries.Add(square);
    view->SetBoundaryList(&boundaries);
    picked = view->Click(Cursor(50, 0), true);
    EXPECT_EQ(picked.Type, FEATURE_BOUNDARY);
    EXPECT_EQ(picked.FileIndex, 1);
    EXPECT_EQ(picked.PointIndex, -1);
    EXPECT_EQ(view->Click(Cursor(300, 0), true).Type, FEATURE_NONE);
}

TEST_F(Picking, BearingLinesAndVesselPoints)
{
    EXPECT_EQ(view->PointOnEbl(Cursor(0, 0)), -1); // no list
    CEBLList ebls;
    auto* line = new CEBL;
    line->startX = ViewGallery::kOriginE - 200.0;
    line->startY = ViewGallery::kOriginN;
    line->endX = ViewGallery::kOriginE + 200.0;
    line->endY = ViewGallery::kOriginN;
    ebls.Add(line);
    view->SetEBL(&ebls);
    EXPECT_EQ(view->PointOnEbl(Cursor(0, 0, 0, 2)), 0);
    EXPECT_EQ(view->PointOnEbl(Cursor(0, 0, 0, 6)), -1);

    CBarge vessel;
    vessel.m_Heading = 0.0;
    TrackingPointDef antenna;
    antenna.Name = "DGPS";
    antenna.Y = 10.0;
    antenna.SetEnabled(true);
    vessel.m_Antennas.AddPoint(antenna);
    TrackingPointDef leg;
    leg.Name = "Leg 1";
    leg.SetEnabled(true);
    leg.Position = tagXY{ViewGallery::kOriginE + 200.0, ViewGallery::kOriginN + 200.0};
    vessel.m_Legs.AddPoint(leg);
    CGps gps;
    gps.Restart();
    gps.m_AntennaEasting = ViewGallery::kOriginE;
    gps.m_AntennaNorthing = ViewGallery::kOriginN + 10.0;
    CGpsArray receivers;
    receivers.Add(&gps);
    view->SetVessel(&vessel, &receivers);

    OFFSET_TYPE type = OFFSET_OFFSET;
    int index = -1;
    EXPECT_TRUE(view->PointOnVessel(Cursor(200, 200), &type, &index));
    EXPECT_EQ(type, OFFSET_LEG);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(view->PointOnVessel(Cursor(200, 200)));
    // The reference point (at the origin, 10 m behind the antenna) and the antenna are both
    // under the cursor: listed in that order; a dismissed menu gives false.
    ModalHook::AnswerMenu(0);
    EXPECT_FALSE(view->PointOnVessel(Cursor(0, 5), &type, &index));
    ASSERT_EQ(view->m_PickedFeatures.GetSize(), 2);
    EXPECT_STREQ(view->m_PickedFeatures[0].MenuText, "Vessel : Common Reference Point - GPS 1");
    EXPECT_STREQ(view->m_PickedFeatures[1].MenuText, "Vessel : Antenna - DGPS");
    ModalHook::AnswerMenu(2);
    EXPECT_TRUE(view->PointOnVessel(Cursor(0, 5), &type, &index));
    EXPECT_EQ(type, OFFSET_ANTENNA);
    EXPECT_FALSE(view->PointOnVessel(Cursor(-300, -200)));
}

// The pick against a host thread that changes the AIS list under its mutex: under the
// sanitizers too.
using PickingStress = Picking;

TEST_F(PickingStress, AisTargetsArePostedByIdentifierUnderTheMutex)
{
    CWinApp app{"PickingTest"};
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner());
    owner.SetAsMainWindow(true);
    CAis ais;
    AisTargetDef target;
    target.name = "n/a";
    target.id = "235000001";
    target.E = ViewGallery::kOriginE + 30.0;
    target.N = ViewGallery::kOriginN;
    const uint32_t key = ais.AddTarget(target);
    AisTargetDef other;
    other.name = "FAR";
    other.E = ViewGallery::kOriginE + 300.0;
    other.N = ViewGallery::kOriginN;
    other.selected = true;
    ais.AddTarget(other);
    CMutex mutex;
    view->SetMutex(&mutex);
    view->SetAis(&ais);

    // Another thread holds the mutex and puts a target in front: the pick waits for it.
    std::atomic<bool> held{false};
    std::thread host([&] {
        CSingleLock lock(&mutex, TRUE);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        AisTargetDef newcomer;
        newcomer.name = "NEW";
        newcomer.E = ViewGallery::kOriginE - 300.0;
        newcomer.N = ViewGallery::kOriginN - 200.0;
        ais.AddTarget(newcomer);
    });
    while (!held)
        std::this_thread::yield();
    const CFeature picked = view->Click(Cursor(0, 0), false);
    host.join();
    EXPECT_EQ(ais.GetCount(), 3);
    EXPECT_EQ(picked.Type, FEATURE_AIS_TARGET);
    EXPECT_STREQ(picked.Name, "235000001");
    EXPECT_EQ(picked.Item, key);
    ASSERT_NE(ais.FindTarget(picked.Item), nullptr);
    EXPECT_TRUE(ais.FindTarget(picked.Item)->selected);
    EXPECT_FALSE(ais.GetTarget(1)->selected);

    const std::vector<POSTED_MESSAGE> expected = {{"UM_AIS_TARGET_DATA", key, 0}};
    EXPECT_EQ(owner.Messages(), expected);
    // Removed before the host reads its message: the look-up finds nothing.
    EXPECT_TRUE(ais.RemoveTarget(key));
    EXPECT_EQ(ais.FindTarget(key), nullptr);
    // Left out on request.
    EXPECT_EQ(view->Click(Cursor(300, 0), true).Type, FEATURE_NONE);
    owner.SetAsMainWindow(false);
}
