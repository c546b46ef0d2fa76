// The tide curve of one port for a year (525 600 samples) with shallow-water, Table VI and
// seasonal corrections, beside the plain four-constituent sum over the same samples.
#include "marevo/TideCalendar.h"
#include "marevo/TidePredictor.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
constexpr int kYear = 2023;

struct YearData
{
    CArray<TidalFactorDef> factors;
    CArray<int64_t> phases;
    CTidalPort port;

    YearData()
    {
        const double start[4] = {112.0, 3.0, 250.0, 301.0};
        for (int day = 0; day <= 365; ++day)
        {
            TidalFactorDef record;
            for (int k = 0; k < CONSTITUENT_COUNT; ++k)
            {
                record.Constituent[k].dArgument =
                    std::fmod(std::fmod(start[k] - day * CTidePredictor::kMeanDailyAdvance[k], 360.0) + 360.0, 360.0);
                record.Constituent[k].dFactor = 1.0 + 0.02 * std::sin(day * 0.01 + k);
            }
            factors.Add(record);
        }
        // A phase every 7.38 days from 6 January.
        const int64_t first = TideTimeOfDay(6, kYear, 12 * 3600);
        for (int i = 0; i < 52; ++i)
            phases.Add(first + static_cast<int64_t>(i * 7.38 * 86400));
        const double constants[CONSTANT_COUNT] = {2.5, 120, 1.8, 160, 0.6, 20, 0.1, 350, 0.08, 200, 0.02, 30, 0.005};
        for (int i = 0; i < CONSTANT_COUNT; ++i)
            port.m_dConstants[i] = constants[i];
        port.m_Seasonal.bPresent = true;
        port.m_TableVI.bPresent = true;
        port.m_TableVI.nDayOffset = 2;
        for (int i = 0; i < 13; ++i)
            port.m_Seasonal.dValue[i] = 0.01 * i;
        for (int i = 0; i < 9; ++i)
            port.m_TableVI.dValue[i] = 2.5 + 0.01 * i;
    }
};

YearData& Data()
{
    static YearData data;
    return data;
}

void PortYearCurve(benchmark::State& state)
{
    YearData& data = Data();
    const CTidePredictor predictor(data.factors, data.phases);
    for (auto _ : state)
    {
        predictor.ComputeCurve(data.port, kYear, TideYearStart(kYear), TideYearEnd(kYear));
        benchmark::DoNotOptimize(data.port.m_Curve.GetData());
    }
    state.counters["samples"] = static_cast<double>(data.port.m_Curve.GetSize());
}
BENCHMARK(PortYearCurve)->Unit(benchmark::kMillisecond);

// Z0 + sum f H cos(theta) for the same samples, the factors and arguments taken from the day
// records as the curve takes them.
void PlainFourConstituentSum(benchmark::State& state)
{
    YearData& data = Data();
    const int constants[4][2] = {{CONSTANT_M2_G, CONSTANT_M2_H},
                                 {CONSTANT_S2_G, CONSTANT_S2_H},
                                 {CONSTANT_K1_G, CONSTANT_K1_H},
                                 {CONSTANT_O1_G, CONSTANT_O1_H}};
    std::vector<double> heights(365 * 1440);
    for (auto _ : state)
    {
        for (int day = 0; day < 365; ++day)
        {
            const TidalFactorDef& today = data.factors[day];
            for (int minute = 0; minute < 1440; ++minute)
            {
                const double hour = minute / 60.0;
                double sum = data.port.m_dConstants[CONSTANT_TABLE_VI_DEFAULT];
                for (int k = 0; k < 4; ++k)
                {
                    const double theta = data.port.m_dConstants[constants[k][0]] + today.Constituent[k].dArgument -
                                         CTidePredictor::kMeanDailyAdvance[k] * hour / 24.0;
                    sum += today.Constituent[k].dFactor * data.port.m_dConstants[constants[k][1]] *
                           std::cos(theta * 0.017453292519943);
                }
                heights[static_cast<size_t>(day) * 1440 + minute] = sum;
            }
        }
        benchmark::DoNotOptimize(heights.data());
    }
}
BENCHMARK(PlainFourConstituentSum)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
