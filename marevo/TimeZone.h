// CTimeZone: how the tide panes show times and heights, from the settings file "TimeZone".
#pragma once

#include "marevo/TideLoadProblem.h"

#include <vector>

class CTimeZone
{
public:
    // How times are shown.
    enum ZONE
    {
        ZONE_UT = 0,   // universal time: a port's times less its zone offset
        ZONE_PORT = 1  // each port's own standard time, as its curve and tables give it
    };

    // Reads the settings file.
    CTimeZone();

    // The file's first two lines: the zone and the decimals. A line without a value gives 0 and
    // 2; a missing file gives 1 and 2.
    void Load();

    // ZONE_PORT for any value other than ZONE_UT: an unknown zone shows the times as stored.
    int GetZone() const { return m_nZone == ZONE_UT ? ZONE_UT : ZONE_PORT; }
    // Decimals of heights, held to 0..4 so that a damaged file cannot widen a cell past use.
    int GetHeightDecimals() const;

    // What the last read could not take, line by line (the file missing is none).
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }

    int m_nZone;     // the display zone of times (ZONE)
    int m_nDecimals; // the decimals of heights (metres)

private:
    std::vector<TideLoadProblem> m_LoadProblems;
};
