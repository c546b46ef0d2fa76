// The Survey library's entry and resources: its string table (the titles of the panes that take
// them from it) joins the host's resource chain while the library is loaded.
#pragma once

#include "foundation/MyDockablePane.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "survey/SurveyApi.h"

// The module name the library's resources are kept under.
#define SURVEY_MODULE "Survey"

#define IDS_SURVEY_LEG_PINNING 1000
#define IDS_SURVEY_GENERAL_SURVEY 1001
#define IDS_SURVEY_REFERENCE_SYSTEMS 1002

// Attach joins the string table to the chain (FALSE when that fails), detach takes it out
// again; thread attach and detach do nothing.
SURVEY_API BOOL SurveyLibraryEntry(DWORD dwReason);

// The library's own string `nID` (empty for an id it does not have), read from its table
// whether or not the table has joined the chain yet: the library's code always finds its own
// resources.
CString LoadSurveyString(UINT nID);
