#include "foundation/SeawaterDensity.h"

#include <gtest/gtest.h>

TEST(SeawaterDensity, PublishedCheckValues)
{
    // Check values of the 1981 equation of state at one atmosphere.
    EXPECT_NEAR(SeawaterDensity(5.0, 0.0), 999.96675, 1e-5);
    EXPECT_NEAR(SeawaterDensity(5.0, 35.0), 1027.67547, 1e-5);
    EXPECT_NEAR(SeawaterDensity(25.0, 35.0), 1023.34306, 1e-5);
    EXPECT_DOUBLE_EQ(SeawaterDensity(0.0, 0.0), 999.842594);
    EXPECT_NEAR(SeawaterDensity(0.0, 35.0), 1028.106, 1e-3);
}
