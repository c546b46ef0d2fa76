// Helpers shared by the file classes of this library; not part of its interface.
#pragma once

#include "platform/core/FileApi.h"
#include "platform/core/String.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace filedetail
{
// Windows path to the bytes the C library's file calls take; empty when it maps to nothing.
QByteArray Native(const char* windowsPath);
// ERROR_FILE_NOT_FOUND when the folder of `native` exists, else ERROR_PATH_NOT_FOUND.
DWORD NotFoundError(const QByteArray& native);
// The Windows error for errno `error` met on `native` (ENOENT told apart as above).
DWORD ErrorFor(int error, const QByteArray& native);
// The last component of a path (after the last '/' or '\').
CString NameOf(const CString& path);
// The attributes Windows would report for a file of this name and state.
DWORD Attributes(const struct stat& st, const char* name);
// The read-only attribute of a file: the owner may not write it. Checked by hand because
// the super-user may write anything.
bool IsReadOnly(const struct stat& st);
FILETIME ToFileTime(const struct timespec& ts);
// The creation time where the file system keeps one, else the last-write time.
FILETIME CreationTime(const QByteArray& native, const struct stat& st);
} // namespace filedetail
