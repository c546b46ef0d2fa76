// CWind: a wind sensor's record.
#pragma once

#include "geodesy/Device.h"

class CWind : public CDevice
{
public:
    CWind() = default;

    BYTE m_HostFields1[8] = {};
    double m_Speed = 0.0;     // metres per second
    double m_Direction = 0.0; // degrees, the direction the wind blows from
};
