// The anchor-cable program's version text, shown in its About box and on its splash windows.
#pragma once

#include "platform/core/String.h"

// "major.(year - 2000).month.day" from a build date in the compiler's form "Oct 15 2021" (the
// month is the first of "Jan" .. "Dec" found in it). A date that cannot be read gives 0.0.0.
CString FormatZuduzuroVersion(int productMajor, const char* buildDate);

// The text of this build: the product's major version (0 when the build has none) and the
// date it was built (the reproducible build date when one was set).
CString GetZuduzuroVersion();
