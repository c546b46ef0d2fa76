// CCellCheck: whether a cell of the co-ordinate sheet reads whole and within its range, and the
// reason when it does not. It only refuses: the sheet reads accepted cells with its own
// parsing, so a good value converts exactly as before, while junk after a number, an empty
// co-ordinate or an angle out of its range no longer reads as something else.
//
// Every check returns an empty text for a good cell, else the reason ("91 is outside 0 to 90").
#pragma once

#include "platform/core/String.h"

class CCellCheck
{
public:
    // The whole text (blanks around allowed) is one number; false for an empty text.
    static bool ReadWholeNumber(const char* text, double& value);

    // A grid co-ordinate or height: a whole number; an empty text is refused unless allowed.
    static CString Number(const char* text, bool allowEmpty);
    // A typed angle (degrees, minutes and seconds in any notation, a sign or a hemisphere
    // letter of the axis): at most three number fields, nothing but separators between them,
    // degrees and the whole value within 90 (latitude) or 180 (longitude), minutes and seconds
    // below 60.
    static CString AngleText(const char* text, bool longitude);
    // The compact "ddmm.mmmm" / "dddmm.mmmm" form (its hemisphere is a cell of its own).
    static CString CompactLatLon(const char* digits, bool longitude);
    // A hemisphere cell: empty, or its first non-blank letter one of the axis (N/S or E/W).
    static CString Hemisphere(const char* text, bool longitude);

    // Which part of an angle is out of range.
    enum PART
    {
        PART_NONE = -1,
        PART_DEGREES = 0,
        PART_MINUTES = 1,
        PART_SECONDS = 2
    };
    // Degrees d, minutes m and seconds s (their sizes; signs are not looked at) against the
    // axis' limits: the reason and the part at fault (the degrees when only the whole is too
    // large).
    static CString Range(double d, double m, double s, bool longitude, int* part = nullptr);
};
