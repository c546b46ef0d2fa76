// CUserFile: a small user geodesy file ("SPD", "PRJ") read whole, then taken apart as its
// text lines followed by a little-endian binary block.
#pragma once

#include "platform/core/String.h"

#include <string>

class CUserFile
{
public:
    // Reads the file (a Windows path); false when it cannot be opened or read, or is larger
    // than any such file can be.
    bool Read(const char* path);
    // The next line without its CR LF or LF; false when no line end is left.
    bool ReadLine(CString& line);
    // The next `count` bytes; false (nothing taken) when fewer are left.
    bool ReadBytes(void* buffer, size_t count);

private:
    std::string m_bytes;
    size_t m_pos = 0;
};
