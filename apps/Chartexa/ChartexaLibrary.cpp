// The Chartexa library's load and unload: its resources join the host's chain while it is loaded.
#include "chart/ChartexaLibrary.h"

namespace
{
__attribute__((constructor)) void ChartexaLoad()
{
    ChartexaLibraryEntry(DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void ChartexaUnload()
{
    ChartexaLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
