// CNetwork::Adjust on networks of 10 to 200 stations with every range and bearing observed:
// time per adjustment, and the peak of heap memory allocated during one adjustment.

#include "acoustic/engine/Network.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>

namespace
{
// Heap accounting for the peak-memory counter: bytes in use now and the highest since reset.
std::atomic<long long> g_inUse{0};
std::atomic<long long> g_peak{0};

void NoteAllocation(long long bytes)
{
    const long long now = g_inUse.fetch_add(bytes) + bytes;
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now))
    {
    }
}

// Stations scattered over a square of about 250 m a station, depths 900 to 1100 m, two of
// them fixed; the free ones start a few metres from the truth. Observations are exact.
CNetwork MakeNetwork(int count)
{
    std::mt19937 random(1234u + unsigned(count));
    const double side = 250.0 * std::sqrt(double(count));
    std::uniform_real_distribution<double> place(0.0, side);
    std::uniform_real_distribution<double> depth(900.0, 1100.0);
    std::uniform_real_distribution<double> offset(-3.0, 3.0);
    CNetwork network;
    struct Truth
    {
        double e, n, z;
    };
    std::vector<Truth> truth;
    for (int i = 0; i < count; ++i)
    {
        CNetworkStation s;
        s.m_Name.Format("T%d", i + 1);
        s.m_Status = i < 2 ? STATION_FIXED : STATION_FREE;
        const Truth t{400000.0 + place(random), 6500000.0 + place(random), depth(random)};
        truth.push_back(t);
        s.m_GivenE = t.e + (i < 2 ? 0.0 : offset(random));
        s.m_GivenN = t.n + (i < 2 ? 0.0 : offset(random));
        s.m_GivenDepth = t.z;
        network.AddStation(s);
    }
    for (int i = 0; i < count; ++i)
    {
        for (int j = 0; j < count; ++j)
        {
            if (i == j)
                continue;
            const double dE = truth[j].e - truth[i].e, dN = truth[j].n - truth[i].n,
                         dZ = truth[j].z - truth[i].z;
            NetworkObservationDef& o = network.ElementAt(i).ElementAt(j);
            o.ObservedRange = std::sqrt(dE * dE + dN * dN + dZ * dZ);
            o.UseRange = 1;
            o.RangeSE = 0.5;
            double bearing = std::atan2(dE, dN) * 180.0 / M_PI;
            if (bearing < 0.0)
                bearing += 360.0;
            o.ObservedBearing = bearing;
            o.UseBearing = 1;
            o.BearingSE = 30.0;
        }
    }
    return network;
}

void BM_NetworkAdjust(benchmark::State& state)
{
    CNetwork network = MakeNetwork(int(state.range(0)));
    long long peak = 0;
    int result = 0;
    for (auto _ : state)
    {
        g_peak = g_inUse.load();
        const long long before = g_inUse.load();
        result = network.Adjust();
        peak = g_peak.load() - before;
        benchmark::DoNotOptimize(result);
    }
    state.counters["peak_MB"] = double(peak) / (1024.0 * 1024.0);
    state.counters["passes"] = network.m_PassCount;
    state.counters["rows"] = network.m_RowCount;
    state.counters["success"] = result;
}
BENCHMARK(BM_NetworkAdjust)->Arg(10)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
} // namespace

// Every allocation of the process goes through these, so the counters see the adjustment's
// buffers (vectors and arrays alike). The size is kept in front of each block.
void* operator new(std::size_t bytes)
{
    void* block = std::malloc(bytes + 16);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = bytes;
    NoteAllocation((long long)bytes);
    return static_cast<char*>(block) + 16;
}

void operator delete(void* p) noexcept
{
    if (!p)
        return;
    char* block = static_cast<char*>(p) - 16;
    g_inUse.fetch_sub((long long)*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

BENCHMARK_MAIN();
