// The ROV library's entry and resources: its string table (the titles of the panes whose
// Create takes no name) joins the host's resource chain while the library is loaded.
#pragma once

#include "foundation/MyDockablePane.h"
#include "rov/RovApi.h"
#include "platform/core/WinTypes.h"

// The module name the library's resources are kept under.
#define ROV_MODULE "ROV"

#define IDS_ROV_TSS_PANE 10000
#define IDS_ROV_MRU_PANE 10001
#define IDS_ROV_BATHY_PANE 10002
#define IDS_ROV_USBL_PANE 10003
#define IDS_ROV_SCANNING_PROFILER_PANE 10004

// Attach joins the string table to the chain (FALSE when that fails), detach takes it out
// again; thread attach and detach do nothing.
ROV_API BOOL RovLibraryEntry(DWORD dwReason);
