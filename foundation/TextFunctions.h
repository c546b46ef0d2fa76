// Small text helpers: fixed-width number text for edit controls and listings, number-text
// tidying, line and field helpers and character tests.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstddef>

// `value` as text of `width` characters with `decimals` places (negative: 2), a '+' on
// positive values when `plusSign`, zero-padded when `zeroPad` ("%+0*.*lf" built up). The value
// is first clamped into what fits the width: at most all 9s with the point in its place (one
// place fewer when a '+' is shown), at least the negative of that with its '-', or 0 when
// fewer than 3 places are left before the decimals. Width 0 gives empty text.
CString FormatFixed(double value, int width, int decimals = -1, bool plusSign = false, bool zeroPad = false);

// `value` as integer text of `width` characters (width >= 1), a '+' on positive values when
// `plusSign`, zero-padded when `zeroPad`. The value is first clamped to what fits: at most
// `width` 9s (one fewer with the plus sign), at least the negative of `width` − 1 9s. Widths
// past the 32-bit range clamp nothing. The text also goes to `text`, which is returned.
CString FormatFixedInt(CString& text, int value, int width, bool plusSign = false, bool zeroPad = false);

// Number text without trailing zeros and blanks after its decimal point, and without the point
// when nothing follows it ("1.500" → "1.5", "2.000" → "2"). Text without a point, or in
// exponent form, is returned as it is.
CString TrimTrailingZeros(const char* number);

// Removes trailing CR and LF characters, in place.
void StripCrLf(CString& text);

// Line feeds in the text, plus one when it does not end with a line feed; 0 for empty text.
int CountLines(const char* text);

// Field `index` (1-based) of `line` split at `separator` into `field`. With `collapse`, a run
// of separators counts as one and separators before the first field are skipped (blank- or
// tab-aligned columns). False, with `field` emptied, when the line has fewer fields.
bool GetDelimitedField(const char* line, int index, CString& field, char separator = ',',
                       bool collapse = false);

// '0' to '9'.
bool IsDigit(char c);
// A digit, '.', '+' or '-'.
bool IsNumericChar(char c);
// True when the text trimmed of blanks is not empty and made only of numeric characters (so
// "1.2.3" and "+-" pass: this screens typed characters, it does not validate a number).
bool IsNumericText(const char* text);

// True when an entry of `entries` equals `text` ignoring case.
bool IsInStringArray(const char* text, const CStringArray& entries);

// atof in the "C" locale: stored files always use a decimal point, whatever the user's locale
// (the Qt application object adopts the environment's locale for the C library).
double AtofC(const char* text);

// realloc, or a fresh allocation when `buffer` is null. Null when memory runs out (the old
// buffer is then still valid and still the caller's to free).
void* ReallocBuffer(void* buffer, size_t bytes);
