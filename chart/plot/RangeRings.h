// The range-ring compass round a tracked object drawn as a target: rings at a fixed spacing,
// diameters every 45 degrees, a graduated outer ring, compass and ring labels and a zone
// sector, by the object's target-plot options.
#pragma once

#include "chart/plot/GridPlot.h"
#include "features/TargetPlot.h"
#include "platform/core/String.h"

// Draws the compass about the screen point (x, y). `angle` (degrees) is the display angle:
// a grid bearing b is drawn at (b - angle) clockwise from the top of the screen. Nothing
// unless rings are on, there is at least one and the box shape is off.
void DrawRangeRings(CGridPlot* plot, int x, int y, double angle, const TargetPlotOptionsDef& options,
                    double pixelsPerMetre);

// The ring labels by ring number (1-based), empty for a ring left unlabelled: every ring when
// there are fewer than five, else the even ones; "%.4lf" of the distance with trailing zeros
// and point removed, then "Nm" or "m".
void RangeRingLabels(const TargetPlotOptionsDef& options, CStringArray& labels);
