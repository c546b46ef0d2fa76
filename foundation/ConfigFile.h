// CConfigFile: the one class through which the suite writes and reads its small settings
// files: lines of "<key> = <value>" and "[section]" lines, in the per-program settings folder
// or beside a data file.
//
// Readers are positional: each takes the next line, whatever its key, and parses the text
// after the first '='. A reader must therefore call them in exactly the writer's order; keep
// each writer and its reader side by side.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StdioFile.h"
#include "platform/core/String.h"

#include <functional>

// A pen as settings files keep it. In memory: style, thickness, colour, fill; in a file the
// colour comes first ("%s = %u, %d, %d, %d").
struct tagPen
{
    int16_t nStyle;     // Windows pen style (0 solid)
    int16_t nThickness; // line width class
    uint32_t Colour;    // COLORREF
    int16_t nFill;      // 0xFFFE hollow, 0xFFFF solid, smaller values a hatch style
};

// A file opened to be written anew is written to a temporary file beside it and put in its
// place by Close, so a settings file is always either the old one or the whole new one.
class CConfigFile : public CStdioFile
{
public:
    CConfigFile() = default;
    ~CConfigFile() override;

    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    void Close() override;
    void Abort() override;

    // A null or empty name raises the invalid-argument exception.
    void SetFilePath(const char* path) override;
    void WriteString(const char* text) override;
    BOOL ReadString(CString& line) override;
    using CStdioFile::ReadString;

    // Longest line a positional reader takes (bytes); a longer one is skipped to its end and
    // read as damaged, so a huge line is never held whole.
    static constexpr UINT kMaxLineLength = 64 * 1024;
    // The next line for a positional reader: as ReadString, at most kMaxLineLength bytes.
    BOOL ReadSettingsLine(CString& line, bool* tooLong = nullptr);

    // "<settings folder><name with blanks as '_'>.<extension>"; "INI" when the extension is
    // null or empty. The settings folder is looked up (and made) on every call.
    virtual CString GetSettingsFileName(const char* name, const char* extension = nullptr);

    // "<folder><name>.<extension>", or "<name>.<extension>" without a folder; the name as given.
    static CString MakeFileName(const char* folder, const char* name, const char* extension = nullptr);

    // Create (truncating), write, deny-write sharing, text mode.
    bool OpenForWrite(const char* folder, const char* name, const char* extension = nullptr);
    // The settings file of that name: read, deny-write sharing, text mode.
    bool OpenForRead(const char* name, const char* extension = nullptr);

    // Opens the path with those flags, hands the file to write and closes it. False when it
    // will not open, or when write or the close raises a framework exception: the file is then
    // aborted, so a file written anew leaves the old one in place.
    static bool WriteWhole(const char* path, UINT openFlags, const std::function<void(CConfigFile&)>& write);
    // The same for the settings file of that name, created anew with deny-write sharing in
    // text mode.
    static bool WriteSettingsFile(const char* name, const std::function<void(CConfigFile&)>& write,
                                  const char* extension = nullptr);
    // Opens the path with those flags and hands the file to read. A framework exception while
    // reading ends the reading quietly, keeping what was read. False when the file cannot be
    // opened (read is not called).
    static bool ReadWhole(const char* path, UINT openFlags, const std::function<void(CConfigFile&)>& read);
    // Hands the settings file of that name, opened for reading, to read. A framework exception
    // while reading ends the reading quietly, keeping what was read. False when the file cannot
    // be opened (read is not called).
    static bool ReadSettingsFile(const char* name, const std::function<void(CConfigFile&)>& read,
                                 const char* extension = nullptr);

    // Writers: one line each.
    void WriteInt(const char* key, int value);                            // "%s = %d\n"
    void WriteUnsigned(const char* key, unsigned value);                  // "%s = %u\n"
    void WriteBool(const char* key, bool value);                          // "%s = 1\n" / "%s = 0\n"
    void WriteChar(const char* key, char value);                          // "%s = %c\n"
    void WriteDouble(const char* key, double value, int decimals);        // "%s = %.*lf\n"
    void WritePen(const char* key, const tagPen& pen);                    // "%s = %u, %d, %d, %d\n"
    void WriteText(const char* key, const char* value);                   // escaped, "%s = %s\n"
    void WriteSection(const char* section, const CStringArray& entries);  // "[%s]\n" then "%s\n" each
    void WriteOutlineFile(const char* path);                              // WriteText("Outline File", path)

    // Positional readers: the default when no line is left, the line has no '=' or is longer
    // than kMaxLineLength; the line is consumed either way.
    int ReadInt(int defaultValue);
    int16_t ReadShort(int16_t defaultValue = 0);
    // The value read as a floating number and truncated ("12.9" gives 12); 600 when there is
    // no line or no '=', and for a value beyond the range of int.
    int ReadIntOr600();
    double ReadDouble(double defaultValue);
    // The integer after '=', non-zero being true.
    bool ReadBool(bool defaultValue);
    char ReadChar(char defaultValue);
    CString ReadText(const char* defaultValue = nullptr);
    tagPen ReadPen(const tagPen& defaultValue);

    // CR, LF and comma as 0xAB-marked letter sequences, so a value stays on one line and in one
    // comma-separated field; and back.
    static CString EscapeText(const char* value);
    static CString UnescapeText(const char* value);

    // The text after the first '=' of a settings line; false (value untouched) without one.
    static bool ValueAfterEquals(const CString& line, CString& value);

private:
    // The file a write-anew open will replace on Close; empty otherwise.
    CString m_strTarget;

    // The text after the first '=' of the next line; false at the end or without '='.
    bool NextValue(CString& value);
};
