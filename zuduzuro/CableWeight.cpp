#include "zuduzuro/CableWeight.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "zuduzuro/CableTypeName.h"
#include "zuduzuro/SettingsLines.h"
#include "zuduzuro/SettingsText.h"
#include "zuduzuro/SpreadLimits.h"

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
constexpr double kColdest = -2.0, kWarmest = 40.0;
constexpr double kSaltiest = 42.0;

const char kRowKept[] = "the row is kept as it stands and weighs nothing until it is set up again.";

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
    row.Name = UnescapeCableTypeName(parser.GetString());
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
    return row.Name == UnescapeCableTypeName(parser.GetString()) && row.nDiameter == 0 &&
           row.nWeightInWater == 1 && row.WeightInAir == 0.0 && row.WeightInWater == 0.0;
}

bool IsBlank(const CString& line)
{
    return CString(line).Trim(" \t").IsEmpty();
}
} // namespace

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

CString CCableWeight::CheckType(const CableWeightDef& type)
{
    CString why;
    const double heaviest = spread::kHeaviestCable;
    if (type.nDiameter > spread::kWidestCable)
        why.Format("its diameter of %d mm is above %d mm", type.nDiameter, spread::kWidestCable);
    else if (type.nWeightInWater == 0 && !(type.WeightInAir >= 0.0 && type.WeightInAir <= heaviest))
        why.Format("its weight in air of %g kg/m is not from 0 to %g kg/m", type.WeightInAir, heaviest);
    else if (!(type.WeightInWater >= 0.0 && type.WeightInWater <= heaviest))
        why.Format("its weight in water of %g kg/m is not from 0 to %g kg/m", type.WeightInWater, heaviest);
    return why;
}

void CCableWeight::Load()
{
    RemoveAll();
    m_DamagedLines.RemoveAll();
    m_LoadProblems.RemoveAll();
    AddBuiltInTypes();
    m_Temperature = kMissingTemperature;
    m_Salinity = kMissingSalinity;

    const CString path = CConfigFile().GetSettingsFileName(kSettingsName);
    CSettingsText text;
    switch (text.Read(path))
    {
    case CSettingsText::TEXT_MISSING:
        return;
    case CSettingsText::TEXT_REFUSED:
        m_LoadProblems.Add(text.GetRefusal());
        return;
    case CSettingsText::TEXT_READ:
        break;
    }

    // The sea water's lines come before the section, which begins at the first line that opens
    // with '['. Every line after that line is a type: a name that once ended the section (an '='
    // in it, or a leading '[') is read as the row it is.
    const CStringArray& lines = text.GetLines();
    INT_PTR section = 0;
    while (section < lines.GetSize() && (lines[section].IsEmpty() || lines[section][0] != '['))
        ++section;
    CStringArray head;
    for (INT_PTR i = 0; i < section; ++i)
        head.Add(lines[i]);
    CSettingsLines in(path, head, CSettingsLines::KEYS_IGNORED);
    // A line that is there but unusable is damage; a missing one keeps the missing-file value.
    auto seaWater = [&](const char* key, double low, double high, double& value, int line) {
        const INT_PTR told = in.GetProblems().GetSize();
        in.Number(key, low, high, value);
        if (in.GetProblems().GetSize() > told)
            m_DamagedLines.Add(line);
    };
    seaWater("Temperature", kColdest, kWarmest, m_Temperature, 1);
    seaWater("Salinity", 0.0, kSaltiest, m_Salinity, 2);
    m_LoadProblems.Append(in.GetProblems());

    for (INT_PTR i = section + 1; i < lines.GetSize(); ++i)
    {
        if (IsBlank(lines[i]))
            continue;
        const int lineNumber = static_cast<int>(i) + 1;
        CableWeightDef row{CString(), 0, 0, 0.0, 0.0, CString()};
        const bool parsed = ParseRow(lines[i], row);
        if (parsed && row.nWeightInWater == 0)
            row.WeightInWater = WeightInSeawater(row.nDiameter, row.WeightInAir, m_Temperature, m_Salinity);
        const CString why = parsed ? CheckType(row) : CString();
        if (!parsed || !why.IsEmpty())
        {
            CString problem;
            if (parsed)
                problem.Format("%s, line %d, cable type \"%s\": %s; %s", path.GetString(), lineNumber,
                               row.Name.GetString(), why.GetString(), kRowKept);
            else
                problem.Format("%s, line %d: \"%s\" is no cable type (name, diameter, weight-in-water flag, "
                               "weight); %s",
                               path.GetString(), lineNumber, lines[i].GetString(), kRowKept);
            m_LoadProblems.Add(problem);
            m_DamagedLines.Add(lineNumber);
            // Kept in its place, so the anchor's type indices still name the same rows, and
            // weightless, so the anchor says it has no cable weight instead of solving with it.
            row = CableWeightDef{row.Name, 0, 1, 0.0, 0.0, lines[i]};
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
            parser.AddString(EscapeCableTypeName(type.Name));
            parser.AddInt(type.nDiameter);
            parser.AddInt(type.nWeightInWater);
            rows.Add(parser.AddDouble(type.nWeightInWater ? type.WeightInWater : type.WeightInAir, 3));
        }
        file.WriteSection(kSection, rows);
    });
}
