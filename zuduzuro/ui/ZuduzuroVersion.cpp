#include "zuduzuro/ui/ZuduzuroVersion.h"

#include <cstdio>
#include <cstring>

#ifndef ZUDUZURO_PRODUCT_MAJOR
#define ZUDUZURO_PRODUCT_MAJOR 0
#endif
// A reproducible build passes its date in the compiler's form; otherwise the compiler's own.
#ifndef ZUDUZURO_BUILD_DATE
#define ZUDUZURO_BUILD_DATE __DATE__
#endif

CString FormatZuduzuroVersion(int productMajor, const char* buildDate)
{
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char name[16] = {};
    int day = 0, year = 2000, month = 0;
    if (!buildDate || std::sscanf(buildDate, "%15s %d %d", name, &day, &year) != 3)
    {
        day = 0;
        year = 2000;
    }
    for (int i = 0; i < 12 && month == 0; ++i)
        if (std::strstr(name, kMonths[i]))
            month = i + 1;
    CString text;
    text.Format("%d.%d.%d.%d", productMajor, year - 2000, month, day);
    return text;
}

CString GetZuduzuroVersion()
{
    return FormatZuduzuroVersion(ZUDUZURO_PRODUCT_MAJOR, ZUDUZURO_BUILD_DATE);
}
