#include "zuduzuro/AnchorFolders.h"

bool GetMyDrivesDataFolder(CString& path)
{
    return GetMyDrivesDataFolder(path, "Anchors");
}

bool GetAnchorFolder(CString& path)
{
    if (GetMyDrivesDataFolder(path))
        return true;
    return GetMyDataFolder(path, "Anchors");
}

void GetSettingsFolder(CString& path)
{
    path = GetSettingsFolder();
}
