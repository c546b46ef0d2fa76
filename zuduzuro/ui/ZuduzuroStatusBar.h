// CZuduzuroStatusBar: the anchor-cable program's status bar; the frame sets its panes and the
// side view writes the pointer's range, depth and clearance into them.
#pragma once

#include "platform/ui/StatusBar.h"

class CZuduzuroStatusBar : public CStatusBar
{
    DECLARE_DYNAMIC(CZuduzuroStatusBar)
};
