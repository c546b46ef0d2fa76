#include "platform/core/File.h"

#include "platform/core/FileApi.h"
#include "platform/core/FileDetail.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
HANDLE HandleOf(int fd)
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
}

void FillError(CFileException* error, DWORD win32, LPCTSTR fileName)
{
    SetLastError(win32);
    if (!error)
        return;
    error->m_cause = FileExceptionCauseFromWin32(win32);
    error->m_lOsError = static_cast<LONG>(win32);
    error->m_strFileName = fileName;
}

CTime TimeOf(const struct timespec& ts)
{
    return CTime(static_cast<time_t>(ts.tv_sec));
}

void FillStatus(CFileStatus& status, const struct stat& st, const QByteArray& native, const CString& fullName)
{
    status.m_mtime = TimeOf(st.st_mtim);
    status.m_atime = TimeOf(st.st_atim);
    status.m_ctime = CTime(static_cast<time_t>(UnixFromFileTime(filedetail::CreationTime(native, st))));
    status.m_size = static_cast<ULONGLONG>(st.st_size);
    const CString name = filedetail::NameOf(fullName);
    const DWORD attributes = filedetail::Attributes(st, name);
    status.m_attribute = static_cast<BYTE>(attributes == FILE_ATTRIBUTE_NORMAL ? 0 : attributes);
    const size_t n = std::min(static_cast<size_t>(fullName.GetLength()), sizeof status.m_szFullName - 1);
    std::memcpy(status.m_szFullName, fullName.GetString(), n);
    status.m_szFullName[n] = '\0';
}
} // namespace

int FileExceptionCauseFromWin32(DWORD error)
{
    switch (error)
    {
    case ERROR_SUCCESS:
        return CFileException::none;
    case ERROR_FILE_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE:
        return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return CFileException::removeCurrentDir;
    case ERROR_NO_MORE_FILES:
        return CFileException::directoryFull;
    case ERROR_NEGATIVE_SEEK:
        return CFileException::badSeek;
    case 1117L:
        return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    default:
        return CFileException::genericException;
    }
}

CFile::CFile() = default;

CFile::CFile(LPCTSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Abort();
}

int CFile::Descriptor() const
{
    return static_cast<int>(reinterpret_cast<intptr_t>(m_hFile));
}

int CFile::OpenDescriptor(LPCTSTR fileName, UINT openFlags, bool append, CFileException* error)
{
    if (!fileName || !*fileName)
    {
        FillError(error, ERROR_PATH_NOT_FOUND, fileName);
        return -1;
    }
    int flags = O_CLOEXEC;
    switch (openFlags & 3)
    {
    case modeRead:
        flags |= O_RDONLY;
        break;
    case modeWrite:
        flags |= O_WRONLY;
        break;
    case modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        FillError(error, ERROR_INVALID_PARAMETER, fileName);
        return -1;
    }
    const bool writing = (openFlags & 3) != modeRead;
    if (openFlags & modeCreate)
    {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate))
            flags |= O_TRUNC;
    }
    if (append)
        flags |= O_APPEND;

    const QByteArray native = filedetail::Native(fileName);
    if (native.isEmpty())
    {
        FillError(error, ERROR_PATH_NOT_FOUND, fileName);
        return -1;
    }
    struct stat st;
    if (::stat(native.constData(), &st) == 0)
    {
        // Windows opens no folder as a file, and no read-only file for writing.
        if (S_ISDIR(st.st_mode) || ((writing || (flags & O_TRUNC)) && filedetail::IsReadOnly(st)))
        {
            FillError(error, ERROR_ACCESS_DENIED, fileName);
            return -1;
        }
    }
    int fd;
    do
        fd = ::open(native.constData(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
    {
        FillError(error, filedetail::ErrorFor(errno, native), fileName);
        return -1;
    }
    SetLastError(ERROR_SUCCESS);
    return fd;
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    if (m_hFile != hFileNull)
        Abort();
    const int fd =
        OpenDescriptor(fileName, openFlags & ~static_cast<UINT>(typeText | typeBinary), false, error);
    if (fd < 0)
        return FALSE;
    m_hFile = HandleOf(fd);
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullWindowsPath(fileName);
    return TRUE;
}

void CFile::ThrowFromErrno(int error) const
{
    if (m_hFile == hFileNull || error == 0)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
    // Writing through a read-only handle is a denied access on Windows.
    const DWORD win32 = error == EBADF ? ERROR_ACCESS_DENIED : Win32ErrorFromErrno(error);
    AfxThrowFileException(FileExceptionCauseFromWin32(win32), static_cast<LONG>(win32), m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    if (count == 0)
        return 0;
    if (!buffer)
        AfxThrowInvalidArgException();
    UINT done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count)
    {
        const ssize_t got = ::read(Descriptor(), out + done, count - done);
        if (got < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowFromErrno(errno);
        }
        if (got == 0)
            break;
        done += static_cast<UINT>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    if (count == 0)
        return;
    if (!buffer)
        AfxThrowInvalidArgException();
    UINT done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count)
    {
        const ssize_t put = ::write(Descriptor(), in + done, count - done);
        if (put < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowFromErrno(errno);
        }
        if (put == 0)
            ThrowFromErrno(ENOSPC);
        done += static_cast<UINT>(put);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    int whence;
    switch (from)
    {
    case begin:
        whence = SEEK_SET;
        break;
    case current:
        whence = SEEK_CUR;
        break;
    case end:
        whence = SEEK_END;
        break;
    default:
        AfxThrowInvalidArgException();
    }
    const off_t position = ::lseek(Descriptor(), static_cast<off_t>(offset), whence);
    if (position < 0)
    {
        if (errno == EINVAL)
            AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
        ThrowFromErrno(errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetPosition() const
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    const off_t position = ::lseek(Descriptor(), 0, SEEK_CUR);
    if (position < 0)
        ThrowFromErrno(errno);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    struct stat st;
    if (::fstat(Descriptor(), &st) != 0)
        ThrowFromErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG newLength)
{
    if (m_hFile == hFileNull)
        ThrowFromErrno(0);
    if (::ftruncate(Descriptor(), static_cast<off_t>(newLength)) != 0)
        ThrowFromErrno(errno);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(Descriptor()) != 0 && errno != EINVAL && errno != EROFS)
        ThrowFromErrno(errno);
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    const int fd = Descriptor();
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    const CString name = m_strFileName;
    m_strFileName.Empty();
    if (::close(fd) != 0 && errno != EINTR)
    {
        const DWORD win32 = Win32ErrorFromErrno(errno);
        AfxThrowFileException(FileExceptionCauseFromWin32(win32), static_cast<LONG>(win32), name);
    }
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::close(Descriptor());
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    return filedetail::NameOf(m_strFileName);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

void CFile::SetFilePath(LPCTSTR newName)
{
    if (!newName)
        AfxThrowInvalidArgException();
    m_strFileName = newName;
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    status = CFileStatus();
    if (m_hFile == hFileNull)
        return FALSE;
    struct stat st;
    if (::fstat(Descriptor(), &st) != 0)
        return FALSE;
    FillStatus(status, st, filedetail::Native(m_strFileName), m_strFileName);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR fileName, CFileStatus& status)
{
    status = CFileStatus();
    const QByteArray native = filedetail::Native(fileName);
    struct stat st;
    if (native.isEmpty() || ::stat(native.constData(), &st) != 0)
    {
        SetLastError(filedetail::ErrorFor(native.isEmpty() ? ENOENT : errno, native));
        return FALSE;
    }
    FillStatus(status, st, native, FullWindowsPath(fileName));
    return TRUE;
}

void CFile::Remove(LPCTSTR fileName)
{
    if (!DeleteFileA(fileName))
    {
        const DWORD error = GetLastError();
        AfxThrowFileException(FileExceptionCauseFromWin32(error), static_cast<LONG>(error), fileName);
    }
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName)
{
    if (!MoveFileA(oldName, newName))
    {
        const DWORD error = GetLastError();
        AfxThrowFileException(FileExceptionCauseFromWin32(error), static_cast<LONG>(error), oldName);
    }
}
