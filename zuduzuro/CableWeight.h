// CCableWeight: the table of named cable types that every section of an anchor cable is chosen
// from, with each type's weight per metre in air and in water, and the sea water (temperature
// and salinity) that turns one into the other. It lives in the settings file "Cable Weight".
//
// Units: diameters in millimetres, weights in kilograms per metre of cable, temperature in
// degrees Celsius, salinity in practical salinity units, densities in kg/m³.
#pragma once

#include "foundation/SeawaterDensity.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// One cable type.
struct CableWeightDef
{
    CString Name;
    int32_t nDiameter;      // mm; 0 or less displaces no water
    int32_t nWeightInWater; // non-zero: the weight in water was entered and the weight in air is 0
    double WeightInAir;     // kg/m
    double WeightInWater;   // kg/m, the value every computation uses
    // A row of the file that could not be read, as it stood: while the row keeps the name and
    // the zero weights it was read with, it is written back with this text. Empty for every
    // sound row.
    CString DamagedText;
};

class CCableWeight : public CArray<CableWeightDef, CableWeightDef>
{
public:
    // The two built-in types at indices 0 and 1, never written to the file.
    static constexpr int kBuiltInTypes = 2;

    // The built-in types, then the types of the settings file (see Load).
    CCableWeight();
    ~CCableWeight() override;

    // Empties the table to its built-in types and reads the settings file (CR LF, LF or CR
    // line ends, a UTF-8 or UTF-16 byte-order mark). Without a file, or without its line:
    // temperature 0, salinity 10. A temperature or salinity line that is not a number within
    // the equation of state's range takes that value too; a type row that cannot be read, or
    // that no anchor cable could be (CheckType), keeps its place with weights 0 and its text.
    // Each is listed in GetDamagedLines and told in GetLoadProblems.
    void Load();
    // Writes the settings file whole or not at all; false when it cannot be written. Every
    // name comes back as it was, whatever characters it holds.
    bool Save() const;

    // Why no anchor cable could be this type: a diameter above 1000 mm, or a weight in air
    // (when entered) or in water outside 0 to 2000 kg/m, a cable that floats included. Empty
    // when one could. The weight in water is taken as it stands, computed or entered.
    static CString CheckType(const CableWeightDef& type);

    // 1-based line numbers of the settings file that the last read could not use.
    const CArray<int, int>& GetDamagedLines() const { return m_DamagedLines; }
    // The same, a sentence each naming the file, the line and what was wrong.
    const CStringArray& GetLoadProblems() const { return m_LoadProblems; }

    double m_Salinity;    // practical salinity
    double m_Temperature; // degrees Celsius

private:
    void AddBuiltInTypes();

    CArray<int, int> m_DamagedLines;
    CStringArray m_LoadProblems;
};

// Weight in sea water (kg/m) of a cable of `diameter` mm weighing `weightInAir` kg/m in air:
// the weight in air less the water a round section of that diameter displaces. A diameter of
// 0 or less displaces nothing. Temperature and salinity as SeawaterDensity.
double WeightInSeawater(int diameter, double weightInAir, double temperature, double salinity);

// The same in fresh water of 1000 kg/m³.
double WeightInFreshWater(int diameter, double weightInAir);
