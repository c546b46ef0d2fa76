#include "features/RouteList.h"

#include "platform/core/FileApi.h"

CRouteList::~CRouteList()
{
    DeleteAll();
}

void CRouteList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

int CRouteList::FindFile(const char* path) const
{
    const CString wanted(path ? path : "");
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CRoute* route = GetAt(i);
        if (route && route->m_FilePath.CompareNoCase(wanted) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CRouteList::AddFile(const char* path)
{
    const CString wanted(path ? path : "");
    // A route without a path could never be saved, and every such route would be "the same".
    if (wanted.IsEmpty() || FindFile(wanted) >= 0)
        return false;

    bool loaded = false;
    CRoute* route = LoadNewFeature(new CRoute, wanted, loaded);
    if (!route)
        return false;
    if (!loaded)
    {
        // Only a file yet to be made starts empty: a route started over a file that is there
        // but gave no point would be saved over the user's file.
        if (GetFileAttributes(wanted) != INVALID_FILE_ATTRIBUTES)
        {
            delete route;
            return false;
        }
        route->Add(RouteDef());
        route->ComputeLegs();
    }
    Add(route);
    SaveFileList();
    return true;
}

bool CRouteList::SaveFileList()
{
    SaveEditIndices();
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CRoute* route = GetAt(i))
            paths.Add(route->m_FilePath);
    }
    return CFeatureList::SaveFileList("Route", paths);
}

void CRouteList::SetEditPoint(int file, int point)
{
    CFeatureList::SetEditPoint(file, point, GetSize(), [this](int f) -> INT_PTR {
        const CRoute* route = GetAt(f);
        return route ? route->GetSize() : 0;
    });
}

bool CRouteList::ExportCoordinateList(const CRoute* route)
{
    return route && route->ExportCoordinateList();
}
