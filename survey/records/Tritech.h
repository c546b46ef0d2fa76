// CTritech: one head of a scanning profiler sonar, and its profiles. The host owns the heads of
// a profiler as an array of two, head 1 first, and hands the panes the first; the panes step to
// the second by the record's size, so the size is part of what host and panes share.
#pragma once

#include "platform/core/List.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// One point of a profile.
struct TritechPointDef
{
    BYTE HostFields1[16] = {};
    double Across = 0.0;   // metres from the head, positive right
    double Down = 0.0;     // metres from the head, positive down
    int32_t Valid = 0;     // 1 = valid
    BYTE HostFields2[4] = {};
};
static_assert(sizeof(TritechPointDef) == 40, "the scan view steps through the points by this size");

// How a profile's points are drawn.
enum PROFILE_STYLE
{
    PROFILE_STYLE_PIXEL = 0,
    PROFILE_STYLE_SQUARE = 1, // a filled 7 by 7 square
    PROFILE_STYLE_LINE = 2    // the points joined
};

// One profile of a head: its points and how it is drawn.
class CTritechProfile
{
public:
    CTritechProfile() = default;

    BYTE m_Visible = 1;
    COLORREF m_Colour1 = 0;            // written by the scan view
    TritechPointDef* m_pPoints = nullptr; // not owned
    int32_t m_PointCount = 0;
    int32_t m_DrawStyle = PROFILE_STYLE_PIXEL;
    COLORREF m_Colour2 = 0;            // written by the scan view
    BYTE m_UseColour1 = 1;
};

class CTritech
{
public:
    CTritech() = default;

    CPtrList m_Profiles;           // CTritechProfile*, not owned
    BYTE m_Active = 0;             // 1 when the head is in use
    double m_Altitude = 0.0;       // metres above the seabed
    double m_Depth = 0.0;          // metres, positive down
    BYTE m_PipePresent = 0;        // 1 when the head sees a pipe
    double m_PipeAcross = 0.0;     // metres from the head, positive right
    double m_PipeDown = 0.0;       // metres from the head, positive down
    int32_t m_PipeSize = 0;        // diameter, in the unit below
    int32_t m_PipeSizeUnit = 0;    // 0 inches, otherwise millimetres
    int32_t m_Range = 10;          // metres
    BYTE m_HostFields1[236] = {};
};
static_assert(sizeof(CTritech) == 328, "the profiler pane steps from head 1 to head 2 by this size");
