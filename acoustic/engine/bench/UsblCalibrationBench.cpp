// The whole USBL calibration (transducers, observations, the transponder with the heading
// correction, scale factor and range error, pitch and roll) on 10 000 and 100 000 readings,
// beside Ceres Solver solving the joint problem: all seven unknowns at once against the three
// components of every reading. The two are checked to agree within the noise once per run.

#include "acoustic/engine/UsblCalibration.h"

#include "acoustic/engine/bench/CalibrationBench.h"

#include <benchmark/benchmark.h>


#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace
{
const double kE0 = 431250.0, kN0 = 6652310.0, kD0 = 95.0;
const double kRad = M_PI / 180.0;
// The misalignment the readings carry: heading, pitch, roll (degrees), scale, range error (m).
const double kTruth[5] = {1.5, 0.3, -0.2, 1.002, 0.1};

// The raw reading (starboard, forward, down) of the vector g (east, north, down; true metres)
// for a head at heading h, pitch p, roll r (radians), and a USBL whose range s gives the true
// range as s * ratio * scale + rangeError: the grid-to-vessel turn of the calibration's own
// frames, written out for any number type.
template <typename T>
void Predict(const T g[3], const T& h, const T& p, const T& r, const T& scale, const T& rangeError, double ratio,
             T raw[3])
{
    using std::cos;
    using std::sin;
    using std::sqrt;
    const T x = g[0] * cos(h) - g[1] * sin(h);
    const T y0 = g[0] * sin(h) + g[1] * cos(h);
    const T y = y0 * cos(p) - g[2] * sin(p);
    const T z0 = y0 * sin(p) + g[2] * cos(p);
    raw[0] = x * cos(r) + z0 * sin(r);
    raw[1] = y;
    raw[2] = -x * sin(r) + z0 * cos(r);
    const T range = sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
    const T f = (range - rangeError) / (scale * ratio * range);
    for (int i = 0; i < 3; ++i)
        raw[i] *= f;
}

void Fill(CUsblCalibration& u, int count)
{
    std::mt19937 random(712u + unsigned(count));
    std::uniform_real_distribution<double> radius(100.0, 400.0), turn(0.0, 2.0 * M_PI);
    std::normal_distribution<double> noise(0.0, 0.05);
    u.RemoveAll();
    u.m_GyroCorrection = 0.5;
    u.m_OffsetX = 1.2;
    u.m_OffsetY = -3.5;
    u.m_UsedSpeed = 1500.0;
    u.m_ActualSpeed = 1490.0;
    u.m_ComputeRangeError = u.m_ComputeScaleFactor = u.m_ComputePitchRoll = true;
    u.m_TransponderEasting = kE0 + 20.0;
    u.m_TransponderNorthing = kN0 - 15.0;
    u.m_TransponderDepth = kD0;
    u.SetSize(count);
    for (int i = 0; i < count; ++i)
    {
        const double a = turn(random), rr = radius(random);
        UsblCalibrationDef d{};
        d.VesselEasting = kE0 + rr * std::sin(a);
        d.VesselNorthing = kN0 + rr * std::cos(a);
        d.TransducerDepth = 4.0;
        d.Heading = std::fmod(a / kRad + (i % 2 ? 270.0 : 90.0), 360.0);
        d.Used = 1;
        u[i] = d;
    }
    u.ComputeTransducerPositions();
    for (int i = 0; i < count; ++i)
    {
        UsblCalibrationDef& d = u[i];
        const double g[3] = {kE0 - d.TransducerEasting, kN0 - d.TransducerNorthing, kD0 - d.TransducerDepth};
        double raw[3];
        Predict(g, (d.Heading + u.m_GyroCorrection + kTruth[0]) * kRad, kTruth[1] * kRad, kTruth[2] * kRad, kTruth[3],
                kTruth[4], u.GetSpeedRatio(), raw);
        d.X = raw[0] + noise(random);
        d.Y = raw[1] + noise(random);
        d.Z = raw[2] + noise(random);
    }
}

bool Calibrate(CUsblCalibration& u)
{
    u.ComputeTransducerPositions();
    for (INT_PTR i = 0; i < u.GetSize(); ++i)
        u.ComputeObservation(i);
    return u.ComputeTransponderPosition() && u.ComputeScaleFactor() && u.ComputePitchRollCorrection();
}

struct ReadingMisfit
{
    double te, tn, tz, heading, ratio, raw[3];
    // p: easting, northing, then heading, pitch and roll corrections (radians), scale, range error.
    template <typename T>
    bool operator()(const T* p, T* residual) const
    {
        const T g[3] = {p[0] - te, p[1] - tn, T(kD0 - tz)};
        T predicted[3];
        Predict(g, T(heading) + p[2], p[3], p[4], p[5], p[6], ratio, predicted);
        for (int i = 0; i < 3; ++i)
            residual[i] = predicted[i] - raw[i];
        return true;
    }
};

void SolveWithCeres(const CUsblCalibration& u, double p[7])
{
    const double start[7] = {u.m_TransponderEasting, u.m_TransponderNorthing, 0.0, 0.0, 0.0, 1.0, 0.0};
    for (int i = 0; i < 7; ++i)
        p[i] = start[i];
    ceres::Problem problem;
    for (INT_PTR i = 0; i < u.GetSize(); ++i)
    {
        const UsblCalibrationDef& d = u[i];
        auto* misfit = new ReadingMisfit{d.TransducerEasting, d.TransducerNorthing, d.TransducerDepth,
                                         (d.Heading + u.m_GyroCorrection) * kRad, u.GetSpeedRatio(), {d.X, d.Y, d.Z}};
        problem.AddResidualBlock(new ceres::AutoDiffCostFunction<ReadingMisfit, 3, 7>(misfit), nullptr, p);
    }
    SolveWithDenseQr(problem);
}

void BM_UsblCalibration(benchmark::State& state)
{
    CUsblCalibration u;
    Fill(u, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Calibrate(u));
    state.counters["passes"] = u.m_Passes;
}

void BM_CeresJoint(benchmark::State& state)
{
    CUsblCalibration u;
    Fill(u, static_cast<int>(state.range(0)));
    double p[7];
    for (auto _ : state)
    {
        SolveWithCeres(u, p);
        benchmark::DoNotOptimize(p);
    }
}

// Staged and joint solutions must agree, or the timings compare different work.
void CheckAgreement()
{
    CUsblCalibration u;
    Fill(u, 10000);
    if (!Calibrate(u))
    {
        std::fprintf(stderr, "the USBL calibration did not solve\n");
        std::exit(1);
    }
    double p[7];
    SolveWithCeres(u, p);
    const UsblCorrectionsDef& c = u.m_ComputedCorrections;
    const double apart = std::hypot(p[0] - u.m_SolvedEasting, p[1] - u.m_SolvedNorthing);
    const double heading = p[2] / kRad - c.Heading, pitch = p[3] / kRad - c.Pitch, roll = p[4] / kRad - c.Roll;
    std::fprintf(stderr,
                 "staged against joint: position %.1e m, heading %.1e, pitch %.1e, roll %.1e deg, scale %.1e, "
                 "range error %.1e m\n",
                 apart, heading, pitch, roll, p[5] - c.Scale, p[6] - c.RangeError);
    if (apart > 0.01 || std::fabs(heading) > 0.01 || std::fabs(pitch) > 0.01 || std::fabs(roll) > 0.01)
        std::exit(1);
}
} // namespace

BENCHMARK(BM_UsblCalibration)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CeresJoint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunCalibrationBenchmarks(argc, argv, CheckAgreement);
}
