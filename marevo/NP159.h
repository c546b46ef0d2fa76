// CNP159: the tide program's data set for one year: the tidal ports with their harmonic
// constants and corrections, the daily arguments and factors of four constituents, the moon's
// phases, and the tide curve of the port in use. It only reads the tide data files.
#pragma once

#include "marevo/TidalPort.h"
#include "marevo/TideLoadProblem.h"
#include "marevo/TideRecords.h"
#include "platform/core/Array.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <vector>

class CNP159
{
public:
    CNP159();
    ~CNP159();
    CNP159(const CNP159&) = delete;
    CNP159& operator=(const CNP159&) = delete;

    // Loads the yearly files of `year` (0: the local clock's year) from the tide data folder.
    // Nothing happens when that year is loaded and has factors and moon phases. The previous
    // ports, curves and load problems are dropped.
    void Load(int year);
    // The same from a given folder (ending in '\\').
    void LoadFromFolder(const CString& folder, int year);

    // Reads the "NP159" settings: the current port index and the four flags. Returns the index.
    int ReadSettings();

    // The current port with its curve, the ports being read for the loaded year when there are
    // none yet; null without ports. An index outside the list becomes 0.
    CTidalPort* GetCurrentPort();

    // See FindMoonInterval (TideCalendar.h), over the phase instants.
    bool GetMoonInterval(int64_t instant, int64_t* even, int64_t* odd) const;
    // See TideTimeOfDay (TideCalendar.h).
    static int64_t GetTimeOfDay(int dayOfYear, int year, int seconds);

    // What limited the last load and settings read, in the order it was met.
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }
    // The folder of the last load (empty when none was found).
    const CString& GetFolder() const { return m_strFolder; }

    BYTE m_bFlags[4];
    int m_nYear;
    int m_nCurrentPort;
    double m_dStart; // 00:00 of 1 January, seconds on the data set's count
    double m_dEnd;   // 00:00 of 1 January of the next year
    CArray<TidalFactorDef> m_TidalFactors;
    CArray<MoonPhaseDef> m_MoonPhases;
    CArray<int64_t> m_PhaseInstants; // seconds since 1970, four per moon record
    CArray<CTidalPort*>* m_pPorts;

private:
    void FreePorts();
    void ReadPorts(const CString& folder, int year);

    std::vector<TideLoadProblem> m_LoadProblems;
    CString m_strFolder;
};
