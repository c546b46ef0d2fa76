// Splitting Windows file paths into folder, title and extension.
#pragma once

#include "platform/core/String.h"

// Double quotes removed; folder up to and including the last '\\' (empty when there is none or
// it is the first character); title and extension split at the last '.' of the rest.
void SplitFilePath(const char* path, CString& folder, CString& title, CString& extension);

// Up to and including the last '\\'; empty when it is missing or first.
CString GetFilePathFolder(const char* path);

// Double quotes removed; after the last '\\' (when past the first character), cut before the
// last '.', trimmed of blanks.
CString GetFileTitleFromPath(const char* path);

// "<path without its extension>.<extension>".
CString ChangeFileExtension(const char* extension, const char* path);
