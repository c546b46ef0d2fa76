// The geographic angle items and the whole-degree angle item: what they show, what they read
// back and what they refuse.
#include "outside/panes/units/AngleProperty.h"

#include "foundation/AngleFormat.h"

#include <gtest/gtest.h>

TEST(AngleProperty, LatitudesAndLongitudesRoundTripInTheUsersNotation)
{
    const struct
    {
        int type;
        double radians;
    } cases[] = {{ANGLE_LATITUDE, 0.9}, {ANGLE_LATITUDE, -0.5}, {ANGLE_LONGITUDE, -2.0}, {ANGLE_LONGITUDE, 0.05}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.radians);
        CMFCPropertyGridAngleProperty item("Angle", c.radians, c.type);
        const CString text = item.FormatProperty();
        EXPECT_EQ(text, FormatAngle(c.radians, c.type, ANGLE_FORMAT_PREFERENCE));
        // The hemisphere shows as the type's letter.
        const char letter = c.type == ANGLE_LATITUDE ? (c.radians < 0 ? 'S' : 'N') : (c.radians < 0 ? 'W' : 'E');
        EXPECT_NE(text.Find(letter), -1) << text.GetString();
        CMFCPropertyGridAngleProperty read("Angle", 0.0, c.type);
        ASSERT_TRUE(read.TextToVar(text)) << text.GetString();
        EXPECT_NEAR(read.GetAngle(), c.radians, 1e-7) << text.GetString();
    }
}

TEST(AngleProperty, TextThatIsNoAngleIsRefused)
{
    CMFCPropertyGridAngleProperty latitude("Latitude", 0.25, ANGLE_LATITUDE, "Enter Latitude");
    const struct
    {
        const char* text;
        const char* why;
    } refused[] = {{"north", "The text holds no angle."},
                   {"", "The text holds no angle."},
                   {"95 N", "The angle is beyond 90\xB0."},
                   {"95", "The angle is beyond 90\xB0."},
                   {"91.5", "The angle is beyond 90\xB0."},
                   {"S 10 N", "The text names both hemispheres."}};
    for (const auto& r : refused)
    {
        SCOPED_TRACE(r.text);
        EXPECT_FALSE(latitude.TextToVar(r.text));
        EXPECT_DOUBLE_EQ(latitude.GetAngle(), 0.25);
        EXPECT_EQ(latitude.GetDescription(), CString("\"") + r.text + "\" was refused. " + r.why + "\nEnter Latitude");
    }
    for (const char* zero : {"0", "0 00 N", "-0", "0 0 0 N"})
    {
        latitude.SetValue(0.25);
        ASSERT_TRUE(latitude.TextToVar(zero)) << zero;
        EXPECT_EQ(latitude.GetAngle(), 0.0) << zero;
        EXPECT_EQ(latitude.GetDescription(), "Enter Latitude") << "the item's own description is back";
    }
}

TEST(AngleInteger, WholeDegreesWithinOneTurn)
{
    const struct
    {
        const char* text;
        int degrees;
    } cases[] = {{"45", 45}, {"30.6", 31}, {"-90", 270}, {"359.6", 0}, {"12 30", 13}};
    for (const auto& c : cases)
    {
        CMFCPropertyGridAngleInteger item("Orientation", 7);
        ASSERT_TRUE(item.TextToVar(c.text)) << c.text;
        EXPECT_EQ(item.GetDegrees(), c.degrees) << c.text;
    }
    CMFCPropertyGridAngleInteger item("Orientation", 30);
    EXPECT_EQ(item.FormatProperty(), "030\xB0");
    EXPECT_FALSE(item.TextToVar("up"));
    EXPECT_EQ(item.GetDegrees(), 30);
}
