// The standard mouse cursors and the call that shows one: the cursor takes effect on the
// window that has the mouse captured, else on the window under the pointer.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WndMessages.h"

// Standard cursor names for LoadCursor with no instance, as integer resources.
#define IDC_ARROW reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512))
#define IDC_CROSS reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32515))
#define IDC_HAND reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32649))

// The standard cursor of that name (the same handle every time); null for any other name or
// when an instance is given (the suite has no cursor resources of its own).
PLATFORM_API HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
// Shows `cursor` and returns the one shown before (null at first). Null hides nothing and
// leaves the window's own cursor.
PLATFORM_API HCURSOR SetCursor(HCURSOR cursor);
// The cursor last set.
PLATFORM_API HCURSOR GetCursor();
