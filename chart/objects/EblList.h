// CEBLList: the electronic bearing lines a host hands to the chart: the lines themselves (the
// list owns them), the line being edited and which of its ends moves, and the flags shared by
// every line: shown, grid or geographic, great circle or rhumb line, labels shown. The list is
// kept in the settings file "EBL_GRID" or "EBL_GEOG" by its grid flag.
#pragma once

#include "chart/ChartexaApi.h"
#include "chart/objects/Ebl.h"
#include "platform/core/Array.h"

class CHARTEXA_API CEBLList : public CArray<CEBL*>
{
public:
    CEBLList() = default;
    // Deletes every line.
    ~CEBLList() override;
    CEBLList(const CEBLList&) = delete;
    CEBLList& operator=(const CEBLList&) = delete;

    // Moves an end of the current line to (x, y) and updates the line; nothing when current is
    // not a line of the list. editEnd 0 (a line being drawn out): the end, and the start with
    // it unless the start is fixed; 1: the start, or the end when the start is fixed; any
    // other value: the end.
    void MovePoint(double x, double y);

    // Writes the settings file "EBL_GRID" (grid flag 1) or "EBL_GEOG": "Show", "Display Label"
    // and "Great Circle", then the section "Electronic Bearing Lines" with one line of each
    // bearing line in order. The file is written whole or not at all: when it cannot be
    // written the old one stays and the result is false.
    bool Save() const;

    // Removes the line at `index` from the list and deletes it; nothing for an index outside
    // the list. The current line is forgotten when it is the one removed, and keeps pointing
    // at the same line when it comes after it.
    void DeleteLine(INT_PTR index);

    // Fields, in this order.
    CEllipsoid* spheroid = nullptr; // handed to each new line; may be null
    int current = -1;               // index of the line being edited, −1 none
    int editEnd = 0;                // 0 a new line, 1 its start, other values its end
    BYTE show = 1;
    BYTE gridMode = 1; // 1 the ends are plane grid coordinates, else longitude and latitude
    BYTE greatCircle = 1;
    BYTE displayLabel = 1;
};
