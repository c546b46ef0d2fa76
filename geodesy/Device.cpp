#include "geodesy/Device.h"

CDevice::CDevice(int limitSeconds) : CTimeout(limitSeconds), m_Active(1), m_VerifyChecksum(1), m_PortNo(0) {}
