#include "features/PipelineList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"

namespace
{
CString FileListName()
{
    CConfigFile file;
    return file.GetSettingsFileName("Pipelines", "FLS");
}
} // namespace

CPipelineList::~CPipelineList()
{
    DeleteAll();
}

void CPipelineList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

bool CPipelineList::SaveFileList() const
{
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CPipeline* pipeline = GetAt(i))
            paths.Add(pipeline->m_FilePath);
    }
    // Readers pass over the section line's text; the list's own name tells a reader of the
    // file what it holds.
    return CFeatureList::WriteFileList(FileListName(), "Pipelines", paths);
}

bool CPipelineList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(FileListName(), paths);
}
