// The Tolvar library's load and unload: its resources join the host's chain while it is loaded.
#include "foundation/MyDockablePane.h"

namespace
{
__attribute__((constructor)) void TolvarLoad()
{
    TolvarLibraryEntry(DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void TolvarUnload()
{
    TolvarLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
