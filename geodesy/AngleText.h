// Angles typed by the user (any notation of foundation/AngleFormat.h: degrees, minutes and
// seconds with or without marks, decimal degrees, gradians, with a sign or a hemisphere letter)
// and the compact ddmm.mmmm form of positioning messages, read into radians.
#pragma once

#include "platform/core/String.h"

// Notation of a typed angle text.
enum ANGLE_TEXT_NOTATION
{
    ANGLE_TEXT_PLAIN = 0,   // numbers separated by blanks or other characters
    ANGLE_TEXT_MARKED = 1,  // holds a degree sign (0xB0), a minute mark (') or a second mark (")
    ANGLE_TEXT_GRADIANS = 2 // no marks, but a 'g'
};

// Classifies the text (ANGLE_TEXT_NOTATION), then cleans it in place: the marks and 'g' become
// blanks, runs of blanks become one, and a blank before a point is removed ("12° .5" → "12.5").
int NormaliseAngleText(CString& text);

// How a typed angle text was read.
enum ANGLE_TEXT_RESULT
{
    ANGLE_TEXT_READ = 0,          // an angle within the type's limits (0 included)
    ANGLE_TEXT_NO_NUMBER = 1,     // no digit at all: refused
    ANGLE_TEXT_BEYOND_LIMIT = 2,  // degrees, or the whole value, beyond the type's limit: refused
    ANGLE_TEXT_TWO_HEMISPHERES = 3 // a letter of each hemisphere ("S 33 52 N"): refused
};

// The angle of a typed text, in radians, for an angle type of foundation/AngleFormat.h.
//  - Up to three number fields, degrees, minutes and seconds, separated by anything else; with
//    no point in the text a comma is the decimal point ("12,5" is 12.5 degrees).
//  - The sign comes from a '-' anywhere, or else from a hemisphere letter of the type's axis
//    (N/S for latitudes, E/W for longitudes), before or after the numbers; a letter after the
//    numbers ends the text. After a '-' letters only separate fields, so "-51 30 N" is south.
//  - Limits: degrees and the whole value at most 90 for types 3, 5 and 8, 180 for 4, 6 and 9,
//    360 for the others (gradians: 100, 200, 400); minutes of 60 or more read as 0 minutes and
//    0 seconds, seconds of 60 or more as 0 seconds.
//  - Type 4 texts show 90 degrees minus the angle: the result is pi/2 minus the value read.
// Result: ANGLE_TEXT_READ, or why the text is refused. `radians` receives the value as read,
// [-pi, 2pi] when read, also when it lies beyond the limit (a bearing may wrap it); it is
// left alone when the text holds no number or names two hemispheres.
int ReadAngleText(const char* text, int type, double& radians);

// ReadAngleText for callers that take a refused text as 0 (the tables of the geodetic
// program, where an empty cell is an angle of 0).
double ParseAngleText(const char* text, int type);

// What a refused text was, for a message or an item's description.
CString DescribeAngleTextResult(int result, int type);

// The compact form of NMEA position fields: latitude "ddmm.mmmm" (type 5) or longitude
// "dddmm.mmmm" (type 6), leading zeros optional, and the hemisphere field. Radians, negative
// when the hemisphere text holds 'S' (latitude) or 'W' (longitude); 0 for other types and for
// digits too short to hold whole degrees (3 characters or fewer for a latitude, 4 for a
// longitude). Degrees and minutes are not checked against their ranges.
double ParseCompactLatLon(const char* digits, const char* hemisphere, int type);

// The notation saved in "Geographicals Settings" (1, degrees and decimal minutes, when the file
// is absent).
int GetGeographicalsFormat();
