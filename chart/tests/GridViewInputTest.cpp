// The chart view's wheel and keys, and the pane that holds a view.
#include "chart/frame/ChartexaFrame.h"
#include "chart/view/ChartexaStatusBar.h"
#include "chart/view/GridView.h"
#include "chart/view/GridViewPane.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"
#include "testsupport/ViewKeys.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
class GridViewInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(640, 480));
        view = new CGridView;
        ASSERT_TRUE(view->Create(&owner, static_cast<CChartexaStatusBar*>(nullptr)));
        view->SetMutex(&mutex);
        view->GetPlot()->scaleIndex = 15;
        CGridView::m_WheelCount = 0;
    }
    // A key as a user gives it: to the widget that has the focus, the view once clicked.
    void Press(int key, unsigned int modifiers = Qt::NoModifier) { UserInput::Key(key, modifiers); }
    void Wheel(CGridView* target, int notches)
    {
        for (int i = 0; i < std::abs(notches); ++i)
            target->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, notches < 0 ? -120 : 120), MAKELPARAM(10, 10));
    }
    int Scale() const { return view->GetPlot()->scaleIndex; }

    CWinApp app{"GridViewInputTest"};
    CRecordingOwner owner;
    CGridView* view = nullptr;
    CMutex mutex;
};
} // namespace

TEST_F(GridViewInput, AClickGivesTheViewItsKeysAndEachPressActsOnce)
{
    CGridPlot& plot = *view->GetPlot();
    const double step = CGridPlot::spacingTable[15];
    plot.originE = 1000.0;
    plot.originN = 2000.0;
    // A zoom key moves the scale one step from wherever it was when the key came.
    int expected = 0;
    const auto zoom = [this, &expected](const char* what, int key, unsigned int modifiers, int by) {
        return VIEW_KEY_CASE{what, key, modifiers, [this, &expected, by] { expected = Scale() + by; },
                             [this, &expected] { return Scale() == expected; }};
    };
    const auto origin = [&plot](double e, double n) {
        return [&plot, e, n] { return std::fabs(plot.originE - e) < 1e-6 && std::fabs(plot.originN - n) < 1e-6; };
    };
    const bool northUp = view->GetNorthUp();
    std::vector<VIEW_KEY_CASE> cases = {
        zoom("I zooms in", Qt::Key_I, Qt::NoModifier, -1),
        zoom("O zooms out", Qt::Key_O, Qt::NoModifier, +1),
        zoom("Page Up zooms in", Qt::Key_PageUp, Qt::NoModifier, -1),
        zoom("Page Down zooms out", Qt::Key_PageDown, Qt::NoModifier, +1),
        zoom("keypad + zooms in", Qt::Key_Plus, Qt::KeypadModifier, -1),
        zoom("keypad - zooms out", Qt::Key_Minus, Qt::KeypadModifier, +1),
    };
    // The pans start from the origin at 1000, 2000 and walk round a square.
    cases.push_back({"Right pans east", Qt::Key_Right, Qt::NoModifier, {}, origin(1000.0 + step, 2000.0)});
    cases.push_back({"Up pans north", Qt::Key_Up, Qt::NoModifier, {}, origin(1000.0 + step, 2000.0 + step)});
    cases.push_back({"Left pans west", Qt::Key_Left, Qt::NoModifier, {}, origin(1000.0, 2000.0 + step)});
    cases.push_back({"Down pans south", Qt::Key_Down, Qt::NoModifier, {}, origin(1000.0, 2000.0)});
    cases.push_back(
        {"End turns north up", Qt::Key_End, Qt::NoModifier, {}, [&] { return view->GetNorthUp() != northUp; }});
    cases.push_back({"Home centres the grid origin", Qt::Key_Home, Qt::NoModifier, {}, origin(0.0, 0.0)});
    // The focus starts on another window of the host each time, so that the click must bring it.
    CWnd other;
    ASSERT_TRUE(other.Create(WC_EDIT, "", WS_CHILD | WS_VISIBLE, CRect(420, 10, 600, 30), &owner, 7));
    ExpectViewKeys(view, POINT{100, 100}, [&other] { UserInput::ClickClient(&other, 5, 5); }, cases);

    // Characters typed navigate nothing.
    const double e = plot.originE, n = plot.originN;
    const int before = Scale();
    for (int typed : {Qt::Key_Exclam, Qt::Key_NumberSign, Qt::Key_Dollar})
        Press(typed, Qt::ShiftModifier);
    EXPECT_EQ(Scale(), before);
    EXPECT_EQ(plot.originE, e);
    EXPECT_EQ(plot.originN, n);
}

// A chart view in the host's pane takes the keys with a click and tells the host (its main
// window) that it has the focus; it does not become the host frame's own view.
TEST_F(GridViewInput, AViewInAPaneTakesTheKeysAndTellsTheHost)
{
    CChartexaStatusBar bar;
    CGridViewPane pane;
    ASSERT_TRUE(pane.Create(&owner, 33100, &bar));
    pane.ShowPane(TRUE, FALSE, TRUE);
    pane.SetWindowPos(nullptr, 0, 0, 300, 220, SWP_NOZORDER);
    owner.SetAsMainWindow(true);
    Pump();
    CGridView* inPane = pane.GetView();
    inPane->SetMutex(&mutex);
    inPane->GetPlot()->scaleIndex = 15;
    owner.Clear();
    UserInput::ClickClient(inPane, 150, 110);
    EXPECT_EQ(CWnd::GetFocus(), inPane);
    EXPECT_EQ(owner.GetActiveView(), nullptr);
    const std::vector<POSTED_MESSAGE> told = owner.Messages();
    EXPECT_NE(std::find(told.begin(), told.end(),
                        POSTED_MESSAGE{"UM_SET_FOCUS", reinterpret_cast<WPARAM>(inPane), 0}),
              told.end());
    Press(Qt::Key_O);
    EXPECT_EQ(inPane->GetPlot()->scaleIndex, 16);
    owner.SetAsMainWindow(false);
}

TEST_F(GridViewInput, SixNotchesZoomOneStepCountedAcrossViews)
{
    Wheel(view, -5);
    EXPECT_EQ(Scale(), 15);
    Wheel(view, -1);
    EXPECT_EQ(Scale(), 16);
    Wheel(view, -12);
    EXPECT_EQ(Scale(), 18);
    Wheel(view, -3);
    Wheel(view, 3); // opposite notches cancel
    Wheel(view, -5);
    EXPECT_EQ(Scale(), 18);
    Wheel(view, 5);
    EXPECT_EQ(CGridView::m_WheelCount, 0);
    Wheel(view, 6);
    EXPECT_EQ(Scale(), 17);

    view->GetPlot()->scaleIndex = 29;
    Wheel(view, -6);
    EXPECT_EQ(Scale(), 29);
    EXPECT_EQ(CGridView::m_WheelCount, 0);

    // The count is the process's: notches on one view count towards another's zoom.
    CGridView* other = new CGridView;
    ASSERT_TRUE(other->Create(&owner, static_cast<CChartexaStatusBar*>(nullptr)));
    other->GetPlot()->scaleIndex = 10;
    Wheel(view, 3);
    Wheel(other, 3);
    EXPECT_EQ(other->GetPlot()->scaleIndex, 9);

    // A remote view ignores wheel and keys.
    view->m_bRemote = true;
    view->GetPlot()->scaleIndex = 15;
    Wheel(view, 12);
    UserInput::ClickClient(view, 100, 100);
    Press(Qt::Key_I);
    EXPECT_EQ(Scale(), 15);
}

TEST_F(GridViewInput, PaneHoldsItsViewHiddenUntilShownOnce)
{
    CChartexaStatusBar bar;
    CGridViewPane pane;
    ASSERT_TRUE(pane.Create(&owner, 33100, &bar));
    ASSERT_NE(pane.GetView(), nullptr);
    EXPECT_FALSE(pane.IsWindowVisible()); // no stored visibility
    EXPECT_FALSE(pane.GetView()->m_bShowTools);
    EXPECT_EQ(pane.GetView()->m_pStatusBar, &bar);
    EXPECT_STREQ(pane.GetView()->GetPlot()->settingsName, "Grid View Pane");

    pane.SetWindowPos(nullptr, 0, 0, 300, 220, SWP_NOZORDER);
    CRect client, inView;
    pane.GetClientRect(&client);
    pane.GetView()->GetClientRect(&inView);
    EXPECT_EQ(inView.Width(), client.Width());
    EXPECT_EQ(inView.Height(), client.Height());

    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());

    CGridViewPane empty;
    EXPECT_FALSE(empty.GetNightMode());
    empty.SetNightMode(true);
    EXPECT_FALSE(empty.GetNightMode());
}

TEST_F(GridViewInput, ChildFrameIsMadeDynamically)
{
    CObject* object = RUNTIME_CLASS(CChartexaFrame)->CreateObject();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CMDIChildWndEx)));
    EXPECT_EQ(static_cast<CChartexaFrame*>(object)->m_Reserved, 0);
    delete object;
}
