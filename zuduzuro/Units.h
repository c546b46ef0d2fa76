// Units of the anchor-cable program: the user's distance and tension units, read from the
// shared "Units Mode" and "Tension Mode" settings, the conversion of metres and tonnes into
// them, and their names.
#pragma once

#include "platform/core/String.h"

// One row of the unit table, in the fixed layout of its records.
struct UnitDef
{
    char szGroup[24];     // family of the unit, zero filled
    double Factor;        // size of one unit in the family's base unit (metres, tonnes)
    char szUnitName[21];  // long name
    char szShortName[11]; // written after numbers
};

// The tension rows: 0 tonnes, 1 kips, 2 kilonewtons. Factor: units per tonne.
extern const UnitDef g_TensionUnits[3];
// The metric distance rows; row 0 is the metre.
extern const UnitDef g_MetricUnits[3];
// The international foot (0.3048 m), the base of the imperial sub-units.
extern const UnitDef g_FeetUnits[1];

// Distance modes of "Units Mode".
enum UNITS_MODE
{
    UNITS_METRIC = 0,
    UNITS_IMPERIAL = 1,
};

// Imperial sub-units of "Units Mode".
enum IMPERIAL_UNIT
{
    IMPERIAL_FEET = 0,
    IMPERIAL_YARDS = 1,
    IMPERIAL_LINKS = 2,
    IMPERIAL_CHAINS = 3,
};

// Reads "Units Mode": returns the distance mode (0 when the file is missing). tableIndex is
// always set to 0; subUnit only when the third line holds a non-zero value.
int ReadUnitsMode(int& tableIndex, int& subUnit);

// The short name of a distance unit: mode 0 the metric row's (" m"); mode 1 "Ft.", "Yds",
// "Lnk" or "Chn" by sub-unit; empty for any other mode, sub-unit or row.
void GetDistanceUnitName(CString& text, int mode, int tableIndex, int subUnit);

// Metres in the user's distance unit, as "Units Mode" now says.
double ToDistanceUnits(double metres);

// Reads "Tension Mode": the tension row, 0 (tonnes) when the file is missing, the line has no
// '=' or the row is not in the table.
int ReadTensionMode();

// Tonnes in the units of a tension row (a row outside the table counts as tonnes).
double ToTensionUnits(double tonnes, int tensionMode);

// The short name written after a tension of that row ("Tons", "Kips", "kN").
CString GetTensionUnitName(int tensionMode);
