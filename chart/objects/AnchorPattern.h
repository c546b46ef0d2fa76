// CAnchorPattern: the anchors of a barge's spread as the catenary program hands them to the
// chart for drawing: a pen per anchor status and, per anchor, where it lies and the points of
// its cable. The chart only reads it.
//
// Positions are grid eastings and northings in metres; (0, 0) is no position.
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/ConfigFile.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// Anchor statuses, 1..3, each drawn with its own pen.
enum ANCHOR_STATUS
{
    ANCHOR_STATUS_ON_DECK = 1,
    ANCHOR_STATUS_RUNNING = 2,
    ANCHOR_STATUS_LAID = 3,
};

// Which points the chart draws, by status: an anchor on deck (status 1), or one without a
// position, shows the line from its fairlead to the vessel-side end of its cable and, on deck,
// the cable's first segment; a running or laid anchor (2, 3) shows the line from the
// vessel-side end to the anchor, the whole cable, a mark at the anchor and each touchdown
// point.
struct AnchorPatternDef
{
    bool Active = false;
    int32_t Status = ANCHOR_STATUS_ON_DECK; // 1..3
    CString Name;
    tagXY Position{0.0, 0.0};   // the anchor
    double Radius = 0.0;        // metres; a circle drawn round the anchor when above 0
    tagXY Fairlead{0.0, 0.0};   // where the cable leaves the barge
    tagXY VesselSide{0.0, 0.0}; // the cable's end at the barge's side
    CXYArray Cable;             // the cable from the barge to the anchor
    CXYArray Touchdown;         // where the cable touches the seabed
};

class CHARTEXA_API CAnchorPattern : public CArray<AnchorPatternDef, const AnchorPatternDef&>
{
public:
    CAnchorPattern() = default;
    ~CAnchorPattern() override = default;

    // The pen of status s at index s - 1.
    tagPen m_StatusPens[3] = {{0, 1, 0x00FFFF, -2}, {0, 1, 0x00FF00, -2}, {0, 1, 0x0000FF, -2}};
    tagPen m_CablePen{0, 1, 0xC0C0C0, -2};
};
