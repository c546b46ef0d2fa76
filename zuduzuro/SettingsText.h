// CSettingsText: the lines of one of the program's small settings files, read whole, as an
// editor may have left it: CR LF, LF or CR line ends, a UTF-8 or UTF-16 byte-order mark. The
// lines come back as Windows-1252 text without their line ends, as the program writes them.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstddef>

class CSettingsText
{
public:
    enum READ_RESULT
    {
        TEXT_READ,    // the lines are there
        TEXT_MISSING, // no file at the path: nothing to read and nothing to tell
        TEXT_REFUSED  // a file is there but holds no text the program could have written
    };

    // The largest file taken; the program's settings files are a few kilobytes.
    static constexpr size_t kMaxBytes = 1 << 20;

    // Reads the file at the Windows path. A Ctrl-Z ends the text, as it does in text mode.
    // Refused: a file that cannot be opened or read, one larger than kMaxBytes, and one that
    // holds NUL bytes without a UTF-16 mark. GetRefusal then says why, naming the file.
    READ_RESULT Read(const char* path);

    // The lines in file order; the first is line 1.
    const CStringArray& GetLines() const { return m_Lines; }
    const CString& GetRefusal() const { return m_Refusal; }

    // Splits already decoded text at CR LF, LF or CR; a last line without a line end counts.
    static void SplitLines(const CString& text, CStringArray& lines);

private:
    READ_RESULT Refuse(const char* path, const char* why);

    CStringArray m_Lines;
    CString m_Refusal;
};
