// CZipper: a ZIP archive written with minizip, into which files are added as deflated entries
// named relative to a base folder and stamped with their last-write time in local time; and
// ZipFiles, which gathers the files of a folder into an archive there.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "platform/core/WinTypes.h"

class CZipper
{
public:
    CZipper() = default;
    // Closes the archive when open.
    ~CZipper();
    CZipper(const CZipper&) = delete;
    CZipper& operator=(const CZipper&) = delete;

    // Opens the archive at `path` (made absolute), adding to it when it exists and `append` is
    // set, else making it anew. Without a base folder the archive's own folder is the base.
    // False when it cannot be opened (an archive already open is closed first).
    bool OpenZip(const char* path, const char* baseFolder = nullptr, bool append = true);
    // Adds the file as one deflated entry. A path without ':' is taken against the base
    // folder. The entry's name is, with `keepName`, the file's name alone; otherwise the path
    // less a leading ".\", or a full path less the base folder. Refused (false): no archive
    // open, a path that begins with "..\" (unless keepName), a full path outside the base
    // folder (letter case aside), a name that climbs out through "..", a file that cannot be
    // read. True when the entry was written whole.
    bool AddFile(const char* path, bool keepName = false);
    // Writes the archive's directory and closes it; true when all that was written.
    bool CloseZip();

    bool IsOpen() const { return m_hZip != nullptr; }
    CString GetBaseFolder() const { return m_BaseFolder; }
    int GetFileCount() const { return m_nFiles; }
    ULONGLONG GetByteCount() const { return m_nBytes; }

private:
    void* m_hZip = nullptr; // minizip's zipFile
    CString m_BaseFolder;   // ends with '\'
    int m_nFiles = 0;
    ULONGLONG m_nBytes = 0;
};

// The last-write time of a file, as local time when `local` is set, else UTC. False, the time
// zeroed, when the file does not exist.
bool GetFileTime(const char* path, SYSTEMTIME* time, bool local);

// Adds every file of `folder` (ending in '\') that matches `pattern` ("*.bmp") to the archive
// "<folder><zipName>.zip", appending when it exists, in search order. With `deleteAfter` a
// file is deleted once its entry was written and the archive closed without error; a file
// whose entry failed, or every file when the archive failed, stays where it was. True when
// the archive was opened and closed without error; false, nothing deleted, when it could not
// be opened or no file matches.
bool ZipFiles(const char* folder, const char* zipName, const char* pattern, bool deleteAfter);
