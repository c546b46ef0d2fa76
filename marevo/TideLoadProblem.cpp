#include "marevo/TideLoadProblem.h"

CString TideLoadProblem::Format() const
{
    CString text;
    if (nRecord <= 0)
        text.Format("%s: %s", strFile.GetString(), strReason.GetString());
    else
        text.Format("%s %s %d: %s", strFile.GetString(), bLine ? "line" : "record", nRecord, strReason.GetString());
    return text;
}

void AddTideLoadProblem(std::vector<TideLoadProblem>& problems, const CString& path, int number,
                        const CString& reason, bool line)
{
    const int slash = path.ReverseFind('\\');
    TideLoadProblem problem;
    problem.strFile = slash < 0 ? path : path.Mid(slash + 1);
    problem.nRecord = number;
    problem.strReason = reason;
    problem.bLine = line;
    problems.push_back(problem);
}
