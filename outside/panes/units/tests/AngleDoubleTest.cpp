// The angle item: what each mode holds, shows in the user's notation and reads back.
#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(AngleDouble, EachModeShowsItsValueAndReadsItBack)
{
    const struct
    {
        int mode;
        double value;   // as the item holds it
        double degrees; // what the text says
        bool sign;      // the text carries a sign
    } cases[] = {
        {0, 123.5, 123.5, false},
        {1, 1.0, 57.2957795131, false},
        {1, 6.0, 343.7746770785, false},
        {5, -30.25, -30.25, true},
        {5, 12.0, 12.0, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        SCOPED_TRACE(c.value);
        CMFCPropertyGridAngleDouble item("Angle", c.value, c.mode);
        const CString text = item.FormatProperty();
        EXPECT_EQ(text, FormatAngle(c.degrees / ANGLE_RAD_TO_DEG, c.sign ? ANGLE_SIGNED : ANGLE_FULL_CIRCLE,
                                    ANGLE_FORMAT_PREFERENCE));
        EXPECT_EQ(text.Find('-') != -1 || text.Find('+') != -1, c.sign) << text.GetString();

        CMFCPropertyGridAngleDouble read("Angle", 0.0, c.mode);
        ASSERT_TRUE(read.TextToVar(text)) << text.GetString();
        const double tolerance = c.mode == 1 ? 1e-5 : 1e-3;
        EXPECT_NEAR(read.GetAngle(), c.value, tolerance) << text.GetString();
    }
}

TEST(AngleDouble, BearingsWrapIntoOneTurnAndTextWithoutDigitsIsRefused)
{
    CMFCPropertyGridAngleDouble bearing("Bearing", 10.0, 0);
    ASSERT_TRUE(bearing.TextToVar("-90"));
    EXPECT_NEAR(bearing.GetAngle(), 270.0, 1e-9);

    CMFCPropertyGridAngleDouble grid("Grid", 0.5, 1);
    EXPECT_FALSE(grid.TextToVar("north"));
    EXPECT_FALSE(grid.TextToVar(""));
    EXPECT_DOUBLE_EQ(grid.GetAngle(), 0.5);

    grid.SetAngle(2.0);
    EXPECT_DOUBLE_EQ(grid.GetAngle(), 2.0);
    grid.SetLock(true);
    EXPECT_TRUE(grid.IsLocked());
    EXPECT_FALSE(grid.OnEdit(nullptr));
}
