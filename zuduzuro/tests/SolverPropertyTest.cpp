// Every solver over seeded random cables, including zero, negative and lopsided inputs: each
// call returns (the test's time-out would catch one that does not) and no result is NaN or
// infinite. Mean weights stay among the weights mixed.
#include "zuduzuro/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>

namespace
{
class Draw
{
public:
    explicit Draw(unsigned seed) : m_rng(seed) {}

    // A value in [lo, hi], with a share of exact zeros and of negatives, which the anchor's
    // settings can hold.
    double Value(double lo, double hi)
    {
        const int kind = std::uniform_int_distribution<int>(0, 19)(m_rng);
        if (kind == 0)
            return 0.0;
        if (kind == 1)
            return -std::uniform_real_distribution<double>(0.0, hi / 10.0)(m_rng);
        return std::uniform_real_distribution<double>(lo, hi)(m_rng);
    }
    bool Flag() { return std::uniform_int_distribution<int>(0, 1)(m_rng) == 1; }

private:
    std::mt19937 m_rng;
};

struct Inputs
{
    CableSectionsDef sections;
    GroundChainDef chain;
    double tension, base, support1, support2, distance, fairlead, seabed, onDeck, weightA, weightB;

    std::string Describe() const
    {
        std::ostringstream s;
        s << "T " << tension << " B " << base << " S1 " << support1 << " S2 " << support2 << " D " << distance
          << " upper " << sections.bUseUpperSection << " " << sections.UpperWeight << "/"
          << sections.UpperLength << " lower " << sections.LowerWeight << "/" << sections.LowerLength
          << " chain " << chain.bUseGroundChain << " " << chain.GroundChainWeight << "/"
          << chain.GroundChainLength;
        return s.str();
    }
};

Inputs Random(Draw& d)
{
    Inputs in;
    in.sections.bUseUpperSection = d.Flag();
    // A weightless upper line now and then.
    in.sections.UpperWeight = d.Flag() ? 0.0 : d.Value(0.5, 60.0);
    in.sections.UpperLength = d.Value(1.0, 1200.0);
    in.sections.LowerWeight = d.Value(0.5, 250.0);
    in.sections.LowerLength = d.Value(1.0, 2000.0);
    in.chain.bUseGroundChain = d.Flag();
    in.chain.GroundChainWeight = d.Value(20.0, 400.0);
    in.chain.GroundChainLength = d.Value(1.0, 800.0);
    in.tension = d.Value(0.5, 300.0);
    in.base = d.Value(1.0, 1500.0);
    in.support1 = d.Value(-30.0, 200.0);
    in.support2 = d.Value(-30.0, 200.0);
    in.distance = d.Value(0.0, 3000.0);
    in.fairlead = d.Value(0.0, 1500.0);
    in.seabed = d.Value(0.0, 200.0);
    in.onDeck = d.Value(0.0, 2000.0);
    in.weightA = d.Value(0.5, 300.0);
    in.weightB = d.Value(0.5, 300.0);
    return in;
}

bool Finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool Among(double value, double a, double b)
{
    const double slack = 1e-9 * (std::fabs(a) + std::fabs(b) + 1.0);
    return value >= std::min(a, b) - slack && value <= std::max(a, b) + slack;
}

bool Finite(const WeightlessRangeDef& r)
{
    return Finite({r.LowerWeight, r.LineSpan, r.LineHeight, r.FirstSpan, r.LowPoint, r.FarWeight, r.Lying,
                   r.CatenarySpan, r.Range});
}
} // namespace

TEST(SolverProperties, EverySolverReturnsFiniteResultsForRandomCables)
{
    Draw draw(20240611u);
    for (int i = 0; i < 3000; ++i)
    {
        const Inputs in = Random(draw);
        SCOPED_TRACE(in.Describe());
        const CableSectionsDef& s = in.sections;
        const GroundChainDef& c = in.chain;

        const double h = SolveHeightForSpan(in.distance, in.base, in.support1, in.tension, s.LowerWeight);
        const double w = SolveWeightForSpan(in.tension, in.base, in.weightA, in.distance);
        ASSERT_TRUE(Finite({h, w}));

        double span = 0.0, weight = 0.0;
        SolveMixedWeightForSpan(in.tension, in.base, in.weightA, in.weightB, in.distance, span, weight);
        ASSERT_TRUE(Finite({span, weight}));

        ComputeSpanForTension(s, c, in.tension, in.fairlead, in.seabed, in.distance, weight, span);
        ASSERT_TRUE(Finite({span, weight}));

        double suspended = 0.0, range = 0.0;
        if (ComputeAnchorRange(s, c, in.tension, in.fairlead, in.seabed, weight, span, suspended, range))
        {
            ASSERT_GE(range, span - 1e-6); // the range adds what lies to the span
        }
        ASSERT_TRUE(Finite({weight, span, suspended, range}));

        ComputeTwoSectionZuduzuro(in.tension, in.base, s.UpperWeight, s.UpperLength, s.LowerWeight,
                                  s.LowerLength, weight, span, suspended, range);
        ASSERT_TRUE(Finite({weight, span, suspended, range}));

        double lying = 0.0, d = 0.0;
        d = ComputeTwoSupportZuduzuro(in.tension, in.base, in.support1, in.support2, s.LowerWeight,
                                      s.LowerLength, lying, span);
        ASSERT_TRUE(Finite({d, lying, span}));

        double low = 0.0, touchdown = 0.0;
        span =
            ComputeTwoSupportLower(s, in.tension, in.base, in.support1, in.support2, low, touchdown, lying);
        ASSERT_TRUE(Finite({span, low, touchdown, lying}));

        double w1 = 0.0, w2 = 0.0;
        d = ComputeTwoSupportTwoSections(in.tension, in.base, in.support1, in.support2, s.UpperWeight,
                                         s.UpperLength, s.LowerWeight, s.LowerLength, w1, w2, span);
        ASSERT_TRUE(Finite({d, w1, w2, span}));
        if (d != 0.0 && s.UpperLength > 0.0 && s.LowerLength > 0.0)
        {
            ASSERT_TRUE(Among(w1, s.UpperWeight, s.LowerWeight));
            ASSERT_TRUE(Among(w2, s.UpperWeight, s.LowerWeight));
        }

        d = ComputeTwoSupportThreeSections(in.tension, in.base, in.support1, in.support2, s.UpperWeight,
                                           s.UpperLength, s.LowerWeight, s.LowerLength, c.GroundChainWeight,
                                           c.GroundChainLength, w1, w2, span);
        ASSERT_TRUE(Finite({d, w1, w2, span}));

        d = ComputeTwoSupportCable(s, &c, in.tension, in.base, in.support1, in.support2, span, w1, w2, lying);
        ASSERT_TRUE(Finite({d, span, w1, w2, lying}));
        ASSERT_GE(lying, 0.0);
        d = ComputeTwoSupportCable(s, nullptr, in.tension, in.base, in.support1, in.support2, span, w1, w2,
                                   lying);
        ASSERT_TRUE(Finite({d, span, w1, w2, lying}));

        bool settled = true;
        d = SolveSagForDistance(s, in.tension, in.base, in.support1, in.support2, in.distance, w1, w2, lying,
                                &settled);
        ASSERT_TRUE(Finite({d, w1, w2, lying}));
        if (s.bUseUpperSection)
        {
            ASSERT_TRUE(Among(w1, s.UpperWeight, s.LowerWeight));
            ASSERT_TRUE(Among(w2, s.UpperWeight, s.LowerWeight));
        }
        for (double x : {0.0, in.distance / 3.0, in.distance})
        {
            const double level =
                SolveTouchdownHeight(in.tension, x, in.base, in.support1, w1, in.support2, w2, d, lying);
            ASSERT_TRUE(std::isfinite(level));
        }

        double lineHeight = 0.0, lineSpan = 0.0, total = 0.0, catenarySpan = 0.0;
        SolveWeightlessUpperSection(in.tension, in.fairlead, in.seabed, s.LowerWeight, s.LowerLength,
                                    s.UpperLength, suspended, lineHeight, lineSpan, total, catenarySpan,
                                    range);
        ASSERT_TRUE(Finite({suspended, lineHeight, lineSpan, total, catenarySpan, range}));

        weight = 0.0;
        SolveWeightlessWithChain(s, c, in.tension, in.fairlead, in.seabed, &weight, &lineSpan, &lineHeight,
                                 total, range);
        ASSERT_TRUE(Finite({weight, lineSpan, lineHeight, total, range}));

        WeightlessRangeDef r;
        ComputeWeightlessRange(s, c, in.tension, in.base, in.support1, in.support2, r);
        ASSERT_TRUE(Finite(r));
        bool lineOnly = false;
        WeightlessRangeDef out;
        ComputeWeightlessCableOut(s, c, in.tension, in.base, in.support1, in.onDeck, lineOnly, out);
        ASSERT_TRUE(Finite(out));
    }
}
