// The catenary element against the textbook closed form, and its guarded companions.
#include "zuduzuro/Catenary.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace
{
// The textbook catenary of parameter a = H / w, H = 1000·T − w·h: s = √(h² + 2ah),
// x = a·acosh(1 + h/a).
struct ClosedForm
{
    double s;
    double x;
};

ClosedForm Textbook(double tension, double weight, double height)
{
    const double a = (tension * 1000.0 - weight * height) / weight;
    return {std::sqrt(height * height + 2.0 * a * height), a * std::acosh(1.0 + height / a)};
}
} // namespace

TEST(Catenary, PublishedCaseFiftyTonnesOverAHundredMetres)
{
    // H = 50000 − 100·100 = 40000 kgf, a = 400 m: s = √(100² + 2·400·100) = 300 m and
    // x = 400·acosh(1.25) = 400·ln 2.
    const CatenaryDef e = ComputeCatenary(50.0, 100.0, 100.0);
    EXPECT_NEAR(e.s, 300.0, 1e-9);
    EXPECT_NEAR(e.x, 400.0 * std::log(2.0), 1e-9);
    EXPECT_NEAR(e.x, 277.258872, 1e-6);
    // The top angle: tan θ = s / a.
    EXPECT_NEAR(e.t, 300.0 / 400.0, 1e-12);
    EXPECT_NEAR(CatenaryAngle(e), std::atan(0.75) * 57.2957795131, 1e-9);
}

TEST(Catenary, MatchesTheClosedFormOverATableOfCables)
{
    struct Case
    {
        double tension, weight, height;
    };
    const Case cases[] = {
        {10.0, 20.0, 100.0},  // a wire in 100 m of water
        {120.0, 25.5, 250.0}, // a deep-water spread
        {5.0, 3.0, 40.0},     // a light rope
        {200.0, 180.0, 30.0}, // heavy chain in shallow water
        {60.0, 100.0, 590.0}, // a tension that barely lifts the chain (H = 1000 kgf)
    };
    for (const Case& c : cases)
    {
        const CatenaryDef e = ComputeCatenary(c.tension, c.weight, c.height);
        const ClosedForm f = Textbook(c.tension, c.weight, c.height);
        EXPECT_NEAR(e.s, f.s, 1e-7 * f.s) << c.tension << " t, " << c.weight << " kg/m, " << c.height << " m";
        EXPECT_NEAR(e.x, f.x, 1e-7 * f.x) << c.tension << " t, " << c.weight << " kg/m, " << c.height << " m";
    }
}

TEST(Catenary, DegenerateCablesHaveNoShape)
{
    struct Case
    {
        const char* name;
        double tension, weight, height;
    };
    const Case zeros[] = {
        {"no tension", 0.0, 100.0, 100.0},
        {"no weight", 50.0, 0.0, 100.0},
        {"top at the lowest point", 50.0, 100.0, 0.0},
    };
    for (const Case& c : zeros)
    {
        const CatenaryDef e = ComputeCatenary(c.tension, c.weight, c.height);
        EXPECT_EQ(e.s, 0.0) << c.name;
        EXPECT_EQ(e.x, 0.0) << c.name;
        EXPECT_EQ(e.t, 0.0) << c.name;
    }

    // A top below the lowest point: no suspended length, a negative span that the searches
    // use to step back.
    const CatenaryDef below = ComputeCatenary(50.0, 100.0, -10.0);
    EXPECT_EQ(below.s, 0.0);
    EXPECT_LT(below.x, 0.0);

    // A tension that cannot lift the cable over the height (H ≤ 0) spans nothing.
    for (double height : {500.0, 600.0, 1000.0, 5000.0})
    {
        const CatenaryDef e = ComputeCatenary(50.0, 100.0, height);
        EXPECT_EQ(e.x, 0.0) << height;
        EXPECT_TRUE(std::isfinite(e.s)) << height;
    }

    // Inputs at the edge of the double range give no catenary rather than infinities.
    const CatenaryDef huge = ComputeCatenary(1e306, 1e-300, 1e300);
    EXPECT_TRUE(std::isfinite(huge.s) && std::isfinite(huge.x) && std::isfinite(huge.t));
}

TEST(Catenary, StraightSpanNeverTakesTheRootOfANegative)
{
    EXPECT_DOUBLE_EQ(StraightSpan(100.0, 60.0), 80.0);
    EXPECT_DOUBLE_EQ(StraightSpan(100.0, -60.0), 80.0);
    EXPECT_EQ(StraightSpan(100.0, 100.0), 0.0);
    EXPECT_EQ(StraightSpan(50.0, 100.0), 0.0);
    EXPECT_EQ(StraightSpan(50.0, -100.0), 0.0);
    EXPECT_EQ(StraightSpan(-50.0, 10.0), 0.0);
    EXPECT_EQ(StraightSpan(0.0, 0.0), 0.0);
}

TEST(Catenary, MeanWeightStaysAmongThePartsWeights)
{
    EXPECT_DOUBLE_EQ(MeanWeight({{100.0, 20.0}, {300.0, 100.0}}, -1.0), 80.0);
    // A part of negative length (a search that overshot) counts as none.
    EXPECT_DOUBLE_EQ(MeanWeight({{-40.0, 500.0}, {100.0, 20.0}}, -1.0), 20.0);
    EXPECT_EQ(MeanWeight({{0.0, 20.0}, {-5.0, 30.0}}, 7.0), 7.0);
    EXPECT_EQ(MeanWeight({}, 7.0), 7.0);
}
