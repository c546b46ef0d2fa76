#include "zuduzuro/SettingsLines.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{
// Longest piece of a line quoted back in a sentence.
constexpr int kShownChars = 40;

const char kBlanks[] = " \t";
const char kHeaderMarks[] = "-.";

CString Shown(const CString& text)
{
    return text.GetLength() > kShownChars ? text.Left(kShownChars) + "..." : text;
}

// The leading-number rule of the stored files, less its silent 0: the text must begin (after
// blanks) with a digit, or a sign or point before one. "nan" and "inf" are no numbers.
bool BeginsWithNumber(const char* s)
{
    while (*s == ' ' || *s == '\t')
        ++s;
    if (*s == '+' || *s == '-')
        ++s;
    if (*s == '.')
        ++s;
    return *s >= '0' && *s <= '9';
}

CString FormatNumber(double value)
{
    CString text;
    text.Format("%g", value);
    return text;
}

CString FormatInteger(long long value)
{
    CString text;
    text.Format("%lld", value);
    return text;
}
} // namespace

CSettingsLines::CSettingsLines(const char* path, const CStringArray& lines, KEY_RULE rule)
    : m_Path(path), m_Lines(lines), m_Rule(rule)
{
}

bool CSettingsLines::NextLine(CString& line)
{
    while (m_Next < m_Lines.GetSize())
    {
        line = m_Lines[m_Next++];
        CString trimmed(line);
        trimmed.Trim(kBlanks);
        if (m_Rule == KEYS_IGNORED || !trimmed.IsEmpty())
            return true;
    }
    return false;
}

void CSettingsLines::Mismatch(const char* expected, const CString& found)
{
    if (Mismatched())
        return;
    if (found.IsEmpty())
        m_Mismatch.Format("%s, line %d: the file ends where %s was expected.", m_Path.GetString(),
                          static_cast<int>(m_Lines.GetSize()) + 1, expected);
    else
        m_Mismatch.Format("%s, line %d: %s was expected, the line reads \"%s\".", m_Path.GetString(), m_Next,
                          expected, Shown(found).GetString());
}

bool CSettingsLines::Header(const char* words, bool wordsBegin)
{
    if (Mismatched())
        return false;
    CString line;
    const bool any = NextLine(line);
    if (m_Rule == KEYS_IGNORED)
        return any;
    CString found(line);
    found.Trim(kBlanks);
    CString expected;
    expected.Format("the \"%s\" header", words);
    if (!any || found.IsEmpty() || CString(kHeaderMarks).Find(found[0]) < 0)
    {
        Mismatch(expected, found);
        return false;
    }
    found.Trim(kHeaderMarks);
    found.Trim(kBlanks);
    const CString want(words);
    const bool match = wordsBegin
                           ? found.Left(want.GetLength()).CompareNoCase(want) == 0 &&
                                 (found.GetLength() == want.GetLength() || found[want.GetLength()] == ' ')
                           : found.CompareNoCase(want) == 0;
    if (!match)
        Mismatch(expected, line.Trim(kBlanks));
    return match;
}

bool CSettingsLines::NextValue(const char* key, CString& value)
{
    if (Mismatched())
        return false;
    CString line;
    const bool any = NextLine(line);
    m_LastLine = m_Next;
    if (m_Rule == KEYS_IGNORED)
        return any && CConfigFile::ValueAfterEquals(line, value);

    CString expected;
    expected.Format("\"%s\"", key);
    const int eq = any ? line.Find('=') : -1;
    CString found = eq >= 0 ? line.Left(eq) : CString();
    found.Trim(kBlanks);
    if (eq < 0 || found.CompareNoCase(key) != 0)
    {
        Mismatch(expected, any ? line.Trim(kBlanks) : CString());
        return false;
    }
    value = line.Mid(eq + 1);
    return true;
}

void CSettingsLines::NotTaken(const char* key, const CString& text, const char* rule, const CString& kept)
{
    CString why;
    why.Format("%s %s; %s is used instead.", Shown(CString(text).Trim(kBlanks)).GetString(), rule,
               kept.GetString());
    Refuse(key, why);
}

void CSettingsLines::Refuse(const char* key, const char* why)
{
    CString sentence;
    sentence.Format("%s, line %d, \"%s\": %s", m_Path.GetString(), m_LastLine, key, why);
    m_Problems.Add(sentence);
}

bool CSettingsLines::Number(const char* key, double low, double high, double& value, RANGE_ENDS ends)
{
    CString text;
    if (!NextValue(key, text))
        return false;
    const double number = BeginsWithNumber(text) ? AtofC(text) : NAN;
    if (std::isnan(number))
    {
        NotTaken(key, text, "is no number", FormatNumber(value));
        return false;
    }
    const bool within = ends == BOTH_ENDS    ? number >= low && number <= high
                        : ends == BELOW_HIGH ? number >= low && number < high
                                             : number > low && number < high;
    if (!within)
    {
        CString rule;
        rule.Format(ends == BOTH_ENDS    ? "is not from %g to %g"
                    : ends == BELOW_HIGH ? "is not from %g to below %g"
                                         : "is not between %g and %g",
                    low, high);
        NotTaken(key, text, rule, FormatNumber(value));
        return false;
    }
    value = number;
    return true;
}

bool CSettingsLines::Integer(const char* key, int low, int high, int& value)
{
    CString text;
    if (!NextValue(key, text))
        return false;
    if (!BeginsWithNumber(text))
    {
        NotTaken(key, text, "is no number", FormatInteger(value));
        return false;
    }
    errno = 0;
    const long long number = std::strtoll(text, nullptr, 10);
    if (errno == ERANGE || number < low || number > high)
    {
        CString rule;
        rule.Format("is not from %d to %d", low, high);
        NotTaken(key, text, rule, FormatInteger(value));
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool CSettingsLines::Flag(const char* key, bool& value)
{
    CString text;
    if (!NextValue(key, text))
        return false;
    if (!BeginsWithNumber(text))
    {
        NotTaken(key, text, "is no number", value ? "1" : "0");
        return false;
    }
    errno = 0;
    value = std::strtoll(text, nullptr, 10) != 0 || errno == ERANGE;
    return true;
}

bool CSettingsLines::Text(const char* key, CString& value)
{
    CString text;
    if (!NextValue(key, text))
        return false;
    if (!text.IsEmpty() && text[0] == ' ')
        text = text.Mid(1);
    value = CConfigFile::UnescapeText(text);
    return true;
}

bool CSettingsLines::AtEnd()
{
    if (Mismatched())
        return false;
    CString line;
    if (m_Rule == KEYS_IGNORED || !NextLine(line))
        return true;
    m_Mismatch.Format("%s, line %d: \"%s\" follows the file's last line.", m_Path.GetString(), m_Next,
                      Shown(line.Trim(kBlanks)).GetString());
    return false;
}

void WriteName(CStdioFile& file, const char* text)
{
    CString line;
    line.Format("%s = %s\n", "Name", CConfigFile::EscapeText(text).GetString());
    file.WriteString(line);
}
