// CPipelineList: the pipelines a program has loaded. The list owns them: it deletes each one
// it still holds when it is destroyed, whichever deliverable allocated it.
#pragma once

#include "features/Pipeline.h"
#include "platform/core/Array.h"

class CPipelineList : public CArray<CPipeline*, CPipeline*>
{
public:
    CPipelineList() = default;
    CPipelineList(const CPipelineList&) = delete;
    CPipelineList& operator=(const CPipelineList&) = delete;
    ~CPipelineList() override;

    // Deletes every pipeline and empties the list.
    void DeleteAll();

    // Writes the file path of every pipeline, in list order, to "Pipelines.FLS" in the settings
    // folder. True when the file was written.
    bool SaveFileList() const;
    // The paths of "Pipelines.FLS", appended to `paths`; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);
};
