// One month of the yearly sun almanac: polynomials in x = (day of month + UT / 86400) / 32,
// fitted over the month, from which the sun's declination and E (GHA - UT) are evaluated.
#pragma once

// The sixteen values of a month, in the order the almanac files give them (the two check sums
// last, computed on loading). The polynomials are valid for x of the month's own days, about
// 1/32 to 1; outside it they are extrapolations.
struct SunAlmanacDef
{
    double dRa0;  // R (Greenwich sidereal time - UT) at x = 0, hours
    double dRa1;  // R per unit of x, hours
    double dDa0;  // declination a0..a4, degrees: δ = a0 + a1·x + a2·x² + a3·x³ + a4·x⁴
    double dDa1;
    double dDa2;
    double dDa3;
    double dDa4;
    double dEa0;  // E a0..a4, hours: E = a0 + a1·x + ... + a4·x⁴, E = GHA - UT (about 12 h)
    double dEa1;
    double dEa2;
    double dEa3;
    double dEa4;
    double dSDa0; // the sun's semi-diameter at x = 0, degrees
    double dSDa1; // semi-diameter per unit of x, degrees
    double dDecCheckSum; // 0 + dDa0 + ... + dDa4, as the printed almanac's check column
    double dECheckSum;   // 0 + dEa0 + ... + dEa4
};
static_assert(sizeof(SunAlmanacDef) == 16 * sizeof(double), "sixteen doubles, no padding");

