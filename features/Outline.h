// COutline: the outline of a vessel or structure as the chart and the outline view draw it:
// its points in metres from the reference point (x to starboard, y forward), each starting a
// new figure or joined to the one before, and the two pens it is drawn with, the normal and an
// alternative one (a highlighted or target outline).
#pragma once

#include "foundation/ConfigFile.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"

class COutline : public CArray<OutlinePointDef, const OutlinePointDef&>
{
public:
    COutline() = default;
    COutline(const COutline&) = default;
    COutline& operator=(const COutline&) = default;
    ~COutline() override = default;

    tagPen m_Pen{0, 1, 0xFFFFFF, -2};
    tagPen m_AlternativePen{0, 1, 0xFFFFFF, -2};
};
