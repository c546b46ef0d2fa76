// NMEA decoding throughput: every line of the test capture (GGA, GSA, GSV sets, GST, RMC, VTG,
// ZDA, with a stretch without a fix) through CGps::Decode, with UpdateProjected converting each
// position to UTM zone 31 on WGS84, as a vessel's receiver feeds the programs.
//
//     build/geodesy/geodesy_nmea_bench
//
// "sentences/s" is the decoding rate; "core_at_1000Hz" the share of one core that 1000
// sentences a second would take (a vessel's receivers send tens a second).
#include "geodesy/Gps.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> LoadCapture()
{
    std::ifstream in(std::string(SUITE_SOURCE_DIR) + "/geodesy/tests/data/nmea_capture.nmea",
                     std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line + "\n");
    return lines;
}

void BM_DecodeCaptureToUtm(benchmark::State& state)
{
    const std::vector<std::string> lines = LoadCapture();
    if (lines.empty())
    {
        state.SkipWithError("capture not found");
        return;
    }
    CSpheroid wgs84;
    CProjection utm;
    utm.SetSpheroid(&wgs84);
    utm.SetZone(31, 0, 0);
    SetCurrentProjection(&utm);
    CGps gps;
    int64_t sentences = 0;
    for (auto _ : state)
    {
        for (const std::string& line : lines)
            benchmark::DoNotOptimize(gps.Decode(line.c_str()));
        sentences += static_cast<int64_t>(lines.size());
    }
    SetCurrentProjection(nullptr);
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(sentences), benchmark::Counter::kIsRate);
    // Seconds per sentence times 1000 sentences: the fraction of a core.
    state.counters["core_at_1000Hz"] = benchmark::Counter(
        static_cast<double>(sentences) / 1000.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodeCaptureToUtm)->Unit(benchmark::kMicrosecond);

// The same without a working grid: the decoder alone.
void BM_DecodeCapture(benchmark::State& state)
{
    const std::vector<std::string> lines = LoadCapture();
    CGps gps;
    int64_t sentences = 0;
    for (auto _ : state)
    {
        for (const std::string& line : lines)
            benchmark::DoNotOptimize(gps.Decode(line.c_str()));
        sentences += static_cast<int64_t>(lines.size());
    }
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(sentences), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeCapture)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
