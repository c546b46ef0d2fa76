// The "Pressure Mode" settings file: the unit the user reads water pressure in, shared by the
// sound-speed engine and the pressure-mode item of the grids.
#pragma once

enum PRESSURE_UNITS
{
    PRESSURE_BAR = 0,
    PRESSURE_KG_PER_CM2 = 1
};

// Writes "Pressure Mode = <units>" whole (PRESSURE_UNITS). A value other than 0 and 1 is not
// written (false); false also when the file could not be written (the old one is kept).
bool SavePressureMode(int units);
// The saved unit; a missing or damaged file reads as PRESSURE_BAR, any whole number but 0 as
// PRESSURE_KG_PER_CM2. Only the first line is read, and at most ConfigFile's longest line of it.
int LoadPressureMode();
