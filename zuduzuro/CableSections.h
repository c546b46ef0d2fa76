// CableSectionsDef and GroundChainDef: the make-up of one anchor cable as the catenary solvers
// take it. The anchor record holds both and fills them from its settings; the field order is
// the record's own (use flag, type with weight, lengths), as it hands them over unchanged.
#pragma once

#include <cstdint>

// The cable from the fairlead: an optional upper section next to the fairlead, then the lower
// section. Weights are kilograms per metre in water, lengths metres.
struct CableSectionsDef
{
    bool bUseUpperSection = false; // an upper section hangs between the fairlead and the lower one
    int16_t nLowerCableType = 0;   // row of the cable-weight table; the solvers do not read it
    double LowerWeight = 0.0;
    int16_t nUpperCableType = 0; // as above, for the upper section
    double UpperWeight = 0.0;    // exactly 0 marks a weightless line (a rope or wire in air)
    double LowerLength = 0.0;
    double UpperLength = 0.0;

    // The upper section takes part: flagged and of positive length.
    bool HasUpper() const { return bUseUpperSection && UpperLength > 0.0; }
    // The upper section is a weightless line (flag set, weight exactly 0).
    bool IsWeightlessUpper() const { return bUseUpperSection && UpperWeight == 0.0; }
};

// The ground chain between the lower section and the anchor.
struct GroundChainDef
{
    bool bUseGroundChain = false;
    int16_t nGroundChainType = 0; // row of the cable-weight table; the solvers do not read it
    double GroundChainWeight = 0.0;
    double Spare1 = 0.0; // kept with the record; the solvers do not read them
    double Spare2 = 0.0;
    double GroundChainLength = 0.0;

    // The chain takes part: flagged and of positive length.
    bool InUse() const { return bUseGroundChain && GroundChainLength > 0.0; }
};
