#include "features/PipelineList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"

namespace
{
const char kPipelineListName[] = "Pipelines";

CString FileListName()
{
    CConfigFile file;
    return file.GetSettingsFileName(kPipelineListName, "FLS");
}
} // namespace

CPipelineList::~CPipelineList()
{
    if (m_FileList.IsUsersList())
        SaveFileList();
    ClearList();
}

void CPipelineList::ClearList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

bool CPipelineList::LoadFileList()
{
    ClearList();
    if (!m_FileList.LoadElements<CPipeline>(FileListName(), *this))
        return false;
    SaveFileList();
    return GetSize() > 0;
}

bool CPipelineList::SaveFileList()
{
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CPipeline* pipeline = GetAt(i))
            paths.Add(pipeline->m_FilePath);
    }
    return m_FileList.Save(FileListName(), kPipelineListName, paths);
}

bool CPipelineList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(FileListName(), paths);
}
