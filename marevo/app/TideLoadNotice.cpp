#include "marevo/app/TideLoadNotice.h"

void CTideLoadNotice::AddLine(const CString& line)
{
    m_Lines.push_back(line);
}

void CTideLoadNotice::AddProblems(const std::vector<TideLoadProblem>& problems)
{
    m_Problems.insert(m_Problems.end(), problems.begin(), problems.end());
}

void CTideLoadNotice::Clear()
{
    m_Lines.clear();
    m_Problems.clear();
}

CString CTideLoadNotice::GetText() const
{
    CString text;
    for (const CString& line : m_Lines)
    {
        if (!text.IsEmpty())
            text += "\n";
        text += line;
    }
    if (m_Problems.empty())
        return text;
    if (!text.IsEmpty())
        text += "\n\n";
    text += "Some tide data could not be read:";
    for (size_t i = 0; i < m_Problems.size() && i < kShownProblems; ++i)
        text += "\n" + m_Problems[i].Format();
    if (m_Problems.size() > kShownProblems)
    {
        CString more;
        more.Format("\n... and %d more.", static_cast<int>(m_Problems.size() - kShownProblems));
        text += more;
    }
    return text;
}
