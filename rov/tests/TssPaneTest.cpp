// The pipe tracker's values pane docked in the test host: the sensor rows, one signal bar per
// coil kept to the tracker's coil count (a corrupt count bounded), bars past the record's six
// signals at 0, night reaching the bars at the next update, and what the user reads.
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridScrollbar.h"
#include "platform/core/WinApp.h"
#include "rov/RovLibrary.h"
#include "rov/TssPane.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <vector>

namespace
{
struct TssPaneFixture : ::testing::Test
{
    CWinApp app{"TssPaneTest"};
    CTestHost host;
    CTssPane pane;
    CTssPipeTracker& tracker = host.m_Records.m_TssPipeTracker;

    void SetUp() override
    {
        ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
        tracker.m_CoilHeight = 1.5;
        tracker.m_Altitude = 2.25;
        tracker.m_Burial = 0.75;
        tracker.m_LateralOffset = -0.4;
        tracker.m_Quality = 87;
        tracker.m_CoilCount = 3;
        tracker.m_SignalMaximum = 200;
        for (int i = 0; i < TSS_COILS; ++i)
            tracker.m_Signal[i] = 10 * (i + 1);
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(host.Dock(pane, 4401, &tracker));
    }
    void TearDown() override { RovLibraryEntry(DLL_PROCESS_DETACH); }

    CMFCPropertyGridDualDisplay* Row(int row)
    {
        return dynamic_cast<CMFCPropertyGridDualDisplay*>(pane.GetPropertyGrid().GetProperty(0)->GetSubItem(row));
    }
    // Each bar as "name=level/maximum".
    std::vector<std::string> Bars()
    {
        std::vector<std::string> bars;
        for (int i = 0; i < pane.GetBarCount(); ++i)
        {
            CMFCPropertyGridScrollbar* bar = pane.GetBar(i);
            bars.push_back(std::string(bar->GetName()) + "=" + std::to_string(bar->GetLevel()) + "/" +
                           std::to_string(bar->GetMaximum()));
        }
        return bars;
    }
};

TEST_F(TssPaneFixture, ShowsTheSensorRowsAndABarPerCoil)
{
    EXPECT_EQ(std::string(pane.m_strTitle), "TSS Pipe/Cable Tracker");
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_EQ(grid.GetColourScheme(), CRovGridPane::NORMAL_SCHEME);
    ASSERT_EQ(grid.GetPropertyCount(), 2);
    EXPECT_EQ(std::string(grid.GetProperty(0)->GetName()), "Sensor");
    EXPECT_EQ(std::string(grid.GetProperty(1)->GetName()), "Signal Strength");
    ASSERT_EQ(grid.GetProperty(0)->GetSubItemsCount(), 3);
    EXPECT_EQ(std::string(Row(0)->GetPartName(1)), "Coils");
    EXPECT_EQ(std::string(Row(0)->GetPartName(2)), "Altitude");
    EXPECT_EQ(std::string(Row(1)->GetPartName(1)), "Burial");
    EXPECT_EQ(std::string(Row(1)->GetPartName(2)), "X Offset");
    EXPECT_EQ(std::string(Row(2)->GetName()), "Quality");
    EXPECT_EQ(Bars(), (std::vector<std::string>{"1=10/200", "2=20/200", "3=30/200"}));

    tracker.m_CoilHeight = 12.345;
    tracker.m_Altitude = 3.0;
    tracker.m_Burial = -1.0;
    tracker.m_LateralOffset = 0.5;
    tracker.m_Quality = 42;
    tracker.m_Signal[1] = 150;
    tracker.m_SignalMaximum = 300;
    host.Update(pane);
    EXPECT_EQ(std::string(Row(0)->GetValueText(1)), " 12.35m.");
    EXPECT_EQ(std::string(Row(0)->GetValueText(2)), "  3.00m.");
    EXPECT_EQ(std::string(Row(1)->GetValueText(1)), " -1.00m.");
    EXPECT_EQ(std::string(Row(1)->GetValueText(2)), "  0.50m.");
    EXPECT_EQ(std::string(Row(2)->GetValueText(1)), "42");
    EXPECT_EQ(Bars(), (std::vector<std::string>{"1=10/300", "2=150/300", "3=30/300"}));
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(Row(row)->OnEdit(nullptr)) << "read-only row " << row;
}

TEST_F(TssPaneFixture, BarsFollowTheCoilCount)
{
    const struct
    {
        int coils;
        std::vector<std::string> bars;
    } cases[] = {
        {2, {"1=10/200", "2=20/200"}},
        {8, {"1=10/200", "2=20/200", "3=30/200", "4=40/200", "5=50/200", "6=60/200", "7=0/200", "8=0/200"}},
        {0, {}},
        {-5, {}},
        {1, {"1=10/200"}},
    };
    for (const auto& c : cases)
    {
        tracker.m_CoilCount = c.coils;
        host.Update(pane);
        EXPECT_EQ(Bars(), c.bars) << c.coils << " coils";
        CMFCPropertyGridProperty* signal = pane.GetPropertyGrid().GetProperty(1);
        EXPECT_TRUE(signal->IsExpanded()) << c.coils;
    }
}

TEST_F(TssPaneFixture, NightReachesTheBarsAtTheNextUpdate)
{
    CMFCPropertyGridScrollbar* bar = pane.GetBar(0);
    const COLORREF day = bar->GetBarColour();
    pane.GetPropertyGrid().SetNightMode(true);
    EXPECT_EQ(bar->GetBarColour(), day) << "not before the update";
    host.Update(pane);
    EXPECT_NE(pane.GetBar(0)->GetBarColour(), day);
    EXPECT_TRUE(pane.GetNightMode());
    // Bars added later start in the pane's night flag too.
    tracker.m_CoilCount = 5;
    host.Update(pane);
    EXPECT_EQ(pane.GetBar(4)->GetBarColour(), pane.GetBar(0)->GetBarColour());
}

TEST_F(TssPaneFixture, TheFrameShowsTheValuesAndBars)
{
    QDir().mkpath(SUITE_VISUAL_DIR);
    host.Update(pane);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"TSS", &pane}}, {}, QString(SUITE_VISUAL_DIR) + "/tss_day.png");
    const FrameProbe::GridRowsSeen seen = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&host), &pane);
    EXPECT_EQ(seen.wholeRows, 8) << "two groups, three sensor rows, three bars";
    EXPECT_TRUE(seen.cutNames.empty());
}

TEST(TssPaneBadInput, ACorruptCoilCountIsBoundedAndNoRecordIsIgnored)
{
    CWinApp app{"TssPaneBadInput"};
    ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
    CTestHost host;
    ASSERT_TRUE(host.CreateHost());
    CTssPipeTracker& tracker = host.m_Records.m_TssPipeTracker;
    tracker.m_CoilCount = 1000000;
    {
        CTssPane pane;
        ASSERT_TRUE(host.Dock(pane, 4402, &tracker));
        EXPECT_EQ(pane.GetBarCount(), CTssPane::MAX_BARS) << "built bounded";
        tracker.m_CoilCount = 2;
        host.Update(pane);
        tracker.m_CoilCount = 1000000;
        host.Update(pane);
        EXPECT_EQ(pane.GetBarCount(), CTssPane::MAX_BARS) << "grown bounded";
        EXPECT_EQ(pane.GetBar(63)->GetLevel(), 0);
    }
    {
        CTssPane pane;
        ASSERT_TRUE(host.Dock(pane, 4403, static_cast<CTssPipeTracker*>(nullptr)));
        host.Update(pane);
        EXPECT_EQ(pane.GetBarCount(), 0);
    }
    CTssPane never;
    never.Update();
    never.SetTimeout(true);
    EXPECT_FALSE(never.IsTimedOut());
    EXPECT_EQ(never.GetBarCount(), 0);
    RovLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
