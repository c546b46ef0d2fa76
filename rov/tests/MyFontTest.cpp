// The ROV views' label font: made or merely selected at the size asked for, handing back the
// font selected before.
#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "rov/MyFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Size
{
    int height;
    int width;
};

struct SelectCase
{
    const char* what;
    std::vector<Size> before; // SelectSized calls that set the font up
    Size size;
    bool remade;
    int expectHeight; // of the font's description afterwards; 0: not compared
    int expectWidth;
};

TEST(MyFont, IsABoldVerdanaOfEightPoints)
{
    CWinApp app("MyFontTest");
    CMyFont font;
    LOGFONT lf{};
    ASSERT_NE(font.GetLogFont(&lf), 0);
    EXPECT_STREQ(lf.lfFaceName, "Verdana");
    EXPECT_EQ(lf.lfWeight, 900);
    EXPECT_EQ(lf.lfOutPrecision, 4);
    EXPECT_EQ(lf.lfClipPrecision, 32);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_LT(lf.lfHeight, 0) << "a point font: its character height";
}

TEST(MyFont, SelectSizedRemakesOnlyWhatDiffers)
{
    CWinApp app("MyFontTest");
    const std::vector<SelectCase> cases = {
        {"a width given the first time", {}, {20, 10}, true, 20, 10},
        {"the same height and width", {{20, 10}}, {20, 10}, false, 20, 10},
        {"another width", {{20, 10}}, {20, 12}, true, 20, 12},
        {"another height", {{20, 10}}, {24, 10}, true, 24, 10},
        {"no width: a point font", {{20, 10}}, {120, 0}, true, 0, 0},
        {"no width again: made again", {{120, 0}}, {120, 0}, true, 0, 0},
    };
    CDC dc, holder;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(holder.CreateCompatibleDC(nullptr));
    for (const SelectCase& c : cases)
    {
        CMyFont font;
        for (const Size& s : c.before)
            font.SelectSized(&dc, s.height, s.width);
        CFont previous;
        ASSERT_TRUE(previous.CreatePointFont(100, "Arial"));
        dc.SelectObject(&previous);
        // Held in a second context, the font's handle lives on when the font is made anew.
        holder.SelectObject(&font);
        const HGDIOBJ handle = font.GetSafeHandle();

        CFont* returned = font.SelectSized(&dc, c.size.height, c.size.width);
        ASSERT_NE(returned, nullptr) << c.what;
        EXPECT_EQ(returned->GetSafeHandle(), previous.GetSafeHandle()) << c.what;
        EXPECT_EQ(dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle()) << c.what;
        EXPECT_EQ(font.GetSafeHandle() != handle, c.remade) << c.what;
        LOGFONT lf{};
        font.GetLogFont(&lf);
        if (c.expectHeight != 0)
        {
            EXPECT_EQ(lf.lfHeight, c.expectHeight) << c.what;
            EXPECT_EQ(lf.lfWidth, c.expectWidth) << c.what;
        }
        else
        {
            EXPECT_LT(lf.lfHeight, 0) << c.what << ": a point font's character height";
            EXPECT_EQ(lf.lfWidth, 0) << c.what;
        }
        EXPECT_EQ(lf.lfWeight, 900) << c.what;
        EXPECT_STREQ(lf.lfFaceName, "Verdana") << c.what;
        holder.SelectObject(&previous);
        dc.SelectObject(&previous);
    }
}

TEST(MyFont, WithoutAFontNothingIsSelected)
{
    CWinApp app("MyFontTest");
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont previous;
    ASSERT_TRUE(previous.CreatePointFont(100, "Arial"));
    dc.SelectObject(&previous);
    CMyFont font;
    font.DeleteObject();
    EXPECT_EQ(font.SelectSized(&dc, 20, 10), nullptr);
    EXPECT_EQ(font.SelectSized(&dc, 80, 0), nullptr);
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
    EXPECT_EQ(dc.GetCurrentFont()->GetSafeHandle(), previous.GetSafeHandle());
    EXPECT_EQ(font.SelectSized(nullptr, 20, 10), nullptr);
}
} // namespace
