// The setters every ROV grid pane shares, on a pane docked in the test host: day and night
// apply the grid's current scheme again (normal or silent), the sensor's silence switches the
// scheme once per change, and the look switches the group names' width with it.
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"
#include "rov/RovGridPane.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace
{
using Colours = std::array<COLORREF, 7>;

// A grid pane as the ROV panes are: one group over the host's bathy unit.
class CProbeGridPane : public CRovGridPane
{
public:
    BOOL Create(CWnd* pOwner, int nID, CBathyUnit* pUnit)
    {
        if (!CMyDockablePane::Create(pOwner, nID, "Probe"))
            return FALSE;
        m_pUnit = pUnit;
        ClearPropList();
        auto* group = new CMFCPropertyGridProperty("Bathy");
        group->AddSubItem(new CMFCPropertyGridProperty("Depth", COleVariant(pUnit->m_Depth), "", 0));
        m_wndPropList.AddProperty(group);
        AdjustLayout();
        return TRUE;
    }

private:
    CBathyUnit* m_pUnit = nullptr;
};

Colours ColoursOf(const CMyMFCPropertyGridCtrl& grid)
{
    Colours c{};
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c;
}

struct RovGridPaneFixture : ::testing::Test
{
    CWinApp app{"RovGridPaneTest"};
    CTestHost host;
    CProbeGridPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(host.Dock(pane, 4242, &host.m_Records.m_BathyUnit));
    }
    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
};

// Background, text, group background, group text, description background, description text,
// line: the grey scheme (1) and the silent sensor's scheme (5), by day and by night.
const Colours kGreyDay{0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555};
const Colours kGreyNight{0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555};
const Colours kSilentDay{0xF0F0FF, 0x000000, 0x000080, 0x8080FF, 0x000080, 0x8080FF, 0x000000};
const Colours kSilentNight{0x000000, 0x000080, 0x000040, 0x000080, 0x000040, 0x000080, 0x000080};

TEST_F(RovGridPaneFixture, DayAndNightApplyTheCurrentSchemeAgain)
{
    EXPECT_EQ(Grid().GetColourScheme(), 1);
    EXPECT_EQ(ColoursOf(Grid()), kGreyDay);

    struct Step
    {
        const char* what;
        void (*act)(CTestHost&, CProbeGridPane&);
        int scheme;
        bool night;
        Colours colours;
    };
    const std::vector<Step> steps = {
        {"night", [](CTestHost& h, CProbeGridPane& p) { h.Night(p); }, 1, true, kGreyNight},
        {"silent at night", [](CTestHost& h, CProbeGridPane& p) { h.Timeout(p, true); }, 5, true, kSilentNight},
        {"day while silent", [](CTestHost& h, CProbeGridPane& p) { h.Day(p); }, 5, false, kSilentDay},
        {"night while silent", [](CTestHost& h, CProbeGridPane& p) { p.SetNightMode(true); }, 5, true, kSilentNight},
        {"reporting again", [](CTestHost& h, CProbeGridPane& p) { h.Timeout(p, false); }, 1, true, kGreyNight},
        {"day", [](CTestHost& h, CProbeGridPane& p) { h.Day(p); }, 1, false, kGreyDay},
    };
    for (const Step& step : steps)
    {
        step.act(host, pane);
        EXPECT_EQ(Grid().GetColourScheme(), step.scheme) << step.what;
        EXPECT_EQ(pane.GetNightMode(), step.night) << step.what;
        EXPECT_EQ(ColoursOf(Grid()), step.colours) << step.what;
    }
}

TEST_F(RovGridPaneFixture, SilenceSwitchesTheSchemeOncePerChange)
{
    const Colours marker{1, 2, 3, 4, 5, 6, 7};
    host.Timeout(pane, true);
    ASSERT_EQ(ColoursOf(Grid()), kSilentDay);
    // Colours the grid holds now stay while the flag does not change.
    Grid().SetCustomColors(1, 2, 3, 4, 5, 6, 7);
    host.Timeout(pane, true);
    EXPECT_EQ(ColoursOf(Grid()), marker);
    EXPECT_TRUE(pane.IsTimedOut());
    host.Timeout(pane, false);
    EXPECT_EQ(ColoursOf(Grid()), kGreyDay);
    Grid().SetCustomColors(1, 2, 3, 4, 5, 6, 7);
    host.Timeout(pane, false);
    EXPECT_EQ(ColoursOf(Grid()), marker);
    EXPECT_FALSE(pane.IsTimedOut());
}

TEST_F(RovGridPaneFixture, LookSwitchesGroupNamesAcrossTheWidthWithIt)
{
    for (int look : {0, 1, 0})
    {
        pane.SetVSDotNetLook(look);
        EXPECT_EQ(Grid().IsVSDotNetLook() != FALSE, look != 0);
        EXPECT_EQ(Grid().IsGroupNameFullWidth() != FALSE, look != 0);
    }
}

TEST(RovGridPane, SilenceBeforeTheGridExistsChangesNothing)
{
    CProbeGridPane pane;
    pane.SetTimeout(true);
    EXPECT_FALSE(pane.IsTimedOut());
}
} // namespace
