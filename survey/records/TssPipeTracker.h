// CTssPipeTracker: a pipe and cable tracker's record: where the pipe lies below the coils and
// how strongly each coil hears it.
#pragma once

#include "geodesy/Device.h"

#include <cstdint>

const int TSS_COILS = 6;

class CTssPipeTracker : public CDevice
{
public:
    CTssPipeTracker() = default;

    BYTE m_HostFields1[8] = {};
    double m_LateralOffset = 0.0; // metres across track ("X Offset")
    double m_CoilHeight = 0.0;    // metres from the coils down to the pipe ("Coils")
    double m_Altitude = 0.0;      // metres above the seabed
    double m_Burial = 0.0;        // depth of burial, metres ("DOB")
    BYTE m_HostFields2[8] = {};
    int32_t m_Quality = 0;
    int32_t m_Signal[TSS_COILS] = {}; // one per coil
    int32_t m_CoilCount = 0;          // coils reported, 0..TSS_COILS
    int32_t m_SignalMaximum = 0;      // full scale of the signal bars
};
