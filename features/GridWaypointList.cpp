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
    DeleteAll();
}

void CGridWaypointList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

bool CGridWaypointList::SaveFileList() const
{
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CGridWaypoint* waypoints = GetAt(i))
            paths.Add(waypoints->m_FilePath);
    }
    return CFeatureList::WriteFileList(FileListName(), kListName, paths);
}

bool CGridWaypointList::LoadFileList(CStringArray& paths)
{
    return CFeatureList::ReadFileList(FileListName(), paths);
}
