// CDevice: the common part of every data source record (GPS receivers, gyros and the host's
// sensors): its time-out, two switches, its port and two texts. Its fields lie in this order in
// every record built on it, which host and pane libraries compile alike:
//   time-out limit in seconds    CTimeout::m_Limit (32-bit)
//   active flag (1 = active)     m_Active
//   compute-checksum flag        m_VerifyChecksum
//   port number                  m_PortNo (16-bit, directly after the two flags)
//   device name                  m_DeviceName
#pragma once

#include "geodesy/Timeout.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

class CDevice : public CTimeout
{
public:
    explicit CDevice(int limitSeconds = 15);
    ~CDevice() override = default;
    CDevice(const CDevice&) = default;
    CDevice& operator=(const CDevice&) = default;

    BYTE m_Active;         // 1 at construction
    BYTE m_VerifyChecksum; // 1 at construction: sentences with a wrong checksum are dropped
    uint16_t m_PortNo;     // serial port or UDP port the device is read on; 0 at construction
    CString m_Description; // address of the last decoded position sentence ("GPGGA", "PTGGK")
    CString m_DeviceName;  // empty at construction
};
