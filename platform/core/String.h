// CString: a byte string in the Windows-1252 code page, as the stored files hold text.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdarg>
#include <string>

class QString;
class QByteArray;

class PLATFORM_API CString
{
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int length) : m_s(s ? std::string(s, static_cast<size_t>(length)) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
    CString(const std::string& s) : m_s(s) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* s)
    {
        m_s = s ? s : "";
        return *this;
    }
    CString& operator=(char ch)
    {
        m_s.assign(1, ch);
        return *this;
    }

    // Unicode only at the Qt boundary: these convert from and to Windows-1252.
    static CString FromQString(const QString& s);
    QString ToQString() const;

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    const char* GetString() const { return m_s.c_str(); }
    operator const char*() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    char GetAt(int i) const;
    void SetAt(int i, char ch);
    char operator[](int i) const { return GetAt(i); }

    CString& operator+=(const CString& s)
    {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s)
    {
        if (s)
            m_s += s;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_s += ch;
        return *this;
    }
    void Append(const char* s)
    {
        if (s)
            m_s += s;
    }
    void Append(const char* s, int n)
    {
        if (s && n > 0)
            m_s.append(s, static_cast<size_t>(n));
    }
    void AppendChar(char ch) { m_s += ch; }

    // printf semantics, "C" locale: a decimal point, never a comma.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormatV(const char* fmt, va_list args);

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    CString Left(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int n) const;
    CString Right(int n) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);

    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    // Tokens separated by any of `delims`; leading delimiters are skipped; at the end
    // returns an empty string and sets `start` to -1.
    CString Tokenize(const char* delims, int& start) const;

    // A writable buffer of at least `minLength` bytes plus a terminator.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    // Ends the buffer at `newLength`, or at its first NUL when -1.
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    void Truncate(int newLength);

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

private:
    std::string m_s;
};

using CStringA = CString;

// Windows-1252 <-> Unicode, for the Qt boundary.
PLATFORM_API QString Cp1252ToQString(const char* bytes, int length = -1);
PLATFORM_API QByteArray QStringToCp1252(const QString& s);
