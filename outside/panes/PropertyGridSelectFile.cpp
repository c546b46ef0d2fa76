#include "outside/panes/PropertyGridSelectFile.h"

#include "platform/core/FileFind.h"

#include <algorithm>

namespace
{
// Case-blind order of names, with the bytes as the tie-break so the order is total.
bool NameLess(const CString& a, const CString& b)
{
    const int c = a.CompareNoCase(b);
    return c != 0 ? c < 0 : a.Compare(b) < 0;
}

CString TitleOf(const CString& name)
{
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}
} // namespace

CMFCPropertyGridSelectFileProperty::CMFCPropertyGridSelectFileProperty(const CString& strName,
                                                                       const CString& strValue,
                                                                       const CString& strFolder,
                                                                       const CString& strFilter, LPCTSTR lpszDescr,
                                                                       DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_strFolder(strFolder),
      m_strFilter(strFilter)
{
    AllowEdit(FALSE);
    if (!m_strFolder.IsEmpty() && m_strFolder[m_strFolder.GetLength() - 1] != '\\')
        m_strFolder += '\\';
    Refresh();
    // The value given is kept only when it names a file offered.
    TextToVar(strValue);
    m_varValueOrig = m_varValue;
}

std::vector<CString> CMFCPropertyGridSelectFileProperty::FilterPatterns(const CString& strFilter)
{
    // "Description|patterns|Description|patterns||": the patterns are every second field.
    std::vector<CString> fields;
    int start = 0;
    for (int i = 0; i <= strFilter.GetLength(); ++i)
        if (i == strFilter.GetLength() || strFilter[i] == '|')
        {
            fields.push_back(strFilter.Mid(start, i - start));
            start = i + 1;
        }
    std::vector<CString> patterns;
    const bool bare = strFilter.Find('|') < 0;
    for (size_t f = bare ? 0 : 1; f < fields.size(); f += bare ? 1 : 2)
    {
        const CString& field = fields[f];
        int from = 0;
        for (int i = 0; i <= field.GetLength(); ++i)
            if (i == field.GetLength() || field[i] == ';')
            {
                CString pattern = field.Mid(from, i - from);
                pattern.Trim();
                pattern.MakeLower();
                if (!pattern.IsEmpty() && std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
                    patterns.push_back(pattern);
                from = i + 1;
            }
    }
    return patterns;
}

void CMFCPropertyGridSelectFileProperty::Refresh()
{
    const CString chosen = GetFileTitle();
    m_names.clear();
    for (const CString& pattern : FilterPatterns(m_strFilter))
    {
        // A pattern with a folder in it could reach outside the folder: only names are taken.
        if (pattern.FindOneOf("\\/:") >= 0)
            continue;
        for (const CString& name : CFileFind::ListFileNames(m_strFolder + pattern))
            m_names.push_back(name);
    }
    std::sort(m_names.begin(), m_names.end(), NameLess);
    m_names.erase(std::unique(m_names.begin(), m_names.end(),
                              [](const CString& a, const CString& b) { return a.Compare(b) == 0; }),
                  m_names.end());
    RemoveAllOptions();
    for (const CString& name : m_names)
        AddOption(TitleOf(name), FALSE);
    // A choice whose file went away is no choice.
    if (!TextToVar(chosen))
        m_varValue = COleVariant("");
    Redraw();
}

CString CMFCPropertyGridSelectFileProperty::GetFileTitle() const
{
    return m_varValue.ToText();
}

CString CMFCPropertyGridSelectFileProperty::GetFilePath() const
{
    const CString title = GetFileTitle();
    if (title.IsEmpty())
        return CString();
    for (const CString& name : m_names)
        if (TitleOf(name) == title)
            return m_strFolder + name;
    return CString();
}

BOOL CMFCPropertyGridSelectFileProperty::TextToVar(const CString& strText)
{
    for (const CString& name : m_names)
        if (TitleOf(name) == strText)
        {
            m_varValue = COleVariant(strText);
            return TRUE;
        }
    return FALSE;
}
