#include "geodetic/VersionText.h"

#include <cstdio>
#include <cstring>

namespace
{
const int kFileVersionMajor = 1;
// Appended after the date when a build carries one ("b" for a beta); none for releases.
const char* const kBuildSuffix = "";

// __DATE__ is "Mmm dd yyyy" in the compiler's fixed English form.
void BuildDate(int& year, int& month, int& day)
{
    static const char* const months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    char name[4] = {};
    year = 2000;
    month = 1;
    day = 1;
    if (std::sscanf(__DATE__, "%3s %d %d", name, &day, &year) != 3)
        return;
    const char* found = std::strstr(months, name);
    if (found)
        month = (int)(found - months) / 3 + 1;
}
} // namespace

CString FormatVersionText(int major, int year, int month, int day, const char* suffix)
{
    CString text;
    if (suffix && *suffix)
        text.Format("%d.%d.%d.%d%s ", major, year - 2000, month, day, suffix);
    else
        text.Format("%d.%d.%d.%d", major, year - 2000, month, day);
    return text;
}

CString GetVersionText()
{
    int year, month, day;
    BuildDate(year, month, day);
    return FormatVersionText(kFileVersionMajor, year, month, day, kBuildSuffix);
}
