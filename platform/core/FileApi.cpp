#include "platform/core/FileApi.h"

#include "platform/core/FileDetail.h"
#include "platform/core/Path.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace
{
thread_local DWORD t_lastError = 0;

constexpr int64_t kTicksPerSecond = 10000000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600LL;

uint64_t Ticks(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks)
{
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL FailErrno(int error, const QByteArray& native)
{
    return Fail(filedetail::ErrorFor(error, native));
}

bool StatOf(const QByteArray& native, struct stat& st)
{
    return !native.isEmpty() && ::stat(native.constData(), &st) == 0;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The native path with its last component as the caller wrote it (the folder above it
// resolved as usual): a case-only rename must reach the new spelling.
QByteArray NativeAsWritten(const char* windowsPath)
{
    const CString name = filedetail::NameOf(windowsPath);
    const QByteArray native = filedetail::Native(windowsPath);
    if (name.IsEmpty() || native.isEmpty())
        return native;
    const int slash = native.lastIndexOf('/');
    return native.left(slash + 1) + QFile::encodeName(name.ToQString());
}

// Copies an open file to a new file beside `target` and renames it over the target, so the
// target is either the old file or the whole copy.
DWORD CopyContents(const QByteArray& source, const struct stat& st, const QByteArray& target)
{
    const int in = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return Win32ErrorFromErrno(errno);
    const int slash = target.lastIndexOf('/');
    QByteArray temp = target.left(slash + 1) + "." + target.mid(slash + 1) + ".copy-XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0)
    {
        const int e = errno;
        ::close(in);
        return filedetail::ErrorFor(e, target);
    }
    DWORD error = ERROR_SUCCESS;
    std::vector<char> buffer(1 << 16);
    for (;;)
    {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
        {
            error = Win32ErrorFromErrno(errno);
            break;
        }
        if (got == 0)
            break;
        ssize_t done = 0;
        while (done < got)
        {
            const ssize_t put = ::write(out, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
            {
                error = put < 0 ? Win32ErrorFromErrno(errno) : ERROR_DISK_FULL;
                break;
            }
            done += put;
        }
        if (error != ERROR_SUCCESS)
            break;
    }
    ::close(in);
    if (error == ERROR_SUCCESS)
    {
        ::fchmod(out, st.st_mode & 07777);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
        if (::fsync(out) != 0 && errno != EINVAL)
            error = Win32ErrorFromErrno(errno);
    }
    if (::close(out) != 0 && error == ERROR_SUCCESS)
        error = Win32ErrorFromErrno(errno);
    if (error == ERROR_SUCCESS && ::rename(temp.constData(), target.constData()) != 0)
        error = filedetail::ErrorFor(errno, target);
    if (error != ERROR_SUCCESS)
        ::unlink(temp.constData());
    return error;
}

BOOL MoveImpl(LPCSTR existing, LPCSTR newName, DWORD flags)
{
    if (!existing || !newName)
        return Fail(ERROR_INVALID_PARAMETER);
    const QByteArray source = filedetail::Native(existing);
    struct stat sst;
    if (source.isEmpty() || ::lstat(source.constData(), &sst) != 0)
        return FailErrno(source.isEmpty() ? ENOENT : errno, source);
    QByteArray target = filedetail::Native(newName);
    if (target.isEmpty())
        return Fail(ERROR_PATH_NOT_FOUND);
    struct stat tst;
    if (::lstat(target.constData(), &tst) == 0)
    {
        if (SameFile(sst, tst))
        {
            // The same entry under another letter case: rename it to the new spelling.
            target = NativeAsWritten(newName);
        }
        else if (!(flags & MOVEFILE_REPLACE_EXISTING))
        {
            return Fail(ERROR_ALREADY_EXISTS);
        }
        else if (S_ISDIR(tst.st_mode) || S_ISDIR(sst.st_mode) || filedetail::IsReadOnly(tst))
        {
            return Fail(ERROR_ACCESS_DENIED);
        }
    }
    if (::rename(source.constData(), target.constData()) == 0)
        return TRUE;
    if (errno != EXDEV)
        return FailErrno(errno, target);
    if (S_ISDIR(sst.st_mode) || !(flags & MOVEFILE_COPY_ALLOWED))
        return Fail(ERROR_NOT_SAME_DEVICE);
    const DWORD error = CopyContents(source, sst, target);
    if (error != ERROR_SUCCESS)
        return Fail(error);
    ::unlink(source.constData());
    return TRUE;
}

void CopyOut(const CString& text, LPSTR buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    const size_t n = std::min(static_cast<size_t>(text.GetLength()), size - 1);
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = '\0';
}

// The Windows convention for a path-returning call: the length copied, or the size needed
// (terminator included) when the buffer is too small.
DWORD ReturnPath(const CString& text, DWORD size, LPSTR buffer)
{
    const DWORD length = static_cast<DWORD>(text.GetLength());
    if (!buffer || size <= length)
        return length + 1;
    std::memcpy(buffer, text.GetString(), length + 1);
    return length;
}

// ----- the command line -----

std::mutex g_commandLineMutex;
std::string g_commandLine;
bool g_commandLineSet = false;

CString ModulePath()
{
    char link[4096];
    const ssize_t n = ::readlink("/proc/self/exe", link, sizeof link - 1);
    if (n <= 0)
        return CString();
    link[n] = '\0';
    return WindowsPathFromLinux(QFile::decodeName(link));
}

// Quotes an argument the way Windows programs split their command lines back.
std::string QuoteArgument(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg)
    {
        if (c == '\\')
        {
            ++backslashes;
            continue;
        }
        if (c == '"')
            out.append(backslashes * 2 + 1, '\\');
        else
            out.append(backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string BuildCommandLine(const CString& program, const std::vector<std::string>& args)
{
    std::string line = "\"" + program.str() + "\"";
    for (const std::string& a : args)
        line += " " + QuoteArgument(a);
    return line;
}

bool LooksLikeWindowsPath(const char* s)
{
    const bool drive = ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z')) && s[1] == ':';
    return drive || std::strchr(s, '\\') != nullptr;
}

// ----- text-mode C streams -----

struct TextStream
{
    FILE* raw;
};

ssize_t TextRead(void* cookie, char* buffer, size_t size)
{
    FILE* raw = static_cast<TextStream*>(cookie)->raw;
    size_t n = 0;
    while (n < size)
    {
        int c = std::getc(raw);
        if (c == EOF)
            break;
        if (c == 0x1A)
        {
            // Ctrl-Z ends a text file for the Windows run-time; it stays the end.
            std::ungetc(c, raw);
            break;
        }
        if (c == '\r')
        {
            const int next = std::getc(raw);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, raw);
        }
        buffer[n++] = static_cast<char>(c);
    }
    if (n == 0 && std::ferror(raw))
        return -1;
    return static_cast<ssize_t>(n);
}

ssize_t TextWrite(void* cookie, const char* buffer, size_t size)
{
    FILE* raw = static_cast<TextStream*>(cookie)->raw;
    for (size_t i = 0; i < size; ++i)
    {
        if (buffer[i] == '\n' && std::putc('\r', raw) == EOF)
            return 0;
        if (std::putc(buffer[i], raw) == EOF)
            return 0;
    }
    return static_cast<ssize_t>(size);
}

int TextSeek(void* cookie, off64_t* position, int whence)
{
    FILE* raw = static_cast<TextStream*>(cookie)->raw;
    if (::fseeko(raw, *position, whence) != 0)
        return -1;
    *position = ::ftello(raw);
    return 0;
}

int TextClose(void* cookie)
{
    auto* stream = static_cast<TextStream*>(cookie);
    const int result = std::fclose(stream->raw);
    delete stream;
    return result;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Shared helpers
// ---------------------------------------------------------------------------------------

namespace filedetail
{
QByteArray Native(const char* windowsPath)
{
    return LinuxPathBytesFromWindows(windowsPath);
}

DWORD NotFoundError(const QByteArray& native)
{
    if (native.isEmpty())
        return ERROR_PATH_NOT_FOUND;
    QByteArray path = native;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const int slash = path.lastIndexOf('/');
    const QByteArray parent = slash <= 0 ? QByteArray("/") : path.left(slash);
    struct stat st;
    if (::stat(parent.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

DWORD ErrorFor(int error, const QByteArray& native)
{
    if (error == ENOENT)
        return NotFoundError(native);
    return Win32ErrorFromErrno(error);
}

CString NameOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(slash + 1);
}

DWORD Attributes(const struct stat& st, const char* name)
{
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if (IsReadOnly(st))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (name && name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

bool IsReadOnly(const struct stat& st)
{
    return (st.st_mode & S_IWUSR) == 0;
}

FILETIME ToFileTime(const struct timespec& ts)
{
    return FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

FILETIME CreationTime(const QByteArray& native, const struct stat& st)
{
#ifdef STATX_BTIME
    struct statx sx;
    if (::statx(AT_FDCWD, native.constData(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        return FileTimeFromUnix(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
#endif
    return ToFileTime(st.st_mtim);
}
} // namespace filedetail

// ---------------------------------------------------------------------------------------
// Last error
// ---------------------------------------------------------------------------------------

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD error)
{
    t_lastError = error;
}

DWORD Win32ErrorFromErrno(int error)
{
    switch (error)
    {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EROFS:
        return ERROR_WRITE_PROTECT;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ELOOP:
        return ERROR_BAD_PATHNAME;
    case EIO:
        return 1117L; // ERROR_IO_DEVICE
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

// ---------------------------------------------------------------------------------------
// File times
// ---------------------------------------------------------------------------------------

FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds)
{
    const int64_t ticks = (seconds + kEpochDifference) * kTicksPerSecond + nanoseconds / 100;
    return FromTicks(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
}

int64_t UnixFromFileTime(const FILETIME& ft)
{
    return static_cast<int64_t>(Ticks(ft) / kTicksPerSecond) - kEpochDifference;
}

BOOL FileTimeToDosDateTime(const FILETIME* ft, WORD* fatDate, WORD* fatTime)
{
    if (!ft || !fatDate || !fatTime)
        return Fail(ERROR_INVALID_PARAMETER);
    const time_t seconds = static_cast<time_t>(UnixFromFileTime(*ft));
    struct tm t;
    if (!::gmtime_r(&seconds, &t))
        return Fail(ERROR_INVALID_PARAMETER);
    const int year = t.tm_year + 1900;
    if (year < 1980 || year > 2107)
        return Fail(ERROR_INVALID_PARAMETER);
    *fatDate = static_cast<WORD>(((year - 1980) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
    *fatTime = static_cast<WORD>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
    return TRUE;
}

BOOL DosDateTimeToFileTime(WORD fatDate, WORD fatTime, FILETIME* ft)
{
    if (!ft)
        return Fail(ERROR_INVALID_PARAMETER);
    struct tm t = {};
    t.tm_year = (fatDate >> 9) + 1980 - 1900;
    t.tm_mon = ((fatDate >> 5) & 0x0F) - 1;
    t.tm_mday = fatDate & 0x1F;
    t.tm_hour = fatTime >> 11;
    t.tm_min = (fatTime >> 5) & 0x3F;
    t.tm_sec = (fatTime & 0x1F) * 2;
    if (t.tm_mon < 0 || t.tm_mon > 11 || t.tm_mday < 1 || t.tm_hour > 23 || t.tm_min > 59 || t.tm_sec > 59)
        return Fail(ERROR_INVALID_PARAMETER);
    *ft = FileTimeFromUnix(::timegm(&t));
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local)
{
    if (!utc || !local)
        return Fail(ERROR_INVALID_PARAMETER);
    const time_t seconds = static_cast<time_t>(UnixFromFileTime(*utc));
    struct tm t;
    if (!::localtime_r(&seconds, &t))
        return Fail(ERROR_INVALID_PARAMETER);
    const int64_t ticks =
        static_cast<int64_t>(Ticks(*utc)) + static_cast<int64_t>(t.tm_gmtoff) * kTicksPerSecond;
    *local = FromTicks(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc)
{
    if (!local || !utc)
        return Fail(ERROR_INVALID_PARAMETER);
    const time_t wall = static_cast<time_t>(UnixFromFileTime(*local));
    struct tm t;
    if (!::gmtime_r(&wall, &t))
        return Fail(ERROR_INVALID_PARAMETER);
    t.tm_isdst = -1;
    const time_t seconds = ::mktime(&t);
    const int64_t ticks =
        static_cast<int64_t>(Ticks(*local)) - static_cast<int64_t>(wall - seconds) * kTicksPerSecond;
    *utc = FromTicks(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
    return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b)
{
    const uint64_t x = Ticks(*a);
    const uint64_t y = Ticks(*b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// ---------------------------------------------------------------------------------------
// Files and folders
// ---------------------------------------------------------------------------------------

BOOL DeleteFileA(LPCSTR path)
{
    const QByteArray native = filedetail::Native(path);
    struct stat st;
    if (native.isEmpty() || ::lstat(native.constData(), &st) != 0)
        return FailErrno(native.isEmpty() ? ENOENT : errno, native);
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && filedetail::IsReadOnly(st)))
        return Fail(ERROR_ACCESS_DENIED);
    if (::unlink(native.constData()) != 0)
        return FailErrno(errno, native);
    return TRUE;
}

BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists)
{
    if (!existing || !newName)
        return Fail(ERROR_INVALID_PARAMETER);
    const QByteArray source = filedetail::Native(existing);
    struct stat sst;
    if (!StatOf(source, sst))
        return FailErrno(source.isEmpty() ? ENOENT : errno, source);
    if (S_ISDIR(sst.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    const QByteArray target = filedetail::Native(newName);
    if (target.isEmpty())
        return Fail(ERROR_PATH_NOT_FOUND);
    struct stat tst;
    if (::stat(target.constData(), &tst) == 0)
    {
        if (SameFile(sst, tst))
            return Fail(ERROR_SHARING_VIOLATION);
        if (failIfExists)
            return Fail(ERROR_FILE_EXISTS);
        if (S_ISDIR(tst.st_mode) || filedetail::IsReadOnly(tst))
            return Fail(ERROR_ACCESS_DENIED);
    }
    const DWORD error = CopyContents(source, sst, target);
    if (error != ERROR_SUCCESS)
        return Fail(error);
    return TRUE;
}

BOOL MoveFileA(LPCSTR existing, LPCSTR newName)
{
    return MoveImpl(existing, newName, MOVEFILE_COPY_ALLOWED);
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags)
{
    return MoveImpl(existing, newName, flags);
}

DWORD GetFileAttributesA(LPCSTR path)
{
    const QByteArray native = filedetail::Native(path);
    struct stat st;
    if (!StatOf(native, st))
    {
        FailErrno(native.isEmpty() ? ENOENT : errno, native);
        return INVALID_FILE_ATTRIBUTES;
    }
    CString name = filedetail::NameOf(FullWindowsPath(path));
    return filedetail::Attributes(st, name);
}

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes)
{
    const QByteArray native = filedetail::Native(path);
    struct stat st;
    if (!StatOf(native, st))
        return FailErrno(native.isEmpty() ? ENOENT : errno, native);
    if (S_ISDIR(st.st_mode))
        return TRUE;
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (::chmod(native.constData(), mode) != 0)
        return FailErrno(errno, native);
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
        return Fail(ERROR_PATH_NOT_FOUND);
    const CString full = FullWindowsPath(path);
    if (full.GetLength() <= 3 && full.Right(1) == "\\")
        return Fail(ERROR_ACCESS_DENIED); // a drive's root
    if (::mkdir(native.constData(), 0777) != 0)
    {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            return Fail(ERROR_PATH_NOT_FOUND);
        return FailErrno(e, native);
    }
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR path)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
        return Fail(ERROR_PATH_NOT_FOUND);
    if (::rmdir(native.constData()) != 0)
    {
        const int e = errno;
        if (e == EEXIST || e == ENOTEMPTY)
            return Fail(ERROR_DIR_NOT_EMPTY);
        if (e == ENOTDIR)
        {
            struct stat st;
            return Fail(::stat(native.constData(), &st) == 0 ? ERROR_DIRECTORY : ERROR_PATH_NOT_FOUND);
        }
        return FailErrno(e, native);
    }
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    return ReturnPath(WindowsPathFromLinux(QDir::currentPath()), size, buffer);
}

BOOL SetCurrentDirectoryA(LPCSTR path)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
        return Fail(ERROR_PATH_NOT_FOUND);
    if (::chdir(native.constData()) != 0)
        return FailErrno(errno, native);
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR* filePart)
{
    if (!path || !*path)
    {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    const CString full = FullWindowsPath(path);
    const DWORD result = ReturnPath(full, size, buffer);
    if (filePart && result < size)
    {
        const int slash = full.ReverseFind('\\');
        *filePart = (slash + 1 < full.GetLength()) ? buffer + slash + 1 : nullptr;
    }
    return result;
}

DWORD GetTempPathA(DWORD size, LPSTR buffer)
{
    CString path = WindowsPathFromLinux(QDir::tempPath());
    if (path.Right(1) != "\\")
        path += '\\';
    return ReturnPath(path, size, buffer);
}

int _access(const char* path, int mode)
{
    if (mode != 0 && mode != 2 && mode != 4 && mode != 6)
    {
        errno = EINVAL;
        return -1;
    }
    const QByteArray native = filedetail::Native(path);
    struct stat st;
    if (!StatOf(native, st))
    {
        errno = ENOENT;
        return -1;
    }
    if ((mode & 4) && ::access(native.constData(), R_OK) != 0)
        return -1;
    if (mode & 2)
    {
        if ((!S_ISDIR(st.st_mode) && filedetail::IsReadOnly(st)) || ::access(native.constData(), W_OK) != 0)
        {
            errno = EACCES;
            return -1;
        }
    }
    return 0;
}

int _mkdir(const char* path)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
    {
        errno = ENOENT;
        return -1;
    }
    return ::mkdir(native.constData(), 0777);
}

int _rmdir(const char* path)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
    {
        errno = ENOENT;
        return -1;
    }
    return ::rmdir(native.constData());
}

int _unlink(const char* path)
{
    const QByteArray native = filedetail::Native(path);
    struct stat st;
    if (native.isEmpty() || ::lstat(native.constData(), &st) != 0)
    {
        errno = ENOENT;
        return -1;
    }
    if (S_ISDIR(st.st_mode) || filedetail::IsReadOnly(st))
    {
        errno = EACCES;
        return -1;
    }
    return ::unlink(native.constData());
}

int _chdir(const char* path)
{
    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
    {
        errno = ENOENT;
        return -1;
    }
    return ::chdir(native.constData());
}

errno_t fopen_s(FILE** stream, const char* path, const char* mode)
{
    if (!stream)
        return EINVAL;
    *stream = nullptr;
    if (!path || !mode || !*mode)
        return errno = EINVAL;
    const char kind = mode[0];
    if (kind != 'r' && kind != 'w' && kind != 'a')
        return errno = EINVAL;
    const bool update = std::strchr(mode, '+') != nullptr;
    const bool binary = std::strchr(mode, 'b') != nullptr;
    const bool exclusive = kind == 'w' && std::strchr(mode, 'x') != nullptr;

    const QByteArray native = filedetail::Native(path);
    if (native.isEmpty())
        return errno = ENOENT;
    struct stat st;
    if (::stat(native.constData(), &st) == 0)
    {
        // A folder is never opened as a file, nor is a read-only file for writing.
        if (S_ISDIR(st.st_mode) || ((kind != 'r' || update) && filedetail::IsReadOnly(st)))
            return errno = EACCES;
    }
    std::string rawMode(1, kind);
    if (update)
        rawMode += '+';
    rawMode += 'b';
    if (exclusive)
        rawMode += 'x';
    rawMode += 'e';
    FILE* raw = std::fopen(native.constData(), rawMode.c_str());
    if (!raw)
        return errno;
    if (binary)
    {
        *stream = raw;
        return 0;
    }
    // Text mode: a stream that folds line ends on the way in and out. It is unbuffered so that
    // ftell reports positions in the file itself; the underlying stream does the buffering.
    cookie_io_functions_t functions{TextRead, TextWrite, TextSeek, TextClose};
    std::string textMode(1, kind);
    if (update)
        textMode += '+';
    FILE* text = ::fopencookie(new TextStream{raw}, textMode.c_str(), functions);
    if (!text)
    {
        const int e = errno;
        std::fclose(raw);
        return errno = e;
    }
    std::setvbuf(text, nullptr, _IONBF, 0);
    *stream = text;
    return 0;
}

FILE* _fsopen(const char* path, const char* mode, int)
{
    FILE* stream = nullptr;
    const errno_t e = fopen_s(&stream, path, mode);
    if (e != 0)
        errno = e;
    return stream;
}

// ---------------------------------------------------------------------------------------
// Drives
// ---------------------------------------------------------------------------------------

UINT GetDriveTypeA(LPCSTR root)
{
    char letter = 0;
    if (!root)
    {
        letter = DriveLetterOf(".");
    }
    else
    {
        const size_t n = std::strlen(root);
        const bool rootForm =
            n >= 2 && n <= 3 && root[1] == ':' && (n == 2 || root[2] == '\\' || root[2] == '/');
        if (!rootForm)
            return DRIVE_NO_ROOT_DIR;
        letter = root[0];
    }
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    const QString folder = DriveFolder(letter);
    struct stat st;
    if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return DRIVE_NO_ROOT_DIR;
    if (letter == 'D' || letter == 'E')
    {
        const char name[] = {'S', 'U', 'I',    'T', 'E', '_', 'D', 'R', 'I', 'V',
                             'E', '_', letter, '_', 'T', 'Y', 'P', 'E', '\0'};
        const char* type = std::getenv(name);
        if (type && *type)
        {
            const QString t = QString::fromLatin1(type).toLower();
            if (t == QLatin1String("removable"))
                return DRIVE_REMOVABLE;
            if (t == QLatin1String("remote"))
                return DRIVE_REMOTE;
            if (t == QLatin1String("cdrom"))
                return DRIVE_CDROM;
            if (t == QLatin1String("ramdisk"))
                return DRIVE_RAMDISK;
        }
    }
    return DRIVE_FIXED;
}

// ---------------------------------------------------------------------------------------
// The program
// ---------------------------------------------------------------------------------------

LPSTR GetCommandLineA()
{
    std::lock_guard<std::mutex> lock(g_commandLineMutex);
    if (!g_commandLineSet)
    {
        std::vector<std::string> args;
        std::ifstream in("/proc/self/cmdline", std::ios::binary);
        std::string arg;
        bool first = true;
        while (std::getline(in, arg, '\0'))
        {
            if (!first)
                args.push_back(arg);
            first = false;
        }
        g_commandLine = BuildCommandLine(ModulePath(), args);
        g_commandLineSet = true;
    }
    return g_commandLine.data();
}

void AfxSetCommandLine(int argc, char** argv)
{
    CString program;
    if (argc >= 1 && argv && argv[0] && *argv[0])
    {
        if (LooksLikeWindowsPath(argv[0]))
            program = argv[0];
        else if (std::strchr(argv[0], '/'))
            program = WindowsPathFromLinux(QFile::decodeName(argv[0]));
    }
    if (program.IsEmpty())
        program = ModulePath();
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    std::lock_guard<std::mutex> lock(g_commandLineMutex);
    g_commandLine = BuildCommandLine(program, args);
    g_commandLineSet = true;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size)
{
    const CString path = ModulePath();
    if (!buffer || size == 0)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(path.GetLength());
    if (length < size)
    {
        std::memcpy(buffer, path.GetString(), length + 1);
        SetLastError(ERROR_SUCCESS);
        return length;
    }
    CopyOut(path, buffer, size);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

// ---------------------------------------------------------------------------------------
// Special folders
// ---------------------------------------------------------------------------------------

HRESULT SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, LPSTR path)
{
    if (!path)
        return E_INVALIDARG;
    path[0] = '\0';
    auto xdg = [](const char* variable, const QString& fallback) {
        const char* value = std::getenv(variable);
        return (value && *value) ? QFile::decodeName(value) : QDir::homePath() + fallback;
    };
    QString onDisk;
    switch (folder & ~CSIDL_FLAG_CREATE)
    {
    case CSIDL_PERSONAL:
    case CSIDL_COMMON_DOCUMENTS:
        onDisk = LinuxPathFromWindows("C:\\Documents");
        break;
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        onDisk = LinuxPathFromWindows("C:\\Desktop");
        break;
    case CSIDL_APPDATA:
    case CSIDL_COMMON_APPDATA:
        onDisk = xdg("XDG_CONFIG_HOME", QStringLiteral("/.config"));
        break;
    case CSIDL_LOCAL_APPDATA:
        onDisk = xdg("XDG_DATA_HOME", QStringLiteral("/.local/share"));
        break;
    default:
        return E_INVALIDARG;
    }
    if (onDisk.isEmpty() || !QDir().mkpath(onDisk))
        return E_FAIL;
    const CString windows = WindowsPathFromLinux(onDisk);
    if (windows.GetLength() >= MAX_PATH)
        return E_FAIL;
    CopyOut(windows, path, MAX_PATH);
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// Path splitting
// ---------------------------------------------------------------------------------------

namespace
{
struct PathParts
{
    std::string drive, dir, fname, ext;
};

PathParts Split(const char* path)
{
    PathParts p;
    std::string rest(path);
    if (rest.size() >= 2 && rest[1] == ':')
    {
        p.drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    const size_t slash = rest.find_last_of("\\/");
    if (slash != std::string::npos)
    {
        p.dir = rest.substr(0, slash + 1);
        rest = rest.substr(slash + 1);
    }
    const size_t dot = rest.find_last_of('.');
    if (dot != std::string::npos)
    {
        p.ext = rest.substr(dot);
        rest = rest.substr(0, dot);
    }
    p.fname = rest;
    return p;
}

void Clear(char* buffer, size_t size)
{
    if (buffer && size > 0)
        buffer[0] = '\0';
}

void CopyCut(char* buffer, size_t size, const std::string& text)
{
    if (!buffer || size == 0)
        return;
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}
} // namespace

errno_t _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize, char* fname,
                     size_t fnameSize, char* ext, size_t extSize)
{
    auto clearAll = [&]() {
        Clear(drive, driveSize);
        Clear(dir, dirSize);
        Clear(fname, fnameSize);
        Clear(ext, extSize);
    };
    const bool badBuffer = (!drive != (driveSize == 0)) || (!dir != (dirSize == 0)) ||
                           (!fname != (fnameSize == 0)) || (!ext != (extSize == 0));
    if (!path || badBuffer)
    {
        clearAll();
        return errno = EINVAL;
    }
    const PathParts p = Split(path);
    const bool fits = (!drive || p.drive.size() < driveSize) && (!dir || p.dir.size() < dirSize) &&
                      (!fname || p.fname.size() < fnameSize) && (!ext || p.ext.size() < extSize);
    if (!fits)
    {
        clearAll();
        return errno = ERANGE;
    }
    CopyCut(drive, driveSize, p.drive);
    CopyCut(dir, dirSize, p.dir);
    CopyCut(fname, fnameSize, p.fname);
    CopyCut(ext, extSize, p.ext);
    return 0;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    if (!path)
        return;
    const PathParts p = Split(path);
    CopyCut(drive, _MAX_DRIVE, p.drive);
    CopyCut(dir, _MAX_DIR, p.dir);
    CopyCut(fname, _MAX_FNAME, p.fname);
    CopyCut(ext, _MAX_EXT, p.ext);
}

namespace
{
std::string MakePath(const char* drive, const char* dir, const char* fname, const char* ext)
{
    std::string out;
    if (drive && *drive)
    {
        out += drive[0];
        out += ':';
    }
    if (dir && *dir)
    {
        out += dir;
        if (out.back() != '\\' && out.back() != '/')
            out += '\\';
    }
    if (fname)
        out += fname;
    if (ext && *ext)
    {
        if (ext[0] != '.')
            out += '.';
        out += ext;
    }
    return out;
}
} // namespace

errno_t _makepath_s(char* path, size_t size, const char* drive, const char* dir, const char* fname,
                    const char* ext)
{
    if (!path || size == 0)
        return errno = EINVAL;
    const std::string out = MakePath(drive, dir, fname, ext);
    if (out.size() >= size)
    {
        path[0] = '\0';
        return errno = ERANGE;
    }
    std::memcpy(path, out.c_str(), out.size() + 1);
    return 0;
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    // The unchecked form cannot report: a path longer than a path may be is cut.
    CopyCut(path, _MAX_PATH, MakePath(drive, dir, fname, ext));
}
