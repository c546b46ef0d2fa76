// The file hooks through which shapelib reaches the system's files: it is handed Windows paths
// ("C:\\MyData\\Cables.shp"), which these hooks map to Linux paths at every open, so that the
// extensions shapelib appends find the files whatever their letter case, as on Windows.
#pragma once

#include <shapefil.h>

// Hooks for SHPOpenLL and DBFOpenLL: shapelib's defaults with Windows-path opening, and without
// shapelib's messages on standard error (the callers report failures by their results).
SAHooks* GetShapeFileHooks();
