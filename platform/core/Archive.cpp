#include "platform/core/Archive.h"

#include "platform/core/Array.h"

#include <QString>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <type_traits>

static_assert(sizeof(LONGLONG) == 8 && sizeof(long long) == 8, "64-bit integers");
static_assert(!std::is_same<LONGLONG, long long>::value, "LONGLONG and long long need their own operators");

namespace
{
// Reading a string in slices keeps a corrupt length from allocating more than the file holds.
constexpr size_t kStringSlice = 1 << 16;
} // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*) : m_pFile(file), m_nMode(mode)
{
    if (!file)
        AfxThrowInvalidArgException();
    m_nBufSize = static_cast<size_t>(std::max(bufferSize, 128));
    m_buffer.resize(m_nBufSize);
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
}

void CArchive::CheckStoring() const
{
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
}

void CArchive::CheckLoading() const
{
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
}

void CArchive::FlushStore()
{
    if (m_nStoreUsed == 0)
        return;
    const size_t used = m_nStoreUsed;
    m_nStoreUsed = 0;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(used));
}

void CArchive::PutBytes(const void* data, size_t count)
{
    CheckStoring();
    const auto* in = static_cast<const BYTE*>(data);
    while (count > 0)
    {
        if (m_nStoreUsed == 0 && count >= m_nBufSize)
        {
            // Large blocks go straight to the file.
            const UINT n = static_cast<UINT>(std::min<size_t>(count, UINT_MAX / 2));
            m_pFile->Write(in, n);
            in += n;
            count -= n;
            continue;
        }
        const size_t n = std::min(count, m_nBufSize - m_nStoreUsed);
        std::memcpy(m_buffer.data() + m_nStoreUsed, in, n);
        m_nStoreUsed += n;
        in += n;
        count -= n;
        if (m_nStoreUsed == m_nBufSize)
            FlushStore();
    }
}

void CArchive::FillBuffer(size_t)
{
    m_nLoadPos = 0;
    m_nLoadEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_nBufSize));
}

UINT CArchive::Read(void* buffer, UINT count)
{
    CheckLoading();
    if (count == 0)
        return 0;
    if (!buffer)
        AfxThrowInvalidArgException();
    auto* out = static_cast<BYTE*>(buffer);
    size_t done = 0;
    while (done < count)
    {
        if (m_nLoadPos < m_nLoadEnd)
        {
            const size_t n = std::min(m_nLoadEnd - m_nLoadPos, count - done);
            std::memcpy(out + done, m_buffer.data() + m_nLoadPos, n);
            m_nLoadPos += n;
            done += n;
            continue;
        }
        const size_t left = count - done;
        if (left >= m_nBufSize)
        {
            const UINT got = m_pFile->Read(out + done, static_cast<UINT>(left));
            if (got == 0)
                break;
            done += got;
            continue;
        }
        FillBuffer(left);
        if (m_nLoadPos == m_nLoadEnd)
            break;
    }
    return static_cast<UINT>(done);
}

void CArchive::EnsureRead(void* buffer, UINT count)
{
    if (Read(buffer, count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
}

void CArchive::GetBytes(void* data, size_t count)
{
    auto* out = static_cast<BYTE*>(data);
    while (count > 0)
    {
        const UINT n = static_cast<UINT>(std::min<size_t>(count, UINT_MAX / 2));
        EnsureRead(out, n);
        out += n;
        count -= n;
    }
}

void CArchive::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    if (!buffer)
        AfxThrowInvalidArgException();
    PutBytes(buffer, count);
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsStoring())
    {
        FlushStore();
        return;
    }
    if (m_nLoadPos < m_nLoadEnd)
    {
        const LONGLONG unread = static_cast<LONGLONG>(m_nLoadEnd - m_nLoadPos);
        m_nLoadPos = m_nLoadEnd = 0;
        try
        {
            m_pFile->Seek(-unread, CFile::current);
        }
        catch (CException* e)
        {
            // A file that cannot seek keeps its position past the bytes read ahead.
            e->Delete();
        }
    }
}

void CArchive::Close()
{
    if (!m_pFile)
        return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nStoreUsed = 0;
    m_nLoadPos = m_nLoadEnd = 0;
}

LONGLONG CArchive::GetRemainingLength() const
{
    if (!m_pFile || IsStoring())
        return -1;
    const LONGLONG buffered = static_cast<LONGLONG>(m_nLoadEnd - m_nLoadPos);
    try
    {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        return buffered + static_cast<LONGLONG>(length > position ? length - position : 0);
    }
    catch (CException* e)
    {
        e->Delete();
        return -1;
    }
}

// ----- scalars: little-endian whatever the host -----

template <typename T> void CArchive::PutLE(T v)
{
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(v);
    BYTE bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
    {
        bytes[i] = static_cast<BYTE>(u & 0xFF);
        u = static_cast<U>(sizeof(T) > 1 ? (u >> 8) : 0);
    }
    PutBytes(bytes, sizeof(T));
}

template <typename T> T CArchive::GetLE()
{
    CheckLoading();
    using U = std::make_unsigned_t<T>;
    BYTE bytes[sizeof(T)];
    GetBytes(bytes, sizeof(T));
    U u = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        u = static_cast<U>((sizeof(T) > 1 ? (u << 8) : 0) | bytes[i]);
    return static_cast<T>(u);
}

CArchive& CArchive::operator<<(BYTE v)
{
    PutLE<uint8_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(char v)
{
    PutLE<uint8_t>(static_cast<uint8_t>(v));
    return *this;
}
CArchive& CArchive::operator<<(signed char v)
{
    PutLE<uint8_t>(static_cast<uint8_t>(v));
    return *this;
}
CArchive& CArchive::operator<<(WORD v)
{
    PutLE<uint16_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(short v)
{
    PutLE<int16_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(int v)
{
    PutLE<int32_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(unsigned v)
{
    PutLE<uint32_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(LONGLONG v)
{
    PutLE<int64_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(ULONGLONG v)
{
    PutLE<uint64_t>(v);
    return *this;
}
CArchive& CArchive::operator<<(long long v)
{
    PutLE<int64_t>(static_cast<int64_t>(v));
    return *this;
}
CArchive& CArchive::operator<<(unsigned long long v)
{
    PutLE<uint64_t>(static_cast<uint64_t>(v));
    return *this;
}
CArchive& CArchive::operator<<(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutLE<uint32_t>(bits);
    return *this;
}
CArchive& CArchive::operator<<(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutLE<uint64_t>(bits);
    return *this;
}
CArchive& CArchive::operator<<(bool v)
{
    PutLE<uint8_t>(v ? 1 : 0);
    return *this;
}

CArchive& CArchive::operator<<(const CString& s)
{
    const uint64_t length = static_cast<uint64_t>(s.GetLength());
    if (length < 0xFF)
    {
        PutLE<uint8_t>(static_cast<uint8_t>(length));
    }
    else
    {
        PutLE<uint8_t>(0xFF);
        if (length < 0xFFFE)
        {
            PutLE<uint16_t>(static_cast<uint16_t>(length));
        }
        else
        {
            PutLE<uint16_t>(0xFFFF);
            if (length < 0xFFFFFFFFu)
            {
                PutLE<uint32_t>(static_cast<uint32_t>(length));
            }
            else
            {
                PutLE<uint32_t>(0xFFFFFFFFu);
                PutLE<uint64_t>(length);
            }
        }
    }
    PutBytes(s.GetString(), static_cast<size_t>(length));
    return *this;
}

CArchive& CArchive::operator<<(const char* s)
{
    return *this << CString(s);
}

CArchive& CArchive::operator>>(BYTE& v)
{
    v = GetLE<uint8_t>();
    return *this;
}
CArchive& CArchive::operator>>(char& v)
{
    v = static_cast<char>(GetLE<uint8_t>());
    return *this;
}
CArchive& CArchive::operator>>(signed char& v)
{
    v = static_cast<signed char>(GetLE<uint8_t>());
    return *this;
}
CArchive& CArchive::operator>>(WORD& v)
{
    v = GetLE<uint16_t>();
    return *this;
}
CArchive& CArchive::operator>>(short& v)
{
    v = GetLE<int16_t>();
    return *this;
}
CArchive& CArchive::operator>>(int& v)
{
    v = GetLE<int32_t>();
    return *this;
}
CArchive& CArchive::operator>>(unsigned& v)
{
    v = GetLE<uint32_t>();
    return *this;
}
CArchive& CArchive::operator>>(LONGLONG& v)
{
    v = GetLE<int64_t>();
    return *this;
}
CArchive& CArchive::operator>>(ULONGLONG& v)
{
    v = GetLE<uint64_t>();
    return *this;
}
CArchive& CArchive::operator>>(long long& v)
{
    v = GetLE<int64_t>();
    return *this;
}
CArchive& CArchive::operator>>(unsigned long long& v)
{
    v = GetLE<uint64_t>();
    return *this;
}
CArchive& CArchive::operator>>(float& v)
{
    const uint32_t bits = GetLE<uint32_t>();
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}
CArchive& CArchive::operator>>(double& v)
{
    const uint64_t bits = GetLE<uint64_t>();
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}
CArchive& CArchive::operator>>(bool& v)
{
    v = GetLE<uint8_t>() != 0;
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    // The length prefix; a 0xFF 0xFFFE marker announces UTF-16 text and is followed by the
    // prefix proper, counted in characters.
    bool unicode = false;
    uint64_t length = 0;
    for (int pass = 0;; ++pass)
    {
        const uint8_t b = GetLE<uint8_t>();
        if (b < 0xFF)
        {
            length = b;
            break;
        }
        const uint16_t w = GetLE<uint16_t>();
        if (w == 0xFFFE)
        {
            if (pass > 0)
                AfxThrowArchiveException(CArchiveException::genericException, m_pFile->GetFilePath());
            unicode = true;
            continue;
        }
        if (w < 0xFFFF)
        {
            length = w;
            break;
        }
        const uint32_t d = GetLE<uint32_t>();
        length = d < 0xFFFFFFFFu ? d : GetLE<uint64_t>();
        break;
    }
    const uint64_t bytes = unicode ? length * 2 : length;
    // Asking the file costs system calls: only a long string is checked against it up front.
    const LONGLONG remaining = bytes > kStringSlice ? GetRemainingLength() : -1;
    if ((remaining >= 0 && bytes > static_cast<uint64_t>(remaining)) ||
        length > static_cast<uint64_t>(INT_MAX) || bytes / 2 > static_cast<uint64_t>(INT_MAX))
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());

    std::string text;
    for (uint64_t done = 0; done < bytes;)
    {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(bytes - done, kStringSlice));
        const size_t old = text.size();
        text.resize(old + n);
        GetBytes(&text[old], n);
        done += n;
    }
    if (!unicode)
    {
        s = CString(text);
        return *this;
    }
    QString wide;
    wide.reserve(static_cast<qsizetype>(length));
    for (size_t i = 0; i + 1 < text.size(); i += 2)
    {
        const char16_t c =
            static_cast<char16_t>(static_cast<uint8_t>(text[i]) | (static_cast<uint8_t>(text[i + 1]) << 8));
        wide.append(QChar(c));
    }
    s = CString::FromQString(wide);
    return *this;
}

// ----- counts and text lines -----

void CArchive::WriteCount(DWORD_PTR count)
{
    if (count < 0xFFFF)
    {
        PutLE<uint16_t>(static_cast<uint16_t>(count));
        return;
    }
    PutLE<uint16_t>(0xFFFF);
    if (count < 0xFFFFFFFFu)
    {
        PutLE<uint32_t>(static_cast<uint32_t>(count));
        return;
    }
    PutLE<uint32_t>(0xFFFFFFFFu);
    PutLE<uint64_t>(static_cast<uint64_t>(count));
}

DWORD_PTR CArchive::ReadCount()
{
    const uint16_t w = GetLE<uint16_t>();
    if (w != 0xFFFF)
        return w;
    const uint32_t d = GetLE<uint32_t>();
    if (d != 0xFFFFFFFFu)
        return d;
    return static_cast<DWORD_PTR>(GetLE<uint64_t>());
}

void CArchive::WriteString(LPCTSTR text)
{
    if (!text)
        AfxThrowInvalidArgException();
    PutBytes(text, std::strlen(text));
}

BOOL CArchive::ReadString(CString& line)
{
    CheckLoading();
    std::string text;
    bool any = false;
    for (;;)
    {
        if (m_nLoadPos == m_nLoadEnd)
            FillBuffer(1);
        if (m_nLoadPos == m_nLoadEnd)
            break;
        const char c = static_cast<char>(m_buffer[m_nLoadPos++]);
        any = true;
        if (c == '\n')
        {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            break;
        }
        text += c;
    }
    line = CString(text);
    return any ? TRUE : FALSE;
}

LPTSTR CArchive::ReadString(LPTSTR buffer, UINT maxChars)
{
    CheckLoading();
    if (!buffer)
        AfxThrowInvalidArgException();
    UINT n = 0;
    bool atEnd = false;
    while (n < maxChars)
    {
        if (m_nLoadPos == m_nLoadEnd)
            FillBuffer(1);
        if (m_nLoadPos == m_nLoadEnd)
        {
            atEnd = true;
            break;
        }
        const char c = static_cast<char>(m_buffer[m_nLoadPos++]);
        if (c == '\n' && n > 0 && buffer[n - 1] == '\r')
        {
            buffer[n - 1] = '\n';
            break;
        }
        buffer[n++] = c;
        if (c == '\n')
            break;
    }
    buffer[n] = '\0';
    return (n == 0 && atEnd) ? nullptr : buffer;
}

// ---------------------------------------------------------------------------------------
// Primitives of the container templates (Array.h)
// ---------------------------------------------------------------------------------------

bool AfxArchiveIsStoring(CArchive& ar)
{
    return ar.IsStoring() != FALSE;
}

void AfxArchiveWriteCount(CArchive& ar, INT_PTR count)
{
    if (count < 0)
        AfxThrowInvalidArgException();
    ar.WriteCount(static_cast<DWORD_PTR>(count));
}

INT_PTR AfxArchiveReadCount(CArchive& ar)
{
    const DWORD_PTR count = ar.ReadCount();
    // Every element takes at least one byte: a count beyond the bytes left is a short file,
    // found before the array is sized for it. Small counts cannot allocate much and are left
    // to the element reads.
    const LONGLONG remaining = count > 1024 ? ar.GetRemainingLength() : -1;
    if (count > static_cast<DWORD_PTR>(INTPTR_MAX) ||
        (remaining >= 0 && count > static_cast<DWORD_PTR>(remaining)))
        AfxThrowArchiveException(CArchiveException::endOfFile,
                                 ar.GetFile() ? ar.GetFile()->GetFilePath().GetString() : nullptr);
    return static_cast<INT_PTR>(count);
}

void AfxArchiveWriteBytes(CArchive& ar, const void* data, size_t bytes)
{
    const auto* in = static_cast<const BYTE*>(data);
    while (bytes > 0)
    {
        const UINT n = static_cast<UINT>(std::min<size_t>(bytes, UINT_MAX / 2));
        ar.Write(in, n);
        in += n;
        bytes -= n;
    }
}

void AfxArchiveReadBytes(CArchive& ar, void* data, size_t bytes)
{
    auto* out = static_cast<BYTE*>(data);
    while (bytes > 0)
    {
        const UINT n = static_cast<UINT>(std::min<size_t>(bytes, UINT_MAX / 2));
        ar.EnsureRead(out, n);
        out += n;
        bytes -= n;
    }
}

void AfxArchiveString(CArchive& ar, CString& s)
{
    if (ar.IsStoring())
        ar << s;
    else
        ar >> s;
}
