#include "features/DxfList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"

namespace
{
const char kListName[] = "DXF List";
const char kSection[] = "DXF File";

CString ListFileName()
{
    CConfigFile names;
    return names.GetSettingsFileName(kListName, "INI");
}
} // namespace

CDxfList::~CDxfList()
{
    DeleteAll();
}

void CDxfList::DeleteAll()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete GetNext(pos);
    RemoveAll();
}

CDxf* CDxfList::AddFile(const char* path)
{
    if (!path || GetFileTitleFromPath(path).IsEmpty())
        return nullptr;
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        const CDxf* dxf = GetNext(pos);
        if (dxf && dxf->m_FileName.CompareNoCase(path) == 0)
            return nullptr;
    }
    CDxf* dxf = new CDxf;
    dxf->m_FileName = path;
    AddTail(dxf);
    return dxf;
}

CDxf* CDxfList::GetAtIndex(INT_PTR index) const
{
    const POSITION pos = FindIndex(index);
    return pos ? GetAt(pos) : nullptr;
}

bool CDxfList::SaveFileList() const
{
    CStringArray paths;
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        const CDxf* dxf = GetNext(pos);
        if (dxf && !dxf->m_FileName.IsEmpty())
            paths.Add(dxf->m_FileName);
    }
    return CFeatureList::WriteFileList(ListFileName(), kSection, paths);
}

bool CDxfList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(ListFileName(), paths);
}
