// The metric and angle items: what they show in the user's units and notation, what they take
// back, what they refuse, and the lock.
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/settings/GridSettings.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/MetricProperty.h"
#include "outside/panes/units/TemperatureProperty.h"
#include "outside/panes/units/TensionProperty.h"

#include "foundation/AngleFormat.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
struct UnitItemsFixture : ::testing::Test
{
    CWnd top;
    CMyMFCPropertyGridCtrl grid;
    CMFCPropertyGridProperty* group = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300), nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &top, 1));
        group = new CMFCPropertyGridProperty("Anchor");
        grid.AddProperty(group);
    }
    void TearDown() override { CMFCPropertyGridMetricProperty::SetDistanceUnit(1.0, " m"); }
    template <class T> T* Add(T* item)
    {
        group->AddSubItem(item);
        return item;
    }
};
} // namespace

TEST_F(UnitItemsFixture, MetricItemsShowAndTakeTheUsersUnitAndDecimals)
{
    GridSettingsDef settings;
    settings.GridDecimals = 2;
    settings.DistanceDecimals = 1;
    ASSERT_TRUE(SaveGridSettings(settings));
    auto* easting = Add(new CMFCPropertyGridMetricProperty("Easting", 500123.456, METRIC_COORDINATE, 0, "", 4));
    auto* range = Add(new CMFCPropertyGridMetricProperty("Range", 1234.56, METRIC_LENGTH, 0, "", 2));
    EXPECT_STREQ(easting->FormatProperty(), "500123.46m");
    EXPECT_STREQ(range->FormatProperty(), "1234.6m");
    // A position not known yet shows as nothing, not as "nan".
    easting->SetMetres(std::nan(""));
    EXPECT_STREQ(easting->FormatProperty(), "");

    CMFCPropertyGridMetricProperty::SetDistanceUnit(0.3048, "ft");
    EXPECT_STREQ(range->FormatProperty(), "4050.4ft");
    ASSERT_TRUE(grid.EditProperty(range, "100"));
    EXPECT_DOUBLE_EQ(range->GetMetres(), 30.48);
    // A unit of no size counts as metres.
    CMFCPropertyGridMetricProperty::SetDistanceUnit(0.0, " m");
    EXPECT_DOUBLE_EQ(CMFCPropertyGridMetricProperty::GetMetresPerUnit(), 1.0);
}

TEST_F(UnitItemsFixture, MetricItemsRefuseNoNumbersWithAMessageAndHonourTheLock)
{
    auto* depth = Add(new CMFCPropertyGridMetricProperty("Depth", 50.0, METRIC_COORDINATE, 0, "", 6));
    for (const char* text : {"deep", "nan", "-inf", "1e999", ""})
    {
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_FALSE(grid.EditProperty(depth, text)) << text;
        EXPECT_DOUBLE_EQ(depth->GetMetres(), 50.0);
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    }
    EXPECT_TRUE(grid.EditProperty(depth, "61.25m"));
    EXPECT_DOUBLE_EQ(depth->GetMetres(), 61.25);
    depth->SetLock(true);
    EXPECT_FALSE(grid.EditProperty(depth, "70"));
    EXPECT_DOUBLE_EQ(depth->GetMetres(), 61.25);
}

TEST_F(UnitItemsFixture, AngleItemInModeOneHoldsRadiansShownInTheUsersNotation)
{
    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_DEGREES, 2));
    auto* bearing = Add(new CMFCPropertyGridAngleDouble("Bearing", 1.5707963267948966, 1, "", 3));
    EXPECT_STREQ(bearing->FormatProperty(), "090\xB0.00");
    ASSERT_TRUE(grid.EditProperty(bearing, "45 30 0"));
    EXPECT_NEAR(bearing->GetAngle(), 45.5 / 57.2957795131, 1e-9);
    ASSERT_TRUE(grid.EditProperty(bearing, "-90"));
    EXPECT_NEAR(bearing->GetAngle(), 270.0 / 57.2957795131, 1e-9) << "kept within one turn";

    auto* heading = Add(new CMFCPropertyGridAngleDouble("Heading", 30.0, 0, "", 6));
    EXPECT_STREQ(heading->FormatProperty(), "030\xB0.00");
    ASSERT_TRUE(grid.EditProperty(heading, "12.5"));
    EXPECT_NEAR(heading->GetAngle(), 12.5, 1e-9);

    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(grid.EditProperty(heading, "north"));
    EXPECT_NEAR(heading->GetAngle(), 12.5, 1e-9);
    heading->SetLock(true);
    EXPECT_FALSE(grid.EditProperty(heading, "20"));
}

TEST_F(UnitItemsFixture, TensionAndTemperatureShowTheChosenUnit)
{
    auto* tension = Add(new CMFCPropertyGridTensionProperty("Tension", 10.0, "", 13));
    EXPECT_STREQ(tension->FormatProperty(), "10.00 Tons");
    CMFCPropertyGridTensionProperty::SetTensionUnit(9.80665, "kN");
    EXPECT_STREQ(tension->FormatProperty(), "98.07 kN");
    ASSERT_TRUE(grid.EditProperty(tension, "49.03325"));
    EXPECT_NEAR(tension->GetTonnes(), 5.0, 1e-9);
    CMFCPropertyGridTensionProperty::SetTensionUnit(1.0, "Tons");

    auto* temperature = Add(new CMFCPropertyGridTemperatureProperty("Temperature", 10.0, TEMPERATURE_CELSIUS, "", 2));
    EXPECT_STREQ(temperature->FormatProperty(), "10.00 \xB0""C");
    temperature->Update(TEMPERATURE_FAHRENHEIT);
    EXPECT_STREQ(temperature->FormatProperty(), "50.00 \xB0""F");
    ASSERT_TRUE(grid.EditProperty(temperature, "32"));
    EXPECT_NEAR(temperature->GetCelsius(), 0.0, 1e-9);
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(grid.EditProperty(temperature, "warm"));
    EXPECT_NEAR(temperature->GetCelsius(), 0.0, 1e-9);

    auto* mode = Add(new CMFCPropertyGridTemperatureModeProperty(7, 1));
    EXPECT_STREQ(mode->FormatProperty(), "Celsius");
    ASSERT_TRUE(grid.EditProperty(mode, "Fahrenheit"));
    EXPECT_EQ(mode->GetChoice(), TEMPERATURE_FAHRENHEIT);
}
