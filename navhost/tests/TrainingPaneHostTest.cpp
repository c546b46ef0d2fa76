// The host's training pane follows the host's waypoint files and design routes: when a list
// changes, the pane's lists are filled again from it.
#include "NavHostFixture.h"

#include "features/FeatureTypes.h"
#include "foundation/WindowMessages.h"
#include "testsupport/PaneProbes.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Options(const CMFCPropertyGridProperty* item)
{
    std::vector<std::string> options;
    for (int i = 0; item != nullptr && i < item->GetOptionCount(); ++i)
        options.emplace_back(item->GetOption(i));
    return options;
}

using TrainingPaneHostTest = NavHostTest::NavHostFixture;

TEST_F(TrainingPaneHostTest, WaypointFilesAddedLaterAreOfferedAfterTheHostIsTold)
{
    Start();
    CTrainingPane& pane = m_pFrame->m_wndTrainingPane;
    ASSERT_NE(pane.GetSafeHwnd(), nullptr);
    CGridWaypointList& list = m_pFrame->m_Data.m_Waypoints;
    const size_t before =
        Options(FindGridItem(pane.GetPropertyGrid(), CTrainingPane::DATA_WAYPOINT_FILE)).size();
    EXPECT_EQ(before, static_cast<size_t>(list.GetSize()) + 1);

    auto* file = new CGridWaypoint;
    file->m_FilePath = "C:\\MyData\\Exercise Field.txt";
    list.Add(file);
    m_pFrame->PostMessage(UM_FEATURE_UPDATE, FEATURE_WAYPOINT, 0);
    PumpFor(30);
    const std::vector<std::string> after =
        Options(FindGridItem(pane.GetPropertyGrid(), CTrainingPane::DATA_WAYPOINT_FILE));
    ASSERT_EQ(after.size(), before + 1);
    EXPECT_EQ(after.front(), "Not Selected");
    EXPECT_EQ(after.back(), "Exercise Field");
}
} // namespace
