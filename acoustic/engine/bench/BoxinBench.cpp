// CBoxin::Compute on box-ins of 10 000 and 100 000 observations (transducers, the
// Gauss-Newton solution with the depth unknown, residuals and statistics), beside Ceres
// Solver minimising the same sum of squared slant-range misfits from the same trial position.
// Both end at the same point to well under a millimetre (checked once per run).

#include "acoustic/engine/Boxin.h"

#include "acoustic/engine/bench/CalibrationBench.h"

#include <benchmark/benchmark.h>


#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{
const double kE0 = 431250.0, kN0 = 6652310.0, kD0 = 85.0;

// A vessel sailing circles of 120 to 250 m around the transponder, ranges with 0.3 m of noise.
void Fill(CBoxin& boxin, int count)
{
    std::mt19937 random(711u + unsigned(count));
    std::uniform_real_distribution<double> radius(120.0, 250.0), turn(0.0, 2.0 * M_PI);
    std::normal_distribution<double> noise(0.0, 0.3);
    boxin.RemoveAll();
    boxin.SetSize(count);
    for (int i = 0; i < count; ++i)
    {
        const double a = turn(random), r = radius(random);
        BoxinDef d{};
        d.VesselEasting = kE0 + r * std::sin(a);
        d.VesselNorthing = kN0 + r * std::cos(a);
        d.Heading = std::fmod(a * 180.0 / M_PI + 90.0, 360.0);
        d.ObservedValue = std::sqrt(r * r + kD0 * kD0) + noise(random);
        d.Used = 1;
        boxin[i] = d;
    }
    boxin.m_ComputedDepth = true;
    boxin.m_TransponderEasting = kE0 + 30.0;
    boxin.m_TransponderNorthing = kN0 - 20.0;
    boxin.m_TransponderDepth = 60.0;
}

struct RangeMisfit
{
    double e, n, r;
    template <typename T>
    bool operator()(const T* p, T* residual) const
    {
        const T dE = p[0] - e, dN = p[1] - n;
        residual[0] = ceres::sqrt(dE * dE + dN * dN + p[2] * p[2]) - r;
        return true;
    }
};

// The transponder by Ceres (trust-region Levenberg-Marquardt, dense QR, automatic derivatives)
// from the trial position, the observations read from the transducers Compute placed.
void SolveWithCeres(const CBoxin& boxin, double p[3])
{
    p[0] = boxin.m_TransponderEasting;
    p[1] = boxin.m_TransponderNorthing;
    p[2] = boxin.m_TransponderDepth;
    ceres::Problem problem;
    for (INT_PTR i = 0; i < boxin.GetSize(); ++i)
    {
        const BoxinDef& d = boxin[i];
        problem.AddResidualBlock(new ceres::AutoDiffCostFunction<RangeMisfit, 1, 3>(
                                     new RangeMisfit{d.TransducerEasting, d.TransducerNorthing, d.ObservedValue}),
                                 nullptr, p);
    }
    SolveWithDenseQr(problem);
}

void BM_BoxinCompute(benchmark::State& state)
{
    CBoxin boxin;
    Fill(boxin, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(boxin.Compute());
    state.counters["passes"] = boxin.m_Passes;
}

void BM_CeresSolve(benchmark::State& state)
{
    CBoxin boxin;
    Fill(boxin, static_cast<int>(state.range(0)));
    boxin.ComputeTransducerPositions();
    double p[3];
    for (auto _ : state)
    {
        SolveWithCeres(boxin, p);
        benchmark::DoNotOptimize(p);
    }
}

// Both solvers must find one point, or the timings compare different work.
void CheckAgreement()
{
    CBoxin boxin;
    Fill(boxin, 10000);
    if (!boxin.Compute())
    {
        std::fprintf(stderr, "Boxin did not converge\n");
        std::exit(1);
    }
    double p[3];
    SolveWithCeres(boxin, p);
    const double apart = std::sqrt(std::pow(p[0] - boxin.m_DerivedEasting, 2) +
                                   std::pow(p[1] - boxin.m_DerivedNorthing, 2) +
                                   std::pow(p[2] - boxin.m_DerivedDepth, 2));
    std::fprintf(stderr, "Boxin and Ceres solutions %.2e m apart\n", apart);
    if (apart > 1e-4)
        std::exit(1);
}
} // namespace

BENCHMARK(BM_BoxinCompute)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CeresSolve)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunCalibrationBenchmarks(argc, argv, CheckAgreement);
}
