// The anchor-cable solvers: closed-form cables, the textbook symmetric catenary between two
// supports, cables of several sections against the textbook piecewise catenary (one horizontal
// tension, each section by its own weight), round trips between forward and inverse solvers,
// and the edge rows of the cable make-ups that the anchor computation meets.
#include "zuduzuro/Catenary.h"
#include "zuduzuro/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace
{
// T = 50 t over 100 m with 100 kg/m: a = 400 m, s = 300 m, x = 400·ln 2.
const double kT = 50.0;
const double kW = 100.0;
const double kH = 100.0;
const double kS = 300.0;
const double kX = 400.0 * 0.69314718055994530942;

CableSectionsDef LowerOnly(double weight, double length)
{
    CableSectionsDef s;
    s.bUseUpperSection = false;
    s.LowerWeight = weight;
    s.LowerLength = length;
    return s;
}

CableSectionsDef UpperAndLower(double upperWeight, double upperLength, double lowerWeight, double lowerLength)
{
    CableSectionsDef s;
    s.bUseUpperSection = true;
    s.UpperWeight = upperWeight;
    s.UpperLength = upperLength;
    s.LowerWeight = lowerWeight;
    s.LowerLength = lowerLength;
    return s;
}

GroundChainDef Chain(double weight, double length)
{
    GroundChainDef c;
    c.bUseGroundChain = true;
    c.GroundChainWeight = weight;
    c.GroundChainLength = length;
    return c;
}

// A symmetric textbook catenary of parameter a and span S hung from two supports at level 0
// over a seabed 200 m down: sag = a(cosh(S/2a) − 1), length 2a·sinh(S/2a), top tension
// w(a + sag). (The cable's lowest point then lies 200 − sag above the seabed.)
struct Symmetric
{
    double a = 400.0;
    double span = 600.0;
    double weight = 100.0;
    double base = 200.0;
    double Sag() const { return a * (std::cosh(span / (2.0 * a)) - 1.0); }
    double Length() const { return 2.0 * a * std::sinh(span / (2.0 * a)); }
    double Tension() const { return weight * (a + Sag()) / 1000.0; }
    double LowPoint() const { return base - Sag(); }
};

// The textbook piecewise catenary (Irvine, "Cable Structures", 1981, ch. 2) hung from its top
// with horizontal tension H and vertical force V there (kgf), through sections (weight, length)
// from the top until V reaches 0: the drop, span and length of cable down to there.
struct HangDef
{
    double Drop = 0.0;
    double Span = 0.0;
    double Length = 0.0;
};

HangDef Hang(double H, double V, std::initializer_list<std::pair<double, double>> sections)
{
    HangDef r;
    for (const auto& section : sections)
    {
        const double w = section.first;
        const double hang = w > 0.0 ? std::min(section.second, V / w) : section.second;
        const double after = V - w * hang;
        if (w > 0.0)
        {
            r.Drop += (std::hypot(H, V) - std::hypot(H, after)) / w;
            r.Span += H / w * (std::asinh(V / H) - std::asinh(after / H));
        }
        else
        {
            r.Drop += hang * V / std::hypot(H, V);
            r.Span += hang * H / std::hypot(H, V);
        }
        r.Length += hang;
        V = after;
        if (V <= 0.0)
            break;
    }
    return r;
}

// The horizontal tension of a cable whose top tension is T (tonnes) and whose hanging part
// weighs `hanging` kg (the vertical force at the top).
double Horizontal(double tension, double hanging)
{
    return std::sqrt(tension * tension * 1e6 - hanging * hanging);
}
} // namespace

// ---------------------------------------------------------------------------------------
// Single support: the anchor range and the span for a tension
// ---------------------------------------------------------------------------------------

TEST(AnchorRange, ClosedFormCableWithAndWithoutGroundChain)
{
    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
    // 20 m more cable than hangs: it lies on the seabed and adds to the range.
    const CableSectionsDef cable = LowerOnly(kW, kS + 20.0);
    ASSERT_TRUE(ComputeAnchorRange(cable, GroundChainDef(), kT, kH, 0.0, weight, span, suspended, range));
    EXPECT_EQ(weight, kW);
    EXPECT_NEAR(span, kX, 1e-9);
    EXPECT_NEAR(suspended, kS, 1e-9);
    EXPECT_NEAR(range, kX + 20.0, 1e-9);

    // The fairlead and seabed heights only count by their difference.
    ASSERT_TRUE(
        ComputeAnchorRange(cable, GroundChainDef(), kT, kH + 35.0, 35.0, weight, span, suspended, range));
    EXPECT_NEAR(range, kX + 20.0, 1e-9);

    // A ground chain beyond a touchdown on the lower section lies whole on the seabed.
    ASSERT_TRUE(ComputeAnchorRange(cable, Chain(150.0, 100.0), kT, kH, 0.0, weight, span, suspended, range));
    EXPECT_NEAR(range, kX + 20.0 + 100.0, 1e-9);

    // Touchdown on the upper section: the lower section and the chain lie beyond it.
    const CableSectionsDef twoSections = UpperAndLower(kW, kS + 5.0, 40.0, 200.0);
    ASSERT_TRUE(
        ComputeAnchorRange(twoSections, Chain(150.0, 100.0), kT, kH, 0.0, weight, span, suspended, range));
    EXPECT_EQ(weight, kW);
    EXPECT_NEAR(range, kX + 5.0 + 200.0 + 100.0, 1e-9);
}

TEST(AnchorRange, FullySuspendedCableNeedsAChainToTouchDown)
{
    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
    const CableSectionsDef cable = LowerOnly(kW, 250.0); // 50 m short of the 300 m that hangs
    // It hangs whole and lifts the anchor: no touchdown, the anchor nearer than the 250 m line.
    EXPECT_FALSE(ComputeAnchorRange(cable, GroundChainDef(), kT, kH, 0.0, weight, span, suspended, range));
    EXPECT_EQ(suspended, 250.0);
    EXPECT_GT(range, 0.0);
    EXPECT_LT(range, std::sqrt(250.0 * 250.0 - kH * kH));
    // A chain flagged but of no length is no chain.
    EXPECT_FALSE(ComputeAnchorRange(cable, Chain(200.0, 0.0), kT, kH, 0.0, weight, span, suspended, range));

    // With a chain the cable hangs through the lower section and p metres of chain, each by
    // its own weight under one horizontal tension, and touches down on the chain.
    const GroundChainDef chain = Chain(200.0, 100.0);
    ASSERT_TRUE(ComputeAnchorRange(cable, chain, kT, kH, 0.0, weight, span, suspended, range));
    const double hangingChain = suspended - 250.0;
    ASSERT_GT(hangingChain, 0.0);
    ASSERT_LT(hangingChain, chain.GroundChainLength);
    EXPECT_NEAR(weight, (250.0 * kW + hangingChain * 200.0) / suspended, 1e-9);
    const double top = 250.0 * kW + hangingChain * 200.0;
    const HangDef hang = Hang(Horizontal(kT, top), top, {{kW, 250.0}, {200.0, 100.0}});
    EXPECT_NEAR(hang.Drop, kH, 1e-6);
    EXPECT_NEAR(hang.Length, suspended, 1e-6);
    EXPECT_NEAR(span, hang.Span, 1e-6);
    EXPECT_NEAR(range, span + chain.GroundChainLength - hangingChain, 1e-9);
}

TEST(AnchorRange, ThreeSectionsHangUnderOneHorizontalTension)
{
    // Wire and a lighter lower section that hang whole, over a heavy chain that hangs in part:
    // the textbook piecewise catenary of the three, its top tension T.
    const CableSectionsDef cable = UpperAndLower(20.0, 150.0, 15.0, 150.0);
    const GroundChainDef chain = Chain(100.0, 300.0);
    double previousRange = 0.0;
    for (double tension : {10.0, 20.0, 30.0, 40.0, 60.0})
    {
        double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
        ASSERT_TRUE(ComputeAnchorRange(cable, chain, tension, 100.0, 0.0, weight, span, suspended, range))
            << tension;
        ASSERT_GT(suspended, 300.0) << tension;
        ASSERT_LT(suspended, 600.0) << tension;
        const double top = 150.0 * 20.0 + 150.0 * 15.0 + (suspended - 300.0) * 100.0;
        EXPECT_NEAR(weight, top / suspended, 1e-9) << tension;
        const HangDef hang = Hang(Horizontal(tension, top), top, {{20.0, 150.0}, {15.0, 150.0}, {100.0, 300.0}});
        EXPECT_NEAR(hang.Drop, 100.0, 1e-6) << tension;
        EXPECT_NEAR(hang.Length, suspended, 1e-6) << tension;
        EXPECT_NEAR(span, hang.Span, 1e-6) << tension;
        EXPECT_NEAR(range, 600.0 + span - suspended, 1e-9) << tension;
        // More tension lifts more chain and pulls the anchor further out.
        EXPECT_GT(range, previousRange) << tension;
        previousRange = range;
    }

    // A tension that lifts the whole cable touches down nowhere.
    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
    EXPECT_FALSE(ComputeAnchorRange(cable, chain, 500.0, 100.0, 0.0, weight, span, suspended, range));
    // ... and so does the same cable without its chain.
    EXPECT_FALSE(
        ComputeAnchorRange(cable, GroundChainDef(), 10.0, 100.0, 0.0, weight, span, suspended, range));
}

TEST(AnchorRange, TwoSectionCableThatHangsWholeReportsItsStraightRun)
{
    double weight = -1.0, span = -1.0, suspended = -1.0, range = -1.0;
    // 250 m over 100 m of height: the straight run √(250² − 100²).
    EXPECT_FALSE(ComputeTwoSectionZuduzuro(kT, kH, kW, 150.0, kW, 100.0, weight, span, suspended, range));
    EXPECT_EQ(weight, 0.0);
    EXPECT_EQ(suspended, 250.0);
    EXPECT_NEAR(span, std::sqrt(250.0 * 250.0 - 100.0 * 100.0), 1e-9);
    EXPECT_EQ(range, span);
    // A cable no longer than the height has no run.
    EXPECT_FALSE(ComputeTwoSectionZuduzuro(kT, kH, kW, 50.0, kW, 40.0, weight, span, suspended, range));
    EXPECT_EQ(span, 0.0);
    EXPECT_EQ(range, 0.0);
}

TEST(AnchorRange, ZeroTensionLeavesTheWholeCableOnTheSeabed)
{
    double weight = 0.0, span = -1.0, suspended = -1.0, range = 0.0;
    ASSERT_TRUE(ComputeAnchorRange(LowerOnly(kW, 400.0), Chain(150.0, 50.0), 0.0, kH, 0.0, weight, span,
                                   suspended, range));
    EXPECT_EQ(span, 0.0);
    EXPECT_EQ(suspended, 0.0);
    EXPECT_EQ(range, 450.0);
}

TEST(SpanForTension, ReportsTheSpanWhenTheDistanceAllowsIt)
{
    double weight = 0.0, span = 0.0;
    // Exactly the span of the only section, paid out as far as needed: that span and weight.
    ASSERT_TRUE(
        ComputeSpanForTension(LowerOnly(kW, 500.0), GroundChainDef(), kT, 60.0, 40.0, kX, weight, span));
    EXPECT_NEAR(weight, kW, 1e-9);
    EXPECT_NEAR(span, kX, 1e-6);
    // The upper section paid out, the lower one's 100 m lying whole at the anchor.
    ASSERT_TRUE(ComputeSpanForTension(UpperAndLower(kW, 500.0, 30.0, 100.0), GroundChainDef(), kT, kH, 0.0,
                                      kX + 100.0, weight, span));
    EXPECT_NEAR(weight, kW, 1e-9);
    EXPECT_NEAR(span, kX, 1e-6);
    // Nearer, a heavier lower section hangs in part too, and the cable touches down sooner.
    ASSERT_TRUE(ComputeSpanForTension(UpperAndLower(kW, 500.0, 300.0, 100.0), GroundChainDef(), kT, kH, 0.0, kX,
                                      weight, span));
    EXPECT_GT(weight, kW);
    EXPECT_LT(weight, 300.0);
    EXPECT_LT(span, kX);
    // A lighter one would hang further out than the anchor: it is lifted.
    EXPECT_FALSE(ComputeSpanForTension(UpperAndLower(kW, 500.0, 30.0, 100.0), GroundChainDef(), kT, kH, 0.0, kX,
                                       weight, span));

    // With a chain and no upper section the distance must exceed the chain plus the span.
    const GroundChainDef chain = Chain(300.0, 50.0);
    ASSERT_TRUE(
        ComputeSpanForTension(LowerOnly(kW, 500.0), chain, kT, kH, 0.0, 50.0 + kX + 0.01, weight, span));
    EXPECT_NEAR(weight, kW, 1e-9);
    EXPECT_NEAR(span, kX, 1e-6);
    // Within chain plus span the chain hangs in part: a heavier cable, a shorter span.
    EXPECT_TRUE(
        ComputeSpanForTension(LowerOnly(kW, 500.0), chain, kT, kH, 0.0, 50.0 + kX - 0.01, weight, span));
    EXPECT_GT(weight, kW);
    EXPECT_LT(weight, 300.0);
    EXPECT_LT(span, kX);
}

TEST(SpanForTension, AnAnchorNearerThanTheTouchdownIsLifted)
{
    double weight = 0.0, span = 0.0;
    // 200 m off where the cable would touch down 277 m out: it reaches the anchor still hanging.
    EXPECT_FALSE(
        ComputeSpanForTension(LowerOnly(kW, 500.0), GroundChainDef(), kT, kH, 0.0, 200.0, weight, span));
    EXPECT_EQ(span, 200.0);
    EXPECT_NEAR(weight, kW, 1e-9);

    // Light sections over a heavy chain, 60 m off: lifted too.
    const CableSectionsDef light = UpperAndLower(0.8, 400.0, 0.5, 400.0);
    EXPECT_FALSE(ComputeSpanForTension(light, Chain(150.0, 20.0), 20.0, 50.0, 0.0, 60.0, weight, span));
    EXPECT_EQ(span, 60.0);
}

TEST(SpanForTension, ZeroSpanLeftForTheCatenaryStillReturns)
{
    // With the whole distance taken by the chain the mixed-weight search has no span to share;
    // it used to divide by it and loop for ever.
    double weight = 0.0, span = 0.0;
    double spanOut = -1.0, weightOut = -1.0;
    EXPECT_FALSE(SolveMixedWeightForSpan(kT, kH, 20.0, 40.0, 0.0, spanOut, weightOut));
    EXPECT_EQ(spanOut, 0.0);
    EXPECT_EQ(weightOut, -1.0);

    const CableSectionsDef cable = UpperAndLower(40.0, 300.0, 20.0, 300.0);
    ComputeSpanForTension(cable, Chain(120.0, 150.0), kT, kH, 0.0, 150.0, weight, span);
    EXPECT_TRUE(std::isfinite(weight));
    EXPECT_EQ(span, 150.0);
}

TEST(MixedWeightForSpan, FailsAtOnceWhenTheLighterWeightSpansTooFar)
{
    double span = -1.0, weight = -1.0;
    // The lighter 100 kg/m alone spans 277 m: more than the 250 m wanted.
    EXPECT_FALSE(SolveMixedWeightForSpan(kT, kH, 150.0, kW, 250.0, span, weight));
    EXPECT_EQ(span, 250.0);
    EXPECT_EQ(weight, -1.0);

    // Otherwise it settles on a weight between the two whose span it reports.
    ASSERT_TRUE(SolveMixedWeightForSpan(kT, kH, 300.0, kW, 320.0, span, weight));
    EXPECT_NEAR(ComputeCatenary(kT, weight, kH).x, span, 1e-9);
    EXPECT_GE(weight, kW);
    EXPECT_LE(weight, 300.0);
}

// ---------------------------------------------------------------------------------------
// Inverse searches
// ---------------------------------------------------------------------------------------

TEST(InverseSearches, HeightAndWeightForSpanRoundTrip)
{
    struct Case
    {
        double tension, weight, height;
    };
    const Case cases[] = {{kT, kW, kH}, {10.0, 20.0, 35.0}, {120.0, 25.5, 250.0}, {5.0, 3.0, 2.0}};
    for (const Case& c : cases)
    {
        const double x = ComputeCatenary(c.tension, c.weight, c.height).x;
        // The height search runs to a step of 1e-5 m over (0, upper − lower).
        EXPECT_NEAR(SolveHeightForSpan(x, c.height * 1.5 + 20.0, 20.0, c.tension, c.weight), c.height, 1e-4)
            << c.height;
        // The weight search stops within 0.001 m of the span.
        const double w = SolveWeightForSpan(c.tension, c.height, c.weight * 0.8, x);
        EXPECT_NEAR(ComputeCatenary(c.tension, w, c.height).x, x, 0.002) << c.height;
        EXPECT_NEAR(w, c.weight, 0.01 * c.weight) << c.height;
    }
}

TEST(InverseSearches, ZeroTensionOrWeightGivesTheMiddleOfTheInterval)
{
    EXPECT_EQ(SolveHeightForSpan(100.0, 300.0, 100.0, 0.0, kW), 100.0);
    EXPECT_EQ(SolveHeightForSpan(100.0, 300.0, 100.0, kT, 0.0), 100.0);
    // A zero starting weight has no step to search with.
    EXPECT_EQ(SolveWeightForSpan(kT, kH, 0.0, 100.0), 0.0);
}

// ---------------------------------------------------------------------------------------
// Two supports
// ---------------------------------------------------------------------------------------

TEST(TwoSupports, SymmetricCableMatchesTheTextbookCatenary)
{
    const Symmetric c;
    double lying = -1.0, span = 0.0;
    // One weight of the textbook length: its lowest point and span.
    const double d =
        ComputeTwoSupportZuduzuro(c.Tension(), c.base, 0.0, 0.0, c.weight, c.Length(), lying, span);
    EXPECT_NEAR(d, c.LowPoint(), 0.01);
    EXPECT_NEAR(span, c.span, 0.01);
    EXPECT_EQ(lying, 0.0);

    // The same cable cut into two or three sections of one weight.
    double w1 = 0.0, w2 = 0.0;
    const double d2 = ComputeTwoSupportTwoSections(c.Tension(), c.base, 0.0, 0.0, c.weight, 250.0, c.weight,
                                                   c.Length() - 250.0, w1, w2, span);
    EXPECT_NEAR(d2, c.LowPoint(), 0.01);
    EXPECT_NEAR(span, c.span, 0.01);
    EXPECT_NEAR(w1, c.weight, 1e-9);
    EXPECT_NEAR(w2, c.weight, 1e-9);
    const double d3 = ComputeTwoSupportThreeSections(c.Tension(), c.base, 0.0, 0.0, c.weight, 200.0, c.weight,
                                                     200.0, c.weight, c.Length() - 400.0, w1, w2, span);
    EXPECT_NEAR(d3, c.LowPoint(), 0.01);
    EXPECT_NEAR(span, c.span, 0.01);

    // The buoy-cable solver reports the span as its result.
    double low = 0.0, touchdown = -1.0;
    EXPECT_NEAR(ComputeTwoSupportLower(LowerOnly(c.weight, c.Length()), c.Tension(), c.base, 0.0, 0.0, low,
                                       touchdown, lying),
                c.span, 0.01);
    EXPECT_NEAR(low, c.LowPoint(), 0.01);
    EXPECT_EQ(touchdown, 0.0);
}

TEST(TwoSupports, SagForDistanceFindsTheTextbookLowestPoint)
{
    const Symmetric c;
    double w1 = 0.0, w2 = 0.0, lying = -1.0;
    bool settled = false;
    const double d = SolveSagForDistance(LowerOnly(c.weight, 1000.0), c.Tension(), c.base, 0.0, 0.0, c.span,
                                         w1, w2, lying, &settled);
    EXPECT_NEAR(d, c.LowPoint(), 1e-6);
    EXPECT_NEAR(w1, c.weight, 1e-9);
    EXPECT_NEAR(w2, c.weight, 1e-9);
    EXPECT_EQ(lying, 0.0);
    EXPECT_TRUE(settled);

    // Two sections of one weight go through the mixed search and settle on that weight.
    const double dm = SolveSagForDistance(UpperAndLower(c.weight, 300.0, c.weight, 700.0), c.Tension(),
                                          c.base, 0.0, 0.0, c.span, w1, w2, lying, &settled);
    EXPECT_TRUE(settled);
    EXPECT_NEAR(dm, c.LowPoint(), 1e-6);
    EXPECT_NEAR(w1, c.weight, 1e-9);
    EXPECT_NEAR(w2, c.weight, 1e-9);
}

TEST(TwoSupports, SagForDistanceWithAWireOverAHeavierSection)
{
    // A wire paid out from support 1 over 1299 m of a heavier section at support 2, the supports
    // 322 m apart: one horizontal tension, the wire's side lighter, the lower section's heavier.
    const CableSectionsDef cable =
        UpperAndLower(17.271054255617074, 300.0, 31.961570296436662, 1298.6649879102267);
    const double tension = 40.220847014421338, base = 41.131738567025167;
    const double support1 = -3.9889823209298663, support2 = 10.926728738831448, distance = 322.08196590280664;
    double w1 = 0.0, w2 = 0.0, lying = -1.0;
    bool settled = false;
    const double d =
        SolveSagForDistance(cable, tension, base, support1, support2, distance, w1, w2, lying, &settled);
    EXPECT_TRUE(settled);
    EXPECT_EQ(lying, 0.0);
    EXPECT_GE(w1, cable.UpperWeight - 1e-9);
    EXPECT_LE(w2, cable.LowerWeight + 1e-9);
    // The cable so solved spans the distance between the supports and meets both of them.
    const cablechain::ChainSolutionDef whole =
        cableshapes::CableOverDistance(cable, tension, base, support1, support2, distance);
    ASSERT_TRUE(whole.bSolved);
    EXPECT_NEAR(whole.Span, distance, 1e-6);
    EXPECT_NEAR(whole.LowPoint, d, 1e-9);
    EXPECT_NEAR(whole.HeightAt(0.0), base - support1, 1e-6);
    EXPECT_NEAR(whole.HeightAt(distance), base - support2, 1e-6);
}

TEST(TwoSupports, CableLongerThanBothSidesLiesOnTheSeabed)
{
    const Symmetric c;
    const CatenaryDef side = ComputeCatenary(c.Tension(), c.weight, c.base); // each side over 200 m
    const double length = 2.0 * side.s + 80.0;
    double lying = 0.0, span = 0.0;
    EXPECT_EQ(ComputeTwoSupportZuduzuro(c.Tension(), c.base, 0.0, 0.0, c.weight, length, lying, span), 0.0);
    EXPECT_NEAR(lying, 80.0, 1e-9);
    EXPECT_NEAR(span, 2.0 * side.x + 80.0, 1e-9);

    double low = -1.0, touchdown = 0.0;
    EXPECT_NEAR(ComputeTwoSupportLower(LowerOnly(c.weight, length), c.Tension(), c.base, 0.0, 0.0, low,
                                       touchdown, lying),
                2.0 * side.x + 80.0, 1e-9);
    EXPECT_EQ(low, 0.0);
    EXPECT_NEAR(touchdown, side.x, 1e-9);

    // A weightless buoy cable is a straight line over the lower support's height.
    EXPECT_DOUBLE_EQ(ComputeTwoSupportLower(LowerOnly(0.0, 100.0), c.Tension(), 200.0, 140.0, 120.0, low,
                                            touchdown, lying),
                     80.0);
}

TEST(TwoSupports, WholeCableOnTheSeabedHangsEachEndUnderOneHorizontalTension)
{
    const Symmetric c;
    const CatenaryDef side = ComputeCatenary(c.Tension(), c.weight, c.base);
    const CableSectionsDef cable = UpperAndLower(c.weight, 500.0, c.weight, 500.0);
    // The two-section search puts the lowest point on the seabed: no result of its own.
    double w1 = -1.0, w2 = -1.0, span = -1.0;
    EXPECT_EQ(ComputeTwoSupportTwoSections(c.Tension(), c.base, 0.0, 0.0, c.weight, 500.0, c.weight, 500.0,
                                           w1, w2, span),
              0.0);
    EXPECT_EQ(span, -1.0);

    // The cable solver hangs each end under the horizontal tension that support 1's top tension
    // leaves, and lays the rest between them.
    double lying = 0.0;
    EXPECT_EQ(ComputeTwoSupportCable(cable, nullptr, c.Tension(), c.base, 0.0, 0.0, span, w1, w2, lying),
              0.0);
    EXPECT_NEAR(lying, 1000.0 - 2.0 * side.s, 1e-6);
    EXPECT_NEAR(span, lying + 2.0 * side.x, 1e-6);
    EXPECT_NEAR(w1, c.weight, 1e-9);
    EXPECT_NEAR(w2, c.weight, 1e-9);

    // With a chain of all three: its end hangs under the same horizontal tension, set at
    // support 1, by its own weight.
    const GroundChainDef chain = Chain(150.0, 400.0);
    const double a = (c.Tension() * 1000.0 - c.weight * c.base) / 150.0;
    const double chainHangs = std::sqrt(c.base * c.base + 2.0 * a * c.base);
    const double chainSpan = a * std::acosh(1.0 + c.base / a);
    EXPECT_EQ(ComputeTwoSupportCable(cable, &chain, c.Tension(), c.base, 0.0, 0.0, span, w1, w2, lying), 0.0);
    EXPECT_NEAR(w2, 150.0, 1e-9);
    EXPECT_NEAR(lying, 1400.0 - side.s - chainHangs, 1e-6);
    EXPECT_NEAR(span, lying + side.x + chainSpan, 1e-6);
}

TEST(TwoSupports, ACableTooShortForTheHeightHasNoCatenary)
{
    // 160 m of cable between supports 195 m apart in height: nothing hangs, nothing is written.
    double w1 = -1.0, w2 = -1.0, span = -1.0;
    EXPECT_EQ(ComputeTwoSupportTwoSections(50.0, 200.0, 0.0, 195.0, 60.0, 120.0, 60.0, 40.0, w1, w2, span), 0.0);
    EXPECT_EQ(span, -1.0);
    EXPECT_EQ(w1, -1.0);
    // The cable solver gives its straight run: none, for a cable that cannot reach.
    double lying = -1.0;
    EXPECT_EQ(ComputeTwoSupportCable(UpperAndLower(60.0, 120.0, 60.0, 40.0), nullptr, 50.0, 200.0, 0.0, 195.0, span,
                                     w1, w2, lying),
              0.0);
    EXPECT_EQ(span, 0.0);
    EXPECT_EQ(lying, 0.0);

    // Long enough, and taut: from the deep support the cable falls all the way to the shallow
    // one, which is its lowest point.
    const double d = ComputeTwoSupportTwoSections(50.0, 200.0, 0.0, 195.0, 60.0, 200.0, 60.0, 40.0, w1, w2, span);
    EXPECT_NEAR(d, 5.0, 1e-9);
    EXPECT_GT(span, 0.0);
    EXPECT_LT(span, std::sqrt(240.0 * 240.0 - 195.0 * 195.0));
}

TEST(TwoSupports, TouchdownHeightFollowsTheCable)
{
    const Symmetric c;
    const CableSectionsDef cable = LowerOnly(c.weight, 2000.0);
    double w1 = 0.0, w2 = 0.0, lying = 0.0;
    // 1000 m apart the cable lies on the seabed between its two hanging ends.
    const double d = SolveSagForDistance(cable, c.Tension(), c.base, 0.0, 0.0, 1000.0, w1, w2, lying);
    ASSERT_EQ(d, 0.0);
    const CatenaryDef side = ComputeCatenary(c.Tension(), c.weight, c.base);
    ASSERT_NEAR(lying, 1000.0 - 2.0 * side.x, 1e-9);

    const auto level = [&](double x) {
        return SolveTouchdownHeight(c.Tension(), x, c.base, 0.0, w1, 0.0, w2, d, lying);
    };
    EXPECT_NEAR(level(0.0), 0.0, 1e-6);
    EXPECT_NEAR(level(1000.0), 0.0, 1e-6);
    // Everywhere on the lying stretch: the seabed.
    for (double x = side.x; x < side.x + lying; x += lying / 7.0)
        EXPECT_EQ(level(x), c.base) << x;
    // On the hanging parts the cable rises from the touchdown to the supports as one catenary
    // of the horizontal tension: a point u from the touchdown stands a(cosh(u/a) − 1) over it.
    const double a = (c.Tension() * 1000.0 - c.weight * c.base) / c.weight;
    double previous = c.base;
    for (double u : {10.0, 100.0, 250.0, side.x - 1.0})
    {
        const double r = c.base - level(side.x - u);
        EXPECT_NEAR(r, a * (std::cosh(u / a) - 1.0), 1e-6) << u;
        EXPECT_LT(level(side.x - u), previous) << u;
        previous = level(side.x - u);
        EXPECT_NEAR(level(side.x + lying + u), level(side.x - u), 1e-9) << u;
    }

    // A cable clear of the seabed: the textbook lowest point in the middle.
    const double dHung = SolveSagForDistance(LowerOnly(c.weight, 1000.0), c.Tension(), c.base, 0.0, 0.0,
                                             c.span, w1, w2, lying);
    EXPECT_NEAR(SolveTouchdownHeight(c.Tension(), c.span / 2.0, c.base, 0.0, w1, 0.0, w2, dHung, lying),
                c.Sag(), 1e-6);
}

// ---------------------------------------------------------------------------------------
// Weightless upper section
// ---------------------------------------------------------------------------------------

TEST(Weightless, TwoStraightLinesMakeOneStraightCable)
{
    // A weightless lower section is straight too: the two lines are one straight cable, 100 m
    // long over the 80 m between top and seabed, reaching its end 60 m out without touching
    // down.
    double suspended = -1.0, lineHeight = 0.0, lineSpan = 0.0, total = -1.0, catenarySpan = 0.0, range = 0.0;
    EXPECT_FALSE(SolveWeightlessUpperSection(kT, 100.0, 20.0, 0.0, 40.0, 60.0, suspended, lineHeight, lineSpan,
                                             total, catenarySpan, range));
    EXPECT_EQ(suspended, 0.0);
    EXPECT_EQ(total, 0.0);
    EXPECT_NEAR(lineHeight, 80.0, 1e-6);
    EXPECT_NEAR(lineSpan, 60.0, 1e-6);
    EXPECT_NEAR(range, 60.0, 1e-6);
}

TEST(Weightless, CatenaryLeavesTheJunctionAtTheLinesAngle)
{
    double suspended = 0.0, lineHeight = 0.0, lineSpan = 0.0, total = 0.0, catenarySpan = 0.0, range = 0.0;
    ASSERT_TRUE(SolveWeightlessUpperSection(kT, 150.0, 50.0, kW, 400.0, 80.0, suspended, lineHeight, lineSpan,
                                            total, catenarySpan, range));
    // The line is straight, and never went through the catenary element.
    EXPECT_NEAR(lineSpan * lineSpan + lineHeight * lineHeight, 80.0 * 80.0, 1e-6);
    const double lineAngle = std::atan2(lineHeight, lineSpan) * 57.2957795131;
    const CatenaryDef lower = ComputeCatenary(kT, kW, 100.0 - lineHeight);
    EXPECT_NEAR(CatenaryAngle(lower), lineAngle, 0.01);
    EXPECT_NEAR(suspended, lower.s, 0.01);
    EXPECT_NEAR(total, lineSpan + lower.x, 1e-9);
    EXPECT_NEAR(range, 400.0 + lineSpan - suspended + lower.x, 1e-9);

    // The anchor range of the same cable is the weightless solver's.
    CableSectionsDef cable = UpperAndLower(0.0, 80.0, kW, 400.0);
    double weight = 0.0, span = 0.0, anchorSuspended = 0.0, anchorRange = 0.0;
    ASSERT_TRUE(ComputeAnchorRange(cable, GroundChainDef(), kT, 150.0, 50.0, weight, span, anchorSuspended,
                                   anchorRange));
    EXPECT_EQ(weight, kW);
    EXPECT_NEAR(span, total, 1e-9);
    EXPECT_NEAR(anchorRange, range, 1e-9);
}

TEST(Weightless, LowerSectionThatHangsWholeAndLinesTooShort)
{
    double suspended = -1.0, lineHeight = 0.0, lineSpan = 0.0, total = -1.0, catenarySpan = 0.0, range = 0.0;
    // 100 m of lower section where 218 m would hang over 50 m: it hangs whole below the line,
    // lifting its end.
    EXPECT_FALSE(SolveWeightlessUpperSection(kT, 150.0, 50.0, kW, 100.0, 80.0, suspended, lineHeight,
                                             lineSpan, total, catenarySpan, range));
    EXPECT_EQ(suspended, 0.0);
    EXPECT_EQ(total, 0.0);
    EXPECT_GT(lineSpan, 0.0);
    EXPECT_NEAR(range, lineSpan + catenarySpan, 1e-9);
    // The line and the lower section below it span the cable's end under one horizontal tension,
    // the line's: H = T cos θ, the lower section's whole weight below the junction.
    const double cosine = lineSpan / 80.0, tk = kT * 1000.0;
    const HangDef hang = Hang(tk * cosine, tk * lineHeight / 80.0, {{kW, 100.0}});
    EXPECT_NEAR(lineHeight + hang.Drop, 100.0, 1e-6);
    EXPECT_NEAR(catenarySpan, hang.Span, 1e-6);

    // Lines too short for the height asked of them, or of no length at all: finite results,
    // no NaN.
    for (double upperLength : {10.0, 0.0})
    {
        SolveWeightlessUpperSection(kT, 150.0, 50.0, kW, 400.0, upperLength, suspended, lineHeight, lineSpan,
                                    total, catenarySpan, range);
        EXPECT_TRUE(std::isfinite(lineSpan) && std::isfinite(lineHeight) && std::isfinite(total) &&
                    std::isfinite(range))
            << upperLength;
    }
}

TEST(Weightless, ChainBelowTheLowerSectionHangsUnderTheLinesTension)
{
    const double tension = 5.0, heightA = 100.0, heightB = 10.0;
    CableSectionsDef cable = UpperAndLower(0.0, 80.0, 20.0, 50.0);
    const GroundChainDef chain = Chain(150.0, 100.0);
    double weight = 0.0, lineSpan = 0.0, lineHeight = 0.0, total = 0.0, range = 0.0;
    ASSERT_TRUE(SolveWeightlessWithChain(cable, chain, tension, heightA, heightB, &weight, &lineSpan,
                                         &lineHeight, total, range));

    // Below the line the lower section and p metres of chain hang, their weight the vertical
    // force at the junction: the line's tension along its own angle.
    const double tk = tension * 1000.0;
    const double vertical = tk * lineHeight / 80.0, horizontal = tk * lineSpan / 80.0;
    const double p = (vertical - 50.0 * 20.0) / 150.0;
    ASSERT_GT(p, 0.0);
    ASSERT_LT(p, 100.0);
    EXPECT_NEAR(weight, vertical / (50.0 + p), 1e-6);
    const HangDef hang = Hang(horizontal, vertical, {{20.0, 50.0}, {150.0, 100.0}});
    EXPECT_NEAR(lineHeight + hang.Drop, heightA - heightB, 1e-6);
    EXPECT_NEAR(total, lineSpan + hang.Span, 1e-6);
    EXPECT_NEAR(range, total + 100.0 - p, 1e-6);

    // Not a weightless upper section: nothing is written.
    cable.UpperWeight = 1.0;
    double untouched = -7.0;
    EXPECT_FALSE(SolveWeightlessWithChain(cable, chain, tension, heightA, heightB, &untouched, nullptr,
                                          nullptr, untouched, untouched));
    EXPECT_EQ(untouched, -7.0);
}

TEST(Weightless, RangeBetweenTwoSupportsAndCablePaidOut)
{
    const CableSectionsDef cable = UpperAndLower(0.0, 80.0, kW, 600.0);
    const GroundChainDef chain = Chain(150.0, 200.0);

    // Enough cable to lie on the seabed between the supports.
    WeightlessRangeDef onSeabed;
    ASSERT_TRUE(ComputeWeightlessRange(cable, chain, kT, 150.0, 50.0, 145.0, onSeabed));
    EXPECT_FALSE(onSeabed.bHangsWhole);
    EXPECT_EQ(onSeabed.LowPoint, 0.0);
    EXPECT_GT(onSeabed.Lying, 0.0);
    EXPECT_GE(onSeabed.FarWeight, kW);
    EXPECT_LE(onSeabed.FarWeight, 150.0);
    EXPECT_GT(onSeabed.Range, onSeabed.FirstSpan + onSeabed.Lying);

    // A short cable hangs whole between them: a lowest point above the seabed, nothing lying.
    const CableSectionsDef shortCable = UpperAndLower(0.0, 80.0, kW, 300.0);
    WeightlessRangeDef hanging;
    ASSERT_TRUE(ComputeWeightlessRange(shortCable, GroundChainDef(), 60.0, 150.0, 50.0, 100.0, hanging));
    EXPECT_GT(hanging.LowPoint, 0.0);
    EXPECT_EQ(hanging.Lying, 0.0);
    EXPECT_GT(hanging.Range, hanging.FirstSpan);

    // Cable paid out: with less out than the line, only the line hangs.
    bool lineOnly = false;
    WeightlessRangeDef out;
    ASSERT_TRUE(ComputeWeightlessCableOut(cable, chain, kT, 150.0, 30.0, 830.0, lineOnly, out));
    EXPECT_TRUE(lineOnly);
    EXPECT_DOUBLE_EQ(out.Range, 40.0); // 50 m out over 30 m
    // Part of the lower section out: the range of a cable cut to what is out, with no chain.
    ASSERT_TRUE(ComputeWeightlessCableOut(cable, chain, kT, 150.0, 50.0, 500.0, lineOnly, out));
    EXPECT_FALSE(lineOnly);
    CableSectionsDef cut = cable;
    cut.LowerLength = 300.0;
    WeightlessRangeDef expected;
    ComputeWeightlessRange(cut, GroundChainDef(), kT, 150.0, 50.0, 0.0, expected);
    EXPECT_DOUBLE_EQ(out.Range, expected.Range);
    EXPECT_DOUBLE_EQ(out.LowPoint, expected.LowPoint);
    // An upper section with weight: not this solver's.
    EXPECT_FALSE(ComputeWeightlessCableOut(UpperAndLower(5.0, 80.0, kW, 600.0), chain, kT, 150.0, 50.0, 0.0,
                                           lineOnly, out));
}
