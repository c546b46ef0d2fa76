// CUsbl: an ultra-short-baseline system's record: its settings, the transponders it tracks and
// the line their KP and DCC are measured along.
#pragma once

#include "geodesy/Device.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// Which of a transponder's positions is valid.
enum USBL_POSITION_MODE
{
    USBL_POSITION_GRID = 0,
    USBL_POSITION_RELATIVE = 2 // any other value: none
};

// One transponder the system tracks.
class CUsblTransponder
{
public:
    CUsblTransponder() = default;

    BYTE m_HostFields1[8] = {};
    bool m_HeadingValid = false;
    bool m_AttitudeValid = false; // pitch and roll; directly after the heading flag
    double m_Heading = 0.0;       // degrees
    double m_Pitch = 0.0;         // degrees
    double m_Roll = 0.0;          // degrees
    double m_Heave = 0.0;         // metres; 0 means none
    CString m_Name;
    double m_X = 0.0;             // metres from the vessel's reference point, starboard positive
    double m_Y = 0.0;             // metres, forward positive
    double m_Z = 0.0;             // metres, down positive
    BYTE m_HostFields2[8] = {};
    double m_Kp = 0.0;            // kilometres along the reference line
    double m_Dcc = 0.0;           // metres across the reference line
    BYTE m_HostFields3[8] = {};
    double m_Easting = 0.0;       // grid metres
    double m_Northing = 0.0;
    BYTE m_HostFields4[8] = {};
    int32_t m_PositionMode = -1;  // USBL_POSITION_MODE
    double m_Quality = 0.0;       // shown when greater than 0
};

// The line the transponders' KP and DCC are measured along (one of the host's routes).
class CUsblReferenceLine
{
public:
    CUsblReferenceLine() = default;

    BYTE m_HostFields1[8] = {};
    int32_t m_PointCount = 0;
    CString m_Name;
    BYTE m_InUse = 0; // 1 when in use
};

class CUsbl : public CDevice
{
public:
    CUsbl() = default;

    // The device part's name names the system's settings file.
    CArray<CUsblTransponder*, CUsblTransponder*> m_Transponders; // not owned
    BYTE m_HostFields1[8] = {};
    double m_AlignmentError = 0.0; // degrees
    double m_ScaleFactor = 1.0;
    double m_RangeError = 0.0;     // metres
    bool m_BinaryMode = false;
    bool m_HiResMode = false;      // directly after the binary flag
    BYTE m_HostFields2[8] = {};
    CString m_ActiveTransponder;   // the transponder whose fixes the host uses
    double m_MinimumZ = 0.0;       // metres
    double m_MaximumZ = 0.0;       // metres
    BYTE m_HostFields3[8] = {};
    CUsblReferenceLine* m_pReferenceLine = nullptr; // not owned; null when none
};
