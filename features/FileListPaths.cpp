#include "features/FileListPaths.h"

#include "features/FeatureList.h"

bool CFileListPaths::Load(const char* fileName, const std::function<bool(const CString&)>& load)
{
    CStringArray paths;
    if (!CFeatureList::ReadFileList(fileName, paths))
        return false;
    m_bUsersList = true;
    m_FailedPaths.RemoveAll();
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
    {
        if (!load(paths[i]))
            m_FailedPaths.Add(paths[i]);
    }
    return true;
}

bool CFileListPaths::Save(const char* fileName, const char* section, CStringArray& loaded)
{
    const INT_PTR loadedCount = loaded.GetSize();
    for (INT_PTR f = 0; f < m_FailedPaths.GetSize(); ++f)
    {
        // A failed file that the user has since loaded again is listed once.
        bool listed = false;
        for (INT_PTR i = 0; i < loadedCount && !listed; ++i)
            listed = loaded[i].CompareNoCase(m_FailedPaths[f]) == 0;
        if (!listed)
            loaded.Add(m_FailedPaths[f]);
    }
    m_bUsersList = true;
    return CFeatureList::WriteFileList(fileName, section, loaded);
}
