#include "foundation/PressureMode.h"

#include "foundation/ConfigFile.h"

#include <cerrno>
#include <cstdlib>

namespace
{
const char* const kPressureModeName = "Pressure Mode";
} // namespace

bool SavePressureMode(int units)
{
    if (units != PRESSURE_BAR && units != PRESSURE_KG_PER_CM2)
        return false;
    return CConfigFile::WriteSettingsFile(
        kPressureModeName, [units](CConfigFile& file) { file.WriteInt(kPressureModeName, units); });
}

int LoadPressureMode()
{
    int units = PRESSURE_BAR;
    CConfigFile::ReadSettingsFile(kPressureModeName, [&units](CConfigFile& file) {
        CString line, value;
        bool tooLong = false;
        if (!file.ReadSettingsLine(line, &tooLong) || tooLong || !CConfigFile::ValueAfterEquals(line, value))
            return;
        value.Trim();
        const char* begin = value;
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(begin, &end, 10);
        // A damaged value ("1x") keeps the default rather than guessing a unit; any whole number
        // but 0 is the other unit, so that every reader of the file shows and takes the same.
        if (end != begin && *end == '\0' && errno == 0)
            units = n == PRESSURE_BAR ? PRESSURE_BAR : PRESSURE_KG_PER_CM2;
    });
    return units;
}
