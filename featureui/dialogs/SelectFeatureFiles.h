// Choosing the feature files to add to a pane: an open-file dialog that takes several files.
#pragma once

#include "featureui/TolvarApi.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

class CWnd;

// Asks for files of the kind `kind` (title "<kind> Files ....") with `lpszFilter`, or CSV, text,
// data and all files when it is null. The chosen paths, trimmed, blank ones left out, replace
// `pNames`. False when cancelled, and when no name came back (after the warning "Requires a
// file name").
TOLVAR_API bool SelectFeatureFiles(CWnd* pOwner, CString kind, CStringArray* pNames, const char* lpszFilter);
