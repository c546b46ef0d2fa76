// Where the anchor-cable program keeps its files: the anchor folder inside the data folder
// that the whole system shares, and the program's settings folder.
#pragma once

#include "foundation/Folders.h"
#include "platform/core/String.h"

// "<data folder>\\Anchors\\", the data folder being the first line of
// "C:\\MyDrives\\MyData.INI" ("C:\\MyDrives\\" is made when missing). False when the file is
// missing, its first line is empty, or the folder cannot be made.
bool GetMyDrivesDataFolder(CString& path);

// The anchor folder: as GetMyDrivesDataFolder, else "Anchors" in the "MyData" folder found on
// C:, D: or E: (made when missing). False, with an empty path, when neither can be had.
bool GetAnchorFolder(CString& path);

// The program's settings folder: "<MySettings>\\<program file title>\\", made when missing.
void GetSettingsFolder(CString& path);
