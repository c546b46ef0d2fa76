#include "geodesy/projections/Polynomials.h"

#include <cmath>

namespace projections
{
namespace
{
// System 34 to and from UTM zone 32 on the International spheroid: x = E - E0, y = N - N0 on the
// way out; x = E + 200000, y = N - 200000 on the way back.
const System34Set kSystem34[2] = {
    // 0 "Jylland"
    {530000.0,
     6231000.0,
     {{199371.14647, -265381.72775},
      {1.0001365021, 0.019995520454},
      {-1.648605326e-11, 3.4452862838e-10},
      {-1.8877421278e-17, -9.6740792784e-17}},
     {{6232935.0512, 595335.58288},
      {0.99950870832, -0.019984265541},
      {-2.27324697e-11, -3.3921905837e-10},
      {2.6264691305e-17, 9.4810550416e-17}}},
    // 1 "Seelland"
    {678000.0,
     6131000.0,
     {{96432.190004, -119353.22229},
      {0.99980074884, 0.019555849611},
      {-7.207782018e-12, 2.1675209626e-09},
      {6.2510854612e-17, -2.521500272e-16}},
     {{6232935.6122, 595335.3482},
      {0.9994550822, -0.019979251874},
      {-7.3897597436e-11, -2.0717946709e-09},
      {-5.2080308192e-17, 2.5703781294e-16}}},
};

// The regions' boundaries. Those of UTM points are the published ones; those of intermediate
// points (about easting 500000 and northing 6800000) are the rounded ones the inverse uses.
struct Bounds
{
    double west, east;             // column edges (easting)
    double west1, west2;           // western column: regions 1 | 2 | 3
    double mid1, mid2, mid3, mid4; // middle column: regions 4 | 5 | 6 | 7 | 8
    double east1, east2;           // eastern column: regions 9 | 10 | 11
};
const Bounds kUtmBounds = {400000.0,  530001.0,  6640000.9, 6770001.6, 6530000.7,
                           6640000.6, 6730001.0, 6930001.1, 6730000.1, 6900001.0};
const Bounds kIntermediateBounds = {-100000.0, 30000.0,  -160000.0, -30000.0, -270000.0,
                                    -160000.0, -70000.0, 130000.0,  -70000.0, 100000.0};

int RegionOf(const Bounds& b, double east, double north)
{
    if (east < b.west)
        return north < b.west1 ? 1 : (north < b.west2 ? 2 : 3);
    if (east < b.east)
    {
        if (north < b.mid1)
            return 4;
        if (north < b.mid2)
            return 5;
        if (north < b.mid3)
            return 6;
        return north < b.mid4 ? 7 : 8;
    }
    return north < b.east1 ? 9 : (north < b.east2 ? 10 : 11);
}

void ToUtm(const RegionalTable& table, int region, double north, double east, double& utmNorth,
           double& utmEast)
{
    const RegionalRegion& r = table.regions[region - 1];
    utmNorth = r.factor.n * north - r.factor.e * east + r.northOffset;
    utmEast = r.factor.n * east + r.factor.e * north + r.eastOffset;
    if (region != 12)
    {
        utmNorth += 6800000.0;
        utmEast += 500000.0;
    }
}

// The group's polynomial on a local point (northing already less the group's origin).
void Intermediate(const RegionalGroup& g, double north, double east, double& outNorth, double& outEast)
{
    EvaluateComplexPolynomial(g.terms, 4, north / kRegionalUnit, east / kRegionalUnit, outNorth, outEast);
    outNorth *= kRegionalUnit;
    outEast *= kRegionalUnit;
}
} // namespace

void EvaluateComplexPolynomial(const ComplexTerm* terms, int degree, double y, double x, double& north,
                               double& east, ComplexTerm* derivative)
{
    double pn = 0.0, pe = 0.0; // P
    double dn = 0.0, de = 0.0; // P'
    for (int k = degree; k >= 0; --k)
    {
        if (derivative)
        {
            const double n = dn * y - de * x + pn;
            de = de * y + dn * x + pe;
            dn = n;
        }
        const double n = pn * y - pe * x + terms[k].n;
        pe = pe * y + pn * x + terms[k].e;
        pn = n;
    }
    north = pn;
    east = pe;
    if (derivative)
    {
        derivative->n = dn;
        derivative->e = de;
    }
}

const System34Set* System34Coefficients(int entry)
{
    return (entry == 0 || entry == 1) ? &kSystem34[entry] : nullptr;
}

const RegionalTable* RegionalCoefficients()
{
    // The coefficient tables of these grids are not published with them; until they are
    // supplied, type 13 is refused.
    return nullptr;
}

int RegionalRegionOfUtm(int zone, double easting, double northing)
{
    if (zone <= 32 && (easting < 530001.0 || northing < 7060001.6))
        return RegionOf(kUtmBounds, easting, northing);
    return 12;
}

int RegionalRegionOfIntermediate(double east, double north)
{
    if (east < 30000.0 || north < 260000.0)
        return RegionOf(kIntermediateBounds, east, north);
    return 12;
}

int RegionalGroupOfRegion(int region, int currentGroup)
{
    return (region >= 1 && region <= 11) ? (region + 4) / 4 : currentGroup;
}

bool RegionalForward(const RegionalTable& table, int zone, double utmEasting, double utmNorthing, int& group,
                     double& easting, double& northing)
{
    const int region = RegionalRegionOfUtm(zone, utmEasting, utmNorthing);
    group = RegionalGroupOfRegion(region, group);
    const int used = (region == 12) ? 0 : group;
    if (used < 0 || used > 3)
        return false;
    const RegionalGroup& g = table.groups[used];
    double north = utmNorthing - g.northingOrigin;
    double east = utmEasting;
    for (int round = 0; round < 100; ++round)
    {
        double pn, pe, un, ue;
        Intermediate(g, north, east, pn, pe);
        ToUtm(table, region, pn, pe, un, ue);
        const double rn = utmNorthing - un;
        const double re = utmEasting - ue;
        if (!std::isfinite(rn) || !std::isfinite(re))
            return false;
        if (std::fabs(rn) <= kRegionalTolerance && std::fabs(re) <= kRegionalTolerance)
        {
            northing = north + g.northingOrigin;
            easting = east;
            return true;
        }
        north += rn;
        east += re;
    }
    return false;
}

bool RegionalInverse(const RegionalTable& table, int group, double easting, double northing,
                     double& utmEasting, double& utmNorthing)
{
    if (group < 0 || group > 3)
        return false;
    const RegionalGroup& g = table.groups[group];
    double pn, pe;
    Intermediate(g, northing - g.northingOrigin, easting, pn, pe);
    const int region = RegionalRegionOfIntermediate(pe, pn);
    ToUtm(table, region, pn, pe, utmNorthing, utmEasting);
    return std::isfinite(utmNorthing) && std::isfinite(utmEasting);
}
} // namespace projections
