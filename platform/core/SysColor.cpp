#include "platform/core/SysColor.h"

COLORREF GetSysColor(int index)
{
    // Fixed rather than taken from the desktop theme: stored colours and printouts must not
    // depend on the machine the program runs on.
    static const COLORREF colours[] = {
        RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
        RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
        RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225)};
    if (index < 0 || index >= static_cast<int>(sizeof colours / sizeof colours[0]))
        return 0;
    return colours[index];
}
