// CTrail: the past grid positions of a moving object (the vessel, the template, a tug), oldest
// first, drawn behind it on the chart.
#pragma once

#include "foundation/XYArray.h"

class CTrail : public CXYArray
{
public:
    CTrail() = default;
    CTrail(const CTrail&) = default;
    CTrail& operator=(const CTrail&) = default;
    ~CTrail() override = default;
};
