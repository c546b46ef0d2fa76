// The printed record of an azimuth computation: the observer's position, the date and time of
// the observation, the sun's declination, E and hour angles, and the azimuths of the sun and
// the reference object, each as the user's settings show it.
#pragma once

#include "platform/core/String.h"

#include <vector>

class CSunObservation;
struct DateTimeDef;

// The thirteen lines of the report, an empty text for each blank line. The date and time are
// the record's; the results are the observation's as its last Compute left them.
std::vector<CString> AzimuthReportLines(const CSunObservation& sun, const DateTimeDef& record);

// Prints the lines on the printer the user picks (a PDF file when none is named). False when
// the user cancelled the print dialog or the print could not be made (the user was told).
bool PrintAzimuthReport(const CSunObservation& sun, const DateTimeDef& record);
