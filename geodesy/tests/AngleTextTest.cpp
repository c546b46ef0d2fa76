#include "geodesy/AngleText.h"

#include "foundation/AngleFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
const double kDeg = 0.017453292519943; // the parser's own factor
const double kHalfPi = 1.5707963267948966;

TEST(AngleText, NormaliseClassifiesAndCleans)
{
    const struct
    {
        const char* in;
        int notation;
        const char* out;
    } cases[] = {
        {"51\xB0 30' 15\".50N", ANGLE_TEXT_MARKED, "51 30 15.50N"},
        {"51\xB0 30'.2583333N", ANGLE_TEXT_MARKED, "51 30.2583333N"},
        {"12\xB0.5", ANGLE_TEXT_MARKED, "12.5"},
        {"57g.227", ANGLE_TEXT_GRADIANS, "57.227"},
        {"100g", ANGLE_TEXT_GRADIANS, "100 "},
        {"51  30   15", ANGLE_TEXT_PLAIN, "51 30 15"},
        {"1'g", ANGLE_TEXT_MARKED, "1 "},
    };
    for (const auto& c : cases)
    {
        CString text(c.in);
        EXPECT_EQ(NormaliseAngleText(text), c.notation) << c.in;
        EXPECT_EQ(std::string(text), c.out) << c.in;
    }
}

// Expected values: GeographicLib's GeoConvert (2.1.2) on the same angles written in its own
// DMS syntax, "GeoConvert -g -p 6" with one input line per row, e.g.
//     51d30'15.5"N 0      -> 51.50430555556
//     -51d30'15.5"N 0     -> -51.50430555556 (a minus outweighs the letter)
//     S33d52' 0           -> -33.86666666667 (a leading letter counts)
//     0 W0d7'39.2"        -> -0.12755555556
//     0 179d59'59.9"E     -> 179.99997222222
TEST(AngleText, TypedAnglesAgreeWithGeoConvert)
{
    const struct
    {
        const char* text;
        int type;
        double degrees;
    } cases[] = {
        {"51 30 15.5 N", ANGLE_LATITUDE, 51.50430555556},
        {"51 30 15.5 S", ANGLE_LATITUDE, -51.50430555556},
        {"51 30 15.5s", ANGLE_LATITUDE, -51.50430555556},
        {"-51 30 15.5", ANGLE_LATITUDE, -51.50430555556},
        {"-51 30 15.5 N", ANGLE_LATITUDE, -51.50430555556},
        {"51\xB0 30' 15.5\" N", ANGLE_LATITUDE, 51.50430555556},
        {"51\xB0 30' 15\".50N", ANGLE_LATITUDE, 51.50430555556},
        {"51\xB0 30'.2583333N", ANGLE_LATITUDE, 51.50430555500},
        {"51.504305556N", ANGLE_LATITUDE, 51.50430555600},
        {"33 52 S", ANGLE_LATITUDE, -33.86666666667},
        {"S 33 52", ANGLE_LATITUDE, -33.86666666667},
        {"s33:52", ANGLE_LATITUDE, -33.86666666667},
        {"+45 15", ANGLE_LATITUDE, 45.25},
        {"12.5", ANGLE_LATITUDE, 12.5},
        {"0 7 39.2 W", ANGLE_LONGITUDE, -0.12755555556},
        {"W 0 7 39.2", ANGLE_LONGITUDE, -0.12755555556},
        {"179 59 59.9 E", ANGLE_LONGITUDE, 179.99997222222},
        {"-2 10 34.0734", ANGLE_LONGITUDE, -2.17613150},
        {"2\xB0 10.56789' e", ANGLE_LONGITUDE, 2.17613150},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ParseAngleText(c.text, c.type), c.degrees * kDeg, 1e-12) << c.text;
}

TEST(AngleText, RulesOfTheTypedForm)
{
    const struct
    {
        const char* text;
        int type;
        double radians;
    } cases[] = {
        // No point anywhere: a comma is the decimal point; with a point it separates.
        {"12,5", ANGLE_LATITUDE, 12.5 * kDeg},
        {"12,5.3", ANGLE_LATITUDE, (12.0 + 5.3 / 60.0) * kDeg},
        // Minutes of 60 drop minutes and seconds; seconds of 60 drop the seconds.
        {"51 60 10", ANGLE_LATITUDE, 51.0 * kDeg},
        {"51 30 60", ANGLE_LATITUDE, 51.5 * kDeg},
        // Limits: degrees first, then the whole value.
        {"91", ANGLE_LATITUDE, 0.0},
        {"90", ANGLE_LATITUDE, 90.0 * kDeg},
        {"89 59 60", ANGLE_LATITUDE, 89.0 * kDeg + 59.0 / 60.0 * kDeg},
        {"90 30", ANGLE_LATITUDE, 0.0},
        {"181 W", ANGLE_LONGITUDE, 0.0},
        {"359 59", ANGLE_FULL_CIRCLE, (359.0 + 59.0 / 60.0) * kDeg},
        {"361", ANGLE_FULL_CIRCLE, 0.0},
        {"91", ANGLE_SIGNED_RIGHT, 0.0},
        {"-179", ANGLE_SIGNED_2DP, -179.0 * kDeg},
        // Gradians.
        {"100g", ANGLE_LATITUDE, kHalfPi},
        {"101g", ANGLE_LATITUDE, 0.0},
        {"50g S", ANGLE_LATITUDE, -50.0 * 0.0157079632679487},
        {"400g", ANGLE_FULL_CIRCLE, 400.0 * 0.0157079632679487},
        // Letters of the other axis, and any letter of a type without one, only separate.
        {"51 30 E", ANGLE_LATITUDE, 51.5 * kDeg},
        {"51 30 S", ANGLE_FULL_CIRCLE, 51.5 * kDeg},
        // After a minus the scan ends with the third field.
        {"-1 2 3 4", ANGLE_SIGNED, -(1.0 + 2.0 / 60.0 + 3.0 / 3600.0) * kDeg},
        // Both hemispheres named: no angle.
        {"S 33 52 N", ANGLE_LATITUDE, 0.0},
        {"", ANGLE_LATITUDE, 0.0},
        // Type 4 texts show 90 minus the angle.
        {"30", ANGLE_COMPLEMENT, kHalfPi - 30.0 * kDeg},
        {"-10", ANGLE_COMPLEMENT, kHalfPi + 10.0 * kDeg},
        {"50g", ANGLE_COMPLEMENT, kHalfPi - 50.0 * 0.0157079632679487},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ParseAngleText(c.text, c.type), c.radians, 1e-13) << c.text;
}

// A refused text is told apart from a real 0, and a bearing beyond a turn keeps its value.
TEST(AngleText, ReadTellsRefusedFromZero)
{
    const struct
    {
        const char* text;
        int type;
        int result;
        double radians; // what `radians` holds afterwards (it starts at 7)
    } cases[] = {
        {"0", ANGLE_LATITUDE, ANGLE_TEXT_READ, 0.0},
        {"0 00 N", ANGLE_LATITUDE, ANGLE_TEXT_READ, 0.0},
        {"-0", ANGLE_LATITUDE, ANGLE_TEXT_READ, 0.0},
        {"0g", ANGLE_LONGITUDE, ANGLE_TEXT_READ, 0.0},
        {"90", ANGLE_LATITUDE, ANGLE_TEXT_READ, 90.0 * kDeg},
        {"95", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, 95.0 * kDeg},
        {"90 30 S", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, -90.5 * kDeg},
        {"101g", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, 101.0 * 0.0157079632679487},
        {"181 W", ANGLE_LONGITUDE, ANGLE_TEXT_BEYOND_LIMIT, -181.0 * kDeg},
        {"370", ANGLE_FULL_CIRCLE, ANGLE_TEXT_BEYOND_LIMIT, 370.0 * kDeg},
        {"S 33 52 N", ANGLE_LATITUDE, ANGLE_TEXT_TWO_HEMISPHERES, 7.0},
        {"", ANGLE_LATITUDE, ANGLE_TEXT_NO_NUMBER, 7.0},
        {"north", ANGLE_LATITUDE, ANGLE_TEXT_NO_NUMBER, 7.0},
        {"-.", ANGLE_SIGNED, ANGLE_TEXT_NO_NUMBER, 7.0},
    };
    for (const auto& c : cases)
    {
        double radians = 7.0;
        EXPECT_EQ(ReadAngleText(c.text, c.type, radians), c.result) << c.text;
        EXPECT_NEAR(radians, c.radians, 1e-12) << c.text;
        EXPECT_EQ(DescribeAngleTextResult(c.result, c.type).IsEmpty(), c.result == ANGLE_TEXT_READ) << c.text;
    }
    EXPECT_STREQ(DescribeAngleTextResult(ANGLE_TEXT_BEYOND_LIMIT, ANGLE_LATITUDE), "The angle is beyond 90\xB0.");
}

// What FormatAngle writes, ParseAngleText reads back, in every notation.
TEST(AngleText, FormattedTextsReadBack)
{
    const double angles[] = {51.50430555556, -33.8666666667, 0.1275555, -0.5, 89.25, 2.1761315};
    for (int type : {ANGLE_LATITUDE, ANGLE_LONGITUDE, ANGLE_SIGNED, ANGLE_FULL_CIRCLE, ANGLE_SIGNED_RIGHT})
    {
        for (int format = ANGLE_FORMAT_DMS; format <= ANGLE_FORMAT_GRADIANS; ++format)
        {
            for (double degrees : angles)
            {
                if (type == ANGLE_FULL_CIRCLE && degrees < 0.0)
                    degrees += 360.0;
                const double radians = degrees * kDeg;
                const CString text = FormatAngle(radians, type, format, -1);
                // The default decimals hold a latitude to about a millimetre.
                EXPECT_NEAR(ParseAngleText(text, type), radians, 2e-9)
                    << "type " << type << " format " << format << " " << std::string(text);
            }
        }
    }
}

TEST(AngleText, CompactNmeaPositions)
{
    const struct
    {
        const char* digits;
        const char* hemisphere;
        int type;
        double degrees;
    } cases[] = {
        {"5130.5", "N", ANGLE_LATITUDE, 51.0 + 30.5 / 60.0},
        {"5130.5", "S", ANGLE_LATITUDE, -(51.0 + 30.5 / 60.0)},
        {"130.5", "N", ANGLE_LATITUDE, 1.0 + 30.5 / 60.0},
        {"30.5", "N", ANGLE_LATITUDE, 30.5 / 60.0},
        {"5130", "N", ANGLE_LATITUDE, 51.5},
        {"4807.038", "N", ANGLE_LATITUDE, 48.0 + 7.038 / 60.0},
        {"00012.5", "W", ANGLE_LONGITUDE, -12.5 / 60.0},
        {"01131.000", "E", ANGLE_LONGITUDE, 11.0 + 31.0 / 60.0},
        {"1131.5", "E", ANGLE_LONGITUDE, 11.0 + 31.5 / 60.0},
        {"12202.26957864", "W", ANGLE_LONGITUDE, -(122.0 + 2.26957864 / 60.0)},
        // Too short to hold the degrees, or not a latitude or longitude.
        {"513", "N", ANGLE_LATITUDE, 0.0},
        {"0113", "E", ANGLE_LONGITUDE, 0.0},
        {"", "N", ANGLE_LATITUDE, 0.0},
        {"5130.5", "N", ANGLE_FULL_CIRCLE, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ParseCompactLatLon(c.digits, c.hemisphere, c.type), c.degrees * kDeg, 1e-14) << c.digits;
    EXPECT_NEAR(ParseCompactLatLon("5130.5", nullptr, ANGLE_LATITUDE), (51.0 + 30.5 / 60.0) * kDeg, 1e-14);
    EXPECT_EQ(ParseCompactLatLon(nullptr, "N", ANGLE_LATITUDE), 0.0);
}

TEST(AngleText, GeographicalsFormat)
{
    EXPECT_EQ(GetGeographicalsFormat(), ANGLE_FORMAT_DM);
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DEGREES, 6, 'N', 'E'));
    EXPECT_EQ(GetGeographicalsFormat(), ANGLE_FORMAT_DEGREES);
}
} // namespace
