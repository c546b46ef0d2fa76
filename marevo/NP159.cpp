#include "marevo/NP159.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "marevo/TideCalendar.h"
#include "marevo/TideFileReader.h"
#include "marevo/TideSettingsLines.h"
#include "marevo/TidePredictor.h"

#include <algorithm>

CNP159::CNP159()
    : m_bFlags{0, 0, 0, 0}, m_nYear(0), m_nCurrentPort(-1), m_dStart(0.0), m_dEnd(0.0),
      m_pPorts(new CArray<CTidalPort*>)
{
}

CNP159::~CNP159()
{
    FreePorts();
    delete m_pPorts;
}

void CNP159::FreePorts()
{
    for (CTidalPort* port : *m_pPorts)
        delete port;
    m_pPorts->RemoveAll();
}

void CNP159::Load(int year)
{
    CString folder;
    CTideFileReader::FindTideFolder(folder);
    LoadFromFolder(folder, year);
}

void CNP159::LoadFromFolder(const CString& folder, int year)
{
    if (year == 0)
    {
        DateTimeDef now;
        GetLocalDateTime(now);
        year = now.nYear;
    }
    if (year == m_nYear && !m_TidalFactors.IsEmpty() && !m_PhaseInstants.IsEmpty())
        return;
    m_strFolder = folder;
    m_LoadProblems.clear();
    FreePorts();
    m_TidalFactors.RemoveAll();
    m_MoonPhases.RemoveAll();
    m_PhaseInstants.RemoveAll();
    if (!folder.IsEmpty())
    {
        CTideFileReader reader(folder, year, m_LoadProblems);
        reader.ReadFactors(m_TidalFactors);
        reader.ReadMoon(m_MoonPhases, m_PhaseInstants);
        reader.ReadPorts(*m_pPorts);
    }
    m_nYear = year;
    m_dStart = static_cast<double>(TideYearStart(year));
    m_dEnd = static_cast<double>(TideYearEnd(year));
}

void CNP159::ReadPorts(const CString& folder, int year)
{
    CString from = folder;
    if (from.IsEmpty() && !CTideFileReader::FindTideFolder(from))
        return;
    CTideFileReader reader(from, year, m_LoadProblems);
    reader.ReadPorts(*m_pPorts);
}

int CNP159::ReadSettings()
{
    m_nCurrentPort = 0;
    const BYTE missing[4] = {1, 0, 1, 0};
    for (int i = 0; i < 4; ++i)
        m_bFlags[i] = missing[i];
    CConfigFile file;
    const CString path = file.GetSettingsFileName("NP159");
    CConfigFile::ReadSettingsFile("NP159", [&](CConfigFile& settings) {
        CTideSettingsLines lines(settings, path, m_LoadProblems);
        int number = 0;
        m_nCurrentPort = lines.NextInt(&number) ? number : 0;
        // Flags are kept in this order of bytes; the defaults are those of a file cut short.
        const int place[4] = {0, 2, 1, 3};
        const BYTE fallback[4] = {0, 1, 1, 0};
        for (int i = 0; i < 4; ++i)
            m_bFlags[place[i]] = lines.NextInt(&number) ? (number != 0) : fallback[i];
    });
    return m_nCurrentPort;
}

CTidalPort* CNP159::GetCurrentPort()
{
    if (m_pPorts->IsEmpty())
        ReadPorts(m_strFolder, m_nYear);
    if (m_pPorts->IsEmpty())
        return nullptr;
    if (m_nCurrentPort < 0 || m_nCurrentPort >= m_pPorts->GetSize())
        m_nCurrentPort = 0;
    CTidalPort* port = m_pPorts->GetAt(m_nCurrentPort);
    if (port->m_Curve.IsEmpty())
    {
        // Only the port in use holds a curve, so a year's load never holds more than one.
        for (CTidalPort* other : *m_pPorts)
            if (other != port)
                other->m_Curve.RemoveAll();
        CTidePredictor(m_TidalFactors, m_PhaseInstants)
            .ComputeCurve(*port, m_nYear, TideYearStart(m_nYear), TideYearEnd(m_nYear));
    }
    return port;
}

bool CNP159::GetMoonInterval(int64_t instant, int64_t* even, int64_t* odd) const
{
    return FindMoonInterval(m_PhaseInstants.GetData(), static_cast<int>(m_PhaseInstants.GetSize()),
                            std::is_sorted(m_PhaseInstants.begin(), m_PhaseInstants.end()), instant, even, odd);
}

int64_t CNP159::GetTimeOfDay(int dayOfYear, int year, int seconds)
{
    return TideTimeOfDay(dayOfYear, year, seconds);
}
