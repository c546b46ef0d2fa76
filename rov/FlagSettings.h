// The ROV views' small settings files of on/off lines ("<key> = 1" / "<key> = 0"), read in the
// order they were written, with one report to the user for a damaged file.
#pragma once

#include <cstddef>

// One line of such a file: its key, the flag it sets, and what a missing or damaged line gives.
struct FLAG_SETTING
{
    const char* key;
    bool* flag;
    bool missingDefault;
};

// Reads the settings file `name` line by line into the flags. A missing line, one without '=',
// one whose value is not 0 or 1 and one too long to read each give that line's default; the
// first such damaged line is reported once through ErrorMessage, naming the file and the line.
// False (flags untouched) when the file does not open.
bool ReadFlagSettings(const char* name, const FLAG_SETTING* lines, size_t count);

// Writes the flags, one line each in order; a file that cannot be written keeps its old
// contents. False when it was not written.
bool WriteFlagSettings(const char* name, const FLAG_SETTING* lines, size_t count);
