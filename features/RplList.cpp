#include "features/RplList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"

namespace
{
CString RplFileListName()
{
    CConfigFile file;
    return file.GetSettingsFileName("RPLs", "FLS");
}
} // namespace

CRPLList::~CRPLList()
{
    DeleteAll();
}

void CRPLList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

bool CRPLList::SaveFileList() const
{
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CRPL* rpl = GetAt(i))
            paths.Add(rpl->m_FilePath);
    }
    // Readers pass over the section line's text; the list's own name tells a reader of the
    // file what it holds.
    return CFeatureList::WriteFileList(RplFileListName(), "RPLs", paths);
}

bool CRPLList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(RplFileListName(), paths);
}
