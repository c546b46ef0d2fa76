#include "zuduzuro/ui/ZuduzuroVersion.h"

#ifndef ZUDUZURO_PRODUCT_MAJOR
#define ZUDUZURO_PRODUCT_MAJOR 0
#endif

const PROGRAM_VERSION_BLOCK kZuduzuroVersionBlock = {"Zuduzuro",
                                                     "Zuduzuro.exe",
                                                     "Velmaro Technology Limited",
                                                     "Zuduzuro",
                                                     {ZUDUZURO_PRODUCT_MAJOR, 0, 0, 0},
                                                     {ZUDUZURO_PRODUCT_MAJOR, 0, 0, 0},
                                                     false};

const PROGRAM_VERSION_RULE kZuduzuroVersionRule = {true, false, nullptr};

CString GetZuduzuroVersion()
{
    return GetProgramVersion(&kZuduzuroVersionBlock, kZuduzuroVersionRule);
}
