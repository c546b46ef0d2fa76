// The settings pane as a user drives it: each change saved to its settings file and the owner
// told what changed (1 angles, 8 geographicals, 128 grid and units), with the groups that the
// creation options choose.
#include "foundation/AngleFormat.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/settings/GridSettings.h"
#include "outside/panes/settings/SettingsPane.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <vector>

namespace
{
class COwner : public CWnd
{
public:
    std::vector<WPARAM> updates;
    LRESULT OnSettingsUpdate(WPARAM wParam, LPARAM)
    {
        updates.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
ON_REGISTERED_MESSAGE(UM_SETTINGS_UPDATE, &COwner::OnSettingsUpdate)
END_MESSAGE_MAP()

struct SettingsPaneFixture : ::testing::Test
{
    COwner owner;
    CSettingsPane pane;

    void Start(unsigned long options)
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(0, 0, 500, 400), nullptr, 0));
        ASSERT_TRUE(pane.Create(&owner, 32798, options));
    }
    // Edits the item as a user would and lets the posted message arrive.
    bool Edit(DWORD_PTR item, const char* text)
    {
        CMFCPropertyGridProperty* prop = pane.FindItem(item);
        if (prop == nullptr)
            return false;
        const BOOL ok = pane.GetPropertyGrid().EditProperty(prop, text);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        return ok != FALSE;
    }
};
} // namespace

TEST_F(SettingsPaneFixture, EachGroupSavesItsFileAndPostsItsValue)
{
    Start(0x8D);
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_ANGLE_FORMAT, "Decimal Degrees"));
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_ANGLE_DECIMALS, "4"));
    int format = 0, decimals = 0;
    LoadAngleSettings(format, decimals);
    EXPECT_EQ(format, ANGLE_FORMAT_DEGREES);
    EXPECT_EQ(decimals, 4);

    ASSERT_TRUE(Edit(CSettingsPane::ITEM_GEOG_FORMAT, "Degrees, Minutes and Seconds"));
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_GEOG_LONGITUDE, "W"));
    char latitude = 0, longitude = 0;
    LoadGeographicalsSettings(format, decimals, latitude, longitude);
    EXPECT_EQ(format, ANGLE_FORMAT_DMS);
    EXPECT_EQ(decimals, 7); // untouched
    EXPECT_EQ(latitude, 'N');
    EXPECT_EQ(longitude, 'W');

    ASSERT_TRUE(Edit(CSettingsPane::ITEM_UNITS, "US Survey Feet"));
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_GRID_DECIMALS, "3"));
    const GridSettingsDef grid = LoadGridSettings();
    EXPECT_EQ(grid.Units, GRID_UNITS_US_SURVEY_FEET);
    EXPECT_EQ(grid.GridDecimals, 3);
    EXPECT_EQ(grid.DistanceDecimals, 3);

    EXPECT_EQ(owner.updates, (std::vector<WPARAM>{1, 1, 8, 8, 128, 128}));
}

TEST_F(SettingsPaneFixture, ExamplesFollowTheChosenNotationAndBadChoicesAreRefused)
{
    Start(0x8D);
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_GEOG_FORMAT, "Decimal Degrees"));
    ASSERT_TRUE(Edit(CSettingsPane::ITEM_GEOG_DECIMALS, "3"));
    EXPECT_STREQ(pane.GetPropertyGrid().GetShownValue(pane.FindItem(CSettingsPane::ITEM_GEOG_EXAMPLE)),
                 "51\xB0.504N");

    // Not one of the choices: refused, nothing saved, nothing posted.
    owner.updates.clear();
    EXPECT_FALSE(Edit(CSettingsPane::ITEM_GEOG_DECIMALS, "12"));
    EXPECT_FALSE(Edit(CSettingsPane::ITEM_UNITS, "Furlongs"));
    EXPECT_TRUE(owner.updates.empty());
    EXPECT_EQ(LoadGridSettings().Units, GRID_UNITS_METRES);
}

TEST_F(SettingsPaneFixture, OptionsChooseTheGroups)
{
    Start(SETTINGS_GRID);
    EXPECT_EQ(pane.FindItem(CSettingsPane::ITEM_ANGLE_FORMAT), nullptr);
    EXPECT_EQ(pane.FindItem(CSettingsPane::ITEM_GEOG_FORMAT), nullptr);
    EXPECT_NE(pane.FindItem(CSettingsPane::ITEM_UNITS), nullptr);
}

TEST_F(SettingsPaneFixture, NightModeIsKeptByTheGrid)
{
    Start(0x8D);
    EXPECT_FALSE(pane.GetNightMode());
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());
}

TEST(GridSettingsTest, UnitLengthsAndOutOfRangeValues)
{
    EXPECT_DOUBLE_EQ(GetUnitLength(GRID_UNITS_METRES), 1.0);
    EXPECT_DOUBLE_EQ(GetUnitLength(GRID_UNITS_INTERNATIONAL_FEET), 0.3048);
    EXPECT_NEAR(GetUnitLength(GRID_UNITS_US_SURVEY_FEET), 0.30480061, 1e-8);
    GridSettingsDef bad;
    bad.Units = 7;
    bad.GridDecimals = -2;
    bad.DistanceDecimals = 5;
    ASSERT_TRUE(SaveGridSettings(bad));
    const GridSettingsDef read = LoadGridSettings();
    EXPECT_EQ(read.Units, GRID_UNITS_METRES);
    EXPECT_EQ(read.GridDecimals, 2);
    EXPECT_EQ(read.DistanceDecimals, 5);
}
