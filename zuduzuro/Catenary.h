// The catenary element and its small companions, on which every cable solver is built.
//
// Units: tension in tonnes (multiplied by 1000 so that it meets weights in kilograms per
// metre of cable in water as kilograms-force); heights and lengths in metres.
//
// The element is the textbook catenary hanging from a top point with its lowest point (or
// its touchdown on the seabed) a height h below it: with the horizontal tension
// H = 1000·T − w·h and the catenary parameter a = H / w, the suspended length is
// s = √(h² + 2ah) and the horizontal span x = a·acosh(1 + h/a) (any text on cable mechanics,
// e.g. Irvine, "Cable Structures", ch. 1). It is written through c = H / (1000·T), the cosine
// of the cable's angle at the top, in the form below so that the cases the callers lean on
// fall out of it continuously: a tension that cannot lift the cable (H ≤ 0) gives no span, and
// a negative height a negative span with no suspended length, which the searches use to step
// back. The results are always finite.
#pragma once

#include <initializer_list>
#include <utility>

// One solution of the element.
struct CatenaryDef
{
    double s = 0.0; // suspended length (m): cable off the seabed, top to lowest point
    double x = 0.0; // horizontal span (m): top to lowest point or touchdown
    double t = 0.0; // slope of the cable at the top, tan of its angle to the horizontal
};

// The element for tension T (tonnes), weight w (kg/m) and height h (m) of the top above the
// lowest point. A zero weight or tension, or h = 0, gives all zeros; H ≤ 0 gives x = 0.
CatenaryDef ComputeCatenary(double tension, double weight, double height);

// The angle of the cable at the top, degrees above the horizontal, from the element's slope.
double CatenaryAngle(const CatenaryDef& element);

// The horizontal run (m) of a straight line of length L over a height h: √(L² − h²), or 0 when
// the line cannot reach down that far (|h| ≥ L); never the root of a negative number.
double StraightSpan(double length, double height);

// The length-weighted mean weight of cable parts given as (length, weight) pairs. A part of
// negative length counts as none, so the mean always lies among the parts' weights; `fallback`
// when no part has length.
double MeanWeight(std::initializer_list<std::pair<double, double>> parts, double fallback);
