// CTugs: the tugs that work a barge's anchors, as the catenary program hands them to the chart
// for drawing: at most six, each with its position, colour, label and trail.
#pragma once

#include "chart/ChartexaApi.h"
#include "features/Trail.h"
#include "foundation/XYArray.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

struct TugDef
{
    tagXY Position{0.0, 0.0}; // grid E, N, metres
    bool Active = false;
    bool Shown = false;
    COLORREF Colour = 0xFF00FF;
    bool Label = false; // the name drawn beside the tug
    CString Name;
    bool EnableTrail = false;
    bool ShowTrail = false;
    COLORREF TrailColour = 0xFF00FF;
    CTrail Trail;
};

class CHARTEXA_API CTugs
{
public:
    static constexpr int kMaxTugs = 6;
    TugDef m_Tugs[kMaxTugs];
};
