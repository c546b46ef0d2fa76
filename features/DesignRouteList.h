// CDesignRouteList: the design route files a program has loaded, with the edit state of the
// feature lists. The list owns its design routes: it deletes each one it still holds when it
// is destroyed, whichever deliverable allocated it.
#pragma once

#include "features/DesignRoute.h"
#include "features/FeatureList.h"
#include "platform/core/Array.h"

class CDesignRouteList : public CArray<CDesignRoute*, CDesignRoute*>, public CFeatureList
{
public:
    CDesignRouteList() = default;
    CDesignRouteList(const CDesignRouteList&) = delete;
    CDesignRouteList& operator=(const CDesignRouteList&) = delete;
    ~CDesignRouteList() override;

    // Deletes every design route and empties the list.
    void DeleteAll();

    // The index of the design route loaded from `path` (letter case ignored); -1 when there is
    // none.
    int FindFile(const char* path) const;

    // Loads the design route file `path` and appends it, then saves the file list. False, with
    // nothing changed, for an empty path, a path already loaded (letter case ignored) or a file
    // that cannot be read; m_strRefusal then says why a file holding a value no survey grid can
    // hold was refused.
    bool AddFile(const char* path);

    // Saves the edit indices, then writes the "Design Route" file list with the path of every
    // loaded design route in list order. True when the file list was written.
    bool SaveFileList();

    // Selects design route `file` and its intersection point `point` for editing (negative: the
    // current one); an index out of range leaves -1 there.
    void SetEditPoint(int file, int point);
};
