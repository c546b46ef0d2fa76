// The chart view's mouse wheel and keys, given as a user gives them: Qt's key and wheel events
// through the layer's translation into key, character and wheel messages.
#include "chart/ChartexaStatusBar.h"
#include "chart/GridView.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace
{
// A view that counts the paints it makes at once, outside the window's own paint message;
// the chart's own drawing is not what these tests look at.
class CCountingView : public CGridView
{
public:
    void OnDraw(CDC*) override
    {
        const MSG* current = CWnd::GetCurrentMessage();
        if (!current || current->message != WM_PAINT)
            ++paints;
    }
    int paints = 0;
};

struct GridViewInputFixture : ::testing::Test
{
    CWinApp app{"GridViewInputTest"};
    CRecordingOwner owner;
    CCountingView view;

    void SetUp() override
    {
        CGridView::m_WheelCount = 0;
        ASSERT_TRUE(owner.CreateOwner(400, 300));
        ASSERT_TRUE(view.Create(&owner, static_cast<CChartexaStatusBar*>(nullptr)));
        view.MoveWindow(0, 0, 300, 200);
        view.SetFocus();
        Pump();
        ASSERT_TRUE(view.GetWidget()->hasFocus());
    }
    int& Index() { return view.GetPlot()->scaleIndex; }
};
} // namespace

TEST_F(GridViewInputFixture, EachNavigationKeyPressActsOnce)
{
    const struct
    {
        int key;
        unsigned int modifiers;
        int change;
        const char* name;
    } cases[] = {{Qt::Key_I, Qt::ShiftModifier, -1, "I"},
                 {Qt::Key_I, Qt::NoModifier, -1, "i"},
                 {Qt::Key_O, Qt::ShiftModifier, +1, "O"},
                 {Qt::Key_PageUp, Qt::NoModifier, -1, "Page Up"},
                 {Qt::Key_PageDown, Qt::NoModifier, +1, "Page Down"},
                 {Qt::Key_Plus, Qt::KeypadModifier, -1, "pad +"},
                 {Qt::Key_Minus, Qt::KeypadModifier, +1, "pad -"}};
    for (const auto& c : cases)
    {
        Index() = 15;
        UserInput::Key(c.key, c.modifiers);
        EXPECT_EQ(Index(), 15 + c.change) << c.name;
    }
}

TEST_F(GridViewInputFixture, TypedCharactersSharingNavigationCodesMoveNothing)
{
    // '!', '#' and '$' have the codes of Page Up, End and Home.
    view.GetPlot()->originE = 500.0;
    view.GetPlot()->originN = 700.0;
    const bool northUp = view.GetNorthUp();
    UserInput::Type("!#$", false);
    EXPECT_EQ(Index(), 15);
    EXPECT_EQ(view.GetNorthUp(), northUp);
    EXPECT_EQ(view.GetPlot()->originE, 500.0);
    EXPECT_EQ(view.GetPlot()->originN, 700.0);

    // The keys themselves still navigate.
    UserInput::Key(Qt::Key_Home);
    EXPECT_EQ(view.GetPlot()->originE, 0.0);
    UserInput::Key(Qt::Key_End);
    EXPECT_NE(view.GetNorthUp(), northUp);
}

TEST_F(GridViewInputFixture, SixNotchesZoomOneStep)
{
    UserInput::Wheel(&view, 5);
    EXPECT_EQ(Index(), 15);
    EXPECT_EQ(view.paints, 0);
    UserInput::Wheel(&view, 1);
    EXPECT_EQ(Index(), 14);
    EXPECT_EQ(view.paints, 1);
    EXPECT_EQ(CGridView::m_WheelCount, 0);
    UserInput::Wheel(&view, 12);
    EXPECT_EQ(Index(), 12);

    // Towards the user zooms out; notches either way cancel in the count.
    UserInput::Wheel(&view, -4);
    UserInput::Wheel(&view, 3);
    UserInput::Wheel(&view, -4);
    EXPECT_EQ(Index(), 12);
    UserInput::Wheel(&view, -1);
    EXPECT_EQ(Index(), 13);
}

TEST_F(GridViewInputFixture, WheelAtTheScaleLimitsRepaintsWithoutZooming)
{
    const struct
    {
        int start;
        int notches;
    } cases[] = {{29, -6}, {30, -6}, {1, 6}, {0, 6}};
    for (const auto& c : cases)
    {
        Index() = c.start;
        const int paints = view.paints;
        UserInput::Wheel(&view, c.notches);
        EXPECT_EQ(Index(), c.start) << c.start;
        EXPECT_EQ(view.paints, paints + 1) << c.start;
        EXPECT_EQ(CGridView::m_WheelCount, 0) << c.start;
    }
}

TEST_F(GridViewInputFixture, NotchesCountTowardsAnotherViewsZoom)
{
    CCountingView other;
    ASSERT_TRUE(other.Create(&owner, static_cast<CChartexaStatusBar*>(nullptr)));
    other.MoveWindow(300, 0, 100, 200);
    Pump();
    UserInput::Wheel(&view, 4);
    UserInput::Wheel(&other, 2);
    EXPECT_EQ(Index(), 15);
    EXPECT_EQ(other.GetPlot()->scaleIndex, 14);
}

TEST_F(GridViewInputFixture, RemoteViewIgnoresWheelAndKeys)
{
    CCountingView remote;
    ASSERT_TRUE(remote.Create(&owner, static_cast<CDataView*>(nullptr)));
    remote.MoveWindow(0, 0, 300, 200);
    remote.SetFocus();
    Pump();
    UserInput::Wheel(&remote, 12);
    UserInput::Key(Qt::Key_PageUp);
    UserInput::Key(Qt::Key_Left);
    EXPECT_EQ(remote.GetPlot()->scaleIndex, 15);
    EXPECT_EQ(remote.GetPlot()->originE, 0.0);
    EXPECT_EQ(remote.paints, 0);
    EXPECT_EQ(CGridView::m_WheelCount, 0);
}
