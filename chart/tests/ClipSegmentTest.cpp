// The segment clipper against shapely's LineString.intersection(box) on a table of special
// cases and random segments.
#include "chart/geometry/ClipSegment.h"

#include "ClipCases.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ClipSegmentToRect, MatchesShapely)
{
    const ClipCases& cases = ClipCases::Get();
    ASSERT_GE(cases.segments.size(), 100u);
    for (const ClipCaseSegment& s : cases.segments)
    {
        // ymin and ymax in either order.
        for (const bool swapped : {false, true})
        {
            double x1 = -1, y1 = -1, x2 = -1, y2 = -1;
            const int result = ClipSegmentToRect(s.x1, s.y1, s.x2, s.y2, cases.xmin, swapped ? cases.ymax : cases.ymin,
                                                 cases.xmax, swapped ? cases.ymin : cases.ymax, &x1, &y1, &x2, &y2);
            const std::string what = ::testing::PrintToString(std::vector<double>{s.x1, s.y1, s.x2, s.y2});
            ASSERT_EQ(result, s.result) << what;
            if (result != 0)
            {
                EXPECT_EQ(x1, -1.0) << what; // nothing written
                continue;
            }
            // The start's remainder comes first, as shapely keeps the direction too.
            EXPECT_NEAR(x1, s.cx1, 1e-9) << what;
            EXPECT_NEAR(y1, s.cy1, 1e-9) << what;
            EXPECT_NEAR(x2, s.cx2, 1e-9) << what;
            EXPECT_NEAR(y2, s.cy2, 1e-9) << what;
        }
    }
}

TEST(ClipSegmentToRect, InPlaceFormAndNonFiniteInput)
{
    double x1 = -10, y1 = 5, x2 = 20, y2 = 5;
    ASSERT_EQ(ClipSegmentToRect(x1, y1, x2, y2, 0, 0, 10, 10), 0);
    EXPECT_EQ(x1, 0.0);
    EXPECT_EQ(x2, 10.0);
    EXPECT_EQ(y1, 5.0);
    EXPECT_EQ(y2, 5.0);

    // Invisible: the coordinates stay as they were.
    double a = 20, b = 20, c = 30, d = 40;
    EXPECT_EQ(ClipSegmentToRect(a, b, c, d, 0, 0, 10, 10), 1);
    EXPECT_EQ(a, 20.0);
    EXPECT_EQ(d, 40.0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ClipSegmentToRect(nan, 5, 20, 5, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(ClipSegmentToRect(-inf, 5, inf, 5, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), 1);
}
