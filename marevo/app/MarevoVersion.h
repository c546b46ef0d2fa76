// The Marevo program's version block and the version text its About box shows.
#pragma once

#include "outside/kadenta/ProgramVersion.h"

extern const PROGRAM_VERSION_BLOCK kMarevoVersionBlock;
// The file version's major number, then the build date.
extern const PROGRAM_VERSION_RULE kMarevoVersionRule;

// The text of this build.
CString GetMarevoVersion();
