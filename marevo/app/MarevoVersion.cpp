#include "marevo/app/MarevoVersion.h"

const PROGRAM_VERSION_BLOCK kMarevoVersionBlock = {
    "Marevo", "Marevo.exe", "Quorvel Limited", "Marevo", {1, 0, 0, 1}, {1, 0, 0, 1}, false};

const PROGRAM_VERSION_RULE kMarevoVersionRule = {false, false, nullptr};

CString GetMarevoVersion()
{
    return GetProgramVersion(&kMarevoVersionBlock, kMarevoVersionRule);
}
