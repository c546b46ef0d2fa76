// CGridWaypointList: the grid-waypoint files a program has loaded, with the edit state of the
// feature lists. The list owns its files: it deletes each one it still holds when it is
// destroyed, whichever deliverable allocated it.
#pragma once

#include "features/FeatureList.h"
#include "features/GridWaypoint.h"
#include "platform/core/Array.h"

class CGridWaypointList : public CArray<CGridWaypoint*, CGridWaypoint*>, public CFeatureList
{
public:
    CGridWaypointList() = default;
    CGridWaypointList(const CGridWaypointList&) = delete;
    CGridWaypointList& operator=(const CGridWaypointList&) = delete;
    ~CGridWaypointList() override;

    // Deletes every file and empties the list.
    void DeleteAll();

    // Writes the file path of every file, in list order, to "GRID_Waypoints.FLS" in the
    // settings folder, under the section "[GRID Waypoints]". True when the file was written.
    bool SaveFileList() const;
    // The paths of that file, appended to `paths`; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);
};
