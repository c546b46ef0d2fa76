#include "foundation/CsvParser.h"

#include "foundation/NmeaChecksum.h"
#include "foundation/TextFunctions.h"

#include <cfloat>
#include <climits>
#include <cstdint>

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
    if (m_Line.IsEmpty() && field.IsEmpty())
        m_Line = " ";
    else
        AppendField(field);
    return m_Line;
}

CString CCsvParser::GetRecord()
{
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

// Blanks are spaces and tabs, except a tab that is the separator: trimming it would lose the
// empty fields of a tab-separated line.
void CCsvParser::TrimLeadingBlanks()
{
    m_Line.TrimLeft(m_Separator == '\t' ? " " : " \t");
}

bool CCsvParser::GetNumberToken(CString& token)
{
    token.Empty();
    if (m_Line.IsEmpty())
    {
        m_bEnd = true;
        return false;
    }
    TrimLeadingBlanks();
    if (m_Line.IsEmpty())
    {
        m_bEnd = true;
        return false;
    }
    if (m_Line[0] != m_Separator)
    {
        // Leading characters that cannot start a number (units, labels) are passed over.
        const int start = m_Line.FindOneOf(kNumberChars);
        if (start < 0)
        {
            m_Line.Empty();
        }
        else
        {
            token = m_Line.Mid(start).SpanIncluding(kNumberChars);
            m_Line = m_Line.Mid(start + token.GetLength());
        }
        TrimLeadingBlanks();
    }
    if (!m_Line.IsEmpty() && m_Line[0] == m_Separator)
        m_Line = m_Line.Mid(1);
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
    if (m_Line.IsEmpty())
    {
        m_bEnd = true;
        return false;
    }
    if (m_Line[0] != '"')
    {
        const int separator = m_Line.Find(m_Separator);
        if (separator < 0)
        {
            field = m_Line;
            m_Line.Empty();
        }
        else
        {
            field = m_Line.Left(separator);
            m_Line = m_Line.Mid(separator);
        }
    }
    else
    {
        // A separator inside the quotes belongs to the field, and a doubled quote stands for
        // one quote of the text (as the list exports write a cell that holds one); anything
        // between the closing quote and the next separator is not part of the field.
        const int n = m_Line.GetLength();
        int close = 1;
        for (; close < n; ++close)
        {
            if (m_Line[close] != '"')
                field += m_Line[close];
            else if (close + 1 < n && m_Line[close + 1] == '"')
                field += m_Line[close++];
            else
                break;
        }
        if (close >= n)
            m_Line.Empty();
        else
        {
            m_Line = m_Line.Mid(close + 1);
            const int separator = m_Line.Find(m_Separator);
            if (separator < 0)
                m_Line.Empty();
            else
                m_Line = m_Line.Mid(separator);
        }
    }
    TrimLeadingBlanks();
    if (!m_Line.IsEmpty() && m_Line[0] == m_Separator)
        m_Line = m_Line.Mid(1);
    m_Line.TrimRight(m_Separator == '\t' ? " " : " \t");
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
    if (m_Line.IsEmpty())
        return 0;
    int count = 1;
    for (int i = 0; i < m_Line.GetLength(); ++i)
        if (m_Line[i] == m_Separator)
            ++count;
    return count;
}

CString CCsvParser::FoldToSeparator()
{
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
    while (!parser.GetLine().IsEmpty() && parser.GetString(token))
        tokens.push_back(token);
    return tokens;
}
