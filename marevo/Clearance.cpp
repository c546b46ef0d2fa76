#include "marevo/Clearance.h"

#include "foundation/ConfigFile.h"
#include "marevo/TideSettingsLines.h"

CClearance::CClearance() : m_bClearance(false), m_dValue{0.0, 0.0, 0.0}
{
    Load();
}

void CClearance::Load()
{
    m_LoadProblems.clear();
    m_bClearance = false;
    for (double& value : m_dValue)
        value = 0.0;
    CConfigFile file;
    const CString path = file.GetSettingsFileName("Clearance");
    CConfigFile::ReadSettingsFile("Clearance", [&](CConfigFile& settings) {
        CTideSettingsLines lines(settings, path, m_LoadProblems);
        int flag = 0;
        m_bClearance = lines.NextInt(&flag) && flag != 0;
        for (double& value : m_dValue)
            if (!lines.NextDouble(&value))
                value = 0.0;
    });
}
