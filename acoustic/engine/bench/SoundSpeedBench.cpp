// CSpeedOfSoundInWater::ComputeProfile over 100 000 points from the surface to 5000 m, each
// with the pressure iteration and the salinity-scale inverse, against TEOS-10's vectorised
// python3-gsw over the same points (sound_speed_gsw.py beside this file, timed in the same run
// and shown as the counter gsw_seconds; 0 when python3-gsw is missing).

#include "acoustic/engine/SpeedOfSoundInWater.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
const int kPoints = 100000;

double GswSeconds()
{
    static double seconds = -1.0;
    if (seconds >= 0.0)
        return seconds;
    seconds = 0.0;
    const std::string command =
        "/usr/bin/python3 " SUITE_SOURCE_DIR "/acoustic/engine/bench/sound_speed_gsw.py 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r"))
    {
        char text[64] = {};
        if (std::fgets(text, sizeof text, pipe))
            seconds = std::atof(text);
        pclose(pipe);
    }
    return seconds;
}

void BM_ComputeProfile(benchmark::State& state)
{
    CSpeedOfSoundInWater profile;
    profile.m_Formula = SOUND_SPEED_CHEN_MILLERO;
    profile.m_PressureMode = 0;
    profile.m_SalinityMode = 0;
    for (int i = 0; i < kPoints; ++i)
    {
        ThermoclineDef r{};
        r.Depth = 5000.0 * i / (kPoints - 1);
        r.Temperature = 25.0 - 23.0 * r.Depth / 5000.0;
        r.Salinity = 35.0;
        profile.Add(r);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.ComputeProfile(PRESSURE_BAR));
    state.counters["gsw_seconds"] = GswSeconds();
    state.counters["points"] = kPoints;
}
BENCHMARK(BM_ComputeProfile)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
