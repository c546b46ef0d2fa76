#include "features/DigList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"

namespace
{
const char kListName[] = "Dig List";
const char kSection[] = "Dig File";

CString ListFileName()
{
    CConfigFile names;
    return names.GetSettingsFileName(kListName, "INI");
}
} // namespace

CDigList::~CDigList()
{
    DeleteAll();
}

void CDigList::DeleteAll()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete GetNext(pos);
    RemoveAll();
}

CDig* CDigList::AddFile(const char* path)
{
    if (!path || !*path)
        return nullptr;
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        const CDig* dig = GetNext(pos);
        if (dig && dig->m_FileName.CompareNoCase(path) == 0)
            return nullptr;
    }
    CDig* dig = new CDig;
    dig->m_FileName = path;
    AddTail(dig);
    return dig;
}

CDig* CDigList::GetAtIndex(INT_PTR index) const
{
    const POSITION pos = FindIndex(index);
    return pos ? GetAt(pos) : nullptr;
}

bool CDigList::SaveFileList() const
{
    CStringArray paths;
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        const CDig* dig = GetNext(pos);
        if (dig && !dig->m_FileName.IsEmpty())
            paths.Add(dig->m_FileName);
    }
    return CFeatureList::WriteFileList(ListFileName(), kSection, paths);
}

bool CDigList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(ListFileName(), paths);
}
