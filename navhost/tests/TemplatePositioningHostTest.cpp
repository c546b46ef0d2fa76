// The host's template positioning pane once a second: the total stations switched off and on
// again through each minute, the pane built anew each time with only the stations that are on,
// and the surveyor's choice of primary CRP source reaching the host.
#include "NavHostFixture.h"

#include "foundation/WindowMessages.h"
#include "navhost/DemoRecords.h"
#include "navhost/NavHostResources.h"
#include "outside/panes/GroupProperty.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using Names = std::vector<std::string>;

using TemplatePositioningHostTest = NavHostTest::NavHostFixture;

TEST_F(TemplatePositioningHostTest, TotalStationsComeAndGoThroughEachMinute)
{
    Start();
    CTemplatePositioningPane& pane = m_pFrame->m_wndTemplatePositioningPane;
    ASSERT_NE(pane.GetSafeHwnd(), nullptr);
    struct Case
    {
        double seconds;
        Names stations;
        Names options;
    };
    const Case cases[] = {
        {61.0, {"Total Station One", "Total Station Two"}, {"GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro", "TS2 - Gyro", "TS1 - TS2"}},
        {85.0, {"Total Station One"}, {"GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro"}},
        {95.0, {}, {"GPS1 - Gyro", "GPS2 - Gyro"}},
        {105.0, {"Total Station One", "Total Station Two"}, {"GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro", "TS2 - Gyro", "TS1 - TS2"}},
    };
    for (const Case& c : cases)
    {
        FillDemoRecords(m_pFrame->m_Records, c.seconds);
        m_pFrame->m_SurveyDemo.Update(c.seconds);
        m_pFrame->m_TemplatePositioningFeed.Update(c.seconds, m_pFrame->m_Records, pane);
        Names stations;
        for (const std::string& name : GridGroupNames(pane.GetPropertyGrid()))
            if (name.rfind("Total Station", 0) == 0)
                stations.push_back(name);
        EXPECT_EQ(stations, c.stations) << c.seconds;
        EXPECT_EQ(GridItemOptions(pane.GetCrpGroup()->GetSubItem(0)), c.options) << c.seconds;
        // Every group shown has been filled: the target of each station names a prism.
        for (int i = 0; i < 2; ++i)
            if (CMFCPropertyGridProperty* group = pane.GetTotalStationGroup(i))
            {
                EXPECT_EQ(std::string(pane.GetPropertyGrid().GetShownValue(group->GetSubItem(0))).rfind("Prism", 0), 0u)
                    << c.seconds;
            }
    }
}

TEST_F(TemplatePositioningHostTest, TheChosenCrpSourceReachesTheHost)
{
    Start();
    CTemplatePositioningPane& pane = m_pFrame->m_wndTemplatePositioningPane;
    FillDemoRecords(m_pFrame->m_Records, 1.0);
    m_pFrame->m_TemplatePositioningFeed.Update(1.0, m_pFrame->m_Records, pane);
    if (!pane.IsVisible())
    {
        EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_TEMPLATE_POSITIONING_PANE));
    }
    PumpFor(60);
    ASSERT_TRUE(UserInput::PickInGrid(pane.GetPropertyGrid(), "Primary CRP", "TS1 - Gyro"));
    EXPECT_EQ(m_pFrame->m_Data.m_Template.m_PrimaryGps, CTemplatePositioningPane::CRP_TS1);
    PumpFor(60);
    CMessageLogPane& log = m_pFrame->m_wndLogPane;
    ASSERT_GT(log.GetLineCount(), 0);
    EXPECT_NE(log.GetLine(log.GetLineCount() - 1).Find("primary CRP source is now TS1 - Gyro"), -1)
        << static_cast<const char*>(log.GetLine(log.GetLineCount() - 1));
}
} // namespace
