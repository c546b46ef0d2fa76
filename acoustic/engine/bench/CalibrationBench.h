// What the calibration benchmarks share: the peer's solve (Ceres with dense QR, tolerances
// tight enough to reach the engine's answer) and the main, which gives the run a drive C: of
// its own (the engine objects read their settings files) unless one is named, checks that the
// engine and its peer solve the problem alike, then runs the benchmarks.
#pragma once

#include <benchmark/benchmark.h>
#include <ceres/ceres.h>

#include <cstdlib>
#include <stdlib.h>

inline void SolveWithDenseQr(ceres::Problem& problem)
{
    ceres::Solver::Options options;
    options.linear_solver_type = ceres::DENSE_QR;
    options.function_tolerance = 1e-12;
    options.parameter_tolerance = 1e-10;
    ceres::Solver::Summary summary;
    ceres::Solve(options, &problem, &summary);
}

inline int RunCalibrationBenchmarks(int argc, char** argv, void (*checkAgreement)())
{
    char drive[] = "/tmp/calibration_bench_XXXXXX";
    if (!std::getenv("SUITE_DRIVE_C") && mkdtemp(drive))
        setenv("SUITE_DRIVE_C", drive, 1);
    checkAgreement();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
