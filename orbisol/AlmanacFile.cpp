#include "orbisol/AlmanacFile.h"

#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
// A line, its line end and the terminating NUL.
using LineBuffer = std::array<char, kAlmanacLineMax + 2>;

enum class LineRead
{
    LINE,     // a whole line, without its line end, in the buffer
    END,      // nothing left
    TOO_LONG, // more than kAlmanacLineMax characters before the line end
    NUL_BYTE, // a NUL byte inside the line: not a text line
};

// Reads one line through the bounded buffer, never more than kAlmanacLineMax + 1 characters.
// ReadString does not say how many bytes it stored, and a NUL byte in the file would hide the
// rest of the line from strlen; so the buffer is filled with a marker first, and the stored
// length is where the marker run at the end of the buffer begins, less the terminator.
LineRead ReadBoundedLine(CStdioFile& file, LineBuffer& buffer)
{
    constexpr char kMarker = '\x01';
    buffer.fill(kMarker);
    if (!file.ReadString(buffer.data(), static_cast<UINT>(buffer.size())))
        return LineRead::END;
    size_t stored = buffer.size() - 1;
    while (stored > 0 && buffer[stored] == kMarker)
        --stored;
    // buffer[stored] is the terminator ReadString wrote.
    const bool hasLineEnd = stored > 0 && buffer[stored - 1] == '\n';
    const size_t length = hasLineEnd ? stored - 1 : stored;
    if (length > static_cast<size_t>(kAlmanacLineMax))
        return LineRead::TOO_LONG;
    if (std::memchr(buffer.data(), '\0', length))
        return LineRead::NUL_BYTE;
    buffer[length] = '\0';
    return LineRead::LINE;
}

// One number of a data line: blanks, then a number as strtod reads it ("%lf").
bool ParseNumber(const char*& text, double* value)
{
    char* end = nullptr;
    *value = std::strtod(text, &end);
    if (end == text)
        return false;
    text = end;
    return true;
}

// The month as "%d" reads it; a number beyond int is no month and is kept as such (INT_MAX).
bool ParseMonth(const char*& text, int* month)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text)
        return false;
    text = end;
    *month = (errno == ERANGE || value > INT_MAX || value < INT_MIN) ? INT_MAX : static_cast<int>(value);
    return true;
}

bool AllFinite(const SunAlmanacDef& record)
{
    const double* values = &record.dRa0;
    for (int i = 0; i < 14; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

void ClearMonths(SunAlmanacDef months[12])
{
    for (int i = 0; i < 12; ++i)
        months[i] = SunAlmanacDef{};
}

// Fills the error and clears the records: a failed file leaves nothing that looks like data.
bool Fail(SunAlmanacDef months[12], AlmanacLoadError* error, const char* path, int line, const char* reason)
{
    ClearMonths(months);
    if (error)
    {
        error->strFile = path;
        error->nLine = line;
        error->strReason = reason;
    }
    return false;
}

const char* LineFault(LineRead read)
{
    return read == LineRead::TOO_LONG ? "the line is longer than 1023 characters" : "the line holds a NUL byte";
}
} // namespace

CString AlmanacLoadError::Format() const
{
    CString text;
    if (IsEmpty())
        return text;
    if (nLine > 0)
        text.Format("%s, line %d: %s", strFile.GetString(), nLine, strReason.GetString());
    else
        text.Format("%s: %s", strFile.GetString(), strReason.GetString());
    return text;
}

CString AlmanacLoadError::FormatShort() const
{
    CString text;
    if (IsEmpty())
        return text;
    const int slash = std::max(strFile.ReverseFind('\\'), strFile.ReverseFind('/'));
    const CString name = strFile.Mid(slash + 1);
    if (nLine > 0)
        text.Format("%s line %d: %s", name.GetString(), nLine, strReason.GetString());
    else
        text.Format("%s: %s", name.GetString(), strReason.GetString());
    return text;
}

bool ParseAlmanacLine(const char* line, int* month, SunAlmanacDef* record, int* fields)
{
    int given = 0;
    int& counted = fields ? *fields : given;
    counted = 0;
    const char* text = line;
    SunAlmanacDef values{};
    double* value = &values.dRa0;
    if (!ParseMonth(text, month))
        return false;
    counted = 1;
    for (int i = 0; i < 14; ++i)
    {
        if (*text != ',')
            return false;
        ++text;
        if (!ParseNumber(text, &value[i]))
            return false;
        ++counted;
    }
    values.dDecCheckSum = record->dDecCheckSum;
    values.dECheckSum = record->dECheckSum;
    *record = values;
    return true;
}

bool ReadAlmanacFile(const char* path, SunAlmanacDef months[12], AlmanacLoadError* error)
{
    ClearMonths(months);
    if (error)
        *error = AlmanacLoadError{};
    CStdioFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText, &openError))
    {
        const bool missing = openError.m_cause == CFileException::fileNotFound;
        Fail(months, error, path, 0, missing ? "the file is missing" : "the file cannot be opened");
        if (error)
            error->bMissing = missing;
        return false;
    }
    try
    {
        LineBuffer buffer;
        const LineRead title = ReadBoundedLine(file, buffer);
        if (title == LineRead::END)
            return Fail(months, error, path, 1, "the file has no title line");
        if (title != LineRead::LINE)
            return Fail(months, error, path, 1, LineFault(title));
        int counted = 0;
        // Twelve data lines and one more, to tell a thirteenth from the end of the months.
        for (int lineNumber = 2; counted <= 12; ++lineNumber)
        {
            const LineRead read = ReadBoundedLine(file, buffer);
            if (read == LineRead::END)
                break;
            if (read != LineRead::LINE)
                return Fail(months, error, path, lineNumber, LineFault(read));
            int month = 0;
            int fields = 0;
            SunAlmanacDef record{};
            if (!ParseAlmanacLine(buffer.data(), &month, &record, &fields))
            {
                if (counted < 12)
                {
                    CString reason;
                    reason.Format("%d of 15 fields", fields);
                    return Fail(months, error, path, lineNumber, reason);
                }
                break; // a trailer after the twelve months
            }
            if (!AllFinite(record))
                return Fail(months, error, path, lineNumber, "the line holds a number that is not finite");
            ++counted;
            if (counted > 12)
                return Fail(months, error, path, lineNumber, "a thirteenth data line: the file gives more than 12 months");
            if (month < 1 || month > 12)
                continue;
            record.dDecCheckSum = 0.0 + record.dDa0 + record.dDa1 + record.dDa2 + record.dDa3 + record.dDa4;
            record.dECheckSum = 0.0 + record.dEa0 + record.dEa1 + record.dEa2 + record.dEa3 + record.dEa4;
            months[month - 1] = record;
        }
        if (counted < 12)
        {
            CString reason;
            reason.Format("the file ends after %d data lines, not 12", counted);
            return Fail(months, error, path, 0, reason);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        return Fail(months, error, path, 0, "the file cannot be read");
    }
    return true;
}

bool ReadAlmanacTitle(const char* path, CString& title)
{
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;
    try
    {
        LineBuffer buffer;
        if (ReadBoundedLine(file, buffer) != LineRead::LINE)
            return false;
        title = buffer.data();
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return true;
}

int AlmanacTitleYear(const char* title)
{
    const char* found = std::strstr(title, "Sun for");
    if (!found)
        return 0;
    // "Sun for" and the blank after it; a title ending right after "Sun for" has no year.
    if (found[7] == '\0')
        return 0;
    const int year = std::atoi(found + 8);
    return (year >= 1900 && year <= 2100) ? year : 0;
}
