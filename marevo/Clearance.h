// CClearance: the under-keel clearance settings that the tide panes read: whether it is in use,
// and its three values.
#pragma once

#include "marevo/TideLoadProblem.h"

#include <vector>

class CClearance
{
public:
    // Loads the "Clearance" settings.
    CClearance();

    // Reads the "Clearance" settings file: a flag, then three numbers. A line that gives no
    // value leaves its value 0 (and false for the flag) and adds a load problem; a missing file
    // leaves all of them so, without one.
    void Load();

    // What limited the last read, line by line.
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }

    bool m_bClearance;
    double m_dValue[3];

private:
    std::vector<TideLoadProblem> m_LoadProblems;
};
