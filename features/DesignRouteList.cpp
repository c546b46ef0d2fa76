#include "features/DesignRouteList.h"

#include <memory>

CDesignRouteList::~CDesignRouteList()
{
    DeleteAll();
}

void CDesignRouteList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

int CDesignRouteList::FindFile(const char* path) const
{
    const CString wanted(path ? path : "");
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CDesignRoute* route = GetAt(i);
        if (route && route->m_FilePath.CompareNoCase(wanted) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CDesignRouteList::AddFile(const char* path)
{
    const CString wanted(path ? path : "");
    if (wanted.IsEmpty() || FindFile(wanted) >= 0)
        return false;
    bool loaded = false;
    std::unique_ptr<CDesignRoute> route(LoadNewFeature(new CDesignRoute, wanted, loaded));
    if (!route || !loaded)
        return false;
    Add(route.release());
    SaveFileList();
    return true;
}

bool CDesignRouteList::SaveFileList()
{
    SaveEditIndices();
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CDesignRoute* route = GetAt(i))
            paths.Add(route->m_FilePath);
    }
    return CFeatureList::SaveFileList("Design Route", paths);
}

void CDesignRouteList::SetEditPoint(int file, int point)
{
    CFeatureList::SetEditPoint(file, point, GetSize(), [this](int f) -> INT_PTR {
        const CDesignRoute* route = GetAt(f);
        return route ? route->GetSize() : 0;
    });
}
