// CCorridor: the band drawn either side of a route's legs (port and starboard widths, fill and
// colour), kept per route in a "COR" file named after the route in the "Routes" data folder.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// A non-virtual base of CRoute; its members keep this order and these widths.
class CCorridor
{
public:
    // What a missing "COR" file gives: not shown, both widths 0, cyan, fill 4.
    CCorridor();

    void SetCorridorDefaults();

    // Reads "<Routes folder><name>.COR" line by line in the writer's order (keys are not
    // compared). A missing line leaves its default. False, with every default, when the file
    // cannot be opened.
    bool Load(const char* name);
    // Writes that file whole; skipped silently when the name is empty or the file cannot be
    // written.
    void Save(const char* name) const;

    static CString GetFileName(const char* name);

    bool m_DisplayCorridor;
    double m_PortWidth;      // metres, to the left of the direction of travel
    double m_StarboardWidth; // metres, to the right
    int16_t m_CorridorFill;  // a fill style of the property grid's fill list
    COLORREF m_CorridorColour;
};
