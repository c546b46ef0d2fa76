#include "geodesy/RingBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

CRingBuffer::~CRingBuffer()
{
    Free();
}

void CRingBuffer::Reset()
{
    m_nRead = 0;
    m_nLastWritten = 0;
    m_nCount = 0;
}

bool CRingBuffer::Allocate(int size)
{
    Free();
    if (size <= 0)
        size = DEFAULT_CAPACITY;
    m_pData = new (std::nothrow) char[static_cast<size_t>(size)]();
    if (!m_pData)
        return false;
    m_nCapacity = size;
    return true;
}

void CRingBuffer::Free()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nRead = 0;
    m_nLastWritten = 0;
    m_nCapacity = 0;
    m_nCount = 0;
}

void CRingBuffer::Write(const char* bytes, int n)
{
    if (!bytes)
        return;
    if (n == 0)
        n = static_cast<int>(std::strlen(bytes));
    if (n <= 0)
        return;
    if (!m_pData && !Allocate(DEFAULT_CAPACITY))
        return;
    n = std::min(n, m_nCapacity);
    int at = 0;
    if (m_nCount > 0)
    {
        at = m_nLastWritten + 1;
        if (at >= m_nCapacity)
            at = 0;
    }
    else
    {
        m_nRead = 0;
    }
    const int first = std::min(n, m_nCapacity - at);
    std::memcpy(m_pData + at, bytes, static_cast<size_t>(first));
    if (n > first)
        std::memcpy(m_pData, bytes + first, static_cast<size_t>(n - first));
    m_nLastWritten = (at + n - 1) % m_nCapacity;
    m_nCount += n;
    if (m_nCount > m_nCapacity)
    {
        // The oldest unread bytes were overwritten: what is left starts after the newest.
        m_nCount = m_nCapacity;
        m_nRead = m_nLastWritten + 1 == m_nCapacity ? 0 : m_nLastWritten + 1;
    }
}

int CRingBuffer::GetCount(int* firstSegment) const
{
    if (firstSegment)
        *firstSegment = std::min(m_nCount, m_nCapacity - m_nRead);
    return m_nCount;
}

void CRingBuffer::CopyUnread(char* dest, int offset, int n) const
{
    if (n <= 0)
        return;
    int from = m_nRead + offset;
    if (from >= m_nCapacity)
        from -= m_nCapacity;
    const int first = std::min(n, m_nCapacity - from);
    std::memcpy(dest, m_pData + from, static_cast<size_t>(first));
    if (n > first)
        std::memcpy(dest + first, m_pData, static_cast<size_t>(n - first));
}

int CRingBuffer::CopyOut(char* dest) const
{
    if (!dest)
        return 0;
    CopyUnread(dest, 0, m_nCount);
    dest[m_nCount] = '\0';
    return m_nCount;
}

int CRingBuffer::CopyOut(CString& dest) const
{
    dest.Empty();
    if (m_nCount == 0)
        return 0;
    char* p = dest.GetBufferSetLength(m_nCount);
    CopyUnread(p, 0, m_nCount);
    dest.ReleaseBuffer(m_nCount);
    return m_nCount;
}

int CRingBuffer::FindUnread(char delimiter) const
{
    int first = 0;
    GetCount(&first);
    const void* hit = std::memchr(m_pData + m_nRead, delimiter, static_cast<size_t>(first));
    if (hit)
        return static_cast<int>(static_cast<const char*>(hit) - (m_pData + m_nRead));
    if (m_nCount > first)
    {
        hit = std::memchr(m_pData, delimiter, static_cast<size_t>(m_nCount - first));
        if (hit)
            return first + static_cast<int>(static_cast<const char*>(hit) - m_pData);
    }
    return -1;
}

// The length of the record to return; `skip` receives how many bytes of the record come
// before it (a record longer than the maximum keeps only its end). 0 when there is none.
int CRingBuffer::RecordLength(char delimiter, int maxLength, int* skip) const
{
    *skip = 0;
    if (!m_pData || m_nCapacity == 0 || m_nCount == 0)
        return 0;
    if (maxLength <= 0 || maxLength > m_nCapacity)
        maxLength = m_nCapacity;
    if (delimiter == '\0')
        return std::min(maxLength, m_nCount);
    const int at = FindUnread(delimiter);
    if (at < 0)
        return 0;
    const int record = at + 1;
    if (record > maxLength)
        *skip = record - maxLength;
    return record - *skip;
}

int CRingBuffer::ReadTo(char* dest, char delimiter, int maxLength, bool peek)
{
    if (!dest)
        return 0;
    dest[0] = '\0';
    int skip = 0;
    const int length = RecordLength(delimiter, maxLength, &skip);
    if (length == 0)
        return 0;
    CopyUnread(dest, skip, length);
    dest[length] = '\0';
    Consume(skip + length, peek);
    return length;
}

int CRingBuffer::ReadTo(CString& dest, char delimiter, int maxLength, bool peek)
{
    dest.Empty();
    int skip = 0;
    const int length = RecordLength(delimiter, maxLength, &skip);
    if (length == 0)
        return 0;
    char* p = dest.GetBufferSetLength(length);
    CopyUnread(p, skip, length);
    dest.ReleaseBuffer(length);
    Consume(skip + length, peek);
    return length;
}

void CRingBuffer::Consume(int n, bool peek)
{
    if (peek || n <= 0 || m_nCount == 0)
        return;
    n = std::min(n, m_nCount);
    m_nRead += n;
    if (m_nRead >= m_nCapacity)
        m_nRead -= m_nCapacity;
    m_nCount -= n;
    if (m_nCount == 0)
        Reset();
}
