// CFileListPaths: what a feature list remembers about its "FLS" file list between a load and a
// save: the paths that did not load (kept, so that a drive that is not there today does not
// erase them from the user's list), and whether the list is the user's list at all, that is
// whether it was read from its file list in this run or written since.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <functional>

class CFileListPaths
{
public:
    // Reads the file list `fileName` and hands each path to `load` in file order; the paths it
    // refuses are kept as failures (replacing the earlier ones). False, with nothing kept and
    // the list not taken as the user's, when the file list cannot be read.
    bool Load(const char* fileName, const std::function<bool(const CString&)>& load);
    // Load with a new ELEMENT for each path, appended to `list` when its Load(path) succeeds
    // and deleted at once when it fails.
    template <class ELEMENT, class LIST> bool LoadElements(const char* fileName, LIST& list)
    {
        return Load(fileName, [&list](const CString& path) {
            auto* element = new ELEMENT;
            if (!element->Load(path))
            {
                delete element;
                return false;
            }
            list.Add(element);
            return true;
        });
    }
    // Writes `loaded` in order and then every failed path not among them, as the section
    // `section` of `fileName`; the list is the user's from then on. `loaded` is emptied. True
    // when the file was written whole.
    bool Save(const char* fileName, const char* section, CStringArray& loaded);

    // The paths that did not load at the last Load, in file order.
    const CStringArray& GetFailedPaths() const { return m_FailedPaths; }
    // True once the list was read from its file list or written: only then may a list write its
    // file list when it goes, or a list that never loaded would empty the user's file.
    bool IsUsersList() const { return m_bUsersList; }

private:
    CStringArray m_FailedPaths;
    bool m_bUsersList = false;
};
