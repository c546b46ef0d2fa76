// What every pane's property grid shares, whatever the pane derives from: the font the grid is
// drawn in and the grey colour scheme it starts each rebuild with.
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/Font.h"

// (Re)makes `font` as the regular GUI font with the height, weight and slant of the system's
// menu font, so the grid follows the user's settings.
void CreatePropListFont(CFont& font);
// No header ("Property", "Value"), flat look, a description area, and the grey scheme by day
// or by night as the grid's night flag says, recorded as scheme 1; repainted without erasing.
void ApplyGreyGridScheme(CMyMFCPropertyGridCtrl& grid);
// The sample items of the group (fill style, line thickness) are drawn in `colour` from now on,
// without rebuilding the grid.
void RecolourSamples(CMFCPropertyGridProperty* pGroup, COLORREF colour);
