// Finding and making the settings and data folders: "MySettings\<program>\" for each
// program's settings, "MyData\" (and its sub-folders) for survey data, looked for on C:, then
// on the fixed drives D: and E:, and made when missing.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

// Makes every level of a Windows path ("C:\\A\\B\\"); true when at least one level was made or
// already existed. Paths of 3 characters or fewer (a bare drive) and paths without ':' give false.
bool CreateFolderPath(const char* path);

// "C:\\<name>\\" when it exists; else on a fixed D: or E: (made when missing); else made on C:.
bool FindFolderOnDrives(const char* name, CString& path);

// The program's settings folder, ending in '\\': "<MySettings>\\<program>\\".
CString GetSettingsFolder();

// The data folder "MyData" (with `sub` and a '\\' appended when given).
bool GetMyDataFolder(CString& path, const char* sub);

// The data folder named by the first line of "C:\\MyDrives\\MyData.INI" (with `sub`).
bool GetMyDrivesDataFolder(CString& path, const char* sub);

// Adds the full path of every file below `folder` (all sub-folders) whose name ends in "SHP"
// in any letter case; returns the array's count.
INT_PTR FindShapeFiles(const char* folder, CStringArray* paths);
