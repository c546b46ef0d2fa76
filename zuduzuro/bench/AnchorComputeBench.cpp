// Cost of one anchor computation, as every key press makes it, and of its per-point height
// search beside GSL's Brent root finder on the same equation.
//
//     build/zuduzuro/zuduzuro_anchor_bench
//
// "ComputeZuduzuro/<points>": the whole computation (seabed profile sampled from a terrain
// model, crossings, cable and clearances) with 100 pipelines across the line, on seabed
// profiles of about 1000, 10000 and 40000 points; each iteration is one computation, taken in
// turn across Live and On Bottom, the three pennant modes and 0 to 5 buoys. The counters p50_ms
// and p99_ms are the median and the 99th percentile of those computations.
// "HeightSearchHalving" and "HeightSearchGslBrent": the height whose catenary spans a given
// distance, found to 1e-5 m, by the computation's own search and by GSL's Brent solver.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/Catenary.h"
#include "zuduzuro/Solver.h"

#include "features/Dtm.h"
#include "features/PipelineList.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace
{
const double kE = 500000.0, kN = 6000000.0;

// A terrain from the fairlead 12 km east in cells of `cell` m, its depth rolling gently.
void MakeTerrain(CDtm& dtm, double cell)
{
    dtm.m_Header.EastingMin = kE - 10.0;
    dtm.m_Header.NorthingMin = kN - 10.0;
    dtm.m_Header.CellSize = cell;
    dtm.m_Header.Columns = static_cast<int32_t>(12100.0 / cell);
    dtm.m_Header.Rows = static_cast<int32_t>(20.0 / cell) + 2;
    dtm.AllocateGrid();
    for (int32_t r = 0; r < dtm.m_Header.Rows; ++r)
        for (int32_t c = 0; c < dtm.m_Header.Columns; ++c)
            dtm.m_pCells[int64_t(r) * dtm.m_Header.Columns + c] =
                static_cast<int32_t>((120.0 + 20.0 * std::sin(c * cell / 700.0)) * 100);
}

// 100 pipelines crossing the line from the fairlead eastward, one every 90 m.
void MakePipelines(CPipelineList& list)
{
    for (int i = 0; i < 100; ++i)
    {
        auto* pipeline = new CPipeline;
        pipeline->m_FilePath.Format("C:\\lines\\pipe%d.txt", i);
        pipeline->m_Diameter = 24;
        pipeline->m_Clearance = 5.0;
        pipeline->m_Tolerance = 2.0;
        const double e = kE + 50.0 + 90.0 * i;
        PipelineDef point{};
        point.Easting = e;
        point.Northing = kN - 500.0;
        pipeline->Add(point);
        point.Easting = e + 30.0;
        point.Northing = kN + 500.0;
        pipeline->Add(point);
        list.Add(pipeline);
    }
}

void BM_ComputeZuduzuro(benchmark::State& state)
{
    const double cell = 12000.0 / state.range(0); // a profile of 12 km
    CDtm dtm;
    MakeTerrain(dtm, cell);
    CPipelineList pipelines;
    MakePipelines(pipelines);
    CAnchor a;
    a.m_FairleadEasting = kE;
    a.m_FairleadNorthing = kN;
    a.m_pDtm = &dtm;
    a.m_pPipelines = &pipelines;
    a.m_WaterDepth = 120.0;
    a.m_FairleadLevel = 8.0;
    a.m_TugFairleadHeight = -4.0;
    a.m_Tension = 80.0;
    a.m_Cable.bUseUpperSection = true;
    a.m_Cable.UpperWeight = 30.0;
    a.m_Cable.UpperLength = 1500.0;
    a.m_Cable.LowerWeight = 90.0;
    a.m_Cable.LowerLength = 2500.0;
    a.m_GroundChain.bUseGroundChain = true;
    a.m_GroundChain.GroundChainWeight = 150.0;
    a.m_GroundChain.GroundChainLength = 200.0;
    a.m_PennantWireWeight = 20.0;
    a.m_TugPennantWireLength = 150.0;
    a.m_AnchorWeight = 15.0;
    a.m_CableOnDeck = 300.0;
    for (BuoyDef& buoy : a.m_Buoys)
    {
        buoy.PennantWireLength = 30.0;
        buoy.Cable.bUseUpperSection = false;
        buoy.Cable.LowerWeight = 90.0;
        buoy.Cable.LowerLength = 900.0;
    }

    std::vector<double> times;
    int turn = 0;
    for (auto _ : state)
    {
        const int buoys = turn % 6;
        const bool live = (turn / 6) % 2 == 1;
        a.m_PennantMode = (turn / 12) % 3;
        for (int b = 0; b < CAnchor::kBuoys; ++b)
            a.m_Buoys[b].bUseBuoy = b < buoys;
        a.m_Status = ANCHOR_ON_BOTTOM;
        a.SetAnchorPosition(kE + 10000.0, kN);
        a.SetTugPosition(kE + 10000.0, kN);
        a.m_Status = live ? ANCHOR_LIVE : ANCHOR_ON_BOTTOM;
        ++turn;
        const auto start = std::chrono::steady_clock::now();
        a.ComputeZuduzuro();
        benchmark::DoNotOptimize(a.m_ComputedCableLength);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    state.counters["p50_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    state.counters["seabed_points"] = static_cast<double>(a.m_SeabedProfile.GetSize());
}
BENCHMARK(BM_ComputeZuduzuro)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The searches' work: the heights of 200 points along a fairlead-to-touchdown span.
struct HeightCase
{
    double tension = 80.0, weight = 90.0, depth = 140.0, fairlead = -8.0;
    double span = ComputeCatenary(80.0, 90.0, 148.0).x;
};

void BM_HeightSearchHalving(benchmark::State& state)
{
    const HeightCase c;
    for (auto _ : state)
    {
        for (int i = 0; i < 200; ++i)
            benchmark::DoNotOptimize(
                SolveHeightForSpan(c.span * (200 - i) / 200.0, c.depth, c.fairlead, c.tension, c.weight));
    }
}
BENCHMARK(BM_HeightSearchHalving)->Unit(benchmark::kMicrosecond);

struct BrentParams
{
    double tension, weight, span;
};

double SpanMiss(double height, void* params)
{
    const BrentParams& p = *static_cast<const BrentParams*>(params);
    return ComputeCatenary(p.tension, p.weight, height).x - p.span;
}

void BM_HeightSearchGslBrent(benchmark::State& state)
{
    const HeightCase c;
    gsl_set_error_handler_off();
    gsl_root_fsolver* solver = gsl_root_fsolver_alloc(gsl_root_fsolver_brent);
    for (auto _ : state)
    {
        for (int i = 0; i < 200; ++i)
        {
            BrentParams params{c.tension, c.weight, c.span * (200 - i) / 200.0};
            gsl_function f{&SpanMiss, &params};
            const double upper = c.depth - c.fairlead;
            double low = 1e-9, high = upper, root = upper / 2.0;
            if (gsl_root_fsolver_set(solver, &f, low, high) == GSL_SUCCESS)
            {
                for (int iteration = 0; iteration < 100; ++iteration)
                {
                    gsl_root_fsolver_iterate(solver);
                    root = gsl_root_fsolver_root(solver);
                    low = gsl_root_fsolver_x_lower(solver);
                    high = gsl_root_fsolver_x_upper(solver);
                    if (gsl_root_test_interval(low, high, 1e-5, 0.0) == GSL_SUCCESS)
                        break;
                }
            }
            benchmark::DoNotOptimize(root);
        }
    }
    gsl_root_fsolver_free(solver);
}
BENCHMARK(BM_HeightSearchGslBrent)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
