// CSpeedOfSoundInWater: a sound-velocity profile (temperature, salinity or conductivity
// ratio against depth or pressure) with, for every point, the pressure or depth, the
// salinity or conductivity ratio, the speed of sound by one of eight published formulas and
// the mean speed from the top of the profile down to the point.
//
// Units throughout: temperature degrees Celsius, salinity on the practical salinity scale,
// conductivity ratio C(S, T, p) / C(35, 15, 0), depth metres positive down, pressure in bar
// or kg/cm2 (gauge: 0 at the sea surface), speed m/s, latitude radians.
#pragma once

#include "foundation/PressureMode.h"

#include "platform/core/Array.h"
#include "platform/core/String.h"

// One point of a profile.
struct ThermoclineDef
{
    double Temperature;       // degrees C
    double Salinity;          // practical salinity
    double ConductivityRatio; // C / C(35, 15, 0)
    double Depth;             // m
    double PressureBar;       // bar
    double PressureKg;        // kg/cm2
    double SpeedOfSound;      // m/s; 0 when not computed
    double MeanSpeed;         // m/s from the first computed point down to this one; 0 when none
};

// The formulas, in the order of the names shown to the user.
enum SOUND_SPEED_FORMULA
{
    SOUND_SPEED_CHEN_MILLERO = 0,
    SOUND_SPEED_DEL_GROSSO = 1,
    SOUND_SPEED_LEROY = 2,
    SOUND_SPEED_MACKENZIE = 3,
    SOUND_SPEED_MEDWIN = 4,
    SOUND_SPEED_WILSON = 5,
    SOUND_SPEED_WILSON_SIMPLIFIED = 6,
    SOUND_SPEED_WOODS = 7,
    SOUND_SPEED_FORMULA_COUNT = 8
};

// PRESSURE_UNITS (foundation/PressureMode.h) also says which pressure is given in a record
// when the pressure mode is 1.

class CSpeedOfSoundInWater : public CArray<ThermoclineDef, const ThermoclineDef&>
{
public:
    // The names shown to the user, by formula index.
    static const char* const FormulaNames[SOUND_SPEED_FORMULA_COUNT];

    // Reads the settings file, then starts the current point at 5 degrees C, salinity 32 and
    // 100 m with both modes 0 (depth and salinity given; pressure in bar and the conductivity
    // ratio derived), speed and mean speed 0; makes the day's thermocline log folder.
    CSpeedOfSoundInWater();

    // "SpeedOfSoundInWater": formula index, pressure mode, salinity mode, geopotential anomaly,
    // latitude, profile name, one line each in that order. A missing file or a damaged line
    // gives that line's default (0, 0, 0, 0, 1.0, "Thermocline").
    void LoadSettings();
    // Writes the same lines in the same order; false when the file could not be written
    // whole (the old file is then kept).
    bool SaveSettings() const;

    // "Pressure Mode": the unit the program shows pressure in (PRESSURE_UNITS), the file of
    // foundation/PressureMode.h. A value other than 0 and 1 is not written (false); a missing
    // or damaged file reads as 0.
    static bool SavePressureMode(int units) { return ::SavePressureMode(units); }
    static int LoadPressureMode() { return ::LoadPressureMode(); }

    // Completes the current point by the pressure mode, then the salinity mode. False, with
    // the point marked not computed (speed 0), when it cannot be completed.
    bool UpdateValues(int pressureUnits = PRESSURE_BAR);
    // The conductivity ratio (salinity mode 0) or the salinity (mode 1) of the current point.
    void ComputeSalinityOrConductivity();

    // Pressure or depth, salinity or conductivity ratio and speed of one record by the
    // object's modes and formula; `pressureUnits` says which pressure field is given in
    // pressure mode 1. False, with speed and mean speed 0, when a value is not finite, the
    // pressure iteration does not settle or the formula index is not one of the eight.
    bool ComputeRecord(ThermoclineDef& record, int pressureUnits) const;
    // Computes every record with a temperature and salinity above 0 and the mean speeds
    // (trapezoid rule over depth; 0 at a point not deeper than the one before). Returns the
    // number of records computed.
    int ComputeProfile(int pressureUnits);

    // Speed of sound (m/s) by formula index: depth (m), pressure (bar and kg/cm2, gauge),
    // temperature (degrees C), salinity (practical), latitude (radians; no formula here
    // uses it). 0 for an index outside 0..7. The ranges the publications fitted:
    //   0 Chen and Millero 1977 (UNESCO 1983): T 0..40, S 0..40, P 0..1000 bar gauge;
    //   1 Del Grosso 1974: T 0..30, S 30..40, P 0..1000 kg/cm2 gauge;
    //   2 Leroy 1969, simple form: the upper ocean, z in m;
    //   3 Mackenzie 1981: T 2..30, S 25..40, z 0..8000 m;
    //   4 Medwin 1975: T 0..35, S 0..45, z 0..1000 m;
    //   5 Wilson 1960: T -4..30, S 0..37, P 1..1000 kg/cm2 absolute: the gauge pressure
    //     given here plus one standard atmosphere (1.0332 kg/cm2);
    //   6 Wilson's equation cut to its leading terms, z in m: within 0.4 m/s of the full
    //     equation for T -4..30, S 30..37, z 0..500 m;
    //   7 Woods 1949, z in m.
    // Outside them the formulas part by metres per second (30 degrees C at 5000 m).
    static double SpeedOfSound(int formula, double depth, double pressureBar, double pressureKg,
                               double temperature, double salinity, double latitude);

    // Practical salinity (PSS-78; UNESCO Technical Papers in Marine Science 44, 1983) of a
    // conductivity ratio at temperature T (degrees C, IPTS-68, -2..35) and pressure (bar,
    // 0..1000). A ratio of 5e-5 or less gives 0. Accurate to the scale's 1e-4 over 2..42.
    static double SalinityFromConductivity(double ratio, double temperature, double pressureBar);
    // The conductivity ratio of a practical salinity (the scale inverted by Newton steps in
    // the square root of the temperature-corrected ratio until the salinity is within 1e-4,
    // at most 10 steps). 0 for a salinity of 0.02 or less, or when the steps do not settle.
    static double ConductivityFromSalinity(double salinity, double temperature, double pressureBar);
    // Pressure (bar) at a depth (m, positive down), latitude (radians) and geopotential
    // anomaly (J/kg) by inverting the UNESCO 1983 depth formula (Fofonoff and Millard) to
    // 1e-5 m. NaN for an input that is not finite or when 50 passes do not settle.
    static double PressureFromDepth(double depth, double latitude, double anomaly);
    // Depth (m) of a pressure (dbar) by the UNESCO 1983 formula, plus anomaly / 9.8.
    static double DepthFromPressure(double pressureDbar, double latitude, double anomaly);
    // Local gravity (m/s2) at a latitude (radians), the UNESCO 1983 formula.
    static double Gravity(double latitude);
    // Pressure in kg/cm2 (kilogram-force per square centimetre: 98.0665 kPa, by standard
    // gravity) of a pressure in bar, and back; gauge in, gauge out.
    static double KgPerCm2FromBar(double bar);
    static double BarFromKgPerCm2(double kg);

    ThermoclineDef m_Current{}; // the point the panes edit
    double m_Latitude = 1.0;    // radians
    double m_GeopotentialAnomaly = 0.0;
    int m_Formula = 0;      // SOUND_SPEED_FORMULA
    int m_PressureMode = 0; // 0 depth given, pressure derived; 1 pressure given, depth derived
    int m_SalinityMode = 0; // 0 salinity given, ratio derived; 1 ratio given, salinity derived
    CString m_ProfileName = "Thermocline";
};
