// CCsvParser: builds one separated-field text record field by field (exports, listings, logs)
// and takes such a record apart again field by field, NMEA sentences with their checksum
// included.
//
// Built fields are joined by the separator and one blank ("1, 2.50, text"). Inside text
// fields CR, LF and the separator are written as escape words (0xAB, letters, '>', 0xBB) so a
// record always stays one line; GetString turns them back.
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <vector>

class CCsvParser
{
public:
    CCsvParser();

    // Building: each appends one field (after the separator and a blank when the line is not
    // empty) and returns the line so far.
    CString AddInt(int value);                     // "%d"
    CString AddShort(int16_t value);               // "%d"
    CString AddLong(long value);                   // "%ld"
    CString AddBool(bool value);                   // "1" or "0"
    CString AddDouble(double value, int decimals); // "%.*lf"
    // The text with CR, LF and the separator escaped; in double quotes when `quoted`. An empty
    // first field is written as one blank, so the next field still gets its separator.
    CString AddString(const char* text, bool quoted = false);
    CString AddFloat(float value, int decimals); // "%.*f"
    // The character as an unquoted text field (escaped as AddString escapes it).
    CString AddChar(char c);
    // For a sentence begun with SetLine("$..."): "*", the NMEA checksum of everything after
    // the '$' as two upper-case hexadecimal digits, then CR LF. An empty line stays empty.
    CString AddChecksum();
    // The line with CR LF appended when it is not empty.
    CString GetRecord();

    // Parsing. SetLine takes a record: CR and LF are removed; a sentence starting with '$'
    // whose third character from the end is '*' has its checksum checked
    // (IsChecksumValid) and the three characters removed.
    void SetLine(const char* text);
    // The next number token: the longest run of "+-0123456789.e?" after any other leading
    // characters; empty for an empty field. False, with the end flag set, when nothing is left.
    bool GetNumberToken(CString& token);
    // The next number; DBL_MAX ("no value") for an empty field, a '?' or the end of the line.
    double GetDouble();
    // The next number as an integer: the leading decimal integer of the number token (an
    // optional sign and digits; 0 when it starts with neither). 2147483647 ("no value") for an
    // empty field, a '?', the end of the line, or an integer beyond the 32-bit range.
    int GetInt();
    // The next text field, quoted or not, with its escapes turned back. False, with the end
    // flag set, when nothing is left.
    bool GetString(CString& field);
    CString GetString();
    // Separators in the line plus one; 0 for an empty line.
    int GetFieldCount() const;
    // For lines of unknown layout: a line without a comma has its tabs, or else its runs of
    // blanks, turned into commas (always commas, whatever the separator). Returns the line.
    CString FoldToSeparator();
    void SetSeparator(char separator);

    char GetSeparator() const { return m_Separator; }
    // The part of the line not read yet.
    CString GetLine() const { return m_Line.Mid(m_Pos); }
    // Whether nothing of the line is left to read.
    bool IsLineUsedUp() const { return m_Pos >= m_Line.GetLength(); }
    // Set when a read found the line used up; cleared by SetLine.
    bool IsEnd() const { return m_bEnd; }
    // Set by SetLine for a '$' sentence whose checksum matched.
    bool IsChecksumValid() const { return m_bChecksumValid; }

private:
    void AppendField(const CString& field);
    void TrimLeadingBlanks();
    CString Escape(const char* text) const;
    CString Unescape(const CString& text) const;
    // The line not yet read, from m_Pos on, made the whole of m_Line.
    void DropReadPart();

    // The line, read from m_Pos on: reading moves the position rather than cutting the text
    // off, so that a line of many fields costs its length once, not once per field.
    CString m_Line;
    int m_Pos = 0;
    char m_Separator = ',';
    CString m_SeparatorText;     // "%c"
    CString m_SeparatorAndBlank; // "%c "
    bool m_bEnd = false;
    bool m_bChecksumValid = false;
};

// The fields of one line of a CSV file, as the parser's GetString takes them one after the
// other (quoted fields with doubled quotes included); none for an empty line.
std::vector<CString> SplitCsvLine(const CString& line);
