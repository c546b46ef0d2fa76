// Pictures read from files as bitmaps (LoadImage), and the metric name of a fixed window
// frame that picture controls inset their picture by.
#pragma once

#include "platform/ui/Static.h"
#include "platform/ui/WndMessages.h"

// LoadImage's load flags.
#define LR_DEFAULTCOLOR 0x0000u
#define LR_LOADFROMFILE 0x0010u
#define LR_DEFAULTSIZE 0x0040u

// The frame of a window that cannot be sized: the dialog frame's metric under its newer name.
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME

// A bitmap (IMAGE_BITMAP) read from the bitmap file at the Windows path `name`
// (LR_LOADFROMFILE), at its own size; delete it with DeleteObject. Null for another type or
// without LR_LOADFROMFILE, and for a file that does not read whole as a bitmap (missing, of
// another format, truncated). The header is read first: a picture wider than `cx` or taller
// than `cy` (when given, above 0), or too large for any bitmap, is refused before its pixels
// are allocated, so a damaged header cannot take the memory.
PLATFORM_API HANDLE LoadImage(HINSTANCE hInst, LPCTSTR name, UINT type, int cx, int cy, UINT fuLoad);
