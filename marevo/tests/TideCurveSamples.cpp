#include "TideCurveSamples.h"

#include "marevo/TidePredictor.h"

#include <cmath>

void MakeFactors(CArray<TidalFactorDef>& factors, int days, const double start[CONSTITUENT_COUNT], double wobble)
{
    factors.RemoveAll();
    for (int n = 0; n < days; ++n)
    {
        TidalFactorDef day;
        for (int k = 0; k < CONSTITUENT_COUNT; ++k)
        {
            double a = std::fmod(start[k] - n * CTidePredictor::kMeanDailyAdvance[k], 360.0);
            if (a < 0)
                a += 360.0;
            day.Constituent[k] = {a, 1.0 + wobble * std::sin(0.02 * n + k)};
        }
        factors.Add(day);
    }
}

void SetHarmonics(CTidalPort& port, double z0, const double g[CONSTITUENT_COUNT], const double h[CONSTITUENT_COUNT])
{
    port.Reset();
    port.m_dConstants[CONSTANT_TABLE_VI_DEFAULT] = z0;
    const int phase[CONSTITUENT_COUNT] = {CONSTANT_M2_G, CONSTANT_S2_G, CONSTANT_K1_G, CONSTANT_O1_G};
    const int amplitude[CONSTITUENT_COUNT] = {CONSTANT_M2_H, CONSTANT_S2_H, CONSTANT_K1_H, CONSTANT_O1_H};
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
    {
        port.m_dConstants[phase[k]] = g[k];
        port.m_dConstants[amplitude[k]] = h[k];
    }
}

std::vector<TurningPoint> TurningPoints(const CArray<TideDataDef>& curve)
{
    std::vector<TurningPoint> points;
    const TideDataDef* c = curve.GetData();
    for (INT_PTR i = 1; i + 1 < curve.GetSize(); ++i)
    {
        const double before = c[i - 1].dHeight, here = c[i].dHeight, after = c[i + 1].dHeight;
        const bool high = here > before && here >= after;
        const bool low = here < before && here <= after;
        if (!high && !low)
            continue;
        const double curvature = before - 2.0 * here + after;
        const double shift = curvature != 0.0 ? 0.5 * (before - after) / curvature : 0.0;
        points.push_back({high, static_cast<double>(i) + shift, here - 0.25 * (before - after) * shift});
    }
    return points;
}
