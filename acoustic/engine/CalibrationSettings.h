// Positional readers of the calibration settings files (Boxin, USBL calibration) that give
// the default for a line that is missing, has no '=', or does not hold a usable value, so a
// damaged file never brings a NaN, an infinity or an unknown mode into a computation.
#pragma once

class CConfigFile;

// The next line's value as a finite double; `defaultValue` otherwise.
double ReadFiniteDouble(CConfigFile& file, double defaultValue);
// The next line's value as a whole number within [minimum, maximum]; `defaultValue` otherwise.
int ReadIntInRange(CConfigFile& file, int defaultValue, int minimum, int maximum);
// The next line's value as a whole number, non-zero being true; `defaultValue` otherwise.
bool ReadFlag(CConfigFile& file, bool defaultValue);
