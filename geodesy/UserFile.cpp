#include "geodesy/UserFile.h"

#include "platform/core/File.h"

#include <cstring>

namespace
{
// Text lines and a block of a few dozen bytes: anything near this size is not such a file.
const ULONGLONG kMaxSize = 64 * 1024;
} // namespace

bool CUserFile::Read(const char* path)
{
    m_bytes.clear();
    m_pos = 0;
    if (!path || !*path)
        return false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    try
    {
        const ULONGLONG length = file.GetLength();
        if (length > kMaxSize)
            return false;
        m_bytes.resize(static_cast<size_t>(length));
        const UINT got = length ? file.Read(&m_bytes[0], static_cast<UINT>(length)) : 0;
        m_bytes.resize(got);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        m_bytes.clear();
        return false;
    }
    return true;
}

bool CUserFile::ReadLine(CString& line)
{
    const size_t end = m_bytes.find('\n', m_pos);
    if (end == std::string::npos)
        return false;
    size_t stop = end;
    if (stop > m_pos && m_bytes[stop - 1] == '\r')
        --stop;
    line = CString(m_bytes.data() + m_pos, static_cast<int>(stop - m_pos));
    m_pos = end + 1;
    return true;
}

bool CUserFile::ReadBytes(void* buffer, size_t count)
{
    if (m_bytes.size() - m_pos < count)
        return false;
    std::memcpy(buffer, m_bytes.data() + m_pos, count);
    m_pos += count;
    return true;
}
