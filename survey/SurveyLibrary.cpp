#include "survey/SurveyLibrary.h"

#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kSurveyStrings[] = {
    {IDS_SURVEY_LEG_PINNING, "Leg Pinning"},
    {IDS_SURVEY_GENERAL_SURVEY, "General Survey"},
    {IDS_SURVEY_REFERENCE_SYSTEMS, "Reference Systems"},
};
} // namespace

BOOL SurveyLibraryEntry(DWORD dwReason)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        AfxRegisterStringTable(SURVEY_MODULE, kSurveyStrings, sizeof kSurveyStrings / sizeof kSurveyStrings[0]);
        return AfxIsStringTableRegistered(SURVEY_MODULE) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH: AfxUnregisterStringTable(SURVEY_MODULE); return TRUE;
    default: return TRUE;
    }
}

CString LoadSurveyString(UINT nID)
{
    for (const STRINGTABLE_ENTRY& entry : kSurveyStrings)
        if (entry.id == nID)
            return CString(entry.text);
    return CString();
}
