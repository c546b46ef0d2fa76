#include "acoustic/app/AcousticVersion.h"

const PROGRAM_VERSION_BLOCK kAcousticVersionBlock = {
    "Acoustic", "Acoustic.exe", "Velmaro Technology Limited", "Acoustic", {1, 0, 0, 1}, {1, 0, 0, 1}, false};

const PROGRAM_VERSION_RULE kAcousticVersionRule = {false, false, nullptr};

CString GetAcousticVersion()
{
    return GetProgramVersion(&kAcousticVersionBlock, kAcousticVersionRule);
}
