// How the solar program reads the angles its edits hold: the typed forms a user writes, the
// texts it refuses, and every notation's text read back to the value it was written from.
#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{
constexpr double kHalfTurn = 3.14159265358979323846;
constexpr double kDegreeRad = kHalfTurn / 180.0;

double DegreesMinutesSeconds(double d, double m, double s)
{
    return (d + m / 60.0 + s / 3600.0) * kDegreeRad;
}
} // namespace

// Where the reading differs from a plain "0 for anything out of range", the text is refused
// instead (ANGLE_TEXT_BEYOND_LIMIT), so that no caller can take a latitude of 95 for the
// equator; the edits then keep their previous value. Everything else reads as written.
TEST(AngleText, TypedFormsAndRefusals)
{
    const struct
    {
        const char* text;
        int type;
        int result;
        double radians;
    } cases[] = {
        {"51 30 15 N", ANGLE_LATITUDE, ANGLE_TEXT_READ, DegreesMinutesSeconds(51, 30, 15)},
        {"51 30 15 S", ANGLE_LATITUDE, ANGLE_TEXT_READ, -DegreesMinutesSeconds(51, 30, 15)},
        {"51\xB0 30' 15\"N", ANGLE_LATITUDE, ANGLE_TEXT_READ, DegreesMinutesSeconds(51, 30, 15)},
        {"51,5", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, 51.5 * kDegreeRad},
        {"1,30.5", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, DegreesMinutesSeconds(1, 30.5, 0)},
        {"+12 30", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, DegreesMinutesSeconds(12, 30, 0)},
        {"-12 30", ANGLE_SIGNED, ANGLE_TEXT_READ, -DegreesMinutesSeconds(12, 30, 0)},
        {"003 07 W", ANGLE_LONGITUDE, ANGLE_TEXT_READ, -DegreesMinutesSeconds(3, 7, 0)},
        {"100g", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, kHalfTurn / 2.0},
        {"050g.5S", ANGLE_LATITUDE, ANGLE_TEXT_READ, -50.5 * kHalfTurn / 200.0},
        // Minutes of 60 or more clear minutes and seconds; seconds of 60 or more the seconds.
        {"10 60 30", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, 10.0 * kDegreeRad},
        {"10 20 75", ANGLE_FULL_CIRCLE, ANGLE_TEXT_READ, DegreesMinutesSeconds(10, 20, 0)},
        // A zenith-type text shows 90 degrees minus the angle.
        {"30", ANGLE_COMPLEMENT, ANGLE_TEXT_READ, 60.0 * kDegreeRad},
        {"090 00", ANGLE_COMPLEMENT, ANGLE_TEXT_READ, 0.0},
        {"0", ANGLE_LATITUDE, ANGLE_TEXT_READ, 0.0},
        // Refused, never read as 0.
        {"95", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, 0.0},
        {"90 00 01 N", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, 0.0},
        {"181 E", ANGLE_LONGITUDE, ANGLE_TEXT_BEYOND_LIMIT, 0.0},
        {"101g", ANGLE_LATITUDE, ANGLE_TEXT_BEYOND_LIMIT, 0.0},
        {"abc", ANGLE_FULL_CIRCLE, ANGLE_TEXT_NO_NUMBER, 0.0},
        {"", ANGLE_LATITUDE, ANGLE_TEXT_NO_NUMBER, 0.0},
        {"N 51 S", ANGLE_LATITUDE, ANGLE_TEXT_TWO_HEMISPHERES, 0.0},
    };
    for (const auto& c : cases)
    {
        double radians = 12345.0;
        EXPECT_EQ(ReadAngleText(c.text, c.type, radians), c.result) << c.text;
        if (c.result == ANGLE_TEXT_READ)
        {
            EXPECT_NEAR(radians, c.radians, 1e-12) << c.text;
        }
    }
}

// Every notation, type and number of decimals: a value written by FormatAngle reads back
// within half a unit of its last shown decimal.
TEST(AngleText, EveryNotationReadsBackWhatItShows)
{
    std::mt19937 random(20261211);
    struct Range
    {
        int type;
        double low, high; // degrees
    };
    const Range ranges[] = {{ANGLE_SIGNED, -179.9, 179.9},         {ANGLE_FULL_CIRCLE, 0.0, 359.9},
                            {ANGLE_SIGNED_RIGHT, -89.9, 89.9},     {ANGLE_COMPLEMENT, -89.9, 89.9},
                            {ANGLE_LATITUDE, -89.9, 89.9},         {ANGLE_LONGITUDE, -179.9, 179.9},
                            {ANGLE_FULL_CIRCLE_2DP, 0.0, 359.9},   {ANGLE_SIGNED_RIGHT_2DP, -89.9, 89.9},
                            {ANGLE_SIGNED_2DP, -179.9, 179.9}};
    for (const Range& range : ranges)
    {
        std::uniform_real_distribution<double> degrees(range.low, range.high);
        for (int format : {ANGLE_FORMAT_DMS, ANGLE_FORMAT_DM, ANGLE_FORMAT_DEGREES, ANGLE_FORMAT_SIGNED,
                           ANGLE_FORMAT_GRADIANS})
        {
            const double unit = format == ANGLE_FORMAT_DMS   ? kDegreeRad / 3600.0
                                : format == ANGLE_FORMAT_DM  ? kDegreeRad / 60.0
                                : format == ANGLE_FORMAT_GRADIANS ? kHalfTurn / 200.0
                                                                  : kDegreeRad;
            for (int decimals = 0; decimals <= GetMaxDecimalPlaces(range.type, format); ++decimals)
                for (int i = 0; i < 40; ++i)
                {
                    const double value = degrees(random) * kDegreeRad;
                    const CString text = FormatAngle(value, range.type, format, decimals);
                    double back = 0.0;
                    ASSERT_EQ(ReadAngleText(text, range.type, back), ANGLE_TEXT_READ)
                        << text.GetString() << " type " << range.type << " format " << format;
                    // The writer's and the reader's degree factors (57.2957795131 and
                    // 0.017453292519943) are rounded apart by some 3e-13 of the value.
                    const double tolerance = 0.5 * unit * std::pow(10.0, -decimals) + 1e-11;
                    EXPECT_NEAR(back, value, tolerance)
                        << text.GetString() << " type " << range.type << " format " << format;
                }
        }
    }
}
