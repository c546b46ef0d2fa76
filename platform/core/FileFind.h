// CFileFind: the entries of one folder whose names match a pattern with '*' and '?', in the
// Windows manner (letter case ignored; "*.*" matches every name, "name.*" also "name", and a
// pattern ending in '.' only names without an extension). Entries come in a fixed order, "."
// and ".." first (they are listed for every folder but a drive's root, when the pattern
// matches them), then by name without regard to case.
//
// Use as the framework's:
//     CFileFind finder;
//     BOOL more = finder.FindFile("C:\\MyData\\*.shp");
//     while (more) { more = finder.FindNextFile(); ... finder.GetFilePath() ... }
#pragma once

#include "platform/core/FileApi.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

#include <vector>

class PLATFORM_API CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    // Starts a search ("*.*" when null); FALSE when nothing matches or the folder is missing
    // (GetLastError: ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND). Names that cannot be
    // written in Windows-1252, or that hold a '\', are not listed.
    virtual BOOL FindFile(LPCTSTR pattern = nullptr, DWORD flags = 0);
    // Moves to the next entry; TRUE while more entries follow it.
    virtual BOOL FindNextFile();
    void Close();

    // The current entry (after a FindNextFile).
    CString GetFileName() const;
    // The search folder (GetRoot) followed by the name.
    CString GetFilePath() const;
    // The name without its extension.
    CString GetFileTitle() const;
    // The pattern's folder as an absolute Windows path ending in '\' (GetFullPathNameA form).
    CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* time) const;
    BOOL GetLastWriteTime(CTime& time) const;
    BOOL GetLastAccessTime(FILETIME* time) const;
    BOOL GetLastAccessTime(CTime& time) const;
    BOOL GetCreationTime(FILETIME* time) const;
    BOOL GetCreationTime(CTime& time) const;
    DWORD GetAttributes() const;
    BOOL MatchesMask(DWORD mask) const;
    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsCompressed() const { return FALSE; }

    // Does a name match a pattern, the Windows way (see above)?
    static bool MatchesPattern(const char* name, const char* pattern);
    // The names of the files (no folders, no "." or "..") that match the pattern, in no fixed
    // order; empty when none does or the folder is missing. The folder's listing alone tells
    // files from folders, so no file is looked at: fast on a folder of many thousand files.
    static std::vector<CString> ListFileNames(LPCTSTR pattern);

private:
    struct Entry
    {
        CString name;
        DWORD attributes = 0;
        ULONGLONG size = 0;
        FILETIME writeTime{0, 0};
        FILETIME accessTime{0, 0};
        FILETIME changeTime{0, 0};
    };
    const Entry* Current() const;

    std::vector<Entry> m_entries;
    CString m_root;
    int m_next = 0; // index of the entry FindNextFile moves to
};
