// Finding and making the settings and data folders: "MySettings\<program>\" for each
// program's settings, "MyData\" (and its sub-folders) for survey data, looked for on C:, then
// on the fixed drives D: and E:, and made when missing.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

// Makes every level of a Windows path ("C:\\A\\B\\"); true when at least one level was made or
// already existed. Paths of 3 characters or fewer (a bare drive) and paths without ':' give false.
bool CreateFolderPath(const char* path);

// The user's documents folder with a trailing '\\' (just "\\" when the system names none).
CString GetDocumentsFolder();

// "C:\\<name>\\" when it exists; else on a fixed D: or E: (made when missing); else made on C:.
bool FindFolderOnDrives(const char* name, CString& path);

// The program's settings folder, ending in '\\': "<MySettings>\\<program>\\".
CString GetSettingsFolder();

// The folder "X:\\<name>\\" that exists on C:, else on a fixed D: or E:, with `sub` and a '\\'
// appended (and made) when given; else FindFolderOnDrives(name). False, with the path
// emptied, when none can be found or made.
bool GetDataFolder(CString& path, const char* name, const char* sub);

// The folder named by the first line of "C:\\MyDrives\\<name>.INI" (CR, LF and surrounding
// blanks removed, a '\\' added when missing), with `sub` and a '\\' appended when given; made
// when missing. False when the file is missing, its first line is empty, or no level of the
// folder can be made. "C:\\MyDrives\\" itself is made when missing.
bool GetRedirectedFolder(CString& path, const char* name, const char* sub);

// GetDataFolder of "MyData".
bool GetMyDataFolder(CString& path, const char* sub);

// GetRedirectedFolder of "MyData".
bool GetMyDrivesDataFolder(CString& path, const char* sub);

// Where the user's data files are: the folder "C:\\MyDrives\\MyData.INI" names, else "MyData"
// on C:, D: or E: (GetMyDataFolder), with `sub` appended as they do. The folder a file
// dialog for data files starts in.
bool FindMyDataFolder(CString& path, const char* sub);

// "<year>\\", or "<year>\\<English month name>\\", of the current time in UTC.
CString GetYearFolder(bool yearOnly);
// The same of a given UTC time (wYear and wMonth are used).
CString FormatYearFolder(const SYSTEMTIME& utc, bool yearOnly);

// "<root><year folder>Logs\\", made when missing; the root is GetRedirectedFolder("Logs"),
// else GetDataFolder("Logs"). Screen grabs use the year-only form.
CString GetLogFolder(bool yearOnly);

// Adds the full path of every file below `folder` (all sub-folders) whose name ends in "SHP"
// in any letter case; returns the array's count.
INT_PTR FindShapeFiles(const char* folder, CStringArray* paths);
