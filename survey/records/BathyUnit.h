// CBathyUnit: a bathymetry unit's record: an ROV's depth and its altitude above the seabed.
#pragma once

#include "geodesy/Device.h"

#include <cstdint>

// Where the depth comes from.
enum DEPTH_SOURCE
{
    DEPTH_SOURCE_MANUAL = 0,
    DEPTH_SOURCE_ECHO_SOUNDER = 1,
    DEPTH_SOURCE_DTM = 3 // 2 is the host's own
};

class CBathyUnit : public CDevice
{
public:
    CBathyUnit() = default;

    BYTE m_HostFields1[8] = {};
    bool m_DepthValid = false;
    bool m_AltitudeValid = false; // directly after the depth flag
    double m_Altitude = 0.0;      // metres above the seabed
    BYTE m_HostFields2[8] = {};
    double m_Depth = 0.0;         // metres, positive down
    BYTE m_HostFields3[8] = {};
    int32_t m_DepthSource = DEPTH_SOURCE_MANUAL;
};
