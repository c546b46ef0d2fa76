// CFeatureCommon: the state every file-backed feature (boundary, route, sail line, structure)
// keeps beside its data: where its file lies, and whether it is shown and highlighted. Status
// and highlight live in an "INI" companion beside the feature file, with the same base name.
#pragma once

#include "platform/core/String.h"

#include <functional>

class CCsvParser;

// A non-virtual base: feature classes add it beside their record arrays.
class CFeatureCommon
{
public:
    CFeatureCommon() = default;

    // Takes `path` (null or empty: no file) as the feature's file, splits it into folder and
    // title, then reads the companion: status and highlight from its first two lines, true and
    // false for a missing file or line.
    void LoadStatus(const char* path);
    // Writes the companion ("Status", then "Highlight"). Skipped silently when the feature has
    // no file or the companion cannot be written; the old companion then stays as it was.
    void SaveStatus();

    // "<folder><title>.INI": beside the feature file; a bare title when the path has no folder.
    CString GetStatusFileName() const;

    // The settings file that keeps the column order of the feature file at `path`:
    // "<title>_DATA_ORDER" in the settings folder.
    static CString GetDataOrderFileName(const char* path);
    // The order kept for that file: `fallback` when there is none, it cannot be read, or it is
    // outside 0 .. orderCount - 1.
    static int ReadDataOrderFile(const char* path, int fallback, int orderCount);
    // Keeps `order` for the file at `path` ("Data Order", a 16-bit value); silently skipped when
    // it cannot be written.
    static void SaveDataOrderFile(const char* path, int order);

    // Hands each line of the text file at `path` to `record`, set into a CSV parser. A file that
    // cannot be read to its end keeps what was handed over before the failure. Nothing happens
    // for an empty path or a file that will not open. True when the file was read to its end.
    static bool ReadCsvLines(const char* path, const std::function<void(CCsvParser&)>& record);

    CString m_FilePath; // as passed to LoadStatus
    CString m_Folder;   // up to and including the last '\\'; empty without one
    CString m_Title;    // file name without folder and extension
    bool m_Status = true;
    bool m_Highlight = false;
    // Why the last Load refused the file (empty: it did not): the file name and line of a value
    // no survey grid can hold. A refused file loads no point at all.
    CString m_strRefusal;
};
