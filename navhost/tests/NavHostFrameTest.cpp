// The host started on the demo drive as a user starts it: every list holds its demo files, the
// frame alone shows, every feature kind lies on the chart where its grid position puts it, the
// vessel's outline follows its receiver, and every docked pane shows its content.
#include "NavHostFixture.h"

#include "features/FeatureTypes.h"
#include "foundation/WindowMessages.h"
#include "navhost/NavHostResources.h"
#include "navhost/TargetQcFeed.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "platform/ui/CmdUI.h"
#include "outside/panes/PropertyGridButton.h"
#include "outside/panes/units/ToleranceProperty.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "testsupport/NmeaSentence.h"
#include "testsupport/PaneProbes.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace NavHostTest;

namespace
{
// "ddmm.mmmmm,N" and "dddmm.mmmmm,E" of radians.
std::string NmeaAngle(double radians, bool latitude)
{
    const double degrees = std::fabs(radians * 180.0 / M_PI);
    const int whole = static_cast<int>(degrees);
    char text[32];
    std::snprintf(text, sizeof text, latitude ? "%02d%08.5f,%c" : "%03d%08.5f,%c", whole, (degrees - whole) * 60.0,
                  latitude ? (radians >= 0 ? 'N' : 'S') : (radians >= 0 ? 'E' : 'W'));
    return text;
}
} // namespace

class NavHostFrameTest : public NavHostFixture
{
protected:
    // The chart held still over the whole site, 1:10000, north up.
    void HoldChartOverSite()
    {
        m_pView->SetTrackMode(TRACK_NONE);
        m_pView->SetNorthUp(true);
        m_pView->GetPlot()->scaleIndex = 16;
        m_pView->SetCentre(tagXY{500600.0, 6000000.0});
        Repaint();
    }

    // A fix of the vessel's receiver at a grid position, heading east at 9.7 knots.
    std::string FixAt(double e, double n, const char* time)
    {
        double latitude = 0.0, longitude = 0.0;
        EXPECT_TRUE(m_pFrame->m_Data.m_Projection.GridToGeographic(e, n, &latitude, &longitude));
        const std::string position = NmeaAngle(latitude, true) + "," + NmeaAngle(longitude, false);
        return NmeaSentence(std::string("GPGGA,") + time + "," + position + ",2,09,0.8,12.4,M,45.0,M,2.0,0137") +
               NmeaSentence(std::string("GPRMC,") + time + ",A," + position + ",9.7,90.0,101226,,,D");
    }
};

TEST_F(NavHostFrameTest, HoldsOneListOfEveryKindFilledFromTheDemoDrive)
{
    Start();
    const CHostData& d = m_pFrame->m_Data;
    for (INT_PTR i = 0; i < d.GetLoadProblems().GetSize(); ++i)
        ADD_FAILURE() << (LPCSTR)d.GetLoadProblems()[i];
    const struct
    {
        const char* what;
        INT_PTR count;
        INT_PTR expected;
    } lists[] = {
        {"boundaries", d.m_Boundaries.GetSize(), 1},
        {"waypoint files", d.m_Waypoints.GetSize(), 2},
        {"pipelines", d.m_Pipelines.GetSize(), 2},
        {"routes", d.m_Routes.GetSize(), 1},
        {"design routes", d.m_DesignRoutes.GetSize(), 1},
        {"sail-line files", d.m_SailLines.GetSize(), 1},
        {"route position lists", d.m_Rpls.GetSize(), 1},
        {"pipe route points", d.m_PipeRoute.GetSize(), 5},
        {"structure files", d.m_Structures.GetSize(), 1},
        {"structure shapes", d.m_Structures.m_Shapes.GetCount(), 2},
        {"digitised drawings", d.m_Digs.GetCount(), 1},
        {"DXF drawings", d.m_Dxfs.GetCount(), 1},
        {"shapefiles", d.m_ShapeFiles.GetSize(), 2},
        {"vessel antennas", d.m_Vessel.m_Antennas.GetSize(), 3},
        {"vessel receivers", const_cast<CHostData&>(d).GetVesselReceivers()->GetSize(), 3},
        {"vessel cranes", d.m_Vessel.m_Cranes.GetSize(), 2},
        {"vessel legs", d.m_Vessel.m_Legs.GetSize(), 3},
        {"template antennas", d.m_Template.m_Antennas.GetSize(), 3},
        {"template reflectors", d.m_Template.m_Reflectors.GetSize(), 2},
        {"wind turbines", d.m_WindFarms.m_Turbines.GetSize(), 6},
        {"GPX tracks", d.m_Gpx.m_Tracks.GetSize(), 1},
    };
    for (const auto& list : lists)
        EXPECT_EQ(list.count, list.expected) << list.what;
    EXPECT_NE(d.m_Dtm.m_pCells, nullptr) << "the terrain model's grid was built";
    EXPECT_GT(d.m_Digs.GetHead()->GetSize(), 20);
    EXPECT_EQ(d.m_Structures.GetAt(0)->GetSize(), 2);
    // The template stands at its drop point; the vessel's target is the same waypoint.
    EXPECT_TRUE(d.m_Template.m_bTargetValid);
    EXPECT_NEAR(d.m_Template.m_Position.x, 500560.0, 1e-6);
    EXPECT_NEAR(d.m_Template.m_Position.y, 6000150.0, 1e-6);
    EXPECT_TRUE(d.m_Vessel.m_bTargetValid);
    EXPECT_FALSE(d.m_Vessel.m_OutlineShape.IsEmpty());
    // The live input listens on the port of the settings.
    ASSERT_EQ(m_pFrame->m_Feed.GetInputs().GetSize(), 1);
    EXPECT_TRUE(m_pFrame->m_Feed.GetInputs()[0]->IsRunning());
}

TEST_F(NavHostFrameTest, ChartShowsEveryFeatureKindWhereItsGridPositionPutsIt)
{
    Start();
    HoldChartOverSite();
    const QImage image = Picture();
    QDir().mkpath(SUITE_VISUAL_DIR);
    image.save(QString(SUITE_VISUAL_DIR) + "/navhost_chart.png");
    ASSERT_GT(ChartRect().width(), 500);

    // A point of each feature where no other one lies near, and the colour the demo gives it.
    const struct
    {
        const char* feature;
        double e, n;
        QColor colour;
    } probes[] = {
        {"boundary", 499750, 5999900, QColor(255, 128, 0)},
        {"flowline", 500975, 6000065, QColor(255, 0, 255)},
        {"export pipeline", 500478.3, 6000050, QColor(0, 128, 255)},
        {"cable route", 500050, 6000315, QColor(255, 128, 192)},
        {"design route", 500100, 5999690, QColor(128, 255, 0)},
        {"route position list", 500925, 6000425, QColor(160, 96, 255)},
        {"sail line", 501250, 5999700, QColor(128, 128, 255)},
        {"survey mark", 500150, 6000380, QColor(0, 255, 255)},
        {"exclusion zone (shapefile)", 500050, 5999925, QColor(255, 0, 0)},
        {"500 m zone (DXF drawing)", 501128.99, 5999830.15, QColor(255, 0, 0)},
    };
    for (const auto& probe : probes)
        EXPECT_GT(PixelsNear(image, probe.e, probe.n, 3, Near(probe.colour)), 0) << probe.feature;
    // Drawn from their own records: the digitised scar, the platform's outline shape, the
    // template's hub, the guard-vessel GPX track.
    const auto drawn = [](QColor c) { return c.red() + c.green() + c.blue() > 150; };
    for (const auto& at : {std::make_pair(500120.0, 6000212.0), std::make_pair(501300.0, 6000300.0),
                           std::make_pair(500560.0, 6000150.0)})
        EXPECT_GT(PixelsNear(image, at.first, at.second, 4, drawn), 0) << at.first << ", " << at.second;
    // Open water between the features stays the chart's background.
    EXPECT_EQ(PixelsNear(image, 499300, 6000700, 4, drawn), 0);
    // The terrain reaches beyond the site (it covers the anchors' working area): its coverage
    // is drawn along its own edge.
    m_pView->SetCentre(tagXY{496700.0, 6000000.0});
    Repaint();
    EXPECT_GT(PixelsNear(Picture(), 496700, 6000000, 3, Near(QColor(0, 150, 150))), 0) << "terrain coverage";
}

TEST_F(NavHostFrameTest, VesselOutlineFollowsItsReceiverOverUdp)
{
    Start();
    HoldChartOverSite();
    CBarge& vessel = m_pFrame->m_Data.m_Vessel;
    ASSERT_TRUE(Feed(FixAt(500600, 5999650, "083000.00"), [&] { return vessel.HasHeading(); }));
    // Close in (1:2500) about the fix, so that the 60 m hull is some 90 pixels long.
    m_pView->GetPlot()->scaleIndex = 13;
    m_pView->SetCentre(tagXY{500600.0, 5999650.0});
    Repaint();
    // Heading east: the bow 45 m east of the reference point, the stern 15 m west of it.
    EXPECT_NEAR(vessel.m_Heading, 90.0, 0.5);
    const double crpE = vessel.m_Position.x, crpN = vessel.m_Position.y;
    EXPECT_NEAR(crpE, 500600 - 20.0, 0.5) << "the antenna is 20 m forward of the reference point";
    EXPECT_NEAR(crpN, 5999650 + 2.0, 0.5) << "and 2 m to starboard";
    const QImage image = Picture();
    image.save(QString(SUITE_VISUAL_DIR) + "/navhost_vessel.png");
    const auto white = Near(QColor(255, 255, 255), 12);
    EXPECT_GT(PixelsNear(image, crpE + 44.0, crpN, 3, white), 0) << "the bow";
    EXPECT_GT(PixelsNear(image, crpE - 15.0, crpN + 8.0, 3, white), 0) << "the stern's corner";

    // Ten more seconds east: the outline moves with the receiver and the trail grows.
    for (int t = 1; t <= 10; ++t)
    {
        char time[16];
        std::snprintf(time, sizeof time, "0830%02d.00", t);
        const double e = 500600 + 5.0 * t;
        ASSERT_TRUE(Feed(FixAt(e, 5999650, time), [&] { return std::fabs(vessel.m_Position.x - (e - 20.0)) < 0.5; }))
            << t;
    }
    Repaint();
    EXPECT_EQ(vessel.m_Trail.GetSize(), 11);
    const QImage moved = Picture();
    EXPECT_GT(PixelsNear(moved, crpE + 50.0 + 44.0, crpN, 3, white), 0) << "the bow, 50 m further east";
}

// The host's once-a-second keeping of the Survey panes' fields: the vessel's further antennas
// report where its heading puts them, the GPS heading follows, and when the primary receiver
// falls silent the next one positions the vessel, in the host's own pane too.
TEST_F(NavHostFrameTest, SurveyFieldsFollowTheVesselOnceASecond)
{
    Start();
    CBarge& vessel = m_pFrame->m_Data.m_Vessel;
    ASSERT_TRUE(Feed(FixAt(500600, 5999650, "083000.00"), [&] { return vessel.HasHeading(); }));
    m_pFrame->m_SurveyDemo.Update(1.0);
    m_pFrame->m_wndVesselSummaryPane.Update();
    CGpsArray& receivers = *m_pFrame->m_Data.GetVesselReceivers();
    ASSERT_EQ(vessel.m_pGpsList, &receivers);
    ASSERT_EQ(receivers.GetSize(), 3);
    // Heading east, DGPS 2 stands 10 m aft and 6 m to port of the reference point.
    EXPECT_NEAR(receivers[1]->m_AntennaEasting, vessel.m_Position.x - 10.0, 0.01);
    EXPECT_NEAR(receivers[1]->m_AntennaNorthing, vessel.m_Position.y + 6.0, 0.01);
    EXPECT_NEAR(vessel.m_GpsHeading, vessel.m_Heading, 0.01);

    CMFCPropertyGridProperty* rows = m_pFrame->m_wndVesselSummaryPane.GetPropertyGrid().GetProperty(0);
    ASSERT_NE(rows, nullptr);
    auto row = [rows](const char* name) {
        for (int i = 0; i < rows->GetSubItemsCount(); ++i)
            if (std::string(rows->GetSubItem(i)->GetName()) == name)
                return std::string(rows->GetSubItem(i)->FormatProperty());
        return std::string("(no row)");
    };
    EXPECT_EQ(row("Tracking Point"), "CRP - DGPS 1");
    EXPECT_EQ(row("Primary GPS"), "DGPS 1");

    // The primary receiver falls silent: the vessel is positioned by the next one in use.
    receivers[0]->m_StartTime -= receivers[0]->m_Limit + 1.0;
    m_pFrame->m_wndVesselSummaryPane.Update();
    EXPECT_EQ(row("Primary GPS"), "DGPS 2");
    EXPECT_EQ(receivers[0]->m_FixMode, 0);
    EXPECT_EQ(receivers[0]->m_SatellitesUsed, 0);
    if (!m_pFrame->m_wndVesselSummaryPane.IsVisible())
    {
        EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_VESSEL_SUMMARY_PANE));
    }
    PumpFor(60);
    FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, {{"Vessel Summary", &m_pFrame->m_wndVesselSummaryPane}});
}

TEST_F(NavHostFrameTest, TheTransponderPickStaysAsTheSecondsPass)
{
    Start();
    CUsblPane& usbl = m_pFrame->m_wndUsblPane;
    EXPECT_EQ(m_pFrame->m_wndTssPane.GetBarCount(), 3);
    ASSERT_EQ(usbl.GetGroupCount(), CHostRecords::TRANSPONDERS);
    EXPECT_EQ(std::string(usbl.GetButton(0)->GetText()), "ACTIVE");
    if (!usbl.IsVisible())
    {
        EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_USBL_PANE));
    }
    PumpFor(60);
    ASSERT_TRUE(ClickGridValue(usbl.GetPropertyGrid(), usbl.GetButton(1), 10));
    EXPECT_EQ(std::string(m_pFrame->m_Records.m_Usbl.m_ActiveTransponder), "TP2");
    // The next second's records keep the user's pick.
    PumpFor(1200);
    EXPECT_EQ(std::string(m_pFrame->m_Records.m_Usbl.m_ActiveTransponder), "TP2");
    EXPECT_EQ(std::string(usbl.GetButton(1)->GetText()), "ACTIVE");
    EXPECT_EQ(std::string(usbl.GetButton(0)->GetText()), "Monitor");
}

// The vessel navigation pane once a second: the primary receiver marked, and in the last
// seconds of each minute the vessel's last receiver silent, marked and without its fix; the
// crane tips beside it, one group per crane.
TEST_F(NavHostFrameTest, VesselNavigationShowsASilentReceiverEachMinute)
{
    Start();
    CBarge& vessel = m_pFrame->m_Data.m_Vessel;
    ASSERT_TRUE(Feed(FixAt(500600, 5999650, "083000.00"), [&] { return vessel.HasHeading(); }));
    CGeneralSurveyPane& pane = m_pFrame->m_wndVesselNavigationPane;
    CVesselNavigationFeed& feed = m_pFrame->m_VesselNavigationFeed;
    ASSERT_EQ(pane.GetGpsGroupCount(), 3);
    ASSERT_EQ(feed.SilentReceiver(), 2);
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    auto group = [&](int i) { return dynamic_cast<CMFCGroupPropertyGridProperty*>(grid.GetProperty(pane.GetFirstGpsPosition() + i)); };

    m_pFrame->m_SurveyDemo.Update(1.0);
    feed.Update(1.0, pane, m_pFrame->m_wndCraneTipPane);
    EXPECT_EQ(std::string(group(0)->GetName()), "DGPS 1 PRIMARY");
    EXPECT_FALSE(group(2)->IsTimedOut());

    ASSERT_TRUE(CVesselNavigationFeed::IsSilentMoment(55.0));
    m_pFrame->m_SurveyDemo.Update(55.0);
    feed.Update(55.0, pane, m_pFrame->m_wndCraneTipPane);
    EXPECT_TRUE(group(2)->IsTimedOut());
    EXPECT_FALSE(group(2)->IsHighlighted());
    EXPECT_EQ(m_pFrame->m_Data.GetVesselReceivers()->GetAt(2)->m_FixMode, 0);
    auto* fix = dynamic_cast<CMFCPropertyGridDualDisplay*>(group(2)->GetSubItem(CMFCGpsGroupGridProperty::ROW_HEIGHT_FIX));
    ASSERT_NE(fix, nullptr);
    EXPECT_GE(fix->GetValueText(2).Find("No Fix"), 0);
    EXPECT_FALSE(group(0)->IsTimedOut());

    EXPECT_EQ(GridGroupNames(m_pFrame->m_wndCraneTipPane.GetPropertyGrid()), (std::vector<std::string>{"Crane 1", "Crane 2"}));
}

// The job read from the demo's "JOB" at start is what the project pane shows; the template's
// tracking point wanders across its 8 m box, and the QC pane judges it out and back in.
TEST_F(NavHostFrameTest, ProjectAndTemplateQcPanesFollowTheHost)
{
    Start();
    EXPECT_EQ(m_pFrame->m_Records.m_Job.m_ReportId, CString("DS-042-R1"));
    CMyMFCPropertyGridCtrl& project = m_pFrame->m_wndProjectPane.GetPropertyGrid();
    EXPECT_EQ(SeeGridItem(project, FindGridItem(project, CProjectPane::ROW_REPORT_ID)).value, "DS-042-R1");
    EXPECT_EQ(SeeGridItem(project, FindGridItem(project, CProjectPane::ROW_CLIENT_REP)).value, "A. Client");

    CTemplate& object = m_pFrame->m_Data.m_Template;
    CTargetQCPane& pane = m_pFrame->m_wndTargetQcPane;
    ASSERT_TRUE(object.m_bTargetValid);
    ASSERT_TRUE(object.m_PlotOptions.ShapeBox);
    EXPECT_FALSE(pane.HasGyro());
    // The row is a tolerance item by the pane's own layout.
    auto* x = static_cast<CMFCPropertyGridTolerance*>(pane.GetGroup(CTargetQCPane::GROUP_TOLERANCE)->GetSubItem(1));
    ASSERT_NE(x, nullptr);
    // A quarter of the way round its two-minute swing the point is 10 m across the heading.
    CTargetQcFeed::Update(30.0, object, pane);
    EXPECT_NEAR(object.m_PositionX, CTargetQcFeed::ACROSS_METRES, 1e-9);
    EXPECT_NEAR(object.m_TargetRange, std::hypot(object.m_PositionX, object.m_PositionY), 1e-9);
    EXPECT_NEAR(std::hypot(object.m_TrkPtPosition.x - object.m_TargetWaypoint.Easting,
                           object.m_TrkPtPosition.y - object.m_TargetWaypoint.Northing),
                object.m_TargetRange, 1e-9);
    EXPECT_FALSE(x->IsWithin());
    CTargetQcFeed::Update(60.0, object, pane);
    EXPECT_TRUE(x->IsWithin());
    EXPECT_EQ(SeeGridItem(pane.GetPropertyGrid(), pane.GetGroup(0)->GetSubItem(0)).value.toStdString(),
              std::string(object.GetTrackingPointName()));
}

// The leg pinning pane once a second over the vessel: its target from the demo's waypoint, the
// legs in use where the last fix put them, and the receiver the navigation feed silences.
TEST_F(NavHostFrameTest, LegPinningFollowsTheVesselAndItsTarget)
{
    Start();
    CBarge& vessel = m_pFrame->m_Data.m_Vessel;
    ASSERT_TRUE(Feed(FixAt(500600, 5999650, "083000.00"), [&] { return vessel.HasHeading(); }));
    CLegPinningPane& pane = m_pFrame->m_wndLegPinningPane;
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_EQ(pane.GetGpsGroupCount(), 3);
    m_pFrame->m_SurveyDemo.Update(55.0);
    m_pFrame->m_VesselNavigationFeed.Update(55.0, m_pFrame->m_wndVesselNavigationPane, m_pFrame->m_wndCraneTipPane);
    m_pFrame->m_LegPinningFeed.Update(m_pFrame->m_VesselNavigationFeed.SilentAt(55.0), pane);
    // Before the frame's own next second can report the receiver again.
    EXPECT_TRUE(dynamic_cast<CMFCGroupPropertyGridProperty*>(grid.GetProperty(pane.GetFirstGpsPosition() + 2))->IsTimedOut());
    PumpFor(60);

    auto rows = [&](int position) {
        std::vector<std::string> seen;
        CMFCPropertyGridProperty* group = grid.GetProperty(position);
        for (int i = 0; i < group->GetSubItemsCount(); ++i)
            seen.push_back(SeeGridItem(grid, group->GetSubItem(i)).value.trimmed().toStdString());
        return seen;
    };
    const std::vector<std::string> target = rows(pane.GetTargetPosition());
    ASSERT_EQ(target.size(), 4u);
    EXPECT_EQ(target[0], "Demo Survey Marks");
    EXPECT_EQ(target[1], "Template Drop");
    // The legs in use, the one not in use left out, each where the vessel's fix put it.
    const std::vector<std::string> legs = rows(pane.GetLegsPosition());
    ASSERT_EQ(legs.size(), 6u);
    EXPECT_EQ(legs[0], "Leg PS");
    EXPECT_EQ(legs[3], "Leg SB");
    char easting[32];
    std::snprintf(easting, sizeof easting, "%10.2lfE", vessel.m_Legs.GetPoint(1)->Position.x);
    EXPECT_EQ(legs[4], std::string(easting).substr(std::string(easting).find_first_not_of(' ')));
}

TEST_F(NavHostFrameTest, FrameAloneShowsAndEveryDockedPaneShowsItsContent)
{
    Start();
    std::vector<std::pair<std::string, CDockablePane*>> panes = {
        {"Waypoints", &m_pFrame->m_wndWaypointPane},   {"Boundaries", &m_pFrame->m_wndBoundaryPane},
        {"Pipelines", &m_pFrame->m_wndPipelinePane},   {"Routes", &m_pFrame->m_wndRoutePane},
        {"Sail Lines", &m_pFrame->m_wndSailLinePane},  {"RPL", &m_pFrame->m_wndRplPane},
        {"Pipe Route", &m_pFrame->m_wndPipeRoutePane}, {"Structures", &m_pFrame->m_wndStructurePane},
        {"DTM", &m_pFrame->m_wndDtmPane},              {"Digitised Data", &m_pFrame->m_wndDigPane},
        {"DXF", &m_pFrame->m_wndDxfPane},              {"Vessel Target", &m_pFrame->m_wndVesselTargetPane},
        {"Template Target", &m_pFrame->m_wndTemplateTargetPane},
        {"Vessel Summary", &m_pFrame->m_wndVesselSummaryPane},
        {"Device Groups", &m_pFrame->m_wndDeviceGroupsPane},
        {"Training", &m_pFrame->m_wndTrainingPane},
        {"Vessel Navigation", &m_pFrame->m_wndVesselNavigationPane},
        {"Crane Tip Monitoring", &m_pFrame->m_wndCraneTipPane},
        {"Template Positioning", &m_pFrame->m_wndTemplatePositioningPane},
        {"Template QC", &m_pFrame->m_wndTargetQcPane},
        {"Project Details", &m_pFrame->m_wndProjectPane},
        {"Leg Pinning", &m_pFrame->m_wndLegPinningPane},
        {"Target Plot", &m_pFrame->m_wndTargetPlotPane}, {"Depth Graph", &m_pFrame->m_wndDepthGraphPane},
        {"Bathy Data", &m_pFrame->m_wndBathyPane},     {"Bathy Unit Graph", &m_pFrame->m_wndBathyUnitPane},
        {"Pipe Tracker", &m_pFrame->m_wndPipeTrackerPane},
        {"Scanning Profiler", &m_pFrame->m_wndScanningProfilerPane},
        {"TSS Pipe/Cable Tracker", &m_pFrame->m_wndTssPane},
        {"Ultra Short Baseline", &m_pFrame->m_wndUsblPane},
        // The chart pane shares the terrain's tabs: last of them, so that it stays in front.
        {"Chart Pane", &m_pFrame->m_wndChartPane},
        {"MRU", &m_pFrame->m_wndMruPane},
        {"Tilt Bubble", &m_pFrame->m_wndBubblePane},
    };
    m_pFrame->m_wndLogPane.Log("a line for the log to show");
    panes.emplace_back("Message Log", &m_pFrame->m_wndLogPane);
    panes.emplace_back("Speed of Sound in Water", &m_pFrame->m_wndSoundSpeedPane);
    for (const auto& [name, pane] : panes)
    {
        // The View menu brings the pane forward: a pane behind another's tab counts as hidden.
        const UINT id = static_cast<UINT>(pane->GetDlgCtrlID());
        if (!pane->IsVisible())
        {
            EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, id)) << name;
        }
        PumpFor(60);
        EXPECT_TRUE(pane->IsVisible()) << name;
        EXPECT_TRUE(AfxGetMenuItemState(m_pFrame, id) & MF_CHECKED) << name;
        FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, {{name, pane}}, {},
                                            QString(SUITE_VISUAL_DIR) + "/navhost_pane_" + QString::number(id) + ".png");
    }
    // The feature table, the document window beside the chart, tables the design route.
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_FEATURE_TABLE_PANE));
    PumpFor(60);
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_pFrame->GetFeatureTableFrame());
    CFeatureView* table = m_pFrame->GetFeatureView();
    ASSERT_NE(table, nullptr);
    EXPECT_GE(table->GetListCtrl().GetItemCount(), 4);
    EXPECT_GT(FrameProbe::ContentPixels(Picture(), FrameProbe::PaneRect(table)), 500);
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_FEATURE_TABLE_PANE));
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_pFrame->GetChartFrame());

    // The chart pane's view is fed as the document window's is: it paints the same site.
    CGridView* paneView = m_pFrame->m_wndChartPane.GetView();
    ASSERT_NE(paneView, nullptr);
    EXPECT_EQ(paneView->m_pMutex, &m_pFrame->m_Data.m_Mutex);
    EXPECT_EQ(paneView->m_pPipelineList, &m_pFrame->m_Data.m_Pipelines);
    EXPECT_GT(FrameProbe::ContentPixels(Picture(), FrameProbe::PaneRect(paneView)), 1000);
}
