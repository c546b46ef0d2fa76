// Cost of one solver call, as the anchor computation makes them on every key press.
//
//     build/zuduzuro/zuduzuro_solver_bench
//
// "AnchorRangeThreeSections": ComputeAnchorRange for a cable whose upper and lower sections
// hang whole, so that the ground chain is folded into the suspended weight (the three-section
// iteration). "TwoSupportCable": ComputeTwoSupportCable for a tug holding a cable of three
// sections over the seabed. "EightAnchorsKeyPress": both for eight anchors, the work of one
// recompute of a barge's spread; its time per iteration is the solver time of a key press.
// "TwoSupportCableUnsettled": a cable whose side weights swing without settling, so that the
// three-section solver runs its full 100 passes: the slowest call of the two-support solvers.
#include "zuduzuro/Solver.h"

#include <benchmark/benchmark.h>

namespace
{
// A wire upper section, a lighter lower section and a heavy chain, with a tension that lifts
// both sections clear of the seabed.
void ThreeSectionCable(CableSectionsDef& sections, GroundChainDef& chain)
{
    sections.bUseUpperSection = true;
    sections.UpperWeight = 20.0;
    sections.UpperLength = 150.0;
    sections.LowerWeight = 15.0;
    sections.LowerLength = 150.0;
    chain.bUseGroundChain = true;
    chain.GroundChainWeight = 100.0;
    chain.GroundChainLength = 300.0;
}

void BM_AnchorRangeThreeSections(benchmark::State& state)
{
    CableSectionsDef sections;
    GroundChainDef chain;
    ThreeSectionCable(sections, chain);
    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            ComputeAnchorRange(sections, chain, 60.0, 100.0, 0.0, weight, span, suspended, range));
        benchmark::DoNotOptimize(range);
    }
}
BENCHMARK(BM_AnchorRangeThreeSections);

void BM_TwoSupportCable(benchmark::State& state)
{
    CableSectionsDef sections;
    GroundChainDef chain;
    ThreeSectionCable(sections, chain);
    double span = 0.0, w1 = 0.0, w2 = 0.0, lying = 0.0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            ComputeTwoSupportCable(sections, &chain, 60.0, 100.0, -5.0, 3.0, span, w1, w2, lying));
        benchmark::DoNotOptimize(span);
    }
}
BENCHMARK(BM_TwoSupportCable);

void BM_TwoSupportCableUnsettled(benchmark::State& state)
{
    CableSectionsDef sections;
    sections.bUseUpperSection = true;
    sections.UpperWeight = 6.5;
    sections.UpperLength = 542.0;
    sections.LowerWeight = 6.2;
    sections.LowerLength = 324.0;
    GroundChainDef chain;
    chain.bUseGroundChain = true;
    chain.GroundChainWeight = 192.0;
    chain.GroundChainLength = 84.0;
    double span = 0.0, w1 = 0.0, w2 = 0.0, lying = 0.0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            ComputeTwoSupportCable(sections, &chain, 133.0, 145.1, -4.58, 19.45, span, w1, w2, lying));
        benchmark::DoNotOptimize(span);
    }
}
BENCHMARK(BM_TwoSupportCableUnsettled);

void BM_EightAnchorsKeyPress(benchmark::State& state)
{
    CableSectionsDef sections;
    GroundChainDef chain;
    ThreeSectionCable(sections, chain);
    double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0, w1 = 0.0, w2 = 0.0, lying = 0.0;
    for (auto _ : state)
    {
        for (int anchor = 0; anchor < 8; ++anchor)
        {
            const double tension = 50.0 + 2.0 * anchor;
            benchmark::DoNotOptimize(
                ComputeAnchorRange(sections, chain, tension, 100.0, 0.0, weight, span, suspended, range));
            benchmark::DoNotOptimize(
                ComputeTwoSupportCable(sections, &chain, tension, 100.0, -5.0, 3.0, span, w1, w2, lying));
        }
    }
}
BENCHMARK(BM_EightAnchorsKeyPress)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
