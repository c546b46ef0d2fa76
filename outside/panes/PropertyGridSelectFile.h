// CMFCPropertyGridSelectFileProperty: a choice of one file of a folder ("Transit Fix" files),
// offered by title in a drop-down list. The options are the folder's files that match the
// filter, compared without regard to case and sorted so; the value shown and yielded is the
// chosen file's title (its name without the extension). A folder that does not exist or holds
// no match gives no options and nothing chosen.
#pragma once

#include "platform/ui/PropertyGrid.h"

#include <vector>

class PLATFORM_API CMFCPropertyGridSelectFileProperty : public CMFCPropertyGridProperty
{
public:
    // strFolder: a Windows path ("C:\\MyData\\Transit Fix\\"); strFilter: a file dialog's
    // filter, "Transit Fix Files(*.tfx)|*.tfx||" (the patterns after the first bar, several
    // split by ';'), or a bare pattern ("*.tfx").
    CMFCPropertyGridSelectFileProperty(const CString& strName, const CString& strValue, const CString& strFolder,
                                       const CString& strFilter, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // Reads the folder again (after files were added or removed).
    void Refresh();
    // The chosen title; empty when none is.
    CString GetFileTitle() const;
    // The chosen file's full path (the folder and the file's name as found); empty when none.
    CString GetFilePath() const;
    const CString& GetFolder() const { return m_strFolder; }

    // The patterns of a filter text, lower case ("*.tfx").
    static std::vector<CString> FilterPatterns(const CString& strFilter);

    // Only a title among the options is taken.
    BOOL TextToVar(const CString& strText) override;

private:
    CString m_strFolder;
    CString m_strFilter;
    std::vector<CString> m_names; // the files found, in option order
};
