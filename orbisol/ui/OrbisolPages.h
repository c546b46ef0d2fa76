// The six pages of the solar program's sheet, in their order. Each is built on the sun
// observation and the observation's date and time as its page needs them.
#pragma once

#include "orbisol/ui/ComputeOrbisolPP.h"
#include "orbisol/ui/AzimuthPlotPP.h"
#include "orbisol/ui/SunPolynomialCoeffsPP.h"
#include "orbisol/ui/ObservationsPP.h"
#include "orbisol/ui/AnglesFormatPP.h"
#include "orbisol/ui/AboutPP.h"
