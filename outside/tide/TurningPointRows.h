// The turning points of a standard port in order, each with its height from the kept bytes and
// whether it is a high or a low water: a point above both its neighbours in the port's sequence
// (or the one it has) is high, one below them low. Shared by the turning-point pane and the
// printed tide table so both call a tide the same.
#pragma once

#include "marevo/StandardPortList.h"

#include <vector>

struct TurningPointRow
{
    const CTurningPoint* pDay; // the local calendar day the file gave it
    const TurningPointDef* pPoint;
    bool bHeight;  // the kept bytes hold a finite height
    double dHeight; // metres
    int nKind;     // 1 high, -1 low, 0 neither (or no height)
};

std::vector<TurningPointRow> TurningPointRowsOf(const CStandardPort& port);

// "High", "Low" or empty.
const char* TurningPointKindText(int kind);
