#include "marevo/TimeZone.h"

#include "foundation/ConfigFile.h"
#include "marevo/TideSettingsLines.h"

#include <algorithm>

CTimeZone::CTimeZone() : m_nZone(ZONE_PORT), m_nDecimals(2)
{
    Load();
}

void CTimeZone::Load()
{
    m_LoadProblems.clear();
    m_nZone = ZONE_PORT;
    m_nDecimals = 2;
    CConfigFile file;
    const CString path = file.GetSettingsFileName("TimeZone");
    CConfigFile::ReadSettingsFile("TimeZone", [&](CConfigFile& settings) {
        CTideSettingsLines lines(settings, path, m_LoadProblems);
        if (!lines.NextInt(&m_nZone))
            m_nZone = 0;
        if (!lines.NextInt(&m_nDecimals))
            m_nDecimals = 2;
    });
}

int CTimeZone::GetHeightDecimals() const
{
    return std::clamp(m_nDecimals, 0, 4);
}
