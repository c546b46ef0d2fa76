// A cable type's name in its field of a row of the "Cable Weight" settings file. The CSV field
// carries CR, LF and the comma by its own escape words; these functions carry, in words of the
// same form (0xAB, capitals or digits, '>', 0xBB), what the settings file or the field would
// otherwise lose:
//   - '=' anywhere, and '[' first: a settings reader ends the section at such a line;
//   - a blank, a tab or '"' first: the field takes them as its own;
//   - control characters other than CR, LF and tab: a Ctrl-Z or NUL ends the text;
//   - a 0xAB that begins a word of this form, so that what the user typed is never taken for
//     an escape.
// A name holding none of these is written as it always was.
#pragma once

#include "platform/core/String.h"

// The name as the field is to hold it, before the CSV field's own escapes.
CString EscapeCableTypeName(const CString& name);
// The name back from the field's text, after the CSV field's own escapes are turned back.
CString UnescapeCableTypeName(const CString& field);
