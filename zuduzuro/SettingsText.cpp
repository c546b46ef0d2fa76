#include "zuduzuro/SettingsText.h"

#include "platform/core/Exception.h"
#include "platform/core/File.h"

#include <QString>

#include <string>
#include <vector>

namespace
{
const char kCtrlZ = '\x1A';

bool StartsWith(const std::string& bytes, const char* mark, size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

// UTF-16 code units from pairs of bytes, the first byte the low one when littleEndian. An odd
// last byte is no code unit and is dropped.
QString FromUtf16(const std::string& bytes, size_t from, bool littleEndian)
{
    std::u16string units;
    units.reserve((bytes.size() - from) / 2);
    for (size_t i = from; i + 1 < bytes.size(); i += 2)
    {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second));
    }
    return QString::fromStdU16String(units);
}
} // namespace

CSettingsText::READ_RESULT CSettingsText::Refuse(const char* path, const char* why)
{
    m_Lines.RemoveAll();
    m_Refusal.Format("%s %s.", path, why);
    return TEXT_REFUSED;
}

CSettingsText::READ_RESULT CSettingsText::Read(const char* path)
{
    m_Lines.RemoveAll();
    m_Refusal.Empty();

    std::string bytes;
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
    {
        if (error.m_cause == CFileException::fileNotFound || error.m_cause == CFileException::badPath)
            return TEXT_MISSING;
        return Refuse(path, "could not be opened");
    }
    try
    {
        const ULONGLONG length = file.GetLength();
        if (length > kMaxBytes)
            return Refuse(path, "is too large to be a settings file of this program");
        bytes.resize(static_cast<size_t>(length));
        size_t got = 0;
        while (got < bytes.size())
        {
            const UINT n = file.Read(&bytes[got], static_cast<UINT>(bytes.size() - got));
            if (n == 0)
                break;
            got += n;
        }
        bytes.resize(got);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return Refuse(path, "could not be read");
    }

    CString text;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        text = CString::FromQString(
            QString::fromUtf8(bytes.data() + 3, static_cast<qsizetype>(bytes.size() - 3)));
    else if (StartsWith(bytes, "\xFF\xFE", 2) || StartsWith(bytes, "\xFE\xFF", 2))
        text = CString::FromQString(FromUtf16(bytes, 2, bytes[0] == '\xFF'));
    else if (bytes.find('\0') != std::string::npos)
        return Refuse(path, "holds NUL bytes: it is no text file of this program");
    else
        text = CString(bytes);

    const int end = text.Find(kCtrlZ);
    if (end >= 0)
        text.Truncate(end);
    SplitLines(text, m_Lines);
    return TEXT_READ;
}

void CSettingsText::SplitLines(const CString& text, CStringArray& lines)
{
    const std::string& s = text.str();
    size_t start = 0;
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] != '\r' && s[i] != '\n')
            continue;
        lines.Add(CString(s.substr(start, i - start)));
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < s.size())
        lines.Add(CString(s.substr(start)));
}
