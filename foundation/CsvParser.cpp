#include "foundation/CsvParser.h"

#include "foundation/NmeaChecksum.h"
#include "foundation/TextFunctions.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <string>

namespace
{
// Escape words of text fields: 0xAB, the word, '>', 0xBB. They differ from the settings-file
// escapes by the '>', so the two are never confused.
const char kEscapeCr[] = "\xAB"
                         "CR>\xBB";
const char kEscapeLf[] = "\xAB"
                         "LF>\xBB";
const char kEscapeSeparator[] = "\xAB"
                                "COMMA>\xBB";

const char kNumberChars[] = "+-0123456789.e?";
} // namespace

CCsvParser::CCsvParser()
{
    SetSeparator(',');
}

void CCsvParser::SetSeparator(char separator)
{
    m_Separator = separator;
    m_SeparatorText.Format("%c", separator);
    m_SeparatorAndBlank.Format("%c ", separator);
}

// ---------------------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------------------

void CCsvParser::AppendField(const CString& field)
{
    DropReadPart();
    if (!m_Line.IsEmpty())
        m_Line += m_SeparatorAndBlank;
    m_Line += field;
}

CString CCsvParser::AddInt(int value)
{
    CString field;
    field.Format("%d", value);
    AppendField(field);
    return m_Line;
}

CString CCsvParser::AddShort(int16_t value)
{
    CString field;
    field.Format("%d", static_cast<int>(value));
    AppendField(field);
    return m_Line;
}

CString CCsvParser::AddLong(long value)
{
    CString field;
    field.Format("%ld", value);
    AppendField(field);
    return m_Line;
}

CString CCsvParser::AddBool(bool value)
{
    return AddInt(value ? 1 : 0);
}

CString CCsvParser::AddDouble(double value, int decimals)
{
    CString field;
    field.Format("%.*lf", decimals, value);
    AppendField(field);
    return m_Line;
}

CString CCsvParser::AddFloat(float value, int decimals)
{
    CString field;
    field.Format("%.*f", decimals, static_cast<double>(value));
    AppendField(field);
    return m_Line;
}

CString CCsvParser::AddChar(char c)
{
    const char text[2] = {c, '\0'};
    return AddString(text);
}

CString CCsvParser::AddChecksum()
{
    DropReadPart();
    if (!m_Line.IsEmpty())
    {
        m_Line += FormatNmeaChecksum(ComputeNmeaChecksum(m_Line));
        m_Line += "\r\n";
    }
    return m_Line;
}

CString CCsvParser::Escape(const char* text) const
{
    CString escaped(text);
    escaped.Replace("\r", kEscapeCr);
    escaped.Replace("\n", kEscapeLf);
    escaped.Replace(m_SeparatorText, kEscapeSeparator);
    return escaped;
}

CString CCsvParser::Unescape(const CString& text) const
{
    CString plain(text);
    plain.Replace(kEscapeCr, "\r");
    plain.Replace(kEscapeLf, "\n");
    plain.Replace(kEscapeSeparator, m_SeparatorText);
    return plain;
}

CString CCsvParser::AddString(const char* text, bool quoted)
{
    CString field = Escape(text);
    if (quoted)
    {
        CString wrapped;
        wrapped.Format("\"%s\"", static_cast<LPCSTR>(field));
        field = wrapped;
    }
    DropReadPart();
    if (m_Line.IsEmpty() && field.IsEmpty())
        m_Line = " ";
    else
        AppendField(field);
    return m_Line;
}

CString CCsvParser::GetRecord()
{
    DropReadPart();
    if (!m_Line.IsEmpty())
        m_Line += "\r\n";
    return m_Line;
}

// ---------------------------------------------------------------------------------------
// Parsing
// ---------------------------------------------------------------------------------------

void CCsvParser::SetLine(const char* text)
{
    m_Line = text;
    m_Pos = 0;
    m_Line.Remove('\r');
    m_Line.Remove('\n');
    const int length = m_Line.GetLength();
    if (length >= 3 && m_Line[0] == '$' && m_Line[length - 3] == '*')
    {
        const CString expected = FormatNmeaChecksum(ComputeNmeaChecksum(m_Line));
        m_bChecksumValid = expected == m_Line.Right(3);
        m_Line.Truncate(length - 3);
    }
    else
    {
        m_bChecksumValid = false;
    }
    m_bEnd = false;
}

void CCsvParser::DropReadPart()
{
    if (m_Pos == 0)
        return;
    m_Line = m_Line.Mid(m_Pos);
    m_Pos = 0;
}

// Blanks are spaces and tabs, except a tab that is the separator: trimming it would lose the
// empty fields of a tab-separated line.
void CCsvParser::TrimLeadingBlanks()
{
    const std::string& line = m_Line.str();
    const size_t next = line.find_first_not_of(m_Separator == '\t' ? " " : " \t", static_cast<size_t>(m_Pos));
    m_Pos = next == std::string::npos ? m_Line.GetLength() : static_cast<int>(next);
}

bool CCsvParser::GetNumberToken(CString& token)
{
    token.Empty();
    if (IsLineUsedUp())
    {
        m_bEnd = true;
        return false;
    }
    TrimLeadingBlanks();
    if (IsLineUsedUp())
    {
        m_bEnd = true;
        return false;
    }
    const std::string& line = m_Line.str();
    if (line[static_cast<size_t>(m_Pos)] != m_Separator)
    {
        // Leading characters that cannot start a number (units, labels) are passed over.
        const size_t start = line.find_first_of(kNumberChars, static_cast<size_t>(m_Pos));
        if (start == std::string::npos)
        {
            m_Pos = m_Line.GetLength();
        }
        else
        {
            size_t end = line.find_first_not_of(kNumberChars, start);
            if (end == std::string::npos)
                end = line.size();
            token = CString(line.data() + start, static_cast<int>(end - start));
            m_Pos = static_cast<int>(end);
        }
        TrimLeadingBlanks();
    }
    if (!IsLineUsedUp() && line[static_cast<size_t>(m_Pos)] == m_Separator)
        ++m_Pos;
    return true;
}

double CCsvParser::GetDouble()
{
    CString token;
    GetNumberToken(token);
    if (token.IsEmpty() || token.Find('?') >= 0)
        return DBL_MAX;
    return AtofC(token);
}

int CCsvParser::GetInt()
{
    CString token;
    GetNumberToken(token);
    if (token.IsEmpty() || token.Find('?') >= 0)
        return INT_MAX;
    const char* c = token.GetString();
    const bool negative = *c == '-';
    if (*c == '-' || *c == '+')
        ++c;
    // Accumulated by hand so that a value beyond 32 bits is seen instead of wrapping.
    int64_t value = 0;
    for (; *c >= '0' && *c <= '9'; ++c)
    {
        value = value * 10 + (*c - '0');
        if (value > static_cast<int64_t>(INT_MAX) + 1)
            return INT_MAX;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return INT_MAX;
    return static_cast<int>(value);
}

bool CCsvParser::GetString(CString& field)
{
    field.Empty();
    TrimLeadingBlanks();
    if (IsLineUsedUp())
    {
        m_bEnd = true;
        return false;
    }
    const std::string& line = m_Line.str();
    const size_t n = line.size();
    const size_t at = static_cast<size_t>(m_Pos);
    if (line[at] != '"')
    {
        size_t separator = line.find(m_Separator, at);
        if (separator == std::string::npos)
            separator = n;
        field = CString(line.data() + at, static_cast<int>(separator - at));
        m_Pos = static_cast<int>(separator);
    }
    else
    {
        // A separator inside the quotes belongs to the field, and a doubled quote stands for
        // one quote of the text (as the list exports write a cell that holds one); anything
        // between the closing quote and the next separator is not part of the field.
        std::string text;
        size_t close = at + 1;
        for (; close < n; ++close)
        {
            if (line[close] != '"')
                text += line[close];
            else if (close + 1 < n && line[close + 1] == '"')
                text += line[close++];
            else
                break;
        }
        field = CString(text);
        const size_t separator = close >= n ? std::string::npos : line.find(m_Separator, close + 1);
        m_Pos = separator == std::string::npos ? static_cast<int>(n) : static_cast<int>(separator);
    }
    TrimLeadingBlanks();
    if (!IsLineUsedUp() && line[static_cast<size_t>(m_Pos)] == m_Separator)
        ++m_Pos;
    m_Line.TrimRight(m_Separator == '\t' ? " " : " \t");
    m_Pos = std::min(m_Pos, m_Line.GetLength());
    field = Unescape(field);
    return true;
}

CString CCsvParser::GetString()
{
    CString field;
    GetString(field);
    return field;
}

int CCsvParser::GetFieldCount() const
{
    if (IsLineUsedUp())
        return 0;
    int count = 1;
    for (int i = m_Pos; i < m_Line.GetLength(); ++i)
        if (m_Line[i] == m_Separator)
            ++count;
    return count;
}

CString CCsvParser::FoldToSeparator()
{
    DropReadPart();
    if (m_Line.Find(',') >= 0)
        return m_Line;
    if (m_Line.Find('\t') >= 0)
    {
        m_Line.Replace('\t', ',');
        return m_Line;
    }
    // Blanks at the ends of a column-aligned line separate nothing; as commas they would add
    // an empty first field and shift every column by one.
    CString folded(m_Line);
    folded.Trim(' ');
    while (folded.Replace("  ", " ") > 0)
    {
    }
    SetLine(folded);
    m_Line.Replace(' ', ',');
    return m_Line;
}

std::vector<CString> SplitCsvLine(const CString& line)
{
    std::vector<CString> tokens;
    CCsvParser parser;
    parser.SetLine(line);
    CString token;
    while (!parser.IsLineUsedUp() && parser.GetString(token))
        tokens.push_back(token);
    return tokens;
}
