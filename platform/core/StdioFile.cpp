#include "platform/core/StdioFile.h"

#include "platform/core/FileApi.h"
#include "platform/core/Path.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include <sys/types.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace
{
constexpr int kCtrlZ = 0x1A;

HANDLE HandleOfStream(FILE* stream)
{
    // A stream without a descriptor still marks the file as open.
    const int fd = stream ? ::fileno(stream) : -1;
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd >= 0 ? fd : INT_MAX));
}
} // namespace

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(FILE* stream) : m_pStream(stream), m_bText(false), m_bOwnsStream(false)
{
    if (stream)
        m_hFile = HandleOfStream(stream);
}

CStdioFile::CStdioFile(LPCTSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream)
        Abort();
    // The descriptor belonged to the stream: the base class must not close it again.
    m_hFile = hFileNull;
}

BOOL CStdioFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    if (m_pStream || m_hFile != hFileNull)
        Abort();
    const UINT access = openFlags & 3;
    const bool writing = access != modeRead;
    // The run-time's "a" streams: appending, whatever the position.
    const bool append =
        writing && ((openFlags & modeCreate) ? (openFlags & modeNoTruncate) != 0 : access == modeWrite);
    const int fd = OpenDescriptor(fileName, openFlags, append, error);
    if (fd < 0)
        return FALSE;
    const char* mode = access == modeRead    ? "r"
                       : access == modeWrite ? (append ? "a" : "w")
                                             : (append ? "a+" : "r+");
    FILE* stream = ::fdopen(fd, mode);
    if (!stream)
    {
        const DWORD win32 = Win32ErrorFromErrno(errno);
        ::close(fd);
        SetLastError(win32);
        if (error)
        {
            error->m_cause = FileExceptionCauseFromWin32(win32);
            error->m_lOsError = static_cast<LONG>(win32);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_pStream = stream;
    m_bOwnsStream = true;
    m_bText = (openFlags & typeBinary) == 0;
    m_hFile = HandleOfStream(stream);
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullWindowsPath(fileName);
    return TRUE;
}

void CStdioFile::CheckOpen() const
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
}

void CStdioFile::ThrowStreamError() const
{
    const int error = errno != 0 ? errno : EIO;
    if (m_pStream)
        std::clearerr(m_pStream);
    const DWORD win32 = error == EBADF ? ERROR_ACCESS_DENIED : Win32ErrorFromErrno(error);
    AfxThrowFileException(FileExceptionCauseFromWin32(win32), static_cast<LONG>(win32), m_strFileName);
}

int CStdioFile::GetTextChar()
{
    const int c = std::getc(m_pStream);
    if (c == EOF)
        return EOF;
    if (c == kCtrlZ)
    {
        // Ctrl-Z ends a text file for the Windows run-time, and stays the end.
        std::ungetc(c, m_pStream);
        return EOF;
    }
    if (c == '\r')
    {
        const int next = std::getc(m_pStream);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            std::ungetc(next, m_pStream);
    }
    return c;
}

void CStdioFile::WriteString(LPCTSTR text)
{
    if (!text)
        AfxThrowInvalidArgException();
    Write(text, static_cast<UINT>(std::strlen(text)));
}

LPTSTR CStdioFile::ReadString(LPTSTR buffer, UINT maxChars)
{
    CheckOpen();
    if (!buffer || maxChars == 0)
        AfxThrowInvalidArgException();
    errno = 0;
    UINT n = 0;
    bool atEnd = false;
    while (n + 1 < maxChars)
    {
        const int c = m_bText ? GetTextChar() : std::getc(m_pStream);
        if (c == EOF)
        {
            atEnd = true;
            break;
        }
        buffer[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[n] = '\0';
    if (std::ferror(m_pStream))
        ThrowStreamError();
    return (n == 0 && atEnd) ? nullptr : buffer;
}

BOOL CStdioFile::ReadString(CString& line)
{
    CheckOpen();
    errno = 0;
    std::string text;
    bool any = false;
    for (;;)
    {
        const int c = m_bText ? GetTextChar() : std::getc(m_pStream);
        if (c == EOF)
            break;
        any = true;
        if (c == '\n')
            break;
        text += static_cast<char>(c);
    }
    if (std::ferror(m_pStream))
        ThrowStreamError();
    line = CString(text);
    return any ? TRUE : FALSE;
}

BOOL CStdioFile::ReadString(CString& line, UINT maxChars, bool* tooLong)
{
    CheckOpen();
    errno = 0;
    std::string text;
    bool any = false;
    bool over = false;
    for (;;)
    {
        const int c = m_bText ? GetTextChar() : std::getc(m_pStream);
        if (c == EOF)
            break;
        any = true;
        if (c == '\n')
            break;
        if (text.size() < maxChars)
            text += static_cast<char>(c);
        else
            over = true;
    }
    if (std::ferror(m_pStream))
        ThrowStreamError();
    if (over)
        text.clear();
    if (tooLong)
        *tooLong = over;
    line = CString(text);
    return any ? TRUE : FALSE;
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    CheckOpen();
    if (count == 0)
        return 0;
    if (!buffer)
        AfxThrowInvalidArgException();
    errno = 0;
    auto* out = static_cast<char*>(buffer);
    UINT n = 0;
    if (m_bText)
    {
        while (n < count)
        {
            const int c = GetTextChar();
            if (c == EOF)
                break;
            out[n++] = static_cast<char>(c);
        }
    }
    else
    {
        n = static_cast<UINT>(std::fread(out, 1, count, m_pStream));
    }
    if (std::ferror(m_pStream))
        ThrowStreamError();
    return n;
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    CheckOpen();
    if (count == 0)
        return;
    if (!buffer)
        AfxThrowInvalidArgException();
    errno = 0;
    const auto* in = static_cast<const char*>(buffer);
    if (m_bText)
    {
        std::string text;
        text.reserve(count + count / 16);
        for (UINT i = 0; i < count; ++i)
        {
            if (in[i] == '\n')
                text += '\r';
            text += in[i];
        }
        if (std::fwrite(text.data(), 1, text.size(), m_pStream) != text.size())
            ThrowStreamError();
    }
    else if (std::fwrite(in, 1, count, m_pStream) != count)
    {
        ThrowStreamError();
    }
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    CheckOpen();
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
    errno = 0;
    if (::fseeko(m_pStream, static_cast<off_t>(offset), whence) != 0)
    {
        if (errno == EINVAL)
            AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
        ThrowStreamError();
    }
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    CheckOpen();
    errno = 0;
    const off_t position = ::ftello(m_pStream);
    if (position < 0)
        ThrowStreamError();
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const
{
    CheckOpen();
    errno = 0;
    const off_t position = ::ftello(m_pStream);
    if (position < 0 || ::fseeko(m_pStream, 0, SEEK_END) != 0)
        ThrowStreamError();
    const off_t length = ::ftello(m_pStream);
    if (length < 0 || ::fseeko(m_pStream, position, SEEK_SET) != 0)
        ThrowStreamError();
    return static_cast<ULONGLONG>(length);
}

void CStdioFile::SetLength(ULONGLONG newLength)
{
    CheckOpen();
    errno = 0;
    const int fd = ::fileno(m_pStream);
    if (std::fflush(m_pStream) != 0 || fd < 0 || ::ftruncate(fd, static_cast<off_t>(newLength)) != 0)
        ThrowStreamError();
}

void CStdioFile::Flush()
{
    if (!m_pStream)
        return;
    errno = 0;
    if (std::fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    if (!m_pStream)
    {
        m_hFile = hFileNull;
        return;
    }
    FILE* stream = m_pStream;
    const CString name = m_strFileName;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    errno = 0;
    const int result = m_bOwnsStream ? std::fclose(stream) : std::fflush(stream);
    if (result != 0)
    {
        const DWORD win32 = Win32ErrorFromErrno(errno != 0 ? errno : EIO);
        AfxThrowFileException(FileExceptionCauseFromWin32(win32), static_cast<LONG>(win32), name);
    }
}

void CStdioFile::Abort()
{
    if (m_pStream && m_bOwnsStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}
