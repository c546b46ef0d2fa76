// Number and angle helpers of the calibration engine: number text without its trailing zeros
// (axis labels), the difference of two directions across north, and range and bearing of a
// coordinate difference.
#pragma once

// Angle units of the engine: 1 degrees, any other value radians.
const int ANGLE_UNITS_DEGREES = 1;
const int ANGLE_UNITS_RADIANS = 0;

// Removes the zeros after the decimal point of the number at the end of `text` (trailing
// white space is passed over and stays), and the point itself when nothing is left after it:
// "12.500" gives "12.5", "12.000" gives "12". With `cut` the removed characters become NULs,
// so the text ends there; without it they become blanks and the text keeps its length (right-
// aligned columns keep their places). Text whose last number has no decimal point ("1200"),
// or is in exponent form ("1.5e+10"), is left as it is; the first character is never removed.
void TrimTrailingZerosInPlace(char* text, bool cut);

// a - b for two directions given in [0, 360) degrees (units 1) or [0, 2 pi) radians (other
// units), taken the short way across north when they lie on either side of it: 350 - 10 is
// -20 and 10 - 350 is 20. Directions outside that range come back as plain differences.
double AngleDifference(double a, double b, int units);

// Range (metres) and grid bearing (radians, [0, 2 pi), clockwise from north; 0 for a zero
// vector) of the coordinate difference (dE, dN). Either output may be null.
void RangeBearingOfVector(double dE, double dN, double* range, double* bearing);
