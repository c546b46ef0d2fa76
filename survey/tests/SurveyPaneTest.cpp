// What every Survey pane shares, on a small pane of the base docked in the test host: creation in
// its order with the stored visibility, the starting colours by day and night, the setters, the
// font from the system's message font, the two layouts, and the frame as a user sees it.
#include "features/Barge.h"
#include "platform/core/WinApp.h"
#include "platform/ui/SystemParameters.h"
#include "survey/SurveyPane.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include <array>
#include <string>
#include <vector>

namespace
{
using Colours = std::array<COLORREF, 7>;

// A pane of the base with a few rows over the vessel, noting the order of its creation steps.
class CProbePane : public CSurveyPane
{
public:
    explicit CProbePane(UINT gridId = 2, LAYOUT layout = LAYOUT_SIZE_ONLY) : CSurveyPane(gridId, layout) {}

    int Create(CWnd* pParent, int nID, CBarge* pVessel)
    {
        return CreatePane(pParent, nID, "Vessel", [this, pVessel] {
            m_Steps.push_back("pointers");
            m_pVessel = pVessel;
        });
    }
    void InitPropList() override
    {
        m_Steps.push_back(m_pVessel != nullptr ? "rows over the vessel" : "rows without a vessel");
        BeginPropList();
        if (m_pVessel == nullptr)
            return;
        auto* group = new CMFCPropertyGridProperty("Common Reference Point");
        group->AddSubItem(new CMFCPropertyGridProperty("Easting", COleVariant(m_pVessel->m_Position.x), "", 0));
        group->AddSubItem(new CMFCPropertyGridProperty("Northing", COleVariant(m_pVessel->m_Position.y), "", 0));
        group->AddSubItem(new CMFCPropertyGridProperty("Offset", COleVariant(m_pVessel->GetTrackingPointName()), "", 0));
        m_wndPropList.AddProperty(group);
    }
    void UpdateGpsPanes() override { m_Steps.push_back("device groups"); }
    void AdjustLayout() override
    {
        // The docking pane's own sizing while it is made comes before the steps counted here.
        if (GetSafeHwnd() != nullptr && !m_Steps.empty())
            m_Steps.push_back("layout");
        CSurveyPane::AdjustLayout();
    }

    std::vector<std::string> m_Steps;
    CBarge* m_pVessel = nullptr;
};

Colours ColoursOf(const CMyMFCPropertyGridCtrl& grid)
{
    Colours c{};
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c;
}

Colours Expected(const COLORREF (&table)[7])
{
    Colours c{};
    std::copy(std::begin(table), std::end(table), c.begin());
    return c;
}

// Where the pane's grid stands in the pane's client area, and its size.
CRect GridPlace(CProbePane& pane)
{
    CRect rect;
    pane.GetPropertyGrid().GetWindowRect(&rect);
    pane.ScreenToClient(&rect);
    return rect;
}

struct SurveyPaneFixture : ::testing::Test
{
    CWinApp app{"SurveyPaneTest"};
    CTestHost host;
    CBarge vessel;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        vessel.m_Position = tagXY{452000.0, 6231000.0};
        TrackingPointDef antenna;
        antenna.Name = "DGPS 1";
        vessel.m_Antennas.AddPoint(antenna);
    }
};

TEST_F(SurveyPaneFixture, CreatesInItsOrderAndStartsInTheGreyScheme)
{
    CProbePane pane;
    ASSERT_TRUE(host.Dock(pane, 4301, &vessel));
    const std::vector<std::string> steps = {"pointers", "rows over the vessel", "device groups", "layout"};
    ASSERT_GE(pane.m_Steps.size(), steps.size());
    EXPECT_EQ(std::vector<std::string>(pane.m_Steps.begin(), pane.m_Steps.begin() + 4), steps);
    EXPECT_EQ(pane.m_nID, 4301);
    EXPECT_STREQ(pane.m_strTitle, "Vessel");

    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_EQ(grid.GetDlgCtrlID(), 2);
    EXPECT_EQ(grid.GetColourScheme(), 1);
    EXPECT_EQ(ColoursOf(grid), Expected(CSurveyPane::DAY_COLOURS));
    EXPECT_FALSE(grid.IsHeaderCtrl());
    EXPECT_TRUE(grid.IsVSDotNetLook());
    EXPECT_TRUE(grid.IsDescriptionArea());
    EXPECT_TRUE(grid.IsMarkModifiedProperties());
    EXPECT_EQ(grid.GetPropertyCount(), 1);

    // A pane whose docking pane cannot be made stores and builds nothing.
    CProbePane orphan;
    EXPECT_EQ(orphan.Create(nullptr, 4302, &vessel), 0);
    EXPECT_TRUE(orphan.m_Steps.empty());
    EXPECT_EQ(orphan.m_pVessel, nullptr);
    orphan.AdjustLayout(); // no window: nothing happens
}

TEST_F(SurveyPaneFixture, StoredVisibilityDecidesWhetherItShows)
{
    const struct
    {
        int stored;
        bool shown;
    } cases[] = {{-1, false}, {0, false}, {1, true}};
    for (const auto& c : cases)
    {
        app.WriteProfileInt("Workspace\\BasePane-4310", "IsVisible", c.stored);
        CProbePane pane;
        ASSERT_EQ(pane.Create(&host, 4310, &vessel), 1);
        Pump();
        EXPECT_EQ(pane.IsVisible() != FALSE, c.shown) << c.stored;
    }
}

TEST_F(SurveyPaneFixture, DayAndNightColoursReadBackExactly)
{
    CProbePane pane;
    ASSERT_TRUE(host.Dock(pane, 4303, &vessel));
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();

    host.Night(pane);
    EXPECT_TRUE(pane.GetNightMode());
    EXPECT_EQ(ColoursOf(grid), Expected(CSurveyPane::NIGHT_COLOURS));
    // A rebuild at night starts in the night colours.
    grid.SetCustomColors(1, 2, 3, 4, 5, 6, 7);
    pane.InitPropList();
    EXPECT_EQ(ColoursOf(grid), Expected(CSurveyPane::NIGHT_COLOURS));
    EXPECT_EQ(grid.GetColourScheme(), 1);
    host.Day(pane);
    EXPECT_FALSE(pane.GetNightMode());
    EXPECT_EQ(ColoursOf(grid), Expected(CSurveyPane::DAY_COLOURS));

    // The setters apply again whatever scheme the grid holds.
    grid.SetColourScheme(3);
    const Colours blueByDay = ColoursOf(grid);
    host.Night(pane);
    EXPECT_EQ(grid.GetColourScheme(), 3);
    EXPECT_NE(ColoursOf(grid), blueByDay);
    host.Day(pane);
    EXPECT_EQ(ColoursOf(grid), blueByDay);
}

TEST_F(SurveyPaneFixture, LookReachesBothGridCalls)
{
    CProbePane pane;
    ASSERT_TRUE(host.Dock(pane, 4304, &vessel));
    for (int look : {0, 1, 0})
    {
        pane.SetVSDotNetLook(look);
        EXPECT_EQ(pane.GetPropertyGrid().IsVSDotNetLook() != FALSE, look != 0) << look;
        EXPECT_EQ(pane.GetPropertyGrid().IsGroupNameFullWidth() != FALSE, look != 0) << look;
    }
}

TEST_F(SurveyPaneFixture, FontFollowsTheSystemMessageFont)
{
    CProbePane pane;
    ASSERT_TRUE(host.Dock(pane, 4305, &vessel));
    const QFont before = QApplication::font();
    auto expectMessageFace = [&pane](const char* when) {
        NONCLIENTMETRICS info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0));
        CFont* font = pane.GetPropertyGrid().GetFont();
        ASSERT_NE(font, nullptr) << when;
        LOGFONT lf{};
        font->GetLogFont(&lf);
        EXPECT_STREQ(lf.lfFaceName, info.lfMessageFont.lfFaceName) << when;
        EXPECT_EQ(lf.lfHeight, info.lfMessageFont.lfHeight) << when;
    };
    expectMessageFace("at creation");

    // The user changes the system's fonts; the pane hears of it and follows.
    QFont changed(before);
    changed.setFamily(before.family() == "DejaVu Serif" ? "DejaVu Sans Mono" : "DejaVu Serif");
    changed.setPointSize(before.pointSize() > 0 ? before.pointSize() + 5 : 15);
    QApplication::setFont(changed);
    pane.SendMessage(WM_SETTINGCHANGE, 0, 0);
    expectMessageFace("after the system's fonts changed");
    LOGFONT lf{};
    pane.GetPropertyGrid().GetFont()->GetLogFont(&lf);
    QApplication::setFont(before);
    EXPECT_NE(std::string(lf.lfFaceName), before.family().toStdString());
}

TEST_F(SurveyPaneFixture, LayoutSizesOnlyOrAlsoMovesTheGrid)
{
    // The leg pinning pane's grid has id 1; the general survey and target QC panes move theirs.
    CProbePane sizeOnly(1, CSurveyPane::LAYOUT_SIZE_ONLY);
    CProbePane sizeAndMove(2, CSurveyPane::LAYOUT_SIZE_AND_MOVE);
    ASSERT_TRUE(host.Dock(sizeOnly, 4306, &vessel));
    ASSERT_TRUE(host.Dock(sizeAndMove, 4307, &vessel));
    EXPECT_EQ(sizeOnly.GetPropertyGrid().GetDlgCtrlID(), 1);
    for (CProbePane* pane : {&sizeOnly, &sizeAndMove})
    {
        pane->GetPropertyGrid().SetWindowPos(nullptr, 5, 7, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
        pane->AdjustLayout();
        CRect client;
        pane->GetClientRect(&client);
        const CRect place = GridPlace(*pane);
        const bool moves = pane == &sizeAndMove;
        EXPECT_EQ(place.left, moves ? 0 : 5);
        EXPECT_EQ(place.top, moves ? 0 : 7);
        EXPECT_EQ(place.Width(), client.Width());
        EXPECT_EQ(place.Height(), client.Height());
    }
}

TEST_F(SurveyPaneFixture, FrameShowsTheHostAloneWithThePaneRows)
{
    CProbePane pane;
    ASSERT_TRUE(host.Dock(pane, 4308, &vessel));
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Vessel", &pane}});
    const FrameProbe::GridRowsSeen rows = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&host), &pane);
    EXPECT_GE(rows.wholeRows, 4); // the group and its three rows
}
} // namespace
