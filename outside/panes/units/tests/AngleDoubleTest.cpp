// The angle item's signed mode: a convergence shows its sign and reads back as typed.
#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"

#include <gtest/gtest.h>

TEST(AngleDouble, SignedModeShowsAndReadsASignedAngle)
{
    for (double degrees : {-30.25, 12.0, -0.5, 0.0})
    {
        SCOPED_TRACE(degrees);
        CMFCPropertyGridAngleDouble item("Convergence", degrees, 5);
        const CString text = item.FormatProperty();
        EXPECT_EQ(text, FormatAngle(degrees / ANGLE_RAD_TO_DEG, ANGLE_SIGNED, ANGLE_FORMAT_PREFERENCE));
        EXPECT_NE(text.Find(degrees < 0 ? '-' : '+'), -1) << text.GetString();
        CMFCPropertyGridAngleDouble read("Convergence", 99.0, 5);
        ASSERT_TRUE(read.TextToVar(text)) << text.GetString();
        // A negative angle stays negative rather than becoming a bearing.
        EXPECT_NEAR(read.GetAngle(), degrees, 1e-3) << text.GetString();
    }
}
