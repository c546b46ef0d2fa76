// The Cut, Copy and Paste pop-up menu of the suite's edit controls.
#pragma once

#include "platform/ui/Wnd.h"

// Shows the menu at a point of the edit's client area and waits for the choice; Cut and
// Paste are greyed when `locked` (read-only). The id chosen, 0 when the menu was dismissed.
UINT TrackEditMenu(CWnd& edit, CPoint point, bool locked, UINT idCut, UINT idCopy, UINT idPaste);
