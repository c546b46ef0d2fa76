// CTidalPort: one tidal port of the data set: its harmonic constants, its corrections and,
// once computed, its tide curve for the loaded year.
#pragma once

#include "marevo/TideRecords.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

// The thirteen constants of a port, in their stored order. Phases are degrees, amplitudes and
// the Table VI default metres.
enum TIDAL_CONSTANT
{
    CONSTANT_TABLE_VI_DEFAULT = 0,
    CONSTANT_M2_G,
    CONSTANT_M2_H,
    CONSTANT_S2_G,
    CONSTANT_S2_H,
    CONSTANT_K1_G,
    CONSTANT_K1_H,
    CONSTANT_O1_G,
    CONSTANT_O1_H,
    CONSTANT_F4, // quarter-diurnal shallow-water phase (degrees)
    CONSTANT_F4_FACTOR,
    CONSTANT_F6, // sixth-diurnal shallow-water phase (degrees)
    CONSTANT_F6_FACTOR,
    CONSTANT_COUNT
};

// The four monthly tables, in their order in the port.
enum MONTHLY_TABLE
{
    MONTHLY_M2_G = 0,
    MONTHLY_M2_H,
    MONTHLY_S2_G,
    MONTHLY_S2_H,
    MONTHLY_COUNT
};

// A correction table: the first twelve values are for January to December.
struct TideMonthTable
{
    bool bPresent;
    double dValue[13];
};

// Corrections (metres) by the whole days between an instant and the nearest spring phase of
// the moon: dValue[1 + b] for b = 0..7 days.
struct TideTableVI
{
    bool bPresent;
    int nDayOffset;
    double dValue[9];
};

class CTidalPort
{
public:
    // A port made empty: texts and numbers cleared, the co-tidal pairs marked as none.
    CTidalPort();

    void Reset();

    CString m_strName;
    CString m_strNumber;
    double m_dPosition[2];  // the stored first and second angle, in radians
    CString m_strText;
    double m_dConstants[CONSTANT_COUNT];
    int m_nTimeZone;         // seconds
    TideMonthTable m_Seasonal;  // metres added to every height of the month
    TideMonthTable m_Monthly[MONTHLY_COUNT];
    TideTableVI m_TableVI;
    // Co-tidal values; [2], [3] and [6], [7] hold the largest double while a port has none.
    double m_dCoTidal[8];
    CArray<TideDataDef> m_Curve;
};
