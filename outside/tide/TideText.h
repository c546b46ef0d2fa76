// The texts of the tide panes' cells: dates, clock times and heights, with an empty text for
// any value that is not a number, so a damaged record shows a blank cell and nothing else.
#pragma once

#include "marevo/StandardPortList.h"
#include "platform/core/String.h"

#include <cstdint>

// "dd/mm/yyyy"; empty for a date the calendar does not hold.
CString TideDateText(int year, int month, int day);
// The date of day `index` (0 = 1 January) of `year`; empty past the year's end.
CString TideDayOfYearText(int year, int index);
// "hh:mm"; empty for fields outside a day.
CString TideClockText(int hour, int minute);
// A number with `decimals` decimals; empty when it is not finite.
CString TideNumberText(double value, int decimals);
// The local date and clock time, in the process's zone, of seconds since 1970 (UTC).
bool TideLocalFields(int64_t instant, int* year, int* month, int* day, int* hour, int* minute);

// The height (metres) that a turning point's kept bytes hold: a little-endian double. False
// when the bytes are not a finite number.
bool TurningPointHeight(const TurningPointDef& point, double* height);

// An angle (radians) as degrees and decimal minutes with its hemisphere letter ("50 47.123N");
// empty when not finite or past the largest value the files use for none.
CString TideAngleText(double radians, bool latitude);
