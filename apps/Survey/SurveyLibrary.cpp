// The Survey library's load and unload: its resources join the host's chain while it is loaded.
#include "survey/SurveyLibrary.h"

namespace
{
__attribute__((constructor)) void SurveyLoad()
{
    SurveyLibraryEntry(DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void SurveyUnload()
{
    SurveyLibraryEntry(DLL_PROCESS_DETACH);
}
} // namespace
