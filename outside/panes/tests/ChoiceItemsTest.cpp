// The whole-number item with its spin range, and the items that pick a symbol size, a label
// mode or a label position: what each hands back for each option, and what each refuses.
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridChoiceItems.h"
#include "outside/panes/PropertyGridInteger.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct ChoiceItemsFixture : ::testing::Test
{
    CWnd top;
    CMyMFCPropertyGridCtrl grid;
    CMFCPropertyGridProperty* group = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300), nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &top, 1));
        group = new CMFCPropertyGridProperty("Waypoint");
        grid.AddProperty(group);
    }
    template <class T> T* Add(T* item)
    {
        group->AddSubItem(item);
        return item;
    }
};

struct Option
{
    const char* text;
    int value;
};
} // namespace

TEST_F(ChoiceItemsFixture, EachOptionTextHandsBackItsValue)
{
    auto* size = Add(new CMFCPropertyGridSymbolSizeProperty(3, 5));
    auto* mode = Add(new CMFCPropertyGridLabelModeProperty(1, 6));
    auto* position = Add(new CMFCPropertyGridLabelPositionProperty(2, 7));
    EXPECT_STREQ(grid.GetShownValue(size), "Medium");
    EXPECT_STREQ(grid.GetShownValue(mode), "Name");
    EXPECT_STREQ(grid.GetShownValue(position), "Bottom");

    struct Case
    {
        CMFCPropertyGridChoiceProperty* item;
        std::vector<Option> options;
    };
    const std::vector<Case> cases = {
        {size,
         {{"No Symbol", 0}, {"Very Small", 1}, {"Small", 2}, {"Medium", 3}, {"Large", 4}, {"Very Large", 5}}},
        {mode, {{"None", 0}, {"Name", 1}, {"Position", 2}, {"Name + Position", 3}, {"Description", 4}}},
        {position, {{"None", 0}, {"Top", 1}, {"Bottom", 2}, {"Left", 3}, {"Right", 4}, {"Centre", 5}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.item->GetName());
        ASSERT_EQ(c.item->GetOptionCount(), static_cast<int>(c.options.size()));
        for (const Option& o : c.options)
        {
            c.item->SetChoice(o.value == 0 ? 1 : 0); // so that every choice is a change
            EXPECT_TRUE(grid.EditProperty(c.item, o.text)) << o.text;
            EXPECT_EQ(c.item->GetChoice(), o.value) << o.text;
            EXPECT_STREQ(grid.GetShownValue(c.item), o.text);
        }
        const int before = c.item->GetChoice();
        EXPECT_FALSE(grid.EditProperty(c.item, "Sideways"));
        EXPECT_EQ(c.item->GetChoice(), before);
    }
    // A stored value outside the list is shown as it is, not as some other option.
    size->SetChoice(9);
    EXPECT_STREQ(grid.GetShownValue(size), "9");
}

TEST_F(ChoiceItemsFixture, TheSpinRangeBoundsWhatMayBeTyped)
{
    auto* rings = Add(new CMFCPropertyGridInteger("Number of Rings", 3, "Number of Range rings to display", 9));
    rings->EnableSpinControl(TRUE, 0, 25);
    EXPECT_TRUE(rings->IsSpinEnabled());
    EXPECT_EQ(rings->GetSpinMin(), 0);
    EXPECT_EQ(rings->GetSpinMax(), 25);

    const struct
    {
        const char* text;
        bool accepted;
        int value; // afterwards
    } cases[] = {{"25", true, 25}, {"26", false, 25}, {"0", true, 0}, {"-1", false, 0},  {" 7 ", true, 7},
                 {"abc", false, 7}, {"4.5", false, 7}, {"", false, 7},  {"12m", false, 7}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(grid.EditProperty(rings, c.text) != FALSE, c.accepted) << c.text;
        EXPECT_EQ(rings->GetInteger(), c.value) << c.text;
    }
    EXPECT_STREQ(grid.GetShownValue(rings), "7");

    // Without a spin button any whole number is taken, and still no other text.
    auto* plain = Add(new CMFCPropertyGridInteger("Count", 1));
    EXPECT_TRUE(grid.EditProperty(plain, "1000"));
    EXPECT_EQ(plain->GetInteger(), 1000);
    EXPECT_FALSE(grid.EditProperty(plain, "ten"));
    EXPECT_EQ(plain->GetInteger(), 1000);
}
