#include "zuduzuro/CableTypeName.h"

#include <string>

namespace
{
struct NameEscapeDef
{
    char ch;
    const char* letters;
    bool bLeadingOnly;
};
const NameEscapeDef kNameEscapes[] = {
    {'=', "EQUALS", false}, {'[', "BRACKET", true}, {' ', "BLANK", true},
    {'\t', "TAB", true},    {'"', "QUOTE", true},   {'\xAB', "MARK", false},
};
// A control character is the word "C" and its two capital hexadecimal digits.
const int kControlWordLength = 6;

CString EscapeWord(const char* letters)
{
    return CString('\xAB') + letters + ">\xBB";
}

bool IsWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// 0xAB, one or more capitals or digits, '>', 0xBB: what a reader could take for an escape word.
bool BeginsEscapeWord(const std::string& s, size_t at)
{
    size_t i = at + 1;
    while (i < s.size() && IsWordChar(s[i]))
        ++i;
    return s[at] == '\xAB' && i > at + 1 && i + 1 < s.size() && s[i] == '>' && s[i + 1] == '\xBB';
}

bool IsEscapedControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n' && c != '\t';
}

int HexDigit(char c)
{
    return (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
}

// The control character of the word at `at`; -1 for any other text.
int ControlOfWord(const std::string& s, size_t at)
{
    if (s.size() - at < kControlWordLength || s[at + 1] != 'C' || s[at + 4] != '>' || s[at + 5] != '\xBB')
        return -1;
    const int high = HexDigit(s[at + 2]), low = HexDigit(s[at + 3]);
    if (high < 0 || low < 0 || !IsEscapedControl(static_cast<char>(high * 16 + low)))
        return -1;
    return high * 16 + low;
}

// The escape of the character at `at`; null when it stands as it is.
const NameEscapeDef* EscapeOf(const std::string& s, size_t at)
{
    for (const NameEscapeDef& e : kNameEscapes)
        if (e.ch == s[at] && (!e.bLeadingOnly || at == 0) && (e.ch != '\xAB' || BeginsEscapeWord(s, at)))
            return &e;
    return nullptr;
}
} // namespace

CString EscapeCableTypeName(const CString& name)
{
    const std::string& s = name.str();
    CString out;
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (const NameEscapeDef* escape = EscapeOf(s, i))
        {
            out += EscapeWord(escape->letters);
        }
        else if (IsEscapedControl(s[i]))
        {
            CString control;
            control.Format("C%02X", static_cast<unsigned>(static_cast<unsigned char>(s[i])));
            out += EscapeWord(control);
        }
        else
        {
            out += s[i];
        }
    }
    return out;
}

// Left to right, so that what one word gives back is never read as part of another.
CString UnescapeCableTypeName(const CString& field)
{
    const std::string& s = field.str();
    CString out;
    size_t i = 0;
    while (i < s.size())
    {
        size_t length = 0;
        char ch = s[i];
        if (s[i] == '\xAB')
        {
            for (const NameEscapeDef& e : kNameEscapes)
            {
                const CString word = EscapeWord(e.letters);
                if (s.compare(i, static_cast<size_t>(word.GetLength()), word.GetString()) == 0)
                {
                    ch = e.ch;
                    length = static_cast<size_t>(word.GetLength());
                }
            }
            const int control = ControlOfWord(s, i);
            if (control >= 0)
            {
                ch = static_cast<char>(control);
                length = kControlWordLength;
            }
        }
        out += ch;
        i += length > 0 ? length : 1;
    }
    return out;
}
