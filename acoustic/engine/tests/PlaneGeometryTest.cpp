#include "acoustic/engine/NumberHelpers.h"
#include "acoustic/engine/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

TEST(PlaneGeometry, OffsetsAndRotation)
{
    // Heading 90: starboard points south, forward points east.
    double e = 0, n = 0;
    OffsetToGrid(1000.0, 2000.0, 3.0, 10.0, 90.0, &e, &n);
    EXPECT_NEAR(e, 1010.0, 1e-9);
    EXPECT_NEAR(n, 1997.0, 1e-9);
    OffsetToGrid(0.0, 0.0, 0.0, 10.0, 45.0, &e, &n);
    EXPECT_NEAR(e, 10.0 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(n, 10.0 / std::sqrt(2.0), 1e-9);

    // A quarter turn about (1, 1) takes (2, 1) to (1, 2).
    double x = 0, y = 0;
    RotateAboutCentre(2.0, 1.0, 1.0, 1.0, 1.0, 0.0, &x, &y);
    EXPECT_NEAR(x, 1.0, 1e-12);
    EXPECT_NEAR(y, 2.0, 1e-12);
    RotateAboutCentre(5.0, 5.0, 5.0, 5.0, 0.3, 0.95, &x, nullptr);
    EXPECT_EQ(x, 5.0);
}

TEST(PlaneGeometry, LinesMeet)
{
    double x = -1, y = -1;
    EXPECT_FALSE(LinesMeet(0, 0, 1, 1, 0, 1, 1, 2, &x, &y));
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    // Meeting beyond the end of a segment still meets as lines.
    EXPECT_TRUE(LinesMeet(0, 0, 1, 0, 5, -1, 5, 1, &x, &y));
    EXPECT_NEAR(x, 5.0, 1e-12);
    EXPECT_NEAR(y, 0.0, 1e-12);
    EXPECT_EQ(IntersectSegments(0, 0, 1, 0, 5, -1, 5, 1, nullptr, nullptr), 1);
    EXPECT_EQ(IntersectSegments(0, 0, 10, 0, 5, -1, 5, 1, nullptr, nullptr), 2);
}

TEST(PlaneGeometry, ClipSegmentToRectangle)
{
    struct Case
    {
        double x1, y1, x2, y2;
        int result;
        double cx1, cy1, cx2, cy2; // clipped ends when the result is CLIP_INSIDE
        const char* what;
    };
    // The rectangle [0, 10] x [0, 5], given with its y bounds reversed.
    const Case cases[] = {
        {1, 1, 9, 4, CLIP_INSIDE, 1, 1, 9, 4, "inside: unchanged"},
        {-5, 2, 5, 2, CLIP_INSIDE, 0, 2, 5, 2, "in from the left"},
        {5, 2, 15, 2, CLIP_INSIDE, 5, 2, 10, 2, "out to the right"},
        {-10, -5, 20, 10, CLIP_INSIDE, 0, 0, 10, 5, "corner to corner"},
        {2, -5, 2, 10, CLIP_INSIDE, 2, 0, 2, 5, "vertical through"},
        {12, -5, 12, 10, CLIP_OUTSIDE, 0, 0, 0, 0, "vertical right of the rectangle"},
        {-3, 7, 4, 7, CLIP_OUTSIDE, 0, 0, 0, 0, "horizontal above"},
        {-2, 5, 20, 14, CLIP_OUTSIDE, 0, 0, 0, 0, "misses past the top left corner"},
        {-5, 0, 0, 5, CLIP_OUTSIDE, 0, 0, 0, 0, "touches the top left corner only"},
        {3, 3, 3, 3, CLIP_ZERO_LENGTH, 0, 0, 0, 0, "a point"},
    };
    for (const Case& c : cases)
    {
        double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        EXPECT_EQ(ClipSegment(x1, y1, x2, y2, 0.0, 10.0, 5.0, 0.0), c.result) << c.what;
        if (c.result == CLIP_INSIDE)
        {
            EXPECT_NEAR(x1, c.cx1, 1e-12) << c.what;
            EXPECT_NEAR(y1, c.cy1, 1e-12) << c.what;
            EXPECT_NEAR(x2, c.cx2, 1e-12) << c.what;
            EXPECT_NEAR(y2, c.cy2, 1e-12) << c.what;
        }
        else
        {
            EXPECT_EQ(x1, c.x1) << c.what;
            EXPECT_EQ(y2, c.y2) << c.what;
        }

        // The pixel form agrees on these whole-number cases.
        int ix1 = int(c.x1), iy1 = int(c.y1), ix2 = int(c.x2), iy2 = int(c.y2);
        EXPECT_EQ(ClipSegment(ix1, iy1, ix2, iy2, 0, 10, 5, 0), c.result) << c.what;
        if (c.result == CLIP_INSIDE)
        {
            EXPECT_EQ(ix1, int(c.cx1)) << c.what;
            EXPECT_EQ(iy1, int(c.cy1)) << c.what;
            EXPECT_EQ(ix2, int(c.cx2)) << c.what;
            EXPECT_EQ(iy2, int(c.cy2)) << c.what;
        }
    }

    // Pixel arithmetic truncates: from (-3, 0) to (7, 7) enters x = 0 at y = 2.1, placed at 2.
    int x1 = -3, y1 = 0, x2 = 7, y2 = 7;
    ASSERT_EQ(ClipSegment(x1, y1, x2, y2, 0, 100, 0, 100), CLIP_INSIDE);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 2);
    EXPECT_EQ(x2, 7);
    EXPECT_EQ(y2, 7);
}

TEST(NumberHelpers, TrimTrailingZerosInPlace)
{
    struct Case
    {
        const char* text;
        bool cut;
        const char* expected;
    };
    const Case cases[] = {
        {"12.500", true, "12.5"},
        {"12.000", true, "12"},
        {"12.000", false, "12    "},
        {"12.500", false, "12.5  "},
        {"1200", true, "1200"},
        {"1200", false, "1200"},
        {"12.500  ", true, "12.5"},
        {"12.500 \t", false, "12.5   \t"},
        {"-0.000", true, "-0"},
        {"100.", true, "100"},
        {"3.14159", true, "3.14159"},
        {"1.5e+10", true, "1.5e+10"},
        {"Depth 1.2 m 300", true, "Depth 1.2 m 300"},
        {"0", true, "0"},
        {"", true, ""},
    };
    for (const Case& c : cases)
    {
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        std::strcpy(buffer, c.text);
        const size_t length = std::strlen(c.text);
        TrimTrailingZerosInPlace(buffer, c.cut);
        if (c.cut)
        {
            EXPECT_STREQ(buffer, c.expected) << c.text;
        }
        else
        {
            EXPECT_EQ(std::string(buffer, length), std::string(c.expected)) << c.text;
            EXPECT_EQ(buffer[length], '\0');
        }
    }
    TrimTrailingZerosInPlace(nullptr, true);
}

TEST(NumberHelpers, AngleDifference)
{
    struct Case
    {
        double a, b, expected;
    };
    const Case degrees[] = {
        {350, 10, -20},    {10, 350, 20},   {200, 190, 10}, {-170, 170, -340}, {359.9, 0.1, -0.2},
        {0.1, 359.9, 0.2}, {90, 270, -180}, {270, 90, 180}, {180, 0, 180},     {5, 5, 0},
    };
    for (const Case& c : degrees)
        EXPECT_NEAR(AngleDifference(c.a, c.b, ANGLE_UNITS_DEGREES), c.expected, 1e-9) << c.a << " " << c.b;
    const double r = M_PI / 180.0;
    for (const Case& c : degrees)
        EXPECT_NEAR(AngleDifference(c.a * r, c.b * r, ANGLE_UNITS_RADIANS), c.expected * r, 1e-9)
            << c.a << " " << c.b;
    // Any units value other than 1 is radians.
    EXPECT_NEAR(AngleDifference(350 * r, 10 * r, 7), -20 * r, 1e-12);
}

TEST(NumberHelpers, RangeBearingOfVector)
{
    double range = -1, bearing = -1;
    RangeBearingOfVector(0, 0, &range, &bearing);
    EXPECT_EQ(range, 0.0);
    EXPECT_EQ(bearing, 0.0);
    RangeBearingOfVector(-1, 0, &range, &bearing);
    EXPECT_NEAR(bearing, 3 * M_PI / 2, 1e-12);
    EXPECT_NEAR(range, 1.0, 1e-12);
    RangeBearingOfVector(3, -4, &range, nullptr);
    EXPECT_NEAR(range, 5.0, 1e-12);
    RangeBearingOfVector(0, -2, nullptr, &bearing);
    EXPECT_NEAR(bearing, M_PI, 1e-12);
}
