// What the feature panes' property grids share beyond the suite's grid look (foundation/
// GridLook.h): recolouring the samples of a group.
#pragma once

#include "foundation/GridLook.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"

// The sample items of the group (fill style, line thickness) are drawn in `colour` from now on,
// without rebuilding the grid.
void RecolourSamples(CMFCPropertyGridProperty* pGroup, COLORREF colour);
