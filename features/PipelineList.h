// CPipelineList: the pipelines a program has loaded, remembered between runs in the file list
// "Pipelines.FLS". The list owns them: it deletes each one it still holds when it is cleared or
// destroyed, whichever deliverable allocated it.
#pragma once

#include "features/FileListPaths.h"
#include "features/Pipeline.h"
#include "platform/core/Array.h"

class CPipelineList : public CArray<CPipeline*, CPipeline*>
{
public:
    CPipelineList() = default;
    CPipelineList(const CPipelineList&) = delete;
    CPipelineList& operator=(const CPipelineList&) = delete;
    // Writes the file list when it is the user's (read in this run, or written since), then
    // clears the list.
    ~CPipelineList() override;

    // Deletes every pipeline and frees the array.
    void ClearList();

    // Clears the list, then loads every pipeline named in "Pipelines.FLS", in order, and writes
    // the file list back. A path that does not load stays in the file list (after the loaded
    // ones) and is named by GetFailedPaths. False when no pipeline loaded or the file list
    // cannot be read; in the last case nothing is written.
    bool LoadFileList();
    // Writes the file path of every pipeline, in list order, then the paths that failed to
    // load, to "Pipelines.FLS" in the settings folder. True when the file was written.
    bool SaveFileList();
    // The paths of "Pipelines.FLS", appended to `paths`; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);

    // The paths that did not load at the last LoadFileList, in file order.
    const CStringArray& GetFailedPaths() const { return m_FileList.GetFailedPaths(); }

private:
    CFileListPaths m_FileList;
};
