// Settings-file lines that the anchor-cable program reads and writes beyond the common ones of
// CConfigFile: a value line read whole, the "Name" line, and a "[section]" with its lines.
// They work on any open text file, so they serve the anchor file and the feature file lists
// alike.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StdioFile.h"
#include "platform/core/String.h"

// The next line's text after its first '=', less one leading blank, with the CR, LF and comma
// escapes turned back; empty when the line has no '=' or the file has ended.
void ReadValue(CStdioFile& file, CString& text);

// The next line's number after its first '='. A missing line, a line without '=', or one that
// is no finite number ("nan", "inf", an overflowing value) gives 0, so nothing non-finite
// reaches a computation.
double ReadFiniteNumber(CStdioFile& file);

// The next line's integer after its first '=', by the leading-number rule; 0 for a missing
// line, a line without '=' or a value past 32 bits.
int ReadInteger(CStdioFile& file);

// "Name = <text>\n", the text's CR, LF and commas written as their escapes.
void WriteName(CStdioFile& file, const char* text);

// A "[name]" line and the lines after it, up to the end of the file or the next line that
// begins with '[' or holds '='; the file is left at the start of that line, so the next
// reader sees it. When the next line is no section line the file is left where it was and
// false comes back with name and lines untouched. Lines are appended to `lines`.
bool ReadSection(CStdioFile& file, CString& name, CStringArray& lines);
