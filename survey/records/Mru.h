// CMru: a motion reference unit's record: heading, attitude and tilt. The MRU pane is given the
// first of the host's array of these and steps through it by the record's size, so the size is
// part of what host and panes share.
#pragma once

#include "geodesy/Device.h"

#include <cstdint>

class CMru : public CDevice
{
public:
    CMru() = default;

    // Angles in degrees; DBL_MAX in the heading, pitch or roll means no value.
    BYTE m_HostFields1[40] = {};
    double m_Heading = 0.0;      // true heading
    double m_GridHeading = 0.0;  // heading from grid north
    double m_Convergence = 0.0;  // grid convergence at the vessel
    double m_Pitch = 0.0;        // bow up positive
    double m_Roll = 0.0;         // starboard down positive
    BYTE m_HostFields2[32] = {};
    double m_TiltAngle = 0.0;    // from the vertical, >= 0
    double m_TiltHeading = 0.0;  // direction of the tilt, clockwise from north
    int32_t m_UseHeading = 0;    // > 0: the heading is used; the gyro group reads the low byte
    BYTE m_HostFields3[4] = {};
};
static_assert(sizeof(CMru) == 232, "the MRU pane steps through the host's MRUs by this size");
