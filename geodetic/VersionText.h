// The Geodetic program's version block and the version text its About box shows.
#pragma once

#include "outside/kadenta/ProgramVersion.h"

extern const PROGRAM_VERSION_BLOCK kGeodeticVersionBlock;
// The file version's major number, then the build date; no build suffix on a release.
extern const PROGRAM_VERSION_RULE kGeodeticVersionRule;

// The text of this build.
CString GetVersionText();
