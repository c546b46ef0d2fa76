// The bathy panes docked in the test host as a host docks them: the grid pane's two read-only
// values and their valid flags, its silence switched once per change, what the user reads in
// the frame by day and night; the bathy-unit graph's modes fixed over its settings file and the
// samples each combination of the unit's valid flags adds, or the profiler's head 1 gives.
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"
#include "rov/BathyPane.h"
#include "rov/BathyUnitPane.h"
#include "rov/RovLibrary.h"
#include "rov/ScrollingAreaGraph.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <vector>

namespace
{
struct BathyPaneFixture : ::testing::Test
{
    CWinApp app{"BathyPaneTest"};
    CTestHost host;
    CBathyPane pane;
    CBathyUnit& unit = host.m_Records.m_BathyUnit;

    void SetUp() override
    {
        ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
        unit.m_DepthValid = unit.m_AltitudeValid = true;
        unit.m_Depth = 20.0;
        unit.m_Altitude = 3.0;
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(host.Dock(pane, 4321, &unit));
    }
    void TearDown() override { RovLibraryEntry(DLL_PROCESS_DETACH); }

    std::string Text(CMFCPropertyGridDouble* item) { return std::string(item->FormatProperty()); }
};

TEST_F(BathyPaneFixture, ShowsAltitudeAndDepthAsReadOnlyMetres)
{
    EXPECT_EQ(std::string(pane.m_strTitle), "Bathy Data (Depth & Altitude)");
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_EQ(grid.GetDlgCtrlID(), 2);
    EXPECT_EQ(grid.GetColourScheme(), CRovGridPane::NORMAL_SCHEME);
    ASSERT_EQ(grid.GetPropertyCount(), 1);
    CMFCPropertyGridProperty* group = grid.GetProperty(0);
    EXPECT_EQ(std::string(group->GetName()), "Bathy");
    ASSERT_EQ(group->GetSubItemsCount(), 2);
    EXPECT_EQ(std::string(group->GetSubItem(0)->GetName()), "Altitude");
    EXPECT_EQ(std::string(group->GetSubItem(1)->GetName()), "Depth");

    EXPECT_EQ(Text(pane.GetDepthItem()), "  20.00m");
    EXPECT_EQ(Text(pane.GetAltitudeItem()), "   3.00m");
    unit.m_Depth = 1234.567;
    host.Update(pane);
    EXPECT_EQ(Text(pane.GetDepthItem()), "1234.57m");
    for (CMFCPropertyGridDouble* item : {pane.GetAltitudeItem(), pane.GetDepthItem()})
    {
        EXPECT_FALSE(item->IsAllowEdit());
        EXPECT_FALSE(item->OnEdit(nullptr)) << "no editor opens";
    }
}

TEST_F(BathyPaneFixture, AValueWithoutItsValidFlagShowsEmpty)
{
    struct Case
    {
        bool depthValid, altitudeValid;
        const char* depth;
        const char* altitude;
    };
    const Case cases[] = {{true, true, "  20.00m", "   3.00m"},
                          {false, true, "", "   3.00m"},
                          {true, false, "  20.00m", ""},
                          {false, false, "", ""},
                          {true, true, "  20.00m", "   3.00m"}};
    for (const Case& c : cases)
    {
        unit.m_DepthValid = c.depthValid;
        unit.m_AltitudeValid = c.altitudeValid;
        host.Update(pane);
        EXPECT_EQ(Text(pane.GetDepthItem()), c.depth) << c.depthValid << c.altitudeValid;
        EXPECT_EQ(Text(pane.GetAltitudeItem()), c.altitude) << c.depthValid << c.altitudeValid;
    }
    // A rebuilt grid starts as the unit stands.
    unit.m_DepthValid = false;
    pane.InitPropList();
    EXPECT_EQ(Text(pane.GetDepthItem()), "");
}

TEST_F(BathyPaneFixture, SilenceSwitchesTheSchemeOncePerChange)
{
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    host.Timeout(pane, true);
    EXPECT_EQ(grid.GetColourScheme(), CRovGridPane::TIMEOUT_SCHEME);
    // What the grid holds now stays while the flag does not change.
    grid.SetColourScheme(3);
    host.Timeout(pane, true);
    EXPECT_EQ(grid.GetColourScheme(), 3);
    host.Timeout(pane, false);
    EXPECT_EQ(grid.GetColourScheme(), CRovGridPane::NORMAL_SCHEME);
}

TEST_F(BathyPaneFixture, TheFrameShowsBothRowsByDayAndNight)
{
    QDir().mkpath(SUITE_VISUAL_DIR);
    for (bool night : {false, true})
    {
        if (night)
            host.Night(pane);
        else
            host.Day(pane);
        EXPECT_EQ(pane.GetNightMode(), night);
        FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Bathy", &pane}}, {},
                                            QString(SUITE_VISUAL_DIR) + (night ? "/bathy_night.png" : "/bathy_day.png"));
        const FrameProbe::GridRowsSeen seen = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&host), &pane);
        EXPECT_EQ(seen.wholeRows, 3) << "the group and its two rows";
        EXPECT_TRUE(seen.cutNames.empty());
    }
}

TEST(BathyPane, WithoutARecordTheRowsStayEmpty)
{
    CWinApp app{"BathyPaneNull"};
    ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
    CTestHost host;
    ASSERT_TRUE(host.CreateHost());
    {
        CBathyPane pane;
        ASSERT_TRUE(host.Dock(pane, 4322, static_cast<CBathyUnit*>(nullptr)));
        host.Update(pane);
        EXPECT_EQ(std::string(pane.GetDepthItem()->FormatProperty()), "");
    }
    CBathyPane never;
    never.Update();
    never.SetTimeout(true);
    EXPECT_FALSE(never.IsTimedOut());
    EXPECT_EQ(never.GetDepthItem(), nullptr);
    RovLibraryEntry(DLL_PROCESS_DETACH);
}

// ---- The bathy unit's graph ----

const char kGraphName[] = "Bathy Graph";

struct BathyUnitPaneFixture : ::testing::Test
{
    CWinApp app{"BathyUnitPaneTest"};
    CTestHost host;
    CBathyUnitPane pane;
    CBathyUnit& unit = host.m_Records.m_BathyUnit;

    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    CScrollingAreaGraph& Graph() { return *pane.GetGraph(); }
    // The newest sample of each trace, with the names the graph holds.
    struct Sample
    {
        std::string name1;
        double value1;
        std::string name2;
        double value2;
        bool operator==(const Sample& o) const
        {
            return name1 == o.name1 && value1 == o.value1 && name2 == o.name2 && value2 == o.value2;
        }
    };
    Sample Newest()
    {
        CScrollingAreaGraph& g = Graph();
        return {std::string(g.m_strTrace1), g.m_Trace1[0], std::string(g.m_strTrace2), g.m_Trace2[0]};
    }
};

std::ostream& operator<<(std::ostream& out, const BathyUnitPaneFixture::Sample& s)
{
    return out << s.name1 << " " << s.value1 << ", " << s.name2 << " " << s.value2;
}

TEST_F(BathyUnitPaneFixture, TheGraphsModesAreFixedWhateverItsSettingsFileSays)
{
    // A settings file left with every mode the other way.
    {
        CScrollingAreaGraph saved;
        saved.m_strName = kGraphName;
        saved.m_bEchoSounderMode = false;
        saved.m_bDepthOfBurialMode = true;
        saved.m_bDepthPlusAltitude = false;
        saved.m_bTraceMode = true;
        saved.SaveSettings();
    }
    ASSERT_TRUE(host.Dock(pane, kGraphName, 4331, &unit));
    CScrollingAreaGraph& g = Graph();
    EXPECT_TRUE(g.m_bTraceMode) << "the file's own choice stays";
    EXPECT_FALSE(g.m_bSingleTrace);
    EXPECT_TRUE(g.m_bFixedMode);
    EXPECT_TRUE(g.m_bEchoSounderMode);
    EXPECT_FALSE(g.m_bDepthOfBurialMode);
    EXPECT_TRUE(g.m_bDepthPlusAltitude);
}

TEST_F(BathyUnitPaneFixture, TheUnitsValidFlagsDecideTheSample)
{
    ASSERT_TRUE(host.Dock(pane, kGraphName, 4332, &unit));
    unit.m_Depth = 20.0;
    unit.m_Altitude = 3.0;
    struct Case
    {
        bool depthValid, altitudeValid;
        bool added;
        Sample sample; // trace 2 holds depth + altitude
    };
    const double none = SCROLLING_GRAPH_NO_VALUE;
    const Case cases[] = {
        {true, true, true, {"Depth", 20.0, "Altitude", 23.0}},
        {true, false, true, {"Depth", 20.0, "Trace 2", none}},
        {false, true, true, {"Altitude", 3.0, "Trace 2", none}},
        {false, false, false, {}},
    };
    for (const Case& c : cases)
    {
        unit.m_DepthValid = c.depthValid;
        unit.m_AltitudeValid = c.altitudeValid;
        const INT_PTR before = Graph().m_Trace1.GetSize();
        host.Update(pane);
        ASSERT_EQ(Graph().m_Trace1.GetSize(), before + (c.added ? 1 : 0)) << c.depthValid << c.altitudeValid;
        if (c.added)
        {
            EXPECT_EQ(Newest(), c.sample) << c.depthValid << c.altitudeValid;
        }
    }
}

TEST_F(BathyUnitPaneFixture, DepthAndAltitudeShowAsTheUserReadsThem)
{
    ASSERT_TRUE(host.Dock(pane, kGraphName, 4333, &unit));
    unit.m_DepthValid = unit.m_AltitudeValid = true;
    unit.m_Depth = 20.0;
    unit.m_Altitude = 3.0;
    host.Update(pane);
    EXPECT_EQ(Graph().m_Trace1[0], 20.0);
    EXPECT_EQ(Graph().m_Trace2[0], 23.0);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{kGraphName, &pane}}, {}, QString(SUITE_VISUAL_DIR) + "/bathy_unit.png");
    EXPECT_EQ(std::string(Graph().ValueText(0)), "Depth 20.0");
    EXPECT_EQ(std::string(Graph().ValueText(1)), "Altitude 3.0");

    unit.m_DepthValid = false;
    host.Update(pane);
    Graph().Invalidate();
    Pump();
    FrameProbe::GrabWindow(&host);
    EXPECT_EQ(std::string(Graph().ValueText(0)), "Altitude 3.0");
    EXPECT_EQ(std::string(Graph().ValueText(1)), "") << "one trace only";
}

TEST_F(BathyUnitPaneFixture, AProfilerFeedsHead1AsItStands)
{
    CTritech* heads = host.m_Records.m_Tritech;
    heads[0].m_Depth = 85.5;
    heads[0].m_Altitude = 2.5;
    heads[1].m_Depth = 99.0;
    ASSERT_TRUE(host.Dock(pane, kGraphName, 4334, heads));
    host.Update(pane);
    EXPECT_EQ(Newest(), (Sample{"Depth", 85.5, "Altitude", 88.0}));
    // The bathy unit's flags play no part.
    unit.m_DepthValid = unit.m_AltitudeValid = false;
    host.Update(pane);
    EXPECT_EQ(Graph().m_Trace1.GetSize(), 2);
}

TEST_F(BathyUnitPaneFixture, WithoutARecordUpdatesAreIgnored)
{
    ASSERT_TRUE(host.Dock(pane, kGraphName, 4335, static_cast<CBathyUnit*>(nullptr)));
    host.Update(pane);
    EXPECT_EQ(Graph().m_Trace1.GetSize(), 0);
    CBathyUnitPane never;
    never.Update();
    EXPECT_EQ(never.GetGraph(), nullptr);
}
} // namespace
