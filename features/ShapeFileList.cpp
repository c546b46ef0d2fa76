#include "features/ShapeFileList.h"

#include "features/FeatureList.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"

CShapeFileList::~CShapeFileList()
{
    DeleteAll();
}

void CShapeFileList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

int CShapeFileList::FindShape(const char* path) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CShape* shape = GetAt(i);
        if (shape && ChangeFileExtension("shp", shape->m_FilePath).CompareNoCase(path ? path : "") == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CShapeFileList::SaveFileList() const
{
    if (m_ListName.IsEmpty())
        return false;
    CConfigFile file;
    CStringArray names;
    names.Copy(m_FileNames);
    return CFeatureList::WriteFileList(file.GetSettingsFileName(m_ListName, "FLS"), m_ListName, names);
}

bool CShapeFileList::LoadFileList()
{
    if (m_ListName.IsEmpty())
        return false;
    CConfigFile file;
    CStringArray names;
    if (!CFeatureList::ReadFileList(file.GetSettingsFileName(m_ListName, "FLS"), names))
        return false;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_FileNames.Add(names[i]);
    return true;
}
