// The chart library's entry and resources: its string table and its one bitmap, the anchor
// strip, join the host's resource chain while the library is loaded.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/core/WinTypes.h"

// The module name the chart's resources are kept under.
#define CHARTEXA_MODULE "Chartexa"
// The anchor strip: 16 × 16 cells side by side, the pictures in the top row and their masks
// (black where the picture shows) in the row below; cells 0..2 the anchor of status 1..3,
// cell 3 spare, cell 4 a cable's touchdown point.
#define IDB_ANCHOR_STRIP 3071

// Joins the library's string table and bitmaps to the chain (again, after a detach); a view
// made where the library is linked into the program calls it too.
CHARTEXA_API void JoinChartexaResources();

#ifndef DLL_PROCESS_DETACH
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#endif
// Attach joins the resources (FALSE when that fails), detach takes them out again; thread
// attach and detach do nothing.
CHARTEXA_API BOOL ChartexaLibraryEntry(DWORD dwReason);
