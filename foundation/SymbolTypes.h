// The enumerations with which the drawn features describe their point symbols, labels and
// lines: which of the vector symbols of CMyDC, how large, what text beside each point and
// where. Their values are stored in settings files and cross library boundaries, so each
// keeps its width and its numbering.
#pragma once

#include <cstdint>

// The size class of a point symbol. The feature view shows them as "No Symbol", "Very Small",
// "Small", "Medium", "Large", "Very Large".
enum SYMBOL_SIZE : int32_t
{
    SYMBOL_NONE = 0,
    SYMBOL_VERY_SMALL = 1,
    SYMBOL_SMALL = 2,
    SYMBOL_MEDIUM = 3,
    SYMBOL_LARGE = 4,
    SYMBOL_VERY_LARGE = 5,
    SYMBOL_SIZE_COUNT = 6
};

// What is written beside each point: "None", "Name", "Position", "Name + Position",
// "Description".
enum SYMBOL_LABEL_MODE : int32_t
{
    LABEL_MODE_NONE = 0,
    LABEL_MODE_NAME = 1,
    LABEL_MODE_POSITION = 2,
    LABEL_MODE_NAME_POSITION = 3,
    LABEL_MODE_DESCRIPTION = 4,
    LABEL_MODE_COUNT = 5
};

// Where that text stands, as CMyDC::DrawLabel takes it: "None", "Top", "Bottom", "Left",
// "Right", "Centre".
enum LABEL_POSITION : int32_t
{
    LABEL_POS_NONE = 0,
    LABEL_POS_TOP = 1,
    LABEL_POS_BOTTOM = 2,
    LABEL_POS_LEFT = 3,
    LABEL_POS_RIGHT = 4,
    LABEL_POS_CENTRE = 5,
    LABEL_POS_COUNT = 6
};

// A line width class. Its values are those of the property item that edits it and are drawn
// by the chart display; the model keeps them as plain numbers.
enum LINE_THICKNESS : int16_t
{
    LINE_THICKNESS_DEFAULT = 1
};

// The 25 vector symbols of CMyDC::DrawVectorSymbol; any other value draws nothing.
enum VECTOR_SYMBOL : int32_t
{
    VECTOR_NONE = 0,
    VECTOR_BLOCK = 1,             // filled square, solid
    VECTOR_PLUS = 2,              // plus sign
    VECTOR_CROSS = 3,             // diagonal cross
    VECTOR_STAR = 4,              // plus and cross together
    VECTOR_FILLED_SQUARE = 5,     // square, filled and outlined
    VECTOR_SQUARE = 6,            // square outline
    VECTOR_FILLED_CIRCLE = 7,     // circle, filled and outlined
    VECTOR_CIRCLE = 8,            // circle outline
    VECTOR_FILLED_TRIANGLE = 9,   // triangle pointing up, filled and outlined
    VECTOR_TRIANGLE = 10,         // triangle outline
    VECTOR_FILLED_DIAMOND = 11,   // diamond, filled and outlined
    VECTOR_DIAMOND = 12,          // diamond outline
    VECTOR_VERTICAL_LINE = 13,    // vertical stroke
    VECTOR_HORIZONTAL_LINE = 14,  // horizontal stroke
    VECTOR_QUARTERED_CIRCLE = 15, // circle with its top and bottom quarters filled
    VECTOR_SPLIT_DIAMOND = 16,    // diamond with two opposite quarters filled
    VECTOR_PLUS_SQUARE = 17,      // plus sign with a small square at the centre
    VECTOR_PLUS_RING = 18,        // plus sign with a ring at the centre
    VECTOR_TICKED_LINE = 19,      // horizontal stroke with three upright ticks
    VECTOR_ANCHOR = 20,           // anchor
    VECTOR_CROSSED_SQUARE = 21,   // square outline with both diagonals
    VECTOR_POST = 22,             // upright bar standing on the point
    VECTOR_RING_FRAME = 23,       // ring with a frame to its left
    VECTOR_ARROW = 24,            // upward arrow with a second-colour stroke
    VECTOR_GATE = 25,             // two posts joined by three lines
    VECTOR_SYMBOL_COUNT = 25
};
