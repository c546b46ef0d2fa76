// Where the yearly sun almanacs lie: the folder "Star Almanac" of the user's data folder, one
// file "sarsunYY.dat" per year, and the span of dates the files there cover.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/String.h"

// "<data folder>Star Almanac\\": the data folder named by the first line of
// "C:\\MyDrives\\MyData.INI", else "MyData" found on C:, D: or E:; made when missing. False,
// with the path emptied, when no folder can be found or made.
bool GetAlmanacFolder(CString& path);

// "<almanac folder>sarsunYY.dat" with YY the year modulo 100 ("sarsun24.dat" for 2024); empty
// when there is no almanac folder.
CString GetAlmanacFilePath(int year);

// The span of the almanac files in the folder: `first` 1 January 00:00:00 of the lowest year
// and `last` 31 December 23:59:59 of the highest, of the files "sarsun*.dat" whose first line
// names a year of 1900..2100 after "Sun for" (only the first line of each file is read). False,
// both left as they were, when no file names one.
bool GetAlmanacYearRange(COleDateTime& first, COleDateTime& last);
