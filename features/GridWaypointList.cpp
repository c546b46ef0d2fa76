#include "features/GridWaypointList.h"

#include "foundation/ConfigFile.h"

namespace
{
const char kListName[] = "GRID Waypoints";

CString FileListName()
{
    CConfigFile file;
    return file.GetSettingsFileName(kListName, "FLS");
}
} // namespace

CGridWaypointList::~CGridWaypointList()
{
    if (m_FileList.IsUsersList())
        SaveFileList();
    ClearList();
}

void CGridWaypointList::ClearList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

bool CGridWaypointList::LoadFileList()
{
    ClearList();
    if (!m_FileList.LoadElements<CGridWaypoint>(FileListName(), *this))
        return false;
    SaveFileList();
    return GetSize() > 0;
}

bool CGridWaypointList::SaveFileList()
{
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CGridWaypoint* waypoints = GetAt(i))
            paths.Add(waypoints->m_FilePath);
    }
    return m_FileList.Save(FileListName(), kListName, paths);
}

bool CGridWaypointList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(FileListName(), paths);
}
