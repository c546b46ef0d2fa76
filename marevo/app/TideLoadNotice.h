// CTideLoadNotice: the one message the Marevo program gives after its start and after each
// new year: which of the year's data is missing, then what of the data and settings files
// could not be read, file and record (or line) each.
#pragma once

#include "marevo/TideLoadProblem.h"
#include "platform/core/String.h"

#include <vector>

class CTideLoadNotice
{
public:
    // Problems listed in one message at most; a file damaged throughout is not listed whole.
    static constexpr size_t kShownProblems = 20;

    // A line of its own before the problems ("No tidal data for 2031").
    void AddLine(const CString& line);
    void AddProblems(const std::vector<TideLoadProblem>& problems);

    bool IsEmpty() const { return m_Lines.empty() && m_Problems.empty(); }
    // The whole message; empty when there is nothing to say.
    CString GetText() const;
    void Clear();

private:
    std::vector<CString> m_Lines;
    std::vector<TideLoadProblem> m_Problems;
};
