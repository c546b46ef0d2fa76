// Angles as display text: five notations (degrees, minutes and seconds; degrees and decimal
// minutes; decimal degrees; signed decimal degrees; gradians) for nine kinds of angle, the
// widest text of each notation for sizing and masking edit fields, and the user's saved
// preferences ("Angle Settings", "Geographicals Settings").
//
// Angles are radians in doubles throughout. The degree sign is the byte 0xB0 (Windows-1252).
#pragma once

#include "platform/core/String.h"

// Kinds of angle (`ANGLE_TYPE`): which sign or letter an angle carries and how large it gets.
enum ANGLE_TYPE
{
    ANGLE_SIGNED = 1,           // '+' or '-', up to 179 degrees
    ANGLE_FULL_CIRCLE = 2,      // no sign, 0..359 degrees (bearings)
    ANGLE_SIGNED_RIGHT = 3,     // '+' or '-', up to 89 degrees
    ANGLE_COMPLEMENT = 4,       // no sign; the text shows 90 degrees minus the angle
    ANGLE_LATITUDE = 5,         // quadrant letter N or S, up to 89 degrees
    ANGLE_LONGITUDE = 6,        // quadrant letter E or W, up to 179 degrees
    ANGLE_FULL_CIRCLE_2DP = 7,  // as 2, two default decimals
    ANGLE_SIGNED_RIGHT_2DP = 8, // as 3, two default decimals
    ANGLE_SIGNED_2DP = 9        // as 1, two default decimals
};

// Notations (format codes).
enum ANGLE_FORMAT
{
    ANGLE_FORMAT_DMS = 0,       // 51° 30' 15".50000N
    ANGLE_FORMAT_DM = 1,        // 51° 30'.2583333N
    ANGLE_FORMAT_DEGREES = 2,   // 51°.504305556N
    ANGLE_FORMAT_SIGNED = 3,    // +51°.504305556 (no letter; the sign says the side)
    ANGLE_FORMAT_GRADIANS = 4,  // 057g.227006173N
    ANGLE_FORMAT_PREFERENCE = 5 // the user's saved notation for the angle's type
};

// The degree sign (Windows-1252).
const char DEGREE_SIGN = '\xB0';

// Degrees per radian, as every format and parser of the suite converts.
constexpr double ANGLE_RAD_TO_DEG = 57.2957795131;
// Gradians per radian (200/pi).
constexpr double ANGLE_RAD_TO_GRAD = 63.66197723677778;

// The angle as text in a notation. `radians` DBL_MAX (no value) gives empty text and -1.0
// gives "n/a". `format` ANGLE_FORMAT_PREFERENCE takes the notation, decimals and default
// letter saved for the type. `decimals` outside 0..32 takes GetDefaultDecimals. `letter` is the
// quadrant letter an angle of exactly 0 shows (N for latitudes and E for longitudes when 0 or
// not a quadrant letter). Minutes and seconds never show as 60: they carry into the next unit.
CString FormatAngle(double radians, int type, int format, int decimals = -1, char letter = 0);

// Splits |radians| into whole degrees (>= 0), whole minutes (0..59) and seconds [0, 60). When
// the seconds would print as 60 with `decimals` places they become 0 and the minutes (and then
// the degrees) carry. `sign` is -1 for a negative angle, else +1.
void AngleToDms(double radians, int& degrees, int& minutes, double& seconds, int& sign, int decimals);

// The widest text of a notation for a type (largest degrees, 59 minutes, the largest seconds
// or minutes at `decimals` places), with the sign or quadrant letter, laid out exactly as
// FormatAngle lays out its texts; returns its length. `limit`, when given, receives the degree
// limit plus one in the width of the degree field with its trailing zeros removed ("18" for
// longitudes, "9" for latitudes): the degree digits an editor may type before all that follow
// must be 0. ANGLE_FORMAT_PREFERENCE takes the saved notation.
int BuildAngleMask(int type, int format, CString& text, int decimals, CString* limit = nullptr);
// The same into caller buffers of `textSize` and `limitSize` bytes (always terminated,
// truncated when short). Returns the full length of the text.
int BuildAngleMask(int type, int format, char* text, int textSize, int decimals, char* limit = nullptr,
                   int limitSize = 0);

// Decimals a notation shows when the caller gives none: types 1..6: 5 for DMS, 7 for DM, 9 for
// the decimal notations; types 7..9: 2; other types 0.
int GetDefaultDecimals(int type, int format);

// The most decimal places a notation offers for a type: those that still tell apart angles
// about a tenth of a millimetre apart on the Earth (5 for DMS, 7 for DM, 9 for the decimal
// notations and gradians); more would show only the noise of a double. 0 for an unknown
// notation; ANGLE_FORMAT_PREFERENCE takes the saved notation of the type.
int GetMaxDecimalPlaces(int type, int format);

// The saved preferences. Absent files (or unusable values) give format 1 and 7 decimals, and
// the letters N and E.
void LoadAngleSettings(int& format, int& decimals);
void LoadGeographicalsSettings(int& format, int& decimals, char& latitudeLetter, char& longitudeLetter);
// Written whole, as the preferences page does; false when the file could not be written (the
// old settings then stay as they were).
bool SaveAngleSettings(int format, int decimals);
bool SaveGeographicalsSettings(int format, int decimals, char latitudeLetter, char longitudeLetter);
// The notation, decimals and default letter saved for a type: latitudes and longitudes from
// "Geographicals Settings" with the letter of their own axis, all other types from "Angle
// Settings" with no letter (0).
void GetAngleDisplaySettings(int type, int& format, int& decimals, char& letter);

// N, S, E or W in either case.
bool IsQuadrantLetter(char c);

// When the digits after the first '.' are followed by a unit mark (the degree sign, '\'', '"'
// or 'g'), moves the mark to where the point stands: "12.5°" becomes "12°.5".
void MoveUnitBeforePoint(CString& text);
