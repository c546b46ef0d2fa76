#include "foundation/TextFunctions.h"

#include <clocale>
#include <cmath>
#include <locale.h>
#include <cstdlib>
#include <cstdint>
#include <cstring>

namespace
{
// The largest magnitude that prints in `places` digits before the point and `decimals` after
// (all 9s): 10^places − 10^−decimals, which printed with `decimals` places reads as the 9s.
double AllNines(int places, int decimals)
{
    return std::pow(10.0, places > 0 ? places : 0) - std::pow(10.0, -decimals);
}

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
} // namespace

double AtofC(const char* text)
{
    return text ? strtod_l(text, nullptr, CLocale()) : 0.0;
}

CString FormatFixed(double value, int width, int decimals, bool plusSign, bool zeroPad)
{
    if (width == 0)
        return CString();
    if (decimals < 0)
        decimals = 2;

    // Places before the decimals: the width less the decimals and their point.
    const int before = width - decimals - (decimals > 0 ? 1 : 0);
    const double largest = AllNines(plusSign ? before - 1 : before, decimals);
    const double smallest = before < 3 ? 0.0 : -AllNines(before - 1, decimals);
    if (value > largest)
        value = largest;
    else if (value < smallest)
        value = smallest;

    CString format;
    format.Format("%c%s%s%d.%dlf", '%', plusSign ? "+" : "", zeroPad ? "0" : "", width, decimals);
    CString text;
    text.Format(format, value);
    return text;
}

CString FormatFixedInt(CString& text, int value, int width, bool plusSign, bool zeroPad)
{
    text.Empty();
    if (width < 1)
        return text;
    // In 64 bits, so that a width of 10 or more gives a limit past every int instead of an
    // overflow; 19 nines is the most an int64 holds.
    auto nines = [](int places) {
        int64_t n = 0;
        for (int i = 0; i < places && i < 18; ++i)
            n = n * 10 + 9;
        return n;
    };
    const int64_t largest = nines(plusSign ? width - 1 : width);
    const int64_t smallest = -nines(width - 1);
    int64_t v = value;
    if (v > largest)
        v = largest;
    else if (v < smallest)
        v = smallest;

    CString format;
    format.Format("%c%s%s%dd", '%', plusSign ? "+" : "", zeroPad ? "0" : "", width);
    text.Format(format, static_cast<int>(v));
    return text;
}

CString TrimTrailingZeros(const char* number)
{
    CString text(number);
    if (text.Find('.') < 0 || text.FindOneOf("eE") >= 0)
        return text;
    text.TrimRight(" 0");
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '.')
        text.Truncate(text.GetLength() - 1);
    if (text.IsEmpty() || text == "-" || text == "+")
        text = "0"; // ".000" is still a number
    return text;
}

void StripCrLf(CString& text)
{
    text.TrimRight("\r\n");
}

int CountLines(const char* text)
{
    if (!text || !*text)
        return 0;
    int lines = 0;
    const char* last = text;
    for (const char* p = text; *p; ++p)
    {
        if (*p == '\n')
            ++lines;
        last = p;
    }
    return *last == '\n' ? lines : lines + 1;
}

bool GetDelimitedField(const char* line, int index, CString& field, char separator, bool collapse)
{
    field.Empty();
    if (!line || index < 1)
        return false;
    const char* p = line;
    if (collapse)
        while (*p == separator)
            ++p;
    for (int i = 1; i < index; ++i)
    {
        const char* sep = std::strchr(p, separator);
        if (!sep || separator == '\0')
            return false;
        p = sep + 1;
        if (collapse)
        {
            while (*p == separator)
                ++p;
            if (!*p)
                return false; // trailing separators end the line, they open no field
        }
    }
    const char* end = std::strchr(p, separator);
    field = end ? CString(p, static_cast<int>(end - p)) : CString(p);
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNumericChar(char c)
{
    return IsDigit(c) || c == '.' || c == '+' || c == '-';
}

bool IsNumericText(const char* text)
{
    CString s(text);
    s.Trim(" \t");
    if (s.IsEmpty())
        return false;
    for (int i = 0; i < s.GetLength(); ++i)
        if (!IsNumericChar(s[i]))
            return false;
    return true;
}

bool IsInStringArray(const char* text, const CStringArray& entries)
{
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        if (entries[i].CompareNoCase(text ? text : "") == 0)
            return true;
    return false;
}

void* ReallocBuffer(void* buffer, size_t bytes)
{
    return buffer ? std::realloc(buffer, bytes) : std::malloc(bytes);
}
