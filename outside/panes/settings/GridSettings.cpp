#include "outside/panes/settings/GridSettings.h"

#include "foundation/ConfigFile.h"

namespace
{
const char kFileName[] = "Grid Settings";
constexpr int kMaxDecimals = 6;

int InRange(int value, int low, int high, int fallback)
{
    return (value < low || value > high) ? fallback : value;
}
} // namespace

// Writer and reader side by side: the reader takes the lines in the writer's order.
bool SaveGridSettings(const GridSettingsDef& settings)
{
    return CConfigFile::WriteSettingsFile(kFileName, [&](CConfigFile& file) {
        file.WriteInt("Units", settings.Units);
        file.WriteInt("Grid Decimals", settings.GridDecimals);
        file.WriteInt("Distance Decimals", settings.DistanceDecimals);
    });
}

GridSettingsDef LoadGridSettings()
{
    GridSettingsDef settings;
    const GridSettingsDef defaults;
    CConfigFile::ReadSettingsFile(kFileName, [&](CConfigFile& file) {
        settings.Units = InRange(file.ReadInt(defaults.Units), 0, GRID_UNITS_COUNT - 1, defaults.Units);
        settings.GridDecimals =
            InRange(file.ReadInt(defaults.GridDecimals), 0, kMaxDecimals, defaults.GridDecimals);
        settings.DistanceDecimals =
            InRange(file.ReadInt(defaults.DistanceDecimals), 0, kMaxDecimals, defaults.DistanceDecimals);
    });
    return settings;
}

double GetUnitLength(int units)
{
    switch (units)
    {
    case GRID_UNITS_INTERNATIONAL_FEET:
        return 0.3048;
    case GRID_UNITS_US_SURVEY_FEET:
        return 1200.0 / 3937.0;
    default:
        return 1.0;
    }
}

const char* GetUnitName(int units)
{
    switch (units)
    {
    case GRID_UNITS_INTERNATIONAL_FEET:
        return "International Feet";
    case GRID_UNITS_US_SURVEY_FEET:
        return "US Survey Feet";
    default:
        return "Metres";
    }
}

const char* GetUnitSuffix(int units)
{
    switch (units)
    {
    case GRID_UNITS_INTERNATIONAL_FEET:
        return "ft";
    case GRID_UNITS_US_SURVEY_FEET:
        return "usft";
    default:
        return "m";
    }
}
