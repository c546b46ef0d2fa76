// The suite's grid colour schemes and item classes.
#include "platform/core/WinApp.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/Dc.h"

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

// A pipe tracker's row "Coils  1.89m. | Altitude  3.91m." in value cells from roomy to narrow:
// the bar leaves the middle only as far as both values need, the blanks a format puts before a
// number give way first, then the second name; the values and units stay whole.
TEST(DualDisplayLayout, ValuesAndUnitsStayWholeAsTheCellNarrows)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Sans"));
    CFont* oldFont = dc.SelectObject(&font);
    CMFCPropertyGridDualDisplay row("Coils", 1.89, "%6.2lf", "m.", "Altitude", 3.91, "%6.2lf", "m.");
    auto width = [&](const CString& text) { return static_cast<int>(dc.GetTextExtent(text).cx); };
    const int inset = 10, gap = 4;
    const int v1 = width(row.GetValueText(1)) + inset, v2 = width(row.GetValueText(2)) + inset;
    const int name = width("Altitude");
    const int bare = width("1.89m.") + width("3.91m.") + 2 * inset;
    enum
    {
        MOVED,
        HALVES,
        EITHER
    };

    const struct
    {
        const char* cell;
        int width;
        int divider;
        bool wholeName, blanksKept;
    } cases[] = {
        {"roomy", 2 * (v2 + gap + name) + 10, HALVES, true, true},
        {"just wide enough", v1 + v2 + gap + name + 1, MOVED, true, true},
        {"a pixel short of names and values", v1 + v2 + gap + name - 1, EITHER, true, false},
        {"narrower than the name and the bare values", bare + gap + name / 2, EITHER, false, false},
        {"room for the bare values alone", bare + 1, EITHER, false, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.cell);
        const CRect cell(20, 0, 20 + c.width, 18);
        const CMFCPropertyGridDualDisplay::LAYOUT layout = row.Layout(&dc, cell);
        EXPECT_EQ(layout.part[0].left, cell.left);
        EXPECT_EQ(layout.part[0].right, layout.part[1].left);
        EXPECT_EQ(layout.part[1].right, cell.right);
        if (c.divider != EITHER)
        {
            EXPECT_EQ(layout.part[0].right == cell.left + c.width / 2, c.divider == HALVES);
        }
        EXPECT_EQ(layout.nameWidth == name, c.wholeName);
        EXPECT_EQ(layout.value[0] == row.GetValueText(1), c.blanksKept);
        for (int i = 0; i < 2; ++i)
        {
            CString value = layout.value[i];
            EXPECT_EQ(value.Trim(), CString(i == 0 ? "1.89m." : "3.91m."));
        }
        // Each value with its unit fits its part, beside the name where one is shown.
        EXPECT_GE(layout.part[0].Width(), width(layout.value[0]) + inset);
        EXPECT_GE(layout.part[1].Width(),
                  width(layout.value[1]) + inset + (layout.nameWidth > 0 ? layout.nameWidth + gap : 0));
    }
    // One value alone keeps the whole cell.
    CMFCPropertyGridDualDisplay quality("Quality", 88, "%d", "");
    const CMFCPropertyGridDualDisplay::LAYOUT alone = quality.Layout(&dc, CRect(0, 0, 40, 18));
    EXPECT_EQ(alone.part[0], CRect(0, 0, 40, 18));
    dc.SelectObject(oldFont);
}
