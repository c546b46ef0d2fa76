// The drawing exchange format's colours for tests that draw drawings: the standard colour index
// as an independent peer gives it, and a drawing of solids in colours whose number the format
// and the written rules of the drawing code could read differently.
#pragma once

#include "features/Dxf.h"
#include "features/DxfTable.h"

#include <array>
#include <fstream>
#include <vector>

// COLORREF (0x00BBGGRR) of each colour number 1 to 255 from features/tests/data/aci_colours.txt
// (written by ezdxf, aci_generate_fixture.py beside it), so that tests check drawn colours
// against the format rather than against the code's own table. Entry 0 (by block) black; every
// entry 0 when the fixture cannot be read, which the callers' checks of entry 7 (white) catch.
inline std::array<COLORREF, 256> FormatColourIndex()
{
    std::array<COLORREF, 256> colours{};
    std::ifstream in(SUITE_SOURCE_DIR "/features/tests/data/aci_colours.txt");
    int number = 0, red = 0, green = 0, blue = 0;
    while (in >> number >> red >> green >> blue)
        if (number >= 1 && number <= 255)
            colours[number] = static_cast<COLORREF>(red | (green << 8) | (blue << 16));
    return colours;
}

// A solid square 10 units across from (x, 0), its colour number, and the number whose colour
// fills it.
struct SolidSquare
{
    double x;
    int colour;
    int shown;
};

// Adds to the drawing (in use, no extents) solid squares of colour numbers below 8, from 8 on
// (9 is light grey, not the base colour of 9 modulo 8), and by layer (256) and by block (0) on
// a layer of colour 130; returns them.
inline std::vector<SolidSquare> AddSolidSquares(CDxf& shape)
{
    shape.m_bUse = true;
    auto* layer = new CDxfLayer;
    layer->m_Name = "Deck";
    layer->m_Colour = 130;
    shape.m_Layers.AddTail(layer);
    const std::vector<SolidSquare> squares = {{-40.0, 3, 3}, {-20.0, 9, 9}, {0.0, 20, 20}, {20.0, 256, 130}, {40.0, 0, 130}};
    for (const SolidSquare& square : squares)
    {
        auto* solid = new CDxfSolid;
        solid->m_Colour = square.colour;
        solid->m_pLayer = layer;
        // In the file's order: the third and fourth corners the other way round.
        solid->m_Corners[0] = DxfPointDef{square.x, 0.0, 0.0};
        solid->m_Corners[1] = DxfPointDef{square.x + 10.0, 0.0, 0.0};
        solid->m_Corners[2] = DxfPointDef{square.x, 10.0, 0.0};
        solid->m_Corners[3] = DxfPointDef{square.x + 10.0, 10.0, 0.0};
        shape.m_Entities.AddTail(solid);
    }
    return squares;
}
