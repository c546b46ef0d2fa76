#include "geodetic/VersionText.h"

const PROGRAM_VERSION_BLOCK kGeodeticVersionBlock = {
    "Geodetic", "Geodetic.exe", "Velmaro Technology Limited", "Geodetic", {1, 0, 0, 0}, {1, 0, 0, 0}, false};

const PROGRAM_VERSION_RULE kGeodeticVersionRule = {false, false, ""};

CString GetVersionText()
{
    return GetProgramVersion(&kGeodeticVersionBlock, kGeodeticVersionRule);
}
