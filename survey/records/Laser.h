// CLaser: a total station (laser tracker) on the vessel or on the template: the device part, the
// fields the chart draws it by, then the observations the survey panes read.
#pragma once

#include "foundation/XYArray.h"
#include "geodesy/Device.h"
#include "platform/core/Array.h"

#include <cstdint>

// One observation of a reflector. The template pane steps through the observations by the
// record's size, so the size is part of what host and panes share.
struct LaserObservationDef
{
    int32_t HostField1 = 0;
    int32_t Reflector = 0;       // counted from 1: a reflector of the template
    BYTE HostFields2[8] = {};
    double SlopeRange = 0.0;     // metres
    double HorizontalAngle = 0.0; // degrees
    double VerticalAngle = 0.0;  // degrees
    BYTE HostFields3[8] = {};
    double Easting = 0.0;        // grid metres
    double Northing = 0.0;
    BYTE HostFields4[24] = {};
};
static_assert(sizeof(LaserObservationDef) == 88, "the template pane steps through observations by this size");

// The latest reading as the chart draws it. Positions are grid eastings and northings in
// metres; (0, 0) is no position.
struct LaserReadingDef
{
    int32_t TargetNumber = 0; // 1-based prism (a template reflector when a template is set)
    bool Valid = false;
    double Range = -1.0; // metres; -1 or DBL_MAX none
    tagXY Prism{0.0, 0.0};
};

class CLaser : public CDevice
{
public:
    CLaser() = default;

    // The host's own stretch, which holds what the chart draws (named as the chart's code
    // names them). The chart takes the device part's active flag for whether the laser is in
    // use. Mode 1: mounted on the vessel's offset point OffsetIndex; mode 0: standing at its own
    // Position; other modes are not drawn.
    int32_t Mode = 0;
    int32_t OffsetIndex = -1;
    tagXY Position{0.0, 0.0};
    bool HasReading = false; // false until a reading arrives
    LaserReadingDef Latest;
    CArray<LaserObservationDef, const LaserObservationDef&> m_Observations; // the first is shown
};
