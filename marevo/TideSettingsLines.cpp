#include "marevo/TideSettingsLines.h"

#include "foundation/ConfigFile.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

CTideSettingsLines::CTideSettingsLines(CConfigFile& file, const CString& path, std::vector<TideLoadProblem>& problems)
    : m_File(file), m_strPath(path), m_Problems(problems)
{
}

void CTideSettingsLines::Report(const char* reason)
{
    AddTideLoadProblem(m_Problems, m_strPath, m_nLine, reason, true);
}

bool CTideSettingsLines::NextValue(CString& value)
{
    ++m_nLine;
    CString text;
    bool tooLong = false;
    if (!m_File.ReadSettingsLine(text, &tooLong))
    {
        Report("the line is missing");
        return false;
    }
    if (tooLong || !CConfigFile::ValueAfterEquals(text, value))
    {
        Report(tooLong ? "the line is too long" : "the line has no '='");
        return false;
    }
    value.Trim();
    return true;
}

bool CTideSettingsLines::NextInt(int* number)
{
    CString value;
    if (!NextValue(value))
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(value, &end, 10);
    if (value.IsEmpty() || *end != '\0' || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
    {
        Report("the value is not a whole number");
        return false;
    }
    *number = static_cast<int>(parsed);
    return true;
}

bool CTideSettingsLines::NextDouble(double* number)
{
    CString value;
    if (!NextValue(value))
        return false;
    const char* begin = value.GetString();
    char* end = nullptr;
    const double parsed = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(parsed))
    {
        Report("the value is not a number");
        return false;
    }
    *number = parsed;
    return true;
}

bool CTideSettingsLines::NextText(CString* text)
{
    CString value;
    if (!NextValue(value))
        return false;
    if (value.IsEmpty())
    {
        Report("the line gives no text");
        return false;
    }
    *text = CConfigFile::UnescapeText(value);
    return true;
}
