// Complex polynomials between grids: the Danish System 34 grids (type 14) and the regional
// polynomials of type 13, both on UTM.
//
// A polynomial maps a point written as the complex number y + i x (northing first) to
// N + i E = sum over k of (n_k + i e_k)(y + i x)^k, evaluated by Horner's scheme from the highest
// term. Being holomorphic it is conformal: its derivative P'(z) gives the scale |P'| and the
// rotation arg P' (clockwise on the grid, from north towards east) of the map at the point.
#pragma once

namespace projections
{
struct ComplexTerm
{
    double n; // real part: northing
    double e; // imaginary part: easting
};

// N + iE = P(y + ix) with terms[0..degree]; the derivative dP/dz when asked for.
void EvaluateComplexPolynomial(const ComplexTerm* terms, int degree, double y, double x, double& north,
                               double& east, ComplexTerm* derivative = nullptr);

// System 34 (type 14), entry 0 "Jylland", 1 "Seelland".
struct System34Set
{
    double eastingOrigin;   // E0 of the UTM zone 32 point taken as x = 0, metres
    double northingOrigin;  // N0, metres
    ComplexTerm forward[4]; // UTM zone 32 -> System 34, degree 3
    ComplexTerm inverse[4]; // System 34 -> UTM zone 32, degree 3
};
// The set of an entry (0 or 1); null for any other.
const System34Set* System34Coefficients(int entry);
// Offsets added to a System 34 easting and northing before the inverse polynomial.
const double kSystem34InverseEastingOffset = 200000.0;
const double kSystem34InverseNorthingOffset = -200000.0;

// Type 13: UTM zones 31 to 35 with regional complex polynomials.
//
// Eleven southern regions (1..11) in three region groups ((region + 4) / 4) and a northern
// region 12. A group's polynomial (degree 4, on co-ordinates divided by kRegionalUnit after the
// group's northing origin is removed, result multiplied by it) takes a grid point to an
// intermediate point; the region of the intermediate point (the same boundaries as the UTM
// ones, about UTM easting 500000 and northing 6800000) applies its rotation and scale
// (multiplication by a complex factor) and its offsets, which for regions 1 to 11 are added to
// easting 500000 and northing 6800000, to give the UTM point. The forward conversion solves
// that for the grid point by iteration.
const double kRegionalUnit = 536870.912; // metres
const double kRegionalTolerance = 0.01;  // metres: the forward iteration stops below it

struct RegionalGroup
{
    const char* name;      // becomes the projection's country text
    double northingOrigin; // metres
    ComplexTerm terms[5];
};

struct RegionalRegion
{
    ComplexTerm factor; // rotation and scale
    double northOffset; // metres
    double eastOffset;  // metres
};

struct RegionalTable
{
    RegionalGroup groups[4]; // group 0 serves the northern region 12
    RegionalRegion regions[12];
};

// The published tables of the type 13 grids, or null when the system has none (then type 13
// neither selects nor converts).
const RegionalTable* RegionalCoefficients();

// Region 1..12 of a UTM point of the given zone.
int RegionalRegionOfUtm(int zone, double easting, double northing);
// Region 1..12 of an intermediate point (UTM easting less 500000, northing less 6800000).
int RegionalRegionOfIntermediate(double east, double north);
// The group of regions 1..11; region 12 keeps the group it is given.
int RegionalGroupOfRegion(int region, int currentGroup);

// UTM (zone, easting, northing) to the regional grid. group: in, the stored group; out, the
// group used. False when the iteration does not settle within 100 rounds.
bool RegionalForward(const RegionalTable& table, int zone, double utmEasting, double utmNorthing, int& group,
                     double& easting, double& northing);
// The regional grid of a group to UTM.
bool RegionalInverse(const RegionalTable& table, int group, double easting, double northing,
                     double& utmEasting, double& utmNorthing);
} // namespace projections
