// Windows paths inside the system, Linux paths on disk.
//
// Drives: C: is the folder $SUITE_DRIVE_C, else the user's home folder; D: and E: exist only
// while $SUITE_DRIVE_D / $SUITE_DRIVE_E name a folder; Z: is the file-system root, so every
// Linux file has a Windows path ("/data/a.csv" is "Z:\data\a.csv"). The variables are read at
// every call, so a test can point the drives at temporary folders.
//
// Mapping a Windows path: '\' and '/' both separate; "." and ".." are resolved by name, never
// above the drive's root; a path beginning with a separator is taken from the file-system
// root (as Z:); a relative path is relative to the current directory. Each existing component
// is then looked up on disk: when the name as written is missing but exactly one entry of the
// folder matches it without regard to letter case, that entry is used. From the first
// component that does not exist (or is ambiguous) on, the rest is kept as written, so new
// files and folders are created with the names the system gives them. A trailing separator
// is kept.
//
// Text: Windows paths are Windows-1252 bytes (CString); Linux names are Unicode (QString) and
// reach the file system in the locale's encoding (QFile::encodeName).
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <QByteArray>
#include <QString>

// The Linux folder of a drive letter ('C', 'd', ...), without a trailing '/'; empty when the
// drive does not exist. Z: is "/".
PLATFORM_API QString DriveFolder(char letter);

// The Linux path of a Windows path; empty when it names no drive that exists (an unknown
// letter, an unset D: or E:, a UNC or device path) or is empty.
PLATFORM_API QString LinuxPathFromWindows(const CString& windowsPath);
PLATFORM_API QString LinuxPathFromWindows(const char* windowsPath);
// The same, encoded for the C library's file calls; empty when there is no Linux path.
PLATFORM_API QByteArray LinuxPathBytesFromWindows(const char* windowsPath);

// The Windows path of a Linux path (made absolute against the current directory): on the
// drive whose folder holds it (the deepest of C:, D:, E: when several do), else on Z:.
PLATFORM_API CString WindowsPathFromLinux(const QString& linuxPath);

// The absolute, cleaned Windows form of a Windows path: a drive letter in upper case, '\'
// separators, "." and ".." resolved, a relative path joined to the current directory, no
// doubled separators; a trailing '\' is kept. Nothing is looked up on disk. Empty for an
// empty path.
PLATFORM_API CString FullWindowsPath(const char* windowsPath);

// The drive letter (upper case) that a Windows path names, or 0 when it names none.
PLATFORM_API char DriveLetterOf(const char* windowsPath);
