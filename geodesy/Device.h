// CDevice: the common part of every data source record (GPS receivers, gyros and the host's
// sensors): its time-out, two switches and two texts.
#pragma once

#include "geodesy/Timeout.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDevice : public CTimeout
{
public:
    explicit CDevice(int limitSeconds = 15);
    ~CDevice() override = default;
    CDevice(const CDevice&) = default;
    CDevice& operator=(const CDevice&) = default;

    BYTE m_Active;         // 1 at construction
    BYTE m_VerifyChecksum; // 1 at construction: sentences with a wrong checksum are dropped
    CString m_Description; // address of the last decoded position sentence ("GPGGA", "PTGGK")
    CString m_DeviceName;  // empty at construction
};
