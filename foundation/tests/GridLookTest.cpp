// The fonts the panes' grids are drawn in follow the system's fonts, each in its own way, and a
// grid starts grey by day and by night.
#include "foundation/GridLook.h"
#include "platform/core/WinApp.h"
#include "platform/ui/SystemParameters.h"
#include "platform/ui/Wnd.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
LOGFONT Described(const CFont& font)
{
    LOGFONT lf{};
    font.GetLogFont(&lf);
    return lf;
}

TEST(GridLook, FontsTakeWhatTheyNeedOfTheSystemFonts)
{
    CWinApp app("GridLookTest");
    LOGFONT gui{};
    ASSERT_NE(::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui), 0);
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0));

    CFont font;
    CreatePropListFont(font);
    LOGFONT lf = Described(font);
    EXPECT_EQ(lf.lfHeight, info.lfMenuFont.lfHeight);
    EXPECT_EQ(lf.lfWeight, info.lfMenuFont.lfWeight);
    EXPECT_STREQ(lf.lfFaceName, gui.lfFaceName);

    // Made again over the font it replaces.
    CreateMessageFacePropListFont(font);
    lf = Described(font);
    EXPECT_EQ(lf.lfHeight, gui.lfHeight);
    EXPECT_EQ(lf.lfWeight, info.lfMessageFont.lfWeight);
    EXPECT_STREQ(lf.lfFaceName, info.lfMessageFont.lfFaceName);

    CreateMessageFaceAndHeightPropListFont(font);
    lf = Described(font);
    EXPECT_EQ(lf.lfHeight, info.lfMessageFont.lfHeight);
    EXPECT_EQ(lf.lfWeight, gui.lfWeight);
    EXPECT_STREQ(lf.lfFaceName, info.lfMessageFont.lfFaceName);

    MakeMessageFont(font);
    lf = Described(font);
    EXPECT_EQ(lf.lfHeight, info.lfMessageFont.lfHeight);
    EXPECT_EQ(lf.lfWeight, info.lfMessageFont.lfWeight);
    EXPECT_STREQ(lf.lfFaceName, info.lfMessageFont.lfFaceName);
}

TEST(GridLook, GreySchemeByDayAndByNight)
{
    CWinApp app("GridLookTest");
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), nullptr, 0));
    for (bool night : {false, true})
    {
        CMyMFCPropertyGridCtrl grid;
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 2));
        grid.SetColourScheme(3);
        grid.SetNightMode(night);
        ApplyGreyGridScheme(grid);
        EXPECT_EQ(grid.GetColourScheme(), 1);
        EXPECT_FALSE(grid.IsHeaderCtrl());
        EXPECT_TRUE(grid.IsVSDotNetLook());
        EXPECT_TRUE(grid.IsDescriptionArea());
        COLORREF background = 0, text = 0, groupBackground = 0, groupText = 0, descriptionBackground = 0,
                 descriptionText = 0, line = 0;
        grid.GetCustomColors(background, text, groupBackground, groupText, descriptionBackground, descriptionText,
                             line);
        EXPECT_EQ(background, night ? 0x000000u : 0xD6D6D6u);
        EXPECT_EQ(text, night ? 0xC0C0C0u : 0x000000u);
        EXPECT_EQ(groupBackground, 0x555555u);
    }
}
} // namespace
