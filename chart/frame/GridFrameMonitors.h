// Where the navigation window sits among the display monitors: monitor 0 is the primary,
// the others are numbered 1, 2, ... in the order the system enumerates them.
#pragma once

#include "platform/ui/Wnd.h"

// The number of the monitor nearest the window; 0 also when its monitor is not found.
int MonitorOfWindow(const CWnd* wnd);
// The work area (`work`) or full rectangle of monitor `number`; false when there is none.
bool GetMonitorRect(int number, CRect& rect, bool work);
// `window` shifted from one work area to the other by the shift of their corners, cut to the
// destination's size and pushed inside it.
CRect PlaceOnWorkArea(CRect window, const CRect& fromWork, const CRect& toWork);
// Moves the window from monitor `from` to monitor `to` and repaints it; nothing with fewer
// than two monitors, a number beyond them, or the same number twice.
void MoveToMonitor(CWnd* wnd, int from, int to);
// The window covers the whole of its monitor.
void FillMonitor(CWnd* wnd);
