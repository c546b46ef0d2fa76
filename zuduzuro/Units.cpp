#include "zuduzuro/Units.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Exception.h"

const UnitDef g_TensionUnits[3] = {
    {"Tons", 1.0, "Tonnes", "Tons"},
    {"Kips", 2.2046226218487757, "Kips/Sq. Inch", "Kips"},
    {"Kiilonewtons", 9.80665, "Kilonewtons", "kN"},
};

const UnitDef g_MetricUnits[3] = {
    {"Metres", 1.0, "Metres", " m"},
    {"Kilometers", 1000.0, "Kilometers", "Km"},
    {"Germany Legal", 1.0000135965, "Metres", " m"},
};

const UnitDef g_FeetUnits[1] = {
    {"International", 0.3048, "Feet", "ft"},
};

namespace
{
const int kTensionRows = static_cast<int>(sizeof(g_TensionUnits) / sizeof(g_TensionUnits[0]));
const int kMetricRows = static_cast<int>(sizeof(g_MetricUnits) / sizeof(g_MetricUnits[0]));

// Reading a settings file the user may have damaged must not end the program: a failed read
// keeps the values read so far.
template <typename Reader> void ReadSettings(const char* name, Reader&& read)
{
    CConfigFile file;
    try
    {
        if (!file.OpenForRead(name))
            return;
        read(file);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}
} // namespace

int ReadUnitsMode(int& tableIndex, int& subUnit)
{
    tableIndex = 0;
    int mode = 0;
    ReadSettings("Units Mode", [&](CConfigFile& file) {
        mode = file.ReadInt(0);
        file.ReadInt(0); // kept in the file for other programs; not used here
        const int sub = file.ReadInt(0);
        if (sub != 0)
            subUnit = sub;
    });
    return mode;
}

void GetDistanceUnitName(CString& text, int mode, int tableIndex, int subUnit)
{
    static const char* const kImperial[4] = {"Ft.", "Yds", "Lnk", "Chn"};
    text.Empty();
    if (mode == UNITS_METRIC)
    {
        if (tableIndex >= 0 && tableIndex < kMetricRows)
            text = g_MetricUnits[tableIndex].szShortName;
    }
    else if (mode == UNITS_IMPERIAL)
    {
        if (subUnit >= 0 && subUnit < 4)
            text = kImperial[subUnit];
    }
}

double ToDistanceUnits(double metres)
{
    int tableIndex = 0;
    int subUnit = 0;
    const int mode = ReadUnitsMode(tableIndex, subUnit);
    double factor = 1.0;
    if (mode == UNITS_METRIC)
        factor = (tableIndex >= 0 && tableIndex < kMetricRows) ? g_MetricUnits[tableIndex].Factor : 1.0;
    else if (mode == UNITS_IMPERIAL)
    {
        factor = g_FeetUnits[0].Factor;
        switch (subUnit)
        {
        case IMPERIAL_YARDS:
            factor *= 3.0;
            break;
        case IMPERIAL_LINKS:
            factor *= 0.66;
            break;
        case IMPERIAL_CHAINS:
            factor *= 66.0;
            break;
        default:
            break;
        }
    }
    if (!(factor > 0.0))
        factor = 1.0;
    return metres / factor;
}

int ReadTensionMode()
{
    int mode = 0;
    ReadSettings("Tension Mode", [&](CConfigFile& file) { mode = file.ReadInt(0); });
    // A row the table does not hold would index past it wherever the mode is used.
    return (mode >= 0 && mode < kTensionRows) ? mode : 0;
}

double ToTensionUnits(double tonnes, int tensionMode)
{
    const int row = (tensionMode >= 0 && tensionMode < kTensionRows) ? tensionMode : 0;
    return tonnes * g_TensionUnits[row].Factor;
}

CString GetTensionUnitName(int tensionMode)
{
    const int row = (tensionMode >= 0 && tensionMode < kTensionRows) ? tensionMode : 0;
    return CString(g_TensionUnits[row].szShortName);
}
