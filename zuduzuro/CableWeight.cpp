#include "zuduzuro/CableWeight.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "zuduzuro/SettingsLines.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace
{
const char kSettingsName[] = "Cable Weight";
const char kSection[] = "Name, Diameter, Cable Weight In Air";

// What a missing file gives, and what a line that is no usable value falls back to.
constexpr double kMissingTemperature = 0.0;
constexpr double kMissingSalinity = 10.0;

// Where the equation of state holds; a value outside would make every density meaningless.
bool IsUsableTemperature(double t)
{
    return std::isfinite(t) && t >= -2.0 && t <= 40.0;
}

bool IsUsableSalinity(double s)
{
    return std::isfinite(s) && s >= 0.0 && s <= 42.0;
}

// Displaced water per metre of a round cable (kg/m); nothing for a diameter of 0 or less.
double DisplacedMass(int diameter, double density)
{
    if (diameter <= 0)
        return 0.0;
    const double r = diameter * 0.5 * 0.001;
    return M_PI * r * r * density;
}

// Splits one type row; false when a field is missing or no number, so that nothing past the
// 32-bit or double range ever reaches a weight.
bool ParseRow(const CString& line, CableWeightDef& row)
{
    CCsvParser parser;
    parser.SetLine(line);
    row.Name = parser.GetString();
    row.nDiameter = parser.GetInt();
    row.nWeightInWater = parser.GetInt();
    const double value = parser.GetDouble();
    if (row.nDiameter == INT_MAX || row.nWeightInWater == INT_MAX || !std::isfinite(value) ||
        value == DBL_MAX)
        return false;
    if (row.nWeightInWater != 0)
    {
        row.WeightInAir = 0.0;
        row.WeightInWater = value;
    }
    else
    {
        row.WeightInAir = value;
    }
    return true;
}
// A damaged row as it was read: its own text goes back to the file. Once the user has given
// it a name, a diameter or a weight, the row is written from its fields like any other.
bool IsUntouchedDamagedRow(const CableWeightDef& row)
{
    if (row.DamagedText.IsEmpty())
        return false;
    CCsvParser parser;
    parser.SetLine(row.DamagedText);
    return row.Name == parser.GetString() && row.nDiameter == 0 && row.nWeightInWater == 1 &&
           row.WeightInAir == 0.0 && row.WeightInWater == 0.0;
}
} // namespace

double SeawaterDensity(double t, double s)
{
    const double rhoW = 999.842594 + 6.793952e-2 * t - 9.095290e-3 * t * t + 1.001685e-4 * t * t * t -
                        1.120083e-6 * t * t * t * t + 6.536332e-9 * t * t * t * t * t;
    const double a =
        0.824493 - 4.0899e-3 * t + 7.6438e-5 * t * t - 8.2467e-7 * t * t * t + 5.3875e-9 * t * t * t * t;
    const double b = -5.72466e-3 + 1.0227e-4 * t - 1.6546e-6 * t * t;
    return rhoW + a * s + b * std::sqrt(s * s * s) + 4.8314e-4 * s * s;
}

double WeightInSeawater(int diameter, double weightInAir, double temperature, double salinity)
{
    return weightInAir - DisplacedMass(diameter, SeawaterDensity(temperature, salinity));
}

double WeightInFreshWater(int diameter, double weightInAir)
{
    return weightInAir - DisplacedMass(diameter, 1000.0);
}

CCableWeight::CCableWeight() : m_Salinity(kMissingSalinity), m_Temperature(kMissingTemperature)
{
    Load();
}

CCableWeight::~CCableWeight() = default;

void CCableWeight::AddBuiltInTypes()
{
    Add(CableWeightDef{"Default", 0, 1, 21.93, 21.93, CString()});
    Add(CableWeightDef{"Dyneema", 0, 1, 0.0, 0.0, CString()});
}

void CCableWeight::Load()
{
    RemoveAll();
    m_DamagedLines.RemoveAll();
    AddBuiltInTypes();
    m_Temperature = kMissingTemperature;
    m_Salinity = kMissingSalinity;

    CStringArray lines;
    const bool opened = CConfigFile::ReadSettingsFile(kSettingsName, [&](CConfigFile& file) {
        m_Temperature = file.ReadDouble(0.0);
        m_Salinity = file.ReadDouble(0.0);
        CString name;
        ReadSection(file, name, lines);
    });
    if (!opened)
        return;

    if (!IsUsableTemperature(m_Temperature))
    {
        m_Temperature = kMissingTemperature;
        m_DamagedLines.Add(1);
    }
    if (!IsUsableSalinity(m_Salinity))
    {
        m_Salinity = kMissingSalinity;
        m_DamagedLines.Add(2);
    }

    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        CableWeightDef row{CString(), 0, 0, 0.0, 0.0, CString()};
        if (!ParseRow(lines[i], row))
        {
            // Kept in its place, so the anchor's type indices still name the same rows, and
            // weightless, so the anchor says it has no cable weight instead of solving with it.
            row = CableWeightDef{row.Name, 0, 1, 0.0, 0.0, lines[i]};
            m_DamagedLines.Add(static_cast<int>(i) + 4);
        }
        else if (row.nWeightInWater == 0)
        {
            row.WeightInWater = WeightInSeawater(row.nDiameter, row.WeightInAir, m_Temperature, m_Salinity);
        }
        Add(row);
    }
}

bool CCableWeight::Save() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteDouble("Temperature", m_Temperature, 3);
        file.WriteDouble("Salinity", m_Salinity, 3);
        CStringArray rows;
        for (INT_PTR i = kBuiltInTypes; i < GetSize(); ++i)
        {
            const CableWeightDef& type = GetAt(i);
            if (IsUntouchedDamagedRow(type))
            {
                rows.Add(type.DamagedText);
                continue;
            }
            CCsvParser parser;
            parser.AddString(type.Name);
            parser.AddInt(type.nDiameter);
            parser.AddInt(type.nWeightInWater);
            rows.Add(parser.AddDouble(type.nWeightInWater ? type.WeightInWater : type.WeightInAir, 3));
        }
        file.WriteSection(kSection, rows);
    });
}
