// The user's grid and distance preferences, kept in the settings file "Grid Settings": the
// unit distances are shown in and the decimals of grid co-ordinates and of distances.
#pragma once

#include "platform/core/String.h"

// Units of shown distances.
enum GRID_UNITS
{
    GRID_UNITS_METRES = 0,
    GRID_UNITS_INTERNATIONAL_FEET = 1,
    GRID_UNITS_US_SURVEY_FEET = 2,
    GRID_UNITS_COUNT = 3
};

struct GridSettingsDef
{
    int Units = GRID_UNITS_METRES; // GRID_UNITS
    int GridDecimals = 2;          // decimals of eastings and northings, 0..6
    int DistanceDecimals = 3;      // decimals of distances, 0..6
};

// Absent file or values out of range: the defaults above, value by value.
GridSettingsDef LoadGridSettings();
// Written whole; false (the old file kept) when it cannot be written.
bool SaveGridSettings(const GridSettingsDef& settings);

// Metres in one unit (1, 0.3048, 1200/3937); 1 for an unknown unit.
double GetUnitLength(int units);
// "Metres", "International Feet", "US Survey Feet".
const char* GetUnitName(int units);
// The suffix a shown distance carries: "m", "ft", "usft".
const char* GetUnitSuffix(int units);
