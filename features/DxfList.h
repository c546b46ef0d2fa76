// CDxfList: the DXF drawings a program shows, in the order they were added, for the DXF pane and
// the chart. The list owns its drawings.
#pragma once

#include "features/Dxf.h"
#include "platform/core/List.h"

class CDxfList : public CList<CDxf*, CDxf*>
{
public:
    CDxfList() = default;
    ~CDxfList() override;

    // Deletes every drawing and empties the list.
    void DeleteAll();

    // A new, empty drawing of `path` appended at the tail (loading it is the caller's), or null
    // when the path has no file title or is already in the list (letter case ignored).
    CDxf* AddFile(const char* path);
    // The drawing at a 0-based index; null outside the list.
    CDxf* GetAtIndex(INT_PTR index) const;

    // Writes the "DXF List" file list in the settings folder: a "DXF File" section with the
    // path of every drawing that has one. False when the file cannot be written.
    bool SaveFileList() const;
    // The paths of that file list; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);
};
