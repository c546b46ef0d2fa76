// What the pages show of the almanac: a date picker over the years the almanac files cover,
// and the line that says why a year has no almanac.
#pragma once

#include "platform/core/String.h"

class CEditClock;
class CSunObservation;
struct DateTimeDef;

// Binds the date picker to the record without setting the computer's clock, shows it in the
// "dd MMM yyy" form, and limits it to the span of the almanac files when there are any.
void BindAlmanacDatePicker(CEditClock& picker, DateTimeDef* pDateTime);

// "No almanac for 2031", with the reason when the file is there but does not load
// ("No almanac for 2031: sarsun31.dat line 9: 14 of 15 fields").
CString DescribeMissingAlmanac(const CSunObservation& sun, int year);
