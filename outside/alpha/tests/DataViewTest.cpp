// The navigation display's data boxes: each takes only the values of its type, shows its
// type's label, reads as timed out (in red) until new values come, and clears.
#include "outside/alpha/DataView.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "testsupport/EventPump.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
int CountColour(const QImage& image, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColorRefFromQRgb(image.pixel(x, y)) == colour)
                ++count;
    return count;
}

// Every update a frame forwards, given to one box.
void FeedAll(CDataView& box)
{
    box.UpdateGridPosition("Vessel", 1000.0, 2000.0);
    box.UpdateGridPosition(10.0, 20.0);
    box.UpdateGeogPosition("Vessel", 0.9, -0.05);
    box.UpdateGyro(M_PI / 2, 0.0, 0.0);
    box.UpdateMru(0.01, 0.02, 0.5, 0, 0, 0, 0);
    box.UpdateSpeedMetresPerSecond(2.5, 0.25);
    box.UpdateDepth(42.0);
    box.UpdateRangeAndBearing("Target", 150.0, M_PI, 3.0);
}
} // namespace

TEST(DataView, EachTypeShowsOnlyItsOwnValues)
{
    const struct
    {
        int type;
        const char* label;
        const char* title;
        const char* first;
    } cases[] = {{BOX_NONE, "None", "None", ""},
                 {BOX_GRID_POSITION, "Grid Position", "Vessel", "E 1000.00"},
                 {BOX_CURSOR_POSITION, "Cursor Position", "Cursor Position", "E 10.00"},
                 {BOX_HEADING, "Heading", "Heading", "Hdg 90.00\xB0"},
                 {BOX_MOTION, "Motion", "Motion", "Roll 0.57\xB0"},
                 {BOX_SPEED, "Speed", "Speed", "Fwd 2.50 m/s"},
                 {BOX_DEPTH, "Depth", "Depth", "42.00 m"},
                 {BOX_RANGE_BEARING, "Range and Bearing", "Target", "Rng 150.00 m"},
                 {99, "None", "None", ""}};
    for (const auto& c : cases)
    {
        CDataView box;
        box.SetBoxType(c.type);
        EXPECT_EQ(box.GetBoxType(), c.type);
        EXPECT_EQ(box.GetBoxLabel(), c.label) << c.type;
        FeedAll(box);
        EXPECT_EQ(box.GetTitle(), c.title) << c.type;
        EXPECT_EQ(box.GetValueText(0), c.first) << c.type;
        box.ClearDisplay();
        EXPECT_EQ(box.GetValueText(0), "") << c.type;
        EXPECT_EQ(box.GetTitle(), c.label) << c.type;
    }
}

TEST(DataView, TimedOutValuesShowInRedUntilNewOnesCome)
{
    CWinApp app("DataViewTest");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
    CDataView box;
    ASSERT_TRUE(box.Create(&main));
    EXPECT_FALSE(box.IsWindowVisible());
    box.SetSettings(120, 0, true);
    box.SetBoxType(BOX_DEPTH);
    box.MoveWindow(0, 0, 300, 100);
    box.ShowWindow(SW_SHOW);
    box.UpdateDepth(12.25);
    Pump();
    EXPECT_EQ(CountColour(box.RenderToImage(), 0x0000FF), 0);
    EXPECT_GT(CountColour(box.RenderToImage(), 0xFFFFFF), 20);

    box.GridTimeout(true); // another source
    EXPECT_FALSE(box.IsTimedOut());
    box.DepthTimeout(true);
    EXPECT_TRUE(box.IsTimedOut());
    Pump();
    EXPECT_GT(CountColour(box.RenderToImage(), 0x0000FF), 20);
    box.UpdateDepth(13.0);
    EXPECT_FALSE(box.IsTimedOut());
}
