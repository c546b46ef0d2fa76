// The heading pane's bearing and distance between two typed grid positions (the same figures
// the range and bearing pane gives), and the read-only projection pane following the working
// projection.
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/terralin/ComputeHeadingPane.h"
#include "outside/terralin/RangeAndBearingPane.h"
#include "outside/terralin/SpheroidProjectionPane.h"
#include "outside/terralin/tests/PaneTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace
{
struct HeadingFixture : ::testing::Test
{
    COwnerWindow owner;
    CComputeHeadingPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(owner.Make());
        ASSERT_TRUE(pane.Create(&owner, 32845));
    }
};
} // namespace

TEST_F(HeadingFixture, BearingAndDistanceBetweenTypedPositions)
{
    using P = CComputeHeadingPane;
    EXPECT_EQ(pane.GetTitle(), "Compute Heading");
    struct Case
    {
        const char *e1, *n1, *e2, *n2;
        double headingDegrees; // -1: none
        double distance;
    };
    const Case cases[] = {
        {"500000", "6000000", "500100", "6000100", 45.0, 141.42135623730951},
        {"500000", "6000000", "499900", "6000000", 270.0, 100.0},
        {"500000", "6000000", "500000", "5999000", 180.0, 1000.0},
        {"500000", "6000000", "499999.5", "6000866.0254", 359.9669, 866.0255},
        // The same position twice: no direction, no distance between them.
        {"500000", "6000000", "500000", "6000000", -1.0, 0.0},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Type(pane, P::ITEM_FROM_EASTING, c.e1));
        ASSERT_TRUE(Type(pane, P::ITEM_FROM_NORTHING, c.n1));
        ASSERT_TRUE(Type(pane, P::ITEM_TO_EASTING, c.e2));
        ASSERT_TRUE(Type(pane, P::ITEM_TO_NORTHING, c.n2));
        if (c.headingDegrees < 0.0)
            EXPECT_EQ(pane.GetHeading(), DBL_MAX) << c.e2;
        else
            EXPECT_NEAR(pane.GetHeading() / kDegree, c.headingDegrees, 1e-4) << c.e2;
        EXPECT_NEAR(pane.GetDistance(), c.distance, 1e-4) << c.e2;
        EXPECT_FALSE(pane.GetShownText(P::ITEM_DISTANCE).IsEmpty());
    }
}

TEST_F(HeadingFixture, NoResultUntilBothPositionsAreGiven)
{
    using P = CComputeHeadingPane;
    ASSERT_TRUE(Type(pane, P::ITEM_FROM_EASTING, "500000"));
    ASSERT_TRUE(Type(pane, P::ITEM_FROM_NORTHING, "6000000"));
    ASSERT_TRUE(Type(pane, P::ITEM_TO_EASTING, "500100"));
    EXPECT_EQ(pane.GetHeading(), DBL_MAX);
    EXPECT_EQ(pane.GetDistance(), DBL_MAX);
    // Text that is not a number is refused and the last good value stays.
    EXPECT_FALSE(Type(pane, P::ITEM_TO_NORTHING, "north"));
    EXPECT_EQ(pane.GetDistance(), DBL_MAX);
    ASSERT_TRUE(Type(pane, P::ITEM_TO_NORTHING, "6000000"));
    EXPECT_NEAR(pane.GetHeading() / kDegree, 90.0, 1e-9);
    // The results are not for typing.
    EXPECT_FALSE(Type(pane, P::ITEM_HEADING, "10"));
}

// Both panes give the grid bearing and distance by the one computation.
TEST_F(HeadingFixture, AgreesWithTheRangeAndBearingPane)
{
    CSpheroid spheroid;
    ASSERT_TRUE(spheroid.SetFromTable(26));
    CProjection projection;
    projection.SetSpheroid(&spheroid);
    ASSERT_TRUE(projection.SetZone(31, 0, 0));
    CRangeAndBearingPane range;
    ASSERT_TRUE(range.Create(&owner, 32788, &projection));
    using R = CRangeAndBearingPane;
    using P = CComputeHeadingPane;
    ASSERT_TRUE(Type(range, R::ITEM_EASTING, "412345.6"));
    ASSERT_TRUE(Type(range, R::ITEM_NORTHING, "5812345.6"));
    ASSERT_TRUE(Type(range, R::ITEM_EASTING + R::SECOND_POINT, "398765.4"));
    ASSERT_TRUE(Type(range, R::ITEM_NORTHING + R::SECOND_POINT, "5823456.7"));
    ASSERT_TRUE(Type(pane, P::ITEM_FROM_EASTING, "412345.6"));
    ASSERT_TRUE(Type(pane, P::ITEM_FROM_NORTHING, "5812345.6"));
    ASSERT_TRUE(Type(pane, P::ITEM_TO_EASTING, "398765.4"));
    ASSERT_TRUE(Type(pane, P::ITEM_TO_NORTHING, "5823456.7"));
    EXPECT_DOUBLE_EQ(pane.GetHeading(), range.GetGridBearing());
    EXPECT_DOUBLE_EQ(pane.GetDistance(), range.GetGridDistance());
}

namespace
{
struct ProjectionFixture : ::testing::Test
{
    COwnerWindow owner;
    CSpheroid spheroid;
    CProjection projection;
    CSpheroidProjectionPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(spheroid.SetFromTable(26));
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(31, 0, 0));
        ASSERT_TRUE(owner.Make());
    }
};
} // namespace

TEST_F(ProjectionFixture, ShowsTheWorkingProjectionReadOnlyAndFollowsIt)
{
    using P = CSpheroidProjectionPane;
    ASSERT_TRUE(pane.Create(&owner, "Geodetic", 32823, &projection, true, false));
    EXPECT_EQ(pane.GetTitle(), "Geodetic");
    EXPECT_FALSE(pane.GetNightMode());
    EXPECT_EQ(pane.GetShownText(P::ITEM_PROJECTION_NAME), projection.m_Name);
    EXPECT_EQ(pane.GetShownText(P::ITEM_SPHEROID_NAME), spheroid.m_Name);
    EXPECT_NE(pane.GetShownText(P::ITEM_FALSE_EASTING).Find("500000"), -1)
        << (LPCSTR)pane.GetShownText(P::ITEM_FALSE_EASTING);
    EXPECT_NE(pane.GetShownText(P::ITEM_SEMI_MAJOR).Find("6378137.000"), -1)
        << (LPCSTR)pane.GetShownText(P::ITEM_SEMI_MAJOR);
    for (DWORD_PTR item :
         {P::ITEM_PROJECTION_NAME, P::ITEM_FALSE_EASTING, P::ITEM_SCALE_FACTOR, P::ITEM_SEMI_MAJOR})
        EXPECT_FALSE(Type(pane, item, "1")) << item;

    // Another zone on another spheroid, shown once the program says so.
    ASSERT_TRUE(spheroid.SetFromTable(16));
    ASSERT_TRUE(projection.SetZone(30, 0, 1));
    const CString before = pane.GetShownText(P::ITEM_PROJECTION_NAME);
    pane.Refresh();
    EXPECT_EQ(pane.GetShownText(P::ITEM_PROJECTION_NAME), projection.m_Name);
    EXPECT_NE(pane.GetShownText(P::ITEM_PROJECTION_NAME), before);
    EXPECT_EQ(pane.GetShownText(P::ITEM_SPHEROID_NAME), spheroid.m_Name);
    EXPECT_NE(pane.GetShownText(P::ITEM_FALSE_NORTHING).Find("10000000"), -1)
        << (LPCSTR)pane.GetShownText(P::ITEM_FALSE_NORTHING);
}

TEST_F(ProjectionFixture, WithoutSpheroidAndInTheNight)
{
    using P = CSpheroidProjectionPane;
    ASSERT_TRUE(pane.Create(&owner, "Grid", 32823, &projection, false, true));
    EXPECT_TRUE(pane.GetNightMode());
    EXPECT_EQ(pane.FindItem(P::ITEM_SPHEROID_NAME), nullptr);
    EXPECT_EQ(pane.GetShownText(P::ITEM_PROJECTION_NAME), projection.m_Name);
    pane.Refresh();
    EXPECT_EQ(pane.FindItem(P::ITEM_SEMI_MAJOR), nullptr);
}
