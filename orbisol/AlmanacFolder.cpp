#include "orbisol/AlmanacFolder.h"

#include "orbisol/AlmanacFile.h"

#include "foundation/Folders.h"
#include "platform/core/FileFind.h"

bool GetAlmanacFolder(CString& path)
{
    return FindMyDataFolder(path, "Star Almanac");
}

CString GetAlmanacFilePath(int year)
{
    CString folder;
    if (!GetAlmanacFolder(folder))
        return CString();
    CString path;
    // The year's last two digits, also for a year before 0 (no such almanac, but no "-1" name).
    const int digits = ((year % 100) + 100) % 100;
    path.Format("%ssarsun%02d.dat", folder.GetString(), digits);
    return path;
}

bool GetAlmanacYearRange(COleDateTime& first, COleDateTime& last)
{
    CString folder;
    if (!GetAlmanacFolder(folder))
        return false;
    CString pattern;
    pattern.Format("%ssarsun*.dat", folder.GetString());
    int lowest = 0;
    int highest = 0;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more)
    {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        CString title;
        if (!ReadAlmanacTitle(finder.GetFilePath(), title))
            continue;
        const int year = AlmanacTitleYear(title);
        if (year == 0)
            continue;
        if (lowest == 0 || year < lowest)
            lowest = year;
        if (year > highest)
            highest = year;
    }
    if (lowest == 0)
        return false;
    first = COleDateTime(lowest, 1, 1, 0, 0, 0);
    last = COleDateTime(highest, 12, 31, 23, 59, 59);
    return true;
}
