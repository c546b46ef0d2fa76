// The height search answers most of its comparisons from the height that spans the wanted
// distance instead of asking the catenary each time: its answers must stay exactly those of
// the halving search that asks the catenary at every step.
#include "zuduzuro/Catenary.h"
#include "zuduzuro/Solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace
{
// The halving search as it is defined: from the middle of (0, upper − lower), a step up when
// the catenary at the height spans less than `span`, down otherwise, the step halved each
// time until it is 1e-5 m.
double HalvingAskingTheCatenary(double span, double upper, double lower, double tension, double weight)
{
    double height = (upper - lower) / 2.0;
    if (tension == 0.0 || weight == 0.0)
        return height;
    const double tk = tension * 1000.0;
    double step = (upper - lower) / 4.0;
    for (int pass = 0; pass < 1100; ++pass)
    {
        if ((tk - weight * height) / tk == 1.0)
            return height;
        height += (span > ComputeCatenary(tension, weight, height).x) ? step : -step;
        step /= 2.0;
        if (!(step > 1e-5))
            break;
    }
    return height;
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}
} // namespace

TEST(HeightSearch, AnswersExactlyAsTheHalvingThatAsksTheCatenaryEveryStep)
{
    struct Case
    {
        const char* name;
        double span, upper, lower, tension, weight;
    };
    const double reach = ComputeCatenary(80.0, 90.0, 148.0).x;
    const Case cases[] = {
        {"the anchor's own points", reach * 0.37, 140.0, -8.0, 80.0, 90.0},
        {"a span met at a step's own height", ComputeCatenary(80.0, 90.0, 74.0 + 37.0).x, 140.0, -8.0, 80.0,
         90.0},
        {"a span beyond the deepest reach", reach * 3.0, 140.0, -8.0, 80.0, 90.0},
        {"no span", 0.0, 140.0, -8.0, 80.0, 90.0},
        {"a negative span", -5.0, 140.0, -8.0, 80.0, 90.0},
        {"a span that bends back (u past 1.8)", 500.0, 1000.0, 0.0, 10.0, 90.0},
        {"a top as heavy as the whole cable", 50.0, 200.0, 0.0, 1.0, 10.0},
        {"a heavy cable on a light tension", 20.0, 60.0, 10.0, 2.0, 30.0},
        {"a light cable on a heavy tension", 1e4, 300.0, 0.0, 1000.0, 0.5},
        {"a span of no number", std::nan(""), 140.0, -8.0, 80.0, 90.0},
        {"an interval upside down", 100.0, -8.0, 140.0, 80.0, 90.0},
    };
    for (const Case& c : cases)
    {
        const double expected = HalvingAskingTheCatenary(c.span, c.upper, c.lower, c.tension, c.weight);
        const double got = SolveHeightForSpan(c.span, c.upper, c.lower, c.tension, c.weight);
        EXPECT_TRUE(SameBits(got, expected) || (std::isnan(got) && std::isnan(expected)))
            << c.name << ": " << got << " against " << expected;
    }

    // Tensions, weights and intervals over four decades, spans met inside, outside and at the
    // heights the halving steps on.
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int differing = 0;
    for (int i = 0; i < 20000; ++i)
    {
        const double tension = std::pow(10.0, unit(random) * 4.0 - 1.0);
        const double weight = std::pow(10.0, unit(random) * 4.0 - 1.0);
        const double lower = (unit(random) - 0.3) * 200.0;
        const double upper = lower + std::pow(10.0, unit(random) * 4.0 - 1.0);
        const double top = upper - lower;
        const double height = i % 5 == 0 ? top * (0.5 + 0.25 - 0.125) : unit(random) * top * 1.3;
        const double span =
            ComputeCatenary(tension, weight, height).x * (i % 3 == 0 ? 1.0 : 0.5 + unit(random));
        const double expected = HalvingAskingTheCatenary(span, upper, lower, tension, weight);
        const double got = SolveHeightForSpan(span, upper, lower, tension, weight);
        if (!SameBits(got, expected) && differing++ < 5)
            ADD_FAILURE() << "span " << span << " in (" << lower << ", " << upper << "), T " << tension
                          << ", w " << weight << ": " << got << " against " << expected;
    }
    EXPECT_EQ(differing, 0);
}
