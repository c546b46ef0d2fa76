#include "features/SettingsLines.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cstdlib>
#include <cmath>

bool CSettingsLines::Load(const char* fileName)
{
    m_Values.clear();
    m_Sections.clear();
    m_Next = 0;
    CStdioFile file;
    if (!fileName || !*fileName ||
        !file.Open(fileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;
    try
    {
        std::vector<CString>* section = nullptr;
        CString line;
        while (file.ReadString(line))
        {
            StripCrLf(line);
            CString trimmed(line);
            trimmed.Trim();
            if (trimmed.GetLength() >= 2 && trimmed[0] == '[' && trimmed[trimmed.GetLength() - 1] == ']')
            {
                const std::string name(trimmed.Mid(1, trimmed.GetLength() - 2));
                section = m_Sections.count(name) ? nullptr : &m_Sections[name];
                if (!section)
                    section = &m_Sections["\x01" + name]; // a repeated section is kept apart
                continue;
            }
            if (section)
            {
                CString counted(trimmed);
                if (counted.Remove(',') >= m_MinSeparators)
                {
                    section->push_back(trimmed);
                    continue;
                }
            }
            section = nullptr;
            m_Values.push_back(line);
        }
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

bool CSettingsLines::NextValue(CString& value)
{
    if (m_Next >= m_Values.size())
        return false;
    return CConfigFile::ValueAfterEquals(m_Values[m_Next++], value);
}

int CSettingsLines::ReadInt(int defaultValue)
{
    CString value;
    return NextValue(value) ? std::atoi(value) : defaultValue;
}

bool CSettingsLines::ReadBool(bool defaultValue)
{
    CString value;
    return NextValue(value) ? std::atoi(value) != 0 : defaultValue;
}

unsigned CSettingsLines::ReadUnsigned(unsigned defaultValue)
{
    CString value;
    if (!NextValue(value))
        return defaultValue;
    const double number = AtofC(value);
    // Colours and counts are 32-bit; a damaged value keeps the default rather than wrapping.
    if (!std::isfinite(number) || number < 0.0 || number > 4294967295.0)
        return defaultValue;
    return static_cast<unsigned>(number);
}

double CSettingsLines::ReadDouble(double defaultValue)
{
    CString value;
    return NextValue(value) ? AtofC(value) : defaultValue;
}

CString CSettingsLines::ReadText(const char* defaultValue)
{
    CString value;
    if (!NextValue(value))
        return CString(defaultValue ? defaultValue : "");
    if (!value.IsEmpty() && value[0] == ' ')
        value = value.Mid(1);
    return CConfigFile::UnescapeText(value);
}

void CSettingsLines::GetSection(const char* name, CStringArray& lines) const
{
    lines.RemoveAll();
    const auto it = m_Sections.find(name ? name : "");
    if (it == m_Sections.end())
        return;
    for (const CString& line : it->second)
        lines.Add(line);
}
