// The target pane inside a host frame: its tabs and grids, the tint of the active grid by day
// and night, a tab clicked by the user, and the Sail Line tab's edits with the vessel file they
// leave behind.
#include "featureui/TargetPane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/Barge.h"
#include "features/SailLine.h"
#include "features/SailLineList.h"
#include "features/Template.h"
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

struct TargetPaneFixture : ::testing::Test
{
    CWinApp app{"TargetPaneTest"};
    CRecordingOwner owner;
    CSailLineList lines;
    CBarge barge;
    CTargetPane pane;

    void SetUp() override
    {
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

    // The item's value changed as the grid reports a user's edit; what the host heard.
    Messages Change(DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(SailGrid(), id, value));
        Pump();
        return owner.Messages();
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
