#include "features/FileStamp.h"

#include "platform/core/FileApi.h"
#include "platform/core/FileFind.h"

#include <cstring>

namespace
{
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The found file's last-write time and length; false when `path` names no file.
bool FindFileTime(const char* path, FILETIME& written, uint64_t& length)
{
    if (!path || !*path)
        return false;
    CFileFind finder;
    if (!finder.FindFile(path))
        return false;
    finder.FindNextFile();
    if (finder.IsDirectory())
        return false;
    if (!finder.GetLastWriteTime(&written))
        return false;
    length = finder.GetLength();
    return true;
}
} // namespace

bool StampFile(const char* path, FileStampDef& stamp)
{
    std::memset(&stamp, 0, sizeof(stamp));
    FILETIME written{0, 0};
    uint64_t length = 0;
    if (!FindFileTime(path, written, length))
        return false;
    WORD date = 0;
    WORD time = 0;
    // A time before 1980 has no DOS form: date and time stay 0, and the length still counts.
    if (FileTimeToDosDateTime(&written, &date, &time))
    {
        stamp.DosDate = date;
        stamp.DosTime = time;
    }
    stamp.Length = length;
    stamp.Valid = 1;
    return true;
}

bool MatchesStamp(const char* path, const FileStampDef& stamp)
{
    FileStampDef now;
    if (!StampFile(path, now))
        return false;
    return now.DosDate == stamp.DosDate && now.DosTime == stamp.DosTime && now.Length == stamp.Length;
}

CString FileSizeText(uint64_t length)
{
    double value = static_cast<double>(length);
    int unit = 0;
    while (value >= 1024.0)
    {
        value *= 0.0009765625;
        ++unit;
    }
    if (unit >= 4)
        return CString();
    CString text;
    text.Format("%.3lf", value);
    text.TrimRight('0');
    text.TrimRight('.');
    static const char* const kUnits[4] = {"b", "Kb", "Mb", "Gb"};
    text += kUnits[unit];
    return text;
}

CString DosTimeText(uint16_t dosTime)
{
    CString text;
    text.Format("%02d:%02d:%02d", dosTime >> 11, (dosTime >> 5) & 63, (dosTime & 31) * 2);
    return text;
}

int DosDateMonth(uint16_t dosDate)
{
    return (dosDate >> 5) & 15;
}

CString DosDateText(uint16_t dosDate)
{
    const int month = DosDateMonth(dosDate);
    CString text;
    text.Format("%02d %s %4d", dosDate & 31, kMonths[month >= 1 && month <= 12 ? month - 1 : 0],
                (dosDate >> 9) + 1980);
    return text;
}
