// The version text the Geodetic program shows in its About box.
#pragma once

#include "platform/core/String.h"

// "major.year-2000.month.day", with the suffix and a blank after it when one is given.
// `year` is the full year (2026), `month` 1..12.
CString FormatVersionText(int major, int year, int month, int day, const char* suffix = nullptr);

// The text of this build: file version major 1 and the date the program was built.
CString GetVersionText();
