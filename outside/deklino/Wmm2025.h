// The World Magnetic Model 2025 (WMM2025): epoch 2025.0, valid 2025.0 to 2030.0, released
// 13 November 2024 by NOAA's National Centers for Environmental Information (NCEI) and the
// British Geological Survey (BGS) for the US National Geospatial-Intelligence Agency and the UK
// Defence Geographic Centre. The rows are those of the published coefficient file "WMM.COF"
// (WMM2025COF.zip from NCEI), in its order: degree n, order m, g and h in nT at the epoch, and
// their secular variation in nT per year. The published model is in the public domain.
#pragma once

struct WMM_COEFFICIENT_ROW
{
    int n;
    int m;
    double g;
    double h;
    double gRate;
    double hRate;
};

constexpr double WMM2025_EPOCH = 2025.0;
constexpr const char* WMM2025_NAME = "WMM-2025";
constexpr const char* WMM2025_RELEASE_DATE = "11/13/2024";
constexpr int WMM2025_ROW_COUNT = 90;

extern const WMM_COEFFICIENT_ROW g_Wmm2025[WMM2025_ROW_COUNT];
