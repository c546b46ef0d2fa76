// CGraphLabelFormat: the text formats and fonts of one part of a graph (the graph itself, an
// axis or a series): five field widths with their decimals, and five font slots.
#pragma once

#include "platform/ui/Font.h"

// A field width and the decimals shown in it ("%*.*lf").
struct GraphLabelFieldDef
{
    int width;
    int decimals;
};

// Font slots: what each of the five fonts draws. An empty slot draws with the font selected
// in the context.
enum GRAPH_FONT_SLOT
{
    GRAPH_FONT_TITLE = 0,
    GRAPH_FONT_TICK_LABEL = 1,
    GRAPH_FONT_LEGEND = 2,
    GRAPH_FONT_MARKER_TEXT = 3,
    GRAPH_FONT_SLOTS = 5
};

class CGraphLabelFormat
{
public:
    // Also writes the shared default label font (defaultLabelFont) afresh, so a caller that
    // derives a font from it starts from the same description every time.
    CGraphLabelFormat();
    // Deletes every font in the slots and the slot array.
    ~CGraphLabelFormat();
    CGraphLabelFormat(const CGraphLabelFormat&) = delete;
    CGraphLabelFormat& operator=(const CGraphLabelFormat&) = delete;

    // The font of a slot, or null for an empty slot, a slot out of range or no slot array.
    CFont* GetFont(int slot) const;
    // Gives the font to a slot (the format deletes it, and any font the slot held before).
    // The slot array is made, zeroed, on first use. False (and the font not taken) for a slot
    // out of range or when the array cannot be made.
    bool SetFont(int slot, CFont* font);

    // Fields, in this order.
    GraphLabelFieldDef fields[5];
    int spare = 0;
    CFont** fonts = nullptr; // GRAPH_FONT_SLOTS entries, each owned

    // The description a caller starts from when it makes a label font: 16 high, 7 wide, normal
    // weight, ANSI, true-type only, stroke clipping, proof quality, swiss, face "System".
    static LOGFONT defaultLabelFont;
};
