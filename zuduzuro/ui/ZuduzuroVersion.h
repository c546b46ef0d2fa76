// The anchor-cable program's version block and the version text shown in its About box and on
// its splash windows.
#pragma once

#include "outside/kadenta/ProgramVersion.h"

extern const PROGRAM_VERSION_BLOCK kZuduzuroVersionBlock;
// The product version's major number, then the build date.
extern const PROGRAM_VERSION_RULE kZuduzuroVersionRule;

// The text of this build.
CString GetZuduzuroVersion();
