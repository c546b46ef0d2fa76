// CRouteList: the route files a program has loaded, with the edit state of the feature lists.
// The list owns its routes: it deletes each one it still holds when it is destroyed, whichever
// deliverable allocated it.
#pragma once

#include "features/FeatureList.h"
#include "features/Route.h"
#include "platform/core/Array.h"

class CRouteList : public CArray<CRoute*, CRoute*>, public CFeatureList
{
public:
    CRouteList() = default;
    CRouteList(const CRouteList&) = delete;
    CRouteList& operator=(const CRouteList&) = delete;
    ~CRouteList() override;

    // Deletes every route and empties the list.
    void DeleteAll();

    // The index of the route loaded from `path` (letter case ignored); -1 when there is none.
    int FindFile(const char* path) const;

    // Loads the route file `path` and appends it, then saves the file list. A file that does not
    // exist yet becomes a new route of one point at (0, 0) with an empty name. False, with
    // nothing changed, for an empty path, a path already loaded (letter case ignored; the loaded
    // route keeps its points), a file that exists but gives no point, or a file the reader
    // refused (m_strRefusal says why).
    bool AddFile(const char* path);

    // Saves the edit indices, then writes the "Route" file list with the path of every loaded
    // route in list order. True when the file list was written.
    bool SaveFileList();

    // Selects route `file` and its point `point` for editing (negative: the current one); an
    // index out of range leaves -1 there.
    void SetEditPoint(int file, int point);

    // The coordinate listing of `route` (CRoute::ExportCoordinateList); false for none.
    static bool ExportCoordinateList(const CRoute* route);
};
