#include "acoustic/engine/CalibrationSettings.h"

#include "foundation/ConfigFile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{
// The trimmed value of the next line; false at the end or without '='. The line is consumed
// either way, so the lines after it stay in their places.
bool NextValue(CConfigFile& file, CString& value)
{
    CString line;
    if (!file.ReadString(line) || !CConfigFile::ValueAfterEquals(line, value))
        return false;
    value.Trim();
    return !value.IsEmpty();
}

bool ParseWhole(const CString& text, long* value)
{
    const char* begin = text;
    char* end = nullptr;
    errno = 0;
    *value = std::strtol(begin, &end, 10);
    return end != begin && *end == '\0' && errno == 0;
}
} // namespace

double ReadFiniteDouble(CConfigFile& file, double defaultValue)
{
    CString value;
    if (!NextValue(file, value))
        return defaultValue;
    const char* begin = value;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    return (end != begin && *end == '\0' && std::isfinite(v)) ? v : defaultValue;
}

int ReadIntInRange(CConfigFile& file, int defaultValue, int minimum, int maximum)
{
    CString value;
    long v = 0;
    if (!NextValue(file, value) || !ParseWhole(value, &v) || v < minimum || v > maximum)
        return defaultValue;
    return static_cast<int>(v);
}

bool ReadFlag(CConfigFile& file, bool defaultValue)
{
    CString value;
    long v = 0;
    if (!NextValue(file, value) || !ParseWhole(value, &v))
        return defaultValue;
    return v != 0;
}
