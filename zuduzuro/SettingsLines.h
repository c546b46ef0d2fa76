// Settings-file lines that the anchor-cable program reads and writes beyond the common ones of
// CConfigFile: CSettingsLines walks a file's lines in the order its writer wrote them and takes
// each value only when it is a number within the range the caller gives; WriteName writes the
// "Name" line.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StdioFile.h"
#include "platform/core/String.h"

// One "<key> = <value>" line per call, in the writer's order. A value that is no number, or one
// outside the caller's range, is not taken: the caller's value stays, and a sentence naming the
// file, the line and the key says so (GetProblems).
//
// KEYS_CHECKED: blank lines are passed over and each line must hold the key (or header) asked
// for. The first that does not stops the walk: the file does not match (GetMismatch) and every
// later call takes nothing, so the caller can drop all it read.
// KEYS_IGNORED: each call takes the next line whatever its key; a missing line or one without
// '=' leaves the value as it was and is told nowhere, as a short file always read.
class CSettingsLines
{
public:
    enum KEY_RULE
    {
        KEYS_CHECKED,
        KEYS_IGNORED
    };
    // Which ends of a number's range belong to it.
    enum RANGE_ENDS
    {
        BOTH_ENDS,  // low <= x <= high
        BELOW_HIGH, // low <= x < high
        NEITHER_END // low < x < high
    };

    // `path` names the file in the sentences; `lines` must outlive the walk.
    CSettingsLines(const char* path, const CStringArray& lines, KEY_RULE rule);

    // A header line: `words` between runs of '-' or '.', compared without case. With
    // `wordsBegin` the line's words need only begin with `words` (a header that carries a name).
    bool Header(const char* words, bool wordsBegin = false);

    // The next value. True when it was taken into `value`.
    bool Number(const char* key, double low, double high, double& value, RANGE_ENDS ends = BOTH_ENDS);
    bool Integer(const char* key, int low, int high, int& value);
    // Any integer; non-zero is true.
    bool Flag(const char* key, bool& value);
    // The text after '=' less one leading blank, with the settings escapes turned back.
    bool Text(const char* key, CString& value);

    // KEYS_CHECKED: only blank lines are left; otherwise the file does not match.
    bool AtEnd();

    // A value the caller refuses after taking it, told against the line of the last key read:
    // "<file>, line <n>, "<key>": <why>".
    void Refuse(const char* key, const char* why);

    bool Mismatched() const { return !m_Mismatch.IsEmpty(); }
    // "<file>, line <n>: ..." for the first line that did not match; empty while all did.
    const CString& GetMismatch() const { return m_Mismatch; }
    // The values not taken, a sentence each.
    const CStringArray& GetProblems() const { return m_Problems; }
    // Lines walked so far (passed-over blank lines included); the next line has this index.
    int GetLinesRead() const { return m_Next; }

private:
    // The next line's value for `key`; false when there is none to take (see the key rules).
    bool NextValue(const char* key, CString& value);
    // The next line to look at: in KEYS_CHECKED blank lines are passed over. False at the end.
    bool NextLine(CString& line);
    void Mismatch(const char* expected, const CString& found);
    void NotTaken(const char* key, const CString& text, const char* rule, const CString& kept);

    CString m_Path;
    const CStringArray& m_Lines;
    KEY_RULE m_Rule;
    int m_Next = 0;
    int m_LastLine = 0; // 1-based line of the last value read
    CString m_Mismatch;
    CStringArray m_Problems;
};

// "Name = <text>\n", the text's CR, LF and commas written as their escapes.
void WriteName(CStdioFile& file, const char* text);
