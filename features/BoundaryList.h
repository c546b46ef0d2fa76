// CBoundaryList: the boundary files a program has loaded, with the edit state of the feature
// lists. The list owns its boundaries: it deletes each one it still holds when it is
// destroyed, whichever deliverable allocated it.
#pragma once

#include "features/Boundary.h"
#include "features/FeatureList.h"
#include "platform/core/Array.h"

class CBoundaryList : public CArray<CBoundary*, CBoundary*>, public CFeatureList
{
public:
    CBoundaryList() = default;
    CBoundaryList(const CBoundaryList&) = delete;
    CBoundaryList& operator=(const CBoundaryList&) = delete;
    ~CBoundaryList() override;

    // Deletes every boundary and empties the list.
    void DeleteAll();

    // The index of the boundary loaded from `path` (letter case ignored); -1 when there is none.
    int FindFile(const char* path) const;

    // Loads the boundary file `path` and appends it, then saves the file list. A file that is
    // missing or holds no point becomes a new boundary of the one point (0, 0), ready to be
    // edited. False, with nothing changed, for an empty path or a path already loaded (letter
    // case ignored): the loaded boundary keeps its points; false too for a file the reader
    // refused (m_strRefusal says why), which is not added.
    bool AddFile(const char* path);

    // Saves the edit indices, then writes the "Boundary" file list with the path of every
    // loaded boundary in list order. True when the file list was written.
    bool SaveFileList();

    // Selects boundary `file` and its point `point` for editing (negative: the current one);
    // an index out of range leaves -1 there.
    void SetEditPoint(int file, int point);
};
