// The angle item's signed mode: a convergence shows its sign and reads back as typed.
#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"
#include "platform/ui/ModalHook.h"

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

// Bearings wrap past a turn; a signed angle past its half turn, or no angle at all, is
// refused with a message and the value kept.
TEST(AngleDouble, BeyondATurnWrapsABearingAndRefusesASignedAngle)
{
    const struct
    {
        int mode;
        const char* text;
        bool taken;
        double holds;
    } cases[] = {{2, "370", true, 10.0},          {2, "-10", true, 350.0},   {2, "720", true, 0.0},
                 {1, "370", true, 10.0 / ANGLE_RAD_TO_DEG}, {5, "190", false, 7.0}, {5, "-170", true, -170.0},
                 {2, "east", false, 7.0},         {5, "", false, 7.0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.text);
        CMFCPropertyGridAngleDouble item("Angle", 7.0, c.mode, "Enter Angle");
        if (!c.taken)
            ModalHook::AnswerMessageBox(IDOK);
        EXPECT_EQ(item.TextToVar(c.text) != FALSE, c.taken);
        EXPECT_NEAR(item.GetAngle(), c.holds, 1e-9);
        EXPECT_EQ(item.GetDescription().Find("was refused") >= 0, !c.taken);
        if (!c.taken)
        {
            EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
        }
    }
}
