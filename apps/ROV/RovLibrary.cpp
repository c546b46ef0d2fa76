// The ROV library's load and unload: its resources join the host's chain while it is loaded.
#include "rov/RovLibrary.h"

namespace
{
__attribute__((constructor)) void RovLoad()
{
    RovLibraryEntry(DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void RovUnload()
{
    RovLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
