// The MRU pane as the host meets it, docked in the test host's frame: the attitude the user sees
// in the frame's picture, the record of the index the host names read from its array, silence
// shown once per change, day and night, and a host with no record yet.
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "rov/MruPane.h"
#include "rov/PitchRollView.h"
#include "rov/RovLibrary.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace
{
const CPitchRollView::Colours& kDay = CPitchRollView::DAY_COLOURS;

struct MruPaneFixture : ::testing::Test
{
    CWinApp app{"MruPaneTest"};
    CTestHost host;
    CMruPane pane;
    CMru* mru = host.m_Records.m_Mru;

    void SetUp() override
    {
        ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
        for (int i = 0; i < CHostRecords::MRUS; ++i)
        {
            mru[i].m_Heading = DBL_MAX;
            mru[i].m_Pitch = 0.0;
            mru[i].m_Roll = 0.0;
        }
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(host.Dock(pane, 4301, mru));
    }
    void TearDown() override { RovLibraryEntry(DLL_PROCESS_DETACH); }

    CPitchRollView& View() { return *pane.GetView(); }

    // The view's part of the frame's picture, as the user sees it.
    QImage Seen()
    {
        const QImage frame = FrameProbe::GrabWindow(&host);
        const QRect area = FrameProbe::PaneRect(pane.GetView());
        EXPECT_FALSE(area.isEmpty()) << "the view shows in the frame";
        return frame.copy(area);
    }
};

COLORREF At(const QImage& image, int x, int y)
{
    return ColorRefFromQRgb(image.pixel(x, y));
}

TEST_F(MruPaneFixture, ShowsTheAttitudeInTheHostsFrame)
{
    EXPECT_EQ(std::string(pane.m_strTitle), "Motion Reference Unit (Heading Pitch Roll)");
    ASSERT_NE(pane.GetView(), nullptr);
    EXPECT_EQ(View().GetDlgCtrlID(), 3);
    EXPECT_TRUE(View().GetDisplayText());

    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"MRU", &pane}});
    const QImage seen = Seen();
    ASSERT_GT(seen.width(), 40);
    ASSERT_GT(seen.height(), 40);
    // No heading: the indicator fills the largest square centred in the view.
    const int side = std::min(seen.width(), seen.height());
    const int cx = seen.width() / 2, cy = seen.height() / 2;
    EXPECT_EQ(At(seen, cx, cy - side / 4), kDay.Sky);
    EXPECT_EQ(At(seen, cx, cy + side / 4), kDay.Ground);
}

TEST_F(MruPaneFixture, UpdateReadsTheRecordOfTheIndexFromTheHostsArray)
{
    mru[0].m_Heading = 10.0;
    mru[0].m_Pitch = 1.0;
    mru[0].m_Roll = 2.0;
    mru[1].m_Heading = 200.0;
    mru[1].m_Pitch = 3.0;
    mru[1].m_Roll = -4.0;
    host.Update(pane, 1);
    EXPECT_EQ(View().GetTrueHeading(), 200.0);
    EXPECT_EQ(View().GetPitch(), 3.0);
    EXPECT_EQ(View().GetRoll(), -4.0);
    host.Update(pane, 0);
    EXPECT_EQ(View().GetTrueHeading(), 10.0);

    // The user sees the rose ring the smaller indicator once there is a heading.
    const QImage seen = Seen();
    const int side = std::min(seen.width(), seen.height());
    EXPECT_EQ(At(seen, seen.width() / 2, seen.height() / 2 - side / 2 + 3), kDay.Rose);
}

TEST_F(MruPaneFixture, SilenceChangesTheViewOncePerChangeAndShowsAtOnce)
{
    host.Timeout(pane, true);
    EXPECT_TRUE(View().IsTimedOut());
    EXPECT_EQ(At(Seen(), 1, 1), 0x0000FFu);
    // What the view holds now stays while the flag does not change.
    View().SetTimeout(false);
    host.Timeout(pane, true);
    EXPECT_FALSE(View().IsTimedOut());
    host.Timeout(pane, false);
    EXPECT_FALSE(View().IsTimedOut());
    View().SetTimeout(true);
    host.Timeout(pane, false);
    EXPECT_TRUE(View().IsTimedOut());
    EXPECT_FALSE(pane.IsTimedOut());
}

TEST_F(MruPaneFixture, NightAndDayRecolourTheView)
{
    host.Timeout(pane, true);
    host.Night(pane);
    EXPECT_TRUE(View().GetNightMode());
    EXPECT_EQ(At(Seen(), 1, 1), 0x000080u);
    host.Day(pane);
    EXPECT_FALSE(View().GetNightMode());
    EXPECT_EQ(At(Seen(), 1, 1), 0x0000FFu);
}

TEST_F(MruPaneFixture, CornerTextsShowAtDueNorth)
{
    mru[2].m_Heading = 0.0;
    mru[2].m_Pitch = 1.0;
    mru[2].m_Roll = -1.0;
    host.Update(pane, 2);
    const QImage seen = Seen();
    // The read-outs' boxes run from the corners to the rose's 315° point.
    const int side = std::min(seen.width(), seen.height());
    const int a = seen.width() / 2 - static_cast<int>(std::ceil(side / 2.0 * M_SQRT1_2));
    const int b = seen.height() / 2 - static_cast<int>(std::floor(side / 2.0 * M_SQRT1_2));
    ASSERT_GT(a, 10);
    int black = 0;
    for (int y = seen.height() - b; y < seen.height(); ++y)
        for (int x = 5; x < 5 + a; ++x)
            black += At(seen, x, y) == kDay.Text ? 1 : 0;
    EXPECT_GT(black, 20) << "the pitch read-out";
}

TEST(MruPane, WithoutARecordUpdatesAreIgnored)
{
    CWinApp app{"MruPaneNull"};
    CTestHost host;
    ASSERT_TRUE(host.CreateHost());
    CMruPane pane;
    ASSERT_TRUE(host.Dock(pane, 4302, static_cast<CMru*>(nullptr)));
    host.Update(pane, 0);
    host.Update(pane, 5);
    EXPECT_EQ(pane.GetView()->GetPitch(), PITCH_ROLL_NO_VALUE);
    EXPECT_EQ(pane.GetView()->GetTrueHeading(), PITCH_ROLL_NO_VALUE);
}

TEST(MruPane, BeforeCreationEveryCallIsHarmless)
{
    CMruPane pane;
    pane.Update(0);
    pane.SetTimeout(true);
    pane.SetNightMode(true);
    pane.SetDaylightMode();
    EXPECT_EQ(pane.GetView(), nullptr);
    EXPECT_FALSE(pane.IsTimedOut());
}
} // namespace
