// The yearly sun almanac file: a title line ("Sun for YYYY" and free text), then one line per
// month of the month number and the 14 coefficients of SunAlmanacDef, comma-separated. Read
// through bounded buffers, so that a huge or damaged file costs no more than its first lines.
#pragma once

#include "orbisol/SunAlmanac.h"

#include "platform/core/String.h"

// The most characters of a title or data line, its line end not counted.
constexpr int kAlmanacLineMax = 1023;

// Why an almanac file did not load: the file, the line (1 the title, 0 when the file did not
// open or ended early) and what was wrong with it.
struct AlmanacLoadError
{
    CString strFile;
    int nLine = 0;
    CString strReason;
    // The file is not there at all (as opposed to there and unreadable or damaged).
    bool bMissing = false;

    bool IsEmpty() const { return strReason.IsEmpty(); }
    // "<file>, line <n>: <reason>", or "<file>: <reason>" without a line; empty when nothing
    // failed.
    CString Format() const;
    // The same with the file's name alone, for a line on the screen: "sarsun31.dat line 9:
    // 14 of 15 fields", or "<name>: <reason>" without a line.
    CString FormatShort() const;
};

// Reads the almanac file at the (Windows) path into months[0..11], January first. A line of a
// month outside 1..12 is counted but not stored; a later line of a month replaces an earlier
// one; a month the file does not give stays all 0. The check sums are computed here. Reading
// stops at the first line that does not give a month and 14 numbers; the file loads when
// exactly twelve such lines were read, all numbers finite. Reads the title and at most thirteen
// lines. False with every record cleared and `error` (when given) filled when it does not load.
bool ReadAlmanacFile(const char* path, SunAlmanacDef months[12], AlmanacLoadError* error);

// The month and the 14 values of a data line "%d,%lf,...,%lf": blanks may come before each
// number, none before a comma; what follows the 15th number is ignored. False when the line
// does not give all 15; `fields` (when given) gets how many it gave from the start. The check
// sums of `record` are left as they were.
bool ParseAlmanacLine(const char* line, int* month, SunAlmanacDef* record, int* fields = nullptr);

// The first line of the file at the (Windows) path, at most kAlmanacLineMax characters without
// its line end; false when the file does not open, is empty, or its first line is longer or
// holds a NUL byte.
bool ReadAlmanacTitle(const char* path, CString& title);

// The year a title names: the number after "Sun for" and a blank (as atoi reads it); 0 when
// the title lacks "Sun for" or the number is not a year of 1900..2100.
int AlmanacTitleYear(const char* title);
