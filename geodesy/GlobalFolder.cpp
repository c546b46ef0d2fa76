#include "geodesy/GlobalFolder.h"

#include "foundation/Folders.h"

bool GetGlobalDataFolder(CString& folder)
{
    if (GetMyDrivesDataFolder(folder, "Global"))
        return true;
    if (GetMyDataFolder(folder, "Global"))
        return true;
    folder.Empty();
    return false;
}
