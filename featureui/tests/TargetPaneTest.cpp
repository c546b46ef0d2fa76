// The target pane inside a host frame: its tabs and grids, the tint of the active grid by day
// and night, a tab clicked by the user, and the Sail Line tab's edits with the vessel file they
// leave behind.
#include "featureui/panes/TargetPane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/Barge.h"
#include "features/GridWaypoint.h"
#include "features/GridWaypointList.h"
#include "features/SailLine.h"
#include "features/SailLineList.h"
#include "features/Template.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "platform/core/WinApp.h"
#include "platform/ui/WinAppEx.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace FrameProbe;
using namespace UserInput;

namespace
{
const Messages kRedrawPair{kRedraw, kRedrawVector};
const char* const kVesselFile = "C:\\MyData\\Vessel\\Barge 7.VSL";

CSailLine* SailLineFile(const char* path, const std::vector<std::pair<tagXY, tagXY>>& lines)
{
    auto* file = new CSailLine;
    file->m_FilePath = path;
    for (const auto& ends : lines)
    {
        SailLineDef line{};
        line.Start = ends.first;
        line.End = ends.second;
        line.Leg.Length = std::hypot(line.End.x - line.Start.x, line.End.y - line.Start.y);
        file->Add(line);
    }
    return file;
}

Strings TabLabels(const CMFCTabCtrl& tabs)
{
    Strings labels;
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
    {
        CString label;
        tabs.GetTabLabel(i, label);
        labels.emplace_back(label);
    }
    return labels;
}

std::vector<int> GridIds(const CMFCTabCtrl& tabs)
{
    std::vector<int> ids;
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
        ids.push_back(tabs.GetTabWnd(i)->GetDlgCtrlID());
    return ids;
}

COLORREF Background(const CMyMFCPropertyGridCtrl& grid)
{
    COLORREF c[7];
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c[0];
}

Strings Options(const CMFCPropertyGridProperty* item)
{
    Strings options;
    for (int i = 0; i < item->GetOptionCount(); ++i)
        options.emplace_back(item->GetOption(i));
    return options;
}

CGridWaypoint* WaypointFile(const char* path, std::initializer_list<GridWaypointDef> points)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = path;
    for (const GridWaypointDef& p : points)
        file->Add(p);
    return file;
}

TrackingPointDef Point(const char* name, double x, double y)
{
    TrackingPointDef p;
    p.Name = name;
    p.X = x;
    p.Y = y;
    return p;
}

struct TargetPaneFixture : ::testing::Test
{
    CWinApp app{"TargetPaneTest"};
    CRecordingOwner owner;
    CSailLineList lines;
    CGridWaypointList waypoints;
    CBarge barge;
    CTargetPane pane;

    void SetUp() override
    {
        waypoints.Add(WaypointFile("C:\\Points\\field.txt", {{1000, 2000, 0, "WP1", 0}, {1100, 2100, 0, "WP2", 0}}));
        waypoints.Add(WaypointFile("C:\\Points\\spare.txt", {{5000, 6000, 0, "S1", 0}}));
        barge.m_pWaypointList = &waypoints;
        barge.SetTargetWaypoint(0, 0);
        barge.m_Antennas.AddPoint(Point("GPS 1", 2, 3));
        barge.m_Antennas.AddPoint(Point("GPS 2", -4, 1));
        lines.Add(SailLineFile("C:\\Lines\\east.csv", {{{1000, 2000}, {2000, 2000}}}));
        lines.Add(SailLineFile("C:\\Lines\\grid.csv",
                               {{{0, 0}, {0, 500}}, {{100, 0}, {100, 300}}, {{200, 0}, {200, 100}}}));
        barge.m_Name = "Barge 7";
        barge.m_pSailLineList = &lines;
        barge.SetTargetSailLine(0, 0);
        ASSERT_TRUE(owner.CreateOwner());
        ASSERT_TRUE(pane.Create(&owner, 33200, &barge));
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    CMyMFCPropertyGridCtrl& SailGrid() { return pane.GetTabs().m_wndSailLinePropList; }
    CMyMFCPropertyGridCtrl& TargetGrid() { return pane.GetTabs().m_wndTargetPropList; }
    CMyMFCPropertyGridCtrl& ShadowGrid() { return pane.GetTabs().m_wndShadowPropList; }

    // The item's value changed as the grid reports a user's edit; what the host heard.
    Messages Change(DWORD_PTR id, const COleVariant& value) { return ChangeIn(SailGrid(), id, value); }
    Messages ChangeIn(CMyMFCPropertyGridCtrl& grid, DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(grid, id, value));
        Pump();
        return owner.Messages();
    }
    // Item `item` of group `group` of the grid, as a double.
    static double Value(CMyMFCPropertyGridCtrl& grid, int group, int item)
    {
        return grid.GetProperty(group)->GetSubItem(item)->GetValue().dblVal;
    }

    // The vessel as its file holds it now.
    std::unique_ptr<CBarge> ReadBack()
    {
        auto read = std::make_unique<CBarge>();
        read->m_Name = barge.m_Name;
        read->m_pSailLineList = &lines;
        EXPECT_TRUE(read->Load());
        return read;
    }
};
} // namespace

TEST_F(TargetPaneFixture, VesselAndTemplateTabsInOrderWithTheirGridIds)
{
    EXPECT_EQ(pane.GetTitle(), "TARGET for Vessel");
    CMFCTargetTabCtrl& tabs = pane.GetTabs();
    EXPECT_EQ(TabLabels(tabs), (Strings{"Sail Line", "Target", "Shadow"}));
    EXPECT_EQ(GridIds(tabs), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(tabs.GetActiveTab(), 0);
    EXPECT_EQ(GridGroupNames(SailGrid()), (Strings{"Sail Line", "Co-ordinates", "Parameters", "Active Line"}));

    CTemplate tpl;
    tpl.m_Name = "Manifold";
    CTargetPane templatePane;
    ASSERT_TRUE(templatePane.Create(&owner, 33201, &tpl));
    EXPECT_EQ(templatePane.GetTitle(), "TARGET for Template");
    EXPECT_EQ(TabLabels(templatePane.GetTabs()), (Strings{"Target", "Shadow"}));
    EXPECT_EQ(GridIds(templatePane.GetTabs()), (std::vector<int>{2, 3}));
    EXPECT_EQ(templatePane.GetTabs().m_wndSailLinePropList.GetSafeHwnd(), nullptr);
    // No sail-line tab: nothing to refresh and nothing touched.
    templatePane.UpdateSailLine();
    EXPECT_EQ(templatePane.GetTabs().m_wndSailLinePropList.GetSafeHwnd(), nullptr);
}

TEST_F(TargetPaneFixture, PlainTabControlPassesGridChangesToItsOwner)
{
    CMyMFCTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(CMFCTabCtrl::STYLE_3D_ONENOTE, CRect(0, 0, 100, 100), &owner, 5, CMFCTabCtrl::LOCATION_TOP));
    const POSTED_MESSAGE changed{RegisteredMessageName(AFX_WM_PROPERTY_CHANGED), 3, 1234};
    tabs.SendMessage(AFX_WM_PROPERTY_CHANGED, 3, 1234);
    Pump();
    EXPECT_EQ(owner.Messages(), Messages{});
    tabs.m_pOwner = &owner;
    tabs.SendMessage(AFX_WM_PROPERTY_CHANGED, 3, 1234);
    Pump();
    EXPECT_EQ(owner.Messages(), Messages{changed});
}

TEST_F(TargetPaneFixture, GridsThatCannotBeMadeLeaveThePaneWithoutTabs)
{
    CTargetPane broken;
    // A grid window already made cannot be made again.
    ASSERT_TRUE(broken.GetTabs().m_wndTargetPropList.Create(WS_CHILD, CRect(0, 0, 0, 0), &owner, 9));
    EXPECT_TRUE(broken.Create(&owner, 33202, &barge));
    EXPECT_EQ(broken.GetTabs().GetTabsNum(), 0);
    EXPECT_EQ(broken.GetTabs().CreateTabs(&owner), -1);
    EXPECT_EQ(pane.GetTabs().CreateTabs(&owner), -1);
    EXPECT_EQ(pane.GetTabs().GetTabsNum(), 3);
}

TEST_F(TargetPaneFixture, ActiveGridTintedFromTheTabFaceByDayAndNight)
{
    struct Case
    {
        COLORREF face;
        bool night;
        COLORREF tint;
    } cases[] = {
        {0x808080, false, 0xCCCCCC}, {0x808080, true, 0x606060}, {0x000000, false, 0x999999},
        {0xFFFFFF, true, 0xC0C0C0},  {0x0A64FF, false, 0x9DC1FF}, {0x0A64FF, true, 0x084BC0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(CMFCTargetTabCtrl::TintFaceColour(c.face, c.night), c.tint);
    }

    CMFCVisualManager::GetInstance()->SetTabFaceColour(0x808080);
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());
    EXPECT_EQ(Background(SailGrid()), 0xCCCCCCu);
    Pump();
    const QRect gridArea = PaneRect(&SailGrid());
    ASSERT_FALSE(gridArea.isEmpty());
    EXPECT_EQ(BackgroundColour(GrabWindow(&pane), gridArea), QColor(0xCC, 0xCC, 0xCC));

    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    EXPECT_EQ(Background(SailGrid()), 0x606060u);
    Pump();
    EXPECT_EQ(BackgroundColour(GrabWindow(&pane), PaneRect(&SailGrid())), QColor(0x60, 0x60, 0x60));
}

TEST_F(TargetPaneFixture, ClickedTabRecoloursAndSizesTheNewGrid)
{
    CMFCVisualManager::GetInstance()->SetTabFaceColour(0x808080);
    pane.SetNightMode(true);
    CMFCTargetTabCtrl& tabs = pane.GetTabs();
    CRect tab;
    ASSERT_TRUE(tabs.GetTabRect(2, tab));
    ClickClient(&tabs, tab.CenterPoint().x, tab.CenterPoint().y);
    Pump();

    EXPECT_EQ(tabs.GetActiveTab(), 2);
    CMyMFCPropertyGridCtrl& shadow = tabs.m_wndShadowPropList;
    EXPECT_EQ(Background(shadow), 0x606060u);
    CRect client, grid;
    pane.GetClientRect(&client);
    shadow.GetWindowRect(&grid);
    EXPECT_EQ(grid.Width(), client.Width());
    EXPECT_EQ(grid.Height(), client.Height() - tabs.GetTabsHeight());
    // What shows under the tab strip is the shadow grid, not the sail-line one.
    EXPECT_FALSE(PaneRect(&shadow).isEmpty());
    EXPECT_TRUE(PaneRect(&SailGrid()).isEmpty());

    // Each tab shows whole in its own colour with its label on it.
    const QImage picture = GrabWindow(&pane);
    const QPoint strip = PaneRect(&tabs).topLeft();
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
    {
        SCOPED_TRACE(i);
        ASSERT_TRUE(tabs.GetTabRect(i, tab));
        EXPECT_GE(tab.Height(), 12);
        const QRect area(strip.x() + tab.left + 1, strip.y() + tab.top + 1, tab.Width() - 2, tab.Height() - 2);
        const COLORREF colour = CMFCTabCtrl::GetAutoColour(i);
        EXPECT_EQ(BackgroundColour(picture, area), QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
        EXPECT_GT(ContentPixels(picture, area), 20);
    }
}

TEST_F(TargetPaneFixture, SailLineEditsSelectSaveAndRedraw)
{
    EXPECT_EQ(FindGridItem(SailGrid(), 34)->GetValue().ToText(), "east");
    EXPECT_EQ(Options(FindGridItem(SailGrid(), 34)), (Strings{"east", "grid"}));
    EXPECT_EQ(Options(FindGridItem(SailGrid(), 35)), (Strings{"Line 1"}));

    // A new file: its first line, its line options, its co-ordinates.
    EXPECT_EQ(Change(34, COleVariant("grid")), kRedrawPair);
    EXPECT_EQ(barge.m_SailLineFileIndex, 1);
    EXPECT_EQ(barge.m_SailLineNo, 0);
    CMFCPropertyGridProperty* line = FindGridItem(SailGrid(), 35);
    EXPECT_EQ(Options(line), (Strings{"Line 1", "Line 2", "Line 3"}));
    EXPECT_EQ(line->GetValue().ToText(), "Line 1");
    auto* length = static_cast<CMFCPropertyGridDouble*>(SailGrid().GetProperty(2)->GetSubItem(0));
    EXPECT_DOUBLE_EQ(length->GetDouble(), 500.0);
    const std::unique_ptr<CBarge> read = ReadBack();
    EXPECT_EQ(read->m_SailLineFileIndex, 1);
    EXPECT_EQ(read->m_SailLineNo, 0);

    // A new line of that file.
    EXPECT_EQ(Change(35, COleVariant("Line 3")), kRedrawPair);
    EXPECT_EQ(barge.m_SailLineNo, 2);
    auto* solEasting = static_cast<CMFCPropertyGridDouble*>(SailGrid().GetProperty(1)->GetSubItem(0));
    EXPECT_DOUBLE_EQ(solEasting->GetDouble(), 200.0);
    EXPECT_DOUBLE_EQ(length->GetDouble(), 100.0);
    EXPECT_EQ(ReadBack()->m_SailLineNo, 2);

    // A new colour.
    EXPECT_EQ(Change(36, COleVariant(static_cast<long>(0x00FF00))), kRedrawPair);
    EXPECT_EQ(barge.m_SailLineColour, 0x00FF00u);
    EXPECT_EQ(ReadBack()->m_SailLineColour, 0x00FF00u);

    // The file already chosen, and a text that is no option: no change, but saved and redrawn.
    for (const char* text : {"grid", "elsewhere"})
    {
        SCOPED_TRACE(text);
        QFile::remove(LinuxPathFromWindows(kVesselFile));
        EXPECT_EQ(Change(34, COleVariant(text)), kRedrawPair);
        EXPECT_EQ(barge.m_SailLineFileIndex, 1);
        EXPECT_EQ(barge.m_SailLineNo, 2);
        EXPECT_EQ(ReadBack()->m_SailLineNo, 2);
    }
    QFile::remove(LinuxPathFromWindows(kVesselFile));
    EXPECT_EQ(Change(35, COleVariant("Line 9")), kRedrawPair);
    EXPECT_EQ(barge.m_SailLineNo, 2);
    EXPECT_EQ(ReadBack()->m_SailLineNo, 2);
}

TEST_F(TargetPaneFixture, BearingInDegreesAndAFileOutsideTheList)
{
    barge.m_TargetSailLine.Leg.Bearing = 1.0;
    pane.UpdateSailLine();
    auto* bearing = dynamic_cast<CMFCPropertyGridAngleDouble*>(SailGrid().GetProperty(2)->GetSubItem(1));
    ASSERT_NE(bearing, nullptr);
    EXPECT_TRUE(bearing->IsLocked());
    EXPECT_EQ(bearing->GetMode(), 1);
    EXPECT_DOUBLE_EQ(bearing->GetAngle(), 1.0);
    EXPECT_NE(bearing->FormatProperty().Find("57"), -1) << bearing->FormatProperty().GetString();

    barge.m_SailLineFileIndex = 5;
    pane.InitSailLinePropList();
    EXPECT_EQ(FindGridItem(SailGrid(), 34)->GetValue().ToText(), "");
    EXPECT_EQ(FindGridItem(SailGrid(), 35)->GetValue().ToText(), "n/a");
    EXPECT_EQ(FindGridItem(SailGrid(), 35)->GetOptionCount(), 0);
}

namespace
{
constexpr double kRadian = 57.2957795131;
enum
{
    kAlignmentGroup = 1,
    kPositionGroup = 2,
    kHeadingGroup = 3,
    kCrpGroup = 2
};
} // namespace

TEST(TargetTabs, ZoneLimitsWrapIntoOneTurn)
{
    const struct
    {
        double grid, tolerance, start, stop;
    } cases[] = {{10, 15, 355, 25}, {100, 15, 85, 115}, {350, 15, 335, 5}, {0, 0, 0, 0}, {180, 180, 0, 360}};
    for (const auto& c : cases)
    {
        double start = -1;
        double stop = -1;
        CMFCTargetTabCtrl::ComputeZoneLimits(c.grid, c.tolerance, start, stop);
        EXPECT_DOUBLE_EQ(start, c.start) << c.grid << " " << c.tolerance;
        EXPECT_DOUBLE_EQ(stop, c.stop) << c.grid << " " << c.tolerance;
    }
}

TEST_F(TargetPaneFixture, TargetAndShadowListsShowTheObject)
{
    EXPECT_EQ(GridGroupNames(TargetGrid()), (Strings{"Target", "Alignment", "Position Tolerance", "Heading Tolerance",
                                                     "Rotation Tolerance", "Vertical Tolerance"}));
    EXPECT_EQ(GridGroupNames(ShadowGrid()), (Strings{"Shadow", "Alignment", "Common Reference Point", "Shape"}));
    EXPECT_EQ(FindGridItem(TargetGrid(), 1)->GetValue().ToText(), "field");
    EXPECT_EQ(Options(FindGridItem(TargetGrid(), 1)), (Strings{"field", "spare"}));
    EXPECT_EQ(FindGridItem(TargetGrid(), 2)->GetValue().ToText(), "WP1");
    EXPECT_EQ(Options(FindGridItem(TargetGrid(), 2)), (Strings{"WP1", "WP2"}));
    // A vessel without reference-system points offers no "Ref System".
    EXPECT_EQ(Options(FindGridItem(ShadowGrid(), 22)), (Strings{"Common Reference Point", "Antenna", "Offset", "Leg",
                                                                "Crane", "Transducer", "Clump Weight"}));
    barge.GetTrackingPointArray(6)->AddPoint(Point("USBL", 0, 0));
    pane.InitShadowPropList();
    EXPECT_EQ(Options(FindGridItem(ShadowGrid(), 22)).size(), 8u);
    EXPECT_EQ(Options(FindGridItem(ShadowGrid(), 22))[6], "Ref System");

    CTemplate tpl;
    tpl.m_Name = "Manifold";
    CTargetPane templatePane;
    ASSERT_TRUE(templatePane.Create(&owner, 33203, &tpl));
    EXPECT_EQ(Options(FindGridItem(templatePane.GetTabs().m_wndShadowPropList, 22)),
              (Strings{"Common Reference Point", "Antenna", "Offset", "Reflector", "Beacon"}));

    // A waypoint file outside the list: no name, "n/a", no waypoints.
    barge.m_WaypointFileIndex = 7;
    barge.m_TargetWaypoint.Name = "";
    pane.UpdateWaypoint();
    EXPECT_EQ(FindGridItem(TargetGrid(), 1)->GetValue().ToText(), "");
    EXPECT_EQ(FindGridItem(TargetGrid(), 2)->GetValue().ToText(), "n/a");
    EXPECT_EQ(FindGridItem(TargetGrid(), 2)->GetOptionCount(), 0);
}

TEST_F(TargetPaneFixture, AlignmentAndToleranceGiveTheZoneLimits)
{
    EXPECT_EQ(ChangeIn(TargetGrid(), 3, COleVariant(10.0)), kRedrawPair);
    EXPECT_EQ(ChangeIn(TargetGrid(), 12, COleVariant(15.0)), kRedrawPair);
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StartZoneLine, 355.0);
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StopZoneLine, 25.0);
    EXPECT_NEAR(Value(TargetGrid(), kHeadingGroup, 1) * kRadian, 355.0, 1e-6);
    EXPECT_NEAR(Value(TargetGrid(), kHeadingGroup, 2) * kRadian, 25.0, 1e-6);
    std::unique_ptr<CBarge> read = ReadBack();
    EXPECT_DOUBLE_EQ(read->m_TargetHeading, 10.0);
    EXPECT_DOUBLE_EQ(read->m_HeadingTolerance, 15.0);
    EXPECT_DOUBLE_EQ(read->m_PlotOptions.StartZoneLine, 355.0);
    EXPECT_DOUBLE_EQ(read->m_PlotOptions.StopZoneLine, 25.0);

    // "True" in the Shadow tab turns the target but leaves the zone; both tabs show it.
    EXPECT_EQ(ChangeIn(ShadowGrid(), 21, COleVariant(40.0)), kRedrawPair);
    EXPECT_DOUBLE_EQ(barge.m_TargetHeading, 40.0);
    EXPECT_DOUBLE_EQ(Value(TargetGrid(), kAlignmentGroup, 0), 40.0);
    EXPECT_NEAR(Value(ShadowGrid(), kAlignmentGroup, 1) * kRadian, 40.0, 1e-6);
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StartZoneLine, 355.0);
    EXPECT_NEAR(Value(TargetGrid(), kHeadingGroup, 1) * kRadian, 355.0, 1e-6);
    EXPECT_DOUBLE_EQ(ReadBack()->m_TargetHeading, 40.0);

    // Typing into "Minimum" keeps nothing but still saves and redraws; the next "True" of the
    // Target tab recomputes both limits.
    QFile::remove(LinuxPathFromWindows(kVesselFile));
    auto* minimum = TargetGrid().GetProperty(kHeadingGroup)->GetSubItem(1);
    minimum->SetValue(COleVariant(1.0));
    owner.Clear();
    TargetGrid().OnPropertyChanged(minimum);
    Pump();
    EXPECT_EQ(owner.Messages(), kRedrawPair);
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StartZoneLine, 355.0);
    EXPECT_DOUBLE_EQ(ReadBack()->m_PlotOptions.StartZoneLine, 355.0);
    ChangeIn(TargetGrid(), 3, COleVariant(100.0));
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StartZoneLine, 85.0);
    EXPECT_DOUBLE_EQ(barge.m_PlotOptions.StopZoneLine, 115.0);
    EXPECT_NEAR(Value(TargetGrid(), kHeadingGroup, 1) * kRadian, 85.0, 1e-6);
}

TEST_F(TargetPaneFixture, ToleranceTypeShowsItsSizes)
{
    auto visible = [this](DWORD_PTR id) { return FindGridItem(TargetGrid(), id)->IsVisible() != FALSE; };
    EXPECT_FALSE(barge.m_PlotOptions.ShapeBox);
    EXPECT_FALSE(visible(6));
    EXPECT_TRUE(visible(10));
    for (bool box : {true, false, true})
    {
        SCOPED_TRACE(box);
        EXPECT_EQ(ChangeIn(TargetGrid(), 5, COleVariant(box ? "Box" : "Radial")), kRedrawPair);
        EXPECT_EQ(barge.m_PlotOptions.ShapeBox, box);
        EXPECT_EQ(ReadBack()->m_PlotOptions.ShapeBox, box);
        EXPECT_EQ(visible(6), box);
        EXPECT_EQ(visible(7), box);
        EXPECT_EQ(visible(10), !box);
        // The list builder agrees.
        pane.InitTargetPropList();
        EXPECT_EQ(visible(6), box);
        EXPECT_EQ(visible(7), box);
        EXPECT_EQ(visible(10), !box);
    }
    EXPECT_EQ(ChangeIn(TargetGrid(), 6, COleVariant(7.5)), kRedrawPair);
    EXPECT_DOUBLE_EQ(ReadBack()->m_PlotOptions.BoxSizeX, 7.5);
}

TEST_F(TargetPaneFixture, RingsKeepWhatTheSpinOffers)
{
    auto* rings = static_cast<CMFCPropertyGridInteger*>(FindGridItem(TargetGrid(), 9));
    EXPECT_EQ(rings->GetSpinMax(), 25);
    EXPECT_EQ(ChangeIn(TargetGrid(), 9, COleVariant(25L)), kRedrawPair);
    EXPECT_EQ(barge.m_PlotOptions.NoRings, 25);
    EXPECT_EQ(ReadBack()->m_PlotOptions.NoRings, 25);
    EXPECT_EQ(ChangeIn(TargetGrid(), 9, COleVariant(26L)), kRedrawPair);
    EXPECT_EQ(barge.m_PlotOptions.NoRings, 25);
    EXPECT_EQ(rings->GetInteger(), 25);
    EXPECT_EQ(ReadBack()->m_PlotOptions.NoRings, 25);
    EXPECT_EQ(ChangeIn(TargetGrid(), 9, COleVariant(0L)), kRedrawPair);
    EXPECT_EQ(ReadBack()->m_PlotOptions.NoRings, 0);
}

TEST_F(TargetPaneFixture, TrackingPointPutsTheReferencePointOnTheTarget)
{
    ChangeIn(TargetGrid(), 3, COleVariant(90.0));
    // The reference point itself is tracked: it goes on the waypoint.
    EXPECT_EQ(barge.m_TrkPtType, 0);
    pane.UpdateCrp();
    EXPECT_DOUBLE_EQ(Value(ShadowGrid(), kCrpGroup, 4), 1000.0);
    EXPECT_DOUBLE_EQ(Value(ShadowGrid(), kCrpGroup, 5), 2000.0);
    EXPECT_EQ(FindGridItem(ShadowGrid(), 23)->GetOptionCount(), 0);

    EXPECT_EQ(ChangeIn(ShadowGrid(), 22, COleVariant("Antenna")), kRedrawPair);
    EXPECT_EQ(barge.m_TrkPtType, 1);
    EXPECT_EQ(Options(FindGridItem(ShadowGrid(), 23)), (Strings{"GPS 1", "GPS 2"}));
    EXPECT_EQ(FindGridItem(ShadowGrid(), 23)->GetValue().ToText(), "GPS 1");
    EXPECT_DOUBLE_EQ(FindGridItem(ShadowGrid(), 24)->GetValue().dblVal, 2.0);
    EXPECT_DOUBLE_EQ(FindGridItem(ShadowGrid(), 25)->GetValue().dblVal, 3.0);
    EXPECT_NEAR(barge.m_TargetPosition.x, 997.0, 1e-9);
    EXPECT_NEAR(barge.m_TargetPosition.y, 2002.0, 1e-9);
    EXPECT_NEAR(Value(ShadowGrid(), kCrpGroup, 4), 997.0, 1e-9);
    EXPECT_NEAR(Value(ShadowGrid(), kCrpGroup, 5), 2002.0, 1e-9);
    EXPECT_EQ(ReadBack()->m_TrkPtType, 1);

    EXPECT_EQ(ChangeIn(ShadowGrid(), 23, COleVariant("GPS 2")), kRedrawPair);
    EXPECT_EQ(barge.m_TrkPtNo, 1);
    EXPECT_NEAR(barge.m_TargetPosition.x, 999.0, 1e-9);
    EXPECT_NEAR(barge.m_TargetPosition.y, 1996.0, 1e-9);
    EXPECT_EQ(ReadBack()->m_TrkPtNo, 1);

    // A type without points: no offsets to choose, offsets 0, the reference point on the target.
    EXPECT_EQ(ChangeIn(ShadowGrid(), 22, COleVariant("Crane")), kRedrawPair);
    EXPECT_EQ(FindGridItem(ShadowGrid(), 23)->GetOptionCount(), 0);
    EXPECT_DOUBLE_EQ(FindGridItem(ShadowGrid(), 24)->GetValue().dblVal, 0.0);
    EXPECT_DOUBLE_EQ(barge.m_TargetPosition.x, 1000.0);

    // A text that is no type changes nothing, but the file is still saved.
    QFile::remove(LinuxPathFromWindows(kVesselFile));
    EXPECT_EQ(ChangeIn(ShadowGrid(), 22, COleVariant("Anchor")), kRedrawPair);
    EXPECT_EQ(barge.m_TrkPtType, 4);
    EXPECT_EQ(ReadBack()->m_TrkPtType, 4);

    // The host picks the tracking point itself: the tab follows and the file is saved.
    barge.m_TrkPtType = 1;
    barge.m_TrkPtNo = 1;
    pane.UpdateVessel();
    EXPECT_EQ(FindGridItem(ShadowGrid(), 22)->GetValue().ToText(), "Antenna");
    EXPECT_EQ(FindGridItem(ShadowGrid(), 23)->GetValue().ToText(), "GPS 2");
    EXPECT_DOUBLE_EQ(FindGridItem(ShadowGrid(), 24)->GetValue().dblVal, -4.0);
    EXPECT_NEAR(Value(ShadowGrid(), kCrpGroup, 4), 999.0, 1e-9);
    EXPECT_EQ(ReadBack()->m_TrkPtNo, 1);
}

TEST_F(TargetPaneFixture, ChoosingAWaypointMovesTheTarget)
{
    EXPECT_EQ(ChangeIn(ShadowGrid(), 22, COleVariant("Antenna")), kRedrawPair);
    EXPECT_EQ(ChangeIn(TargetGrid(), 1, COleVariant("spare")), kRedrawPair);
    EXPECT_EQ(barge.m_WaypointFileIndex, 1);
    EXPECT_EQ(Options(FindGridItem(TargetGrid(), 2)), (Strings{"S1"}));
    EXPECT_EQ(FindGridItem(TargetGrid(), 2)->GetValue().ToText(), "S1");
    EXPECT_DOUBLE_EQ(Value(TargetGrid(), 0, 2), 5000.0);
    // Heading 0: the antenna 2 m to starboard and 3 m forward of the reference point.
    EXPECT_NEAR(barge.m_TargetPosition.x, 4998.0, 1e-9);
    EXPECT_NEAR(barge.m_TargetPosition.y, 5997.0, 1e-9);
    EXPECT_EQ(ReadBack()->m_WaypointFileIndex, 1);

    ChangeIn(TargetGrid(), 1, COleVariant("field"));
    EXPECT_EQ(ChangeIn(TargetGrid(), 2, COleVariant("WP2")), kRedrawPair);
    EXPECT_EQ(barge.m_WaypointNo, 1);
    EXPECT_DOUBLE_EQ(Value(TargetGrid(), 0, 3), 2100.0);
    EXPECT_NEAR(barge.m_TargetPosition.x, 1098.0, 1e-9);
    EXPECT_EQ(ReadBack()->m_WaypointNo, 1);
}

TEST_F(TargetPaneFixture, ShadowLookAndTargetSwitchesAreSaved)
{
    const struct
    {
        CMyMFCPropertyGridCtrl* grid;
        DWORD_PTR id;
        COleVariant value;
        std::function<bool(const CBarge&)> stored;
    } cases[] = {
        {&TargetGrid(), 4, COleVariant(false), [](const CBarge& b) { return !b.m_PlotOptions.DrawRings; }},
        {&TargetGrid(), 10, COleVariant(35.0), [](const CBarge& b) { return b.m_PlotOptions.RadiusMetres == 35.0; }},
        {&TargetGrid(), 11, COleVariant(0x0000FFL), [](const CBarge& b) { return b.m_PlotOptions.RingColour == 0xFF; }},
        {&TargetGrid(), 13, COleVariant(true), [](const CBarge& b) { return b.m_PlotOptions.DrawZoneLines; }},
        {&TargetGrid(), 15, COleVariant(1.5), [](const CBarge& b) { return b.m_PitchTolerance == 1.5; }},
        {&TargetGrid(), 17, COleVariant(0.25), [](const CBarge& b) { return b.m_DepthTolerance == 0.25; }},
        {&TargetGrid(), 30, COleVariant(false), [](const CBarge& b) { return !b.m_PlotOptions.DisplayLabels; }},
        {&TargetGrid(), 33, COleVariant(0x00FF00L), [](const CBarge& b) { return b.m_PlotOptions.TextColour == 0xFF00; }},
        {&ShadowGrid(), 18, COleVariant(false), [](const CBarge& b) { return !b.m_bShowOutline; }},
        {&ShadowGrid(), 26, COleVariant(0xFF0000L), [](const CBarge& b) { return b.m_OutlineColour == 0xFF0000; }},
        {&ShadowGrid(), 27, COleVariant(short(4)), [](const CBarge& b) { return b.m_OutlineSize == 4; }},
        {&ShadowGrid(), 28, COleVariant(short(-1)), [](const CBarge& b) { return b.m_OutlineFill == -1; }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(ChangeIn(*c.grid, c.id, c.value), kRedrawPair);
        EXPECT_TRUE(c.stored(barge));
        EXPECT_TRUE(c.stored(*ReadBack()));
    }
    // The outline's samples take its colour.
    auto* fill = dynamic_cast<CMFCPropertyGridSampleProperty*>(FindGridItem(ShadowGrid(), 28));
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->GetColour(), 0xFF0000u);
}
