#include "zuduzuro/SettingsLines.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace
{
bool NextValue(CStdioFile& file, CString& value)
{
    CString line;
    return file.ReadString(line) && CConfigFile::ValueAfterEquals(line, value);
}
} // namespace

double ReadFiniteNumber(CStdioFile& file)
{
    CString value;
    if (!NextValue(file, value))
        return 0.0;
    const double number = AtofC(value);
    return std::isfinite(number) ? number : 0.0;
}

int ReadInteger(CStdioFile& file)
{
    CString value;
    if (!NextValue(file, value))
        return 0;
    errno = 0;
    const long long number = std::strtoll(value, nullptr, 10);
    if (errno == ERANGE || number > INT_MAX || number < INT_MIN)
        return 0;
    return static_cast<int>(number);
}

void ReadValue(CStdioFile& file, CString& text)
{
    text.Empty();
    CString line;
    if (!file.ReadString(line))
        return;
    const int eq = line.Find('=');
    if (eq < 0)
        return;
    CString value = line.Mid(eq + 1);
    if (!value.IsEmpty() && value[0] == ' ')
        value = value.Mid(1);
    text = CConfigFile::UnescapeText(value);
}

void WriteName(CStdioFile& file, const char* text)
{
    CString line;
    line.Format("%s = %s\n", "Name", CConfigFile::EscapeText(text).GetString());
    file.WriteString(line);
}

bool ReadSection(CStdioFile& file, CString& name, CStringArray& lines)
{
    ULONGLONG start = file.GetPosition();
    CString line;
    if (!file.ReadString(line) || line.IsEmpty() || line[0] != '[')
    {
        file.Seek(static_cast<LONGLONG>(start), CFile::begin);
        return false;
    }
    const int close = line.Find(']');
    name = close >= 0 ? line.Mid(1, close - 1) : line.Mid(1);
    for (;;)
    {
        start = file.GetPosition();
        if (!file.ReadString(line))
            break;
        if ((!line.IsEmpty() && line[0] == '[') || line.Find('=') >= 0)
        {
            file.Seek(static_cast<LONGLONG>(start), CFile::begin);
            break;
        }
        lines.Add(line);
    }
    return true;
}
