// The scanning profiler pane docked in the test host as the host docks it: one view per active
// head laid out by the pane's shape, the layout message its parent gets when the pane is sized
// or hidden (and not when shown), each head's update and silence reaching its own view, day and
// night passed to both, and what the user sees of both heads in the frame.
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "rov/RovLibrary.h"
#include "rov/ScanView.h"
#include "rov/ScanningProfilerPane.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <algorithm>
#include <string>

namespace
{
const int kPaneId = 4311;

struct ScanningProfilerFixture : ::testing::Test
{
    CWinApp app{"ScanningProfilerPaneTest"};
    CTestHost host;
    CScanningProfilerPane pane;
    CTritech* heads = host.m_Records.m_Tritech;

    void SetUp() override
    {
        ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
        for (int head = 0; head < CHostRecords::PROFILER_HEADS; ++head)
        {
            heads[head].m_Active = 1;
            heads[head].m_Range = 10;
            heads[head].m_PipePresent = 1;
            heads[head].m_PipeDown = 3.0;
            heads[head].m_PipeSize = 600;
            heads[head].m_PipeSizeUnit = 1;
            host.m_Records.m_Profiles[head].m_DrawStyle = PROFILE_STYLE_LINE;
            for (int p = 0; p < CHostRecords::PROFILE_POINTS; ++p)
            {
                TritechPointDef& point = host.m_Records.m_ProfilePoints[head][p];
                point.Across = -8.0 + 16.0 * p / (CHostRecords::PROFILE_POINTS - 1);
                point.Down = 4.0;
                point.Valid = 1;
            }
        }
        ASSERT_TRUE(host.CreateHost(900, 600));
        ASSERT_TRUE(host.Dock(pane, kPaneId, heads));
    }
    void TearDown() override { RovLibraryEntry(DLL_PROCESS_DETACH); }

    // Where a view lies in the pane's client area, or an empty rectangle when it is hidden.
    CRect Place(int head)
    {
        CScanView* view = pane.GetView(head);
        if (!view->IsWindowVisible())
            return CRect();
        CRect r;
        view->GetWindowRect(&r);
        pane.ScreenToClient(&r);
        return r;
    }
    void Resize(int width, int height)
    {
        pane.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
};

TEST_F(ScanningProfilerFixture, EachHeadHasItsViewInTheHostsFrame)
{
    EXPECT_EQ(std::string(pane.m_strTitle), "Scanning Profiler");
    ASSERT_NE(pane.GetView(1), nullptr);
    ASSERT_NE(pane.GetView(2), nullptr);
    EXPECT_EQ(pane.GetView(1)->GetData(), &heads[0]);
    EXPECT_EQ(pane.GetView(2)->GetData(), &heads[1]);
    EXPECT_EQ(pane.GetView(1)->GetDlgCtrlID(), 3);
    EXPECT_EQ(pane.GetView(2)->GetDlgCtrlID(), 3);
    // A click on a view leaves the host's focus where it was.
    EXPECT_EQ(pane.GetView(1)->SendMessage(WM_MOUSEACTIVATE, 0, 0), 0);

    QDir().mkpath(SUITE_VISUAL_DIR);
    for (bool night : {false, true})
    {
        if (night)
            host.Night(pane);
        else
            host.Day(pane);
        FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Scanning Profiler", &pane}}, {},
                                            QString(SUITE_VISUAL_DIR) +
                                                (night ? "/scanning_profiler_night.png" : "/scanning_profiler_day.png"));
        // Both heads show their lattice, their seabed line and their pipe.
        const QImage frame = FrameProbe::GrabWindow(&host);
        for (int head : {1, 2})
        {
            CScanView* view = pane.GetView(head);
            const QRect area = FrameProbe::PaneRect(view);
            ASSERT_FALSE(area.isEmpty()) << head;
            const QImage seen = frame.copy(area);
            const CPoint origin = view->GetOrigin();
            const double scale = view->GetPixelsPerMetre();
            ASSERT_GT(scale, 0.0);
            const auto at = [&](double across, double down) {
                return ColorRefFromQRgb(seen.pixel(int(origin.x + across * scale), int(origin.y + down * scale)));
            };
            EXPECT_EQ(at(-2.3, 4.0), host.m_Records.m_Profiles[head - 1].m_Colour1) << head;
            EXPECT_EQ(at(0.0, 3.0 + 0.3), view->GetColour(CScanView::PIPE)) << head;
            EXPECT_EQ(at(-1.5, 1.5), view->GetColour(CScanView::LATTICE_AREA)) << head;
        }
    }
}

TEST_F(ScanningProfilerFixture, ViewsAreLaidOutByTheActiveHeadsAndThePanesShape)
{
    struct Case
    {
        int width, height;
        bool active1, active2;
        CRect view1, view2; // in client coordinates; empty when hidden
    };
    // Client sizes follow from the pane's size less its title: measured once.
    Resize(600, 300);
    CRect client;
    pane.GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    ASSERT_GT(w, h);
    const Case wide[] = {
        {600, 300, true, true, CRect(0, 0, w / 2, h), CRect(w / 2, 0, w / 2 * 2, h)},
        {600, 300, true, false, CRect(0, 0, w, h), CRect()},
        {600, 300, false, true, CRect(), CRect(0, 0, w, h)},
        {600, 300, false, false, CRect(0, 0, w, h), CRect()},
    };
    for (const Case& c : wide)
    {
        heads[0].m_Active = c.active1;
        heads[1].m_Active = c.active2;
        pane.AdjustLayout();
        Pump();
        EXPECT_EQ(Place(1), c.view1) << c.active1 << c.active2;
        EXPECT_EQ(Place(2), c.view2) << c.active1 << c.active2;
    }
    // Taller than wide, or square: stacked.
    heads[0].m_Active = heads[1].m_Active = 1;
    for (int height : {700, 300 + (600 - 300)})
    {
        Resize(300, height);
        pane.GetClientRect(&client);
        ASSERT_LE(client.Width(), client.Height());
        EXPECT_EQ(Place(1), CRect(0, 0, client.Width(), client.Height() / 2));
        EXPECT_EQ(Place(2), CRect(0, client.Height() / 2, client.Width(), client.Height() / 2 * 2));
    }
}

TEST_F(ScanningProfilerFixture, SizingAndHidingTellTheParentShowingDoesNot)
{
    const POSTED_MESSAGE adjust{"UM_PANE_ADJUST", 0, 0};
    host.Clear();
    Resize(500, 320);
    EXPECT_NE(std::find(host.Messages().begin(), host.Messages().end(), adjust), host.Messages().end())
        << "sized";

    host.Clear();
    pane.ShowPane(FALSE, FALSE, FALSE);
    EXPECT_EQ(host.Messages(), std::vector<POSTED_MESSAGE>{adjust}) << "hidden";

    host.Clear();
    pane.ShowPane(TRUE, FALSE, FALSE);
    EXPECT_EQ(std::count(host.Messages().begin(), host.Messages().end(), adjust), 0) << "shown";
}

TEST_F(ScanningProfilerFixture, UpdatesSilenceAndNightReachTheirViews)
{
    host.Update(pane, 1);
    host.Update(pane, 7);
    host.Update(pane, 0);
    host.Timeout(pane, 2, true);
    EXPECT_FALSE(pane.GetView(1)->IsTimedOut());
    EXPECT_TRUE(pane.GetView(2)->IsTimedOut());
    host.Timeout(pane, 5, true);
    host.Timeout(pane, 1, true);
    EXPECT_TRUE(pane.GetView(1)->IsTimedOut());
    // The silent head's lattice shows at once in the time-out colour.
    const QImage frame = FrameProbe::GrabWindow(&host);
    const QRect area = FrameProbe::PaneRect(pane.GetView(2));
    EXPECT_EQ(ColorRefFromQRgb(frame.pixel(area.left() + 2, area.top() + 2)), 0x0000FFu);

    host.Night(pane);
    for (int head : {1, 2})
        EXPECT_TRUE(pane.GetView(head)->GetNightMode()) << head;
    EXPECT_EQ(host.m_Records.m_Profiles[1].m_Colour1, CScanView::NIGHT_EVEN);
    host.Day(pane);
    for (int head : {1, 2})
        EXPECT_FALSE(pane.GetView(head)->GetNightMode()) << head;
}

TEST(ScanningProfilerPane, WithoutARecordOneEmptyViewShows)
{
    CWinApp app{"ScanningProfilerNull"};
    ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
    CTestHost host;
    ASSERT_TRUE(host.CreateHost());
    {
        CScanningProfilerPane pane;
        ASSERT_TRUE(host.Dock(pane, kPaneId + 1, static_cast<CTritech*>(nullptr)));
        host.Update(pane, 1);
        EXPECT_TRUE(pane.GetView(1)->IsWindowVisible());
        EXPECT_FALSE(pane.GetView(2)->IsWindowVisible());
        EXPECT_EQ(pane.GetView(1)->GetData(), nullptr);
    }
    CScanningProfilerPane never;
    never.Update(1);
    never.SetTimeout(1, true);
    never.SetNightMode(true);
    never.AdjustLayout();
    EXPECT_EQ(never.GetView(1), nullptr);
    RovLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
