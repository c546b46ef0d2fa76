#include "platform/core/String.h"

#include "platform/core/Exception.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
// The 0x80..0x9F row of Windows-1252; 0 marks the five bytes the code page leaves undefined,
// which pass through as the C1 control of the same value.
const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

QString Cp1252ToQString(const char* bytes, int length)
{
    if (!bytes)
        return QString();
    const size_t n = length < 0 ? std::strlen(bytes) : static_cast<size_t>(length);
    QString out;
    out.reserve(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i)
    {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0)
            out.append(QChar(kCp1252High[b - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(b)));
    }
    return out;
}

QByteArray QStringToCp1252(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    for (QChar qc : s)
    {
        const char16_t c = qc.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        {
            out.append(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
        {
            if (kCp1252High[i] == c || (kCp1252High[i] == 0 && c == 0x80 + i))
            {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.append(mapped);
    }
    return out;
}

CString CString::FromQString(const QString& s)
{
    const QByteArray b = QStringToCp1252(s);
    return CString(b.constData(), static_cast<int>(b.size()));
}

QString CString::ToQString() const
{
    return Cp1252ToQString(m_s.data(), GetLength());
}

char CString::GetAt(int i) const
{
    if (i < 0 || i >= GetLength())
        AfxThrowInvalidArgException();
    return m_s[static_cast<size_t>(i)];
}

void CString::SetAt(int i, char ch)
{
    if (i < 0 || i >= GetLength())
        AfxThrowInvalidArgException();
    m_s[static_cast<size_t>(i)] = ch;
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    AppendFormatV(fmt, args);
    va_end(args);
}

void CString::FormatV(const char* fmt, va_list args)
{
    m_s.clear();
    AppendFormatV(fmt, args);
}

void CString::AppendFormatV(const char* fmt, va_list args)
{
    if (!fmt)
        AfxThrowInvalidArgException();
    char local[256];
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(local, sizeof local, fmt, copy);
    va_end(copy);
    if (n < 0)
        return;
    if (static_cast<size_t>(n) < sizeof local)
    {
        m_s.append(local, static_cast<size_t>(n));
        return;
    }
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, args);
    m_s.append(big.data(), static_cast<size_t>(n));
}

int CString::Compare(const char* s) const
{
    const int r = std::strcmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const
{
    const int r = strcasecmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    const size_t p = m_s.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t p = m_s.find(sub, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const
{
    const size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* chars) const
{
    if (!chars)
        return -1;
    const size_t p = m_s.find_first_of(chars);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

CString CString::Left(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_s.substr(0, static_cast<size_t>(n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int n) const
{
    first = std::max(first, 0);
    n = std::max(n, 0);
    if (first >= GetLength())
        return CString();
    n = std::min(n, GetLength() - first);
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(n)));
}

CString CString::Right(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(n)));
}

CString CString::SpanIncluding(const char* chars) const
{
    const size_t p = m_s.find_first_not_of(chars ? chars : "");
    return p == std::string::npos ? *this : Left(static_cast<int>(p));
}

CString CString::SpanExcluding(const char* chars) const
{
    const size_t p = m_s.find_first_of(chars ? chars : "");
    return p == std::string::npos ? *this : Left(static_cast<int>(p));
}

// Letter case in the Windows-1252 sense would need the code page's tables; the
// system only ever folds ASCII letters (names, keys, extensions), so that is all we fold.
CString& CString::MakeUpper()
{
    for (char& c : m_s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(const char* chars)
{
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsBlank(m_s[i]))
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == ch)
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(const char* chars)
{
    const size_t p = m_s.find_first_not_of(chars ? chars : "");
    m_s.erase(0, p == std::string::npos ? m_s.size() : p);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_s.size();
    while (n > 0 && IsBlank(m_s[n - 1]))
        --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    size_t n = m_s.size();
    while (n > 0 && m_s[n - 1] == ch)
        --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    const size_t p = m_s.find_last_not_of(chars ? chars : "");
    m_s.resize(p == std::string::npos ? 0 : p + 1);
    return *this;
}

int CString::Replace(char oldCh, char newCh)
{
    int n = 0;
    for (char& c : m_s)
        if (c == oldCh)
        {
            c = newCh;
            ++n;
        }
    return n;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText);
    const std::string to(newText ? newText : "");
    int n = 0;
    std::string out;
    size_t pos = 0;
    for (;;)
    {
        const size_t hit = m_s.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_s, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n)
    {
        out.append(m_s, pos, std::string::npos);
        m_s.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    const size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    if (s)
        m_s.insert(static_cast<size_t>(index), s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = std::max(index, 0);
    if (count > 0 && index < GetLength())
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString CString::Tokenize(const char* delims, int& start) const
{
    if (start < 0)
        return CString();
    if (!delims || !*delims)
    {
        if (start < GetLength())
        {
            CString all = Mid(start);
            start = GetLength() + 1;
            return all;
        }
        start = -1;
        return CString();
    }
    const size_t from = m_s.find_first_not_of(delims, static_cast<size_t>(start));
    if (from == std::string::npos || static_cast<int>(from) >= GetLength())
    {
        start = -1;
        return CString();
    }
    size_t to = m_s.find_first_of(delims, from);
    if (to == std::string::npos)
        to = m_s.size();
    start = static_cast<int>(to) + 1;
    return CString(m_s.substr(from, to - from));
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_s.resize(static_cast<size_t>(minLength), '\0');
    return m_s.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

void CString::Truncate(int newLength)
{
    if (newLength < 0)
        AfxThrowInvalidArgException();
    if (newLength < GetLength())
        m_s.resize(static_cast<size_t>(newLength));
}
