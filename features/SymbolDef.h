// SymbolDef: a point symbol as a feature or an outline keeps it: which of the vector symbols
// of CMyDC, its size class and its colour.
#pragma once

#include "foundation/SymbolTypes.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

struct SymbolDef
{
    int16_t Symbol;   // VECTOR_SYMBOL, 1..25; 0 none
    SYMBOL_SIZE Size; // drawn 4 × Size + 4 pixels across
    COLORREF Colour;
};
