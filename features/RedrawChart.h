// Telling the chart windows that a feature changed: after every change the panes post the
// chart and the vector display a redraw, optionally with a point to move the display to.
#pragma once

#include "foundation/XYArray.h"

class CCmdTarget;

// Posts UM_REDRAW_CHART, then UM_REDRAW_VECTOR_DISPLAY, both (0, 0), to `target` or, when it is
// null, to the application's main window. Does not wait; nothing is posted when there is no
// window to post to.
void RedrawChart(CCmdTarget* target);

// Stores `position` (easting, northing, grid units) in the module's one chart point and posts
// the same two messages with wParam = that point's address and lParam 0. The receiver reads
// the point when the message arrives, so a second call before then shows it the newer point.
void MoveChartToPoint(CCmdTarget* target, tagXY position);

// The module's chart point that MoveChartToPoint posts the address of.
const tagXY* GetChartPoint();
