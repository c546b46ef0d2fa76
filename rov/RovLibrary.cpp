#include "rov/RovLibrary.h"

#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kRovStrings[] = {
    {IDS_ROV_TSS_PANE, "TSS Pipe/Cable Tracker"},
    {IDS_ROV_MRU_PANE, "Motion Reference Unit (Heading Pitch Roll)"},
    {IDS_ROV_BATHY_PANE, "Bathy Data (Depth & Altitude)"},
    // The trailing blank is part of the title the host's layout knows the pane by.
    {IDS_ROV_USBL_PANE, "Ultra Short Baseline "},
    {IDS_ROV_SCANNING_PROFILER_PANE, "Scanning Profiler"},
};
} // namespace

BOOL RovLibraryEntry(DWORD dwReason)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        AfxRegisterStringTable(ROV_MODULE, kRovStrings, sizeof kRovStrings / sizeof kRovStrings[0]);
        return AfxIsStringTableRegistered(ROV_MODULE) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH: AfxUnregisterStringTable(ROV_MODULE); return TRUE;
    default: return TRUE;
    }
}
