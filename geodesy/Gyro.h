// CGyro: the record of one gyro compass, filled by the host from its heading sentences and read
// by the survey panes.
#pragma once

#include "geodesy/Device.h"
#include "platform/core/WinTypes.h"

class CGyro : public CDevice
{
public:
    CGyro() = default;

    // Fields, in the order host and pane libraries share. Angles in degrees.
    double m_TrueHeading = 0.0;   // clockwise from true north, [0, 360)
    double m_GridHeading = 0.0;   // clockwise from grid north, [0, 360)
    double m_Convergence = 0.0;   // grid convergence at the gyro: true heading less grid heading
    double m_RateOfTurn = 0.0;    // degrees per minute, positive turning to starboard
    BYTE m_RateOfTurnValid = 0;   // 1 when the gyro reports its rate of turn
};
