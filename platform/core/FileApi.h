// The Win32 and C run-time file calls the system makes: files and folders named by Windows
// paths (mapped to Linux paths at every call, see Path.h), attributes, drives, the program's
// command line and module path, special folders, path splitting and file times.
//
// Failures are reported as Windows does: a FALSE result (or INVALID_FILE_ATTRIBUTES, -1 for
// the C run-time calls) and the Windows error code in GetLastError().
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdio>

// ---------------------------------------------------------------------------------------
// Last error (per thread, as on Windows)
// ---------------------------------------------------------------------------------------

#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_INVALID_FUNCTION 1L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_DRIVE 15L
#define ERROR_CURRENT_DIRECTORY 16L
#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_WRITE_PROTECT 19L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_LOCK_VIOLATION 33L
#define ERROR_HANDLE_EOF 38L
#define ERROR_HANDLE_DISK_FULL 39L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_NEGATIVE_SEEK 131L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_DIRECTORY 267L

PLATFORM_API DWORD GetLastError();
PLATFORM_API void SetLastError(DWORD error);
// The Windows error code for a C library errno value.
PLATFORM_API DWORD Win32ErrorFromErrno(int error);

// ---------------------------------------------------------------------------------------
// File times
// ---------------------------------------------------------------------------------------

// 100-nanosecond intervals since 1601-01-01 00:00 UTC, in two 32-bit halves.
struct FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;
using LPFILETIME = FILETIME*;

// Seconds since 1970 (UTC) and nanoseconds to a FILETIME, and back (whole seconds, rounded
// down).
PLATFORM_API FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds = 0);
PLATFORM_API int64_t UnixFromFileTime(const FILETIME& ft);

// The DOS date ((year - 1980) << 9 | month << 5 | day) and time (hour << 11 | minute << 5 |
// second / 2) of a file time, taken as it stands (no zone conversion). FALSE, with
// ERROR_INVALID_PARAMETER, outside the DOS range 1980-01-01 .. 2107-12-31.
PLATFORM_API BOOL FileTimeToDosDateTime(const FILETIME* ft, WORD* fatDate, WORD* fatTime);
PLATFORM_API BOOL DosDateTimeToFileTime(WORD fatDate, WORD fatTime, FILETIME* ft);
// UTC to local time and back, with the zone's offset at that instant.
PLATFORM_API BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
PLATFORM_API BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
// -1, 0 or 1.
PLATFORM_API LONG CompareFileTime(const FILETIME* a, const FILETIME* b);

// ---------------------------------------------------------------------------------------
// Files and folders
// ---------------------------------------------------------------------------------------

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u

// A read-only file is not deleted (ERROR_ACCESS_DENIED), nor is a folder.
PLATFORM_API BOOL DeleteFileA(LPCSTR path);
inline BOOL DeleteFile(LPCSTR path)
{
    return DeleteFileA(path);
}
// Copies contents, last-write time and the read-only attribute. The new file appears whole
// or not at all. With failIfExists an existing target fails with ERROR_FILE_EXISTS; a
// read-only target is never replaced (ERROR_ACCESS_DENIED).
PLATFORM_API BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists);
inline BOOL CopyFile(LPCSTR existing, LPCSTR newName, BOOL failIfExists)
{
    return CopyFileA(existing, newName, failIfExists);
}
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_WRITE_THROUGH 0x00000008u
// Renames a file or folder; an existing target fails with ERROR_ALREADY_EXISTS. Files move
// across file systems too (copied, then the original deleted).
PLATFORM_API BOOL MoveFileA(LPCSTR existing, LPCSTR newName);
inline BOOL MoveFile(LPCSTR existing, LPCSTR newName)
{
    return MoveFileA(existing, newName);
}
// MOVEFILE_REPLACE_EXISTING replaces a target file in one step (never half a file).
PLATFORM_API BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags);
inline BOOL MoveFileEx(LPCSTR existing, LPCSTR newName, DWORD flags)
{
    return MoveFileExA(existing, newName, flags);
}

// FILE_ATTRIBUTE_DIRECTORY for folders; READONLY when the owner may not write; HIDDEN for
// names beginning with '.'; NORMAL when no other attribute applies.
PLATFORM_API DWORD GetFileAttributesA(LPCSTR path);
inline DWORD GetFileAttributes(LPCSTR path)
{
    return GetFileAttributesA(path);
}
// Only READONLY has an effect: it takes away every write permission, and its absence gives
// the owner write permission back.
PLATFORM_API BOOL SetFileAttributesA(LPCSTR path, DWORD attributes);
inline BOOL SetFileAttributes(LPCSTR path, DWORD attributes)
{
    return SetFileAttributesA(path, attributes);
}

// Fails with ERROR_ALREADY_EXISTS when the folder (or a file of that name) exists and with
// ERROR_PATH_NOT_FOUND when its parent is missing.
PLATFORM_API BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security = nullptr);
inline BOOL CreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES security = nullptr)
{
    return CreateDirectoryA(path, security);
}
// Only an empty folder (ERROR_DIR_NOT_EMPTY otherwise).
PLATFORM_API BOOL RemoveDirectoryA(LPCSTR path);
inline BOOL RemoveDirectory(LPCSTR path)
{
    return RemoveDirectoryA(path);
}

// The current directory as a Windows path (no trailing '\' except at a drive's root).
// Returns the length copied, or the size needed (with the terminator) when `size` is too small.
PLATFORM_API DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
inline DWORD GetCurrentDirectory(DWORD size, LPSTR buffer)
{
    return GetCurrentDirectoryA(size, buffer);
}
PLATFORM_API BOOL SetCurrentDirectoryA(LPCSTR path);
inline BOOL SetCurrentDirectory(LPCSTR path)
{
    return SetCurrentDirectoryA(path);
}
// The absolute, cleaned Windows form of a path; `filePart` (may be null) points at the name
// after the last '\'. Returns the length, or the size needed when `size` is too small.
PLATFORM_API DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR* filePart);
inline DWORD GetFullPathName(LPCSTR path, DWORD size, LPSTR buffer, LPSTR* filePart)
{
    return GetFullPathNameA(path, size, buffer, filePart);
}
// The temporary folder ($TMPDIR or /tmp) as a Windows path ending in '\'.
PLATFORM_API DWORD GetTempPathA(DWORD size, LPSTR buffer);
inline DWORD GetTempPath(DWORD size, LPSTR buffer)
{
    return GetTempPathA(size, buffer);
}

// C run-time calls. _access modes: 0 exists, 2 write, 4 read, 6 read and write; 0 when
// allowed, else -1 with errno set.
PLATFORM_API int _access(const char* path, int mode);
PLATFORM_API int _mkdir(const char* path);
PLATFORM_API int _rmdir(const char* path);
PLATFORM_API int _unlink(const char* path);
PLATFORM_API int _chdir(const char* path);

// C streams on Windows paths. Modes are the C run-time's: without 'b' the stream is in text
// mode (writes "\n" as CR LF, reads CR LF or LF as "\n"); 'b' passes bytes unchanged.
// `share` is accepted and not enforced (_SH_DENYNO, _SH_DENYWR, ...).
using errno_t = int;
#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40
PLATFORM_API errno_t fopen_s(FILE** stream, const char* path, const char* mode);
PLATFORM_API FILE* _fsopen(const char* path, const char* mode, int share);

// ---------------------------------------------------------------------------------------
// Drives
// ---------------------------------------------------------------------------------------

#define DRIVE_UNKNOWN 0u
#define DRIVE_NO_ROOT_DIR 1u
#define DRIVE_REMOVABLE 2u
#define DRIVE_FIXED 3u
#define DRIVE_REMOTE 4u
#define DRIVE_CDROM 5u
#define DRIVE_RAMDISK 6u

// The type of a drive root ("D:\" or "D:"; null for the current directory's drive): C: and
// Z: are fixed; D: and E: are fixed while $SUITE_DRIVE_D / $SUITE_DRIVE_E name an existing
// folder (a test may give them another type with $SUITE_DRIVE_D_TYPE / $SUITE_DRIVE_E_TYPE:
// "removable", "remote", "cdrom" or "fixed"); anything else is DRIVE_NO_ROOT_DIR.
PLATFORM_API UINT GetDriveTypeA(LPCSTR root);
inline UINT GetDriveType(LPCSTR root)
{
    return GetDriveTypeA(root);
}

// ---------------------------------------------------------------------------------------
// The program
// ---------------------------------------------------------------------------------------

// The process's command line: the program as a Windows path in double quotes, then the
// arguments separated by blanks (an argument holding a blank, or empty, in double quotes).
PLATFORM_API LPSTR GetCommandLineA();
inline LPSTR GetCommandLine()
{
    return GetCommandLineA();
}
// Sets the command line from main's arguments: argv[0] names the program (a Windows path is
// kept, a Linux path is mapped, a bare name is the running executable); the rest are kept as
// given.
PLATFORM_API void AfxSetCommandLine(int argc, char** argv);

// The running executable as a Windows path ("Z:\work\build\apps\Geodetic"); the module
// handle is ignored. Returns the length copied; when `size` is too small the path is cut,
// `size` is returned and the error is ERROR_INSUFFICIENT_BUFFER.
PLATFORM_API DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
inline DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size)
{
    return GetModuleFileNameA(module, buffer, size);
}

// ---------------------------------------------------------------------------------------
// Special folders
// ---------------------------------------------------------------------------------------

#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_MYDOCUMENTS CSIDL_PERSONAL
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define CSIDL_COMMON_APPDATA 0x0023
#define CSIDL_COMMON_DOCUMENTS 0x002e
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1
#define E_INVALIDARG static_cast<HRESULT>(0x80070057)

// Fills `path` (MAX_PATH bytes) with the folder, without a trailing '\', and makes it when
// missing: CSIDL_PERSONAL and CSIDL_COMMON_DOCUMENTS "C:\Documents"; CSIDL_DESKTOP and
// CSIDL_DESKTOPDIRECTORY "C:\Desktop"; CSIDL_APPDATA and CSIDL_COMMON_APPDATA the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config); CSIDL_LOCAL_APPDATA the user's
// data folder ($XDG_DATA_HOME, else ~/.local/share). E_INVALIDARG for other folders.
PLATFORM_API HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);
inline HRESULT SHGetFolderPath(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path)
{
    return SHGetFolderPathA(owner, folder, token, flags, path);
}

// ---------------------------------------------------------------------------------------
// Path splitting (C run-time)
// ---------------------------------------------------------------------------------------

// Splits a path into drive ("C:"), folder (up to and including the last '\' or '/'), name
// and extension (from the last '.' of the name, dot included). Null buffers (with size 0)
// are not filled. EINVAL for a null path or a null buffer with a size (or a buffer of size
// 0); ERANGE, with every buffer emptied, when a part does not fit.
PLATFORM_API errno_t _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize,
                                  char* fname, size_t fnameSize, char* ext, size_t extSize);
template <size_t D, size_t P, size_t F, size_t E>
errno_t _splitpath_s(const char* path, char (&drive)[D], char (&dir)[P], char (&fname)[F], char (&ext)[E])
{
    return _splitpath_s(path, drive, D, dir, P, fname, F, ext, E);
}
// As _splitpath_s with buffers of _MAX_DRIVE, _MAX_DIR, _MAX_FNAME and _MAX_EXT bytes; parts
// that do not fit are cut.
PLATFORM_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the parts: a drive letter gets its ':', a folder its trailing '\', an extension its
// leading '.'. Null or empty parts are left out.
PLATFORM_API errno_t _makepath_s(char* path, size_t size, const char* drive, const char* dir,
                                 const char* fname, const char* ext);
PLATFORM_API void _makepath(char* path, const char* drive, const char* dir, const char* fname,
                            const char* ext);
