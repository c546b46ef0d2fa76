// How the solar program shows an angle of a type: the user's saved notation, decimals and
// default hemisphere letter, with the fixed two-decimal degrees of type 7.
#pragma once

#include "platform/core/String.h"

struct ANGLE_SHOW
{
    int format = 1;
    int decimals = 7;
    char letter = 0; // the letter an angle of exactly 0 shows; 0 for types without one
};

// The settings of a type as read now. Saved decimals beyond what the notation offers
// (GetMaxDecimalPlaces) are brought down to that maximum.
ANGLE_SHOW GetAngleShow(int angleType);

// An angle (radians) as the user's settings of its type show it now.
CString FormatShownAngle(double radians, int angleType);
