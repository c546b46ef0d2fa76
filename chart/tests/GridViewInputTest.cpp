// The chart view's wheel and keys, and the pane that holds a view.
#include "chart/frame/ChartexaFrame.h"
#include "chart/view/ChartexaStatusBar.h"
#include "chart/view/GridView.h"
#include "chart/view/GridViewPane.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"

#include <QWidget>
#include <gtest/gtest.h>

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
    // A key as the platform's translation delivers it: the key, then its character.
    void Press(UINT key, UINT character)
    {
        view->SendMessage(WM_KEYDOWN, key, 1);
        if (character != 0)
            view->SendMessage(WM_CHAR, character, 1);
    }
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

TEST_F(GridViewInput, EachKeyPressZoomsOneStepAndCharactersDoNotNavigate)
{
    const struct
    {
        UINT key;
        UINT character;
        int step;
    } cases[] = {{'I', 'i', -1}, {'O', 'o', +1}, {0x21, 0, -1}, {0x22, 0, +1}, {0x6B, '+', -1}, {0x6D, '-', +1}};
    for (const auto& c : cases)
    {
        const int before = Scale();
        Press(c.key, c.character);
        EXPECT_EQ(Scale(), before + c.step) << c.key;
    }
    const double e = view->GetPlot()->originE, n = view->GetPlot()->originN;
    const bool northUp = view->GetNorthUp();
    const int before = Scale();
    for (UINT typed : {'!', '#', '$'})
        view->SendMessage(WM_CHAR, typed, 1);
    EXPECT_EQ(Scale(), before);
    EXPECT_EQ(view->GetPlot()->originE, e);
    EXPECT_EQ(view->GetPlot()->originN, n);
    EXPECT_EQ(view->GetNorthUp(), northUp);
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
    Press('I', 'i');
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
