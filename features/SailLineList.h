// CSailLineList: the sail-line files a program has loaded, with the edit state of the feature
// lists; the edit sub-index holds the end of the line being edited (start or end of line).
// The list owns its files: it deletes each one it still holds when it is destroyed, whichever
// deliverable allocated it.
#pragma once

#include "features/FeatureList.h"
#include "features/SailLine.h"
#include "platform/core/Array.h"

class CSailLineList : public CArray<CSailLine*, CSailLine*>, public CFeatureList
{
public:
    CSailLineList() = default;
    CSailLineList(const CSailLineList&) = delete;
    CSailLineList& operator=(const CSailLineList&) = delete;
    ~CSailLineList() override;

    // Deletes every file and empties the list.
    void DeleteAll();

    // The index of the file loaded from `path` (letter case ignored); -1 when there is none.
    int FindFile(const char* path) const;

    // Loads the sail-line file `path` and appends it, then saves the file list. A file that is
    // missing or holds no sail line is started as a new one with one empty (all-zero) line.
    // False, with nothing changed, for an empty path or a path already loaded (letter case
    // ignored), and for a file the reader refused (m_strRefusal says why).
    bool AddFile(const char* path);

    // Saves the edit indices, then writes the "SailLine" file list with the path of every
    // loaded file in list order. True when the file list was written.
    bool SaveFileList();

    // Selects file `file` and its sail line `line` for editing; a negative index means the
    // current one. The rest of the edit state is reset; the end being edited is kept when both
    // indices are valid. An index out of range leaves -1 there.
    void SetEditPoint(int file, int line);

    // The sail line `line` of file `file`, or null when either index is out of range.
    const SailLineDef* GetSailLine(int file, int line) const;
};
