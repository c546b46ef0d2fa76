// Helpers of the tide curve tests: synthetic daily factors on known constituent speeds, a
// port of given constants, and the turning points of a curve.
#pragma once

#include "marevo/TidalPort.h"
#include "marevo/TideRecords.h"
#include "platform/core/Array.h"

#include <vector>

// Daily records for `days` days from 00:00 of 1 January: each constituent's argument starts at
// start[k] and falls by 24 x its speed a day (stored reduced to 0..360); factors are
// 1 + wobble x sin(0.02 n + k).
void MakeFactors(CArray<TidalFactorDef>& factors, int days, const double start[CONSTITUENT_COUNT], double wobble);

// A port with the given (g, H) per constituent and datum z0, all else zero.
void SetHarmonics(CTidalPort& port, double z0, const double g[CONSTITUENT_COUNT], const double h[CONSTITUENT_COUNT]);

// High or low water of a curve: sample index refined by the parabola through its neighbours.
struct TurningPoint
{
    bool bHigh;
    double dMinute; // minutes after the curve's first sample
    double dHeight;
};
std::vector<TurningPoint> TurningPoints(const CArray<TideDataDef>& curve);
