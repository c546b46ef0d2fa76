// The fixed-size records of the yearly tide data files and of a port's tide curve, as they
// are stored: every byte of a file has a field of fixed width here.
#pragma once

#include <cstdint>

// The four constituents of the simplified harmonic method, in the order of the files.
enum TIDAL_CONSTITUENT
{
    CONSTITUENT_M2 = 0,
    CONSTITUENT_S2 = 1,
    CONSTITUENT_K1 = 2,
    CONSTITUENT_O1 = 3,
    CONSTITUENT_COUNT = 4
};

// One constituent's astronomical argument (degrees) and factor for 00:00 of a day.
struct TidalFactorPair
{
    double dArgument;
    double dFactor;
};

// One day of the "TAF" file: a pair per constituent, in the order M2, S2, K1, O1.
struct TidalFactorDef
{
    TidalFactorPair Constituent[CONSTITUENT_COUNT];
};
static_assert(sizeof(TidalFactorDef) == 64, "a TAF record is 64 bytes");

// One phase of the moon as local calendar fields.
struct MoonPhaseTime
{
    int32_t nYear;
    int32_t nMonth; // 1..12
    int32_t nDay;
    int32_t nHour;
    int32_t nMinute;
};

// One record of the "MOON" file: four successive phases.
struct MoonPhaseDef
{
    MoonPhaseTime Phase[4];
};
static_assert(sizeof(MoonPhaseDef) == 80, "a MOON record is 80 bytes");

// One sample of a tide curve: the instant (seconds on the data set's count, 00:00 of 2 January
// 2000 being 0) and the predicted height (metres).
struct TideDataDef
{
    double dTime;
    double dHeight;
};
static_assert(sizeof(TideDataDef) == 16, "a curve sample is two doubles");

// Record sizes of the other yearly files (bytes).
constexpr int kPortRecordSize = 224;        // "Part3"
constexpr int kTableVIRecordSize = 88;      // "TableVI"
constexpr int kCorrectionRecordSize = 128;  // "Seasonal", "M2", "S2"
constexpr int kCoTidalRecordSize = 2 + 64;  // a 16-bit port number and eight doubles
