// TideLoadProblem: one thing that stopped or limited the reading of a tide data file.
#pragma once

#include "platform/core/String.h"

#include <vector>

struct TideLoadProblem
{
    CString strFile;  // the file's name, without its folder ("TAF24.DAT")
    int nRecord = 0;  // 1-based record number, or line number of a settings file; 0 for the whole file
    CString strReason;
    bool bLine = false; // nRecord counts lines

    // "TAF24.DAT record 200: 40 of 64 bytes", "NP159.INI line 3: the line has no '='",
    // "5058.CTC: the header has 20 of 36 bytes"
    CString Format() const;
};

// Appends a problem of the file at `path` (a Windows path; only its name is kept).
void AddTideLoadProblem(std::vector<TideLoadProblem>& problems, const CString& path, int number,
                        const CString& reason, bool line = false);
