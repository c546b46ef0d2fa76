#include "foundation/ConfigFile.h"

#include "foundation/Folders.h"
#include "platform/core/Exception.h"
#include "platform/core/FileApi.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
const char kEscCR[] = "\xAB"
                      "CR\xBB";
const char kEscLF[] = "\xAB"
                      "LF\xBB";
const char kEscComma[] = "\xAB"
                         "COMMA\xBB";

const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
} // namespace

CConfigFile::~CConfigFile()
{
    if (m_hFile == hFileNull)
        return;
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->Delete();
        Abort();
    }
}

BOOL CConfigFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    m_strTarget.Empty();
    const bool writesAnew = (openFlags & CFile::modeCreate) && !(openFlags & CFile::modeNoTruncate) &&
                            (openFlags & (CFile::modeWrite | CFile::modeReadWrite));
    if (!writesAnew || !fileName || !*fileName)
        return CStdioFile::Open(fileName, openFlags, error);
    CString temporary(fileName);
    temporary += ".new~";
    if (!CStdioFile::Open(temporary, openFlags, error))
        return FALSE;
    m_strTarget = fileName;
    return TRUE;
}

void CConfigFile::Close()
{
    const CString temporary = GetFilePath();
    const CString target = m_strTarget;
    m_strTarget.Empty();
    try
    {
        CStdioFile::Close(); // throws when the data did not reach the disk: the old file stays
    }
    catch (CException*)
    {
        // The half-written copy is of no use to anyone, and no later Abort knows its name.
        if (!target.IsEmpty())
            DeleteFileA(temporary);
        throw;
    }
    if (!target.IsEmpty() && !MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileA(temporary);
        AfxThrowFileException(CFileException::accessDenied, static_cast<LONG>(GetLastError()), target);
    }
}

void CConfigFile::Abort()
{
    const CString temporary = GetFilePath();
    const bool discard = !m_strTarget.IsEmpty();
    m_strTarget.Empty();
    CStdioFile::Abort();
    if (discard)
        DeleteFileA(temporary);
}

void CConfigFile::SetFilePath(const char* path)
{
    if (!path || !*path)
        AfxThrowInvalidArgException();
    CStdioFile::SetFilePath(path);
}

void CConfigFile::WriteString(const char* text)
{
    CStdioFile::WriteString(text);
}

BOOL CConfigFile::ReadString(CString& line)
{
    return CStdioFile::ReadString(line);
}

CString CConfigFile::GetSettingsFileName(const char* name, const char* extension)
{
    CString title(name);
    title.Replace(' ', '_');
    CString path;
    path.Format("%s%s.%s", GetSettingsFolder().GetString(), title.GetString(),
                (extension && *extension) ? extension : "INI");
    return path;
}

CString CConfigFile::MakeFileName(const char* folder, const char* name, const char* extension)
{
    const char* ext = (extension && *extension) ? extension : "INI";
    CString path;
    if (folder)
        path.Format("%s%s.%s", folder, name ? name : "", ext);
    else
        path.Format("%s.%s", name ? name : "", ext);
    return path;
}

bool CConfigFile::OpenForWrite(const char* folder, const char* name, const char* extension)
{
    return Open(MakeFileName(folder, name, extension), kWriteFlags) != FALSE;
}

bool CConfigFile::OpenForRead(const char* name, const char* extension)
{
    return Open(GetSettingsFileName(name, extension), kReadFlags) != FALSE;
}

bool CConfigFile::WriteWhole(const char* path, UINT openFlags, const std::function<void(CConfigFile&)>& write)
{
    CConfigFile file;
    if (!file.Open(path, openFlags))
        return false;
    try
    {
        write(file);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}

bool CConfigFile::WriteSettingsFile(const char* name, const std::function<void(CConfigFile&)>& write,
                                    const char* extension)
{
    CConfigFile file;
    return WriteWhole(file.GetSettingsFileName(name, extension), kWriteFlags, write);
}

bool CConfigFile::ReadSettingsFile(const char* name, const std::function<void(CConfigFile&)>& read,
                                   const char* extension)
{
    CConfigFile names;
    return ReadWhole(names.GetSettingsFileName(name, extension), kReadFlags, read);
}

bool CConfigFile::ReadWhole(const char* path, UINT openFlags, const std::function<void(CConfigFile&)>& read)
{
    CConfigFile file;
    if (!file.Open(path, openFlags))
        return false;
    try
    {
        read(file);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    file.Abort();
    return true;
}

void CConfigFile::WriteInt(const char* key, int value)
{
    CString line;
    line.Format("%s = %d\n", key, value);
    WriteString(line);
}

void CConfigFile::WriteUnsigned(const char* key, unsigned value)
{
    CString line;
    line.Format("%s = %u\n", key, value);
    WriteString(line);
}

void CConfigFile::WriteBool(const char* key, bool value)
{
    CString line;
    line.Format(value ? "%s = 1\n" : "%s = 0\n", key);
    WriteString(line);
}

void CConfigFile::WriteDouble(const char* key, double value, int decimals)
{
    CString line;
    line.Format("%s = %.*lf\n", key, decimals, value);
    WriteString(line);
}

void CConfigFile::WritePen(const char* key, const tagPen& pen)
{
    CString line;
    line.Format("%s = %u, %d, %d, %d\n", key, pen.Colour, pen.nStyle, pen.nThickness, pen.nFill);
    WriteString(line);
}

CString CConfigFile::EscapeText(const char* value)
{
    CString text(value);
    text.Replace("\r", kEscCR);
    text.Replace("\n", kEscLF);
    text.Replace(",", kEscComma);
    return text;
}

CString CConfigFile::UnescapeText(const char* value)
{
    CString text(value);
    text.Replace(kEscCR, "\r");
    text.Replace(kEscLF, "\n");
    text.Replace(kEscComma, ",");
    return text;
}

void CConfigFile::WriteText(const char* key, const char* value)
{
    CString line;
    line.Format("%s = %s\n", key, EscapeText(value).GetString());
    WriteString(line);
}

void CConfigFile::WriteSection(const char* section, const CStringArray& entries)
{
    CString line;
    line.Format("[%s]\n", section ? section : "");
    WriteString(line);
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        line.Format("%s\n", entries[i].GetString());
        WriteString(line);
    }
}

void CConfigFile::WriteOutlineFile(const char* path)
{
    WriteText("Outline File", path);
}

BOOL CConfigFile::ReadSettingsLine(CString& line, bool* tooLong)
{
    return CStdioFile::ReadString(line, kMaxLineLength, tooLong);
}

bool CConfigFile::NextValue(CString& value)
{
    CString line;
    bool tooLong = false;
    return ReadSettingsLine(line, &tooLong) && !tooLong && ValueAfterEquals(line, value);
}

bool CConfigFile::ValueAfterEquals(const CString& line, CString& value)
{
    const int eq = line.Find('=');
    if (eq < 0)
        return false;
    value = line.Mid(eq + 1);
    return true;
}

int CConfigFile::ReadInt(int defaultValue)
{
    CString value;
    return NextValue(value) ? std::atoi(value) : defaultValue;
}

int16_t CConfigFile::ReadShort(int16_t defaultValue)
{
    CString value;
    return NextValue(value) ? static_cast<int16_t>(std::atoi(value)) : defaultValue;
}

int CConfigFile::ReadIntOr600()
{
    constexpr int kDefault = 600;
    CString value;
    if (!NextValue(value))
        return kDefault;
    const double number = std::atof(value);
    // Converting a double beyond int's range is undefined, so such a value is no value.
    if (!(number > static_cast<double>(INT_MIN) - 1.0 && number < static_cast<double>(INT_MAX) + 1.0))
        return kDefault;
    return static_cast<int>(number);
}

double CConfigFile::ReadDouble(double defaultValue)
{
    CString value;
    return NextValue(value) ? std::atof(value) : defaultValue;
}

bool CConfigFile::ReadBool(bool defaultValue)
{
    CString value;
    return NextValue(value) ? std::atoi(value) != 0 : defaultValue;
}

void CConfigFile::WriteChar(const char* key, char value)
{
    CString line;
    line.Format("%s = %c\n", key, value);
    WriteString(line);
}

char CConfigFile::ReadChar(char defaultValue)
{
    CString value;
    if (!NextValue(value))
        return defaultValue;
    value.TrimLeft();
    return value.IsEmpty() ? defaultValue : value[0];
}

CString CConfigFile::ReadText(const char* defaultValue)
{
    CString value;
    if (!NextValue(value))
        return CString(defaultValue);
    if (!value.IsEmpty() && value[0] == ' ')
        value = value.Mid(1);
    return UnescapeText(value);
}

tagPen CConfigFile::ReadPen(const tagPen& defaultValue)
{
    tagPen pen = defaultValue;
    CString value;
    if (!NextValue(value))
        return pen;
    // The colour goes through a floating conversion, as the stored files were read; values
    // beyond 32 bits wrap rather than being undefined.
    const double colour = std::atof(value);
    if (std::isfinite(colour) && std::fabs(colour) < 9.2e18)
        pen.Colour = static_cast<uint32_t>(static_cast<int64_t>(std::trunc(colour)));
    int16_t* fields[3] = {&pen.nStyle, &pen.nThickness, &pen.nFill};
    int from = 0;
    for (int16_t* field : fields)
    {
        const int comma = value.Find(',', from);
        if (comma < 0)
            break;
        *field = static_cast<int16_t>(std::atoi(value.Mid(comma + 1)));
        from = comma + 1;
    }
    return pen;
}
