// CFileList: full file paths, and the folder of the last one added.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

class CFileList : public CStringArray
{
public:
    // The index of an entry equal to `path` (exact compare); otherwise appends it, takes its
    // folder as the list's folder, and returns the new index.
    INT_PTR Add(const char* path);
    // The entry's folder without the trailing '\\' (the whole entry when it has none, or only
    // a leading one); a bad index raises the invalid-argument exception.
    CString GetFolder(INT_PTR index) const;
    // The entry's text after its last '\\'.
    CString GetFileName(INT_PTR index) const;

    CString m_Folder;
};
