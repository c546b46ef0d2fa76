// Transverse Mercator forward and inverse, per point, over a million points of a UTM zone
// (WGS84, zone 31, latitudes 80 S to 84 N, half a degree beyond each zone edge), against
// PROJ's extended Transverse Mercator (etmerc) on the same points in the same run.
//
//     build/geodesy/geodesy_bench
//
// The "per_point" counter is the time of one conversion. PROJ converts the whole array in one
// call (proj_trans_array), its fastest path; ours converts point by point, as the programs do,
// and also gives the convergence and point scale.
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"

#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace
{
const int kPoints = 1000000;
const double kDegree = 3.14159265358979323846 / 180.0;

struct Points
{
    std::vector<double> lat, lon, east, north;
    Points()
    {
        std::mt19937_64 rng(20240531);
        std::uniform_real_distribution<double> la(-80.0, 84.0), lo(-0.5, 6.5);
        for (int i = 0; i < kPoints; ++i)
        {
            lat.push_back(la(rng) * kDegree);
            lon.push_back(lo(rng) * kDegree);
        }
        CSpheroid wgs84;
        CProjection utm;
        utm.SetSpheroid(&wgs84);
        utm.SetZone(31, 0, 0);
        east.resize(kPoints);
        north.resize(kPoints);
        for (int i = 0; i < kPoints; ++i)
            utm.GeographicToGrid(lat[i], lon[i], &east[i], &north[i]);
    }
};

const Points& ThePoints()
{
    static const Points points;
    return points;
}

PJ* MakeEtmerc()
{
    return proj_create(PJ_DEFAULT_CTX,
                       "+proj=etmerc +lat_0=0 +lon_0=3 +k=0.9996 +x_0=500000 +y_0=0 +ellps=WGS84");
}

void PerPoint(benchmark::State& state)
{
    state.counters["per_point"] = benchmark::Counter(kPoints, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}

void Ours_Forward(benchmark::State& state)
{
    const Points& p = ThePoints();
    CSpheroid wgs84;
    CProjection utm;
    utm.SetSpheroid(&wgs84);
    utm.SetZone(31, 0, 0);
    std::vector<double> e(kPoints), n(kPoints);
    double convergence, scale;
    for (auto _ : state)
    {
        for (int i = 0; i < kPoints; ++i)
            utm.GeographicToGrid(p.lat[i], p.lon[i], &e[i], &n[i], &convergence, &scale);
        benchmark::DoNotOptimize(e.data());
        benchmark::DoNotOptimize(scale);
    }
    PerPoint(state);
}

void Ours_Inverse(benchmark::State& state)
{
    const Points& p = ThePoints();
    CSpheroid wgs84;
    CProjection utm;
    utm.SetSpheroid(&wgs84);
    utm.SetZone(31, 0, 0);
    std::vector<double> lat(kPoints), lon(kPoints);
    double convergence, scale;
    for (auto _ : state)
    {
        for (int i = 0; i < kPoints; ++i)
            utm.GridToGeographic(p.east[i], p.north[i], &lat[i], &lon[i], &convergence, &scale);
        benchmark::DoNotOptimize(lat.data());
        benchmark::DoNotOptimize(scale);
    }
    PerPoint(state);
}

void RunProj(benchmark::State& state, PJ_DIRECTION direction)
{
    const Points& p = ThePoints();
    PJ* etmerc = MakeEtmerc();
    if (!etmerc)
    {
        state.SkipWithError("PROJ cannot make etmerc");
        return;
    }
    std::vector<PJ_COORD> input(kPoints), work(kPoints);
    for (int i = 0; i < kPoints; ++i)
    {
        input[i] = direction == PJ_FWD ? proj_coord(p.lon[i], p.lat[i], 0, 0)
                                       : proj_coord(p.east[i], p.north[i], 0, 0);
    }
    double worst = 0.0;
    for (auto _ : state)
    {
        state.PauseTiming();
        work = input; // PROJ converts in place
        state.ResumeTiming();
        proj_trans_array(etmerc, direction, kPoints, work.data());
        benchmark::DoNotOptimize(work.data());
    }
    // How far apart the two are, in micrometres (on the ground for the inverse), as a check
    // that both did the same work.
    for (int i = 0; i < kPoints; ++i)
    {
        const double d = direction == PJ_FWD
                             ? std::hypot(work[i].xy.x - p.east[i], work[i].xy.y - p.north[i])
                             : 6.4e6 * std::hypot(work[i].lp.phi - p.lat[i],
                                                  (work[i].lp.lam - p.lon[i]) * std::cos(p.lat[i]));
        worst = std::max(worst, d);
    }
    state.counters["max_difference_um"] = worst * 1e6;
    PerPoint(state);
    proj_destroy(etmerc);
}

void Proj_Forward(benchmark::State& state)
{
    RunProj(state, PJ_FWD);
}

void Proj_Inverse(benchmark::State& state)
{
    RunProj(state, PJ_INV);
}
} // namespace

BENCHMARK(Ours_Forward)->Unit(benchmark::kMillisecond);
BENCHMARK(Proj_Forward)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Inverse)->Unit(benchmark::kMillisecond);
BENCHMARK(Proj_Inverse)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
