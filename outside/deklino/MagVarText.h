// The texts the magnetic-variation dialogs show: angles in the user's notation at the
// precision the model has, intensities in nanotesla, the model's name and validity, dates.
#pragma once

#include "platform/core/String.h"

class CMagneticModel;

// An angle (radians) in the user's "Angle Settings" notation, to about a hundredth of a
// degree (whole seconds, tenths of minutes or two decimals). With letters, the size of the
// angle and the letter of its side ("1° 16'.8 E"); without, signed ("+83° 12'.6").
CString MagVarAngleText(double radians, char positive, char negative);
// An annual change (radians per year) in minutes of arc: "31.2' E per year" with letters,
// "+0.6' per year" without.
CString MagVarRateText(double radiansPerYear, const char* positive, const char* negative);
// "55178.5 nT" and "+30.1 nT per year".
CString MagVarIntensityText(double nanotesla);
CString MagVarIntensityRateText(double nanoteslaPerYear);
// The grid a grid variation refers to: "UTM zone 30 N", "UPS North", "UPS South".
CString MagVarGridText(double latitude, double longitude);
// "1 Jan 2025" of a decimal year's day.
CString MagVarDateText(double decimalYear);
// "1 Jan 2025 to 31 Dec 2029": the model's validity, first and last day.
CString MagVarValidityText(const CMagneticModel& model);
// "World Magnetic Model WMM-2025 (NOAA NCEI and BGS), valid 1 Jan 2025 to 31 Dec 2029"
CString MagVarModelText(const CMagneticModel& model);
