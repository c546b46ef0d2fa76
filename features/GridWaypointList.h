// CGridWaypointList: the grid-waypoint files a program has loaded (the anchor-cable program's
// obstructions), with the edit state of the feature lists, remembered between runs in the file
// list "GRID_Waypoints.FLS". The list owns its files: it deletes each one it still holds when it
// is cleared or destroyed, whichever deliverable allocated it.
#pragma once

#include "features/FeatureList.h"
#include "features/FileListPaths.h"
#include "features/GridWaypoint.h"
#include "platform/core/Array.h"

class CGridWaypointList : public CArray<CGridWaypoint*, CGridWaypoint*>, public CFeatureList
{
public:
    CGridWaypointList() = default;
    CGridWaypointList(const CGridWaypointList&) = delete;
    CGridWaypointList& operator=(const CGridWaypointList&) = delete;
    // Writes the file list when it is the user's (read in this run, or written since), then
    // clears the list.
    ~CGridWaypointList() override;

    // Deletes every file and frees the array.
    void ClearList();

    // Clears the list, then loads every file named in "GRID_Waypoints.FLS", in order, and
    // writes the file list back. A path that does not load stays in the file list (after the
    // loaded ones) and is named by GetFailedPaths. False when no file loaded or the file list
    // cannot be read; in the last case nothing is written.
    bool LoadFileList();
    // Writes the file path of every file, in list order, then the paths that failed to load,
    // to "GRID_Waypoints.FLS" in the settings folder, under the section "[GRID Waypoints]".
    // True when the file was written.
    bool SaveFileList();
    // The paths of that file, appended to `paths`; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);

    // The paths that did not load at the last LoadFileList, in file order.
    const CStringArray& GetFailedPaths() const { return m_FileList.GetFailedPaths(); }

private:
    CFileListPaths m_FileList;
};
