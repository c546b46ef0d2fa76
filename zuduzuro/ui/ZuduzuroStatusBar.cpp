#include "zuduzuro/ui/ZuduzuroStatusBar.h"

IMPLEMENT_DYNAMIC(CZuduzuroStatusBar, CStatusBar)
