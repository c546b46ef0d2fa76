#include "platform/core/MemFile.h"

#include "platform/core/FileApi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    Free();
}

void CMemFile::Free()
{
    if (m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes)
{
    Free();
    m_lpBuffer = buffer;
    m_nBufferSize = buffer ? size : 0;
    // A fixed buffer is the file's contents; a growable one is room to write into.
    m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_nGrowBytes = growBytes;
    m_bAutoDelete = false;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = true;
    return buffer;
}

BOOL CMemFile::Open(LPCTSTR fileName, UINT, CFileException*)
{
    m_strFileName = fileName;
    return TRUE;
}

void CMemFile::Grow(size_t newSize)
{
    if (newSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    size_t size = m_nBufferSize;
    while (size < newSize)
        size += m_nGrowBytes;
    void* grown = std::realloc(m_lpBuffer, size);
    if (!grown)
        AfxThrowMemoryException();
    m_lpBuffer = static_cast<BYTE*>(grown);
    m_nBufferSize = size;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (count == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (!buffer)
        AfxThrowInvalidArgException();
    const size_t n = std::min(static_cast<size_t>(count), m_nFileSize - m_nPosition);
    std::memcpy(buffer, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    if (!buffer)
        AfxThrowInvalidArgException();
    const size_t end = m_nPosition + count;
    Grow(end);
    // A gap left by seeking past the end reads as zeros.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = 0;
    switch (from)
    {
    case begin:
        base = 0;
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowInvalidArgException();
    }
    const LONGLONG position = base + offset;
    if (position < 0 || position > static_cast<LONGLONG>(std::numeric_limits<UINT>::max()))
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    m_nPosition = static_cast<size_t>(position);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG newLength)
{
    if (newLength > std::numeric_limits<UINT>::max())
        AfxThrowMemoryException();
    const size_t size = static_cast<size_t>(newLength);
    Grow(size);
    if (size > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, size - m_nFileSize);
    m_nFileSize = size;
    if (m_nPosition > size)
        m_nPosition = size;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    Free();
    m_strFileName.Empty();
}

void CMemFile::Abort()
{
    Close();
}
