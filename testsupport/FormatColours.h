// The drawing exchange format's standard colour index as an independent peer gives it: the
// colour of each colour number 1 to 255 from features/tests/data/aci_colours.txt (written by
// ezdxf, aci_generate_fixture.py beside it), so that tests check drawn colours against the
// format rather than against the code's own table.
#pragma once

#include "platform/core/WinTypes.h"

#include <array>
#include <fstream>

// COLORREF (0x00BBGGRR) by colour number; entry 0 (by block) black; every entry 0 when the
// fixture cannot be read, which the callers' checks of entry 7 (white) catch.
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
