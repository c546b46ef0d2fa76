// The suite's grid colour schemes and item classes.
#include "platform/core/WinApp.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridItems.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

#include <array>

namespace
{
using Colours = std::array<COLORREF, 7>;

Colours ColoursOf(const CMyMFCPropertyGridCtrl& grid)
{
    Colours c{};
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c;
}

struct PanesFixture : ::testing::Test
{
    CWnd top;
    CMyMFCPropertyGridCtrl grid;
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300), nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &top, 1));
    }
};
} // namespace

TEST_F(PanesFixture, ColourSchemesByDayAndNight)
{
    struct Case
    {
        int scheme;
        bool night;
        Colours colours;
    } cases[] = {
        {0, false, {0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x000000, 0xEBEBEB}},
        {0, true, {0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x000000, 0xEBEBEB}},
        {1, true, {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}},
        {2, false, {0xCCFFCC, 0x000000, 0x008000, 0x80FF80, 0x008000, 0x80FF80, 0x000000}},
        {5, true, {0x000000, 0x000080, 0x000040, 0x000080, 0x000040, 0x000080, 0x000080}},
        {7, false, {0xD6D6D6, 0x000000, 0x400000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555}},
        {7, true, {0x000000, 0xC0C0C0, 0x800000, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}},
    };
    for (const Case& c : cases)
    {
        grid.SetNightMode(c.night);
        EXPECT_TRUE(grid.SetColourScheme(c.scheme));
        EXPECT_EQ(ColoursOf(grid), c.colours) << c.scheme << (c.night ? " night" : " day");
        EXPECT_EQ(grid.GetColourScheme(), c.scheme);
    }
    const Colours before = ColoursOf(grid);
    EXPECT_FALSE(grid.SetColourScheme(8));
    EXPECT_FALSE(grid.SetColourScheme(-1));
    EXPECT_EQ(ColoursOf(grid), before);
    EXPECT_EQ(grid.GetColourScheme(), 7);
}

TEST_F(PanesFixture, ColourFillAndThicknessItemsShowNamesAndTakeOnlyTheirChoices)
{
    auto* colour = new CMFCPropertyGridPrimaryColourProperty("Colour", 0xC0C0C0, 28, "Pen colour", 4);
    auto* fill = new CMFCPropertyGridFillStyleProperty(4, 0xC0C0C0, 5);
    auto* thickness = new CMFCPropertyGridLineThicknessProperty(1, 0xC0C0C0, 6);
    auto* group = new CMFCPropertyGridProperty("Boundary");
    group->AddSubItem(colour);
    group->AddSubItem(fill);
    group->AddSubItem(thickness);
    grid.AddProperty(group);

    EXPECT_EQ(colour->GetOptionCount(), 28);
    EXPECT_STREQ(grid.GetShownValue(colour), "White"); // "White" is the light grey
    EXPECT_TRUE(grid.EditProperty(colour, "Bright White"));
    EXPECT_EQ(colour->GetColour(), 0xFFFFFFu);
    EXPECT_FALSE(grid.EditProperty(colour, "Sky"));
    EXPECT_EQ(colour->GetColour(), 0xFFFFFFu);
    colour->SetColour(0x123456);
    EXPECT_STREQ(grid.GetShownValue(colour), "RGB(86,52,18)");

    EXPECT_STREQ(grid.GetShownValue(fill), "Cross");
    EXPECT_TRUE(grid.EditProperty(fill, "Solid"));
    EXPECT_EQ(fill->GetFillStyle(), -1); // the feature files' solid fill
    EXPECT_TRUE(grid.EditProperty(fill, "None"));
    EXPECT_EQ(fill->GetFillStyle(), -2);
    EXPECT_TRUE(grid.EditProperty(fill, "Solid"));
    EXPECT_TRUE(grid.EditProperty(thickness, "3"));
    EXPECT_EQ(thickness->GetThickness(), 3);
    EXPECT_FALSE(grid.EditProperty(thickness, "0"));
    EXPECT_FALSE(grid.EditProperty(thickness, "11"));
    fill->SetColour(0x0000FF);
    EXPECT_EQ(fill->GetColour(), 0x0000FFu);
    EXPECT_STREQ(CMFCPropertyGridPrimaryColourProperty::GetPaletteName(27), "Crimson");
    EXPECT_EQ(CMFCPropertyGridPrimaryColourProperty::GetPaletteColour(27), 0x8000FFu);
}

TEST_F(PanesFixture, DoubleShowsItsFormatAndRefusesEditsWhileLocked)
{
    auto* clearance = new CMFCPropertyGridDouble("Clearance", 12.25, "%7.1lfm", "Warning distance", 12);
    auto* rings = new CMFCPropertyGridBool("Draw Tolerance Circle", true, "Add Label", 14);
    grid.AddProperty(clearance);
    grid.AddProperty(rings);
    EXPECT_STREQ(grid.GetShownValue(clearance), "   12.2m");
    EXPECT_TRUE(grid.EditProperty(clearance, "30.5m"));
    EXPECT_DOUBLE_EQ(clearance->GetDouble(), 30.5);
    EXPECT_FALSE(grid.EditProperty(clearance, "m"));
    clearance->SetLock(true);
    EXPECT_FALSE(grid.EditProperty(clearance, "40"));
    EXPECT_DOUBLE_EQ(clearance->GetDouble(), 30.5);
    clearance->SetLock(false);
    clearance->SetValue(1.0);
    EXPECT_STREQ(grid.GetShownValue(clearance), "    1.0m");

    EXPECT_TRUE(rings->GetBool());
    EXPECT_TRUE(grid.EditProperty(rings, "False"));
    EXPECT_FALSE(rings->GetBool());
}

TEST_F(PanesFixture, ATitleShowsItsTextAndTakesNoEdit)
{
    auto* title = new CMFCPropertyGridTitleProperty("No Files Selected");
    grid.AddProperty(title);
    EXPECT_STREQ(grid.GetShownName(title), "No Files Selected");
    EXPECT_STREQ(grid.GetShownValue(title), "");
    EXPECT_FALSE(title->IsGroup());
    EXPECT_FALSE(grid.EditProperty(title, "Something"));
    EXPECT_STREQ(grid.GetShownValue(title), "");
    // The text runs across the row, not cut at the name column.
    auto* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(tree->topLevelItem(0)->isFirstColumnSpanned());
}

TEST_F(PanesFixture, PasswordIsKeptHashedAndCheckedOnEntry)
{
    CWinApp app("PanesTest");
    auto* password = new CMFCPropertyGridPasswordProperty(15);
    grid.AddProperty(password);
    EXPECT_FALSE(CMFCPropertyGridPasswordProperty::IsPasswordPresent());
    EXPECT_TRUE(grid.EditProperty(password, "anything"));
    EXPECT_FALSE(password->IsPasswordOk()); // no password configured: nothing unlocks

    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword("s3cret"));
    EXPECT_TRUE(CMFCPropertyGridPasswordProperty::IsPasswordPresent());
    EXPECT_EQ(app.GetProfileString("Panes", "PasswordHash").Find("s3cret"), -1);
    EXPECT_TRUE(grid.EditProperty(password, "wrong"));
    EXPECT_FALSE(password->IsPasswordOk());
    EXPECT_TRUE(grid.EditProperty(password, "s3cret"));
    EXPECT_TRUE(password->IsPasswordOk());
    EXPECT_STREQ(grid.GetShownValue(password), "******");
    EXPECT_TRUE(password->GetEditText().IsEmpty());

    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword(""));
    EXPECT_FALSE(CMFCPropertyGridPasswordProperty::IsPasswordPresent());
}

// A cell 100..400 (half way at 250): the second part keeps its half while it fits, takes what
// it needs from a short first value when it does not, and never pushes into the first value.
TEST(DualDisplay, SecondValueTakesRoomTheFirstDoesNotUse)
{
    const struct
    {
        int first, second, split;
    } cases[] = {
        {100, 150, 250}, // both fit their halves
        {100, 190, 210}, // the second needs 190: moved left just enough
        {130, 190, 230}, // ... but not into the first value
        {180, 190, 250}, // neither fits: the halves stay
        {100, 350, 200}, // the second cannot fit at all: it gets all the first leaves
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMFCPropertyGridDualDisplay::SplitPoint(100, 400, c.first, c.second), c.split)
            << c.first << " " << c.second;
}
