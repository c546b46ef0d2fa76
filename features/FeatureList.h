// CFeatureList: what every feature list keeps beside its array of features: the list's name
// (which names its settings files) and the edit state, that is which file and which point of
// it the user is editing. Also the writer and reader of the lists' "FLS" file lists.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <functional>

// A non-virtual base that each feature list class adds beside its CArray of feature pointers.
// The feature view keeps the same block as a member. Fields keep this order and these widths.
class CFeatureList
{
public:
    // The edit state at rest: nothing edited, every index -1 (none), texts empty, nothing
    // changed.
    CFeatureList();

    // Back to the state at rest; the list name and the changed flag stay (a change made in a
    // pane is still unsaved on the chart whatever is selected next).
    void ResetEditState();

    // Selects file `file` and its point `point` for editing, for lists whose files are point
    // arrays. A negative argument means the current index. The rest of the edit state is reset
    // first; an index out of range (file against `fileCount`, point against
    // `pointCount(file)`) leaves -1 there and stops, so a bad file also clears the point.
    void SetEditPoint(int file, int point, INT_PTR fileCount, const std::function<INT_PTR(int)>& pointCount);

    // Writes "Edit File Index" and "Edit Point Index" to the list's settings file
    // ("<list name>.INI" in the settings folder). False when the list has no name or the file
    // cannot be written.
    bool SaveEditIndices() const;
    // Reads them back in the same order; -1 for a missing file or line.
    bool LoadEditIndices();

    // Writes the list's "FLS" file: "[<section>]", then every entry of `names` on its own line.
    // True when the file was written whole. `names` is emptied in every case.
    bool SaveFileList(const char* section, CStringArray& names) const;
    // The entries of the list's "FLS" file, appended to `names`; false when it cannot be read.
    bool LoadFileList(CStringArray& names) const;

    // The file-list form at any path: the section line, then the entries.
    static bool WriteFileList(const char* fileName, const char* section, CStringArray& names);
    // The lines after the first "[" line, up to the end of the file, the next "[" line or a line
    // holding '='; blank lines are skipped. Appended to `names`; false when the file cannot be
    // read.
    static bool ReadFileList(const char* fileName, CStringArray& names);

    CString m_ListName;
    int32_t m_Editing;        // non-zero while an edit is under way
    int16_t m_EditFileIndex;  // -1 none
    int32_t m_EditPointIndex; // -1 none
    int16_t m_EditSubIndex;   // -1 none
    CString m_EditText[3];    // texts of the point under edit, shown and typed by the panes
    int32_t m_Changed;        // set by the panes after a drawn property changed
    // Why the last AddFile refused its file (empty: it did not): a file holding a value no
    // survey grid can hold is neither listed nor made an empty feature that a save would write
    // over it.
    CString m_strRefusal;

protected:
    // Loads the new `feature` from `path` and keeps its reader's refusal. Null, with the feature
    // deleted, when the reader refused the file; otherwise the feature, `loaded` its Load result.
    template <class Feature>
    Feature* LoadNewFeature(Feature* feature, const char* path, bool& loaded)
    {
        loaded = feature->Load(path);
        m_strRefusal = feature->m_strRefusal;
        if (m_strRefusal.IsEmpty())
            return feature;
        delete feature;
        return nullptr;
    }
};
