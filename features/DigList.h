// CDigList: the digitised drawings a program shows, in the order they were added, for the
// digitised-data pane and the chart. The list owns its drawings.
#pragma once

#include "features/Dig.h"
#include "platform/core/List.h"

class CDigList : public CList<CDig*, CDig*>
{
public:
    CDigList() = default;
    ~CDigList() override;

    // Deletes every drawing and empties the list.
    void DeleteAll();

    // A new, empty drawing of `path` appended at the tail (loading it is the caller's), or null
    // for an empty path or a path already in the list (letter case ignored).
    CDig* AddFile(const char* path);
    // The drawing at a 0-based index; null outside the list.
    CDig* GetAtIndex(INT_PTR index) const;

    // Writes the "Dig List" file list in the settings folder: a "Dig File" section with the
    // path of every drawing that has one. False when the file cannot be written.
    bool SaveFileList() const;
    // The paths of that file list; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);
};
