// FileStampDef: what a binary cache keeps of the source file it was made from (last-write DOS
// date and time, length), so that a changed source is noticed; and the texts that show a
// file's size, date and time to the user.
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <type_traits>

// 16 bytes, stored as they stand (little-endian) in cache headers.
struct FileStampDef
{
    uint8_t Valid;    // 1 in stamps that caches write; left 0 where unused
    uint8_t Zero1;    // kept 0
    uint16_t DosTime; // hour << 11 | minute << 5 | second / 2, of the last write (UTC)
    uint16_t DosDate; // (year - 1980) << 9 | month << 5 | day, of the last write (UTC)
    uint16_t Zero2;   // kept 0
    uint64_t Length;  // bytes
};

static_assert(sizeof(FileStampDef) == 16 && std::is_trivially_copyable<FileStampDef>::value,
              "the stamp is stored byte for byte");

// Fills `stamp` (valid flag 1) from the file's last-write time and length. False, with the
// stamp all zero, when the file cannot be found.
bool StampFile(const char* path, FileStampDef& stamp);

// True when the file exists and its DOS date, DOS time and length equal the stamp's.
bool MatchesStamp(const char* path, const FileStampDef& stamp);

// "512b", "1.5Kb", "1Mb", "2.25Gb": the length in the largest unit of 1024 that leaves a
// value below 1024, to 3 decimals without trailing zeros; empty from 1024 Gb on.
CString FileSizeText(uint64_t length);
// "hh:mm:ss" of a DOS time.
CString DosTimeText(uint16_t dosTime);
// The month (1..12) of a DOS date; outside that range when the date is damaged.
int DosDateMonth(uint16_t dosDate);
// "dd Mon yyyy" of a DOS date; a month outside 1..12 is shown as "Jan".
CString DosDateText(uint16_t dosDate);
